#pragma once
// Colours of the class library: 32-bit values with red in the lowest byte ($00BBGGRR). System
// colours carry $FF in the top byte and the platform's colour index in the low byte; they are
// resolved when used. clNone and clDefault are markers, never painted.

#include <QColor>

#include <cstdint>

namespace zyn {

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

// Platform colour indexes (COLOR_...).
enum : int {
  COLOR_SCROLLBAR = 0,
  COLOR_BACKGROUND = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_WINDOWFRAME = 6,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9,
  COLOR_ACTIVEBORDER = 10,
  COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
  COLOR_HOTLIGHT = 26,
  COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29,
  COLOR_MENUBAR = 30,
  COLOR_ENDCOLORS = 30
};

constexpr TColor SystemColor(int index) { return clSystemColor | index; }

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

bool IsSystemColor(TColor color);

// The RGB value of a colour: system colours from the application palette (or the classic fixed
// value where the palette has no role), clNone as black and clDefault as the window colour.
TColor ColorToRGB(TColor color);

// The classic fixed RGB value of a system colour index, used when no palette role matches.
TColor ClassicSystemColor(int index);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace zyn
