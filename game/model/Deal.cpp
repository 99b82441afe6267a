#include "game/model/Deal.h"

#include <array>

#include "game/model/DealGenerator.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"

namespace {

void DealNumbered(Deck& deck, GameBoard& board, std::uint32_t seed) {
    std::array<Card*, Deck::kCards> work;
    for (int p = 0; p < Deck::kCards; ++p) work[static_cast<std::size_t>(p)] = deck.At(p);
    DealGenerator generator(seed);
    int left = Deck::kCards;
    for (int i = 0; i < Deck::kCards; ++i) {
        const int j = generator.Next() % left;
        board.PlaceCard(work[static_cast<std::size_t>(j)], i % 8);
        --left;
        work[static_cast<std::size_t>(j)] = work[static_cast<std::size_t>(left)];
    }
}

// Game -1: every card becomes a safe automatic move in turn once play starts.
void DealOrdered(Deck& deck, GameBoard& board) {
    int k = 0;
    for (int rank = kKing; rank >= kTwo; --rank) {
        for (int suit = 0; suit < 4; ++suit) board.PlaceCard(deck.Find(suit, rank), k++ % 8);
    }
    for (int suit = 0; suit < 4; ++suit) board.PlaceCard(deck.Find(suit, kAce), k++ % 8);
}

}  // namespace

void Deal(Deck& deck, GameBoard& board, std::int32_t gameNumber) {
    board.ClearKeepCards();
    if (gameNumber == -1) {
        DealOrdered(deck, board);
    } else {
        DealNumbered(deck, board, static_cast<std::uint32_t>(gameNumber));
    }
}
