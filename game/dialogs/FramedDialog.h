// The base of every dialog of the program: it holds the dialog's DialogFrame, runs the
// dialog's own initialisation when the frame sends InitDialogEvent, opens the dialog's help
// topic on a help request, and takes Enter for OK where no default button is shown.
#pragma once

#include <QDialog>
#include <string_view>

#include "game/dialogs/DialogFrame.h"

class FramedDialog : public QDialog {
  public:
    const DialogFrame& Frame() const { return frame_; }

  protected:
    // `helpTopic` is the anchor of the help file that a help request opens; with an empty
    // one the request goes on to whoever else handles it.
    FramedDialog(QWidget* parent, std::u16string_view helpTopic);

    // Runs once, on the frame's InitDialogEvent.
    virtual void InitDialog() = 0;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Set up and attached by each dialog's constructor.
    DialogFrame frame_;

  private:
    std::u16string_view helpTopic_;
};
