#pragma once
// Enumerations and small types shared by the bar manager, its bars, items, links and painters.

#include <cstdint>
#include <functional>

namespace zyn {

class TzbBarManager;
class TzbBar;
class TzbBars;
class TzbBarItem;
class TzbBarItemLink;
class TzbBarItemLinks;
class TzbBarItemControl;
class TzbDockControl;
class TzbBarDockControl;
class TzbBarWindow;
class TzbBarItemControlPainter;

enum TzbBarManagerStyle { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
enum TzbBarMenuAnimations { maNone, maRandom, maUnfold, maSlide, maFade };
enum TzbBarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
enum TzbBarItemVisible { ivNever, ivInCustomizing, ivAlways };
enum TzbBarItemAlign { iaLeft, iaCenter, iaRight, iaClient };
enum TzbBarPaintStyle { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum TzbBarButtonStyle { bsDefault, bsChecked, bsDropDown };
enum TzbBarBorderStyle { bbsNone, bbsSingle };
enum TzbBarStaticBorderStyle { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };

// A set of docking styles (bit n = style n).
using TzbBarDockingStyles = unsigned;
constexpr TzbBarDockingStyles DockingSet(TzbBarDockingStyle s) { return 1u << s; }
constexpr bool InDockingSet(TzbBarDockingStyles set, TzbBarDockingStyle s) { return (set & DockingSet(s)) != 0; }

// User overrides of a link (a set; bit n = member n).
enum TzbBarUserDefine { udCaption, udGlyph, udPaintStyle, udWidth };
using TzbBarUserDefines = unsigned;
constexpr unsigned UserDefineBit(TzbBarUserDefine d) { return 1u << d; }

// Shortcuts: a key code in the low byte with the shift bits of the class library.
using TShortCut = std::uint16_t;
enum : std::uint16_t { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
// Shift state of a key message.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

// What an item tells the on-screen controls of its links.
enum class TzbControlChange {
  Caption,
  Enabled,
  Glyph,
  ShortCut,
  Visible,
  Repaint,
  Layout,
  Down,
  ButtonStyle,
  PaintStyle,
  DropDownEnabled,
  BeginGroup,
  Align
};

}  // namespace zyn
