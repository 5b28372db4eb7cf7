#pragma once
// The Office 2003 colour scheme: the variant of the visual style in use, one process-wide set of
// named colours (from fixed tables for the three variants of the standard style, else derived from
// the system colours), and the colour arithmetic, gradients and small glyphs of that look.

#include "platform/Canvas.h"

#include <QImage>

namespace zyn {

struct TOffice11Colors {
  int Office11Scheme = 0;  // 0 none, 1 NormalColor, 2 HomeStead, 3 Metallic
  bool Office11XPScheme = false;
  int Office11GradientFactor = 75;
  TColor Office11DockColor1 = 0, Office11DockColor2 = 0, Office11DockColor3 = 0;
  TColor Office11ToolbarColor1 = 0, Office11ToolbarColor2 = 0, Office11ToolbarColor3 = 0, Office11ToolbarColor4 = 0;
  TColor Office11MoreButtonsColors1[3] = {}, Office11MoreButtonsColors2[3] = {};
  TColor Office11MoreButtonsColors3[3] = {}, Office11MoreButtonsColors4[3] = {};
  TColor Office11MoreButtonsShadowColor = 0;
  TColor Office11BarFrameColor1 = 0, Office11BarFrameColor2 = 0;
  TColor Office11GripDarkColor = 0, Office11GripLightColor = 0;
  TColor Office11SeparatorDarkColor = 0, Office11SeparatorLightColor = 0;
  TColor Office11SymbolColor = 0, Office11SymbolShadowColor = 0;
  TColor Office11BarBorderColor1 = 0, Office11BarBorderColor2 = 0, Office11BarBorderColor3 = 0,
         Office11BarBorderColor4 = 0;
  TColor Office11LightTextColor = 0, Office11DarkTextColor1 = 0, Office11DarkTextColor2 = 0;
  TColor Office11BorderColor = 0, Office11MenuColor = 0, Office11SelectedColor = 0, Office11SelectedBorderColor = 0;
  TColor Office11HotColor1 = 0, Office11HotColor2 = 0, Office11PressedColor1 = 0, Office11PressedColor2 = 0;
  TColor Office11CheckedColor = 0, Office11PressedColor = 0, Office11ItemColor1 = 0, Office11ItemColor2 = 0;
  TColor Office11TextColor = 0, Office11DisabledTextColor = 0;
  TColor Office11BackgroundColor1 = 0, Office11BackgroundColor2 = 0;
  TColor Office11BackgroundDarkColor1 = 0, Office11BackgroundDarkColor2 = 0;
  TColor Office11SelectedTextColor = 0, Office11ControlBorderColor = 0;
  TColor Office11AuxColor1 = 0, Office11AuxColor2 = 0, Office11AuxColor3 = 0, Office11AuxColor4 = 0;
  QImage Office11SubMenuExpandBitmap, Office11ExpandButtonMinusBitmap, Office11ExpandButtonPlusBitmap;
};

constexpr TColor Office11ExpandButtonLightColor = RGB(158, 174, 191);
constexpr TColor Office11ExpandButtonDarkColor = RGB(46, 70, 95);

// The current colour set (computed at the first AddRef and at every Refresh).
const TOffice11Colors& Office11Colors();
// The scheme table entry of a variant (1 .. 3) and entry number (0 .. 35).
TColor Office11SchemeEntry(int variant, int entry);
void Office11ColorsAddRef();
void Office11ColorsRefresh();
void Office11ColorsRelease();
int Office11ReferenceCount();
bool Office11BrushesCreated();
int Office11Scheme();
bool Office11XPScheme();
int DetectOffice11Scheme();

// The pictures of the look, drawn here: the expand button of trees (plus or minus) and the expand
// button of personalized menus before its recolouring.
QImage Office11ExpandButtonImage(bool plus);
QImage Office11SubMenuExpandImage();
// Recolours the sub-menu expand bitmap to the toolbar gradient (pixel (0, 0) is the background).
QImage RecolorSubMenuExpandBitmap(const QImage& source, TColor toolbarColor1, TColor toolbarColor2);

TColor NearestScreenColor(TColor color);
TColor MixColors(TColor color1, TColor color2, int percent);
TColor BlendSystemColors(int faceWeight, int highlightWeight, int windowWeight);
bool FaceIsBlack();
bool FaceIsWhite();
bool FaceBlackTextColored();
void FillRectWithColor(TCanvas& canvas, const TRect& r, TColor color);
void FrameRectWithColor(TCanvas& canvas, const TRect& r, TColor color);
void FrameSelectedRect(TCanvas& canvas, const TRect& r);
void FillGradient(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool horizontal);
void FillTubeGradient(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool horizontal);
TColor GradientColorAt(const TRect& r, int position, TColor color1, TColor color2, bool horizontal);
void DrawGripDots(TCanvas& canvas, const TRect& r, bool vertical);
void DrawDropDownArrow(TCanvas& canvas, const TRect& r, bool horizontal, bool enabled, bool selected);

}  // namespace zyn
