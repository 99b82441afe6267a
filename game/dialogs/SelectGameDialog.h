// The Select Game dialog (template 187): proposes a random game number and reads the number
// that the player types. The main window constructs it for one Select Game command, runs it
// with platform::gui::RunModal and, when the result is IDOK, deals GameNumber().
#pragma once

#include <string>
#include <string_view>

#include "game/dialogs/FramedDialog.h"
#include "game/dialogs/GameNumberText.h"

class QLineEdit;

// The number the dialog proposes: the next crt::rand() value modulo 32000, plus 1. Takes one
// value from the process's generator, which the main window seeds; this never seeds it.
unsigned ProposeGameNumber();

class SelectGameDialog : public FramedDialog {
  public:
    // Builds the controls of template 187. The proposal is made at initialisation, when the
    // dialog is first shown (RunModal shows it).
    explicit SelectGameDialog(QWidget* parent = nullptr);
    ~SelectGameDialog() override;

    // The proposed number once initialised; after IDOK the number that was typed. 0 before
    // initialisation. After a cancel it is the proposal and means nothing.
    unsigned GameNumber() const { return gameNumber_; }
    // The edit box text as last exchanged with the control.
    const std::u16string& Text() const { return text_; }
    QLineEdit* Edit() const { return edit_; }

    // OK: reads the edit box; with no number at its start, shows message 57696 and the
    // dialog stays open with the text as it was.
    void accept() override;

  private:
    void InitDialog() override;
    // Moves the text between the field and the edit box (toControls: into the box).
    void ExchangeData(bool toControls);

    std::u16string text_;
    unsigned gameNumber_ = 0;
    QLineEdit* edit_ = nullptr;
};
