#include "game/dialogs/FormatText.h"

#include <vector>

namespace {

constexpr std::size_t kMaxWidth = 4096;

bool IsFlag(char16_t c) {
    return c == u'-' || c == u'0' || c == u'+' || c == u' ' || c == u'#';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLength(char16_t c) {
    return c == u'h' || c == u'l' || c == u'L' || c == u'q' || c == u'j' || c == u'z' || c == u't';
}

// The length of the conversion that begins with the '%' at `start`: flags, width,
// precision, length modifiers and the conversion letter (if the text has one left).
std::size_t ConversionLength(std::u16string_view text, std::size_t start) {
    std::size_t i = start + 1;
    while (i < text.size() && IsFlag(text[i])) ++i;
    while (i < text.size() && (IsDigit(text[i]) || text[i] == u'*')) ++i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && (IsDigit(text[i]) || text[i] == u'*')) ++i;
    }
    while (i < text.size() && IsLength(text[i])) ++i;
    if (i < text.size()) ++i;  // the conversion letter
    return i - start;
}

std::vector<std::u16string_view> Conversions(std::u16string_view text) {
    std::vector<std::u16string_view> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') continue;
        if (i + 1 < text.size() && text[i + 1] == u'%') {
            ++i;
            continue;
        }
        const std::size_t length = ConversionLength(text, i);
        found.push_back(text.substr(i, length));
        i += length - 1;
    }
    return found;
}

std::u16string Decimal(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

struct Conversion {
    bool left = false, zero = false, plus = false, space = false;
    std::size_t width = 0;
    char16_t type = 0;
    bool supported = false;
};

Conversion ParseConversion(std::u16string_view conversion) {
    Conversion conv;
    std::size_t i = 1;
    for (; i < conversion.size() && IsFlag(conversion[i]); ++i) {
        switch (conversion[i]) {
            case u'-':
                conv.left = true;
                break;
            case u'0':
                conv.zero = true;
                break;
            case u'+':
                conv.plus = true;
                break;
            case u' ':
                conv.space = true;
                break;
            default:
                return conv;  // '#' has no meaning for the supported letters
        }
    }
    for (; i < conversion.size() && IsDigit(conversion[i]); ++i) {
        conv.width = std::min(kMaxWidth, conv.width * 10 + (conversion[i] - u'0'));
    }
    if (i + 1 != conversion.size()) return conv;  // precision, '*', length or no letter
    conv.type = conversion[i];
    conv.supported =
        conv.type == u'u' || conv.type == u'd' || conv.type == u'i' || conv.type == u's';
    return conv;
}

void AppendPadded(std::u16string& out, const Conversion& conv, std::u16string_view sign,
                  std::u16string_view body, bool number) {
    const std::size_t length = sign.size() + body.size();
    const std::size_t pad = conv.width > length ? conv.width - length : 0;
    if (conv.left) {
        out.append(sign).append(body).append(pad, u' ');
    } else if (conv.zero && number) {
        out.append(sign).append(pad, u'0').append(body);
    } else {
        out.append(pad, u' ').append(sign).append(body);
    }
}

}  // namespace

std::u16string FormatTextArgs(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        const std::u16string_view conversion = format.substr(i, ConversionLength(format, i));
        i += conversion.size() - 1;
        const Conversion conv = ParseConversion(conversion);
        if (!conv.supported || next == args.end()) {
            out.append(conversion);
            continue;
        }
        const FormatArg& arg = *next++;
        if (conv.type == u's') {
            if (arg.kind() == FormatArg::Kind::Text) {
                AppendPadded(out, conv, {}, arg.AsText(), false);
            } else if (arg.kind() == FormatArg::Kind::Signed && arg.AsSigned() < 0) {
                AppendPadded(out, conv, u"-",
                             Decimal(0 - static_cast<std::uint64_t>(arg.AsSigned())), false);
            } else {
                const std::uint64_t value = arg.kind() == FormatArg::Kind::Signed
                                                ? static_cast<std::uint64_t>(arg.AsSigned())
                                                : arg.AsUnsigned();
                AppendPadded(out, conv, {}, Decimal(value), false);
            }
            continue;
        }
        if (arg.kind() == FormatArg::Kind::Text) {
            out.append(conversion);
            continue;
        }
        const std::uint64_t raw = arg.kind() == FormatArg::Kind::Signed
                                      ? static_cast<std::uint64_t>(arg.AsSigned())
                                      : arg.AsUnsigned();
        if (conv.type == u'u') {
            AppendPadded(out, conv, {}, Decimal(static_cast<std::uint32_t>(raw)), true);
        } else {
            const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
            const std::u16string_view sign = value < 0    ? u"-"
                                             : conv.plus  ? u"+"
                                             : conv.space ? u" "
                                                          : u"";
            const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::int64_t>(value)
                                                      : static_cast<std::uint64_t>(value);
            AppendPadded(out, conv, sign, Decimal(magnitude), true);
        }
    }
    return out;
}

bool SameConversions(std::u16string_view english, std::u16string_view translation) {
    const std::vector<std::u16string_view> wanted = Conversions(english);
    const std::vector<std::u16string_view> given = Conversions(translation);
    for (std::u16string_view conversion : given) {
        if (conversion.back() == u'n') return false;
    }
    return wanted == given;
}
