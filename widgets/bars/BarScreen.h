#pragma once
// The on-screen part of a bar manager: the four dock controls along the edges of its form, the
// windows its bars and menus get (the manager's window factory), the form's client area between
// the docks, the input filter that stands in for the thread hooks (Alt and F10 menu mode, item
// shortcuts, Alt + accelerator, keys for open menus, clicks outside the open menus), the bar drag
// that moves a bar between the docks and floating, and the sizing of floating bars by their frame.
// The form creates one after its manager and destroys it before the manager.

#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

#include <QPointer>

#include <memory>
#include <vector>

class QWidget;
class QObject;
class QEvent;

namespace zyn {

class TzbBarControl;
class TzbDockControl;
class TzbBarMdiClient;
class TzxSystemPaletteChangedNotifier;

class TzbBarScreen {
 public:
  explicit TzbBarScreen(TzbBarManager& manager);
  ~TzbBarScreen();
  TzbBarScreen(const TzbBarScreen&) = delete;
  TzbBarScreen& operator=(const TzbBarScreen&) = delete;

  static TzbBarScreen* Of(const TzbBarManager& manager);
  TzbBarManager& Manager() const { return *fManager; }
  bool ManagerAlive() const;
  TzbDockControl* Dock(TzbBarDockingStyle side) const;
  // The widget that takes the form's area between the docks (nil: none). A QMdiArea makes the form
  // the parent of child windows whose menus merge into its main menu bar (BarMdi.h).
  void SetClientWidget(QWidget* widget);
  QWidget* ClientWidget() const { return fClient; }
  void LayoutForm();
  // Floating bars hide with their form (hidden or minimized) and come back with it.
  void ShowFloatingBars(bool show);
  // Moves every floating bar (shown or not) wholly onto the work area of the monitor that holds
  // the form's centre; runs by itself when screens come, go or change their size.
  void FitFloatingBarsToWorkArea();
  // The application's palette changed (the system colours): brushes, colour sets and every bar
  // window and dock of the manager are made anew. The application's font changed (the system
  // metrics): the manager's font follows the menu font and the bars lay themselves out again.
  void SystemColorsChanged();
  void SystemFontChanged();

  // --- the bar drag ---
  void DragBar(TzbBarControl& window, const TPoint& cursor);
  bool Moving() const { return fMoving != nullptr; }
  TzbBarControl* MovingWindow() const { return fMoving; }
  TzbBarDockingStyle MoveStartStyle() const { return fStartStyle; }
  TPoint MoveOffset() const { return fOffset; }
  void MoveBarTo(TzbBarControl& window, const TPoint& cursor, bool timerFired);
  TzbDockControl* FindDockAt(const TPoint& cursor, const TzbBar& bar, bool ctrl) const;
  void EndDrag();

  // --- sizing a floating bar at its frame ---
  void SizeBar(TzbBarControl& window, int hitCode, const TPoint& cursor);
  bool Sizing() const { return fSizing != nullptr; }

  // --- the toolbars popup (a right click on a bar or a dock) ---
  void ShowToolbarsPopup(const TPoint& point);
  TzbBarItemLinks* ToolbarsPopupLinks() const { return fPopupLinks.get(); }

  // --- the input filter (what the thread hooks did) ---
  bool KeyEvent(QWidget* receiver, QEvent* event);
  bool MouseEvent(QWidget* receiver, QEvent* event);

 private:
  bool DragEvent(QEvent* event);
  TzbDockControl* FindDockAtPoint(const TPoint& cursor, const TzbBar& bar) const;
  bool SizeEvent(QEvent* event);
  void SizeTo(const TPoint& cursor);

  TzbBarManager* fManager;
  QPointer<QWidget> fForm;
  QPointer<QWidget> fClient;
  std::unique_ptr<TzbDockControl> fDocks[4];
  std::unique_ptr<QObject> fFormFilter;
  std::unique_ptr<TzxSystemPaletteChangedNotifier> fPaletteNotifier;
  int fInputHandler = 0;
  // drag state
  TzbBarControl* fMoving = nullptr;
  TzbBarDockingStyle fStartStyle = dsNone;
  TPoint fOffset;
  TPoint fRowOffset;  // a docked bar's drag: from the cursor to the middle of its row's zone, across
  bool fDockingTimerFired = false;
  QPointer<QObject> fDockingTimer;
  QPointer<QWidget> fCapture;
  int fDragHandler = 0;
  // sizing state
  TzbBarControl* fSizing = nullptr;
  int fSizeEdge = 0;
  TRect fSizeStart;
  TPoint fSizeCursor;
  int fSizeHandler = 0;
  // toolbars popup
  std::unique_ptr<TzbBarItemLinks> fPopupLinks;
  std::vector<TzbBarItem*> fPopupItems;
  bool fLayingOut = false;
  std::unique_ptr<TzbBarMdiClient> fMdiClient;
};

}  // namespace zyn
