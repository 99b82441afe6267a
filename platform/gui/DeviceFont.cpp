#include "platform/gui/DeviceFont.h"

#include <algorithm>

#include "platform/gui/DeviceScreen.h"

namespace platform::gui {

QFont AtDeviceDensity(QFont font) {
    if (font.pointSize() > 0) {
        font.setPixelSize(std::max(1, (font.pointSize() * LogPixelsY() + 36) / 72));
    }
    return font;
}

}  // namespace platform::gui
