#pragma once
// The one QApplication of the shell tests.

#include <QApplication>

namespace zyn::test {

inline void EnsureApp() {
  if (!qApp) {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the input devices that QTest registers must outlive the application.
    new QApplication(argc, argv);
  }
}

}  // namespace zyn::test
