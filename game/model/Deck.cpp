#include "game/model/Deck.h"

namespace {
constexpr int kSuitOrder[4] = {0, 1, 3, 2};
constexpr int kRankOrder[13] = {12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
}  // namespace

int Deck::SuitAt(int position) {
    return kSuitOrder[position % 4];
}
int Deck::RankAt(int position) {
    return kRankOrder[position / 4];
}

Deck::Deck(Size cardSize, CardImageSource* images) {
    for (int p = 0; p < kCards; ++p) {
        auto card = std::make_unique<Card>(SuitAt(p), RankAt(p), cardSize);
        // A face that cannot be loaded leaves the card blank; the game goes on.
        if (images) card->SetImage(images->FaceImage(card->Suit(), card->Rank()));
        cards_[static_cast<std::size_t>(p)] = std::move(card);
    }
}

Deck::~Deck() = default;

Card* Deck::Find(int suit, int rank) const {
    for (const auto& card : cards_) {
        if (card->Suit() == suit && card->Rank() == rank) return card.get();
    }
    return nullptr;
}
