#pragma once
// Layout objects that place a glyph and a text relative to each other, and the button layout
// with its drop-down arrow.

#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLObject.h"

namespace zyn {

enum TZCLTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
enum TZCLArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };

class TZCLGlyphTextLayout : public TZCLObject {
 public:
  TZCLAlignment Alignment() const { return alignment_; }
  void SetAlignment(TZCLAlignment value);
  TZCLTextArrange AlignText2Glyph() const { return arrange_; }
  void SetAlignText2Glyph(TZCLTextArrange value);
  int OffsetX() const { return offset_[0]; }
  int OffsetY() const { return offset_[1]; }
  void SetOffset(int index, int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);

 protected:
  TZCLAlignment alignment_ = agTopLeft;

 private:
  TZCLTextArrange arrange_ = taRight;
  int offset_[2] = {0, 0};
  int spacing_ = 2;
};

class TZCLButtonLayout : public TZCLGlyphTextLayout {
 public:
  TZCLButtonLayout() { alignment_ = agCenter; }
  bool Arrow() const { return arrow_; }
  void SetArrow(bool value);
  TColor ArrowColor() const { return arrowColor_; }
  void SetArrowColor(TColor value);
  int ArrowIndent() const { return arrowIndent_; }
  void SetArrowIndent(int value);
  TZCLArrowPosition ArrowPosition() const { return arrowPosition_; }
  void SetArrowPosition(TZCLArrowPosition value);
  int ArrowSize() const { return arrowSize_; }
  void SetArrowSize(int value);  // 2 .. 10
  void Assign(const TZCLButtonLayout& other);

 private:
  bool arrow_ = false;
  TColor arrowColor_ = clBlack;
  int arrowIndent_ = 3;
  TZCLArrowPosition arrowPosition_ = apRightText;
  int arrowSize_ = 3;
};

// Where text and glyph go: the block of both is aligned in target and arranged by the layout.
struct TZCLGlyphTextPlacement {
  TRect Text;
  TRect Glyph;
  TRect Union;
};
TZCLGlyphTextPlacement PlaceGlyphText(const TZCLGlyphTextLayout& layout, const TRect& target, int textWidth,
                                      int textHeight, int glyphWidth, int glyphHeight);

}  // namespace zyn
