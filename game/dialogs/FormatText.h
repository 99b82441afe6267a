// printf-style formatting of (translated) format texts such as "Cards left: %u",
// "Version %s, Build %s" and "%d (%d%%)".
//
// Supported conversions: %u (unsigned), %d and %i (signed), %s (text; a number argument is
// written in decimal), each with the flags '-' (left-align), '0' (pad numbers with zeros),
// '+' and ' ' (sign of %d/%i) and a decimal width (at most 4096); "%%" writes one '%'.
// Arguments are typed and counted: every conversion takes exactly the next argument and
// nothing else is ever read. %u writes its argument cut to 32 bits, %d/%i as a 32-bit
// signed value, as the handheld's 32-bit printf would.
// A conversion that is not supported (another type, a precision, a length modifier, '*'), a
// conversion for which no argument is left, and %u/%d/%i given a text are written out as
// they stand; the last of these still uses up its argument. Surplus arguments are ignored.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class FormatArg {
  public:
    enum class Kind { Signed, Unsigned, Text };

    FormatArg(int value) : kind_(Kind::Signed), signed_(value) {}
    FormatArg(long value) : kind_(Kind::Signed), signed_(value) {}
    FormatArg(long long value) : kind_(Kind::Signed), signed_(value) {}
    FormatArg(unsigned value) : kind_(Kind::Unsigned), unsigned_(value) {}
    FormatArg(unsigned long value) : kind_(Kind::Unsigned), unsigned_(value) {}
    FormatArg(unsigned long long value) : kind_(Kind::Unsigned), unsigned_(value) {}
    // A null pointer is written as an empty text. The text must outlive the call.
    FormatArg(const char16_t* text)
        : kind_(Kind::Text), text_(text ? std::u16string_view(text) : std::u16string_view()) {}
    FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}

    Kind kind() const { return kind_; }
    std::int64_t AsSigned() const { return signed_; }
    std::uint64_t AsUnsigned() const { return unsigned_; }
    std::u16string_view AsText() const { return text_; }

  private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    std::u16string_view text_;
};

std::u16string FormatTextArgs(std::u16string_view format, std::initializer_list<FormatArg> args);

template <typename... Args>
std::u16string FormatText(std::u16string_view format, const Args&... args) {
    return FormatTextArgs(format, {FormatArg(args)...});
}

// True when `translation` may stand in for `english` as a format: both hold the same
// conversions ("%u", "%5d", "%s" ... everything from a '%' up to its conversion letter, "%%"
// aside) in the same order, written identically, and the translation holds no %n. Texts
// without any '%' conversion pass as long as the translation has none either.
bool SameConversions(std::u16string_view english, std::u16string_view translation);
