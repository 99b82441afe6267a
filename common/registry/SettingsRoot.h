// Where the game keeps its settings: below HKEY_LOCAL_MACHINE, in the subkeys "Options" and
// "Statistics" of this key. The leading backslash is passed to the registry as it stands.
#pragma once

#include <string_view>

#include "common/ProductName.h"
#include "platform/Types.h"

inline constexpr LPCWSTR kSettingsRoot = u"\\Software\\Korvel Labs\\Korvel Tessamo";
static_assert(std::u16string_view(kSettingsRoot).ends_with(kProductName));
