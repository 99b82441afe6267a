// Speed of the game model: dealing, a move with its automatic moves, the stuck test and a
// whole game of random taps.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"

namespace {

struct Table {
    QuietOwner owner{{240, 320}};
    GameBoard board{owner, 1};
    Deck deck{board.Layout().CardSize(), nullptr};
};

void BM_Deal(benchmark::State& state) {
    Table t;
    std::int32_t n = 1;
    for (auto _ : state) {
        Deal(t.deck, t.board, n);
        n = n % 32000 + 1;
        benchmark::DoNotOptimize(t.board.Pile(0).Top());
    }
}
BENCHMARK(BM_Deal);

// Game 1: the Six of spades goes from column 0 to a reserve cell, then back by Undo.
void BM_SelectMoveAndUndo(benchmark::State& state) {
    Table t;
    Deal(t.deck, t.board, 1);
    for (auto _ : state) {
        t.board.OnStylusDown(5, 140);
        t.board.OnStylusDown(5, 10);  // the move, with FinishMove
        t.board.Undo();
    }
    if (t.board.Pile(8).Count() != 0) state.SkipWithError("undo did not restore the deal");
}
BENCHMARK(BM_SelectMoveAndUndo);

void BM_AnyMoveLeftOnAStuckBoard(benchmark::State& state) {
    Table t;
    t.board.ClearKeepCards();
    // Black tops that fit nowhere, Kings in every cell, nothing on the foundations.
    const char* tops[8] = {"3C", "3S", "5C", "5S", "7C", "7S", "9C", "9S"};
    const std::string ranks = "23456789TJQKA", suits = "CDSH";
    auto card = [&](const char* name) {
        return t.deck.Find(static_cast<int>(suits.find(name[1])),
                           static_cast<int>(ranks.find(name[0])));
    };
    const char* cells[4] = {"KC", "KD", "KS", "KH"};
    int column = 0;
    for (int p = 0; p < 52; ++p) {
        Card* c = t.deck.At(p);
        bool special = false;
        for (const char* n : tops) special = special || card(n) == c;
        for (const char* n : cells) special = special || card(n) == c;
        if (!special) t.board.PlaceCard(c, column++ % 8);
    }
    for (int i = 0; i < 8; ++i) t.board.PlaceCard(card(tops[i]), i);
    for (int i = 0; i < 4; ++i) t.board.PlaceCard(card(cells[i]), 8 + i);
    if (t.board.AnyMoveLeft()) state.SkipWithError("board is not stuck");
    for (auto _ : state) benchmark::DoNotOptimize(t.board.AnyMoveLeft());
}
BENCHMARK(BM_AnyMoveLeftOnAStuckBoard);

// A whole game: a deal and 200 random taps at the piles, moves and automatic moves included.
void BM_RandomGameOf200Taps(benchmark::State& state) {
    Table t;
    std::mt19937 random(42);
    for (auto _ : state) {
        Deal(t.deck, t.board, static_cast<std::int32_t>(random() % 32000 + 1));
        t.board.Deselect();
        t.owner.messages.clear();
        for (int tap = 0; tap < 200; ++tap) {
            const int pile = static_cast<int>(random() % 16);
            const int count = t.board.Pile(pile).Count();
            const Point at = t.board.CardPosition(pile, count > 0 ? count - 1 : 0);
            t.board.OnStylusDown(at.x + 10, at.y + 10);
            t.board.OnStylusUp(at.x + 10, at.y + 10);
        }
    }
}
BENCHMARK(BM_RandomGameOf200Taps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
