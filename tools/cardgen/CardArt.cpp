#include "tools/cardgen/CardArt.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <string_view>

namespace {

constexpr QRgb kTable = 0xFF008200;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kEdge = 0xFF3A3A3A;
constexpr QRgb kRed = 0xFFD0101A;
constexpr QRgb kBlack = 0xFF101010;
constexpr QRgb kFrame = 0xFFFFF4D6;
constexpr QRgb kGold = 0xFFD89A00;
constexpr QRgb kCap = 0xFF2A5CC8;

using Glyph = std::array<std::string_view, 11>;
using SmallGlyph = std::array<std::string_view, 6>;

// Rank glyphs for the small cards, six rows high, 1-pixel strokes. Index: 0 Ace ... 12 King.
const SmallGlyph kSmallRanks[13] = {
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
const Glyph kLargeRanks[13] = {
    Glyph{"..###..", ".##.##.", "##...##", "##...##", "##...##", "#######", "#######", "##...##",
          "##...##", "##...##", "##...##"},
    Glyph{".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....",
          "##.....", "#######", "#######"},
    Glyph{".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##",
          ".....##", "##...##", ".#####."},
    Glyph{"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "#######",
          "....##.", "....##.", "....##."},
    Glyph{"#######", "##.....", "##.....", "##.....", "######.", ".....##", ".....##", ".....##",
          ".....##", "##...##", ".#####."},
    Glyph{"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##",
          "##...##", "##...##", ".#####."},
    Glyph{"#######", "#######", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...",
          "..##...", "..##...", "..##..."},
    Glyph{".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##",
          "##...##", "##...##", ".#####."},
    Glyph{".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##",
          ".....##", "....##.", ".####.."},
    Glyph{"..##..####.", ".###.##..##", "####.##..##", "..##.##..##", "..##.##..##", "..##.##..##",
          "..##.##..##", "..##.##..##", "..##.##..##", "..##.##..##", "..##..####."},
    Glyph{"..#####", "....##.", "....##.", "....##.", "....##.", "....##.", "....##.", "....##.",
          "##..##.", "##..##.", ".####.."},
    Glyph{".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##.#.##",
          "##..##.", ".###.##", ".......#"},
    Glyph{"##...##", "##..##.", "##.##..", "####...", "###....", "###....", "####...", "##.##..",
          "##..##.", "##...##", "##...##"},
};

// Suit pips for the small cards, 5 x 6. Index: image group (clubs, diamonds, hearts, spades).
const SmallGlyph kSmallPips[4] = {
    {".###.", ".###.", "#####", "##.##", "..#..", ".###."},
    {"..#..", ".###.", "#####", "#####", ".###.", "..#.."},
    {".#.#.", "#####", "#####", "#####", ".###.", "..#.."},
    {"..#..", ".###.", "#####", "#####", "..#..", ".###."},
};

// Headgear of the court cards at the small size, 9 x 4: Jack, Queen, King.
const std::array<std::string_view, 4> kSmallHeadgear[3] = {
    {"...####..", "..######.", "#########", "........."},
    {"....#....", ".#.###.#.", "#########", "#########"},
    {"#...#...#", "##.###.##", "#########", "#########"},
};

bool IsRed(int group) {
    return group == 1 || group == 2;
}

template <typename Rows>
int GlyphWidth(const Rows& rows) {
    std::size_t w = 0;
    for (auto row : rows) w = std::max(w, row.size());
    return static_cast<int>(w);
}

// Sets the marked pixels of a glyph; `cell` is the size of one glyph pixel, `flip` turns the
// glyph upside down.
template <typename Rows>
void PutGlyph(QImage& image, const Rows& rows, int x, int y, QRgb colour, int cell = 1,
              bool flip = false) {
    const int h = static_cast<int>(rows.size());
    for (int r = 0; r < h; ++r) {
        const auto row = rows[static_cast<std::size_t>(flip ? h - 1 - r : r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            if (row[static_cast<std::size_t>(c)] != '#') continue;
            for (int dy = 0; dy < cell; ++dy)
                for (int dx = 0; dx < cell; ++dx)
                    image.setPixel(x + c * cell + dx, y + r * cell + dy, colour);
        }
    }
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
            d.quadTo(0.68, 0.3, 0.88, 0.5);
            d.quadTo(0.68, 0.7, 0.5, 1.0);
            d.quadTo(0.32, 0.7, 0.12, 0.5);
            d.quadTo(0.32, 0.3, 0.5, 0.0);
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

// Fills the suit shape into `box`, turned upside down when `flip` is set.
void PaintPip(QPainter& p, int group, const QRectF& box, bool flip = false) {
    p.save();
    p.translate(box.center());
    if (flip) p.rotate(180);
    p.scale(box.width(), box.height());
    p.translate(-0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(IsRed(group) ? kRed : kBlack));
    p.drawPath(SuitPath(group));
    p.restore();
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

// White card with a dark edge; the corners outside the rounded edge keep the table colour,
// so a card on the table looks rounded.
QImage BlankCard(int scale) {
    const int w = 29 * scale, h = 41 * scale;
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(kTable);
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
        p.drawRoundedRect(QRectF(0.6, 0.6, w - 1.2, h - 1.2), 4.5, 4.5);
    }
    return image;
}

void DrawIndex(QImage& image, QPainter& p, int group, int k, int scale) {
    const QRgb colour = IsRed(group) ? kRed : kBlack;
    if (scale == 1) {
        PutGlyph(image, kSmallRanks[k], 2, 2, colour);
        PutGlyph(image, kSmallPips[group], 2 + GlyphWidth(kSmallRanks[k]) + 1, 2, colour);
    } else {
        PutGlyph(image, kLargeRanks[k], 4, 3, colour);
        const double x = 4 + GlyphWidth(kLargeRanks[k]) + 2;
        PaintPip(p, group, QRectF(x, 3, 10, 11));
    }
}

void DrawPips(QImage& image, QPainter& p, int group, int count, int scale) {
    const QRgb colour = IsRed(group) ? kRed : kBlack;
    for (const PipSpot& spot : PipSpots(count)) {
        if (scale == 1) {
            const int x = 14 + spot.column * 6 - 2;
            const int y = static_cast<int>(std::lround(10 + spot.row * 22));
            PutGlyph(image, kSmallPips[group], x, y, colour);
        } else {
            const double cx = 29 + spot.column * 12.5;
            const double cy = 24 + spot.row * 44;
            // The lower half of the pips stand upside down, as on printed cards.
            PaintPip(p, group, QRectF(cx - 5.5, cy - 6, 11, 12), spot.row > 0.5);
        }
    }
}

void DrawCourt(QImage& image, QPainter& p, int group, int k, int scale) {
    const QRgb colour = IsRed(group) ? kRed : kBlack;
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
        PutGlyph(image, kLargeRanks[k], 11, 17, colour);
        PutGlyph(image, kSmallPips[group], 12, 30, colour);
    } else {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor::fromRgb(colour));
        p.setBrush(QColor::fromRgb(kFrame));
        p.drawRect(10, 18, 37, 58);
        p.restore();
        // Headgear: a pointed crown for the King, a jewelled one for the Queen, a cap for the
        // Jack.
        p.save();
        p.setPen(QPen(QColor::fromRgb(0xFF6A4A00), 1));
        p.setBrush(QColor::fromRgb(hat));
        if (court == 2) {
            p.drawPolygon(
                QPolygonF({{19, 33}, {19, 23}, {24, 28}, {29, 21}, {34, 28}, {39, 23}, {39, 33}}));
        } else if (court == 1) {
            p.drawPolygon(QPolygonF(
                {{20, 33}, {21, 25}, {25.5, 29}, {29, 24}, {32.5, 29}, {37, 25}, {38, 33}}));
            p.setBrush(QColor::fromRgb(kRed));
            p.drawEllipse(QPointF(21, 24), 1.8, 1.8);
            p.drawEllipse(QPointF(29, 22.5), 2, 2);
            p.drawEllipse(QPointF(37, 24), 1.8, 1.8);
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
        PaintPip(p, group, QRectF(22.5, 62, 13, 13));
    }
}

QImage ToRgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage DrawCardFace(int group, int k, int scale) {
    QImage image = BlankCard(scale);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        DrawIndex(image, p, group, k, scale);
        if (k == 0) {
            if (scale == 1)
                PaintPip(p, group, QRectF(7, 13, 15, 17));
            else
                PaintPip(p, group, QRectF(14, 26, 30, 34));
        } else if (k < 10) {
            DrawPips(image, p, group, k + 1, scale);
        } else {
            DrawCourt(image, p, group, k, scale);
        }
    }
    return ToRgb(image);
}

QImage DrawEmptyPlace(int scale) {
    const int w = 29 * scale, h = 41 * scale;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kTable);
    const QRgb line = 0xFF6CD06C, mark = 0xFF006400;
    // A rounded outline of a card, two pixels thick at the large size.
    for (int t = 0; t < scale; ++t) {
        for (int x = 1 + t; x < w - 1 - t; ++x) {
            image.setPixel(x, t, line);
            image.setPixel(x, h - 1 - t, line);
        }
        for (int y = 1 + t; y < h - 1 - t; ++y) {
            image.setPixel(t, y, line);
            image.setPixel(w - 1 - t, y, line);
        }
    }
    // A ring in the middle, darker than the table, marks the place without drawing the eye.
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, r = 6.0 * scale;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d <= r && d > r - 1.5 * scale) image.setPixel(x, y, mark);
        }
    return image;
}

QImage DrawUndoButton(int scale) {
    // An arrow that runs left along the top and bends back down: "take back". Pixel art,
    // doubled at the large size, so it stays within 16 colours and sharp.
    static constexpr std::array<std::string_view, 15> kArrow = {
        "................", "....#...........", "...##...........", "..###########...",
        ".#############..", "..###.......###.", "...##........##.", "....#........##.",
        ".............##.", ".............##.", "............###.", "..........####..",
        "......#######...", "......######....", "................"};
    QImage image(16 * scale, 15 * scale, QImage::Format_RGB32);
    image.fill(0xFFC0C0C0);
    PutGlyph(image, kArrow, 0, 0, 0xFF000080, scale);
    return image;
}

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Two cards fanned over each other, a black spade behind a red heart.
    auto card = [&](double angle, double dx, double dy, int group) {
        p.save();
        p.translate(16 + dx, 16 + dy);
        p.rotate(angle);
        p.setPen(QPen(QColor::fromRgb(kEdge), 1.0));
        p.setBrush(QColor::fromRgb(kWhite));
        p.drawRoundedRect(QRectF(-8.5, -12.5, 17, 25), 2, 2);
        PaintPip(p, group, QRectF(-5.5, -8, 11, 12));
        p.restore();
    };
    card(-20, -5.5, -1, 3);
    card(10, 5, 2, 2);
    return image;
}
