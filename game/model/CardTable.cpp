#include "game/model/CardTable.h"

#include <algorithm>

CardTable::CardTable(TableHost& host) : host_(host) {}

CardTable::~CardTable() = default;

void CardTable::ClearAndDelete() {
    cards_.clear();
}

void CardTable::DrawBackground(DrawTarget& target) {
    target.FillRect({0, 0, target.Width(), target.Height()}, background_);
}

void CardTable::Paint(DrawTarget& target) {
    DrawBackground(target);
    for (const Card* card : cards_) card->Draw(target);
}

void CardTable::AddCard(Card* card) {
    cards_.push_back(card);
}

bool CardTable::BringToFront(Card* card) {
    auto it = std::find(cards_.begin(), cards_.end(), card);
    if (it == cards_.end()) return false;
    // Rotating keeps the others in order and needs no reallocation.
    std::rotate(it, it + 1, cards_.end());
    return true;
}

void CardTable::ForgetAll() {
    cards_.clear();
}

Card* CardTable::HitTest(int x, int y) const {
    for (auto it = cards_.rbegin(); it != cards_.rend(); ++it) {
        if ((*it)->Contains(x, y)) return *it;
    }
    return nullptr;
}

void CardTable::InvalidateCard(const Card& card) {
    Rect r = card.GetRect();
    r.right += 1;
    r.bottom += 1;
    host_.InvalidateRect(r, true);
}
