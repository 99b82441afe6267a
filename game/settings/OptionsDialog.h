// The Options dialog (template 186): four check boxes that mirror four of the player's
// preferences. The dialog only holds the four values; it never reads or writes the registry.
// The main window's Options command fills the values from Options, runs the dialog with
// platform::gui::RunModal and, on IDOK, copies them back, saves and applies them.
#pragma once

#include "game/dialogs/FramedDialog.h"

class QCheckBox;

class OptionsDialog : public FramedDialog {
  public:
    // Builds the controls of template 186; the four values start at 0.
    explicit OptionsDialog(QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // The bound values: 1 checked, 0 not. Set them before the run; the check boxes show them
    // at initialisation. OK writes the boxes back; Cancel leaves the values as filled in.
    // Any non-zero value shows as checked (and comes back as 1 after OK).
    int DisplayMessages() const { return displayMessages_; }
    void SetDisplayMessages(int value) { displayMessages_ = value; }
    int DblClickMoves() const { return dblClickMoves_; }
    void SetDblClickMoves(int value) { dblClickMoves_ = value; }
    int ShowStatusBar() const { return showStatusBar_; }
    void SetShowStatusBar(int value) { showStatusBar_ = value; }
    // Shown (check box 1005) only on platform generation 3 (major version 5 or later); on
    // older platforms the box is hidden and OK returns the value unchanged.
    int SoftKeyMenu() const { return softKeyMenu_; }
    void SetSoftKeyMenu(int value) { softKeyMenu_ = value; }

    // The check box of control id `id` (1001, 1003, 1004, 1005), or null.
    QCheckBox* CheckBoxFor(int id) const;

    void accept() override;

  private:
    void InitDialog() override;
    // Moves the four values between the fields and the check boxes (toControls: into them).
    void ExchangeData(bool toControls);

    int displayMessages_ = 0;
    int dblClickMoves_ = 0;
    int showStatusBar_ = 0;
    int softKeyMenu_ = 0;
};
