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

TempPlatform::~TempPlatform() {
    platform::SetRegistryPath({});
    platform::SetDeviceRoot({});
    std::error_code ec;
    fs::remove_all(root_, ec);
}
