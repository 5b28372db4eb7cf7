// The main window on a real X server with a window manager: the test runs itself again under Xvfb
// on the xcb platform with twm managing the windows, so that the window frame and its title bar
// are real. Skipped when Xvfb or twm are absent.

#include "MainWindowFixture.h"
#include "model/base/ZYNOptionen.h"
#include "tests/support/AppFixture.h"
#include "tests/support/XvfbRun.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

TEST(MainWindowX11, TheWindowFrameIsOnTheScreenUnderAWindowManager) {
  if (InXvfbChild()) GTEST_SKIP() << "this is the run under Xvfb";
  const QString missing = MissingTools({QStringLiteral("xvfb-run"), QStringLiteral("twm")});
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  EnsureApp();
  const TXvfbRun run = RunSelfUnderXvfb(QStringLiteral("MainWindowX11Child*"), true);
  ASSERT_TRUE(run.Finished) << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_NE(run.Output.find("[  PASSED  ] 2 tests"), std::string::npos) << run.Output;
}

class MainWindowX11Child : public MainWindowTest {
 protected:
  void SetUp() override {
    if (!InXvfbChild()) GTEST_SKIP() << "runs only under Xvfb, started by MainWindowX11";
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
    // Once framed, the window fits its frame on the screen.
    const QRect area = form.screen()->availableGeometry();
    QTest::qWaitFor([&] { return area.contains(form.frameGeometry()); }, 5000);
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
