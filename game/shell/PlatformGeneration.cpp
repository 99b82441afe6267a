#include "game/shell/PlatformGeneration.h"

#include "platform/PlatformConfig.h"

namespace {

// -1: not worked out yet.
int cachedGeneration = -1;

}  // namespace

int PlatformGenerationFor(int majorVersion, std::u16string_view platformType) {
    if (majorVersion <= 2) return 0;
    if (majorVersion == 3) return platformType == u"PocketPC" ? 1 : 0;
    if (majorVersion == 4) return 2;
    return 3;
}

int PlatformGeneration() {
    if (cachedGeneration < 0) {
        // The desktop stand-in always presents itself as a handheld of this family.
        cachedGeneration = PlatformGenerationFor(platform::PlatformMajorVersion(), u"PocketPC");
    }
    return cachedGeneration;
}

void ForgetPlatformGeneration() {
    cachedGeneration = -1;
}
