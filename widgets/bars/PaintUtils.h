#pragma once
// Small shared painting helpers: the size-grip corner and frame height of resizable drop-down
// windows, the drawing surface of the look-and-feel painters with its frame, text and bitmap
// operations, the blended selection colours, and weak object links that notice a freed object.

#include "platform/Canvas.h"

#include <QImage>
#include <QString>

namespace zyn {

// Metrics of the classic platform (scroll bar and caption button sizes).
constexpr int SM_CXVSCROLL_VALUE = 16;
constexpr int SM_CYHSCROLL_VALUE = 16;
constexpr int SM_CYSIZE_VALUE = 18;

// Corners: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
int DropDownFrameHeight();
int GripCornerForRects(const TRect& editRect, const TRect& dropDownRect);
int GripCornerHitTest(int corner);
void PaintSizeGrip(TCanvas& canvas, const TRect& r, int corner);

TColor BlendedSelectedColor();
TColor BlendedPressedColor();

// Text flags of the painter canvas.
enum : unsigned {
  zxAlignLeft = 0x0001,
  zxAlignRight = 0x0002,
  zxAlignHCenter = 0x0004,
  zxAlignTop = 0x0008,
  zxAlignBottom = 0x0010,
  zxAlignVCenter = 0x0020,
  zxSingleLine = 0x0040,
  zxDontClip = 0x0080,
  zxExpandTabs = 0x0100,
  zxShowPrefix = 0x0200,
  zxWordBreak = 0x0400,
  zxShowEndEllipsis = 0x0800,
  zxDontPrint = 0x1000,
  zxShowPathEllipsis = 0x2000
};
// The platform DrawText format of a set of painter text flags.
unsigned PainterTextFlagsToDrawText(unsigned flags);

// Frame sides: bit 0 left, bit 1 top, bit 2 right, bit 3 bottom.
enum : unsigned { zxBordLeft = 1, zxBordTop = 2, zxBordRight = 4, zxBordBottom = 8, zxBordAll = 15 };

struct TPainterBackground {
  QImage Bitmap;
  TColor Color = clBtnFace;
  TColor TextColor = clBtnText;
};

class TPainterCanvas {
 public:
  explicit TPainterCanvas(TCanvas& canvas) : Canvas(&canvas) {}
  TCanvas* Canvas;

  void SetBrushColor(TColor color);
  // Tiles the bitmap aligned to the canvas origin, or fills with the brush without one.
  void FillRect(const TRect& r, const QImage& bitmap = QImage());
  void FrameRect(const TRect& r, TColor color = clDefault, unsigned sides = zxBordAll, int width = 1);
  void FrameAndFill(const TRect& r, const TPainterBackground& background, int width, TColor color, unsigned sides);
  void DrawComplexFrame(const TRect& r, TColor leftTop, TColor rightBottom, unsigned sides = zxBordAll, int width = 1);
  void DrawEdge(const TRect& r, bool sunken, bool outer, unsigned sides = zxBordAll);
  void DrawText(const QString& text, const TRect& r, unsigned flags, bool enabled = true);
  void InvertRect(const TRect& r);
};

// Rotation 0 (only with mirror), 1, 2, 3 as the look-and-feel painters turn glyphs.
void RotateBitmap(QImage& bitmap, int rotation, bool mirror);

// Weak links: a link's target is cleared when the object is reset (freed).
struct TzxObjectLink {
  const void* Target = nullptr;
};
TzxObjectLink* AddObjectLink(const void* object);
void RemoveObjectLink(TzxObjectLink* link);
void ResetObjectLinks(const void* object);
int ObjectLinkCount();

}  // namespace zyn
