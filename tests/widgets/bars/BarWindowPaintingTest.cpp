// Painter operations that work on bar windows: the owner gap of a menu frame, the dock showing
// through under a docked bar, and the redraw of the quick-customize button. The painters are
// checked on a window stand-in pixel by pixel, then on the demo form's real windows.

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarFlatPainter.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarQuickControl.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarStandardPainter.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
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
  // The bar's window after the bar got its mark and moved to a dock or to floating (dsNone).
  TzbBarControl* MarkedBarAt(TzbBar* bar, TzbBarDockingStyle style) {
    bar->ShowMark = true;
    bar->SetDockingStyle(style);
    QApplication::processEvents();
    return WindowOf(bar);
  }
  // The bar's window after the bar got its mark and was laid out again.
  TzbBarControl* WithMark(TzbBar* bar) {
    bar->ShowMark = true;
    TzbBarControl* w = WindowOf(bar);
    w->RebuildLayout();
    QApplication::processEvents();
    return w;
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
  TzbBarControl* w = WithMark(Toolbars[3]);
  const TRect mark = w->MarkRect();
  ASSERT_FALSE(IsRectEmpty(mark));
  const int bars = Manager->Bars().Count();
  std::vector<std::string> sounds;
  SetBarSoundPlayer([&](const char* alias) { sounds.emplace_back(alias); });
  w->SetMarkState(2);
  SetBarSoundPlayer(nullptr);
  EXPECT_EQ(sounds, std::vector<std::string>{"MenuPopup"});
  TzbBarQuickControl* quick = w->QuickControl();
  ASSERT_NE(quick, nullptr);
  EXPECT_EQ(TzbBarQuickControl::Current(), quick);
  EXPECT_EQ(w->QuickLinks(), &quick->ItemLinks());
  EXPECT_TRUE(quick->Widget()->isVisible());
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), quick);
  // It shows the links of a temporary hidden bar of the manager.
  ASSERT_EQ(Manager->Bars().Count(), bars + 1);
  TzbBar* temp = Manager->Bars().Items(bars);
  EXPECT_EQ(temp, &quick->TempBar());
  EXPECT_EQ(&temp->ItemLinks(), &quick->ItemLinks());
  EXPECT_TRUE(temp->Hidden);
  EXPECT_FALSE(temp->AllowQuickCustomizing);
  const TRect screen = w->WindowRect();
  EXPECT_EQ(quick->OwnerRect,
            Rect(screen.Left + mark.Left, screen.Top + mark.Top, screen.Left + mark.Right, screen.Top + mark.Bottom));
  // Under the mark of a bar docked at the top, ending where the mark ends.
  ASSERT_EQ(quick->WindowRect().Top, quick->OwnerRect.Bottom);
  EXPECT_EQ(quick->WindowRect().Right, quick->OwnerRect.Right);
  const TRect gap = quick->OwnerGapRect();
  ASSERT_FALSE(IsRectEmpty(gap));
  EXPECT_EQ(gap.Top, 0);
  quick->Flush();
  EXPECT_EQ(quick->Buffer().pixel(gap.Left, 0), ToQColor(Manager->BrushColor(2)).rgb());
  // The frame is a border: no item there, and neither a press on it nor a right click closes the window
  // or opens the toolbars popup.
  EXPECT_EQ(quick->HitTest(Point(0, 0)), htBorder);
  const TRect q = quick->WindowRect();
  Click(QPoint(q.Right - 1, q.Bottom - 1));
  Click(QPoint((q.Left + q.Right) / 2, q.Bottom - 4), Qt::RightButton);
  EXPECT_EQ(w->QuickControl(), quick);
  ASSERT_NE(TCustomzbBarControl::ActiveBarControl(), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl()->ChainTop(), quick);
  w->SetMarkState(0);
  EXPECT_EQ(w->QuickLinks(), nullptr);
  EXPECT_EQ(TzbBarQuickControl::Current(), nullptr);
  EXPECT_EQ(Manager->Bars().Count(), bars);  // the temporary bar went with the window
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
}

TEST_F(DemoWindowPainting, TheQuickCustomizationWindowOpensBesideAVerticalBarAndUnderAFloatingBarsCaptionMark) {
  Manager->SetStyle(bmsFlat);
  Manager->NotDocking = 0;
  // The flat look puts a floating bar's mark at the left of its caption: the window opens under
  // it, starting where the mark starts.
  ASSERT_TRUE(Manager->PainterClass().OpensQuickWindowLeftAligned());
  for (const TzbBarDockingStyle style : {dsLeft, dsNone}) {
    SCOPED_TRACE(style);
    TzbBarControl* w = MarkedBarAt(Toolbars[3], style);
    ASSERT_TRUE(w && w->IsVertical() == (style == dsLeft));
    const TRect mark = w->MarkScreenRect();
    ASSERT_FALSE(IsRectEmpty(mark));
    w->SetMarkState(2);
    ASSERT_NE(w->QuickControl(), nullptr);
    const TRect q = w->QuickControl()->WindowRect();
    EXPECT_EQ(Point(q.Left, q.Top), style == dsLeft ? Point(mark.Right, mark.Top) : Point(mark.Left, mark.Bottom));
    w->SetMarkState(0);
    ASSERT_EQ(w->QuickControl(), nullptr);
  }
}

TEST_F(DemoWindowPainting, AtTheCornerOfTheWorkAreaTheQuickCustomizationWindowStaysOnItAboveTheMark) {
  Manager->SetStyle(bmsFlat);
  TzbBar* hilfe = Toolbars[3];
  const TRect area = GetMonitorWorkArea(Form.mapToGlobal(QPoint(0, 0)));
  ASSERT_FALSE(IsRectEmpty(area));
  hilfe->FloatLeft = area.Right - 10;
  hilfe->FloatTop = area.Bottom - 10;
  TzbBarControl* w = MarkedBarAt(hilfe, dsNone);
  const TRect mark = w->MarkScreenRect();
  ASSERT_FALSE(IsRectEmpty(mark));
  ASSERT_GT(mark.Bottom, area.Bottom - 10);
  w->SetMarkState(2);
  ASSERT_NE(w->QuickControl(), nullptr);
  const TRect q = w->QuickControl()->WindowRect();
  EXPECT_EQ(q.Right, area.Right);
  EXPECT_EQ(q.Bottom, mark.Top);
  w->SetMarkState(0);
}

// The pixels of the sign colour in the check column of an "&Add or Remove Buttons" entry.
int CheckSignPixels(const TCustomzbBarControl& menu, const TzbBarQuickCustExtButtonControl& entry) {
  const TRect r = menu.GetItemRect(&entry);
  const TRect in = menu.ClientInsets();
  const QRgb sign = ToQColor(clBlack).rgb();
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Left + entry.CheckColumnWidth(); ++x)
      if (menu.Buffer().pixel(x + in.Left, y + in.Top) == sign) ++count;
  return count;
}

TEST_F(DemoWindowPainting, TheAddOrRemoveEntriesTickTheVisibleButtonsAndAClickHidesOne) {
  Manager->SetStyle(bmsFlat);
  TzbBar* datei = Toolbars[0];
  datei->ShowMark = true;
  TzbBarItemLinks& links = datei->ItemLinks();
  ASSERT_GE(links.Count(), 3);
  links.Items(1)->SetVisible(false);
  TzbBarControl* w = WindowOf(datei);
  w->RebuildLayout();
  QApplication::processEvents();
  ASSERT_FALSE(w->Truncated());
  w->SetMarkState(2);
  TzbBarQuickControl* quick = w->QuickControl();
  ASSERT_NE(quick, nullptr);
  // Every visible button fits: the window holds "&Add or Remove Buttons" alone.
  ASSERT_EQ(quick->ItemLinks().Count(), 1);
  EXPECT_EQ(quick->ItemLinks().Items(0)->Item(), quick->AddRemoveItem());
  ClickControl(*quick->ItemLinks().Items(0)->Control());
  TzbBarItemLinks& entries = quick->AddRemoveItem()->ItemLinks();
  auto* menu = dynamic_cast<TCustomzbBarControl*>(entries.BarControl());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->ParentBar, quick);
  ASSERT_GE(entries.Count(), links.Count());
  menu->Flush();
  for (int i = 0; i < links.Count(); ++i) {
    SCOPED_TRACE(i);
    auto* entry = dynamic_cast<TzbBarQuickCustItemControl*>(entries.Items(i)->Control());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->OwnerLink(), links.Items(i));
    EXPECT_EQ(entries.Items(i)->Item(), quick->CustItem());
    EXPECT_EQ(entries.Items(i)->RealCaption(), links.Items(i)->RealCaption());
    EXPECT_EQ(CheckSignPixels(*menu, *entry) > 0, links.Items(i)->Visible());
  }
  // The extra buttons show an empty check column.
  auto* customize = dynamic_cast<TzbBarQuickCustExtButtonControl*>(entries.Items(entries.Count() - 1)->Control());
  ASSERT_NE(customize, nullptr);
  EXPECT_EQ(dynamic_cast<TzbBarQuickCustItemControl*>(customize), nullptr);
  EXPECT_EQ(CheckSignPixels(*menu, *customize), 0);
  // A click hides the toolbar's button and clears the tick; the menus stay open.
  auto* third = static_cast<TzbBarQuickCustItemControl*>(entries.Items(2)->Control());
  ClickControl(*third);
  EXPECT_FALSE(links.Items(2)->Visible());
  ASSERT_EQ(entries.BarControl(), menu);
  ASSERT_EQ(w->QuickControl(), quick);
  menu->Flush();
  EXPECT_EQ(CheckSignPixels(*menu, *third), 0);
  ClickControl(*third);
  EXPECT_TRUE(links.Items(2)->Visible());
  menu->Flush();
  EXPECT_GT(CheckSignPixels(*menu, *third), 0);
  w->SetMarkState(0);
  EXPECT_EQ(entries.BarControl(), nullptr);
}

TEST_F(DemoWindowPainting, TheQuickCustomizationWindowClosesOnceAnotherBarHoldsTheSelection) {
  TzbBarControl* w = WithMark(Toolbars[3]);
  w->SetMarkState(2);
  TzbBarQuickControl* quick = w->QuickControl();
  ASSERT_NE(quick, nullptr);
  // Nothing selected elsewhere: the timer passes and the window stays.
  quick->StartCloseTimer();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !quick->CloseTimerRunning(); }));
  EXPECT_EQ(w->QuickControl(), quick);
  // A button of another toolbar selected: the window goes when the timer fires.
  TzbBarControl* other = WindowOf(Toolbars[0]);
  other->HotTrackItem(other->ItemLinks().Items(0)->Control());
  quick->StartCloseTimer();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->QuickControl() == nullptr; }));
  EXPECT_EQ(w->QuickButtonState(), 0);
  EXPECT_EQ(TzbBarQuickControl::Current(), nullptr);
  // Hidden from outside, the window closes as well.
  other->HotTrackItem(nullptr);
  w->SetMarkState(2);
  ASSERT_NE(w->QuickControl(), nullptr);
  w->QuickControl()->Widget()->hide();
  EXPECT_EQ(w->QuickControl(), nullptr);
  EXPECT_EQ(w->QuickButtonState(), 0);
  // Left open with its add-or-remove menu, the window goes with the form.
  w->SetMarkState(2);
  ASSERT_NE(w->QuickControl(), nullptr);
  ClickControl(*w->QuickControl()->ItemLinks().Items(0)->Control());
  EXPECT_NE(w->QuickControl()->AddRemoveItem()->ItemLinks().BarControl(), nullptr);
}

TEST_F(DemoWindowPainting, AnOpenQuickCustomizationWindowGoesWithItsManager) {
  // The manager stores its layout as it goes; the window's temporary bar is no part of it.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString ini = dir.filePath(QStringLiteral("bars.ini"));
  Manager->StoreInIniFile = true;
  Manager->IniFileName = ini.toStdString();
  const int bars = Manager->Bars().Count();
  TzbBarControl* w = WithMark(Toolbars[3]);
  w->SetMarkState(2);
  ASSERT_NE(w->QuickControl(), nullptr);
  ASSERT_EQ(Manager->Bars().Count(), bars + 1);
  ClickControl(*w->QuickControl()->ItemLinks().Items(0)->Control());
  ASSERT_NE(w->QuickControl()->AddRemoveItem()->ItemLinks().BarControl(), nullptr);
  Manager.reset();  // before the screen: the bars go with their windows
  EXPECT_EQ(TzbBarQuickControl::Current(), nullptr);
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  QFile file(ini);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains(QStringLiteral("BarCount=%1").arg(bars).toUtf8()));
}

TEST_F(DemoWindowPainting, AFloatingBarDrawsItsCaptionArrowAtOnceWhenTheMarkChanges) {
  TzbBarControl* w = MarkedBarAt(Toolbars[3], dsNone);
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
  TzbBarControl* w = WithMark(Toolbars[3]);
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
