// The look-and-feel painters: one golden image per kind with buttons in every state, check boxes,
// radio buttons, headers and footer cells with text, scroll-bar parts, expand buttons and a
// splitter; the captions must stand out from their faces. Recipe of the images: as BarGoldenTest
// (ZYN_UPDATE_GOLDEN=1 on the offscreen platform, reviewed by eye).

#include "widgets/bars/LookAndFeelPainters.h"

#include "BarTestSupport.h"
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

const TzxCustomLookAndFeelPainter& Standard() { return TzxStandardLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& Flat() { return TzxFlatLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& UltraFlat() { return TzxUltraFlatLookAndFeelPainter::Instance(); }
const TzxCustomLookAndFeelPainter& Office11() { return TzxOffice11LookAndFeelPainter::Instance(); }

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
                         ::testing::Values(TKindCase{"standard", Standard, lfStandard}, TKindCase{"flat", Flat, lfFlat},
                                           TKindCase{"ultraflat", UltraFlat, lfUltraFlat},
                                           TKindCase{"office11", Office11, lfOffice11}),
                         [](const ::testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.Name); });

TEST(LookAndFeelPainterMetrics, HeightsExtentsAndTheKindTable) {
  test::EnsureApplication();
  EXPECT_EQ(TzxCustomLookAndFeelPainter::Instance().HeaderHeight(13), 17);
  EXPECT_EQ(Standard().HeaderHeight(13), 19);
  EXPECT_EQ(Standard().ButtonBorderWidth(zxbsDefault), 3);
  EXPECT_EQ(UltraFlat().ButtonSignState(zxbsDisabled), zxbsNormal);
  EXPECT_EQ(Office11().DefaultColor(19), Office11().DefaultColor(26));
  EXPECT_EQ(Standard().DefaultColor(32), Standard().DefaultColor(20));
  EXPECT_EQ(&LookAndFeelPainterOf(lfUltraFlat), &UltraFlat());
  EXPECT_EQ(&LookAndFeelPainterOf(lfOffice11), &Office11());
  const TRect tiny = Bounds(0, 0, 6, 6);
  EXPECT_EQ(Standard().ButtonFocusBounds(tiny).Width(), 6);  // shrunk to nothing: the rectangle itself
}

}  // namespace
}  // namespace zyn
