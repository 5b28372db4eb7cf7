// Toolbars on the screen of the tests: dragging between the docks and floating, the floating frame
// with its caption, close button and sizing, the row layout of a dock that is too short, wrapping,
// hints, the toolbars popup and the shadows of menus.

#include "BarDemoWindow.h"
#include "platform/MessageDlg.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarQuickControl.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarShadow.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarDocking : public ::testing::Test, public BarDemoWindow {
 protected:
  TzbBar* Hilfe() const { return Toolbars[3]; }
};

TEST_F(BarDocking, AToolbarDraggedByItsGripFloatsAndDocksAtTheBottomAfterTheDockingDelay) {
  TzbDockControl* top = Screen->Dock(dsTop);
  const int topBefore = top->GetRowsSize();
  // Off the docks into the middle of the form: the bar floats at once.
  const QPoint middle = Client->mapToGlobal(QPoint(250, 150));
  Drag(GripOf(Hilfe()), middle);
  EXPECT_TRUE(Screen->Moving());
  EXPECT_EQ(Hilfe()->DockingStyle(), dsNone);
  TzbBarControl* window = WindowOf(Hilfe());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsFloating());
  EXPECT_TRUE(window->Widget()->isWindow());
  EXPECT_TRUE(PtInRect(window->WindowRect(), FromQPoint(middle)));
  Release(middle);
  EXPECT_FALSE(Screen->Moving());
  EXPECT_EQ(top->CountInRow(1), 4);
  EXPECT_EQ(top->GetRowsSize(), topBefore);  // the row keeps its other toolbars
  EXPECT_EQ(Hilfe()->FloatLeft, window->WindowRect().Left);
  EXPECT_EQ(Hilfe()->FloatTop, window->WindowRect().Top);

  // By its caption to the bottom edge of the form: docked once the docking delay ran out.
  const QPoint bottom = Form.mapToGlobal(QPoint(300, Form.height() - 4));
  Drag(CaptionOf(Hilfe()), bottom);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Hilfe()->DockingStyle() == dsBottom; }));
  Release(bottom);
  TzbDockControl* dockBottom = Screen->Dock(dsBottom);
  window = WindowOf(Hilfe());
  EXPECT_EQ(window->DockControl(), dockBottom);
  EXPECT_EQ(dockBottom->RowCount(), 1);
  EXPECT_GT(dockBottom->GetRowsSize(), 0);
  EXPECT_EQ(dockBottom->Widget()->y() + dockBottom->Widget()->height(), Form.height());
  EXPECT_EQ(Client->y() + Client->height(), dockBottom->Widget()->y());
  EXPECT_EQ(Hilfe()->DockedDockingStyle(), dsBottom);
}

TEST_F(BarDocking, CtrlKeepsADraggedBarFloatingOverADock) {
  const QPoint middle = Client->mapToGlobal(QPoint(250, 150));
  Drag(GripOf(Hilfe()), middle);
  Release(middle);
  ASSERT_EQ(Hilfe()->DockingStyle(), dsNone);
  const QPoint from = CaptionOf(Hilfe());
  const QPoint bottom = Form.mapToGlobal(QPoint(300, Form.height() - 4));
  Press(from);
  QTest::keyPress(Form.windowHandle(), Qt::Key_Control);
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(bottom), *Hilfe(), true), nullptr);
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(bottom), *Hilfe(), false), Screen->Dock(dsBottom));
  QTest::keyRelease(Form.windowHandle(), Qt::Key_Control);
  Release(from);
  // The left and right docks are closed to the bars of the main window.
  const QPoint leftEdge = Form.mapToGlobal(QPoint(2, 200));
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(leftEdge), *Hilfe(), false), nullptr);
}

TEST_F(BarDocking, ADraggedBarWhoseEdgeReachesADockZoneDocksWhileThePointerIsStillOutside) {
  const QPoint middle = Client->mapToGlobal(QPoint(250, 150));
  Drag(GripOf(Hilfe()), middle);
  Release(middle);
  ASSERT_EQ(Hilfe()->DockingStyle(), dsNone);
  TzbDockControl* top = Screen->Dock(dsTop);
  const TRect zone = top->GetDockZone();
  const QPoint below((zone.Left + zone.Right) / 2, zone.Bottom + 1);
  // Without a moved bar only the point itself counts.
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(below), *Hilfe(), false), nullptr);
  // The pointer just below the top dock's zone, the bar's top-left corner inside it.
  Drag(CaptionOf(Hilfe()), middle);
  ASSERT_TRUE(Screen->Moving());
  const TPoint offset = Screen->MoveOffset();
  ASSERT_GE(offset.Y, 2);
  EXPECT_FALSE(PtInRect(zone, FromQPoint(below)));
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(below), *Hilfe(), false), top);
  EXPECT_EQ(Screen->FindDockAt(FromQPoint(below), *Hilfe(), true), nullptr);  // Ctrl still keeps it floating
  Move(below);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Hilfe()->DockingStyle() == dsTop; }));
  Release(below);
  EXPECT_EQ(WindowOf(Hilfe())->DockControl(), top);
}

TEST_F(BarDocking, DoubleClickOnTheCaptionDocksAFloatingBarAgainAndOnTheGripFloatsIt) {
  DoubleClick(GripOf(Hilfe()));
  ASSERT_EQ(Hilfe()->DockingStyle(), dsNone);
  ASSERT_TRUE(WindowOf(Hilfe())->IsFloating());
  DoubleClick(CaptionOf(Hilfe()));
  EXPECT_EQ(Hilfe()->DockingStyle(), dsTop);
  EXPECT_EQ(Screen->Dock(dsTop)->RowOf(WindowOf(Hilfe())), 1);
}

TEST_F(BarDocking, ABarThatNeverDockedDocksAloneBelowTheOtherRowsOnADoubleClick) {
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Neu");
  bar->ShowMark = false;
  bar->FloatLeft = Form.x() + 200;
  bar->FloatTop = Form.y() + 200;
  bar->ItemLinks().Add()->SetItem(Item("Neu1"));
  bar->SetVisible(true);
  ASSERT_TRUE(WindowOf(bar) && WindowOf(bar)->IsFloating());
  TzbDockControl* top = Screen->Dock(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  DoubleClick(CaptionOf(bar));
  ASSERT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(top->RowCount(), 3);
  EXPECT_EQ(top->RowOf(WindowOf(bar)), 2);
  EXPECT_EQ(top->CountInRow(2), 1);
  EXPECT_TRUE(bar->OneOnRow);
  EXPECT_EQ(top->WindowAt(0, 0), WindowOf(MainMenu));  // the menu bar stays on top
  EXPECT_EQ(top->CountInRow(1), 5);
  // Floated and docked again, it goes back to its own row.
  DoubleClick(GripOf(bar));
  ASSERT_EQ(bar->DockingStyle(), dsNone);
  DoubleClick(CaptionOf(bar));
  EXPECT_EQ(top->RowOf(WindowOf(bar)), 2);
  EXPECT_EQ(top->WindowAt(0, 0), WindowOf(MainMenu));
}

TEST_F(BarDocking, TheCloseButtonOfTheFloatingCaptionHidesTheBarOnlyWhenReleasedOnIt) {
  DoubleClick(GripOf(Hilfe()));
  TzbBarControl* window = WindowOf(Hilfe());
  ASSERT_TRUE(window && window->IsFloating());
  const TRect w = window->WindowRect();
  const TRect c = window->CloseButtonRect();
  const QPoint close(w.Left + c.Left + c.Width() / 2, w.Top + c.Top + c.Height() / 2);
  const QPoint away(w.Left - 40, w.Top + 100);
  std::vector<std::string> closed;
  Manager->OnBarClose = [&](TzbBarManager&, TzbBar& bar) {
    closed.push_back(bar.Caption() + (bar.Visible() ? " shown" : " hidden"));
  };
  Press(close);
  EXPECT_EQ(window->CaptionButtonState(), 2);
  Move(away);
  Release(away);
  EXPECT_TRUE(Hilfe()->Visible());
  EXPECT_TRUE(closed.empty());
  Click(close);
  EXPECT_FALSE(Hilfe()->Visible());
  EXPECT_EQ(Hilfe()->GetBarControl(), nullptr);
  EXPECT_EQ(closed, std::vector<std::string>{"Hilfe hidden"});
}

TEST_F(BarDocking, SizingAFloatingBarAtItsLeftEdgeKeepsTheRightEdgeAndWraps) {
  TzbBar* bearbeiten = Toolbars[1];
  DoubleClick(GripOf(bearbeiten));
  TzbBarControl* window = WindowOf(bearbeiten);
  ASSERT_TRUE(window && window->IsFloating());
  const TRect before = window->WindowRect();
  const int frame = Manager->PainterClass().GetFloatingFrameWidth();
  const QPoint edge(before.Left + frame / 2, before.Top + before.Height() / 2 + 3);
  Press(edge);
  ASSERT_TRUE(Screen->Sizing());
  const QPoint target(edge.x() + before.Width() / 2, edge.y());
  Move(target);
  Release(target);
  const TRect after = window->WindowRect();
  EXPECT_EQ(after.Right, before.Right);
  EXPECT_LT(after.Width(), before.Width());
  EXPECT_GT(after.Height(), before.Height());  // the items wrapped into more lines
  EXPECT_EQ(bearbeiten->FloatClientWidth, window->ClientRect().Width());
}

TEST_F(BarDocking, AFloatingBarWrapsWholeGroupsIntoTheNextLine) {
  TzbBar* bearbeiten = Toolbars[1];
  const int bw = Manager->ButtonWidth();
  const int sep = Manager->PainterClass().GetToolbarSeparatorSize();
  // Room for the three buttons of the first group and the first of the second group only.
  bearbeiten->FloatClientWidth = 4 * bw + sep;
  bearbeiten->FloatLeft = 200;
  bearbeiten->FloatTop = 200;
  bearbeiten->SetDockingStyle(dsNone);
  TzbBarControl* window = WindowOf(bearbeiten);
  ASSERT_TRUE(window && window->IsFloating());
  TzbBarItemControl* first = ControlIn(window, "Steuermodule1");
  TzbBarItemControl* module = ControlIn(window, "Module1");
  TzbBarItemControl* uhren1 = ControlIn(window, "Uhren1");
  TzbBarItemControl* uhren3 = ControlIn(window, "Uhren3");
  ASSERT_TRUE(first && module && uhren1 && uhren3);
  EXPECT_EQ(module->Link().ItemRect.Top, first->Link().ItemRect.Top);
  EXPECT_TRUE(uhren1->StartsLine);
  EXPECT_GT(uhren1->Link().ItemRect.Top, first->Link().ItemRect.Bottom - 1);
  EXPECT_EQ(uhren1->Link().ItemRect.Left, 0);
  EXPECT_EQ(uhren3->Link().ItemRect.Top, uhren1->Link().ItemRect.Top);
}

TEST_F(BarDocking, AToolbarCutByATooShortRowShowsItsMostRecentlyUsedLinks) {
  // The last toolbar of the row is the one a narrower form cuts.
  TzbBar* programmier = Toolbars[4];
  TzbBarControl* window = WindowOf(programmier);
  // Use the last button of the bar, then make the row too short for all of its buttons.
  TzbBarItemControl* por = ControlIn(window, "POR1");
  ASSERT_NE(por, nullptr);
  TzbBarItemLink* porLink = &por->Link();
  ClickControl(*por);
  int others = 0;
  for (std::size_t i = 0; i + 1 < Toolbars.size(); ++i) {
    TzbBarControl* w = WindowOf(Toolbars[i]);
    const TRect nc = w->NonClientSizes(dsTop);
    others += w->GetMaxWidth(dsTop) + nc.Left + nc.Right;
  }
  const TRect nc = window->NonClientSizes(dsTop);
  Form.resize(others + nc.Left + nc.Right + 2 * Manager->ButtonWidth() + 8, Form.height());
  QApplication::processEvents();
  window = WindowOf(programmier);
  const auto& shown = programmier->ItemLinks().ShownLinks();
  EXPECT_TRUE(window->Truncated());
  EXPECT_LT(shown.size(), programmier->ItemLinks().VisibleLinks().size());
  ASSERT_FALSE(shown.empty());
  EXPECT_NE(std::find(shown.begin(), shown.end(), porLink), shown.end());
  // The other toolbars keep their full length.
  for (std::size_t i = 0; i + 1 < Toolbars.size(); ++i) EXPECT_FALSE(WindowOf(Toolbars[i])->Truncated());
  // Wide again: every link shows.
  Form.resize(900, Form.height());
  QApplication::processEvents();
  EXPECT_EQ(programmier->ItemLinks().ShownLinks().size(), programmier->ItemLinks().VisibleLinks().size());
  EXPECT_FALSE(WindowOf(programmier)->Truncated());
}

TEST_F(BarDocking, AButtonsHintShowsAfterTheDelayBelowTheCursorAndHidesAgain) {
  TzbBarItemControl* inhalt = ControlIn(WindowOf(Hilfe()), "Inhalt1");
  ASSERT_NE(inhalt, nullptr);
  const QPoint at = CenterOf(*inhalt);
  Move(at);
  EXPECT_EQ(BarHintWindow(), nullptr);
  ASSERT_TRUE(QTest::qWaitFor([] { return BarHintWindow() != nullptr; }));
  EXPECT_EQ(BarHintText(), "Inhalt der Hilfe");
  EXPECT_EQ(BarHintWindow()->y(), at.y() + 20);
  EXPECT_TRUE(BarHintWindow()->testAttribute(Qt::WA_ShowWithoutActivating));
  // The next button (its hint is its caption) shows its hint at once, within the grace after the
  // first one was hidden.
  const QPoint next = CenterOf(*ControlIn(WindowOf(Toolbars[0]), "Neu1"));
  Move(next);
  ASSERT_NE(BarHintWindow(), nullptr);
  EXPECT_EQ(BarHintText(), "Neu");
  // Off the bars: hidden.
  Move(Client->mapToGlobal(QPoint(300, 200)));
  EXPECT_EQ(BarHintWindow(), nullptr);
}

TEST_F(BarDocking, TheToolbarsPopupListsTheToolbarsAndTogglesThem) {
  int told = -1;
  Manager->OnShowToolbarsPopup = [&](TzbBarManager&, TzbBarItemLinks& links) { told = links.Count(); };
  Press(GripOf(Toolbars[2]), Qt::RightButton);
  Release(GripOf(Toolbars[2]), Qt::RightButton);
  TzbBarItemLinks* links = Screen->ToolbarsPopupLinks();
  ASSERT_NE(links, nullptr);
  auto* popup = dynamic_cast<TzbBarSubMenuControl*>(links->BarControl());
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(links->Count(), 5);  // not the main menu bar, no "Customize" entry
  EXPECT_EQ(told, 5);             // the handler saw the filled popup
  for (int i = 0; i < 5; ++i) {
    auto* button = static_cast<TzbBarButton*>(links->Items(i)->Item());
    EXPECT_EQ(button->Caption(), Toolbars[i]->Caption());
    EXPECT_TRUE(button->Down());
  }
  // Without an owner item the shadow has the strip below and the strip at the right.
  const auto& parts = popup->Shadow().Parts();
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].Kind, 0);
  EXPECT_EQ(parts[0].Corners, 1u | 2u);
  EXPECT_EQ(parts[1].Kind, 1);
  EXPECT_EQ(parts[1].Corners, 4u);
  EXPECT_EQ(parts[0].Bounds.Top, popup->WindowRect().Bottom);
  EXPECT_EQ(parts[1].Bounds.Left, popup->WindowRect().Right);
  ClickControl(*links->Items(3)->Control());
  EXPECT_FALSE(Hilfe()->Visible());
  EXPECT_EQ(links->BarControl(), nullptr);
}

TEST_F(BarDocking, AMenuDroppedFromAWideEntryCastsAShadowUnderThePartThatSticksOut) {
  TzbBarItemControl* entry = MenuBarEntry("Datei1");
  ClickControl(*entry);
  TzbBarSubMenuControl* menu = MenuOf("Datei1");
  ASSERT_NE(menu, nullptr);
  // The entry is narrower than the menu: a strip right of the entry and the strips of the menu.
  const TRect e = ScreenRectOf(*entry);
  const auto& parts = menu->Shadow().Parts();
  ASSERT_FALSE(parts.empty());
  EXPECT_EQ(parts[0].Kind, 1);
  EXPECT_EQ(parts[0].Bounds.Left, e.Right);
  const int s = TzbBarShadow::GetShadowSize();
  EXPECT_EQ(parts[0].Bounds.Top, e.Top + s);
}

TEST(BarShadowImage, StripsFadeFromTheWindowAndAtTheirEnds) {
  test::EnsureApplication();
  if (TzbBarShadow::GetShadowSize() != 4) GTEST_SKIP() << "a screen of 8 bits per pixel draws solid shadows";
  TzbBarShadowPartInfo strip{0, 0, Bounds(0, 0, 20, 4)};
  const QImage plain = TzbBarShadow::PartImage(strip);
  EXPECT_EQ(qAlpha(plain.pixel(10, 0)), 60);
  EXPECT_EQ(qAlpha(plain.pixel(10, 1)), 45);
  EXPECT_EQ(qAlpha(plain.pixel(10, 2)), 30);
  EXPECT_EQ(qAlpha(plain.pixel(10, 3)), 15);
  strip.Corners = 1;
  const QImage faded = TzbBarShadow::PartImage(strip);
  EXPECT_EQ(qAlpha(faded.pixel(0, 0)), 12);  // 60 * 1 / 5
  EXPECT_EQ(qAlpha(faded.pixel(3, 0)), 48);  // 60 * 4 / 5
  EXPECT_EQ(qAlpha(faded.pixel(4, 0)), 60);
  TzbBarShadowPartInfo side{1, 4, Bounds(0, 0, 4, 20)};
  const QImage vertical = TzbBarShadow::PartImage(side);
  EXPECT_EQ(qAlpha(vertical.pixel(0, 10)), 60);
  EXPECT_EQ(qAlpha(vertical.pixel(0, 0)), 12);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, ABarDockedAtTheLeftStacksItsButtonsDownwards) {
  Manager->NotDocking = 0;
  TzbBar* datei = Toolbars[0];
  datei->SetDockingStyle(dsLeft);
  TzbBarControl* window = WindowOf(datei);
  ASSERT_TRUE(window && window->IsVertical());
  TzbDockControl* left = Screen->Dock(dsLeft);
  EXPECT_EQ(left->RowOf(window), 0);
  EXPECT_GT(left->GetRowsSize(), 0);
  EXPECT_EQ(Client->x(), left->GetRowsSize());
  TzbBarItemControl* neu = ControlIn(window, "Neu1");
  TzbBarItemControl* oeffnen = ControlIn(window, "ffnen1");
  ASSERT_TRUE(neu && oeffnen);
  EXPECT_EQ(neu->Link().ItemRect.Left, oeffnen->Link().ItemRect.Left);
  EXPECT_GE(oeffnen->Link().ItemRect.Top, neu->Link().ItemRect.Bottom);
  // The arrow keys turn: Down moves to the next button.
  ClickControl(*neu);
  Key(Qt::Key_Alt);
  Key(Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_EQ(TzbBarControl::MenuModeBar(), window);
  Key(Qt::Key_Down);
  EXPECT_EQ(window->SelectedControl(), oeffnen);
  Key(Qt::Key_Escape);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, ARowFarBeyondTheExistingRowsBecomesANewLastRow) {
  TzbBar* hilfe = Hilfe();
  hilfe->SetVisible(false);
  hilfe->SetRow(1000000000);
  hilfe->SetVisible(true);
  TzbDockControl* top = Screen->Dock(dsTop);
  EXPECT_EQ(top->RowCount(), 3);
  EXPECT_EQ(top->RowOf(WindowOf(hilfe)), 2);
  EXPECT_EQ(hilfe->Row(), 2);  // the bar takes the row it really got
}

TEST(BarUsage, StoredUseCountsBelowZeroCountAsUnused) {
  test::BarsFixture f;
  TzbBar* bar = f.manager->Bars().Add();
  auto* item = f.manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* link = bar->ItemLinks().Add();
  link->SetItem(item);
  link->LoadedUseCount = -7;
  link->LoadedRecentIndex = 0;
  bar->ItemLinks().ApplyLoadedState(false);
  EXPECT_EQ(link->UseCount, 0);
  EXPECT_EQ(bar->ItemLinks().CalcRecentCount(), -1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, TheMarkOfACutToolbarOffersItsHiddenButtonsAndTheirVisibility) {
  TzbBar* datei = Toolbars[4];  // the last of the row: a narrower form cuts it
  datei->ShowMark = true;
  int others = 0;
  for (std::size_t i = 0; i + 1 < Toolbars.size(); ++i) {
    TzbBarControl* w = WindowOf(Toolbars[i]);
    const TRect nc = w->NonClientSizes(dsTop);
    others += w->GetMaxWidth(dsTop) + nc.Left + nc.Right;
  }
  Form.resize(others + 80, Form.height());
  QApplication::processEvents();
  TzbBarControl* window = WindowOf(datei);
  ASSERT_TRUE(window->Truncated());
  ASSERT_TRUE(window->MarkExists());
  const TRect m = window->MarkRect();
  ASSERT_FALSE(IsRectEmpty(m));
  const TRect w = window->WindowRect();
  const QPoint onMark(w.Left + (m.Left + m.Right) / 2, w.Top + (m.Top + m.Bottom) / 2);
  Move(onMark);
  EXPECT_EQ(window->QuickButtonState(), 1);
  Click(onMark);
  EXPECT_EQ(window->QuickButtonState(), 2);
  TzbBarItemLinks* quick = window->QuickLinks();
  ASSERT_NE(quick, nullptr);
  ASSERT_NE(dynamic_cast<TzbBarQuickControl*>(quick->BarControl()), nullptr);
  // Copies of the buttons that did not fit, in their order, then "&Add or Remove Buttons".
  std::vector<TzbBarItemLink*> cut;
  for (TzbBarItemLink* link : datei->ItemLinks().VisibleLinks())
    if (!link->Control() || IsRectEmpty(link->ItemRect)) cut.push_back(link);
  ASSERT_FALSE(cut.empty());
  ASSERT_EQ(static_cast<std::size_t>(quick->Count()), cut.size() + 1);
  for (std::size_t i = 0; i < cut.size(); ++i) {
    EXPECT_EQ(quick->Items(static_cast<int>(i))->SourceLink, cut[i]);
    EXPECT_EQ(quick->Items(static_cast<int>(i))->Item(), cut[i]->Item());
  }
  EXPECT_EQ(quick->Items(quick->Count() - 1)->Item(), window->AddRemoveItem());
  EXPECT_TRUE(quick->Items(quick->Count() - 1)->GetBeginGroup());
  EXPECT_TRUE(window->AddRemoveItem()->GetEnabled());
  // A hidden button runs from the quick-customization window.
  TzbBarItemLink* copy = quick->Items(0);
  ASSERT_NE(copy->SourceLink, nullptr);
  const std::string name = copy->Item()->Name;
  ClickControl(*quick->Items(quick->Count() - 1)->Control());  // "&Add or Remove Buttons"
  TzbBarItemLinks& entries = window->AddRemoveItem()->ItemLinks();
  const int count = datei->ItemLinks().Count();
  ASSERT_EQ(entries.Count(), count + 1);  // one entry per button, then "&Reset Toolbar"
  EXPECT_EQ(entries.Items(count)->Item()->Caption(), "&Reset Toolbar");
  ASSERT_NE(entries.BarControl(), nullptr);
  // Unticking the last entry hides that button on the toolbar; the window stays open.
  auto* last = dynamic_cast<TzbBarQuickCustItemControl*>(entries.Items(count - 1)->Control());
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->OwnerLink(), datei->ItemLinks().Items(count - 1));
  ClickControl(*last);
  EXPECT_FALSE(datei->ItemLinks().Items(count - 1)->Visible());
  EXPECT_NE(window->QuickLinks(), nullptr);
  // A click on the mark closes the window without opening it again.
  Click(onMark);
  EXPECT_EQ(window->QuickLinks(), nullptr);
  Events.clear();
  Click(onMark);
  ASSERT_NE(window->QuickLinks(), nullptr);
  ClickControl(*window->QuickLinks()->Items(0)->Control());
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back(), "OnClick:" + name);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, ABorderlessBarOverTheWholeBottomRowLooksLikeAStatusBarWithASizeGrip) {
  TzbBar* status = Manager->Bars().Add();
  status->SetCaption("Status");
  status->BorderStyle = bbsNone;
  status->SetWholeRow(true);
  status->ShowMark = false;
  status->SetDockingStyle(dsBottom);
  auto* text = Manager->CreateItem<TzbBarButton>();
  text->SetCaption("Bereit");
  status->ItemLinks().Add()->SetItem(text);
  status->SetVisible(true);
  TzbBarControl* window = WindowOf(status);
  ASSERT_TRUE(window && window->DockControl() == Screen->Dock(dsBottom));
  EXPECT_TRUE(window->SizeGripShown());
  const TRect nc = window->NonClientSizes(dsBottom);
  EXPECT_EQ(nc.Top, Manager->PainterClass().GetStatusBarTopBorder());
  EXPECT_EQ(nc.Right, window->SizeGripWidth());
  EXPECT_EQ(window->Widget()->width(), Form.width());
  const TRect grip = window->SizeGripRect();
  ASSERT_FALSE(IsRectEmpty(grip));
  EXPECT_EQ(grip.Right, window->Widget()->width());
  EXPECT_EQ(window->HitTest(Point(grip.Right - 2, grip.Bottom - 2)), htBottomRight);
  // The items end before the grip.
  EXPECT_LE(window->ClientRect().Width() + nc.Right, window->Widget()->width());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, TheHotMarkShowsTheHintMoreButtons) {
  TzbBar* datei = Toolbars[0];
  datei->ShowMark = true;
  Form.resize(300, Form.height());
  QApplication::processEvents();
  TzbBarControl* window = WindowOf(datei);
  ASSERT_TRUE(window->MarkExists());
  const TRect m = window->MarkRect();
  const TRect w = window->WindowRect();
  Move(QPoint(w.Left + (m.Left + m.Right) / 2, w.Top + (m.Top + m.Bottom) / 2));
  ASSERT_TRUE(QTest::qWaitFor([] { return BarHintWindow() != nullptr; }));
  EXPECT_EQ(BarHintText(), "More Buttons");
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, FloatingBarsHideWhileTheApplicationIsInactive) {
  DoubleClick(GripOf(Hilfe()));
  TzbBarControl* window = WindowOf(Hilfe());
  ASSERT_TRUE(window && window->IsFloating() && window->Widget()->isVisible());
  auto* app = static_cast<QGuiApplication*>(QCoreApplication::instance());
  emit app->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_FALSE(window->Widget()->isVisible());
  emit app->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_TRUE(window->Widget()->isVisible());
  Manager->HideFloatingBarsWhenInactive = false;
  emit app->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_TRUE(window->Widget()->isVisible());
  // Hiding the form hides them too.
  Form.hide();
  EXPECT_FALSE(window->Widget()->isVisible());
  Form.show();
  EXPECT_TRUE(window->Widget()->isVisible());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// A row's drop zone: its first 9 pixels keep the row, the next 5 make a new row, the rest joins the
// following row; before the first row a zone of 23 pixels does the same for row 0.
TEST_F(BarDocking, ADropFindsItsRowByTheZonesOfTheRows) {
  TzbDockControl* top = Screen->Dock(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  const TRect row0 = top->GetRowRect(0), row1 = top->GetRowRect(1);
  ASSERT_GT(row0.Height(), 15);
  ASSERT_GT(row1.Height(), 15);
  const QPoint origin = top->Widget()->mapToGlobal(QPoint(0, 0));
  struct TCase {
    int Y;  // in the dock's client coordinates
    int Row;
    bool NewRow;
  };
  const TCase cases[] = {
      {row0.Top - 30, 0, true},    // before every zone
      {row0.Top - 20, -1, false},  // the outer part of the zone before the first row
      {row0.Top - 14, 0, true},    // its new-row strip
      {row0.Top - 10, 0, true},
      {row0.Top - 9, 0, false},  // its inner part joins the first row
      {row0.Top, 0, false},
      {row0.Top + 8, 0, false},
      {row0.Top + 9, 1, true},  // the menu bar's strip: a new row after it
      {row0.Top + 13, 1, true},
      {row0.Top + 14, 1, false},  // the rest of the menu bar's band joins the toolbars' row
      {row0.Bottom - 1, 1, false},
      {row1.Top + 8, 1, false},
      {row1.Top + 9, 2, true},  // the toolbars' strip: a new last row
      {row1.Top + 14, 2, true},  // after it: beyond the rows, so a new row too
      {row1.Bottom + 30, 2, true},  // beyond every zone: a new last row
  };
  for (const TCase& c : cases) {
    bool newRow = false;
    EXPECT_EQ(top->RowAtPoint(Point(origin.x() + 50, origin.y() + c.Y), newRow), c.Row) << c.Y;
    EXPECT_EQ(newRow, c.NewRow) << c.Y;
  }
  int from = 0, to = 0;
  EXPECT_TRUE(top->GetRowZone(2, 1, from, to));  // after the last row
  EXPECT_EQ(from, row1.Bottom + 9);
  EXPECT_EQ(to, row1.Bottom + 14);
  EXPECT_FALSE(top->GetRowZone(3, 0, from, to));
  EXPECT_FALSE(top->GetRowZone(0, 3, from, to));
}

class BarSliding : public BarDocking {
 protected:
  int RowMaxima() const {
    int sum = 0;
    for (TzbBar* bar : Toolbars) {
      const TRect nc = WindowOf(bar)->NonClientSizes(dsTop);
      sum += WindowOf(bar)->GetMaxWidth(dsTop) + nc.Left + nc.Right;
    }
    return sum;
  }
  int DockRight() const {
    const QWidget* dock = Screen->Dock(dsTop)->Widget();
    return dock->mapToGlobal(QPoint(dock->width(), 0)).x();
  }
  // Drags a docked bar by its grip sideways, wobbling a little across the row as a hand does.
  void Slide(TzbBar* bar, int dx) {
    const QPoint grip = GripOf(bar);
    Press(grip);
    Move(grip + QPoint(dx / 3, 2));
    Move(grip + QPoint(2 * dx / 3, -3));
    Move(grip + QPoint(dx, 0));
    Release(grip + QPoint(dx, 0));
  }
  void ExpectRowUnchanged() {
    TzbDockControl* top = Screen->Dock(dsTop);
    EXPECT_EQ(top->RowCount(), 2);
    ASSERT_EQ(top->CountInRow(1), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(top->WindowAt(1, i), WindowOf(Toolbars[i])) << i;
    for (TzbBar* bar : Toolbars) EXPECT_EQ(bar->DockingStyle(), dsTop) << bar->Caption();
  }
};

TEST_F(BarSliding, ASidewaysSlideByTheGripKeepsTheToolbarInItsRowWhereItWasPut) {
  Form.resize(RowMaxima() + 100, Form.height());
  QApplication::processEvents();
  TzbBar* last = Toolbars[4];
  const int leftBefore = WindowOf(last)->WindowRect().Left;
  Slide(last, 40);
  ExpectRowUnchanged();
  EXPECT_EQ(WindowOf(last)->WindowRect().Left, leftBefore + 40);
  Slide(last, -20);
  ExpectRowUnchanged();
  EXPECT_EQ(WindowOf(last)->WindowRect().Left, leftBefore + 20);
  // Slid to the row's end (the pointer still over the form) the bar stops at the end.
  Slide(last, DockRight() - 5 - GripOf(last).x());
  ExpectRowUnchanged();
  EXPECT_EQ(WindowOf(last)->WindowRect().Right, DockRight());
}

TEST_F(BarSliding, InAnOverfullRowTheUserPutsTheCutWhereHeSlidTheBars) {
  TzbDockControl* top = Screen->Dock(dsTop);
  Form.resize(RowMaxima() - 10, Form.height());
  QApplication::processEvents();
  // Packed from the left as they were put, the last bar runs past the end and is cut.
  ASSERT_TRUE(WindowOf(Toolbars[4])->Truncated());
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(WindowOf(Toolbars[i])->Truncated()) << i;
  // Slid to the left, the last bar is whole at the row's end and a bar before it gives way.
  Slide(Toolbars[4], -20);
  ExpectRowUnchanged();
  EXPECT_FALSE(WindowOf(Toolbars[4])->Truncated());
  EXPECT_EQ(WindowOf(Toolbars[4])->WindowRect().Right, DockRight());
  int cut = 0;
  for (int i = 0; i < 4; ++i) cut += WindowOf(Toolbars[i])->Truncated() ? 1 : 0;
  EXPECT_EQ(cut, 1);
  for (int i = 1; i < 5; ++i)
    EXPECT_EQ(top->WindowAt(1, i - 1)->WindowRect().Right, top->WindowAt(1, i)->WindowRect().Left) << i;
  // A wider form shows every bar whole again, in the same order.
  Form.resize(RowMaxima() + 100, Form.height());
  QApplication::processEvents();
  for (TzbBar* bar : Toolbars) EXPECT_FALSE(WindowOf(bar)->Truncated()) << bar->Caption();
  ExpectRowUnchanged();
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, ACutToolbarShowsOnlyWholeButtons) {
  // A bar alone at the bottom whose first button is narrow and whose most used one is wide.
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Schmal");
  bar->ShowMark = false;
  for (const char* name : {"Neu1", "Beenden1", "Drucken1"}) bar->ItemLinks().Add()->SetItem(Item(name));
  bar->SetDockingStyle(dsBottom);
  bar->SetVisible(true);
  TzbBarItemLink* wide = bar->ItemLinks().Items(2);
  wide->UseLink(true);
  TzbBarControl* window = WindowOf(bar);
  ASSERT_NE(window, nullptr);
  const int wideWidth = wide->Control()->GetWidth();
  ASSERT_GT(wideWidth, bar->ItemLinks().Items(0)->Control()->GetWidth());
  EXPECT_GE(window->GetMinWidth(dsBottom), wideWidth);
  for (const int width : {wideWidth / 2, wideWidth + 20, wideWidth + 60}) {
    SCOPED_TRACE(width);
    Form.resize(width, Form.height());
    QApplication::processEvents();
    window = WindowOf(bar);
    const TRect client = window->ClientRect();
    ASSERT_FALSE(bar->ItemLinks().ShownLinks().empty());
    EXPECT_NE(std::find(bar->ItemLinks().ShownLinks().begin(), bar->ItemLinks().ShownLinks().end(), wide),
              bar->ItemLinks().ShownLinks().end());
    for (TzbBarItemLink* l : bar->ItemLinks().ShownLinks()) {
      const TRect r = window->GetItemRect(l->Control());
      if (IsRectEmpty(r)) continue;
      EXPECT_LE(r.Right, client.Width()) << l->Item()->Name;
      EXPECT_GE(r.Left, 0) << l->Item()->Name;
    }
  }
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST(BarWorkArea, AFloatingBarKeepsAPieceToTakeItByAndItsCaptionOnTheWorkArea) {
  const TRect area = Rect(0, 0, 800, 600);
  struct TCase {
    TRect In;
    TRect Out;
  };
  const TCase cases[] = {
      {Bounds(100, 100, 120, 40), Bounds(100, 100, 120, 40)},   // inside: unchanged
      {Bounds(-90, 100, 120, 40), Bounds(-90, 100, 120, 40)},   // partly left, 30 pixels inside: kept
      {Bounds(-110, 100, 120, 40), Bounds(-96, 100, 120, 40)},  // only 10 pixels inside
      {Bounds(-500, 100, 120, 40), Bounds(-96, 100, 120, 40)},  // wholly left: a piece comes back
      {Bounds(900, 100, 120, 40), Bounds(776, 100, 120, 40)},   // wholly right
      {Bounds(100, -30, 120, 40), Bounds(100, 0, 120, 40)},     // caption above the screen
      {Bounds(100, 700, 120, 40), Bounds(100, 582, 120, 40)},   // below: the caption stays
      {Bounds(-500, -500, 10, 10), Bounds(0, 0, 10, 10)},       // narrower than the piece
  };
  for (const TCase& c : cases) {
    const TRect r = KeepOnWorkArea(c.In, area, 18);
    EXPECT_EQ(r.Left, c.Out.Left) << c.In.Left << "," << c.In.Top;
    EXPECT_EQ(r.Top, c.Out.Top) << c.In.Left << "," << c.In.Top;
    EXPECT_EQ(r.Width(), c.In.Width());
  }
}

TEST_F(BarDocking, AFloatingBarCannotBeDraggedOffTheScreenAndComesBackWhenTheScreenChanges) {
  DoubleClick(GripOf(Hilfe()));
  TzbBarControl* window = WindowOf(Hilfe());
  ASSERT_TRUE(window && window->IsFloating());
  const TRect area = GetMonitorWorkArea(Form.mapToGlobal(Form.rect().center()));
  // Dragged by its caption far beyond the left and the top edge of the screen.
  const QPoint from = CaptionOf(Hilfe());
  Press(from);
  Move(from + QPoint(-200, -100));
  Move(QPoint(area.Left - 800, area.Top - 600));
  Release(QPoint(area.Left - 800, area.Top - 600));
  TRect w = window->WindowRect();
  EXPECT_GE(w.Right, area.Left + std::min(w.Width(), kKeepOnScreen));
  EXPECT_GE(w.Top, area.Top);
  EXPECT_EQ(Hilfe()->FloatLeft, w.Left);
  EXPECT_EQ(Hilfe()->FloatTop, w.Top);
  // Beyond the right and the bottom edge.
  Press(CaptionOf(Hilfe()));
  Move(QPoint(area.Right + 800, area.Bottom + 600));
  Release(QPoint(area.Right + 800, area.Bottom + 600));
  w = window->WindowRect();
  EXPECT_LE(w.Left, area.Right - std::min(w.Width(), kKeepOnScreen));
  EXPECT_LT(w.Top, area.Bottom);
  // A changed screen brings the bar wholly onto the work area, and a hidden one's stored place.
  Screen->FitFloatingBarsToWorkArea();
  w = window->WindowRect();
  EXPECT_TRUE(w.Left >= area.Left && w.Right <= area.Right && w.Top >= area.Top && w.Bottom <= area.Bottom);
  Hilfe()->SetVisible(false);
  Hilfe()->FloatLeft = area.Right + 300;
  Hilfe()->FloatTop = area.Bottom + 300;
  Screen->FitFloatingBarsToWorkArea();
  EXPECT_LT(Hilfe()->FloatLeft, area.Right);
  EXPECT_LT(Hilfe()->FloatTop, area.Bottom);
  Hilfe()->SetVisible(true);
  w = WindowOf(Hilfe())->WindowRect();
  EXPECT_TRUE(w.Left >= area.Left && w.Right <= area.Right && w.Top >= area.Top && w.Bottom <= area.Bottom)
      << w.Left << " " << w.Top << " " << w.Right << " " << w.Bottom << " area " << area.Right << " " << area.Bottom;
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(BarDocking, WhereCustomizingIsAllowedTheMarkWindowEndsWithCustomize) {
  Manager->CanCustomize = true;
  TzbBar* last = Toolbars[4];
  last->ShowMark = true;
  last->AllowReset = false;  // no "&Reset Toolbar" before it
  int others = 0;
  for (std::size_t i = 0; i + 1 < Toolbars.size(); ++i) {
    const TRect nc = WindowOf(Toolbars[i])->NonClientSizes(dsTop);
    others += WindowOf(Toolbars[i])->GetMaxWidth(dsTop) + nc.Left + nc.Right;
  }
  Form.resize(others + 80, Form.height());
  QApplication::processEvents();
  TzbBarControl* window = WindowOf(last);
  ASSERT_TRUE(window->MarkExists());
  const TRect m = window->MarkRect(), w = window->WindowRect();
  Click(QPoint(w.Left + (m.Left + m.Right) / 2, w.Top + (m.Top + m.Bottom) / 2));
  TzbBarItemLinks* quick = window->QuickLinks();
  ASSERT_NE(quick, nullptr);
  ClickControl(*quick->Items(quick->Count() - 1)->Control());  // "&Add or Remove Buttons"
  TzbBarItemLinks& entries = window->AddRemoveItem()->ItemLinks();
  ASSERT_EQ(entries.Count(), last->ItemLinks().Count() + 1);
  TzbBarItemLink* customize = entries.Items(entries.Count() - 1);
  EXPECT_EQ(customize->Item()->Caption(), "&Customize...");
  EXPECT_TRUE(customize->StoredBeginGroup());
  ClickControl(*customize->Control());
  EXPECT_TRUE(Manager->Customizing());
  Manager->SetCustomizing(false);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// With the form's design state kept (the manager's loaded step) the mark window offers "&Reset Toolbar" before
// "&Customize..."; it takes the bar back to its built links after the question, and a bar that allows no reset does not
// offer it.
TEST_F(BarDocking, AfterTheLoadedStepTheMarkWindowOffersResetToolbar) {
  Manager->CanCustomize = true;
  ASSERT_TRUE(Manager->CanReset());  // the demo form ran its loaded step
  TzbBar* last = Toolbars[4];
  last->ShowMark = true;
  const int built = last->ItemLinks().Count();
  const auto openAddRemove = [&]() -> TzbBarItemLinks& {
    TzbBarControl* window = WindowOf(last);
    const TRect m = window->MarkRect(), w = window->WindowRect();
    Click(QPoint(w.Left + (m.Left + m.Right) / 2, w.Top + (m.Top + m.Bottom) / 2));
    TzbBarItemLinks* quick = window->QuickLinks();
    EXPECT_NE(quick, nullptr);
    ClickControl(*quick->Items(quick->Count() - 1)->Control());  // "&Add or Remove Buttons"
    return window->AddRemoveItem()->ItemLinks();
  };
  last->ItemLinks().Delete(last->ItemLinks().Items(0));
  QApplication::processEvents();
  ASSERT_TRUE(WindowOf(last)->MarkExists());
  TzbBarItemLinks& entries = openAddRemove();
  ASSERT_EQ(entries.Count(), built - 1 + 2);
  TzbBarItemLink* reset = entries.Items(entries.Count() - 2);
  TzbBarItemLink* customize = entries.Items(entries.Count() - 1);
  EXPECT_EQ(reset->Item()->Caption(), "&Reset Toolbar");
  EXPECT_TRUE(reset->StoredBeginGroup());
  EXPECT_EQ(customize->Item()->Caption(), "&Customize...");
  EXPECT_FALSE(customize->StoredBeginGroup());  // the reset entry began the group
  int asked = 0;
  SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    ++asked;
    EXPECT_TRUE(text.contains(QStringLiteral("reset"))) << text.toStdString();
    return IDOK;
  });
  ClickControl(*reset->Control());
  SetMessageDlgHook({});
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(last->ItemLinks().Count(), built);

  last->AllowReset = false;
  TzbBarItemLinks& without = openAddRemove();
  ASSERT_GT(without.Count(), 0);
  for (int i = 0; i < without.Count(); ++i) EXPECT_NE(without.Items(i)->Item()->Caption(), "&Reset Toolbar");
  EXPECT_TRUE(without.Items(without.Count() - 1)->StoredBeginGroup());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The sizes of a bar along a left or right dock: a multi-line bar wraps into columns when it is
// shorter than its items, a one-line bar shows the leading links that fit and is cut.
TEST_F(BarDocking, AVerticalBarWrapsIntoColumnsOrIsCutAtTheHeightItGets) {
  TzbBar* bar = Toolbars[1];  // "Bearbeiten": the longest toolbar
  TzbBarControl* w = WindowOf(bar);
  ASSERT_NE(w, nullptr);
  const int full = w->GetMaxHeight(dsLeft);
  const int column = w->GetMinWidth(dsLeft);

  bar->SetMultiLine(true);
  const TzbSize one = w->GetSizeForHeight(dsLeft, full);
  EXPECT_EQ(one.Width, column);
  EXPECT_EQ(one.Height, full);
  const TzbSize two = w->GetSizeForHeight(dsLeft, full / 2 + 10);
  EXPECT_GT(two.Width, column);  // columns side by side (a group moves on as a whole)
  EXPECT_LE(two.Width, 4 * column);
  EXPECT_LE(two.Height, full / 2 + 10);
  // Asked for a width, the wrapping bar gives up length until it is that wide.
  const TzbSize wide = w->GetSizeForWidth(dsLeft, two.Width);
  EXPECT_GE(wide.Width, two.Width);
  EXPECT_LT(wide.Height, full);

  bar->SetMultiLine(false);
  const TzbSize cut = w->GetSizeForHeight(dsLeft, full / 2);
  EXPECT_TRUE(w->Truncated());
  EXPECT_LE(cut.Height, full / 2);
  EXPECT_EQ(cut.Width, column);
}

}  // namespace
}  // namespace zyn
