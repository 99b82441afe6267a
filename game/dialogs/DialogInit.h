// Steps that the Select Game, Options and Statistics dialogs (and in part About) share:
// the initialisation convention (enable the owner window, centre, translate, title) and the
// platform's keyboard OK.
#pragma once

#include <QDialog>

#include "common/ProductName.h"
#include "platform/Types.h"

class DialogFrame;
class QKeyEvent;

// Caption of the message boxes that the dialogs show: the program's display name.
inline constexpr const char16_t* kMessageCaption = kProductName;

// Enables the program's owner window: the first window up the dialog's chain of owners
// (platform::gui::OwnerOf, through dialogs that run modally) that is not itself a dialog.
// The dialog's direct owner, when it is a dialog, stays as the modal run left it. Nothing
// happens when the chain holds no such window.
void EnableOwnerWindow(const QDialog& dialog);

// Centres the dialog: within its parent when it lies in one (the device screen's work area,
// which it fills anyway), else on the screen its owner is on (the primary screen without one).
void CenterDialog(QDialog& dialog);

// TranslateDialog on the dialog, then the translated string `titleId` into the frame's title
// strip.
void TranslateAndSetTitle(QDialog& dialog, DialogFrame& frame, UINT titleId);

// The platform's keyboard OK: Return or Enter, when the dialog has no visible default push
// button to press, ends the dialog through accept(). True when the key was taken.
bool HandleOkKey(QDialog& dialog, QKeyEvent* event);
