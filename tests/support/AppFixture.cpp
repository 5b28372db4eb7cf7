#include "tests/support/AppFixture.h"

#include "tests/support/TestHome.h"

#include <QApplication>

#include <cstdlib>
#include <stdlib.h>

namespace zyn::test {

void EnsureApp() {
  if (qApp) return;
  TestHome();
  // Run straight from a shell without a window system, the tests still find a platform.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "zyn_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace zyn::test
