#include "TestSupport.h"
#include "widgets/controls/ZCLBevel.h"
#include "widgets/controls/ZCLGraph.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class GraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fImage.fill(Qt::white);
  }
  TColor At(int x, int y) const { return FromQColor(fImage.pixelColor(x, y)); }
  QImage fImage{60, 40, QImage::Format_RGB32};
};

TEST_F(GraphTest, SmallArrowRows) {
  {
    TCanvas c(&fImage);
    DrawSmallArrow(c, 10, 10, 3, clRed, true, true);
    DrawSmallArrow(c, 30, 10, 3, clBlue, false, true);
    DrawSmallArrow(c, 40, 10, 16, clRed, true, true);  // outside 2 .. 15: nothing
  }
  // Downward size 3: rows of 5 and 3 pixels, then the tip.
  for (int x = 10; x < 15; ++x) EXPECT_EQ(At(x, 10), clRed) << x;
  EXPECT_EQ(At(15, 10), clWhite);
  EXPECT_EQ(At(10, 11), clWhite);
  for (int x = 11; x < 14; ++x) EXPECT_EQ(At(x, 11), clRed) << x;
  EXPECT_EQ(At(12, 12), clRed);
  EXPECT_EQ(At(11, 12), clWhite);
  // Upward size 3 around m = x + 1: widths 1, 3, 5.
  EXPECT_EQ(At(31, 10), clBlue);
  EXPECT_EQ(At(30, 10), clWhite);
  EXPECT_EQ(At(30, 11), clBlue);
  EXPECT_EQ(At(32, 11), clBlue);
  EXPECT_EQ(At(29, 12), clBlue);
  EXPECT_EQ(At(33, 12), clBlue);
  for (int y = 0; y < 40; ++y)
    for (int x = 40; x < 60; ++x) ASSERT_EQ(At(x, y), clWhite);
}

TEST_F(GraphTest, DisabledArrowHasAHighlightShadow) {
  {
    TCanvas c(&fImage);
    DrawSmallArrow(c, 10, 10, 3, clRed, true, false);
  }
  EXPECT_EQ(At(10, 10), ColorToRGB(clGrayText));
  EXPECT_EQ(At(15, 11), ColorToRGB(clHighlightText));
}

TEST_F(GraphTest, HorizontalGradientBands) {
  std::vector<TColor> table;
  BuildColorRange(clBlack, clWhite, 3, true, table);
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[1], RGB(128, 128, 128));
  {
    TCanvas c(&fImage);
    GradientFill(c, Rect(0, 0, 10, 5), gstHorizontal, table);
  }
  // Band i covers MulDiv(i, 10, 3) .. MulDiv(i + 1, 10, 3): 0..3, 3..7, 7..10.
  EXPECT_EQ(At(2, 2), clBlack);
  EXPECT_EQ(At(3, 2), RGB(128, 128, 128));
  EXPECT_EQ(At(6, 2), RGB(128, 128, 128));
  EXPECT_EQ(At(7, 2), clWhite);
  EXPECT_EQ(At(10, 2), clWhite);  // outside
  std::vector<TColor> more = table;
  BuildColorRange(clWhite, clRed, 3, false, more);
  EXPECT_EQ(more.size(), 5u);  // the first colour of a continued range is left out
}

TEST_F(GraphTest, VerticalGradientPutsColourZeroOnTop) {
  std::vector<TColor> table;
  BuildColorRange(clRed, clBlue, 4, true, table);
  {
    TCanvas c(&fImage);
    GradientFill(c, Rect(0, 0, 8, 8), gstVertical, table);
  }
  EXPECT_EQ(At(4, 0), clRed);
  EXPECT_EQ(At(4, 7), clBlue);
  EXPECT_EQ(At(4, 8), clWhite);
}

TEST(Graph, BlendAndAlign) {
  EXPECT_EQ(BlendColor(clBlack, clWhite, 1, 2), RGB(128, 128, 128));
  EXPECT_EQ(BlendColor(RGB(10, 20, 30), RGB(20, 40, 60), 0, 5), RGB(10, 20, 30));
  struct Case {
    TZCLAlignment a;
    TRect expected;
  };
  const Case cases[] = {{agTopLeft, Rect(0, 0, 4, 2)},
                        {agCenter, Rect(3, 4, 7, 6)},
                        {agBottomRight, Rect(7, 9, 11, 11)},
                        {agTopCenter, Rect(3, 0, 7, 2)}};
  for (const Case& c : cases) EXPECT_EQ(AlignRect(c.a, Rect(0, 0, 4, 2), Rect(0, 0, 11, 11)), c.expected);
}

TEST(Graph, ButtonStyleQueries) {
  EXPECT_TRUE(HasHotLook(ubsFlat));
  EXPECT_FALSE(HasHotLook(ubsWin40));
  EXPECT_EQ(ContentInset(ubsWin31), 3);
  EXPECT_EQ(ContentInset(ubsWin40), 2);
  EXPECT_EQ(ContentInset(ubsFlat), 1);
  EXPECT_TRUE(StockGlyph(gkCustom).isNull());
  const QImage ellipsis = StockGlyph(gkEllipsis);
  EXPECT_EQ(ellipsis.size(), QSize(13, 14));
}

struct ExtentCase {
  TZCLBevelMode mode;
  TZCLBevelStyle outer, inner;
  int widthOuter, widthInner, border, borderInner;
  TZCLBorderStyle standard;
  int extent;
};

class BevelExtentTest : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(BevelExtentTest, ExtentByMode) {
  const ExtentCase& c = GetParam();
  TZCLBevel bevel;
  bevel.SetMode(c.mode);
  bevel.SetStyleOuter(c.outer);
  bevel.SetStyleInner(c.inner);
  bevel.SetWidthOuter(c.widthOuter);
  bevel.SetWidthInner(c.widthInner);
  bevel.SetBorderWidth(c.border);
  bevel.SetBorderInnerWidth(c.borderInner);
  bevel.SetStandardStyle(c.standard);
  EXPECT_EQ(bevel.BevelExtent(), c.extent);
  EXPECT_EQ(bevel.ClientRectOf(Rect(0, 0, 50, 50)).Left, c.extent);
}

INSTANTIATE_TEST_SUITE_P(Modes, BevelExtentTest,
                         ::testing::Values(ExtentCase{bmCustom, bvNone, bvNone, 1, 1, 3, 1, lsNone, 4},
                                           ExtentCase{bmCustom, bvRaised, bvLowered, 2, 1, 0, 0, lsNone, 3},
                                           ExtentCase{bmCustom, bvFrameRaised, bvNone, 2, 1, 1, 0, lsNone, 4},
                                           ExtentCase{bmStandard, bvNone, bvNone, 1, 1, 0, 0, lsSingleLowered, 1},
                                           ExtentCase{bmStandard, bvNone, bvNone, 1, 1, 0, 1, lsRaisedExt, 3},
                                           ExtentCase{bmStandard, bvNone, bvNone, 1, 1, 0, 0, lsNone, 0},
                                           ExtentCase{bmEdge, bvNone, bvNone, 1, 1, 0, 0, lsNone, 2},
                                           ExtentCase{bmWindows, bvNone, bvNone, 1, 1, 0, 1, lsNone, 3}));

TEST(Bevel, ShadowCouplesBothStylesAndHasItsOwnRightExtent) {
  TZCLBevel bevel;
  bevel.SetStyleInner(bvShadow);
  EXPECT_EQ(bevel.StyleOuter(), bvShadow);
  bevel.SetWidthInner(2);
  bevel.SetWidthOuter(3);
  EXPECT_EQ(bevel.BevelExtent(), 2);
  EXPECT_EQ(bevel.BevelExtentRight(), 5);
  EXPECT_EQ(bevel.ClientRectOf(Rect(0, 0, 20, 20)), Rect(2, 2, 15, 15));
  bevel.SetStyleOuter(bvRaised);
  EXPECT_EQ(bevel.StyleInner(), bvNone);
}

TEST(Bevel, ChangesNotifyOnceInsideAnUpdateBracket) {
  TZCLBevel bevel;
  int changes = 0;
  bevel.OnChange = [&](QObject*) { ++changes; };
  bevel.SetWidthOuter(1);  // equal: nothing
  EXPECT_EQ(changes, 0);
  bevel.BeginUpdate();
  bevel.SetMode(bmStandard);
  bevel.SetStandardStyle(lsRaised);
  EXPECT_EQ(changes, 0);
  bevel.EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bevel.Description(), QStringLiteral("{Standard style}"));
}

TEST_F(GraphTest, BevelFramesPaintTheirWidths) {
  TZCLBevel bevel;
  bevel.SetStyleOuter(bvRaised);
  bevel.SetWidthOuter(3);
  bevel.SetColor(1, clRed);   // light
  bevel.SetColor(2, clBlue);  // shadow
  TRect inner;
  {
    TCanvas c(&fImage);
    inner = bevel.PaintBevel(c, Rect(0, 0, 20, 20), false);
  }
  EXPECT_EQ(inner, Rect(3, 3, 17, 17));
  EXPECT_EQ(At(1, 10), clRed);
  EXPECT_EQ(At(2, 10), clRed);
  EXPECT_EQ(At(3, 10), clWhite);
  EXPECT_EQ(At(18, 10), clBlue);
  EXPECT_EQ(At(10, 17), clBlue);
  EXPECT_EQ(At(10, 16), clWhite);
}

TEST_F(GraphTest, LoweredExtBorderIsTwoPixelsWide) {
  TRect r = Rect(0, 0, 20, 20);
  {
    TCanvas c(&fImage);
    DrawStandardBorder(c, r, lsLoweredExt);
  }
  EXPECT_EQ(r, Rect(2, 2, 18, 18));
  EXPECT_EQ(At(0, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(19, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(1, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(18, 5), clWhite);  // the inner edge has no bottom-right side
}

TEST_F(GraphTest, DisabledGlyphIsEmbossed) {
  QImage glyph(4, 4, QImage::Format_RGB32);
  glyph.fill(ToQColor(clFuchsia));
  glyph.setPixel(1, 1, qRgb(0, 0, 0));
  const QImage disabled = MakeDisabledGlyph(glyph, clFuchsia);
  EXPECT_EQ(FromQColor(disabled.pixelColor(1, 1)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromQColor(disabled.pixelColor(2, 2)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(FromQColor(disabled.pixelColor(0, 0)), clFuchsia);
}

}  // namespace
}  // namespace zyn
