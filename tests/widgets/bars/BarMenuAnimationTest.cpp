// The opening animation of menus: the frames of unfold and slide, the growth away from the owning
// item, input that ends the animation at once, menus opened with the keyboard shown at once, and
// a menu closed while it unfolds. On the demo form with its MenuAnimations switched on.

#include "BarDemoWindow.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;
using M = TzbBarSubMenuControl;

TEST(BarMenuAnimationFrames, UnfoldAndSlideGrowAwayFromTheItem) {
  // 200 x 300 unfolds in 25 frames, 8 pixels wider and higher each, from 8 x 108.
  EXPECT_EQ(M::AnimationFrameCount(maUnfold, 200, 300), 25);
  EXPECT_EQ(M::AnimationFrame(maUnfold, 200, 300, 1, false, false), Bounds(0, 0, 8, 108));
  EXPECT_EQ(M::AnimationFrame(maUnfold, 200, 300, 2, false, false), Bounds(0, 0, 16, 116));
  EXPECT_EQ(M::AnimationFrame(maUnfold, 200, 300, 25, false, false), Bounds(0, 0, 200, 300));
  // Wider than tall: the height leads.
  EXPECT_EQ(M::AnimationFrameCount(maUnfold, 300, 100), 12);
  EXPECT_EQ(M::AnimationFrame(maUnfold, 300, 100, 1, false, false), Bounds(0, 0, 208, 8));
  // Slide: always the full width, 17 pixels more height per frame.
  EXPECT_EQ(M::AnimationFrameCount(maSlide, 150, 170), 10);
  EXPECT_EQ(M::AnimationFrame(maSlide, 150, 170, 3, false, false), Bounds(0, 0, 150, 51));
  // Flipped above its item the bottom edge stays, flipped to the left the right edge stays.
  EXPECT_EQ(M::AnimationFrame(maSlide, 150, 170, 3, false, true), Bounds(0, 119, 150, 51));
  EXPECT_EQ(M::AnimationFrame(maUnfold, 200, 300, 1, true, false), Bounds(192, 0, 8, 108));
  EXPECT_EQ(M::AnimationFrameCount(maFade, 200, 300), 0);
}

class BarMenuAnimation : public ::testing::Test {
 protected:
  BarMenuAnimation() { M::AnimationInterval = 60000; }  // the frames wait for the test
  ~BarMenuAnimation() override { M::AnimationInterval = 10; }
  M* OpenProjektByMouse() {
    demo.ClickControl(*demo.MenuBarEntry("Datei1"));
    return demo.MenuOf("Datei1");
  }
  BarDemoWindow demo;
};

TEST_F(BarMenuAnimation, AKeyEndsTheUnfoldAndActsOnTheWholeMenu) {
  demo.Manager->MenuAnimations = maUnfold;
  M* menu = OpenProjektByMouse();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->Animating());
  EXPECT_FALSE(menu->IsShadowVisible());
  const QSize first = menu->Widget()->size();
  demo.Key(Qt::Key_Down);
  EXPECT_FALSE(menu->Animating());
  EXPECT_GT(menu->Widget()->width(), first.width());
  EXPECT_GT(menu->Widget()->height(), first.height());
  ASSERT_NE(menu->SelectedControl(), nullptr);
  EXPECT_EQ(menu->SelectedControl()->Item().Name, "Neu1");
}

TEST_F(BarMenuAnimation, SlideKeepsTheFullWidthAndAKeyboardMenuOpensAtOnce) {
  demo.Manager->MenuAnimations = maSlide;
  M* menu = OpenProjektByMouse();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->Animating());
  const int frameWidth = menu->Widget()->width();
  menu->WaitForAnimation();
  EXPECT_EQ(menu->Widget()->width(), frameWidth);
  menu->HideAll();

  demo.Key(Qt::Key_F10);
  demo.Key(Qt::Key_Down);
  M* byKey = demo.MenuOf("Datei1");
  ASSERT_NE(byKey, nullptr);
  EXPECT_FALSE(byKey->Animating());
}

TEST_F(BarMenuAnimation, AMenuClosedWhileItUnfoldsGoesQuietly) {
  demo.Manager->MenuAnimations = maUnfold;
  M* menu = OpenProjektByMouse();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->Animating());
  menu->HideAll();
  QApplication::processEvents();
  EXPECT_EQ(demo.MenuOf("Datei1"), nullptr);
  demo.Manager->MenuAnimations = maNone;  // the main window's setting: shown at once
  M* plain = OpenProjektByMouse();
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->Animating());
}

TEST_F(BarMenuAnimation, FadeRaisesTheWindowOpacity) {
  demo.Manager->MenuAnimations = maFade;
  M* menu = OpenProjektByMouse();
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->Animating());  // no frames: the whole menu at once
  EXPECT_LT(menu->Widget()->windowOpacity(), 1.0);
  QTRY_COMPARE_WITH_TIMEOUT(menu->Widget()->windowOpacity(), 1.0, 2000);
}

}  // namespace
}  // namespace zyn
