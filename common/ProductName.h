// The product's name, as the program shows it and as its settings and its installation are
// named after it. The game program and the setup library share it.
#pragma once

inline constexpr char16_t kProductName[] = u"Korvel Tessamo";

// The desktop's id of the game: the name of its desktop entry, icon and AppStream data, and
// the window class that lets the task bar group its window under the entry.
inline constexpr char kApplicationId[] = "com.korvellabs.Tessamo";
