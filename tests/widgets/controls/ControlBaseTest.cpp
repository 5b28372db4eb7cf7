// User move and resize of the control bases: hit codes, the size grip, dragging and the moved
// handler.

#include "TestSupport.h"
#include "widgets/controls/ZCLCustomControl.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class ControlBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fWindow = std::make_unique<QWidget>();
    fWindow->resize(400, 300);
    fPanel = new TZCLCustomBevelPanel(fWindow.get());
    fPanel->setGeometry(50, 40, 120, 80);
    ShowActive(*fWindow);
  }
  std::unique_ptr<QWidget> fWindow;
  TZCLCustomBevelPanel* fPanel = nullptr;
};

TEST_F(ControlBaseTest, HitCodesOfGripBordersAndMovableArea) {
  EXPECT_EQ(fPanel->UserHitTest(QPoint(118, 78)), 1);  // all off: plain client
  fPanel->SetSizeGrip(true);
  EXPECT_EQ(fPanel->SizeGripRect(), Rect(104, 64, 120, 80));
  EXPECT_EQ(fPanel->UserHitTest(QPoint(110, 70)), 17);
  EXPECT_EQ(fPanel->UserHitTest(QPoint(60, 40)), 1);
  fPanel->SetUserResizable(true);
  fPanel->SetUserMovable(true);
  const struct {
    QPoint p;
    int code;
  } cases[] = {{{118, 40}, 11}, {{1, 40}, 10},  {{60, 1}, 12}, {{60, 78}, 15},
               {{1, 1}, 13},    {{118, 1}, 14}, {{1, 78}, 16}, {{60, 40}, 2}};
  for (const auto& c : cases) EXPECT_EQ(fPanel->UserHitTest(c.p), c.code) << c.p.x() << "," << c.p.y();
  // Not over child controls when so set.
  auto* child = new QWidget(fPanel);
  child->setGeometry(30, 30, 20, 20);
  child->show();
  fPanel->SetMoveOverChildren(false);
  EXPECT_EQ(fPanel->UserHitTest(QPoint(40, 40)), 1);
  EXPECT_EQ(fPanel->UserHitTest(QPoint(70, 40)), 2);
}

TEST_F(ControlBaseTest, DraggingTheGripResizesAndTheClientAreaMoves) {
  int moved = 0;
  fPanel->OnMoved = [&](QObject*) { ++moved; };
  fPanel->SetSizeGrip(true);
  Mouse(fPanel, QEvent::MouseButtonPress, QPoint(110, 70));
  Mouse(fPanel, QEvent::MouseMove, QPoint(140, 90), Qt::NoButton, Qt::LeftButton);
  Mouse(fPanel, QEvent::MouseButtonRelease, QPoint(140, 90), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fPanel->geometry(), QRect(50, 40, 150, 100));
  EXPECT_EQ(moved, 1);
  // Without the movable setting the client area does nothing.
  Mouse(fPanel, QEvent::MouseButtonPress, QPoint(20, 20));
  Mouse(fPanel, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
  Mouse(fPanel, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fPanel->pos(), QPoint(50, 40));
  fPanel->SetUserMovable(true);
  Mouse(fPanel, QEvent::MouseButtonPress, QPoint(20, 20));
  Mouse(fPanel, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
  Mouse(fPanel, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fPanel->pos(), QPoint(70, 50));
  EXPECT_EQ(moved, 2);
  // A resize never makes the control smaller than twice the border width.
  fPanel->SetUserResizable(true);
  Mouse(fPanel, QEvent::MouseButtonPress, QPoint(148, 50));
  Mouse(fPanel, QEvent::MouseMove, QPoint(-300, 50), Qt::NoButton, Qt::LeftButton);
  Mouse(fPanel, QEvent::MouseButtonRelease, QPoint(-300, 50), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fPanel->width(), 8);
}

TEST_F(ControlBaseTest, SizeGripIsPaintedInTheCorner) {
  fPanel->SetSizeGrip(true);
  const QImage image = Render(fPanel);
  int dark = 0;
  for (int x = 104; x < 120; ++x)
    for (int y = 64; y < 80; ++y) dark += FromQColor(image.pixelColor(x, y)) == ColorToRGB(clBtnShadow) ? 1 : 0;
  EXPECT_GT(dark, 0);
  int darkElsewhere = 0;
  for (int x = 40; x < 80; ++x)
    for (int y = 20; y < 50; ++y)
      darkElsewhere += FromQColor(image.pixelColor(x, y)) == ColorToRGB(clBtnShadow) ? 1 : 0;
  EXPECT_EQ(darkElsewhere, 0);
}

}  // namespace
}  // namespace zyn
