// The hosted line edit of the demo form on a real X server: the test runs itself again under Xvfb
// on the xcb platform and clicks and types with xdotool, so that the window kinds of docked and
// floating bars meet the platform's own focus handling. Skipped when Xvfb or xdotool are absent.

#include "BarDemoWindow.h"
#include "BarX11Support.h"
#include "widgets/bars/BarContainerItems.h"
#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn {
namespace {

using test::InX11Child;
using test::XDoTool;

// Clicks into the edit, waits until it has the focus and types the text.
bool XClickAndType(QLineEdit& edit, const QString& text) {
  return test::XClick(edit.mapToGlobal(edit.rect().center())) && QTest::qWaitFor([&] { return edit.hasFocus(); }) &&
         XDoTool({QStringLiteral("type"), text});
}

TEST(BarContainerX11, TheHostedEditTakesTypingOnARealXServer) {
  if (InX11Child()) GTEST_SKIP() << "this is the run under Xvfb";
  test::RunChildTestsUnderXvfb(QStringLiteral("BarContainerX11Child*"), 1);
}

// Clicked, the edit takes the typing, docked and on a floating bar alike.
TEST(BarContainerX11Child, TheEditTakesTypingDockedAndFloating) {
  if (!InX11Child()) GTEST_SKIP() << "runs only under Xvfb, started by BarContainerX11";
  test::BarDemoWindow demo;
  demo.Manager->HideFloatingBarsWhenInactive = false;
  TzbBar* bar = demo.AddHostingItems();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&demo.Form));
  ASSERT_TRUE(test::ActivateForm(demo.Form));
  QLineEdit* edit = demo.HostedEdit;
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->isVisible(); }));
  edit->clear();
  ASSERT_TRUE(XClickAndType(*edit, QStringLiteral("abc")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->text() == QStringLiteral("abc"); })) << edit->text().toStdString();
  // Floating.
  bar->FloatLeft = 300;
  bar->FloatTop = 300;
  bar->SetDockingStyle(dsNone);
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->isVisible() && edit->window() != &demo.Form; }));
  TzbBarControl* floating = demo.WindowOf(bar);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(floating->Widget()));
  ASSERT_TRUE(test::WaitForXEventsHandled());
  const TRect place = floating->WindowRect();
  EXPECT_TRUE(floating->Widget()->isVisible());
  edit->clear();
  ASSERT_TRUE(XClickAndType(*edit, QStringLiteral("xyz")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->text() == QStringLiteral("xyz"); })) << edit->text().toStdString();
  EXPECT_EQ(floating->WindowRect(), place);  // the window took the focus where it stood
  // Docked again, the form's own typing goes on.
  bar->SetDockingStyle(dsTop);
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->isVisible() && edit->window() == &demo.Form; }));
  edit->clear();
  ASSERT_TRUE(XClickAndType(*edit, QStringLiteral("de")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->text() == QStringLiteral("de"); })) << edit->text().toStdString();
}

}  // namespace
}  // namespace zyn
