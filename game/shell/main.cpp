// Korvel Tessamo: the device screen, then the process-wide objects in their order, then the
// application's start-up, which returns when the game ends.
#include "common/ProductName.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/Application.h"
#include "game/shell/MainDialog.h"
#include "game/view/CardImageLibrary.h"
#include "platform/gui/DeviceScreen.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    QGuiApplication::setApplicationName(QString::fromLatin1(kApplicationId));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    platform::gui::DeviceScreen screen(
        platform::gui::DeviceScreen::StartSizeFromArguments(argc, argv));
    screen.setWindowTitle(QString::fromUtf16(kDisplayName));
    screen.show();

    ProcessCardLibrary();
    CardSize();
    TheOptions();
    TheStatistics();

    app.InitInstance();
    return app.ExitInstance();
}
