// One of the 52 playing cards: rank and suit codes, place on the table, selection and face.
#pragma once

#include <cstdint>

#include "game/model/DrawTarget.h"
#include "game/model/Geometry.h"
#include "platform/Bitmap.h"

// Rank codes: 0 = Two ... 11 = King, 12 = Ace. Suit codes: 0 clubs, 1 diamonds, 2 spades,
// 3 hearts; two cards are of opposite colour when their suit codes add up to an odd number.
constexpr int kAce = 12;
constexpr int kTwo = 0;
constexpr int kKing = 11;

class Card {
  public:
    // Takes its size from `size` (the card size of the run), position (0, 0), not selected.
    Card(int suit, int rank, Size size);
    virtual ~Card();

    int X() const { return x_; }
    int Y() const { return y_; }
    void SetPosition(int x, int y) {
        x_ = x;
        y_ = y;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Rank() const { return rank_; }
    int Suit() const { return suit_; }
    bool IsSelected() const { return selected_; }
    void SetSelected(bool selected) { selected_ = selected; }

    Rect GetRect() const { return {x_, y_, x_ + width_, y_ + height_}; }
    bool Contains(int px, int py) const { return GetRect().Contains(px, py); }

    // Number of this card's face in the card-image library, 1..52.
    int ImageNumber() const;

    // The face image; null when none could be loaded (the face is drawn blank).
    const BitmapPtr& Image() const { return image_; }
    void SetImage(BitmapPtr image) { image_ = std::move(image); }

    // Copies the face to its rectangle (scaled to it when the face is smaller than the card;
    // a plain white card with a grey edge when there is no face), then inverts the
    // rectangle when selected.
    void Draw(DrawTarget& target) const;

    // Colours of a card drawn without a face, as 0x00BBGGRR.
    static constexpr std::uint32_t kBlankFace = 0x00FFFFFF;
    static constexpr std::uint32_t kBlankBorder = 0x00808080;

  private:
    int width_;
    int height_;
    int x_ = 0;
    int y_ = 0;
    int rank_;
    int suit_;
    bool selected_ = false;
    BitmapPtr image_;
};

// True when card a may lie on card b in a column: opposite colour and one rank lower.
bool CanLieOn(const Card& a, const Card& b);

// Short text of a card: rank (A 2-9 T J Q K) then suit (C D H S), e.g. "JD".
const char* CardName(const Card& card);
