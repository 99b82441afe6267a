#include "platform/Modules.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <system_error>

#include "platform/ModuleFormat.h"
#include "platform/PlatformConfig.h"
#include "platform/WideString.h"

namespace fs = std::filesystem;

namespace {

// Anything larger is not a resource module of ours; refusing it keeps a stray big file
// from being read into memory.
constexpr std::uintmax_t kMaxModuleSize = 64u << 20;
using module_format::kEntrySize;
using module_format::kHeaderSize;
// Bitmaps beyond this are refused before any allocation.
constexpr std::int64_t kMaxPixels = 16 << 20;

struct Entry {
    DWORD type;
    DWORD id;
    DWORD offset;
    DWORD size;
};

struct ResourceModule {
    std::vector<BYTE> bytes;
    std::vector<Entry> entries;
};

std::mutex& LiveMutex() {
    static std::mutex m;
    return m;
}
std::set<const void*>& Live() {
    static std::set<const void*> live;
    return live;
}

std::uint16_t U16(const BYTE* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const BYTE* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const BYTE* p) {
    return static_cast<std::int32_t>(U32(p));
}

// Checks the header and every directory entry; fills `entries` only when all hold.
bool ParseDirectory(const std::vector<BYTE>& bytes, std::vector<Entry>& entries) {
    const std::size_t size = bytes.size();
    if (size < kHeaderSize) return false;
    const BYTE* p = bytes.data();
    if (std::memcmp(p, module_format::kMagic, 4) != 0 || U16(p + 4) != module_format::kVersion)
        return false;
    const std::size_t headerSize = U16(p + 6);
    const std::size_t count = U32(p + 8);
    if (headerSize < kHeaderSize || headerSize > size || U32(p + 12) != size) return false;
    if (count > (size - headerSize) / kEntrySize) return false;
    const std::size_t dataStart = headerSize + count * kEntrySize;
    entries.clear();
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const BYTE* e = p + headerSize + i * kEntrySize;
        Entry entry{U32(e), U32(e + 4), U32(e + 8), U32(e + 12)};
        if (entry.offset < dataStart || entry.offset > size || entry.size > size - entry.offset) {
            entries.clear();
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

HMODULE Adopt(std::vector<BYTE> bytes) {
    auto module = std::make_unique<ResourceModule>();
    if (!ParseDirectory(bytes, module->entries)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    module->bytes = std::move(bytes);
    std::lock_guard lock(LiveMutex());
    Live().insert(module.get());
    return module.release();
}

const ResourceModule* Resolve(HMODULE handle) {
    std::lock_guard lock(LiveMutex());
    return Live().count(handle) ? static_cast<const ResourceModule*>(handle) : nullptr;
}

bool ReadWholeFile(const fs::path& path, std::vector<BYTE>& out) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxModuleSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
    return static_cast<std::uintmax_t>(in.gcount()) == size;
}

// The host files a module name stands for, in search order.
std::vector<fs::path> Candidates(std::u16string_view name) {
    const bool hasPath = name.find_first_of(u"\\/") != std::u16string_view::npos;
    if (hasPath) return {platform::ToHostPath(name)};
    std::vector<fs::path> result;
    const fs::path folder = platform::ModulePath().parent_path();
    if (!folder.empty()) result.push_back(folder / ToUtf8(name));
    result.push_back(platform::ToHostPath(std::u16string(u"\\Windows\\") + std::u16string(name)));
    return result;
}

// Decodes the pixel rows of a DIB whose info header starts at `info`. `pixelOffset` is the
// offset of the colour rows from `base`, or 0 when they follow the palette (icon images).
// For icons the height covers colour rows and mask rows, and the mask becomes alpha.
BitmapPtr DecodeDib(std::span<const BYTE> data, std::size_t info, std::size_t pixelOffset,
                    bool icon) {
    const std::size_t size = data.size();
    if (info > size || size - info < 40) return nullptr;
    const BYTE* h = data.data() + info;
    const std::size_t headerSize = U32(h);
    if (headerSize < 40 || headerSize > size - info) return nullptr;
    const std::int64_t width = I32(h + 4);
    std::int64_t height = I32(h + 8);
    const unsigned planes = U16(h + 12), bpp = U16(h + 14);
    const std::uint32_t compression = U32(h + 16);
    std::uint32_t colours = U32(h + 32);
    if (planes != 1 || compression != 0) return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
    bool topDown = false;
    if (height < 0) {
        if (icon) return nullptr;
        topDown = true;
        height = -height;
    }
    if (icon) {
        if (height % 2 != 0) return nullptr;
        height /= 2;
    }
    if (width <= 0 || height <= 0 || width * height > kMaxPixels) return nullptr;

    std::vector<std::uint32_t> palette;
    std::size_t pos = info + headerSize;
    if (bpp <= 8) {
        const std::uint32_t maxColours = 1u << bpp;
        if (colours == 0) colours = maxColours;
        if (colours > maxColours) return nullptr;
        if (pos > size || (size - pos) / 4 < colours) return nullptr;
        for (std::uint32_t i = 0; i < colours; ++i, pos += 4) {
            const BYTE* c = data.data() + pos;
            palette.push_back(0xFF000000u | (c[2] << 16) | (c[1] << 8) | c[0]);
        }
    }
    if (pixelOffset == 0) pixelOffset = pos;
    const std::size_t stride = static_cast<std::size_t>((width * bpp + 31) / 32) * 4;
    const std::size_t maskStride = static_cast<std::size_t>((width + 31) / 32) * 4;
    const std::size_t rows = static_cast<std::size_t>(height);
    std::size_t needed = stride * rows;
    if (icon) needed += maskStride * rows;
    if (pixelOffset > size || size - pixelOffset < needed) return nullptr;

    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = static_cast<int>(width);
    bitmap->height = static_cast<int>(height);
    bitmap->pixels.resize(static_cast<std::size_t>(width * height));
    for (std::size_t row = 0; row < rows; ++row) {
        const BYTE* src = data.data() + pixelOffset + row * stride;
        const std::size_t y = topDown ? row : rows - 1 - row;
        std::uint32_t* dst = bitmap->pixels.data() + y * static_cast<std::size_t>(width);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t pixel;
            if (bpp == 24) {
                const BYTE* c = src + x * 3;
                pixel = 0xFF000000u | (c[2] << 16) | (c[1] << 8) | c[0];
            } else if (bpp == 32) {
                const BYTE* c = src + x * 4;
                pixel = 0xFF000000u | (c[2] << 16) | (c[1] << 8) | c[0];
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const unsigned shift = 8 - bpp - (bit % 8);
                const unsigned index = (src[bit / 8] >> shift) & ((1u << bpp) - 1);
                if (index >= palette.size()) return nullptr;
                pixel = palette[index];
            }
            dst[x] = pixel;
        }
        if (icon) {
            const BYTE* mask = data.data() + pixelOffset + stride * rows + row * maskStride;
            for (std::int64_t x = 0; x < width; ++x) {
                if ((mask[x / 8] >> (7 - x % 8)) & 1) dst[x] &= 0x00FFFFFFu;
            }
        }
    }
    return bitmap;
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool sawFile = false;
    for (const fs::path& path : Candidates(std::u16string_view(name, WideLength(name)))) {
        std::vector<BYTE> bytes;
        if (!ReadWholeFile(path, bytes)) continue;
        sawFile = true;
        // A damaged module counts as missing; the search goes on as it would for a gap.
        if (HMODULE module = Adopt(std::move(bytes))) return module;
    }
    SetLastError(sawFile ? ERROR_INVALID_DATA : ERROR_FILE_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE handle) {
    std::unique_ptr<ResourceModule> module;
    {
        std::lock_guard lock(LiveMutex());
        if (!handle || Live().erase(handle) == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        module.reset(static_cast<ResourceModule*>(handle));
    }
    return TRUE;
}

BitmapPtr LoadBitmapW(HMODULE module, int id) {
    if (id < 0) return nullptr;
    return platform::DecodeBmp(
        platform::FindResourceBytes(module, RT_BITMAP, static_cast<DWORD>(id)));
}

namespace platform {

HMODULE LoadModuleFromMemory(std::span<const BYTE> image) {
    return Adopt(std::vector<BYTE>(image.begin(), image.end()));
}

std::span<const BYTE> FindResourceBytes(HMODULE handle, DWORD type, DWORD id) {
    const ResourceModule* module = Resolve(handle);
    if (!module) return {};
    for (const Entry& e : module->entries) {
        if (e.type == type && e.id == id) return {module->bytes.data() + e.offset, e.size};
    }
    return {};
}

std::vector<BitmapPtr> LoadIconGroup(HMODULE module, int id) {
    std::vector<BitmapPtr> images;
    if (id < 0) return images;
    const auto dir = FindResourceBytes(module, RT_GROUP_ICON, static_cast<DWORD>(id));
    if (dir.size() < 6 || U16(dir.data()) != 0 || U16(dir.data() + 2) != 1) return images;
    const std::size_t count = U16(dir.data() + 4);
    if ((dir.size() - 6) / 14 < count) return images;
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD imageId = U16(dir.data() + 6 + i * 14 + 12);
        if (auto image = DecodeIconImage(FindResourceBytes(module, RT_ICON, imageId))) {
            images.push_back(std::move(image));
        }
    }
    return images;
}

BitmapPtr DecodeBmp(std::span<const BYTE> data) {
    if (data.size() < 14 || data[0] != 'B' || data[1] != 'M') return nullptr;
    const std::size_t pixelOffset = U32(data.data() + 10);
    if (pixelOffset < 14 + 40) return nullptr;
    return DecodeDib(data, 14, pixelOffset, false);
}

BitmapPtr DecodeIconImage(std::span<const BYTE> data) {
    return DecodeDib(data, 0, 0, true);
}

}  // namespace platform
