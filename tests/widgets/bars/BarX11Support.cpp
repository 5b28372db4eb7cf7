#include "BarX11Support.h"

#include "BarTestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn::test {

bool InX11Child() { return std::getenv("ZYN_X11_CHILD") != nullptr; }

bool XDoTool(const QStringList& args) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), args);
  if (!tool.waitForStarted(5000)) return false;
  while (tool.state() != QProcess::NotRunning) QTest::qWait(5);
  QTest::qWait(50);
  return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool XClick(const QPoint& p) {
  return XDoTool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
                  QStringLiteral("1")});
}

bool XMoveAlong(const QPoint& from, const QPoint& to, int steps) {
  QStringList args;
  for (int step = 0; step <= steps; ++step) {
    if (step > 0) args << QStringLiteral("sleep") << QStringLiteral("0.02");
    args << QStringLiteral("mousemove") << QString::number(from.x() + (to.x() - from.x()) * step / steps)
         << QString::number(from.y() + (to.y() - from.y()) * step / steps);
  }
  return XDoTool(args);
}

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

void RunChildTestsUnderXvfb(const QString& filter, int count) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
  if (xvfb.isEmpty() || xdotool.isEmpty()) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  EnsureApplication();
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZYN_X11_CHILD"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                     QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=") + filter});
  ASSERT_TRUE(child.waitForStarted(10000));
  ASSERT_TRUE(child.waitForFinished(120000));
  const QByteArray output = child.readAll();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] %1 test").arg(count).toUtf8())) << output.toStdString();
}

}  // namespace zyn::test
