// The bar and menu windows on the screen of the tests: the demo form with the main window's menu
// bar and five toolbars, driven by mouse and key input through its windows.

#include "BarDemoWindow.h"
#include "platform/PopupWindows.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarWindows : public ::testing::Test, public BarDemoWindow {
 protected:
  TzbBarSubMenuControl* OpenProjekt() {
    ClickControl(*MenuBarEntry("Datei1"));
    return MenuOf("Datei1");
  }
  TzbBarItemControl* InMenu(const std::string& subItem, const std::string& item) {
    return ControlIn(MenuOf(subItem), item);
  }
  bool ChainClosed() const { return TCustomzbBarControl::ActiveBarControl() == nullptr; }
};

TEST_F(BarWindows, TheDemoFormShowsTheMenuBarAloneInTheFirstRowAndTheToolbarsInTheSecond) {
  TzbDockControl* top = Screen->Dock(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->CountInRow(0), 1);
  EXPECT_EQ(top->WindowAt(0, 0), WindowOf(MainMenu));
  EXPECT_EQ(top->CountInRow(1), 5);
  // The main menu bar fills its row; the client area starts below the docks.
  EXPECT_EQ(WindowOf(MainMenu)->Widget()->width(), Form.width());
  EXPECT_EQ(Client->y(), top->GetRowsSize());
  EXPECT_GT(Client->height(), 200);
  for (TzbBar* bar : Toolbars) EXPECT_EQ(top->RowOf(WindowOf(bar)), 1) << bar->Caption();
}

TEST_F(BarWindows, AClickOnAMenuEntryOpensItsMenuAtTheEntrysLowerLeftCorner) {
  TzbBarItemControl* entry = MenuBarEntry("Datei1");
  ASSERT_NE(entry, nullptr);
  TzbBarSubMenuControl* menu = OpenProjekt();
  ASSERT_NE(menu, nullptr);
  const TRect e = ScreenRectOf(*entry);
  const TRect m = menu->WindowRect();
  EXPECT_EQ(m.Left, e.Left);
  EXPECT_EQ(m.Top, e.Bottom);
  EXPECT_TRUE(menu->Widget()->isVisible());
  EXPECT_FALSE(menu->Widget()->hasFocus());
  EXPECT_TRUE(menu->Widget()->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_TRUE(menu->Widget()->windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), menu);
  // The menu shows its entries one below the other, the first below the frame.
  TzbBarItemControl* neu = InMenu("Datei1", "Neu1");
  TzbBarItemControl* oeffnen = InMenu("Datei1", "ffnen1");
  ASSERT_TRUE(neu && oeffnen);
  EXPECT_LT(ScreenRectOf(*neu).Bottom, ScreenRectOf(*oeffnen).Top + 1);
  EXPECT_GE(ScreenRectOf(*neu).Top, m.Top);
}

TEST_F(BarWindows, ASubMenuOpensOnlyAfterTheMouseRestsOnItsEntry) {
  OpenProjekt();
  TzbBarItemControl* info = InMenu("Datei1", "Informationen1");
  ASSERT_NE(info, nullptr);
  MoveToControl(*info);
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);  // not at once
  EXPECT_EQ(TzbBarSubItemControl::PendingControl(), info);
  ASSERT_TRUE(QTest::qWaitFor([&] { return MenuOf("Informationen1") != nullptr; }));
  TzbBarSubMenuControl* sub = MenuOf("Informationen1");
  // Beside its entry, moved up by the painter's overlap.
  const TRect e = ScreenRectOf(*info);
  EXPECT_EQ(sub->WindowRect().Left, e.Right);
  EXPECT_EQ(sub->WindowRect().Top, e.Top - Manager->PainterClass().GetSubMenuOverlap());
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), sub);
}

TEST_F(BarWindows, MovingToAnotherSubItemWithinTheDelayOpensOnlyThatOne) {
  OpenProjekt();
  TzbBarItemControl* nopen = InMenu("Datei1", "NOpen");
  TzbBarItemControl* info = InMenu("Datei1", "Informationen1");
  MoveToControl(*nopen);
  MoveToControl(*info);
  ASSERT_TRUE(QTest::qWaitFor([&] { return MenuOf("Informationen1") != nullptr; }));
  // The one delayed open has run: nothing is pending that could still open the other.
  EXPECT_EQ(TzbBarSubItemControl::PendingControl(), nullptr);
  EXPECT_EQ(MenuOf("NOpen"), nullptr);
  EXPECT_NE(MenuOf("Informationen1"), nullptr);
}

TEST_F(BarWindows, ASubMenuReachedOverAnotherEntryStaysOpenAndItsEntryIsSelectedAgain) {
  OpenProjekt();
  TzbBarSubMenuControl* projekt = MenuOf("Datei1");
  TzbBarItemControl* nopen = InMenu("Datei1", "NOpen");
  MoveToControl(*nopen);
  ASSERT_TRUE(QTest::qWaitFor([&] { return MenuOf("NOpen") != nullptr; }));
  TzbBarSubMenuControl* sub = MenuOf("NOpen");
  // On its way the pointer crosses the entry above (the owner's close is pending) and a sub-item
  // (its open is pending), then enters the sub-menu.
  MoveToControl(*InMenu("Datei1", "ffnen1"));
  MoveToControl(*InMenu("Datei1", "Informationen1"));
  EXPECT_NE(TzbBarSubItemControl::PendingControl(), nullptr);
  MoveToControl(*ControlIn(sub, "Zuletzt1"));
  EXPECT_EQ(TzbBarSubItemControl::PendingControl(), nullptr);
  EXPECT_EQ(projekt->SelectedControl(), nopen);
  // Nothing is pending any more, so the menus stay as they are.
  QApplication::processEvents();
  EXPECT_EQ(TzbBarSubItemControl::PendingControl(), nullptr);
  EXPECT_EQ(MenuOf("NOpen"), sub);
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);
  EXPECT_EQ(projekt->SelectedControl(), nopen);
  EXPECT_EQ(sub->SelectedControl(), ControlIn(sub, "Zuletzt1"));
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), sub);
  // Back on another entry of the parent, the sub-menu closes after the delay.
  MoveToControl(*InMenu("Datei1", "Neu1"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return MenuOf("NOpen") == nullptr; }));
  EXPECT_EQ(projekt->SelectedControl(), InMenu("Datei1", "Neu1"));
}

TEST_F(BarWindows, ReleasingTheButtonOnAMenuEntryClosesTheChainThenFiresTheClicks) {
  OpenProjekt();
  TzbBarItemControl* neu = InMenu("Datei1", "Neu1");
  ASSERT_NE(neu, nullptr);
  const QPoint at = CenterOf(*neu);
  Move(at);
  Press(at);
  EXPECT_NE(MenuOf("Datei1"), nullptr);
  Events.clear();
  Release(at);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  // The menu bar left menu mode: its entry is no longer selected.
  EXPECT_EQ(WindowOf(MainMenu)->SelectedControl(), nullptr);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);
}

TEST_F(BarWindows, AClickInANestedMenuClosesTheWholeChain) {
  OpenProjekt();
  ClickControl(*InMenu("Datei1", "Informationen1"));  // a click opens at once
  ASSERT_NE(MenuOf("Informationen1"), nullptr);
  Events.clear();
  TzbBarItemControl* kunde = InMenu("Informationen1", "Kundendaten1");
  ASSERT_NE(kunde, nullptr);
  ClickControl(*kunde);
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
  ASSERT_GE(Events.size(), 2u);
  EXPECT_EQ(Events[Events.size() - 2], "OnClickItem:Kundendaten1");
  EXPECT_EQ(Events.back(), "OnClick:Kundendaten1");
}

TEST_F(BarWindows, AClickOutsideTheOpenMenusClosesThem) {
  OpenProjekt();
  ClickControl(*InMenu("Datei1", "Informationen1"));
  ASSERT_NE(MenuOf("Informationen1"), nullptr);
  Events.clear();
  Click(Client->mapToGlobal(QPoint(300, 200)));
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
  EXPECT_TRUE(Events.empty());
}

TEST_F(BarWindows, ClickingTheOpenEntryAgainClosesItsMenu) {
  OpenProjekt();
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  ClickControl(*MenuBarEntry("Datei1"));
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
}

TEST_F(BarWindows, DisabledEntriesIgnoreClicksAndTheMenuStaysOpen) {
  OpenProjekt();
  TzbBarItemControl* speichern = InMenu("Datei1", "Speichern1");
  ASSERT_NE(speichern, nullptr);
  Events.clear();
  ClickControl(*speichern);
  EXPECT_NE(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(Events.empty());
  // A disabled toolbar button neither fires.
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
  ASSERT_TRUE(ChainClosed());
  TzbBarItemControl* onBar = ControlIn(WindowOf(Toolbars[0]), "Speichern1");
  ASSERT_NE(onBar, nullptr);
  ClickControl(*onBar);
  EXPECT_TRUE(Events.empty());
}

TEST_F(BarWindows, AltAloneSelectsTheFirstMenuEntryWithoutOpeningIt) {
  Key(Qt::Key_Alt);
  TzbBarControl* bar = WindowOf(MainMenu);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), bar);
  EXPECT_EQ(bar->SelectedControl(), MenuBarEntry("Datei1"));
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  // Right moves the selection only; Down opens the selected entry's menu.
  Key(Qt::Key_Right);
  EXPECT_EQ(bar->SelectedControl(), MenuBarEntry("Bearbeiten1"));
  EXPECT_EQ(MenuOf("Bearbeiten1"), nullptr);
  Key(Qt::Key_Down);
  ASSERT_NE(MenuOf("Bearbeiten1"), nullptr);
  EXPECT_EQ(MenuOf("Bearbeiten1")->SelectedControl(), InMenu("Bearbeiten1", "Steuermodule1"));
  // Alt again leaves menu mode.
  Key(Qt::Key_Alt);
  EXPECT_TRUE(ChainClosed());
  EXPECT_EQ(MenuOf("Bearbeiten1"), nullptr);
}

TEST_F(BarWindows, AltThenAnotherKeyDoesNotEnterMenuMode) {
  KeyPress(Qt::Key_Alt);
  KeyPress(Qt::Key_Shift, Qt::AltModifier);
  KeyRelease(Qt::Key_Shift, Qt::AltModifier);
  KeyRelease(Qt::Key_Alt);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);
}

TEST_F(BarWindows, F10EntersMenuModeWhenTheManagerAllowsIt) {
  Manager->UseF10ForMenu = false;
  Key(Qt::Key_F10);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);
  Manager->UseF10ForMenu = true;
  Key(Qt::Key_F10);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), WindowOf(MainMenu));
  Key(Qt::Key_Escape);
  EXPECT_TRUE(ChainClosed());
}

TEST_F(BarWindows, AltAndALetterOpensThatMenuWithItsFirstEntrySelected) {
  Key(Qt::Key_K, Qt::AltModifier);
  TzbBarSubMenuControl* menu = MenuOf("Bearbeiten1");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->SelectedControl(), InMenu("Bearbeiten1", "Steuermodule1"));
  EXPECT_EQ(WindowOf(MainMenu)->SelectedControl(), MenuBarEntry("Bearbeiten1"));
  // A letter in the open menu runs its entry ("&Neu..." is not here; "Module" has no accelerator,
  // "Tagesuhren" neither): Down and Enter run the selected one.
  Events.clear();
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  EXPECT_TRUE(ChainClosed());
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back(), "OnClick:Displaybearbeiten");
}

TEST_F(BarWindows, AnAcceleratorLetterInsideAMenuRunsItsUniqueEntry) {
  Key(Qt::Key_P, Qt::AltModifier);
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  Events.clear();
  Key(Qt::Key_B);  // "&Beenden"
  EXPECT_TRUE(ChainClosed());
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back(), "OnClick:Beenden1");
}

TEST_F(BarWindows, EscClosesOnlyTheInnermostMenu) {
  OpenProjekt();
  ClickControl(*InMenu("Datei1", "Informationen1"));
  ASSERT_NE(MenuOf("Informationen1"), nullptr);
  Key(Qt::Key_Escape);
  EXPECT_EQ(MenuOf("Informationen1"), nullptr);
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), MenuOf("Datei1"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  // The menu bar stays in menu mode with its entry selected; a third Esc leaves it.
  EXPECT_EQ(TzbBarControl::MenuModeBar(), WindowOf(MainMenu));
  EXPECT_EQ(WindowOf(MainMenu)->SelectedControl(), MenuBarEntry("Datei1"));
  Key(Qt::Key_Escape);
  EXPECT_TRUE(ChainClosed());
}

TEST_F(BarWindows, LeftAndRightInAMenuOpenTheNeighbouringMenus) {
  OpenProjekt();
  Key(Qt::Key_Right);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  ASSERT_NE(MenuOf("Bearbeiten1"), nullptr);
  Key(Qt::Key_Left);
  EXPECT_EQ(MenuOf("Bearbeiten1"), nullptr);
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  // Left from the first entry wraps to the last one.
  Key(Qt::Key_Left);
  EXPECT_NE(MenuOf("Hilfe1"), nullptr);
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
  EXPECT_TRUE(ChainClosed());
}

TEST_F(BarWindows, HoveringTheMenuBarWhileAMenuIsOpenSwitchesMenusAtOnce) {
  OpenProjekt();
  MoveToControl(*MenuBarEntry("Steuermodul1"));
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_NE(MenuOf("Steuermodul1"), nullptr);
}

TEST_F(BarWindows, ShortcutsRunTheirItemsWithoutMenus) {
  Events.clear();
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  Events.clear();
  Key(Qt::Key_S, Qt::ControlModifier);  // disabled
  EXPECT_TRUE(Events.empty());
}

TEST_F(BarWindows, AToolbarButtonFiresOnReleaseOverIt) {
  TzbBarItemControl* neu = ControlIn(WindowOf(Toolbars[0]), "Neu1");
  ASSERT_NE(neu, nullptr);
  Events.clear();
  Press(CenterOf(*neu));
  EXPECT_TRUE(neu->Pressed);
  Release(CenterOf(*neu));
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  EXPECT_TRUE(ChainClosed());
  // Released elsewhere: nothing runs.
  Events.clear();
  Press(CenterOf(*neu));
  Move(Client->mapToGlobal(QPoint(200, 200)));
  Release(Client->mapToGlobal(QPoint(200, 200)));
  EXPECT_TRUE(Events.empty());
  EXPECT_TRUE(ChainClosed());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The open "&Projekt" menu of the demo form as the XP painter draws it: frame, image column,
// glyphs, captions, shortcut texts, the separators, the disabled entries and the arrows of the two
// sub-menus. Recipe: produced by this test with ZYN_UPDATE_GOLDEN=1 on the offscreen platform with
// the DejaVu Sans font of the build machine and reviewed by eye (see data/README.md).
TEST_F(BarWindows, AnOpenMenuLooksAsTheXPPainterDrawsIt) {
  TzbBarSubMenuControl* menu = OpenProjekt();
  ASSERT_NE(menu, nullptr);
  menu->Invalidate();
  menu->Flush();
  test::CompareWithGolden(menu->Buffer(), QStringLiteral("xp_open_menu"));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

class LongMenu : public BarWindows {
 protected:
  void SetUp() override { AddLongMenu(); }
};

TEST_F(LongMenu, AMenuHigherThanTheScreenStaysInTheWorkAreaAndScrolls) {
  ClickControl(*MenuBarEntry("Lang"));
  TzbBarSubMenuControl* menu = MenuOf("Lang");
  ASSERT_NE(menu, nullptr);
  const TRect area = MonitorWorkArea(menu->WindowRect().TopLeft());
  EXPECT_LE(menu->WindowRect().Bottom, area.Bottom);
  EXPECT_FALSE(menu->UpArrowShown());
  ASSERT_TRUE(menu->DownArrowShown());
  EXPECT_EQ(ControlIn(menu, "Eintrag59")->Link().ItemRect, TRect{});
  // Resting on the down arrow scrolls one entry per tick.
  const TRect down = menu->DownArrowRect();
  const TPoint at = menu->ClientToScreen(Point(down.Left + 20, down.Top + down.Height() / 2));
  Move(QPoint(at.X, at.Y));
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->TopIndex() >= 2; }));
  EXPECT_TRUE(menu->UpArrowShown());
  Move(Client->mapToGlobal(QPoint(500, 300)));
  // End selects the last entry and scrolls it into view.
  Key(Qt::Key_End);
  TzbBarItemControl* last = ControlIn(menu, "Eintrag59");
  EXPECT_EQ(menu->SelectedControl(), last);
  EXPECT_FALSE(IsRectEmpty(last->Link().ItemRect));
  EXPECT_FALSE(menu->DownArrowShown());
  Key(Qt::Key_Home);
  EXPECT_EQ(menu->TopIndex(), 0);
  EXPECT_FALSE(IsRectEmpty(ControlIn(menu, "Eintrag0")->Link().ItemRect));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, CtrlTabMovesMenuModeToTheNextBar) {
  Key(Qt::Key_Alt);
  ASSERT_EQ(TzbBarControl::MenuModeBar(), WindowOf(MainMenu));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(TzbBarControl::MenuModeBar(), WindowOf(Toolbars[0]));
  EXPECT_EQ(WindowOf(Toolbars[0])->SelectedControl(), ControlIn(WindowOf(Toolbars[0]), "Neu1"));
  EXPECT_EQ(WindowOf(MainMenu)->SelectedControl(), nullptr);
  // Enter runs the selected toolbar button.
  Events.clear();
  Key(Qt::Key_Return);
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  EXPECT_TRUE(ChainClosed());
}

TEST(BarScreenLifetime, AManagerDestroyedBeforeItsScreenLeavesNothingBehind) {
  BarDemoWindow demo;
  demo.ClickControl(*demo.MenuBarEntry("Datei1"));
  ASSERT_NE(demo.MenuOf("Datei1"), nullptr);
  demo.Manager.reset();
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  demo.Key(Qt::Key_Alt);  // the input filter no longer reaches the manager
  demo.Click(demo.Form.mapToGlobal(QPoint(100, 100)));
  demo.Screen.reset();
  QApplication::processEvents();
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, TheRecentFilesListShowsItsEntriesInPlaceAndReportsTheClickedOne) {
  OpenProjekt();
  ClickControl(*InMenu("Datei1", "NOpen"));
  TzbBarSubMenuControl* menu = MenuOf("NOpen");
  ASSERT_NE(menu, nullptr);
  // Two entries, then the plain button; the list's own link takes no place.
  std::vector<TzbBarItemLink*> laidOut;
  for (TzbBarItemLink* link : menu->ItemLinks().ShownLinks())
    if (!IsRectEmpty(link->ItemRect)) laidOut.push_back(link);
  ASSERT_EQ(laidOut.size(), 3u);
  EXPECT_EQ(laidOut[2]->Item()->Name, "Zuletzt1");
  auto* mru = static_cast<TzbBarMRUListItem*>(Item("MRU"));
  Events.clear();
  ClickControl(*laidOut[1]->Control());
  EXPECT_TRUE(ChainClosed());
  EXPECT_EQ(mru->ItemIndex, 1);
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back(), "OnClick:MRU");
  // Closing the menu took the entries out again.
  EXPECT_EQ(SubItemLinksOf(*Item("NOpen"))->Count(), 2);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, ARightClickOutsideTheOpenMenusClosesThem) {
  OpenProjekt();
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  Click(Client->mapToGlobal(QPoint(300, 200)), Qt::RightButton);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

class PersonalizedMenus : public BarWindows {
 protected:
  void SetUp() override {
    Manager->MenusShowRecentItemsFirst = true;
    TCustomzbBarControl::MenusExpanded() = false;
    TzbBarItemLinks& links = SubItemLinksOf(*Item("Bearbeiten1"))[0];
    for (int i = 0; i < links.Count(); ++i) links.Items(i)->UseCount = 0;
    for (int n = 0; n < 10; ++n) {
      links.Items(0)->UseLink(true);
      links.Items(1)->UseLink(true);
    }
  }
};

TEST_F(PersonalizedMenus, AMenuShowsItsRecentlyUsedEntriesUntilItIsExpanded) {
  ClickControl(*MenuBarEntry("Bearbeiten1"));
  TzbBarSubMenuControl* menu = MenuOf("Bearbeiten1");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->ItemLinks().ShownLinks().size(), 2u);
  ASSERT_TRUE(menu->ShowsExpandButton());
  const TRect button = menu->ExpandButtonRect();
  ASSERT_FALSE(IsRectEmpty(button));
  const int heightBefore = menu->WindowRect().Height();
  const TPoint at = menu->ClientToScreen(Point((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2));
  Click(QPoint(at.X, at.Y));
  EXPECT_EQ(menu->ItemLinks().ShownLinks().size(), menu->ItemLinks().VisibleLinks().size());
  EXPECT_FALSE(menu->ShowsExpandButton());
  EXPECT_GT(menu->WindowRect().Height(), heightBefore);
  // The rarely used entries are marked as such; the used ones are not.
  EXPECT_FALSE(ControlIn(menu, "Steuermodule1")->NonRecent);
  EXPECT_TRUE(ControlIn(menu, "Merker1")->NonRecent);
  EXPECT_TRUE(TCustomzbBarControl::MenusExpanded());
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
}

TEST_F(PersonalizedMenus, RestingOnTheExpandButtonExpandsTheMenu) {
  ClickControl(*MenuBarEntry("Bearbeiten1"));
  TzbBarSubMenuControl* menu = MenuOf("Bearbeiten1");
  ASSERT_TRUE(menu && menu->ShowsExpandButton());
  const TRect button = menu->ExpandButtonRect();
  const TPoint at = menu->ClientToScreen(Point((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2));
  Move(QPoint(at.X, at.Y));
  EXPECT_TRUE(menu->ExpandButtonHot());
  EXPECT_TRUE(menu->ShowsExpandButton());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->ShowsExpandButton(); }));
  EXPECT_EQ(menu->ItemLinks().ShownLinks().size(), menu->ItemLinks().VisibleLinks().size());
}

TEST_F(PersonalizedMenus, CtrlDownExpandsTheMenu) {
  Key(Qt::Key_K, Qt::AltModifier);
  TzbBarSubMenuControl* menu = MenuOf("Bearbeiten1");
  ASSERT_TRUE(menu && menu->ShowsExpandButton());
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_FALSE(menu->ShowsExpandButton());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, MenusCloseWhenTheApplicationLosesTheActivation) {
  OpenProjekt();
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  // With the pointer on the open menu the activation went to that menu (a window manager whose
  // focus follows the pointer): the menus stay.
  const TRect menu = MenuOf("Datei1")->WindowRect();
  QCursor::setPos(menu.Left + menu.Width() / 2, menu.Top + menu.Height() / 2);
  emit static_cast<QGuiApplication*>(QCoreApplication::instance())->applicationStateChanged(Qt::ApplicationInactive);
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  // Elsewhere another program came to the front: they close.
  QCursor::setPos(menu.Right + 300, menu.Bottom + 300);
  emit static_cast<QGuiApplication*>(QCoreApplication::instance())->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_EQ(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(ChainClosed());
  EXPECT_EQ(TzbBarControl::MenuModeBar(), nullptr);
}

TEST_F(BarWindows, ACheckButtonTogglesOnceForEachClickWhereverItIsClicked) {
  auto* inhalt = dynamic_cast<TzbBarButton*>(Item("Inhalt1"));
  ASSERT_NE(inhalt, nullptr);
  inhalt->SetButtonStyle(bsChecked);
  TzbBarItemControl* onBar = ControlIn(WindowOf(Toolbars[3]), "Inhalt1");
  ASSERT_NE(onBar, nullptr);
  Events.clear();
  ClickControl(*onBar);
  EXPECT_TRUE(inhalt->Down());
  ClickControl(*onBar);
  EXPECT_FALSE(inhalt->Down());
  // The same item in the "Hilfe" menu, by mouse and by keyboard.
  ClickControl(*MenuBarEntry("Hilfe1"));
  ClickControl(*ControlIn(MenuOf("Hilfe1"), "Inhalt1"));
  EXPECT_TRUE(ChainClosed());
  EXPECT_TRUE(inhalt->Down());
  Key(Qt::Key_H, Qt::AltModifier);
  ASSERT_NE(MenuOf("Hilfe1"), nullptr);
  ASSERT_EQ(MenuOf("Hilfe1")->SelectedControl(), ControlIn(MenuOf("Hilfe1"), "Inhalt1"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(ChainClosed());
  EXPECT_FALSE(inhalt->Down());
  EXPECT_EQ(std::count(Events.begin(), Events.end(), "OnClick:Inhalt1"), 4);
}

TEST_F(BarWindows, AnOverfullRowKeepsItsToolbarsWhereTheyWereAndCutsTheOneRunningPastTheEnd) {
  TzbDockControl* top = Screen->Dock(dsTop);
  int sumMax = 0;
  for (TzbBar* bar : Toolbars) {
    const TRect nc = WindowOf(bar)->NonClientSizes(dsTop);
    sumMax += WindowOf(bar)->GetMaxWidth(dsTop) + nc.Left + nc.Right;
  }
  for (const int shortBy : {1, 20, 60}) {
    SCOPED_TRACE(shortBy);
    Form.resize(sumMax - shortBy, Form.height());
    QApplication::processEvents();
    std::vector<TRect> r;
    for (int i = 0; i < top->CountInRow(1); ++i) {
      const QRect g = top->WindowAt(1, i)->Widget()->geometry();
      r.push_back(Bounds(g.x(), g.y(), g.width(), g.height()));
    }
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r.front().Left, 0);
    for (std::size_t i = 1; i < r.size(); ++i) EXPECT_EQ(r[i].Left, r[i - 1].Right) << i;  // no gap, no overlap
    EXPECT_EQ(r.back().Right, top->Widget()->width());
    EXPECT_TRUE(top->WindowAt(1, 4)->Truncated());
    for (int i = 0; i < 4; ++i) {
      EXPECT_FALSE(top->WindowAt(1, i)->Truncated()) << i;
      const TRect nc = top->WindowAt(1, i)->NonClientSizes(dsTop);
      EXPECT_EQ(r[i].Width(), top->WindowAt(1, i)->GetMaxWidth(dsTop) + nc.Left + nc.Right) << i;
    }
  }
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The menu bar with its open "&Projekt" menu, "&Neu..." hot, as the screen shows them: drawn with
// text, so that a caption drawn in the wrong colour shows in the golden image and in the contrast
// rule.
class MenusWithText : public BarWindows, public ::testing::WithParamInterface<TzbBarManagerStyle> {
 protected:
  void SetUp() override {
    Manager->SetStyle(GetParam());
    QApplication::processEvents();
    Screen->LayoutForm();
  }
  void TearDown() override {
    if (fPaletteChanged) {
      QApplication::setPalette(fSaved);
      Manager->StyleChanged();
    }
  }
  void UseDarkPalette() {
    fSaved = QApplication::palette();
    fPaletteChanged = true;
    QPalette dark;
    const QColor face(0x35, 0x35, 0x35), text(0xF0, 0xF0, 0xF0);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Midlight}) dark.setColor(role, face);
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) dark.setColor(role, text);
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Highlight, QColor(0x1A, 0x5F, 0xB4));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(dark);
    Manager->StyleChanged();
    QApplication::processEvents();
  }
  // Opens the menu, makes "&Neu..." hot and draws both windows into one picture.
  QImage Picture() {
    TzbBarSubMenuControl* menu = OpenProjekt();
    EXPECT_NE(menu, nullptr);
    if (!menu) return QImage();
    MoveToControl(*InMenu("Datei1", "Neu1"));
    TzbBarControl* bar = WindowOf(MainMenu);
    for (TCustomzbBarControl* w : {static_cast<TCustomzbBarControl*>(bar), static_cast<TCustomzbBarControl*>(menu)}) {
      w->Invalidate();
      w->Flush();
    }
    fBarRect = bar->WindowRect();
    fMenuRect = menu->WindowRect();
    const int width = std::max(fMenuRect.Right - fBarRect.Left + 8, fBarRect.Width());
    QImage picture(width, fBarRect.Height() + fMenuRect.Height() + 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.drawImage(0, 0, bar->Buffer(), 0, 0, width, fBarRect.Height());
    p.drawImage(fMenuRect.Left - fBarRect.Left, fBarRect.Height(), menu->Buffer());
    return picture;
  }
  // The caption part of a control in the picture (for menu entries: right of the image column).
  QRect CaptionArea(const TzbBarItemControl& c) const {
    const TRect s = ScreenRectOf(c);
    const bool inMenu = c.Parent().IsMenu();
    QRect r(s.Left - fBarRect.Left,
            s.Top - fBarRect.Top + (inMenu ? fBarRect.Height() - (fMenuRect.Top - fBarRect.Top) : 0), s.Width(),
            s.Height());
    if (inMenu) r.setLeft(r.left() + s.Height() + 8);
    return r.adjusted(1, 2, -1, -2);
  }
  void ExpectReadable(const QImage& picture) {
    const struct {
      const char* Name;
      bool OnBar;
    } captions[] = {{"Datei1", true}, {"Bearbeiten1", true}, {"Hilfe1", true}, {"Neu1", false}, {"Beenden1", false}};
    for (const auto& c : captions) {
      TzbBarItemControl* control = c.OnBar ? MenuBarEntry(c.Name) : InMenu("Datei1", c.Name);
      ASSERT_NE(control, nullptr) << c.Name;
      EXPECT_GE(test::TextContrast(picture, CaptionArea(*control)), 4.5) << c.Name;
    }
  }

  TRect fBarRect, fMenuRect;

 private:
  QPalette fSaved;
  bool fPaletteChanged = false;
};

TEST_P(MenusWithText, TheOpenMenuAndTheMenuBarLookAsTheGoldenImageAndTheirCaptionsStandOut) {
  const QImage picture = Picture();
  ASSERT_FALSE(picture.isNull());
  ExpectReadable(picture);
  test::CompareWithGolden(picture, GetParam() == bmsXP         ? QStringLiteral("xp_menu_with_text")
                                   : GetParam() == bmsOffice11 ? QStringLiteral("office11_menu_with_text")
                                                               : QStringLiteral("flat_menu_with_text"));
}

TEST_P(MenusWithText, WithADarkDesktopPaletteEveryCaptionStaysReadable) {
  UseDarkPalette();
  const QImage picture = Picture();
  ASSERT_FALSE(picture.isNull());
  ExpectReadable(picture);
}

INSTANTIATE_TEST_SUITE_P(Painters, MenusWithText, ::testing::Values(bmsXP, bmsFlat, bmsOffice11),
                         [](const ::testing::TestParamInfo<TzbBarManagerStyle>& info) {
                           return std::string(info.param == bmsXP ? "XP" : info.param == bmsFlat ? "Flat" : "Office11");
                         });

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, AnOpenSplitButtonInTheFlatLookSharesOneFrameWithItsMenuAndShowsItsArrow) {
  Manager->SetStyle(bmsFlat);
  QApplication::processEvents();
  auto* split = Manager->CreateItem<TzbBarButton>();
  split->Name = "Teilen";
  split->SetCaption("Teilen");
  split->SetImageIndex(0);
  split->SetButtonStyle(bsDropDown);
  TzbBarItemLinks menuLinks(*Manager, TzbBarItemLinks::okPopupMenu, nullptr, nullptr);
  menuLinks.Add()->SetItem(Item("Neu1"));
  menuLinks.Add()->SetItem(Item("Beenden1"));
  split->DropDownMenu = &menuLinks;
  TzbBar* hilfe = Toolbars[3];
  hilfe->ItemLinks().Add()->SetItem(split);
  QApplication::processEvents();
  TzbBarControl* bar = WindowOf(hilfe);
  TzbBarItemControl* control = ControlIn(bar, "Teilen");
  ASSERT_NE(control, nullptr);
  const TRect r = bar->GetItemRect(control);
  // A press on the arrow part opens the menu below the button.
  const QPoint onArrow(ScreenRectOf(*control).Right - 4, CenterOf(*control).y());
  Move(onArrow);
  Press(onArrow);
  ASSERT_NE(menuLinks.BarControl(), nullptr);
  bar->Invalidate();
  bar->Flush();
  const TRect client = bar->ClientRect();
  const QImage image =
      bar->Buffer().copy(ToQRect(client).translated(bar->ClientInsets().Left, bar->ClientInsets().Top));
  const QColor frame = ToQColor(Manager->BrushColor(1));
  const QColor light = ToQColor(Manager->BrushColor(2));
  // One frame around button and arrow: its top row and its right column have the frame colour ...
  for (int x : {r.Left + 2, (r.Left + r.Right) / 2, r.Right - 3}) EXPECT_EQ(image.pixelColor(x, r.Top), frame) << x;
  EXPECT_EQ(image.pixelColor(r.Right - 1, (r.Top + r.Bottom) / 2), frame);
  // ... the bottom row is open where the menu joins it, and nothing divides button and arrow part.
  EXPECT_EQ(image.pixelColor((r.Left + r.Right) / 2, r.Bottom - 1), light);
  const int arrowLeft = r.Right - static_cast<TzbBarButtonControl*>(control)->GetDropDownWidth();
  EXPECT_EQ(image.pixelColor(arrowLeft - 1, r.Top + 2), light);
  // The arrow stands out on the light face.
  EXPECT_GE(test::TextContrast(image, QRect(arrowLeft, r.Top + 1, r.Right - 1 - arrowLeft, r.Height() - 2)), 4.5);
  Key(Qt::Key_Escape);
  QApplication::processEvents();
  split->DropDownMenu = nullptr;
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarWindows, MenusSoundWhenTheyOpenAndWhenAnEntryRunsButToolbarButtonsDoNot) {
  std::vector<std::string> played;
  SetBarSoundPlayer([&](const char* alias) { played.emplace_back(alias); });
  OpenProjekt();
  EXPECT_EQ(played, (std::vector<std::string>{"MenuPopup"}));
  ClickControl(*InMenu("Datei1", "Neu1"));
  EXPECT_EQ(played, (std::vector<std::string>{"MenuPopup", "MenuCommand"}));
  ClickControl(*ControlIn(WindowOf(Toolbars[3]), "Inhalt1"));
  EXPECT_EQ(played.size(), 2u);
  SetBarSoundPlayer(nullptr);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(PersonalizedMenus, AnotherSelectionRestartsTheDelayWhichThenOnlyOffersTheExpandButton) {
  const int saved = TzbBarSubMenuControl::ExpandDelay;
  TzbBarSubMenuControl::ExpandDelay = 300;
  ClickControl(*MenuBarEntry("Bearbeiten1"));
  TzbBarSubMenuControl* menu = MenuOf("Bearbeiten1");
  ASSERT_TRUE(menu && menu->ShowsExpandButton());
  // A timer of the same delay started now runs out just after the delay the opening started.
  QTimer firstStart;
  firstStart.setSingleShot(true);
  firstStart.start(TzbBarSubMenuControl::ExpandDelay);
  // The selection restarts the delay (longer now, so that the two ends lie well apart).
  TzbBarSubMenuControl::ExpandDelay = 600;
  MoveToControl(*ControlIn(menu, "Displaybearbeiten"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !firstStart.isActive(); }));  // past the first start, not past the restart
  EXPECT_TRUE(menu->ShowsExpandButton());
  EXPECT_FALSE(menu->ExpandButtonHot());
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->ExpandButtonHot(); }, 2000));
  EXPECT_TRUE(menu->ShowsExpandButton());  // offered, not expanded
  TzbBarSubMenuControl::ExpandDelay = saved;
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
}

TEST_F(PersonalizedMenus, TheAcceleratorOfAHiddenEntryShowsTheWholeMenuAndRunsIt) {
  TzbBarItemLinks& links = SubItemLinksOf(*Item("Datei1"))[0];
  for (int i = 0; i < links.Count(); ++i) links.Items(i)->UseCount = 0;
  for (int n = 0; n < 10; ++n) links.Items(0)->UseLink(true);
  ClickControl(*MenuBarEntry("Datei1"));
  TzbBarSubMenuControl* menu = MenuOf("Datei1");
  ASSERT_TRUE(menu && menu->ShowsExpandButton());
  ASSERT_EQ(ControlIn(menu, "Beenden1"), nullptr);  // hidden
  Events.clear();
  Key(Qt::Key_B);
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Beenden1", "OnClick:Beenden1"}));
  EXPECT_TRUE(ChainClosed());
}

}  // namespace
}  // namespace zyn
