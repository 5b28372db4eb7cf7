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
#include <sstream>
#include <string>

namespace zyn {
namespace {


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
  for (int index = 0; index < 3; ++index) EXPECT_EQ(test::NativeLookAndFeel().ButtonGroupBorders(3, index), margins) << index;
  EXPECT_NE(test::NativeLookAndFeel().ButtonGroupBorders(3, 0), test::StandardLookAndFeel().ButtonGroupBorders(3, 0));

  // The expand sign as large as the style draws it: nothing of it outside a square of that size.
  const int extent = test::NativeLookAndFeel().ExpandButtonExtent();
  EXPECT_GT(extent, 0);
  EXPECT_EQ(test::NativeLookAndFeel().SmallExpandButtonExtent(), extent);
  EXPECT_NE(extent, test::StandardLookAndFeel().ExpandButtonExtent());
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    TCanvas dc(&image);
    TPainterCanvas c(dc);
    test::NativeLookAndFeel().PaintExpandButton(c, Rect(0, 0, 40, 40), clDefault, true);
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
  EXPECT_EQ(test::NativeLookAndFeel().GroupExpandButtonExtent(),
            Desktop().sizeFromContents(QStyle::CT_ToolButton, &tool, QSize(icon, icon)).width());

  Engine()->SetActive(false);
  EXPECT_EQ(test::NativeLookAndFeel().ButtonGroupBorders(3, 0), test::StandardLookAndFeel().ButtonGroupBorders(3, 0));
  EXPECT_EQ(test::NativeLookAndFeel().ExpandButtonExtent(), test::StandardLookAndFeel().ExpandButtonExtent());
  EXPECT_EQ(test::NativeLookAndFeel().GroupExpandButtonExtent(), 15);
}

// The group expand button is hit where the style paints its face: not in the rounded corners.
TEST_F(LookAndFeelNativeMeasures, TheGroupExpandButtonIsHitOnItsFaceOnly) {
  const TRect r = Bounds(10, 10, 22, 22);
  EXPECT_TRUE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(21, 21)));
  EXPECT_TRUE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(11, 20)));
  EXPECT_FALSE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(10, 10)));  // a corner the face leaves out
  EXPECT_FALSE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(31, 31)));
  EXPECT_FALSE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(32, 20)));  // outside
  EXPECT_FALSE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(9, 20)));
  Engine()->SetActive(false);  // the classic look: the whole rectangle
  EXPECT_TRUE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(10, 10)));
  EXPECT_TRUE(test::NativeLookAndFeel().HitGroupExpandButton(r, QPoint(31, 31)));
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
    test::NativeLookAndFeel().PaintHeader(c, r, 0, zxBordAll, zxbsNormal, clWindow, TzxPainterText{});
  };
  const QImage arrows = arrowHeader(test::NativeLookAndFeel());
  const QImage plain = Drawn(header);
  // Where no arrow stands the picture is the style's header (the Standard look frames it black).
  const int mid = (r.Left + r.Right) / 2;
  EXPECT_EQ(arrows.pixel(mid, r.Top + 2), plain.pixel(mid, r.Top + 2));
  EXPECT_EQ(arrows.pixel(r.Left, r.Top + 10), plain.pixel(r.Left, r.Top + 10));
  EXPECT_NE(arrowHeader(test::StandardLookAndFeel()).pixel(r.Left, r.Top + 10), plain.pixel(r.Left, r.Top + 10));
  int arrowPixels = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Left + 24; ++x)
      arrowPixels += QColor(arrows.pixel(x, y)) == ToQColor(ColorToRGB(clWindowText)) ? 1 : 0;
  EXPECT_GT(arrowPixels, 3);

  auto indicator = [&](const TzxCustomLookAndFeelPainter& p) {
    return Drawn([&](TPainterCanvas& c) { p.PaintIndicatorHeader(c, Bounds(4, 4, 14, 18), clNone, zxikArrow); });
  };
  EXPECT_EQ(indicator(test::NativeLookAndFeel()), indicator(TzxFlatLookAndFeelPainter::Instance()));
  // Not the style's header under the image.
  const QImage styled = Drawn([&](TPainterCanvas& c) {
    test::NativeLookAndFeel().TzxCustomLookAndFeelPainter::PaintIndicatorHeader(c, Bounds(4, 4, 14, 18), clNone, zxikArrow);
  });
  EXPECT_NE(indicator(test::NativeLookAndFeel()), styled);
}

// ---------------------------------------------------------------- measures of the style's elements

std::string Text(int v) { return std::to_string(v); }
std::string Text(bool v) { return v ? "true" : "false"; }
std::string Text(const QPoint& p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); }
std::string Text(const TRect& r) {
  std::ostringstream s;
  s << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  return s.str();
}
std::string Text(const QRect& r) { return Text(Bounds(r.x(), r.y(), r.width(), r.height())); }

QStyleOptionButton StylePushButton(const QRect& r, bool isDefault) {
  QStyleOptionButton option;
  option.rect = r;
  option.palette = QApplication::palette();
  option.state = QStyle::State_Enabled | QStyle::State_Raised;
  if (isDefault) option.features |= QStyleOptionButton::DefaultButton;
  return option;
}

QRect StyleButtonContent(const QRect& r, bool isDefault = false) {
  const QStyleOptionButton option = StylePushButton(r, isDefault);
  return Desktop().subElementRect(QStyle::SE_PushButtonContents, &option);
}

int StyleHeaderBorder() {
  QStyleOptionHeader option;
  option.rect = QRect(0, 0, 100, 100);
  option.palette = QApplication::palette();
  option.state = QStyle::State_Enabled | QStyle::State_Raised;
  const QRect label = Desktop().subElementRect(QStyle::SE_HeaderLabel, &option);
  return (label.left() + label.top()) / 2;
}

int StyleFooterCellBorder() {
  QStyleOptionFrame option;
  option.rect = QRect(0, 0, 100, 100);
  option.palette = QApplication::palette();
  option.state = QStyle::State_Enabled | QStyle::State_Sunken;
  option.lineWidth = Desktop().pixelMetric(QStyle::PM_DefaultFrameWidth);
  return Desktop().subElementRect(QStyle::SE_LineEditContents, &option).left();
}

struct TMeasureCase {
  const char* Name;
  std::function<std::string(const TzxCustomLookAndFeelPainter&)> Measure;
  std::function<std::string()> Styled;   // what the widget style gives
  std::function<std::string()> Classic;  // empty: the Standard painter's value
};

// Each measure of the native painter from the widget style while the visual style is on, and the
// Standard painter's (or the fixed value of the native look) with the classic look.
TEST_F(LookAndFeelNativeMeasures, TheMeasuresComeFromTheStyleOrFallBack) {
  const TRect cell = Bounds(10, 10, 80, 24);
  const TMeasureCase cases[] = {
      {"ButtonBorderWidth Normal", [](auto& p) { return Text(p.ButtonBorderWidth(zxbsNormal)); },
       [] { return Text(StyleButtonContent(QRect(0, 0, 100, 100)).left()); }, nullptr},
      {"ButtonBorderWidth Default", [](auto& p) { return Text(p.ButtonBorderWidth(zxbsDefault)); },
       [] { return Text(StyleButtonContent(QRect(0, 0, 100, 100), true).left()); }, nullptr},
      {"ButtonFocusBounds", [&](auto& p) { return Text(p.ButtonFocusBounds(cell)); },
       [] { return Text(StyleButtonContent(QRect(10, 10, 80, 24))); }, nullptr},
      {"HeaderBorderWidth", [](auto& p) { return Text(p.HeaderBorderWidth()); },
       [] { return Text(StyleHeaderBorder()); }, nullptr},
      {"HeaderSectionBorderWidth Normal", [](auto& p) { return Text(p.HeaderSectionBorderWidth(zxbsNormal)); },
       [] { return Text(StyleHeaderBorder()); }, nullptr},
      {"HeaderSectionBorderWidth Pressed", [](auto& p) { return Text(p.HeaderSectionBorderWidth(zxbsPressed)); },
       [] { return Text(StyleHeaderBorder()); }, nullptr},
      {"HeaderSectionContentBounds", [&](auto& p) { return Text(p.HeaderSectionContentBounds(cell, zxbsNormal)); },
       [&] {
         TRect r = cell;
         InflateRect(r, -StyleHeaderBorder(), -StyleHeaderBorder());
         return Text(r);
       },
       nullptr},
      {"FooterBorderWidth", [](auto& p) { return Text(p.FooterBorderWidth()); }, [] { return Text(1); }, nullptr},
      {"FooterCellBorderWidth", [](auto& p) { return Text(p.FooterCellBorderWidth()); },
       [] { return Text(StyleFooterCellBorder()); }, nullptr},
      {"FooterCellSpacing", [](auto& p) { return Text(p.FooterCellSpacing()); }, [] { return Text(1); }, nullptr},
      {"FooterOption", [](auto& p) { return Text(p.FooterOption()); }, [] { return Text(false); },
       [] { return Text(false); }},
      {"FilterCloseButtonExtent", [](auto& p) { return Text(p.FilterCloseButtonExtent()); },
       [] {
         return Text(QPoint(Desktop().pixelMetric(QStyle::PM_TabCloseIndicatorWidth) + 4,
                            Desktop().pixelMetric(QStyle::PM_TabCloseIndicatorHeight) + 4));
       },
       nullptr},
      {"FilterActivateButtonExtent", [](auto& p) { return Text(p.FilterActivateButtonExtent()); },
       [] {
         return Text(QPoint(Desktop().pixelMetric(QStyle::PM_IndicatorWidth),
                            Desktop().pixelMetric(QStyle::PM_IndicatorHeight)));
       },
       nullptr},
      {"SmallButtonExtent 3", [](auto& p) { return Text(p.SmallButtonExtent(3)); }, [] { return Text(QPoint(15, 15)); },
       [] { return Text(QPoint(15, 15)); }},
      {"SmallButtonExtent 4", [](auto& p) { return Text(p.SmallButtonExtent(4)); },
       [] {
         QStyleOptionToolButton tool;
         const QSize image = AutoHideImage(1).size();
         tool.iconSize = image;
         tool.toolButtonStyle = Qt::ToolButtonIconOnly;
         const QSize size = Desktop().sizeFromContents(QStyle::CT_ToolButton, &tool, image);
         return Text(QPoint(size.width(), size.height()));
       },
       nullptr},
      {"DefaultColor 38", [](auto& p) { return std::to_string(p.DefaultColor(38)); },
       [] { return std::to_string(FromQColor(QApplication::palette().color(QPalette::Mid))); }, nullptr},
  };
  for (const TMeasureCase& c : cases) {
    Engine()->SetActive(true);
    EXPECT_EQ(c.Measure(test::NativeLookAndFeel()), c.Styled()) << c.Name << " (visual style)";
    Engine()->SetActive(false);
    EXPECT_EQ(c.Measure(test::NativeLookAndFeel()), c.Classic ? c.Classic() : c.Measure(test::StandardLookAndFeel())) << c.Name << " (classic)";
  }
  // The style's button is not the classic one: the measures really change with the look.
  Engine()->SetActive(true);
  const int styled = test::NativeLookAndFeel().ButtonBorderWidth(zxbsNormal);
  EXPECT_GT(styled, 0);
  EXPECT_NE(test::NativeLookAndFeel().FilterCloseButtonExtent(), test::StandardLookAndFeel().FilterCloseButtonExtent());
  // A button smaller than the style's margins keeps its whole rectangle for the focus.
  EXPECT_EQ(test::NativeLookAndFeel().ButtonFocusBounds(Bounds(3, 3, 2, 2)), Bounds(3, 3, 2, 2));
}

// ---------------------------------------------------------------- the filter close and plus buttons

const TzxButtonState kStates[] = {zxbsDefault, zxbsNormal, zxbsHot, zxbsPressed, zxbsDisabled};

QImage Sheet() {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(ToQColor(ColorToRGB(clBtnFace)));
  return image;
}

QImage PaintedBy(const std::function<void(TPainterCanvas&)>& paint) {
  QImage image = Sheet();
  TCanvas dc(&image);
  TPainterCanvas c(dc);
  paint(c);
  return image;
}

QStyle::State StyleState(TzxButtonState state) {
  QStyle::State s = state == zxbsDisabled ? QStyle::State_None : QStyle::State_Enabled;
  if (state == zxbsHot) s |= QStyle::State_MouseOver;
  if (state == zxbsPressed)
    s |= QStyle::State_Sunken | QStyle::State_On;
  else
    s |= QStyle::State_Raised;
  return s;
}

// The filter close button is the style's close indicator in every state; with the classic look the
// Standard painter's button, pixel for pixel.
TEST_F(LookAndFeelNativeMeasures, TheFilterCloseButtonIsTheStylesCloseIndicator) {
  const QPoint extent = test::NativeLookAndFeel().FilterCloseButtonExtent();
  const TRect r = Bounds(6, 4, extent.x(), extent.y());
  for (TzxButtonState state : kStates) {
    const QImage painted = PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintFilterCloseButton(c, r, state); });
    QImage direct = Sheet();
    {
      QPainter p(&direct);
      QStyleOption option;
      option.rect = ToQRect(r);
      option.palette = QApplication::palette();
      option.state = StyleState(state == zxbsDefault ? zxbsNormal : state);
      if (state == zxbsHot || state == zxbsPressed) option.state |= QStyle::State_Raised;
      Desktop().drawPrimitive(QStyle::PE_IndicatorTabClose, &option, &p);
    }
    EXPECT_NE(direct, Sheet()) << "the style draws a close indicator, state " << state;
    EXPECT_EQ(painted, direct) << "state " << state;
  }
  Engine()->SetActive(false);
  const TRect classic = Bounds(6, 4, 16, 14);
  EXPECT_EQ(test::NativeLookAndFeel().FilterCloseButtonExtent(), QPoint(16, 14));
  for (TzxButtonState state : kStates)
    EXPECT_EQ(PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintFilterCloseButton(c, classic, state); }),
              PaintedBy([&](TPainterCanvas& c) { test::StandardLookAndFeel().PaintFilterCloseButton(c, classic, state); }))
        << "classic, state " << state;
}

// The plus button is the style's push button with the plus glyph two pixels inside (one pixel
// further when disabled); with the classic look the Standard painter's button.
TEST_F(LookAndFeelNativeMeasures, ThePlusButtonIsTheStylesPushButtonWithThePlus) {
  const TRect r = Bounds(6, 4, 15, 15);
  for (TzxButtonState state : kStates) {
    const QImage painted = PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintPlusButton(c, r, state); });
    const QImage direct = PaintedBy([&](TPainterCanvas& c) {
      {
        QPainter& p = c.Canvas->Painter();
        p.save();
        p.setBrush(Qt::NoBrush);
        QStyleOptionButton option = StylePushButton(ToQRect(r), state == zxbsDefault);
        option.state = StyleState(state);
        Desktop().drawControl(QStyle::CE_PushButtonBevel, &option, &p);
        p.restore();
      }
      TRect glyph = r;
      InflateRect(glyph, -2, -2);
      if (state == zxbsDisabled) OffsetRect(glyph, 1, 1);
      test::NativeLookAndFeel().PaintPlusGlyph(c, glyph, state);
    });
    EXPECT_EQ(painted, direct) << "state " << state;
    EXPECT_NE(painted, PaintedBy([&](TPainterCanvas& c) { test::StandardLookAndFeel().PaintPlusButton(c, r, state); }))
        << "state " << state;
  }
  // Classic: the Standard painter's button; the plus keeps the native look's own sign colour
  // (DefaultColor 7, which no visual style decides), drawn over the same pixels.
  Engine()->SetActive(false);
  EXPECT_EQ(test::NativeLookAndFeel().DefaultColor(7), TColor(0x00800000));
  for (TzxButtonState state : kStates) {
    const QImage classic = PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintPlusButton(c, r, state); });
    EXPECT_EQ(classic, PaintedBy([&](TPainterCanvas& c) {
                test::StandardLookAndFeel().PaintPlusButton(c, r, state);
                TRect inside = r;
                InflateRect(inside, -test::StandardLookAndFeel().ButtonBorderWidth(zxbsNormal),
                            -test::StandardLookAndFeel().ButtonBorderWidth(zxbsNormal));
                test::NativeLookAndFeel().PaintPlusGlyph(c, inside, state);
              }))
        << "classic, state " << state;
    if (state != zxbsDisabled)
      EXPECT_NE(classic, PaintedBy([&](TPainterCanvas& c) { test::StandardLookAndFeel().PaintPlusButton(c, r, state); }))
          << "the sign in the native colour, state " << state;
  }
}

// The footer border is a one-pixel raised edge in the style's light and dark colours.
TEST_F(LookAndFeelNativeMeasures, TheFooterBorderIsARaisedEdgeOfTheStyle) {
  const TRect r = Bounds(4, 4, 30, 20);
  const QImage styled = PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintFooterBorder(c, r); });
  const QPalette palette = QApplication::palette();
  EXPECT_EQ(QColor(styled.pixel(10, 4)), palette.color(QPalette::Light));
  EXPECT_EQ(QColor(styled.pixel(4, 10)), palette.color(QPalette::Light));
  EXPECT_EQ(QColor(styled.pixel(10, 23)), palette.color(QPalette::Dark));
  EXPECT_EQ(QColor(styled.pixel(33, 10)), palette.color(QPalette::Dark));
  EXPECT_EQ(QColor(styled.pixel(10, 10)), ToQColor(ColorToRGB(clBtnFace)));  // inside untouched
  Engine()->SetActive(false);
  EXPECT_EQ(PaintedBy([&](TPainterCanvas& c) { test::NativeLookAndFeel().PaintFooterBorder(c, r); }),
            PaintedBy([&](TPainterCanvas& c) { test::StandardLookAndFeel().PaintFooterBorder(c, r); }));
}

}  // namespace
}  // namespace zyn
