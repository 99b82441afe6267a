// Points the platform at a fresh temporary registry and device folder for one test,
// so no test ever touches the user's real settings. Afterwards both point at a place that
// cannot exist, so later registry and file calls fail rather than reach the real defaults.
#pragma once

#include <filesystem>

class TempPlatform {
  public:
    TempPlatform();
    ~TempPlatform();
    TempPlatform(const TempPlatform&) = delete;
    TempPlatform& operator=(const TempPlatform&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path RegistryFile() const { return root_ / "registry.sqlite"; }
    std::filesystem::path DeviceRoot() const { return root_ / "device"; }

  private:
    std::filesystem::path root_;
};
