// Reading the game number that the player types into the Select Game dialog. Kept apart
// from the dialog so that it needs no widgets.
#pragma once

#include <string_view>

// Reads a game number as swscanf(text, "%u") does: leading white space skipped, an optional
// sign, the digits; the rest is ignored. A minus sign gives the 32-bit two's complement
// ("-1" is 4294967295). Returns false, leaving *number alone, when the text does not begin
// with a number (empty, white space, letters) or when its digits do not fit 32 bits
// ("4294967296"), which the scanner would turn into another game.
// The text is read up to its end or its first NUL.
bool ParseGameNumber(std::u16string_view text, unsigned* number);
