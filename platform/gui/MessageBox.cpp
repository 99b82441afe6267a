#include "platform/gui/MessageBox.h"

#include <QEventLoop>
#include <QMessageBox>
#include <algorithm>

#include "platform/WideString.h"
#include "platform/gui/DeviceFont.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/ShellRequests.h"

namespace platform::gui {

namespace {

struct MessageBoxState {
    MessageBoxResponder responder;
    std::vector<MessageBoxRequest> log;
};

MessageBoxState& State() {
    static MessageBoxState state;
    return state;
}

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int ShowBox(QWidget* parent, const MessageBoxRequest& request) {
    QWidget* over = DeviceScreen::Instance();
    if (!over) over = parent ? parent->window() : nullptr;
    QMessageBox box(IconFor(request.type), ToQString(request.caption), ToQString(request.text),
                    QMessageBox::NoButton, over);
    // The box speaks in the device's default font, which is given in points at the device's
    // own density.
    box.setFont(AtDeviceDensity(box.font()));
    switch (request.type & MB_TYPEMASK) {
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
    }
    if (auto* screen = DeviceScreen::Instance()) {
        // Not modal in Qt's sense: a window that a modal one blocks never hears the user's
        // close request, and closing the screen must end the program at any moment. The
        // screen holds its input instead, and its close ends this loop like every other.
        screen->HoldInput();
        QEventLoop loop;
        QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
        box.setWindowModality(Qt::NonModal);
        box.show();
        loop.exec(QEventLoop::DialogExec);
        screen->ReleaseInput();
    } else {
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        case QMessageBox::Ok:
            return IDOK;
        default:
            break;
    }
    // No button at all (the window was closed): what the escape button stands for.
    switch (request.type & MB_TYPEMASK) {
        case MB_YESNO:
            return IDNO;
        case MB_OKCANCEL:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

}  // namespace

int MessageBoxW(QWidget* parent, std::u16string_view text, std::u16string_view caption, UINT type) {
    MessageBoxRequest request;
    request.parent = parent;
    request.text.assign(text);
    request.caption.assign(caption);
    request.type = type;
    request.sequence = NextRequestSequence();
    if (State().responder) {
        MessageBoxResponder responder = State().responder;  // may be replaced while it runs
        request.result = responder(request);
    } else {
        request.result = ShowBox(parent, request);
    }
    State().log.push_back(request);
    return request.result;
}

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder) {
    MessageBoxResponder previous = std::move(State().responder);
    State().responder = std::move(responder);
    return previous;
}

const std::vector<MessageBoxRequest>& MessageBoxLog() {
    return State().log;
}

void ClearMessageBoxLog() {
    State().log.clear();
}

}  // namespace platform::gui
