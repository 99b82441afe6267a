// Korvel Tessamo: the device screen, then the game's run on it, which returns when the
// game ends.
#include "common/ProductName.h"
#include "game/shell/Application.h"
#include "game/shell/MainDialog.h"
#include "platform/gui/DeviceScreen.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    QGuiApplication::setApplicationName(QString::fromLatin1(kApplicationId));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    platform::gui::DeviceScreen screen(
        platform::gui::DeviceScreen::StartSizeFromArguments(argc, argv));
    screen.setWindowTitle(QString::fromUtf16(kDisplayName));
    return app.Run(screen);
}
