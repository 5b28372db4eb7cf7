#include "widgets/bars/BarStandardPainter.h"

#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/Office11Colors.h"

#include <QLineEdit>

#include <algorithm>

namespace zyn {

namespace {

void Line(TCanvas& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

void StandardStroke(TCanvas& dc, int x, int y, int s, int k) {
  dc.Polyline({{x + s, y + k + 2 * s}, {x + 3 * s, y + k + 4 * s}, {x + 8 * s, y + k - s}});
}

}  // namespace

const TzbBarItemControlStandardPainter& TzbBarItemControlStandardPainter::Instance() {
  static const TzbBarItemControlStandardPainter painter;
  return painter;
}

void TzbBarItemControlStandardPainter::DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                      const TBrush& brush, const TzbButtonState& s) const {
  if (s.Down || (s.Selected && !(s.View == 1 && s.NoGlyph))) {
    TRect e = r;
    dc.DrawEdge(e, (s.Pressed || s.Down) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else if (s.Fits) {
    FrameItemBackground(c, dc, s.Down || s.Selected || s.Pressed || c.NonRecent, brush, r);
  }
}

void TzbBarItemControlStandardPainter::DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int s, int x,
                                                     int y) const {
  const TPen saved = dc.Pen;
  if (c.Enabled()) {
    const bool black = FaceIsBlack();
    const TColor dark = black ? clWhite : clBlack, light = black ? clBlack : clWhite;
    dc.Pen = TPen{clSilver, 1, psSolid};
    for (int k = 0; k < s; ++k) StandardStroke(dc, x, y, s, k);
    dc.Pen.Color = dark;
    for (int k = s; k < 3 * s; ++k) StandardStroke(dc, x, y, s, k);
    dc.Pen.Color = light;
    for (int k = 3 * s; k < 4 * s; ++k) StandardStroke(dc, x, y, s, k);
    Line(dc, x + s - 1, y + 2 * s + 1, x + s - 1, y + 6 * s - 1);
    Line(dc, x + 8 * s, y - s + 2, x + 8 * s, y + 3 * s);
  } else {
    dc.Pen = TPen{clBtnShadow, 1, psSolid};
    for (int k = 1; k <= 2 * s; ++k) StandardStroke(dc, x, y, s, k);
    dc.Pen.Color = clBtnHighlight;
    for (int i = 0; i < s; ++i) {
      Line(dc, x + 3 * s + 1, y + 7 * s - i - 1, x + 9 * s, y + s - i);
      Line(dc, x + 4 * s, y + 7 * s - i, x + 9 * s, y + 2 * s - i);
    }
  }
  dc.Pen = saved;
}

void TzbBarItemControlStandardPainter::DrawQuickButtonChevron(const TzbBarWindow& w, TCanvas& dc, int a) const {
  const TPen saved = dc.Pen;
  if (w.IsVertical()) {
    const int cw = w.ClientRect().Width();
    dc.Pen = TPen{clBtnShadow, 1, psSolid};
    Line(dc, cw - 8, a, cw - 4, a + 4);
    Line(dc, cw - 4, a + 1, cw - 2, a - 1);
    dc.Pen.Color = clBtnHighlight;
    dc.Polyline({{cw - 7, a}, {cw - 5, a + 2}, {cw - 4, a + 2}, {cw - 1, a - 1}});
  } else {
    dc.Pen = TPen{clBtnHighlight, 1, psSolid};
    Line(dc, a - 1, 1, a + 2, 4);
    Line(dc, a + 3, 4, a - 1, 8);
    dc.Pen.Color = clBtnShadow;
    dc.Polyline({{a, 1}, {a + 2, 3}, {a + 2, 4}, {a - 1, 7}});
  }
  dc.Pen = saved;
}

void TzbBarItemControlStandardPainter::DrawQuickButtonBackground(const TzbBarWindow&, TCanvas& dc, const TBrush& brush,
                                                                 const TRect& r) const {
  FillWith(dc, r, brush);
}

void TzbBarItemControlStandardPainter::DrawDisabledRect(TCanvas& dc, const TRect& r) const {
  TRect moved = r;
  OffsetRect(moved, 1, 1);
  FillWith(dc, moved, SolidBrush(clBtnHighlight));
  TzbBarItemControlPainter::DrawDisabledRect(dc, r);
}

void TzbBarItemControlStandardPainter::DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                      bool selected, bool down, bool) const {
  StandardDrawMenuButton(*this, c, dc, r, selected, down);
}

void StandardDrawMenuButton(const TzbBarItemControlPainter& self, const TzbBarItemControl& c, TCanvas& dc,
                            const TRect& r, bool selected, bool down) {
  const TRect cell = Rect(r.Left, r.Top, std::min(r.Right, r.Left + r.Height()), r.Bottom);
  const TzbBarPaintStyle ps = c.Link().RealPaintStyle();
  bool fromList = false;
  const bool noGlyph = TzbBarItemControlPainter::GlyphOf(c, 1, fromList).isNull();
  const bool captionOnly = noGlyph || ps == psCaption || ps == psCaptionInMenu;
  TzbButtonState s;
  s.View = 1;
  s.Selected = selected;
  s.Down = down;
  self.DrawButton(c, cell, s, captionOnly, true);
  const TBrush highlight = self.GetBarHighlightBrush(c.Parent());
  const TBrush current = c.Parent().CurrentBrush();
  const bool solid = selected || c.NonRecent;
  const TRect column = Rect(cell.Right, r.Top, cell.Right + 1, r.Bottom);
  self.FillItemBackground(c, dc, solid, (selected && captionOnly && !down) ? highlight : current, column);
  const TRect text = Rect(column.Right, r.Top, r.Right, r.Bottom);
  self.FillItemBackground(c, dc, solid, selected ? highlight : current, text);
  TRect caption = text;
  caption.Left += 2;
  self.DrawCaption(c, dc, ToQString(c.Link().RealCaption()), caption, 0, c.Enabled(), selected, false, false,
                   !selected);
}

void TzbBarItemControlStandardPainter::DrawLoweredFrame(const TzbBarItemControl&, TCanvas& dc, TRect& r) const {
  TRect e = r;
  dc.DrawEdge(e, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(r, -1, -1);
}

TBrush TzbBarItemControlStandardPainter::GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const {
  if (s.Down && c.Enabled()) return s.Selected ? GetBarFaceBrush(c.Parent()) : GetBarCheckedBrush(c.Parent());
  if (s.Selected && !s.Down && s.NoGlyph && s.View == 1) return GetBarHighlightBrush(c.Parent());
  return c.Parent().CurrentBrush();
}

void TzbBarItemControlStandardPainter::DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FrameWith(dc, r, SolidBrush(GetCaptionColor(true)));
  TRect inner = r;
  InflateRect(inner, -1, -1);
  dc.DrawFrameControl(inner, DFC_CAPTION, DFCS_CAPTIONCLOSE | (w.CaptionButtonState() == 2 ? DFCS_PUSHED : 0u));
}

void TzbBarItemControlStandardPainter::DrawGripBar(TCanvas& dc, const TRect& g, bool vertical, bool extraPixel) {
  TRect e = g;
  dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
  TRect inside = g;
  InflateRect(inside, -1, -1);
  FillWith(dc, inside, SolidBrush(clBtnFace));
  if (extraPixel) {
    if (vertical)
      dc.SetPixel(g.Right - 1, g.Top, clBtnHighlight);
    else
      dc.SetPixel(g.Left, g.Bottom - 1, clBtnHighlight);
  }
}

void TzbBarItemControlStandardPainter::DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                                     const TRect& r) const {
  TRect b = r;
  dc.DrawEdge(b, BDR_RAISEDINNER, BF_RECT);
  InflateRect(b, -2, -2);
  if (!w.ShowsGrip()) return;
  const bool vertical = w.IsVertical();
  const int w3 = GetGripWidth();
  TRect g = vertical ? Bounds(b.Left, b.Top + GetGripIndent(), b.Width(), w3)
                     : Bounds(b.Left + GetGripIndent(), b.Top, w3, b.Height());
  DrawGripBar(dc, g, vertical, true);
  if (vertical)
    OffsetRect(g, 0, w3);
  else
    OffsetRect(g, w3, 0);
  DrawGripBar(dc, g, vertical, true);
}

void TzbBarItemControlStandardPainter::DrawFloatingBorder(const TzbBarWindow&, TCanvas& dc, const TBrush&,
                                                          const TRect& r) const {
  TRect b = r;
  dc.DrawEdge(b, EDGE_RAISED, BF_RECT);
  InflateRect(b, -2, -2);
  FrameWith(dc, b, SolidBrush(clBtnFace));
  InflateRect(b, -1, -1);
  FrameWith(dc, b, SolidBrush(clBtnFace));
}

TRect TzbBarItemControlStandardPainter::GetQuickButtonRect(const TzbBarWindow& w) const {
  if (w.IsFloating()) {
    TRect c = w.FloatingCaptionRect();
    c.Right = std::min(c.Right, c.Left + 13);
    return c;
  }
  const int cw = w.ClientRect().Width(), ch = w.ClientRect().Height();
  if (w.DockingStyle() == dsLeft || w.DockingStyle() == dsRight) return Rect(cw - 9, ch - 11, cw, ch);
  return Rect(cw - 11, 0, cw, 9);
}

void TzbBarItemControlStandardPainter::DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                        const TzbButtonState& s, bool dropDownEnabled,
                                                        const TBrush&) const {
  int index = COLOR_BTNTEXT;
  TBrush b;
  GetDropButtonColors(c, s.Selected, s.Pressed, index, b);
  FillItemBackground(c, dc, c.NonRecent, b, r);
  if (s.Selected) {
    TRect e = r;
    dc.DrawEdge(e, s.DropDownOpen ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else if (s.View == 1) {
    TRect e = Rect(r.Left - 1, r.Top, r.Left + 1, r.Bottom);
    dc.DrawEdge(e, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
  }
  const bool enabled = c.Enabled() && dropDownEnabled;
  TRect a = r;
  if (s.View == 1) {
    if (s.DropDownOpen) OffsetRect(a, 1, 1);
    DrawArrow(dc, a, false, c.Parent().ArrowSize(), s.Selected, enabled, false);
  } else {
    if (s.DropDownOpen && r.Width() > 9) OffsetRect(a, 1, 1);
    DrawDropPartArrow(dc, a, true, enabled, false, false);
  }
}

void TzbBarItemControlStandardPainter::DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed,
                                                           bool raised, bool, TRect& r) const {
  const TBrush current = c.Parent().CurrentBrush();
  if (raised) {
    TRect e = r;
    dc.DrawEdge(e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    FrameWith(dc, r, current);
  }
  InflateRect(r, -1, -1);
  FillWith(dc, r, current);
}

void TzbBarItemControlStandardPainter::OffsetCaptionForDown(const TzbBarItemControl&, bool pressed, bool down,
                                                            TRect& r) const {
  if (down) OffsetRect(r, 1, 1);
  if (down && pressed) OffsetRect(r, 1, 1);
}

void TzbBarItemControlStandardPainter::OffsetContentForPressed(const TzbBarItemControl&, bool pressed, TRect& r) const {
  if (pressed) OffsetRect(r, 1, 1);
}

void TzbBarItemControlStandardPainter::PrepareEditWindow(QLineEdit& edit) const {
  const QMargins m = edit.textMargins();
  edit.setTextMargins(2, m.top(), 2, m.bottom());
}

void TzbBarItemControlStandardPainter::DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc,
                                                     bool selected, bool pressed, bool enabled) const {
  static const unsigned kGlyphs[3] = {DFCS_CAPTIONMIN, 3 /* restore */, DFCS_CAPTIONCLOSE};
  unsigned state = kGlyphs[std::clamp(kind, 0, 2)];
  if (!enabled)
    state |= DFCS_INACTIVE;
  else if (selected && pressed)
    state |= DFCS_PUSHED;
  if (kind == 2 && w.Manager().FlatCloseButton) {
    // The flat close button: the glyph inside, the edge drawn by hand.
    TRect inner = r;
    InflateRect(inner, -1, -1);
    dc.Painter().save();
    dc.Painter().setClipRect(ToQRect(inner), Qt::IntersectClip);
    dc.DrawFrameControl(r, DFC_CAPTION, (state & ~DFCS_PUSHED) | DFCS_FLAT);
    dc.Painter().restore();
    TRect e = r;
    dc.DrawEdge(e, selected && pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    return;
  }
  dc.DrawFrameControl(r, DFC_CAPTION, state);
}

void TzbBarItemControlStandardPainter::DrawMenuItemDecoration(const TzbBarWindow& w, const TzbBarItemControl& c,
                                                              const TzbMenuItemPlace& place, const TRect& r,
                                                              TCanvas& dc) const {
  const int left = r.Left - place.LeftMargin;
  // A line above the first item of a block: shadow above rarely used items, highlight above a
  // frequently used item that follows them.
  if (c.NonRecent != place.PreviousNonRecent && !(place.First && !c.NonRecent)) {
    const int y = r.Top - (place.BeginsGroup ? GetMenuSeparatorHeight() : 0) - 1;
    FillWith(dc, Rect(left, y, r.Right + 1, y + 1), SolidBrush(c.NonRecent ? clBtnShadow : clBtnHighlight));
  }
  if (!c.NonRecent) return;
  const TBrush brush = w.CurrentBrush();
  FillWith(dc, Rect(left, r.Top, r.Left, r.Bottom), brush);
  FillWith(dc, Rect(r.Right, r.Top, r.Right + 2, r.Bottom), brush);
  if (place.First && !w.HasTearOffBand()) {
    FillWith(dc, Rect(left, r.Top - 1, r.Right + 1, r.Top), brush);
    FillWith(dc, Rect(r.Right + 1, r.Top - 1, r.Right + 2, r.Top), SolidBrush(clBtnHighlight));
  }
  if (place.Last && place.ClientBottom > r.Bottom) {
    FillWith(dc, Rect(left, r.Bottom, r.Right + 2, place.ClientBottom), brush);
    if (place.LeftMargin > 0)
      FillWith(dc, Rect(left, place.ClientBottom - 1, left + 1, place.ClientBottom), SolidBrush(clBtnHighlight));
  }
}

}  // namespace zyn
