// Encodes bitmaps as uncompressed BMP files and icon images, the forms the module loader
// decodes.
#pragma once

#include <vector>

#include "platform/Bitmap.h"
#include "platform/Types.h"

// A complete BMP file at 1, 4, 8, 24 or 32 bits per pixel (bottom-up rows). At 8 bits or
// fewer the palette holds the bitmap's distinct colours in order of first appearance; empty
// when there are more colours than the depth allows or the depth is not one of these.
std::vector<BYTE> EncodeBmp(const Bitmap& bitmap, int bitsPerPixel);

// An icon image at 8 bits per pixel: info header with doubled height, palette, colour rows
// and the 1-bit mask (set where the pixel's alpha is below 0x80). Empty when the image has
// more than 256 opaque colours.
std::vector<BYTE> EncodeIconImage(const Bitmap& bitmap);

// The group directory (GRPICONDIR) for icon images with ids firstId, firstId + 1, ...
std::vector<BYTE> EncodeIconGroup(const std::vector<Bitmap>& images,
                                  const std::vector<std::size_t>& imageSizes, int firstId);
