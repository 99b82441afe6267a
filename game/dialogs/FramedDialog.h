// The base of every dialog of the program that embeds a DialogFrame: the dialog's own
// initialisation runs when the frame sends InitDialogEvent, and a help request opens the
// dialog's help topic.
#pragma once

#include <QDialog>
#include <string_view>

class FramedDialog : public QDialog {
  protected:
    // `helpTopic` is the anchor of the help file that a help request opens; with an empty
    // one the request goes on to whoever else handles it.
    FramedDialog(QWidget* parent, std::u16string_view helpTopic);

    // Runs once, on the frame's InitDialogEvent.
    virtual void InitDialog() = 0;

    bool event(QEvent* event) override;

  private:
    std::u16string_view helpTopic_;
};
