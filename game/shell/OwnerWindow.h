// The invisible top-level window that stands for the running game: it owns the main dialog,
// never stays disabled, ends the game on a close request and passes the screen's settings
// change on to the main dialog once that has finished its initialisation.
//
// It is never shown: on the desktop the device screen is what the player sees, and a window
// of no size would still appear in the desktop's task list. It receives the device screen's
// settings-change broadcast all the same, as every top-level widget does.
#pragma once

#include <QWidget>

class MainDialog;

class OwnerWindow : public QWidget {
  public:
    // Titled with the display name. Not shown.
    OwnerWindow();
    ~OwnerWindow() override;

    // The main dialog that the settings change reaches; set at the end of the dialog's
    // initialisation, cleared when the dialog goes. Null before that.
    static MainDialog* MainDialogPointer();
    static void SetMainDialog(MainDialog* dialog);

    // Counted for tests: settings changes answered without reaching the main dialog.
    int IgnoredSettingChanges() const { return ignoredSettingChanges_; }

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    int ignoredSettingChanges_ = 0;
};
