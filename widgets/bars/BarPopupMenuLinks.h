#pragma once
// The manager's popup-menu links: each binds a popup menu to a control of the manager's form, so
// that a right click, the context-menu key or Shift+F10 on the control (or, with ProcessChildren,
// on one of its children) opens that menu, and the menu's shortcuts work while the control has
// the focus.

#include "widgets/bars/BarTypes.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

class TzbBarManager;
class TzbBarPopupMenu;
class TzbBarPopupMenuLink;

// x and y in the control's coordinates, (-1, -1) from the keyboard until changed.
using TzbBarPopupMenuLinkActionEvent =
    std::function<void(TzbBarPopupMenuLink& sender, int& x, int& y, bool clickedByMouse, bool& allowPopup)>;

class TzbBarPopupMenuLink {
 public:
  explicit TzbBarPopupMenuLink(TzbBarManager& manager) : fManager(&manager) {}

  QWidget* Control() const { return fControl.data(); }
  // A control that is not on the manager's form is not stored.
  void SetControl(QWidget* control);
  TzbBarPopupMenu* PopupMenu() const { return fPopupMenu; }
  void SetPopupMenu(TzbBarPopupMenu* menu) { fPopupMenu = menu; }
  bool ProcessChildren = true;
  TzbBarPopupMenuLinkActionEvent OnAction;

  bool IsShortCut(TShortCut shortCut);
  // point: a screen point, or (-1, -1) from the keyboard (the menu then opens at the window's
  // input cursor, or at its top-left corner). True when a menu was shown or the control handled
  // the context request itself.
  bool Popup(QWidget* window, QPoint point);

 private:
  TzbBarManager* fManager;
  QPointer<QWidget> fControl;
  TzbBarPopupMenu* fPopupMenu = nullptr;
};

class TzbBarPopupMenuLinks {
 public:
  explicit TzbBarPopupMenuLinks(TzbBarManager& manager) : fManager(&manager) {}
  TzbBarPopupMenuLink* Add();
  int Count() const { return static_cast<int>(fItems.size()); }
  TzbBarPopupMenuLink* Items(int index) const { return fItems.at(index).get(); }
  void Delete(TzbBarPopupMenuLink* link);
  // Links of a popup menu that goes lose it.
  void MenuRemoved(const TzbBarPopupMenu* menu);

  // The links of the control first, then those with ProcessChildren of each parent upwards; the
  // first that answers ends the search.
  bool IsShortCut(QWidget* control, TShortCut shortCut);
  bool Popup(QWidget* control, QWidget* window, QPoint point);
  // A link with a popup menu serves the control (itself or through a parent).
  bool Covers(QWidget* control);

 private:
  bool FirstOf(QWidget* control, const std::function<bool(TzbBarPopupMenuLink&)>& ask);
  TzbBarManager* fManager;
  std::vector<std::unique_ptr<TzbBarPopupMenuLink>> fItems;
};

}  // namespace zyn
