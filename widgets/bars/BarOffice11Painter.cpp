#include "widgets/bars/BarOffice11Painter.h"

#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarXPPainter.h"
#include "widgets/bars/Bars.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

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
      TRect gap;
      if (IntersectRect(gap, c.Parent().ChildMenuGapRect(), whole))
        FillWith(dc, gap, SolidBrush(C().Office11MenuColor));
    } else if (s.Selected || s.Down) {
      FrameSelectedRect(dc, r);
    } else {
      FrameRectWithColor(dc, r, C().Office11BorderColor);
    }
  } else if (s.Fits) {
    FrameItemBackground(c, dc, s.Pressed || c.NonRecent || inMenu, brush, r);
  }
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

void TzbBarItemControlOffice11Painter::DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed,
                                                       const TRect& r) const {
  c.ButtonRect = r;
  if (selected && c.Enabled()) {
    TRect frame = r;
    InflateRect(frame, 1, 1);
    FrameSelectedRect(dc, frame);
    FillStateGradient(dc, r, 0, true, pressed);
  } else {
    const TColor edge = c.Enabled() ? clWindow : C().Office11DisabledTextColor;
    FrameRectWithColor(dc, r, edge);
    FillRectWithColor(dc, Rect(r.Left - 1, r.Top, r.Left, r.Bottom), edge);
    TRect inner = r;
    InflateRect(inner, -1, -1);
    if (c.Enabled() && c.Parent().IsMenu())
      FillRectWithColor(dc, inner, C().Office11CheckedColor);
    else
      FillItemBackground(c, dc, !c.Enabled(), c.Parent().CurrentBrush(), inner);
  }
  TRect arrow = r;
  if (pressed) OffsetRect(arrow, 1, 1);
  DrawDropDownArrow(dc, arrow, true, c.Enabled(), selected);
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
  if (c.Parent().IsMenu()) width += c.Parent().SideStripWidth() + c.Parent().ItemHeight() + 2 + 1;
  return width;
}

// ---------------------------------------------------------------- docks, bars, separators

void TzbBarItemControlOffice11Painter::DrawDottedGrip(TCanvas& dc, const TRect& r, bool vertical) const {
  DrawGripDots(dc, r, vertical);
}

void TzbBarItemControlOffice11Painter::DrawDockBackground(TCanvas& dc, const TBrush&, const TRect& r) const {
  FillGradient(dc, r, C().Office11DockColor1, C().Office11DockColor2, true);
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
  TRect tube = barRect;
  if (w.IsVertical())
    InflateRect(tube, -1, 0);
  else
    InflateRect(tube, 0, -1);
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  FillTubeGradient(dc, tube, C().Office11ToolbarColor1, C().Office11ToolbarColor2, w.IsVertical());
  dc.Painter().restore();
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
  auto dock = [&](const TRect& part) { TzbBarItemControlPainter::DrawDockedBarBackground(w, dc, brush, part, r); };
  if (bar && bar->IsMainMenu()) {
    if (w.IsVertical()) {
      dock(Rect(r.Left, r.Top, r.Left + 2, r.Bottom));
      dock(Rect(r.Right - 2, r.Top, r.Right, r.Bottom));
    } else {
      dock(Rect(r.Left, r.Top, r.Right, r.Top + 2));
      dock(Rect(r.Left, r.Bottom - 2, r.Right, r.Bottom));
    }
    return;
  }
  if (!bar || bar->BorderStyle != bbsSingle) return;
  const TColor f1 = C().Office11BarFrameColor1, f2 = C().Office11BarFrameColor2;
  if (!w.IsVertical()) {
    // The start end lies on the dock, the bar's body is the toolbar gradient, the far end and the
    // bottom edge are rounded with the frame colours.
    dock(Rect(r.Left, r.Top, r.Left + GetExtraGripIndent(), r.Bottom));
    const int l = r.Left + GetExtraGripIndent();
    dock(Rect(l, r.Top, r.Right, r.Top + 1));
    const int t = r.Top + 1;
    DrawDockedBarBackground(w, dc, brush, Rect(l + 2, t, r.Right - 2, t + 1), r);
    DrawDockedBarBackground(w, dc, brush, Rect(l, t + 2, l + 1, r.Bottom - 3), r);
    DrawDockedBarBackground(w, dc, brush, Rect(r.Right - 2, t + 1, r.Right - 1, r.Bottom - 2), r);
    DrawDockedBarBackground(w, dc, brush, Rect(r.Right - 1, t + 2, r.Right, r.Bottom - 1), r);
    DrawDockedBarBackground(w, dc, brush, Rect(l + 2, r.Bottom - 2, r.Right - 2, r.Bottom - 1), r);
    FillRectWithColor(dc, Rect(l + 2, r.Bottom - 1, r.Right - 2, r.Bottom), f1);
    SetPixel(dc, l + 1, r.Bottom - 3, f2);
    SetPixel(dc, r.Right - 2, r.Bottom - 2, f2);
    for (const TPoint p : {Point(l, t), Point(l, r.Bottom - 1), Point(l, r.Bottom - 2), Point(l + 1, r.Bottom - 1),
                           Point(r.Right - 1, t), Point(r.Right - 1, r.Bottom - 1)})
      dock(Rect(p.X, p.Y, p.X + 1, p.Y + 1));
  } else {
    dock(Rect(r.Left, r.Top, r.Right, r.Top + GetExtraGripIndent()));
    const int t = r.Top + GetExtraGripIndent();
    dock(Rect(r.Left, t, r.Left + 1, r.Bottom));
    const int l = r.Left + 1;
    DrawDockedBarBackground(w, dc, brush, Rect(l, t + 2, l + 1, r.Bottom - 2), r);
    DrawDockedBarBackground(w, dc, brush, Rect(l + 2, t, r.Right - 2, t + 1), r);
    DrawDockedBarBackground(w, dc, brush, Rect(r.Right - 2, t + 2, r.Right - 1, r.Bottom - 2), r);
    DrawDockedBarBackground(w, dc, brush, Rect(l + 2, r.Bottom - 1, r.Right - 1, r.Bottom), r);
    FillRectWithColor(dc, Rect(r.Right - 1, t + 2, r.Right, r.Bottom - 2), f1);
    SetPixel(dc, r.Right - 2, t + 1, f2);
    for (const TPoint p :
         {Point(l, t), Point(r.Right - 1, t), Point(l, r.Bottom - 1), Point(r.Right - 1, r.Bottom - 1)})
      dock(Rect(p.X, p.Y, p.X + 1, p.Y + 1));
  }
}

void TzbBarItemControlOffice11Painter::DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical,
                                                     const TBrush& brush, const TRect& r) const {
  // The bar's own background under the band, then a dark line with a light one beside it.
  if (!w.IsMenu() && w.Bar() && !w.IsFloating())
    DrawDockedBarBackground(w, dc, brush, r, w.ClientRect());
  else
    FillWith(dc, r, brush);
  const int m = GetSeparatorMargin();
  if (vertical) {
    const int y = r.Top + m;
    FillRectWithColor(dc, Rect(r.Left + 2, y, r.Right - 2, y + 1), C().Office11SeparatorDarkColor);
    FillRectWithColor(dc, Rect(r.Left + 3, y + 1, r.Right - 1, y + 2), C().Office11SeparatorLightColor);
  } else {
    const int x = r.Left + m;
    FillRectWithColor(dc, Rect(x, r.Top + 2, x + 1, r.Bottom - 2), C().Office11SeparatorDarkColor);
    FillRectWithColor(dc, Rect(x + 1, r.Top + 3, x + 2, r.Bottom - 1), C().Office11SeparatorLightColor);
  }
}

void TzbBarItemControlOffice11Painter::DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc,
                                                                 const TBrush& brush, const TRect& r) const {
  if (w.IsFloating()) {
    TzbBarItemControlFlatPainter::DrawQuickButtonBackground(w, dc, brush, r);
    return;
  }
  const int state = std::clamp(w.QuickButtonState(), 0, 2);
  FillTubeGradient(dc, r, C().Office11MoreButtonsColors1[state], C().Office11MoreButtonsColors4[state], w.IsVertical());
}

void TzbBarItemControlOffice11Painter::DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                               const TRect& r) const {
  if (ThemesUsable(ThemeSet(totStatus)))
    TzbBarItemControlXPPainter::Instance().DrawStatusBarBackground(w, dc, brush, r);
  else
    TzbBarItemControlFlatPainter::DrawStatusBarBackground(w, dc, brush, r);
}

void TzbBarItemControlOffice11Painter::DrawTextButton(TCanvas& dc, bool pushed, const QString& text,
                                                      const TRect& r) const {
  if (ThemesUsable(ThemeSet(totButton)))
    TzbBarItemControlXPPainter::Instance().DrawTextButton(dc, pushed, text, r);
  else
    TzbBarItemControlFlatPainter::DrawTextButton(dc, pushed, text, r);
}

}  // namespace zyn
