// The display designer as an installer uses it: a display added on its list page, a screen added,
// a text typed on it and the screen deleted while the text is still being typed; the keys typed
// afterwards reach no text, and the display compiles. Nothing freed is touched (the journeys run
// under the address sanitizer).

#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/FrameDispBearb.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"

#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class DisplayDesigner : public TJourney {
 protected:
  TDisplay* Designer() {
    return dynamic_cast<TDisplay*>(Main().FM->GetFrame(QStringLiteral("Display")));
  }
  void ClickNode(QTreeWidget* tree, QTreeWidgetItem* item, bool twice = false) {
    const QPoint at = tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
    if (twice)
      DoubleClick(at);
    else
      Click(at);
  }
};

TEST_F(DisplayDesigner, DeletingAScreenWhileATextIsTypedOnIt) {
  StartGlobals();
  StartProgram(SaveSmallProject("Haus.zpf"));
  // The display is added on its list page and applied: it gets its start screen.
  SideBarClick("FrDispBearb");
  ASSERT_TRUE(WaitForPage("FrDispBearb"));
  auto* list = dynamic_cast<TFrDispBearb*>(Main().FM->GetFrame(QStringLiteral("FrDispBearb")));
  ASSERT_NE(list, nullptr);
  Click(list->BAdd);
  ASSERT_TRUE(WaitFor([&] { return list->BOK->isEnabled(); }));
  Click(list->BOK);
  ASSERT_TRUE(WaitFor([&] { return GProjekt->DisplayProjekt().Count() == 1; }));
  SideBarClick("Display");
  ASSERT_TRUE(WaitForPage("Display"));
  TDisplay* d = Designer();
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(WaitFor([&] { return d->DesignerActive(); }));
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];
  TView& view = *d->View;
  const int s = view.Scale();

  // A second screen, shown by a double click on its node.
  ClickNode(d->TVScreens, d->TVScreens->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return d->BAddScreen->isEnabled(); }));
  Click(d->BAddScreen);
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 2; }));
  TBildschirm* second = &display.Bildschirme[1];
  ClickNode(d->TVScreens, d->FindScreenNode(second), true);
  ASSERT_TRUE(WaitFor([&] { return view.Screen == second; }));

  // A text typed on it, and the screen deleted while the text is still being typed.
  view.DropAt(TViewDrag::Text, 0, 0);
  ASSERT_TRUE(view.TextEntryRunning());
  Type(QStringLiteral("Weg"));
  ASSERT_TRUE(WaitFor([&] { return view.EntryText() && view.EntryText()->Text == "Weg"; }));
  ClickNode(d->TVScreens, d->FindScreenNode(second));
  ASSERT_TRUE(WaitFor([&] { return d->BDeleteScreen->isEnabled(); }));
  Answer(QStringLiteral("wirklich löschen"), QStringLiteral("OK"));
  Click(d->BDeleteScreen);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 1; }));
  EXPECT_FALSE(view.TextEntryRunning());
  EXPECT_EQ(view.Screen, display.StartBildschirm);
  Type(QStringLiteral("xy"));  // no text takes the keys any more
  TBildschirm& start = *display.StartBildschirm;
  EXPECT_TRUE(WaitFor([&] { return start.Objekte.Empty(); }, 2000));

  EXPECT_TRUE(GProjekt->DisplayProjekt().CompileAll());
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
