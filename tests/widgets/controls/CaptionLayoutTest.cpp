#include "TestSupport.h"
#include "widgets/controls/ZCL3DCaption.h"
#include "widgets/controls/ZCLGlyphTextLayout.h"

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

TEST(Layout, MeasureTextGrowsByTheCaptionDepthAndTheInflation) {
  EnsureApp();
  QImage image(200, 60, QImage::Format_RGB32);
  TCanvas canvas(&image);
  canvas.Font.Font.setPixelSize(12);
  TRect plain = MeasureText(canvas, QStringLiteral("Wert"), nullptr, 0, 0, false, false);
  TZCL3DCaption caption;
  caption.SetStyle(tdRaisedShadow);
  caption.SetDepth(0, 2);
  caption.SetDepth(1, 3);
  TRect deep = MeasureText(canvas, QStringLiteral("Wert"), &caption, 0, 1, false, false);
  EXPECT_EQ(deep.Width() - plain.Width(), 5 + 2);  // light + shadow depth, 2 x (1 + 1) instead of 2
  EXPECT_EQ(deep.Height() - plain.Height(), 5 + 2);
  // An empty text is measured as one blank.
  const TRect blank = MeasureText(canvas, QString(), nullptr, 0, 0, false, false);
  EXPECT_EQ(blank.Width(), canvas.TextWidth(QStringLiteral(" ")) + 2);
  // A rotated caption measures the turned box and sets its origin; 360 degrees is no rotation.
  TZCLFxCaption fx;
  fx.SetPos(0, 7);
  MeasureText(canvas, QStringLiteral("Wert"), &fx, 0, 0, false, false);
  EXPECT_EQ(fx.PosX(), 0);
  fx.SetAngle(90);
  const TRect turned = MeasureText(canvas, QStringLiteral("Wert"), &fx, 0, 0, false, false);
  EXPECT_EQ(turned.Width(), canvas.TextHeight(QStringLiteral("Wert")));
  EXPECT_EQ(turned.Height(), canvas.TextWidth(QStringLiteral("Wert")));
}

TEST(Layout, DrawGlyphTextPlacesGlyphTextArrowAndFocus) {
  EnsureApp();
  QImage image(120, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  canvas.Font.Font.setPixelSize(12);
  canvas.Font.Color = clBlack;
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(QColor(255, 0, 255));
  glyph.setPixelColor(5, 5, Qt::blue);
  TZCLButtonLayout layout;
  layout.SetAlignment(agTopLeft);
  layout.SetAlignText2Glyph(taRight);
  const TRect source = Rect(0, 0, 16, 16);
  auto r = DrawGlyphText(canvas, QStringLiteral("Ab"), nullptr, DT_SINGLELINE, gtfEnabled, true, false, false, layout,
                         RGB(255, 0, 255), nullptr, source, &glyph, Rect(0, 0, 120, 40));
  EXPECT_EQ(r.Glyph, Rect(0, 0, 16, 16));
  EXPECT_EQ(r.Text.Left - r.Glyph.Left, 18 + 1);
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clBlue);
  EXPECT_EQ(FromQColor(image.pixelColor(6, 6)), clWhite);  // the transparent colour is left out
  EXPECT_EQ(r.Focus, Rect(1, 1, 119, 39));
  // The arrow widens the text by 2 x size - 1 + indent and sits at its right end.
  layout.SetArrow(true);
  image.fill(Qt::white);
  const auto a = DrawGlyphText(canvas, QStringLiteral("Ab"), nullptr, DT_SINGLELINE, gtfEnabled | gtfFocusText, true,
                               false, false, layout, RGB(255, 0, 255), nullptr, source, &glyph, Rect(0, 0, 120, 40));
  EXPECT_EQ(a.Text.Width() - r.Text.Width(), 5 + 3);
  const int arrowX = a.Text.Right - 5 - 1, arrowY = a.Text.Top + a.Text.Height() / 2 - 1;
  EXPECT_EQ(FromQColor(image.pixelColor(arrowX, arrowY)), clBlack);
  EXPECT_EQ(FromQColor(image.pixelColor(arrowX + 4, arrowY)), clBlack);  // top row of a size-3 arrow: 5 pixels
  EXPECT_EQ(FromQColor(image.pixelColor(arrowX + 2, arrowY + 2)), clBlack);
  TRect focus = a.Text;
  InflateRect(focus, 1, 1);
  EXPECT_EQ(a.Focus, focus);
  // Measuring draws nothing and gives the union, inflated twice.
  image.fill(Qt::white);
  const auto m = DrawGlyphText(canvas, QStringLiteral("Ab"), nullptr, DT_SINGLELINE, gtfEnabled | gtfMeasure, true,
                               false, false, layout, RGB(255, 0, 255), nullptr, source, &glyph, Rect(0, 0, 120, 40));
  TRect both = m.Union;
  InflateRect(both, 2, 2);
  EXPECT_EQ(m.Focus, both);
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clWhite);
  // Text only: no spacing.
  const auto t = DrawGlyphText(canvas, QStringLiteral("Ab"), nullptr, DT_SINGLELINE, gtfMeasure, false, false, false,
                               TZCLGlyphTextLayout(), clNone, nullptr, TRect{}, nullptr, Rect(0, 0, 120, 40));
  EXPECT_EQ(t.Text.Left, 1);
  EXPECT_TRUE(IsRectEmpty(t.Glyph));
}

TEST(Graph, BitmapPlacementAndButtonStyles) {
  EnsureApp();
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  QImage bitmap(10, 10, QImage::Format_RGB32);
  bitmap.fill(Qt::red);
  bitmap.setPixelColor(0, 9, Qt::green);  // the bottom-left pixel names the transparent colour
  EXPECT_EQ(DrawBitmapRect(canvas, Rect(0, 0, 40, 40), bitmap, bdfCenter, clNone), Rect(15, 15, 25, 25));
  EXPECT_EQ(FromQColor(image.pixelColor(15, 24)), clLime);
  image.fill(Qt::white);
  DrawBitmapRect(canvas, Rect(0, 0, 40, 40), bitmap, bdfTransparent, clNone);
  EXPECT_EQ(FromQColor(image.pixelColor(0, 9)), clWhite);
  EXPECT_EQ(FromQColor(image.pixelColor(1, 9)), clRed);
  EXPECT_EQ(
      DrawBitmapRect(canvas, Rect(0, 0, 40, 20), bitmap, bdfStretch | bdfAspectFromHeight | bdfAspectFromWidth, clNone),
      Rect(0, 0, 20, 20));
  image.fill(Qt::white);
  DrawBitmapRect(canvas, Rect(0, 0, 35, 35), bitmap, bdfTile, clNone);
  EXPECT_EQ(FromQColor(image.pixelColor(34, 34)), clRed);
  EXPECT_EQ(FromQColor(image.pixelColor(35, 35)), clWhite);  // clipped to the rectangle
  // Clipped to the target moved 5 pixels right: the left 5 columns stay untouched.
  image.fill(Qt::white);
  DrawBitmapClipped(canvas, Rect(0, 0, 10, 10), bitmap, 0, clNone, 5u);
  EXPECT_EQ(FromQColor(image.pixelColor(2, 2)), clWhite);
  EXPECT_EQ(FromQColor(image.pixelColor(7, 2)), clRed);
  TZCLUserButtonStyle style = ubsWin31;
  bool themed = false;
  EXPECT_TRUE(ReadButtonStyle(QStringLiteral("ubsWinXPTool"), style, themed));
  EXPECT_EQ(style, ubsExplorer);
  EXPECT_TRUE(themed);
  themed = false;
  EXPECT_TRUE(ReadButtonStyle(QStringLiteral("ubsOffice"), style, themed));
  EXPECT_EQ(style, ubsOffice);
  EXPECT_FALSE(themed);
  EXPECT_FALSE(ReadButtonStyle(QStringLiteral("ubsUnknown"), style, themed));
  EXPECT_EQ(LoadButtonGlyph(1).size(), QSize(13, 14));
  EXPECT_TRUE(LoadButtonGlyph(0).isNull());
}

}  // namespace
}  // namespace zyn
