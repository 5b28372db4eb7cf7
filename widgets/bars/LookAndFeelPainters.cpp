#include "widgets/bars/LookAndFeelPainters.h"

#include "platform/ThemeEngine.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/ThemeManager.h"

#include <algorithm>

namespace zyn {

namespace {

// MulDiv(v, 1, 2): halves rounded away from zero.
int MulDivHalf(int v) { return v >= 0 ? (v + 1) / 2 : -((-v + 1) / 2); }

void Line(TCanvas& dc, int x0, int y0, int x1, int y1, TColor color) {
  dc.Pen = TPen{color, 1, psSolid};
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// The checkerboard of a scroll-bar page area.
QImage PageBitmap(bool pressed) {
  QImage b(8, 8, QImage::Format_RGB32);
  const QColor even = ToQColor(ColorToRGB(pressed ? TColor(0) : clBtnFace));
  const QColor odd = ToQColor(ColorToRGB(pressed ? cl3DDkShadow : clBtnHighlight));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) b.setPixelColor(x, y, (x % 2) == (y % 2) ? even : odd);
  return b;
}

TzxArrowDirection ArrowOf(TzxScrollBarPart part, bool horizontal) {
  if (part == zxsbpLineUp) return horizontal ? zxadLeft : zxadUp;
  return horizontal ? zxadRight : zxadDown;
}

}  // namespace

// ---------------------------------------------------------------- base

const TzxCustomLookAndFeelPainter& TzxCustomLookAndFeelPainter::Instance() {
  static const TzxCustomLookAndFeelPainter p;
  return p;
}

TzxLookAndFeelKind TzxCustomLookAndFeelPainter::Kind() const {
  switch (Style()) {
    case zxpsFlat:
      return lfFlat;
    case zxpsUltraFlat:
      return lfUltraFlat;
    case zxpsOffice11:
      return lfOffice11;
    default:
      return lfStandard;
  }
}

TColor TzxCustomLookAndFeelPainter::DefaultColor(int n) const {
  static const TColor colors[47] = {
      0x00F0FBFF,      clWindowText,   0x00F0FBFF, clWindowText, clBtnShadow,  clWindowText, clWindowText,
      clWindowText,    clWindow,       clWindow,   clWindow,     clWindowText, clWindow,     clWindowText,
      clBtnShadow,     clBtnHighlight, clBtnText,  clBtnFace,    clBtnText,    clBtnShadow,  clBtnFace,
      clBtnText,       clBtnShadow,    clBtnFace,  clBtnFace,    clBtnText,    clBtnShadow,  clBtnFace,
      clBtnFace,       clBtnText,      0x00FF0000, clDefault,    clBtnFace,    clHighlight,  clHighlightText,
      clWindow,        clWindowText,   0x000000FF, clBtnFace,    0x00D5FFFF,   clWindowText, clHighlight,
      clHighlightText, clBtnFace,      clBtnFace,  clBtnText,    clBtnFace};
  if (n < 1 || n > 47) return clDefault;
  if (n == 32) return DefaultColor(20);
  return colors[n - 1];
}

void TzxCustomLookAndFeelPainter::PaintArrowGlyph(TPainterCanvas& canvas, const TRect& r, TColor color) const {
  int w = r.Width() / 2;
  if (w % 2 == 0) ++w;
  const int h = w / 2 + 1;
  const int x = (r.Left + r.Right - w) / 2, y = MulDivHalf(r.Top + r.Bottom - h);
  TCanvas& dc = *canvas.Canvas;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = TBrush{color};
  dc.Polygon({Point(x, y), Point(x + w - 1, y), Point(x + w / 2, y + h - 1)});
}

void TzxCustomLookAndFeelPainter::Triangle(TPainterCanvas& canvas, TRect r, TColor color, TzxArrowDirection d,
                                           bool square) const {
  if (square) {
    const int diff = r.Width() - r.Height();
    if (diff > 0)
      r.Left += diff / 2, r.Right -= diff - diff / 2;
    else
      r.Top += -diff / 2, r.Bottom -= -diff - (-diff) / 2;
  }
  const bool vertical = d == zxadUp || d == zxadDown;
  int b = ((vertical ? r.Width() : r.Height()) - 1) / 2;
  if (b % 2 == 0) ++b;
  const int depth = b / 2 + 1;
  std::vector<TPoint> pts;
  if (vertical) {
    const int y = MulDivHalf(r.Top + r.Bottom - depth);
    const int bx = (r.Left + r.Right - b) / 2, ax = (r.Left + r.Right - 1) / 2;
    if (d == zxadUp)
      pts = {Point(ax, y), Point(bx, y + depth - 1), Point(bx + b - 1, y + depth - 1)};
    else
      pts = {Point(bx, y), Point(bx + b - 1, y), Point(ax, y + depth - 1)};
  } else {
    const int x = MulDivHalf(r.Left + r.Right - depth);
    const int by = (r.Top + r.Bottom - b) / 2, ay = (r.Top + r.Bottom - 1) / 2;
    if (d == zxadLeft)
      pts = {Point(x, ay), Point(x + depth - 1, by), Point(x + depth - 1, by + b - 1)};
    else
      pts = {Point(x, by), Point(x, by + b - 1), Point(x + depth - 1, ay)};
  }
  TCanvas& dc = *canvas.Canvas;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = TBrush{color};
  dc.Polygon(pts);
}

void TzxCustomLookAndFeelPainter::PaintArrow(TPainterCanvas& canvas, const TRect& r, TColor color,
                                             TzxArrowDirection d) const {
  Triangle(canvas, r, color, d, true);
}

void TzxCustomLookAndFeelPainter::PaintArrowButton(TPainterCanvas& canvas, const TRect& r, bool asButton,
                                                   TzxArrowDirection d, TzxButtonState state) const {
  if (asButton) {
    PaintButtonFace(canvas, r, state);
  } else {
    canvas.SetBrushColor(ButtonFaceColor(state));
    canvas.FillRect(r);
  }
  Triangle(canvas, r, ButtonSignColor(state), d, false);
}

void TzxCustomLookAndFeelPainter::PaintScrollArrow(TPainterCanvas& canvas, const TRect& r, TzxArrowDirection d,
                                                   TzxButtonState state) const {
  TRect a = r;
  if (state == zxbsPressed) OffsetRect(a, ButtonPressedShift(), ButtonPressedShift());
  if (state == zxbsDisabled) {
    TRect light = a;
    OffsetRect(light, 1, 1);
    Triangle(canvas, light, clBtnHighlight, d, true);
    Triangle(canvas, a, clBtnShadow, d, true);
  } else {
    Triangle(canvas, a, ButtonSignColor(state), d, true);
  }
}

TRect TzxCustomLookAndFeelPainter::ButtonFocusBounds(const TRect& r) const {
  TRect f = r;
  InflateRect(f, -4, -4);
  return IsRectEmpty(f) ? r : f;
}

TColor TzxCustomLookAndFeelPainter::ButtonSignColor(TzxButtonState state) const {
  return state == zxbsDisabled ? clBtnShadow : clBtnText;
}

void TzxCustomLookAndFeelPainter::PaintButtonFace(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
  PaintButtonBorder(canvas, r, state);
}

void TzxCustomLookAndFeelPainter::PaintButton(TPainterCanvas& canvas, const TRect& rect, const QString& caption,
                                              TzxButtonState state, bool withBorder, TColor color,
                                              TColor textColor) const {
  TRect r = rect;
  if (withBorder) {
    PaintButtonBorder(canvas, r, state);
    const int b = ButtonBorderWidth(state);
    InflateRect(r, -b, -b);
  }
  canvas.SetBrushColor(color == clDefault ? ButtonFaceColor(state) : color);
  canvas.FillRect(r);
  if (caption.isEmpty()) return;
  TRect t = r;
  if (t.Height() % 2 != 0) --t.Bottom;
  if (t.Height() < 18) --t.Top;
  if (state == zxbsPressed) OffsetRect(t, ButtonPressedShift(), ButtonPressedShift());
  TCanvas& dc = *canvas.Canvas;
  dc.Font.Color = textColor == clDefault ? ButtonSignColor(state) : textColor;
  dc.Brush.Style = bsClear;
  canvas.DrawText(caption, t, zxAlignHCenter | zxAlignVCenter | zxSingleLine | zxShowPrefix, state != zxbsDisabled);
}

void TzxCustomLookAndFeelPainter::PlusMinus(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const {
  const int h = (r.Width() - 4) / 2;
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  canvas.SetBrushColor(color);
  canvas.FillRect(Rect(cx - h, cy, cx + h + 1, cy + 1));
  if (!expanded) canvas.FillRect(Rect(cx, cy - h, cx + 1, cy + h + 1));
}

void TzxCustomLookAndFeelPainter::PaintSmallExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color,
                                                         TColor borderColor, bool expanded) const {
  canvas.FrameRect(r, borderColor);
  if (color != clDefault) {
    TRect inner = r;
    InflateRect(inner, -1, -1);
    canvas.SetBrushColor(color);
    canvas.FillRect(inner);
  }
  PlusMinus(canvas, r, clBtnText, expanded);
}

TColor TzxCustomLookAndFeelPainter::CheckFaceColor(TzxButtonState state) const {
  return state == zxbsPressed || state == zxbsDisabled ? clBtnFace : clWindow;
}

void TzxCustomLookAndFeelPainter::PaintCheckSign(TPainterCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                 TzxButtonState state) const {
  canvas.SetBrushColor(CheckFaceColor(state));
  canvas.FillRect(r);
  if (!checked) return;
  const int X = r.Width() - 2, Y = r.Height() - 4;
  const int cx = (r.Left + r.Right) / 2 - 1;
  TCanvas& dc = *canvas.Canvas;
  for (int d = 0; d <= 2; ++d) {
    const int y = (r.Top + r.Bottom + Y) / 2 - 2 + d;
    Line(dc, cx - X / 2 + 1, y - Y / 2, cx, y, color);
    Line(dc, cx, y, cx + X / 2 + 2, y - Y, color);
  }
}

void TzxCustomLookAndFeelPainter::PaintCheckBox(TPainterCanvas& canvas, const TRect& rect, bool checked,
                                                TzxButtonState state) const {
  PaintCheckBorder(canvas, rect, state);
  TRect r = rect;
  InflateRect(r, -CheckBorderWidth(), -CheckBorderWidth());
  PaintCheckSign(canvas, r, state == zxbsDisabled ? clGrayText : clBtnText, checked, state);
}

void TzxCustomLookAndFeelPainter::PaintRadioButton(TPainterCanvas& canvas, int x, int y, bool checked, bool emphasisA,
                                                   bool emphasisB, TzxButtonState state, TColor background) const {
  RadioButtonImages().Draw(*canvas.Canvas, x, y, checked, emphasisA, emphasisB, state, Kind(), background);
}

void TzxCustomLookAndFeelPainter::PaintContent(TPainterCanvas& canvas, const TRect& bounds, const TRect& textBounds,
                                               TzxButtonState, TColor background, const TzxPainterText& text,
                                               bool) const {
  if (background != clNone) {
    canvas.SetBrushColor(background);
    canvas.FillRect(bounds);
  }
  if (text.Text.isEmpty()) return;
  TCanvas& dc = *canvas.Canvas;
  dc.Font.Font = text.Font;
  dc.Font.Color = text.TextColor == clDefault ? clBtnText : text.TextColor;
  dc.Brush.Style = bsClear;
  canvas.DrawText(text.Text, textBounds, text.Flags);
}

TRect TzxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& rect, unsigned sides) const {
  TRect r = rect;
  const int b = HeaderBorderWidth();
  if (sides & zxBordLeft) r.Left += b;
  if (sides & zxBordTop) r.Top += b;
  if (sides & zxBordRight) r.Right -= b;
  if (sides & zxBordBottom) r.Bottom -= b;
  return r;
}

void TzxCustomLookAndFeelPainter::PaintHeader(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors,
                                              unsigned borders, TzxButtonState state, TColor background,
                                              const TzxPainterText& text) const {
  PaintHeaderBorder(canvas, bounds, neighbors, borders);
  const TRect content = HeaderContentBounds(bounds, borders);
  TRect textBounds = content;
  InflateRect(textBounds, -2, 0);
  PaintContent(canvas, content, textBounds, state, background, text, false);
}

void TzxCustomLookAndFeelPainter::PaintFooterCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                  const TzxPainterText& text) const {
  PaintFooterCellBorder(canvas, r);
  const TRect content = FooterCellContentBounds(r);
  const TRect textBounds = FooterCellTextBounds(r);
  TzxPainterText t = text;
  t.Flags &= ~zxShowEndEllipsis;
  PaintContent(canvas, content, textBounds, zxbsDefault, background, t, true);
}

void TzxCustomLookAndFeelPainter::PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                     unsigned sides, TColor background,
                                                     const TzxPainterText& text) const {
  PaintHeaderSectionBorder(canvas, r, state, sides);
  const TRect content = HeaderSectionContentBounds(r, state);
  canvas.SetBrushColor(background);
  canvas.FillRect(content);
  const TRect t = HeaderSectionTextBounds(content, state);
  if (text.Text.isEmpty()) return;
  TCanvas& dc = *canvas.Canvas;
  dc.Font.Font = text.Font;
  dc.Brush.Style = bsClear;
  if (state == zxbsDisabled) {
    TRect light = t;
    OffsetRect(light, 1, 1);
    dc.Font.Color = clBtnHighlight;
    canvas.DrawText(text.Text, light, text.Flags);
    dc.Font.Color = clBtnShadow;
  } else {
    dc.Font.Color = text.TextColor == clDefault ? clBtnText : text.TextColor;
  }
  canvas.DrawText(text.Text, t, text.Flags);
}

void TzxCustomLookAndFeelPainter::PaintSortArrowLines(TPainterCanvas& canvas, const TRect& r, bool ascending,
                                                      TColor light, TColor dark) const {
  const QPoint e = SortArrowExtent();
  const int w = e.x(), h = e.y();
  if (w <= 0 || h <= 0) return;
  const int dir = ascending ? -1 : 1;  // ascending points up: the base lies below the tip
  int x0 = (r.Left + r.Right) / 2;
  if (w % 2 == 0) --x0;
  const int y0 = ascending ? (r.Top + r.Bottom + h) / 2 - 1 : (r.Top + r.Bottom - h) / 2;
  const int g = w / 2, g2 = w % 2 == 0 ? g - 1 : g;
  TCanvas& dc = *canvas.Canvas;
  // Tip at the far end from the base line.
  const int tip = y0 + (h - 1) * dir;
  dc.Pen = TPen{light, 1, psSolid};
  dc.MoveTo(x0 + g, y0);
  dc.LineTo(x0, tip);
  dc.Pen = TPen{dark, 1, psSolid};
  dc.MoveTo(x0, tip);
  dc.LineTo(x0 - g2, y0);
  dc.LineTo(x0 + g + 1, y0);
}

void TzxCustomLookAndFeelPainter::PaintFooterSeparator(TPainterCanvas& canvas, const TRect& r) const {
  canvas.SetBrushColor(FooterSeparatorColor());
  canvas.FillRect(r);
}

void TzxCustomLookAndFeelPainter::PaintFilterCloseButton(TPainterCanvas& canvas, const TRect& rect,
                                                         TzxButtonState state) const {
  const TRect r = PaintSmallButtonFace(canvas, rect, state);
  int size = FilterCloseButtonExtent().x() / 2;
  if (size % 2 == 0) --size;
  const TzxButtonState sign = ButtonSignState(state);
  const TColor color = ButtonSignColor(state);
  TCanvas& dc = *canvas.Canvas;
  for (int d = 0; d <= 1; ++d) {
    int x = d + (r.Left + r.Right - size) / 2, y = (r.Top + r.Bottom - size) / 2;
    if (sign == zxbsPressed) ++x, ++y;
    Line(dc, x, y, x + size, y + size, color);
    Line(dc, x, y + size - 1, x + size, y - 1, color);
  }
}

void TzxCustomLookAndFeelPainter::PaintGroupExpandButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                         bool expanded) const {
  PaintButton(canvas, r, QString(), state, true);
  const TColor color = ButtonSignColor(state);
  TCanvas& dc = *canvas.Canvas;
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  for (int chevron = 0; chevron < 2; ++chevron) {
    const int top = cy - 4 + chevron * 4;
    for (int line = 0; line < 2; ++line) {
      const int y = expanded ? top + line : top + 2 - line;
      const int tipY = expanded ? y : y + 2;
      Line(dc, cx - 3, expanded ? y + 3 : y, cx, tipY + (expanded ? 0 : 1), color);
      Line(dc, cx, tipY + (expanded ? 0 : 1), cx + 4, expanded ? y + 4 : y - 1, color);
    }
  }
}

TRect TzxCustomLookAndFeelPainter::PaintSmallButtonFace(TPainterCanvas& canvas, const TRect& rect,
                                                        TzxButtonState state) const {
  PaintButtonBorder(canvas, rect, state);
  TRect r = rect;
  InflateRect(r, -ButtonBorderWidth(zxbsNormal), -ButtonBorderWidth(zxbsNormal));
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
  return r;
}

void TzxCustomLookAndFeelPainter::PaintPlusButton(TPainterCanvas& canvas, const TRect& rect,
                                                  TzxButtonState state) const {
  const TRect r = PaintSmallButtonFace(canvas, rect, state);
  PaintPlusGlyph(canvas, r, state);
}

void TzxCustomLookAndFeelPainter::PaintPlusGlyph(TPainterCanvas& canvas, const TRect& rect,
                                                 TzxButtonState state) const {
  TRect r = rect;
  InflateRect(r, -1, -1);
  const bool disabled = state == zxbsDisabled;
  const int row = r.Top + r.Height() / 2 - 1, column = r.Left + r.Width() / 2 - 1;
  TCanvas& dc = *canvas.Canvas;
  for (int pass = 0; pass < 2; ++pass) {
    const int d = pass == 0 ? 1 : 0;
    const TColor color = disabled ? (pass == 0 ? clBtnHighlight : clBtnShadow) : DefaultColor(7);
    Line(dc, r.Left + d, row + d, r.Right - 1 + d, row + d, color);
    Line(dc, column + d, r.Top + d, column + d, r.Bottom - 1 + d, color);
  }
}

void TzxCustomLookAndFeelPainter::PaintPageArea(TPainterCanvas& canvas, const TRect& r, bool pressed) const {
  canvas.FillRect(r, PageBitmap(pressed));
}

// ---------------------------------------------------------------- Standard

const TzxStandardLookAndFeelPainter& TzxStandardLookAndFeelPainter::Instance() {
  static const TzxStandardLookAndFeelPainter p;
  return p;
}

void TzxStandardLookAndFeelPainter::PaintBorder(TPainterCanvas& canvas, const TRect& rect) const {
  TRect r = rect;
  canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
  InflateRect(r, -1, -1);
  canvas.DrawComplexFrame(r, cl3DDkShadow, cl3DLight);
}

void TzxStandardLookAndFeelPainter::PaintButtonBorder(TPainterCanvas& canvas, const TRect& rect,
                                                      TzxButtonState state) const {
  TRect r = rect;
  if (state == zxbsDefault || state == zxbsPressed) {
    canvas.FrameRect(r, TColor(0));
    InflateRect(r, -1, -1);
  }
  if (state == zxbsPressed) {
    canvas.DrawComplexFrame(r, clBtnShadow, clBtnShadow);
    return;
  }
  canvas.DrawComplexFrame(r, clBtnHighlight, cl3DDkShadow);
  InflateRect(r, -1, -1);
  canvas.DrawComplexFrame(r, cl3DLight, clBtnShadow);
}

void TzxStandardLookAndFeelPainter::PaintExpandButton(TPainterCanvas& canvas, const TRect& rect, TColor color,
                                                      bool expanded) const {
  TRect r = rect;
  canvas.DrawComplexFrame(r, clBtnHighlight, cl3DDkShadow);
  InflateRect(r, -1, -1);
  canvas.DrawComplexFrame(r, clBtnFace, clBtnShadow, zxBordRight | zxBordBottom);
  TRect inner = Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
  canvas.SetBrushColor(color == clDefault ? clBtnFace : color);
  canvas.FillRect(inner);
  PlusMinus(canvas, rect, clBtnText, expanded);
}

void TzxStandardLookAndFeelPainter::PaintCheckBorder(TPainterCanvas& canvas, const TRect& rect, TzxButtonState) const {
  TRect r = rect;
  canvas.DrawComplexFrame(r, cl3DDkShadow, cl3DLight);
  InflateRect(r, -1, -1);
  canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
}

void TzxStandardLookAndFeelPainter::PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors,
                                                      unsigned borders) const {
  canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow, borders);
  TCanvas& dc = *canvas.Canvas;
  if (neighbors & zxBordLeft) {
    dc.SetPixel(r.Left, r.Top + 1, clBtnFace);
    dc.SetPixel(r.Left, r.Bottom - 2, clBtnFace);
  }
  if (neighbors & zxBordRight) {
    dc.SetPixel(r.Right - 1, r.Top, clBtnHighlight);
    dc.SetPixel(r.Right - 1, r.Top + 1, clBtnFace);
    dc.SetPixel(r.Right - 1, r.Bottom - 2, clBtnFace);
  }
}

void TzxStandardLookAndFeelPainter::PaintFooterCellBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
}

void TzxStandardLookAndFeelPainter::PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& rect,
                                                       TzxScrollBarPart part, TzxButtonState state) const {
  if (IsRectEmpty(rect) || (part == zxsbpThumb && state == zxbsDisabled) || part == zxsbpNone) return;
  if (state == zxbsHot) state = zxbsNormal;
  TRect r = rect;
  switch (part) {
    case zxsbpLineUp:
    case zxsbpLineDown: {
      canvas.SetBrushColor(clBtnFace);
      canvas.FillRect(r);
      TRect a = r;
      InflateRect(a, -3, -3);
      PaintScrollArrow(canvas, a, ArrowOf(part, horizontal), state);
      const bool pressed = state == zxbsPressed;
      canvas.DrawComplexFrame(r, pressed ? clBtnShadow : clBtnFace, pressed ? clBtnShadow : cl3DDkShadow);
      InflateRect(r, -1, -1);
      canvas.DrawComplexFrame(r, pressed ? clBtnFace : clBtnHighlight, pressed ? clBtnFace : clBtnShadow);
      break;
    }
    case zxsbpThumb:
      canvas.DrawComplexFrame(r, clBtnFace, cl3DDkShadow);
      InflateRect(r, -1, -1);
      canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
      InflateRect(r, -1, -1);
      canvas.SetBrushColor(clBtnFace);
      canvas.FillRect(r);
      break;
    default:
      PaintPageArea(canvas, r, state == zxbsPressed);
      break;
  }
}

void TzxStandardLookAndFeelPainter::PaintSplitterBorder(TPainterCanvas& canvas, const TRect& rect, bool horizontal,
                                                        const TPainterBackground& background) const {
  TRect r = rect;
  const unsigned first = horizontal ? zxBordTop : zxBordLeft, second = horizontal ? zxBordBottom : zxBordRight;
  auto grow = [&] {
    if (horizontal)
      r.Left -= 1, r.Right += 1, r.Top += 1, r.Bottom -= 1;
    else
      r.Top -= 1, r.Bottom += 1, r.Left += 1, r.Right -= 1;
  };
  canvas.FrameRect(r, clBtnFace, first);
  canvas.FrameRect(r, cl3DDkShadow, second);
  grow();
  canvas.FrameRect(r, clBtnHighlight, first);
  canvas.FrameRect(r, clBtnShadow, second);
  grow();
  canvas.FrameAndFill(r, background, 0, clDefault, 0);
}

void TzxStandardLookAndFeelPainter::PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
}

void TzxStandardLookAndFeelPainter::PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& rect,
                                                             TzxButtonState state, unsigned sides) const {
  TRect r = rect;
  if (state == zxbsPressed) {
    canvas.DrawComplexFrame(r, clBtnShadow, clBtnShadow, sides);
    return;
  }
  canvas.DrawComplexFrame(r, clBtnHighlight, cl3DDkShadow, sides);
  InflateRect(r, -1, -1);
  canvas.DrawComplexFrame(r, cl3DLight, clBtnShadow, sides);
}

void TzxStandardLookAndFeelPainter::PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortArrowLines(canvas, r, ascending, clBtnHighlight, clBtnShadow);
}

void TzxStandardLookAndFeelPainter::PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& rect,
                                                              TzxButtonState state, bool active) const {
  TRect r = rect;
  if (state == zxbsPressed)
    canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
  else
    canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
  InflateRect(r, -1, -1);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(r);
  PaintArrowGlyph(canvas, r, active ? TColor(0x00FF0000) : clBtnText);
}

void TzxStandardLookAndFeelPainter::PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool, unsigned sides) const {
  canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow, sides);
}

// ---------------------------------------------------------------- Flat

const TzxFlatLookAndFeelPainter& TzxFlatLookAndFeelPainter::Instance() {
  static const TzxFlatLookAndFeelPainter p;
  return p;
}

void TzxFlatLookAndFeelPainter::PaintBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
}

void TzxFlatLookAndFeelPainter::PaintButtonBorder(TPainterCanvas& canvas, const TRect& rect,
                                                  TzxButtonState state) const {
  TRect r = rect;
  if (state == zxbsPressed) {
    canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
    return;
  }
  if (state == zxbsDefault) {
    canvas.FrameRect(r, TColor(0));
    InflateRect(r, -1, -1);
  }
  canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
}

void TzxFlatLookAndFeelPainter::PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color,
                                                  bool expanded) const {
  PaintButton(canvas, r, QString(), zxbsNormal, true, color);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  PlusMinus(canvas, inner, clBtnText, expanded);
}

void TzxFlatLookAndFeelPainter::PaintCheckBorder(TPainterCanvas& canvas, const TRect& rect,
                                                 TzxButtonState state) const {
  TRect r = rect;
  canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight);
  InflateRect(r, -1, -1);
  canvas.FrameRect(r, CheckFaceColor(state));
}

void TzxCustomLookAndFeelPainter::PaintFlatScrollBarPart(TPainterCanvas& canvas, const TRect& rect,
                                                         TzxScrollBarPart part, TzxButtonState state, bool horizontal,
                                                         bool keepHot, bool shrink) const {
  if (IsRectEmpty(rect) || (part == zxsbpThumb && state == zxbsDisabled) || part == zxsbpNone) return;
  if (state == zxbsHot && !keepHot) state = zxbsNormal;
  if (part == zxsbpPageUp || part == zxsbpPageDown) {
    PaintPageArea(canvas, rect, state == zxbsPressed);
    return;
  }
  PaintButton(canvas, rect, QString(), state, true);
  TRect r = rect;
  if (shrink) InflateRect(r, -ButtonBorderWidth(zxbsNormal), -ButtonBorderWidth(zxbsNormal));
  if (part != zxsbpThumb) {
    InflateRect(r, -2, -2);
    PaintScrollArrow(canvas, r, ArrowOf(part, horizontal), state);
  }
}

void TzxFlatLookAndFeelPainter::PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r,
                                                   TzxScrollBarPart part, TzxButtonState state) const {
  PaintFlatScrollBarPart(canvas, r, part, state, horizontal, false, true);
}

void TzxFlatLookAndFeelPainter::PaintSplitterBorder(TPainterCanvas& canvas, const TRect& rect, bool horizontal,
                                                    const TPainterBackground& background) const {
  TRect r = rect;
  canvas.FrameRect(r, clBtnHighlight, horizontal ? zxBordTop : zxBordLeft);
  canvas.FrameRect(r, clBtnShadow, horizontal ? zxBordBottom : zxBordRight);
  if (horizontal)
    r.Top += 1, r.Bottom -= 1, r.Left -= 1, r.Right += 1;
  else
    r.Left += 1, r.Right -= 1, r.Top -= 1, r.Bottom += 1;
  canvas.FrameAndFill(r, background, 0, clDefault, 0);
}

void TzxFlatLookAndFeelPainter::PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                         unsigned sides) const {
  if (state == zxbsPressed)
    canvas.DrawComplexFrame(r, clBtnShadow, clBtnHighlight, sides);
  else
    canvas.DrawComplexFrame(r, clBtnHighlight, clBtnShadow, sides);
}

// ---------------------------------------------------------------- UltraFlat

const TzxUltraFlatLookAndFeelPainter& TzxUltraFlatLookAndFeelPainter::Instance() {
  static const TzxUltraFlatLookAndFeelPainter p;
  return p;
}

TColor TzxUltraFlatLookAndFeelPainter::DefaultColor(int n) const {
  if (n == 7) return 0x00800000;
  if (n == 38) return clBtnShadow;
  return TzxCustomLookAndFeelPainter::DefaultColor(n);
}

void TzxUltraFlatLookAndFeelPainter::PaintBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.FrameRect(r, clBtnShadow);
}

TColor TzxUltraFlatLookAndFeelPainter::ButtonFaceColor(TzxButtonState state) const {
  if (state == zxbsHot) return BlendedSelectedColor();
  if (state == zxbsPressed) return BlendedPressedColor();
  return clBtnFace;
}

TRect TzxUltraFlatLookAndFeelPainter::ButtonFocusBounds(const TRect& r) const {
  TRect f = r;
  InflateRect(f, -3, -3);
  return IsRectEmpty(f) ? r : f;
}

TColor TzxUltraFlatLookAndFeelPainter::ButtonSignColor(TzxButtonState state) const {
  return state == zxbsPressed ? clHighlightText : TzxCustomLookAndFeelPainter::ButtonSignColor(state);
}

void TzxUltraFlatLookAndFeelPainter::PaintButtonBorder(TPainterCanvas& canvas, const TRect& rect,
                                                       TzxButtonState state) const {
  TRect r = rect;
  switch (state) {
    case zxbsDefault:
      canvas.FrameRect(r, clWindowFrame);
      InflateRect(r, -1, -1);
      canvas.FrameRect(r, clWindowFrame);
      break;
    case zxbsNormal:
      canvas.FrameRect(r, clBtnText);
      break;
    case zxbsDisabled:
      canvas.FrameRect(r, clBtnShadow);
      break;
    default:
      canvas.FrameRect(r, clHighlight);
      break;
  }
}

void TzxUltraFlatLookAndFeelPainter::PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color,
                                                       bool expanded) const {
  PaintSmallExpandButton(canvas, r, color == clDefault ? clBtnFace : color, clBtnShadow, expanded);
}

void TzxUltraFlatLookAndFeelPainter::PaintCheckBorder(TPainterCanvas& canvas, const TRect& rect,
                                                      TzxButtonState state) const {
  TRect r = rect;
  canvas.FrameRect(r, clBtnText);
  InflateRect(r, -1, -1);
  canvas.FrameRect(r, CheckFaceColor(state));
}

void TzxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned,
                                                       unsigned borders) const {
  canvas.FrameRect(r, clBtnText, (borders & (zxBordLeft | zxBordTop)) | zxBordRight | zxBordBottom);
}

void TzxUltraFlatLookAndFeelPainter::PaintFooterCellBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.FrameRect(r, FooterSeparatorColor());
}

void TzxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r,
                                                        TzxScrollBarPart part, TzxButtonState state) const {
  PaintFlatScrollBarPart(canvas, r, part, state, horizontal, true, false);
}

void TzxUltraFlatLookAndFeelPainter::PaintSplitterBorder(TPainterCanvas& canvas, const TRect& rect, bool horizontal,
                                                         const TPainterBackground& background) const {
  TRect r = rect;
  canvas.FrameRect(r, DefaultColor(38), horizontal ? zxBordTop | zxBordBottom : zxBordLeft | zxBordRight);
  if (horizontal)
    r.Top += 1, r.Bottom -= 1, r.Left -= 1, r.Right += 1;
  else
    r.Left += 1, r.Right -= 1, r.Top -= 1, r.Bottom += 1;
  canvas.FrameAndFill(r, background, 0, clDefault, 0);
}

void TzxUltraFlatLookAndFeelPainter::PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.FrameRect(r, FooterSeparatorColor(), zxBordRight | zxBordBottom);
}

void TzxUltraFlatLookAndFeelPainter::PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r,
                                                              TzxButtonState state, unsigned sides) const {
  const TColor c = state == zxbsDisabled ? clBtnShadow : TColor(0);
  canvas.DrawComplexFrame(r, c, c, sides);
}

void TzxUltraFlatLookAndFeelPainter::PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortArrowLines(canvas, r, ascending, clBtnShadow, clBtnShadow);
}

void TzxUltraFlatLookAndFeelPainter::PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& rect,
                                                               TzxButtonState state, bool active) const {
  TRect r = rect;
  canvas.FrameRect(r, ButtonFrameColor(state));
  InflateRect(r, -1, -1);
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
  PaintArrowGlyph(canvas, r, active ? TColor(0x00FF0000) : ButtonSignColor(state));
}

void TzxUltraFlatLookAndFeelPainter::PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical,
                                                   unsigned sides) const {
  canvas.DrawComplexFrame(r, TabBorderColor(), TabBorderColor(), sides, TabBorderWidth(vertical));
}

// ---------------------------------------------------------------- Office11

const TzxOffice11LookAndFeelPainter& TzxOffice11LookAndFeelPainter::Instance() {
  static const TzxOffice11LookAndFeelPainter p;
  return p;
}

TColor TzxOffice11LookAndFeelPainter::DefaultColor(int n) const {
  switch (n) {
    case 5:
    case 23:
    case 27:
      return Office11Colors().Office11MoreButtonsShadowColor;
    case 15:
      return Office11Colors().Office11BarBorderColor1;
    case 16:
      return Office11Colors().Office11LightTextColor;
    case 18:
    case 25:
    case 33:
      return Office11Colors().Office11DockColor1;
    case 19:
      return DefaultColor(26);
    case 21:
      return Office11Colors().Office11AuxColor1;
    case 24:
      return Office11Colors().Office11ToolbarColor1;
    case 34:
      return Office11Colors().Office11AuxColor2;
    case 35:
      return clWindowText;
    case 38:
      return Office11Colors().Office11AuxColor4;
    case 39:
      return Office11Colors().Office11AuxColor3;
    case 45:
    case 47:
      return Office11Colors().Office11DockColor2;
    default:
      return TzxUltraFlatLookAndFeelPainter::DefaultColor(n);
  }
}

TColor TzxOffice11LookAndFeelPainter::HeaderShadeColor() const { return Office11Colors().Office11ToolbarColor2; }
TColor TzxOffice11LookAndFeelPainter::HeaderLineDarkColor() const { return Office11Colors().Office11SeparatorDarkColor; }
TColor TzxOffice11LookAndFeelPainter::HeaderLineLightColor() const { return Office11Colors().Office11SeparatorLightColor; }
TColor TzxOffice11LookAndFeelPainter::HeaderTopLineColor() const {
  return MixColors(Office11Colors().Office11ToolbarColor1, Office11Colors().Office11ToolbarColor2, 50);
}

void TzxOffice11LookAndFeelPainter::PaintContent(TPainterCanvas& canvas, const TRect& bounds, const TRect& textBounds,
                                                 TzxButtonState state, TColor background, const TzxPainterText& text,
                                                 bool solid) const {
  TColor a, b;
  if (state == zxbsHot)
    a = b = Office11Colors().Office11ToolbarColor1;
  else
    a = HeaderTopLineColor(), b = HeaderShadeColor();
  if (solid) {
    FillRectWithColor(*canvas.Canvas, bounds, a);
  } else {
    FillRectWithColor(*canvas.Canvas, Rect(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom - 3), a);
    FillGradient(*canvas.Canvas, Rect(bounds.Left, bounds.Bottom - 4, bounds.Right, bounds.Bottom), a, b, false);
  }
  TzxCustomLookAndFeelPainter::PaintContent(canvas, bounds, textBounds, state, clNone, text, solid);
  if (state == zxbsHot)
    FillGradient(*canvas.Canvas, Rect(bounds.Left - 1, bounds.Bottom - 2, bounds.Right, bounds.Bottom + 1),
                 Office11Colors().Office11HotColor1, Office11Colors().Office11HotColor2, false);
  (void)background;
}

void TzxOffice11LookAndFeelPainter::PaintBorder(TPainterCanvas& canvas, const TRect& r) const {
  canvas.FrameRect(r, Office11Colors().Office11ControlBorderColor);
}

TColor TzxOffice11LookAndFeelPainter::ButtonFaceColor(TzxButtonState state) const {
  switch (state) {
    case zxbsHot:
      return Office11Colors().Office11HotColor1;
    case zxbsPressed:
      return Office11Colors().Office11PressedColor1;
    case zxbsDisabled:
      return clBtnFace;
    default:
      return Office11Colors().Office11DockColor1;
  }
}

TColor TzxOffice11LookAndFeelPainter::ButtonSignColor(TzxButtonState state) const {
  if (state == zxbsPressed && !Office11XPScheme()) return clHighlightText;
  if (state == zxbsDisabled) return Office11Colors().Office11DisabledTextColor;
  return Office11Colors().Office11TextColor;
}

void TzxOffice11LookAndFeelPainter::PaintButtonBorder(TPainterCanvas& canvas, const TRect& r,
                                                      TzxButtonState state) const {
  switch (state) {
    case zxbsDefault:
      TzxUltraFlatLookAndFeelPainter::PaintButtonBorder(canvas, r, state);
      break;
    case zxbsNormal:
      canvas.FrameRect(r, clBtnText);
      break;
    case zxbsDisabled:
      canvas.FrameRect(r, Office11Colors().Office11DisabledTextColor);
      break;
    default:
      canvas.FrameRect(r, Office11Colors().Office11SelectedBorderColor);
      break;
  }
}

TColor TzxOffice11LookAndFeelPainter::CheckFaceColor(TzxButtonState state) const {
  return state == zxbsHot || state == zxbsPressed || state == zxbsDisabled ? ButtonFaceColor(state) : clWindow;
}

void TzxOffice11LookAndFeelPainter::PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors,
                                                      unsigned borders) const {
  const TColor t = HeaderTopLineColor(), s = HeaderShadeColor(), d = HeaderLineDarkColor(), l = HeaderLineLightColor();
  TCanvas& dc = *canvas.Canvas;
  if (borders & zxBordTop) FillRectWithColor(dc, Rect(r.Left, r.Top, r.Right, r.Top + 1), t);
  if (borders & zxBordBottom) FillRectWithColor(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), d);
  if (borders & zxBordLeft) {
    dc.SetPixel(r.Left, r.Top + 1, t);
    if (neighbors & zxBordLeft) {
      dc.SetPixel(r.Left, r.Top + 2, t);
      dc.SetPixel(r.Left, r.Bottom - 3, MixColors(t, s, 25));
      dc.SetPixel(r.Left, r.Bottom - 2, s);
      FillRectWithColor(dc, Rect(r.Left, r.Top + 2, r.Left + 1, r.Bottom - 3), l);
    } else {
      dc.SetPixel(r.Left, r.Bottom - 2, s);
      FillRectWithColor(dc, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 2), l);
    }
  }
  if (borders & zxBordRight) {
    if (neighbors & zxBordRight) {
      dc.SetPixel(r.Right - 1, r.Top + 1, t);
      dc.SetPixel(r.Right - 1, r.Top + 2, t);
      dc.SetPixel(r.Right - 1, r.Bottom - 3, MixColors(t, s, 25));
      dc.SetPixel(r.Right - 1, r.Bottom - 2, s);
      FillRectWithColor(dc, Rect(r.Right - 1, r.Top + 2, r.Right, r.Bottom - 3), d);
    } else {
      dc.SetPixel(r.Right - 1, r.Top, MixColors(t, d, 50));
      dc.SetPixel(r.Right - 1, r.Bottom - 2, MixColors(s, d, 50));
      FillRectWithColor(dc, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 2), d);
    }
  }
}

void TzxOffice11LookAndFeelPainter::PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r,
                                                       TzxScrollBarPart part, TzxButtonState state) const {
  // The visual style's scroll bar where it can be drawn, else the Standard one.
  if (ThemesUsable(ThemeSet(totScrollBar)))
    TzxWinXPLookAndFeelPainter::Instance().PaintScrollBarPart(canvas, horizontal, r, part, state);
  else
    TzxStandardLookAndFeelPainter::Instance().PaintScrollBarPart(canvas, horizontal, r, part, state);
}

void TzxOffice11LookAndFeelPainter::PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortArrowLines(canvas, r, ascending, HeaderLineLightColor(), HeaderLineDarkColor());
}

const TzxCustomLookAndFeelPainter& LookAndFeelPainterOf(TzxLookAndFeelKind kind, bool nativeStyle) {
  if (nativeStyle && ThemesUsable(ThemeSet(totButton))) return TzxWinXPLookAndFeelPainter::Instance();
  switch (kind) {
    case lfFlat:
      return TzxFlatLookAndFeelPainter::Instance();
    case lfUltraFlat:
      return TzxUltraFlatLookAndFeelPainter::Instance();
    case lfOffice11:
      return TzxOffice11LookAndFeelPainter::Instance();
    default:
      return TzxStandardLookAndFeelPainter::Instance();
  }
}

}  // namespace zyn
