#pragma once
// What the item model and the painters need of a window that shows item links: a toolbar, the
// main-menu bar or a drop-down menu. The windows themselves implement it; the model calls it to
// relayout and repaint, the painters read the canvas, brushes and metrics from it.

#include "platform/Canvas.h"
#include "widgets/bars/BarTypes.h"

namespace zyn {

class TzbBarWindow {
 public:
  virtual ~TzbBarWindow() = default;

  // --- what the model calls ---
  virtual void RebuildLayout() = 0;                  // controls and size are built anew
  virtual void Recalculate() = 0;                    // the layout is computed again and repainted
  virtual void PostRecalculate() { Recalculate(); }  // a recalculation that may run later
  virtual void RepaintControl(TzbBarItemControl& control) = 0;
  virtual TzbBarItemControl* SelectedControl() const { return nullptr; }
  virtual void DeselectControl() {}
  virtual bool IsActive() const { return false; }  // in menu mode (keyboard or open menu)
  virtual bool IsMenu() const = 0;                 // a drop-down menu window
  virtual bool IsDocked() const { return !IsMenu(); }
  virtual void Closing() {}          // the bar is about to hide its window
  virtual void ControlsCreated() {}  // the links made the controls of a new window
  virtual void HideAll() {}          // the chain of open menus closes

  // --- what the painters read ---
  virtual TCanvas& Canvas() = 0;
  virtual TzbBarManager& Manager() const = 0;
  virtual TzbBar* Bar() const { return nullptr; }  // the bar of a toolbar window
  virtual TBrush CurrentBrush() const = 0;         // the brush the items are being painted with
  // Paints the window's own background into r (for a menu: the recent or non-recent background).
  virtual void PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) = 0;
  virtual bool HasPlainBackground() const { return true; }
  virtual bool IsVertical() const { return false; }
  virtual TzbBarDockingStyle DockingStyle() const { return dsTop; }
  virtual TRect ClientRect() const = 0;
  virtual int ItemHeight() const { return 22; }  // line height of a menu, item height of a bar
  virtual int ArrowSize() const { return ItemHeight() / 5 < 4 ? 4 : ItemHeight() / 5; }
  virtual int FontPointSize() const { return 8; }
  virtual bool HasHiddenLinks() const { return false; }  // links that do not fit
  virtual int QuickButtonState() const { return 0; }     // 0 normal, 1 hot, 2 pressed
  virtual bool ShowsGrip() const { return true; }
  virtual int CaptionButtonState() const { return 0; }  // state of the floating caption's buttons
  // Drop-down menus: the side strip along the left edge, the expand button of personalized menus,
  // the tear-off band, and the height of the digit "0" in the window's font.
  virtual int SideStripWidth() const { return 0; }
  virtual bool ShowsExpandButton() const { return false; }
  virtual bool HasTearOffBand() const { return false; }
  virtual int BandCaptionHeight() const { return 0; }
  virtual int ZeroHeight() const { return 13; }
  virtual int FontHeightValue() const { return -11; }            // the font's height value (negative: pixels)
  virtual TRect FloatingCaptionRect() const { return TRect{}; }  // the caption of a floating bar
  virtual bool IsFloating() const { return false; }
  virtual bool ShowsQuickButton() const { return false; }
  virtual TBrush NonRecentBrush() const { return CurrentBrush(); }  // the rarely-used part of a menu
  virtual bool FormActive() const { return true; }
  // The image-list image of an item for the view (the large images unless in a menu); null when none.
  virtual QImage ImageOf(const TzbBarItem& item, int view) const { return QImage(); }
  // The stretch of the frame that touches the item that opened this window, in window coordinates;
  // empty when the painter does not join menus to their items or the item is not adjacent.
  virtual TRect OwnerGapRect() const { return TRect{}; }
  // The stretch of this window's item frame that the open child menu joins (one pixel outside
  // the menu's frame), in client coordinates; empty when no joined menu is open.
  virtual TRect ChildMenuGapRect() const { return TRect{}; }
  // The dock that holds a docked bar window and the origin of the client area in the dock's client
  // coordinates.
  virtual TzbDockControl* DockControl() const { return nullptr; }
  virtual TPoint ClientOriginInDock() const { return TPoint{}; }
  // The origin of the whole window (frame included) in the dock's client coordinates.
  virtual TPoint WindowOriginInDock() const { return ClientOriginInDock(); }
  // A docked bar shows its quick-customize button at its far end.
  virtual bool HasQuickButton() const { return false; }

  // --- what the painters ask of the window ---
  // Marks a part of the client area for repainting; the frame is not erased.
  virtual void InvalidateClientRect(const TRect& r) {}
  // The canvas of the whole window (frame and caption) and the immediate transfer of a part of it
  // to the screen, for painters that redraw a frame detail at once.
  virtual TCanvas& FrameCanvas() { return Canvas(); }
  virtual void ShowFrameNow(const TRect& r) {}
};

}  // namespace zyn
