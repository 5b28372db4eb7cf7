#pragma once
// Child windows of a form's client area (platform/MdiWindows.h) on the form's main menu bar: while
// the active child is maximized, the main menu bar starts with the child's system-menu entry (the
// child's icon; its menu is the child's system menu, a double click runs the default command) and
// ends with the child's window buttons; the links of the child's own main menu bar are merged
// into the form's main menu bar (always with the manager's AlwaysMerge, else while the child is
// maximized) and the child's own main menu bar hides meanwhile.

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItemControls.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QObject;

namespace zyn {

// The entry of the maximized child's system menu on the main menu bar.
class TSystemMenuSubItem : public TCustomzbBarSubItem {
 public:
  static constexpr const char* kClassName = "TSystemMenuSubItem";
  TSystemMenuSubItem(TzbBarManager& manager, QMdiSubWindow* child);
  ~TSystemMenuSubItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  QMdiSubWindow* Child() const { return fChild; }
  // The entries of the child's system menu become buttons and sub-items of this item's menu (run
  // each time the menu opens): separators begin groups, checkable entries are check buttons,
  // disabled entries disabled, the text after a tab is the shortcut; a click runs the entry.
  void ReadSystemMenu();
  // The items the last reading made (freed with the next reading or with this item).
  const std::vector<TzbBarItem*>& Entries() const { return fEntries; }

 private:
  void FreeEntries();
  QPointer<QMdiSubWindow> fChild;
  std::vector<TzbBarItem*> fEntries;
};

// Its control: the child's icon, 16 x 16, on the bar's background.
class TSystemMenuSubItemControl : public TzbBarSubItemControl {
 public:
  using TzbBarSubItemControl::TzbBarSubItemControl;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  bool WantsDoubleClick() const override { return true; }
  // Closes the menus and runs the child's default system command (close).
  void DblClick() override;
};

// The glyph of a system command's entry (close, restore, maximize, minimize; null otherwise),
// 16 x 16 on the fuchsia transparent colour.
QImage SystemCommandGlyph(int command);

// Follows the active child of a form's client area for the form's manager and merges its menus.
class TzbBarMdiClient {
 public:
  TzbBarMdiClient(TzbBarManager& manager, QMdiArea& area);
  ~TzbBarMdiClient();
  TzbBarMdiClient(const TzbBarMdiClient&) = delete;
  TzbBarMdiClient& operator=(const TzbBarMdiClient&) = delete;

  static TzbBarMdiClient* Of(const TzbBarManager& manager);
  QMdiArea* Area() const { return fArea; }
  // The active child, and whether it was maximized at the last check.
  QMdiSubWindow* ActiveChild() const { return fActive; }
  bool Zoomed() const { return fZoomed; }
  // Runs after every activation, state change or end of a child.
  void ActiveChildChanged();

 private:
  // Merges (or unmerges) one child: the system-menu entry while it is maximized and, unless keep,
  // the links of its form's main menu bar. The merge leaves the manager locked; the unmerge
  // releases the lock unless the child is leaving for another one.
  void MergeChild(QMdiSubWindow* child, bool merge, bool keep, bool leaving = false);
  void RemoveSystemMenuLink();
  // A child was minimized (the floating bars of its form hide) or came back from it (they show
  // again, while it is active or its manager keeps them shown when inactive).
  void ChildMinimizedChanged(QMdiSubWindow* child);
  void Watch(QMdiSubWindow* child);
  TzbBarManager* fManager;
  QPointer<QMdiArea> fArea;
  QPointer<QMdiSubWindow> fActive;
  const QObject* fActiveRaw = nullptr;      // the active child as last seen, only compared
  bool fActiveGone = false;                 // that child went since
  TzbBarManager* fActiveManager = nullptr;  // the manager of the merged child's form
  bool fZoomed = false;
  bool fChildBarVisible = true;  // remembered while the child's main menu bar is hidden
  bool fBusy = false;
  bool fLockBefore = false;           // the manager's lock when the activation change began
  std::unique_ptr<QObject> fContext;  // holds the connections
};

// The form of a child window became the active child (true) or another child did (false): the
// form's manager follows as on its form's activation. Going inactive closes the menus its bars
// opened and lets a held window button go; the floating bars repaint their captions and, with
// HideFloatingBarsWhenInactive, hide while the child is inactive and show again (unless the form is
// hidden or minimized) when it is active.
void MdiChildFormActivated(TzbBarManager& manager, bool active);
// Whether a form is active: its window or a window it owns (a floating bar) is the active window
// and, for the form of a child window, the child is the active child of its area.
bool MdiFormActive(const QWidget* form);
// The manager of the active child's form, nil when the manager's form has no active child with one.
TzbBarManager* ActiveMdiChildManager(const TzbBarManager& manager);
// The maximized active child of the manager's form, nil when none (the window buttons show then).
QMdiSubWindow* MaximizedMdiChild(const TzbBarManager& manager);

}  // namespace zyn
