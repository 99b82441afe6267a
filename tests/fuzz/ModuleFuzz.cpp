// The resource-module container and the bitmaps and icons in it. A module is taken only when
// its header and directory hold together, every resource handed out lies inside the module
// and is the first entry of its (type, id), and every decoded image has the pixels it claims.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "platform/Modules.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void CheckImage(const BitmapPtr& image) {
    if (!image) return;
    FUZZ_CHECK(image->width > 0 && image->height > 0);
    FUZZ_CHECK(image->pixels.size() ==
               static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
}

void CheckModule(const std::vector<BYTE>& bytes) {
    HMODULE module = platform::LoadModuleFromMemory(bytes);
    if (!module) return;
    const std::size_t size = bytes.size();
    FUZZ_CHECK(size >= 16 && std::memcmp(bytes.data(), "KTRM", 4) == 0);
    FUZZ_CHECK(U32(bytes.data() + 12) == size);
    const std::size_t header = bytes[6] | bytes[7] << 8;
    const std::size_t count = U32(bytes.data() + 8);
    FUZZ_CHECK(header >= 16 && header + count * 16 <= size);
    for (std::size_t i = 0; i < count && i < 64; ++i) {
        const std::uint8_t* e = bytes.data() + header + i * 16;
        const DWORD type = U32(e), id = U32(e + 4);
        std::size_t first = 0;
        while (U32(bytes.data() + header + first * 16) != type ||
               U32(bytes.data() + header + first * 16 + 4) != id) {
            ++first;
        }
        const std::uint8_t* f = bytes.data() + header + first * 16;
        const std::span<const BYTE> found = platform::FindResourceBytes(module, type, id);
        FUZZ_CHECK(found.size() == U32(f + 12));
        // The module keeps its own copy; the bytes handed out are that copy's.
        if (!found.empty())
            FUZZ_CHECK(std::memcmp(found.data(), bytes.data() + U32(f + 8), found.size()) == 0);
        if (type == RT_BITMAP && id <= 0x7FFFFFFF)
            CheckImage(LoadBitmapW(module, static_cast<int>(id)));
        if (type == RT_GROUP_ICON && id <= 0x7FFFFFFF) {
            for (const BitmapPtr& image : platform::LoadIconGroup(module, static_cast<int>(id))) {
                FUZZ_CHECK(image != nullptr);
                CheckImage(image);
            }
        }
    }
    // The ids the card table asks for, present or not.
    for (int id = 1; id <= 52; ++id) CheckImage(LoadBitmapW(module, id));
    FUZZ_CHECK(FreeLibrary(module));
    FUZZ_CHECK(!FreeLibrary(module));
    FUZZ_CHECK(platform::FindResourceBytes(module, RT_BITMAP, 1).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const BYTE> input(data, size);
    CheckImage(platform::DecodeBmp(input));
    CheckImage(platform::DecodeIconImage(input));

    std::vector<BYTE> bytes(data, data + size);
    CheckModule(bytes);
    // The same bytes with a size field that matches, so that the directory and the
    // resources behind it are reached without first guessing the file's length.
    if (size >= 16 && U32(data + 12) != size) {
        const auto length = static_cast<std::uint32_t>(size);
        for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<BYTE>(length >> (8 * i));
        CheckModule(bytes);
    }
    return 0;
}
