// Conversions between the platform's 16-bit wide strings and UTF-8 host strings.
#pragma once

#include <string>
#include <string_view>

#include "platform/Types.h"

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; an invalid byte becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);
// Length of a NUL-terminated wide string; 0 for null.
std::size_t WideLength(LPCWSTR text);
// Case-insensitive comparison of wide strings (ASCII and Latin-1 letters fold), like _wcsicmp.
int WideCompareNoCase(std::u16string_view a, std::u16string_view b);
std::u16string WideLower(std::u16string_view text);
// True when the text holds a control character (below U+0020, or U+007F), which no registry
// name or text line may hold.
bool HasControlCharacter(std::u16string_view text);
