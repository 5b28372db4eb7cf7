#include "widgets/bars/BarHelp.h"

#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QApplication>
#include <QWidget>

namespace zyn {

namespace {

// The request for the control's item, taken before the menus close (they free the control).
TzbBarHelpRequest RequestFor(TzbBarItemControl& control, const QWidget* form) {
  TzbBarHelpRequest r;
  r.Item = &control.Item();
  r.HelpContext = r.Item->HelpContext;
  if (auto* w = dynamic_cast<TCustomzbBarControl*>(&control.Parent())) {
    const TRect rect = w->GetItemRect(&control);
    const TPoint p = w->ClientToScreen(Point((rect.Left + rect.Right) / 2, rect.Bottom));
    r.Position = QPoint(p.X, p.Y);
  }
  r.Popup = form && (form->isModal() || QApplication::activeModalWidget() == form->window());
  return r;
}

void Deliver(TzbBarManager& manager, const TzbBarHelpRequest& request) {
  if (request.HelpContext == 0 || !manager.OnHelp) return;
  manager.OnHelp(manager, request);
}

}  // namespace

void ShowActiveBarHelp(TCustomzbBarControl& head) {
  TzbBarManager& manager = head.Manager();
  TzbBarItemControl* found = nullptr;
  if (TzbBarItemControl* selected = head.SelectedControl(); selected && selected->Item().HelpContext != 0)
    found = selected;
  // Up the chain: the entry that opened each menu.
  for (TCustomzbBarControl* w = &head; !found && w; w = w->ParentBar)
    if (auto* menu = dynamic_cast<TzbBarSubMenuControl*>(w))
      if (menu->OwnerControl && menu->OwnerControl->Item().HelpContext != 0) found = menu->OwnerControl;
  TzbBarHelpRequest request;
  if (found) request = RequestFor(*found, manager.Form());
  head.HideAll();
  // The form's own help context is 0: without an entry with help nothing more happens.
  if (TzbBarManagerList::Contains(&manager)) Deliver(manager, request);
}

bool ShowBarHelpAt(TzbBarManager& manager, const TPoint& screenPoint) {
  TCustomzbBarControl* w = TCustomzbBarControl::AtScreenPoint(screenPoint);
  if (!w || &w->Manager() != &manager || w->IsMenu()) return false;
  TzbBarItemControl* c = w->ControlAt(w->ScreenToClient(screenPoint));
  if (!c || !c->Enabled()) return false;
  Deliver(manager, RequestFor(*c, manager.Form()));
  return true;
}

void ShowCustomizingHelp(TzbBarManager& manager, const QPoint& position) {
  TzbBarHelpRequest request;
  request.HelpContext = manager.HelpContext;
  request.Position = position;
  Deliver(manager, request);
}

}  // namespace zyn
