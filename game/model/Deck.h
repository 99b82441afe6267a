// The 52 cards of the game in fixed deck order: Aces first (clubs, diamonds, hearts,
// spades), then the Twos in the same suit order, up to the Kings.
#pragma once

#include <array>
#include <memory>

#include "game/model/Card.h"
#include "game/model/CardImageSource.h"

class Deck {
  public:
    static constexpr int kCards = 52;

    // Creates the cards at `cardSize` and gives each its face from `images` (may be null:
    // the faces stay blank). The deck owns the cards for its whole life.
    Deck(Size cardSize, CardImageSource* images);
    virtual ~Deck();
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // The card at deck position 0..51.
    Card* At(int position) const { return cards_[static_cast<std::size_t>(position)].get(); }
    // The card with this suit and rank code.
    Card* Find(int suit, int rank) const;

    static int SuitAt(int position);
    static int RankAt(int position);

  private:
    std::array<std::unique_ptr<Card>, kCards> cards_;
};
