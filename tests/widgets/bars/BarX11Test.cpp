// The menus on a real X server: the test runs itself again under Xvfb on the xcb platform and moves
// the real pointer with xdotool, so that the window kinds of the menus (frameless, never taking the
// focus) and the input filter meet the platform's own input. Skipped when Xvfb or xdotool are absent.

#include "BarDemoWindow.h"
#include "BarX11Support.h"
#include "platform/Colors.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarQuickControl.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarShadow.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

using test::XClick;
using test::XDoTool;
using test::XDrag;
using test::XMoveAlong;

bool InChild() { return test::InX11Child(); }

TEST(BarX11, MenusWorkWithThePointerOfARealXServer) {
  if (InChild()) GTEST_SKIP() << "this is the run under Xvfb";
  test::RunChildTestsUnderXvfb(QStringLiteral("BarX11Child*"), 5);
}

TEST(BarX11Child, ClicksOpenTheMenuWithoutTakingTheFocusAndRunTheEntry) {
  if (!InChild()) GTEST_SKIP() << "runs only under Xvfb, started by BarX11";
  test::BarDemoWindow demo;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&demo.Form));
  ASSERT_TRUE(test::ActivateForm(demo.Form));
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Datei1"))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") != nullptr; }));
  TzbBarSubMenuControl* menu = demo.MenuOf("Datei1");
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->Widget()->isVisible(); }));
  EXPECT_NE(QApplication::activeWindow(), menu->Widget());
  EXPECT_FALSE(menu->Widget()->hasFocus());
  const TRect entry = demo.ScreenRectOf(*demo.MenuBarEntry("Datei1"));
  EXPECT_EQ(menu->WindowRect().Left, entry.Left);
  EXPECT_EQ(menu->WindowRect().Top, entry.Bottom);
  demo.Events.clear();
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.ControlIn(menu, "Neu1"))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") == nullptr; }));
  EXPECT_EQ(demo.Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  // A click beside an open menu closes it and runs nothing.
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Bearbeiten1"))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Bearbeiten1") != nullptr; }));
  demo.Events.clear();
  ASSERT_TRUE(XClick(demo.Client->mapToGlobal(QPoint(400, 250))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Bearbeiten1") == nullptr; }));
  EXPECT_TRUE(demo.Events.empty());
  // A toolbar dragged by its grip into the form floats; dragged by its caption to the bottom edge
  // it docks there.
  TzbBar* hilfe = demo.Toolbars[3];
  const TRect grip = demo.WindowOf(hilfe)->WindowRect();
  ASSERT_TRUE(XDrag(QPoint(grip.Left + 3, grip.Top + grip.Height() / 2), demo.Client->mapToGlobal(QPoint(300, 150))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return hilfe->DockingStyle() == dsNone && !demo.Screen->Moving(); }));
  TzbBarControl* floating = demo.WindowOf(hilfe);
  ASSERT_TRUE(floating && floating->IsFloating());
  ASSERT_TRUE(QTest::qWaitFor([&] { return floating->Widget()->isVisible(); }));
  const TRect w = floating->WindowRect();
  const TRect caption = floating->FloatingCaptionRect();
  const QPoint onCaption(w.Left + caption.Left + 4, w.Top + caption.Top + caption.Height() / 2);
  ASSERT_TRUE(XDrag(onCaption, demo.Form.mapToGlobal(QPoint(300, demo.Form.height() - 4))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return hilfe->DockingStyle() == dsBottom && !demo.Screen->Moving(); }));
  EXPECT_EQ(demo.WindowOf(hilfe)->DockControl(), demo.Screen->Dock(dsBottom));
  // Dragged by its grip onto the dock control in the middle of the form, it docks there.
  ASSERT_TRUE(XDrag(demo.GripOf(hilfe), demo.UserDock->Widget()->mapToGlobal(QPoint(60, 0))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return hilfe->DockControl() == demo.UserDock.get() && !demo.Screen->Moving(); }));
  EXPECT_EQ(demo.WindowOf(hilfe)->DockControl(), demo.UserDock.get());
  EXPECT_EQ(demo.UserDock->Widget()->height(), demo.WindowOf(hilfe)->WindowRect().Height());
}

class BarX11ChildForm : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!InChild()) GTEST_SKIP() << "runs only under Xvfb, started by BarX11";
    fDemo = std::make_unique<test::BarDemoWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fDemo->Form));
    ASSERT_TRUE(test::ActivateForm(fDemo->Form));
  }
  test::BarDemoWindow& Demo() { return *fDemo; }

 private:
  std::unique_ptr<test::BarDemoWindow> fDemo;
};

TEST_F(BarX11ChildForm, TheMarkOpensTheQuickCustomizationWindowWhoseEntriesHideButtons) {
  test::BarDemoWindow& demo = Demo();
  TzbBar* datei = demo.Toolbars[0];
  datei->ShowMark = true;
  TzbBarControl* window = demo.WindowOf(datei);
  window->RebuildLayout();
  QApplication::processEvents();
  ASSERT_TRUE(window->MarkExists());
  auto markCentre = [&]() {
    const TRect m = window->MarkScreenRect();
    return QPoint((m.Left + m.Right) / 2, (m.Top + m.Bottom) / 2);
  };
  ASSERT_TRUE(XClick(markCentre()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->QuickControl() && window->QuickControl()->Widget()->isVisible(); }));
  TzbBarQuickControl* quick = window->QuickControl();
  EXPECT_NE(QApplication::activeWindow(), quick->Widget());
  // "&Add or Remove Buttons" opens its menu; unticking the first entry hides the first button and
  // leaves the windows open.
  TzbBarItemLinks& links = quick->ItemLinks();
  ASSERT_TRUE(XClick(demo.CenterOf(*links.Items(links.Count() - 1)->Control())));
  TzbBarItemLinks& entries = quick->AddRemoveItem()->ItemLinks();
  ASSERT_TRUE(QTest::qWaitFor([&] {
    auto* menu = dynamic_cast<TCustomzbBarControl*>(entries.BarControl());
    return menu && menu->Widget()->isVisible();
  }));
  ASSERT_TRUE(XClick(demo.CenterOf(*entries.Items(0)->Control())));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !datei->ItemLinks().Items(0)->Visible(); }));
  EXPECT_EQ(window->QuickControl(), quick);
  EXPECT_NE(entries.BarControl(), nullptr);
  // A click on the mark (it moved with the shorter bar) closes the window and does not open it again.
  ASSERT_TRUE(XClick(markCentre()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->QuickControl() == nullptr; }));
  ASSERT_TRUE(test::WaitForXEventsHandled());
  EXPECT_EQ(window->QuickControl(), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
}

TEST_F(BarX11ChildForm, ASubMenuReachedOnADiagonalOverOtherEntriesStaysOpen) {
  test::BarDemoWindow& demo = Demo();
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Datei1"))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") != nullptr; }));
  TzbBarSubMenuControl* projekt = demo.MenuOf("Datei1");
  TzbBarItemControl* nopen = demo.ControlIn(projekt, "NOpen");
  ASSERT_TRUE(XDoTool({QStringLiteral("mousemove"), QString::number(demo.CenterOf(*nopen).x()),
                       QString::number(demo.CenterOf(*nopen).y())}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("NOpen") != nullptr; }));
  TzbBarSubMenuControl* sub = demo.MenuOf("NOpen");
  // From the entry up over the entry above it and across into the sub-menu's last entry, well
  // within the delay of the close this starts (each step of the pointer is handled before the next).
  const int savedDelay = TzbBarSubItemControl::SubMenuDelay;
  TzbBarSubItemControl::SubMenuDelay = 3000;
  const QPoint above = demo.CenterOf(*demo.ControlIn(projekt, "ffnen1"));
  const QPoint target = demo.CenterOf(*demo.ControlIn(sub, "Zuletzt1"));
  ASSERT_TRUE(XMoveAlong(demo.CenterOf(*nopen), above + QPoint(40, 0), 3));
  ASSERT_TRUE(XMoveAlong(above + QPoint(40, 0), target, 6));
  // In the sub-menu no delayed open or close is left that could still change the menus.
  EXPECT_EQ(TzbBarSubItemControl::PendingControl(), nullptr);
  TzbBarSubItemControl::SubMenuDelay = savedDelay;
  EXPECT_EQ(demo.MenuOf("NOpen"), sub);
  EXPECT_EQ(projekt->SelectedControl(), nopen);
  demo.Events.clear();
  ASSERT_TRUE(XClick(target));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") == nullptr; }));
  EXPECT_EQ(demo.Events, (std::vector<std::string>{"OnClickItem:Zuletzt1", "OnClick:Zuletzt1"}));
}

TEST_F(BarX11ChildForm, WithoutACompositingManagerTheMenuShadowIsTheSolidStripNotBlack) {
  test::BarDemoWindow& demo = Demo();
  EXPECT_FALSE(TzbBarShadow::GetTransparent());
  EXPECT_EQ(TzbBarShadow::GetShadowSize(), 2);
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Datei1"))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") != nullptr; }));
  TzbBarSubMenuControl* menu = demo.MenuOf("Datei1");
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->Widget()->isVisible(); }));
  const TRect w = menu->WindowRect();
  // A pixel of the strip right of the menu and one of the strip below it, as the screen shows them.
  const QPoint points[] = {QPoint(w.Right, (w.Top + w.Bottom) / 2), QPoint((w.Left + w.Right) / 2, w.Bottom)};
  const QRgb strip = ToQColor(clBtnShadow).rgb() & 0xFFFFFF;
  auto onScreen = [](const QPoint& p) {
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage();
    return shot.isNull() ? QColor() : shot.pixelColor(0, 0);
  };
  // The strips are windows of their own: the test waits until the server shows both.
  (void)QTest::qWaitFor([&] {
    for (const QPoint& p : points)
      if ((onScreen(p).rgb() & 0xFFFFFF) != strip) return false;
    return true;
  });
  for (const QPoint& p : points) {
    const QColor c = onScreen(p);
    ASSERT_TRUE(c.isValid());
    EXPECT_EQ(c.rgb() & 0xFFFFFF, strip)
        << p.x() << "," << p.y() << " " << c.name().toStdString();
    EXPECT_GT(c.red() + c.green() + c.blue(), 3 * 60);
  }
  ASSERT_TRUE(XClick(demo.Client->mapToGlobal(QPoint(400, 250))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return demo.MenuOf("Datei1") == nullptr; }));
}

TEST_F(BarX11ChildForm, AFloatingBarDraggedOffTheScreenKeepsItsCaptionOnIt) {
  test::BarDemoWindow& demo = Demo();
  TzbBar* hilfe = demo.Toolbars[3];
  const TRect grip = demo.WindowOf(hilfe)->WindowRect();
  ASSERT_TRUE(XDrag(QPoint(grip.Left + 3, grip.Top + grip.Height() / 2), demo.Client->mapToGlobal(QPoint(300, 150))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return hilfe->DockingStyle() == dsNone && !demo.Screen->Moving(); }));
  TzbBarControl* floating = demo.WindowOf(hilfe);
  ASSERT_TRUE(QTest::qWaitFor([&] { return floating->Widget()->isVisible(); }));
  const TRect w = floating->WindowRect();
  const TRect caption = floating->FloatingCaptionRect();
  const QPoint onCaption(w.Left + caption.Left + 4, w.Top + caption.Top + caption.Height() / 2);
  // The pointer stops at the screen's corner; the bar would leave the screen beyond it.
  ASSERT_TRUE(XDrag(onCaption, QPoint(0, 0)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !demo.Screen->Moving(); }));
  const TRect area = FromQRect(QGuiApplication::primaryScreen()->availableGeometry());
  const TRect after = floating->WindowRect();
  EXPECT_GE(after.Top, area.Top);
  EXPECT_GE(after.Right, area.Left + std::min(after.Width(), kKeepOnScreen));
  // It can be taken by its caption again and brought back.
  const TRect c2 = floating->FloatingCaptionRect();
  const QPoint again(std::max(area.Left + 2, after.Left + c2.Left + 4) + 0, after.Top + c2.Top + c2.Height() / 2);
  ASSERT_TRUE(XDrag(again, QPoint(400, 300)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !demo.Screen->Moving(); }));
  EXPECT_GT(floating->WindowRect().Left, area.Left + 100);
}

}  // namespace
}  // namespace zyn
