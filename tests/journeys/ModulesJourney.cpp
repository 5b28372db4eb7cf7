// Modules added on the module page and applied: the programming pages that need inputs and outputs
// come alive at once, without building or reopening the project.

#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"

namespace zyn::test {
namespace {

using Modules = TJourney;

TEST_F(Modules, InputsAndOutputsAppliedOpenTheProgrammingPages) {
  StartGlobals();
  StartProgram(SaveEmptyProject("Neubau.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  EXPECT_FALSE(ItemEnabled("Funktion"));
  EXPECT_FALSE(ItemEnabled("Basis"));

  SideBarClick("FrModulBearb");
  ASSERT_TRUE(WaitForPage("FrModulBearb"));
  ASSERT_NO_FATAL_FAILURE(AddInputAndOutputModule());

  EXPECT_TRUE(WaitFor([&] { return ItemEnabled("Funktion") && ItemEnabled("Basis"); }))
      << "the programming pages stayed disabled after the modules were applied";
  SideBarClick("FrFunktion");
  EXPECT_TRUE(WaitForPage("FrFunktion"));
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
