#include "widgets/controls/ZCL3DCaption.h"
#include "widgets/controls/ZCLGlyphTextLayout.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

TEST(Caption, AngleAndDescriptions) {
  TZCLFxCaption fx;
  fx.SetAngle(360);
  EXPECT_EQ(fx.Angle(), 0);
  EXPECT_EQ(fx.Description(), QStringLiteral("{Disabled}"));
  fx.SetAngle(45);
  EXPECT_EQ(fx.Description(), QStringLiteral("{ rot: 45°}"));
  fx.SetStyle(tdRaised);
  EXPECT_EQ(fx.Description(), QStringLiteral("{raised, rot: 45°}"));
  fx.SetAngle(400);
  EXPECT_EQ(fx.Angle(), 45);
  TZCLFxCaption copy;
  copy.Assign(fx);
  EXPECT_EQ(copy.Angle(), 45);
  EXPECT_EQ(copy.Style(), tdRaised);
}

// The leftmost column and topmost row holding a pixel of the colour.
TPoint FirstInk(const QImage& image, TColor color) {
  TPoint p{-1, -1};
  for (int x = 0; x < image.width() && p.X < 0; ++x)
    for (int y = 0; y < image.height(); ++y)
      if (FromQColor(image.pixelColor(x, y)) == color) {
        p.X = x;
        break;
      }
  for (int y = 0; y < image.height() && p.Y < 0; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (FromQColor(image.pixelColor(x, y)) == color) {
        p.Y = y;
        break;
      }
  return p;
}

TEST(Caption, RaisedDrawsLightAtTheStartAndTextDownRight) {
  EnsureApp();
  QImage light(60, 30, QImage::Format_RGB32), text(60, 30, QImage::Format_RGB32);
  TZCL3DCaption caption;
  caption.SetStyle(tdRaised);
  caption.SetDepth(0, 2);
  caption.SetCaptionColor(0, clRed);
  for (QImage* img : {&light, &text}) img->fill(Qt::white);
  {
    TCanvas c(&light);
    c.Font.Font.setPixelSize(16);
    c.Font.Color = clWhite;  // only the light copy shows
    Draw3DText(c, QStringLiteral("H"), &caption, TRect{}, dtfEnabled, DT_SINGLELINE | DT_NOCLIP, Rect(5, 5, 55, 28));
  }
  {
    TCanvas c(&text);
    c.Font.Font.setPixelSize(16);
    c.Font.Color = clBlue;
    caption.SetCaptionColor(0, clWhite);  // only the text shows
    Draw3DText(c, QStringLiteral("H"), &caption, TRect{}, dtfEnabled, DT_SINGLELINE | DT_NOCLIP, Rect(5, 5, 55, 28));
  }
  const TPoint a = FirstInk(light, clRed), b = FirstInk(text, clBlue);
  ASSERT_GE(a.X, 0);
  ASSERT_GE(b.X, 0);
  EXPECT_EQ(b.X - a.X, 2);
  EXPECT_EQ(b.Y - a.Y, 2);
}

TEST(Layout, GlyphAndTextPlacement) {
  TZCLGlyphTextLayout layout;
  EXPECT_EQ(layout.Spacing(), 2);
  layout.SetAlignText2Glyph(taRight);
  auto p = PlaceGlyphText(layout, Rect(0, 0, 100, 20), 30, 12, 16, 16);
  EXPECT_EQ(p.Text.Left - p.Glyph.Left, 18 + 1);
  EXPECT_EQ(p.Glyph, Rect(0, 0, 16, 16));
  p = PlaceGlyphText(layout, Rect(0, 0, 100, 20), 30, 12, 0, 0);  // text only: no spacing
  EXPECT_EQ(p.Text, Rect(1, 1, 31, 13));
  TZCLButtonLayout button;
  EXPECT_EQ(button.Alignment(), agCenter);
  button.SetArrowSize(12);
  EXPECT_EQ(button.ArrowSize(), 10);
  button.SetAlignText2Glyph(taBottom);
  p = PlaceGlyphText(button, Rect(0, 0, 40, 40), 20, 10, 16, 16);
  EXPECT_EQ(p.Glyph, Rect(12, 6, 28, 22));
  EXPECT_EQ(p.Text, Rect(11, 25, 31, 35));
}

}  // namespace
}  // namespace zyn
