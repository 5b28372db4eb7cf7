// Modules added on the module page and applied: the programming pages that need inputs and outputs
// come alive at once, without building or reopening the project.

#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"

#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

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
  QWidget* page = Main().FM->GetFrame(QStringLiteral("FrModulBearb"));
  auto* sheets = Find<QTabWidget>(QStringLiteral("TCModulDaten"), page);
  // Each new module's channels get their default names ("Auto"), which puts them to use.
  AddModule(QStringLiteral("Eingangsmodule"));
  ClickTab(sheets, QStringLiteral("Eingänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto0"), page));
  AddModule(QStringLiteral("Ausgangsmodule"));
  ClickTab(sheets, QStringLiteral("Ausgänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto1"), page));
  auto* ok = Find<QToolButton>(QStringLiteral("BtnOK"), page);
  ASSERT_TRUE(WaitFor([&] { return ok->isEnabled(); }));
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return !ok->isEnabled(); }));

  EXPECT_TRUE(WaitFor([&] { return ItemEnabled("Funktion") && ItemEnabled("Basis"); }))
      << "the programming pages stayed disabled after the modules were applied";
  SideBarClick("FrFunktion");
  EXPECT_TRUE(WaitForPage("FrFunktion"));
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
