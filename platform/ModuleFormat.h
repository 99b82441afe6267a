// The fixed numbers of the resource module layout (described in platform/Modules.h), shared
// by the loader and the build-time writer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace module_format {

constexpr char kMagic[4] = {'K', 'T', 'R', 'M'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kEntrySize = 16;

}  // namespace module_format
