#pragma once
// The window class shared by every bar window: the window of a docked or floating toolbar or main
// menu bar (`TzbBarControl`) and the window of a drop-down menu (`TzbBarSubMenuControl`). One bar
// window shows the links of one collection as item controls, keeps the selected control, the chain
// of windows in menu mode, the keyboard and mouse rules shared by bars and menus, and its shadow.
//
// The window object is owned by its link collection; its on-screen widget is a separate QWidget that
// forwards paint and input here and is deleted later when the window object goes, so that a window
// may close itself from inside its own event handlers. After any call that may run user code or
// close windows, the handlers test `IsAlive(this)` before they touch the window again.

#include "widgets/bars/BarWindow.h"

#include <QImage>
#include <QPointer>

#include <memory>

class QWidget;

namespace zyn {

class TzbBarShadow;
class TzbBarSubMenuControl;
class TzbBarWidget;

// Mouse buttons of the input handlers.
enum TzbMouseButton { mbLeft, mbRight, mbMiddle };

class TCustomzbBarControl : public TzbBarWindow {
 public:
  TCustomzbBarControl(TzbBarManager& manager, TzbBarItemLinks& links);
  ~TCustomzbBarControl() override;

  // The live list: whether the window still exists.
  static bool IsAlive(const TCustomzbBarControl* window);
  // The head of the chain of windows in menu mode (the most recently activated), or nil.
  static TCustomzbBarControl* ActiveBarControl();
  // The bar window whose widget is w or holds w; nil when none.
  static TCustomzbBarControl* FromWidget(const QWidget* w);
  // The open window at a screen point (menus first), nil when none.
  static TCustomzbBarControl* AtScreenPoint(const TPoint& p);
  // Whether menus show their less used items; reset when a new chain starts.
  static bool& MenusExpanded();
  // The window of the manager whose control was selected last and still is (the manager's
  // selected control lies there), or nil.
  static TCustomzbBarControl* SelectingWindow(const TzbBarManager& manager);
  // Whether the screen point is on one of the manager's open menus.
  static bool OnOpenMenu(const TzbBarManager& manager, const TPoint& p);

  // --- TzbBarWindow ---
  void Recalculate() override { RebuildLayout(); }
  void PostRecalculate() override;
  void RepaintControl(TzbBarItemControl& control) override;
  TzbBarItemControl* SelectedControl() const override { return fSelected; }
  void DeselectControl() override;
  bool IsActive() const override { return fActive; }
  TCanvas& Canvas() override;
  TzbBarManager& Manager() const override { return *fManager; }
  TBrush CurrentBrush() const override { return fItemBrush; }
  void PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) override;
  TRect ClientRect() const override;
  int ArrowSize() const override { return fArrowSize; }
  int FontPointSize() const override;
  int ZeroHeight() const override { return fZeroHeight; }
  int FontHeightValue() const override;
  void HideAll() override;
  TRect OwnerGapRect() const override;
  TRect ChildMenuGapRect() const override;
  void InvalidateClientRect(const TRect& r) override;
  TCanvas& FrameCanvas() override { return WindowCanvas(); }
  void ShowFrameNow(const TRect& r) override;

  QWidget* Widget() const;
  TzbBarItemLinks& ItemLinks() const { return *fLinks; }
  int LineHeight() const { return fLineHeight; }
  int EditHeight() const { return fEditHeight; }
  int RightMargin() const { return fRightMargin; }
  virtual TBrush GetBackgroundBrush() const;

  // --- chain ---
  TCustomzbBarControl* ParentBar = nullptr;  // the window whose item opened this menu
  TCustomzbBarControl* PreviousActive = nullptr;
  TzbBarSubMenuControl* ChildMenu = nullptr;
  TRect OwnerRect;  // screen rectangle of the item a menu drops from
  bool IgnoreNextButtonUp = false;
  virtual void SetActive(bool value);
  // Whether a sub-item on this window opens its menu when it is activated (a bar only in the state
  // in which its menus drop at once).
  virtual bool OpensMenus() const { return true; }
  // A menu of this window was closed with Esc (the bar stays in menu mode).
  virtual void MenuClosedByKey() {}
  // This window is the chain head or one of its parents.
  bool IsInChain() const;
  // The outermost window of this window's parent chain.
  TCustomzbBarControl* ChainTop();

  // --- selection ---
  virtual void SelectItem(TzbBarItemControl* control);    // keyboard
  virtual void HotTrackItem(TzbBarItemControl* control);  // mouse
  virtual void SetSelectedControl(TzbBarItemControl* control);

  // --- geometry ---
  // The non-client widths around the client area (Left, Top, Right, Bottom as widths).
  virtual TRect ClientInsets() const { return TRect{}; }
  TRect WindowRect() const;  // in screen coordinates
  TPoint ClientToScreen(const TPoint& p) const;
  TPoint ScreenToClient(const TPoint& p) const;
  virtual TRect GetItemRect(const TzbBarItemControl* control) const;
  // The control of the first shown link whose rectangle holds the client point.
  TzbBarItemControl* ControlAt(const TPoint& p) const;
  virtual bool IsShadowVisible() const;
  // The client-coordinate rectangle over which the cursor shows that the bar can be moved (the
  // drag handle of a docked toolbar); empty for windows without one.
  virtual TRect GetDragHandleZone() const { return TRect{}; }
  // Whether the window's bar may be moved by its handle.
  virtual bool CanBeMoved() const { return false; }
  // The owner rectangle touches the window on one side and overlaps it along that side.
  bool IsOwnerRectAdjacent() const;
  // The one-pixel line of the frame that touches the owner rectangle (the top or bottom row, the
  // left or right column when the owner lies beside the window), between the overlapping edges less
  // one pixel at each end; outwards moves it one pixel off the window, toScreen gives screen
  // coordinates instead of window coordinates. Empty when the owner is empty or not adjacent.
  TRect OwnerGap(bool outwards, bool toScreen) const;
  void UpdateShadow();
  const TzbBarShadow& Shadow() const { return *fShadow; }

  // --- input, in client coordinates ---
  virtual void MouseDown(const TPoint& p, TzbMouseButton button);
  virtual void MouseMove(const TPoint& p);
  virtual void MouseUp(const TPoint& p, TzbMouseButton button);
  virtual void DoubleClick(const TPoint& p);
  virtual void MouseLeave();
  // The pointer left the window while the programme is not the active one. A window manager whose
  // focus follows the pointer takes the activation away while the pointer is on an open menu (a
  // window that takes no focus), so the menus stay open then; they close once the pointer leaves
  // for neither a menu nor the form, as for another program in front.
  void PointerLeftWhileInactive();
  // A key pressed while the window is the chain head; true when it was taken. Keys are Qt key codes;
  // shift holds ssShift, ssAlt, ssCtrl.
  virtual bool KeyDown(int key, unsigned shift);
  virtual void WindowMoved() { UpdateShadow(); }
  // The widget was hidden (not by the window's own destruction).
  virtual void WidgetHidden() {}

  // --- painting ---
  void Invalidate();
  void Flush();  // paints into the buffer when something changed
  const QImage& Buffer() const { return fBuffer; }
  // The canvas of the whole window (frame, caption); Canvas() is the client area's.
  TCanvas& WindowCanvas() { return *fCanvas; }
  virtual void PaintWidget(QWidget& widget);  // the widget's paint event
  int PaintCount = 0;

 protected:
  virtual void Paint() = 0;
  // Closes the chain of which this window is the outermost one (a bar leaves menu mode, a
  // top-level menu closes).
  virtual void CloseChain() = 0;
  virtual void CalcMetrics();
  virtual int ItemView() const { return IsMenu() ? 1 : (IsVertical() ? 2 : 0); }
  void PaintItem(TzbBarItemControl& control);
  // After painting: the items that ask for it learn of their links that got no place (did not
  // fit on a toolbar, scrolled out of a menu).
  void NotifyUnplacedLinks();
  virtual TBrush ItemBrush() const { return GetBackgroundBrush(); }
  void SetWidget(QWidget* widget);
  // Closes the open child menu through the control that opened it (or the menu itself).
  void CloseChildMenu();
  void EnsureBuffer();
  void CreateItemControls();
  void DestroyItemControls();
  // The accelerator search and keyboard walk of bars and menus.
  bool AcceleratorKey(int key, unsigned shift);

  TzbBarManager* fManager;
  TzbBarItemLinks* fLinks;
  QPointer<QWidget> fWidget;
  QImage fBuffer;  // the whole window
  std::unique_ptr<TCanvas> fCanvas;
  QImage fClientBuffer;  // the client area; painters read back its pixels
  std::unique_ptr<TCanvas> fClientCanvas;
  TBrush fItemBrush;
  TzbBarItemControl* fSelected = nullptr;
  TzbBarItemControl* fCaptured = nullptr;
  bool fCapturedPressed = false;
  bool fActive = false;
  bool fClosing = false;
  bool fDirty = true;
  bool fPostedRecalculate = false;
  int fLineHeight = 19, fEditHeight = 19, fArrowSize = 4, fRightMargin = 13, fZeroHeight = 13;
  TPoint fLastMouse{-1, -1};
  std::unique_ptr<TzbBarShadow> fShadow;
};

// A widget that a bar window's widget only borrows (the place-holder of a container item): when
// the bar widget goes, the borrowed widget leaves it first instead of being destroyed with it.
class TzbBarBorrowedWidget {
 public:
  virtual ~TzbBarBorrowedWidget() = default;
  virtual void BarWidgetGoing() = 0;
};

// The on-screen widget of a bar window.
class TzbBarWidget;
QWidget* CreateBarWidget(TCustomzbBarControl& owner, QWidget* parent);
void DetachBarWidget(QWidget* widget);

// The last screen position of the mouse seen by the bar windows and the input filter.
TPoint BarCursorPos();
// The shift state (ssShift, ssAlt, ssCtrl) of the modifiers of a key event.
unsigned ShiftOf(Qt::KeyboardModifiers m);
void SetBarCursorPos(const TPoint& p);

// Shift state of the keyboard now (ssShift, ssAlt, ssCtrl).
unsigned CurrentShiftState();
// The virtual-key code the item model uses for a Qt key (0 when there is none).
int VirtualKeyOf(int qtKey);

}  // namespace zyn
