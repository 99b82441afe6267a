// Game numbers on the command line: decimal 32-bit numbers, signed or unsigned, so "-1"
// and "4294967295" name the same (ordered) deal.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseGameNumber(std::string_view text);
// A decimal int in the range of int; no sign other than a leading '-'.
std::optional<int> ParseInt(std::string_view text);
