#pragma once

// What the program asks of the desktop it runs on: Wayland or X, whether a
// session bus may be used, and the font its title bars need. The Windows
// differences need no toolkit and live in platform/.

#include <QFont>

#include <optional>

namespace vintrel::ui {

// Whether the windows are native Wayland windows: there the compositor, not
// the program, places them and gives out the keyboard.
bool onWayland();

// Where no session bus runs, makes sure the program does not start one.
// Call before the application object exists. Where a bus runs, it is used
// as before, so accessibility keeps working on a desktop.
void keepToTheSessionBusThatRuns();

// The application font that title bars drawn by the program need, or none
// where the desktop draws them in its own.
std::optional<QFont> titleBarFont();

}  // namespace vintrel::ui
