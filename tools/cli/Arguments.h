// The argument forms the subcommands share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "game/model/Geometry.h"

// A game number: a decimal 32-bit number, signed or unsigned, so "-1" and "4294967295"
// name the same (ordered) deal.
std::optional<std::int32_t> ParseGameNumber(std::string_view text);
// A decimal int in the range of int; no sign other than a leading '-'.
std::optional<int> ParseInt(std::string_view text);
// A screen size "WxH", each side 1 to 4096 pixels.
std::optional<Size> ParseScreenSize(std::string_view text);

// Reads the size after a --screen option at args[i] into `screen` and moves `i` onto it; on
// a missing or bad size writes one line naming `command` on `err` and returns false.
bool TakeScreenSize(const std::vector<std::string>& args, std::size_t& i, std::string_view command,
                    Size& screen, std::ostream& err);
