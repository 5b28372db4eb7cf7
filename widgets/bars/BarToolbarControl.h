#pragma once
// The window of one bar: a toolbar or the main menu bar, docked in a dock control or floating as a
// frameless tool window above its form with its own frame, caption and close button. It lays its
// item controls out in one line or wrapped, answers the sizes the dock's row layout asks for, runs
// menu mode on the bar (Alt, F10, a click on a menu entry), and starts the bar drag from its grip,
// its empty parts and its caption.

#include "widgets/bars/BarControl.h"

#include <memory>
#include <vector>

namespace zyn {

class TzbBarQuickControl;
class TzbDockControl;
class TzbBarSubItem;

// Hit codes of the bar windows' own hit testing.
enum TzbBarHitCode {
  htNowhere, htClient, htCaption, htClose, htLeft, htRight, htTop, htBottom, htBottomRight, htMark, htBorder
};

struct TzbSize {
  int Width = 0;
  int Height = 0;
};

// A floating bar's rectangle moved so that a part of it stays on the work area: at least
// kKeepOnScreen pixels along and its caption across (captionHeight from the window's top).
constexpr int kKeepOnScreen = 24;
// The length the mark (the quick-customization arrow) takes at the end of a toolbar.
constexpr int kMarkZone = 11;
TRect KeepOnWorkArea(TRect r, const TRect& area, int captionHeight);
// The widths of a floating bar's frame and caption around its client area (as a rectangle of widths).
TRect FloatingNonClientSizes(const TzbBarItemControlPainter& painter);

class TzbBarControl : public TCustomzbBarControl {
 public:
  TzbBarControl(TzbBarManager& manager, TzbBar& bar);
  ~TzbBarControl() override;

  // The bar window in menu mode (keyboard mode or an open menu of the bar), nil when none.
  static TzbBarControl* MenuModeBar();

  // --- TzbBarWindow ---
  void RebuildLayout() override;
  void ControlsCreated() override;
  void Closing() override;
  bool IsMenu() const override { return false; }
  bool IsDocked() const override { return fDockingStyle != dsNone; }
  bool IsFloating() const override { return fDockingStyle == dsNone; }
  bool IsVertical() const override { return fDockingStyle == dsLeft || fDockingStyle == dsRight; }
  TzbBarDockingStyle DockingStyle() const override { return fDockingStyle; }
  TzbBar* Bar() const override { return fBar; }
  int ItemHeight() const override { return fEditHeight; }
  bool HasHiddenLinks() const override { return fTruncated; }
  int CaptionButtonState() const override { return fCloseState; }
  TRect FloatingCaptionRect() const override;
  bool FormActive() const override;
  bool ShowsGrip() const override;
  TBrush GetBackgroundBrush() const override;
  TRect GetItemRect(const TzbBarItemControl* control) const override;
  TRect ClientInsets() const override { return NonClientSizes(fDockingStyle); }
  bool OpensMenus() const override;
  void MenuClosedByKey() override { fOpenedByClick = false; }
  int QuickButtonState() const override { return fMarkState; }
  bool ShowsQuickButton() const override { return IsFloating() && MarkExists(); }
  bool HasQuickButton() const override { return !IsFloating() && MarkExists(); }
  TPoint WindowOriginInDock() const override;

  // --- the mark and its quick-customization window ---
  // The mark's rectangle in window coordinates (empty without mark).
  TRect MarkRect() const;
  // The mark's rectangle in screen coordinates (empty without mark).
  TRect MarkScreenRect() const;
  // 0 normal, 1 hot, 2 dropped: state 2 opens the quick-customization window, any other state
  // closes an open one.
  void SetMarkState(int state);
  // The painter redraws the mark after a change of its state.
  void RedrawMark();
  // The open quick-customization window of the mark, nil while closed.
  TzbBarQuickControl* QuickControl() const { return fQuickControl.get(); }
  // The window's links: copies of the links that did not fit, then "&Add or Remove Buttons" with a
  // check entry per link of the bar; nil while closed.
  TzbBarItemLinks* QuickLinks() const;
  TzbBarSubItem* AddRemoveItem() const;
  // Frees the open quick-customization window and sets the mark normal. A close by a left press on
  // the mark is remembered, so that the press does not open the window again.
  void CloseQuickControl();

  TzbDockControl* DockControl() const override { return fDock; }
  TPoint ClientOriginInDock() const override;
  // A bar with a colour of its own is filled with it; otherwise docked the dock shows through under
  // the bar (the painter decides), floating the bar's own background.
  void PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) override;
  // Moves the window to a dock (style and dock) or to floating (dsNone, no dock); the widget is made
  // anew for the new kind of window.
  void ChangeDockingStyle(TzbBarDockingStyle style, TzbDockControl* dock);
  // A floating window takes the bar's opacity (AlphaBlendValue, 255 opaque).
  void ApplyAlphaBlend();
  // The non-client widths for a docking style (Left, Top, Right, Bottom as widths).
  virtual TRect NonClientSizes(TzbBarDockingStyle style) const;
  // A bar without border docked at the bottom over the whole row has the status-bar look: a top line
  // and, unless the form is maximized, a size grip at its right end that sizes the form.
  bool SizeGripShown() const;
  TRect SizeGripRect() const;  // window coordinates; empty without grip
  int SizeGripWidth() const;
  // The close button of the floating caption, in window coordinates.
  TRect CloseButtonRect() const;
  virtual TzbBarHitCode HitTest(const TPoint& windowPoint) const;
  // Docked with a single border: the strip before the client area that holds the drag handle
  // (left of it on horizontal docks, above it on vertical docks); empty otherwise.
  TRect GetDragHandleZone() const override;
  // The bar may dock or float somewhere (its NotDocking does not hold all five styles).
  bool CanBeMoved() const override;
  // Writes the window's place into the bar (floating position and client size, or dock, row and
  // position).
  void WritePosition();
  void SetBounds(const TRect& r);  // in the parent's coordinates (screen for floating windows)

  // --- item layout and sizes ---
  bool Wraps() const;
  bool MarkExists() const;
  bool Truncated() const { return fTruncated; }
  void SetTruncated(bool value) { fTruncated = value; }
  void CalcItemRects();
  int GetMinWidth(TzbBarDockingStyle style);
  int GetMinHeight(TzbBarDockingStyle style);
  int GetMaxWidth(TzbBarDockingStyle style);
  int GetMaxHeight(TzbBarDockingStyle style);
  void CalcWrappedSize(TzbBarDockingStyle style, int length, TzbSize& size);
  TzbSize GetSizeForWidth(TzbBarDockingStyle style, int width);
  TzbSize GetSizeForHeight(TzbBarDockingStyle style, int height);
  TzbSize GetWindowSize(TzbBarDockingStyle style);
  // Where the mouse held the window at the start of a drag, for the given style.
  TPoint GetGrabOffset(TzbBarDockingStyle style) const;
  void SetGrab(const TPoint& offset) {
    fGrab = offset;
    fGrabSize = {WindowRect().Width(), WindowRect().Height()};
  }
  int LayoutLeft = 0, LayoutTop = 0, LayoutWidth = 0, LayoutHeight = 0;  // dock row layout results
  int MinLength = 0, MaxLength = 0;

  // --- menu mode ---
  void EnterMenuMode(TzbBarItemControl* control);
  void LeaveMenuMode();
  bool OpenedByClick() const { return fOpenedByClick; }
  void SetOpenedByClick(bool value) { fOpenedByClick = value; }
  void SetActive(bool value) override;
  void SelectItem(TzbBarItemControl* control) override;
  bool KeyDown(int key, unsigned shift) override;
  // Ctrl+Tab: menu mode goes to the next (or previous) bar that has a selectable link.
  bool SwitchBar(bool backwards);

  void MouseDown(const TPoint& p, TzbMouseButton button) override;
  void MouseMove(const TPoint& p) override;
  void MouseUp(const TPoint& p, TzbMouseButton button) override;
  void DoubleClick(const TPoint& p) override;
  void MouseLeave() override;
  void WindowMoved() override;

  // --- window buttons of the main menu bar (BarWindowButtons.cpp) ---
  // The main menu bar shows minimize (0), restore (1) and close (2) of the form's maximized child
  // window (that has a system menu) at the end of its client area; with the manager's
  // ShowCloseButton it shows the close button alone otherwise. Other bars have none.
  bool WindowButtonsShown() const;
  bool AllWindowButtonsShown() const;
  int WindowButtonsLength() const;          // along the bar; 0 without buttons
  int WindowButtonsLengthFor(bool vertical) const;  // along a horizontal or vertical bar
  TRect WindowButtonRect(int index) const;  // client coordinates; empty when not shown
  // Restore always, the close button alone always; otherwise the child's system-menu entry of the
  // button's command must be enabled.
  bool WindowButtonEnabled(int index) const;
  int WindowButtonAt(const TPoint& client) const;  // -1: none
  static int HotWindowButton();
  static int PressedWindowButton();  // -1 while none is held down
  static bool WindowButtonPressedLook();
  // While a window button is held down every key is swallowed.
  static bool WindowButtonHeld();
  static constexpr int WindowButtonWidth = 17, WindowButtonHeight = 15;
  // The form leaves the mouse to another window (it is deactivated or hidden, or a bar of the form
  // enters menu mode): a window button held down on one of the manager's bars is let go without
  // its command, the mouse is released and the buttons are painted again.
  static void CancelWindowButtons(const TzbBarManager& manager);

 protected:
  void Paint() override;
  // The separators and the item controls over the client area painted with brush.
  void PaintItems(TCanvas& dc, const TBrush& brush);
  void CloseChain() override;
  virtual void CreateWindowWidget();
  virtual void ShowWindow();
  bool ClickableAt(const TPoint& client) const;

 private:
  void ToggleFloating();
  // The shown links measured along one line (heights on a vertical bar) up to the length.
  int MeasureLine(int length, int& thickness, bool& exceeded, bool vertical);
  // The size of a one-line bar for a length along it, with as many recent links as fit.
  TzbSize OneLineSize(TzbBarDockingStyle style, int length, bool vertical);
  // The size of a wrapping bar asked for its size across the lines.
  TzbSize WrappedSizeForAcross(TzbBarDockingStyle style, int wanted, bool vertical);

  TzbBar* fBar;
  TzbDockControl* fDock = nullptr;
  TzbBarDockingStyle fDockingStyle = dsNone;
  bool fTruncated = false;
  bool fOpenedByClick = false;
  int fCloseState = 0;  // 0 normal, 1 hot, 2 pressed
  bool fCloseTracking = false;
  bool fPlacing = false;
  TPoint fGrab{0, 0};
  TzbSize fGrabSize{1, 1};
  int fMarkState = 0;
  bool fMarkClosedByPress = false;
  std::unique_ptr<TzbBarQuickControl> fQuickControl;
  // The window buttons' share of the mouse handlers; true when the event was theirs.
  bool WindowButtonMouseDown(const TPoint& client);
  bool WindowButtonMouseMove(const TPoint& client);
  bool WindowButtonMouseUp(const TPoint& client);
  void WindowButtonMouseLeave();
  void ForgetWindowButtons();
  void PaintWindowButtons(TCanvas& dc);
};

}  // namespace zyn
