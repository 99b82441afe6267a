// The dialog kit tests' application, and small helpers for painted images.
#pragma once

#include <QApplication>
#include <QImage>

#include "tests/support/TestApp.h"

inline QApplication& KitApp() {
    return TestApp();
}

// The rows of `image` whose every pixel is `colour`.
inline bool RowIs(const QImage& image, int y, QRgb colour) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != colour) return false;
    return true;
}
