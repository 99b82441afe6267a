// A decoded bitmap in memory: what loading an image resource by id yields.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct Bitmap {
    int width = 0;
    int height = 0;
    // Row-major, top row first, 0xFFRRGGBB per pixel.
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

using BitmapPtr = std::shared_ptr<const Bitmap>;
