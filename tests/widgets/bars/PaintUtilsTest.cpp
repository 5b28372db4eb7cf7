#include "widgets/bars/PaintUtils.h"

#include "BarTestSupport.h"
#include "widgets/bars/Office11Colors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class PaintUtils : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApplication();
    image.fill(Qt::white);
  }
  QImage image{40, 40, QImage::Format_RGB32};
  TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
};

TEST_F(PaintUtils, DropDownCornersAndHitTests) {
  EXPECT_EQ(DropDownFrameHeight(), 19);
  const TRect edit = Rect(100, 100, 200, 120);
  EXPECT_EQ(GripCornerForRects(edit, Rect(100, 120, 250, 300)), 3);  // below and to the right
  EXPECT_EQ(GripCornerForRects(edit, Rect(100, 0, 250, 100)), 1);    // above: a top corner
  EXPECT_EQ(GripCornerForRects(edit, Rect(0, 120, 90, 300)), 2);
  EXPECT_EQ(GripCornerForRects(edit, Rect(0, 0, 90, 100)), 0);
  EXPECT_EQ(GripCornerHitTest(0), 13);
  EXPECT_EQ(GripCornerHitTest(1), 14);
  EXPECT_EQ(GripCornerHitTest(2), 16);
  EXPECT_EQ(GripCornerHitTest(3), 17);
}

TEST_F(PaintUtils, TextFlagsTranslate) {
  EXPECT_EQ(PainterTextFlagsToDrawText(zxAlignLeft | zxAlignTop), unsigned(DT_NOPREFIX));
  EXPECT_EQ(PainterTextFlagsToDrawText(zxShowPrefix | zxAlignRight | zxAlignVCenter | zxSingleLine),
            unsigned(DT_RIGHT | DT_VCENTER | DT_SINGLELINE));
  EXPECT_EQ(PainterTextFlagsToDrawText(zxShowPrefix | zxShowPathEllipsis | zxDontPrint),
            unsigned(DT_PATH_ELLIPSIS | DT_CALCRECT));
}

TEST_F(PaintUtils, FramesBySide) {
  TCanvas canvas(&image);
  TPainterCanvas pc(canvas);
  pc.FrameRect(Rect(0, 0, 10, 10), clRed, zxBordLeft | zxBordBottom, 2);
  EXPECT_EQ(At(1, 0), clRed);
  EXPECT_EQ(At(2, 0), clWhite);
  EXPECT_EQ(At(5, 8), clRed);
  EXPECT_EQ(At(9, 5), clWhite);
  pc.DrawComplexFrame(Rect(20, 0, 30, 10), clBlue, clLime);
  EXPECT_EQ(At(20, 5), clBlue);
  EXPECT_EQ(At(25, 0), clBlue);
  EXPECT_EQ(At(29, 5), clLime);
  EXPECT_EQ(At(25, 9), clLime);
  TPainterBackground bg;
  bg.Color = clYellow;
  pc.FrameAndFill(Rect(0, 20, 10, 30), bg, 1, clBlack, zxBordAll);
  EXPECT_EQ(At(0, 20), clBlack);
  EXPECT_EQ(At(5, 25), clYellow);
  pc.DrawEdge(Rect(20, 20, 30, 30), true, true);
  EXPECT_EQ(At(20, 25), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(29, 25), ColorToRGB(clBtnHighlight));
  pc.FrameRect(Rect(5, 5, 5, 9), clRed);  // empty: nothing
}

// Text leaves a clear brush behind; a fill in the same colour afterwards still paints.
TEST_F(PaintUtils, AFillAfterTextWithAClearBrushPaints) {
  TCanvas canvas(&image);
  TPainterCanvas pc(canvas);
  pc.SetBrushColor(clRed);
  canvas.Brush.Style = bsClear;
  pc.SetBrushColor(clRed);
  pc.FillRect(Rect(0, 0, 10, 10));
  pc.FrameRect(Rect(20, 20, 30, 30), clRed);
  EXPECT_EQ(At(5, 5), clRed);
  EXPECT_EQ(At(20, 25), clRed);
}

TEST_F(PaintUtils, TiledFillStartsAtTheCanvasOrigin) {
  QImage tile(16, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) tile.setPixelColor(x, y, QColor(x * 10, y * 10, 0));
  {
    TCanvas canvas(&image);
    TPainterCanvas(canvas).FillRect(Rect(10, 10, 40, 40), tile);
  }
  EXPECT_EQ(image.pixelColor(10, 10), QColor(100, 100, 0));
  EXPECT_EQ(image.pixelColor(16, 17), QColor(0, 10, 0));
  EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::white));
}

TEST_F(PaintUtils, DisabledTextIsDrawnTwiceInHighlightAndShadow) {
  image.fill(QColor(0xC0, 0xC0, 0xC0));
  {
    TCanvas canvas(&image);
    canvas.Font.Font = QFont("Sans", 16);
    TPainterCanvas(canvas).DrawText("XX", Rect(0, 0, 40, 40), zxSingleLine | zxAlignVCenter, false);
  }
  bool light = false, dark = false;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const QColor c = image.pixelColor(x, y);
      light = light || c.red() > 0xF0;
      dark = dark || c.red() < 0x90;
    }
  EXPECT_TRUE(light);
  EXPECT_TRUE(dark);
}

TEST_F(PaintUtils, RotatedBitmapsSwapTheirSizes) {
  QImage bmp(10, 20, QImage::Format_ARGB32);
  bmp.fill(Qt::white);
  bmp.setPixel(0, 0, qRgb(255, 0, 0));  // row 0, column 0
  QImage r1 = bmp;
  RotateBitmap(r1, 1, false);
  EXPECT_EQ(r1.size(), QSize(20, 10));
  EXPECT_EQ(r1.pixel(0, 9), qRgb(255, 0, 0));  // new row W - c - 1 = 9, new column r = 0
  QImage r2 = bmp;
  RotateBitmap(r2, 2, false);
  EXPECT_EQ(r2.pixel(19, 0), qRgb(255, 0, 0));  // new row c = 0, new column H - r - 1 = 19
  QImage r3 = bmp;
  RotateBitmap(r3, 3, false);
  EXPECT_EQ(r3.size(), QSize(10, 20));
  EXPECT_EQ(r3.pixel(9, 19), qRgb(255, 0, 0));
  QImage m = bmp;
  RotateBitmap(m, 0, true);
  EXPECT_EQ(m.pixel(0, 19), qRgb(255, 0, 0));
  QImage same = bmp;
  RotateBitmap(same, 0, false);
  EXPECT_EQ(same, bmp);
}

TEST_F(PaintUtils, ObjectLinksNoticeAFreedTarget) {
  int object = 0;
  TzxObjectLink* link = AddObjectLink(&object);
  EXPECT_EQ(link->Target, &object);
  ResetObjectLinks(&object);
  EXPECT_EQ(link->Target, nullptr);
  RemoveObjectLink(link);
  EXPECT_EQ(ObjectLinkCount(), 0);
}

TEST_F(PaintUtils, BlendedColoursOfTheSelection) {
  EXPECT_EQ(BlendedSelectedColor(), BlendSystemColors(-2, 30, 72));
  EXPECT_EQ(BlendedPressedColor(), BlendSystemColors(14, 44, 40));
}

TEST_F(PaintUtils, SizeGripOfTheTopLeftCornerIsMirrored) {
  {
    TCanvas canvas(&image);
    PaintSizeGrip(canvas, Rect(0, 0, 40, 40), 0);
  }
  // The outer 2-pixel strips are button face; the grip's lines run towards the top-left corner.
  EXPECT_EQ(At(0, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(At(10, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(At(30, 30), clWhite);  // outside the 16 x 16 grip
}

}  // namespace
}  // namespace zyn
