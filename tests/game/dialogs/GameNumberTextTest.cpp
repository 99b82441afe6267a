#include "game/dialogs/GameNumberText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Select Game dialog tests cover the ordinary numbers; these are the borders of the scan.
TEST(ParseGameNumber, ReadsAsUnsignedScanDoes) {
    struct Case {
        std::u16string text;
        unsigned number;
    };
    const Case accepted[] = {
        {u"  77abc", 77u},
        {u"+5", 5u},
        {u"4294967295", 4294967295u},
        {u"-1", 4294967295u},
        {u"-4294967295", 1u},
        {u"0004294967295x", 4294967295u},
        {std::u16string{u'1', u'2', u'\0', u'3', u'4'}, 12u},
    };
    for (const Case& c : accepted) {
        unsigned number = 1;
        EXPECT_TRUE(ParseGameNumber(c.text, &number)) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(number, c.number);
    }
    // A number wider than 32 bits would be cut to another game ("4294967296" to 0): none.
    for (std::u16string text :
         {u"", u"   ", u"abc", u"x12", u"-", u"- 1", u"4294967296", u"-4294967296",
          u"99999999999999999999", u"123456789012345678901234567890"}) {
        unsigned number = 42;
        EXPECT_FALSE(ParseGameNumber(text, &number));
        EXPECT_EQ(number, 42u) << "left alone";
    }
    unsigned number = 42;
    EXPECT_FALSE(ParseGameNumber(std::u16string{u'\0', u'1', u'2'}, &number));
}

}  // namespace
