// The menus on a real X server: the test runs itself again under Xvfb on the xcb platform and moves
// the real pointer with xdotool, so that the window kinds of the menus (frameless, never taking the
// focus) and the input filter meet the platform's own input. Skipped when Xvfb or xdotool are absent.

#include "BarDemoWindow.h"

#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zyn {
namespace {

bool InChild() { return std::getenv("ZYN_X11_CHILD") != nullptr; }

template <class F>
bool WaitFor(F condition, int timeoutMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > timeoutMs) return false;
    QTest::qWait(20);
  }
  return true;
}

// Moves the real pointer to a screen point and clicks the left button there.
bool XClick(const QPoint& p) {
  return QProcess::execute(QStringLiteral("xdotool"),
                           {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                            QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

TEST(BarX11, MenusWorkWithThePointerOfARealXServer) {
  if (InChild()) GTEST_SKIP() << "this is the run under Xvfb";
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
  if (xvfb.isEmpty() || xdotool.isEmpty()) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  test::EnsureApplication();
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZYN_X11_CHILD"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                     QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=BarX11Child.*")});
  ASSERT_TRUE(child.waitForStarted(10000));
  ASSERT_TRUE(child.waitForFinished(120000));
  const QByteArray output = child.readAll();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(BarX11Child, ClicksOpenTheMenuWithoutTakingTheFocusAndRunTheEntry) {
  if (!InChild()) GTEST_SKIP() << "runs only under Xvfb, started by BarX11";
  test::BarDemoWindow demo;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&demo.Form));
  demo.Form.activateWindow();
  QApplication::setActiveWindow(&demo.Form);
  QTest::qWait(200);
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Datei1"))));
  ASSERT_TRUE(WaitFor([&] { return demo.MenuOf("Datei1") != nullptr; }));
  TzbBarSubMenuControl* menu = demo.MenuOf("Datei1");
  ASSERT_TRUE(WaitFor([&] { return menu->Widget()->isVisible(); }));
  EXPECT_NE(QApplication::activeWindow(), menu->Widget());
  EXPECT_FALSE(menu->Widget()->hasFocus());
  const TRect entry = demo.ScreenRectOf(*demo.MenuBarEntry("Datei1"));
  EXPECT_EQ(menu->WindowRect().Left, entry.Left);
  EXPECT_EQ(menu->WindowRect().Top, entry.Bottom);
  demo.Events.clear();
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.ControlIn(menu, "Neu1"))));
  ASSERT_TRUE(WaitFor([&] { return demo.MenuOf("Datei1") == nullptr; }));
  EXPECT_EQ(demo.Events, (std::vector<std::string>{"OnClickItem:Neu1", "OnClick:Neu1"}));
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  // A click beside an open menu closes it and runs nothing.
  ASSERT_TRUE(XClick(demo.CenterOf(*demo.MenuBarEntry("Bearbeiten1"))));
  ASSERT_TRUE(WaitFor([&] { return demo.MenuOf("Bearbeiten1") != nullptr; }));
  demo.Events.clear();
  ASSERT_TRUE(XClick(demo.Client->mapToGlobal(QPoint(400, 250))));
  ASSERT_TRUE(WaitFor([&] { return demo.MenuOf("Bearbeiten1") == nullptr; }));
  EXPECT_TRUE(demo.Events.empty());
}

}  // namespace
}  // namespace zyn
