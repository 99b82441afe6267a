#include "game/dialogs/FormatText.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(FormatText, FormatsTheSupportedConversions) {
    EXPECT_EQ(FormatText(u"Cards left: %u", 52u), u"Cards left: 52");
    EXPECT_EQ(FormatText(u"%d (%d%%)", 3, 75), u"3 (75%)");
    EXPECT_EQ(FormatText(u"Version %s, Build %s", u"1.5", std::u16string(u"42")),
              u"Version 1.5, Build 42");
    EXPECT_EQ(FormatText(u"[%5u|%-4d|%05d|%+d|% i|%3s]", 7u, -2, -42, 5, 6, u"ab"),
              u"[    7|-2  |-0042|+5| 6| ab]");
    EXPECT_EQ(FormatText(u"%u %d", -1, 4294967295u), u"4294967295 -1");
    EXPECT_EQ(FormatText(u"%s/%s", -12, 34u), u"-12/34");
    EXPECT_EQ(FormatText(u"%d", -2147483647 - 1), u"-2147483648");
}

TEST(FormatText, NeverReadsMoreThanItIsGiven) {
    EXPECT_EQ(FormatText(u"%u of %u"), u"%u of %u");
    EXPECT_EQ(FormatText(u"%u of %u", 1u), u"1 of %u");
    EXPECT_EQ(FormatText(u"%u", 1u, 2u, 3u), u"1");
    // Unsupported conversions, %n included, are written out and take no argument.
    EXPECT_EQ(FormatText(u"%n%x%.3s%ld%*d %u%", 9u), u"%n%x%.3s%ld%*d 9%");
    EXPECT_EQ(FormatText(u"%u=%s", u"text", u"t"), u"%u=t");
    EXPECT_EQ(FormatText(u"%s", static_cast<const char16_t*>(nullptr)), u"");
    EXPECT_EQ(FormatText(u"%99999999999999999999u", 1u).size(), 4096u);
}

TEST(SameConversions, DemandsTheSameConversionsInTheSameOrder) {
    EXPECT_TRUE(SameConversions(u"Cards left: %u", u"Noch %u Karten"));
    EXPECT_TRUE(SameConversions(u"%d (%d%%)", u"%d von %d"));
    EXPECT_TRUE(SameConversions(u"Options", u"Optionen 100%%"));
    EXPECT_FALSE(SameConversions(u"Cards left: %u", u"Karten"));
    EXPECT_FALSE(SameConversions(u"Cards left: %u", u"%u %u"));
    EXPECT_FALSE(SameConversions(u"Cards left: %u", u"%d"));
    EXPECT_FALSE(SameConversions(u"Cards left: %u", u"%5u"));
    EXPECT_FALSE(SameConversions(u"Version %s, Build %d", u"Build %d, Version %s"));
    EXPECT_FALSE(SameConversions(u"%n", u"%n"));
    EXPECT_FALSE(SameConversions(u"Options", u"Optionen %s"));
    EXPECT_FALSE(SameConversions(u"Options", u"50%"));
}

}  // namespace
