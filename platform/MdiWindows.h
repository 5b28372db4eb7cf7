#pragma once
// Child windows inside a form's client area (multiple-document forms) over Qt's QMdiArea: a child
// window with a German system menu whose entries carry their system command, the look-up of a
// form's client area and its active child, and the system commands (minimize, maximize, restore,
// close, next window) that menus and window buttons send to a child.
//
// A form whose client area holds children hosts the maximized child's caption in its own menu
// bar: the maximized child shows no title bar of its own.

#include <QString>

class QAction;
class QIcon;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace zyn {

// System commands of a child window (the values the command entries carry).
enum TSystemCommand : int {
  scSize = 0xF000,
  scMove = 0xF010,
  scMinimize = 0xF020,
  scMaximize = 0xF030,
  scNextWindow = 0xF040,
  scClose = 0xF060,
  scRestore = 0xF120,
};

// Makes area the client area of its form: the form hosts the caption of a maximized child.
void PrepareMdiClient(QMdiArea& area);
// Adds form as a child window of the area with the German system menu ("&Wiederherstellen",
// "&Verschieben", "&Größe ändern", "Mi&nimieren", "Ma&ximieren", "&Schließen\tStrg+F4",
// "&Nächstes\tStrg+F6"); the entries follow the child's state (restore only when not normal, move
// only when not maximized, size only when normal, minimize only when not minimized, maximize only
// when not maximized). Move and size start the child's keyboard mode: the arrow keys move its frame
// or its bottom-right corner, Enter or Esc ends the mode. The child takes the form's title and icon.
QMdiSubWindow* AddMdiChild(QMdiArea& area, QWidget* form);
// The client area of a form (its first QMdiArea outside any child window), nil when none.
QMdiArea* FindMdiClient(const QWidget* form);
// The active child of a form's client area, nil when none.
QMdiSubWindow* ActiveMdiChild(const QWidget* form);
// The child window that holds the form, nil when the form is not a child.
QMdiSubWindow* MdiChildOf(const QWidget* form);
// The entry of the child's system menu for a command (searched in the menu and its sub-menus), nil
// when the menu has none.
QAction* SystemMenuEntry(const QMdiSubWindow* child, int command);
// Runs a system command on the child (what the entry would run); false for an unknown command.
bool SendSystemCommand(QMdiSubWindow* child, int command);
// The command of the child's default system-menu entry (a double click on its icon): close.
int DefaultSystemCommand(const QMdiSubWindow* child);
// The child's small icon (its own, else its form's, else the application's).
QIcon MdiChildIcon(const QMdiSubWindow* child);

}  // namespace zyn
