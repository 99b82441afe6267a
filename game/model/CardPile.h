// An ordered pile of cards: index 0 is the bottom card, the last index the top card.
// A pile only refers to its cards; it never owns them.
#pragma once

#include <vector>

#include "game/model/Card.h"

class CardPile {
  public:
    int Count() const { return static_cast<int>(cards_.size()); }
    bool Empty() const { return cards_.empty(); }
    // The caller keeps 0 <= index < Count().
    Card* At(int index) const { return cards_[static_cast<std::size_t>(index)]; }
    // The top card, or null when the pile is empty.
    Card* Top() const { return cards_.empty() ? nullptr : cards_.back(); }
    // Index of the card, or -1.
    int IndexOf(const Card* card) const;

    void Append(Card* card) { cards_.push_back(card); }
    // Later cards shift up by one; 0 <= index <= Count().
    void InsertAt(int index, Card* card);
    // Later cards shift down by one; 0 <= index < Count().
    Card* RemoveAt(int index);
    void Clear() { cards_.clear(); }

  private:
    std::vector<Card*> cards_;
};
