// The one QApplication of the dialog kit tests, and small helpers for painted images.
#pragma once

#include <QApplication>
#include <QImage>

// Created once and never destroyed: destroying it at exit would run after Qt's own
// exit-time clean-up.
inline QApplication& KitApp() {
    static int argc = 1;
    static char name[] = "dialogs_kit_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// The rows of `image` whose every pixel is `colour`.
inline bool RowIs(const QImage& image, int y, QRgb colour) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != colour) return false;
    return true;
}
