#include "TestSupport.h"
#include "widgets/controls/ZCLBitmapEffect.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

TEST(Gradient, TwoColorTableAndKeyList) {
  TZCLGradient g;
  g.SetColor(clBlack);
  g.SetEndColor(clWhite);
  g.SetColorCount(3);
  ASSERT_EQ(g.Table().size(), 3u);
  EXPECT_EQ(g.Table()[1], 0x808080);
  EXPECT_EQ(g.Description(), QStringLiteral("vertical, Col: 3, 2 col mode"));
  g.SetTwoColors(false);
  EXPECT_TRUE(g.Table().empty());  // fewer than two keys paint nothing
  g.SetColorCount(8);
  g.SetColorList({clRed, clLime, clBlue});
  // Two segments of 8 / 3 = 2 colours; the second leaves out its first.
  EXPECT_EQ(g.Table(), (std::vector<TColor>{clRed, clLime, clBlue}));
}

TEST(Effects, PixelOperations) {
  EnsureApp();
  QImage img(2, 2, QImage::Format_RGB32);
  img.setPixel(0, 0, qRgb(255, 0, 0));
  img.setPixel(1, 0, qRgb(255, 255, 255));
  img.setPixel(0, 1, qRgb(10, 20, 30));
  img.setPixel(1, 1, qRgb(250, 5, 128));
  QImage gray = img;
  GrayScale(gray, Rect(0, 0, 2, 2));
  EXPECT_EQ(qRed(gray.pixel(0, 0)), 76);
  EXPECT_EQ(qBlue(gray.pixel(0, 0)), 76);
  EXPECT_EQ(qRed(gray.pixel(1, 0)), 254);
  QImage inv = img;
  Invert(inv, Rect(0, 0, 2, 2));
  EXPECT_EQ(inv.pixel(0, 1) & 0xFFFFFF, qRgb(245, 235, 225) & 0xFFFFFF);
  QImage bright = img;
  Brightness(bright, Rect(0, 0, 2, 2), 10);
  EXPECT_EQ(bright.pixel(1, 1) & 0xFFFFFF, qRgb(255, 15, 138) & 0xFFFFFF);
  QImage flipped = img;
  FlipVertical(flipped, Rect(0, 0, 2, 2));
  EXPECT_EQ(flipped.pixel(0, 0), img.pixel(0, 1));
  FlipHorizontal(flipped, Rect(0, 0, 2, 2));
  EXPECT_EQ(flipped.pixel(0, 0), img.pixel(1, 1));
}

TEST(Effects, BlendChecksFormatsAndMixes) {
  QImage a(1, 1, QImage::Format_RGB32), b(1, 1, QImage::Format_RGB32), t(1, 1, QImage::Format_RGB32);
  a.fill(QColor(200, 100, 0));
  b.fill(QColor(0, 100, 200));
  Blend(a, b, t, 0.5);
  EXPECT_EQ(t.pixel(0, 0) & 0xFFFFFF, qRgb(100, 100, 100) & 0xFFFFFF);
  QImage mono(1, 1, QImage::Format_Mono);
  try {
    Blend(a, mono, t, 0.5);
    FAIL();
  } catch (const EZCLWrongPixelFormat& e) {
    EXPECT_STREQ(e.what(), "Wrong PixelFormat in Source 2 bitmap!");
  }
}

TEST(Effects, EffectObjectAppliesInOrderAndDescribes) {
  EnsureApp();
  TZCLBitmapEffectObject fx;
  EXPECT_FALSE(fx.IsActive());
  EXPECT_EQ(fx.Description(), QStringLiteral("{Disabled}"));
  fx.SetFlag(3, true);
  fx.SetBrightness(-20);
  EXPECT_TRUE(fx.IsActive());
  EXPECT_EQ(fx.Description(), QStringLiteral("{INV,B}"));
  QImage source(4, 4, QImage::Format_RGB32);
  source.fill(QColor(10, 10, 10));
  QImage target;
  fx.ApplyEffects(source, Rect(1, 1, 3, 3), target);
  EXPECT_EQ(target.size(), QSize(2, 2));
  EXPECT_EQ(qRed(target.pixel(0, 0)), 225);  // inverted to 245, then 20 darker
  fx.AlphaBlend().FillObject().SetStyle(sfBrush);
  fx.AlphaBlend().FillObject().Brush = TBrush{clBlack, bsSolid, QImage()};
  EXPECT_EQ(fx.AlphaBlend().Description(), QStringLiteral("{Enabled (brush), strength: 0.600}"));
  fx.ApplyEffects(source, Rect(1, 1, 3, 3), target);
  EXPECT_EQ(qRed(target.pixel(0, 0)), 135);  // 0 + round(0.6 * 225)
}

TEST(Effects, FillObjectStyles) {
  EnsureApp();
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  TZCLFillObject fill;
  {
    TCanvas c(&img);
    EXPECT_FALSE(fill.FillCanvas(c, Rect(0, 0, 10, 10), clRed));
    fill.SetStyle(sfBitmap);
    EXPECT_FALSE(fill.FillCanvas(c, Rect(0, 0, 10, 10), clRed));  // empty bitmap: background only
  }
  EXPECT_EQ(FromQColor(img.pixelColor(5, 5)), clRed);
  fill.Bitmap = QImage(3, 3, QImage::Format_RGB32);
  fill.Bitmap.fill(Qt::blue);
  fill.SetTileMode(tmNone);
  fill.SetAlignment(agBottomRight);
  {
    TCanvas c(&img);
    EXPECT_TRUE(fill.FillCanvas(c, Rect(0, 0, 10, 10), clLime));
  }
  EXPECT_EQ(FromQColor(img.pixelColor(9, 9)), clBlue);
  EXPECT_EQ(FromQColor(img.pixelColor(6, 6)), clLime);
}

TEST(Effects, ShapeFillIsTheBaseOfTheFillObject) {
  TZCLShapeFill shape;
  EXPECT_EQ(shape.Style(), sfBrush);
  EXPECT_EQ(shape.TileMode(), tmTile);
  EXPECT_EQ(shape.Description(), QStringLiteral("{Brush}"));
  TZCLFillObject fill;
  EXPECT_EQ(fill.Style(), sfNone);
  EXPECT_EQ(fill.Description(), QStringLiteral("{Disabled}"));
  TZCLShapeFill& base = fill;
  int changes = 0;
  fill.OnChange = [&](QObject*) { ++changes; };
  base.Gradient().SetColorCount(4);  // the gradient's changes reach the owner
  EXPECT_EQ(changes, 1);
}

TEST(Effects, GradientFillFlagsClipWithTheOffsetAndPaintOffScreen) {
  EnsureApp();
  QImage image(40, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  std::vector<TColor> table;
  BuildColorRange(clBlack, clBlack, 2, true, table);
  // The clip rectangle is the fill rectangle moved by (10, 0): only its right part is painted.
  GradientFill(canvas, Rect(0, 0, 20, 10), gstHorizontal, table, gfClip, 10u);
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clWhite);
  EXPECT_EQ(FromQColor(image.pixelColor(15, 5)), clBlack);
  EXPECT_EQ(FromQColor(image.pixelColor(25, 5)), clWhite);
  image.fill(Qt::white);
  std::vector<TColor> two;
  BuildColorRange(clRed, clBlue, 2, true, two);
  GradientFill(canvas, Rect(10, 0, 30, 10), gstVertical, two, gfOffscreen);
  EXPECT_EQ(FromQColor(image.pixelColor(15, 1)), clRed);  // colour 0 on top
  EXPECT_EQ(FromQColor(image.pixelColor(15, 8)), clBlue);
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), clWhite);  // nothing outside the rectangle
}

}  // namespace
}  // namespace zyn
