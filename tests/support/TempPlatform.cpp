#include "tests/support/TempPlatform.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/PlatformConfig.h"

namespace fs = std::filesystem;

TempPlatform::TempPlatform() {
    std::string pattern = (fs::temp_directory_path() / "tessamo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create temporary folder");
    root_ = pattern;
    fs::create_directories(DeviceRoot() / "Windows");
    platform::SetRegistryPath(RegistryFile());
    platform::SetDeviceRoot(DeviceRoot());
}

namespace {
// Below a file, so that nothing can ever be created there, not even by root: a registry call
// made after the fixture has gone fails instead of reaching the user's real settings.
const fs::path kNowhere = "/dev/null/tessamo-test-platform-ended";
}  // namespace

TempPlatform::~TempPlatform() {
    platform::SetRegistryPath(kNowhere / "registry.sqlite");
    platform::SetDeviceRoot(kNowhere / "device");
    std::error_code ec;
    fs::remove_all(root_, ec);
}
