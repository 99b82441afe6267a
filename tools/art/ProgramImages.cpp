#include "tools/art/ProgramImages.h"

#include <QPainter>
#include <array>
#include <cmath>
#include <string_view>

#include "tools/art/CardArt.h"

namespace {

// The table's green: the empty-place mark is drawn where the table shows.
constexpr QRgb kTable = 0xFF008200;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kEdge = 0xFF3A3A3A;

}  // namespace

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
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (kArrow[static_cast<std::size_t>(y / scale)][static_cast<std::size_t>(x / scale)] ==
                '#')
                image.setPixel(x, y, 0xFF000080);
    return image;
}

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintIcon(p, size);
    return image;
}

void PaintIcon(QPainter& p, int size) {
    p.save();
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
        PaintSuit(p, group, QRectF(-5.5, -8, 11, 12));
        p.restore();
    };
    card(-20, -5.5, -1, 3);
    card(10, 5, 2, 2);
    p.restore();
}
