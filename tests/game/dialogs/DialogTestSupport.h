// Shared by the tests of the game's dialogs: one QApplication per test program, running a
// dialog modally while a test acts on it, and a stand-in help viewer that records how it
// was started.
#pragma once

#include <QApplication>
#include <QDialog>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "game/dialogs/TranslationTable.h"
#include "platform/gui/ModalRun.h"

namespace dialog_test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "dialog_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets and Qt's exit clean-up may still need it.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
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

// A help viewer script in the device's \Windows folder that appends its command line to a
// file beside it, one line per start.
class HelpViewerLog {
  public:
    explicit HelpViewerLog(const std::filesystem::path& deviceRoot)
        : log_(deviceRoot / "Windows" / "help-starts.txt") {
        const std::filesystem::path viewer = deviceRoot / "Windows" / "PegHelp.exe";
        std::ofstream(viewer) << "#!/bin/sh\necho \"$1\" >> \"" << log_.string() << "\"\n";
        std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    }

    // The command lines recorded once `count` starts have arrived, or what arrived within
    // ten seconds (the viewer runs detached).
    std::vector<std::string> WaitFor(std::size_t count) const {
        std::vector<std::string> lines;
        for (int attempt = 0; attempt < 200; ++attempt) {
            lines = Lines();
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return lines;
    }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

  private:
    std::filesystem::path log_;
};

// Writes an 8-bit translation file and loads it into the process-wide table. Entries stay
// loaded for the rest of the process.
inline bool LoadTranslations(const std::filesystem::path& file, const std::string& entries) {
    std::ofstream(file, std::ios::binary) << entries;
    return TranslationTable::Instance().Load(file.u16string());
}

}  // namespace dialog_test
