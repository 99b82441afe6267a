#include "game/view/ImageDrawTarget.h"

#include <algorithm>
#include <cstring>

ImageDrawTarget::ImageDrawTarget(QImage& image) : image_(image) {}

int ImageDrawTarget::Width() const {
    return image_.width();
}
int ImageDrawTarget::Height() const {
    return image_.height();
}

Rect ImageDrawTarget::Clip(const Rect& rect) const {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, image_.width()),
            std::min(rect.bottom, image_.height())};
}

void ImageDrawTarget::FillRect(const Rect& rect, std::uint32_t colour) {
    const Rect r = Clip(rect);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    // 0x00BBGGRR to the image's 0xFFRRGGBB.
    const QRgb pixel =
        0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    for (int y = r.top; y < r.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + r.left, line + r.right, pixel);
    }
}

void ImageDrawTarget::DrawBitmap(const Bitmap& bitmap, int x, int y, int width, int height) {
    // Only the part that lies on both the bitmap and the image is copied.
    width = std::min(width, bitmap.width);
    height = std::min(height, bitmap.height);
    const Rect r = Clip({x, y, x + width, y + height});
    if (r.Width() <= 0 || r.Height() <= 0) return;
    if (bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) return;
    const std::size_t count = static_cast<std::size_t>(r.Width());
    for (int row = r.top; row < r.bottom; ++row) {
        const std::uint32_t* src =
            bitmap.pixels.data() + static_cast<std::size_t>(row - y) * bitmap.width + (r.left - x);
        auto* dst = reinterpret_cast<QRgb*>(image_.scanLine(row)) + r.left;
        std::memcpy(dst, src, count * sizeof(QRgb));
    }
}

void ImageDrawTarget::StretchBitmap(const Bitmap& bitmap, const Rect& dest) {
    const Rect r = Clip(dest);
    if (r.Width() <= 0 || r.Height() <= 0 || bitmap.width <= 0 || bitmap.height <= 0) return;
    if (bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) return;
    const std::int64_t w = dest.Width();
    const std::int64_t h = dest.Height();
    for (int row = r.top; row < r.bottom; ++row) {
        const std::int64_t sy = ((row - dest.top) * 2 + 1) * bitmap.height / (2 * h);
        const std::uint32_t* src = bitmap.pixels.data() + sy * bitmap.width;
        auto* dst = reinterpret_cast<QRgb*>(image_.scanLine(row));
        for (int x = r.left; x < r.right; ++x) {
            dst[x] = src[((x - dest.left) * 2 + 1) * bitmap.width / (2 * w)];
        }
    }
}

void ImageDrawTarget::InvertRect(const Rect& rect) {
    const Rect r = Clip(rect);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    for (int y = r.top; y < r.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = r.left; x < r.right; ++x) line[x] ^= 0x00FFFFFFu;
    }
}

QImage PaintTableImage(CardTable& table, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    ImageDrawTarget target(image);
    table.Paint(target);
    return image;
}
