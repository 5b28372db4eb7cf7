#include "widgets/controls/ZCLSpeedButton.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    window_ = std::make_unique<QWidget>();
    window_->resize(200, 100);
    for (int i = 0; i < 3; ++i) {
      buttons_[i] = new TZCLSpeedButton(window_.get());
      buttons_[i]->setGeometry(10 + 30 * i, 10, 23, 22);
    }
    ShowActive(*window_);
  }
  std::unique_ptr<QWidget> window_;
  TZCLSpeedButton* buttons_[3] = {};
};

TEST_F(SpeedButtonTest, ClickFiresOnReleaseInsideOnly) {
  int clicks = 0;
  buttons_[0]->OnClick = [&](QObject*) { ++clicks; };
  Mouse(buttons_[0], QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(buttons_[0]->State(), bstPushed);
  Mouse(buttons_[0], QEvent::MouseMove, QPoint(50, 5));
  EXPECT_EQ(buttons_[0]->State(), bstUp);
  Mouse(buttons_[0], QEvent::MouseButtonRelease, QPoint(50, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 0);
  Click(buttons_[0], QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, GroupLatchesOneButton) {
  for (auto* b : buttons_) b->SetGroupIndex(1);
  buttons_[0]->SetPressed(true);
  EXPECT_TRUE(buttons_[0]->Pressed());
  EXPECT_EQ(buttons_[0]->State(), bstDown);
  Click(buttons_[1], QPoint(5, 5));
  EXPECT_TRUE(buttons_[1]->Pressed());
  EXPECT_FALSE(buttons_[0]->Pressed());
  EXPECT_EQ(buttons_[0]->State(), bstUp);
  // Without AllowAllUp a latched button stays down.
  Click(buttons_[1], QPoint(5, 5));
  EXPECT_TRUE(buttons_[1]->Pressed());
  buttons_[1]->SetPressed(false);
  EXPECT_TRUE(buttons_[1]->Pressed());
  buttons_[2]->SetAllowAllUp(true);
  EXPECT_TRUE(buttons_[1]->AllowAllUp());
  Click(buttons_[1], QPoint(5, 5));
  EXPECT_FALSE(buttons_[1]->Pressed());
}

TEST_F(SpeedButtonTest, PressedNeedsAGroup) {
  buttons_[0]->SetPressed(true);
  EXPECT_FALSE(buttons_[0]->Pressed());
}

TEST_F(SpeedButtonTest, EnablingSetsTheState) {
  buttons_[0]->SetGroupIndex(2);
  buttons_[0]->SetPressed(true);
  buttons_[0]->setEnabled(false);
  EXPECT_EQ(buttons_[0]->State(), bstDisabledDown);
  buttons_[0]->setEnabled(true);
  EXPECT_EQ(buttons_[0]->State(), bstDown);
}

TEST_F(SpeedButtonTest, RepeatedClickClicksAtOnceAndOnTicks) {
  int clicks = 0;
  buttons_[0]->SetRepeatedClick(true);
  buttons_[0]->OnClick = [&](QObject*) { ++clicks; };
  Mouse(buttons_[0], QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  buttons_[0]->RepeatTick();
  buttons_[0]->RepeatTick();
  EXPECT_EQ(clicks, 3);
  Mouse(buttons_[0], QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 3);  // the release does not click again
}

TEST_F(SpeedButtonTest, GlyphCountFollowsTheBitmapShape) {
  QImage four(64, 16, QImage::Format_RGB32);
  buttons_[0]->SetGlyph(four);
  EXPECT_EQ(buttons_[0]->NumGlyphs(), 4);
  buttons_[0]->SetGlyph(QImage(96, 16, QImage::Format_RGB32));
  EXPECT_EQ(buttons_[0]->NumGlyphs(), 1);
  buttons_[0]->SetNumGlyphs(3);
  buttons_[0]->SetGlyph(QImage(50, 16, QImage::Format_RGB32));
  EXPECT_EQ(buttons_[0]->NumGlyphs(), 3);
}

TEST_F(SpeedButtonTest, PushedFaceIsSunken) {
  const QImage up = Render(buttons_[0]);
  EXPECT_EQ(FromQColor(up.pixelColor(0, 0)), ColorToRGB(clBtnHighlight));
  Mouse(buttons_[0], QEvent::MouseButtonPress, QPoint(5, 5));
  const QImage pushed = Render(buttons_[0]);
  const TColor corner = FromQColor(pushed.pixelColor(0, 0));
  EXPECT_TRUE(corner == ColorToRGB(clBtnShadow) || corner == ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(FromQColor(pushed.pixelColor(22, 21)), ColorToRGB(clBtnHighlight));
  Mouse(buttons_[0], QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  buttons_[0]->SetButtonStyle(ubsFlat);
  buttons_[0]->SetState(bstUp, true);
  const QImage flat = Render(buttons_[0]);
  EXPECT_EQ(FromQColor(flat.pixelColor(0, 0)), ColorToRGB(clBtnFace));
  buttons_[0]->SetState(bstHot);
  const QImage hot = Render(buttons_[0]);
  EXPECT_EQ(FromQColor(hot.pixelColor(0, 0)), ColorToRGB(clBtnHighlight));
}

TEST_F(SpeedButtonTest, AcceleratorClicksTogglesOrDropsDown) {
  EXPECT_EQ(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("&Öffnen")), QChar(0xD6));
  EXPECT_TRUE(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("A&&B")).isNull());
  EXPECT_EQ(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("A&&B&c")), QLatin1Char('C'));
  int clicks = 0;
  buttons_[0]->OnClick = [&](QObject*) { ++clicks; };
  buttons_[0]->SetCaption(QStringLiteral("&Suchen"));
  EXPECT_FALSE(buttons_[0]->DialogChar(QLatin1Char('x')));
  EXPECT_TRUE(buttons_[0]->DialogChar(QLatin1Char('s')));
  EXPECT_EQ(clicks, 1);
  // Through the key itself: Alt+S reaches the button as its shortcut.
  Key(window_.get(), Qt::Key_S, Qt::AltModifier);
  QApplication::processEvents();
  EXPECT_EQ(clicks, 2);
  // A grouped button toggles and clicks only when it became pressed.
  buttons_[0]->SetGroupIndex(1);
  buttons_[0]->SetAllowAllUp(true);
  EXPECT_TRUE(buttons_[0]->DialogChar(QLatin1Char('S')));
  EXPECT_TRUE(buttons_[0]->Pressed());
  EXPECT_EQ(clicks, 3);
  EXPECT_TRUE(buttons_[0]->DialogChar(QLatin1Char('S')));
  EXPECT_FALSE(buttons_[0]->Pressed());
  EXPECT_EQ(clicks, 3);
  // A disabled or hidden button ignores its key.
  buttons_[0]->setEnabled(false);
  EXPECT_FALSE(buttons_[0]->DialogChar(QLatin1Char('S')));
  buttons_[0]->setEnabled(true);
  buttons_[0]->hide();
  EXPECT_FALSE(buttons_[0]->DialogChar(QLatin1Char('S')));
}

}  // namespace
}  // namespace zyn
