// The handheld shell's extra services that a desktop has no use for: its extra control
// classes (among them the input-panel preference control "SIPPREF"), forcing the input panel
// down, and hiding a dialog's OK (Done) button. They are accepted and remembered so that
// tests can ask whether, for which window and in which order they were requested.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Types.h"

// SHSipPreference states and SHDoneButton states of the handheld shell.
enum SIPSTATE { SIP_UP = 0, SIP_DOWN = 1, SIP_FORCEUP = 2, SIP_FORCEDOWN = 3, SIP_UNCHANGED = 4 };
constexpr DWORD SHDB_SHOW = 1;
constexpr DWORD SHDB_HIDE = 2;

// Registers the shell's extra control classes ("SIPPREF" among them). Always TRUE.
BOOL SHInitExtraControls();

// Asks the shell to put the input panel into `state` for `window`. TRUE for a known state;
// FALSE (remembered nonetheless) for an unknown one.
BOOL SHSipPreference(QWidget* window, SIPSTATE state);

// Shows or hides the OK (Done) button of the device screen's top bar for `window` (shown by
// default). TRUE for SHDB_SHOW and SHDB_HIDE, FALSE for other states (remembered nonetheless).
BOOL SHDoneButton(QWidget* window, DWORD state);

namespace platform::gui {

// The dynamic property that records a window's SHDoneButton(SHDB_HIDE) request.
inline constexpr char kDoneButtonHiddenProperty[] = "doneButtonHidden";

// The handheld's GetClassInfo for the shell's classes: TRUE once SHInitExtraControls has run
// (for "SIPPREF", compared without regard to case), FALSE before and for other names.
BOOL IsWindowClassRegistered(std::u16string_view className);

// Creates a child window of class "SIPPREF" in `parent`: an invisible, zero-sized QWidget
// child with objectName "SIPPREF", owned by `parent`. Null (and nothing created) when the
// class is not registered or `parent` is null. Remembered as a request either way.
QWidget* CreateSipPrefControl(QWidget* parent);

enum class ShellRequestKind { InitExtraControls, SipPreference, DoneButton, CreateSipPref };

struct ShellRequest {
    ShellRequestKind kind;
    QPointer<QWidget> window;    // the window named in the request (null for InitExtraControls)
    DWORD state = 0;             // SIPSTATE or SHDB_ state; 1 for a created SIPPREF, 0 if refused
    std::uint64_t sequence = 0;  // RequestSequence() at the request
};

// Every request since the last clear, oldest first.
const std::vector<ShellRequest>& ShellRequestLog();
// How many requests of `kind` (for `window`, when not null) are in the log.
int CountShellRequests(ShellRequestKind kind, const QWidget* window = nullptr);
// Clears the log and unregisters the extra control classes (a fresh process, for tests).
void ResetShellRequests();

// A counter shared by the shell request log and the message box log: each request takes
// the next value, so tests can tell which came first. Never goes back.
std::uint64_t NextRequestSequence();
std::uint64_t RequestSequence();  // the last value handed out (0 before any)

}  // namespace platform::gui
