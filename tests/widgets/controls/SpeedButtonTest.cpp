#include "TestSupport.h"
#include "widgets/controls/ZCLSpeedButton.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fWindow = std::make_unique<QWidget>();
    fWindow->resize(200, 100);
    for (int i = 0; i < 3; ++i) {
      fButtons[i] = new TZCLSpeedButton(fWindow.get());
      fButtons[i]->setGeometry(10 + 30 * i, 10, 23, 22);
    }
    ShowActive(*fWindow);
  }
  std::unique_ptr<QWidget> fWindow;
  TZCLSpeedButton* fButtons[3] = {};
};

TEST_F(SpeedButtonTest, ClickFiresOnReleaseInsideOnly) {
  int clicks = 0;
  fButtons[0]->OnClick = [&](QObject*) { ++clicks; };
  Mouse(fButtons[0], QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(fButtons[0]->State(), bstPushed);
  Mouse(fButtons[0], QEvent::MouseMove, QPoint(50, 5));
  EXPECT_EQ(fButtons[0]->State(), bstUp);
  Mouse(fButtons[0], QEvent::MouseButtonRelease, QPoint(50, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 0);
  Click(fButtons[0], QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, GroupLatchesOneButton) {
  for (auto* b : fButtons) b->SetGroupIndex(1);
  fButtons[0]->SetPressed(true);
  EXPECT_TRUE(fButtons[0]->Pressed());
  EXPECT_EQ(fButtons[0]->State(), bstDown);
  Click(fButtons[1], QPoint(5, 5));
  EXPECT_TRUE(fButtons[1]->Pressed());
  EXPECT_FALSE(fButtons[0]->Pressed());
  EXPECT_EQ(fButtons[0]->State(), bstUp);
  // Without AllowAllUp a latched button stays down.
  Click(fButtons[1], QPoint(5, 5));
  EXPECT_TRUE(fButtons[1]->Pressed());
  fButtons[1]->SetPressed(false);
  EXPECT_TRUE(fButtons[1]->Pressed());
  fButtons[2]->SetAllowAllUp(true);
  EXPECT_TRUE(fButtons[1]->AllowAllUp());
  Click(fButtons[1], QPoint(5, 5));
  EXPECT_FALSE(fButtons[1]->Pressed());
}

TEST_F(SpeedButtonTest, PressedNeedsAGroup) {
  fButtons[0]->SetPressed(true);
  EXPECT_FALSE(fButtons[0]->Pressed());
}

TEST_F(SpeedButtonTest, EnablingSetsTheState) {
  fButtons[0]->SetGroupIndex(2);
  fButtons[0]->SetPressed(true);
  fButtons[0]->setEnabled(false);
  EXPECT_EQ(fButtons[0]->State(), bstDisabledDown);
  fButtons[0]->setEnabled(true);
  EXPECT_EQ(fButtons[0]->State(), bstDown);
}

TEST_F(SpeedButtonTest, RepeatedClickClicksAtOnceAndOnTicks) {
  int clicks = 0;
  fButtons[0]->SetRepeatedClick(true);
  fButtons[0]->OnClick = [&](QObject*) { ++clicks; };
  Mouse(fButtons[0], QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  fButtons[0]->RepeatTick();
  fButtons[0]->RepeatTick();
  EXPECT_EQ(clicks, 3);
  Mouse(fButtons[0], QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 3);  // the release does not click again
}

TEST_F(SpeedButtonTest, GlyphCountFollowsTheBitmapShape) {
  QImage four(64, 16, QImage::Format_RGB32);
  fButtons[0]->SetGlyph(four);
  EXPECT_EQ(fButtons[0]->NumGlyphs(), 4);
  fButtons[0]->SetGlyph(QImage(96, 16, QImage::Format_RGB32));
  EXPECT_EQ(fButtons[0]->NumGlyphs(), 1);
  fButtons[0]->SetNumGlyphs(3);
  fButtons[0]->SetGlyph(QImage(50, 16, QImage::Format_RGB32));
  EXPECT_EQ(fButtons[0]->NumGlyphs(), 3);
}

TEST_F(SpeedButtonTest, PushedFaceIsSunken) {
  const QImage up = Render(fButtons[0]);
  EXPECT_EQ(FromQColor(up.pixelColor(0, 0)), ColorToRGB(clBtnHighlight));
  Mouse(fButtons[0], QEvent::MouseButtonPress, QPoint(5, 5));
  const QImage pushed = Render(fButtons[0]);
  const TColor corner = FromQColor(pushed.pixelColor(0, 0));
  EXPECT_TRUE(corner == ColorToRGB(clBtnShadow) || corner == ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(FromQColor(pushed.pixelColor(22, 21)), ColorToRGB(clBtnHighlight));
  Mouse(fButtons[0], QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  fButtons[0]->SetButtonStyle(ubsFlat);
  fButtons[0]->SetState(bstUp, true);
  const QImage flat = Render(fButtons[0]);
  EXPECT_EQ(FromQColor(flat.pixelColor(0, 0)), ColorToRGB(clBtnFace));
  fButtons[0]->SetState(bstHot);
  const QImage hot = Render(fButtons[0]);
  EXPECT_EQ(FromQColor(hot.pixelColor(0, 0)), ColorToRGB(clBtnHighlight));
}

TEST_F(SpeedButtonTest, AcceleratorClicksTogglesOrDropsDown) {
  EXPECT_EQ(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("&Öffnen")), QChar(0xD6));
  EXPECT_TRUE(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("A&&B")).isNull());
  EXPECT_EQ(TZCLBaseGraphicButton::AcceleratorOf(QStringLiteral("A&&B&c")), QLatin1Char('C'));
  int clicks = 0;
  fButtons[0]->OnClick = [&](QObject*) { ++clicks; };
  fButtons[0]->SetCaption(QStringLiteral("&Suchen"));
  EXPECT_FALSE(fButtons[0]->DialogChar(QLatin1Char('x')));
  EXPECT_TRUE(fButtons[0]->DialogChar(QLatin1Char('s')));
  EXPECT_EQ(clicks, 1);
  // Through the key itself: Alt+S reaches the button as its shortcut.
  Key(fWindow.get(), Qt::Key_S, Qt::AltModifier);
  QApplication::processEvents();
  EXPECT_EQ(clicks, 2);
  // A grouped button toggles and clicks only when it became pressed.
  fButtons[0]->SetGroupIndex(1);
  fButtons[0]->SetAllowAllUp(true);
  EXPECT_TRUE(fButtons[0]->DialogChar(QLatin1Char('S')));
  EXPECT_TRUE(fButtons[0]->Pressed());
  EXPECT_EQ(clicks, 3);
  EXPECT_TRUE(fButtons[0]->DialogChar(QLatin1Char('S')));
  EXPECT_FALSE(fButtons[0]->Pressed());
  EXPECT_EQ(clicks, 3);
  // A disabled or hidden button ignores its key.
  fButtons[0]->setEnabled(false);
  EXPECT_FALSE(fButtons[0]->DialogChar(QLatin1Char('S')));
  fButtons[0]->setEnabled(true);
  fButtons[0]->hide();
  EXPECT_FALSE(fButtons[0]->DialogChar(QLatin1Char('S')));
}

}  // namespace
}  // namespace zyn
