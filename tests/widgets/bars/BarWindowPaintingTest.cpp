// Painter operations that work on bar windows: the owner gap of a menu frame, the dock showing
// through under a docked bar, and the redraw of the quick-customize button. The painters are
// checked on a window stand-in pixel by pixel, then on the demo form's real windows.

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarDemoWindow;
using test::BarsFixture;
using test::FakeBarWindow;

class WindowPainting : public ::testing::Test, public BarsFixture {
 protected:
  FakeBarWindow menu{*manager, true, 60, 40};
  TColor At(int x, int y) { return FromQColor(menu.Image().pixelColor(x, y)); }
  TColor LightFace() const { return ColorToRGB(manager->BrushColor(2)); }
  TColor FrameColour() const { return ColorToRGB(manager->BrushColor(1)); }
};

TEST_F(WindowPainting, TheOwnerGapTakesTheLightFaceColourAndNothingElse) {
  const TRect gaps[] = {Rect(3, 0, 20, 1), Rect(5, 39, 30, 40), Rect(0, 4, 1, 16)};
  for (const TRect& gap : gaps) {
    SCOPED_TRACE(gap.Left * 100 + gap.Top);
    menu.Image().fill(Qt::white);
    menu.OwnerGap = gap;
    TzbBarItemControlPainter::Instance().FillOwnerGap(menu, menu.Canvas());
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        const bool inside = x >= gap.Left && x < gap.Right && y >= gap.Top && y < gap.Bottom;
        ASSERT_EQ(At(x, y), inside ? LightFace() : clWhite) << x << "," << y;
      }
  }
  // No gap: nothing painted.
  menu.Image().fill(Qt::white);
  menu.OwnerGap = TRect{};
  TzbBarItemControlPainter::Instance().FillOwnerGap(menu, menu.Canvas());
  EXPECT_EQ(At(0, 0), clWhite);
  EXPECT_EQ(At(10, 0), clWhite);
}

TEST_F(WindowPainting, TheFlatMenuFrameOpensWhereTheItemTouchesItAndTheXPFrameStaysClosed) {
  menu.Image().fill(Qt::white);
  menu.OwnerGap = Rect(1, 0, 24, 1);
  TzbBarItemControlFlatPainter::Instance().DrawMenuFrame(menu, menu.Canvas(), Rect(0, 0, 60, 40));
  EXPECT_EQ(At(0, 0), FrameColour());
  for (int x = 1; x < 24; ++x) ASSERT_EQ(At(x, 0), LightFace()) << x;
  EXPECT_EQ(At(24, 0), FrameColour());
  EXPECT_EQ(At(59, 0), FrameColour());
  EXPECT_EQ(At(10, 39), FrameColour());
  EXPECT_EQ(At(10, 10), clWhite);

  menu.Image().fill(Qt::white);
  TzbBarItemControlXPPainter::Instance().DrawMenuFrame(menu, menu.Canvas(), Rect(0, 0, 60, 40));
  for (int x = 0; x < 60; ++x) ASSERT_EQ(At(x, 0), ColorToRGB(clBtnShadow)) << x;
}

TEST_F(WindowPainting, ADockedBarInvalidatesItsQuickButtonAndAFloatingBarDrawsTheArrowAtOnce) {
  const TzbBarItemControlPainter& p = TzbBarItemControlStandardPainter::Instance();
  FakeBarWindow bar(*manager, false, 200, 30);
  const QImage before = bar.Image().copy();
  p.InvalidateQuickButton(bar);
  ASSERT_EQ(bar.Invalidated.size(), 1u);
  EXPECT_EQ(bar.Invalidated[0], p.GetQuickButtonRect(bar));
  EXPECT_EQ(bar.Invalidated[0], Rect(189, 0, 200, 9));
  EXPECT_TRUE(bar.ShownAtOnce.empty());
  EXPECT_EQ(bar.Image(), before);  // nothing drawn now

  bar.Invalidated.clear();
  bar.Floating = true;
  bar.Caption = Rect(2, 2, 150, 17);
  p.InvalidateQuickButton(bar);
  EXPECT_TRUE(bar.Invalidated.empty());
  ASSERT_EQ(bar.ShownAtOnce.size(), 1u);
  EXPECT_EQ(bar.ShownAtOnce[0], Rect(2, 2, 15, 17));
  // The arrow: 7 pixels wide at ((2 + 15 - 7) div 2, (2 + 17 - 4) div 2 + 1) = (5, 8), 4 rows high.
  const auto at = [&](int x, int y) { return FromQColor(bar.Image().pixelColor(x, y)); };
  const TColor arrow = ColorToRGB(clCaptionText);
  for (int x = 5; x <= 11; ++x) EXPECT_EQ(at(x, 8), arrow) << x;
  EXPECT_EQ(at(8, 11), arrow);
  EXPECT_NE(at(4, 8), arrow);
  EXPECT_NE(at(12, 8), arrow);
  EXPECT_NE(at(8, 12), arrow);
}

TEST_F(WindowPainting, WithoutDockTheDockedBarBackgroundIsTheBrush) {
  FakeBarWindow bar(*manager, false, 40, 20);
  bar.Image().fill(Qt::white);
  TzbBarItemControlPainter::Instance().DrawDockedBarBackground(bar, bar.Canvas(), SolidBrush(clRed), Rect(5, 5, 10, 10),
                                                               bar.ClientRect());
  EXPECT_EQ(FromQColor(bar.Image().pixelColor(5, 5)), clRed);
  EXPECT_EQ(FromQColor(bar.Image().pixelColor(9, 9)), clRed);
  EXPECT_EQ(FromQColor(bar.Image().pixelColor(10, 10)), clWhite);
}

// ---------------------------------------------------------------- the demo form's windows

class DemoWindowPainting : public ::testing::Test, public BarDemoWindow {
 protected:
  // The dock's background as the dock paints it itself.
  QImage DockPicture(TzbDockControl& dock) {
    QImage img(dock.Widget()->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas dc(&img);
    Manager->PainterClass().DrawDockBackground(dc, SolidBrush(clBtnFace), Rect(0, 0, img.width(), img.height()));
    return img;
  }
};

TEST_F(DemoWindowPainting, ADockedToolbarShowsItsDockThroughAtItsOwnPlace) {
  TzbDockControl& dock = *Screen->Dock(dsTop);
  const QImage expected = DockPicture(dock);
  // The dock's picture changes down the dock (a vertical blend), so a wrong shift shows.
  ASSERT_NE(expected.pixel(5, 1), expected.pixel(5, expected.height() - 2));
  for (TzbBar* bar : {MainMenu, Toolbars[0], Toolbars[4]}) {
    TzbBarControl* w = WindowOf(bar);
    SCOPED_TRACE(bar->Caption());
    const TRect client = w->ClientRect();
    const TPoint origin = w->ClientOriginInDock();
    const QPoint widgetPos = w->Widget()->pos();
    EXPECT_EQ(origin.X, widgetPos.x() + w->ClientInsets().Left);
    EXPECT_EQ(origin.Y, widgetPos.y() + w->ClientInsets().Top);
    QImage img(client.Width(), client.Height(), QImage::Format_RGB32);
    img.fill(Qt::black);
    TCanvas dc(&img);
    w->PaintBackground(dc, client, false);  // the window asks the painter, the painter the dock
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); x += 7)
        ASSERT_EQ(img.pixel(x, y), expected.pixel(origin.X + x, origin.Y + y)) << x << "," << y;
    // A part of the client area only: the rest stays.
    img.fill(Qt::black);
    w->PaintBackground(dc, Rect(2, 2, 6, 6), false);
    EXPECT_EQ(img.pixel(2, 2), expected.pixel(origin.X + 2, origin.Y + 2));
    EXPECT_EQ(img.pixel(6, 6), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
  }
}

TEST_F(DemoWindowPainting, ABarWithAColourOfItsOwnIsFilledWithItAndAFloatingBarWithItsBrush) {
  TzbBarControl* w = WindowOf(Toolbars[1]);
  QImage img(20, 10, QImage::Format_RGB32);
  TCanvas dc(&img);
  Toolbars[1]->Color = clRed;
  w->PaintBackground(dc, Rect(0, 0, 20, 10), false);
  EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(19, 9), qRgb(255, 0, 0));
  Toolbars[1]->Color = clDefault;
  // Floating: no dock under it, the toolbar brush (no bar background bitmap set).
  Toolbars[1]->SetDockingStyle(dsNone);
  QApplication::processEvents();
  w = WindowOf(Toolbars[1]);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->IsFloating());
  img.fill(Qt::black);
  w->PaintBackground(dc, Rect(0, 0, 20, 10), false);
  const QRgb brush = ToQColor(Manager->PainterClass().GetToolbarBrush(*w).Color).rgb();
  EXPECT_EQ(img.pixel(0, 0), brush);
  EXPECT_EQ(img.pixel(19, 9), brush);
}

TEST_F(DemoWindowPainting, TheFlatLookJoinsTheMenuFrameToTheOpeningEntry) {
  Manager->SetStyle(bmsFlat);
  QApplication::processEvents();
  TzbBarItemControl* entry = MenuBarEntry("Datei1");
  ClickControl(*entry);
  TzbBarSubMenuControl* menu = MenuOf("Datei1");
  ASSERT_NE(menu, nullptr);
  const TRect e = ScreenRectOf(*entry);
  const TRect m = menu->WindowRect();
  ASSERT_EQ(m.Top, e.Bottom);  // the menu hangs from the entry
  EXPECT_EQ(menu->OwnerGap(false, false),
            Rect(std::max(e.Left, m.Left) - m.Left + 1, 0, std::min(e.Right, m.Right) - m.Left - 1, 1));
  EXPECT_EQ(menu->OwnerGap(true, true),
            Rect(std::max(e.Left, m.Left) + 1, m.Top - 1, std::min(e.Right, m.Right) - 1, m.Top));
  menu->Flush();
  const QImage& shot = menu->Buffer();
  const TRect gap = menu->OwnerGapRect();
  ASSERT_FALSE(IsRectEmpty(gap));
  const QRgb light = ToQColor(Manager->BrushColor(2)).rgb();
  const QRgb frame = ToQColor(Manager->BrushColor(1)).rgb();
  for (int x = gap.Left; x < gap.Right; ++x) ASSERT_EQ(shot.pixel(x, 0), light) << x;
  EXPECT_EQ(shot.pixel(gap.Left - 1, 0), frame);
  EXPECT_EQ(shot.pixel(gap.Right, 0), frame);
  EXPECT_EQ(shot.pixel(shot.width() - 1, 0), frame);
  // The XP look draws the frame closed.
  Click(Client->mapToGlobal(QPoint(400, 200)));
  Manager->SetStyle(bmsXP);
  ClickControl(*MenuBarEntry("Datei1"));
  ASSERT_NE(MenuOf("Datei1"), nullptr);
  EXPECT_TRUE(IsRectEmpty(MenuOf("Datei1")->OwnerGapRect()));
}

TEST_F(DemoWindowPainting, TheQuickCustomizationWindowJoinsTheMarkThatOpenedIt) {
  Manager->SetStyle(bmsFlat);
  TzbBar* hilfe = Toolbars[3];
  hilfe->ShowMark = true;
  TzbBarControl* w = WindowOf(hilfe);
  w->RebuildLayout();
  QApplication::processEvents();
  const TRect mark = w->MarkRect();
  ASSERT_FALSE(IsRectEmpty(mark));
  w->SetMarkState(2);
  ASSERT_NE(w->QuickLinks(), nullptr);
  auto* quick = dynamic_cast<TCustomzbBarControl*>(w->QuickLinks()->BarControl());
  ASSERT_NE(quick, nullptr);
  const TRect screen = w->WindowRect();
  EXPECT_EQ(quick->OwnerRect,
            Rect(screen.Left + mark.Left, screen.Top + mark.Top, screen.Left + mark.Right, screen.Top + mark.Bottom));
  ASSERT_EQ(quick->WindowRect().Top, quick->OwnerRect.Bottom);
  const TRect gap = quick->OwnerGapRect();
  ASSERT_FALSE(IsRectEmpty(gap));
  EXPECT_EQ(gap.Top, 0);
  quick->Flush();
  EXPECT_EQ(quick->Buffer().pixel(gap.Left, 0), ToQColor(Manager->BrushColor(2)).rgb());
  w->SetMarkState(0);
  EXPECT_EQ(w->QuickLinks(), nullptr);
}

TEST_F(DemoWindowPainting, AFloatingBarDrawsItsCaptionArrowAtOnceWhenTheMarkChanges) {
  TzbBar* hilfe = Toolbars[3];
  hilfe->ShowMark = true;
  hilfe->SetDockingStyle(dsNone);
  QApplication::processEvents();
  TzbBarControl* w = WindowOf(hilfe);
  ASSERT_TRUE(w && w->IsFloating());
  const TRect mark = w->MarkRect();
  ASSERT_FALSE(IsRectEmpty(mark));
  w->Flush();
  // Wipe the arrow's place in the picture: only the immediate redraw can bring it back.
  TzbBarItemControlPainter::FillWith(w->WindowCanvas(), mark, SolidBrush(clLime));
  const int before = w->PaintCount;
  w->SetMarkState(1);
  EXPECT_EQ(w->PaintCount, before);  // no full repaint
  const QRgb arrow = ToQColor(Manager->PainterClass().GetCaptionArrowColor(*w, 1)).rgb();
  const int x = (mark.Left + mark.Right - 7) / 2;
  const int sum = mark.Top + mark.Bottom - 4;
  const int y = sum / 2 + (sum % 2 != 0 ? 1 : 0);
  EXPECT_EQ(w->Buffer().pixel(x, y), arrow);
  EXPECT_EQ(w->Buffer().pixel(x + 6, y), arrow);
  EXPECT_EQ(w->Buffer().pixel(x + 3, y + 3), arrow);
  EXPECT_EQ(w->Buffer().pixel(x - 1, y), ToQColor(clLime).rgb());
  w->SetMarkState(0);
}

TEST_F(DemoWindowPainting, TheOwnerGapFollowsTheSideWhereTheOwnerTouches) {
  ClickControl(*MenuBarEntry("Datei1"));
  TzbBarSubMenuControl* menu = MenuOf("Datei1");
  ASSERT_NE(menu, nullptr);
  const TRect m = menu->WindowRect();
  const struct {
    TRect Owner;  // relative to the menu's window origin
    TRect Gap;    // in window coordinates, not moved outwards
  } cases[] = {
      {Rect(10, -20, 50, 0), Rect(11, 0, 49, 1)},  // above
      {Rect(-5, -20, 30, 0), Rect(1, 0, 29, 1)},   // above, wider at the left
      {Rect(10, m.Height(), 50, m.Height() + 20), Rect(11, m.Height() - 1, 49, m.Height())},  // below
      {Rect(-40, 5, 0, 25), Rect(0, 6, 1, 24)},                                               // at the left
      {Rect(m.Width(), 5, m.Width() + 30, 25), Rect(m.Width() - 1, 6, m.Width(), 24)},        // at the right
      {Rect(10, -20, 50, -1), TRect{}},                                                       // a pixel away
      {Rect(10, -20, 11, 0), TRect{}},                                                        // too narrow for a line
      {TRect{}, TRect{}},                                                                     // no owner
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Owner.Left * 1000 + c.Owner.Top);
    TRect owner = c.Owner;
    if (!IsRectEmpty(owner)) OffsetRect(owner, m.Left, m.Top);
    menu->OwnerRect = owner;
    EXPECT_EQ(menu->OwnerGap(false, false), c.Gap);
  }
}

TEST_F(DemoWindowPainting, HoveringTheMarkRedrawsItThroughThePainter) {
  TzbBar* hilfe = Toolbars[3];
  hilfe->ShowMark = true;
  TzbBarControl* w = WindowOf(hilfe);
  w->RebuildLayout();
  QApplication::processEvents();
  const TRect mark = w->MarkRect();
  ASSERT_FALSE(IsRectEmpty(mark));
  w->Flush();
  const QImage normal = w->Buffer().copy(ToQRect(mark));
  const TRect screen = w->WindowRect();
  Move(QPoint(screen.Left + (mark.Left + mark.Right) / 2, screen.Top + (mark.Top + mark.Bottom) / 2));
  ASSERT_EQ(w->QuickButtonState(), 1);
  QApplication::processEvents();
  w->Flush();
  EXPECT_NE(w->Buffer().copy(ToQRect(mark)), normal);
  Move(Client->mapToGlobal(QPoint(400, 200)));
  w->MouseLeave();
  EXPECT_EQ(w->QuickButtonState(), 0);
  QApplication::processEvents();
  w->Flush();
  EXPECT_EQ(w->Buffer().copy(ToQRect(mark)), normal);
}

}  // namespace
}  // namespace zyn
