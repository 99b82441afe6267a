#include "tools/art/CardArt.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kEdge = 0xFF3A3A3A;
// What lies outside the rounded edge. Faces are copied opaquely, also over other cards and
// inverted when selected, so this must not be the table's green; a mid grey reads as the
// softened corner on the table, on a white card below and inverted alike.
constexpr QRgb kCorner = 0xFF8C8C8C;
constexpr QRgb kRed = 0xFFD0101A;
constexpr QRgb kBlack = 0xFF101010;
constexpr QRgb kFrame = 0xFFFFF4D6;
constexpr QRgb kGold = 0xFFD89A00;
constexpr QRgb kCap = 0xFF2A5CC8;

// Pixel art: one string per row, '#' marks a set pixel.
using Rows = std::vector<std::string_view>;

// Rank glyphs for the small cards, six rows high, 1-pixel strokes. Index: 0 Ace ... 12 King.
const Rows kSmallRanks[13] = {
    {".##.", "#..#", "#..#", "####", "#..#", "#..#"},
    {".##.", "#..#", "..#.", ".#..", "#...", "####"},
    {"###.", "...#", ".##.", "...#", "...#", "###."},
    {"..#.", ".##.", "#.#.", "####", "..#.", "..#."},
    {"####", "#...", "###.", "...#", "...#", "###."},
    {".##.", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", "..#.", ".#..", ".#.."},
    {".##.", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", ".##."},
    {".#..##.", "##.#..#", ".#.#..#", ".#.#..#", ".#.#..#", ".#..##."},
    {"...#", "...#", "...#", "...#", "#..#", ".##."},
    {".##.", "#..#", "#..#", "#..#", "#.##", ".###"},
    {"#..#", "#.#.", "##..", "##..", "#.#.", "#..#"},
};

// Rank glyphs for the large cards, eleven rows high, 2-pixel strokes.
const Rows kLargeRanks[13] = {
    {"..###..", ".##.##.", "##...##", "##...##", "##...##", "#######", "#######", "##...##",
     "##...##", "##...##", "##...##"},
    {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....",
     "##.....", "#######", "#######"},
    {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##",
     ".....##", "##...##", ".#####."},
    {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "#######",
     "....##.", "....##.", "....##."},
    {"#######", "##.....", "##.....", "##.....", "######.", ".....##", ".....##", ".....##",
     ".....##", "##...##", ".#####."},
    {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##",
     "##...##", "##...##", ".#####."},
    {"#######", "#######", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...",
     "..##...", "..##...", "..##..."},
    {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##",
     "##...##", "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##",
     ".....##", "....##.", ".####.."},
    {"..##..####.", ".###.##..##", "####.##..##", "..##.##..##", "..##.##..##", "..##.##..##",
     "..##.##..##", "..##.##..##", "..##.##..##", "..##.##..##", "..##..####."},
    {"..#####", "....##.", "....##.", "....##.", "....##.", "....##.", "....##.", "....##.",
     "##..##.", "##..##.", ".####.."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##.#.##",
     "##..##.", ".###.##", ".......#"},
    {"##...##", "##..##.", "##.##..", "####...", "###....", "###....", "####...", "##.##..",
     "##..##.", "##...##", "##...##"},
};

// Suit marks of the small cards, 7 x 7: the corner index and the pips of the Two to Six.
// The club shows three lobes with gaps between them and a flat top, the spade a single
// point, so the two black suits differ in most rows. Index: image group (clubs, diamonds,
// hearts, spades).
const Rows kSmallMarks[4] = {
    {"..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.."},
    {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."},
    {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."},
    {"...#...", "..###..", ".#####.", "#######", "#######", "...#...", "..###.."},
};

// Smaller pips, 5 x 5, for the Seven to Ten and the court cards, whose pips would crowd
// each other at 7 x 7. Round top for the club, point for the spade.
const Rows kTinyPips[4] = {
    {".###.", ".###.", "#####", "#.#.#", "..#.."},
    {"..#..", ".###.", "#####", ".###.", "..#.."},
    {"##.##", "#####", "#####", ".###.", "..#.."},
    {"..#..", ".###.", "#####", "#####", "..#.."},
};

// The Ace's single large pip at the small size, pixel art like the other small pips.
const Rows kSmallAces[4] = {
    {".....###.....", "....#####....", "...#######...", "...#######...", "...#######...",
     ".##.#####.##.", "#############", "#############", "#############", "#############",
     ".#####.#####.", "..###.#.###..", "......#......", ".....###.....", "...#######..."},
    {".....#.....", "....###....", "....###....", "...#####...", "..#######..", "..#######..",
     ".#########.", "###########", ".#########.", "..#######..", "..#######..", "...#####...",
     "....###....", "....###....", ".....#....."},
    {"..###...###..", ".#####.#####.", "#############", "#############", "#############",
     "#############", ".###########.", "..#########..", "...#######...", "....#####....",
     ".....###.....", "......#......"},
    {"......#......", ".....###.....", "....#####....", "...#######...", "..#########..",
     ".###########.", "#############", "#############", "#############", "#############",
     ".#####.#####.", "..###.#.###..", "......#......", ".....###.....", "...#######..."},
};

// Headgear of the court cards at the small size, 9 x 4: a cap for the Jack, a low tiara
// with three pearls for the Queen, a tall three-pointed crown for the King. The second
// table holds the pearls, drawn in red over the first.
const Rows kSmallHeadgear[3] = {
    {"...####..", "..######.", "#########", "........."},
    {".........", "..#.#.#..", ".#######.", ".#######."},
    {"#...#...#", "##.###.##", "#########", "#########"},
};
const Rows kSmallHeadgearJewels[3] = {
    {},
    {"..#.#.#.."},
    {},
};

bool IsRed(int group) {
    return group == 1 || group == 2;
}

QRgb SuitColour(int group) {
    return IsRed(group) ? kRed : kBlack;
}

int GlyphWidth(const Rows& rows) {
    std::size_t w = 0;
    for (auto row : rows) w = std::max(w, row.size());
    return static_cast<int>(w);
}

int GlyphHeight(const Rows& rows) {
    return static_cast<int>(rows.size());
}

// Sets the marked pixels of a glyph; `cell` is the size of one glyph pixel.
void PutGlyph(QImage& image, const Rows& rows, int x, int y, QRgb colour, int cell = 1) {
    for (int r = 0; r < GlyphHeight(rows); ++r) {
        const auto row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            if (row[static_cast<std::size_t>(c)] != '#') continue;
            for (int dy = 0; dy < cell; ++dy)
                for (int dx = 0; dx < cell; ++dx)
                    image.setPixel(x + c * cell + dx, y + r * cell + dy, colour);
        }
    }
}

// Puts a glyph with its centre as near (cx, cy) as whole pixels allow.
void PutGlyphCentred(QImage& image, const Rows& rows, double cx, double cy, QRgb colour) {
    const int x = static_cast<int>(std::lround(cx - (GlyphWidth(rows) - 1) / 2.0));
    const int y = static_cast<int>(std::lround(cy - (GlyphHeight(rows) - 1) / 2.0));
    PutGlyph(image, rows, x, y, colour);
}

// The suit shape in the unit square, point upward for spades.
QPainterPath SuitPath(int group) {
    QPainterPath path;
    auto circle = [](double cx, double cy, double r) {
        QPainterPath p;
        p.addEllipse(QPointF(cx, cy), r, r);
        return p;
    };
    auto polygon = [](std::initializer_list<QPointF> points) {
        QPainterPath p;
        p.addPolygon(QPolygonF(points));
        p.closeSubpath();
        return p;
    };
    switch (group) {
        case 0:  // clubs: three leaves and a flared stem
            path = circle(0.5, 0.27, 0.22)
                       .united(circle(0.27, 0.58, 0.22))
                       .united(circle(0.73, 0.58, 0.22))
                       .united(circle(0.5, 0.5, 0.14))
                       .united(polygon({{0.5, 0.5}, {0.34, 1.0}, {0.66, 1.0}}));
            break;
        case 1:  // diamonds: slightly hollow sides
        {
            QPainterPath d;
            d.moveTo(0.5, 0.0);
            d.quadTo(0.7, 0.3, 0.92, 0.5);
            d.quadTo(0.7, 0.7, 0.5, 1.0);
            d.quadTo(0.3, 0.7, 0.08, 0.5);
            d.quadTo(0.3, 0.3, 0.5, 0.0);
            d.closeSubpath();
            path = d;
            break;
        }
        case 2:  // hearts
        {
            QPainterPath h;
            h.moveTo(0.5, 0.98);
            h.cubicTo(0.35, 0.78, 0.0, 0.58, 0.02, 0.3);
            h.cubicTo(0.04, 0.04, 0.4, -0.02, 0.5, 0.22);
            h.cubicTo(0.6, -0.02, 0.96, 0.04, 0.98, 0.3);
            h.cubicTo(1.0, 0.58, 0.65, 0.78, 0.5, 0.98);
            h.closeSubpath();
            path = h;
            break;
        }
        default:  // spades: an upturned heart with a flared stem
        {
            QPainterPath s;
            s.moveTo(0.5, 0.0);
            s.cubicTo(0.65, 0.2, 1.0, 0.36, 0.98, 0.6);
            s.cubicTo(0.96, 0.84, 0.62, 0.86, 0.5, 0.66);
            s.cubicTo(0.38, 0.86, 0.04, 0.84, 0.02, 0.6);
            s.cubicTo(0.0, 0.36, 0.35, 0.2, 0.5, 0.0);
            s.closeSubpath();
            path = s.united(polygon({{0.5, 0.6}, {0.33, 1.0}, {0.67, 1.0}}));
            break;
        }
    }
    return path;
}

// Where the pips of the number cards go: (column -1, 0 or 1; row as a fraction from the top).
struct PipSpot {
    int column;
    double row;
};
std::vector<PipSpot> PipSpots(int count) {
    switch (count) {
        case 2:
            return {{0, 0}, {0, 1}};
        case 3:
            return {{0, 0}, {0, 0.5}, {0, 1}};
        case 4:
            return {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
        case 5:
            return {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}};
        case 6:
            return {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
        case 7:
            return {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
        case 8:
            return {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}};
        case 9:
            return {{-1, 0},       {1, 0},       {-1, 1.0 / 3}, {1, 1.0 / 3}, {0, 0.5},
                    {-1, 2.0 / 3}, {1, 2.0 / 3}, {-1, 1},       {1, 1}};
        case 10:
            return {{-1, 0},       {1, 0},       {0, 1.0 / 6}, {-1, 1.0 / 3}, {1, 1.0 / 3},
                    {-1, 2.0 / 3}, {1, 2.0 / 3}, {0, 5.0 / 6}, {-1, 1},       {1, 1}};
        default:
            return {};
    }
}

// The pip grid of a number card: centres of the side columns (the middle column is the
// card's centre line), of the top and bottom rows, and the size of one pip. From the Seven
// on the pips are smaller and the side columns sit further out, so that neither columns nor
// rows touch.
struct PipGrid {
    double sideOffset, top, bottom, pipWidth, pipHeight;
};
PipGrid PipGridFor(int count, int scale) {
    const bool crowded = count >= 7;
    if (scale == 1) return crowded ? PipGrid{8, 12, 35, 5, 5} : PipGrid{7, 14, 34, 7, 7};
    return crowded ? PipGrid{14, 25, 71, 11, 12} : PipGrid{15, 27, 70, 14, 15};
}

// White card with a dark edge, rounded by a pixel or two; see kCorner for what lies outside.
QImage BlankCard(int scale) {
    const int w = 29 * scale, h = 41 * scale;
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(kCorner);
    if (scale == 1) {
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x) image.setPixel(x, y, kWhite);
        for (int x = 1; x < w - 1; ++x) {
            image.setPixel(x, 0, kEdge);
            image.setPixel(x, h - 1, kEdge);
        }
        for (int y = 1; y < h - 1; ++y) {
            image.setPixel(0, y, kEdge);
            image.setPixel(w - 1, y, kEdge);
        }
    } else {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor::fromRgb(kEdge), 1.2));
        p.setBrush(QColor::fromRgb(kWhite));
        p.drawRoundedRect(QRectF(0.6, 0.6, w - 1.2, h - 1.2), 2, 2);
    }
    return image;
}

// Rank and suit in the top-left corner. Both fit in the top 8 rows (16 at the large size),
// the strip a card keeps visible when the next card of a landscape column covers it.
void DrawIndex(QImage& image, QPainter& p, int group, int k, int scale) {
    const QRgb colour = SuitColour(group);
    if (scale == 1) {
        PutGlyph(image, kSmallRanks[k], 2, 2, colour);
        PutGlyph(image, kSmallMarks[group], 2 + GlyphWidth(kSmallRanks[k]) + 1, 1, colour);
    } else {
        PutGlyph(image, kLargeRanks[k], 4, 3, colour);
        const double x = 4 + GlyphWidth(kLargeRanks[k]) + 2;
        PaintSuit(p, group, QRectF(x, 2, 12, 13));
    }
}

void DrawPips(QImage& image, QPainter& p, int group, int count, int scale) {
    const PipGrid grid = PipGridFor(count, scale);
    const double centre = 29 * scale / 2.0;
    for (const PipSpot& spot : PipSpots(count)) {
        const double cx = centre + spot.column * grid.sideOffset - (scale == 1 ? 0.5 : 0);
        const double cy = grid.top + spot.row * (grid.bottom - grid.top);
        if (scale == 1) {
            PutGlyphCentred(image, count >= 7 ? kTinyPips[group] : kSmallMarks[group], cx, cy,
                            SuitColour(group));
        } else {
            // The lower half of the pips stand upside down, as on printed cards.
            PaintSuit(p, group,
                      QRectF(cx - grid.pipWidth / 2, cy - grid.pipHeight / 2, grid.pipWidth,
                             grid.pipHeight),
                      spot.row > 0.5);
        }
    }
}

void DrawCourt(QImage& image, QPainter& p, int group, int k, int scale) {
    const QRgb colour = SuitColour(group);
    const int court = k - 10;  // 0 Jack, 1 Queen, 2 King
    const QRgb hat = court == 0 ? kCap : kGold;
    if (scale == 1) {
        const QRect frame(5, 10, 19, 28);
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            for (int x = frame.left(); x <= frame.right(); ++x) {
                const bool edge = y == frame.top() || y == frame.bottom() || x == frame.left() ||
                                  x == frame.right();
                image.setPixel(x, y, edge ? colour : kFrame);
            }
        PutGlyph(image, kSmallHeadgear[court], 10, 12, hat);
        PutGlyph(image, kSmallHeadgearJewels[court], 10, 12, kRed);
        PutGlyph(image, kLargeRanks[k], 11, 17, colour);
        PutGlyph(image, kTinyPips[group], 12, 31, colour);
    } else {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor::fromRgb(colour));
        p.setBrush(QColor::fromRgb(kFrame));
        p.drawRect(10, 18, 37, 58);
        p.restore();
        // Headgear: a tall pointed crown for the King, a low tiara with pearls for the Queen,
        // a cap for the Jack.
        p.save();
        p.setPen(QPen(QColor::fromRgb(0xFF6A4A00), 1));
        p.setBrush(QColor::fromRgb(hat));
        if (court == 2) {
            p.drawPolygon(QPolygonF(
                {{18, 34}, {18, 21}, {23.5, 27}, {29, 19}, {34.5, 27}, {40, 21}, {40, 34}}));
        } else if (court == 1) {
            QPainterPath tiara;
            tiara.moveTo(20, 33);
            tiara.lineTo(20, 30);
            tiara.cubicTo(22, 25, 36, 25, 38, 30);
            tiara.lineTo(38, 33);
            tiara.closeSubpath();
            p.drawPath(tiara);
            p.setBrush(QColor::fromRgb(kRed));
            p.drawEllipse(QPointF(23, 27.5), 1.6, 1.6);
            p.drawEllipse(QPointF(29, 24.5), 2.2, 2.2);
            p.drawEllipse(QPointF(35, 27.5), 1.6, 1.6);
        } else {
            QPainterPath cap;
            cap.moveTo(19, 33);
            cap.cubicTo(19, 22, 37, 20, 40, 30);
            cap.lineTo(40, 33);
            cap.closeSubpath();
            p.drawPath(cap);
            p.setPen(QPen(QColor::fromRgb(kRed), 1.5));
            p.drawLine(QPointF(33, 25), QPointF(41, 20));
        }
        p.restore();
        PutGlyph(image, kLargeRanks[k], 29 - 7, 37, colour, 2);
        PaintSuit(p, group, QRectF(22.5, 62, 13, 13));
    }
}

}  // namespace

void PaintSuit(QPainter& p, int group, const QRectF& box, bool upsideDown) {
    p.save();
    p.translate(box.center());
    if (upsideDown) p.rotate(180);
    p.scale(box.width(), box.height());
    p.translate(-0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(SuitColour(group)));
    p.drawPath(SuitPath(group));
    p.restore();
}

QImage DrawCardFace(int group, int k, int scale) {
    QImage image = BlankCard(scale);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        DrawIndex(image, p, group, k, scale);
        if (k == 0) {
            if (scale == 1)
                PutGlyphCentred(image, kSmallAces[group], 14, 24, SuitColour(group));
            else
                PaintSuit(p, group, QRectF(14, 26, 30, 34));
        } else if (k < 10) {
            DrawPips(image, p, group, k + 1, scale);
        } else {
            DrawCourt(image, p, group, k, scale);
        }
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
