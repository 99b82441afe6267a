// Stored values that the game did not write: every value it reads, of the wrong type or
// size, and a settings store that cannot be written at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/TempPlatform.h"

using settings_test::Dword;
using settings_test::ReadValue;
using settings_test::WriteValue;

namespace {

using Bytes = std::vector<BYTE>;

struct NumberValue {
    const char16_t* subkey;
    const char16_t* name;
    DWORD fallback;
    // The number the record holds after Load, read back through its getter.
    std::function<DWORD()> loaded;
};

struct Stored {
    DWORD type;
    Bytes bytes;
};

class StoredValuesTest : public ::testing::Test {
  protected:
    TempPlatform temp_;
    Options options_;
    Statistics statistics_;
};

TEST_F(StoredValuesTest, EveryNumberOfTheWrongTypeOrSizeFollowsTheReadingRule) {
    const NumberValue values[] = {
        {u"Options", u"DblClickMoves", 1, [&] { return DWORD{options_.DblClickMoves()}; }},
        {u"Options", u"DisplayMessages", 1, [&] { return DWORD{options_.DisplayMessages()}; }},
        {u"Options", u"ShowNoDragBox", 1, [&] { return DWORD{options_.ShowNoDragBox()}; }},
        {u"Options", u"ShowStatusBar", 1, [&] { return DWORD{options_.ShowStatusBar()}; }},
        {u"Options", u"OldCommandBar", 0, [&] { return DWORD{!options_.SoftKeyMenu()}; }},
        {u"Statistics", u"Won", 0, [&] { return statistics_.Won(); }},
        {u"Statistics", u"Games", 0, [&] { return statistics_.Games(); }},
    };
    // Up to 4 bytes are read as a little-endian number whatever the type; more bytes give the
    // default, which then replaces the stored value.
    const Stored forms[] = {
        {REG_SZ, {'7', 0, 0, 0}},
        {REG_BINARY, {}},
        {REG_BINARY, {2}},
        {REG_NONE, {0, 1, 0}},
        {REG_BINARY, {0, 0, 0, 0}},
        {REG_DWORD, {1, 0, 0, 0, 0}},
        {REG_SZ, {'1', 0, 0, 0, 0, 0}},
        {0x12345678, Bytes(1000, 0xFF)},
    };
    for (const NumberValue& value : values) {
        for (const Stored& form : forms) {
            SCOPED_TRACE(std::string(value.name,
                                     value.name + std::char_traits<char16_t>::length(value.name)) +
                         " of type " + std::to_string(form.type) + " and " +
                         std::to_string(form.bytes.size()) + " bytes");
            WriteValue(value.subkey, value.name, form.type, form.bytes);
            options_.Load();
            statistics_.Load();
            DWORD number = value.fallback;
            if (form.bytes.size() <= 4) {
                number = 0;
                for (std::size_t i = 0; i < form.bytes.size(); ++i)
                    number |= DWORD{form.bytes[i]} << (8 * i);
            }
            const bool option = std::u16string_view(value.subkey) == u"Options";
            EXPECT_EQ(value.loaded(), option ? DWORD{number != 0} : number);
            DWORD type = 0;
            const Bytes stored = ReadValue(value.subkey, value.name, nullptr, &type);
            if (form.bytes.size() <= 4) {
                EXPECT_EQ(stored, form.bytes) << "a readable value is left as it is";
                EXPECT_EQ(type, form.type);
            } else {
                EXPECT_EQ(stored, Dword(value.fallback));
                EXPECT_EQ(type, REG_DWORD);
            }
        }
    }
}

TEST_F(StoredValuesTest, ACompletedValueOfAnyTypeAndSizeGivesAnOrderedList) {
    // Whole 16-bit entries only, whatever the type; sorted, repeats and sentinels dropped.
    WriteValue(u"Statistics", u"Completed", REG_DWORD, {0x02, 0x00, 0x01, 0x00});
    statistics_.Load();
    EXPECT_EQ(statistics_.Completed(), (std::vector<std::int16_t>{-32768, 1, 2, 32767}));

    WriteValue(u"Statistics", u"Completed", REG_SZ, {0x07});
    statistics_.Load();
    EXPECT_EQ(statistics_.Completed(), (std::vector<std::int16_t>{-32768, 32767}));

    // A large value of random bytes.
    std::mt19937 random(5);
    Bytes noise(1 << 20);
    for (BYTE& b : noise) b = static_cast<BYTE>(random());
    WriteValue(u"Statistics", u"Completed", REG_BINARY, noise);
    statistics_.Load();
    const std::vector<std::int16_t>& list = statistics_.Completed();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.front(), -32768);
    EXPECT_EQ(list.back(), 32767);
    EXPECT_TRUE(std::adjacent_find(list.begin(), list.end(), std::greater_equal<>()) == list.end());
    // Nearly every 16-bit number occurs among half a million random ones.
    EXPECT_GT(list.size(), 60000u);
    statistics_.RecordWin(12);
    EXPECT_TRUE(statistics_.IsCompleted(12));
}

TEST_F(StoredValuesTest, ASettingsStoreThatCannotBeWrittenLeavesTheGameItsRecordsInMemory) {
    // The store's folder would have to lie below a plain file; then the store is a folder.
    const auto blocker = temp_.Root() / "blocker";
    std::ofstream(blocker) << "x";
    for (const std::filesystem::path& store :
         {blocker / "registry.sqlite", std::filesystem::path(temp_.Root() / "folder")}) {
        std::filesystem::create_directories(temp_.Root() / "folder");
        platform::SetRegistryPath(store);
        Statistics statistics;
        EXPECT_TRUE(statistics.Load());
        EXPECT_EQ(statistics.Games(), 0u);
        statistics.RecordDeal();
        statistics.RecordWin(77);  // the retries give up at once: there is nothing to wait for
        EXPECT_FALSE(statistics.Saved());
        EXPECT_EQ(statistics.Games(), 1u);
        EXPECT_EQ(statistics.Won(), 1u);
        EXPECT_TRUE(statistics.IsCompleted(77));
        Options options;
        EXPECT_TRUE(options.Load());
        EXPECT_TRUE(options.DblClickMoves() && options.SoftKeyMenu());
        options.SetDisplayMessages(false);
        EXPECT_TRUE(options.Save());
    }
}

}  // namespace
