#pragma once

namespace zyn {

// Registers the clock test, clock setting, self test and the timer and flag viewers with the
// main window, and the time-check dialog for its menu command.
void RegisterClockPages();

}  // namespace zyn
