#include "tests/game/view/ViewTestSupport.h"

#include "platform/Modules.h"
#include "tools/cardgen/BmpWriter.h"
#include "tools/cardgen/ResourceModuleWriter.h"

std::uint32_t FaceColour(int id) {
    // High bit of red set, so no face is its own or another's negative, nor the table.
    return 0xFF800000u | static_cast<std::uint32_t>(id * 2) << 16 |
           static_cast<std::uint32_t>(id) << 8 | 0x40u;
}

void WritePlainLibrary(const std::filesystem::path& path, int width, int height) {
    ResourceModuleWriter writer;
    for (int id = 1; id <= 52; ++id) {
        Bitmap b{
            width, height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, FaceColour(id))};
        writer.Add(RT_BITMAP, static_cast<DWORD>(id), EncodeBmp(b, 24));
    }
    writer.WriteFile(path);
}

bool ShowsBitmap(const QImage& image, const Bitmap& bitmap, int x, int y) {
    for (int j = 0; j < bitmap.height; ++j)
        for (int i = 0; i < bitmap.width; ++i)
            if (image.pixel(x + i, y + j) != bitmap.At(i, j)) return false;
    return true;
}

bool AllPixels(const QImage& image, int left, int top, int right, int bottom, std::uint32_t pixel) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (image.pixel(x, y) != pixel) return false;
    return true;
}
