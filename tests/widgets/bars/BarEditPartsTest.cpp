// The edit, combo and spin parts of the painters and the non-client frame of drop-down windows:
// their numbers per painter and the pixels of the classic and flat looks.

#include "BarTestSupport.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/PaintUtils.h"
#include "widgets/bars/ThemeManager.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarsFixture;
using test::FakeBarWindow;

const TzbBarItemControlPainter& Base() { return TzbBarItemControlPainter::Instance(); }
const TzbBarItemControlPainter& Standard() { return TzbBarItemControlStandardPainter::Instance(); }
const TzbBarItemControlPainter& Enhanced() { return TzbBarItemControlEnhancedPainter::Instance(); }
const TzbBarItemControlPainter& Flat() { return TzbBarItemControlFlatPainter::Instance(); }
const TzbBarItemControlPainter& XP() { return TzbBarItemControlXPPainter::Instance(); }

class EditParts : public ::testing::Test, public BarsFixture {
 protected:
  TzbBarButton* button = nullptr;
  std::unique_ptr<FakeBarWindow> window;
  std::unique_ptr<TzbBarItemControl> control;

  void SetUp() override { static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true); }
  void Prepare(TzbBarManagerStyle style, bool menu, int width = 80, int height = 40) {
    manager->SetStyle(style);
    TzbBar* bar = manager->Bars().Add();
    button = manager->CreateItem<TzbBarButton>();
    TzbBarItemLink* link = bar->ItemLinks().Add();
    link->SetItem(button);
    window = std::make_unique<FakeBarWindow>(*manager, menu, width, height);
    control = std::make_unique<TzbBarItemControl>(*link, *window);
  }
  TColor Px(int x, int y) { return FromQColor(window->Image().pixelColor(x, y)); }
  // Pixels of the colour in row y between x0 and x1 (exclusive).
  int RunOf(int y, int x0, int x1, TColor color) {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += Px(x, y) == ColorToRGB(color) ? 1 : 0;
    return n;
  }
};

TEST(EditPartMetrics, NumbersOfEachPainter) {
  test::EnsureApplication();
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  int closeW, closeH, gripW, gripH;
  GetThemedCloseButtonSize(closeW, closeH);
  GetThemedSizeGripSize(gripW, gripH);
  const struct {
    const char* name;
    const TzbBarItemControlPainter* painter;
    int gap, captionOf30, strip, menuExtra;
    unsigned editStyle;
    bool calendar, repaints;
  } cases[] = {
      {"base", &Base(), 1, 36, 19, 0, ES_AUTOHSCROLL, false, false},
      {"standard", &Standard(), 1, 36, 19, 0, ES_AUTOHSCROLL, false, false},
      {"enhanced", &Enhanced(), 1, 36, 19, 0, ES_AUTOHSCROLL, false, false},
      {"flat", &Flat(), 1, 41, 19, 9, ES_AUTOHSCROLL | ES_MULTILINE, true, true},
      {"xp", &XP(), 0, 41, std::max(closeH + 4, gripH + 1), 0, ES_AUTOHSCROLL | ES_MULTILINE, true, false},
  };
  BarsFixture fixture;
  FakeBarWindow w(*fixture.manager, false);
  TzbBar* bar = fixture.manager->Bars().Add();
  TzbBarButton* b = fixture.manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* link = bar->ItemLinks().Add();
  link->SetItem(b);
  TzbBarItemControl c(*link, w);
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(k.painter->GetComboButtonGap(), k.gap);
    EXPECT_EQ(k.painter->GetEditCaptionWidth(c, 30), k.captionOf30);
    EXPECT_EQ(k.painter->GetDropDownStripHeight(), k.strip);
    EXPECT_EQ(k.painter->GetContainerMenuExtra(), k.menuExtra);
    EXPECT_EQ(k.painter->GetEditWindowStyle(), k.editStyle);
    EXPECT_EQ(k.painter->ReportsCalendarButtons(), k.calendar);
    EXPECT_EQ(k.painter->RepaintsWhenDroppedDown(), k.repaints);
  }
  // The classic strip holds a scroll-bar grip with its 2-pixel border or a caption button.
  EXPECT_EQ(DropDownFrameHeight(), 19);
}

TEST(EditPartMetrics, DropDownClientAreaAndGripCorner) {
  const TRect window = Rect(100, 200, 300, 400);
  const struct {
    TRect item;
    int corner;
    TRect client;
  } cases[] = {
      // The list opens below its combo: the grip goes to the bottom-right corner.
      {Rect(100, 180, 300, 200), 3, Rect(101, 201, 299, 380)},
      // Above the combo: the grip and the strip move to the top.
      {Rect(100, 400, 300, 420), 1, Rect(101, 220, 299, 399)},
  };
  for (const auto& k : cases) {
    TRect client;
    int corner = -1;
    Base().CalcDropDownWindowNC(window, client, true, &k.item, corner);
    EXPECT_EQ(corner, k.corner);
    EXPECT_EQ(client, k.client);
  }
  TRect client;
  int corner = 7;
  Base().CalcDropDownWindowNC(window, client, false, nullptr, corner);
  EXPECT_EQ(client, Rect(101, 201, 299, 399));
  EXPECT_EQ(corner, 7);
}

TEST_F(EditParts, ClassicComboButtonEdgeArrowAndStoredRect) {
  Prepare(bmsStandard, false);
  TRect r = Rect(20, 2, 31, 20);  // 11 x 18: inner 9 x 16, arrow 5 wide (4 made odd) and 3 high
  Standard().DrawComboButton(*control, window->Canvas(), true, false, r);
  EXPECT_EQ(control->ButtonRect, r);
  EXPECT_EQ(Px(20, 2), ColorToRGB(clBtnHighlight));  // raised edge of a hot button
  EXPECT_EQ(Px(30, 19), ColorToRGB(clBtnShadow));
  // Arrow: left = 21 + (9 - 5) div 2 = 23, top = 3 + (16 - 3) div 2 = 9.
  EXPECT_EQ(RunOf(9, 21, 30, clBtnText), 5);
  EXPECT_EQ(RunOf(10, 21, 30, clBtnText), 3);
  EXPECT_EQ(RunOf(11, 21, 30, clBtnText), 1);
  EXPECT_EQ(Px(23, 9), ColorToRGB(clBtnText));
  EXPECT_EQ(Px(25, 11), ColorToRGB(clBtnText));
  // Pressed: a sunken edge and the arrow one pixel right and down.
  window->Clear();
  Standard().DrawComboButton(*control, window->Canvas(), true, true, r);
  EXPECT_EQ(Px(20, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(24, 10), ColorToRGB(clBtnText));
  EXPECT_EQ(RunOf(9, 21, 30, clBtnText), 0);
  // Not hot: a highlight frame, also in the column left of the button.
  window->Clear();
  Standard().DrawComboButton(*control, window->Canvas(), false, false, r);
  EXPECT_EQ(Px(19, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(30, 10), ColorToRGB(clBtnHighlight));
  // Disabled: the arrow embossed (highlight one pixel right and down, shadow on top).
  window->Clear();
  button->SetEnabled(false);
  Standard().DrawComboButton(*control, window->Canvas(), false, false, r);
  EXPECT_EQ(Px(23, 9), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(28, 10), ColorToRGB(clBtnHighlight));
}

TEST_F(EditParts, FlatHotComboButtonHasTheSelectionFrameOutsideIt) {
  Prepare(bmsFlat, false);
  const TRect r = Rect(20, 2, 31, 20);
  Flat().DrawComboButton(*control, window->Canvas(), true, false, r);
  EXPECT_EQ(Px(19, 1), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(31, 20), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(20, 2), FromQColor(QColor(ToQColor(window->CurrentBrush().Color))));
  int index = 0;
  TBrush brush;
  button->SetEnabled(false);
  static_cast<const TzbBarItemControlFlatPainter&>(Flat()).GetComboButtonColors(*control, false, false, index, brush);
  EXPECT_EQ(index, COLOR_BTNSHADOW);
}

TEST_F(EditParts, EditFramesShrinkToTheTextArea) {
  Prepare(bmsStandard, false);
  TRect r = Rect(0, 0, 60, 20);
  Standard().DrawEditFrame(*control, window->Canvas(), r, 0, true);
  EXPECT_EQ(r, Rect(2, 2, 58, 18));
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnShadow));  // sunken when hot
  EXPECT_EQ(Px(59, 19), ColorToRGB(clBtnHighlight));
  window->Clear();
  button->SetEnabled(false);
  r = Rect(0, 0, 60, 20);
  Standard().DrawEditFrame(*control, window->Canvas(), r, 0, false);
  EXPECT_EQ(Px(1, 1), ColorToRGB(clBtnHighlight));  // the inner ring of a disabled edit
  button->SetEnabled(true);
  // The flat look has a single ring.
  window->Clear();
  r = Rect(0, 0, 60, 20);
  Flat().DrawEditFrame(*control, window->Canvas(), r, 0, true);
  EXPECT_EQ(r, Rect(1, 1, 59, 19));
  EXPECT_EQ(Px(0, 0), ColorToRGB(clHighlight));
  // The themed edit keeps the content rectangle of its part.
  window->Clear();
  r = Rect(0, 0, 60, 20);
  TRect content;
  ASSERT_TRUE(GetThemeBackgroundContentRect(ThemeHandle(totEdit), 1, 1, r, content));
  XP().DrawEditFrame(*control, window->Canvas(), r, 0, true);
  EXPECT_EQ(r, content);
}

TEST_F(EditParts, EditCaptionTakesItsWidthAndTheTextKeepsItsColours) {
  Prepare(bmsStandard, false, 120, 24);
  window->Canvas().Font.Font.setPixelSize(11);
  TRect r = Rect(0, 0, 120, 24);
  const int textWidth = window->Canvas().TextWidth(QStringLiteral("Name"));
  Standard().DrawEditCaption(*control, window->Canvas(), QStringLiteral("&Name"), false, 0, r);
  EXPECT_EQ(r.Left, textWidth + 6);  // caption + 2, then a 4-pixel gap
  r = Rect(0, 0, 120, 24);
  XP().DrawEditCaption(*control, window->Canvas(), QStringLiteral("&Name"), false, 0, r);
  EXPECT_EQ(r.Left, textWidth + 11);
  // The text part is filled with the edit's background and the text drawn in the edit's colour.
  window->Clear();
  Standard().DrawEditText(*control, window->Canvas(), Rect(10, 2, 110, 22), QStringLiteral("MMMM"));
  EXPECT_EQ(Px(10, 2), ColorToRGB(clWindow));
  EXPECT_EQ(Px(9, 2), ColorToRGB(window->CurrentBrush().Color));
  int ink = 0;
  for (int x = 12; x < 60; ++x)
    for (int y = 2; y < 22; ++y) ink += Px(x, y) == ColorToRGB(clWindowText) ? 1 : 0;
  EXPECT_GT(ink, 0);
}

TEST_F(EditParts, SpinButtonsSplitTheColumnAndPointTheirArrows) {
  Prepare(bmsStandard, false);
  const TRect r = Rect(10, 0, 25, 20);  // half height 10, arrow size 3 (5 wide)
  Standard().DrawSpinButton(*control, window->Canvas(), r, 5, 3, 10, false, 1, 0, false);
  Standard().DrawSpinButton(*control, window->Canvas(), r, 5, 3, 10, false, 2, 0, false);
  // Up part 10..15 x 0..10: x0 = 10 + (15 - 5) div 2 = 15, y0 = (10 - 3) div 2 = 3; apex on top.
  EXPECT_EQ(RunOf(3, 10, 25, clBtnText), 1);
  EXPECT_EQ(RunOf(5, 10, 25, clBtnText), 5);
  // Down part 10 .. 20: y0 = 10 + 3; base on top.
  EXPECT_EQ(RunOf(13, 10, 25, clBtnText), 5);
  EXPECT_EQ(RunOf(15, 10, 25, clBtnText), 1);
  EXPECT_EQ(Px(17, 15), ColorToRGB(clBtnText));
  // The pressed down button moves its arrow one pixel right and down.
  window->Clear();
  Standard().DrawSpinButton(*control, window->Canvas(), r, 5, 3, 10, true, 2, 2, true);
  EXPECT_EQ(Px(18, 16), ColorToRGB(clBtnText));
  EXPECT_EQ(Px(10, 10), ColorToRGB(clBtnShadow));  // sunken edge of the pressed part
  // The sides of a spin edit get the bar background and shrink the rectangle.
  TRect sides = Rect(0, 0, 30, 20);
  Standard().DrawSpinEditSides(*control, window->Canvas(), sides);
  EXPECT_EQ(sides, Rect(1, 0, 29, 20));
  TRect untouched = Rect(0, 0, 30, 20);
  XP().DrawSpinEditSides(*control, window->Canvas(), untouched);
  EXPECT_EQ(untouched, Rect(0, 0, 30, 20));
}

TEST_F(EditParts, ColorComboButtonShowsThreeDotsOfASeventh) {
  Prepare(bmsStandard, false);
  TRect inner;
  Standard().DrawColorComboButton(*control, window->Canvas(), Rect(0, 0, 16, 20), inner, false, false);
  EXPECT_EQ(inner, Rect(1, 2, 15, 18));
  // 14 pixels wide: dots of 2 at x 3, 7, 11, one dot above the bottom (y 14 .. 15).
  EXPECT_EQ(RunOf(14, 1, 15, clBtnText), 6);
  EXPECT_EQ(Px(3, 15), ColorToRGB(clBtnText));
  EXPECT_EQ(Px(5, 15), ColorToRGB(clBtnFace));
  EXPECT_EQ(RunOf(16, 1, 15, clBtnText), 0);
}

TEST_F(EditParts, DropDownFrameWithStripGripAndCloseButton) {
  Prepare(bmsStandard, false, 120, 80);
  QImage image(120, 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  auto px = [&](int x, int y) { return FromQColor(image.pixelColor(x, y)); };
  TzbDropDownWindowGeometry g;
  g.Width = 120;
  g.Height = 80;
  g.Client = Rect(1, 1, 119, 60);
  g.ScreenOrigin = TPoint{500, 300};
  g.BothScrollBars = true;
  TRect grip, close;
  {
    TCanvas canvas(&image);
    Standard().DrawDropDownWindowNC(canvas, g, true, 3, grip, close, false, false);
  }
  EXPECT_EQ(px(0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(px(119, 79), ColorToRGB(clWindowFrame));
  // Strip: 19 high with its line: from y 61 to 79, the line at y 60.
  EXPECT_EQ(px(50, 60), ColorToRGB(clWindowFrame));
  EXPECT_EQ(px(50, 70), ColorToRGB(clBtnFace));
  // Grip 16 x 16 at the bottom-right, grown by 2 and kept within the strip, on the screen.
  EXPECT_EQ(grip, Rect(500 + 101, 300 + 61, 500 + 121, 300 + 79));
  EXPECT_EQ(px(115, 76), ColorToRGB(clBtnShadow));  // the grip's lines point into the corner
  // Close button at the left (corner 3): 18 x 19, centred one pixel lower.
  EXPECT_EQ(close, Bounds(500 + 1, 300 + (61 + 79 - 19) / 2 + 1, 18, 19));
  // The square between both scroll bars above the line.
  EXPECT_EQ(px(110, 50), ColorToRGB(clBtnFace));
  EXPECT_EQ(px(100, 50), ColorToRGB(clWhite));
  // Flat: the shadow-coloured frame; without a strip both rectangles are empty.
  image.fill(Qt::white);
  {
    TCanvas canvas(&image);
    Flat().DrawDropDownWindowNC(canvas, g, false, 3, grip, close, false, false);
  }
  EXPECT_EQ(px(0, 40), ColorToRGB(clBtnShadow));
  EXPECT_TRUE(IsRectEmpty(grip));
  EXPECT_TRUE(IsRectEmpty(close));
  EXPECT_EQ(px(50, 60), ColorToRGB(clWhite));
}

TEST_F(EditParts, XPDropDownFrameUsesTheThemedParts) {
  Prepare(bmsXP, false, 120, 80);
  TzbDropDownWindowGeometry g;
  g.Width = 120;
  g.Height = 80;
  g.Client = Rect(1, 1, 119, 79);
  TRect grip, close;
  XP().DrawDropDownWindowNC(window->Canvas(), g, true, 0, grip, close, true, false);
  const int h = XP().GetDropDownStripHeight();
  EXPECT_EQ(Px(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(60, h), ColorToRGB(clBtnShadow));  // the line below the strip at the top
  const TRect gripArea = ThemedSizeGripRect(Rect(1, 1, 119, h), 0);
  EXPECT_EQ(grip.Left, gripArea.Left - 2);
  EXPECT_EQ(grip.Top, 1);
  EXPECT_EQ(close, ThemedCloseButtonRect(Rect(1, 1, 119, h), 0));
}

TEST_F(EditParts, EditWindowPreparationAndSelection) {
  Prepare(bmsStandard, false);
  QLineEdit edit;
  edit.setText(QStringLiteral("Wert"));
  Standard().PrepareEditWindow(edit);
  EXPECT_EQ(edit.textMargins().left(), 2);
  EXPECT_EQ(edit.textMargins().right(), 2);
  int changes = 0;
  QObject::connect(&edit, &QLineEdit::textChanged, [&changes](const QString&) { ++changes; });
  Standard().SelectEditText(edit, true);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("Wert"));
  EXPECT_EQ(changes, 0);
  edit.deselect();
  XP().SelectEditText(edit, true);  // the flat way: the change is announced first
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("Wert"));
}

TEST(EditPartMetrics, StatusMenuAndButtonNumbers) {
  test::EnsureApplication();
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  BarsFixture fixture;
  FakeBarWindow w(*fixture.manager, true);
  const struct {
    const char* name;
    const TzbBarItemControlPainter* painter;
    int lineGrowth, widthGrowth, bandInset, border;
  } cases[] = {{"standard", &Standard(), 0, 0, 3, 1},
               {"enhanced", &Enhanced(), 0, 0, 3, 1},
               {"flat", &Flat(), 2, 9, 3, 1},
               {"xp", &XP(), 1, 0, 2, 0}};
  TzbBar* bar = fixture.manager->Bars().Add();
  TzbBarButton* b = fixture.manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* link = bar->ItemLinks().Add();
  link->SetItem(b);
  TzbBarItemControl c(*link, w);
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    int size = 20;
    k.painter->AdjustMenuLineSize(size);
    EXPECT_EQ(size, 20 + k.lineGrowth);
    int width = 100;
    k.painter->AdjustMenuItemWidth(c, width);
    EXPECT_EQ(width, 100 + k.widthGrowth);
    TRect band = Rect(0, 0, 50, 20);
    k.painter->AdjustTearOffBandRect(w, band);
    EXPECT_EQ(band, Rect(k.bandInset, k.bandInset, 50 - k.bandInset, 20 - k.bandInset));
    EXPECT_EQ(k.painter->GetBarBorderInsets(w), Rect(k.border, k.border, k.border, k.border));
    EXPECT_EQ(k.painter->GetCalendarHeaderColor(), clBtnFace);
    EXPECT_EQ(k.painter->GetProgressOffset(), 0);
  }
  int cw = 0, ch = 0;
  Standard().GetCloseButtonSize(cw, ch);
  EXPECT_EQ(cw, Standard().GetSmallCaptionHeight());
  int gw = 0, gh = 0;
  Standard().GetSizeGripSize(*fixture.manager, gw, gh);
  EXPECT_EQ(gw, 16);
  EXPECT_EQ(gh, 16);
  int tw = 0, th = 0;
  GetThemedCloseButtonSize(tw, th);
  XP().GetCloseButtonSize(cw, ch);
  EXPECT_EQ(cw, tw);
}

TEST_F(EditParts, MDIButtonsSizeGripAreaAndInPlaceSubItems) {
  Prepare(bmsStandard, false, 80, 40);
  // Pressed and hot: the pushed caption button (sunken: shadow at the top-left).
  Standard().DrawMDIButton(*window, 2, Rect(0, 0, 16, 14), window->Canvas(), true, true);
  const TColor pushed = Px(0, 0);
  window->Clear();
  Standard().DrawMDIButton(*window, 2, Rect(0, 0, 16, 14), window->Canvas(), false, false);
  EXPECT_NE(Px(0, 0), pushed);
  // Flat: a hot button gets the selection frame.
  window->Clear();
  Flat().DrawMDIButton(*window, 0, Rect(0, 0, 16, 14), window->Canvas(), true, false);
  EXPECT_EQ(Px(0, 0), ColorToRGB(clHighlight));
  EXPECT_EQ(Px(15, 13), ColorToRGB(clHighlight));
  // The size-grip area: the bar background above, the grip in the bottom 16 rows.
  window->Clear();
  Standard().DrawSizeGripArea(*window, window->Canvas(), SolidBrush(clYellow), Rect(0, 0, 20, 30));
  EXPECT_EQ(Px(5, 5), clYellow);
  int gripInk = 0;
  for (int x = 0; x < 20; ++x)
    for (int y = 14; y < 30; ++y) gripInk += Px(x, y) == ColorToRGB(clBtnShadow) ? 1 : 0;
  EXPECT_GT(gripInk, 0);  // the grip's lines lie in the bottom 16 rows
  EXPECT_EQ(Px(19, 13), clYellow);
  // In-place sub-item: the bottom row in the bar brush, the rest in the shadow brush.
  window->Clear();
  Standard().DrawInPlaceSubItem(*control, window->Canvas(), Rect(0, 0, 60, 18), QString(), false, false);
  EXPECT_EQ(Px(2, 17), ColorToRGB(window->CurrentBrush().Color));
  EXPECT_EQ(Px(2, 5), ColorToRGB(clBtnShadow));
  window->Clear();
  Standard().DrawInPlaceSubItem(*control, window->Canvas(), Rect(0, 0, 60, 18), QString(), false, true);
  EXPECT_EQ(Px(2, 5), ColorToRGB(clHighlight));
  // Flat tear-off band, inactive: the light face with a 33-pixel grip of every second row.
  window->Clear();
  Flat().FillTearOffBand(*window, window->Canvas(), Rect(0, 0, 73, 9));
  EXPECT_EQ(Px(20, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(20, 2), manager->BrushColor(2));
  EXPECT_EQ(Px(19, 1), manager->BrushColor(2));
  EXPECT_EQ(Px(52, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(53, 1), manager->BrushColor(2));
}

TEST_F(EditParts, PersonalizedMenuDecorationOfTheClassicLook) {
  Prepare(bmsStandard, true, 80, 60);
  QImage& image = window->Image();
  image.fill(Qt::white);
  TzbMenuItemPlace place;
  place.LeftMargin = 2;
  place.ClientBottom = 50;
  place.Last = true;
  control->NonRecent = true;  // the first item of a rarely used block after a frequently used one
  Standard().DrawMenuItemDecoration(*window, *control, place, Rect(10, 20, 60, 38), window->Canvas());
  EXPECT_EQ(Px(8, 19), ColorToRGB(clBtnShadow));                    // the line above the block, from the margin
  EXPECT_EQ(Px(60, 19), ColorToRGB(clBtnShadow));                   // one pixel past the right edge
  EXPECT_EQ(Px(9, 25), ColorToRGB(window->CurrentBrush().Color));   // the left margin
  EXPECT_EQ(Px(61, 25), ColorToRGB(window->CurrentBrush().Color));  // two pixels at the right
  EXPECT_EQ(Px(30, 45), ColorToRGB(window->CurrentBrush().Color));  // below the last item
  EXPECT_EQ(Px(8, 49), ColorToRGB(clBtnHighlight));                 // the margin's lower corner
  // A frequently used item after a rarely used one gets a highlight line and no margins.
  image.fill(Qt::white);
  control->NonRecent = false;
  place.PreviousNonRecent = true;
  Standard().DrawMenuItemDecoration(*window, *control, place, Rect(10, 20, 60, 38), window->Canvas());
  EXPECT_EQ(Px(30, 19), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(9, 25), clWhite);
  // The base painter draws none of it.
  image.fill(Qt::white);
  control->NonRecent = true;
  Base().DrawMenuItemDecoration(*window, *control, place, Rect(10, 20, 60, 38), window->Canvas());
  EXPECT_EQ(Px(9, 25), clWhite);
}

}  // namespace
}  // namespace zyn
