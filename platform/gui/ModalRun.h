// Modal dialogs of the handheld, hosted in the device screen's work area.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/Types.h"

class QDialog;

// The platform's dialog result ids; macros, as the program's resource header names them too.
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef IDYES
#define IDYES 6
#endif
#ifndef IDNO
#define IDNO 7
#endif

namespace platform::gui {

// Runs `dialog` modally and returns its result as a platform id.
//
// 1. The owner is the dialog's parentWidget() at the call (e.g. MainDialog for the Options
//    dialog, the invisible owner window for MainDialog); without a parent, the dialog that
//    is active on the screen. The owner is disabled when it was enabled (and only then is it
//    enabled again at the end), as the handheld's modal run does. A widget that must not stay
//    disabled (the owner window) re-enables itself in its changeEvent(QEvent::EnabledChange).
// 2. With a DeviceScreen: the dialog is moved into the work area (into its own scroll area
//    there, DeviceScreen::ScrollAreaOf, so disabling the owner does not disable it), fills it,
//    lies on top and becomes the active dialog (top bar title, menu band, help requests).
//    Without a screen it is shown as a top-level window of its own.
// 3. The modal observer (below), if any, is called with the shown dialog.
// 4. A nested event loop runs until the dialog finishes (QDialog::done/accept/reject,
//    Escape); a dialog already finished by the observer runs no loop. When the application
//    exits meanwhile (QCoreApplication::exit ends every loop), the run ends as cancelled.
//    The active dialog keeps the keyboard focus: it gets it when it comes on top and again
//    when the dialog above it leaves.
// 5. The owner is re-enabled (see 1), then the dialog is hidden, taken off the screen and
//    given back its parent and window flags; the dialog below becomes active again.
//
// Result: QDialog::Accepted (1) -> IDOK, QDialog::Rejected (0) -> IDCANCEL, any other
// done(n) -> n. A dialog that is already running modally gives -1 and nothing happens.
// The caller keeps ownership of the dialog; it is not deleted. It must not be destroyed
// while it runs (destroying it ends the run with IDCANCEL, nothing dangles).
int RunModal(QDialog& dialog);

// The owner recorded for a dialog while it runs modally, else its parentWidget().
QWidget* OwnerOf(const QDialog& dialog);

// True while `dialog` runs in RunModal.
bool IsRunningModal(const QDialog& dialog);

// The handheld's EnableWindow: enables or disables `window`; returns TRUE when the window
// was disabled before the call, FALSE otherwise (and for null).
BOOL EnableWindow(QWidget* window, BOOL enable);
// TRUE when the window itself is enabled (its own state, not its ancestors'); FALSE for null.
BOOL IsWindowEnabled(const QWidget* window);

// Test hook: called by every RunModal once the dialog is shown and its owner disabled,
// before the loop starts. It may finish the dialog (done/accept/reject) or post work.
// An empty function removes it. Returns the previous observer.
using ModalObserver = std::function<void(QDialog&)>;
ModalObserver SetModalObserver(ModalObserver observer);

}  // namespace platform::gui
