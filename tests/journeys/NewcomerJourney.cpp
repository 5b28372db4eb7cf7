// A newcomer's first hour on a fresh install: "Neues Projekt" with a customer typed in goes
// through without an error box, the data folders exist and the project gets its table record;
// the side bar highlights the page shown at every step; the command-list editor and the flag
// viewer open from their menu entries.

#include "frames/core/ProjectTables.h"
#include "model/db/DbfTable.h"
#include "tests/journeys/Journey.h"
#include "tests/journeys/TestProject.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <filesystem>

namespace zyn::test {
namespace {

using Newcomer = TJourney;

TEST_F(Newcomer, ANewProjectWithACustomerOnAFreshInstall) {
  StartProgram();
  for (const char* folder : {"projects", "database", "plugins", "downloads", "Grafiken"})
    EXPECT_TRUE(std::filesystem::is_directory(ProgramFolder() + "data/" + folder)) << folder;

  MenuCommand({"Datei1", "Neu1"});
  ASSERT_TRUE(WaitForPage("FrNeu"));
  EXPECT_EQ(HighlightedPage(), "FrNeu");
  QWidget* page = Main().FM->GetFrame(QStringLiteral("FrNeu"));
  auto* number = Find<QLineEdit>(QStringLiteral("PEdit_NR"), page);
  ASSERT_TRUE(WaitFor([&] { return number->hasFocus(); })) << "the page does not start in the project number";
  Type(QStringLiteral("P-2026-017"));
  Click(Find<QLineEdit>(QStringLiteral("PEdit_PN"), page));
  Type(QStringLiteral("Neubau Mueller"));
  ClickTab(Find<QTabWidget>(QStringLiteral("PageControl1"), page), QStringLiteral("Kundendaten"));
  Click(Find<QToolButton>(QStringLiteral("NavInsert"), page));
  auto* name = Find<QLineEdit>(QStringLiteral("KEdit_N"), page);
  Click(name);
  Type(QStringLiteral("Elektro Mueller"));  // the X keyboard of the journeys has no umlauts
  ASSERT_TRUE(WaitFor([&] { return name->text() == QStringLiteral("Elektro Mueller"); }))
      << "the customer name was not taken: " << name->text().toStdString();
  Click(Find<QPushButton>(QStringLiteral("BtnOK"), page));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  EXPECT_EQ(HighlightedPage(), CurrentPage());
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "data/projects/P-2026-017.zpf"));
  {
    TDbfTable projects;
    projects.Open(ProjekteTableFile(ProgramFolder() + "data/database/"));
    ASSERT_EQ(projects.ReadAll().size(), 1u);
    EXPECT_EQ(projects.Read(1).Values[pdProjektnum], "P-2026-017");
  }

  SideBarClick("FrModulBearb");
  ASSERT_TRUE(WaitForPage("FrModulBearb"));
  EXPECT_EQ(HighlightedPage(), "FrModulBearb");
  MenuCommand({"Datei1", "Speichern1"});
  MenuCommand({"Datei1", "Schlieen1"});
  ASSERT_TRUE(WaitFor([&] { return !ItemEnabled("Speichern1"); }));
  EXPECT_EQ(HighlightedPage(), CurrentPage());
  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

TEST_F(Newcomer, TheFlagViewerOpensFromItsMenuAndTheCommandListEditorIsOffered) {
  StartGlobals();
  StartProgram(SaveEmptyJourneyProject());
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  // The command-list editor's entry under "Einstellungen" > "Entwicklung" is offered.
  EXPECT_TRUE(ItemEnabled("mnuFunctionEdit"));
  ASSERT_TRUE(ItemEnabled("mnuEditSTMMerker"));
  MenuCommand({"Steuermodul1", "mnuEditSTMMerker"});
  EXPECT_TRUE(WaitForPage("FrmEditSTMMerker"));
  EXPECT_EQ(HighlightedPage(), "");  // the side bar has no entry for it
  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
