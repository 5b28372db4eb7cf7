#pragma once
// F1 on the bars and menus: the help context of the entry under the keyboard selection of an open
// menu (or of the nearest entry up the chain of open menus that has one), or of the bar item under
// the mouse when no menu is open, goes to the form through the manager's OnHelp event. For a modal
// form the request asks for a help popup at the middle of the entry's bottom edge.

#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

#include <QPoint>

namespace zyn {

class TCustomzbBarControl;

struct TzbBarHelpRequest {
  int HelpContext = 0;
  bool Popup = false;  // the form is modal: a popup at Position
  QPoint Position;     // screen point below the middle of the entry
  TzbBarItem* Item = nullptr;
};

// F1 while a bar window is in menu mode (head of the active chain): all menus close and the help
// of the found entry is asked for. Always takes the key.
void ShowActiveBarHelp(TCustomzbBarControl& head);
// F1 over a bar window without open menu: the help of the item under the point; false when there
// is no enabled item control of this manager's windows there.
bool ShowBarHelpAt(TzbBarManager& manager, const TPoint& screenPoint);
// The help button of the customizing form: the manager's own help context (nothing when 0) goes
// to the form as F1 help does, the tip below the button (position, screen).
void ShowCustomizingHelp(TzbBarManager& manager, const QPoint& position);

}  // namespace zyn
