#pragma once
// The popup menu component: a context menu built from item links of a bar manager's items, shown
// at a screen point by code, through the manager's popup-menu links, or as the drop-down menu of a
// split button. The menu itself is a drop-down menu window; Popup returns when it has closed.

#include "platform/Canvas.h"
#include "widgets/bars/BarTypes.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <memory>

class QWidget;
class QEventLoop;

namespace zyn {

class TzbBarSubMenuControl;

class TzbBarPopupMenu {
 public:
  // The manager of the owner's form, else the first live manager; throws std::runtime_error
  // "There are no TzbBarManagers available" when there is none.
  explicit TzbBarPopupMenu(QWidget* owner = nullptr);
  ~TzbBarPopupMenu();
  TzbBarPopupMenu(const TzbBarPopupMenu&) = delete;
  TzbBarPopupMenu& operator=(const TzbBarPopupMenu&) = delete;

  TzbBarManager* BarManager() const { return fManager; }
  // Nil is ignored; another manager takes the links with it.
  void SetBarManager(TzbBarManager* manager);
  TzbBarItemLinks& ItemLinks() const { return *fLinks; }

  QImage BackgroundBitmap;  // else the manager's sub-menu background
  int BarSize() const { return fBarSize; }
  void SetBarSize(int value) { fBarSize = value < 0 ? 0 : value; }
  const QFont& Font() const { return fFont; }
  // A font of its own switches UseOwnFont on.
  void SetFont(const QFont& font);
  bool UseOwnFont() const { return fUseOwnFont; }
  // False takes the manager's font again.
  void SetUseOwnFont(bool value);
  bool UseRecentItems() const;
  void SetUseRecentItems(bool value);

  std::function<void(TzbBarPopupMenu&)> OnPopup, OnCloseUp;
  std::function<void(TzbBarPopupMenu&, TCanvas&, const TRect&)> OnPaintBar;

  // Shows the menu at the screen point and returns when it has closed; nothing while it is open.
  void Popup(int x, int y);
  // exclusion: the screen rectangle the menu must not cover (the item it drops from), or nil.
  void PopupEx(int x, int y, const TRect* exclusion, bool animate, int ownerHeight, int ownerWidth);
  // The enabled item with the shortcut is clicked (sub-menus and split-button menus searched too).
  bool IsShortCut(int virtualKey, unsigned shift);
  static TShortCut ShortCutOf(int virtualKey, unsigned shift);
  TzbBarSubMenuControl* GetMenuWindow() const;
  bool IsOpen() const { return fOpen; }
  bool Animate() const { return fAnimate; }
  // Set by a split button around PopupEx: Popup then returns without waiting.
  bool DroppedFromButton = false;

 private:
  TzbBarManager* fManager = nullptr;
  std::unique_ptr<TzbBarItemLinks> fLinks;
  QWidget* fOwner = nullptr;
  int fBarSize = 0;
  QFont fFont;
  bool fUseOwnFont = false;
  bool fOpen = false;
  bool fAnimate = true;
  const TRect* fExclusion = nullptr;
  int fOwnerHeight = 0, fOwnerWidth = 0;
  QEventLoop* fLoop = nullptr;  // while Popup waits
};

}  // namespace zyn
