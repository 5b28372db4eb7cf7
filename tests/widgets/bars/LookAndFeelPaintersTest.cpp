// The look-and-feel painters: one golden image per kind with buttons in every state, check boxes,
// radio buttons, headers and footer cells with text, scroll-bar parts, expand buttons and a
// splitter; the captions must stand out from their faces. Recipe of the images: as BarGoldenTest
// (ZYN_UPDATE_GOLDEN=1 on the offscreen platform, reviewed by eye).

#include "widgets/bars/LookAndFeelPainters.h"

#include "BarTestSupport.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QFont>
#include <gtest/gtest.h>

namespace zyn {
namespace {

struct TKindCase {
  const char* Name;
  const TzxCustomLookAndFeelPainter& (*Painter)();
  TzxLookAndFeelKind Kind;
};

void PrintTo(const TKindCase& c, std::ostream* os) { *os << c.Name; }

const TzxCustomLookAndFeelPainter& FlatLookAndFeel() { return TzxFlatLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& UltraFlat() { return TzxUltraFlatLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& Office11LookAndFeel() { return TzxOffice11LookAndFeelPainter::Instance(); }

class LookAndFeelPainters : public ::testing::TestWithParam<TKindCase> {
 protected:
  LookAndFeelPainters() {
    test::EnsureApplication();
    static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
    fFont = QFont(QStringLiteral("DejaVu Sans"));
    fFont.setPixelSize(11);
  }
  static constexpr int kButtonTop = 4, kButtonHeight = 22, kButtonWidth = 56;
  QImage Paint(const TzxCustomLookAndFeelPainter& p) {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(ToQColor(ColorToRGB(clBtnFace)));
    TCanvas dc(&image);
    dc.Font.Font = fFont;
    TPainterCanvas c(dc);
    const TzxButtonState states[] = {zxbsDefault, zxbsNormal, zxbsHot, zxbsPressed, zxbsDisabled};
    for (int i = 0; i < 5; ++i) {
      const TRect r = Bounds(4 + i * (kButtonWidth + 2), kButtonTop, kButtonWidth, kButtonHeight);
      p.PaintButton(c, r, QStringLiteral("&Ok"), states[i], true);
    }
    for (int i = 0; i < 4; ++i) {
      const TzxButtonState s = states[i + 1];
      p.PaintCheckBox(c, Bounds(4 + i * 34, 34, 13, 13), true, s);
      p.PaintCheckBox(c, Bounds(20 + i * 34, 34, 13, 13), false, s);
      p.PaintRadioButton(c, 4 + i * 34, 52, true, false, false, s);
      p.PaintRadioButton(c, 20 + i * 34, 52, false, false, false, s, clWindow);
    }
    TzxPainterText text;
    text.Text = QStringLiteral("Kanal");
    text.Font = fFont;
    p.PaintHeader(c, Bounds(4, 72, 80, p.HeaderHeight(13)), zxBordRight, zxBordAll, zxbsNormal, clBtnFace, text);
    p.PaintHeader(c, Bounds(84, 72, 80, p.HeaderHeight(13)), zxBordLeft, zxBordAll, zxbsHot, clBtnFace, text);
    text.Text = QStringLiteral("Summe");
    p.PaintFooterCell(c, Bounds(170, 72, 80, 20), clBtnFace, text);
    const TzxScrollBarPart parts[] = {zxsbpLineUp, zxsbpPageUp, zxsbpThumb, zxsbpPageDown, zxsbpLineDown};
    int x = 4;
    for (TzxScrollBarPart part : parts) {
      const int w = part == zxsbpThumb ? 30 : 16;
      p.PaintScrollBarPart(c, true, Bounds(x, 100, w, 16), part, part == zxsbpLineDown ? zxbsPressed : zxbsNormal);
      x += w;
    }
    p.PaintScrollBarPart(c, false, Bounds(120, 100, 16, 16), zxsbpLineUp, zxbsDisabled);
    if (p.ExpandButtonExtent() > 0) {
      p.PaintExpandButton(c, Bounds(150, 100, p.ExpandButtonExtent(), p.ExpandButtonExtent()), clDefault, false);
      p.PaintExpandButton(c, Bounds(170, 100, p.ExpandButtonExtent(), p.ExpandButtonExtent()), clDefault, true);
    }
    p.PaintSmallExpandButton(c, Bounds(190, 100, 9, 9), clWindow, clBtnShadow, false);
    TPainterBackground background;
    p.PaintSplitterBorder(c, Bounds(4, 126, 120, 6), true, background);
    p.PaintBorder(c, Bounds(140, 124, 60, 20));
    p.PaintArrow(c, Bounds(210, 124, 12, 12), clBtnText, zxadRight);
    p.PaintArrowButton(c, Bounds(230, 124, 16, 16), true, zxadDown, zxbsNormal);
    text.Text = QStringLiteral("Typ");
    p.PaintHeaderSection(c, Bounds(4, 150, 60, 20), zxbsNormal, zxBordAll, clBtnFace, text);
    p.PaintHeaderSection(c, Bounds(64, 150, 60, 20), zxbsPressed, zxBordAll, clBtnFace, text);
    p.PaintSortArrow(c, Bounds(128, 150, 16, 20), true);
    p.PaintSortArrow(c, Bounds(146, 150, 16, 20), false);
    p.PaintFilterCloseButton(c, Bounds(166, 150, p.FilterCloseButtonExtent().x(), p.FilterCloseButtonExtent().y()),
                             zxbsNormal);
    p.PaintFilterDropDownButton(c, Bounds(186, 150, 15, 16), zxbsNormal, true);
    p.PaintGroupExpandButton(c, Bounds(206, 150, 15, 15), zxbsNormal, false);
    p.PaintPlusButton(c, Bounds(226, 150, 13, 13), zxbsNormal);
    p.PaintTabsRoot(c, Bounds(4, 176, 120, 18), false, zxBordTop | zxBordLeft | zxBordRight);
    p.PaintFooterBorder(c, Bounds(130, 176, 60, 18));
    return image;
  }
  QFont fFont;
};

TEST_P(LookAndFeelPainters, EveryElementLooksAsTheGoldenImageAndTheCaptionsStandOut) {
  const QImage image = Paint(GetParam().Painter());
  EXPECT_EQ(GetParam().Painter().Kind(), GetParam().Kind);
  // Normal and Hot at the contrast of body text; the pressed face of the UltraFlat look carries the
  // highlight text colour on the blended pressed colour, which reaches the contrast of large text.
  for (int i = 1; i < 4; ++i) {
    const int left = 4 + i * (kButtonWidth + 2);
    EXPECT_GE(test::TextContrast(image, QRect(left + 4, kButtonTop + 4, kButtonWidth - 8, kButtonHeight - 8)),
              i == 3 ? 3.0 : 4.5)
        << "button " << i;
  }
  EXPECT_GE(test::TextContrast(image, QRect(8, 74, 60, 14)), 4.5) << "header";
  test::CompareWithGolden(image, QStringLiteral("laf_") + QString::fromLatin1(GetParam().Name));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LookAndFeelPainters,
                         ::testing::Values(TKindCase{"standard", test::StandardLookAndFeel, lfStandard}, TKindCase{"flat", FlatLookAndFeel, lfFlat},
                                           TKindCase{"ultraflat", UltraFlat, lfUltraFlat},
                                           TKindCase{"office11", Office11LookAndFeel, lfOffice11},
                                           TKindCase{"native", test::NativeLookAndFeel, lfStandard}),
                         [](const ::testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------- the second sheet: every kind, the
// native one included (drawn by the desktop's widget style while the visual style is on)

class LookAndFeelParts : public ::testing::TestWithParam<TKindCase> {
 protected:
  LookAndFeelParts() {
    test::EnsureApplication();
    static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
    fFont = QFont(QStringLiteral("DejaVu Sans"));
    fFont.setPixelSize(11);
  }
  ~LookAndFeelParts() override { static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true); }

  // Where the sheet puts its parts.
  static constexpr int kButtonW = 54, kButtonH = 22;
  static TRect ButtonRect(int i) { return Bounds(4 + i * (kButtonW + 2), 4, kButtonW, kButtonH); }
  static TRect TabRect(int i) { return Bounds(6 + i * 62, 58, 60, 20); }
  static TRect ArrowHeaderRect() { return Bounds(4, 104, 150, 20); }
  static TRect GroupRect(int i) { return Bounds(160 + i * 30, 104, 30, 20); }
  static TRect IndicatorRect(int k) { return Bounds(4 + k * 16, 132, 14, 18); }
  static TRect ImageButtonRect(int i) { return Bounds(110 + i * 22, 132, 20, 20); }

  // A tab as a client draws it with the border strips (left, top, right) and the caption; the
  // native painter draws the whole tab itself.
  void PaintTab(const TzxCustomLookAndFeelPainter& p, TPainterCanvas& c, int i, bool selected) {
    const TRect r = TabRect(i);
    TzxTabParams tab;
    tab.Caption = i == 0 ? QStringLiteral("Kanäle") : i == 1 ? QStringLiteral("Geräte") : QStringLiteral("Räume");
    tab.Font = fFont;
    tab.State = selected ? zxbsPressed : zxbsNormal;
    tab.LeftNeighbor = i > 0;
    tab.RightNeighbor = i < 2;
    if (p.Style() == zxpsNative) {
      p.PaintTab(c, r, tab);
      return;
    }
    const int b = p.TabBorderWidth(false);
    const unsigned borders = zxBordLeft | zxBordTop | zxBordRight;
    p.PaintTabBorder(c, Rect(r.Left, r.Top, r.Left + b, r.Bottom), zxtsLeft, borders, false);
    p.PaintTabBorder(c, Rect(r.Left, r.Top, r.Right, r.Top + b), zxtsTop, borders, false);
    p.PaintTabBorder(c, Rect(r.Right - b, r.Top, r.Right, r.Bottom), zxtsRight, borders, false);
    TCanvas& dc = *c.Canvas;
    dc.Font.Font = fFont;
    dc.Font.Color = clBtnText;
    dc.Brush.Style = bsClear;
    c.DrawText(tab.Caption, Rect(r.Left + b, r.Top + b, r.Right - b, r.Bottom),
               zxAlignHCenter | zxAlignVCenter | zxSingleLine);
  }

  QImage Paint(const TzxCustomLookAndFeelPainter& p) {
    QImage image(300, 160, QImage::Format_RGB32);
    image.fill(ToQColor(ColorToRGB(clBtnFace)));
    TCanvas dc(&image);
    dc.Font.Font = fFont;
    TPainterCanvas c(dc);
    const TzxButtonState states[] = {zxbsDefault, zxbsNormal, zxbsHot, zxbsPressed, zxbsDisabled};
    for (int i = 0; i < 5; ++i) p.PaintButton(c, ButtonRect(i), QStringLiteral("&Ok"), states[i], true);
    for (int i = 0; i < 4; ++i) {
      const TzxButtonState s = states[i + 1];
      p.PaintCheckBox(c, Bounds(4 + i * 36, 32, 13, 13), true, s);
      p.PaintCheckBox(c, Bounds(20 + i * 36, 32, 13, 13), false, s);
      p.PaintRadioButton(c, 150 + i * 36, 32, true, false, false, s, clBtnFace);
      p.PaintRadioButton(c, 166 + i * 36, 32, false, false, false, s, clBtnFace);
    }
    p.PaintTabsRoot(c, Bounds(4, 77, 190, 20), false, zxBordAll);
    for (int i = 2; i >= 1; --i) PaintTab(p, c, i, false);
    PaintTab(p, c, 0, true);
    TPainterBackground background;
    background.Color = clWindow;
    background.TextColor = clWindowText;
    TzxPainterText text;
    text.Text = QStringLiteral("Mai 2026");
    text.Font = fFont;
    p.PaintArrowHeader(c, ArrowHeaderRect(), 12, zxhaBoth, background, 0, text);
    const TzxButtonState groupStates[] = {zxbsNormal, zxbsHot, zxbsPressed, zxbsDisabled};
    for (int i = 0; i < 4; ++i) p.PaintGroupedButton(c, GroupRect(i), clBtnShadow, i, 4, groupStates[i]);
    p.PaintButtonGroupFrame(c, Rect(GroupRect(0).Left, GroupRect(0).Top, GroupRect(3).Right, GroupRect(0).Bottom),
                            false, false);
    for (int k = 0; k <= 5; ++k) {
      const TRect r = IndicatorRect(k);
      if (k == 0)
        p.PaintIndicatorHeader(c, Bounds(r.Left, r.Top, r.Width(), r.Height()), clBtnFace, zxikArrow);
      else
        p.PaintIndicatorCell(c, r, clBtnFace, static_cast<TzxIndicatorKind>(k));
    }
    const TzxButtonState imageStates[] = {zxbsNormal, zxbsHot, zxbsPressed};
    for (int i = 0; i < 6; ++i) p.PaintImageButton(c, ImageButtonRect(i), clBtnFace, i % 2, imageStates[i / 2]);
    const int e = std::max(9, p.ExpandButtonExtent());
    p.PaintExpandButton(c, Bounds(250, 132, e, e), clDefault, false);
    p.PaintExpandButton(c, Bounds(270, 132, e, e), clDefault, true);
    return image;
  }
  QFont fFont;
};

TColor ColorAt(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

bool HasColour(const QImage& image, const TRect& r, TColor colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (ColorAt(image, x, y) == ColorToRGB(colour)) return true;
  return false;
}

TEST_P(LookAndFeelParts, TabsIndicatorsArrowHeadersAndButtonGroupsLookAsTheGoldenImage) {
  const TzxCustomLookAndFeelPainter& p = GetParam().Painter();
  const QImage image = Paint(p);
  // Captions stand out from their faces: buttons (normal, hot), the selected tab, the arrow header.
  for (int i = 1; i <= 2; ++i) {
    const TRect r = ButtonRect(i);
    EXPECT_GE(test::TextContrast(image, QRect(r.Left + 5, r.Top + 5, r.Width() - 10, r.Height() - 10)), 4.5)
        << "button " << i;
  }
  const TRect tab = TabRect(0);
  EXPECT_GE(test::TextContrast(image, QRect(tab.Left + 6, tab.Top + 4, tab.Width() - 12, tab.Height() - 8)), 4.5);
  const TRect header = ArrowHeaderRect();
  EXPECT_GE(
      test::TextContrast(image, QRect(header.Left + 30, header.Top + 3, header.Width() - 60, header.Height() - 6)),
      4.5);
  // The row indicators: the arrow in the header and in its cell, nothing in the cell without one.
  auto black = [&](const TRect& r) {
    return HasColour(image, Rect(r.Left + 3, r.Top + 4, r.Right - 3, r.Bottom - 4), 0);
  };
  EXPECT_TRUE(black(IndicatorRect(0)));
  for (int k = 1; k <= 5; ++k) EXPECT_TRUE(black(IndicatorRect(k))) << k;
  // The auto-hide pins on their buttons.
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(HasColour(image, ImageButtonRect(i), TColor(0))) << i;
  // The arrow header's arrows in the window text colour beside its ends.
  EXPECT_TRUE(
      HasColour(image, Rect(header.Left + 2, header.Top + 4, header.Left + 12, header.Bottom - 4), clWindowText));
  EXPECT_TRUE(
      HasColour(image, Rect(header.Right - 12, header.Top + 4, header.Right - 2, header.Bottom - 4), clWindowText));
  test::CompareWithGolden(image, QStringLiteral("laf_parts_") + QString::fromLatin1(GetParam().Name));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LookAndFeelParts,
                         ::testing::Values(TKindCase{"standard", test::StandardLookAndFeel, lfStandard}, TKindCase{"flat", FlatLookAndFeel, lfFlat},
                                           TKindCase{"ultraflat", UltraFlat, lfUltraFlat},
                                           TKindCase{"office11", Office11LookAndFeel, lfOffice11},
                                           TKindCase{"native", test::NativeLookAndFeel, lfStandard}),
                         [](const ::testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.Name); });

// The colours and geometry the kinds give their tab borders, grouped buttons and header colours.
TEST(LookAndFeelPartColours, TabBordersGroupedButtonsAndTheOffice11HeaderColours) {
  test::EnsureApplication();
  QImage image(60, 30, QImage::Format_RGB32);
  TCanvas dc(&image);
  TPainterCanvas c(dc);
  // Standard: a horizontal tab's right side in the shadow colour, its top side shortened by one
  // at each end with the highlight in the corners below.
  image.fill(Qt::white);
  test::StandardLookAndFeel().PaintTabBorder(c, Rect(10, 5, 11, 25), zxtsRight, zxBordAll, false);
  EXPECT_EQ(ColorAt(image, 10, 6), clWhite);  // 2 lower with a top border
  EXPECT_EQ(ColorAt(image, 10, 7), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorAt(image, 10, 23), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorAt(image, 10, 24), clWhite);  // 1 higher with a bottom border
  test::StandardLookAndFeel().PaintTabBorder(c, Rect(30, 5, 50, 6), zxtsTop, zxBordAll, false);
  EXPECT_EQ(ColorAt(image, 30, 5), clWhite);
  EXPECT_EQ(ColorAt(image, 31, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorAt(image, 49, 5), clWhite);
  EXPECT_EQ(ColorAt(image, 30, 6), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorAt(image, 49, 6), ColorToRGB(clBtnHighlight));
  // UltraFlat: the right side in the tab highlight colour, one pixel short at the bottom.
  image.fill(Qt::white);
  UltraFlat().PaintTabBorder(c, Rect(10, 5, 11, 25), zxtsRight, zxBordAll, false);
  EXPECT_EQ(ColorAt(image, 10, 5), ColorToRGB(clBtnText));
  EXPECT_EQ(ColorAt(image, 10, 24), clWhite);
  UltraFlat().PaintTabBorder(c, Rect(20, 5, 21, 25), zxtsLeft, zxBordAll, false);
  EXPECT_EQ(ColorAt(image, 20, 24), ColorToRGB(clBtnShadow));
  // UltraFlat grouped buttons: a hot middle button has the hot border colour at both sides, the
  // first button keeps its left pixel free; the group borders of a single button.
  image.fill(Qt::white);
  UltraFlat().PaintGroupedButton(c, Bounds(10, 5, 20, 20), clBtnShadow, 1, 3, zxbsHot);
  EXPECT_EQ(ColorAt(image, 10, 10), ColorToRGB(clHighlight));
  EXPECT_EQ(ColorAt(image, 29, 10), ColorToRGB(clHighlight));
  EXPECT_EQ(ColorAt(image, 15, 5), clWhite);  // one pixel less at the top
  EXPECT_EQ(ColorAt(image, 15, 10), ColorToRGB(BlendedSelectedColor()));
  image.fill(Qt::white);
  UltraFlat().PaintGroupedButton(c, Bounds(10, 5, 20, 20), clBtnShadow, 0, 3, zxbsNormal);
  EXPECT_EQ(ColorAt(image, 10, 10), clWhite);
  EXPECT_EQ(ColorAt(image, 11, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(UltraFlat().ButtonGroupBorders(1, 0), Rect(2, 2, 1, 2));
  EXPECT_EQ(UltraFlat().ButtonGroupBorders(3, 2), Rect(1, 2, 2, 2));
  EXPECT_EQ(UltraFlat().HeaderSides(zxBordLeft | zxBordTop), unsigned(zxBordRight | zxBordBottom));
  // The Office11 header colours come from the toolbar and separator colours.
  const auto& o = TzxOffice11LookAndFeelPainter::Instance();
  const TOffice11Colors& colours = Office11Colors();
  EXPECT_EQ(o.HeaderShadeColor(), colours.Office11ToolbarColor2);
  EXPECT_EQ(o.HeaderLineDarkColor(), colours.Office11SeparatorDarkColor);
  EXPECT_EQ(o.HeaderLineLightColor(), colours.Office11SeparatorLightColor);
  EXPECT_EQ(o.HeaderTopLineColor(), MixColors(colours.Office11ToolbarColor1, colours.Office11ToolbarColor2, 50));
  EXPECT_EQ(o.TabBorderColor(), o.HeaderLineDarkColor());
}

// With the classic look the native painter draws as the Standard painter; with the visual style
// on it draws through the widget style and looks different.
TEST(LookAndFeelNative, FallsBackToTheStandardLookWithoutVisualStyle) {
  test::EnsureApplication();
  auto* engine = static_cast<TBuiltInThemeEngine*>(GetThemeEngine());
  auto draw = [](const TzxCustomLookAndFeelPainter& p) {
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas dc(&image);
    TPainterCanvas c(dc);
    p.PaintButton(c, Bounds(2, 2, 60, 22), QString(), zxbsNormal, true);
    p.PaintCheckBox(c, Bounds(70, 4, 13, 13), true, zxbsNormal);
    TzxPainterText text;
    p.PaintHeader(c, Bounds(2, 30, 80, 20), 0, zxBordAll, zxbsNormal, clBtnFace, text);
    p.PaintExpandButton(c, Bounds(90, 30, 12, 12), clDefault, true);
    return image;
  };
  engine->SetActive(false);
  EXPECT_EQ(draw(test::NativeLookAndFeel()), draw(test::StandardLookAndFeel()));
  EXPECT_EQ(test::NativeLookAndFeel().CheckBorderWidth(), 2);
  engine->SetActive(true);
  EXPECT_NE(draw(test::NativeLookAndFeel()), draw(test::StandardLookAndFeel()));
  EXPECT_EQ(test::NativeLookAndFeel().CheckBorderWidth(), 0);
  EXPECT_EQ(test::NativeLookAndFeel().Style(), zxpsNative);
}

// The Office11 scroll bar follows the visual style where it can be drawn, the Standard look else.
TEST(LookAndFeelNative, TheOffice11ScrollBarFollowsTheVisualStyle) {
  test::EnsureApplication();
  auto* engine = static_cast<TBuiltInThemeEngine*>(GetThemeEngine());
  auto draw = [](const TzxCustomLookAndFeelPainter& p) {
    QImage image(80, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas dc(&image);
    TPainterCanvas c(dc);
    p.PaintScrollBarPart(c, true, Bounds(0, 0, 16, 16), zxsbpLineUp, zxbsNormal);
    p.PaintScrollBarPart(c, true, Bounds(16, 0, 30, 16), zxsbpThumb, zxbsNormal);
    p.PaintScrollBarPart(c, true, Bounds(46, 0, 16, 16), zxsbpLineDown, zxbsPressed);
    return image;
  };
  engine->SetActive(false);
  EXPECT_EQ(draw(Office11LookAndFeel()), draw(test::StandardLookAndFeel()));
  engine->SetActive(true);
  EXPECT_EQ(draw(Office11LookAndFeel()), draw(test::NativeLookAndFeel()));
  EXPECT_NE(draw(Office11LookAndFeel()), draw(test::StandardLookAndFeel()));
}

TEST(LookAndFeelPainterMetrics, HeightsExtentsAndTheKindTable) {
  test::EnsureApplication();
  EXPECT_EQ(TzxCustomLookAndFeelPainter::Instance().HeaderHeight(13), 17);
  EXPECT_EQ(test::StandardLookAndFeel().HeaderHeight(13), 19);
  EXPECT_EQ(test::StandardLookAndFeel().ButtonBorderWidth(zxbsDefault), 3);
  EXPECT_EQ(UltraFlat().ButtonSignState(zxbsDisabled), zxbsNormal);
  EXPECT_EQ(Office11LookAndFeel().DefaultColor(19), Office11LookAndFeel().DefaultColor(26));
  EXPECT_EQ(test::StandardLookAndFeel().DefaultColor(32), test::StandardLookAndFeel().DefaultColor(20));
  EXPECT_EQ(&LookAndFeelPainterOf(lfUltraFlat), &UltraFlat());
  EXPECT_EQ(&LookAndFeelPainterOf(lfOffice11), &Office11LookAndFeel());
  EXPECT_EQ(UltraFlat().SmallButtonExtent(3), QPoint(12, 12));
  EXPECT_EQ(test::StandardLookAndFeel().SmallButtonExtent(3), QPoint(13, 13));
  EXPECT_FALSE(Office11LookAndFeel().ExpandButtonBeforeLines());
  EXPECT_EQ(Office11LookAndFeel().SmallExpandButtonExtent(), 11);
  EXPECT_EQ(test::StandardLookAndFeel().FooterCellTextBounds(Bounds(0, 0, 40, 20)), Rect(3, 3, 37, 17));
  EXPECT_EQ(test::StandardLookAndFeel().HeaderSectionContentBounds(Bounds(0, 0, 40, 20), zxbsNormal), Rect(2, 2, 38, 18));
  EXPECT_EQ(test::StandardLookAndFeel().HeaderSectionTextBounds(Bounds(0, 0, 40, 20), zxbsPressed), Rect(1, 1, 41, 21));
  {
    QImage image(10, 10, QImage::Format_RGB32);
    TCanvas dc(&image);
    TPainterCanvas c(dc);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    dc.Font.Font = font;
    const int text = dc.TextWidth(QStringLiteral("Kanal"));
    EXPECT_EQ(test::StandardLookAndFeel().HeaderWidth(c, zxBordLeft, font, QStringLiteral("Kanal")), text + 4 + 1);
    EXPECT_EQ(TzxCustomLookAndFeelPainter::Instance().HeaderWidth(c, zxBordAll, font, QStringLiteral("Kanal")),
              text + 4);
    // An indicator cell without an indicator: the cell alone, no image in it.
    image.fill(Qt::white);
    test::StandardLookAndFeel().PaintIndicatorCell(c, Bounds(0, 0, 10, 10), clWindow, zxikNone);
    for (int y = 2; y < 8; ++y)
      for (int x = 2; x < 8; ++x) ASSERT_EQ(FromQColor(image.pixelColor(x, y)), ColorToRGB(clWindow)) << x << "," << y;
  }
  const TRect tiny = Bounds(0, 0, 6, 6);
  EXPECT_EQ(test::StandardLookAndFeel().ButtonFocusBounds(tiny).Width(), 6);  // shrunk to nothing: the rectangle itself
}

}  // namespace
}  // namespace zyn
