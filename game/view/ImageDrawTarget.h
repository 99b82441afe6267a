// The drawing surface of the card table, backed by an off-screen QImage.
#pragma once

#include <QImage>
#include <QSize>

#include "game/model/CardTable.h"
#include "game/model/DrawTarget.h"

class ImageDrawTarget : public DrawTarget {
  public:
    // Draws into `image`, which must be Format_RGB32 and outlive the target.
    explicit ImageDrawTarget(QImage& image);

    int Width() const override;
    int Height() const override;
    void FillRect(const Rect& rect, std::uint32_t colour) override;
    void DrawBitmap(const Bitmap& bitmap, int x, int y, int width, int height) override;
    void StretchBitmap(const Bitmap& bitmap, const Rect& dest) override;
    void InvertRect(const Rect& rect) override;

  private:
    // The part of `rect` that lies on the image.
    Rect Clip(const Rect& rect) const;

    QImage& image_;
};

// One complete paint of the table: a fresh off-screen image of `size` on which the table
// paints its background and its cards. The window copies this image to the screen.
QImage PaintTableImage(CardTable& table, QSize size);
