// The whole settings store as the registry's export text, so a test can compare everything
// a step left behind in one string, with nothing written that it did not expect.
#pragma once

#include <string>

// The export of both hives (see registry_text::ExportStore), or a line saying why it failed.
std::string StoreText();
