// The display designer as an installer uses it: a display added on its list page, a screen added,
// a text typed on it and the screen deleted while the text is still being typed; the keys typed
// afterwards reach no text, and the display compiles. Nothing freed is touched (the journeys run
// under the address sanitizer).

#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/EditText.h"
#include "display/ui/FrameDispBearb.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/journeys/Journey.h"
#include "tests/journeys/TestProject.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class DisplayDesigner : public TJourney {
 protected:
  TDisplay* Designer() { return dynamic_cast<TDisplay*>(Main().FM->GetFrame(QStringLiteral("Display"))); }
  // The display is added on its list page and applied (it gets its start screen), then the
  // designer opened.
  void AddDisplayAndOpenDesigner() {
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
  }
  // The centre of the panel pixel (x, y) of the view, on the screen.
  QPoint At(int x, int y) {
    TView& view = *Designer()->View;
    const int s = view.Scale();
    return view.mapToGlobal(QPoint(x * s + s / 2, y * s + s / 2));
  }
  QTreeWidgetItem* Node(QTreeWidget* tree, const QString& caption) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->text(0) == caption) return *it;
    return nullptr;
  }
  QPoint CenterOf(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    return tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
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
  StartProgram(SaveSmallJourneyProject("Haus.zpf"));
  ASSERT_NO_FATAL_FAILURE(AddDisplayAndOpenDesigner());
  TDisplay* d = Designer();
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];
  TView& view = *d->View;

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

TEST_F(DisplayDesigner, AWholeDesignSession) {
  StartGlobals();
  const std::string file = SaveSmallJourneyProject("Haus.zpf");
  StartProgram(file);
  ASSERT_NO_FATAL_FAILURE(AddDisplayAndOpenDesigner());
  TDisplay* d = Designer();
  TDisplayObjekt& display = GProjekt->DisplayProjekt()[0];
  TView& view = *d->View;
  TBildschirm& start = *display.StartBildschirm;
  ASSERT_EQ(view.Screen, &start);

  // --- a second screen ---
  ClickNode(d->TVScreens, d->TVScreens->topLevelItem(0));
  ASSERT_TRUE(WaitFor([&] { return d->BAddScreen->isEnabled(); }));
  Click(d->BAddScreen);
  ASSERT_TRUE(WaitFor([&] { return display.Bildschirme.Count() == 2; }));
  ASSERT_EQ(view.Screen, &start);

  // --- two texts: the text tool dragged into the view, the text typed, Return ---
  const auto typeText = [&](int x, int y, const QString& text) {
    Drag(d->BText, d->BText->rect().center(), &view, view.mapFromGlobal(At(x, y)));
    ASSERT_TRUE(WaitFor([&] { return view.TextEntryRunning(); })) << "no text entry at " << x << "," << y;
    Type(text);
    Key(QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return !view.TextEntryRunning(); }));
  };
  typeText(1, 1, QStringLiteral("Licht Kueche"));
  typeText(1, 25, QStringLiteral("Heizung"));
  ASSERT_EQ(start.Objekte.Count(), 2u);
  auto& light = static_cast<TText&>(start.Objekte[0]);
  EXPECT_EQ(light.Text, "Licht Kueche");
  EXPECT_EQ(static_cast<TText&>(start.Objekte[1]).Text, "Heizung");

  // --- a menu screen under the first text: its dialog, "Bildschirm hinzufügen", OK ---
  OnDialog(QStringLiteral("Textobjekteigenschaften"), [&](QWidget* dialog) {
    auto* add = Find<QCheckBox>(QString(), dialog);
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
      if (box->text() == QStringLiteral("Bildschirm hinzufügen")) add = box;
    ASSERT_TRUE(add);
    Click(add);
    ASSERT_TRUE(WaitFor([&] { return add->isChecked(); })) << "the check box did not take the click";
    ClickButton(dialog, QStringLiteral("OK"));
  });
  DoubleClick(At(3, 3));
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return light.Unterbildschirme.Count() == 1; }));
  EXPECT_EQ(light.Unterbildschirme[0].Name, "LichtKueche1");
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 3u);

  // --- the menu text emptied: "Nein" keeps text and screen, "Ja" deletes both ---
  const QString question =
      QStringLiteral("Der Text hat Untermenüs. Sollen der Text und seine 1 Bildschirme gelöscht werden?");
  const auto emptyText = [&](const QString& answer) {
    OnDialog(QStringLiteral("Textobjekteigenschaften"), [&, answer](QWidget* dialog) {
      auto* edit = dynamic_cast<TTextedit*>(dialog);
      ASSERT_TRUE(edit);
      Click(edit->EText);
      Keys({QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
      ASSERT_TRUE(WaitFor([&] { return edit->EText->text().isEmpty(); }));
      Answer(question, answer);
      ClickButton(dialog, QStringLiteral("OK"));
      ASSERT_TRUE(WaitForDialogsHandled());
      if (answer == QStringLiteral("Nein")) {
        // The dialog stays with its text emptied; Abbrechen leaves everything as it was.
        EXPECT_TRUE(dialog->isVisible());
        ClickButton(dialog, QStringLiteral("Abbrechen"));
      }
    });
    DoubleClick(At(3, 3));
    ASSERT_TRUE(WaitForDialogsHandled());
  };
  emptyText(QStringLiteral("Nein"));
  ASSERT_EQ(start.Objekte.Count(), 2u);
  EXPECT_EQ(light.Text, "Licht Kueche");
  ASSERT_EQ(light.Unterbildschirme.Count(), 1u);
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 3u);
  emptyText(QStringLiteral("Ja"));
  ASSERT_TRUE(WaitFor([&] { return start.Objekte.Count() == 1; }));
  EXPECT_EQ(static_cast<TText&>(start.Objekte[0]).Text, "Heizung");
  EXPECT_EQ(display.BildschirmReferenzTabelle.Count(), 2u);
  EXPECT_EQ(d->FindScreenNode(nullptr), nullptr);

  EndProgram(QStringLiteral("Nein"));
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
