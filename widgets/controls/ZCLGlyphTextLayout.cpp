#include "widgets/controls/ZCLGlyphTextLayout.h"

#include <algorithm>

namespace zyn {

void TZCLGlyphTextLayout::SetAlignment(TZCLAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed();
}

void TZCLGlyphTextLayout::SetAlignText2Glyph(TZCLTextArrange value) {
  if (value == arrange_) return;
  arrange_ = value;
  Changed();
}

void TZCLGlyphTextLayout::SetOffset(int index, int value) {
  if (index < 0 || index > 1 || offset_[index] == value) return;
  offset_[index] = value;
  Changed();
}

void TZCLGlyphTextLayout::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Changed();
}

void TZCLButtonLayout::SetArrow(bool value) {
  if (value == arrow_) return;
  arrow_ = value;
  Changed();
}

void TZCLButtonLayout::SetArrowColor(TColor value) {
  if (value == arrowColor_) return;
  arrowColor_ = value;
  Changed();
}

void TZCLButtonLayout::SetArrowIndent(int value) {
  if (value == arrowIndent_) return;
  arrowIndent_ = value;
  Changed();
}

void TZCLButtonLayout::SetArrowPosition(TZCLArrowPosition value) {
  if (value == arrowPosition_) return;
  arrowPosition_ = value;
  Changed();
}

void TZCLButtonLayout::SetArrowSize(int value) {
  value = std::clamp(value, 2, 10);
  if (value == arrowSize_) return;
  arrowSize_ = value;
  Changed();
}

void TZCLButtonLayout::Assign(const TZCLButtonLayout& other) {
  BeginUpdate();
  SetAlignment(other.Alignment());
  SetAlignText2Glyph(other.AlignText2Glyph());
  SetOffset(0, other.OffsetX());
  SetOffset(1, other.OffsetY());
  SetSpacing(other.Spacing());
  arrow_ = other.arrow_;
  arrowColor_ = other.arrowColor_;
  arrowIndent_ = other.arrowIndent_;
  arrowPosition_ = other.arrowPosition_;
  arrowSize_ = other.arrowSize_;
  EndUpdate(true);
}

TZCLGlyphTextPlacement PlaceGlyphText(const TZCLGlyphTextLayout& layout, const TRect& target, int tw, int th, int gw,
                                      int gh) {
  const bool text = tw > 0 && th > 0;
  const bool glyph = gw > 0 && gh > 0;
  const int spacing = (text && glyph) ? layout.Spacing() : 0;
  const TZCLTextArrange arrange = layout.AlignText2Glyph();
  const bool horizontal = arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
  int bw, bh;
  TPoint t{0, 0}, g{0, 0};
  if (horizontal) {
    bw = tw + spacing + gw;
    bh = std::max(th, gh);
    const int toff = (bh - th) / 2, goff = (bh - gh) / 2;
    switch (arrange) {
      case taLeft: t = {0, toff}; g = {tw + spacing, goff}; break;
      case taLeftTop: t = {0, toff}; g = {tw + spacing, 0}; break;
      case taRight: g = {0, goff}; t = {gw + spacing, toff}; break;
      default: g = {0, 1}; t = {gw + spacing, toff}; break;  // taRightTop
    }
  } else {
    bw = std::max(tw, gw);
    bh = th + spacing + gh;
    const int toff = (bw - tw) / 2, goff = (bw - gw) / 2;
    switch (arrange) {
      case taTop: t = {toff, 0}; g = {goff, th + spacing}; break;
      case taTopLeft: t = {toff, 0}; g = {0, th + spacing}; break;
      case taBottom: g = {goff, 0}; t = {toff, gh + spacing}; break;
      default: g = {0, 0}; t = {toff, gh + spacing}; break;  // taBottomLeft
    }
  }
  const TRect block = AlignRect(layout.Alignment(), Bounds(0, 0, bw, bh), target);
  TZCLGlyphTextPlacement out;
  out.Text = text ? Bounds(block.Left + t.X + 1 + layout.OffsetX(), block.Top + t.Y + 1 + layout.OffsetY(), tw, th) : TRect{};
  out.Glyph = glyph ? Bounds(block.Left + g.X + layout.OffsetX(), block.Top + g.Y + layout.OffsetY(), gw, gh) : TRect{};
  out.Union = UnionRect(out.Text, out.Glyph);
  return out;
}

}  // namespace zyn
