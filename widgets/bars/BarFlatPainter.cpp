#include "widgets/bars/BarFlatPainter.h"

#include "platform/QtText.h"
#include "widgets/bars/BarEnhancedPainter.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/Office11Colors.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace zyn {

namespace {
void Stroke(TCanvas& dc, int x, int y, int s, int k) {
  dc.Polyline({{x + s, y + k + 2 * s}, {x + 3 * s, y + k + 4 * s}, {x + 8 * s, y + k - s}});
}
}  // namespace

const TzbBarItemControlFlatPainter& TzbBarItemControlFlatPainter::Instance() {
  static const TzbBarItemControlFlatPainter painter;
  return painter;
}

TBrush TzbBarItemControlFlatPainter::GetBarBrush(const TzbBarWindow& w) const {
  return SolidBrush(w.Manager().BrushColor(2));
}

TBrush TzbBarItemControlFlatPainter::GetToolbarBrush(const TzbBarWindow& w) const {
  if (w.Bar() && w.Bar()->IsMainMenu()) return SolidBrush(clBtnFace);
  return GetBarBrush(w);
}

TBrush TzbBarItemControlFlatPainter::GetBarCheckedBrush(const TzbBarWindow& w) const {
  return SolidBrush(w.Manager().BrushColor(3));
}
TBrush TzbBarItemControlFlatPainter::GetBarFaceBrush(const TzbBarWindow& w) const {
  return SolidBrush(w.Manager().BrushColor(4));
}
TBrush TzbBarItemControlFlatPainter::GetBarHighlightBrush(const TzbBarWindow& w) const {
  return SolidBrush(w.Manager().BrushColor(5));
}
TBrush TzbBarItemControlFlatPainter::GetMenuFrameBrush(const TzbBarWindow&) const { return SolidBrush(clWindow); }
TBrush TzbBarItemControlFlatPainter::GetStaticBorderBrush(const TzbBarItemControl&, TzbBarStaticBorderStyle) const {
  return SolidBrush(clBtnShadow);
}

bool TzbBarItemControlFlatPainter::HasFloatingFrame(const TzbBarWindow& w) const { return w.IsFloating(); }

void TzbBarItemControlFlatPainter::FrameBarWindow(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FrameWith(dc, r, SolidBrush(w.Manager().BrushColor(1)));
}

void TzbBarItemControlFlatPainter::DrawBarFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FrameBarWindow(w, dc, r);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FillWith(dc, inner, GetLightFaceBrush(w.Manager()));
}

TBrush TzbBarItemControlFlatPainter::GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const {
  const TzbBarWindow& w = c.Parent();
  // An open drop-down button and its menu are one light shape.
  if (s.DropDown && s.DropDownOpen) return GetLightFaceBrush(w.Manager());
  if (s.Selected && (s.Pressed || s.Down)) return GetBarFaceBrush(w);
  if (s.Selected) return GetBarHighlightBrush(w);
  if (s.Down) return GetBarCheckedBrush(w);
  if (s.View == 1) return GetLightFaceBrush(w.Manager());
  return w.CurrentBrush();
}

void TzbBarItemControlFlatPainter::DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  const TBrush& brush, const TzbButtonState& s) const {
  if (s.DropDown && s.DropDownOpen && s.View != 1) {
    // One frame around the whole button, open where its menu joins it.
    const TRect whole = IsRectEmpty(s.OpenRect) ? r : s.OpenRect;
    TRect inner = whole;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, brush);
    FrameBarWindow(c.Parent(), dc, whole);
    TRect gap;
    if (IntersectRect(gap, c.Parent().ChildMenuGapRect(), whole)) FillWith(dc, gap, brush);
  } else if (s.Down || (s.Selected && s.View != 1)) {
    DrawSelectionFrame(dc, r);
  } else if (s.Fits) {
    // In a menu the ring belongs to the light image column.
    FrameItemBackground(c, dc, s.Down || s.Selected || s.Pressed || c.NonRecent || s.View == 1, brush, r);
  }
}

void TzbBarItemControlFlatPainter::DrawEmptyImageCell(const TzbBarItemControl& c, TCanvas& dc, TRect r,
                                                      const TBrush& brush, const TzbButtonState& s) const {
  TzbButtonState cell = s;
  if (s.View == 1) cell.Pressed = true;  // filled with the column's brush, not the menu's background
  TzbBarItemControlPainter::DrawEmptyImageCell(c, dc, r, brush, cell);
}

void TzbBarItemControlFlatPainter::DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r,
                                                 const TRect& glyphRect, const QImage& glyph, bool fromImageList,
                                                 const TzbButtonState& s) const {
  if (s.Fits) InflateRect(r, -1, -1);
  bool painted = false;
  if (!c.NonRecent && !c.Parent().HasPlainBackground()) {
    FillItemBackground(c, dc, s.Pressed || s.Down || s.Selected || c.NonRecent, brush, r);
    painted = true;
  }
  TzbGlyphArgs a = ImageCellGlyphArgs(c, brush, r, glyphRect, glyph, fromImageList, s);
  a.Transparent = painted;
  a.FlatLook = true;
  a.Shadowed = true;
  DrawGlyph(dc, a);
}

void TzbBarItemControlFlatPainter::DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int s, int x, int y) const {
  const TPen saved = dc.Pen;
  if (c.Enabled()) {
    dc.Pen = TPen{(FaceIsWhite() || FaceBlackTextColored()) ? clWhite : clBlack, 1, psSolid};
    for (int k = 0; k < 2 * s; ++k) Stroke(dc, x, y, s, k);
  } else {
    dc.Pen = TPen{clBtnShadow, 1, psSolid};
    for (int k = 1; k <= 2 * s; ++k) Stroke(dc, x, y, s, k);
  }
  dc.Pen = saved;
}

void TzbBarItemControlFlatPainter::DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  bool selected, bool down, bool) const {
  const TzbBarWindow& w = c.Parent();
  const TBrush light = GetLightFaceBrush(w.Manager());
  const TBrush current = w.CurrentBrush();
  const TBrush highlight = GetBarHighlightBrush(w);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  // The image column is as wide as a line of the menu for every entry, also for the higher ones
  // (sub-items, edits), so that it runs straight down the menu.
  const int columnWidth = std::max(1, std::min(inner.Height(), w.ItemHeight()));
  const TRect cell = Rect(inner.Left, inner.Top, std::min(inner.Right, inner.Left + columnWidth), inner.Bottom);
  if (selected) {
    DrawSelectionFrame(dc, r);
  } else {
    const int split = cell.Right + 1;
    FrameItemBackground(c, dc, true, current, r);
    FillWith(dc, Rect(r.Left, r.Top, split, r.Top + 1), light);
    FillWith(dc, Rect(r.Left, r.Bottom - 1, split, r.Bottom), light);
    FillWith(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), light);
  }
  DrawMenuImageCell(c, cell, selected, down);
  const bool solid = selected || c.NonRecent;
  const TRect column = Rect(cell.Right, inner.Top, cell.Right + 2, inner.Bottom);
  FillItemBackground(c, dc, true, selected ? highlight : light, column);
  const TRect text = Rect(column.Right, inner.Top, inner.Right, inner.Bottom);
  FillItemBackground(c, dc, solid, selected ? highlight : current, text);
  TRect caption = text;
  caption.Left += 8;
  DrawCaption(c, dc, ToQString(c.Link().RealCaption()), caption, 0, c.Enabled(), selected, false, false,
              !FaceIsWhite());
}

void TzbBarItemControlFlatPainter::DrawMenuImageCell(const TzbBarItemControl& c, const TRect& cell, bool selected,
                                                     bool down) const {
  const TzbBarPaintStyle ps = c.Link().RealPaintStyle();
  bool fromList = false;
  const bool noGlyph = GlyphOf(c, 1, fromList).isNull();
  TzbButtonState s;
  s.View = 1;
  s.Selected = selected;
  s.Down = down;
  DrawButton(c, cell, s, noGlyph || ps == psCaption || ps == psCaptionInMenu, true);
}

void TzbBarItemControlFlatPainter::DrawLoweredFrame(const TzbBarItemControl&, TCanvas& dc, TRect& r) const {
  FrameWith(dc, r, SolidBrush(clBtnShadow));
  InflateRect(r, -1, -1);
}

void TzbBarItemControlFlatPainter::DrawStaticBorder(const TzbBarItemControl& c, TCanvas& dc,
                                                    TzbBarStaticBorderStyle style, int width, TRect& r) const {
  if (style == sbsNone) return;
  for (int i = 0; i < width; ++i) {
    FrameWith(dc, r, GetStaticBorderBrush(c, style));
    InflateRect(r, -1, -1);
  }
}

void TzbBarItemControlFlatPainter::GetDropButtonColors(const TzbBarItemControl& c, bool selected, bool pressed,
                                                       int& index, TBrush& brush) const {
  if (!selected) {
    index = COLOR_BTNTEXT;
    brush = c.Parent().CurrentBrush();
  } else if (pressed || FaceIsWhite()) {
    index = COLOR_HIGHLIGHTTEXT;
    brush = GetBarFaceBrush(c.Parent());
  } else {
    index = COLOR_BTNTEXT;
    brush = GetBarHighlightBrush(c.Parent());
  }
}

int TzbBarItemControlFlatPainter::GetMenuImageColumnWidth(const TzbBarItemControl& c) const {
  return c.Parent().IsMenu() ? c.Parent().ItemHeight() + 3 : 0;
}

int TzbBarItemControlFlatPainter::GetQuickButtonArrowColorIndex(const TzbBarWindow& w) const {
  return (FaceIsWhite() && w.QuickButtonState() == 1) ? COLOR_BTNFACE : COLOR_BTNTEXT;
}

int TzbBarItemControlFlatPainter::GetExpandChevronLines(int height) const {
  int n = (height - 4) / 2;
  if (n >= 5 && n % 2 != 0) --n;
  return n;
}

void TzbBarItemControlFlatPainter::DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                                                 const TRect& r) const {
  const int m = GetSeparatorMargin();
  TRect rest = r;
  if (vertical) {
    FillWith(dc, Rect(r.Left, r.Top, r.Right, r.Top + m), brush);
    FillWith(dc, Rect(r.Left, r.Bottom - m, r.Right, r.Bottom), brush);
    rest.Top += m;
    rest.Bottom -= m;
    FillWith(dc, rest, brush);
    FillWith(dc, Rect(rest.Left, rest.Top, rest.Right, rest.Top + 1), SolidBrush(clBtnShadow));
  } else {
    FillWith(dc, Rect(r.Left, r.Top, r.Left + m, r.Bottom), brush);
    FillWith(dc, Rect(r.Right - m, r.Top, r.Right, r.Bottom), brush);
    rest.Left += m;
    rest.Right -= m;
    FillWith(dc, rest, brush);
    FillWith(dc, Rect(rest.Left, rest.Top, rest.Left + 1, rest.Bottom), SolidBrush(clBtnShadow));
  }
}

void TzbBarItemControlFlatPainter::DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& rect) const {
  const int state = w.CaptionButtonState();
  DrawCaptionButtonBackground(w, dc, state, rect);
  TRect r = rect;
  r.Left += 3;
  r.Right -= 3;
  r.Top += 4;
  r.Bottom -= 4;
  if (r.Width() % 2 != 0) --r.Right;
  r.Bottom = r.Top + r.Width() - 1;
  const TPen saved = dc.Pen;
  dc.Pen = TPen{GetCaptionArrowColor(w, state), 1, psSolid};
  auto line = [&](int x0, int y0, int x1, int y1) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
  };
  line(r.Left, r.Top, r.Right - 1, r.Bottom);
  line(r.Left + 1, r.Top, r.Right, r.Bottom);
  line(r.Left, r.Bottom - 1, r.Right - 1, r.Top - 1);
  line(r.Left + 1, r.Bottom - 1, r.Right, r.Top - 1);
  dc.Pen = saved;
}

void TzbBarItemControlFlatPainter::DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                 const TRect& r) const {
  TRect b = r;
  FrameWith(dc, b, SolidBrush(clBtnFace));
  InflateRect(b, -1, -1);
  for (const TPoint p : {TPoint{b.Left, b.Top}, TPoint{b.Right - 1, b.Top}, TPoint{b.Left, b.Bottom - 1},
                         TPoint{b.Right - 1, b.Bottom - 1}})
    FillWith(dc, Bounds(p.X, p.Y, 1, 1), SolidBrush(clBtnFace));
  InflateRect(b, -1, -1);
  if (!w.ShowsGrip()) return;
  const int i = GetGripIndent(), gw = GetGripWidth();
  if (w.IsVertical()) {
    const TRect g = Rect(b.Left + 3, b.Top + i, b.Right - 3, b.Top + i + gw);
    for (int x = g.Left; x < g.Right; ++x)
      FillWith(dc, Rect(x, g.Top, x + 1, g.Bottom), ((x - g.Left) % 2 == 0) ? SolidBrush(clBtnShadow) : brush);
  } else {
    const TRect g = Rect(b.Left + i, b.Top + 3, b.Left + i + gw, b.Bottom - 3);
    for (int y = g.Top; y < g.Bottom; ++y)
      FillWith(dc, Rect(g.Left, y, g.Right, y + 1), ((y - g.Top) % 2 == 0) ? SolidBrush(clBtnShadow) : brush);
  }
}

void TzbBarItemControlFlatPainter::DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                      const TRect& r) const {
  TRect b = r;
  FrameBarWindow(w, dc, b);
  InflateRect(b, -1, -1);
  FrameWith(dc, b, SolidBrush(clBtnHighlight));
  for (int i = 2; i < GetFloatingFrameWidth(); ++i) {
    InflateRect(b, -1, -1);
    FrameWith(dc, b, brush);
  }
}

TRect TzbBarItemControlFlatPainter::GetQuickButtonRect(const TzbBarWindow& w) const {
  if (!w.IsFloating()) return TzbBarItemControlEnhancedPainter::Instance().GetQuickButtonRect(w);
  const TRect caption = w.FloatingCaptionRect();
  TRect r = caption;
  r.Left = r.Right - caption.Height();
  if (w.Bar() && w.Bar()->AllowClose) OffsetRect(r, -(caption.Height() + 1), 0);
  if (r.Left < caption.Left) r.Left = caption.Left;
  return r;
}

void TzbBarItemControlFlatPainter::DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                             const TRect& r) const {
  const int state = w.QuickButtonState();
  if (state == 2) {
    DrawBarFrame(w, dc, r);
  } else if (state == 1) {
    DrawSelectionFrame(dc, r);
    TRect inner = r;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, GetBarHighlightBrush(w));
  } else {
    FrameWith(dc, r, brush);
    TRect inner = r;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, brush);
  }
}

void TzbBarItemControlFlatPainter::DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  TzbBarItemControlEnhancedPainter::Instance().DrawQuickButtonContent(w, dc, r);
}

void TzbBarItemControlFlatPainter::DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& rect,
                                                    const TzbButtonState& s, bool dropDownEnabled,
                                                    const TBrush&) const {
  TRect r = rect;
  if (s.View != 1) --r.Left;
  int index = COLOR_BTNTEXT;
  TBrush b;
  GetDropButtonColors(c, s.Selected, s.Pressed, index, b);
  const bool openOnBar = s.View != 1 && s.DropDownOpen;
  if (openOnBar) {
    // Inside the joined frame the button drew: the light face of the open menu, the arrow in the
    // text colour on it.
    FillWith(dc, Rect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1), GetLightFaceBrush(c.Parent().Manager()));
  } else {
    FrameDropPart(c, dc, r, s);
    TRect inner = r;
    InflateRect(inner, -1, -1);
    FillItemBackground(c, dc, s.DropDownOpen || s.Pressed || s.Selected || c.NonRecent, b, inner);
  }
  const bool enabled = c.Enabled() && dropDownEnabled;
  const bool light = s.Selected && FaceIsWhite() && !openOnBar;
  if (s.View == 1)
    DrawArrow(dc, r, false, c.Parent().ArrowSize(), light, enabled, true);
  else
    DrawDropPartArrow(dc, r, true, enabled, light, true);
}

void TzbBarItemControlFlatPainter::FrameDropPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                 const TzbButtonState& s) const {
  if (s.Selected)
    DrawSelectionFrame(dc, r);
  else if (s.View == 1)
    FrameWith(dc, r, SolidBrush(clBtnShadow));
  else
    FrameWith(dc, r, c.Parent().CurrentBrush());
}

void TzbBarItemControlFlatPainter::DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FrameBarWindow(w, dc, r);
  FillOwnerGap(w, dc);  // menu and the item that opened it share one frame
}

void TzbBarItemControlFlatPainter::DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                       const TRect& r) const {
  FrameWith(dc, r, GetMenuFrameBrush(w));
  FillWith(dc, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), brush);
}

void TzbBarItemControlFlatPainter::DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest,
                                                      const TRect& expand, bool expandHot) const {
  TRect uncovered = rest;
  uncovered.Bottom = std::max(uncovered.Top, std::min(uncovered.Bottom, w.ClientRect().Height() - 1));
  FillWith(dc, uncovered, w.CurrentBrush());
  if (IsRectEmpty(expand)) return;
  if (expandHot) {
    DrawSelectionFrame(dc, expand);
    TRect inner = expand;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, GetBarHighlightBrush(w));
  } else {
    FillWith(dc, expand, w.CurrentBrush());
    FillWith(dc, Rect(expand.Left, expand.Top, expand.Left + 1, expand.Bottom), GetLightFaceBrush(w.Manager()));
  }
  DrawMenuExpandButton(w, dc, expandHot, expand, expand.Height());
}

void TzbBarItemControlFlatPainter::DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip,
                                                     const TRect& r, TCanvas& dc) const {
  const int h = GetMenuSeparatorHeight();
  const TRect band = Rect(r.Left, r.Top - h, r.Right, r.Top);
  c.SeparatorRect = band;
  const int column = r.Left + GetMenuImageColumnWidth(c);
  const bool solid = c.NonRecent;
  FillItemBackground(c, dc, true, GetLightFaceBrush(w.Manager()), Rect(band.Left, band.Top, column, band.Bottom));
  FillItemBackground(c, dc, solid, w.CurrentBrush(), Rect(column, band.Top, band.Right, band.Bottom));
  const int mid = band.Top + h / 2;
  FillWith(dc, Rect(column + GetMenuSeparatorIndent(), mid, band.Right + 1, mid + 1), GetFlatShadowBrush(w));
}

void TzbBarItemControlFlatPainter::DrawDropDownListBorder(TCanvas& dc, const TRect& rect) const {
  TRect r = rect;
  FrameWith(dc, r, SolidBrush(clBtnShadow));
  InflateRect(r, -1, -1);
  FrameWith(dc, r, SolidBrush(clWindow));
}

void TzbBarItemControlFlatPainter::DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool,
                                                       bool selected, TRect& r) const {
  if (selected) {
    DrawSelectionFrame(dc, r);
    InflateRect(r, -1, -1);
    FillWith(dc, r, pressed ? GetBarFaceBrush(c.Parent()) : GetBarHighlightBrush(c.Parent()));
  } else {
    FrameWith(dc, r, c.Parent().CurrentBrush());
    InflateRect(r, -1, -1);
    FillWith(dc, r, c.Parent().CurrentBrush());
  }
}

void TzbBarItemControlFlatPainter::DrawTextButton(TCanvas& dc, bool, const QString& text, const TRect& rect) const {
  TRect r = rect;
  FrameWith(dc, r, SolidBrush(clBtnShadow));
  InflateRect(r, -1, -1);
  FrameWith(dc, r, SolidBrush(clBtnFace));
  InflateRect(r, -1, -1);
  DrawCenteredText(dc, r, true, text, 0);
}

void TzbBarItemControlFlatPainter::DrawQuickCheckCell(const TzbBarItemControl& c, TCanvas& dc, bool selected,
                                                      int& cellRight, TRect& r) const {
  r.Right = r.Left + r.Height();
  if (!selected) FrameItemBackground(c, dc, false, GetLightFaceBrush(c.Parent().Manager()), r);
  InflateRect(r, -1, -1);
  cellRight = r.Right + 1;
}

void TzbBarItemControlFlatPainter::DrawQuickItemFrame(const TzbBarItemControl& c, TCanvas& dc, bool selected,
                                                      const TRect& cell, const TRect& item) const {
  if (!selected) return;
  DrawSelectionFrame(dc, item);
  FillWith(dc, Rect(cell.Right, item.Top + 1, cell.Right + 2, item.Bottom - 1), GetBarHighlightBrush(c.Parent()));
}

void TzbBarItemControlFlatPainter::AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const {
  textRect.Right = std::min(textRect.Right, GetQuickButtonRect(w).Left);
}

int TzbBarItemControlFlatPainter::GetSubItemTextIndent(const TzbBarItemControl& c) const {
  if (c.Parent().Bar() && c.Parent().Bar()->IsMainMenu() && !c.Parent().IsMenu()) return 8;
  return TzbBarItemControlPainter::GetSubItemTextIndent(c);
}

int TzbBarItemControlFlatPainter::GetSubItemHeight(const TzbBarItemControl& c) const {
  return TzbBarItemControlPainter::GetSubItemHeight(c) + (c.Parent().IsMenu() ? 2 : 0);
}

int TzbBarItemControlFlatPainter::GetSubItemWidth(const TzbBarItemControl& c) const {
  return TzbBarItemControlPainter::GetSubItemWidth(c) + (c.Parent().IsMenu() ? 9 : 0);
}

void TzbBarItemControlFlatPainter::CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth,
                                                   int& expandHeight, int& glyphReference) const {
  ++lineHeight;
  dropArrowWidth = lineHeight / 4 * 3 + 1;
  expandHeight = w.ZeroHeight() + 1;
  const int lines = GetExpandChevronLines(expandHeight);
  if (lines % 2 != 0) expandHeight = 2 * lines + 2;
  glyphReference = 20;
}

void TzbBarItemControlFlatPainter::GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start,
                                                    int& bottomLimit) const {
  const TRect client = w.ClientRect();
  start = Rect(w.SideStripWidth() + 1, 1, client.Width() - 1, 1);
  bottomLimit =
      scrolling ? std::numeric_limits<int>::max() : client.Height() - 1 - (w.ShowsExpandButton() ? w.ItemHeight() : 0);
}

void TzbBarItemControlFlatPainter::CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width,
                                                int& height) const {
  width = itemsWidth == 0 && itemsHeight == 0 ? 100 : itemsWidth + w.SideStripWidth() + 4;
  if (itemsHeight < 3 || w.ShowsExpandButton()) itemsHeight += w.ItemHeight();
  height = itemsHeight + 3 + (w.HasTearOffBand() ? GetTearOffBandHeight(w) : 0);
}

// ---------------------------------------------------------------- edit, combo and spin items

void TzbBarItemControlFlatPainter::GetComboButtonColors(const TzbBarItemControl& c, bool selected, bool pressed,
                                                        int& arrowColorIndex, TBrush& brush) const {
  GetDropButtonColors(c, selected, pressed, arrowColorIndex, brush);
  if (selected && !pressed) brush = c.Parent().CurrentBrush();
  if (!c.Enabled()) arrowColorIndex = COLOR_BTNSHADOW;
}

void TzbBarItemControlFlatPainter::DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed,
                                                   const TRect& r) const {
  if (!(selected && c.Enabled())) {
    DrawClassicComboButton(c, dc, selected, pressed, r);
    return;
  }
  c.ButtonRect = r;
  int index = COLOR_BTNTEXT;
  TBrush face;
  GetComboButtonColors(c, selected, pressed, index, face);
  TRect frame = r;
  InflateRect(frame, 1, 1);
  DrawSelectionFrame(dc, frame);
  FillWith(dc, r, face);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  DrawComboArrow(dc, inner, true, pressed, index);
}

void TzbBarItemControlFlatPainter::DrawComboListItem(TCanvas& canvas, const TRect& r, const QString& text,
                                                     bool selected) const {
  canvas.FillRect(r);
  canvas.TextOut(r.Left + 2, r.Top + (selected ? 2 : 0), text);
}

void TzbBarItemControlFlatPainter::DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view,
                                                 bool selected, bool) const {
  const TBrush current = c.Parent().CurrentBrush();
  if (selected)
    DrawSelectionFrame(dc, r);
  else if (view == 1)
    FrameWith(dc, r, current);
  else if (c.Enabled())
    FrameItemBackground(c, dc, false, current, r);
  else
    FrameWith(dc, r, SolidBrush(clBtnShadow));
  InflateRect(r, -1, -1);
}

void TzbBarItemControlFlatPainter::DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption,
                                                   bool selected, int view, TRect& r) const {
  const bool inMenu = view == 1;
  const bool highlight = selected && inMenu;
  QString plain = caption;
  plain.remove(QLatin1Char('&'));
  TRect part = r;
  part.Right = std::min(r.Right, r.Left + GetEditCaptionWidth(c, dc.TextWidth(plain)));
  if (highlight) {
    TRect frame = part;
    frame.Right += 1;
    DrawSelectionFrame(dc, frame);
    InflateRect(frame, -1, -1);
    FillWith(dc, frame, GetBarHighlightBrush(c.Parent()));
  } else {
    FillItemBackground(c, dc, inMenu && c.NonRecent, c.Parent().CurrentBrush(), part);
  }
  TRect text = part;
  text.Right -= 5;
  DrawCaption(c, dc, caption, text, 0, c.Enabled(), highlight, false, false, !highlight);
  r.Left = part.Right;
}

void TzbBarItemControlFlatPainter::PrepareEditWindow(QLineEdit& edit) const { edit.setTextMargins(2, 2, 2, 2); }

void TzbBarItemControlFlatPainter::SelectEditText(QLineEdit& edit, bool changed) const {
  if (changed) Q_EMIT edit.textChanged(edit.text());
  TzbBarItemControlPainter::SelectEditText(edit, changed);
}

void TzbBarItemControlFlatPainter::DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window,
                                                        bool hasStrip, int corner, TRect& gripRect, TRect& closeRect,
                                                        bool hot, bool pressed) const {
  DrawDropDownWindowFrame(dc, window, hasStrip, true, corner, gripRect, closeRect, hot, pressed);
}

void TzbBarItemControlFlatPainter::DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  int arrowWidth, int arrowSize, int halfHeight, bool selected,
                                                  int button, int pressedButton, bool pressedLook) const {
  TRect part = SpinButtonPart(r, halfHeight, button, false);
  const bool pressed = pressedLook && pressedButton == button;
  TRect inner = part;
  DrawSpinButtonFrame(c, dc, pressed, selected, selected, inner);
  TColor color = clBtnShadow;
  if (c.Enabled()) color = (FaceIsWhite() && (selected || pressed)) ? clBtnFace : clBtnText;
  DrawSpinArrow(dc, part, arrowWidth, arrowSize, button == 1, pressed, color);
}

// ---------------------------------------------------------------- MDI buttons, tear-off band, sub-items

void TzbBarItemControlFlatPainter::DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc,
                                                 bool selected, bool pressed, bool enabled) const {
  TBrush back = w.CurrentBrush();
  if (selected && pressed)
    back = GetBarFaceBrush(w);
  else if (pressed)
    back = GetBarCheckedBrush(w);
  else if (selected)
    back = GetBarHighlightBrush(w);
  FillWith(dc, r, back);
  // The caption glyph, flat, drawn off screen one pixel larger than the inside and laid over the
  // background without its face.
  TRect inner = r;
  InflateRect(inner, -1, -1);
  static const unsigned kGlyphs[3] = {DFCS_CAPTIONMIN, 3 /* restore */, DFCS_CAPTIONCLOSE};
  QImage glyph(inner.Width() + 2, inner.Height() + 2, QImage::Format_RGB32);
  if (!glyph.isNull()) {
    {
      TCanvas gc(&glyph);
      gc.DrawFrameControl(Rect(0, 0, glyph.width(), glyph.height()), DFC_CAPTION,
                          kGlyphs[std::clamp(kind, 0, 2)] | DFCS_FLAT | (enabled ? 0u : DFCS_INACTIVE));
    }
    const QRgb face = ToQColor(ColorToRGB(clBtnFace)).rgb() & 0xFFFFFF;
    QImage over = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < over.height(); ++y)
      for (int x = 0; x < over.width(); ++x)
        if ((over.pixel(x, y) & 0xFFFFFF) == face) over.setPixel(x, y, 0);
    dc.Painter().save();
    dc.Painter().setClipRect(ToQRect(inner), Qt::IntersectClip);
    dc.Painter().drawImage(inner.Left - 1, inner.Top - 1, over);
    dc.Painter().restore();
  }
  if (selected || pressed) DrawSelectionFrame(dc, r);
}

void TzbBarItemControlFlatPainter::FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& rect) const {
  TRect r = rect;
  const bool active = w.IsActive();
  if (active) {
    DrawSelectionFrame(dc, r);
    InflateRect(r, -1, -1);
    FillWith(dc, r, GetBarHighlightBrush(w));
  } else {
    FillWith(dc, r, GetLightFaceBrush(w.Manager()));
  }
  // A grip 33 pixels wide in the middle, one pixel shorter at top and bottom, every second row.
  const int left = (r.Left + r.Right - 33) / 2;
  const TBrush line = SolidBrush(active ? clBtnText : clBtnShadow);
  for (int y = r.Top + 1; y < r.Bottom - 1; y += 2) FillWith(dc, Rect(left, y, left + 33, y + 1), line);
}

void TzbBarItemControlFlatPainter::DrawInPlaceSubItem(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                      const QString& caption, bool expanded, bool selected) const {
  if (IsRectEmpty(r)) return;
  const TzbBarWindow& w = c.Parent();
  FillWith(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), w.CurrentBrush());
  TRect body = Rect(r.Left, r.Top, r.Right, r.Bottom - 1);
  if (selected) {
    DrawSelectionFrame(dc, body);
    InflateRect(body, -1, -1);
    FillWith(dc, body, GetBarHighlightBrush(w));
  } else {
    FrameWith(dc, body, GetInPlaceSubItemBrush());
    InflateRect(body, -1, -1);
    FillWith(dc, body, GetInPlaceSubItemBrush());
  }
  TRect text = Rect(r.Left + 5, r.Top, r.Right, r.Bottom - 1);
  DrawCaption(c, dc, caption, text, 0, c.Enabled(), selected && !FaceIsWhite(), false, false, !selected);
  if (c.Enabled()) {
    const int size = w.ArrowSize();
    DrawArrow(dc, Rect(r.Right - 2 * size - 2, r.Top, r.Right, r.Bottom - 1), expanded, size, selected, true, true);
  }
}

}  // namespace zyn
