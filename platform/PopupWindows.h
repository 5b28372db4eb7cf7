#pragma once
// Window kinds the menu and toolbar library needs from the platform: frameless, non-activating,
// always-on-top windows for menus, hints and shadows, frameless tool windows for floating
// toolbars, and the work area of the monitor at a point.

#include "platform/Types.h"

class QWidget;

namespace zyn {

// A menu, hint or similar window: no frame, never takes the focus or activation, above all others.
void MakeNonActivatingPopup(QWidget* widget);
// A shadow strip: like a popup, and the mouse passes through it to what lies below.
void MakeShadowWindow(QWidget* widget);
// A floating toolbar: a frameless tool window above its owner form that does not take the focus.
void MakeFloatingToolWindow(QWidget* widget, QWidget* ownerForm);
// The work area of the monitor that contains the point (the nearest one otherwise), in screen
// coordinates.
TRect MonitorWorkArea(const TPoint& point);
// The cursor position in screen coordinates.
TPoint CursorPos();
// An invisible 1 x 1 window at the cursor that holds the mouse grab (with the cursor shape) while a
// drag runs; offscreen, where there is no pointer to grab, it only stands there. The caller
// releases and deletes it.
QWidget* CreateMouseCapture(const TPoint& cursor, int cursorShape);

}  // namespace zyn
