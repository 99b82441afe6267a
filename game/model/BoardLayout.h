// Where every pile lies on the table, for portrait and landscape screens at display scale
// 1 and 2. The display scale is fixed for the layout's life; the screen size is passed to
// every call, because the orientation follows the screen as it turns.
#pragma once

#include <array>

#include "game/model/Geometry.h"
#include "platform/DisplayScale.h"

class BoardLayout {
  public:
    explicit BoardLayout(int displayScale);

    int Scale() const { return scale_; }
    // 29 x 41 pixels times the display scale.
    Size CardSize() const { return {29 * scale_, 41 * scale_}; }

    static bool IsLandscape(Size screen) { return screen.width > screen.height; }

    // Top-left corner of the card at `index` of `pile` (0..15).
    Point CardPosition(int pile, int index, Size screen) const;
    // The pile whose band or slot holds the point, or -1.
    int PileAt(int x, int y, Size screen) const;
    // Where the eight empty-place images go: four reserve cells, then four foundations.
    std::array<Point, 8> EmptyPlacePositions(Size screen) const;

  private:
    int scale_;
};
