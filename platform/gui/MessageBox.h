// The handheld's message box: one call that shows a text with buttons and returns the
// button chosen. Tests install a responder instead of clicking; every call is logged.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"
#include "platform/gui/ModalRun.h"  // IDOK, IDCANCEL, IDYES, IDNO

// Buttons (low four bits) and icon (next four bits) of the type.
enum : UINT {
    MB_OK = 0x00000000,
    MB_OKCANCEL = 0x00000001,
    MB_YESNO = 0x00000004,
    MB_ICONHAND = 0x00000010,
    MB_ICONQUESTION = 0x00000020,
    MB_ICONEXCLAMATION = 0x00000030,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONINFORMATION = 0x00000040,
    MB_ICONASTERISK = MB_ICONINFORMATION,
    MB_TYPEMASK = 0x0000000F,
    MB_ICONMASK = 0x000000F0,
};

namespace platform::gui {

struct MessageBoxRequest {
    QPointer<QWidget> parent;  // the owner passed in (may be null, or gone later)
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
    int result = 0;              // the id returned (filled in once answered)
    std::uint64_t sequence = 0;  // RequestSequence() value at the call (ShellRequests.h)
};

// Shows the message box and returns IDOK, IDCANCEL, IDYES or IDNO.
// With a responder installed, the responder's answer is returned and nothing is shown.
// Otherwise a Qt message box runs modally over the device screen (or over `parent` when
// there is no screen), with the translated-by-the-caller text and caption as given.
// Buttons: MB_OK -> OK; MB_OKCANCEL -> OK, Cancel; MB_YESNO -> Yes, No; other button codes
// are treated as MB_OK. Closing the box without a button (Escape) gives IDOK for MB_OK,
// IDCANCEL for MB_OKCANCEL and IDNO for MB_YESNO.
// A responder's answer is returned as it stands (tests may answer anything).
int MessageBoxW(QWidget* parent, std::u16string_view text, std::u16string_view caption, UINT type);

// Installs the test responder (an empty function removes it); returns the previous one.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);

// Every call, oldest first, with the result filled in.
const std::vector<MessageBoxRequest>& MessageBoxLog();
void ClearMessageBoxLog();

}  // namespace platform::gui
