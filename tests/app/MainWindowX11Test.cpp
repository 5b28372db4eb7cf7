// The main window on a real X server with a window manager: the test runs itself again under Xvfb
// on the xcb platform with twm managing the windows, so that the window frame and its title bar
// are real. Skipped when Xvfb or twm are absent.

#include "MainWindowFixture.h"
#include "model/base/ZYNOptionen.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace zyn::test {
namespace {

bool InChild() { return std::getenv("ZYN_X11_CHILD") != nullptr; }

TEST(MainWindowX11, TheWindowFrameIsOnTheScreenUnderAWindowManager) {
  if (InChild()) GTEST_SKIP() << "this is the run under Xvfb";
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  const QString twm = QStandardPaths::findExecutable(QStringLiteral("twm"));
  if (xvfb.isEmpty() || twm.isEmpty()) GTEST_SKIP() << "Xvfb or twm is not installed";
  EnsureApp();
  // twm places windows without a position of their own at random instead of asking for a click.
  const TempFolder folder("x11");
  const std::filesystem::path twmrc = folder.Dir() / "twmrc";
  ASSERT_TRUE(WriteWholeFile(twmrc, "NoGrabServer\nRandomPlacement\nDecorateTransients\n"));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZYN_X11_CHILD"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  // The window manager starts first (in the C locale: in others it finds no font set on a server
  // without font files and ends at once).
  child.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                     QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("LC_ALL=C \"$1\" -f \"$2\" >/dev/null 2>&1 & sleep 1; "
                                    "exec \"$3\" --gtest_filter='MainWindowX11Child*'"),
                     QStringLiteral("sh"), twm, QString::fromStdString(twmrc.string()),
                     QCoreApplication::applicationFilePath()});
  ASSERT_TRUE(child.waitForStarted(10000));
  ASSERT_TRUE(child.waitForFinished(120000));
  const QByteArray output = child.readAll();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 2 tests")) << output.toStdString();
}

class MainWindowX11Child : public MainWindowTest {
 protected:
  void SetUp() override {
    if (!InChild()) GTEST_SKIP() << "runs only under Xvfb, started by MainWindowX11";
    MainWindowTest::SetUp();
  }

  // Shows the window and waits until the window manager has framed it; the frame's place on the
  // screen.
  static QRect ShownFrame(TMainForm& form) {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameGeometry().top() < form.geometry().top(); }))
        << "the window manager put no title bar on the window: frame " << form.frameGeometry().y() << " client "
        << form.geometry().y();
    QTest::qWait(300);
    return form.frameGeometry();
  }
};

// A first start (the options' defaults: the corner of the screen, 640 x 480) and a stored place
// too large for the screen: the whole frame with its title bar is on the screen.
TEST_F(MainWindowX11Child, TheFirstStartShowsTheWholeTitleBar) {
  TOptionItem fresh;
  fresh.SetDefaults("");
  for (int i = 0; i < 5; ++i) SetIntOption(i, fresh.GetInt(i));
  TMainForm form;
  const QRect frame = ShownFrame(form);
  const QRect area = form.screen()->availableGeometry();
  EXPECT_GE(frame.top(), area.top());
  EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowX11Child, AStoredSizeLargerThanTheScreenStillShowsTheWholeFrame) {
  SetIntOption(0, -50);
  SetIntOption(1, -80);
  SetIntOption(2, 1024);
  SetIntOption(3, 768);
  TMainForm form;
  const QRect frame = ShownFrame(form);
  const QRect area = form.screen()->availableGeometry();
  EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
  EXPECT_TRUE(form.close());
}

}  // namespace
}  // namespace zyn::test
