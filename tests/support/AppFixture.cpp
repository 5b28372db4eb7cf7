#include "tests/support/AppFixture.h"

#include "tests/support/TestHome.h"
#include "tests/support/XWindowManager.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <stdlib.h>

namespace zyn::test {

void EnsureApp() {
  if (qApp) return;
  TestHome();
  // Run straight from a shell without a window system, the tests still find a platform.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Under a window manager that is still starting, windows would come up unmanaged.
  if (std::getenv("ZYN_X11_WAIT_FOR_WM") && !WaitForWindowManager(60000))
    std::fprintf(stderr, "no window manager came up on %s\n", std::getenv("DISPLAY"));
  static int argc = 1;
  static char name[] = "zyn_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace zyn::test
