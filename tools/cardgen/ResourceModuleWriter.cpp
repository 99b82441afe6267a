#include "tools/cardgen/ResourceModuleWriter.h"

#include <fstream>

#include "platform/ModuleFormat.h"
#include "tools/cardgen/LittleEndian.h"

void ResourceModuleWriter::Add(DWORD type, DWORD id, std::vector<BYTE> data) {
    resources_.push_back({type, id, std::move(data)});
}

std::vector<BYTE> ResourceModuleWriter::Bytes() const {
    constexpr auto headerSize = static_cast<std::uint32_t>(module_format::kHeaderSize);
    std::uint32_t offset =
        headerSize + static_cast<std::uint32_t>(module_format::kEntrySize * resources_.size());
    std::uint32_t total = offset;
    for (const Resource& r : resources_) total += static_cast<std::uint32_t>(r.data.size());

    std::vector<BYTE> out(std::begin(module_format::kMagic), std::end(module_format::kMagic));
    out.reserve(total);
    Put16(out, module_format::kVersion);
    Put16(out, headerSize);
    Put32(out, static_cast<std::uint32_t>(resources_.size()));
    Put32(out, total);
    for (const Resource& r : resources_) {
        Put32(out, r.type);
        Put32(out, r.id);
        Put32(out, offset);
        Put32(out, static_cast<std::uint32_t>(r.data.size()));
        offset += static_cast<std::uint32_t>(r.data.size());
    }
    for (const Resource& r : resources_) out.insert(out.end(), r.data.begin(), r.data.end());
    return out;
}

bool ResourceModuleWriter::WriteFile(const std::filesystem::path& path) const {
    const std::vector<BYTE> bytes = Bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
