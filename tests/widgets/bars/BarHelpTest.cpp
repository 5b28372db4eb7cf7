// F1 on the demo form's menus and toolbars: the help context of the highlighted entry, or of the
// nearest entry up the chain of open menus that has one, reaches the form's help handler.

#include "BarDemoWindow.h"
#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;
using Names = std::vector<std::string>;

class BarHelp : public ::testing::Test, public BarDemoWindow {
 protected:
  void OpenAndHighlight(const std::string& menu, const std::string& entry) {
    ClickControl(*MenuBarEntry(menu));
    TzbBarSubMenuControl* m = MenuOf(menu);
    ASSERT_NE(m, nullptr);
    MoveToControl(*ControlIn(m, entry));
    ASSERT_EQ(m->SelectedControl(), ControlIn(m, entry));
    Events.clear();
  }
};

TEST_F(BarHelp, F1OnAHighlightedEntryAsksForItsHelpBelowTheEntryAndClosesTheMenus) {
  OpenAndHighlight("Datei1", "Neu1");
  const TRect r = ScreenRectOf(*ControlIn(MenuOf("Datei1"), "Neu1"));
  Key(Qt::Key_F1);
  EXPECT_EQ(Events, (Names{"OnHelp:101"}));
  EXPECT_EQ(LastHelp.Item, Item("Neu1"));
  EXPECT_EQ(LastHelp.Position, QPoint((r.Left + r.Right) / 2, r.Bottom));
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
}

TEST_F(BarHelp, AnEntryWithoutHelpTakesTheHelpOfTheEntryThatOpenedItsMenu) {
  struct TCase {
    const char* Menu;
    const char* Entry;
    Names Expected;
  };
  const TCase cases[] = {
      {"Datei1", "ffnen1", {"OnHelp:100"}},   // the menu of "&Projekt"
      {"Bearbeiten1", "Module1", {}},         // no entry up the chain has help: nothing
      {"Hilfe1", "Inhalt1", {"OnHelp:301"}},  // its own
  };
  for (const TCase& c : cases) {
    OpenAndHighlight(c.Menu, c.Entry);
    Key(Qt::Key_F1);
    EXPECT_EQ(Events, c.Expected) << c.Entry;
    EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr) << c.Entry;
  }
}

TEST_F(BarHelp, ANestedMenuWalksUpThroughTheEntriesThatOpenedIt) {
  OpenAndHighlight("Datei1", "Informationen1");
  ControlIn(MenuOf("Datei1"), "Informationen1")->Click(false);
  TzbBarSubMenuControl* info = MenuOf("Informationen1");
  ASSERT_NE(info, nullptr);
  MoveToControl(*ControlIn(info, "Kundendaten1"));
  Events.clear();
  Key(Qt::Key_F1);
  EXPECT_EQ(Events, (Names{"OnHelp:100"}));
}

TEST_F(BarHelp, F1OverAToolbarButtonWithoutOpenMenuAsksForThatItemsHelpAsAPopupOnAModalForm) {
  TzbBarItemControl* neu = ControlIn(WindowOf(Toolbars[0]), "Neu1");
  ASSERT_NE(neu, nullptr);
  MoveToControl(*neu);
  Key(Qt::Key_F1);
  EXPECT_EQ(Events, (Names{"OnHelp:101"}));
  Events.clear();
  Form.setWindowModality(Qt::ApplicationModal);
  MoveToControl(*neu);
  Key(Qt::Key_F1);
  EXPECT_EQ(Events, (Names{"OnHelp:101:popup"}));
  Form.setWindowModality(Qt::NonModal);
  // Over a button without help, or away from the bars, F1 is the form's own key.
  Events.clear();
  MoveToControl(*ControlIn(WindowOf(Toolbars[0]), "ffnen1"));
  Key(Qt::Key_F1);
  EXPECT_TRUE(Events.empty());
}

}  // namespace
}  // namespace zyn
