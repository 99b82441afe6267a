// The four main-window commands that open a dialog: what goes into each dialog and what
// comes back. Each dialog is made for one run, runs modally over `parent` and is gone when
// the function returns.
#pragma once

#include <cstdint>
#include <optional>

class Options;
class QWidget;

// The Select-game dialog: the number it holds after OK (taken as signed 32-bit, so the
// typed number 4294967295 is game -1), or nothing after Cancel.
std::optional<std::int32_t> RunSelectGame(QWidget* parent);

// The Options dialog, filled with DblClickMoves, DisplayMessages, ShowStatusBar and
// SoftKeyMenu; after OK the four values are copied back into `options` (not saved) and the
// result is true. After Cancel `options` is untouched.
bool RunOptions(QWidget* parent, Options& options);

// The Statistics dialog; `unfinished` says that the game on the table is neither won nor
// stuck.
void RunStatistics(QWidget* parent, bool unfinished);

// The About dialog with the program's name, version 1.5.0, build 66, help topic and icon.
void RunAbout(QWidget* parent);
