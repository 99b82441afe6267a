#include "platform/Modules.h"

#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "platform/PlatformConfig.h"
#include "platform/WideString.h"
#include "tests/support/TempPlatform.h"
#include "tools/cardgen/BmpWriter.h"
#include "tools/cardgen/ResourceModuleWriter.h"

namespace fs = std::filesystem;

namespace {

// A small picture with a distinct colour in every corner, so flipped or shifted rows show.
Bitmap Picture(int w, int h, int colours) {
    Bitmap b;
    b.width = w;
    b.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t shade = static_cast<std::uint32_t>((x * 7 + y * 3) % colours);
            b.pixels.push_back(0xFF000000u | (shade * 0x0F1A23u & 0xFFFFFF));
        }
    return b;
}

void WriteBytes(const fs::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<BYTE> ModuleWithBitmap(int id, const Bitmap& b, int bpp = 24) {
    ResourceModuleWriter writer;
    writer.Add(RT_BITMAP, static_cast<DWORD>(id), EncodeBmp(b, bpp));
    return writer.Bytes();
}

struct ModuleHandle {
    HMODULE h;
    explicit ModuleHandle(HMODULE handle) : h(handle) {}
    ~ModuleHandle() {
        if (h) FreeLibrary(h);
    }
};

void PutU32(std::vector<BYTE>& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(v >> (8 * i));
}

TEST(ModuleBitmapTest, EveryDepthDecodesToTheSamePixels) {
    for (int bpp : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bpp);
        // Odd widths exercise the row padding.
        const Bitmap original = Picture(13, 7, bpp == 1 ? 2 : bpp == 4 ? 16 : 200);
        ModuleHandle m(platform::LoadModuleFromMemory(ModuleWithBitmap(5, original, bpp)));
        ASSERT_NE(m.h, nullptr);
        BitmapPtr decoded = LoadBitmapW(m.h, 5);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->width, 13);
        EXPECT_EQ(decoded->height, 7);
        EXPECT_EQ(decoded->pixels, original.pixels);
        EXPECT_EQ(LoadBitmapW(m.h, 6), nullptr);
        EXPECT_EQ(LoadBitmapW(m.h, -1), nullptr);
    }
}

TEST(ModuleBitmapTest, TopDownRowsAreReadTopFirst) {
    const Bitmap original = Picture(5, 4, 200);
    std::vector<BYTE> bmp = EncodeBmp(original, 24);
    // Reverse the rows and make the height negative: the same picture stored top-down.
    const std::size_t offset = 54, stride = 16;
    std::vector<BYTE> rows(bmp.begin() + offset, bmp.end());
    for (std::size_t r = 0; r < 4; ++r)
        std::copy(rows.begin() + (3 - r) * stride, rows.begin() + (4 - r) * stride,
                  bmp.begin() + offset + r * stride);
    PutU32(bmp, 22, static_cast<std::uint32_t>(-4));
    BitmapPtr decoded = platform::DecodeBmp(bmp);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->pixels, original.pixels);
}

TEST(ModuleBitmapTest, MalformedBitmapsGiveNull) {
    const Bitmap original = Picture(6, 5, 4);
    const std::vector<BYTE> good = EncodeBmp(original, 4);
    ASSERT_NE(platform::DecodeBmp(good), nullptr);

    auto patched = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
        std::vector<BYTE> b = good;
        for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<BYTE>(value >> (8 * i));
        return platform::DecodeBmp(b);
    };
    EXPECT_EQ(patched(0, 'X', 1), nullptr);       // not "BM"
    EXPECT_EQ(patched(28, 16, 2), nullptr);       // 16 bits per pixel: not supported
    EXPECT_EQ(patched(30, 1), nullptr);           // compressed
    EXPECT_EQ(patched(18, 0), nullptr);           // no width
    EXPECT_EQ(patched(18, 0x7FFFFFFF), nullptr);  // absurd width
    EXPECT_EQ(patched(22, 0x40000000), nullptr);  // rows beyond the data
    EXPECT_EQ(patched(10, 0xFFFFFFF0), nullptr);  // pixel offset past the end
    EXPECT_EQ(patched(46, 17), nullptr);          // more colours than 4 bits allow
    EXPECT_EQ(patched(46, 2), nullptr);           // indices 2 and 3 point past the palette
    EXPECT_EQ(patched(14, 0x7FFFFFFF), nullptr);  // info header larger than the file
    for (std::size_t n = 0; n < good.size(); ++n) {
        EXPECT_EQ(platform::DecodeBmp(std::span(good.data(), n)), nullptr) << n;
    }
}

TEST(ModuleFormatTest, DamagedHeadersAreNotLoaded) {
    const std::vector<BYTE> good = ModuleWithBitmap(1, Picture(3, 3, 9));
    ModuleHandle ok(platform::LoadModuleFromMemory(good));
    ASSERT_NE(ok.h, nullptr);

    auto loads = [](std::vector<BYTE> b) {
        ModuleHandle m(platform::LoadModuleFromMemory(b));
        return m.h != nullptr;
    };
    auto with = [&](std::size_t at, std::uint32_t v) {
        std::vector<BYTE> b = good;
        PutU32(b, at, v);
        return b;
    };
    std::vector<BYTE> b = good;
    b[0] = 'X';
    EXPECT_FALSE(loads(b));
    EXPECT_FALSE(loads(with(4, 2)));                     // version 2
    EXPECT_FALSE(loads(with(8, 0x10000000)));            // more entries than the file holds
    EXPECT_FALSE(loads(with(12, good.size() + 1)));      // recorded size differs
    EXPECT_FALSE(loads(with(16 + 8, 4)));                // data inside the directory
    EXPECT_FALSE(loads(with(16 + 8, good.size() + 1)));  // data past the end
    EXPECT_FALSE(loads(with(16 + 12, 0xFFFFFFFF)));      // offset + size wraps around
    EXPECT_FALSE(loads(with(4, 0x00080001)));            // header size below 16

    // Every truncation is refused, and so is a longer file.
    for (std::size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(loads(std::vector<BYTE>(good.begin(), good.begin() + n))) << n;
    }
    b = good;
    b.push_back(0);
    EXPECT_FALSE(loads(b));
}

// Random damage anywhere never reads outside the data: the module is refused, or its
// bitmaps decode to null or to whole pictures.
TEST(ModuleFormatTest, RandomByteFlipsAreSafe) {
    ResourceModuleWriter writer;
    writer.Add(RT_BITMAP, 1, EncodeBmp(Picture(9, 11, 2), 1));
    writer.Add(RT_BITMAP, 2, EncodeBmp(Picture(9, 11, 16), 4));
    writer.Add(RT_BITMAP, 3, EncodeBmp(Picture(9, 11, 150), 8));
    writer.Add(RT_BITMAP, 4, EncodeBmp(Picture(9, 11, 150), 32));
    Bitmap icon = Picture(8, 8, 20);
    writer.Add(RT_ICON, 1, EncodeIconImage(icon));
    writer.Add(RT_GROUP_ICON, 7, EncodeIconGroup({icon}, {0}, 1));
    const std::vector<BYTE> good = writer.Bytes();

    std::mt19937 random(12345);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<BYTE> b = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            b[random() % b.size()] ^= static_cast<BYTE>(1 + random() % 255);
        ModuleHandle m(platform::LoadModuleFromMemory(b));
        if (!m.h) continue;
        ++loaded;
        for (int id = 1; id <= 4; ++id) {
            if (BitmapPtr p = LoadBitmapW(m.h, id)) {
                ASSERT_EQ(p->pixels.size(), static_cast<std::size_t>(p->width) * p->height);
            }
        }
        for (const BitmapPtr& p : platform::LoadIconGroup(m.h, 7)) {
            ASSERT_EQ(p->pixels.size(), static_cast<std::size_t>(p->width) * p->height);
        }
    }
    // Most flips land in the pixel data and leave the directory intact.
    EXPECT_GT(loaded, 1000);
}

TEST(ModuleFormatTest, FirstOfTwoEqualEntriesCounts) {
    ResourceModuleWriter writer;
    writer.Add(RT_TOOLBAR, 9, {1, 2});
    writer.Add(RT_BITMAP, 9, EncodeBmp(Picture(2, 2, 4), 24));
    writer.Add(RT_TOOLBAR, 9, {3, 4, 5});
    ModuleHandle m(platform::LoadModuleFromMemory(writer.Bytes()));
    ASSERT_NE(m.h, nullptr);
    const auto bytes = platform::FindResourceBytes(m.h, RT_TOOLBAR, 9);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.end()), (std::vector<BYTE>{1, 2}));
    EXPECT_TRUE(platform::FindResourceBytes(m.h, RT_TOOLBAR, 10).empty());
    EXPECT_TRUE(platform::FindResourceBytes(nullptr, RT_TOOLBAR, 9).empty());
}

TEST(ModuleFormatTest, IconImagesKeepTheirMaskAsAlpha) {
    Bitmap icon = Picture(16, 16, 30);
    icon.pixels[0] = 0x00000000;  // transparent corner
    icon.pixels[17] = 0x00123456;
    ResourceModuleWriter writer;
    writer.Add(RT_ICON, 1, EncodeIconImage(icon));
    Bitmap big = Picture(32, 32, 30);
    writer.Add(RT_ICON, 2, EncodeIconImage(big));
    writer.Add(RT_GROUP_ICON, 128, EncodeIconGroup({icon, big}, {0, 0}, 1));
    ModuleHandle m(platform::LoadModuleFromMemory(writer.Bytes()));
    const auto images = platform::LoadIconGroup(m.h, 128);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->width, 16);
    EXPECT_EQ(images[1]->width, 32);
    EXPECT_EQ(images[0]->At(0, 0) >> 24, 0u);
    EXPECT_EQ(images[0]->At(1, 1) >> 24, 0u);
    EXPECT_EQ(images[0]->At(2, 0), icon.At(2, 0));
    EXPECT_EQ(images[1]->pixels, big.pixels);
    EXPECT_TRUE(platform::LoadIconGroup(m.h, 129).empty());
}

class ModuleSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program_ = temp_.Root() / "bin";
        fs::create_directories(program_);
        platform::SetModulePath(program_ / "tessamo");
    }
    void TearDown() override { platform::SetModulePath({}); }

    fs::path Windows() const { return temp_.DeviceRoot() / "Windows"; }
    // A module whose bitmap 1 is one pixel of the given colour, so tests can tell files apart.
    void Put(const fs::path& path, std::uint32_t colour) {
        Bitmap b{1, 1, {0xFF000000u | colour}};
        WriteBytes(path, ModuleWithBitmap(1, b));
    }
    std::uint32_t ColourOf(HMODULE m) {
        BitmapPtr b = LoadBitmapW(m, 1);
        return b ? b->At(0, 0) & 0xFFFFFF : 0xDEAD;
    }

    TempPlatform temp_;
    fs::path program_;
};

TEST_F(ModuleSearchTest, BareNamePrefersTheProgramFolderThenWindows) {
    Put(Windows() / "cards.dll", 0x222222);
    {
        ModuleHandle m(LoadLibraryW(u"cards.dll"));
        EXPECT_EQ(ColourOf(m.h), 0x222222u);
    }
    Put(program_ / "cards.dll", 0x111111);
    ModuleHandle m(LoadLibraryW(u"cards.dll"));
    EXPECT_EQ(ColourOf(m.h), 0x111111u);
}

TEST_F(ModuleSearchTest, DamagedCopyInTheProgramFolderCountsAsMissing) {
    Put(Windows() / "cards.dll", 0x222222);
    WriteBytes(program_ / "cards.dll", {'K', 'T', 'R', 'M', 1});
    ModuleHandle m(LoadLibraryW(u"cards.dll"));
    EXPECT_EQ(ColourOf(m.h), 0x222222u);
}

TEST_F(ModuleSearchTest, PathsLoadExactlyThatFile) {
    Put(Windows() / "cards.dll", 0x222222);
    Put(program_ / "cards.dll", 0x111111);
    ModuleHandle device(LoadLibraryW(u"\\Windows\\CARDS.DLL"));
    EXPECT_EQ(ColourOf(device.h), 0x222222u);
    const std::u16string host = FromUtf8((program_ / "cards.dll").string());
    ModuleHandle hosted(LoadLibraryW(host.c_str()));
    EXPECT_EQ(ColourOf(hosted.h), 0x111111u);
}

TEST_F(ModuleSearchTest, MissingFoldersAndEmptyNamesGiveNull) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(u"absent.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    fs::create_directories(Windows() / "folder.dll");
    EXPECT_EQ(LoadLibraryW(u"folder.dll"), nullptr);
    EXPECT_EQ(LoadLibraryW(u""), nullptr);
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(LoadLibraryW(u"\\..\\escape.dll"), nullptr);
}

TEST_F(ModuleSearchTest, FreeLibraryReleasesOnce) {
    Put(Windows() / "cards.dll", 0x222222);
    HMODULE m = LoadLibraryW(u"cards.dll");
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(FreeLibrary(m));
    EXPECT_FALSE(FreeLibrary(m));
    EXPECT_EQ(LoadBitmapW(m, 1), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
    int notAModule = 0;
    EXPECT_FALSE(FreeLibrary(&notAModule));
}

}  // namespace
