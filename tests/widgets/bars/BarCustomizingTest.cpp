// The run-time customizing mode on the demo form: entering and leaving it, the customizing form
// with its pages, dragging commands from the form onto bars and links out of menus, the drop
// places and the insertion mark, the popup of a link with its editors, the toolbar commands of the
// form, and a customized layout kept over a restart of the form.

#include "widgets/bars/BarCustomizing.h"

#include "BarDemoWindow.h"
#include "model/base/Cp1252.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/bars/BarCustomizingEditors.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarCustomizingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApplication();
    ASSERT_TRUE(fDir.isValid());
    Build();
  }
  void TearDown() override {
    SetMessageDlgHook({});
    fDemo.reset();
    QApplication::processEvents();
  }
  std::string LayoutFile() const { return (fDir.path() + QStringLiteral("/bars.ini")).toStdString(); }
  // The demo form with customizing allowed, storing its layout in the temporary folder.
  void Build() {
    fDemo.reset();
    fDemo = std::make_unique<BarDemoWindow>(LayoutFile(), true);
  }
  BarDemoWindow& D() { return *fDemo; }
  TzbBarManager& M() { return *fDemo->Manager; }
  TzbBar* Hilfe() { return fDemo->Toolbars[3]; }

  // Enters customizing; the form goes to the lower right, off the bars.
  TzbBarCustomizingForm* Start() {
    M().SetCustomizing(true);
    TzbBarCustomizingForm* form = CustomizingForm();
    if (form) form->move(430, 280);
    QApplication::processEvents();
    return form;
  }
  static void SendPress(QWidget* w, const QPoint& local, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(w->window()->windowHandle(), b, Qt::NoModifier, w->mapTo(w->window(), local));
  }
  static void SendMove(QWidget* w, const QPoint& local) {
    QTest::mouseMove(w->window()->windowHandle(), w->mapTo(w->window(), local));
  }
  // Selects the category and the command in the form and drags it from the list to the screen
  // point, where it is dropped.
  void DragCommand(const std::string& itemName, const QPoint& to, const std::function<void()>& whileOver = {}) {
    TzbBarCustomizingForm* form = CustomizingForm();
    ASSERT_NE(form, nullptr);
    form->Pages->setCurrentIndex(1);
    form->SelectItem(D().Item(itemName));
    QApplication::processEvents();
    TzbCommandsListBox* list = form->Commands;
    ASSERT_EQ(list->ItemAt(list->currentRow()), D().Item(itemName));
    const QPoint start = list->visualItemRect(list->currentItem()).center();
    SendPress(list->viewport(), start);
    SendMove(list->viewport(), start + QPoint(12, 0));
    ASSERT_NE(TzbBarDragAndDrop::Current(), nullptr);
    D().Move(to);
    if (whileOver) whileOver();
    D().Release(to);
  }
  // A point at a fraction of a control's width (0.25: its front half, 0.75: its back half).
  QPoint At(const TzbBarItemControl& c, double fx, double fy = 0.5) const {
    const TRect r = fDemo->ScreenRectOf(c);
    return QPoint(r.Left + static_cast<int>(r.Width() * fx), r.Top + static_cast<int>(r.Height() * fy));
  }
  std::vector<std::string> Names(const TzbBarItemLinks& links) const {
    std::vector<std::string> out;
    for (int i = 0; i < links.Count(); ++i)
      out.push_back(links.Items(i)->Item() ? links.Items(i)->Item()->Name : std::string("<ohne Befehl>"));
    return out;
  }
  TzbBarItemLinks& ProjektLinks() { return *SubItemLinksOf(*D().Item("Datei1")); }
  // Opens the menu of a main-menu entry while customizing (a click on the entry).
  TzbBarSubMenuControl* OpenMenu(const std::string& subItem) {
    D().ClickControl(*D().MenuBarEntry(subItem));
    return D().MenuOf(subItem);
  }
  // A point on the top dock right of the last toolbar.
  QPoint EmptyDockPoint() const {
    int right = 0, top = 0;
    for (TzbBar* bar : fDemo->Toolbars) {
      const TRect w = fDemo->WindowOf(bar)->WindowRect();
      if (w.Right > right) right = w.Right, top = w.Top;
    }
    return QPoint(right + 10, top + 4);
  }
  QPoint OffTheBars() const { return fDemo->Client->mapToGlobal(QPoint(250, 250)); }

  QTemporaryDir fDir;
  std::unique_ptr<BarDemoWindow> fDemo;
};

// ---------------------------------------------------------------- entering and leaving

TEST_F(BarCustomizingTest, TheToolbarsPopupOffersCustomizeOnlyWhereTheManagerAllowsIt) {
  // Allowed: the popup ends with "&Customize...", which opens the form.
  const TRect w = D().WindowOf(Hilfe())->WindowRect();
  const QPoint grip(w.Left + 3, w.Top + w.Height() / 2);
  D().Press(grip, Qt::RightButton);
  D().Release(grip, Qt::RightButton);
  TzbBarItemLinks* popup = D().Screen->ToolbarsPopupLinks();
  ASSERT_NE(popup, nullptr);
  TzbBarItemLink* last = popup->Items(popup->Count() - 1);
  EXPECT_EQ(last->Item()->Caption(), "&Customize...");
  D().ClickControl(*last->Control());
  EXPECT_TRUE(M().Customizing());
  TzbBarCustomizingForm* form = CustomizingForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Customize"));
  ASSERT_EQ(form->Pages->count(), 3);
  EXPECT_EQ(form->Pages->tabText(0), QStringLiteral(" Toolbars "));
  EXPECT_EQ(form->Pages->tabText(1), QStringLiteral(" Commands "));
  EXPECT_EQ(form->Pages->tabText(2), QStringLiteral(" Options "));
  // The work area of the form waits while the form is open.
  EXPECT_FALSE(D().Client->isEnabled());
  // A second request makes no second form.
  M().SetCustomizing(true);
  EXPECT_EQ(CustomizingForm(), form);
  // The form's close button ends the customizing mode.
  form->Close->click();
  QApplication::processEvents();
  EXPECT_FALSE(M().Customizing());
  EXPECT_EQ(CustomizingForm(), nullptr);
  EXPECT_TRUE(D().Client->isEnabled());

  // Not allowed: no entry and a double click on a dock does nothing.
  fDemo.reset();
  fDemo = std::make_unique<BarDemoWindow>();
  D().Press(grip, Qt::RightButton);
  D().Release(grip, Qt::RightButton);
  popup = D().Screen->ToolbarsPopupLinks();
  ASSERT_NE(popup, nullptr);
  for (int i = 0; i < popup->Count(); ++i) EXPECT_NE(popup->Items(i)->Item()->Caption(), "&Customize...");
  D().Key(Qt::Key_Escape);
  D().DoubleClick(EmptyDockPoint());
  EXPECT_FALSE(M().Customizing());
}

TEST_F(BarCustomizingTest, TheMarkWindowEndsWithCustomize) {
  TzbBar* datei = D().Toolbars[0];
  datei->ShowMark = true;
  D().WindowOf(datei)->RebuildLayout();
  QApplication::processEvents();
  TzbBarControl* window = D().WindowOf(datei);
  ASSERT_TRUE(window->MarkExists());
  const TRect m = window->MarkRect();
  const TRect w = window->WindowRect();
  D().Click(QPoint(w.Left + (m.Left + m.Right) / 2, w.Top + (m.Top + m.Bottom) / 2));
  TzbBarItemLinks* quick = window->QuickLinks();
  ASSERT_NE(quick, nullptr);
  D().ClickControl(*quick->Items(quick->Count() - 1)->Control());  // "&Add or Remove Buttons"
  TzbBarItemLinks& entries = window->AddRemoveItem()->ItemLinks();
  TzbBarItemLink* last = entries.Items(entries.Count() - 1);
  EXPECT_EQ(last->Item()->Caption(), "&Customize...");
  ASSERT_NE(last->Control(), nullptr);
  D().ClickControl(*last->Control());
  EXPECT_TRUE(M().Customizing());
  EXPECT_NE(CustomizingForm(), nullptr);
}

TEST_F(BarCustomizingTest, ADoubleClickOnAnEmptyDockEntersAndLeavingByCodeClosesTheForm) {
  int shown = 0, hidden = 0;
  M().OnShowCustomizingForm = [&](TzbBarManager&) { ++shown; };
  M().OnHideCustomizingForm = [&](TzbBarManager&) {
    ++hidden;
    EXPECT_EQ(CustomizingForm(), nullptr);  // the form is gone first
  };
  D().DoubleClick(EmptyDockPoint());
  EXPECT_TRUE(M().Customizing());
  EXPECT_NE(CustomizingForm(), nullptr);
  EXPECT_EQ(shown, 1);
  // Commands disabled by the form count as enabled while customizing.
  EXPECT_TRUE(D().Item("Speichern1")->GetEnabled());
  M().SetCustomizing(false);
  EXPECT_EQ(hidden, 1);
  EXPECT_FALSE(D().Item("Speichern1")->GetEnabled());
}

// ---------------------------------------------------------------- the acceptance path

TEST_F(BarCustomizingTest, ACommandDraggedToAToolbarAndALinkDraggedOutOfAMenuAreKeptOverARestartUntilReset) {
  ASSERT_NE(Start(), nullptr);
  // "Beenden" from the form onto the back half of "Inhalt" on the "Hilfe" toolbar.
  TzbBarItemControl* inhalt = D().ControlIn(D().WindowOf(Hilfe()), "Inhalt1");
  ASSERT_NE(inhalt, nullptr);
  DragCommand("Beenden1", At(*inhalt, 0.75), [&] {
    TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Current();
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->Cursor(), crzbBarDragCopy);
    EXPECT_TRUE(drag->MarkShown());
    EXPECT_FALSE(drag->Mark().Before);
  });
  EXPECT_EQ(TzbBarDragAndDrop::Current(), nullptr);
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), (std::vector<std::string>{"Inhalt1", "Beenden1"}));
  // The new link is the selected one.
  ASSERT_NE(CustomizingSelectedLink(), nullptr);
  EXPECT_EQ(CustomizingSelectedLink()->Item()->Name, "Beenden1");

  // "Projektdokumentation" out of the open "Projekt" menu onto the work area: it goes.
  TzbBarSubMenuControl* menu = OpenMenu("Datei1");
  ASSERT_NE(menu, nullptr);
  TzbBarItemControl* drucken = D().ControlIn(menu, "Drucken1");
  ASSERT_NE(drucken, nullptr);
  D().Press(D().CenterOf(*drucken));
  D().Move(D().CenterOf(*drucken) + QPoint(0, 20));
  ASSERT_NE(TzbBarDragAndDrop::Current(), nullptr);
  D().Move(OffTheBars());
  EXPECT_EQ(TzbBarDragAndDrop::Current()->Cursor(), crzbBarDragNoDrop);
  D().Release(OffTheBars());
  const std::vector<std::string> projekt = {"Neu1",      "ffnen1",   "NOpen",          "Speichern1", "Speichernunter1",
                                            "Schlieen1", "Transfer", "Informationen1", "Beenden1"};
  EXPECT_EQ(Names(ProjektLinks()), projekt);

  // Restart: the form is built anew and reads its stored layout.
  M().SetCustomizing(false);
  Build();
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), (std::vector<std::string>{"Inhalt1", "Beenden1"}));
  EXPECT_EQ(Names(ProjektLinks()), projekt);
  ASSERT_NE(D().ControlIn(D().WindowOf(Hilfe()), "Beenden1"), nullptr);

  // Reset brings back what the form defined.
  Hilfe()->Reset();
  D().MainMenu->Reset();
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), std::vector<std::string>{"Inhalt1"});
  EXPECT_EQ(Names(ProjektLinks()),
            (std::vector<std::string>{"Neu1", "ffnen1", "NOpen", "Speichern1", "Speichernunter1", "Schlieen1",
                                      "Transfer", "Informationen1", "Drucken1", "Beenden1"}));
  // And the reset layout is what the next start shows.
  Build();
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), std::vector<std::string>{"Inhalt1"});
}

TEST_F(BarCustomizingTest, WhileCustomizingTheDragHandleOfAMovableToolbarShowsTheMoveCursor) {
  TzbBarControl* window = D().WindowOf(Hilfe());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->IsDocked());
  QWidget* widget = window->Widget();
  const auto shape = [&] {
    return widget->testAttribute(Qt::WA_SetCursor) ? widget->cursor().shape() : Qt::ArrowCursor;
  };
  // The zone lies before the client area: left of it on a horizontal dock.
  const TRect zone = window->GetDragHandleZone();
  EXPECT_FALSE(IsRectEmpty(zone));
  EXPECT_FALSE(PtInRect(zone, Point(0, 0)));
  EXPECT_TRUE(PtInRect(zone, Point(-1, 0)));
  const QPoint grip = D().GripOf(Hilfe());
  const QPoint button = D().CenterOf(*window->ControlAt(Point(2, window->ClientRect().Height() / 2)));
  // A move to the point the mouse is at already is not heard: come from one pixel below.
  const auto moveTo = [&](const QPoint& to) {
    D().Move(to + QPoint(0, 1));
    D().Move(to);
  };

  // Not customizing: the grip keeps the default cursor.
  moveTo(grip);
  EXPECT_EQ(shape(), Qt::ArrowCursor);

  ASSERT_NE(Start(), nullptr);
  moveTo(grip);
  EXPECT_EQ(shape(), Qt::SizeAllCursor);
  moveTo(button);
  EXPECT_EQ(shape(), Qt::ArrowCursor);

  // A bar that may not leave its place shows no move cursor.
  Hilfe()->NotDocking =
      DockingSet(dsNone) | DockingSet(dsLeft) | DockingSet(dsTop) | DockingSet(dsRight) | DockingSet(dsBottom);
  moveTo(grip);
  EXPECT_EQ(shape(), Qt::ArrowCursor);
  Hilfe()->NotDocking = 0;
  moveTo(grip);
  EXPECT_EQ(shape(), Qt::SizeAllCursor);

  // A floating bar has no drag handle zone; leaving customizing gives the default cursor back.
  M().SetCustomizing(false);
  QApplication::processEvents();
  EXPECT_EQ(shape(), Qt::ArrowCursor);
  Hilfe()->SetDockingStyle(dsNone);
  QApplication::processEvents();
  EXPECT_TRUE(IsRectEmpty(D().WindowOf(Hilfe())->GetDragHandleZone()));
}

TEST_F(BarCustomizingTest, ClicksWhileCustomizingSelectAndFrameLinksInsteadOfRunningThem) {
  ASSERT_NE(Start(), nullptr);
  TzbBarItemControl* neu = D().ControlIn(D().WindowOf(D().Toolbars[0]), "Neu1");
  ASSERT_NE(neu, nullptr);
  D().ClickControl(*neu);
  EXPECT_TRUE(D().Events.empty());
  EXPECT_EQ(CustomizingSelectedLink(), &neu->Link());
  // A press and a move shorter than the drag distance start no drag.
  D().Press(D().CenterOf(*neu));
  D().Move(D().CenterOf(*neu) + QPoint(QApplication::startDragDistance() - 1, 0));
  EXPECT_EQ(TzbBarDragAndDrop::Current(), nullptr);
  D().Release(D().CenterOf(*neu) + QPoint(QApplication::startDragDistance() - 1, 0));
  // A click on an empty place of a bar drops the selection.
  const TRect menuBar = D().WindowOf(D().MainMenu)->WindowRect();
  D().Click(QPoint(menuBar.Right - 20, menuBar.Top + menuBar.Height() / 2));
  EXPECT_EQ(CustomizingSelectedLink(), nullptr);
  // Leaving the customizing mode leaves the commands working again.
  M().SetCustomizing(false);
  D().ClickControl(*D().ControlIn(D().WindowOf(D().Toolbars[0]), "Neu1"));
  EXPECT_EQ(D().Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
}

TEST_F(BarCustomizingTest, ACommandDraggedOverAMenuEntryOpensTheMenuAndDropsIntoIt) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->Pages->setCurrentIndex(1);
  form->SelectItem(D().Item("Beenden1"));
  QApplication::processEvents();
  TzbCommandsListBox* list = form->Commands;
  const QPoint start = list->visualItemRect(list->currentItem()).center();
  SendPress(list->viewport(), start);
  SendMove(list->viewport(), start + QPoint(12, 0));
  ASSERT_NE(TzbBarDragAndDrop::Current(), nullptr);
  D().Move(D().CenterOf(*D().MenuBarEntry("Hilfe1")));
  TzbBarSubMenuControl* menu = D().MenuOf("Hilfe1");
  ASSERT_NE(menu, nullptr);
  TzbBarItemControl* inhalt = D().ControlIn(menu, "Inhalt1");
  ASSERT_NE(inhalt, nullptr);
  const QPoint drop = At(*inhalt, 0.5, 0.8);  // the lower half of "Inhalt": after it
  D().Move(drop);
  EXPECT_EQ(TzbBarDragAndDrop::Current()->Target(), menu);
  D().Release(drop);
  EXPECT_EQ(Names(*SubItemLinksOf(*D().Item("Hilfe1"))), (std::vector<std::string>{"Inhalt1", "Beenden1", "berZYN1"}));
}

TEST_F(BarCustomizingTest, ABarThatDoesNotAllowCustomizingTakesNoDrop) {
  ASSERT_NE(Start(), nullptr);
  Hilfe()->AllowCustomizing = false;
  TzbBarItemControl* inhalt = D().ControlIn(D().WindowOf(Hilfe()), "Inhalt1");
  DragCommand("Beenden1", At(*inhalt, 0.75),
              [] { EXPECT_EQ(TzbBarDragAndDrop::Current()->Cursor(), crzbBarDragNoDrop); });
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), std::vector<std::string>{"Inhalt1"});
}

TEST_F(BarCustomizingTest, AMenuDroppedIntoItsOwnMenuChangesNothing) {
  ASSERT_NE(Start(), nullptr);
  TzbBarSubMenuControl* menu = OpenMenu("Datei1");
  ASSERT_NE(menu, nullptr);
  const std::vector<std::string> before = Names(ProjektLinks());
  TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(M(), D().Item("Datei1"), nullptr, Point(0, 0));
  ASSERT_NE(drag, nullptr);
  const QPoint q = At(*D().ControlIn(menu, "Neu1"), 0.5, 0.8);
  drag->MoveTo(Point(q.x(), q.y()));
  EXPECT_EQ(drag->Target(), menu);
  drag->Drop();
  // No link without item is left behind.
  EXPECT_EQ(Names(ProjektLinks()), before);
}

TEST_F(BarCustomizingTest, ANewToolbarWithACommandIsKeptOverARestart) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  QTimer::singleShot(0, [] {
    auto* ed = dynamic_cast<TzbBarNameEd*>(QApplication::activeModalWidget());
    ASSERT_NE(ed, nullptr);
    ed->OK->click();  // the proposed name
  });
  form->NewToolbar();
  TzbBar* bar = M().BarByCaption("Custom 1");
  ASSERT_NE(bar, nullptr);
  QApplication::processEvents();
  TzbBarControl* w = D().WindowOf(bar);
  ASSERT_NE(w, nullptr);
  const TRect c = w->ClientRect();
  const TPoint p = w->ClientToScreen(Point(c.Left + c.Width() / 2, c.Top + c.Height() / 2));
  DragCommand("Drucken1", QPoint(p.X, p.Y));
  EXPECT_EQ(Names(bar->ItemLinks()), std::vector<std::string>{"Drucken1"});
  M().SetCustomizing(false);
  Build();
  bar = M().BarByCaption("Custom 1");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(Names(bar->ItemLinks()), std::vector<std::string>{"Drucken1"});
  // It is the user's: it may be renamed and deleted, not reset.
  form = Start();
  for (int row = 0; row < form->BarList->count(); ++row)
    if (form->BarList->item(row)->text() == QStringLiteral("Custom 1")) form->BarList->setCurrentRow(row);
  EXPECT_EQ(form->SelectedBar(), bar);
  EXPECT_TRUE(form->BarRename->isEnabled());
  EXPECT_TRUE(form->BarDelete->isEnabled());
  EXPECT_FALSE(form->BarReset->isEnabled());
}

TEST_F(BarCustomizingTest, TheSubMenuEditorHoldsAMenuOpenForDrops) {
  TzbBarItemLinks& hilfe = *SubItemLinksOf(*D().Item("Hilfe1"));
  ShowSubMenuEditor(&hilfe);
  EXPECT_TRUE(M().Customizing());
  ASSERT_NE(CustomizingForm(), nullptr);
  CustomizingForm()->move(430, 280);
  EXPECT_EQ(CustomizingForm()->Pages->currentIndex(), 1);  // the commands page
  TzbBarSubMenuEditor* editor = SubMenuEditor();
  ASSERT_NE(editor, nullptr);
  editor->move(200, 470);
  QApplication::processEvents();
  TzbBarSubMenuControl* menu = editor->Menu();
  ASSERT_NE(menu, nullptr);
  // The menu stands below the editor, as wide as it; it follows the editor.
  EXPECT_EQ(menu->WindowRect().Left, editor->frameGeometry().left());
  EXPECT_EQ(menu->WindowRect().Top, editor->frameGeometry().bottom() + 1);
  EXPECT_EQ(editor->width(), menu->WindowRect().Width());
  editor->move(220, 460);
  QApplication::processEvents();
  EXPECT_EQ(menu->WindowRect().Left, editor->frameGeometry().left());
  EXPECT_EQ(menu->WindowRect().Top, editor->frameGeometry().bottom() + 1);
  // A command dragged from the form (the press closes the menu), over the editor (it opens the
  // menu again) and into the menu.
  const QPoint onEditor(editor->frameGeometry().left() + 10, editor->frameGeometry().top());
  DragCommand("Beenden1", onEditor, [&] {
    TzbBarSubMenuControl* reopened = editor->Menu();
    ASSERT_NE(reopened, nullptr);
    ASSERT_TRUE(reopened->Widget()->isVisible());
    const QPoint into = At(*D().ControlIn(reopened, "Inhalt1"), 0.5, 0.8);
    D().Move(into);
    D().Release(into);
  });
  EXPECT_EQ(Names(hilfe), (std::vector<std::string>{"Inhalt1", "Beenden1", "berZYN1"}));
  // The editor goes with the sub-item, and with the customizing mode.
  M().FreeItem(D().Item("Hilfe1"));
  EXPECT_EQ(SubMenuEditor(), nullptr);
  ShowSubMenuEditor(&ProjektLinks());
  ASSERT_NE(SubMenuEditor(), nullptr);
  M().SetCustomizing(false);
  EXPECT_EQ(SubMenuEditor(), nullptr);
  EXPECT_EQ(ProjektLinks().BarControl(), nullptr);
}

// ---------------------------------------------------------------- drop places

TEST_F(BarCustomizingTest, DropPlacesDecideWhereTheNewLinkGoes) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* datei = D().Toolbars[0];  // Neu, Öffnen, Speichern, |Projekt..., Kunde
  struct TCase {
    const char* Name;
    const char* Over;
    double Fx;
    std::vector<std::string> Expected;
    bool GroupOnNew;
  };
  const std::vector<TCase> cases = {
      {"front half",
       "ffnen1",
       0.25,
       {"Neu1", "Beenden1", "ffnen1", "Speichern1", "Projektdaten1", "Kundendaten1"},
       false},
      {"back half",
       "ffnen1",
       0.75,
       {"Neu1", "ffnen1", "Beenden1", "Speichern1", "Projektdaten1", "Kundendaten1"},
       false},
      {"behind the last",
       "Kundendaten1",
       0.9,
       {"Neu1", "ffnen1", "Speichern1", "Projektdaten1", "Kundendaten1", "Beenden1"},
       false},
      // Before a grouped link the new link takes over the group start.
      {"front of a grouped link",
       "Projektdaten1",
       0.2,
       {"Neu1", "ffnen1", "Speichern1", "Beenden1", "Projektdaten1", "Kundendaten1"},
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    datei->Reset();
    QApplication::processEvents();
    TzbBarItemControl* over = D().ControlIn(D().WindowOf(datei), c.Over);
    ASSERT_NE(over, nullptr);
    DragCommand("Beenden1", At(*over, c.Fx));
    EXPECT_EQ(Names(datei->ItemLinks()), c.Expected);
    const int index =
        static_cast<int>(std::find(c.Expected.begin(), c.Expected.end(), "Beenden1") - c.Expected.begin());
    EXPECT_EQ(datei->ItemLinks().Items(index)->StoredBeginGroup(), c.GroupOnNew);
    if (c.GroupOnNew) {
      EXPECT_FALSE(datei->ItemLinks().Items(index + 1)->StoredBeginGroup());
    }
  }
}

TEST_F(BarCustomizingTest, MovingCopyingDeletingAndCancellingLinks) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* datei = D().Toolbars[0];
  auto window = [&] { return D().WindowOf(datei); };
  auto begin = [&](const char* name) {
    TzbBarItemControl* c = D().ControlIn(window(), name);
    const TRect r = D().ScreenRectOf(*c);
    return TzbBarDragAndDrop::Begin(M(), &c->Item(), &c->Link(), Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
  };
  auto screenAt = [&](const char* name, double fx) {
    const QPoint q = At(*D().ControlIn(window(), name), fx);
    return Point(q.x(), q.y());
  };
  // A move within the bar leaves one link.
  TzbBarDragAndDrop* drag = begin("Neu1");
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->Cursor(), crzbBarDrag);
  drag->MoveTo(screenAt("Speichern1", 0.75));
  drag->Drop();
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"ffnen1", "Speichern1", "Neu1", "Projektdaten1", "Kundendaten1"}));
  // Ctrl copies: two links; the Ctrl key switches the cursor at once, without a move.
  drag = begin("Neu1");
  drag->MoveTo(screenAt("ffnen1", 0.25));
  EXPECT_EQ(drag->Cursor(), crzbBarDrag);
  D().KeyPress(Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(drag->Cursor(), crzbBarDragCopy);
  EXPECT_TRUE(drag->CopyMode());
  drag->Drop();
  D().KeyRelease(Qt::Key_Control);
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"Neu1", "ffnen1", "Speichern1", "Neu1", "Projektdaten1", "Kundendaten1"}));
  // Dropping just behind the link in front of it changes nothing.
  drag = begin("Speichern1");
  drag->MoveTo(screenAt("ffnen1", 0.75));
  EXPECT_FALSE(drag->CanDropAtMark());
  EXPECT_FALSE(drag->MarkShown());
  drag->Drop();
  EXPECT_EQ(datei->ItemLinks().Count(), 6);
  // Off every bar with Ctrl held: nothing is created and nothing goes.
  drag = begin("Speichern1");
  drag->SetCopyMode(true);
  const QPoint off = OffTheBars();
  drag->MoveTo(Point(off.x(), off.y()));
  EXPECT_EQ(drag->Cursor(), crzbBarDragNoDrop);
  drag->Drop();
  EXPECT_EQ(datei->ItemLinks().Count(), 6);
  // Esc cancels through the keyboard.
  drag = begin("Speichern1");
  drag->MoveTo(Point(off.x(), off.y()));
  D().KeyPress(Qt::Key_Escape);
  EXPECT_EQ(TzbBarDragAndDrop::Current(), nullptr);
  EXPECT_EQ(datei->ItemLinks().Count(), 6);
  // Without Ctrl off every bar: the link goes.
  drag = begin("Speichern1");
  drag->MoveTo(Point(off.x(), off.y()));
  drag->Drop();
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"Neu1", "ffnen1", "Neu1", "Projektdaten1", "Kundendaten1"}));
  // To another bar: the link moves there with its own settings, and its old bar shows it no more.
  datei->ItemLinks().Items(1)->SetUserCaption("Laden");
  drag = begin("ffnen1");
  const QPoint onInhalt = At(*D().ControlIn(D().WindowOf(Hilfe()), "Inhalt1"), 0.25);
  drag->MoveTo(Point(onInhalt.x(), onInhalt.y()));
  drag->Drop();
  EXPECT_EQ(Names(datei->ItemLinks()), (std::vector<std::string>{"Neu1", "Neu1", "Projektdaten1", "Kundendaten1"}));
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), (std::vector<std::string>{"ffnen1", "Inhalt1"}));
  EXPECT_EQ(Hilfe()->ItemLinks().Items(0)->RealCaption(), "Laden");
  EXPECT_EQ(D().ControlIn(window(), "ffnen1"), nullptr);
  EXPECT_NE(D().ControlIn(D().WindowOf(Hilfe()), "ffnen1"), nullptr);

  // The form's reset button asks and brings the bar back.
  TzbBarCustomizingForm* form = CustomizingForm();
  form->BarList->setCurrentRow(1);
  ASSERT_EQ(form->SelectedBar(), datei);
  SetMessageDlgHook([](const QString&, const QString&, unsigned) { return IDOK; });
  form->BarReset->click();
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"Neu1", "ffnen1", "Speichern1", "Projektdaten1", "Kundendaten1"}));
}

TEST_F(BarCustomizingTest, NudgingALinkOverItsOwnPlaceSetsOrClearsItsGroupStart) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* datei = D().Toolbars[0];
  struct TCase {
    const char* Name;
    int Dx;
    bool Expected;
  };
  // Speichern starts without group; 3 pixels change nothing, 4 to the right start a group, 4 to
  // the left end it again.
  const std::vector<TCase> cases = {
      {"3 right", 3, false}, {"4 right", 4, true}, {"3 left", -3, true}, {"4 left", -4, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TzbBarItemControl* ctrl = D().ControlIn(D().WindowOf(datei), "Speichern1");
    ASSERT_NE(ctrl, nullptr);
    const TRect r = D().ScreenRectOf(*ctrl);
    const TPoint grab = Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(M(), &ctrl->Item(), &ctrl->Link(), grab);
    ASSERT_NE(drag, nullptr);
    drag->MoveTo(Point(grab.X + c.Dx, grab.Y));
    drag->Drop();
    EXPECT_EQ(datei->ItemLinks().Items(2)->Item()->Name, "Speichern1");
    EXPECT_EQ(datei->ItemLinks().Items(2)->StoredBeginGroup(), c.Expected);
    QApplication::processEvents();
  }
}

TEST_F(BarCustomizingTest, ACommandFreedWhileItIsDraggedEndsTheDrag) {
  ASSERT_NE(Start(), nullptr);
  TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(M(), D().Item("Beenden1"), nullptr, Point(0, 0));
  ASSERT_NE(drag, nullptr);
  const QPoint q = At(*D().ControlIn(D().WindowOf(Hilfe()), "Inhalt1"), 0.75);
  drag->MoveTo(Point(q.x(), q.y()));
  M().FreeItem(D().Item("Beenden1"));
  EXPECT_EQ(TzbBarDragAndDrop::Current(), nullptr);
  D().Release(q);
  EXPECT_EQ(Names(Hilfe()->ItemLinks()), std::vector<std::string>{"Inhalt1"});
}

TEST_F(BarCustomizingTest, AToolbarWithoutLinksTakesItsFirstLinkAnywhereInItsClientArea) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* hilfe = Hilfe();
  hilfe->ItemLinks().Clear();
  hilfe->GetBarControl()->RebuildLayout();
  QApplication::processEvents();
  TzbBarControl* w = D().WindowOf(hilfe);
  ASSERT_NE(w, nullptr);
  const TRect c = w->ClientRect();
  const TPoint p = w->ClientToScreen(Point(c.Left + c.Width() / 2, c.Top + c.Height() / 2));
  DragCommand("Beenden1", QPoint(p.X, p.Y));
  EXPECT_EQ(Names(hilfe->ItemLinks()), std::vector<std::string>{"Beenden1"});
}

TEST_F(BarCustomizingTest, TheInsertionMarkIsInvertedOnTheScreenAndGoesWithTheDrag) {
  ASSERT_NE(Start(), nullptr);
  TzbBarControl* w = D().WindowOf(D().Toolbars[0]);
  TzbBarItemControl* speichern = D().ControlIn(w, "Speichern1");
  TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(M(), D().Item("Beenden1"), nullptr, Point(0, 0));
  ASSERT_NE(drag, nullptr);
  const QPoint q = At(*speichern, 0.2);
  drag->MoveTo(Point(q.x(), q.y()));
  ASSERT_TRUE(drag->MarkShown());
  const TRect mark = drag->MarkRect();
  const TRect item = w->GetItemRect(speichern);
  EXPECT_EQ(mark.Left, item.Left);  // before the control: at its start
  EXPECT_EQ(mark.Width(), 6);
  QApplication::processEvents();
  const QImage shown = w->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage buffer = w->Buffer().convertToFormat(QImage::Format_RGB32);
  const TRect in = w->ClientInsets();
  // The serif at the top and the bar in the middle are the inverse of the picture below.
  for (const QPoint p : {QPoint(mark.Left, item.Top), QPoint(mark.Left + 2, (item.Top + item.Bottom) / 2)}) {
    const QPoint at = p + QPoint(in.Left, in.Top);
    EXPECT_EQ(shown.pixel(at) & 0xFFFFFF, ~buffer.pixel(at) & 0xFFFFFF);
  }
  drag->Cancel();
  QApplication::processEvents();
  const QImage after = w->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPoint at(mark.Left + in.Left, item.Top + in.Top);
  EXPECT_EQ(after.pixel(at), buffer.pixel(at));
}

// ---------------------------------------------------------------- the popup of a link

TEST_F(BarCustomizingTest, TheLinkPopupEditsCaptionStyleAndGroupStart) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* datei = D().Toolbars[0];
  TzbBarItemControl* oeffnen = D().ControlIn(D().WindowOf(datei), "ffnen1");
  D().Press(D().CenterOf(*oeffnen), Qt::RightButton);
  D().Release(D().CenterOf(*oeffnen), Qt::RightButton);
  TzbBarItemLinks* popup = CustomizingPopupLinks();
  ASSERT_NE(popup, nullptr);
  const std::vector<std::string> captions = {"&Reset",
                                             "&Delete",
                                             "&Name:",
                                             "Defa&ult style",
                                             "&Text Only (Always)",
                                             "Text &Only (in Menus)",
                                             "Image &and Text",
                                             "Begin a &Group"};
  ASSERT_EQ(popup->Count(), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(ToQString(popup->Items(i)->Item()->Caption()), QString::fromStdString(captions[i]));
  EXPECT_EQ(static_cast<TzbBarEdit*>(popup->Items(2)->Item())->Text(), D().Item("ffnen1")->Caption());
  EXPECT_TRUE(static_cast<TzbBarButton*>(popup->Items(3)->Item())->Down());  // the default style
  EXPECT_FALSE(static_cast<TzbBarButton*>(popup->Items(7)->Item())->Down());
  // A click on "Begin a group" in the open popup.
  D().ClickControl(*popup->Items(7)->Control());
  TzbBarItemLink* link = datei->ItemLinks().Items(1);
  EXPECT_TRUE(link->StoredBeginGroup());
  EXPECT_EQ(CustomizingPopupLinks(), nullptr);

  // A new name typed into the popup's edit and confirmed with Enter.
  D().Press(D().CenterOf(*D().ControlIn(D().WindowOf(datei), "ffnen1")), Qt::RightButton);
  D().Release(D().CenterOf(*D().ControlIn(D().WindowOf(datei), "ffnen1")), Qt::RightButton);
  popup = CustomizingPopupLinks();
  ASSERT_NE(popup, nullptr);
  auto* nameEdit = static_cast<TzbBarEdit*>(popup->Items(ccName)->Item());
  auto* nameControl = dynamic_cast<TzbBarEditControl*>(popup->Items(ccName)->Control());
  ASSERT_NE(nameControl, nullptr);
  D().ClickControl(*nameControl);
  QLineEdit* line = nameControl->Editor();
  ASSERT_NE(line, nullptr);
  ASSERT_TRUE(line->isVisible());
  line->selectAll();
  QTest::keyClicks(line, QStringLiteral("Holen"));
  QTest::keyClick(line, Qt::Key_Return);
  EXPECT_EQ(nameEdit->Text(), "Holen");
  EXPECT_EQ(link->RealCaption(), "Holen");

  // The other commands, run on the link.
  RunCustomizingCommand(*link, ccName, "Laden");
  EXPECT_EQ(link->RealCaption(), "Laden");
  EXPECT_EQ(D().Item("ffnen1")->Caption(), Utf8ToAnsi("Ö&ffnen..."));
  RunCustomizingCommand(*link, ccImageAndText);
  EXPECT_EQ(link->RealPaintStyle(), psCaptionGlyph);
  // The toolbar shows the caption now: the control grew.
  EXPECT_GT(D().ControlIn(D().WindowOf(datei), "ffnen1")->GetWidth(), 40);
  QString message;
  SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    message = text;
    return IDOK;
  });
  RunCustomizingCommand(*link, ccName, "");
  EXPECT_EQ(message, CustomizingTexts::BlankName());
  EXPECT_EQ(link->RealCaption(), "Laden");
  RunCustomizingCommand(*link, ccReset);
  EXPECT_EQ(link->UserDefine(), 0u);
  EXPECT_EQ(link->RealCaption(), D().Item("ffnen1")->Caption());
  RunCustomizingCommand(*link, ccBeginGroup);
  EXPECT_FALSE(link->StoredBeginGroup());
  RunCustomizingCommand(*link, ccDelete);
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"Neu1", "Speichern1", "Projektdaten1", "Kundendaten1"}));
  EXPECT_EQ(CustomizingSelectedLink(), nullptr);
}

TEST_F(BarCustomizingTest, AnEditItemIsDraggedAndOffersNoPaintStyles) {
  ASSERT_NE(Start(), nullptr);
  TzbBar* suchen = D().AddEditBar();
  TzbBarItemControl* edit = D().ControlIn(D().WindowOf(suchen), "Suche");
  ASSERT_NE(edit, nullptr);
  // The popup of an edit: the paint styles are off, the default style is marked.
  D().Press(D().CenterOf(*edit), Qt::RightButton);
  D().Release(D().CenterOf(*edit), Qt::RightButton);
  TzbBarItemLinks* popup = CustomizingPopupLinks();
  ASSERT_NE(popup, nullptr);
  for (int i = ccDefaultStyle; i <= ccImageAndText; ++i) EXPECT_FALSE(popup->Items(i)->Item()->GetEnabled()) << i;
  EXPECT_TRUE(static_cast<TzbBarButton*>(popup->Items(ccDefaultStyle)->Item())->Down());
  CloseCustomizingPopup();
  // A press on the edit starts no editing but a drag; off the bars it goes.
  D().Press(D().CenterOf(*edit));
  D().Move(D().CenterOf(*edit) + QPoint(0, 30));
  ASSERT_NE(TzbBarDragAndDrop::Current(), nullptr);
  D().Move(OffTheBars());
  D().Release(OffTheBars());
  EXPECT_EQ(Names(suchen->ItemLinks()), std::vector<std::string>{"Ansicht"});
}

// ---------------------------------------------------------------- the form's pages

TEST_F(BarCustomizingTest, TheToolbarsPageShowsHidesCreatesRenamesAndDeletesToolbars) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(form->BarList->count(), 6);
  EXPECT_EQ(form->BarList->currentRow(), 0);  // the first visible bar
  // The main menu bar cannot be hidden: a beep.
  form->ToggleBar(0);
  EXPECT_EQ(form->Beeps, 1);
  EXPECT_TRUE(D().MainMenu->Visible());
  EXPECT_EQ(form->BarList->item(0)->checkState(), Qt::Checked);
  // A click on the check cell hides the toolbar, a double click on the entry shows it again.
  QListWidget* list = form->BarList;
  const QRect row = list->visualItemRect(list->item(4));
  SendPress(list->viewport(), QPoint(row.left() + 9, row.center().y()));
  QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      list->viewport()->mapTo(form, QPoint(row.left() + 9, row.center().y())));
  EXPECT_FALSE(Hilfe()->Visible());
  EXPECT_EQ(list->item(4)->checkState(), Qt::Unchecked);
  QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                     list->viewport()->mapTo(form, QPoint(row.left() + 60, row.center().y())));
  EXPECT_TRUE(Hilfe()->Visible());
  EXPECT_EQ(list->item(4)->checkState(), Qt::Checked);
  // A toolbar closed elsewhere is unticked in the list.
  Hilfe()->SetVisible(false);
  EXPECT_EQ(list->item(4)->checkState(), Qt::Unchecked);
  Hilfe()->SetVisible(true);
  // Toolbars of the form: reset, no rename, no delete.
  form->BarList->setCurrentRow(1);
  EXPECT_TRUE(form->BarReset->isEnabled());
  EXPECT_FALSE(form->BarRename->isEnabled());
  EXPECT_FALSE(form->BarDelete->isEnabled());

  // New: the name editor proposes the next free name; OK is off for an empty name.
  for (const char* name : {"Custom 1", "Custom 2"}) M().Bars().Add()->SetCaption(name);
  EXPECT_EQ(form->ProposedToolbarName(), "Custom 3");
  bool okWhileEmpty = true;
  QTimer::singleShot(0, [&] {
    auto* ed = dynamic_cast<TzbBarNameEd*>(QApplication::activeModalWidget());
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->windowTitle(), QStringLiteral("Add Toolbar"));
    EXPECT_EQ(ed->Edit->text(), QStringLiteral("Custom 3"));
    ed->Edit->clear();
    okWhileEmpty = ed->OK->isEnabled();
    QTest::keyClicks(ed->Edit, QStringLiteral("Extras"));
    ed->OK->click();
  });
  form->NewToolbar();
  EXPECT_FALSE(okWhileEmpty);
  TzbBar* extras = M().BarByCaption("Extras");
  ASSERT_NE(extras, nullptr);
  EXPECT_TRUE(extras->Visible());
  EXPECT_EQ(extras->DockingStyle(), dsNone);
  // Floating left of the form (the form is far enough from the left edge).
  EXPECT_EQ(extras->FloatLeft, form->frameGeometry().left() - 50);
  EXPECT_EQ(form->SelectedBar(), extras);
  EXPECT_TRUE(form->BarRename->isEnabled());
  EXPECT_TRUE(form->BarDelete->isEnabled());
  EXPECT_FALSE(form->BarReset->isEnabled());

  // Rename: another toolbar's caption is refused, a caption differing in case is taken.
  QString message;
  SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    message = text;
    return IDOK;
  });
  QTimer::singleShot(0, [&] {
    auto* ed = dynamic_cast<TzbBarNameEd*>(QApplication::activeModalWidget());
    ASSERT_NE(ed, nullptr);
    ed->Edit->setText(QStringLiteral("Hilfe"));
    ed->OK->click();
    EXPECT_TRUE(ed->isVisible());  // refused, still open
    ed->Edit->setText(QStringLiteral("hilfe"));
    ed->OK->click();
  });
  form->RenameToolbar();
  EXPECT_EQ(message, CustomizingFormTexts::DuplicateToolbar(QStringLiteral("Hilfe")));
  EXPECT_EQ(extras->Caption(), "hilfe");
  EXPECT_EQ(form->BarList->currentItem()->text(), QStringLiteral("hilfe"));

  // Delete asks; Cancel keeps the bar, OK frees it.
  int answer = IDCANCEL;
  SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    message = text;
    return answer;
  });
  const int bars = M().Bars().Count();
  form->DeleteToolbar();
  EXPECT_EQ(message, CustomizingFormTexts::DeleteToolbar(QStringLiteral("hilfe")));
  EXPECT_EQ(M().Bars().Count(), bars);
  answer = IDOK;
  form->DeleteToolbar();
  EXPECT_EQ(M().Bars().Count(), bars - 1);
  EXPECT_EQ(M().BarByCaption("hilfe"), nullptr);
}

TEST_F(BarCustomizingTest, TheCommandsPageListsTheVisibleCommandsOfACategoryWithTheirDescription) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->SelectItem(D().Item("Neu1"));
  EXPECT_EQ(form->Categories->currentItem()->text(), QStringLiteral("Projekt"));
  EXPECT_EQ(form->Description->text(), QStringLiteral("Legt ein neues Projekt an."));
  std::vector<std::string> listed;
  for (int i = 0; i < form->Commands->count(); ++i) listed.push_back(form->Commands->ItemAt(i)->Name);
  EXPECT_EQ(listed, (std::vector<std::string>{"Informationen1", "NOpen", "Neu1", "ffnen1", "Speichern1",
                                              "Speichernunter1", "Schlieen1", "Transfer", "Kundendaten1", "Drucken1",
                                              "Beenden1", "Zuletzt1", "MRU"}));
  // A command hidden from customizing is not offered.
  D().Item("Drucken1")->SetVisible(ivNever);
  form->RefreshCommands();
  for (int i = 0; i < form->Commands->count(); ++i) EXPECT_NE(form->Commands->ItemAt(i)->Name, "Drucken1");
}

TEST_F(BarCustomizingTest, TheOptionsPageFollowsAndSetsTheManager) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  // The XP look: the personalized-menus panel.
  ASSERT_NE(form->RecentFirst, nullptr);
  EXPECT_FALSE(form->RecentFirst->isChecked());
  EXPECT_FALSE(form->FullMenusAfterDelay->isEnabled());
  form->RecentFirst->click();
  EXPECT_TRUE(M().MenusShowRecentItemsFirst);
  EXPECT_TRUE(form->FullMenusAfterDelay->isEnabled());
  form->ShowHints->click();
  EXPECT_FALSE(M().ShowHint);
  EXPECT_FALSE(form->ShortCutsInHints->isEnabled());
  form->Animations->setCurrentIndex(3);
  EXPECT_EQ(M().MenuAnimations, maSlide);
  const int small = D().WindowOf(D().Toolbars[0])->WindowRect().Height();
  form->LargeIcons->click();
  EXPECT_TRUE(M().LargeIcons());
  // The toolbars take the large buttons at once.
  EXPECT_GT(D().WindowOf(D().Toolbars[0])->WindowRect().Height(), small);
  // Options changed elsewhere show when the form is activated again.
  M().ShowHint = true;
  form->Pages->setCurrentIndex(2);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(form, &activate);
  EXPECT_TRUE(form->ShowHints->isChecked());
  M().SetCustomizing(false);
  // The standard look: the plain panel.
  M().SetStyle(bmsStandard);
  form = Start();
  EXPECT_EQ(form->RecentFirst, nullptr);
  EXPECT_NE(form->LargeIcons, nullptr);
  EXPECT_TRUE(form->LargeIcons->isChecked());
}

// ---------------------------------------------------------------- pictures

TEST_F(BarCustomizingTest, GoldenCustomizingFormPages) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->SelectItem(D().Item("Neu1"));
  const char* names[] = {"CustomizingFormToolbars", "CustomizingFormCommands", "CustomizingFormOptions"};
  for (int page = 0; page < 3; ++page) {
    form->Pages->setCurrentIndex(page);
    QApplication::processEvents();
    const QImage image = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    test::CompareWithGolden(image, QString::fromLatin1(names[page]));
    if (page == 1) {
      // The selected command and an unselected one are readable.
      TzbCommandsListBox* list = form->Commands;
      for (int row : {list->currentRow(), 0}) {
        const QRect r = list->visualItemRect(list->item(row)).adjusted(26, 3, -12, -3);
        const QRect inForm(list->viewport()->mapTo(form, r.topLeft()), r.size());
        EXPECT_GE(test::TextContrast(image, inForm), 4.5) << row;
      }
    }
  }
}

TEST_F(BarCustomizingTest, GoldenCommandListInEachLook) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->Pages->setCurrentIndex(1);
  form->SelectItem(D().Item("Neu1"));
  TzbCommandsListBox* list = form->Commands;
  const TzbBarManagerStyle looks[] = {bmsStandard, bmsFlat, bmsOffice11, bmsXP};
  QImage all(list->width() * 4, list->height(), QImage::Format_RGB32);
  QPainter p(&all);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    M().SetStyle(looks[i]);
    QApplication::processEvents();
    const QImage image = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
    p.drawImage(i * list->width(), 0, image);
    // The selected command and an unselected one are readable in every look.
    for (int row : {list->currentRow(), 0}) {
      const QRect r = list->visualItemRect(list->item(row)).adjusted(30, 3, -12, -3);
      const QRect inList(list->viewport()->mapTo(list, r.topLeft()), r.size());
      EXPECT_GE(test::TextContrast(image, inList), 4.5) << row;
    }
  }
  p.end();
  test::CompareWithGolden(all, QStringLiteral("CustomizingCommandLooks"));
}

TEST_F(BarCustomizingTest, GoldenSelectedLinkFrame) {
  ASSERT_NE(Start(), nullptr);
  TzbBarControl* menuBar = D().WindowOf(D().MainMenu);
  TzbBarItemControl* entry = D().MenuBarEntry("Datenbanken1");
  ASSERT_NE(entry, nullptr);
  SetCustomizingSelectedLink(&entry->Link());
  menuBar->Flush();
  const QImage image = menuBar->Buffer().convertToFormat(QImage::Format_RGB32);
  test::CompareWithGolden(image, QStringLiteral("CustomizingSelectedLink"));
  const TRect in = menuBar->ClientInsets();
  const TRect r = menuBar->GetItemRect(entry);
  const QRect item(r.Left + in.Left, r.Top + in.Top, r.Width(), r.Height());
  // The two-pixel frame in the text colour, and readable text inside it.
  for (const QPoint p :
       {item.topLeft(), item.topLeft() + QPoint(1, 1), item.bottomRight(), item.bottomRight() - QPoint(1, 1)})
    EXPECT_EQ(QColor(image.pixel(p)), QColor(Qt::black)) << p.x() << "," << p.y();
  EXPECT_GE(test::TextContrast(image, item.adjusted(3, 3, -3, -3)), 4.5);
  // Another selection takes the frame along.
  SetCustomizingSelectedLink(&D().MenuBarEntry("Hilfe1")->Link());
  menuBar->Flush();
  EXPECT_NE(QColor(menuBar->Buffer().pixel(item.topLeft() + QPoint(1, 1))), QColor(Qt::black));
}

}  // namespace
}  // namespace zyn
