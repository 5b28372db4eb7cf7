#pragma once
// Layout objects that place a glyph and a text relative to each other, and the button layout
// with its drop-down arrow.

#include "widgets/controls/ZCL3DCaption.h"
#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLObject.h"

namespace zyn {

enum TZCLTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
enum TZCLArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };

class TZCLGlyphTextLayout : public TZCLObject {
 public:
  TZCLAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TZCLAlignment value);
  TZCLTextArrange AlignText2Glyph() const { return fArrange; }
  void SetAlignText2Glyph(TZCLTextArrange value);
  int OffsetX() const { return fOffset[0]; }
  int OffsetY() const { return fOffset[1]; }
  void SetOffset(int index, int value);
  int Spacing() const { return fSpacing; }
  void SetSpacing(int value);

 protected:
  TZCLAlignment fAlignment = agTopLeft;

 private:
  TZCLTextArrange fArrange = taRight;
  int fOffset[2] = {0, 0};
  int fSpacing = 2;
};

class TZCLButtonLayout : public TZCLGlyphTextLayout {
 public:
  TZCLButtonLayout() { fAlignment = agCenter; }
  bool Arrow() const { return fArrow; }
  void SetArrow(bool value);
  TColor ArrowColor() const { return fArrowColor; }
  void SetArrowColor(TColor value);
  int ArrowIndent() const { return fArrowIndent; }
  void SetArrowIndent(int value);
  TZCLArrowPosition ArrowPosition() const { return fArrowPosition; }
  void SetArrowPosition(TZCLArrowPosition value);
  int ArrowSize() const { return fArrowSize; }
  void SetArrowSize(int value);  // 2 .. 10
  void Assign(const TZCLButtonLayout& other);

 private:
  bool fArrow = false;
  TColor fArrowColor = clBlack;
  int fArrowIndent = 3;
  TZCLArrowPosition fArrowPosition = apRightText;
  int fArrowSize = 3;
};

// Where text and glyph go: the block of both is aligned in target and arranged by the layout.
struct TZCLGlyphTextPlacement {
  TRect Text;
  TRect Glyph;
  TRect Union;
};
TZCLGlyphTextPlacement PlaceGlyphText(const TZCLGlyphTextLayout& layout, const TRect& target, int textWidth,
                                      int textHeight, int glyphWidth, int glyphHeight);

// The rectangle a text needs in the canvas font with the caption's effects, at (0, 0): measured in
// r's width (word-wrapped when multiLine), grown by the caption depth and by 2 x (inflate + 1) at
// the right and bottom. A rotated caption gets the bounding box of the turned text and its text
// origin (PosX, PosY) set to match; an unrotated one gets PosX = PosY = 0.
TRect MeasureText(TCanvas& canvas, const QString& text, TZCL3DCaption* caption, unsigned format, int inflate,
                  bool prefix, bool multiLine, TRect r = TRect{});

// Flags of DrawGlyphText.
enum : unsigned {
  gtfEnabled = 0x2,
  gtfDisabledSunken = 0x4,
  gtfClipText = 0x8,
  gtfNoAlign = 0x20,
  gtfFocusText = 0x40,
  gtfFocusGlyph = 0x80,
  gtfFocusBoth = 0x100,
  gtfMeasure = 0x200,
  gtfGlyphWithoutCanvas = 0x400,
  gtfLimitText = 0x800
};

struct TZCLGlyphTextResult {
  TRect Union;
  TRect Text;
  TRect Glyph;
  TRect Focus;  // where a focus rectangle goes
};

// Lays out glyph, text and the drop-down arrow of a button layout in target and draws them (unless
// gtfMeasure): the glyph is the part glyphSource of glyph, drawn masked by mask or, when masked
// without a mask, transparent by its transparent colour.
TZCLGlyphTextResult DrawGlyphText(TCanvas& canvas, const QString& text, TZCL3DCaption* caption, unsigned format,
                                  unsigned flags, bool masked, bool prefix, bool multiLine,
                                  const TZCLGlyphTextLayout& layout, TColor transparent, const QImage* mask,
                                  const TRect& glyphSource, const QImage* glyph, const TRect& target);

}  // namespace zyn
