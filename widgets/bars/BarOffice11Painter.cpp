#include "widgets/bars/BarOffice11Painter.h"

#include "platform/QtText.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/Bars.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <QRegion>

#include <algorithm>

namespace zyn {

namespace {

const TOffice11Colors& C() { return Office11Colors(); }

bool IsMainMenuWindow(const TzbBarWindow& w) { return w.Bar() && w.Bar()->IsMainMenu(); }

void SetPixel(TCanvas& dc, int x, int y, TColor color) { FillRectWithColor(dc, Rect(x, y, x + 1, y + 1), color); }

}  // namespace

const TzbBarItemControlOffice11Painter& TzbBarItemControlOffice11Painter::Instance() {
  static const TzbBarItemControlOffice11Painter painter;
  return painter;
}

// ---------------------------------------------------------------- brushes and colours

TBrush TzbBarItemControlOffice11Painter::GetBarBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11MenuColor);
}
TBrush TzbBarItemControlOffice11Painter::GetToolbarBrush(const TzbBarWindow& w) const {
  if (IsMainMenuWindow(w) || (w.Bar() && w.Bar()->CanHaveSizeGrip())) return SolidBrush(clBtnFace);
  return SolidBrush(C().Office11MenuColor);
}
TBrush TzbBarItemControlOffice11Painter::GetBarCheckedBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11PressedColor);
}
TBrush TzbBarItemControlOffice11Painter::GetBarFaceBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11ItemColor1);
}
TBrush TzbBarItemControlOffice11Painter::GetBarHighlightBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11SelectedColor);
}
TBrush TzbBarItemControlOffice11Painter::GetLightFaceBrush(const TzbBarManager&) const {
  return SolidBrush(C().Office11CheckedColor);
}
TBrush TzbBarItemControlOffice11Painter::GetMenuFrameBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11MenuColor);
}
TBrush TzbBarItemControlOffice11Painter::GetQuickWindowBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11MenuColor);
}
TBrush TzbBarItemControlOffice11Painter::GetInPlaceSubItemBrush() const {
  return SolidBrush(C().Office11MoreButtonsShadowColor);
}
TBrush TzbBarItemControlOffice11Painter::GetStaticBorderBrush(const TzbBarItemControl&, TzbBarStaticBorderStyle) const {
  return SolidBrush(C().Office11BorderColor);
}
TBrush TzbBarItemControlOffice11Painter::GetFlatShadowBrush(const TzbBarWindow&) const {
  return SolidBrush(C().Office11SeparatorDarkColor);
}
void TzbBarItemControlOffice11Painter::FrameBarWindow(const TzbBarWindow&, TCanvas& dc, const TRect& r) const {
  FrameRectWithColor(dc, r, C().Office11BorderColor);
}
void TzbBarItemControlOffice11Painter::DrawSelectionFrame(TCanvas& dc, const TRect& r) const {
  FrameSelectedRect(dc, r);
}
void TzbBarItemControlOffice11Painter::FillOwnerGap(const TzbBarWindow& w, TCanvas& dc) const {
  const TRect gap = w.OwnerGapRect();
  if (!IsRectEmpty(gap)) FillWith(dc, gap, SolidBrush(C().Office11MenuColor));
}

TColor TzbBarItemControlOffice11Painter::GetDisabledImageColor(const TzbBarWindow&) const {
  return C().Office11MoreButtonsColors1[0];
}
TColor TzbBarItemControlOffice11Painter::GetCaptionColor(bool) const { return C().Office11BarBorderColor4; }
TColor TzbBarItemControlOffice11Painter::GetCaptionTextColor() const { return C().Office11LightTextColor; }
TColor TzbBarItemControlOffice11Painter::GetCaptionArrowColor(const TzbBarWindow&, int state) const {
  if (state == 1) return C().Office11DarkTextColor1;
  if (state == 2) return C().Office11DarkTextColor2;
  return C().Office11LightTextColor;
}
TColor TzbBarItemControlOffice11Painter::GetCalendarHeaderColor() const { return C().Office11DockColor3; }
bool TzbBarItemControlOffice11Painter::HighlightsDownCaption() const { return !Office11XPScheme(); }

void TzbBarItemControlOffice11Painter::GetEditColors(const TzbBarItemControl& c, TColor& text,
                                                     TColor& background) const {
  if (c.Enabled()) {
    text = C().Office11TextColor;
    background = clWindow;
  } else {
    text = C().Office11DisabledTextColor;
    background = clBtnFace;
  }
}

void TzbBarItemControlOffice11Painter::GetCaptionColors(const TzbBarItemControl& c, bool enabled, bool selectedLook,
                                                        bool flatDisabled, TColor& first, TColor& second) const {
  if (!enabled)
    first = C().Office11DisabledTextColor;
  else if (selectedLook && !flatDisabled && !c.Parent().IsMenu())
    first = C().Office11SelectedTextColor;
  else
    first = C().Office11TextColor;
  if (enabled && selectedLook && !flatDisabled && FaceIsWhite()) first = clWhite;
  second = first;  // no embossing
}

TBrush TzbBarItemControlOffice11Painter::GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const {
  if (s.View == 1) return c.Parent().CurrentBrush();
  return TzbBarItemControlFlatPainter::GetButtonBrush(c, s);
}

// ---------------------------------------------------------------- items

void TzbBarItemControlOffice11Painter::FillStateGradient(TCanvas& dc, const TRect& r, int view, bool hot,
                                                         bool pressedOrDown) const {
  TColor a, b;
  if (view == 1) {
    a = b = pressedOrDown ? C().Office11CheckedColor : C().Office11HotColor1;
  } else if (pressedOrDown && hot) {
    a = C().Office11PressedColor2;
    b = C().Office11PressedColor1;
  } else if (pressedOrDown) {
    a = C().Office11PressedColor1;
    b = C().Office11PressedColor2;
    if (a == b) a = b = C().Office11PressedColor;
  } else {
    a = C().Office11HotColor1;
    b = C().Office11HotColor2;
  }
  FillGradient(dc, r, a, b, view == 2);
}

void TzbBarItemControlOffice11Painter::DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                      const TBrush& brush, const TzbButtonState& s) const {
  const bool inMenu = s.View == 1;
  if (inMenu && s.Selected && s.NoGlyph && !s.Down) {
    FillWith(dc, r, brush);
    return;
  }
  const bool open = !inMenu && ((s.DropDown && s.DropDownOpen) || (c.HasSubMenu() && c.Active));
  if (open) {
    FillGradient(dc, r, C().Office11ToolbarColor3, C().Office11ToolbarColor4, s.View == 2);
  } else if (!inMenu && (s.Down || s.Selected || s.Pressed)) {
    FillStateGradient(dc, r, s.View, s.Selected, s.Pressed || s.Down);
  } else {
    FillItemBackground(c, dc, s.Down || s.Selected || s.Pressed, brush, r);
  }
  if (s.Down || (s.Selected && !inMenu)) {
    if (s.DropDown && s.DropDownOpen && !inMenu) {
      const TRect whole = IsRectEmpty(s.OpenRect) ? r : s.OpenRect;
      FrameRectWithColor(dc, whole, C().Office11BorderColor);
      FillBarFrameGap(c, dc, whole, s.View);
    } else if (s.Selected || s.Down) {
      FrameSelectedRect(dc, r);
      if (open) FillBarFrameGap(c, dc, r, s.View);
    } else {
      FrameRectWithColor(dc, r, C().Office11BorderColor);
    }
  } else if (s.Fits) {
    FrameItemBackground(c, dc, !inMenu && (s.Pressed || c.NonRecent), brush, r);  // in menus: the gradient column
  }
}

void TzbBarItemControlOffice11Painter::FillBarFrameGap(const TzbBarItemControl& c, TCanvas& dc, const TRect& item,
                                                       int view) const {
  TRect gap;
  if (!IntersectRect(gap, c.Parent().ChildMenuGapRect(), item)) return;
  // The joint takes the colour of the item's gradient at the end it lies at: the gradient runs
  // across the bar, from the third toolbar colour to the fourth.
  const bool farEnd = view == 2 ? gap.Left >= (item.Left + item.Right) / 2 : gap.Top >= (item.Top + item.Bottom) / 2;
  FillRectWithColor(dc, gap, farEnd ? C().Office11ToolbarColor4 : C().Office11ToolbarColor3);
}

void TzbBarItemControlOffice11Painter::DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush,
                                                     TRect r, const TRect& glyphRect, const QImage& glyph,
                                                     bool fromImageList, const TzbButtonState& s) const {
  if (s.Fits) InflateRect(r, -1, -1);
  TzbGlyphArgs a = ImageCellGlyphArgs(c, brush, r, glyphRect, glyph, fromImageList, s);
  a.Transparent = true;
  a.FlatLook = false;
  a.Shadowed = false;
  DrawGlyph(dc, a);
}

void TzbBarItemControlOffice11Painter::GetDropButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed,
                                                                TColor& arrowColor, TBrush& brush) const {
  const TzbBarWindow& w = c.Parent();
  if (!c.Enabled()) {
    arrowColor = C().Office11DisabledTextColor;
    brush = SolidBrush(clBtnFace);
    return;
  }
  arrowColor = C().Office11TextColor;
  if (!selected) {
    brush = w.CurrentBrush();
    return;
  }
  brush = pressed ? GetBarFaceBrush(w) : GetBarHighlightBrush(w);
  if (FaceIsWhite())
    arrowColor = clWhite;
  else if (pressed && !Office11XPScheme())
    arrowColor = clHighlightText;
}

void TzbBarItemControlOffice11Painter::GetComboButtonColorValues(const TzbBarItemControl& c, bool selected,
                                                                 bool pressed, TColor& arrowColor,
                                                                 TBrush& brush) const {
  GetDropButtonColorValues(c, selected, pressed, arrowColor, brush);
  if (!c.Enabled()) return;
  if (selected && pressed)
    brush = GetBarHighlightBrush(c.Parent());
  else if (pressed)
    brush = GetBarFaceBrush(c.Parent());
}

namespace {

// The system colour index nearest to an arrow colour of the scheme.
int ArrowColorIndex(TColor arrowColor, bool enabled) {
  if (!enabled) return COLOR_GRAYTEXT;
  return arrowColor == clHighlightText ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
}

}  // namespace

void TzbBarItemControlOffice11Painter::GetDropButtonColors(const TzbBarItemControl& c, bool selected, bool pressed,
                                                           int& arrowColorIndex, TBrush& brush) const {
  TColor arrow = clBtnText;
  GetDropButtonColorValues(c, selected, pressed, arrow, brush);
  arrowColorIndex = ArrowColorIndex(arrow, c.Enabled());
}

void TzbBarItemControlOffice11Painter::GetComboButtonColors(const TzbBarItemControl& c, bool selected, bool pressed,
                                                            int& arrowColorIndex, TBrush& brush) const {
  TColor arrow = clBtnText;
  GetComboButtonColorValues(c, selected, pressed, arrow, brush);
  arrowColorIndex = ArrowColorIndex(arrow, c.Enabled());
}

void TzbBarItemControlOffice11Painter::DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed,
                                                       const TRect& r) const {
  c.ButtonRect = r;
  TColor arrow = C().Office11TextColor;
  TBrush colours;
  GetComboButtonColorValues(c, selected, pressed, arrow, colours);
  const bool enabled = c.Enabled();
  if (selected && enabled) {
    TRect frame = r;
    InflateRect(frame, 1, 1);
    FrameSelectedRect(dc, frame);
    FillStateGradient(dc, r, 0, true, pressed);
  } else {
    const TBrush edge = enabled ? SolidBrush(clWindow) : colours;
    FrameWith(dc, r, edge);
    FillWith(dc, Rect(r.Left - 1, r.Top, r.Left, r.Bottom), edge);
    TRect inner = r;
    InflateRect(inner, -1, -1);
    if (enabled && c.Parent().IsMenu())
      FillRectWithColor(dc, inner, C().Office11CheckedColor);
    else
      FillItemBackground(c, dc, !enabled, colours, inner);
  }
  TRect inner = r;
  InflateRect(inner, -1, -1);
  DrawComboArrowInColor(dc, inner, enabled, pressed, arrow);
}

void TzbBarItemControlOffice11Painter::DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view,
                                                     bool selected, bool) const {
  if (selected)
    FrameSelectedRect(dc, r);
  else if (!c.Enabled())
    FrameRectWithColor(dc, r, C().Office11DisabledTextColor);
  else if (view == 1)
    FrameRectWithColor(dc, r, C().Office11CheckedColor);
  else
    FrameItemBackground(c, dc, false, c.Parent().CurrentBrush(), r);
  InflateRect(r, -1, -1);
}

int TzbBarItemControlOffice11Painter::GetEditCaptionWidth(const TzbBarItemControl& c, int textWidth) const {
  int width = TzbBarItemControlFlatPainter::GetEditCaptionWidth(c, textWidth);
  if (c.Parent().IsMenu()) width += MenuTextIndent(c.Parent()) + 1;
  return width;
}

int TzbBarItemControlOffice11Painter::MenuTextIndent(const TzbBarWindow& w) const {
  int adjustment = 0;
  AdjustMenuLineSize(adjustment);
  return w.SideStripWidth() + w.ItemHeight() + 2 + adjustment;
}

int TzbBarItemControlOffice11Painter::GetProgressOffset(const TzbBarItemControl& c, bool showsGlyph) const {
  if (showsGlyph || !c.Parent().IsMenu()) return 0;
  return MenuTextIndent(c.Parent());
}

// ---------------------------------------------------------------- docks, bars, separators

TRect TzbBarItemControlOffice11Painter::GetDockedBorderSizes(const TzbBar& bar, TzbBarDockingStyle style) const {
  if (!bar.IsMainMenu()) return GetDockedBorderSizes();
  return (style == dsLeft || style == dsRight) ? Rect(2, 0, 2, 0) : Rect(0, 2, 0, 2);
}

TRect TzbBarItemControlOffice11Painter::GetBarBorderInsets(const TzbBarWindow& w) const {
  if (!w.Bar()) return TzbBarItemControlFlatPainter::GetBarBorderInsets(w);
  return GetDockedBorderSizes(*w.Bar(), w.DockingStyle());
}

void TzbBarItemControlOffice11Painter::DrawDottedGrip(TCanvas& dc, const TRect& r, bool vertical) const {
  DrawGripDots(dc, r, vertical);
}

void TzbBarItemControlOffice11Painter::DrawDockBackground(TCanvas& dc, const TBrush&, const TRect& r) const {
  FillGradient(dc, r, C().Office11DockColor1, C().Office11DockColor2, true);
}

namespace {

// The two ends of a dock's gradient by the dock's side.
void DockColors(TzbBarDockingStyle side, TColor& first, TColor& second) {
  first = C().Office11DockColor1;
  second = C().Office11DockColor2;
  if (side == dsLeft) second = first;
  if (side == dsRight) first = second;
}

}  // namespace

void TzbBarItemControlOffice11Painter::DrawDockBackgroundOf(const TzbDockControl& dock, TCanvas& dc, const TBrush&,
                                                            const TRect& r) const {
  TColor first, second;
  DockColors(dock.DockingStyle(), first, second);
  FillGradient(dc, r, first, second, true);
}

TColor TzbBarItemControlOffice11Painter::DockColorAt(const TzbBarWindow& w, int x) const {
  const TzbDockControl* dock = w.DockControl();
  if (!dock || !dock->Widget()) return ColorToRGB(C().Office11DockColor1);
  TColor first, second;
  DockColors(dock->DockingStyle(), first, second);
  return GradientColorAt(Rect(0, 0, dock->Widget()->width(), dock->Widget()->height()), w.WindowOriginInDock().X + x,
                         first, second, true);
}

void TzbBarItemControlOffice11Painter::FillWithDock(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                    const TRect& part) const {
  if (IsRectEmpty(part)) return;
  if (const TzbDockControl* dock = w.DockControl())
    dock->PaintBackgroundAt(dc, brush, part, w.WindowOriginInDock());
  else
    FillRectWithColor(dc, part, DockColorAt(w, part.Left));
}

void TzbBarItemControlOffice11Painter::FillWithBar(const TzbBarWindow& w, TCanvas& dc, const TRect& part,
                                                   const TRect& r) const {
  if (IsRectEmpty(part)) return;
  TRect tube = r;
  if (w.IsVertical())
    InflateRect(tube, -1, 0);
  else
    InflateRect(tube, 0, -1);
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(part), Qt::IntersectClip);
  FillTubeGradient(dc, tube, C().Office11ToolbarColor1, C().Office11ToolbarColor2, w.IsVertical());
  dc.Painter().restore();
}

bool TzbBarItemControlOffice11Painter::HasFloatingFrame(const TzbBarWindow& w) const {
  return w.IsMenu() && TzbBarItemControlFlatPainter::HasFloatingFrame(w);
}

void TzbBarItemControlOffice11Painter::DrawDockedBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                               const TRect& r, const TRect& barRect) const {
  const TzbBar* bar = w.Bar();
  if (!bar || bar->IsMainMenu() || bar->BorderStyle == bbsNone || w.IsMenu()) {
    TzbBarItemControlFlatPainter::DrawDockedBarBackground(w, dc, brush, r, barRect);
    return;
  }
  // The gradient spans the whole window (frame included), so that the client area and the frame
  // that DrawBarBorder paints continue each other.
  TRect whole = barRect;
  if (w.DockControl()) {
    const TPoint client = w.ClientOriginInDock(), window = w.WindowOriginInDock();
    const TRect b = GetDockedBorderSizes(*bar, w.DockingStyle());
    whole = Rect(barRect.Left - (client.X - window.X), barRect.Top - (client.Y - window.Y), barRect.Right + b.Right,
                 barRect.Bottom + b.Bottom);
  }
  FillWithBar(w, dc, r, whole);
}

void TzbBarItemControlOffice11Painter::DrawFloatingBarBackground(const TzbBarWindow& w, TCanvas& dc,
                                                                 const TBrush& brush, const TRect& r,
                                                                 const TRect& barRect) const {
  if (w.IsMenu() || !w.Manager().Backgrounds().Bar().isNull()) {
    TzbBarItemControlFlatPainter::DrawFloatingBarBackground(w, dc, brush, r, barRect);
    return;
  }
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  FillGradient(dc, barRect, C().Office11ToolbarColor1, C().Office11ToolbarColor2, false);
  dc.Painter().restore();
}

void TzbBarItemControlOffice11Painter::DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                     const TRect& r) const {
  const TzbBar* bar = w.Bar();
  if (bar && bar->IsMainMenu()) {
    // No rounded ends: the frame shows the dock, as the bar's client area does.
    FillWithDock(w, dc, brush, r);
  } else {
    if (!bar || bar->BorderStyle != bbsSingle) return;
    FillWithBar(w, dc, r, r);
    if (w.IsVertical())
      DrawVerticalBarBorder(w, dc, brush, r);
    else
      DrawHorizontalBarBorder(w, dc, brush, r);
  }
  if (!w.ShowsGrip()) return;
  TRect b = r;
  InflateRect(b, -2, -2);
  const int i = GetGripIndent(), gw = GetGripWidth();
  // The dots run across the bar: down a horizontal bar's grip, along a vertical bar's.
  if (w.IsVertical())
    DrawDottedGrip(dc, Rect(b.Left + 3, b.Top + i, b.Right - 3, b.Top + i + gw), false);
  else
    DrawDottedGrip(dc, Rect(b.Left + i, b.Top + 3, b.Left + i + gw, b.Bottom - 3), true);
}

// A horizontal toolbar: the start end lies on the dock with rounded corners, the top edge is the
// bar's gradient, the bottom edge a line in the first frame colour, and the far end either rounded
// or, with the quick-customize button, the button's gradient over the frame.
void TzbBarItemControlOffice11Painter::DrawHorizontalBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                               const TRect& r) const {
  const TOffice11Colors& c = C();
  const bool q = w.HasQuickButton();
  const int state = std::clamp(w.QuickButtonState(), 0, 2);
  const TColor f1 = c.Office11BarFrameColor1, f2 = c.Office11BarFrameColor2;
  const TColor c1 = c.Office11MoreButtonsColors1[state], c3 = c.Office11MoreButtonsColors3[state],
               c4 = c.Office11MoreButtonsColors4[state];
  const TRect tube = Rect(r.Left, r.Top + 1, r.Right, r.Bottom - 1);
  auto gt = [&](int y) { return GradientColorAt(tube, y, c.Office11ToolbarColor1, c.Office11ToolbarColor2, false); };
  auto dock = [&](const TRect& part) { FillWithDock(w, dc, brush, part); };
  auto barPart = [&](const TRect& part) { FillWithBar(w, dc, part, r); };
  const int rt = r.Right, b = r.Bottom;
  // 1. The start end.
  dock(Rect(r.Left, r.Top, r.Left + GetExtraGripIndent(), b));
  const int l = r.Left + GetExtraGripIndent();
  dock(Rect(l, r.Top, rt, r.Top + 1));
  const int t = r.Top + 1;
  dock(Rect(l, b - 2, l + 1, b - 1));
  dock(Rect(l + 1, b - 1, l + 2, b));
  barPart(Rect(l, t + 2, l + 1, b - 3));
  SetPixel(dc, l + 1, b - 3, f2);
  SetPixel(dc, l, b - 3, MixColors(DockColorAt(w, l), f2, 50));
  SetPixel(dc, l + 1, b - 2, MixColors(DockColorAt(w, l), f2, 50));
  SetPixel(dc, l, t + 1, MixColors(DockColorAt(w, l), gt(t + 1), 50));
  SetPixel(dc, l + 1, t, MixColors(DockColorAt(w, l), gt(t + 1), 50));
  // 2. The top edge.
  barPart(Rect(l + 2, t, rt - 2 - (q ? 11 : 0), t + 1));
  if (q) {
    SetPixel(dc, rt - 12, t, c3);
    SetPixel(dc, rt - 2, t + 1, c3);
    SetPixel(dc, rt - 13, t, MixColors(c3, gt(t + 1), 50));
    SetPixel(dc, rt - 2, t, MixColors(c3, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 1, t + 1, MixColors(c3, DockColorAt(w, rt), 50));
  } else {
    SetPixel(dc, rt - 2, t, MixColors(DockColorAt(w, rt), gt(t + 1), 50));
    SetPixel(dc, rt - 1, t + 1, MixColors(DockColorAt(w, rt), gt(t + 1), 50));
  }
  // 3. The far end.
  if (!q) {
    barPart(Rect(rt - 2, t + 1, rt - 1, b - 2));
    barPart(Rect(rt - 1, t + 2, rt, b - 1));
  } else {
    QRegion clip(ToQRect(Rect(rt - 11, t, rt - 2, t + 1)));
    clip += ToQRect(Rect(rt - 2, t + 2, rt, b - 2));
    clip += ToQRect(Rect(rt - 12, b - 1, rt - 2, b));
    clip += ToQRect(Rect(rt - 11, b - 2, rt - 1, b - 1));
    dc.Painter().save();
    dc.Painter().setClipRegion(clip, Qt::IntersectClip);
    FillTubeGradient(dc, Rect(rt - 12, t, rt, b), c1, c4, false);
    dc.Painter().restore();
    SetPixel(dc, rt - 1, b - 2, MixColors(c4, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 2, b - 1, MixColors(c4, DockColorAt(w, rt), 50));
  }
  // 4. The bottom edge.
  barPart(Rect(l + 2, b - 2, rt - 2 - (q ? 11 : 0), b - 1));
  FillRectWithColor(dc, Rect(l + 2, b - 1, q ? rt - 13 : rt - 2, b), f1);
  if (q) {
    SetPixel(dc, rt - 13, b - 1, MixColors(c4, f2, 50));
    SetPixel(dc, rt - 12, b - 2, MixColors(c4, f2, 50));
    SetPixel(dc, rt - 13, b - 2, f2);
  } else {
    SetPixel(dc, rt - 2, b - 1, MixColors(f2, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 1, b - 2, MixColors(f2, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 2, b - 2, f2);
  }
  // 5. The corners.
  for (const TPoint p : {Point(l, t), Point(rt - 1, t), Point(l, b - 1), Point(rt - 1, b - 1)})
    dock(Rect(p.X, p.Y, p.X + 1, p.Y + 1));
}

// A vertical toolbar: the same turned, the start end at the top, the far end at the bottom.
void TzbBarItemControlOffice11Painter::DrawVerticalBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                             const TRect& r) const {
  const TOffice11Colors& c = C();
  const bool q = w.HasQuickButton();
  const int state = std::clamp(w.QuickButtonState(), 0, 2);
  const TColor f1 = c.Office11BarFrameColor1, f2 = c.Office11BarFrameColor2;
  const TColor c1 = c.Office11MoreButtonsColors1[state], c3 = c.Office11MoreButtonsColors3[state],
               c4 = c.Office11MoreButtonsColors4[state];
  const TRect tube = Rect(r.Left + 1, r.Top, r.Right - 1, r.Bottom);
  auto gv = [&](int x) { return GradientColorAt(tube, x, c.Office11ToolbarColor1, c.Office11ToolbarColor2, true); };
  auto dock = [&](const TRect& part) { FillWithDock(w, dc, brush, part); };
  auto barPart = [&](const TRect& part) { FillWithBar(w, dc, part, r); };
  const int rt = r.Right, b = r.Bottom;
  // 6. The start end.
  dock(Rect(r.Left, r.Top, rt, r.Top + GetExtraGripIndent()));
  const int t = r.Top + GetExtraGripIndent();
  dock(Rect(r.Left, t, r.Left + 1, b));
  const int l = r.Left + 1;
  barPart(Rect(l, t + 2, l + 1, b - 2 - (q ? 11 : 0)));
  barPart(Rect(l + 2, t, rt - 2, t + 1));
  SetPixel(dc, rt - 2, t + 1, f2);
  SetPixel(dc, rt - 2, t, MixColors(DockColorAt(w, l), f2, 50));
  SetPixel(dc, rt - 1, t + 1, MixColors(DockColorAt(w, l), f2, 50));
  SetPixel(dc, l, t + 1, MixColors(DockColorAt(w, l), gv(l), 50));
  SetPixel(dc, l + 1, t, MixColors(DockColorAt(w, l), gv(l), 50));
  // 7. The bottom-left corner.
  if (q) {
    SetPixel(dc, l, b - 12, c3);
    SetPixel(dc, l + 1, b - 2, c3);
    SetPixel(dc, l, b - 13, MixColors(c3, gv(l + 1), 50));
    SetPixel(dc, l, b - 2, MixColors(c3, DockColorAt(w, l), 50));
    SetPixel(dc, l + 1, b - 1, MixColors(c3, DockColorAt(w, l), 50));
  } else {
    SetPixel(dc, l, b - 2, MixColors(DockColorAt(w, l), gv(l + 1), 50));
    SetPixel(dc, l + 1, b - 1, MixColors(DockColorAt(w, l), gv(l + 1), 50));
  }
  // 8. The far end.
  barPart(Rect(rt - 2, t + 2, rt - 1, b - 2 - (q ? 11 : 0)));
  if (!q) {
    barPart(Rect(l + 2, b - 1, rt - 1, b));
  } else {
    QRegion clip(ToQRect(Rect(l, b - 11, l + 1, b - 2)));
    clip += ToQRect(Rect(l + 2, b - 2, rt - 2, b));
    clip += ToQRect(Rect(rt - 2, b - 11, rt - 1, b - 1));
    clip += ToQRect(Rect(rt - 1, b - 12, rt, b - 2));
    dc.Painter().save();
    dc.Painter().setClipRegion(clip, Qt::IntersectClip);
    FillTubeGradient(dc, Rect(l, b - 12, rt, b), c1, c4, true);
    dc.Painter().restore();
    SetPixel(dc, rt - 1, b - 2, MixColors(c4, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 2, b - 1, MixColors(c4, DockColorAt(w, rt), 50));
  }
  // 9. The right edge.
  if (!q) barPart(Rect(l + 1, b - 2, rt - 2, b - 1));
  FillRectWithColor(dc, Rect(rt - 1, t + 2, rt, q ? b - 13 : b - 2), f1);
  if (q) {
    SetPixel(dc, rt - 1, b - 13, MixColors(c4, f2, 50));
    SetPixel(dc, rt - 2, b - 12, MixColors(c4, f2, 50));
    SetPixel(dc, rt - 2, b - 13, f2);
  } else {
    SetPixel(dc, rt - 2, b - 1, MixColors(f2, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 1, b - 2, MixColors(f2, DockColorAt(w, rt), 50));
    SetPixel(dc, rt - 2, b - 2, f2);
  }
  // 10. The corners.
  for (const TPoint p : {Point(l, t), Point(rt - 1, t), Point(l, b - 1), Point(rt - 1, b - 1)})
    dock(Rect(p.X, p.Y, p.X + 1, p.Y + 1));
}

void TzbBarItemControlOffice11Painter::DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical,
                                                     const TBrush& brush, const TRect& r) const {
  // The bar's own background under the band, then a dark line with a light one beside it.
  if (!w.IsMenu() && w.Bar() && !w.IsFloating())
    DrawDockedBarBackground(w, dc, brush, r, w.ClientRect());
  else
    FillWith(dc, r, brush);
  // A dark line from 3 pixels after the start to 4 before the end, the light one beside it from 4
  // after the start to 3 before the end.
  const int m = GetSeparatorMargin();
  if (vertical) {
    const int y = r.Top + m;
    FillRectWithColor(dc, Rect(r.Left + 3, y, r.Right - 4, y + 1), C().Office11SeparatorDarkColor);
    FillRectWithColor(dc, Rect(r.Left + 4, y + 1, r.Right - 3, y + 2), C().Office11SeparatorLightColor);
  } else {
    const int x = r.Left + m;
    FillRectWithColor(dc, Rect(x, r.Top + 3, x + 1, r.Bottom - 4), C().Office11SeparatorDarkColor);
    FillRectWithColor(dc, Rect(x + 1, r.Top + 4, x + 2, r.Bottom - 3), C().Office11SeparatorLightColor);
  }
}

void TzbBarItemControlOffice11Painter::DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc,
                                                                 const TBrush& brush, const TRect& r) const {
  if (w.IsFloating()) {
    TzbBarItemControlFlatPainter::DrawQuickButtonBackground(w, dc, brush, r);
    return;
  }
  const TOffice11Colors& c = C();
  const int state = std::clamp(w.QuickButtonState(), 0, 2);
  const bool vertical = w.IsVertical();
  TRect g = r;
  const TzbBar* bar = w.Bar();
  if (bar && bar->BorderStyle != bbsNone && !bar->IsMainMenu()) {
    // Over the bar's frame: the button's gradient reaches the window's edges; its first two columns
    // (rows on a vertical bar) keep the bar's background.
    const TRect client = w.ClientRect();
    const TColor c3 = c.Office11MoreButtonsColors3[state];
    if (vertical) {
      DrawDockedBarBackground(w, dc, brush, Rect(r.Left, r.Top, r.Right, r.Top + 2), client);
      g = Rect(r.Left - 2, r.Top + 2, r.Right + 2, r.Bottom);
      const TColor gv = GradientColorAt(Rect(client.Left - 1, client.Top, client.Right + 1, client.Bottom), r.Left + 2,
                                        c.Office11ToolbarColor1, c.Office11ToolbarColor2, true);
      SetPixel(dc, r.Left, r.Top + 1, MixColors(c3, gv, 50));
    } else {
      DrawDockedBarBackground(w, dc, brush, Rect(r.Left, r.Top, r.Left + 2, r.Bottom), client);
      g = Rect(r.Left + 2, r.Top - 2, r.Right, r.Bottom + 2);
      const TColor gt = GradientColorAt(Rect(client.Left, client.Top - 1, client.Right, client.Bottom + 1), r.Top + 2,
                                        c.Office11ToolbarColor1, c.Office11ToolbarColor2, false);
      SetPixel(dc, r.Left + 1, r.Top, MixColors(c3, gt, 50));
    }
  }
  FillTubeGradient(dc, g, c.Office11MoreButtonsColors1[state], c.Office11MoreButtonsColors2[state], vertical);
}

TRect TzbBarItemControlOffice11Painter::GetQuickButtonHitRect(const TzbBarWindow& w) const {
  TRect r = GetQuickButtonRect(w);
  const TzbBar* bar = w.Bar();
  if (w.IsFloating() || !bar || bar->BorderStyle == bbsNone || bar->IsMainMenu() || IsRectEmpty(r)) return r;
  if (w.IsVertical()) {
    r.Left -= 1;
    r.Right += 1;
    r.Bottom += 2;
  } else {
    r.Top -= 1;
    r.Right += 2;
    r.Bottom += 1;
  }
  return r;
}

void TzbBarItemControlOffice11Painter::DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc,
                                                              const TRect& r) const {
  if (w.IsFloating()) {
    TzbBarItemControlFlatPainter::DrawQuickButtonContent(w, dc, r);
    return;
  }
  // The drop arrow and the chevrons near the far end, each first in the shadow colour one pixel
  // right and down, then in the symbol colour.
  const TOffice11Colors& c = C();
  const TPen savedPen = dc.Pen;
  const TBrush savedBrush = dc.Brush;
  const bool vertical = w.IsVertical();
  for (int pass = 0; pass < 2; ++pass) {
    const int d = pass == 0 ? 1 : 0;
    const TColor color = pass == 0 ? c.Office11SymbolShadowColor : c.Office11SymbolColor;
    dc.Pen = TPen{color, 1, psSolid};
    dc.Brush = SolidBrush(color);
    if (vertical) {
      // The arrow points right, at the bottom of the button; the chevrons point down above it.
      const int x = r.Right - 7 + d, y = r.Top + (r.Height() - 5) / 2 + d;
      dc.Polygon({Point(x, y), Point(x + 2, y + 2), Point(x, y + 4)});
      if (w.HasHiddenLinks())
        for (int k = 0; k < 2; ++k) {
          const int cy = r.Top + 2 + 4 * k + d, cx = r.Left + 3 + d;
          dc.Polyline({Point(cx, cy), Point(cx + 2, cy + 2), Point(cx + 5, cy - 1)});
          dc.Polyline({Point(cx, cy + 1), Point(cx + 2, cy + 3), Point(cx + 5, cy)});
        }
    } else {
      const int x = r.Left + (r.Width() - 5) / 2 + d, y = r.Bottom - 7 + d;
      dc.Polygon({Point(x, y), Point(x + 4, y), Point(x + 2, y + 2)});
      if (w.HasHiddenLinks())
        for (int k = 0; k < 2; ++k) {
          const int cx = r.Left + 2 + 4 * k + d, cy = r.Top + 4 + d;
          dc.Polyline({Point(cx, cy), Point(cx + 2, cy + 2), Point(cx - 1, cy + 5)});
          dc.Polyline({Point(cx + 1, cy), Point(cx + 3, cy + 2), Point(cx, cy + 5)});
        }
    }
  }
  dc.Pen = savedPen;
  dc.Brush = savedBrush;
}

void TzbBarItemControlOffice11Painter::DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                          const TRect& r) const {
  const TOffice11Colors& c = C();
  TRect b = r;
  if (w.IsMenu()) {
    FrameRectWithColor(dc, b, c.Office11BorderColor);
    for (int i = 1; i < GetFloatingFrameWidth(); ++i) {
      InflateRect(b, -1, -1);
      FrameWith(dc, b, brush);
    }
    return;
  }
  FrameRectWithColor(dc, b, c.Office11BarBorderColor1);
  InflateRect(b, -1, -1);
  FrameRectWithColor(dc, b, c.Office11BarBorderColor1);
  InflateRect(b, -1, -1);
  FrameRectWithColor(dc, b, c.Office11BarBorderColor2);
  InflateRect(b, -1, -1);
  for (const TPoint p :
       {Point(b.Left, b.Top), Point(b.Right - 1, b.Top), Point(b.Left, b.Bottom - 1), Point(b.Right - 1, b.Bottom - 1)})
    SetPixel(dc, p.X, p.Y, c.Office11BarBorderColor1);
}

void TzbBarItemControlOffice11Painter::DrawCaptionButtonBackground(const TzbBarWindow&, TCanvas& dc, int state,
                                                                   const TRect& r) const {
  if (state != 1 && state != 2) {
    FillRectWithColor(dc, r, GetCaptionColor(true));
    return;
  }
  FrameSelectedRect(dc, r);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FillRectWithColor(dc, inner, state == 1 ? C().Office11HotColor1 : C().Office11HotColor2);
}

void TzbBarItemControlOffice11Painter::DrawFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                                           const TRect& r) const {
  TzbBarItemControlFlatPainter::DrawFloatingCaption(w, dc, SolidBrush(C().Office11BarBorderColor3), r);
}

void TzbBarItemControlOffice11Painter::InvalidateQuickButton(TzbBarWindow& w) const {
  TzbBarItemControlFlatPainter::InvalidateQuickButton(w);
  if (w.IsFloating()) return;
  TRect r = GetQuickButtonRect(w);
  if (IsRectEmpty(r)) return;
  InflateRect(r, 2, 2);
  w.InvalidateClientRect(r);
}

// ---------------------------------------------------------------- arrows, split and spin buttons

void TzbBarItemControlOffice11Painter::DrawDropPartArrow(TCanvas& dc, const TRect& r, bool down, bool enabled,
                                                         bool selected, bool) const {
  DrawDropDownArrow(dc, r, down, enabled, selected);
}

void TzbBarItemControlOffice11Painter::DrawArrow(TCanvas& dc, const TRect& r, bool down, int size, bool selected,
                                                 bool enabled, bool) const {
  // The triangle of the arrow size, centred in the rectangle (the drop-down triangle takes its
  // size from the rectangle's extent across the arrow).
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const int across = 2 * size + (down ? 10 : 8);
  const TRect a = down ? Rect(cx - across / 2, r.Top, cx - across / 2 + across, r.Bottom)
                       : Rect(r.Left, cy - across / 2, r.Right, cy - across / 2 + across);
  DrawDropDownArrow(dc, a, down, enabled, selected);
}

void TzbBarItemControlOffice11Painter::FrameDropPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                     const TzbButtonState& s) const {
  if (s.Selected)
    FrameSelectedRect(dc, r);
  else if (s.View == 1)
    FrameRectWithColor(dc, r, C().Office11SeparatorDarkColor);
  else
    FrameItemBackground(c, dc, false, c.Parent().CurrentBrush(), r);
}

void TzbBarItemControlOffice11Painter::DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool,
                                                           bool selected, TRect& r) const {
  const TzbBarWindow& w = c.Parent();
  if (selected) {
    FrameSelectedRect(dc, r);
    InflateRect(r, -1, -1);
    FillWith(dc, r, pressed ? GetBarFaceBrush(w) : GetBarHighlightBrush(w));
  } else if (c.Enabled()) {
    FrameWith(dc, r, w.CurrentBrush());
    InflateRect(r, -1, -1);
    FillRectWithColor(dc, r, C().Office11CheckedColor);
  } else {
    FrameRectWithColor(dc, r, C().Office11DisabledTextColor);
    InflateRect(r, -1, -1);
    FillWith(dc, r, SolidBrush(clBtnFace));
  }
}

// ---------------------------------------------------------------- drop-down menus

int TzbBarItemControlOffice11Painter::MenuImageColumnRight(const TzbBarWindow& w) {
  // Items start 2 pixels after the side strip; their image cell (one line high and wide) lies one
  // pixel inside, the two-pixel column follows it.
  return w.SideStripWidth() + 2 + 1 + w.ItemHeight() + 2;
}

void TzbBarItemControlOffice11Painter::DrawMenuBackgroundFill(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                              const TRect& r) const {
  DrawMenuBackgroundPart(w, dc, brush, r, false);
}

void TzbBarItemControlOffice11Painter::DrawMenuBackgroundPart(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                              const TRect& r, bool nonRecent) const {
  if (IsRectEmpty(r)) return;
  if (!w.Manager().Backgrounds().SubMenu().isNull()) {
    TzbBarItemControlFlatPainter::DrawMenuBackgroundFill(w, dc, brush, r);
    return;
  }
  const TOffice11Colors& c = C();
  const TColor first = nonRecent ? c.Office11BackgroundDarkColor1 : c.Office11BackgroundColor1;
  const TColor second = nonRecent ? c.Office11BackgroundDarkColor2 : c.Office11BackgroundColor2;
  const TRect client = w.ClientRect();
  const int strip = client.Left + w.SideStripWidth();
  const int column = client.Left + MenuImageColumnRight(w);
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  if (strip > client.Left) FillRectWithColor(dc, Rect(client.Left, r.Top, strip, r.Bottom), second);
  FillTubeGradient(dc, Rect(strip, r.Top, column, r.Bottom), first, second, true);
  dc.Painter().restore();
  TRect rest = r;
  rest.Left = std::max(rest.Left, column);
  if (!IsRectEmpty(rest)) FillWith(dc, rest, brush);
}

void TzbBarItemControlOffice11Painter::DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FrameRectWithColor(dc, r, C().Office11BorderColor);
  FillOwnerGap(w, dc);
}

void TzbBarItemControlOffice11Painter::DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                                           const TRect& r) const {
  const TColor menu = C().Office11MenuColor;
  if (!w.Manager().Backgrounds().SubMenu().isNull() || w.SideStripWidth() > 0) {
    FrameRectWithColor(dc, r, menu);
    return;
  }
  FillRectWithColor(dc, Rect(r.Left, r.Top, r.Right, r.Top + 1), menu);
  FillRectWithColor(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), menu);
  FillRectWithColor(dc, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), menu);
  FillRectWithColor(dc, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), C().Office11BackgroundColor1);
}

void TzbBarItemControlOffice11Painter::DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                      bool selected, bool down, bool) const {
  const TzbBarWindow& w = c.Parent();
  const TBrush current = w.CurrentBrush();
  const TBrush highlight = GetBarHighlightBrush(w);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  const int columnWidth = std::max(1, std::min(inner.Height(), w.ItemHeight()));
  const TRect cell = Rect(inner.Left, inner.Top, std::min(inner.Right, inner.Left + columnWidth), inner.Bottom);
  // Unselected, the ring shows the menu's background: the image column's gradient beside the
  // cell, the menu colour under the text.
  if (selected)
    FrameSelectedRect(dc, r);
  else
    FrameItemBackground(c, dc, false, current, r);
  DrawMenuImageCell(c, cell, selected, down);
  const TRect column = Rect(cell.Right, inner.Top, cell.Right + 2, inner.Bottom);
  FillItemBackground(c, dc, selected, highlight, column);
  const TRect text = Rect(column.Right, inner.Top, inner.Right, inner.Bottom);
  FillItemBackground(c, dc, selected, selected ? highlight : current, text);
  TRect caption = text;
  caption.Left += 8;
  DrawCaption(c, dc, ToQString(c.Link().RealCaption()), caption, 0, c.Enabled(), selected, false, false,
              !FaceIsWhite());
}

void TzbBarItemControlOffice11Painter::DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int,
                                                         const TRect& r, TCanvas& dc) const {
  // The image column runs on through the separator band; the line starts beside it.
  const int h = GetMenuSeparatorHeight();
  const TRect band = Rect(r.Left, r.Top - h, r.Right, r.Top);
  c.SeparatorRect = band;
  FillItemBackground(c, dc, false, w.CurrentBrush(), band);
  const int column = r.Left + GetMenuImageColumnWidth(c);
  const int mid = band.Top + h / 2;
  FillRectWithColor(dc, Rect(column + GetMenuSeparatorIndent(), mid, band.Right + 1, mid + 1),
                    C().Office11SeparatorDarkColor);
}

void TzbBarItemControlOffice11Painter::DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest,
                                                          const TRect& expand, bool expandHot) const {
  // Below the last item and behind the expand button the image column runs on to the bottom.
  TRect uncovered = rest;
  uncovered.Bottom = std::max(uncovered.Top, std::min(uncovered.Bottom, w.ClientRect().Height() - 1));
  DrawMenuBackgroundPart(w, dc, w.CurrentBrush(), uncovered, false);
  if (IsRectEmpty(expand)) return;
  if (expandHot) {
    FrameSelectedRect(dc, expand);
    TRect inner = expand;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, GetBarHighlightBrush(w));
  } else {
    DrawMenuBackgroundPart(w, dc, w.CurrentBrush(), expand, false);
  }
  DrawMenuExpandButton(w, dc, expandHot, expand, expand.Height());
}

namespace {

// The expand bitmap of the colour set, or the picture recoloured now while the set is not in use.
QImage SubMenuExpandBitmap() {
  const QImage& b = C().Office11SubMenuExpandBitmap;
  return b.isNull() ? RecolorSubMenuExpandBitmap(Office11SubMenuExpandImage(), C().Office11ToolbarColor1,
                                                 C().Office11ToolbarColor2)
                    : b;
}

}  // namespace

void TzbBarItemControlOffice11Painter::DrawMenuExpandButton(const TzbBarWindow&, TCanvas& dc, bool, const TRect& r,
                                                            int) const {
  QImage b = SubMenuExpandBitmap().convertToFormat(QImage::Format_ARGB32);
  const QRgb background = b.pixel(0, 0);
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.pixel(x, y) == background) b.setPixel(x, y, qRgba(0, 0, 0, 0));
  TRect a = r;
  InflateRect(a, -1, -1);
  dc.Painter().drawImage((a.Left + a.Right - b.width()) / 2, (a.Top + a.Bottom - b.height()) / 2, b);
}

void TzbBarItemControlOffice11Painter::CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth,
                                                       int& expandHeight, int& glyphReference) const {
  TzbBarItemControlFlatPainter::CalcMenuMetrics(w, lineHeight, dropArrowWidth, expandHeight, glyphReference);
  expandHeight = SubMenuExpandBitmap().height() + 2;
}

void TzbBarItemControlOffice11Painter::FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  TRect band = r;
  if (w.IsActive()) {
    FrameSelectedRect(dc, band);
    InflateRect(band, -1, -1);
    FillRectWithColor(dc, band, C().Office11SelectedColor);
  } else {
    FillRectWithColor(dc, band, C().Office11ItemColor2);
  }
  TRect dots = band;
  const int quarter = band.Width() / 4;
  const int across = w.IsActive() ? 1 : 2;
  dots.Left += quarter;
  dots.Right -= quarter;
  dots.Top += across;
  dots.Bottom -= across;
  DrawDottedGrip(dc, dots, true);
}

void TzbBarItemControlOffice11Painter::DrawDropDownListBorder(TCanvas& dc, const TRect& r) const {
  FrameRectWithColor(dc, r, C().Office11BorderColor);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FrameRectWithColor(dc, inner, C().Office11MenuColor);
}

void TzbBarItemControlOffice11Painter::DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                               const TRect& r) const {
  if (ThemesUsable(ThemeSet(totStatus)))
    TzbBarItemControlXPPainter::Instance().DrawStatusBarBackground(w, dc, brush, r);
  else
    TzbBarItemControlFlatPainter::DrawStatusBarBackground(w, dc, brush, r);
}

void TzbBarItemControlOffice11Painter::DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                    const TRect& r) const {
  if (ThemesUsable(ThemeSet(totStatus)))
    TzbBarItemControlXPPainter::Instance().DrawSizeGrip(w, dc, brush, r);
  else
    TzbBarItemControlFlatPainter::DrawSizeGrip(w, dc, brush, r);
}

void TzbBarItemControlOffice11Painter::GetSizeGripSize(const TzbBarManager& m, int& width, int& height) const {
  if (ThemesUsable(ThemeSet(totStatus)))
    TzbBarItemControlXPPainter::Instance().GetSizeGripSize(m, width, height);
  else
    TzbBarItemControlFlatPainter::GetSizeGripSize(m, width, height);
}

void TzbBarItemControlOffice11Painter::DrawTextButton(TCanvas& dc, bool pushed, const QString& text,
                                                      const TRect& r) const {
  if (ThemesUsable(ThemeSet(totButton)))
    TzbBarItemControlXPPainter::Instance().DrawTextButton(dc, pushed, text, r);
  else
    TzbBarItemControlFlatPainter::DrawTextButton(dc, pushed, text, r);
}

}  // namespace zyn
