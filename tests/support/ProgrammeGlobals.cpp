#include "tests/support/ProgrammeGlobals.h"

#include "project/Global.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"

#include <string>

namespace zyn::test {

void EnsureProgrammeGlobals() {
  EnsureApp();
  static bool done = false;
  if (done) return;
  done = true;
  TGlobalSetup setup;
  setup.ProgramPath = TestHome() + "zyn";
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
}

}  // namespace zyn::test
