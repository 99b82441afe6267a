#include "platform/System.h"

#include <cwchar>
#include <string>

#include <gtest/gtest.h>

namespace {

// Kept first: the generator must start as if seeded with 1.
TEST(Runtime, RandStartsAsIfSeededWithOneAndRepeatsAfterSrand) {
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(crt::rand(), value);
    crt::srand(1);
    for (int value : expected) EXPECT_EQ(crt::rand(), value);
    crt::srand(0);
    EXPECT_EQ(crt::rand(), 38);
    crt::srand(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int value = crt::rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, crt::kRandMax);
    }
}

// The host's swscanf is the reference for every case.
TEST(Runtime, ScanUnsignedAgreesWithTheHostSwscanf) {
    const char* inputs[] = {"",
                            "   ",
                            "42",
                            "  \t\n42abc",
                            "+7",
                            "-1",
                            "-",
                            "+",
                            "+ 5",
                            "abc",
                            "007",
                            "0x10",
                            "4294967295",
                            "4294967296",
                            "-4294967296",
                            "18446744073709551615",
                            "18446744073709551616",
                            "99999999999999999999999",
                            "-99999999999999999999999",
                            "12 34"};
    for (const char* input : inputs) {
        std::wstring wide(input, input + std::char_traits<char>::length(input));
        std::u16string text(input, input + std::char_traits<char>::length(input));
        unsigned hostValue = 12345;
        unsigned ourValue = 12345;
        const int hostResult = std::swscanf(wide.c_str(), L"%u", &hostValue);
        EXPECT_EQ(crt::ScanUnsigned(text.c_str(), &ourValue), hostResult) << input;
        EXPECT_EQ(ourValue, hostValue) << input;
    }
    unsigned value = 0;
    EXPECT_EQ(crt::ScanUnsigned(nullptr, &value), -1);
    EXPECT_EQ(crt::ScanUnsigned(u"-1", &value), 1);
    EXPECT_EQ(value, 4294967295u);
}

}  // namespace
