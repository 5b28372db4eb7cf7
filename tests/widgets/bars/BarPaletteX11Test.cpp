// A palette change on a real X server: the test runs itself again under Xvfb on the xcb platform,
// changes the application's palette (what the desktop does when the user picks other colours) and
// reads the toolbar back from the server's screen. Skipped when Xvfb or xdotool are absent.

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "BarX11Support.h"
#include "widgets/bars/BarToolbarControl.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

// The colour most pixels of the screen's rectangle r have.
QRgb DominantScreenColor(const QRect& r) {
  return test::DominantColor(
      QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage());
}

TEST(BarPaletteX11, APaletteChangeRepaintsTheToolbarsOnARealXServer) {
  if (test::InX11Child()) GTEST_SKIP() << "this is the run under Xvfb";
  test::RunChildTestsUnderXvfb(QStringLiteral("BarPaletteX11Child*"), 1);
}

TEST(BarPaletteX11Child, TheToolbarShowsTheNewButtonFace) {
  if (!test::InX11Child()) GTEST_SKIP() << "runs only under Xvfb, started by BarPaletteX11";
  test::BarDemoWindow demo;  // sets the classic palette
  const QPalette saved = QApplication::palette();
  demo.Manager->SetStyle(bmsEnhanced);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&demo.Form));
  TzbBarControl* window = demo.WindowOf(demo.Toolbars[0]);
  ASSERT_NE(window, nullptr);
  const QRect r(window->Widget()->mapToGlobal(QPoint(0, 0)), window->Widget()->size());
  const QRgb face = saved.color(QPalette::Button).rgb();
  ASSERT_TRUE(QTest::qWaitFor([&] { return DominantScreenColor(r) == face; }, 5000))
      << QColor(DominantScreenColor(r)).name().toStdString() << " " << QColor(face).name().toStdString();

  const QColor green(0x30, 0x90, 0x50);
  QPalette p = saved;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Button, green);
    p.setColor(group, QPalette::Window, green);
  }
  QApplication::setPalette(p);
  EXPECT_TRUE(QTest::qWaitFor([&] { return DominantScreenColor(r) == green.rgb(); }, 5000))
      << QColor(DominantScreenColor(r)).name().toStdString();
  QApplication::setPalette(saved);
  EXPECT_TRUE(QTest::qWaitFor([&] { return DominantScreenColor(r) == face; }, 5000));
}

}  // namespace
}  // namespace zyn
