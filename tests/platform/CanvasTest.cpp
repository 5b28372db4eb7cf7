#include "platform/Canvas.h"

#include "platform/Colors.h"
#include "platform/RasterOps.h"
#include "platform/Types.h"
#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class CanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureApp(); }
  QImage fImage{40, 30, QImage::Format_RGB32};
  void SetUp() override { fImage.fill(Qt::white); }
  TColor At(int x, int y) const { return FromQColor(fImage.pixelColor(x, y)); }
};

TEST(Colors, SystemColoursResolveAndPlainColoursPassThrough) {
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_FALSE(IsSystemColor(clRed));
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0x808000), QColor(0, 0x80, 0x80));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201);
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(clDefault, 0x20000000);
  EXPECT_EQ(ColorToRGB(clWindowFrame), clBlack);
  EXPECT_EQ(ClassicSystemColor(COLOR_BTNFACE), RGB(0xD4, 0xD0, 0xC8));
}

TEST(Types, RectHelpersAndMulDiv) {
  TRect r = Bounds(10, 20, 30, 40);
  EXPECT_EQ(r, Rect(10, 20, 40, 60));
  EXPECT_TRUE(PtInRect(r, Point(10, 20)));
  EXPECT_FALSE(PtInRect(r, Point(40, 20)));
  InflateRect(r, 2, 3);
  EXPECT_EQ(r, Rect(8, 17, 42, 63));
  TRect x;
  EXPECT_FALSE(IntersectRect(x, Rect(0, 0, 5, 5), Rect(5, 0, 9, 5)));
  EXPECT_TRUE(IsRectEmpty(x));
  EXPECT_TRUE(IntersectRect(x, Rect(0, 0, 5, 5), Rect(3, 2, 9, 9)));
  EXPECT_EQ(x, Rect(3, 2, 5, 5));
  EXPECT_EQ(UnionRect(Rect(0, 0, 0, 0), Rect(1, 1, 2, 2)), Rect(1, 1, 2, 2));
  EXPECT_EQ(MulDiv(1, 3, 2), 2);
  EXPECT_EQ(MulDiv(-1, 3, 2), -2);
  EXPECT_EQ(MulDiv(5, 10, 4), 13);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST_F(CanvasTest, RectangleKeepsRightAndBottomOutside) {
  {
    TCanvas c(&fImage);
    c.Pen.Color = clBlack;
    c.Brush.Color = clRed;
    c.Rectangle(2, 2, 10, 8);
  }
  EXPECT_EQ(At(2, 2), clBlack);
  EXPECT_EQ(At(9, 7), clBlack);
  EXPECT_EQ(At(10, 7), clWhite);
  EXPECT_EQ(At(9, 8), clWhite);
  EXPECT_EQ(At(3, 3), clRed);
  EXPECT_EQ(At(8, 6), clRed);
}

TEST_F(CanvasTest, LineToLeavesTheEndPointAndFrameRectUsesTheBrush) {
  {
    TCanvas c(&fImage);
    c.Pen.Color = clBlue;
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    c.MoveTo(0, 10);
    c.LineTo(4, 14);
    c.Brush.Color = clLime;
    c.FrameRect(Rect(20, 10, 25, 15));
  }
  EXPECT_EQ(At(4, 0), clBlue);
  EXPECT_EQ(At(5, 0), clWhite);
  EXPECT_EQ(At(3, 13), clBlue);
  EXPECT_EQ(At(4, 14), clWhite);
  EXPECT_EQ(At(20, 10), clLime);
  EXPECT_EQ(At(24, 14), clLime);
  EXPECT_EQ(At(22, 12), clWhite);
  EXPECT_EQ(At(25, 14), clWhite);
}

TEST_F(CanvasTest, DrawEdgeUsesTheEdgeColoursAndAdjusts) {
  TRect r = Rect(0, 0, 10, 10);
  {
    TCanvas c(&fImage);
    c.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_EQ(At(0, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(5, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(9, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(1, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(8, 5), ColorToRGB(cl3DLight));
  EXPECT_EQ(At(5, 5), clWhite);  // the middle stays without BF_MIDDLE
  TRect only = Rect(20, 0, 30, 10);
  {
    TCanvas c(&fImage);
    c.DrawEdge(only, BDR_RAISEDINNER, BF_TOP | BF_MIDDLE);
  }
  EXPECT_EQ(only, Rect(20, 0, 30, 10));
  EXPECT_EQ(At(25, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(25, 5), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, PatternBrushTilesFromTheOrigin) {
  {
    TCanvas c(&fImage);
    c.Brush.Bitmap = CheckeredPattern(clBlack, clWhite);
    c.FillRect(Rect(0, 0, 10, 10));
  }
  EXPECT_EQ(At(0, 0), clBlack);
  EXPECT_EQ(At(1, 0), clWhite);
  EXPECT_EQ(At(9, 9), clBlack);
}

TEST_F(CanvasTest, DrawTextMeasuresAndAligns) {
  TCanvas c(&fImage);
  c.Font.Font.setPixelSize(12);
  TRect calc = Rect(0, 0, 0, 0);
  const int h = c.DrawText(QStringLiteral("Hallo"), calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.Width(), c.TextWidth(QStringLiteral("Hallo")));
  EXPECT_EQ(h, calc.Height());
  TRect wrap = Rect(0, 0, 40, 0);
  c.DrawText(QStringLiteral("eins zwei drei vier fuenf"), wrap, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(wrap.Height(), 2 * h - 1);
  // A prefixed ampersand is not counted; with DT_NOPREFIX it is.
  TRect a = Rect(0, 0, 0, 0), b = Rect(0, 0, 0, 0);
  c.DrawText(QStringLiteral("&Datei"), a, DT_CALCRECT | DT_SINGLELINE);
  c.DrawText(QStringLiteral("&Datei"), b, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_LT(a.Width(), b.Width());
}

TEST_F(CanvasTest, DrawTextRightAlignedInkStaysRightAndEllipsisFits) {
  {
    TCanvas c(&fImage);
    c.Font.Font.setPixelSize(12);
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    TRect r = Rect(0, 0, 40, 14);
    c.DrawText(QStringLiteral("ii"), r, DT_RIGHT | DT_SINGLELINE);
    TRect e = Rect(0, 15, 30, 30);
    c.DrawText(QStringLiteral("Sehr langer Text ohne Ende"), e, DT_END_ELLIPSIS | DT_SINGLELINE);
  }
  bool leftInk = false, rightInk = false;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 40; ++x)
      if (At(x, y) != clWhite) (x < 20 ? leftInk : rightInk) = true;
  EXPECT_FALSE(leftInk);
  EXPECT_TRUE(rightInk);
  for (int y = 15; y < 30; ++y)
    for (int x = 30; x < 40; ++x) EXPECT_EQ(At(x, y), clWhite);
}

// Word break with end ellipsis (a hint panel): the text wraps onto as many lines as the height
// takes, and only the last of them is shortened; text that fits is drawn whole.
TEST(CanvasWrap, WrapsFirstAndShortensOnlyTheLastLineThatFits) {
  test::EnsureApp();
  const QString longText = QStringLiteral(
      "Ein langer Hinweis mit vielen Worten, der nicht in eine Zeile passt und darum umbrochen werden muss, "
      "bevor er am Ende mit Auslassungspunkten gekuerzt wird.");
  struct Case {
    int Lines;  // lines the rectangle holds
    QString Text;
    int InkBands;  // text lines expected on the picture
  };
  for (const Case& k :
       {Case{3, longText, 3}, Case{2, longText, 2}, Case{6, QStringLiteral("kurz und gut"), 1}, Case{1, longText, 1}}) {
    QImage image(130, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    int lineHeight = 0;
    {
      TCanvas c(&image);
      c.Font.Font.setPixelSize(12);
      c.Font.Color = clBlack;
      c.Brush.Style = bsClear;
      lineHeight = QFontMetrics(c.Font.Font).height();
      TRect r = Rect(0, 0, 120, lineHeight * k.Lines);
      c.DrawText(k.Text, r, DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    // Rows with ink, gathered into bands separated by blank rows; nothing right of or below the box.
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
      bool ink = false;
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y).lightness() < 160) {
          ink = true;
          EXPECT_LT(x, 120) << k.Lines << " lines: ink right of the box at y " << y;
          EXPECT_LT(y, lineHeight * k.Lines) << k.Lines << " lines: ink below the box";
        }
      if (ink && !inBand) ++bands;
      inBand = ink;
    }
    EXPECT_EQ(bands, k.InkBands) << k.Lines << " lines for \"" << k.Text.toStdString() << "\"";
  }
}

TEST_F(CanvasTest, FrameControlsPaintTheirFaces) {
  {
    TCanvas c(&fImage);
    c.DrawFrameControl(Rect(0, 0, 16, 16), DFC_BUTTON, DFCS_BUTTONPUSH);
    c.DrawFrameControl(Rect(20, 0, 33, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    c.DrawFrameControl(Rect(0, 16, 16, 30), DFC_SCROLL, DFCS_SCROLLDOWN);
  }
  EXPECT_EQ(At(8, 8), ColorToRGB(clBtnFace));
  EXPECT_EQ(At(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(At(15, 15), ColorToRGB(cl3DDkShadow));
  bool tick = false;
  for (int y = 2; y < 11; ++y)
    for (int x = 22; x < 31; ++x) tick |= At(x, y) == ColorToRGB(clBtnText);
  EXPECT_TRUE(tick);
  bool arrow = false;
  for (int y = 18; y < 28; ++y)
    for (int x = 2; x < 14; ++x) arrow |= At(x, y) == ColorToRGB(clBtnText);
  EXPECT_TRUE(arrow);
}

struct RopCase {
  std::uint32_t rop;
  QRgb expected;  // for source 0x00F0F0F0 over target 0x00CC00FF with pattern 0x00000000
};

class RasterOpTest : public ::testing::TestWithParam<RopCase> {};

TEST_P(RasterOpTest, CombinesSourceAndTarget) {
  QImage target(2, 2, QImage::Format_RGB32);
  target.fill(QColor(0xCC, 0x00, 0xFF));
  QImage source(2, 2, QImage::Format_RGB32);
  source.fill(QColor(0xF0, 0xF0, 0xF0));
  BitBlt(target, 0, 0, 1, 2, source, 0, 0, GetParam().rop);
  EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, GetParam().expected);
  EXPECT_EQ(target.pixel(1, 0) & 0xFFFFFF, 0xCC00FFu);  // outside the block
}

INSTANTIATE_TEST_SUITE_P(Ops, RasterOpTest,
                         ::testing::Values(RopCase{SRCCOPY, 0xF0F0F0}, RopCase{SRCAND, 0xC000F0},
                                           RopCase{SRCPAINT, 0xFCF0FF}, RopCase{SRCINVERT, 0x3CF00F},
                                           RopCase{DSTINVERT, 0x33FF00}, RopCase{NOTSRCCOPY, 0x0F0F0F},
                                           RopCase{BLACKNESS, 0x000000}, RopCase{WHITENESS, 0xFFFFFF}));

TEST(RasterOps, MaskMarksTheBackgroundWhite) {
  QImage img(2, 1, QImage::Format_RGB32);
  img.setPixel(0, 0, qRgb(255, 0, 255));
  img.setPixel(1, 0, qRgb(1, 2, 3));
  const QImage mask = MonochromeMask(img, clFuchsia);
  EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(mask.pixel(1, 0) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace zyn
