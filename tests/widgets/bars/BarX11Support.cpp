#include "BarX11Support.h"

#include "BarTestSupport.h"
#include "tests/support/XvfbRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn::test {

bool InX11Child() { return InXvfbChild(); }

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
  const QString missing = MissingTools({QStringLiteral("xvfb-run"), QStringLiteral("xdotool")});
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  EnsureApplication();
  const TXvfbRun run = RunSelfUnderXvfb(filter, false);
  ASSERT_TRUE(run.Finished) << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_NE(run.Output.find(QStringLiteral("[  PASSED  ] %1 test").arg(count).toStdString()), std::string::npos)
      << run.Output;
}

}  // namespace zyn::test
