#pragma once
// The hints of toolbar items (one hint window for the whole library: shown 1000 ms after the mouse
// came to rest on an item, hidden after 10000 ms; a hint asked for within 400 ms after another one
// was hidden shows at once) and the toolbars popup that a right click on a bar or dock opens.

#include "platform/Types.h"

#include <string>
#include <vector>

class QWidget;

namespace zyn {

class TCustomzbBarControl;
class TzbBarItemControl;
class TzbBarManager;
class TzbBarItem;
class TzbBarItemLinks;

struct TzbBarHintDelays {
  static int Show;            // 1000
  static int Hide;            // 10000
  static int RecentlyHidden;  // 400
};

// The selection of the window changed to control: a hint is wanted for it.
void UpdateBarHint(TzbBarManager& manager, TCustomzbBarControl* window, TzbBarItemControl* control);
void HideBarHint(TzbBarManager& manager);
// A hint of the library's own parts (the mark's "More Buttons", the expand button's
// "Expand (Ctrl-Down)"), with the same delays.
void ShowBarHintText(TzbBarManager& manager, const std::string& text);
// The window goes: a hint wanted for it is dropped.
void CancelBarHint(TzbBarManager& manager, TCustomzbBarControl* window);
// The manager goes: a hint it owns, scheduled or shown, ends with it, and so does the grace after a
// hide, which must not make the hint of another manager show at once.
void EndBarHintOf(TzbBarManager& manager);
// The hint window while it is shown, else nil.
QWidget* BarHintWindow();
std::string BarHintText();

// Opens the list of the manager's bars (check buttons that show and hide them) at a screen point.
void ShowToolbarsPopup(TzbBarManager& manager, const TPoint& point);
// Appends "&Customize..." (it enters run-time customizing) to a library popup when the manager
// allows customizing; the temporary item, or nil when none was added.
TzbBarItem* AddCustomizeItem(TzbBarManager& manager, TzbBarItemLinks& links, bool beginGroup, bool quickEntry = false);
// Appends the toolbars list: one check button per bar that may be listed (not hidden, not the
// main menu bar, closable), in bar order, down while the bar is visible, clicking toggles the
// bar; then "&Customize..." as above. The temporary items made are appended to temporaries.
void FillToolbarsList(TzbBarManager& manager, TzbBarItemLinks& links, std::vector<TzbBarItem*>& temporaries);

}  // namespace zyn
