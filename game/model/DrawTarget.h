// The surface the card table draws on. The view supplies one backed by an off-screen image.
#pragma once

#include <cstdint>

#include "game/model/Geometry.h"
#include "platform/Bitmap.h"

class DrawTarget {
  public:
    virtual ~DrawTarget() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Colour as 0x00BBGGRR.
    virtual void FillRect(const Rect& rect, std::uint32_t colour) = 0;
    // Copies width x height pixels from the bitmap's top-left corner to (x, y): no scaling,
    // no mask; pixels outside the bitmap or the target are left alone.
    virtual void DrawBitmap(const Bitmap& bitmap, int x, int y, int width, int height) = 0;
    // Draws the whole bitmap scaled to `dest`, each target pixel taking the bitmap pixel
    // nearest its centre; parts outside the target are left alone.
    virtual void StretchBitmap(const Bitmap& bitmap, const Rect& dest) = 0;
    // Inverts every pixel of the rectangle (clipped to the target).
    virtual void InvertRect(const Rect& rect) = 0;
};
