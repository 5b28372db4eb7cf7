#include "widgets/bars/BarPopupMenuLinks.h"

#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPopupMenu.h"

#include <QGuiApplication>
#include <QInputMethod>

#include <algorithm>

namespace zyn {

void TzbBarPopupMenuLink::SetControl(QWidget* control) {
  fControl = control && control->window() == fManager->Form() ? control : nullptr;
}

bool TzbBarPopupMenuLink::IsShortCut(TShortCut shortCut) {
  bool allow = fPopupMenu != nullptr;
  if (OnAction) {
    int x = -1, y = -1;
    OnAction(*this, x, y, false, allow);
  }
  return allow && fPopupMenu && fPopupMenu->ItemLinks().IsShortCut(shortCut);
}

bool TzbBarPopupMenuLink::Popup(QWidget* window, QPoint point) {
  QWidget* control = Control();
  if (!control || !window) return false;
  const bool byMouse = point.x() != -1;
  // From the keyboard: the input cursor of the focused window, else its top-left corner.
  QPoint inWindow(0, 0);
  if (byMouse)
    inWindow = window->mapFromGlobal(point);
  else if (window->hasFocus() && window->testAttribute(Qt::WA_InputMethodEnabled))
    inWindow = QGuiApplication::inputMethod()->cursorRectangle().toRect().bottomLeft();
  QPoint inControl = control->mapFromGlobal(window->mapToGlobal(inWindow));
  // A control that answers context requests itself gets the request and no bar menu.
  if (control->contextMenuPolicy() == Qt::CustomContextMenu) {
    emit control->customContextMenuRequested(inControl);
    return true;
  }
  bool allow = fPopupMenu != nullptr;
  int x = inControl.x(), y = inControl.y();
  if (OnAction) OnAction(*this, x, y, byMouse, allow);
  if (!allow || !fPopupMenu) return allow;
  if (window->isEnabled()) window->setFocus(Qt::PopupFocusReason);
  const QPoint screen = control->mapToGlobal(QPoint(x, y));
  fPopupMenu->Popup(screen.x(), screen.y());
  return true;
}

TzbBarPopupMenuLink* TzbBarPopupMenuLinks::Add() {
  fItems.push_back(std::make_unique<TzbBarPopupMenuLink>(*fManager));
  return fItems.back().get();
}

void TzbBarPopupMenuLinks::Delete(TzbBarPopupMenuLink* link) {
  std::erase_if(fItems, [link](const auto& item) { return item.get() == link; });
}

void TzbBarPopupMenuLinks::MenuRemoved(const TzbBarPopupMenu* menu) {
  for (const auto& item : fItems)
    if (item->PopupMenu() == menu) item->SetPopupMenu(nullptr);
}

bool TzbBarPopupMenuLinks::FirstOf(QWidget* control, const std::function<bool(TzbBarPopupMenuLink&)>& ask) {
  if (!control) return false;
  // The list may change while a menu is open: the links are taken before they are asked.
  std::vector<TzbBarPopupMenuLink*> links;
  for (const auto& item : fItems) links.push_back(item.get());
  for (TzbBarPopupMenuLink* link : links)
    if (link->Control() == control && ask(*link)) return true;
  for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget())
    for (TzbBarPopupMenuLink* link : links)
      if (link->ProcessChildren && link->Control() == parent && ask(*link)) return true;
  return false;
}

bool TzbBarPopupMenuLinks::IsShortCut(QWidget* control, TShortCut shortCut) {
  return FirstOf(control, [shortCut](TzbBarPopupMenuLink& link) { return link.IsShortCut(shortCut); });
}

bool TzbBarPopupMenuLinks::Popup(QWidget* control, QWidget* window, QPoint point) {
  if (fManager->Designing) return false;
  return FirstOf(control, [window, point](TzbBarPopupMenuLink& link) { return link.Popup(window, point); });
}

bool TzbBarPopupMenuLinks::Covers(QWidget* control) {
  return FirstOf(control, [](TzbBarPopupMenuLink& link) { return link.PopupMenu() != nullptr; });
}

}  // namespace zyn
