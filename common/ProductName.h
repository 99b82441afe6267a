// The product's name, as the program shows it and as its settings and its installation are
// named after it. The game program and the setup library share it.
#pragma once

inline constexpr char16_t kProductName[] = u"Korvel Tessamo";
