// The Office 2003 look's drop and combo buttons in the scheme's colours, the border of its
// main-menu bar and the strip it keeps before a progress item in a drop-down menu.

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "widgets/bars/BarExtItems.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarOffice11Painter.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

using test::FakeBarWindow;

const TzbBarItemControlOffice11Painter& Office11() { return TzbBarItemControlOffice11Painter::Instance(); }
const TOffice11Colors& C() { return Office11Colors(); }
TColor Rgb(TColor c) { return ColorToRGB(c); }

// The classic look: the scheme's colours derive from the system colours and its tables are not in
// use, so a pressed hot button shows its arrow in the highlight-text colour.
class Office11Buttons : public ::testing::Test, public test::BarsFixture {
 protected:
  void SetUp() override {
    static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(false);
    manager->SetStyle(bmsOffice11);
    ASSERT_FALSE(Office11XPScheme());
    ASSERT_FALSE(FaceIsWhite());
    TzbBar* bar = manager->Bars().Add();
    button = manager->CreateItem<TzbBarButton>();
    TzbBarItemLink* link = bar->ItemLinks().Add();
    link->SetItem(button);
    window = std::make_unique<FakeBarWindow>(*manager, false, 60, 40);
    control = std::make_unique<TzbBarItemControl>(*link, *window);
  }
  // The tests after these find the themes as the application starts them.
  void TearDown() override { static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true); }
  TColor Px(int x, int y) { return FromQColor(window->Image().pixelColor(x, y)); }
  TzbBarButton* button = nullptr;
  std::unique_ptr<FakeBarWindow> window;
  std::unique_ptr<TzbBarItemControl> control;
};

TEST_F(Office11Buttons, DropAndComboButtonColoursFollowTheState) {
  const struct {
    bool enabled, hot, pressed;
    TColor arrow, dropFill, comboFill;
  } cases[] = {
      {true, false, false, C().Office11TextColor, C().Office11MenuColor, C().Office11MenuColor},
      {true, true, false, C().Office11TextColor, C().Office11SelectedColor, C().Office11SelectedColor},
      {true, true, true, clHighlightText, C().Office11ItemColor1, C().Office11SelectedColor},
      {true, false, true, C().Office11TextColor, C().Office11MenuColor, C().Office11ItemColor1},
      {false, false, false, C().Office11DisabledTextColor, clBtnFace, clBtnFace},
      {false, true, true, C().Office11DisabledTextColor, clBtnFace, clBtnFace},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "enabled " << k.enabled << " hot " << k.hot << " pressed " << k.pressed);
    button->SetEnabled(k.enabled);
    TColor arrow = clNone;
    TBrush brush;
    Office11().GetDropButtonColorValues(*control, k.hot, k.pressed, arrow, brush);
    EXPECT_EQ(Rgb(arrow), Rgb(k.arrow));
    EXPECT_EQ(Rgb(brush.Color), Rgb(k.dropFill));
    Office11().GetComboButtonColorValues(*control, k.hot, k.pressed, arrow, brush);
    EXPECT_EQ(Rgb(arrow), Rgb(k.arrow));
    EXPECT_EQ(Rgb(brush.Color), Rgb(k.comboFill));
    // Through the interface of system colour indexes the brushes are the same.
    int index = 0;
    TBrush indexed;
    Office11().GetDropButtonColors(*control, k.hot, k.pressed, index, indexed);
    EXPECT_EQ(Rgb(indexed.Color), Rgb(k.dropFill));
  }
}

// The triangle's middle column, one pixel below its top row, for the combo button of r.
TColor ArrowPixel(FakeBarWindow& w, const TRect& r, bool pressed) {
  TRect inner = r;
  InflateRect(inner, -1, -1);
  int width = inner.Width() / 2;
  if (width % 2 == 0) ++width;
  const int left = inner.Left + (inner.Width() - width) / 2 + (pressed ? 1 : 0);
  const int top = inner.Top + (inner.Height() - (width / 2 + 1)) / 2 + (pressed ? 1 : 0);
  return FromQColor(w.Image().pixelColor(left + width / 2, top + 1));
}

TEST_F(Office11Buttons, AComboButtonIsPaintedInTheSchemesColours) {
  const TRect r = Rect(20, 5, 33, 25);  // the look's combo button width 13
  // Hot and pressed: the arrow in the highlight-text colour on the state gradient, framed.
  window->Clear();
  Office11().DrawComboButton(*control, window->Canvas(), true, true, r);
  EXPECT_EQ(ArrowPixel(*window, r, true), Rgb(clHighlightText));
  EXPECT_EQ(Px(r.Left - 1, r.Top - 1), Rgb(C().Office11SelectedBorderColor));
  EXPECT_EQ(control->ButtonRect, r);
  // Idle: the text colour, a window-coloured frame and the column before it.
  window->Clear();
  Office11().DrawComboButton(*control, window->Canvas(), false, false, r);
  EXPECT_EQ(ArrowPixel(*window, r, false), Rgb(C().Office11TextColor));
  EXPECT_EQ(Px(r.Left, r.Top), Rgb(clWindow));
  EXPECT_EQ(Px(r.Left - 1, r.Top + 3), Rgb(clWindow));
  // Disabled: framed and filled in the button face, the arrow embossed.
  button->SetEnabled(false);
  window->Clear();
  Office11().DrawComboButton(*control, window->Canvas(), false, false, r);
  EXPECT_EQ(Px(r.Left, r.Top), Rgb(clBtnFace));
  EXPECT_EQ(Px(r.Left + 2, r.Top + 2), Rgb(clBtnFace));
  EXPECT_EQ(ArrowPixel(*window, r, false), Rgb(clBtnShadow));
}

TEST_F(Office11Buttons, TheArrowPartOfADisabledSplitButtonShowsTheButtonFace) {
  button->SetEnabled(false);
  window->Clear();
  TzbButtonState s;
  s.Selected = true;  // solid: the colours' brush fills the part
  s.DropDown = true;
  const TRect r = Rect(30, 5, 42, 27);
  Office11().DrawDropDownPart(*control, window->Canvas(), r, s, true, window->CurrentBrush());
  EXPECT_EQ(Px(r.Left + 2, r.Top + 2), Rgb(clBtnFace));
}

// The main-menu bar keeps a border only along its length; other bars have two pixels all round.
TEST_F(Office11Buttons, TheMainMenuBarsBorderRunsAlongItsLength) {
  TzbBar* menuBar = manager->Bars().Add();
  menuBar->SetIsMainMenu(true);
  TzbBar* toolbar = manager->Bars().Add();
  const struct {
    const TzbBar* bar;
    TzbBarDockingStyle side;
    TRect sizes;
  } cases[] = {
      {menuBar, dsTop, Rect(0, 2, 0, 2)},   {menuBar, dsBottom, Rect(0, 2, 0, 2)}, {menuBar, dsLeft, Rect(2, 0, 2, 0)},
      {menuBar, dsRight, Rect(2, 0, 2, 0)}, {toolbar, dsTop, Rect(2, 2, 2, 2)},    {toolbar, dsLeft, Rect(2, 2, 2, 2)},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "main menu " << k.bar->IsMainMenu() << " side " << k.side);
    EXPECT_EQ(Office11().GetDockedBorderSizes(*k.bar, k.side), k.sizes);
    const TzbBarItemControlPainter& base = TzbBarItemControlFlatPainter::Instance();
    EXPECT_EQ(base.GetDockedBorderSizes(*k.bar, k.side), Rect(2, 2, 2, 2));  // other looks: all round
  }
  FakeBarWindow w(*manager, false);
  w.BarOf = menuBar;
  w.Docking = dsLeft;
  EXPECT_EQ(Office11().GetBarBorderInsets(w), Rect(2, 0, 2, 0));
}

// The strip before a progress item's content: in a drop-down menu, for an item without glyph, the
// menu's text indent (side strip, one line, 2 pixels and the look's line adjustment of 2).
TEST_F(Office11Buttons, ProgressOffsetsByPlaceAndGlyph) {
  auto* progress = manager->CreateItem<TzbBarProgressItem>();
  progress->SetCaption("Laden");
  manager->Bars().Add()->ItemLinks().Add()->SetItem(progress);
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::blue);
  const struct {
    TzbBarManagerStyle style;
    bool menu, glyph;
    int offset;
  } cases[] = {
      {bmsOffice11, true, false, 20 + 2 + 2}, {bmsOffice11, true, true, 0}, {bmsOffice11, false, false, 0},
      {bmsOffice11, false, true, 0},          {bmsFlat, true, false, 0},    {bmsXP, true, false, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "style " << k.style << " menu " << k.menu << " glyph " << k.glyph);
    manager->SetStyle(k.style);
    progress->SetGlyph(k.glyph ? glyph : QImage());
    FakeBarWindow w(*manager, k.menu, 300, 40);
    TzbBarProgressControl c(*progress->GetLink(0), w);
    EXPECT_EQ(c.ProgressOffset(), k.offset);
    EXPECT_EQ(manager->PainterClass().GetProgressOffset(c, k.glyph), k.offset);
    if (k.offset == 0) continue;
    // The strip takes the place of the content's start: the control is wider by it and the bar
    // keeps its length within a rectangle that does not have it.
    const int width = c.GetWidth();
    const TRect r = Rect(0, 0, width, c.GetHeight());
    const TRect bar = c.BarRect(r, 1);
    manager->SetStyle(bmsFlat);
    FakeBarWindow flatWindow(*manager, true, 300, 40);
    TzbBarProgressControl flat(*progress->GetLink(0), flatWindow);
    EXPECT_EQ(width, flat.GetWidth() + k.offset);
    EXPECT_EQ(bar.Width(), flat.BarRect(r, 1).Width() - k.offset);
  }
}

class Office11MainMenu : public ::testing::Test, public test::BarDemoWindow {};

// On the form the main-menu bar is 4 pixels higher than its client area (2 above, 2 below) and no
// wider than its grip makes it.
TEST_F(Office11MainMenu, TheBarIsAsHighAsItsClientAndTwoPixelsAboveAndBelow) {
  TRect frames[2];
  int grips[2] = {0, 0};
  int i = 0;
  for (const TzbBarManagerStyle style : {bmsFlat, bmsOffice11}) {
    SCOPED_TRACE(style);
    Manager->SetStyle(style);
    QApplication::processEvents();
    Screen->LayoutForm();
    QApplication::processEvents();
    TzbBarControl* w = WindowOf(MainMenu);
    ASSERT_NE(w, nullptr);
    const TRect frame = w->NonClientSizes(dsTop);
    const TRect window = w->WindowRect();
    const TRect client = w->ClientRect();
    EXPECT_EQ(window.Height() - client.Height(), frame.Top + frame.Bottom);
    EXPECT_EQ(window.Width() - client.Width(), frame.Left + frame.Right);
    grips[i] = Manager->GripAreaSize();
    frames[i++] = frame;
  }
  // The flat look's frame is 2 all round, after the grip; the Office 2003 look keeps the grip and
  // the 2 pixels above and below only.
  EXPECT_EQ(frames[0], Rect(2 + grips[0], 2, 2, 2));
  EXPECT_EQ(frames[1], Rect(grips[1], 2, 0, 2));
  const int grip = grips[1];
  EXPECT_EQ(WindowOf(MainMenu)->NonClientSizes(dsLeft), Rect(2, grip, 2, 0));
}

}  // namespace
}  // namespace zyn
