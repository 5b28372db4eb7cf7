// The main function of every test programme: the isolated home first, then the tests.
#include "tests/support/TestHome.h"

#include <gtest/gtest.h>

// The test programmes are built with AddressSanitizer and UndefinedBehaviorSanitizer. Undefined
// behaviour ends the programme, so the test fails instead of printing a line nobody reads. The
// font caches of fontconfig and the session-bus connection that Qt makes on a real X server live
// to the end of the process by design and are no leak of ours.
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\nleak:libQt6XcbQpa.so\n";
}

int main(int argc, char** argv) {
  zyn::test::TestHome();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
