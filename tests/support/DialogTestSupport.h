// Shared by the tests of the game's dialogs: running a dialog modally while a test acts on
// it, and loading a translation.
#pragma once

#include <QApplication>
#include <QDialog>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/dialogs/TranslationTable.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "tests/support/HelpViewerLog.h"
#include "tests/support/TestApp.h"

namespace dialog_test {

inline QApplication& App() {
    return TestApp();
}

// Runs `dialog` with RunModal; `act` runs once it is shown and initialised. If `act` leaves
// the dialog open, it is cancelled, so a test never hangs. Returns RunModal's result.
inline int RunWith(QDialog& dialog, const std::function<void(QDialog&)>& act) {
    App();
    auto previous = platform::gui::SetModalObserver([&](QDialog& shown) {
        bool finished = false;
        const auto connection =
            QObject::connect(&shown, &QDialog::finished, [&finished] { finished = true; });
        act(shown);
        QObject::disconnect(connection);
        if (!finished) shown.reject();
    });
    const int result = platform::gui::RunModal(dialog);
    platform::gui::SetModalObserver(std::move(previous));
    return result;
}

// Sends the help request a dialog gets from the help key; true when the dialog took it.
inline bool RequestHelp(QDialog& dialog) {
    platform::gui::HelpRequestEvent help;
    QApplication::sendEvent(&dialog, &help);
    return help.isAccepted();
}

// Runs `dialog`, asks it for help, and returns the topics the help viewer (a stand-in below
// `deviceRoot`) was started with; empty when the dialog did not take the request.
inline std::vector<std::string> HelpOpenedBy(QDialog& dialog,
                                             const std::filesystem::path& deviceRoot) {
    HelpViewerLog viewer(deviceRoot);
    bool accepted = false;
    RunWith(dialog, [&](QDialog& d) { accepted = RequestHelp(d); });
    return accepted ? viewer.WaitFor(1) : std::vector<std::string>{};
}

// The dialog's own controls that are shown and have a size: what a player can reach.
inline std::vector<QWidget*> ShownControls(const QWidget& dialog) {
    std::vector<QWidget*> shown;
    for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow() && control->isVisible() && !control->size().isEmpty()) {
            shown.push_back(control);
        }
    }
    return shown;
}

// Writes an 8-bit translation file and loads it into the process-wide table. Entries stay
// loaded for the rest of the process.
inline bool LoadTranslations(const std::filesystem::path& file, const std::string& entries) {
    std::ofstream(file, std::ios::binary) << entries;
    return TranslationTable::Instance().Load(file.u16string());
}

}  // namespace dialog_test
