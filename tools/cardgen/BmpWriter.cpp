#include "tools/cardgen/BmpWriter.h"

#include <map>

#include "tools/cardgen/LittleEndian.h"

namespace {

// The distinct colours (alpha ignored) in order of first appearance; false past `limit`.
bool BuildPalette(const Bitmap& bitmap, std::size_t limit, std::vector<std::uint32_t>& palette,
                  std::map<std::uint32_t, unsigned>& index, bool opaqueOnly) {
    for (std::uint32_t p : bitmap.pixels) {
        if (opaqueOnly && (p >> 24) < 0x80) continue;
        const std::uint32_t rgb = p & 0xFFFFFF;
        if (index.count(rgb)) continue;
        if (palette.size() == limit) return false;
        index[rgb] = static_cast<unsigned>(palette.size());
        palette.push_back(rgb);
    }
    if (palette.empty()) {
        palette.push_back(0);
        index[0] = 0;
    }
    return true;
}

void PutInfoHeader(std::vector<BYTE>& out, const Bitmap& b, int height, int bpp,
                   std::size_t colours, std::size_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(b.width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bpp));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, 3780);  // 96 dots per inch
    Put32(out, 3780);
    Put32(out, static_cast<std::uint32_t>(colours));
    Put32(out, 0);
}

void PutPalette(std::vector<BYTE>& out, const std::vector<std::uint32_t>& palette) {
    for (std::uint32_t c : palette) Put32(out, c & 0xFFFFFF);
}

// Colour rows, bottom row first, each padded to four bytes.
void PutRows(std::vector<BYTE>& out, const Bitmap& b, int bpp,
             const std::map<std::uint32_t, unsigned>& index) {
    const std::size_t stride = static_cast<std::size_t>((b.width * bpp + 31) / 32) * 4;
    for (int y = b.height - 1; y >= 0; --y) {
        std::vector<BYTE> row(stride, 0);
        for (int x = 0; x < b.width; ++x) {
            const std::uint32_t p = b.At(x, y);
            if (bpp == 24 || bpp == 32) {
                BYTE* c = row.data() + x * (bpp / 8);
                c[0] = static_cast<BYTE>(p);
                c[1] = static_cast<BYTE>(p >> 8);
                c[2] = static_cast<BYTE>(p >> 16);
            } else {
                auto it = index.find(p & 0xFFFFFF);
                const unsigned i = it == index.end() ? 0 : it->second;
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                row[bit / 8] |= static_cast<BYTE>(i << (8 - bpp - bit % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<BYTE> EncodeBmp(const Bitmap& bitmap, int bpp) {
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return {};
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, unsigned> index;
    if (bpp <= 8 && !BuildPalette(bitmap, std::size_t{1} << bpp, palette, index, false)) return {};
    const std::size_t stride = static_cast<std::size_t>((bitmap.width * bpp + 31) / 32) * 4;
    const std::size_t imageSize = stride * static_cast<std::size_t>(bitmap.height);
    const std::size_t offset = 14 + 40 + 4 * palette.size();

    std::vector<BYTE> out{'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(offset + imageSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    PutInfoHeader(out, bitmap, bitmap.height, bpp, palette.size(), imageSize);
    PutPalette(out, palette);
    PutRows(out, bitmap, bpp, index);
    return out;
}

std::vector<BYTE> EncodeIconImage(const Bitmap& bitmap) {
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, unsigned> index;
    if (!BuildPalette(bitmap, 256, palette, index, true)) return {};
    const std::size_t stride = static_cast<std::size_t>((bitmap.width * 8 + 31) / 32) * 4;
    const std::size_t maskStride = static_cast<std::size_t>((bitmap.width + 31) / 32) * 4;
    const std::size_t imageSize = (stride + maskStride) * static_cast<std::size_t>(bitmap.height);

    std::vector<BYTE> out;
    PutInfoHeader(out, bitmap, bitmap.height * 2, 8, palette.size(), imageSize);
    PutPalette(out, palette);
    PutRows(out, bitmap, 8, index);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::vector<BYTE> row(maskStride, 0);
        for (int x = 0; x < bitmap.width; ++x) {
            if ((bitmap.At(x, y) >> 24) < 0x80) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<BYTE> EncodeIconGroup(const std::vector<Bitmap>& images,
                                  const std::vector<std::size_t>& imageSizes, int firstId) {
    std::vector<BYTE> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        // Width and height 256 and more are written as 0, as in icon files.
        out.push_back(static_cast<BYTE>(images[i].width & 0xFF));
        out.push_back(static_cast<BYTE>(images[i].height & 0xFF));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 8);
        Put32(out, static_cast<std::uint32_t>(imageSizes[i]));
        Put16(out, static_cast<std::uint32_t>(firstId + static_cast<int>(i)));
    }
    return out;
}
