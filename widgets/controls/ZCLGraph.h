#pragma once
// The drawing routines of the control library: bevel and shadow frames, standard borders,
// arrows, colour blending and ranges, gradient fills, button frames and the stock glyphs.

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Types.h"

#include <QImage>
#include <vector>

namespace zyn {

enum TZCLBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TZCLBorderStyle {
  lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
  lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised,
  lsDoubleLowered
};
enum TZCLGradientStyle {
  gstHorizontal, gstVertical, gstSquare, gstElliptic, gstTopLeft, gstTopRight, gstBottomLeft,
  gstBottomRight, gstTopLeftDiagonal, gstTopRightDiagonal
};
enum TZCLAlignment {
  agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight, agBottomLeft,
  agBottomCenter, agBottomRight
};
enum TZCLUserButtonStyle {
  ubsWin31, ubsWin40, ubsDelphi, ubsDelphiFlat, ubsFlat, ubsFlatUnColored, ubsNavigator, ubsExplorer,
  ubsExplorerColored, ubsIntegrated, ubsCombo, ubsOffice, ubsOfficeTransp, ubsWin40Ext
};
enum TZCLGlyphKind { gkCustom, gkEllipsis, gkFile, gkFolder, gkCalculator, gkCalender, gkSearch, gkColor, gkFont };

// Button states as the graphic buttons keep them.
enum : int {
  bstUp = 0, bstDisabled = 1, bstHot = 2, bstDown = 3, bstPushed = 4, bstDropped = 6, bstDisabledDown = 7
};

// Flags of the button frame routines.
enum : unsigned {
  bfWin31Corners = 0x1, bfFocused = 0x2, bfSpaced = 0x4, bfSunkenPressed = 0x8, bfDefault = 0x20,
  bfHotLook = 0x40, bfSplitMain = 0x80, bfSplitPart = 0x100, bfVisualStyles = 0x200
};

void DrawBevelFrame(TCanvas& canvas, TRect& r, TZCLBevelStyle style, int width, TColor shadow, TColor light);
void DrawShadowFrame(TCanvas& canvas, TRect& r, TColor frameColor, bool transparent, int frames,
                     int shadowWidth, TColor cornerColor, TColor shadowColor);
int StandardBorderWidth(TZCLBorderStyle style);
void DrawStandardBorder(TCanvas& canvas, TRect& r, TZCLBorderStyle style, unsigned extraFlags = 0);
// An arrow of 2 .. 15 pixels; other sizes draw nothing.
void DrawSmallArrow(TCanvas& canvas, int x, int y, int size, TColor color, bool downward, bool enabled);
TColor BlendColor(TColor c1, TColor c2, int step, int steps);
TRect AlignRect(TZCLAlignment alignment, const TRect& inner, const TRect& outer);

// Appends the colours from..to (count entries; without restart the first one is left out).
void BuildColorRange(TColor from, TColor to, int count, bool restart, std::vector<TColor>& table);
void GradientFill(TCanvas& canvas, const TRect& r, TZCLGradientStyle style, const std::vector<TColor>& table);

void DrawClassicButtonFrame(TCanvas& canvas, bool hot, TRect& r, TColor color, unsigned flags, int state,
                            TZCLUserButtonStyle style);
void DrawButtonFrame(TCanvas& canvas, bool hot, TColor color, unsigned flags, int state,
                     TZCLUserButtonStyle style, TRect& r);
bool HasHotLook(TZCLUserButtonStyle style);
bool IsFlatStyle(TZCLUserButtonStyle style);
int ContentInset(TZCLUserButtonStyle style);

QImage MakeGrayGlyph(const QImage& source);
QImage MakeDisabledGlyph(const QImage& source, TColor transparent);
// The 13 x 14 stock picture of a glyph kind on a transparent (clFuchsia) background; null for gkCustom.
QImage StockGlyph(TZCLGlyphKind kind);

}  // namespace zyn
