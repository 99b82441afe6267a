#include "game/dialogs/GameNumberText.h"

#include <cstdint>
#include <string>

#include "platform/System.h"

bool ParseGameNumber(std::u16string_view text, unsigned* number) {
    // The scanner reads a terminated text; a NUL inside the text ends it there, as it would
    // in the edit box's buffer.
    const std::u16string terminated(text.substr(0, text.find(u'\0')));
    // The scanner cuts a wider number to its low 32 bits, which is some other game:
    // "4294967296" would deal game 0. Such a number counts as no number at all.
    std::size_t i = 0;
    auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < terminated.size() && isSpace(terminated[i])) ++i;
    if (i < terminated.size() && (terminated[i] == u'+' || terminated[i] == u'-')) ++i;
    std::uint64_t magnitude = 0;
    for (; i < terminated.size() && terminated[i] >= u'0' && terminated[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + static_cast<unsigned>(terminated[i] - u'0');
        if (magnitude > 0xFFFFFFFFu) return false;
    }
    unsigned value = 0;
    if (crt::ScanUnsigned(terminated.c_str(), &value) != 1) return false;
    *number = value;
    return true;
}
