#include "game/model/CardPile.h"

#include <algorithm>

int CardPile::IndexOf(const Card* card) const {
    auto it = std::find(cards_.begin(), cards_.end(), card);
    return it == cards_.end() ? -1 : static_cast<int>(it - cards_.begin());
}

void CardPile::InsertAt(int index, Card* card) {
    cards_.insert(cards_.begin() + index, card);
}

Card* CardPile::RemoveAt(int index) {
    Card* card = cards_[static_cast<std::size_t>(index)];
    cards_.erase(cards_.begin() + index);
    return card;
}
