// The menus on a real X server: the test runs itself again under Xvfb on the xcb platform and moves
// the real pointer with xdotool, so that the window kinds of the menus (frameless, never taking the
// focus) and the input filter meet the platform's own input. Skipped when Xvfb or xdotool are absent.

#include "BarDemoWindow.h"

#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zyn {
namespace {

bool InChild() { return std::getenv("ZYN_X11_CHILD") != nullptr; }

// Runs xdotool while this process goes on handling its events (as it would for a real user).
bool XDoTool(const QStringList& args) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), args);
  if (!tool.waitForStarted(5000)) return false;
  while (tool.state() != QProcess::NotRunning) QTest::qWait(5);
  QTest::qWait(50);
  return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Moves the real pointer to a screen point and clicks the left button there.
bool XClick(const QPoint& p) {
  return XDoTool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
                  QStringLiteral("1")});
}

// Presses the left button at one point, moves the pointer in steps to another and releases it.
bool XDrag(const QPoint& from, const QPoint& to) {
  QStringList args = {QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                      QStringLiteral("mousedown"), QStringLiteral("1")};
  for (int step = 1; step <= 4; ++step) {
    args << QStringLiteral("sleep") << QStringLiteral("0.1") << QStringLiteral("mousemove")
         << QString::number(from.x() + (to.x() - from.x()) * step / 4)
         << QString::number(from.y() + (to.y() - from.y()) * step / 4);
  }
  args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup") << QStringLiteral("1");
  return XDoTool(args);
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
}

}  // namespace
}  // namespace zyn
