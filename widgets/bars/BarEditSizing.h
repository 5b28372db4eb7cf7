#pragma once
// The width of an edit or combo link on a toolbar, set with the mouse while the manager customizes
// at run time: over the left or right 7 pixels of the selected edit link the cursor becomes the
// sizing cursor; a press there starts sizing, the new width is shown as a frame over the link
// (the other edge stays), and the release gives the link its own width (at least 20 for the edit
// part). Losing the mouse, Esc or the end of the customizing mode cancel it.

#include "platform/Types.h"

#include <QRect>

namespace zyn {

class TCustomzbBarControl;
class TzbBarItemLink;
class TzbBarManager;

// The cursor of the sizing zones.
constexpr int crzbBarEditSizing = 1044;
// How far into the link the sizing zones of its edges reach.
constexpr int EditSizingZone = 7;

// The edge of the selected edit link at the client point: -1 left, 1 right, 0 none.
int EditSizingEdgeAt(const TCustomzbBarControl& window, const TPoint& clientPoint);

// The mouse of a customized toolbar window; true when the sizing took it.
bool EditSizingMouseDown(TCustomzbBarControl& window, const TPoint& clientPoint);
bool EditSizingMouseMove(TCustomzbBarControl& window, const TPoint& clientPoint);
bool EditSizingMouseUp(TCustomzbBarControl& window, const TPoint& clientPoint);

// The running sizing (nil link when none): its link, the frame in screen coordinates and the
// width the edit part would get.
struct TzbBarEditSizingState {
  TzbBarItemLink* Link = nullptr;
  QRect Frame;
  int EditWidth = 0;
};
TzbBarEditSizingState EditSizingState();
// The cursor the window shows now: crzbBarEditSizing over a sizing zone or while sizing, else 0.
int EditSizingCursor(const TCustomzbBarControl& window);
// Ends a running sizing without change (the link or its window goes, the customizing mode ends).
void CancelEditSizing();
void EditSizingLinkGone(const TzbBarItemLink* link);

}  // namespace zyn
