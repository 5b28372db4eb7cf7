#pragma once
// Free drawing and naming operations of the bar unit that its windows, items and painters share:
// unique item names, ampersand stripping, arrows, the vertical gradient, the checked pattern
// brush, tiled backgrounds, the glyph routine with its effects (tint, gray, lighten, shadow,
// emboss), size grips and the themed colours the painters read.

#include "platform/Canvas.h"
#include "widgets/bars/BarTypes.h"

#include <QImage>
#include <QRegion>

#include <functional>
#include <string>

class QWidget;

namespace zyn {

// The class name without its first letter and the first free number ("zbBarButton3").
std::string GetUniqueItemName(const TzbBarManager& manager, const std::string& itemClass);
TzbBarItemVisible VisibleToItemVisible(bool visible);
std::string StripAmpersands(const std::string& text);

int ArrowSizeForRect(const TRect& r, bool down);
void DrawArrowOfSize(TCanvas& canvas, const TRect& r, bool down, bool noEmboss, bool enabled, bool selected, int size);
void DrawArrowInRect(TCanvas& canvas, const TRect& r, bool down, bool noEmboss, bool enabled, bool selected);

// 256 horizontal bands from the top colour to the bottom colour (empty bands paint nothing).
void FillVerticalGradient(TCanvas& canvas, const TRect& r, TColor topColor, TColor bottomColor);
void FrameHighlightRect(TCanvas& canvas, const TRect& r);

// The 8 x 8 checked brush: button highlight with button-face pixels where row and column have the
// same parity.
TBrush CheckedBrush();
TBrush SolidBrush(TColor color);

// Fills r with the brush, or tiles the bitmap aligned to origin when it is not empty.
void FillBackground(TCanvas& canvas, const TRect& r, const TRect& origin, const QImage& bitmap, const TBrush& brush);

// Pixel effects of the glyph routine (on 32-bit pixels).
QRgb TintPixel(QRgb pixel, TColor tint);
QRgb GrayPixel(QRgb pixel);
QRgb LightenPixel(QRgb pixel);
void SetDingyImages(bool value);
bool DingyImages();

struct TzbGlyphArgs {
  TBrush BackgroundBrush;
  TRect Area;
  TRect GlyphRect;
  QImage Image;                // the glyph bitmap or the image taken from the image list
  bool FromImageList = false;  // the image comes from an image list (drawn onto ImageBackground)
  TColor ImageBackground = clFuchsia;
  TColor TintColor = clNone;
  bool Transparent = false, KeepColours = false, FlatLook = false, Grayed = false, Hot = false, Down = false,
       Shadowed = false, NoShadow = false;
};
void DrawGlyph(TCanvas& canvas, const TzbGlyphArgs& args);

void DrawClassicSizeGrip(TCanvas& canvas, const TRect& r);

// Themed helpers (only meaningful while themes are usable).
int GetEditThemeState(bool enabled, bool readOnly);
TColor GetEditThemeFillColor(int state);
TColor GetEditThemeTextColor(int state);
TColor GetToolbarThemeFillColor();
// The text colour of a toolbar button of the visual style in a state (4 disabled, 1 otherwise);
// the system's button text colours when the style has none.
TColor GetToolbarThemeTextColor(int state);
void GetThemedSizeGripSize(int& width, int& height);
void DrawThemedSizeGrip(TCanvas& canvas, const TRect& r, int corner);
void GetThemedCloseButtonSize(int& width, int& height);
void DrawThemedCloseButton(TCanvas& canvas, const TRect& r, bool hot, int side, bool pressed);
// Where DrawThemedSizeGrip and DrawThemedCloseButton put their part inside r.
TRect ThemedSizeGripRect(const TRect& r, int corner);
TRect ThemedCloseButtonRect(const TRect& r, int side);

// Removes r from the canvas's clip region (the whole device counts as clip region when none is set).
void ExcludeClipRect(TCanvas& canvas, const TRect& r);

// The outline of a drop-down window (such as a combo's list) as its non-client painting sees it.
struct TzbDropDownWindowGeometry {
  int Width = 0, Height = 0;    // the window rectangle is (0, 0, Width, Height)
  TRect Client;                 // the client rectangle in window coordinates
  TPoint ScreenOrigin;          // the window's top-left corner on the screen
  bool BothScrollBars = false;  // the window shows a horizontal and a vertical scroll bar
};
// The classic close button of the strip; answers the button's rectangle.
TRect DrawDropDownCloseButton(TCanvas& canvas, const TRect& strip, int corner, bool flat, bool hot, bool pressed);
// The frame of a drop-down window with its optional strip holding the size grip (at the corner 0
// top-left, 1 top-right, 2 bottom-left, 3 bottom-right) and the close button; the grip and close
// rectangles come back in screen coordinates (empty without a strip).
void DrawDropDownWindowFrame(TCanvas& canvas, const TzbDropDownWindowGeometry& window, bool withStrip, bool flat,
                             int corner, TRect& gripRect, TRect& closeRect, bool closeHot, bool closePressed);

// --- clip regions, colour depth, fonts ---
// The canvas's clip region (hadRegion false when none is set) and putting it back.
QRegion StoreClipRegion(TCanvas& canvas, bool& hadRegion);
void ReloadClipRegion(TCanvas& canvas, const QRegion& region, bool hadRegion);
// Adds r to the clip region (a canvas without one keeps drawing everywhere).
void UniteClipRect(TCanvas& canvas, const TRect& r);
QRegion SubtractRectFromRegion(const QRegion& region, const TRect& r);
// The screen's bits per pixel, read at start and again on a system colour change.
int ColorDepth();
void UpdateColorDepth();
// A font like font with the height of the system's icon-title font (never above -11, that is
// never smaller than 11 pixels) when scaled, else a plain copy.
QFont CreateBarFont(const QFont& font, bool scaled);

// --- sounds and input state ---
// The menu sounds: kind 0 "MenuPopup", kind 1 "MenuCommand", played through the player set by the
// program; by default the desktop sound theme's sound (PlayBarSoundFile), none when it has none.
void PlayBarSound(int kind);
void SetBarSoundPlayer(std::function<void(const char* alias)> player);
// The file of the desktop's sound theme for a menu sound alias ("MenuPopup": "menu-popup",
// "MenuCommand": "menu-click"), searched in the XDG data folders; empty when the theme has none
// (then nothing is played: there is no default sound).
QString FindBarSoundFile(const char* alias);
// The player the library starts by itself: the sound file, when there is one, is handed to the
// desktop's sound player without waiting for it.
void PlayBarSoundFile(const char* alias);
bool LeftButtonDown();
bool RightButtonDown();
// Bit 0 Shift, bit 1 Alt, bit 2 Ctrl.
unsigned GetModifierState();

// --- windows ---
// The deepest visible widget at a screen point (hidden children are skipped); null off any window.
QWidget* WindowFromPointDeep(const QPoint& screenPoint);
// Whether ancestor is among window's parents.
bool IsDescendantWindow(const QWidget* window, const QWidget* ancestor);
// The work area of the screen nearest to the point.
TRect GetMonitorWorkArea(const QPoint& screenPoint);

}  // namespace zyn
