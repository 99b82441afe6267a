#include "game/model/Card.h"

Card::Card(int suit, int rank, Size size)
    : width_(size.width), height_(size.height), rank_(rank), suit_(suit) {}

Card::~Card() = default;

int Card::ImageNumber() const {
    // Image groups run clubs, diamonds, hearts, spades; within a group Ace first.
    static constexpr int kGroup[4] = {0, 1, 3, 2};
    const int k = rank_ == kAce ? 0 : rank_ + 1;
    return kGroup[suit_ & 3] * 13 + k + 1;
}

void Card::Draw(DrawTarget& target) const {
    if (image_ && image_->width >= width_ && image_->height >= height_) {
        target.DrawBitmap(*image_, x_, y_, width_, height_);
    } else if (image_ && image_->width > 0 && image_->height > 0) {
        // A face smaller than the card (the small library on the large screen) would leave
        // part of the card showing what lies beneath while taps hit all of it.
        target.StretchBitmap(*image_, GetRect());
    } else {
        // Without a face the card still covers what lies beneath it, so a missing
        // library never shows the cards under it as if they were on top.
        const Rect r = GetRect();
        target.FillRect(r, kBlankBorder);
        target.FillRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kBlankFace);
    }
    if (selected_) target.InvertRect(GetRect());
}

bool CanLieOn(const Card& a, const Card& b) {
    return ((a.Suit() + b.Suit()) & 1) != 0 && a.Rank() == b.Rank() - 1;
}

const char* CardName(const Card& card) {
    static constexpr char kRanks[] = "23456789TJQKA";
    static constexpr char kSuits[] = "CDSH";
    static char names[13][4][3];
    const int r = card.Rank(), s = card.Suit();
    if (r < 0 || r > 12 || s < 0 || s > 3) return "??";
    char* name = names[r][s];
    name[0] = kRanks[r];
    name[1] = kSuits[s];
    name[2] = '\0';
    return name;
}
