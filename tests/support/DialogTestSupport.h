// Shared by the tests of the game's dialogs: running a dialog modally while a test acts on
// it, and loading a translation.
#pragma once

#include <QApplication>
#include <QDialog>
#include <filesystem>
#include <fstream>
#include <functional>

#include "game/dialogs/TranslationTable.h"
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

// Writes an 8-bit translation file and loads it into the process-wide table. Entries stay
// loaded for the rest of the process.
inline bool LoadTranslations(const std::filesystem::path& file, const std::string& entries) {
    std::ofstream(file, std::ios::binary) << entries;
    return TranslationTable::Instance().Load(file.u16string());
}

}  // namespace dialog_test
