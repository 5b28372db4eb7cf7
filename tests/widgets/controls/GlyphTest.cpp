#include "TestSupport.h"
#include "widgets/controls/ZCLGlyph.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

QImage Cells(int count, int size) {
  QImage img(count * size, size, QImage::Format_RGB32);
  img.fill(ToQColor(clFuchsia));
  for (int i = 0; i < count; ++i) img.setPixel(i * size + 2, 2, qRgb(0, 0, 10 * i));
  return img;
}

TEST(Glyph, NumberOfGlyphsFollowsTheShape) {
  TZCLGlyph g;
  g.SetBitmap(Cells(4, 16));
  EXPECT_EQ(g.NumGlyphs(), 4);
  g.SetBitmap(Cells(6, 16));
  EXPECT_EQ(g.NumGlyphs(), 1);
  g.SetNumGlyphs(3);
  g.SetBitmap(QImage(50, 16, QImage::Format_RGB32));
  EXPECT_EQ(g.NumGlyphs(), 3);
}

TEST(Glyph, SameSizeGlyphsShareOneListAndTheCacheGoesWithThem) {
  zyn::test::EnsureApp();
  {
    TZCLGlyph a, b;
    a.SetBitmap(Cells(2, 16));
    b.SetBitmap(Cells(1, 16));
    EXPECT_GE(a.StateImage(0), 0);
    EXPECT_GE(b.StateImage(0), 0);
    EXPECT_EQ(a.List(), b.List());
    EXPECT_EQ(TZCLGlyph::Cache()->ListCount(), 1);
    // A disabled state beyond the supplied glyphs is made from the first one.
    const QImage disabled = b.StateBitmap(1);
    EXPECT_EQ(disabled.size(), QSize(16, 16));
    EXPECT_EQ(a.StateImage(3), a.StateImage(0));         // state 3 beyond two glyphs, plain style: glyph 0
    EXPECT_EQ(qBlue(a.StateBitmap(1).pixel(2, 2)), 10);  // glyph 1 is the disabled image
    EXPECT_EQ(qAlpha(a.StateBitmap(0).pixel(0, 0)), 0);  // the transparent colour is masked
  }
  EXPECT_EQ(TZCLGlyph::Cache(), nullptr);
}

TEST(Glyph, DrawsTheStateImageBesideTheText) {
  zyn::test::EnsureApp();
  TZCLGlyph g;
  QImage cells = Cells(2, 16);
  cells.setPixel(16 + 5, 5, qRgb(0, 200, 0));  // the second cell (the disabled image) has a green dot
  g.SetBitmap(cells);
  QImage image(60, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  TZCLGlyphTextLayout layout;  // top-left, text right of the glyph
  const auto r = g.Draw(canvas, QString(), 0, gtfEnabled, layout, bstDisabled, Rect(0, 0, 60, 20));
  EXPECT_EQ(r.Glyph, Rect(0, 0, 16, 16));
  EXPECT_EQ(FromQColor(image.pixelColor(5, 5)), RGB(0, 200, 0));
  EXPECT_EQ(FromQColor(image.pixelColor(8, 8)), clWhite);  // the fuchsia background stays out
  TZCLGlyph empty;
  const auto t = empty.Draw(canvas, QStringLiteral("A"), 0, gtfEnabled | gtfMeasure, layout, bstUp, Rect(0, 0, 60, 20));
  EXPECT_TRUE(IsRectEmpty(t.Glyph));
  EXPECT_FALSE(IsRectEmpty(t.Text));
}

}  // namespace
}  // namespace zyn
