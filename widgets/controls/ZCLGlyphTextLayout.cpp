#include "widgets/controls/ZCLGlyphTextLayout.h"

#include "widgets/controls/ZCLProcs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zyn {

void TZCLGlyphTextLayout::SetAlignment(TZCLAlignment value) {
  if (value == fAlignment) return;
  fAlignment = value;
  Changed();
}

void TZCLGlyphTextLayout::SetAlignText2Glyph(TZCLTextArrange value) {
  if (value == fArrange) return;
  fArrange = value;
  Changed();
}

void TZCLGlyphTextLayout::SetOffset(int index, int value) {
  if (index < 0 || index > 1 || fOffset[index] == value) return;
  fOffset[index] = value;
  Changed();
}

void TZCLGlyphTextLayout::SetSpacing(int value) {
  if (value == fSpacing) return;
  fSpacing = value;
  Changed();
}

void TZCLButtonLayout::SetArrow(bool value) {
  if (value == fArrow) return;
  fArrow = value;
  Changed();
}

void TZCLButtonLayout::SetArrowColor(TColor value) {
  if (value == fArrowColor) return;
  fArrowColor = value;
  Changed();
}

void TZCLButtonLayout::SetArrowIndent(int value) {
  if (value == fArrowIndent) return;
  fArrowIndent = value;
  Changed();
}

void TZCLButtonLayout::SetArrowPosition(TZCLArrowPosition value) {
  if (value == fArrowPosition) return;
  fArrowPosition = value;
  Changed();
}

void TZCLButtonLayout::SetArrowSize(int value) {
  value = std::clamp(value, 2, 10);
  if (value == fArrowSize) return;
  fArrowSize = value;
  Changed();
}

void TZCLButtonLayout::Assign(const TZCLButtonLayout& other) {
  BeginUpdate();
  SetAlignment(other.Alignment());
  SetAlignText2Glyph(other.AlignText2Glyph());
  SetOffset(0, other.OffsetX());
  SetOffset(1, other.OffsetY());
  SetSpacing(other.Spacing());
  fArrow = other.fArrow;
  fArrowColor = other.fArrowColor;
  fArrowIndent = other.fArrowIndent;
  fArrowPosition = other.fArrowPosition;
  fArrowSize = other.fArrowSize;
  EndUpdate(true);
}

namespace {

// Positions of text and glyph inside their block and the block's size.
void Arrange(TZCLTextArrange arrange, int tw, int th, int gw, int gh, int spacing, TPoint& t, TPoint& g, int& bw,
             int& bh) {
  const bool horizontal = arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
  if (horizontal) {
    bw = tw + spacing + gw;
    bh = std::max(th, gh);
    const int toff = (bh - th) / 2, goff = (bh - gh) / 2;
    switch (arrange) {
      case taLeft:
        t = {0, toff};
        g = {tw + spacing, goff};
        break;
      case taLeftTop:
        t = {0, toff};
        g = {tw + spacing, 0};
        break;
      case taRight:
        g = {0, goff};
        t = {gw + spacing, toff};
        break;
      default:
        g = {0, 1};
        t = {gw + spacing, toff};
        break;  // taRightTop
    }
  } else {
    bw = std::max(tw, gw);
    bh = th + spacing + gh;
    const int toff = (bw - tw) / 2, goff = (bw - gw) / 2;
    switch (arrange) {
      case taTop:
        t = {toff, 0};
        g = {goff, th + spacing};
        break;
      case taTopLeft:
        t = {toff, 0};
        g = {0, th + spacing};
        break;
      case taBottom:
        g = {goff, 0};
        t = {toff, gh + spacing};
        break;
      default:
        g = {0, 0};
        t = {toff, gh + spacing};
        break;  // taBottomLeft
    }
  }
}

// The pixels a rotated caption's origin is pulled back by for its style.
int RotationPullBack(const TZCL3DCaption& c) {
  int r = 0;
  switch (c.Style()) {
    case tdSunken:
    case tdRaised:
      r = c.LightDepth() / 2 - 1;
      break;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised:
      r = (c.LightDepth() + c.ShadowDepth()) / 2 - 1;
      break;
    case tdShadow:
    case tdExtrude:
    case tdExtrudeEnh:
      r = c.ShadowDepth() / 2 - 1;
      break;
    default:
      break;
  }
  return std::max(0, r);
}

constexpr unsigned kAlignmentFormat[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};

}  // namespace

TZCLGlyphTextPlacement PlaceGlyphText(const TZCLGlyphTextLayout& layout, const TRect& target, int tw, int th, int gw,
                                      int gh) {
  const bool text = tw > 0 && th > 0;
  const bool glyph = gw > 0 && gh > 0;
  const int spacing = (text && glyph) ? layout.Spacing() : 0;
  int bw = 0, bh = 0;
  TPoint t{0, 0}, g{0, 0};
  Arrange(layout.AlignText2Glyph(), tw, th, gw, gh, spacing, t, g, bw, bh);
  const TRect block = AlignRect(layout.Alignment(), Bounds(0, 0, bw, bh), target);
  TZCLGlyphTextPlacement out;
  out.Text =
      text ? Bounds(block.Left + t.X + 1 + layout.OffsetX(), block.Top + t.Y + 1 + layout.OffsetY(), tw, th) : TRect{};
  out.Glyph = glyph ? Bounds(block.Left + g.X + layout.OffsetX(), block.Top + g.Y + layout.OffsetY(), gw, gh) : TRect{};
  out.Union = UnionRect(out.Text, out.Glyph);
  return out;
}

TRect MeasureText(TCanvas& canvas, const QString& source, TZCL3DCaption* caption, unsigned format, int inflate,
                  bool prefix, bool multiLine, TRect r) {
  auto* fx = dynamic_cast<TZCLFxCaption*>(caption);
  const int depth = caption ? caption->Depth() : 0;
  if (fx && fx->Angle() != 0) {
    const int extra = canvas.CharacterExtra;
    canvas.CharacterExtra = fx->Tracing();
    const int w = canvas.TextWidth(source), h = canvas.TextHeight(source);
    canvas.CharacterExtra = extra;
    const TRect box = RotatedBounds(Rect(0, 0, w + depth, h + depth), fx->Angle());
    const double theta = fx->Angle() * M_PI / 180.0;
    const double cx = box.Width() / 2.0, cy = box.Height() / 2.0;
    const int back = RotationPullBack(*fx);
    fx->SetPos(0, static_cast<int>(std::lround(cx - (w / 2) * std::cos(theta) - (h / 2) * std::sin(theta))) - back);
    fx->SetPos(1, static_cast<int>(std::lround((w / 2) * std::sin(theta) + cy - (h / 2) * std::cos(theta))) - back);
    return box;
  }
  if (fx) {
    fx->SetPos(0, 0);
    fx->SetPos(1, 0);
  }
  format |= DT_CALCRECT | DT_EXPANDTABS;
  if (multiLine) format |= DT_WORDBREAK;
  if (!prefix) format |= DT_NOPREFIX;
  const QString text = (source.isEmpty() || (prefix && source == QLatin1String("&"))) ? QStringLiteral(" ") : source;
  TRect m = Rect(0, 0, std::max(1, r.Width()), 0);
  const int extra = canvas.CharacterExtra;
  if (caption) canvas.CharacterExtra = caption->Tracing();
  canvas.DrawText(text, m, format);
  canvas.CharacterExtra = extra;
  m = Rect(0, 0, m.Width() + depth + 2 * (inflate + 1), m.Height() + depth + 2 * (inflate + 1));
  return m;
}

TZCLGlyphTextResult DrawGlyphText(TCanvas& canvas, const QString& text, TZCL3DCaption* caption, unsigned format,
                                  unsigned flags, bool masked, bool prefix, bool multiLine,
                                  const TZCLGlyphTextLayout& layout, TColor transparent, const QImage* mask,
                                  const TRect& glyphSource, const QImage* glyph, const TRect& target) {
  TZCLGlyphTextResult out;
  const bool hasGlyph = ((glyph && !glyph->isNull()) || (flags & gtfGlyphWithoutCanvas)) && !IsRectEmpty(glyphSource);
  TRect G = hasGlyph ? Rect(0, 0, glyphSource.Width(), glyphSource.Height()) : TRect{};
  const bool hasText = !text.isEmpty();
  const int spacing = hasText && hasGlyph ? layout.Spacing() : 0;
  TRect T;
  if (hasText) {
    const int width = std::abs(std::abs(target.Width()) - spacing - G.Width());
    T = MeasureText(canvas, text, caption, format, 0, prefix, multiLine, Rect(0, 0, width, 0));
  }
  const auto* button = dynamic_cast<const TZCLButtonLayout*>(&layout);
  const bool arrow = button && button->Arrow();
  const int a = arrow ? 2 * button->ArrowSize() - 1 : 0;
  const int indent = arrow ? button->ArrowIndent() : 0;
  const TZCLArrowPosition arrowAt = arrow ? button->ArrowPosition() : apRightText;
  if (arrow) {
    if (arrowAt == apRightGlyph || arrowAt == apLeftGlyph)
      G.Right += a + indent;
    else
      T.Right += a + indent;
  }
  const bool measure = flags & gtfMeasure;
  if (measure) flags |= gtfFocusBoth;
  int bw = 0, bh = 0;
  TPoint t{0, 0}, g{0, 0};
  Arrange(layout.AlignText2Glyph(), T.Width(), T.Height(), G.Width(), G.Height(), spacing, t, g, bw, bh);
  T = Bounds(t.X, t.Y, T.Width(), T.Height());
  G = Bounds(g.X, g.Y, G.Width(), G.Height());
  if (!(flags & gtfNoAlign)) {
    const TRect block = AlignRect(layout.Alignment(), Bounds(0, 0, bw, bh), target);
    OffsetRect(T, block.Left + 1, block.Top + 1);
    OffsetRect(G, block.Left, block.Top);
  }
  if (arrow && arrowAt == apLeftText) OffsetRect(T, indent + a, 0);
  format |= multiLine ? (DT_WORDBREAK | DT_EXPANDTABS | kAlignmentFormat[layout.Alignment()]) : DT_EXPANDTABS;
  if (!prefix) format |= DT_NOPREFIX;
  OffsetRect(T, layout.OffsetX(), layout.OffsetY());
  OffsetRect(G, layout.OffsetX(), layout.OffsetY());
  if (flags & gtfLimitText) {
    T.Right = std::min(T.Right, target.Right);
    T.Bottom = std::min(T.Bottom, target.Bottom);
  }
  const bool enabled = flags & gtfEnabled;
  if (!measure && hasText) {
    TRect textRect = T;
    if (arrow && (arrowAt == apRightText || arrowAt == apLeftText)) {
      if (arrowAt == apRightText) textRect.Right -= a + indent;
    }
    Draw3DText(canvas, text, caption, T, flags & (dtfEnabled | dtfDisabledSunken | dtfClip), format, textRect);
  }
  const int size = arrow ? button->ArrowSize() : 0;
  if (!measure && arrow && (arrowAt == apRightText || arrowAt == apLeftText)) {
    const int x = arrowAt == apRightText ? (multiLine ? T.Right - size - 1 : T.Right - a - 1) : T.Left - indent - a;
    DrawSmallArrow(canvas, x, T.Top + T.Height() / 2 - size / 2, size, button->ArrowColor(), true, enabled);
  }
  if (arrow && arrowAt == apLeftGlyph) OffsetRect(G, indent + a, 0);
  if (!measure && hasGlyph && glyph && !glyph->isNull()) {
    const QImage part = glyph->copy(ToQRect(glyphSource));
    const TRect place = Bounds(G.Left, G.Top, glyphSource.Width(), glyphSource.Height());
    if (masked && mask && !mask->isNull())
      DrawBitmapRect(canvas, place, part, bdfMasked, clNone, mask->copy(ToQRect(glyphSource)));
    else if (masked)
      DrawBitmapRect(canvas, place, part, bdfColorMask, transparent);
    else
      DrawBitmapRect(canvas, place, part, 0, clNone);
  }
  if (!measure && arrow && (arrowAt == apRightGlyph || arrowAt == apLeftGlyph)) {
    const int x = arrowAt == apRightGlyph ? G.Right - a : G.Left - indent - a;
    DrawSmallArrow(canvas, x, G.Top + G.Height() / 2 - size / 2, size, button->ArrowColor(), true, enabled);
  }
  out.Text = T;
  out.Glyph = G;
  out.Union = UnionRect(T, G);
  if (flags & gtfFocusText) {
    out.Focus = T;
    InflateRect(out.Focus, 1, 1);
  } else if (flags & gtfFocusGlyph) {
    out.Focus = G;
  } else if (flags & gtfFocusBoth) {
    out.Focus = out.Union;
    InflateRect(out.Focus, 1, 1);
  } else {
    out.Focus = target;
    InflateRect(out.Focus, -1, -1);
  }
  if (measure) InflateRect(out.Focus, 1, 1);
  return out;
}

}  // namespace zyn
