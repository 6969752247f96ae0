#pragma once
// How the octet boxes read key and focus events, shared by every window that
// takes an address in four boxes (the calculator, the practice window).
#include <Qt>

class QKeyEvent;

namespace keyevents {

// The character code a key press types, or -1 for keys that type nothing
// (arrows, Delete, Tab, function keys). Ctrl with a letter types the control
// character (Ctrl+C is 3).
int keyAscii(const QKeyEvent* e);

// Switching to another program or opening a menu moves the focus without
// leaving or entering a box.
bool switchedWindows(Qt::FocusReason reason);

} // namespace keyevents
