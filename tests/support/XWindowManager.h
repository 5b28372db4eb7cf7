#pragma once
// Whether a window manager runs on an X server: some client redirects the root window's structure
// requests (twm does once it manages the windows).

#include <string>

namespace zyn::test {

bool WindowManagerRuns(const std::string& display);
// Waits until a window manager runs on the display of DISPLAY, at most timeoutMs.
bool WaitForWindowManager(int timeoutMs);

}  // namespace zyn::test
