// The device's default font: fonts are given in points, and the device draws a point at its
// own density (LogPixelsY), not at the desktop's.
#pragma once

#include <QFont>

namespace platform::gui {

// `font` with a point size turned into pixels at the device's density; a font already
// given in pixels is returned as it is.
QFont AtDeviceDensity(QFont font);

}  // namespace platform::gui
