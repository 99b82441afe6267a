// Appends little-endian numbers to a byte buffer, as the BMP and module formats store them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

inline void Put16(std::vector<BYTE>& out, std::uint32_t v) {
    out.push_back(static_cast<BYTE>(v));
    out.push_back(static_cast<BYTE>(v >> 8));
}

inline void Put32(std::vector<BYTE>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
