// Which generation of the handheld platform the program runs on. Only generation 3 (major
// version 5 or later) matters to the program: only there does the soft-key menu bar exist.
#pragma once

#include <string_view>

// 0 for major version 2 or lower; 1 for major version 3 when the platform type is
// "PocketPC", else 0; 2 for major version 4; 3 for major version 5 or higher.
int PlatformGenerationFor(int majorVersion, std::u16string_view platformType);

// The generation of the running platform, worked out on the first call and kept.
int PlatformGeneration();
// Forgets the kept value, so that the next call reads the platform again (for tests that
// change the reported version).
void ForgetPlatformGeneration();
