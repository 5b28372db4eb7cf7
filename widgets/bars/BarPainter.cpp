#include "widgets/bars/BarPainter.h"

#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/PaintUtils.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace zyn {

const TzbBarItemControlPainter& TzbBarItemControlPainter::Instance() {
  static const TzbBarItemControlPainter painter;
  return painter;
}

void TzbBarItemControlPainter::FrameWith(TCanvas& dc, const TRect& r, const TBrush& brush) {
  if (IsRectEmpty(r)) return;
  const TBrush saved = dc.Brush;
  dc.Brush = brush;
  dc.FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
  dc.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  dc.FillRect(Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1));
  dc.FillRect(Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1));
  dc.Brush = saved;
}

void TzbBarItemControlPainter::FillWith(TCanvas& dc, const TRect& r, const TBrush& brush) {
  if (IsRectEmpty(r)) return;
  const TBrush saved = dc.Brush;
  dc.Brush = brush;
  dc.FillRect(r);
  dc.Brush = saved;
}

QImage TzbBarItemControlPainter::GlyphOf(const TzbBarItemControl& c, int view, bool& fromImageList) {
  fromImageList = false;
  QImage glyph = c.Link().RealGlyph();
  if (!glyph.isNull()) return glyph;
  if (!c.Link().Item()) return QImage();
  glyph = c.Parent().ImageOf(*c.Link().Item(), view);
  fromImageList = !glyph.isNull();
  return glyph;
}

// ---------------------------------------------------------------- glyph cells

void TzbBarItemControlPainter::DrawEmptyImageCell(const TzbBarItemControl& c, TCanvas& dc, TRect r, const TBrush& brush,
                                                  const TzbButtonState& s) const {
  if (s.Fits) InflateRect(r, -1, -1);
  if (!HasOwnBackgrounds()) {
    const bool solid = (!KeepsImageCellClear() && (s.Pressed || s.Down || s.Selected)) || c.NonRecent;
    FillItemBackground(c, dc, solid, brush, r);
  }
  if (s.View == 1 && s.Down) {
    const bool small = c.Parent().FontPointSize() < 16;
    const int scale = small ? 1 : 2;
    const int w = 9 * scale, h = 7 * scale;
    DrawCheckSign(c, dc, scale, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2);
  }
}

void TzbBarItemControlPainter::DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r,
                                             const TRect& glyphRect, const QImage& glyph, bool fromImageList,
                                             const TzbButtonState& s) const {
  if (s.Fits) InflateRect(r, -1, -1);
  bool painted = false;
  if (!c.NonRecent && !c.Parent().HasPlainBackground()) {
    const bool solid = (!KeepsImageCellClear() && (s.Pressed || s.Down || s.Selected)) || c.NonRecent;
    FillItemBackground(c, dc, solid, brush, r);
    painted = true;
  }
  TzbGlyphArgs a = ImageCellGlyphArgs(c, brush, r, glyphRect, glyph, fromImageList, s);
  a.Transparent = painted;
  DrawGlyph(dc, a);
}

void TzbBarItemControlPainter::DrawDropPartArrow(TCanvas& dc, const TRect& r, bool down, bool enabled, bool selected,
                                                 bool noEmboss) const {
  DrawArrowInRect(dc, r, down, noEmboss, enabled, selected);
}

void TzbBarItemControlPainter::DrawArrow(TCanvas& dc, const TRect& r, bool down, int size, bool selected, bool enabled,
                                         bool noEmboss) const {
  DrawArrowOfSize(dc, r, down, noEmboss, enabled, selected, size);
}

void TzbBarItemControlPainter::GetEditColors(const TzbBarItemControl& c, TColor& text, TColor& background) const {
  if (c.Enabled()) {
    text = clWindowText;
    background = clWindow;
  } else {
    text = clGrayText;
    background = c.Parent().CurrentBrush().Color;
  }
}

TColor TzbBarItemControlPainter::GetDisabledImageColor(const TzbBarWindow& w) const {
  return w.Manager().MakeDisabledImagesFaded ? MixColors(clBtnShadow, clWhite, 70) : clNone;
}

void TzbBarItemControlPainter::GetCaptionColors(const TzbBarItemControl&, bool enabled, bool selectedLook,
                                                bool flatDisabled, TColor& first, TColor& second) const {
  if (enabled) {
    first = second = (selectedLook && !flatDisabled) ? clHighlightText : clBtnText;
  } else if (selectedLook || flatDisabled) {
    first = second = clGrayText;
  } else {
    first = clBtnHighlight;
    second = clBtnShadow;
  }
}

// ---------------------------------------------------------------- quick button, grip, arrows

void TzbBarItemControlPainter::DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                            const TRect& r) const {
  FillWith(dc, r, brush);
  DrawClassicSizeGrip(dc, r);
}

void TzbBarItemControlPainter::DrawCaptionArrow(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  const int x = (r.Left + r.Right - 7) / 2;
  const int sum = r.Top + r.Bottom - 4;
  const int y = sum / 2 + ((sum % 2 != 0) ? 1 : 0);
  const TColor color = GetCaptionArrowColor(w, w.QuickButtonState());
  const TPen pen = dc.Pen;
  const TBrush brush = dc.Brush;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = SolidBrush(color);
  dc.Polygon({{x, y}, {x + 6, y}, {x + 3, y + 3}});
  dc.Pen = pen;
  dc.Brush = brush;
}

void TzbBarItemControlPainter::DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  if (!w.HasHiddenLinks()) return;
  if (w.IsVertical()) {
    DrawQuickButtonChevron(w, dc, r.Bottom - 9);
    DrawQuickButtonChevron(w, dc, r.Bottom - 5);
  } else {
    DrawQuickButtonChevron(w, dc, r.Left + 2);
    DrawQuickButtonChevron(w, dc, r.Left + 6);
  }
}

void TzbBarItemControlPainter::DrawTriangle(TCanvas& dc, int colorIndex, int width, int top, int left) const {
  DrawTriangleInColor(dc, SystemColor(colorIndex), width, top, left);
}

void TzbBarItemControlPainter::DrawTriangleInColor(TCanvas& dc, TColor color, int width, int top, int left) const {
  color = ColorToRGB(color);
  const TPen pen = dc.Pen;
  const TBrush brush = dc.Brush;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = SolidBrush(color);
  dc.Polygon({{left, top}, {left + width - 1, top}, {left + width / 2, top + width / 2}});
  dc.Pen = pen;
  dc.Brush = brush;
}

void TzbBarItemControlPainter::DrawMenuExpandButton(const TzbBarWindow& w, TCanvas& dc, bool selected, const TRect& r,
                                                    int expandHeight) const {
  const int n = GetExpandChevronLines(expandHeight);
  const TColor color = (FaceIsWhite() && selected) ? clBtnFace : clBtnText;
  const int x = (r.Left + r.Right - n - 1) / 2;
  const int y0 = r.Top + (expandHeight - 2 * n) / 2;
  const TPen saved = dc.Pen;
  dc.Pen = TPen{color, 1, psSolid};
  for (int i = 0; i < n; ++i) {
    const int y = y0 + i + (i >= n / 2 ? n / 2 : 0);
    dc.Polyline({{x, y}, {x + n / 2, y + n / 2}, {x + n + 1, y - 1}});
  }
  dc.Pen = saved;
}

void TzbBarItemControlPainter::DrawCenteredText(TCanvas& dc, const TRect& r, bool opaque, const QString& text,
                                                int offset) const {
  TRect t = r;
  OffsetRect(t, offset, offset);
  const TFont font = dc.Font;
  dc.Font.Color = clBtnText;
  if (opaque) FillWith(dc, r, SolidBrush(clBtnFace));
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  dc.DrawText(text, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc.Painter().restore();
  dc.Font = font;
}

// ---------------------------------------------------------------- item backgrounds and buttons

void TzbBarItemControlPainter::FillItemBackground(const TzbBarItemControl& c, TCanvas& dc, bool solid,
                                                  const TBrush& brush, const TRect& r) const {
  if (IsRectEmpty(r)) return;
  if (solid)
    FillWith(dc, r, brush);
  else
    c.Parent().PaintBackground(dc, r, c.NonRecent);
}

void TzbBarItemControlPainter::FrameItemBackground(const TzbBarItemControl& c, TCanvas& dc, bool solid,
                                                   const TBrush& brush, const TRect& r) const {
  if (IsRectEmpty(r)) return;
  if (solid) {
    FrameWith(dc, r, brush);
    return;
  }
  FillItemBackground(c, dc, false, brush, Rect(r.Left, r.Top, r.Right, r.Top + 1));
  FillItemBackground(c, dc, false, brush, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  FillItemBackground(c, dc, false, brush, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1));
  FillItemBackground(c, dc, false, brush, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1));
}

void TzbBarItemControlPainter::DrawDisabledRect(TCanvas& dc, const TRect& r) const {
  FillWith(dc, r, SolidBrush(clBtnShadow));
}

void TzbBarItemControlPainter::DrawButton(const TzbBarItemControl& c, const TRect& r, const TzbButtonState& state,
                                          bool captionOnly, bool wholeRect) const {
  TzbButtonState s = state;
  const TzbBarManager& m = c.Parent().Manager();
  TRect cell = r;
  if (!wholeRect) {
    if (s.View == 0) cell.Right = std::min(r.Right, r.Left + m.ButtonWidth());
    if (s.View == 2) cell.Bottom = std::min(r.Bottom, r.Top + m.ButtonHeight());
  }
  bool fromList = false;
  QImage glyph = captionOnly ? QImage() : GlyphOf(c, s.View, fromList);
  s.NoGlyph = captionOnly || glyph.isNull();
  TRect glyphRect;
  if (!s.NoGlyph) {
    int gw = glyph.width(), gh = glyph.height();
    if (s.View == 1 && m.StretchGlyphs) {
      gw = cell.Width() * gw / 19;
      gh = cell.Height() * gh / 19;
      if (gw > 0 && gh > 0 && (gw != glyph.width() || gh != glyph.height())) glyph = glyph.scaled(gw, gh);
    } else if (s.View != 1 && m.LargeIcons()) {
      if (m.UseLargeImagesForLargeIcons && m.LargeImagesWidth > 0)
        gw = gh = m.LargeImagesWidth;
      else
        gw *= 2, gh *= 2;
      glyph = glyph.scaled(gw, gh);
    }
    glyphRect = Bounds(cell.Left + (cell.Width() - gw) / 2, cell.Top + (cell.Height() - gh) / 2, gw, gh);
    int offset = 0;
    if (s.Down) offset += GetDownGlyphOffset();
    if (s.Pressed) offset += GetPressedGlyphOffset(c, s.Down);
    OffsetRect(glyphRect, offset, offset);
  }
  DrawButtonFace(c, cell, glyphRect, glyph, fromList, s);
}

void TzbBarItemControlPainter::DrawButtonFace(const TzbBarItemControl& c, const TRect& r, const TRect& glyphRect,
                                              const QImage& glyph, bool fromImageList, TzbButtonState s) const {
  TCanvas& dc = c.Parent().Canvas();
  const TBrush brush = GetButtonBrush(c, s);
  const int inner = s.NoGlyph ? c.Parent().Manager().ImageSize() : 0;
  const int gw = s.NoGlyph ? inner : glyphRect.Width(), gh = s.NoGlyph ? inner : glyphRect.Height();
  s.Fits = r.Width() >= gw + 2 && r.Height() >= gh + 2;
  auto cell = [&]() {
    if (s.NoGlyph)
      DrawEmptyImageCell(c, dc, r, brush, s);
    else
      DrawImageCell(c, dc, brush, r, glyphRect, glyph, fromImageList, s);
  };
  if (HasOwnBackgrounds()) {
    DrawButtonEdge(c, dc, r, brush, s);
    cell();
  } else {
    cell();
    DrawButtonEdge(c, dc, r, brush, s);
  }
}

void TzbBarItemControlPainter::DrawCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& text, const TRect& r,
                                           int alignment, bool enabled, bool selectedLook, bool vertical, bool clip,
                                           bool notSelected) const {
  TColor first, second;
  GetCaptionColors(c, enabled, selectedLook, UsesFlatSelection() && notSelected, first, second);
  unsigned flags = DT_SINGLELINE | DT_VCENTER | (alignment == 1 ? DT_CENTER : alignment == 2 ? DT_RIGHT : DT_LEFT);
  if (!clip) flags |= DT_NOCLIP;
  const TFont font = dc.Font;
  const TBrush brush = dc.Brush;
  dc.Brush.Style = bsClear;
  if (clip) {
    dc.Painter().save();
    dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  }
  if (vertical) {
    // Rotated text of a vertical bar, reading downwards: placed by its extent (centred across,
    // aligned along), the accelerator underlined by hand.
    QString plain;
    int accel = -1;
    for (int i = 0; i < text.size(); ++i) {
      if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
        ++i;
        if (text[i] != QLatin1Char('&') && accel < 0) accel = static_cast<int>(plain.size());
      }
      plain += text[i];
    }
    const QFontMetrics fm(dc.Font.Font);
    const int along = fm.horizontalAdvance(plain), across = fm.height();
    const int start = alignment == 1 ? (r.Height() - along) / 2 : alignment == 2 ? r.Height() - along : 0;
    auto paint = [&](TColor color, int shift) {
      QPainter& p = dc.Painter();
      p.save();
      p.translate(r.Left + (r.Width() + across) / 2 + shift, r.Top + start + shift);
      p.rotate(90);
      p.setFont(dc.Font.Font);
      p.setPen(ToQColor(color));
      p.drawText(QRect(0, 0, along, across), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, plain);
      if (accel >= 0)
        p.fillRect(QRect(fm.horizontalAdvance(plain.left(accel)), fm.ascent() + 1,
                         fm.horizontalAdvance(plain.mid(accel, 1)), 1),
                   ToQColor(color));
      p.restore();
    };
    if (first != second) paint(first, 1);
    paint(second, 0);
  } else {
    if (first != second) {
      TRect shifted = r;
      OffsetRect(shifted, 1, 1);
      dc.Font.Color = first;
      dc.DrawText(text, shifted, flags);
    }
    TRect place = r;
    dc.Font.Color = second;
    dc.DrawText(text, place, flags);
  }
  if (clip) dc.Painter().restore();
  dc.Font = font;
  dc.Brush = brush;
}

void TzbBarItemControlPainter::DrawStaticBorder(const TzbBarItemControl&, TCanvas& dc, TzbBarStaticBorderStyle style,
                                                int width, TRect& r) const {
  switch (style) {
    case sbsNone:
      return;
    case sbsLowered: {
      TRect e = r;
      dc.DrawEdge(e, BDR_SUNKENOUTER, BF_RECT);
      InflateRect(r, -width, -width);
      return;
    }
    case sbsRaised: {
      TRect e = r;
      dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
      InflateRect(r, -width, -width);
      return;
    }
    case sbsEtched: {
      TRect e = r;
      dc.DrawEdge(e, EDGE_ETCHED, BF_RECT);
      InflateRect(r, -width, -width);
      return;
    }
    case sbsBump: {
      TRect e = r;
      dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
      InflateRect(r, -1, -1);
      e = r;
      dc.DrawEdge(e, BDR_SUNKENOUTER, BF_RECT);
      InflateRect(r, -1, -1);
      return;
    }
  }
}

void TzbBarItemControlPainter::GetDropButtonColors(const TzbBarItemControl& c, bool, bool, int& arrowColorIndex,
                                                   TBrush& brush) const {
  arrowColorIndex = COLOR_BTNTEXT;
  brush = c.Parent().CurrentBrush();
}

void TzbBarItemControlPainter::GetDropButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed,
                                                        TColor& arrowColor, TBrush& brush) const {
  int index = COLOR_BTNTEXT;
  GetDropButtonColors(c, selected, pressed, index, brush);
  arrowColor = SystemColor(index);
}

void TzbBarItemControlPainter::GetComboButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed,
                                                         TColor& arrowColor, TBrush& brush) const {
  int index = COLOR_BTNTEXT;
  GetComboButtonColors(c, selected, pressed, index, brush);
  arrowColor = SystemColor(index);
}

TBrush TzbBarItemControlPainter::GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState&) const {
  return c.Parent().CurrentBrush();
}

int TzbBarItemControlPainter::GetMenuImageColumnWidth(const TzbBarItemControl& c) const {
  return c.Parent().IsMenu() ? c.Parent().ItemHeight() + 1 : 0;
}

int TzbBarItemControlPainter::GetDropArrowWidth(const TzbBarManager& m) const {
  int w = m.ButtonArrowWidth() * (m.LargeIcons() ? 2 : 1);
  if (w % 2 == 0) ++w;
  return w;
}

int TzbBarItemControlPainter::GetLargeDropArrowWidth(const TzbBarManager& m) const { return m.LargeButtonArrowWidth(); }

// ---------------------------------------------------------------- backgrounds and brushes

void TzbBarItemControlPainter::DrawDockBackground(TCanvas& dc, const TBrush& brush, const TRect& r) const {
  FillWith(dc, r, brush);
}

TBrush TzbBarItemControlPainter::GetLightFaceBrush(const TzbBarManager& m) const { return SolidBrush(m.BrushColor(2)); }

void TzbBarItemControlPainter::DrawDockedBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                       const TRect& r, const TRect&) const {
  if (const TzbDockControl* dock = w.DockControl())
    dock->PaintBackgroundAt(dc, brush, r, w.ClientOriginInDock());
  else
    FillWith(dc, r, brush);
}

void TzbBarItemControlPainter::FillOwnerGap(const TzbBarWindow& w, TCanvas& dc) const {
  const TRect gap = w.OwnerGapRect();
  if (!IsRectEmpty(gap)) FillWith(dc, gap, GetLightFaceBrush(w.Manager()));
}

void TzbBarItemControlPainter::InvalidateQuickButton(TzbBarWindow& w) const {
  const TRect r = GetQuickButtonRect(w);
  if (IsRectEmpty(r)) return;
  if (!w.IsFloating()) {
    w.InvalidateClientRect(r);
    return;
  }
  DrawCaptionArrowButton(w, w.FrameCanvas(), r);
  w.ShowFrameNow(r);
}
TBrush TzbBarItemControlPainter::GetBarBrush(const TzbBarWindow&) const { return SolidBrush(clBtnFace); }
TBrush TzbBarItemControlPainter::GetBarCheckedBrush(const TzbBarWindow&) const { return CheckedBrush(); }
TBrush TzbBarItemControlPainter::GetBarFaceBrush(const TzbBarWindow&) const { return SolidBrush(clBtnFace); }
TBrush TzbBarItemControlPainter::GetBarHighlightBrush(const TzbBarWindow&) const { return SolidBrush(clHighlight); }

// ---------------------------------------------------------------- bar windows

void TzbBarItemControlPainter::DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                                             const TRect& r) const {
  const int m = GetSeparatorMargin();
  TRect rest = r;
  if (vertical) {
    FillWith(dc, Rect(r.Left, r.Top, r.Right, r.Top + m), brush);
    FillWith(dc, Rect(r.Left, r.Bottom - m, r.Right, r.Bottom), brush);
    rest.Top += m;
    rest.Bottom -= m;
    dc.DrawEdge(rest, EDGE_ETCHED, BF_TOP);
  } else {
    FillWith(dc, Rect(r.Left, r.Top, r.Left + m, r.Bottom), brush);
    FillWith(dc, Rect(r.Right - m, r.Top, r.Right, r.Bottom), brush);
    rest.Left += m;
    rest.Right -= m;
    dc.DrawEdge(rest, EDGE_ETCHED, BF_LEFT);
  }
}

void TzbBarItemControlPainter::DrawCaptionButtonBackground(const TzbBarWindow& w, TCanvas& dc, int state,
                                                           const TRect& r) const {
  if (state == 0) {
    FillWith(dc, r, SolidBrush(GetCaptionColor(true)));
    return;
  }
  FrameWith(dc, r, SolidBrush(clHighlight));
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FillWith(dc, inner, state == 1 ? GetBarHighlightBrush(w) : GetBarFaceBrush(w));
}

void TzbBarItemControlPainter::FillFloatingCaption(const TzbBarWindow&, TCanvas& dc, const TBrush& brush,
                                                   const TRect& r) const {
  FillWith(dc, r, brush);
}

void TzbBarItemControlPainter::AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const {
  textRect.Left = GetQuickButtonRect(w).Right + 3;
}

void TzbBarItemControlPainter::DrawFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                   const TRect& r) const {
  FillWith(dc, Rect(r.Left, r.Bottom, r.Right, r.Bottom + 1), brush);
  if (FillsFloatingCaption()) FillFloatingCaption(w, dc, brush, r);
  TRect text = r;
  text.Left += 2;
  const TzbBar* bar = w.Bar();
  if (bar && bar->AllowClose) {
    const int size = GetSmallCaptionHeight();
    const TRect close = Rect(r.Right - size, r.Top, r.Right, r.Bottom);
    DrawCloseButton(w, dc, close);
    text.Right = close.Left;
  }
  if (w.ShowsQuickButton()) AdjustCaptionForArrow(w, text);
  const TFont font = dc.Font;
  const TBrush saved = dc.Brush;
  QFont f = w.Manager().Font;
  if (w.Manager().UseSystemFont) f = QApplication::font();
  if (f.pixelSize() > 0 && f.pixelSize() <= 10) f.setPixelSize(11);
  dc.Font.Font = f;
  dc.Font.Color = GetCaptionTextColor();
  if (!FillsFloatingCaption()) {
    FillWith(dc, text, SolidBrush(GetCaptionColor(w.FormActive())));
  }
  dc.Brush.Style = bsClear;
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(text), Qt::IntersectClip);
  TRect place = text;
  if (bar) dc.DrawText(ToQString(bar->Caption()), place, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  dc.Painter().restore();
  dc.Font = font;
  dc.Brush = saved;
  if (w.ShowsQuickButton()) DrawCaptionArrowButton(w, dc, GetQuickButtonRect(w));
}

// ---------------------------------------------------------------- menus

TBrush TzbBarItemControlPainter::GetMenuFrameBrush(const TzbBarWindow&) const { return SolidBrush(clBtnFace); }

void TzbBarItemControlPainter::DrawMenuFrame(const TzbBarWindow&, TCanvas& dc, const TRect& r) const {
  FillWith(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), SolidBrush(clBtnFace));
  FillWith(dc, Rect(r.Left, r.Top, r.Right, r.Top + 1), SolidBrush(clBtnFace));
  TRect e = r;
  dc.DrawEdge(e, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
}

void TzbBarItemControlPainter::DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                   const TRect& rect) const {
  TRect r = rect;
  if (w.HasTearOffBand()) r.Top -= 2;
  TRect e = r;
  dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
  InflateRect(r, -1, -1);
  FrameWith(dc, r, brush);
}

void TzbBarItemControlPainter::DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest,
                                                  const TRect& expand, bool expandHot) const {
  FillWith(dc, rest, w.CurrentBrush());
  if (IsRectEmpty(expand)) return;
  if (expandHot) {
    TRect e = expand;
    dc.DrawEdge(e, BDR_RAISEDINNER, BF_RECT);
    TRect inner = expand;
    InflateRect(inner, -1, -1);
    FillWith(dc, inner, w.NonRecentBrush());
  } else {
    FillWith(dc, expand, w.CurrentBrush());
  }
  DrawMenuExpandButton(w, dc, expandHot, expand, expand.Height());
}

void TzbBarItemControlPainter::DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip,
                                                 const TRect& r, TCanvas& dc) const {
  const int h = GetMenuSeparatorHeight();
  const TRect band = Rect(r.Left, r.Top - h, r.Right, r.Top);
  c.SeparatorRect = band;
  const int indent = GetMenuSeparatorIndent();
  const bool solid = c.NonRecent;
  const TBrush brush = w.CurrentBrush();
  FillItemBackground(c, dc, solid, brush, Rect(band.Left, band.Top, band.Right, band.Top + 4));
  FillItemBackground(c, dc, solid, brush, Rect(band.Left, band.Bottom - 4, band.Right, band.Bottom));
  FillItemBackground(c, dc, solid, brush, Rect(band.Left, band.Top + 4, band.Left + indent, band.Bottom - 4));
  FillItemBackground(c, dc, solid, brush, Rect(band.Right - indent, band.Top + 4, band.Right, band.Bottom - 4));
  TRect line = Rect(band.Left + indent, band.Top + 4, band.Right - indent, band.Bottom - 4);
  dc.DrawEdge(line, EDGE_ETCHED, BF_TOP);
}

// ---------------------------------------------------------------- text buttons and progress bars

void TzbBarItemControlPainter::DrawTextButton(TCanvas& dc, bool pushed, const QString& text, const TRect& rect) const {
  TRect r = rect;
  if (pushed) {
    dc.DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    FillWith(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), SolidBrush(clBtnText));
    FillWith(dc, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), SolidBrush(clBtnText));
    FillWith(dc, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), SolidBrush(clBtnFace));
    FillWith(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), SolidBrush(clBtnFace));
    FillWith(dc, Rect(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1), SolidBrush(clBtnShadow));
    FillWith(dc, Rect(r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1), SolidBrush(clBtnShadow));
    FillWith(dc, Rect(r.Left + 1, r.Top + 1, r.Right - 2, r.Top + 2), SolidBrush(clBtnHighlight));
    FillWith(dc, Rect(r.Left + 1, r.Top + 1, r.Left + 2, r.Bottom - 2), SolidBrush(clBtnHighlight));
    FillWith(dc, Bounds(r.Right - 2, r.Top + 1, 1, 1), SolidBrush(clBtnFace));
  }
  InflateRect(r, -2, -2);
  DrawCenteredText(dc, r, true, text, pushed ? 1 : 0);
}

void TzbBarItemControlPainter::DrawProgressBar(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TColor color,
                                               int orientation, bool smooth, int position, int min, int max) const {
  if (IsRectEmpty(r)) return;
  const bool vertical = orientation == 2;
  const int length = vertical ? r.Height() : r.Width();
  const int thickness = vertical ? r.Width() : r.Height();
  // An empty range fills nothing (no division by zero); positions outside the range are clamped.
  int filled = max > min ? MulDiv(length, std::clamp(position, min, max) - min, max - min) : 0;
  filled = std::clamp(filled, 0, length);
  auto part = [&](int from, int to) {
    return vertical ? Rect(r.Left, r.Top + from, r.Right, r.Top + to)
                    : Rect(r.Left + from, r.Top, r.Left + to, r.Bottom);
  };
  const TBrush background = c.Parent().CurrentBrush();
  if (smooth) {
    FillWith(dc, part(0, filled), SolidBrush(color));
  } else {
    const int block = std::max(1, thickness * 2 / 3);
    for (int a = 0; a < filled; a += block + 2) {
      FillWith(dc, part(a, std::min(a + block, filled)), SolidBrush(color));
      FillWith(dc, part(std::min(a + block, filled), std::min(a + block + 2, filled)), background);
    }
  }
  FillWith(dc, part(filled, length), background);
}

// ---------------------------------------------------------------- sub-items and menu measures

int TzbBarItemControlPainter::GetTearOffBandHeight(const TzbBarWindow& w) const { return w.BandCaptionHeight() + 3; }

namespace {
bool SubItemShowsCaption(const TzbBarItemControl& c) {
  const TzbBarItem* item = c.Link().Item();
  if (item && item->InheritsFrom(TCustomzbBarSubItem::kClassName))
    return static_cast<const TCustomzbBarSubItem*>(item)->ShowCaption();
  return true;
}
int CaptionTextWidth(const TzbBarItemControl& c) {
  return c.Parent().Canvas().TextWidth(ToQString(StripAmpersands(c.Link().RealCaption())));
}
bool OnMainMenuBar(const TzbBarItemControl& c) { return c.Parent().Bar() && c.Parent().Bar()->IsMainMenu(); }
}  // namespace

int TzbBarItemControlPainter::GetSubItemTextIndent(const TzbBarItemControl& c) const {
  return -c.Parent().FontHeightValue() / 2;
}

int TzbBarItemControlPainter::GetSubItemHeight(const TzbBarItemControl& c) const {
  const TzbBarWindow& w = c.Parent();
  if (w.IsMenu()) return w.ItemHeight();
  const TzbBarManager& m = w.Manager();
  bool fromList = false;
  const bool glyph = !GlyphOf(c, 0, fromList).isNull();
  const int extent = w.IsVertical() ? m.ButtonWidth() : m.ButtonHeight();
  int h = 0;
  if (glyph || !SubItemShowsCaption(c)) h = extent;
  if (SubItemShowsCaption(c)) h = std::max(h, w.ItemHeight());
  return h;
}

int TzbBarItemControlPainter::GetSubItemWidth(const TzbBarItemControl& c) const {
  const TzbBarWindow& w = c.Parent();
  if (w.IsMenu()) return CaptionTextWidth(c) + 2 * w.ItemHeight() + 3;
  const TzbBarManager& m = w.Manager();
  bool fromList = false;
  const bool glyph = !GlyphOf(c, 0, fromList).isNull();
  const bool caption = SubItemShowsCaption(c);
  int width = caption ? CaptionTextWidth(c) : 0;
  if (glyph || !caption)
    width += (w.IsVertical() ? m.ButtonHeight() : m.ButtonWidth()) + (caption ? 4 : 0);
  else
    width += 2 * GetSubItemTextIndent(c);
  if (!OnMainMenuBar(c)) width += w.ItemHeight() / 2;
  return width;
}

void TzbBarItemControlPainter::DrawSubItem(const TzbBarItemControl& c, TCanvas& dc, int view, bool selected,
                                           bool pressed, const TRect& r) const {
  TzbBarWindow& w = c.Parent();
  if (view == 1) {
    DrawMenuButton(c, dc, r, selected, false, false);
    const int a = w.ArrowSize();
    DrawArrow(dc, Rect(r.Right - r.Height(), r.Top, r.Right, r.Bottom), false, a, selected, c.Enabled(), true);
    return;
  }
  TzbButtonState s;
  s.View = view;
  s.Selected = selected;
  s.Pressed = pressed;
  bool fromList = false;
  const bool glyph = !GlyphOf(c, view, fromList).isNull();
  DrawButton(c, r, s, !glyph, true);
  TRect caption = r;
  // On a vertical bar the caption runs downwards after the glyph.
  const bool vertical = view == 2;
  if (vertical)
    caption.Top += glyph ? w.Manager().ButtonHeight() : GetSubItemTextIndent(c);
  else
    caption.Left += glyph ? w.Manager().ButtonWidth() : GetSubItemTextIndent(c);
  if (pressed && !IsMenuBarTitle(c)) OffsetRect(caption, 1, 1);
  // A menu-bar title that the painter fills with the highlight colour shows its caption in the
  // highlight text colour.
  const bool selectedLook = IsMenuBarTitle(c) && (selected || pressed);
  if (SubItemShowsCaption(c))
    DrawCaption(c, dc, ToQString(c.Link().RealCaption()), caption, 0, c.Enabled(), selectedLook, vertical, false,
                !selected);
  if (!OnMainMenuBar(c) && !vertical) {
    const int arrowLeft = caption.Left + CaptionTextWidth(c) + 2;
    DrawArrow(dc, Rect(arrowLeft, r.Top, r.Right, r.Bottom), true, w.ArrowSize() - 1, false, c.Enabled(), false);
  }
}

void TzbBarItemControlPainter::CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth,
                                               int& expandHeight, int& glyphReference) const {
  dropArrowWidth = lineHeight / 4 * 3 + 1;
  expandHeight = w.ZeroHeight() + 1;
  const int lines = GetExpandChevronLines(expandHeight);
  if (lines % 2 != 0) expandHeight = 2 * lines + 4;
  glyphReference = 19;
}

void TzbBarItemControlPainter::GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start,
                                                int& bottomLimit) const {
  const TRect client = w.ClientRect();
  const int top = w.HasTearOffBand() ? 0 : 2;
  start = Rect(w.SideStripWidth() + 2, top, client.Width() - 2, top);
  bottomLimit =
      scrolling ? std::numeric_limits<int>::max() : client.Height() - 2 - (w.ShowsExpandButton() ? w.ItemHeight() : 0);
}

void TzbBarItemControlPainter::CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width,
                                            int& height) const {
  width = itemsWidth == 0 && itemsHeight == 0 ? 100 : itemsWidth + w.SideStripWidth() + 6;
  if (itemsHeight < 3 || w.ShowsExpandButton()) itemsHeight += w.ItemHeight();
  height = itemsHeight + 4 + (w.HasTearOffBand() ? GetTearOffBandHeight(w) : 0);
}

void TzbBarItemControlPainter::DrawMenuScrollArrow(const TzbBarWindow& w, TCanvas& dc, bool up, const TRect& r) const {
  const int h = w.ItemHeight();
  const int e = h / 3 - 2, d = h / 3 - 1;
  if (e < 1) return;
  const int cx = w.SideStripWidth() + (r.Right - w.SideStripWidth()) / 2;
  std::vector<TPoint> pts;
  if (up) {
    const int base = r.Top + (h - d) / 2 + d - 1;
    pts = {{cx - e, base}, {cx + e, base}, {cx, base - e}};
  } else {
    const int base = r.Bottom - ((h - d) / 2 + d);
    pts = {{cx - e, base}, {cx + e, base}, {cx, base + e}};
  }
  const TPen pen = dc.Pen;
  const TBrush brush = dc.Brush;
  dc.Pen = TPen{clBtnText, 1, psSolid};
  dc.Brush = SolidBrush(clBtnText);
  dc.Polygon(pts);
  dc.Pen = pen;
  dc.Brush = brush;
}

// ---------------------------------------------------------------- flat look

void TzbBarItemControlPainter::DrawSelectionFrame(TCanvas& dc, const TRect& r) const {
  FrameWith(dc, r, SolidBrush((FaceIsBlack() || FaceBlackTextColored()) ? clHighlightText : clHighlight));
}

TBrush TzbBarItemControlPainter::GetFlatShadowBrush(const TzbBarWindow&) const { return SolidBrush(clBtnShadow); }

TzbGlyphArgs TzbBarItemControlPainter::ImageCellGlyphArgs(const TzbBarItemControl& c, const TBrush& brush,
                                                          const TRect& r, const TRect& glyphRect, const QImage& glyph,
                                                          bool fromImageList, const TzbButtonState& s) const {
  TzbGlyphArgs a;
  a.BackgroundBrush = brush;
  a.Area = r;
  a.GlyphRect = glyphRect;
  a.Image = glyph;
  a.FromImageList = fromImageList;
  a.ImageBackground = c.Parent().Manager().ImageListBkColor;
  a.TintColor = GetDisabledImageColor(c.Parent());
  a.KeepColours = c.HasDisabledImage(s.View);
  a.Hot = s.Selected;
  a.Down = s.Down;
  a.NoShadow = s.Pressed;
  a.Grayed = s.Grayed;
  return a;
}

// ---------------------------------------------------------------- edit, combo and spin items

namespace {

// The caption without its accelerator marks ("&&" stays one "&", a final "&" stays).
QString WithoutAmpersands(const QString& text) {
  QString s = text;
  for (int i = 0; i + 1 < s.size(); ++i)
    if (s[i] == QLatin1Char('&')) s.remove(i, 1);
  return s;
}

}  // namespace

void TzbBarItemControlPainter::DrawEditItemText(TCanvas& canvas, TRect r, const QString& text) const {
  canvas.FillRect(r);
  r.Left += 2;
  r.Right -= 2;
  AdjustListItemTextRect(r);
  const TBrush brush = canvas.Brush;
  canvas.Brush.Style = bsClear;
  canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  canvas.Brush = brush;
}

void TzbBarItemControlPainter::DrawComboListItem(TCanvas& canvas, const TRect& r, const QString& text,
                                                 bool selected) const {
  canvas.FillRect(r);
  canvas.TextOut(r.Left + 2, r.Top, text);
}

void TzbBarItemControlPainter::DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view, bool selected,
                                             bool) const {
  const TBrush current = c.Parent().CurrentBrush();
  if (selected) {
    TRect e = r;
    dc.DrawEdge(e, BDR_SUNKENOUTER, BF_RECT);
  } else {
    FrameItemBackground(c, dc, c.NonRecent, current, r);
  }
  InflateRect(r, -1, -1);
  const bool enabled = c.Enabled();
  FrameItemBackground(c, dc, selected || c.NonRecent || !enabled, enabled ? current : SolidBrush(clBtnHighlight), r);
  InflateRect(r, -1, -1);
}

void TzbBarItemControlPainter::DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption,
                                               bool selected, int view, TRect& r) const {
  const bool inMenu = view == 1;
  const TBrush current = c.Parent().CurrentBrush();
  TRect part = r;
  part.Right = std::min(r.Right, r.Left + dc.TextWidth(WithoutAmpersands(caption)) + 2);
  const bool highlight = selected && inMenu;
  FillItemBackground(c, dc, inMenu && (selected || c.NonRecent), highlight ? GetBarHighlightBrush(c.Parent()) : current,
                     part);
  DrawCaption(c, dc, caption, part, 0, c.Enabled(), highlight, false, false, !highlight);
  const TRect gap = Rect(part.Right, r.Top, std::min(r.Right, part.Right + 4), r.Bottom);
  FillItemBackground(c, dc, inMenu && c.NonRecent, current, gap);
  r.Left = gap.Right;
}

void TzbBarItemControlPainter::PaintEditText(TCanvas& dc, const TRect& r, const QString& text, TColor textColor,
                                             TColor background) const {
  if (IsRectEmpty(r)) return;
  QPainter& p = dc.Painter();
  p.save();
  p.setClipRect(ToQRect(r), Qt::IntersectClip);
  const TBrush brush = dc.Brush;
  const TColor fontColor = dc.Font.Color;
  dc.Brush = SolidBrush(background);
  dc.Font.Color = textColor;
  DrawEditItemText(dc, r, text);
  dc.Brush = brush;
  dc.Font.Color = fontColor;
  p.restore();
}

void TzbBarItemControlPainter::DrawEditText(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                            const QString& text, bool) const {
  TColor textColor = clWindowText, background = clWindow;
  GetEditColors(c, textColor, background);
  PaintEditText(dc, r, text, textColor, background);
}

void TzbBarItemControlPainter::SelectEditText(QLineEdit& edit, bool) const { edit.selectAll(); }

void TzbBarItemControlPainter::DrawComboArrow(TCanvas& dc, const TRect& inner, bool enabled, bool pressed,
                                              int colorIndex) const {
  DrawComboArrowInColor(dc, inner, enabled, pressed, SystemColor(colorIndex));
}

void TzbBarItemControlPainter::DrawComboArrowInColor(TCanvas& dc, const TRect& inner, bool enabled, bool pressed,
                                                     TColor color) const {
  int w = inner.Width() / 2;
  if (w % 2 == 0) ++w;
  int left = inner.Left + (inner.Width() - w) / 2;
  int top = inner.Top + (inner.Height() - (w / 2 + 1)) / 2;
  if (pressed) {
    ++left;
    ++top;
  }
  if (enabled) {
    DrawTriangleInColor(dc, color, w, top, left);
  } else {
    DrawTriangle(dc, COLOR_BTNHIGHLIGHT, w, top + 1, left + 1);
    DrawTriangle(dc, COLOR_BTNSHADOW, w, top, left);
  }
}

void TzbBarItemControlPainter::DrawClassicComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed,
                                                      const TRect& r) const {
  c.ButtonRect = r;
  int index = COLOR_BTNTEXT;
  TBrush face;
  GetComboButtonColors(c, selected, pressed, index, face);
  const TBrush current = c.Parent().CurrentBrush();
  const bool enabled = c.Enabled();
  TBrush gap = current;
  if (enabled && selected) {
    TRect e = r;
    dc.DrawEdge(e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    gap = enabled ? SolidBrush(clBtnHighlight) : current;
    FrameWith(dc, r, gap);
  }
  FillWith(dc, Rect(r.Left - 1, r.Top, r.Left, r.Bottom), gap);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  FillWith(dc, inner, face);
  DrawComboArrow(dc, inner, enabled, pressed, index);
}

void TzbBarItemControlPainter::DrawColorComboButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& rect,
                                                    TRect& inner, bool selected, bool pressed) const {
  const TBrush current = c.Parent().CurrentBrush();
  TRect r = rect;
  FrameItemBackground(c, dc, false, current, r);
  InflateRect(r, 0, -1);
  FrameItemBackground(c, dc, false, current, r);
  InflateRect(r, -1, -1);
  inner = r;
  TRect face = r;
  DrawSpinButtonFrame(c, dc, pressed, selected, selected, face);
  DrawColorComboDots(c, dc, r, selected, pressed, 1, FaceIsWhite() && selected ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

void TzbBarItemControlPainter::DrawColorComboDots(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  bool selected, bool pressed, int dotsAboveBottom,
                                                  int colorIndex) const {
  const int d = r.Width() / 7;
  if (d <= 0) return;
  TRect dot = Bounds(r.Left + d, r.Bottom - (dotsAboveBottom + 1) * d, d, d);
  OffsetContentForPressed(c, pressed, dot);
  for (int i = 0; i < 3; ++i) {
    if (c.Enabled())
      FillWith(dc, dot, SolidBrush(SystemColor(colorIndex)));
    else
      DrawDisabledRect(dc, dot);
    OffsetRect(dot, 2 * d, 0);
  }
}

void TzbBarItemControlPainter::CalcDropDownWindowNC(const TRect& window, TRect& client, bool hasStrip,
                                                    const TRect* itemOnScreen, int& corner) const {
  client = window;
  InflateRect(client, -1, -1);
  if (!hasStrip || !itemOnScreen) return;
  corner = GripCornerForRects(*itemOnScreen, window);
  if (corner == 0 || corner == 1)
    client.Top += GetDropDownStripHeight();
  else
    client.Bottom -= GetDropDownStripHeight();
}

void TzbBarItemControlPainter::DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window, bool hasStrip,
                                                    int corner, TRect& gripRect, TRect& closeRect, bool hot,
                                                    bool pressed) const {
  DrawDropDownWindowFrame(dc, window, hasStrip, false, corner, gripRect, closeRect, hot, pressed);
}

int TzbBarItemControlPainter::GetDropDownStripHeight() const { return DropDownFrameHeight(); }

TRect TzbBarItemControlPainter::SpinButtonPart(const TRect& r, int halfHeight, int button, bool extraRow) {
  if (button == 1) return Rect(r.Left, r.Top, r.Right, r.Top + halfHeight + (extraRow ? 1 : 0));
  return Rect(r.Left, r.Top + halfHeight, r.Right, r.Bottom);
}

void TzbBarItemControlPainter::DrawSpinArrow(TCanvas& dc, const TRect& part, int arrowWidth, int arrowSize, bool up,
                                             bool pressed, TColor color) {
  int x = part.Left + (part.Width() - arrowWidth) / 2;
  int y = part.Top + (part.Height() - arrowSize) / 2;
  if (pressed) {
    ++x;
    ++y;
  }
  const int d = arrowSize;
  std::vector<TPoint> pts;
  if (up)
    pts = {{x + d - 1, y}, {x, y + d - 1}, {x + 2 * d - 2, y + d - 1}};
  else
    pts = {{x, y}, {x + 2 * d - 2, y}, {x + d - 1, y + d - 1}};
  const TPen pen = dc.Pen;
  const TBrush brush = dc.Brush;
  dc.Pen = TPen{color, 1, psSolid};
  dc.Brush = zyn::SolidBrush(color);
  dc.Polygon(pts);
  dc.Pen = pen;
  dc.Brush = brush;
}

void TzbBarItemControlPainter::DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, int arrowWidth,
                                              int arrowSize, int halfHeight, bool selected, int button,
                                              int pressedButton, bool pressedLook) const {
  TRect part = SpinButtonPart(r, halfHeight, button, false);
  const bool pressed = pressedLook && pressedButton == button;
  TRect inner = part;
  DrawSpinButtonFrame(c, dc, pressed, selected, selected, inner);
  if (c.Enabled()) {
    DrawSpinArrow(dc, part, arrowWidth, arrowSize, button == 1, pressed, clBtnText);
  } else {
    TRect shifted = part;
    OffsetRect(shifted, 1, 1);
    DrawSpinArrow(dc, shifted, arrowWidth, arrowSize, button == 1, pressed, clBtnHighlight);
    DrawSpinArrow(dc, part, arrowWidth, arrowSize, button == 1, pressed, clBtnShadow);
  }
}

void TzbBarItemControlPainter::DrawSpinEditSides(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const {
  FillItemBackground(c, dc, false, c.Parent().CurrentBrush(), Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
  FillItemBackground(c, dc, false, c.Parent().CurrentBrush(), Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
  r.Left += 1;
  r.Right -= 1;
}

// ---------------------------------------------------------------- status bars, menu fills, sub-items

void TzbBarItemControlPainter::GetSizeGripSize(const TzbBarManager&, int& width, int& height) const {
  width = SM_CXVSCROLL_VALUE;  // the scroll bar's width and height
  height = SM_CYHSCROLL_VALUE;
}

void TzbBarItemControlPainter::DrawSizeGripArea(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                const TRect& r) const {
  int gw = 0, gh = 0;
  GetSizeGripSize(w.Manager(), gw, gh);
  const int top = std::max(r.Top, r.Bottom - gh);
  FillWith(dc, Rect(r.Left, r.Top, r.Right, top), brush);
  DrawSizeGrip(w, dc, brush, Rect(r.Left, top, r.Right, r.Bottom));
}

void TzbBarItemControlPainter::FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
  FillWith(dc, r, SolidBrush(w.IsActive() ? clActiveCaption : clInactiveCaption));
}

void TzbBarItemControlPainter::DrawMenuBackgroundFill(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                      const TRect& r) const {
  FillBackground(dc, r, w.ClientRect(), w.Manager().Backgrounds().SubMenu(), brush);
}

void TzbBarItemControlPainter::DrawFloatingBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                                         const TRect& r, const TRect& barRect) const {
  FillBackground(dc, r, barRect, w.Manager().Backgrounds().Bar(), brush);
}

TBrush TzbBarItemControlPainter::GetInPlaceSubItemBrush() const { return SolidBrush(clBtnShadow); }

void TzbBarItemControlPainter::DrawInPlaceSubItem(const TzbBarItemControl& c, TCanvas& dc, const TRect& r,
                                                  const QString& caption, bool expanded, bool selected) const {
  if (IsRectEmpty(r)) return;
  const TzbBarWindow& w = c.Parent();
  FillWith(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), w.CurrentBrush());
  const TRect body = Rect(r.Left, r.Top, r.Right, r.Bottom - 1);
  FillWith(dc, body, selected ? GetBarHighlightBrush(w) : GetInPlaceSubItemBrush());
  TRect text = body;
  text.Left += 5;
  DrawCaption(c, dc, caption, text, 0, c.Enabled(), selected, false, false, !selected);
  if (c.Enabled()) {
    const int size = w.ArrowSize();
    DrawArrow(dc, Rect(body.Right - 2 * size - 2, body.Top, body.Right, body.Bottom), expanded, size, selected, true,
              true);
  }
}

}  // namespace zyn
