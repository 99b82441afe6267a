#include "tests/support/StoreText.h"

#include <sstream>

#include "common/registry/RegistryText.h"
#include "platform/RegistrySupport.h"

std::string StoreText() {
    platform::RegistrySnapshot snapshot;
    std::ostringstream text;
    if (registry_text::ExportStore(text) != registry_text::ExportError::kNone) {
        return "(the store could not be exported)\n";
    }
    return text.str();
}
