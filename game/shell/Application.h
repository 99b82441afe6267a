// The game program's application object: the start-up sequence that runs the main dialog
// for the whole life of the game, the shutdown, and help requests that no window answered.
//
// It is the program's QApplication, so it exists before any widget (the device screen must
// be there before the card library reads the screen width).
#pragma once

#include <QApplication>
#include <functional>
#include <memory>

class OwnerWindow;
class MainDialog;

namespace platform::gui {
class DeviceScreen;
}

class Application : public QApplication {
  public:
    // Takes Qt's own command-line options only; the game reads no arguments.
    Application(int& argc, char** argv);
    ~Application() override;

    // The start-up sequence: the translation file, the shell's extra controls, the options
    // and statistics from the registry, the owner window, then the main dialog run modally
    // until it closes or the owner window is asked to close. Always true.
    bool InitInstance();
    // Clears the display name; the exit code, 0.
    int ExitInstance();

    // The whole run of the game on `screen`: shows it, makes the process-wide objects in
    // their order (card library, card size, options, statistics), then InitInstance and
    // ExitInstance. Returns the exit code.
    int Run(platform::gui::DeviceScreen& screen);

    // The owner window, once the start-up has made it (it lives until the application goes).
    OwnerWindow* Owner() const { return owner_.get(); }

    // Test hook: called with the main dialog once it is constructed, before it runs.
    void SetMainDialogObserver(std::function<void(MainDialog&)> observer) {
        mainDialogObserver_ = std::move(observer);
    }

    // A help request that its window did not answer opens the main help topic.
    bool notify(QObject* receiver, QEvent* event) override;

  private:
    std::unique_ptr<OwnerWindow> owner_;
    std::function<void(MainDialog&)> mainDialogObserver_;
};
