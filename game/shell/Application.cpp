#include "game/shell/Application.h"

#include "game/dialogs/HelpLaunch.h"
#include "game/dialogs/TranslationTable.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/DialogCommands.h"
#include "game/shell/MainDialog.h"
#include "game/shell/OwnerWindow.h"
#include "game/view/CardImageLibrary.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "platform/gui/ShellRequests.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application::~Application() = default;

bool Application::InitInstance() {
    TranslationTable::Instance().Load(TranslationFilePath(u"en"));
    SHInitExtraControls();
    setOrganizationName(QStringLiteral("Korvel Labs"));
    TheOptions().Load();
    TheStatistics().Load();
    // The CARDFIELD control is made by the main dialog's template builder.
    setApplicationDisplayName(QString::fromUtf16(kDisplayName));

    // A second start within one process makes the owner window afresh, as the handheld
    // registers its classes again.
    owner_ = std::make_unique<OwnerWindow>();
    // Closing the device screen's window is a close request to the owner window.
    if (auto* screen = platform::gui::DeviceScreen::Instance()) {
        connect(screen, &platform::gui::DeviceScreen::closeRequested, owner_.get(),
                &QWidget::close);
    }
    {
        MainDialog dialog(owner_.get());
        if (mainDialogObserver_) mainDialogObserver_(dialog);
        platform::gui::RunModal(dialog);
        // The result does not matter: whichever way the dialog ended, the game ends.
    }
    return true;
}

int Application::ExitInstance() {
    setApplicationDisplayName(QString());
    return 0;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    const bool result = QApplication::notify(receiver, event);
    if (event->type() == platform::gui::HelpRequestEvent::EventType() && !event->isAccepted()) {
        LaunchHelp(kHelpMainContents);
    }
    return result;
}

int Application::Run(platform::gui::DeviceScreen& screen) {
    screen.show();
    ProcessCardLibrary();
    CardSize();
    TheOptions();
    TheStatistics();
    InitInstance();
    return ExitInstance();
}
