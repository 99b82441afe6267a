// Helpers for the view tests: card libraries whose faces are plain colours, so that every
// pixel of a painted board can be explained.
#pragma once

#include <QImage>
#include <filesystem>

#include "game/model/QuietOwner.h"
#include "platform/Bitmap.h"

// The colour (0xFFRRGGBB) of face `id` in the plain-colour libraries: distinct for every id,
// and neither the table colour nor the negative of any face.
std::uint32_t FaceColour(int id);

// Writes a library with bitmaps 1..52, each `width` x `height` in its face colour.
void WritePlainLibrary(const std::filesystem::path& path, int width, int height);

// The table colour 0x008200 as a pixel.
constexpr std::uint32_t kTablePixel = 0xFF008200;

// True when the image shows `bitmap` unchanged with its top-left corner at (x, y).
bool ShowsBitmap(const QImage& image, const Bitmap& bitmap, int x, int y);
// True when every pixel of the rectangle has this colour.
bool AllPixels(const QImage& image, int left, int top, int right, int bottom, std::uint32_t pixel);
