// Builds resource modules in the container format that platform/Modules.h describes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/Types.h"

class ResourceModuleWriter {
  public:
    // Adds a resource; a (type, id) pair added twice keeps both, and the first one counts.
    void Add(DWORD type, DWORD id, std::vector<BYTE> data);
    // The complete module image.
    std::vector<BYTE> Bytes() const;
    // Writes the module image; false when the file cannot be written.
    bool WriteFile(const std::filesystem::path& path) const;

  private:
    struct Resource {
        DWORD type;
        DWORD id;
        std::vector<BYTE> data;
    };
    std::vector<Resource> resources_;
};
