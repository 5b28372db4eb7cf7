// A project opened from the command line, every page of the side bar visited and every menu command
// that opens a page or a dialog used, with a few keys pressed on each; a page that crashes, hangs or
// leaves an error box fails. Then the programme is closed with and without the save question.

#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"

#include <QApplication>

namespace zyn::test {
namespace {

class PageTour : public TJourney {
 protected:
  // Keys a user presses on a page without meaning to change anything: through the controls, in
  // lists, a letter taken back, and Escape.
  void PressKeysOnPage() {
    Keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Down"), QStringLiteral("Up"),
          QStringLiteral("Right"), QStringLiteral("Left"), QStringLiteral("x"), QStringLiteral("BackSpace"),
          QStringLiteral("Escape")});
    // The keys have been handled once the programme answers again.
    EXPECT_TRUE(WaitFor([&] { return Main().isVisible(); }));
  }

  std::vector<std::string> SideBarPages() {
    std::vector<std::string> pages;
    TzbSideBar& bar = *Main().SB;
    for (int g = 0; g < bar.Groups().Count(); ++g) {
      TzbSideGroup* group = bar.Groups().GetItem(g);
      if (!group->Visible()) continue;
      for (int i = 0; i < group->Items().Count(); ++i)
        if (group->Items().GetItem(i)->GetEnabled()) pages.push_back(group->Items().GetItem(i)->CustomData);
    }
    return pages;
  }
};

TEST_F(PageTour, EveryPageOfTheSideBarTakesKeys) {
  StartGlobals();
  const std::string project = SaveSmallProject("Haus.zpf");
  StartProgram(project);
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  // Questions a user answers on the way: edits made by the keys are not kept.
  AlwaysAnswer(QStringLiteral("übernommen"), QStringLiteral("Nein"));
  AlwaysAnswer(QStringLiteral("gespeichert werden"), QStringLiteral("Nein"));
  const std::vector<std::string> pages = SideBarPages();
  EXPECT_GE(pages.size(), 20u);
  for (const std::string& page : pages) {
    SCOPED_TRACE(page);
    SideBarClick(page);
    EXPECT_TRUE(WaitForPage(page)) << "shown instead: " << CurrentPage();
    PressKeysOnPage();
    ASSERT_TRUE(Main().isVisible());
  }
  EndProgram();
}

TEST_F(PageTour, TheDisplayDesignerTakesKeys) {
  StartGlobals();
  StartProgram(SaveSmallProject("Haus.zpf", {.WithDisplay = true}));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  SideBarClick("Display");
  ASSERT_TRUE(WaitForPage("Display"));
  Click(Main().FM->GetFrame(QStringLiteral("Display")));
  Keys({QStringLiteral("a"), QStringLiteral("Tab"), QStringLiteral("Down"), QStringLiteral("ctrl+s")});
  EXPECT_TRUE(WaitFor([&] { return Main().isVisible(); }));
  Screenshot("PageTour.TheDisplayDesignerTakesKeys");
  EndProgram();
}

// The commands of the menus that show a page or open a dialog; a dialog is closed as a user does who
// wants nothing of it.
struct TMenuStep {
  std::vector<std::string> Path;
  const char* Page;  // the page the command shows, or nullptr for a dialog
};

TEST_F(PageTour, EveryMenuCommandThatOpensAPageOrADialog) {
  StartGlobals();
  StartProgram(SaveSmallProject("Haus.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  AlwaysAnswer(QStringLiteral("übernommen"), QStringLiteral("Nein"));
  AlwaysAnswer(QStringLiteral("gespeichert werden"), QStringLiteral("Nein"));
  const std::vector<TMenuStep> steps = {
      {{"Datei1", "Speichernunter1"}, "FrSaveAs"},
      {{"Datei1", "Transfer"}, "FrTransfer"},
      {{"Bearbeiten1", "Steuermodule1"}, "FrStmBearb"},
      {{"Bearbeiten1", "Displaybearbeiten"}, "FrDispBearb"},
      {{"Bearbeiten1", "Module1"}, "FrModulBearb"},
      {{"Bearbeiten1", "Uhren1"}, "FrTagesUhren"},
      {{"Bearbeiten1", "Uhren2"}, "FrWochenUhren"},
      {{"Bearbeiten1", "Uhren3"}, "FrJRMUhren"},
      {{"Bearbeiten1", "Texte1"}, "FrTexte"},
      {{"Bearbeiten1", "Merker1"}, "FrMerker"},
      {{"Bearbeiten1", "Gruppen1"}, "FrGruppen"},
      {{"Bearbeiten1", "POR1"}, "FrPOR"},
      {{"Bearbeiten1", "edKennlinie"}, "FrEditKennlinie"},
      {{"Einstellungen1", "Allgemein1"}, "FrOptionen"},
      {{"Einstellungen1", "Basisdaten1"}, "FrBasisDaten"},
      {{"Einstellungen1", "Konfigurationsassistent"}, nullptr},
      {{"Hilfe1", "berZYN1"}, nullptr},
  };
  for (const TMenuStep& step : steps) {
    SCOPED_TRACE(step.Path.back());
    if (!step.Page) OnDialog(QString(), [this](QWidget* dialog) { Dismiss(dialog); });
    MenuCommand(step.Path);
    if (step.Page) {
      EXPECT_TRUE(WaitForPage(step.Page)) << "shown instead: " << CurrentPage();
      PressKeysOnPage();
    } else {
      EXPECT_TRUE(WaitForDialogsHandled()) << "no dialog came";
    }
    ASSERT_TRUE(Main().isVisible());
  }
  EndProgram();
}

// Closing: a changed project asks whether to save; "Ja" writes it, a project without changes
// closes without a question.
TEST_F(PageTour, ClosingAsksToSaveAChangedProjectOnly) {
  StartGlobals();
  const std::string project = SaveSmallProject("Haus.zpf");
  StartProgram(project);
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  EndProgram();  // unchanged: no question (one would fail the journey)

  StartProgram(project);
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  GProjekt->Modified = true;
  EndProgram(QStringLiteral("Ja"));
}

}  // namespace
}  // namespace zyn::test
