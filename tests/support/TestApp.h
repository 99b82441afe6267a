// The one application object of a GUI test binary, created on first use and never destroyed:
// widgets and Qt's own exit-time clean-up may still need it after static destructors run.
#pragma once

#include <QApplication>

template <class AppType = QApplication>
AppType& TestApp() {
    static int argc = 1;
    static char name[] = "tessamo-test";
    static char* argv[] = {name, nullptr};
    static AppType* app = new AppType(argc, argv);
    return *app;
}
