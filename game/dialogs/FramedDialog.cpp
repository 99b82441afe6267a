#include "game/dialogs/FramedDialog.h"

#include "game/dialogs/DialogInit.h"
#include "game/dialogs/HelpLaunch.h"
#include "platform/gui/GuiEvents.h"

FramedDialog::FramedDialog(QWidget* parent, std::u16string_view helpTopic)
    : QDialog(parent), helpTopic_(helpTopic) {}

bool FramedDialog::event(QEvent* event) {
    if (event->type() == InitDialogEvent::Type()) {
        InitDialog();
        return true;
    }
    if (!helpTopic_.empty() && event->type() == platform::gui::HelpRequestEvent::EventType()) {
        LaunchHelp(helpTopic_);
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void FramedDialog::keyPressEvent(QKeyEvent* event) {
    if (!HandleOkKey(*this, event)) QDialog::keyPressEvent(event);
}
