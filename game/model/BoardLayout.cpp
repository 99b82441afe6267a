#include "game/model/BoardLayout.h"

namespace {

struct Metrics {
    int columnStep;
    int fanStep;
    int columnsTop;
    int topRowY;
    int cellsLeft;
    int foundationsLeft;
    int slotWidth;
    int imageGap;  // extra gap before the fifth empty-place image
};

// All at display scale 1.
constexpr Metrics kPortrait{30, 13, 55, 3, 0, 123, 29, 8};
constexpr Metrics kLandscape{40, 8, 48, 3, 29, 175, 29, 30};

const Metrics& For(Size screen) {
    return BoardLayout::IsLandscape(screen) ? kLandscape : kPortrait;
}

}  // namespace

BoardLayout::BoardLayout(int displayScale) : scale_(displayScale == 2 ? 2 : 1) {}

Point BoardLayout::CardPosition(int pile, int index, Size screen) const {
    const Metrics& m = For(screen);
    const int s = scale_;
    if (pile < 8) return {m.columnStep * s * pile, (m.columnsTop + m.fanStep * index) * s};
    if (pile < 12) return {(m.cellsLeft + (pile - 8) * m.slotWidth) * s, m.topRowY * s};
    return {(m.foundationsLeft + (pile - 12) * m.slotWidth) * s, m.topRowY * s};
}

int BoardLayout::PileAt(int x, int y, Size screen) const {
    const Metrics& m = For(screen);
    const int s = scale_;
    if (y >= m.columnsTop * s) {
        if (x < 0) return -1;
        const int p = x / (m.columnStep * s);
        return p <= 7 ? p : -1;
    }
    const int slot = m.slotWidth * s;
    const int cells = m.cellsLeft * s;
    const int foundations = m.foundationsLeft * s;
    if (x >= cells && x < cells + 4 * slot) return 8 + (x - cells) / slot;
    if (x >= foundations && x < foundations + 4 * slot) return 12 + (x - foundations) / slot;
    return -1;
}

std::array<Point, 8> BoardLayout::EmptyPlacePositions(Size screen) const {
    const bool landscape = IsLandscape(screen);
    const Metrics& m = For(screen);
    const int s = scale_;
    std::array<Point, 8> places;
    int x = landscape ? 29 * s : 0;
    for (int i = 0; i < 8; ++i) {
        if (i == 4) x += m.imageGap * s;
        places[static_cast<std::size_t>(i)] = {x, 3 * s};
        x += 29 * s;
    }
    return places;
}
