#include "platform/MdiWindows.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace zyn {

namespace {

void UpdateSystemMenu(QMdiSubWindow* child) {
  const Qt::WindowStates s = child->windowState();
  const bool normal = !(s & (Qt::WindowMinimized | Qt::WindowMaximized));
  auto enable = [child](int command, bool on) {
    if (QAction* a = SystemMenuEntry(child, command)) a->setEnabled(on);
  };
  enable(scRestore, !normal);
  enable(scMove, !(s & Qt::WindowMaximized));
  enable(scSize, normal);
  enable(scMinimize, !(s & Qt::WindowMinimized));
  enable(scMaximize, !(s & Qt::WindowMaximized));
}

// The child's own entries that start moving and sizing it with the keyboard (the arrow keys move
// its frame, Enter keeps the new place, Esc goes back): the second and third entries of the menu
// the child window builds for itself. They are kept (given to owner) before that menu goes.
void TakeMoveAndSizeEntries(QMdiSubWindow* child, QObject* owner, QAction*& move, QAction*& size) {
  move = size = nullptr;
  QMenu* own = child->systemMenu();
  if (!own) return;
  QList<QAction*> entries;
  for (QAction* a : own->actions())
    if (!a->isSeparator()) entries.append(a);
  if (entries.size() < 3) return;
  move = entries[1];
  size = entries[2];
  move->setParent(owner);
  size->setParent(owner);
}

}  // namespace

void PrepareMdiClient(QMdiArea& area) {
  // The form's menu bar shows the maximized child's icon and window buttons.
  if (QWidget* form = area.window()) form->setAttribute(Qt::WA_CanHostQMdiSubWindowTitleBar, true);
}

QMdiSubWindow* AddMdiChild(QMdiArea& area, QWidget* form) {
  PrepareMdiClient(area);
  QMdiSubWindow* child = area.addSubWindow(form);
  child->setWindowTitle(form->windowTitle());
  if (!form->windowIcon().isNull()) child->setWindowIcon(form->windowIcon());
  auto* menu = new QMenu(child);
  QAction* move = nullptr;
  QAction* size = nullptr;
  TakeMoveAndSizeEntries(child, menu, move, size);
  struct TEntry {
    const char* Text;
    int Command;
    bool BeginGroup;
  };
  static const TEntry entries[] = {
      {"&Wiederherstellen", scRestore, false},    {"&Verschieben", scMove, false},
      {"&Größe ändern", scSize, false},           {"Mi&nimieren", scMinimize, false},
      {"Ma&ximieren", scMaximize, false},         {"&Schließen\tStrg+F4", scClose, true},
      {"&Nächstes\tStrg+F6", scNextWindow, true},
  };
  for (const TEntry& e : entries) {
    if (e.BeginGroup) menu->addSeparator();
    QAction* own = e.Command == scMove ? move : (e.Command == scSize ? size : nullptr);
    if ((e.Command == scMove || e.Command == scSize) && !own) continue;  // the child cannot move itself
    QAction* a = own ? own : new QAction(menu);
    a->setText(QString::fromUtf8(e.Text));
    a->setData(e.Command);
    menu->addAction(a);
    // Moving and sizing run the child's own keyboard mode, started by the entry itself.
    if (!own)
      QObject::connect(a, &QAction::triggered, child,
                       [child, command = e.Command]() { SendSystemCommand(child, command); });
  }
  child->setSystemMenu(menu);
  QObject::connect(child, &QMdiSubWindow::windowStateChanged, child, [child]() { UpdateSystemMenu(child); });
  UpdateSystemMenu(child);
  return child;
}

QMdiArea* FindMdiClient(const QWidget* form) {
  if (!form) return nullptr;
  for (QMdiArea* area : form->findChildren<QMdiArea*>()) {
    bool inChild = false;
    for (const QWidget* p = area->parentWidget(); p && p != form; p = p->parentWidget())
      if (qobject_cast<const QMdiSubWindow*>(p)) inChild = true;
    if (!inChild) return area;
  }
  return nullptr;
}

QMdiSubWindow* ActiveMdiChild(const QWidget* form) {
  QMdiArea* area = FindMdiClient(form);
  return area ? area->activeSubWindow() : nullptr;
}

QMdiSubWindow* MdiChildOf(const QWidget* form) {
  return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}

QAction* SystemMenuEntry(const QMdiSubWindow* child, int command) {
  if (!child || !child->systemMenu()) return nullptr;
  QList<QMenu*> menus{child->systemMenu()};
  while (!menus.isEmpty()) {
    QMenu* m = menus.takeFirst();
    for (QAction* a : m->actions()) {
      if (a->menu()) menus.append(a->menu());
      bool ok = false;
      if (a->data().toInt(&ok) == command && ok) return a;
    }
  }
  return nullptr;
}

bool SendSystemCommand(QMdiSubWindow* child, int command) {
  if (!child) return false;
  switch (command) {
    case scMinimize:
      child->showMinimized();
      return true;
    case scMaximize:
      child->showMaximized();
      return true;
    case scRestore:
      child->showNormal();
      return true;
    case scClose:
      child->close();
      return true;
    case scNextWindow:
      if (QMdiArea* area = child->mdiArea()) area->activateNextSubWindow();
      return true;
    case scMove:
    case scSize:
      // The child's own entry starts the keyboard mode (the mode needs the entry as its sender).
      if (QAction* a = SystemMenuEntry(child, command); a && a->isEnabled()) {
        a->trigger();
        return true;
      }
      return false;
    default:
      return false;
  }
}

int DefaultSystemCommand(const QMdiSubWindow*) { return scClose; }

QIcon MdiChildIcon(const QMdiSubWindow* child) {
  if (!child) return QIcon();
  if (!child->windowIcon().isNull()) return child->windowIcon();
  if (child->widget() && !child->widget()->windowIcon().isNull()) return child->widget()->windowIcon();
  return QApplication::windowIcon();
}

}  // namespace zyn
