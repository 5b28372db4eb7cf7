#include "widgets/bars/BarEnhancedPainter.h"

#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"

namespace zyn {

const TzbBarItemControlEnhancedPainter& TzbBarItemControlEnhancedPainter::Instance() {
  static const TzbBarItemControlEnhancedPainter painter;
  return painter;
}

void TzbBarItemControlEnhancedPainter::DrawQuickButtonChevron(const TzbBarWindow& w, TCanvas& dc, int a) const {
  const TPen saved = dc.Pen;
  dc.Pen = TPen{clBtnText, 1, psSolid};
  if (w.IsVertical()) {
    const int cw = w.ClientRect().Width();
    dc.Polyline({{cw - 8, a}, {cw - 6, a + 2}, {cw - 3, a - 1}});
    dc.Polyline({{cw - 8, a + 1}, {cw - 6, a + 3}, {cw - 3, a}});
  } else {
    const int y = IsSmallQuickButton(w, w.ClientRect()) ? 3 : 4;
    dc.Polyline({{a, y}, {a + 2, y + 2}, {a - 1, y + 5}});
    dc.Polyline({{a + 1, y}, {a + 3, y + 2}, {a, y + 5}});
  }
  dc.Pen = saved;
}

void TzbBarItemControlEnhancedPainter::DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc,
                                                                 const TBrush& brush, const TRect& r) const {
  const int state = w.QuickButtonState();
  TRect e = r;
  if (state == 1)
    dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
  else if (state == 2)
    dc.DrawEdge(e, BDR_SUNKENOUTER, BF_RECT);
  else
    FrameWith(dc, r, brush);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FillWith(dc, inner, brush);
}

void TzbBarItemControlEnhancedPainter::DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc,
                                                              const TRect& r) const {
  const int index = GetQuickButtonArrowColorIndex(w);
  if (w.IsVertical()) {
    const TColor color = SystemColor(index);
    const TPen pen = dc.Pen;
    const TBrush brush = dc.Brush;
    dc.Pen = TPen{color, 1, psSolid};
    dc.Brush = SolidBrush(color);
    dc.Polygon({{r.Left + 5, r.Top + 3}, {r.Left + 5, r.Top + 7}, {r.Left + 3, r.Top + 5}});
    dc.Pen = pen;
    dc.Brush = brush;
  } else {
    DrawTriangle(dc, index, 5, r.Bottom - 7 + (IsSmallQuickButton(w, r) ? 1 : 0), r.Left + 3);
  }
  TzbBarItemControlPainter::DrawQuickButtonContent(w, dc, r);
}

void TzbBarItemControlEnhancedPainter::DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush&,
                                                     const TRect& r) const {
  TRect b = r;
  dc.DrawEdge(b, BDR_RAISEDINNER, BF_RECT);
  InflateRect(b, -2, -2);
  if (!w.ShowsGrip()) return;
  const TRect g = w.IsVertical()
                      ? Rect(b.Left + 1, b.Top + GetGripIndent(), b.Right - 1, b.Top + GetGripIndent() + 3)
                      : Rect(b.Left + GetGripIndent(), b.Top + 1, b.Left + GetGripIndent() + 3, b.Bottom - 1);
  DrawGripBar(dc, g, w.IsVertical(), false);
}

TRect TzbBarItemControlEnhancedPainter::GetQuickButtonRect(const TzbBarWindow& w) const {
  if (w.IsFloating()) return TzbBarItemControlStandardPainter::GetQuickButtonRect(w);
  const int cw = w.ClientRect().Width(), ch = w.ClientRect().Height();
  if (w.DockingStyle() == dsLeft || w.DockingStyle() == dsRight) return Rect(0, ch - 11, cw, ch);
  return Rect(cw - 11, 0, cw, ch);
}

}  // namespace zyn
