#include "game/view/CardImageLibrary.h"

#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "game/model/BoardLayout.h"
#include "game/model/Deck.h"
#include "game/resources/ProgramResources.h"
#include "game/view/ImageDrawTarget.h"
#include "platform/Files.h"
#include "platform/PlatformConfig.h"
#include "platform/WideString.h"
#include "tests/game/view/ViewTestSupport.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

class LibrarySearchTest : public ::testing::Test {
  protected:
    fs::path Windows() const { return temp_.DeviceRoot() / "Windows"; }
    void Touch(const std::string& name) { std::ofstream(Windows() / name) << "x"; }

    TempPlatform temp_;
};

TEST_F(LibrarySearchTest, ScaleOneAlwaysTakesTheBaseLibrary) {
    Touch("pegcards.192.dll");
    Touch("pegcards.hires.dll");
    EXPECT_EQ(CardLibraryName(1), u"pegcards.dll");
}

TEST_F(LibrarySearchTest, ScaleTwoTakesTheHighResolutionFileWhenItIsAFile) {
    Touch("pegcards.dll");
    // Enough other variants that the enumeration cannot yield the right name by chance.
    for (int i = 0; i < 12; ++i) Touch("pegcards." + std::to_string(i) + ".dll");
    Touch("pegcards.192.dll");
    EXPECT_EQ(CardLibraryName(2), u"pegcards.192.dll");
}

TEST_F(LibrarySearchTest, OnlyTheBaseLibraryOrNothingKeepsTheBaseName) {
    EXPECT_EQ(CardLibraryName(2), u"pegcards.dll");
    Touch("PegCards.DLL");  // the same name in other case is no variant
    Touch("pegcards.txt");
    Touch("cards.dll");
    EXPECT_EQ(CardLibraryName(2), u"pegcards.dll");
}

TEST_F(LibrarySearchTest, AFolderNamedLikeTheHighResolutionFileDoesNotCount) {
    fs::create_directories(Windows() / "pegcards.192.dll");
    Touch("pegcards.dll");
    EXPECT_EQ(CardLibraryName(2), u"pegcards.dll");
    Touch("PEGCARDS.Large.DLL");
    EXPECT_EQ(CardLibraryName(2), u"PEGCARDS.Large.DLL");
}

TEST_F(LibrarySearchTest, AnotherVariantIsTakenAsTheEnumerationYieldsIt) {
    Touch("pegcards.dll");
    for (const char* variant : {"a", "b", "c", "d", "e", "f", "g", "h"})
        Touch(std::string("pegcards.") + variant + ".dll");
    // The first name the file system yields that is not the base library.
    std::u16string first;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(u"\\Windows\\pegcards*.dll", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        const std::u16string found(data.cFileName);
        if (found != u"pegcards.dll") {
            first = found;
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    EXPECT_EQ(CardLibraryName(2), first);
}

TEST_F(LibrarySearchTest, ADamagedHighResolutionLibraryIsNotReplacedByTheBaseOne) {
    WritePlainLibrary(Windows() / "pegcards.dll", 29, 41);
    WritePlainLibrary(Windows() / "pegcards.192.dll", 58, 82);
    const fs::path path = Windows() / "pegcards.192.dll";
    fs::resize_file(path, fs::file_size(path) / 2);
    const std::u16string name = CardLibraryName(2);
    EXPECT_EQ(name, u"pegcards.192.dll");
    EXPECT_EQ(LoadLibraryW(name.c_str()), nullptr);
}

TEST(CardResourceIdTest, BlocksRunClubsDiamondsHeartsSpadesAceFirst) {
    EXPECT_EQ(CardResourceId(0, kAce), 1);
    EXPECT_EQ(CardResourceId(0, kKing), 13);
    EXPECT_EQ(CardResourceId(1, kAce), 14);
    EXPECT_EQ(CardResourceId(3, kAce), 27);
    EXPECT_EQ(CardResourceId(3, kTwo), 28);
    EXPECT_EQ(CardResourceId(2, kAce), 40);
    EXPECT_EQ(CardResourceId(2, kKing), 52);
    EXPECT_EQ(CardResourceId(4, kAce), 0);
    EXPECT_EQ(CardResourceId(0, 13), 0);
    EXPECT_EQ(CardResourceId(-1, 0), 0);
    // Every card of the deck has its own id, and it is the card's image number.
    std::set<int> ids;
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank <= kAce; ++rank) {
            Card card(suit, rank, {29, 41});
            EXPECT_EQ(CardResourceId(suit, rank), card.ImageNumber());
            ids.insert(CardResourceId(suit, rank));
        }
    EXPECT_EQ(ids.size(), 52u);
}

TEST_F(LibrarySearchTest, FacesComeFromTheLibraryAndMissingOnesStayBlank) {
    WritePlainLibrary(Windows() / "pegcards.dll", 29, 41);
    HMODULE module = LoadLibraryW(CardLibraryName(1).c_str());
    ASSERT_NE(module, nullptr);
    CardImageLibrary library(module);
    Deck deck({29, 41}, &library);
    for (int p = 0; p < Deck::kCards; ++p) {
        const Card& card = *deck.At(p);
        ASSERT_NE(card.Image(), nullptr);
        EXPECT_EQ(card.Image()->At(0, 0), FaceColour(card.ImageNumber())) << CardName(card);
    }
    EXPECT_EQ(library.FaceImage(7, 0), nullptr);
    FreeLibrary(module);

    CardImageLibrary none(nullptr);
    Card card(0, kAce, {29, 41});
    EXPECT_FALSE(none.LoadCardImage(card));
    EXPECT_EQ(card.Image(), nullptr);
}

// The large screen with only the small library: its faces are drawn over the whole of the
// larger card, so no part of the card shows the table beneath it.
TEST_F(LibrarySearchTest, SmallFacesOnTheLargeScreenCoverTheWholeCard) {
    WritePlainLibrary(Windows() / "pegcards.dll", 29, 41);
    ASSERT_EQ(CardLibraryName(2), u"pegcards.dll");
    HMODULE module = LoadLibraryW(CardLibraryName(2).c_str());
    ASSERT_NE(module, nullptr);
    CardImageLibrary library(module);
    Card card(0, kAce, {58, 82});
    ASSERT_TRUE(library.LoadCardImage(card));
    card.SetPosition(1, 1);
    QImage image(60, 84, QImage::Format_RGB32);
    image.fill(0xFF008200);
    ImageDrawTarget target(image);
    card.Draw(target);
    int table = 0;
    for (int y = 1; y < 83; ++y) {
        for (int x = 1; x < 59; ++x) table += image.pixel(x, y) == 0xFF008200u;
    }
    EXPECT_EQ(table, 0);
    EXPECT_EQ(image.pixel(0, 0), 0xFF008200u);
    EXPECT_EQ(image.pixel(59, 83), 0xFF008200u);
    FreeLibrary(module);
}

TEST_F(LibrarySearchTest, ADamagedLibraryGivesBlankCards) {
    WritePlainLibrary(Windows() / "pegcards.dll", 29, 41);
    const fs::path path = Windows() / "pegcards.dll";
    fs::resize_file(path, fs::file_size(path) - 1);
    EXPECT_EQ(LoadLibraryW(CardLibraryName(1).c_str()), nullptr);
    CardImageLibrary library(nullptr);
    Deck deck({29, 41}, &library);
    EXPECT_EQ(deck.At(0)->Image(), nullptr);
}

// The process-wide library follows the screen at its first use and is released once.
TEST_F(LibrarySearchTest, ProcessLibraryIsFoundOnceAndReleasedOnce) {
    WritePlainLibrary(Windows() / "pegcards.dll", 29, 41);
    WritePlainLibrary(Windows() / "pegcards.192.dll", 58, 82);
    platform::SetScreenSize(480, 640);
    const int scale = DisplayScale();
    platform::SetScreenSize(240, 320);
    EXPECT_EQ(DisplayScale(), scale);  // fixed for the process, also when the screen turns
    EXPECT_EQ(CardSize(), (Size{29 * scale, 41 * scale}));
    CardImageLibrary& library = ProcessCardLibrary();
    EXPECT_EQ(&ProcessCardLibrary(), &library);
    BitmapPtr face = library.FaceImage(3, kAce);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->width, 29 * scale);
    ReleaseProcessCardLibrary();
    ReleaseProcessCardLibrary();
    EXPECT_EQ(ProcessCardLibrary().FaceImage(3, kAce), nullptr);
    EXPECT_EQ(face->At(0, 0), FaceColour(27));  // faces handed out stay valid
    platform::SetScreenSize(480, 640);
}

TEST_F(LibrarySearchTest, FourHundredPixelsWideLoadsTheBaseLibrary) {
    Touch("pegcards.192.dll");
    EXPECT_EQ(CardLibraryName(DisplayScaleForScreenWidth(400)), u"pegcards.dll");
    EXPECT_EQ(CardLibraryName(DisplayScaleForScreenWidth(401)), u"pegcards.192.dll");
}

// The libraries that the build draws: 52 faces of the card size, all different, red pips
// in the corner only on diamonds and hearts.
TEST(ShippedLibraryTest, BothLibrariesHoldFiftyTwoDistinctFaces) {
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const fs::path path = fs::path(TESSAMO_DEVICE_DIR) / "Windows" /
                              (scale == 1 ? "pegcards.dll" : "pegcards.192.dll");
        HMODULE module = LoadLibraryW(FromUtf8(path.string()).c_str());
        ASSERT_NE(module, nullptr);
        std::set<std::vector<std::uint32_t>> faces;
        for (int id = 1; id <= 52; ++id) {
            BitmapPtr face = LoadBitmapW(module, id);
            ASSERT_NE(face, nullptr) << id;
            EXPECT_EQ(face->width, 29 * scale);
            EXPECT_EQ(face->height, 41 * scale);
            faces.insert(face->pixels);
            // Count red in the corner index, where rank and suit are shown.
            int red = 0;
            const int indexRows = scale == 1 ? 8 : 15;
            for (int y = 0; y < indexRows; ++y)
                for (int x = 0; x < 16 * scale; ++x) {
                    const std::uint32_t p = face->At(x, y);
                    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                    if (r > 160 && g < 90 && b < 90) ++red;
                }
            const bool redSuit = id >= 14 && id <= 39;
            EXPECT_EQ(red > 10, redSuit) << id;
        }
        EXPECT_EQ(faces.size(), 52u);
        EXPECT_EQ(LoadBitmapW(module, 53), nullptr);
        FreeLibrary(module);
    }
}

HMODULE LoadShippedLibrary(int scale) {
    const fs::path path = fs::path(TESSAMO_DEVICE_DIR) / "Windows" /
                          (scale == 1 ? "pegcards.dll" : "pegcards.192.dll");
    return LoadLibraryW(FromUtf8(path.string()).c_str());
}

// Suit-coloured pixels of a face (black ink for clubs and spades, red for diamonds and
// hearts), and how many separate marks they form.
struct Ink {
    int black = 0;
    int red = 0;
    int marks = 0;
};
Ink CountInk(const Bitmap& face) {
    Ink ink;
    std::vector<int> seen(face.pixels.size(), 0);
    auto inked = [&](int x, int y) {
        const std::uint32_t p = face.At(x, y);
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        return (r < 40 && g < 40 && b < 40) || (r > 150 && g < 90 && b < 90);
    };
    for (int y = 0; y < face.height; ++y)
        for (int x = 0; x < face.width; ++x) {
            const std::uint32_t p = face.At(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            ink.black += r < 40 && g < 40 && b < 40;
            ink.red += r > 150 && g < 90 && b < 90;
            if (!inked(x, y) || seen[y * face.width + x]) continue;
            ++ink.marks;
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[y * face.width + x] = 1;
            while (!stack.empty()) {
                auto [cx, cy] = stack.back();
                stack.pop_back();
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = cx + dx, ny = cy + dy;
                    if (nx < 0 || ny < 0 || nx >= face.width || ny >= face.height) continue;
                    if (seen[ny * face.width + nx] || !inked(nx, ny)) continue;
                    seen[ny * face.width + nx] = 1;
                    stack.push_back({nx, ny});
                }
            }
        }
    return ink;
}

// Every id holds a face of the card's size in its block's colour, all 52 differ, and the
// number cards show more marks the higher their rank: a library written with the blocks or
// the ranks in another order fails here.
TEST(ShippedLibraryTest, EachIdHoldsAFaceOfItsBlocksColourAndRank) {
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        HMODULE module = LoadShippedLibrary(scale);
        ASSERT_NE(module, nullptr);
        std::set<std::vector<std::uint32_t>> distinct;
        for (int block = 0; block < 4; ++block) {
            const bool redBlock = block == 1 || block == 2;
            int previousMarks = 0;
            for (int k = 0; k < 13; ++k) {
                const int id = 1 + 13 * block + k;
                BitmapPtr face = LoadBitmapW(module, id);
                ASSERT_NE(face, nullptr) << id;
                EXPECT_EQ(face->width, 29 * scale) << id;
                EXPECT_EQ(face->height, 41 * scale) << id;
                distinct.insert(face->pixels);
                const Ink ink = CountInk(*face);
                const int suitInk = redBlock ? ink.red : ink.black;
                EXPECT_GT(suitInk, 0) << id;
                if (redBlock) {
                    EXPECT_EQ(ink.black, 0) << id;
                }
                // At the large scale every pip stands apart, so a higher number card shows
                // more marks (at the small one neighbouring pips may touch).
                if (scale == 2 && k >= 1 && k <= 9) {  // 2 to 10
                    EXPECT_GT(ink.marks, previousMarks) << id;
                    previousMarks = ink.marks;
                }
            }
        }
        EXPECT_EQ(distinct.size(), 52u);
        FreeLibrary(module);
    }
}

// The ink of the large pip in the middle of an Ace, row by row: the runs of suit-coloured
// pixels below the corner index.
std::vector<std::vector<std::pair<int, int>>> PipRows(const Bitmap& face, int scale) {
    std::vector<std::vector<std::pair<int, int>>> rows;
    for (int y = 10 * scale; y < face.height - 2 * scale; ++y) {
        std::vector<std::pair<int, int>> runs;
        for (int x = 2 * scale; x < face.width - 2 * scale; ++x) {
            const std::uint32_t p = face.At(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const bool black = r < 40 && g < 40 && b < 40;
            const bool red = r > 150 && g < 90 && b < 90;
            if (!black && !red) continue;
            if (!runs.empty() && runs.back().second == x - 1)
                runs.back().second = x;
            else
                runs.push_back({x, x});
        }
        if (!runs.empty() || !rows.empty()) rows.push_back(runs);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

int Width(const std::vector<std::pair<int, int>>& runs) {
    return runs.empty() ? 0 : runs.back().second - runs.front().first + 1;
}

// Tells the suit of an Ace by the shape of its pip, without the drawing code: a heart opens
// with two lobes side by side; a club's top lobe is set off from its side lobes, by a neck or
// by gaps, while spades and diamonds widen steadily from their point; a spade stands on a
// foot, a diamond ends in a point.
int SuitBlockByShape(const Bitmap& face, int scale) {
    const auto rows = PipRows(face, scale);
    if (rows.size() < 10) return -1;
    for (std::size_t r = 0; r < rows.size() / 3; ++r)
        if (rows[r].size() == 2) return 2;  // hearts
    std::size_t widestRow = 0;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (Width(rows[r]) > Width(rows[widestRow])) widestRow = r;
    for (std::size_t r = 1; r <= widestRow; ++r)
        if (Width(rows[r]) < Width(rows[r - 1]) || rows[r].size() > 1) return 0;  // clubs
    return Width(rows.back()) * 4 < Width(rows[widestRow]) ? 1 : 3;  // diamonds : spades
}

// The blocks of the shipped libraries run clubs, diamonds, hearts, spades, as the Aces'
// shapes show.
TEST(ShippedLibraryTest, EachBlocksAceShowsTheBlocksSuit) {
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        HMODULE module = LoadShippedLibrary(scale);
        ASSERT_NE(module, nullptr);
        for (int block = 0; block < 4; ++block) {
            BitmapPtr ace = LoadBitmapW(module, 1 + 13 * block);
            ASSERT_NE(ace, nullptr);
            EXPECT_EQ(SuitBlockByShape(*ace, scale), block);
        }
        FreeLibrary(module);
    }
}

TEST(ProgramResourcesTest, BitmapsToolbarsAndIconHaveTheirSizesAndDepths) {
    const struct {
        int id, w, h;
    } bitmaps[] = {{182, 29, 41}, {193, 58, 82}, {190, 16, 15}, {191, 32, 30}};
    for (const auto& b : bitmaps) {
        BitmapPtr bitmap = LoadProgramBitmap(b.id);
        ASSERT_NE(bitmap, nullptr) << b.id;
        EXPECT_EQ(bitmap->width, b.w);
        EXPECT_EQ(bitmap->height, b.h);
        const auto raw = ProgramResource(RT_BITMAP, static_cast<DWORD>(b.id));
        ASSERT_GT(raw.size(), 30u);
        EXPECT_EQ(raw[28], 4) << "16 colours";
    }
    for (auto [id, w, h] : {std::tuple{190, 16, 15}, std::tuple{191, 32, 30}}) {
        const auto raw = ProgramResource(RT_TOOLBAR, static_cast<DWORD>(id));
        ASSERT_EQ(raw.size(), 10u);
        std::vector<int> words;
        for (std::size_t i = 0; i < raw.size(); i += 2) words.push_back(raw[i] | raw[i + 1] << 8);
        EXPECT_EQ(words, (std::vector<int>{1, w, h, 1, 32785}));
    }
    const auto icons = ProgramIconImages(kIconProgram);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[0]->width, 16);
    EXPECT_EQ(icons[1]->width, 32);
    EXPECT_EQ(icons[2]->width, 64);
    EXPECT_EQ(icons[2]->At(0, 0) >> 24, 0u) << "corners are transparent";
    EXPECT_EQ(icons[2]->At(32, 32) >> 24, 0xFFu);
    EXPECT_EQ(ProgramResource(RT_ICON, 1)[14], 8) << "8 bits per pixel";
    EXPECT_EQ(LoadProgramBitmap(183), nullptr);
}

}  // namespace
