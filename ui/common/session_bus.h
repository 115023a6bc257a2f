#pragma once

namespace vintrel::ui {

// Where no session bus runs, makes sure the program does not start one.
// Call before the application object exists. Where a bus runs, it is used
// as before, so accessibility keeps working on a desktop.
void keepToTheSessionBusThatRuns();

}  // namespace vintrel::ui
