// Taps that go straight to a control's own handling. For a control set up here, a left-button
// press is handed to the control's own event handling directly (other event filters on the
// control are skipped) and then accepted, so it never travels on to the dialog and its frame.
// Every other event reaches the control exactly as before.
//
// The process-wide map holds the controls set up so far; a control leaves it when it is
// destroyed, so a new control (even at the same address) can be set up again.
#pragma once

#include <cstddef>

class QWidget;

// Sets `control` up. True if it was newly set up; false for null, or when `control` is
// already in the map (nothing changes then).
bool PassTapsToControl(QWidget* control);

// Whether `control` is in the map.
bool IsTapPassThrough(const QWidget* control);
// Number of controls in the map.
std::size_t TapPassThroughCount();
