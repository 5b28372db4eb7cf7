// The Office 2003 painter's choice by the manager and the colours it takes from the scheme.

#include "widgets/bars/BarOffice11Painter.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

namespace zyn {
namespace {

class Office11Painter : public ::testing::Test, public test::BarsFixture {};

TEST_F(Office11Painter, ChosenForTheStyleAndForTheLookAndFeelKind) {
  manager->SetStyle(bmsOffice11);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlOffice11Painter");
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel().SetNativeStyle(false);
  manager->LookAndFeel().SetKind(lfOffice11);
  manager->StyleChanged();
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlOffice11Painter");
  EXPECT_EQ(manager->GripIndent(), 3);
}

TEST_F(Office11Painter, TheQuickButtonOfABarWithoutBorderRunsFromTheFirstToTheSecondMoreButtonsColour) {
  manager->SetStyle(bmsOffice11);
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  const TOffice11Colors& c = Office11Colors();
  for (int state = 0; state < 3; ++state) {
    test::FakeBarWindow w(*manager, false, 40, 40);
    w.QuickState = state;
    p.DrawQuickButtonBackground(w, w.Canvas(), w.CurrentBrush(), Rect(0, 0, 11, 22));
    EXPECT_EQ(w.Image().pixelColor(5, 0), ToQColor(ColorToRGB(c.Office11MoreButtonsColors1[state]))) << state;
    EXPECT_EQ(w.Image().pixelColor(5, 21), ToQColor(ColorToRGB(c.Office11MoreButtonsColors2[state]))) << state;
  }
}

TColor At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

// A vertical toolbar's frame (without the dock under it: the first dock colour), once with the
// quick-customize button at its far end and once without.
TEST_F(Office11Painter, AVerticalToolbarHasRoundedEndsOrTheQuickButtonGradientAtItsFarEnd) {
  manager->SetStyle(bmsOffice11);
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  const TOffice11Colors& c = Office11Colors();
  TzbBar* bar = manager->Bars().Add();
  QImage picture(62, 100, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  for (const bool quick : {false, true}) {
    SCOPED_TRACE(quick);
    test::FakeBarWindow w(*manager, false, 26, 100);
    w.BarOf = bar;
    w.Vertical = true;
    w.QuickButton = quick;
    const TRect r = Rect(0, 0, 26, 100);
    p.DrawBarBorder(w, w.Canvas(), w.CurrentBrush(), r);
    const QImage& img = w.Image();
    const int rt = r.Right, b = r.Bottom, l = r.Left + 1, t = r.Top + 2;
    const TColor dock = ColorToRGB(c.Office11DockColor1);
    EXPECT_EQ(At(img, 0, 50), dock);  // the start column lies on the dock
    EXPECT_EQ(At(img, 10, 0), dock);
    EXPECT_EQ(At(img, l, t), dock);  // rounded corners
    EXPECT_EQ(At(img, rt - 1, b - 1), dock);
    EXPECT_EQ(At(img, rt - 2, t + 1), ColorToRGB(c.Office11BarFrameColor2));
    EXPECT_EQ(At(img, rt - 1, 40), ColorToRGB(c.Office11BarFrameColor1));  // the right line
    if (quick) {
      // The button's gradient over the frame: left to right from the first to the fourth colour.
      EXPECT_EQ(At(img, l, b - 5), ColorToRGB(c.Office11MoreButtonsColors1[0]));
      EXPECT_EQ(At(img, rt - 1, b - 5), ColorToRGB(c.Office11MoreButtonsColors4[0]));
      EXPECT_EQ(At(img, rt - 2, b - 13), ColorToRGB(c.Office11BarFrameColor2));
      EXPECT_EQ(At(img, l, b - 12), ColorToRGB(c.Office11MoreButtonsColors3[0]));
    } else {
      EXPECT_EQ(At(img, rt - 2, b - 2), ColorToRGB(c.Office11BarFrameColor2));
      EXPECT_EQ(At(img, rt - 2, b - 1), MixColors(c.Office11BarFrameColor2, dock, 50));
    }
    painter.drawImage(quick ? 34 : 2, 0, img);
  }
  painter.end();
  test::CompareWithGolden(picture, QStringLiteral("office11_vertical_bar_ends"));
}

TEST_F(Office11Painter, ADockedQuickButtonIsHitAndRepaintedOverTheFrameAroundIt) {
  manager->SetStyle(bmsOffice11);
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  TzbBar* bar = manager->Bars().Add();
  test::FakeBarWindow w(*manager, false, 200, 22);
  w.BarOf = bar;
  const TRect button = p.GetQuickButtonRect(w);
  ASSERT_EQ(button, Rect(189, 0, 200, 22));
  EXPECT_EQ(p.GetQuickButtonHitRect(w), Rect(189, -1, 202, 23));  // 1 up, 2 right, 1 down
  p.InvalidateQuickButton(w);
  ASSERT_EQ(w.Invalidated.size(), 2u);
  EXPECT_EQ(w.Invalidated[0], button);
  EXPECT_EQ(w.Invalidated[1], Rect(187, -2, 202, 24));  // the frame around it too
  test::FakeBarWindow side(*manager, false, 22, 200);
  side.BarOf = bar;
  side.Vertical = true;
  side.Docking = dsLeft;
  const TRect sideButton = p.GetQuickButtonRect(side);
  EXPECT_EQ(p.GetQuickButtonHitRect(side),
            Rect(sideButton.Left - 1, sideButton.Top, sideButton.Right + 1, sideButton.Bottom + 2));
  bar->BorderStyle = bbsNone;  // without a frame the button is hit where it is drawn
  EXPECT_EQ(p.GetQuickButtonHitRect(w), button);
}

// The bottom of a personalized menu: the image column runs on below the last item, and the expand
// strip shows the capsule with the double chevron, plain and hot.
TEST_F(Office11Painter, TheExpandStripOfAMenuShowsTheCapsuleOnTheImageColumn) {
  manager->SetStyle(bmsOffice11);
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  const TOffice11Colors& c = Office11Colors();
  test::FakeBarWindow menu(*manager, true, 120, 40);
  int line = 20, arrow = 0, expand = 0, glyph = 0;
  p.CalcMenuMetrics(menu, line, arrow, expand, glyph);
  EXPECT_EQ(expand, 12);  // the capsule's height and a pixel above and below
  QImage picture(120, 84, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  for (const bool hot : {false, true}) {
    SCOPED_TRACE(hot);
    menu.Image().fill(Qt::white);
    const TRect rest = Rect(1, 1, 119, 26), strip = Rect(1, 26, 119, 38);
    p.DrawMenuBackground(menu, menu.Canvas(), rest, strip, hot);
    const QImage& img = menu.Image();
    const int column = TzbBarItemControlOffice11Painter::MenuImageColumnRight(menu);
    EXPECT_NE(At(img, 1, 10), At(img, column - 1, 10));  // a gradient, not one colour
    EXPECT_EQ(At(img, column - 1, 10), ColorToRGB(c.Office11BackgroundColor2));
    EXPECT_EQ(At(img, column + 5, 10), ColorToRGB(c.Office11MenuColor));
    // The chevrons in black in the middle of the strip, the capsule around them.
    bool black = false;
    for (int y = strip.Top; y < strip.Bottom; ++y)
      for (int x = 50; x < 70; ++x) black = black || At(img, x, y) == 0;
    EXPECT_TRUE(black);
    if (hot) {
      EXPECT_EQ(At(img, 30, strip.Top + 3), ColorToRGB(c.Office11SelectedColor));
    }
    painter.drawImage(0, hot ? 42 : 0, img);
  }
  painter.end();
  test::CompareWithGolden(picture, QStringLiteral("office11_menu_expand"));
}

// ---------------------------------------------------------------- the demo form in the Office11 look

class Office11Windows : public ::testing::Test, public test::BarDemoWindow {
 protected:
  void SetUp() override {
    static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
    Manager->SetStyle(bmsOffice11);
    Toolbars[0]->ShowMark = true;  // the quick-customize button at its far end
    QApplication::processEvents();
    Screen->LayoutForm();
    QApplication::processEvents();
  }
  static const QImage& Drawn(TCustomzbBarControl& w) {
    w.Invalidate();
    w.Flush();
    return w.Buffer();
  }
};

// Docks at the sides are one flat colour each, docks at the top and bottom run from the first
// colour at the left to the second at the right.
TEST_F(Office11Windows, DocksAreShadedByTheirSide) {
  const TOffice11Colors& c = Office11Colors();
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  for (const TzbBarDockingStyle side : {dsLeft, dsRight, dsTop, dsBottom}) {
    SCOPED_TRACE(side);
    TzbDockControl* dock = Screen->Dock(side);
    ASSERT_NE(dock, nullptr);
    QImage image(60, 40, QImage::Format_RGB32);
    TCanvas dc(&image);
    p.DrawDockBackgroundOf(*dock, dc, SolidBrush(clBtnFace), Rect(0, 0, 60, 40));
    const TColor left = At(image, 0, 20), right = At(image, 59, 20);
    if (side == dsLeft) {
      EXPECT_EQ(left, ColorToRGB(c.Office11DockColor1));
      EXPECT_EQ(right, ColorToRGB(c.Office11DockColor1));
    } else if (side == dsRight) {
      EXPECT_EQ(left, ColorToRGB(c.Office11DockColor2));
      EXPECT_EQ(right, ColorToRGB(c.Office11DockColor2));
    } else {
      EXPECT_EQ(left, ColorToRGB(c.Office11DockColor1));
      EXPECT_EQ(right, ColorToRGB(c.Office11DockColor2));
    }
  }
}

// The toolbar with the quick-customize button, a toolbar with a rounded far end and the open
// "&Projekt" menu with its gradient image column, in one picture.
TEST_F(Office11Windows, ToolbarEndsAndTheMenuImageColumnLookAsTheGoldenImage) {
  const TOffice11Colors& c = Office11Colors();
  TzbBarControl* quickBar = WindowOf(Toolbars[0]);
  TzbBarControl* plainBar = WindowOf(Toolbars[1]);
  ASSERT_NE(quickBar, nullptr);
  ASSERT_NE(plainBar, nullptr);
  ASSERT_TRUE(quickBar->HasQuickButton());
  ASSERT_FALSE(plainBar->HasQuickButton());
  ClickControl(*MenuBarEntry("Datei1"));
  TzbBarSubMenuControl* menu = MenuOf("Datei1");
  ASSERT_NE(menu, nullptr);
  // The open menu-bar entry's frame is open where its menu joins it, in the colour of its
  // gradient's lower end.
  {
    TzbBarControl* menuBar = WindowOf(MainMenu);
    const QImage bar = Drawn(*menuBar).copy();
    const TRect entry = ScreenRectOf(*MenuBarEntry("Datei1"));
    const TRect window = menuBar->WindowRect();
    const int x = (entry.Left + entry.Right) / 2 - window.Left;
    EXPECT_EQ(At(bar, x, entry.Bottom - 1 - window.Top), ColorToRGB(c.Office11ToolbarColor4));
    EXPECT_EQ(At(bar, x, entry.Top - window.Top), ColorToRGB(c.Office11SelectedBorderColor));
  }
  const QImage quick = Drawn(*quickBar).copy();
  const QImage plain = Drawn(*plainBar).copy();
  const QImage menuImage = Drawn(*menu).copy();

  // The far end with the button: its gradient runs over the frame from the first More-buttons
  // colour (top row) to the fourth (bottom row); the bottom line stops 13 pixels before the end.
  const int qw = quick.width(), qh = quick.height();
  const int t = 1;  // the top row of the bar's body
  EXPECT_EQ(At(quick, qw - 5, t), ColorToRGB(c.Office11MoreButtonsColors1[0]));
  EXPECT_EQ(At(quick, qw - 5, qh - 1), ColorToRGB(c.Office11MoreButtonsColors4[0]));
  EXPECT_EQ(At(quick, qw - 14, qh - 1), ColorToRGB(c.Office11BarFrameColor1));
  EXPECT_EQ(At(quick, qw - 13, qh - 1), MixColors(c.Office11MoreButtonsColors4[0], c.Office11BarFrameColor2, 50));
  // The button's arrow in the symbol colour with its shadow.
  std::set<TColor> buttonColours;
  for (int y = 0; y < qh; ++y)
    for (int x = qw - 13; x < qw; ++x) buttonColours.insert(At(quick, x, y));
  EXPECT_TRUE(buttonColours.count(ColorToRGB(c.Office11SymbolColor)));
  EXPECT_TRUE(buttonColours.count(ColorToRGB(c.Office11SymbolShadowColor)));
  // The rounded far end of a bar without the button.
  const int pw = plain.width(), ph = plain.height();
  EXPECT_EQ(At(plain, pw - 2, ph - 2), ColorToRGB(c.Office11BarFrameColor2));
  EXPECT_EQ(At(plain, pw / 2, ph - 1), ColorToRGB(c.Office11BarFrameColor1));
  EXPECT_NE(At(plain, pw - 1, ph - 1), ColorToRGB(c.Office11BarFrameColor1));  // a corner on the dock

  // The image column: from the first background colour at its left to the second at its right,
  // changing along the way, through items and separator bands alike.
  const int columnRight = 1 + TzbBarItemControlOffice11Painter::MenuImageColumnRight(*menu);  // window x
  TzbBarItemControl* open = ControlIn(menu, "ffnen1");
  ASSERT_NE(open, nullptr);
  const int row = ScreenRectOf(*open).Top + ScreenRectOf(*open).Height() / 2 - menu->WindowRect().Top;
  EXPECT_EQ(At(menuImage, 1, row), ColorToRGB(c.Office11BackgroundColor1));
  EXPECT_EQ(At(menuImage, columnRight - 1, row), ColorToRGB(c.Office11BackgroundColor2));
  std::set<TColor> along;
  for (int x = 1; x < columnRight; ++x) along.insert(At(menuImage, x, row));
  EXPECT_GE(along.size(), 10u);
  for (int y = 2; y < menuImage.height() - 2; ++y)
    ASSERT_EQ(At(menuImage, columnRight - 1, y), ColorToRGB(c.Office11BackgroundColor2)) << y;  // unbroken
  EXPECT_EQ(At(menuImage, columnRight, row), ColorToRGB(c.Office11MenuColor));

  QImage picture(std::max(qw + pw + 6, menuImage.width() + 2), std::max(qh, ph) + menuImage.height() + 6,
                 QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    painter.drawImage(0, 0, quick);
    painter.drawImage(qw + 6, 0, plain);
    painter.drawImage(0, std::max(qh, ph) + 6, menuImage);
  }
  // Every caption of the menu stands out from its background.
  const int menuTop = std::max(qh, ph) + 6;
  for (const char* name : {"Neu1", "ffnen1", "Beenden1"}) {
    TzbBarItemControl* item = ControlIn(menu, name);
    ASSERT_NE(item, nullptr) << name;
    const TRect s = ScreenRectOf(*item);
    const QRect area(s.Left - menu->WindowRect().Left + columnRight + 4, s.Top - menu->WindowRect().Top + menuTop + 2,
                     s.Right - s.Left - columnRight - 8, s.Height() - 4);
    EXPECT_GE(test::TextContrast(picture, area), 4.5) << name;
  }
  test::CompareWithGolden(picture, QStringLiteral("office11_toolbar_ends_and_menu"));
}

}  // namespace
}  // namespace zyn
