#include "game/dialogs/TranslationTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/resources/resource.h"
#include "platform/PlatformConfig.h"
#include "platform/WideString.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class TranslationTableTest : public ::testing::Test {
  protected:
    // Loads `bytes` as a translation file into the fresh table `table_`.
    void LoadBytes(const std::string& bytes) {
        const fs::path path = platform_.Root() / "Tessamo_en.txt";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        ASSERT_TRUE(table_.Load(FromUtf8(path.string())));
    }

    std::vector<std::pair<std::u16string, std::u16string>> Entries() const {
        std::vector<std::pair<std::u16string, std::u16string>> entries;
        for (std::size_t i = 0; i < table_.Count(); ++i) {
            entries.emplace_back(table_.Source(i), table_.Translation(i));
        }
        return entries;
    }
    using Entries_t = std::vector<std::pair<std::u16string, std::u16string>>;

    TempPlatform platform_;
    TranslationTable table_;
};

TEST_F(TranslationTableTest, WithoutAFileEverythingStaysEnglish) {
    EXPECT_FALSE(table_.Load(FromUtf8((platform_.Root() / "missing_en.txt").string())));
    EXPECT_FALSE(table_.Load(u""));
    EXPECT_EQ(table_.Count(), 0u);
    EXPECT_EQ(table_.LoadTranslatedString(IDS_OPTIONS_TITLE), u"Options");
    EXPECT_EQ(table_.LoadTranslatedString(IDS_CARDS_LEFT), u"Cards left: %u");
    EXPECT_EQ(table_.LoadTranslatedString(12345), u"");
    EXPECT_EQ(table_.TranslateText(u"About"), u"About");
    EXPECT_EQ(&TranslationTable::Instance(), &TranslationTable::Instance());
}

TEST_F(TranslationTableTest, Utf16WithMarkAndCrLfGivesOneEntryPerLine) {
    LoadBytes(
        Utf16File(u"Options|Optionen \u20AC\r\nStatistics|\U0001F0A1 Statistik\r\nAbout|\r\n"));
    EXPECT_EQ(Entries(), (Entries_t{{u"Options", u"Optionen \u20AC"},
                                    {u"Statistics", u"\U0001F0A1 Statistik"},
                                    {u"About", u""}}));
    EXPECT_EQ(table_.LoadTranslatedString(IDS_OPTIONS_TITLE), u"Optionen \u20AC");
    EXPECT_EQ(table_.TranslateText(u"About"), u"About");  // empty translation changes nothing
    EXPECT_EQ(table_.LoadTranslatedString(IDS_UNDO), u"Undo");
}

TEST_F(TranslationTableTest, EightBitTextWidensEachByteWithoutConversion) {
    LoadBytes("Options|R\xE9glages \x80\xFF\nStatistics|caf\xC3\xA9");
    EXPECT_EQ(table_.Lookup(u"Options"), u"R\u00E9glages \u0080\u00FF");
    EXPECT_EQ(table_.Lookup(u"Statistics"), u"caf\u00C3\u00A9");  // UTF-8 is not decoded
}

TEST_F(TranslationTableTest, MatchingIsExactAndTheFirstDuplicateWins) {
    LoadBytes(
        "options|klein\nOptions |Leerzeichen\nOptions|Erste\nOptions|Zweite\n"
        "About|\nAbout|Ueber\n");
    EXPECT_EQ(table_.Count(), 6u);
    EXPECT_EQ(table_.LoadTranslatedString(IDS_OPTIONS_TITLE), u"Erste");
    EXPECT_EQ(table_.Lookup(u"Options "), u"Leerzeichen");
    // The first About has an empty translation and hides the second.
    EXPECT_EQ(table_.TranslateText(u"About"), u"About");
    EXPECT_EQ(table_.Lookup(u"Nothing"), u"");
}

TEST_F(TranslationTableTest, FieldsAndLineEnds) {
    LoadBytes("a|b|c\nno bar\n\nx|y\rp|q|\r\nlast|one");
    EXPECT_EQ(Entries(), (Entries_t{{u"a", u"b"},
                                    {u"c", u""},
                                    {u"no bar", u""},
                                    {u"", u""},
                                    {u"x", u"y"},
                                    {u"p", u"q"},
                                    {u"", u""},
                                    {u"last", u"one"}}));
}

TEST_F(TranslationTableTest, Escapes) {
    LoadBytes("Undo\\nUndo|Zur\\\\ck\\nZ\nA\\|B|C\\|D\\rE\\x\n");
    EXPECT_EQ(Entries(), (Entries_t{{u"Undo\nUndo", u"Zur\\ck\nZ"}, {u"A|B", u"C|D\rEx"}}));
}

TEST_F(TranslationTableTest, NulEndsTheText) {
    LoadBytes(std::string("a|b\nc|d", 7) + std::string(1, '\0') + "e|f\n");
    EXPECT_EQ(Entries(), (Entries_t{{u"a", u"b"}, {u"c", u"d"}}));
    LoadBytes(Utf16File(std::u16string(u"x|y\n\0z|w\n", 9)));
    EXPECT_EQ(table_.Count(), 3u);
    EXPECT_EQ(table_.Lookup(u"x"), u"y");
    EXPECT_EQ(table_.Lookup(u"z"), u"");
}

TEST_F(TranslationTableTest, ShortFiles) {
    LoadBytes("");
    EXPECT_EQ(table_.Count(), 0u);
    LoadBytes("\xFF\xFE");  // only the mark: UTF-16 without text
    EXPECT_EQ(table_.Count(), 0u);
    LoadBytes("\xFF");  // shorter than the mark: 8-bit
    EXPECT_EQ(Entries(), (Entries_t{{u"\u00FF", u""}}));
    LoadBytes(
        "\xFE\xFF"
        "A");  // the mark in big-endian order is 8-bit text
    EXPECT_EQ(table_.Source(1),
              u"\u00FE\u00FF"
              u"A");
}

TEST_F(TranslationTableTest, AnOddLastByteOfUtf16IsIgnored) {
    LoadBytes(Utf16File(u"a|b") + "c");
    EXPECT_EQ(Entries(), (Entries_t{{u"a", u"b"}}));
}

TEST_F(TranslationTableTest, ABackslashAsTheVeryLastCharacterIsDropped) {
    LoadBytes("a|b\\");
    LoadBytes(Utf16File(u"c\\"));
    LoadBytes(std::string("d|e\\\0f|g", 8));
    EXPECT_EQ(Entries(), (Entries_t{{u"a", u"b"}, {u"c", u""}, {u"d", u"e"}}));
}

TEST_F(TranslationTableTest, AnEntryLongerThanTheWindowIsSkippedWhole) {
    // The first long entry's source is 4092 'L', an escaped bar and "About": the window is
    // full just after the escaped bar, so reading on from there would give (About, Evil).
    LoadBytes("Options|Optionen\n" + std::string(4092, 'L') + "\\|About|Evil\n" +
              std::string(6000, 'K') + "\r\nAbout|Info\r\n" + std::string(4092, 'M') + "|\n" +
              std::string(4093, 'N') + "|\n" + "Undo|Annuler");
    // 4092 + bar + line end is the longest entry that fits; one more character is too many.
    EXPECT_EQ(Entries(), (Entries_t{{u"Options", u"Optionen"},
                                    {u"About", u"Info"},
                                    {std::u16string(4092, u'M'), u""},
                                    {u"Undo", u"Annuler"}}));
}

TEST_F(TranslationTableTest, EntriesThatFitAreReadAcrossManyRefills) {
    // Entries of many lengths, so that line ends, CR LF pairs, escapes and (in UTF-16) the
    // halves of surrogate pairs fall on every position of the window; some entries nearly
    // fill it.
    auto make = [](bool wide, std::u16string& text, Entries_t& expected) {
        std::mt19937 random(7);
        for (int i = 0; i < 3000; ++i) {
            const std::size_t length = i % 97 == 0 ? 2000 : random() % 60;
            std::u16string source = u"s" + FromUtf8(std::to_string(i));
            std::u16string translation;
            std::u16string written;
            for (std::size_t k = 0; k < length; ++k) {
                const char16_t c = static_cast<char16_t>(u'a' + random() % 26);
                if (k % 13 == 5) {
                    translation += u'|';
                    written += u"\\|";
                } else if (k % 17 == 3) {
                    translation += u'\n';
                    written += u"\\n";
                } else if (wide && k % 11 == 7) {
                    translation += u"\U0001F0A1";
                    written += u"\U0001F0A1";
                } else {
                    translation += c;
                    written += c;
                }
            }
            text += source + u"|" + written + (i % 3 == 0 ? u"\n" : u"\r\n");
            expected.emplace_back(source, translation);
        }
    };
    std::u16string text;
    Entries_t expected;
    make(true, text, expected);
    ASSERT_GT(text.size(), 20 * TranslationTable::kWindowSize);
    // The last entry runs to the end of the text, where an odd byte is left over.
    text += u"last|LAST";
    expected.emplace_back(u"last", u"LAST");
    LoadBytes(Utf16File(text) + "A");
    EXPECT_EQ(table_.Count(), expected.size());
    EXPECT_TRUE(Entries() == expected);
    EXPECT_EQ(table_.Lookup(u"last"), u"LAST");

    std::u16string narrowText;
    Entries_t narrowExpected;
    make(false, narrowText, narrowExpected);
    std::string narrow;
    for (char16_t c : narrowText) narrow += static_cast<char>(c);
    LoadBytes(narrow);
    EXPECT_EQ(table_.Count(), expected.size() + narrowExpected.size());
    EXPECT_TRUE(std::equal(narrowExpected.begin(), narrowExpected.end(),
                           Entries().begin() + expected.size()));
}

// Resident memory of this process in kilobytes, from /proc; 0 when it cannot be read.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::atol(line.c_str() + 6);
    }
    return 0;
}

TEST_F(TranslationTableTest, AHundredMegabyteFileIsReadWithinTheBudget) {
    // One line of 50 MB without a line end, then 50 MB of short entries: far more than the
    // table may hold.
    const fs::path path = platform_.Root() / "Tessamo_en.txt";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string block(1 << 20, 'L');
        for (int i = 0; i < 50; ++i) out << block;
        std::string lines;
        for (int i = 0; i < (1 << 20) / 8; ++i) lines += "abc|def\n";
        for (int i = 0; i < 50; ++i) out << "\n" << lines;
    }
    const long before = ResidentKilobytes();
    ASSERT_TRUE(table_.Load(FromUtf8(path.string())));
    const long after = ResidentKilobytes();
    std::printf("100 MB translation file: %zu entries kept, resident memory %ld kB -> %ld kB\n",
                table_.Count(), before, after);
    fs::remove(path);
    // The long line is skipped whole; the short entries fill the table up to its budget.
    EXPECT_EQ(table_.Count(), TranslationTable::kMaxEntries);
    EXPECT_EQ(table_.Source(0), u"abc");
    EXPECT_EQ(table_.Translation(0), u"def");
}

TEST_F(TranslationTableTest, LongEntriesStopAtTheCharacterBudgetAndShortOnesStillFit) {
    std::string text;
    const std::string translation(4000, 't');
    for (int i = 0; i < 1100; ++i) text += "s" + std::to_string(i) + "|" + translation + "\n";
    text += "Undo|Annuler\n";
    LoadBytes(text);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < table_.Count(); ++i) {
        characters += table_.Source(i).size() + table_.Translation(i).size();
    }
    EXPECT_LE(characters, TranslationTable::kMaxCharacters);
    EXPECT_LT(table_.Count(), 1100u);
    EXPECT_EQ(table_.Lookup(u"s0"), FromUtf8(translation));
    EXPECT_EQ(table_.Lookup(u"s1099"), u"");
    EXPECT_EQ(table_.Lookup(u"Undo"), u"Annuler");
}

// Only a text the program formats must keep its conversions; a plain text is shown as it
// stands and may say "100%".
TEST_F(TranslationTableTest, FormatsIgnoreTranslationsWithOtherConversionsPlainTextsTakeAny) {
    LoadBytes(
        "Cards left: %u|%u cartes\n"
        "Game number: %u|Partie %s\n"
        "Version %s, Build %s|Version %s\n"
        "%d (%d%%)|%d sur %d %%\n"
        "Options|Options %n\n"
        "About|100% Info\n"
        "Statistics|Stats 100%%\n"
        "Congratulations! You have won.|Bravo, 100% gewonnen!\n"
        "Undo|Annuler\n");
    EXPECT_EQ(table_.LoadTranslatedFormat(IDS_CARDS_LEFT), u"%u cartes");
    EXPECT_EQ(table_.LoadTranslatedFormat(IDS_GAME_NUMBER_STATUS), u"Game number: %u");
    EXPECT_EQ(table_.TranslateFormat(u"Version %s, Build %s"), u"Version %s, Build %s");
    EXPECT_EQ(table_.TranslateFormat(u"%d (%d%%)"), u"%d sur %d %%");
    EXPECT_EQ(table_.TranslateFormat(u"Options"), u"Options");
    EXPECT_EQ(table_.LoadTranslatedString(IDS_OPTIONS_TITLE), u"Options %n");
    EXPECT_EQ(table_.TranslateText(u"About"), u"100% Info");
    EXPECT_EQ(table_.TranslateText(u"Statistics"), u"Stats 100%%");
    EXPECT_EQ(table_.LoadTranslatedString(IDS_WON), u"Bravo, 100% gewonnen!");
    EXPECT_EQ(table_.LoadTranslatedString(IDS_UNDO), u"Annuler");
}

TEST_F(TranslationTableTest, ResultsAreCutTo1023Characters) {
    std::u16string longTranslation(1022, u'x');
    longTranslation += u"\U0001F0A1";  // a surrogate pair across the limit
    longTranslation += std::u16string(500, u'y');
    LoadBytes(Utf16File(u"Options|" + longTranslation + u"\n" + u"Cards left: %u|" +
                        std::u16string(1022, u'z') + u"%u\n"));
    EXPECT_EQ(table_.LoadTranslatedString(IDS_OPTIONS_TITLE), std::u16string(1022, u'x'));
    EXPECT_EQ(table_.TranslateText(u"Options"), std::u16string(1022, u'x'));
    // Cutting the translation's "%u" in half leaves a stray '%': the English text is used.
    EXPECT_EQ(table_.LoadTranslatedFormat(IDS_CARDS_LEFT), u"Cards left: %u");
    const std::u16string longEnglish(3000, u'e');
    EXPECT_EQ(table_.TranslateText(longEnglish), std::u16string(1023, u'e'));
}

TEST(TranslationFilePath, RemovesOnlyTheFileNamesOwnExtension) {
    EXPECT_EQ(TranslationFilePathFor(u"/x/Tessamo.exe", u"en"), u"/x/Tessamo_en.txt");
    EXPECT_EQ(TranslationFilePathFor(u"/opt/my.games/tessamo", u"en"),
              u"/opt/my.games/tessamo_en.txt");
    EXPECT_EQ(TranslationFilePathFor(u"/a.b/c.d/game.tar.x", u"en"), u"/a.b/c.d/game.tar_en.txt");
    EXPECT_EQ(TranslationFilePathFor(u"/x/.tessamo", u"en"), u"/x/.tessamo_en.txt");
    EXPECT_EQ(TranslationFilePathFor(u"\\Program Files\\Tessamo.exe", u"en"),
              u"\\Program Files\\Tessamo_en.txt");
    EXPECT_EQ(TranslationFilePathFor(u"tessamo", u"en"), u"tessamo_en.txt");

    platform::SetModulePath("/opt/my.games/tessamo");
    EXPECT_EQ(TranslationFilePath(u"en"), u"/opt/my.games/tessamo_en.txt");
    platform::SetModulePath("/" + std::string(5000, 'p'));
    EXPECT_EQ(TranslationFilePath(u"en"), u"");  // a cut path would name another file
    platform::SetModulePath({});
}

}  // namespace
