// The "%u" reading of the number typed into Select Game, and the platform scanner under it,
// against a plain reading of the same rules: white space skipped, an optional sign, decimal
// digits, the rest ignored; a minus sign gives the 32-bit two's complement; a number wider
// than 32 bits is no number for the dialog. The text ends at its end or its first NUL.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "game/dialogs/GameNumberText.h"
#include "platform/System.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct Reading {
    bool number = false;      // digits were found
    bool fits = true;         // their value fits 32 bits
    std::uint32_t value = 0;  // the low 32 bits, sign applied
};

Reading Read(const std::u16string& text) {
    Reading r;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        r.number = true;
        if (magnitude > 0xFFFFFFFFu) continue;
        magnitude = magnitude * 10 + (text[i] - u'0');
    }
    r.fits = magnitude <= 0xFFFFFFFFu;
    const auto low = static_cast<std::uint32_t>(magnitude);
    r.value = negative ? 0u - low : low;
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Odd first byte: the bytes are UTF-16 units; else each byte is one character, which
    // reaches the digits and white space far more often.
    std::u16string text;
    if (size > 0 && (data[0] & 1)) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    } else {
        for (std::size_t i = size > 0 ? 1 : 0; i < size; ++i)
            text += static_cast<char16_t>(data[i]);
    }
    const std::u16string terminated = text.substr(0, text.find(u'\0'));
    const Reading expected = Read(terminated);

    unsigned number = 0xDEADBEEFu;
    const bool parsed = ParseGameNumber(text, &number);
    FUZZ_CHECK(parsed == (expected.number && expected.fits));
    FUZZ_CHECK(number == (parsed ? expected.value : 0xDEADBEEFu));

    unsigned scanned = 0xDEADBEEFu;
    const int count = crt::ScanUnsigned(terminated.c_str(), &scanned);
    FUZZ_CHECK(count == (expected.number ? 1
                         : terminated.find_first_not_of(u" \t\n\v\f\r") == std::u16string::npos
                             ? -1
                             : 0));
    if (count != 1) FUZZ_CHECK(scanned == 0xDEADBEEFu);
    if (expected.number && expected.fits) FUZZ_CHECK(scanned == expected.value);
    return 0;
}
