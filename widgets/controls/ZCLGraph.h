#pragma once
// The drawing routines of the control library: bevel and shadow frames, standard borders,
// arrows, colour blending and ranges, gradient fills, button frames and the stock glyphs.

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Types.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace zyn {

enum TZCLBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TZCLBorderStyle {
  lsNone,
  lsSingle,
  lsLowered,
  lsRaised,
  lsRaisedspb,
  lsLoweredspb,
  lsRaisedExt,
  lsLoweredExt,
  lsFrameInset,
  lsFrameOffset,
  lsWindowBorder,
  lsSingleRaised,
  lsSingleLowered,
  lsDoubleRaised,
  lsDoubleLowered
};
enum TZCLGradientStyle {
  gstHorizontal,
  gstVertical,
  gstSquare,
  gstElliptic,
  gstTopLeft,
  gstTopRight,
  gstBottomLeft,
  gstBottomRight,
  gstTopLeftDiagonal,
  gstTopRightDiagonal
};
enum TZCLAlignment {
  agTopLeft,
  agTopCenter,
  agTopRight,
  agCenterLeft,
  agCenter,
  agCenterRight,
  agBottomLeft,
  agBottomCenter,
  agBottomRight
};
enum TZCLUserButtonStyle {
  ubsWin31,
  ubsWin40,
  ubsDelphi,
  ubsDelphiFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated,
  ubsCombo,
  ubsOffice,
  ubsOfficeTransp,
  ubsWin40Ext
};
enum TZCLGlyphKind { gkCustom, gkEllipsis, gkFile, gkFolder, gkCalculator, gkCalender, gkSearch, gkColor, gkFont };

// Button states as the graphic buttons keep them.
enum : int { bstUp = 0, bstDisabled = 1, bstHot = 2, bstDown = 3, bstPushed = 4, bstDropped = 6, bstDisabledDown = 7 };

// Flags of the button frame routines.
enum : unsigned {
  bfWin31Corners = 0x1,
  bfFocused = 0x2,
  bfSpaced = 0x4,
  bfSunkenPressed = 0x8,
  bfDefault = 0x20,
  bfHotLook = 0x40,
  bfSplitMain = 0x80,
  bfSplitPart = 0x100,
  bfVisualStyles = 0x200
};

void DrawBevelFrame(TCanvas& canvas, TRect& r, TZCLBevelStyle style, int width, TColor shadow, TColor light);
void DrawShadowFrame(TCanvas& canvas, TRect& r, TColor frameColor, bool transparent, int frames, int shadowWidth,
                     TColor cornerColor, TColor shadowColor);
int StandardBorderWidth(TZCLBorderStyle style);
void DrawStandardBorder(TCanvas& canvas, TRect& r, TZCLBorderStyle style, unsigned extraFlags = 0);
// An arrow of 2 .. 15 pixels; other sizes draw nothing.
void DrawSmallArrow(TCanvas& canvas, int x, int y, int size, TColor color, bool downward, bool enabled);
TColor BlendColor(TColor c1, TColor c2, int step, int steps);
TRect AlignRect(TZCLAlignment alignment, const TRect& inner, const TRect& outer);

// Appends the colours from..to (count entries; without restart the first one is left out).
void BuildColorRange(TColor from, TColor to, int count, bool restart, std::vector<TColor>& table);
// Flags of GradientFill: clip to the rectangle moved by the clip offset (x in the low, y in the high
// 16 bits), paint into an off-screen bitmap first, realise the palette (no palettes here).
enum : unsigned { gfClip = 0x1, gfOffscreen = 0x4, gfPalette = 0x1000 };
// The table's colours as bands or shapes; the shapes never leave r.
void GradientFill(TCanvas& canvas, const TRect& r, TZCLGradientStyle style, const std::vector<TColor>& table,
                  unsigned flags = 0, std::uint32_t clipOffset = 0);

void DrawClassicButtonFrame(TCanvas& canvas, bool hot, TRect& r, TColor color, unsigned flags, int state,
                            TZCLUserButtonStyle style);
void DrawButtonFrame(TCanvas& canvas, bool hot, TColor color, unsigned flags, int state, TZCLUserButtonStyle style,
                     TRect& r);
bool HasHotLook(TZCLUserButtonStyle style);
bool IsFlatStyle(TZCLUserButtonStyle style);
int ContentInset(TZCLUserButtonStyle style);

// Flags of DrawBitmapRect.
enum : unsigned {
  bdfClip = 0x1,
  bdfCenter = 0x8,
  bdfStretch = 0x10,
  bdfTile = 0x20,
  bdfColorMask = 0x40,
  bdfTransparent = 0x80,
  bdfMasked = 0x100,
  bdfAspectFromHeight = 0x200,
  bdfAspectFromWidth = 0x400
};
// Draws a bitmap into target: centred, stretched (keeping its aspect with the aspect flags), tiled
// (one more row and column than fit), transparent by its bottom-left colour (bdfTransparent) or by
// color (bdfColorMask), masked by mask (bdfMasked: black mask pixels show the image), else copied
// at the top-left. Answers where it landed (the whole target when that is empty).
TRect DrawBitmapRect(TCanvas& canvas, const TRect& target, const QImage& bitmap, unsigned flags, TColor color,
                     const QImage& mask = QImage());
// DrawBitmapRect clipped to target moved by the packed offset (x in the low, y in the high 16 bits).
TRect DrawBitmapClipped(TCanvas& canvas, const TRect& target, const QImage& bitmap, unsigned flags, TColor color,
                        std::uint32_t clipOffset, const QImage& mask = QImage());
// The image with every pixel of the transparent colour see-through, and its mask (black where the
// image shows, white where it is transparent).
void MakeMaskPair(const QImage& source, TColor transparent, QImage& image, QImage& mask);
// Sizes the bitmap to r and fills it with the colour.
void FillBitmapRect(QImage& bitmap, const TRect& r, TColor color);
// The height of "Wq" in the font.
int FontHeight(const QFont& font);
// Whether the canvas font is a scalable (TrueType-like) font.
bool IsTrueTypeFont(const TCanvas& canvas);
// A button style by its stored name; the old "ubsWinXP", "ubsWinXPCombo" and "ubsWinXPTool" map to
// ubsWin40, ubsCombo and ubsExplorer and switch visual styles on. False for an unknown name.
bool ReadButtonStyle(const QString& name, TZCLUserButtonStyle& style, bool& visualStyles);
// Cell n (1-based) of the stock glyph strip (13 x 14 pixels each); null for a cell outside it.
QImage LoadButtonGlyph(int cell);

QImage MakeGrayGlyph(const QImage& source);
QImage MakeDisabledGlyph(const QImage& source, TColor transparent);
// The 13 x 14 stock picture of a glyph kind on a transparent (clFuchsia) background; null for gkCustom.
QImage StockGlyph(TZCLGlyphKind kind);

}  // namespace zyn
