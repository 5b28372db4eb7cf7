// The main function of every test programme: the gate of a programme that needs an environment of
// its own, the isolated home, then the tests.
#include "tests/support/TestGate.h"
#include "tests/support/TestHome.h"

#include <gtest/gtest.h>

// The test programmes are built with AddressSanitizer and UndefinedBehaviorSanitizer. Undefined
// behaviour ends the programme, so the test fails instead of printing a line nobody reads. The
// font caches of fontconfig and the session-bus connection that Qt makes on a real X server live
// to the end of the process by design and are no leak of ours; so are the objects the web engine
// (the browser page) keeps to the end of the process.
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\nleak:libQt6XcbQpa.so\n"
         "leak:libQt6WebEngineCore.so\n";
}

namespace zyn::test {
namespace {
TTestGate& Gate() {
  static TTestGate gate = nullptr;
  return gate;
}
}  // namespace

bool SetTestGate(TTestGate gate) {
  Gate() = gate;
  return true;
}

TTestGate TestGate() { return Gate(); }

}  // namespace zyn::test

int main(int argc, char** argv) {
  if (const zyn::test::TTestGate gate = zyn::test::TestGate()) {
    const int status = gate(argc, argv);
    if (status >= 0) return status;
  }
  zyn::test::TestHome();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
