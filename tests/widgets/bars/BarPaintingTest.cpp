#include "BarTestSupport.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace zyn {
namespace {

using test::BarsFixture;
using test::FakeBarWindow;

TBuiltInThemeEngine& BuiltIn() { return static_cast<TBuiltInThemeEngine&>(*GetThemeEngine()); }

class Painting : public ::testing::Test, public BarsFixture {
 protected:
  QImage image{60, 40, QImage::Format_RGB32};
  void SetUp() override {
    BuiltIn().SetActive(true);
    image.fill(Qt::white);
  }
  void TearDown() override { BuiltIn().SetActive(true); }
  TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
};

// ---------------------------------------------------------------- numbers

TEST_F(Painting, ArrowSizesFromTheRectangle) {
  const struct {
    int width, height;
    bool down;
    int size;
  } cases[] = {{16, 10, true, 3},  {15, 10, true, 4},  {10, 10, true, 3}, {21, 10, true, 7},
               {10, 13, false, 4}, {10, 14, false, 3}, {10, 4, false, 3}, {0, 0, true, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(ArrowSizeForRect(Rect(0, 0, c.width, c.height), c.down), c.size) << c.width << "x" << c.height;
}

TEST_F(Painting, DownArrowIsATriangleOfTheComputedSize) {
  TCanvas canvas(&image);
  DrawArrowInRect(canvas, Rect(0, 0, 16, 10), true, false, true, false);
  // size 3: x0 = (16 - 5) div 2 = 5, y0 = (10 - 3) div 2 = 3; rows of 5, 3 and 1 pixels.
  for (int x = 5; x <= 9; ++x) EXPECT_EQ(At(x, 3), clBlack) << x;
  EXPECT_EQ(At(4, 3), clWhite);
  EXPECT_EQ(At(10, 3), clWhite);
  EXPECT_EQ(At(6, 4), clBlack);
  EXPECT_EQ(At(5, 4), clWhite);
  EXPECT_EQ(At(7, 5), clBlack);
  EXPECT_EQ(At(6, 5), clWhite);
  EXPECT_EQ(At(7, 6), clWhite);
}

TEST_F(Painting, DisabledArrowIsShadowWithAHighlightEmboss) {
  TCanvas canvas(&image);
  DrawArrowInRect(canvas, Rect(0, 0, 16, 10), true, false, false, false);
  EXPECT_EQ(At(7, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(8, 5), ColorToRGB(clBtnHighlight));  // (x0 + s, y0 + s - 1)
}

TEST_F(Painting, PixelEffects) {
  const QRgb tinted = TintPixel(qRgb(255, 255, 255), RGB(128, 128, 128));
  EXPECT_EQ(qRed(tinted), 159);
  EXPECT_EQ(qGreen(tinted), 159);
  EXPECT_EQ(qBlue(tinted), 159);
  // Blue weighs 77 and red 28 in the luminance.
  const QRgb blue = TintPixel(qRgb(0, 0, 255), RGB(0, 0, 0));
  const QRgb red = TintPixel(qRgb(255, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(qRed(blue), ((((77 * 255 / 256) * 192 + 16320) / 256) * 64) / 256);
  EXPECT_GT(qRed(blue), qRed(red));
  EXPECT_EQ(GrayPixel(qRgb(30, 60, 90)), qRgb(60, 60, 60));
  EXPECT_EQ(LightenPixel(qRgb(0, 100, 255)), qRgb(77, 147, 255));
}

TEST_F(Painting, VerticalGradientBands) {
  // 256 rows: one row per band, band n in channel n.
  QImage tall(4, 256, QImage::Format_RGB32);
  tall.fill(Qt::white);
  {
    TCanvas canvas(&tall);
    FillVerticalGradient(canvas, Rect(0, 0, 4, 256), RGB(0, 0, 0), RGB(0, 0, 255));
  }
  for (int y : {0, 1, 100, 254, 255}) EXPECT_EQ(FromQColor(tall.pixelColor(0, y)), RGB(0, 0, y)) << y;
  // 100 rows: band n spans MulDiv(n, 100, 256) .. MulDiv(n + 1, 100, 256); empty bands paint nothing.
  QImage low(4, 100, QImage::Format_RGB32);
  low.fill(Qt::white);
  {
    TCanvas canvas(&low);
    FillVerticalGradient(canvas, Rect(0, 0, 4, 100), RGB(0, 0, 0), RGB(0, 0, 255));
    FillVerticalGradient(canvas, Rect(0, 0, 4, 0), RGB(255, 0, 0), RGB(255, 0, 0));
  }
  for (int y = 0; y < 100; ++y) {
    int band = -1;
    for (int n = 0; n < 256; ++n)
      if (MulDiv(n, 100, 256) <= y && y < MulDiv(n + 1, 100, 256)) band = n;
    ASSERT_GE(band, 0);
    EXPECT_EQ(FromQColor(low.pixelColor(0, y)), RGB(0, 0, band)) << y;
  }
  EXPECT_EQ(FromQColor(low.pixelColor(0, 0)), RGB(0, 0, 1));  // band 0 is empty
}

TEST_F(Painting, GradientsNeverDivideByZero) {
  QImage wide(300, 2, QImage::Format_RGB32);
  wide.fill(Qt::white);
  {
    TCanvas canvas(&wide);
    FillGradient(canvas, Rect(0, 0, 300, 1), RGB(0, 0, 0), RGB(255, 255, 255), true);
    FillGradient(canvas, Rect(0, 1, 1, 2), RGB(10, 20, 30), RGB(200, 200, 200), true);
    FillGradient(canvas, Rect(5, 1, 5, 2), RGB(255, 0, 0), RGB(0, 0, 255), true);          // empty
    FillTubeGradient(canvas, Rect(10, 1, 11, 2), RGB(10, 20, 30), RGB(90, 90, 90), true);  // one pixel
    FillTubeGradient(canvas, Rect(20, 1, 20, 2), RGB(10, 20, 30), RGB(90, 90, 90), true);  // empty
  }
  std::set<QRgb> bands;
  for (int x = 0; x < 300; ++x) bands.insert(wide.pixel(x, 0));
  EXPECT_EQ(bands.size(), 256u);
  EXPECT_EQ(FromQColor(wide.pixelColor(0, 0)), RGB(0, 0, 0));
  EXPECT_EQ(FromQColor(wide.pixelColor(299, 0)), RGB(255, 255, 255));
  EXPECT_EQ(FromQColor(wide.pixelColor(0, 1)), RGB(10, 20, 30));
  EXPECT_EQ(FromQColor(wide.pixelColor(5, 1)), RGB(255, 255, 255));
  EXPECT_EQ(FromQColor(wide.pixelColor(10, 1)), RGB(10, 20, 30));
  EXPECT_EQ(GradientColorAt(Rect(0, 0, 1, 1), 0, RGB(1, 2, 3), RGB(200, 200, 200), true), RGB(1, 2, 3));
  EXPECT_EQ(GradientColorAt(Rect(0, 0, 300, 1), 299, RGB(0, 0, 0), RGB(255, 255, 255), true), RGB(255, 255, 255));
  EXPECT_EQ(GradientColorAt(Rect(0, 0, 0, 0), 0, RGB(4, 5, 6), RGB(255, 255, 255), true), RGB(4, 5, 6));
}

TEST_F(Painting, TubeGradientOfTwoPixelsEndsInTheMidColour) {
  QImage two(2, 1, QImage::Format_RGB32);
  const TColor c1 = RGB(200, 100, 50), c2 = RGB(0, 0, 0);
  {
    TCanvas canvas(&two);
    FillTubeGradient(canvas, Rect(0, 0, 2, 1), c1, c2, true);
  }
  const int f = Office11Colors().Office11GradientFactor;
  auto mid = [f](int a, int b) { return a - MulDiv(a - b, f, 200); };
  EXPECT_EQ(FromQColor(two.pixelColor(0, 0)), c1);
  EXPECT_EQ(FromQColor(two.pixelColor(1, 0)), RGB(mid(200, 0), mid(100, 0), mid(50, 0)));
}

TEST_F(Painting, ColourArithmetic) {
  EXPECT_EQ(MixColors(clWhite, clBlack, 50), RGB(128, 128, 128));
  EXPECT_EQ(MixColors(clWhite, clBlack, 100), RGB(255, 255, 255));
  EXPECT_EQ(MixColors(RGB(255, 0, 0), RGB(0, 0, 255), 30), RGB(77, 0, 179));
  // Face D4D0C8, highlight 0A246A, window FFFFFF (the classic palette of the tests).
  auto blend = [](int f, int h, int w, int a, int b, int c) {
    return std::clamp(MulDiv(f, a, 100) + MulDiv(h, b, 100) + MulDiv(w, c, 100), 0, 255);
  };
  EXPECT_EQ(BlendSystemColors(-2, 30, 72), RGB(blend(0xD4, 0x0A, 0xFF, -2, 30, 72), blend(0xD0, 0x24, 0xFF, -2, 30, 72),
                                               blend(0xC8, 0x6A, 0xFF, -2, 30, 72)));
}

TEST_F(Painting, BlackButtonFaceMakesEveryBlendTheHighlight) {
  const QPalette saved = QApplication::palette();
  QPalette p = saved;
  p.setColor(QPalette::Button, Qt::black);
  QApplication::setPalette(p);
  EXPECT_EQ(BlendSystemColors(11, 9, 73), ColorToRGB(clHighlight));
  EXPECT_EQ(BlendSystemColors(-2, 30, 72), ColorToRGB(clHighlight));
  EXPECT_TRUE(FaceIsBlack());
  // Every selection frame is drawn in the highlight-text colour then.
  {
    TCanvas canvas(&image);
    TzbBarItemControlFlatPainter::Instance().DrawSelectionFrame(canvas, Rect(0, 0, 10, 10));
  }
  EXPECT_EQ(At(0, 0), ColorToRGB(clHighlightText));
  QApplication::setPalette(saved);
}

TEST_F(Painting, Office2003ColoursOfTheStandardStyle) {
  Office11ColorsRefresh();
  const TOffice11Colors& c = Office11Colors();
  EXPECT_EQ(Office11Scheme(), 1);
  EXPECT_TRUE(Office11XPScheme());
  EXPECT_EQ(c.Office11GradientFactor, 41);
  const struct {
    TColor value;
    int entry;
  } table[] = {{c.Office11ToolbarColor1, 0},
               {c.Office11ToolbarColor2, 1},
               {c.Office11DockColor1, 2},
               {c.Office11DockColor2, 3},
               {c.Office11MoreButtonsColors2[0], 4},
               {c.Office11MoreButtonsColors1[0], 5},
               {c.Office11MoreButtonsColors2[1], 6},
               {c.Office11MoreButtonsColors1[1], 7},
               {c.Office11MoreButtonsColors2[2], 8},
               {c.Office11MoreButtonsColors1[2], 9},
               {c.Office11BarFrameColor1, 10},
               {c.Office11BarFrameColor2, 11},
               {c.Office11GripDarkColor, 12},
               {c.Office11GripLightColor, 13},
               {c.Office11SeparatorDarkColor, 14},
               {c.Office11SeparatorLightColor, 15},
               {c.Office11BarBorderColor1, 16},
               {c.Office11BarBorderColor2, 17},
               {c.Office11BorderColor, 18},
               {c.Office11MenuColor, 19},
               {c.Office11SelectedColor, 20},
               {c.Office11SelectedBorderColor, 21},
               {c.Office11HotColor1, 22},
               {c.Office11HotColor2, 23},
               {c.Office11PressedColor1, 24},
               {c.Office11PressedColor2, 25},
               {c.Office11CheckedColor, 26},
               {c.Office11PressedColor, 27},
               {c.Office11ItemColor1, 28},
               {c.Office11ItemColor2, 29},
               {c.Office11TextColor, 30},
               {c.Office11DisabledTextColor, 31},
               {c.Office11AuxColor1, 32},
               {c.Office11AuxColor2, 33},
               {c.Office11AuxColor3, 34},
               {c.Office11AuxColor4, 35}};
  for (const auto& t : table) EXPECT_EQ(t.value, Office11SchemeEntry(1, t.entry)) << "entry " << t.entry;
  EXPECT_EQ(c.Office11ToolbarColor1, 0x00FEECDD);
  EXPECT_EQ(c.Office11SelectedBorderColor, 0x00800000);
  EXPECT_EQ(Office11SchemeEntry(2, 0), 0x00DEF7F4);
  EXPECT_EQ(Office11SchemeEntry(3, 35), 0x00947C7C);
  EXPECT_EQ(c.Office11SymbolColor, 0x00000000);
  EXPECT_EQ(c.Office11BarBorderColor3, c.Office11ToolbarColor1);
  EXPECT_EQ(c.Office11MoreButtonsColors3[1], MixColors(c.Office11MoreButtonsColors1[1], c.Office11ToolbarColor1, 90));
  EXPECT_EQ(c.Office11BackgroundDarkColor1, MixColors(c.Office11BackgroundColor1, 0, 92));
}

TEST_F(Painting, Office2003ColoursFromSystemColoursWithTheClassicLook) {
  BuiltIn().SetActive(false);
  Office11ColorsRefresh();
  const TOffice11Colors& c = Office11Colors();
  EXPECT_EQ(c.Office11Scheme, 0);
  EXPECT_FALSE(c.Office11XPScheme);
  EXPECT_EQ(c.Office11GradientFactor, 75);
  EXPECT_EQ(c.Office11DockColor1, ColorToRGB(clBtnFace));
  EXPECT_EQ(c.Office11ToolbarColor1, MixColors(clBtnFace, clWindow, 22));
  EXPECT_EQ(c.Office11SelectedColor, BlendSystemColors(-2, 30, 72));
  EXPECT_EQ(c.Office11HotColor1, c.Office11SelectedColor);
  EXPECT_EQ(c.Office11PressedColor1, c.Office11PressedColor2);
  EXPECT_EQ(c.Office11MoreButtonsColors2[1], c.Office11MoreButtonsColors1[1]);
  EXPECT_EQ(c.Office11PressedColor, BlendSystemColors(41, 11, 48));
  EXPECT_EQ(c.Office11SeparatorLightColor, 0x00FFFFFF);
  BuiltIn().SetActive(true);
  Office11ColorsRefresh();
  EXPECT_EQ(Office11Scheme(), 1);
}

TEST_F(Painting, Office2003ReferenceCountKeepsColoursReadable) {
  const int before = Office11ReferenceCount();
  Office11ColorsAddRef();
  EXPECT_TRUE(Office11BrushesCreated());
  Office11ColorsRelease();
  EXPECT_EQ(Office11ReferenceCount(), before);
  EXPECT_NE(Office11Colors().Office11ToolbarColor1, 0);
}

TEST_F(Painting, DropDownArrowOfTheOffice2003Look) {
  TCanvas canvas(&image);
  DrawDropDownArrow(canvas, Rect(0, 0, 16, 10), true, false, false);
  // s = 8 (even): A = 3; x = (16 - 5) div 2 = 5, y = 3.
  EXPECT_EQ(At(5, 3), Office11Colors().Office11DisabledTextColor);
  EXPECT_EQ(At(7, 5), Office11Colors().Office11DisabledTextColor);
  EXPECT_EQ(At(4, 3), clWhite);
}

TEST_F(Painting, GripDotsAreLightThenDark) {
  TCanvas canvas(&image);
  DrawGripDots(canvas, Rect(0, 0, 4, 12), true);
  // Length 12: no shift; cell (0, 0): light square (1,1)-(3,3), then dark at (0,0)-(2,2).
  EXPECT_EQ(At(0, 0), Office11Colors().Office11GripDarkColor);
  EXPECT_EQ(At(2, 2), Office11Colors().Office11GripLightColor);
  EXPECT_EQ(At(0, 4), Office11Colors().Office11GripDarkColor);
}

// ---------------------------------------------------------------- painter numbers

TEST_F(Painting, PainterMetricsTable) {
  const struct {
    const TzbBarItemControlPainter* painter;
    int gripIndent, gripArea, separatorIndent, separatorSize, menuSeparatorHeight, dropArrow;
    bool quickCustomizing;
  } table[] = {
      {&TzbBarItemControlPainter::Instance(), 0, 0, 0, 6, 10, 11, false},
      {&TzbBarItemControlStandardPainter::Instance(), 2, 9, 2, 6, 10, 11, false},
      {&TzbBarItemControlEnhancedPainter::Instance(), 1, 6, 12, 6, 10, 11, true},
      {&TzbBarItemControlFlatPainter::Instance(), 1, 6, 8, 5, 5, 10, true},
      {&TzbBarItemControlXPPainter::Instance(), 0, 6, 0, 6, 6, 14, true},
  };
  for (const auto& t : table) {
    SCOPED_TRACE(t.painter->ClassName());
    EXPECT_EQ(t.painter->GetGripIndent(), t.gripIndent);
    EXPECT_EQ(t.painter->GetGripAreaSize(), t.gripArea);
    EXPECT_EQ(t.painter->GetMenuSeparatorIndent(), t.separatorIndent);
    EXPECT_EQ(t.painter->GetToolbarSeparatorSize(), t.separatorSize);
    EXPECT_EQ(t.painter->GetMenuSeparatorHeight(), t.menuSeparatorHeight);
    EXPECT_EQ(t.painter->GetDropArrowWidth(*manager), t.dropArrow);
    EXPECT_EQ(t.painter->AllowsQuickCustomizing(), t.quickCustomizing);
  }
  EXPECT_EQ(TzbBarItemControlStandardPainter::Instance().GetSeparatorMargin(), 2);
  EXPECT_EQ(TzbBarItemControlFlatPainter::Instance().GetSeparatorMargin(), 2);
  EXPECT_EQ(TzbBarItemControlFlatPainter::Instance().GetExpandChevronLines(15), 4);  // 5 made even
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetExpandChevronLines(15), 4);
  manager->SetLargeIcons(true);
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetDropArrowWidth(*manager), 23);  // 22 made odd
}

TEST_F(Painting, ManagerChoosesThePainterAndFollowsThemeChanges) {
  manager->SetStyle(bmsEnhanced);
  EXPECT_EQ(manager->ButtonWidth(), 23);
  EXPECT_EQ(manager->ButtonHeight(), 22);
  EXPECT_EQ(manager->GripAreaSize(), 6);
  manager->SetStyle(bmsXP);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlXPPainter");
  EXPECT_EQ(manager->ButtonWidth(), 22);  // 16 + the toolbar theme's content margins (3 + 3)
  // The classic look: the Enhanced painter draws, without a restart.
  BuiltIn().SetActive(false);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlEnhancedPainter");
  EXPECT_EQ(manager->MenuSeparatorIndent(), 12);
  BuiltIn().SetActive(true);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlXPPainter");
  // Look and feel: ultra flat without native style gives the Flat painter.
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel().SetKind(lfUltraFlat);
  manager->LookAndFeel().SetNativeStyle(false);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlFlatPainter");
  manager->LookAndFeel().SetNativeStyle(true);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlXPPainter");
  manager->LookAndFeel().SetNativeStyle(false);
  manager->LookAndFeel().SetKind(lfStandard);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlStandardPainter");
  EXPECT_FALSE(manager->CanUseRecentItems());
  manager->LookAndFeel().SetKind(lfFlat);
  EXPECT_EQ(manager->GetRealStyle(), bmsEnhanced);
}

TEST_F(Painting, ManagerBrushes) {
  const TColor shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  EXPECT_EQ(manager->BrushColor(1),
            RGB(GetRValue(shadow) * 8 / 10, GetGValue(shadow) * 8 / 10, GetBValue(shadow) * 8 / 10));
  EXPECT_EQ(manager->BrushColor(2), RGB(GetRValue(face) + MulDiv(255 - GetRValue(face), 16, 100),
                                        GetGValue(face) + MulDiv(255 - GetGValue(face), 16, 100),
                                        GetBValue(face) + MulDiv(255 - GetBValue(face), 16, 100)));
  EXPECT_EQ(manager->BrushColor(3), BlendSystemColors(11, 9, 73));
  EXPECT_EQ(manager->BrushColor(4), BlendSystemColors(14, 44, 40));
  EXPECT_EQ(manager->BrushColor(5), BlendSystemColors(-2, 30, 72));
  EXPECT_EQ(manager->ThemeBrushColor(), RGB(236, 233, 216));
}

// ---------------------------------------------------------------- themes

class CountingEngine : public TBuiltInThemeEngine {
 public:
  QStringList opened;
  QString refuse;
  HTHEME OpenThemeData(const QString& classList) override {
    opened << classList;
    if (classList.compare(refuse, Qt::CaseInsensitive) == 0) return 0;
    return TBuiltInThemeEngine::OpenThemeData(classList);
  }
};

TEST_F(Painting, ThemesUsableStopsAtTheFirstKindThatCannotOpen) {
  auto engine = std::make_unique<CountingEngine>();
  CountingEngine* e = engine.get();
  e->refuse = "Rebar";
  SetThemeEngine(std::move(engine));
  // The manager chose again on the change and fell back to the Enhanced painter.
  manager->SetStyle(bmsXP);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlEnhancedPainter");
  e->opened.clear();
  EXPECT_FALSE(ThemesUsable(ThemeSet(totComboBox) | ThemeSet(totRebar) | ThemeSet(totWindow)));
  EXPECT_EQ(e->opened, (QStringList{"Rebar"}));  // the combo box handle is cached; Window is not tried
  // Failure is not cached: the kind is asked again.
  EXPECT_FALSE(ThemesUsable(ThemeSet(totRebar)));
  EXPECT_EQ(e->opened.size(), 2);
  // A class list that differs only in case answers the cached handle.
  const QString upper = "COMBOBOX";
  const HTHEME h = ThemeHandle(totComboBox);
  EXPECT_NE(h, 0);
  EXPECT_EQ(ThemeHandle(totComboBox, &upper), h);
  EXPECT_EQ(e->opened.size(), 2);
  SetThemeEngine(std::make_unique<TBuiltInThemeEngine>());
  EXPECT_TRUE(ThemesUsable(ThemeSet(totRebar)));
}

TEST_F(Painting, ThemeChangeSurvivesNotificatorsFreedDuringIt) {
  auto first = std::make_unique<TzbThemeChangedNotificator>();
  auto second = std::make_unique<TzbThemeChangedNotificator>();
  auto third = std::make_unique<TzbThemeChangedNotificator>();
  int calls = 0, thirdCalls = 0;
  first->OnThemeChanged = [&] {
    ++calls;
    second.reset();  // frees a later one
    first.reset();   // and itself
  };
  third->OnThemeChanged = [&] { ++thirdCalls; };
  const int before = ThemeNotificatorCount();
  BuiltIn().SetActive(false);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(thirdCalls, 1);
  EXPECT_EQ(ThemeNotificatorCount(), before - 2);
  EXPECT_FALSE(ThemesActive());
  BuiltIn().SetActive(true);
  EXPECT_EQ(thirdCalls, 2);
  EXPECT_TRUE(ThemesActive());
}

TEST_F(Painting, WithoutThemeLibraryNothingIsUsable) {
  SetThemeEngine(nullptr);
  EXPECT_FALSE(ThemeLibraryPresent());
  EXPECT_FALSE(ThemesUsable(0));
  EXPECT_EQ(ThemeHandle(totToolBar), 0);
  manager->SetStyle(bmsXP);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlEnhancedPainter");
  EXPECT_EQ(DetectOffice11Scheme(), 0);
  SetThemeEngine(std::make_unique<TBuiltInThemeEngine>());
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlXPPainter");
}

// ---------------------------------------------------------------- look and feel

class Listener : public ILookAndFeelChangeListener {
 public:
  std::function<void()> OnChange;
  int Changes = 0;
  void MasterChanged(TzxLookAndFeel&, TzxLookAndFeelValues) override {
    ++Changes;
    if (OnChange) OnChange();
  }
  void MasterDestroying(TzxLookAndFeel&) override {}
};

TEST_F(Painting, LookAndFeelInheritsFromTheRoot) {
  TzxLookAndFeel lf;
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_FALSE(lf.NativeStyle());
  {
    TzxLookAndFeelController controller;
    controller.SetKind(lfOffice11);
    EXPECT_EQ(lf.Kind(), lfOffice11);
  }
  // The last controller gone: the root returns to its defaults.
  EXPECT_EQ(GlobalLookAndFeel()->AssignedValues(), 0u);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);

  int changes = 0;
  lf.OnChanged = [&](TzxLookAndFeel&, TzxLookAndFeelValues) { ++changes; };
  lf.SetKind(lfUltraFlat);  // effectively the same: recorded, not reported
  EXPECT_EQ(lf.AssignedValues(), LookAndFeelBit(lfvKind));
  EXPECT_EQ(changes, 0);
  lf.SetKind(lfFlat);
  EXPECT_EQ(changes, 1);
  lf.SetAssignedValues(0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
}

TEST_F(Painting, ListenerRemovingItselfDoesNotSkipTheNext) {
  TzxLookAndFeel master;
  Listener a, b;
  master.AddChangeListener(&a);
  master.AddChangeListener(&b);
  a.OnChange = [&] { master.RemoveChangeListener(&a); };
  master.SetKind(lfStandard);
  EXPECT_EQ(a.Changes, 1);
  EXPECT_EQ(b.Changes, 1);
  master.RemoveChangeListener(&b);
}

TEST_F(Painting, SystemColourChangeReachesLookAndFeelObjects) {
  TzxLookAndFeel lf;
  TzxLookAndFeelValues seen = 0;
  lf.OnChanged = [&](TzxLookAndFeel&, TzxLookAndFeelValues v) { seen |= v; };
  SystemPaletteChanged();
  EXPECT_EQ(seen, LookAndFeelBit(lfvNativeStyle));
}

// ---------------------------------------------------------------- painted looks

class PaintedButtons : public Painting {
 protected:
  TzbBarButton* button = nullptr;
  TzbBar* bar = nullptr;
  std::unique_ptr<FakeBarWindow> window;
  std::unique_ptr<TzbBarItemControl> control;
  void Prepare(TzbBarManagerStyle style, bool menu, bool glyph) {
    manager->SetStyle(style);
    bar = manager->Bars().Add();
    button = manager->CreateItem<TzbBarButton>();
    if (glyph) button->SetImageIndex(0);
    TzbBarItemLink* link = bar->ItemLinks().Add();
    link->SetItem(button);
    window = std::make_unique<FakeBarWindow>(*manager, menu, 60, 30);
    control = std::make_unique<TzbBarItemControl>(*link, *window);
  }
  TColor Px(int x, int y) { return FromQColor(window->Image().pixelColor(x, y)); }
};

TEST_F(PaintedButtons, StandardCheckedButtonShowsTheCheckerUnlessHot) {
  Prepare(bmsStandard, false, true);
  TzbButtonState s;
  s.Down = true;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 23, 22), s, false);
  const TColor a = Px(2, 2), b = Px(3, 2);
  EXPECT_NE(a, b);  // the checker pattern
  EXPECT_TRUE((a == ColorToRGB(clBtnFace) && b == ColorToRGB(clBtnHighlight)) ||
              (b == ColorToRGB(clBtnFace) && a == ColorToRGB(clBtnHighlight)));
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnShadow));  // sunken edge
  EXPECT_EQ(Px(22, 21), ColorToRGB(clBtnHighlight));
  window->Clear();
  s.Selected = true;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 23, 22), s, false);
  EXPECT_EQ(Px(2, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(3, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(PaintedButtons, FlatHotButtonHasAHighlightFrameAndTheLightMix) {
  Prepare(bmsFlat, false, false);
  TzbButtonState s;
  s.Selected = true;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 23, 22), s, true);
  EXPECT_EQ(Px(0, 0), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(5, 5), manager->BrushColor(5));
  window->Clear();
  s.Down = true;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 23, 22), s, true);
  EXPECT_EQ(Px(5, 5), manager->BrushColor(4));
  window->Clear();
  s.Selected = false;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 23, 22), s, true);
  EXPECT_EQ(Px(5, 5), manager->BrushColor(3));
}

TEST_F(PaintedButtons, DisabledCaptionIsEmbossedInTheClassicLookAndGreyWhenFlat) {
  Prepare(bmsEnhanced, false, false);
  TColor first, second;
  manager->PainterClass().GetCaptionColors(*control, false, false, false, first, second);
  EXPECT_EQ(first, clBtnHighlight);
  EXPECT_EQ(second, clBtnShadow);
  const auto& flat = TzbBarItemControlFlatPainter::Instance();
  flat.GetCaptionColors(*control, false, false, flat.UsesFlatSelection(), first, second);
  EXPECT_EQ(first, clGrayText);
  EXPECT_EQ(second, clGrayText);
}

TEST_F(PaintedButtons, XPHotButtonIsTheThemedToolbarButton) {
  Prepare(bmsXP, false, true);
  ASSERT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlXPPainter");
  TzbButtonState s;
  s.Selected = true;
  manager->PainterClass().DrawButton(*control, Rect(0, 0, 22, 22), s, false);
  EXPECT_EQ(Px(1, 0), RGB(206, 206, 195));          // the frame of the built-in style's hot button
  EXPECT_EQ(Px(0, 0), manager->ThemeBrushColor());  // its corners are left to the bar
}

TEST_F(PaintedButtons, MenuSeparatorIndents) {
  Prepare(bmsEnhanced, true, false);
  manager->PainterClass().DrawMenuSeparator(*window, *control, 0, Rect(0, 12, 60, 30), window->Canvas());
  EXPECT_EQ(control->SeparatorRect, Rect(0, 2, 60, 12));
  EXPECT_EQ(Px(11, 6), ColorToRGB(clBtnFace));    // inside the 12-pixel indent
  EXPECT_EQ(Px(12, 6), ColorToRGB(clBtnShadow));  // the etched line
  window->Clear();
  TzbBarItemControlStandardPainter::Instance().DrawMenuSeparator(*window, *control, 0, Rect(0, 12, 60, 30),
                                                                 window->Canvas());
  EXPECT_EQ(Px(2, 6), ColorToRGB(clBtnShadow));
}

TEST_F(PaintedButtons, CheckedMenuItemWithoutImageShowsTheCheckSign) {
  Prepare(bmsEnhanced, true, false);
  manager->PainterClass().DrawMenuButton(*control, window->Canvas(), Rect(0, 0, 60, 20), false, true, true);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) dark += Px(x, y) == clBlack ? 1 : 0;
  EXPECT_GT(dark, 5);
}

TEST_F(PaintedButtons, MenuMeasuresTable) {
  Prepare(bmsEnhanced, true, false);
  int line = 19, drop = 0, expand = 0, glyphRef = 0;
  TzbBarItemControlPainter::Instance().CalcMenuMetrics(*window, line, drop, expand, glyphRef);
  EXPECT_EQ(drop, 13);
  EXPECT_EQ(expand, 14);  // "0" is 13 high: 14, 4 chevron lines (even)
  EXPECT_EQ(glyphRef, 19);
  line = 19;
  TzbBarItemControlFlatPainter::Instance().CalcMenuMetrics(*window, line, drop, expand, glyphRef);
  EXPECT_EQ(line, 20);
  EXPECT_EQ(drop, 16);
  EXPECT_EQ(glyphRef, 20);

  TRect start;
  int bottom = 0;
  TzbBarItemControlPainter::Instance().GetMenuItemsRect(*window, false, start, bottom);
  EXPECT_EQ(start, Rect(2, 2, 58, 2));  // the window is 60 x 30
  EXPECT_EQ(bottom, 28);
  TzbBarItemControlPainter::Instance().GetMenuItemsRect(*window, true, start, bottom);
  EXPECT_EQ(bottom, std::numeric_limits<int>::max());
  TzbBarItemControlXPPainter::Instance().GetMenuItemsRect(*window, false, start, bottom);
  EXPECT_EQ(start, Rect(1, 1, 59, 1));
  EXPECT_EQ(bottom, 29);

  int w = 0, h = 0;
  TzbBarItemControlPainter::Instance().CalcMenuSize(*window, 0, 0, w, h);
  EXPECT_EQ(w, 100);  // an empty menu is 100 pixels wide
  TzbBarItemControlPainter::Instance().CalcMenuSize(*window, 80, 40, w, h);
  EXPECT_EQ(w, 86);
  EXPECT_EQ(h, 44);
  TzbBarItemControlXPPainter::Instance().CalcMenuSize(*window, 80, 40, w, h);
  EXPECT_EQ(w, 84);
  EXPECT_EQ(h, 43);
}

TEST_F(PaintedButtons, SubItemOnAToolbarIsAsHighAsAButton) {
  manager->SetStyle(bmsEnhanced);
  TzbBar* b = manager->Bars().Add();
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  sub->SetImageIndex(0);
  TzbBarItemLink* link = b->ItemLinks().Add();
  link->SetItem(sub);
  FakeBarWindow w(*manager, false, 80, 30);
  w.BarOf = b;
  TzbBarItemControl c(*link, w);
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetSubItemHeight(c), manager->ButtonHeight());
  sub->SetShowCaption(false);
  // Glyph only, not on the main-menu bar: the button extent plus half the item height for the arrow.
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetSubItemWidth(c), manager->ButtonWidth() + w.ItemHeight() / 2);
  b->SetIsMainMenu(true);
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetSubItemWidth(c), manager->ButtonWidth());
  EXPECT_EQ(TzbBarItemControlFlatPainter::Instance().GetSubItemTextIndent(c), 8);
  EXPECT_EQ(TzbBarItemControlPainter::Instance().GetSubItemTextIndent(c), 5);
}

TEST_F(PaintedButtons, FloatingCaptionWithCloseButton) {
  Prepare(bmsStandard, false, false);
  bar->AllowClose = true;
  window->BarOf = bar;
  const TRect caption = Rect(0, 0, 60, 15);
  manager->PainterClass().DrawFloatingCaption(*window, window->Canvas(), window->CurrentBrush(), caption);
  EXPECT_EQ(Px(2, 0), ColorToRGB(clActiveCaption));   // the caption area (no text: the bar has none)
  EXPECT_EQ(Px(45, 0), ColorToRGB(clActiveCaption));  // the close button's frame
  EXPECT_EQ(Px(10, 15), ColorToRGB(clBtnFace));       // the row below the caption
  EXPECT_NE(Px(52, 7), ColorToRGB(clActiveCaption));  // the close button itself
}

TEST_F(PaintedButtons, BarFontIsNeverSmallerThanElevenPixels) {
  Prepare(bmsStandard, false, false);
  manager->Font = QFont("Tahoma");
  manager->Font.setPixelSize(9);
  manager->Scaled = false;
  EXPECT_EQ(manager->BarFont().pixelSize(), 9);
  manager->Scaled = true;
  QFont small = QApplication::font();
  small.setPixelSize(8);
  const QFont saved = QApplication::font();
  QApplication::setFont(small);
  EXPECT_EQ(manager->BarFont().pixelSize(), 11);
  EXPECT_EQ(manager->BarFont().family(), manager->Font.family());
  QApplication::setFont(saved);
}

TEST_F(PaintedButtons, EnhancedQuickButtonHasTheDownTriangleAndChevronsOnlyWhenLinksAreHidden) {
  Prepare(bmsEnhanced, false, false);
  const auto& p = manager->PainterClass();
  const TRect quick = p.GetQuickButtonRect(*window);
  EXPECT_EQ(quick, Rect(49, 0, 60, 30));  // 11 pixels wide across the whole height
  window->Clear();
  p.DrawQuickButton(*window, window->Canvas(), window->CurrentBrush(), quick);
  // The triangle: 5 wide at (left + 3, bottom - 7).
  for (int x = 52; x <= 56; ++x) EXPECT_EQ(Px(x, 23), clBlack) << x;
  EXPECT_EQ(Px(54, 25), clBlack);
  EXPECT_EQ(Px(51, 5), ColorToRGB(clBtnFace));  // no chevrons
  window->HiddenLinks = true;
  p.DrawQuickButton(*window, window->Canvas(), window->CurrentBrush(), quick);
  EXPECT_EQ(Px(51, 4), clBlack);  // the first chevron starts at (left + 2, 4)
  // The Standard painter's rectangle is the top-right 11 x 9 pixels.
  EXPECT_EQ(TzbBarItemControlStandardPainter::Instance().GetQuickButtonRect(*window), Rect(49, 0, 60, 9));
  window->Docking = dsLeft;
  EXPECT_EQ(p.GetQuickButtonRect(*window), Rect(0, 19, 60, 30));
}

TEST_F(PaintedButtons, BarBordersAndGrips) {
  Prepare(bmsStandard, false, false);
  const TRect r = Rect(0, 0, 60, 30);
  TzbBarItemControlStandardPainter::Instance().DrawBarBorder(*window, window->Canvas(), window->CurrentBrush(), r);
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(59, 29), ColorToRGB(clBtnShadow));
  // Two raised grip bars from x = 2 + 2 and x = 7, the extra highlight pixel at the lower left.
  EXPECT_EQ(Px(4, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(6, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(7, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(4, 27), ColorToRGB(clBtnHighlight));
  window->Clear();
  TzbBarItemControlEnhancedPainter::Instance().DrawBarBorder(*window, window->Canvas(), window->CurrentBrush(), r);
  EXPECT_EQ(Px(3, 5), ColorToRGB(clBtnHighlight));  // one grip bar, 1 pixel after the border
  EXPECT_EQ(Px(5, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(3, 2), ColorToRGB(clBtnFace));  // 1 pixel shorter at the ends
  window->Clear();
  manager->SetStyle(bmsFlat);
  TzbBarItemControlFlatPainter::Instance().DrawBarBorder(*window, window->Canvas(), window->CurrentBrush(), r);
  EXPECT_EQ(Px(3, 5), ColorToRGB(clBtnShadow));  // striped grip: even rows shadow
  EXPECT_EQ(Px(3, 6), window->CurrentBrush().Color == clBtnFace ? ColorToRGB(clBtnFace) : window->CurrentBrush().Color);
}

TEST_F(Painting, XPDockRowsGetHighlightAndShadowLines) {
  const auto& xp = TzbBarItemControlXPPainter::Instance();
  const std::vector<TzbDockRow> rows = {{Rect(0, 0, 100, 26), true}, {Rect(0, 26, 100, 52), true}};
  const QImage top = xp.RenderDockBackground(100, 52, dsTop, rows);
  auto px = [](const QImage& i, int x, int y) { return FromQColor(i.pixelColor(x, y)); };
  EXPECT_NE(px(top, 50, 0), ColorToRGB(clBtnHighlight));  // row 0 of a top dock: no highlight
  EXPECT_EQ(px(top, 50, 25), ColorToRGB(clBtnShadow));
  EXPECT_EQ(px(top, 50, 26), ColorToRGB(clBtnHighlight));
  EXPECT_NE(px(top, 50, 51), ColorToRGB(clBtnShadow));  // the last row of a top dock: no shadow
  const QImage borderless = xp.RenderDockBackground(100, 26, dsBottom, {{Rect(0, 0, 100, 26), false}});
  EXPECT_NE(px(borderless, 50, 0), ColorToRGB(clBtnHighlight));
  const QImage left = xp.RenderDockBackground(52, 100, dsLeft, {{Rect(0, 0, 26, 100), true}});
  EXPECT_NE(px(left, 0, 50), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(px(left, 25, 50), ColorToRGB(clBtnShadow));  // the last row of a left dock keeps it
}

TEST_F(PaintedButtons, MenuBackgroundAndExpandButton) {
  Prepare(bmsEnhanced, true, false);
  manager->PainterClass().DrawMenuBackground(*window, window->Canvas(), Rect(0, 0, 60, 10), Rect(0, 10, 60, 24), true);
  EXPECT_EQ(Px(0, 10), ColorToRGB(clBtnHighlight));  // a hot expand button is raised
  int chevron = 0;
  for (int y = 11; y < 23; ++y)
    for (int x = 1; x < 59; ++x) chevron += Px(x, y) == clBlack ? 1 : 0;
  EXPECT_GT(chevron, 6);
  manager->SetStyle(bmsFlat);
  window->Clear();
  manager->PainterClass().DrawMenuBackground(*window, window->Canvas(), Rect(0, 0, 60, 10), Rect(0, 10, 60, 24), true);
  EXPECT_EQ(Px(0, 10), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(5, 12), manager->BrushColor(5));
}

TEST_F(Painting, BackgroundBitmapChangesRebuildTheLook) {
  const int before = manager->StyleChangeCount;
  manager->Backgrounds().SetBar(QImage());  // nothing to nothing: no rebuild
  EXPECT_EQ(manager->StyleChangeCount, before);
  QImage tile(8, 8, QImage::Format_RGB32);
  tile.fill(Qt::red);
  manager->Backgrounds().SetBar(tile);
  EXPECT_EQ(manager->StyleChangeCount, before + 1);
  manager->Backgrounds().SetSubMenu(tile);
  EXPECT_EQ(manager->StyleChangeCount, before + 1);
  manager->Backgrounds().SetBar(QImage());
  EXPECT_EQ(manager->StyleChangeCount, before + 2);
}

TEST_F(PaintedButtons, ProgressBarsFillTheirShareAndSurviveAnEmptyRange) {
  Prepare(bmsStandard, false, false);
  const auto& p = TzbBarItemControlPainter::Instance();
  const TColor face = ColorToRGB(clBtnFace);
  p.DrawProgressBar(*control, window->Canvas(), Rect(0, 0, 40, 12), clRed, 0, true, 25, 0, 100);
  EXPECT_EQ(Px(9, 5), clRed);
  EXPECT_EQ(Px(10, 5), face);
  // Blocks of 2/3 of the thickness (8) with 2-pixel gaps.
  window->Clear();
  p.DrawProgressBar(*control, window->Canvas(), Rect(0, 0, 40, 12), clRed, 0, false, 100, 0, 100);
  EXPECT_EQ(Px(7, 5), clRed);
  EXPECT_EQ(Px(8, 5), face);
  EXPECT_EQ(Px(10, 5), clRed);
  // Min equal to Max fills nothing; a position beyond the range fills everything.
  window->Clear();
  p.DrawProgressBar(*control, window->Canvas(), Rect(0, 0, 40, 12), clRed, 0, true, 5, 5, 5);
  EXPECT_EQ(Px(0, 5), face);
  p.DrawProgressBar(*control, window->Canvas(), Rect(0, 0, 40, 12), clRed, 2, true, 500, 0, 100);
  EXPECT_EQ(Px(5, 11), clRed);
  EXPECT_EQ(TzbBarItemControlXPPainter::Instance().GetProgressColor(), RGB(49, 211, 49));
}

TEST_F(PaintedButtons, TextButtonsAndListBorders) {
  Prepare(bmsStandard, false, false);
  TzbBarItemControlPainter::Instance().DrawTextButton(window->Canvas(), false, QString(), Rect(0, 0, 20, 20));
  EXPECT_EQ(Px(19, 10), clBlack);  // the outer bottom-right lines
  EXPECT_EQ(Px(0, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(1, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(18, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(18, 1), ColorToRGB(clBtnFace));  // the inner top-right corner pixel
  EXPECT_EQ(Px(18, 2), ColorToRGB(clBtnShadow));
  window->Clear();
  TzbBarItemControlFlatPainter::Instance().DrawDropDownListBorder(window->Canvas(), Rect(0, 0, 20, 20));
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(1, 1), ColorToRGB(clWindow));
}

TEST_F(PaintedButtons, QuickCustomizationEntries) {
  Prepare(bmsFlat, true, false);
  const auto& flat = TzbBarItemControlFlatPainter::Instance();
  TRect r = Rect(0, 0, 60, 20);
  int cellRight = 0;
  flat.DrawQuickCheckCell(*control, window->Canvas(), false, cellRight, r);
  EXPECT_EQ(r, Rect(1, 1, 19, 19));
  EXPECT_EQ(cellRight, 20);
  flat.DrawQuickItemFrame(*control, window->Canvas(), true, Rect(0, 0, 20, 20), Rect(0, 0, 60, 20));
  EXPECT_EQ(Px(30, 0), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(21, 5), manager->BrushColor(5));
  TRect plain = Rect(0, 0, 60, 20);
  TzbBarItemControlPainter::Instance().DrawQuickCheckCell(*control, window->Canvas(), false, cellRight, plain);
  EXPECT_EQ(plain, Rect(0, 0, 20, 20));
  EXPECT_EQ(cellRight, 20);
  EXPECT_TRUE(TzbBarItemControlXPPainter::Instance().OpensQuickWindowLeftAligned());
  EXPECT_FALSE(TzbBarItemControlEnhancedPainter::Instance().OpensQuickWindowLeftAligned());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The bounding box of the pixels of an image that differ from its top-left pixel.
QRect InkOf(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
  return ink;
}

TEST(PaintedCaptions, AVerticalCaptionRunsDownwardsCentredAcrossWithItsAcceleratorUnderlined) {
  test::BarsFixture f;
  f.manager->SetStyle(bmsEnhanced);
  auto* button = f.manager->CreateItem<TzbBarButton>();
  TzbBar* bar = f.manager->Bars().Add();
  bar->ItemLinks().Add()->SetItem(button);
  test::FakeBarWindow w(*f.manager, false, 40, 120);
  TzbBarItemControl c(*button->GetLink(0), w);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  const TzbBarItemControlPainter& p = f.manager->PainterClass();
  auto draw = [&](const QString& text, bool vertical, const TRect& r) {
    w.Canvas().Painter().fillRect(0, 0, 40, 120, Qt::white);
    w.Canvas().Font.Font = font;
    p.DrawCaption(c, w.Canvas(), text, r, 1, true, false, vertical, false, true);
    return InkOf(w.Image());
  };
  const QRect vertical = draw(QStringLiteral("&Datei"), true, Rect(0, 0, 40, 120));
  ASSERT_FALSE(vertical.isEmpty());
  EXPECT_GT(vertical.height(), 2 * vertical.width());
  EXPECT_LE(std::abs((vertical.left() + vertical.right()) / 2 - 20), 2);  // centred across
  EXPECT_LE(std::abs((vertical.top() + vertical.bottom()) / 2 - 60), 3);  // centred along
  // The underline of "D" is a line along the text beside the glyphs: without the '&' the ink is
  // narrower by it.
  const QRect plain = draw(QStringLiteral("Datei"), true, Rect(0, 0, 40, 120));
  EXPECT_LE(std::abs(plain.height() - vertical.height()), 1);
  EXPECT_LT(plain.width(), vertical.width());
  // Not vertical: the same text lies across.
  const QRect across = draw(QStringLiteral("Datei"), false, Rect(0, 0, 40, 120));
  EXPECT_GT(across.width(), across.height());
}

}  // namespace
}  // namespace zyn
