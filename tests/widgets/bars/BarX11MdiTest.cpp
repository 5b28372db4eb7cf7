// The window buttons of a maximized child window and a menu torn off, with the real pointer of an X
// server (Xvfb, xdotool): the press holds the mouse grab while the pointer moves.

#include "BarMdiDemoWindow.h"
#include "BarX11Support.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

using test::XClick;
using test::XDrag;

TEST(BarX11Mdi, WindowButtonsAndTearOffWorkWithThePointerOfARealXServer) {
  if (test::InX11Child()) GTEST_SKIP() << "this is the run under Xvfb";
  test::RunChildTestsUnderXvfb(QStringLiteral("BarX11MdiChild*"), 2);
}

class BarX11MdiChild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::InX11Child()) GTEST_SKIP() << "runs only under Xvfb, started by BarX11Mdi";
    fDemo = std::make_unique<test::BarMdiDemoWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fDemo->Form));
    ASSERT_TRUE(test::ActivateForm(fDemo->Form));
  }
  test::BarMdiDemoWindow& Demo() { return *fDemo; }
  QPoint CentreOf(const TCustomzbBarControl& window, const TzbBarItemControl& control) const {
    const TRect r = window.GetItemRect(&control);
    const TPoint p = window.ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return QPoint(p.X, p.Y);
  }

 private:
  std::unique_ptr<test::BarMdiDemoWindow> fDemo;
};

TEST_F(BarX11MdiChild, TheWindowButtonsActOnlyWhenReleasedOverThem) {
  test::BarMdiDemoWindow& demo = Demo();
  QMdiSubWindow* child = demo.Children[1];
  demo.Area->setActiveSubWindow(child);
  child->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuBarWindow()->AllWindowButtonsShown(); }));
  // Pressed on restore, released below the bar: nothing.
  ASSERT_TRUE(XDrag(demo.WindowButtonPoint(1), demo.WindowButtonPoint(1) + QPoint(0, 60)));
  EXPECT_TRUE(child->isMaximized());
  EXPECT_EQ(TzbBarControl::PressedWindowButton(), -1);
  ASSERT_TRUE(XClick(demo.WindowButtonPoint(1)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !child->isMaximized(); }));
  EXPECT_FALSE(demo.MenuBarWindow()->WindowButtonsShown());
  // Closing from the bar.
  child->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuBarWindow()->AllWindowButtonsShown(); }));
  QPointer<QMdiSubWindow> gone = child;
  ASSERT_TRUE(XClick(demo.WindowButtonPoint(2)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }));
}

TEST_F(BarX11MdiChild, AMenuDraggedOffByItsBandBecomesAFloatingBarThatWorks) {
  test::BarMdiDemoWindow& demo = Demo();
  TzbBarControl* bar = demo.MenuBarWindow();
  TzbBarItemControl* entry = nullptr;
  for (TzbBarItemLink* link : bar->ItemLinks().ShownLinks())
    if (link->Item()->Name == "Fenster") entry = link->Control();
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(XClick(CentreOf(*bar, *entry)));
  auto* fenster = static_cast<TzbBarSubItem*>(demo.Manager->GetItemByName("Fenster"));
  TzbBarSubMenuControl* menu = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    menu = dynamic_cast<TzbBarSubMenuControl*>(fenster->ItemLinks().BarControl());
    return menu && menu->Widget()->isVisible();
  }));
  const TRect band = menu->TearOffBandRect();
  const TRect w = menu->WindowRect();
  const QPoint onBand(w.Left + (band.Left + band.Right) / 2, w.Top + (band.Top + band.Bottom) / 2);
  const QPoint away = onBand + QPoint(60, 220);
  ASSERT_TRUE(XDrag(onBand, away));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !TzbBarSubMenuControl::TearingOff(); }));
  ASSERT_TRUE(demo.WindowBar->Visible());
  auto* floating = dynamic_cast<TzbBarControl*>(demo.WindowBar->GetBarControl());
  ASSERT_TRUE(floating && floating->IsFloating());
  ASSERT_TRUE(QTest::qWaitFor([&] { return floating->Widget()->isVisible(); }));
  EXPECT_EQ(fenster->ItemLinks().BarControl(), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  // The bar hangs under the pointer where it was let go.
  EXPECT_TRUE(PtInRect(floating->WindowRect(), FromQPoint(away)));
  demo.Events.clear();
  ASSERT_TRUE(XClick(CentreOf(*floating, *demo.WindowBar->ItemLinks().Items(1)->Control())));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !demo.Events.empty(); }));
  EXPECT_EQ(demo.Events, (std::vector<std::string>{"OnClick:Ueberlappend"}));
}

}  // namespace
}  // namespace zyn
