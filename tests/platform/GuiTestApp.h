// The one QApplication of a GUI test binary, created on first use and never destroyed, so it
// outlives every widget that static clean-up might still touch.
#pragma once

#include <QApplication>

inline QApplication& GuiTestApp() {
    static int argc = 1;
    static char name[] = "gui-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
