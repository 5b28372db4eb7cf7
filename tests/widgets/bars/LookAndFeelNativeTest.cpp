// The native look-and-feel painter's measures and hit regions taken from the desktop's widget
// style, its arrow header and its row indicators.

#include "BarTestSupport.h"
#include "widgets/bars/LookAndFeelPainters.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOption>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zyn {
namespace {

const TzxCustomLookAndFeelPainter& Native() { return TzxWinXPLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& Standard() { return TzxStandardLookAndFeelPainter::Instance(); }

class LookAndFeelNativeMeasures : public ::testing::Test {
 protected:
  LookAndFeelNativeMeasures() {
    test::EnsureApplication();
    Engine()->SetActive(true);
  }
  ~LookAndFeelNativeMeasures() override { Engine()->SetActive(true); }
  static TBuiltInThemeEngine* Engine() { return static_cast<TBuiltInThemeEngine*>(GetThemeEngine()); }
};

QStyle& Desktop() { return *QApplication::style(); }

// With the visual style on the measures come from the widget style; with the classic look they are
// the Standard painter's.
TEST_F(LookAndFeelNativeMeasures, ComeFromTheWidgetStyleOrTheStandardLook) {
  QStyleOptionButton button;
  button.rect = QRect(0, 0, 100, 100);
  button.palette = QApplication::palette();
  button.state = QStyle::State_Enabled | QStyle::State_Raised;
  const QRect content = Desktop().subElementRect(QStyle::SE_PushButtonContents, &button);
  const TRect margins =
      Rect(content.left(), content.top(), 100 - content.x() - content.width(), 100 - content.y() - content.height());
  for (int index = 0; index < 3; ++index) EXPECT_EQ(Native().ButtonGroupBorders(3, index), margins) << index;
  EXPECT_NE(Native().ButtonGroupBorders(3, 0), Standard().ButtonGroupBorders(3, 0));

  // The expand sign as large as the style draws it: nothing of it outside a square of that size.
  const int extent = Native().ExpandButtonExtent();
  EXPECT_GT(extent, 0);
  EXPECT_EQ(Native().SmallExpandButtonExtent(), extent);
  EXPECT_NE(extent, Standard().ExpandButtonExtent());
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    TCanvas dc(&image);
    TPainterCanvas c(dc);
    Native().PaintExpandButton(c, Rect(0, 0, 40, 40), clDefault, true);
  }
  QRect drawn;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (image.pixel(x, y) != QColor(Qt::white).rgb()) drawn |= QRect(x, y, 1, 1);
  ASSERT_FALSE(drawn.isEmpty());
  EXPECT_EQ(std::max(drawn.width(), drawn.height()), extent);

  QStyleOptionToolButton tool;
  const int icon = Desktop().pixelMetric(QStyle::PM_SmallIconSize);
  tool.iconSize = QSize(icon, icon);
  EXPECT_EQ(Native().GroupExpandButtonExtent(),
            Desktop().sizeFromContents(QStyle::CT_ToolButton, &tool, QSize(icon, icon)).width());

  Engine()->SetActive(false);
  EXPECT_EQ(Native().ButtonGroupBorders(3, 0), Standard().ButtonGroupBorders(3, 0));
  EXPECT_EQ(Native().ExpandButtonExtent(), Standard().ExpandButtonExtent());
  EXPECT_EQ(Native().GroupExpandButtonExtent(), 15);
}

// The group expand button is hit where the style paints its face: not in the rounded corners.
TEST_F(LookAndFeelNativeMeasures, TheGroupExpandButtonIsHitOnItsFaceOnly) {
  const TRect r = Bounds(10, 10, 22, 22);
  EXPECT_TRUE(Native().HitGroupExpandButton(r, QPoint(21, 21)));
  EXPECT_TRUE(Native().HitGroupExpandButton(r, QPoint(11, 20)));
  EXPECT_FALSE(Native().HitGroupExpandButton(r, QPoint(10, 10)));  // a corner the face leaves out
  EXPECT_FALSE(Native().HitGroupExpandButton(r, QPoint(31, 31)));
  EXPECT_FALSE(Native().HitGroupExpandButton(r, QPoint(32, 20)));  // outside
  EXPECT_FALSE(Native().HitGroupExpandButton(r, QPoint(9, 20)));
  Engine()->SetActive(false);  // the classic look: the whole rectangle
  EXPECT_TRUE(Native().HitGroupExpandButton(r, QPoint(10, 10)));
  EXPECT_TRUE(Native().HitGroupExpandButton(r, QPoint(31, 31)));
}

QImage Drawn(const std::function<void(TPainterCanvas&)>& paint) {
  QImage image(160, 40, QImage::Format_RGB32);
  image.fill(ToQColor(ColorToRGB(clBtnFace)));
  TCanvas dc(&image);
  TPainterCanvas c(dc);
  paint(c);
  return image;
}

// The arrow header is the style's header with the arrows in the window-text colour; the row
// indicator header is drawn as the Flat look draws it.
TEST_F(LookAndFeelNativeMeasures, TheArrowHeaderIsTheStylesHeaderWithArrows) {
  TPainterBackground background;
  background.Color = clWindow;
  background.TextColor = clWindowText;
  const TRect r = Bounds(4, 4, 150, 20);
  auto arrowHeader = [&](const TzxCustomLookAndFeelPainter& p) {
    return Drawn([&](TPainterCanvas& c) { p.PaintArrowHeader(c, r, 12, zxhaBoth, background, 0, TzxPainterText{}); });
  };
  auto header = [&](TPainterCanvas& c) {
    Native().PaintHeader(c, r, 0, zxBordAll, zxbsNormal, clWindow, TzxPainterText{});
  };
  const QImage arrows = arrowHeader(Native());
  const QImage plain = Drawn(header);
  // Where no arrow stands the picture is the style's header (the Standard look frames it black).
  const int mid = (r.Left + r.Right) / 2;
  EXPECT_EQ(arrows.pixel(mid, r.Top + 2), plain.pixel(mid, r.Top + 2));
  EXPECT_EQ(arrows.pixel(r.Left, r.Top + 10), plain.pixel(r.Left, r.Top + 10));
  EXPECT_NE(arrowHeader(Standard()).pixel(r.Left, r.Top + 10), plain.pixel(r.Left, r.Top + 10));
  int arrowPixels = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Left + 24; ++x)
      arrowPixels += QColor(arrows.pixel(x, y)) == ToQColor(ColorToRGB(clWindowText)) ? 1 : 0;
  EXPECT_GT(arrowPixels, 3);

  auto indicator = [&](const TzxCustomLookAndFeelPainter& p) {
    return Drawn([&](TPainterCanvas& c) { p.PaintIndicatorHeader(c, Bounds(4, 4, 14, 18), clNone, zxikArrow); });
  };
  EXPECT_EQ(indicator(Native()), indicator(TzxFlatLookAndFeelPainter::Instance()));
  // Not the style's header under the image.
  const QImage styled = Drawn([&](TPainterCanvas& c) {
    Native().TzxCustomLookAndFeelPainter::PaintIndicatorHeader(c, Bounds(4, 4, 14, 18), clNone, zxikArrow);
  });
  EXPECT_NE(indicator(Native()), styled);
}

}  // namespace
}  // namespace zyn
