// A newcomer's first hour on a fresh install: "Neues Projekt" with a customer typed in (umlauts
// and all), modules added and applied, one link made, the project built, saved, closed and opened
// again with its link, every step without an error box and with the side bar on the page shown;
// the command-list editor and the flag viewer open from their menu entries.

#include "frames/FrCompile.h"
#include "frames/FrProjektDateien.h"
#include "frames/core/ProjectTables.h"
#include "logic/FrFunktion.h"
#include "logic/LinkListView.h"
#include "model/db/DbfTable.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/journeys/Journey.h"
#include "tests/support/Files.h"
#include "tests/support/SmallProject.h"
#include "widgets/bars/BarControl.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <filesystem>

namespace zyn::test {
namespace {

using Newcomer = TJourney;

TEST_F(Newcomer, FromAFreshInstallToACompiledSavedProject) {
  const QString customer = QStringLiteral("Müller Söhne");
  const std::string customerAnsi = "M\xFCller S\xF6hne";  // as the model and the tables hold it (Windows-1252)
  const std::string projectFile = ProgramFolder() + "data/projects/P-2026-017.zpf";
  StartProgram();
  for (const char* folder : {"projects", "database", "plugins", "downloads", "Grafiken"})
    EXPECT_TRUE(std::filesystem::is_directory(ProgramFolder() + "data/" + folder)) << folder;

  // "Neues Projekt" with a customer typed in.
  MenuCommand({"Datei1", "Neu1"});
  ASSERT_TRUE(WaitForPage("FrNeu"));
  EXPECT_EQ(HighlightedPage(), "FrNeu");
  QWidget* page = Main().FM->GetFrame(QStringLiteral("FrNeu"));
  auto* number = Find<QLineEdit>(QStringLiteral("PEdit_NR"), page);
  ASSERT_TRUE(WaitFor([&] { return number->hasFocus(); })) << "the page does not start in the project number";
  Type(QStringLiteral("P-2026-017"));
  Click(Find<QLineEdit>(QStringLiteral("PEdit_PN"), page));
  Type(QStringLiteral("Neubau Müller"));
  ClickTab(Find<QTabWidget>(QStringLiteral("PageControl1"), page), QStringLiteral("Kundendaten"));
  Click(Find<QToolButton>(QStringLiteral("NavInsert"), page));
  auto* name = Find<QLineEdit>(QStringLiteral("KEdit_N"), page);
  Click(name);
  Type(customer);
  ASSERT_TRUE(WaitFor([&] { return name->text() == customer; }))
      << "the customer name was not taken: " << name->text().toStdString();
  Click(Find<QPushButton>(QStringLiteral("BtnOK"), page));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  EXPECT_EQ(HighlightedPage(), CurrentPage());
  EXPECT_TRUE(std::filesystem::exists(projectFile));
  {
    TDbfTable projects;
    projects.Open(ProjekteTableFile(ProgramFolder() + "data/database/"));
    ASSERT_EQ(projects.ReadAll().size(), 1u);
    EXPECT_EQ(projects.Read(1).Values[pdProjektnum], "P-2026-017");
    EXPECT_EQ(projects.Read(1).Values[pdProjektnam], "Neubau M\xFCller");
    TDbfTable customers;
    customers.Open(KundenTableFile(ProgramFolder() + "data/database/"));
    // Beside the table's own record "ohne Kundendaten", the customer typed in.
    const std::vector<TDbfRecord> rows = customers.ReadAll();
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [&](const TDbfRecord& r) { return r.Values[kdName] == customerAnsi; }),
              1);
  }

  // An input and an output module, their channels named, applied.
  SideBarClick("FrModulBearb");
  ASSERT_TRUE(WaitForPage("FrModulBearb"));
  EXPECT_EQ(HighlightedPage(), "FrModulBearb");
  EXPECT_FALSE(ItemEnabled("Funktion"));
  ASSERT_NO_FATAL_FAILURE(AddInputAndOutputModule());

  // One link on "Funktionsprogrammierung": the first input, the first output, "Verbinden".
  ASSERT_TRUE(WaitFor([&] { return ItemEnabled("Funktion"); })) << "the link page stayed disabled";
  SideBarClick("FrFunktion");
  ASSERT_TRUE(WaitForPage("FrFunktion"));
  EXPECT_EQ(HighlightedPage(), "FrFunktion");
  auto* links = dynamic_cast<TFrFunktion*>(Main().FM->GetFrame(QStringLiteral("FrFunktion")));
  ASSERT_TRUE(links);
  ASSERT_TRUE(WaitFor([&] { return links->EGrid->rowCount() > 0 && links->AGrid->rowCount() > 0; }))
      << "the link page shows no inputs or no outputs";
  Click(links->EGrid->viewport(), links->EGrid->visualItemRect(links->EGrid->item(0, 1)).center());
  ASSERT_TRUE(WaitFor([&] { return links->EGrid->currentRow() == 0; }));
  Click(links->AGrid->viewport(), links->AGrid->visualItemRect(links->AGrid->item(0, 1)).center());
  ASSERT_TRUE(WaitFor([&] { return links->AGrid->currentRow() == 0 && links->BtnVerbinde->isEnabled(); }));
  Click(links->BtnVerbinde);
  ASSERT_TRUE(WaitFor([&] { return links->LVerbindungen->count() == 1; })) << "no link was made";
  const QString linkText = links->LVerbindungen->item(0)->text();
  EXPECT_FALSE(linkText.isEmpty());

  // "Projekt erstellen": the build page shows the link, the program image is written.
  ToolbarCommand("Erstellen");
  ASSERT_TRUE(WaitFor([&] { return ItemEnabled("Erstellen") && CurrentPage() == "FrCompVerb"; }, 30000))
      << "the build did not end on its page";
  auto* build = dynamic_cast<TFrCompVerb*>(Main().FM->GetFrame(QStringLiteral("FrCompVerb")));
  ASSERT_TRUE(build);
  EXPECT_TRUE(WaitFor([&] { return build->PendingLines() == 0; }));
  EXPECT_GE(build->Count(), 1);
  EXPECT_FALSE(build->Memo1->toPlainText().trimmed().isEmpty());
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "data/projects/P-2026-017.prg"));

  // Save, close, and open again through "Öffnen".
  MenuCommand({"Datei1", "Speichern1"});
  ASSERT_TRUE(WaitFor([&] { return !GProjekt->Modified; }));
  // The project file's text values with characters beyond ASCII are UTF-8 strings of the stream.
  EXPECT_NE(ReadWholeFile(projectFile).find(customer.toStdString()), std::string::npos)
      << "the customer is not in the project file";
  MenuCommand({"Datei1", "Schlieen1"});
  ASSERT_TRUE(WaitFor([&] { return !ItemEnabled("Speichern1"); }));
  EXPECT_EQ(HighlightedPage(), CurrentPage());
  MenuCommand({"Datei1", "ffnen1"});
  ASSERT_TRUE(WaitForPage("FrOpen"));
  auto* open = dynamic_cast<TFrOpen*>(Main().FM->GetFrame(QStringLiteral("FrOpen")));
  ASSERT_TRUE(open);
  QListWidget* files = open->Chooser->FLB;
  QListWidgetItem* file = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    const auto found = files->findItems(QStringLiteral("P-2026-017"), Qt::MatchStartsWith);
    return !found.isEmpty() && (file = found.first()) != nullptr;
  })) << "the project is not offered";
  Click(files->viewport(), files->visualItemRect(file).center());
  ASSERT_TRUE(WaitFor([&] { return open->BtnWeiter->isEnabled(); }));
  Click(open->BtnWeiter);
  ASSERT_TRUE(WaitFor([&] { return ItemEnabled("Speichern1") && CurrentPage() != "FrOpen"; })) << "the project did not open";
  EXPECT_EQ(HighlightedPage(), CurrentPage());
  EXPECT_EQ(GProjekt->KundenDaten.FirmenName, customerAnsi);

  // The link is still there.
  SideBarClick("FrFunktion");
  ASSERT_TRUE(WaitForPage("FrFunktion"));
  ASSERT_TRUE(WaitFor([&] { return links->EGrid->rowCount() > 0; }));
  Click(links->EGrid->viewport(), links->EGrid->visualItemRect(links->EGrid->item(0, 1)).center());
  EXPECT_TRUE(WaitFor([&] { return links->LVerbindungen->count() == 1; })) << "the link was lost";
  if (links->LVerbindungen->count() == 1) {
    EXPECT_EQ(links->LVerbindungen->item(0)->text(), linkText);
  }
  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

TEST_F(Newcomer, TheCommandListEditorAndTheFlagViewerOpenFromTheirMenus) {
  StartGlobals();
  StartProgram(SaveEmptyProject("Neubau.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  // "Einstellungen" > "Entwicklung" > "Eingangsfunktionen...": a menu in a menu, opened as the
  // pointer rests on "Entwicklung". The window manager gives the focus to the window under the
  // pointer; the menus stay open on their own windows all the same.
  MenuCommand({"Einstellungen1", "Entwicklung1", "mnuFunctionEdit"});
  EXPECT_TRUE(WaitForPage("FrFunctionEdit"));
  // Leaving the open menus for another place of the screen closes them.
  MenuCommand({"Einstellungen1", "Entwicklung1"});
  MoveTo(QPoint(1200, 1000));
  EXPECT_TRUE(WaitFor([] { return TCustomzbBarControl::ActiveBarControl() == nullptr; }))
      << "the menus stayed open after the pointer left them";
  ASSERT_TRUE(ItemEnabled("mnuEditSTMMerker"));
  MenuCommand({"Steuermodul1", "mnuEditSTMMerker"});
  EXPECT_TRUE(WaitForPage("FrmEditSTMMerker"));
  EXPECT_EQ(HighlightedPage(), "");  // the side bar has no entry for it
  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
