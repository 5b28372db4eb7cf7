// User move and resize of the control bases: hit codes, the size grip, dragging and the moved
// handler.

#include "widgets/controls/ZCLCustomControl.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class ControlBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    window_ = std::make_unique<QWidget>();
    window_->resize(400, 300);
    panel_ = new TZCLCustomBevelPanel(window_.get());
    panel_->setGeometry(50, 40, 120, 80);
    ShowActive(*window_);
  }
  std::unique_ptr<QWidget> window_;
  TZCLCustomBevelPanel* panel_ = nullptr;
};

TEST_F(ControlBaseTest, HitCodesOfGripBordersAndMovableArea) {
  EXPECT_EQ(panel_->UserHitTest(QPoint(118, 78)), 1);  // all off: plain client
  panel_->SetSizeGrip(true);
  EXPECT_EQ(panel_->SizeGripRect(), Rect(104, 64, 120, 80));
  EXPECT_EQ(panel_->UserHitTest(QPoint(110, 70)), 17);
  EXPECT_EQ(panel_->UserHitTest(QPoint(60, 40)), 1);
  panel_->SetUserResizable(true);
  panel_->SetUserMovable(true);
  const struct {
    QPoint p;
    int code;
  } cases[] = {{{118, 40}, 11}, {{1, 40}, 10}, {{60, 1}, 12}, {{60, 78}, 15}, {{1, 1}, 13},
               {{118, 1}, 14}, {{1, 78}, 16}, {{60, 40}, 2}};
  for (const auto& c : cases) EXPECT_EQ(panel_->UserHitTest(c.p), c.code) << c.p.x() << "," << c.p.y();
  // Not over child controls when so set.
  auto* child = new QWidget(panel_);
  child->setGeometry(30, 30, 20, 20);
  child->show();
  panel_->SetMoveOverChildren(false);
  EXPECT_EQ(panel_->UserHitTest(QPoint(40, 40)), 1);
  EXPECT_EQ(panel_->UserHitTest(QPoint(70, 40)), 2);
}

TEST_F(ControlBaseTest, DraggingTheGripResizesAndTheClientAreaMoves) {
  int moved = 0;
  panel_->OnMoved = [&](QObject*) { ++moved; };
  panel_->SetSizeGrip(true);
  Mouse(panel_, QEvent::MouseButtonPress, QPoint(110, 70));
  Mouse(panel_, QEvent::MouseMove, QPoint(140, 90), Qt::NoButton, Qt::LeftButton);
  Mouse(panel_, QEvent::MouseButtonRelease, QPoint(140, 90), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel_->geometry(), QRect(50, 40, 150, 100));
  EXPECT_EQ(moved, 1);
  // Without the movable setting the client area does nothing.
  Mouse(panel_, QEvent::MouseButtonPress, QPoint(20, 20));
  Mouse(panel_, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
  Mouse(panel_, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel_->pos(), QPoint(50, 40));
  panel_->SetUserMovable(true);
  Mouse(panel_, QEvent::MouseButtonPress, QPoint(20, 20));
  Mouse(panel_, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
  Mouse(panel_, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel_->pos(), QPoint(70, 50));
  EXPECT_EQ(moved, 2);
  // A resize never makes the control smaller than twice the border width.
  panel_->SetUserResizable(true);
  Mouse(panel_, QEvent::MouseButtonPress, QPoint(148, 50));
  Mouse(panel_, QEvent::MouseMove, QPoint(-300, 50), Qt::NoButton, Qt::LeftButton);
  Mouse(panel_, QEvent::MouseButtonRelease, QPoint(-300, 50), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel_->width(), 8);
}

TEST_F(ControlBaseTest, SizeGripIsPaintedInTheCorner) {
  panel_->SetSizeGrip(true);
  const QImage image = Render(panel_);
  int dark = 0;
  for (int x = 104; x < 120; ++x)
    for (int y = 64; y < 80; ++y) dark += FromQColor(image.pixelColor(x, y)) == ColorToRGB(clBtnShadow) ? 1 : 0;
  EXPECT_GT(dark, 0);
  int darkElsewhere = 0;
  for (int x = 40; x < 80; ++x)
    for (int y = 20; y < 50; ++y) darkElsewhere += FromQColor(image.pixelColor(x, y)) == ColorToRGB(clBtnShadow) ? 1 : 0;
  EXPECT_EQ(darkElsewhere, 0);
}

}  // namespace
}  // namespace zyn
