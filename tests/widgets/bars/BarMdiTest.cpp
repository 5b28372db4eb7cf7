// Child windows in a form's client area and the form's main menu bar: the system-menu entry, the
// merged menus and the window buttons of a maximized child.

#include "widgets/bars/BarMdi.h"

#include "BarMdiDemoWindow.h"
#include "platform/MdiWindows.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarMdiDemoWindow;
using Names = std::vector<std::string>;

class BarMdi : public ::testing::Test, public BarMdiDemoWindow {
 protected:
  void Maximize(int i) {
    Area->setActiveSubWindow(Children[i]);
    Children[i]->showMaximized();
    QApplication::processEvents();
  }
};

TEST_F(BarMdi, MaximizingAChildShowsItsSystemMenuEntryMenusAndWindowButtonsAndRestoringTakesThemAway) {
  TzbBarControl* bar = MenuBarWindow();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  EXPECT_FALSE(bar->WindowButtonsShown());
  EXPECT_TRUE(ChildForms[1]->MainMenu->Visible());

  Maximize(1);
  EXPECT_EQ(MenuBarNames(), (Names{"<System>", "Datei", "Fenster", "Hilfe", "Bearbeiten2", "Ansicht2"}));
  EXPECT_FALSE(ChildForms[1]->MainMenu->Visible());  // its menus are on the form's bar now
  ASSERT_TRUE(bar->AllWindowButtonsShown());
  // The buttons stand at the right end of the bar, minimize, restore and then close 2 pixels apart.
  const TRect client = bar->ClientRect();
  const TRect r0 = bar->WindowButtonRect(0), r1 = bar->WindowButtonRect(1), r2 = bar->WindowButtonRect(2);
  EXPECT_EQ(r2.Right, client.Right);
  EXPECT_EQ(r1.Left, r0.Right);
  EXPECT_EQ(r2.Left, r1.Right + 2);
  // The items keep clear of them.
  for (TzbBarItemLink* link : bar->ItemLinks().ShownLinks()) EXPECT_LE(link->ItemRect.Right, r0.Left);
  // The system-menu entry shows the child's icon, 16 x 16, first on the bar.
  TzbBarItemControl* system = bar->ItemLinks().Items(0)->Control();
  ASSERT_NE(system, nullptr);
  EXPECT_NE(dynamic_cast<TSystemMenuSubItemControl*>(system), nullptr);
  EXPECT_EQ(system->GetWidth(), 16);
  bar->Flush();
  const TRect sr = bar->GetItemRect(system);
  const TRect in = bar->ClientInsets();
  EXPECT_EQ(bar->Buffer().pixelColor(in.Left + (sr.Left + sr.Right) / 2, in.Top + (sr.Top + sr.Bottom) / 2),
            QColor(0, 0, 192));

  Children[1]->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  EXPECT_FALSE(bar->WindowButtonsShown());
  EXPECT_TRUE(ChildForms[1]->MainMenu->Visible());
}

TEST_F(BarMdi, TheWindowButtonsActOnTheMaximizedChild) {
  // Restore.
  Maximize(0);
  Click(WindowButtonPoint(1));
  EXPECT_FALSE(Children[0]->isMaximized());
  EXPECT_FALSE(MenuBarWindow()->WindowButtonsShown());
  // Minimize.
  Maximize(0);
  Click(WindowButtonPoint(0));
  EXPECT_TRUE(Children[0]->isMinimized());
  EXPECT_FALSE(MenuBarWindow()->WindowButtonsShown());
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  // Close: the child and its form go; the form's bar loses its merged menus.
  Maximize(0);
  QPointer<QMdiSubWindow> child = Children[0];
  Click(WindowButtonPoint(2));
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_TRUE(child.isNull());
  EXPECT_EQ(Area->subWindowList().size(), 1);
  for (const std::string& name : MenuBarNames()) EXPECT_NE(name, "Bearbeiten1");
  // Whatever child is active now, the buttons show exactly while it is maximized.
  QMdiSubWindow* now = Area->currentSubWindow();
  EXPECT_EQ(MenuBarWindow()->WindowButtonsShown(), now && now->isMaximized());
}

TEST_F(BarMdi, APressIsOnlyACommandWhenReleasedOverItsEnabledButton) {
  Maximize(1);
  TzbBarControl* bar = MenuBarWindow();
  // Released outside the pressed button: nothing happens.
  Press(WindowButtonPoint(1));
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), 1);
  EXPECT_TRUE(TzbBarControl::WindowButtonHeld());
  Move(WindowButtonPoint(1) + QPoint(0, 40));
  EXPECT_FALSE(TzbBarControl::WindowButtonPressedLook());
  Release(WindowButtonPoint(1) + QPoint(0, 40));
  EXPECT_TRUE(Children[1]->isMaximized());
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
  // A grayed close entry: the close button neither turns hot nor reacts; restore still does.
  SystemMenuEntry(Children[1], scClose)->setEnabled(false);
  EXPECT_FALSE(bar->WindowButtonEnabled(2));
  EXPECT_TRUE(bar->WindowButtonEnabled(1));
  Move(WindowButtonPoint(2));
  EXPECT_EQ(TzbBarControl::HotWindowButton(), -1);
  Click(WindowButtonPoint(2));
  QApplication::processEvents();
  EXPECT_TRUE(Children[1]->isVisible());
  Move(WindowButtonPoint(1));
  EXPECT_EQ(TzbBarControl::HotWindowButton(), 1);
  Click(WindowButtonPoint(1));
  EXPECT_FALSE(Children[1]->isMaximized());
}

TEST_F(BarMdi, TheSystemMenuEntryOpensTheChildsSystemMenuAndItsEntriesRunTheCommands) {
  Maximize(1);
  TzbBarControl* bar = MenuBarWindow();
  TzbBarItemControl* system = bar->ItemLinks().Items(0)->Control();
  const TRect r = bar->GetItemRect(system);
  Click(ScreenPointOf(*bar, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
  auto* item = static_cast<TSystemMenuSubItem*>(&system->Item());
  auto* menu = dynamic_cast<TzbBarSubMenuControl*>(item->ItemLinks().BarControl());
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> captions;
  for (TzbBarItemLink* link : item->ItemLinks().ShownLinks()) captions.push_back(link->Item()->Caption());
  EXPECT_EQ(captions, (Names{"&Wiederherstellen", "&Verschieben",
                             "&Gr\xF6\xDF"
                             "e \xE4ndern",
                             "Mi&nimieren", "Ma&ximieren",
                             "&Schlie\xDF"
                             "en",
                             "&N\xE4"
                             "chstes"}));
  TzbBarItemLinks& links = item->ItemLinks();
  EXPECT_TRUE(links.Items(0)->Item()->GetEnabled());
  EXPECT_FALSE(links.Items(1)->Item()->GetEnabled());  // a maximized child neither moves
  EXPECT_FALSE(links.Items(2)->Item()->GetEnabled());  // nor changes its size
  EXPECT_FALSE(links.Items(4)->Item()->GetEnabled());  // maximized already
  EXPECT_TRUE(links.Items(5)->GetBeginGroup());
  EXPECT_EQ(links.Items(5)->Item()->ShortCut(), static_cast<TShortCut>(0x73 | scCtrl));  // Strg+F4
  EXPECT_EQ(links.Items(5)->Item()->Tag, scClose);
  // "Wiederherstellen" restores the child once the click is over.
  TzbBarItemControl* restore = links.Items(0)->Control();
  ASSERT_NE(restore, nullptr);
  const TRect rr = menu->GetItemRect(restore);
  const TPoint rp = menu->ClientToScreen(Point((rr.Left + rr.Right) / 2, (rr.Top + rr.Bottom) / 2));
  Click(QPoint(rp.X, rp.Y));
  QApplication::processEvents();
  EXPECT_FALSE(Children[1]->isMaximized());
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
}

TEST_F(BarMdi, MoveAndSizeOfTheSystemMenuFollowTheChildsStateAndWorkWithTheKeyboard) {
  QMdiSubWindow* child = Children[0];
  Area->setActiveSubWindow(child);
  QApplication::processEvents();
  struct TCase {
    const char* State;
    bool Move, Size;
  };
  const TCase cases[] = {{"normal", true, true}, {"maximized", false, false}, {"minimized", true, false}};
  for (const TCase& c : cases) {
    if (c.State[1] == 'o') child->showNormal();
    if (c.State[1] == 'a') child->showMaximized();
    if (c.State[1] == 'i') child->showMinimized();
    QApplication::processEvents();
    ASSERT_NE(SystemMenuEntry(child, scMove), nullptr);
    ASSERT_NE(SystemMenuEntry(child, scSize), nullptr);
    EXPECT_EQ(SystemMenuEntry(child, scMove)->isEnabled(), c.Move) << c.State;
    EXPECT_EQ(SystemMenuEntry(child, scSize)->isEnabled(), c.Size) << c.State;
    EXPECT_EQ(SendSystemCommand(child, scSize), c.Size) << c.State;  // a disabled entry does nothing
  }
  child->showNormal();
  QApplication::processEvents();
  // Size: the arrow keys move the bottom-right corner, Enter keeps the new size.
  const QRect before = child->geometry();
  ASSERT_TRUE(SendSystemCommand(child, scSize));
  QTest::keyClick(child, Qt::Key_Right);
  QTest::keyClick(child, Qt::Key_Down);
  QTest::keyClick(child, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(child->geometry().topLeft(), before.topLeft());
  EXPECT_GT(child->width(), before.width());
  EXPECT_GT(child->height(), before.height());
  // Move through the entry itself: the frame moves, its size stays.
  const QRect sized = child->geometry();
  SystemMenuEntry(child, scMove)->trigger();
  QTest::keyClick(child, Qt::Key_Right);
  QTest::keyClick(child, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_GT(child->x(), sized.x());
  EXPECT_EQ(child->size(), sized.size());
  // The keys are plain keys again afterwards: they move nothing.
  const QRect moved = child->geometry();
  QTest::keyClick(child, Qt::Key_Right);
  EXPECT_EQ(child->geometry(), moved);
}

TEST_F(BarMdi, ADoubleClickOnTheSystemMenuEntryClosesTheChild) {
  Maximize(0);
  TzbBarControl* bar = MenuBarWindow();
  const TRect r = bar->GetItemRect(bar->ItemLinks().Items(0)->Control());
  QPointer<QMdiSubWindow> child = Children[0];
  DoubleClick(ScreenPointOf(*bar, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_TRUE(child.isNull());
}

TEST_F(BarMdi, MergedEntriesRunTheChildsItemsAndSwitchingChildrenSwapsTheMenus) {
  Maximize(1);
  Events.clear();
  // The child's shortcut works through the form's bar.
  QTest::keyClick(Form.windowHandle(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Events, (Names{"OnClick:Ausschneiden2"}));
  // The other child comes to the front maximized: its menus replace the first one's.
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  if (Children[0]->isMaximized()) {
    EXPECT_EQ(MenuBarNames(), (Names{"<System>", "Datei", "Fenster", "Hilfe", "Bearbeiten1", "Ansicht1"}));
    EXPECT_TRUE(ChildForms[1]->MainMenu->Visible());
  } else {
    EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  }
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarMdi, KeysReachTheActiveChildsOwnBarsBeforeTheForms) {
  for (int i : {1, 0}) {
    Area->setActiveSubWindow(Children[i]);
    QApplication::processEvents();
    ASSERT_FALSE(Children[i]->isMaximized());
    const std::string key = std::to_string(i + 1);
    Events.clear();
    QTest::keyClick(Form.windowHandle(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Events, (Names{"OnClick:Ausschneiden" + key}));
    // Alt + the accelerator of the child's own menu bar opens that menu; one of the form's bar the
    // form's menu.
    QTest::keyClick(Form.windowHandle(), Qt::Key_B, Qt::AltModifier);
    TzbBarItem* bearbeiten = ChildForms[i]->Manager->GetItemByName("Bearbeiten" + key);
    EXPECT_NE(SubItemLinksOf(*bearbeiten)->BarControl(), nullptr);
    QTest::keyClick(Form.windowHandle(), Qt::Key_Escape);
    QTest::keyClick(Form.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
    QTest::keyClick(Form.windowHandle(), Qt::Key_D, Qt::AltModifier);
    EXPECT_NE(SubItemLinksOf(*Manager->GetItemByName("Datei"))->BarControl(), nullptr);
    if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) head->HideAll();
  }
}

TEST_F(BarMdi, AnotherChildBecomingActiveClosesTheMenusOfTheFirstAndItsKeysReachTheNewOne) {
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  // The first child's own menu is open when the second child comes to the front.
  QTest::keyClick(Form.windowHandle(), Qt::Key_B, Qt::AltModifier);
  TzbBarItem* bearbeiten1 = ChildForms[0]->Manager->GetItemByName("Bearbeiten1");
  ASSERT_NE(SubItemLinksOf(*bearbeiten1)->BarControl(), nullptr);
  ASSERT_NE(TCustomzbBarControl::ActiveBarControl(), nullptr);
  Area->setActiveSubWindow(Children[1]);
  QApplication::processEvents();
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  EXPECT_EQ(SubItemLinksOf(*bearbeiten1)->BarControl(), nullptr);
  Events.clear();
  QTest::keyClick(Form.windowHandle(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Events, (Names{"OnClick:Ausschneiden2"}));
}

TEST_F(BarMdi, AnotherWindowBecomingActiveClosesTheMenusOfTheFormAndOfItsChildren) {
  QWidget other;
  other.setGeometry(Form.geometry().translated(40, 40));
  struct TCase {
    const char* Name;
    Qt::Key Key;
    int Child;  // -1: the form's own menu
  };
  for (const TCase& c : {TCase{"Datei", Qt::Key_D, -1}, TCase{"Bearbeiten1", Qt::Key_B, 0}}) {
    if (c.Child >= 0) Area->setActiveSubWindow(Children[c.Child]);
    Form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    QTest::keyClick(Form.windowHandle(), c.Key, Qt::AltModifier);
    TzbBarManager& m = c.Child >= 0 ? *ChildForms[c.Child]->Manager : *Manager;
    TzbBarItemLinks* menu = SubItemLinksOf(*m.GetItemByName(c.Name));
    ASSERT_NE(menu->BarControl(), nullptr) << c.Name;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(menu->BarControl(), nullptr) << c.Name;
    EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr) << c.Name;
    other.hide();
  }
}

TEST_F(BarMdi, TheFloatingBarsOfAChildFollowItsActivation) {
  TzbBar* childMenu = ChildForms[0]->MainMenu;
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  childMenu->SetDockingStyle(dsNone);
  QApplication::processEvents();
  auto* floating = dynamic_cast<TzbBarControl*>(childMenu->GetBarControl());
  ASSERT_NE(floating, nullptr);
  ASSERT_TRUE(floating->IsFloating());
  ASSERT_TRUE(floating->Widget()->isVisible());
  Form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  EXPECT_TRUE(floating->FormActive());
  Area->setActiveSubWindow(Children[1]);
  QApplication::processEvents();
  EXPECT_FALSE(floating->Widget()->isVisible());
  EXPECT_FALSE(floating->FormActive());
  // The other child's bars count as active now.
  EXPECT_TRUE(dynamic_cast<TzbBarControl*>(ChildForms[1]->MainMenu->GetBarControl())->FormActive());
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  EXPECT_TRUE(floating->Widget()->isVisible());
  Form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  EXPECT_TRUE(floating->FormActive());
  // Minimized, the child hides them; restored, it shows them again.
  Children[0]->showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(floating->Widget()->isVisible());
  Children[0]->showNormal();
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  EXPECT_TRUE(floating->Widget()->isVisible());
  // Without HideFloatingBarsWhenInactive they stay, only their caption shows the state.
  ChildForms[0]->Manager->HideFloatingBarsWhenInactive = false;
  Area->setActiveSubWindow(Children[1]);
  QApplication::processEvents();
  EXPECT_TRUE(floating->Widget()->isVisible());
  EXPECT_FALSE(floating->FormActive());
}

TEST_F(BarMdi, WithoutMaximizedChildTheCloseButtonStandsAloneWhenTheManagerAsksForIt) {
  int closes = 0;
  Manager->ShowCloseButton = true;
  Manager->OnCloseButtonClick = [&closes](TzbBarManager&) { ++closes; };
  TzbBarControl* bar = MenuBarWindow();
  bar->RebuildLayout();
  ASSERT_TRUE(bar->WindowButtonsShown());
  EXPECT_FALSE(bar->AllWindowButtonsShown());
  EXPECT_TRUE(IsRectEmpty(bar->WindowButtonRect(0)));
  EXPECT_EQ(bar->WindowButtonRect(2).Right, bar->ClientRect().Right);
  EXPECT_EQ(bar->WindowButtonsLength(), TzbBarControl::WindowButtonWidth);
  Click(WindowButtonPoint(2));
  EXPECT_EQ(closes, 1);
  // A maximized child brings all three; its close button closes the child, not the form.
  Maximize(0);
  EXPECT_TRUE(bar->AllWindowButtonsShown());
  QPointer<QMdiSubWindow> child = Children[0];
  Click(WindowButtonPoint(2));
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_TRUE(child.isNull());
  EXPECT_EQ(closes, 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarMdi, OnAVerticalMenuBarTheButtonsStandOneBelowTheOtherAtItsEnd) {
  MainMenu->SetDockingStyle(dsLeft);
  QApplication::processEvents();
  Maximize(1);
  TzbBarControl* bar = MenuBarWindow();
  ASSERT_TRUE(bar->IsVertical());
  ASSERT_TRUE(bar->AllWindowButtonsShown());
  const TRect client = bar->ClientRect();
  const TRect r0 = bar->WindowButtonRect(0), r1 = bar->WindowButtonRect(1), r2 = bar->WindowButtonRect(2);
  EXPECT_EQ(r0.Height(), TzbBarControl::WindowButtonHeight);
  EXPECT_EQ(r0.Width(), TzbBarControl::WindowButtonWidth);
  EXPECT_EQ(r1.Top, r0.Bottom);
  EXPECT_EQ(r2.Top, r1.Bottom + 2);
  EXPECT_EQ(r2.Bottom, client.Bottom);
  EXPECT_GE(r0.Left, 0);
  EXPECT_LE(r0.Right, client.Right);
  for (TzbBarItemLink* link : bar->ItemLinks().ShownLinks()) EXPECT_LE(link->ItemRect.Bottom, r0.Top);
  Click(WindowButtonPoint(1));
  EXPECT_FALSE(Children[1]->isMaximized());
}

TEST_F(BarMdi, AButtonReleaseThatNeverCameDoesNotKeepTheKeysSwallowed) {
  Maximize(1);
  Press(WindowButtonPoint(1));
  ASSERT_TRUE(TzbBarControl::WindowButtonHeld());
  // The button goes up, but the bar never hears it (its grab was lost).
  struct TEatRelease : QObject {
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::MouseButtonRelease; }
  } eat;
  MenuBarWindow()->Widget()->installEventFilter(&eat);
  Release(WindowButtonPoint(1));
  MenuBarWindow()->Widget()->removeEventFilter(&eat);
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), 1);  // the bar did not hear it
  EXPECT_FALSE(TzbBarControl::WindowButtonHeld());
  Events.clear();
  QTest::keyClick(Form.windowHandle(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Events, (Names{"OnClick:Ausschneiden2"}));
  Move(WindowButtonPoint(0));
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarMdi, AHeldWindowButtonIsLetGoWhenTheFormIsDeactivatedOrHidden) {
  Maximize(1);
  // Another window comes to the front while the restore button is held: the release over the
  // button afterwards is no command.
  Press(WindowButtonPoint(1));
  ASSERT_EQ(TzbBarControl::PressedWindowButton(), 1);
  QWidget other;
  other.setGeometry(Form.geometry().translated(40, 40));
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
  EXPECT_FALSE(TzbBarControl::WindowButtonPressedLook());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  Release(WindowButtonPoint(1));
  EXPECT_TRUE(Children[1]->isMaximized());
  other.hide();
  Form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  // The form hides while the button is held.
  Press(WindowButtonPoint(1));
  ASSERT_EQ(TzbBarControl::PressedWindowButton(), 1);
  Form.hide();
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
  Form.show();
  QApplication::processEvents();
  Release(WindowButtonPoint(1));
  EXPECT_TRUE(Children[1]->isMaximized());
  // A bar of the form entering menu mode lets the button go as well.
  Press(WindowButtonPoint(1));
  ASSERT_EQ(TzbBarControl::PressedWindowButton(), 1);
  MenuBarWindow()->EnterMenuMode(nullptr);
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
  MenuBarWindow()->HideAll();
  Release(WindowButtonPoint(1));
  EXPECT_TRUE(Children[1]->isMaximized());
  // The pointer leaves the button (a later move to the same point would not be delivered).
  Move(WindowButtonPoint(1) + QPoint(0, 60));
}

TEST_F(BarMdi, AlwaysMergeMergesTheActiveChildsMenusAlsoWhenItIsNotMaximized) {
  Manager->AlwaysMerge = true;
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  Area->setActiveSubWindow(Children[1]);
  QApplication::processEvents();
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe", "Bearbeiten2", "Ansicht2"}));
  EXPECT_FALSE(ChildForms[1]->MainMenu->Visible());
  // The child at the back keeps its own bar hidden: its menus show on the form's bar once it is active.
  EXPECT_FALSE(ChildForms[0]->MainMenu->Visible());
  // Maximizing adds only the system-menu entry; the menus stay merged.
  Maximize(1);
  EXPECT_EQ(MenuBarNames(), (Names{"<System>", "Datei", "Fenster", "Hilfe", "Bearbeiten2", "Ansicht2"}));
}

TEST_F(BarMdi, AMenuMergeHandlerTakesTheMergingOver) {
  std::vector<std::string> calls;
  Manager->OnMenuMerge = [&calls](TzbBarManager&, TzbBarManager& child, bool merge) {
    calls.push_back(std::string(merge ? "merge:" : "unmerge:") +
                    child.MainMenuBar()->ItemLinks().Items(0)->Item()->Name);
  };
  Maximize(1);
  Children[1]->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(calls, (Names{"merge:Bearbeiten2", "unmerge:Bearbeiten2"}));
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  EXPECT_TRUE(ChildForms[1]->MainMenu->Visible());
}

TEST_F(BarMdi, AChildLeavingForAnotherKeepsTheMenuBarLockedUntilTheNewOneIsMerged) {
  Manager->AlwaysMerge = true;
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  ASSERT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe", "Bearbeiten1", "Ansicht1"}));
  // The menu bar is laid out once per switch, already with the new child's menus.
  const int releases = Manager->LockReleaseCount;
  Area->setActiveSubWindow(Children[1]);
  QApplication::processEvents();
  EXPECT_EQ(Manager->LockReleaseCount, releases + 1);
  EXPECT_FALSE(Manager->LockUpdate());
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe", "Bearbeiten2", "Ansicht2"}));
  // A merge handler sees the lock held while the leaving child goes, but not when a child is
  // taken out for good (restored without AlwaysMerge).
  std::vector<std::string> calls;
  Manager->OnMenuMerge = [this, &calls](TzbBarManager&, TzbBarManager& child, bool merge) {
    calls.push_back(std::string(merge ? "merge:" : "unmerge:") +
                    child.MainMenuBar()->ItemLinks().Items(0)->Item()->Name +
                    (Manager->LockUpdate() ? ":locked" : ":free"));
  };
  Area->setActiveSubWindow(Children[0]);
  QApplication::processEvents();
  EXPECT_EQ(calls, (Names{"unmerge:Bearbeiten2:locked", "merge:Bearbeiten1:locked"}));
  calls.clear();
  Manager->AlwaysMerge = false;
  Maximize(0);
  Children[0]->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(calls, (Names{"unmerge:Bearbeiten1:free"}));
  EXPECT_FALSE(Manager->LockUpdate());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// Golden images of the form's menu bar with a maximized child (its icon first, its menus merged,
// the window buttons at the end, restore hot) in three looks; the hot button differs from the normal
// one where the look has a hot state. Recipe: made by this test with
// ZYN_UPDATE_GOLDEN=1 (QT_QPA_PLATFORM=offscreen) and reviewed by eye.
TEST_F(BarMdi, TheMenuBarOfAMaximizedChildInTheXPStandardAndFlatLooks) {
  Maximize(1);
  struct TLook {
    TzbBarManagerStyle Style;
    const char* Name;
    bool HotLook;  // the classic caption buttons have none
  };
  for (const TLook& look : {TLook{bmsXP, "mdi_menu_bar_xp", true}, TLook{bmsStandard, "mdi_menu_bar_standard", false},
                            TLook{bmsFlat, "mdi_menu_bar_flat", true}}) {
    Manager->SetStyle(look.Style);
    QApplication::processEvents();
    TzbBarControl* bar = MenuBarWindow();
    Move(WindowButtonPoint(1));
    ASSERT_EQ(TzbBarControl::HotWindowButton(), 1) << look.Name;
    bar->Flush();
    const QImage hot = bar->Buffer().copy();
    test::CompareWithGolden(hot, QString::fromLatin1(look.Name));
    // The hot button looks different from the normal one.
    Move(ScreenPointOf(*bar, Point(bar->ClientRect().Width() / 2, 2)));
    bar->Flush();
    const TRect r = bar->WindowButtonRect(1);
    const TRect in = bar->ClientInsets();
    const QRect button(r.Left + in.Left, r.Top + in.Top, r.Width(), r.Height());
    EXPECT_EQ(bar->Buffer().copy(button) != hot.copy(button), look.HotLook) << look.Name;
  }
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarMdi, ClosingTheLastMaximizedChildLeavesTheFormsOwnMenuBar) {
  Children[0]->close();
  QApplication::processEvents();
  QApplication::processEvents();
  ASSERT_EQ(Area->subWindowList().size(), 1);
  Maximize(1);
  ASSERT_EQ(MenuBarNames().front(), "<System>");
  Click(WindowButtonPoint(2));
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_TRUE(Area->subWindowList().isEmpty());
  EXPECT_EQ(MenuBarNames(), (Names{"Datei", "Fenster", "Hilfe"}));
  EXPECT_FALSE(MenuBarWindow()->WindowButtonsShown());
  // A new child maximized merges again.
  auto* form = new test::BarMdiChildForm(QStringLiteral("Projekt 3"), Qt::red, Events);
  QMdiSubWindow* child = AddMdiChild(*Area, form);
  child->show();
  Area->setActiveSubWindow(child);
  child->showMaximized();
  QApplication::processEvents();
  EXPECT_EQ(MenuBarNames(), (Names{"<System>", "Datei", "Fenster", "Hilfe", "Bearbeiten3", "Ansicht3"}));
}

}  // namespace
}  // namespace zyn
