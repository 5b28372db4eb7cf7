// Tearing off a detachable menu: the "&Fenster" menu of the demo form with child windows becomes
// its floating detaching bar.

#include "BarMdiDemoWindow.h"
#include "platform/Colors.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarMdiDemoWindow;
using Names = std::vector<std::string>;

class BarTearOff : public ::testing::Test, public BarMdiDemoWindow {
 protected:
  TzbBarSubMenuControl* FensterMenu() const {
    auto* item = static_cast<TzbBarSubItem*>(Manager->GetItemByName("Fenster"));
    return dynamic_cast<TzbBarSubMenuControl*>(item->ItemLinks().BarControl());
  }
  TzbBarSubMenuControl* OpenFenster() {
    TzbBarControl* bar = MenuBarWindow();
    TzbBarItemControl* entry = nullptr;
    for (TzbBarItemLink* link : bar->ItemLinks().ShownLinks())
      if (link->Item()->Name == "Fenster") entry = link->Control();
    const TRect r = bar->GetItemRect(entry);
    Click(ScreenPointOf(*bar, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
    return FensterMenu();
  }
  QPoint BandPoint(const TzbBarSubMenuControl& menu) const {
    const TRect band = menu.TearOffBandRect();
    const TRect w = menu.WindowRect();
    return QPoint(w.Left + (band.Left + band.Right) / 2, w.Top + (band.Top + band.Bottom) / 2);
  }
  // Presses on the band of the open menu: the drag starts.
  QPoint StartDrag() {
    TzbBarSubMenuControl* menu = OpenFenster();
    EXPECT_NE(menu, nullptr);
    const QPoint band = BandPoint(*menu);
    Move(band);
    EXPECT_TRUE(menu->TearOffBandHot());
    Press(band);
    EXPECT_TRUE(TzbBarSubMenuControl::TearingOff());
    return band;
  }
  bool BarShown() const { return WindowBar->Visible() && WindowBar->GetBarControl(); }
};

TEST_F(BarTearOff, ADetachableMenuShowsItsBandAboveTheEntries) {
  TzbBarSubMenuControl* menu = OpenFenster();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->HasTearOffBand());
  const TRect band = menu->TearOffBandRect();
  EXPECT_FALSE(IsRectEmpty(band));
  EXPECT_EQ(band.Height() % 2, 1);
  // The entries begin below the band.
  const TRect in = menu->ClientInsets();
  for (TzbBarItemLink* link : menu->ItemLinks().ShownLinks()) EXPECT_GE(link->ItemRect.Top + in.Top, band.Bottom);
  EXPECT_EQ(in.Top, 1 + Manager->PainterClass().GetTearOffBandHeight(*menu));
  // The band shows the inactive caption colour, under the pointer the active one.
  const QPoint middle((band.Left + band.Right) / 2, (band.Top + band.Bottom) / 2);
  menu->Flush();
  EXPECT_EQ(menu->Buffer().pixelColor(middle), ToQColor(clInactiveCaption));
  Move(BandPoint(*menu));
  ASSERT_TRUE(menu->TearOffBandHot());
  menu->Flush();
  EXPECT_EQ(menu->Buffer().pixelColor(middle), ToQColor(clActiveCaption));
  // A menu without the flag has none.
  auto* datei = static_cast<TzbBarSubItem*>(Manager->GetItemByName("Datei"));
  menu->HideAll();
  TzbBarControl* bar = MenuBarWindow();
  const TRect r = bar->GetItemRect(datei->GetLink(0)->Control());
  Click(ScreenPointOf(*bar, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
  auto* other = dynamic_cast<TzbBarSubMenuControl*>(datei->ItemLinks().BarControl());
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(other->HasTearOffBand());
  EXPECT_EQ(other->ClientInsets().Top, 1);
}

TEST_F(BarTearOff, DraggingTheBandAwayGivesAFloatingBarWithTheSameEntriesThatWorks) {
  const QPoint band = StartDrag();
  // Within 15 pixels nothing is torn off.
  Move(band + QPoint(0, -10));
  EXPECT_NE(FensterMenu(), nullptr);
  EXPECT_FALSE(BarShown());
  const QPoint far = band + QPoint(40, 150);
  Move(far);
  EXPECT_EQ(FensterMenu(), nullptr);  // the menu closed
  ASSERT_TRUE(BarShown());
  auto* window = dynamic_cast<TzbBarControl*>(WindowBar->GetBarControl());
  ASSERT_TRUE(window->IsFloating());
  // The bar follows the pointer: the pointer at its middle, half a caption below its top.
  const QPoint next = far + QPoint(30, 20);
  Move(next);
  const TRect w = window->WindowRect();
  EXPECT_EQ(w.Left + w.Width() / 2, next.x());
  EXPECT_EQ(w.Top, next.y() - Manager->PainterClass().GetFloatingCaptionHeight() / 2);
  Release(next);
  EXPECT_FALSE(TzbBarSubMenuControl::TearingOff());
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  // The same entries, and they work.
  Names names;
  for (TzbBarItemLink* link : WindowBar->ItemLinks().ShownLinks()) names.push_back(link->Item()->Name);
  EXPECT_EQ(names, (Names{"Nebeneinander", "Ueberlappend"}));
  TzbBarItemControl* tile = WindowBar->ItemLinks().Items(0)->Control();
  ASSERT_NE(tile, nullptr);
  const TRect r = window->GetItemRect(tile);
  Events.clear();
  Click(ScreenPointOf(*window, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
  EXPECT_EQ(Events, (Names{"OnClick:Nebeneinander"}));
}

TEST_F(BarTearOff, BackOverTheBandOrEscGivesTheMenuBackAndHidesTheBar) {
  for (const bool byEscape : {false, true}) {
    const QPoint band = StartDrag();
    Move(band + QPoint(0, 200));
    ASSERT_TRUE(BarShown());
    if (byEscape)
      QTest::keyClick(Form.windowHandle(), Qt::Key_Escape);
    else
      Move(band + QPoint(5, 0));
    EXPECT_FALSE(TzbBarSubMenuControl::TearingOff()) << byEscape;
    EXPECT_FALSE(WindowBar->Visible()) << byEscape;
    EXPECT_NE(FensterMenu(), nullptr) << byEscape;
    Release(band);
    TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
    if (head) head->HideAll();
  }
}

}  // namespace
}  // namespace zyn
