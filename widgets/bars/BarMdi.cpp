#include "widgets/bars/BarMdi.h"

#include "platform/MdiWindows.h"
#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarToolbarControl.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace zyn {

namespace {

std::vector<TzbBarMdiClient*>& Clients() {
  static std::vector<TzbBarMdiClient*> list;
  return list;
}

// "Strg+F4", "Umschalt+Alt+X": the shortcut of a menu entry's text after its tab.
TShortCut ParseShortCutText(QString text) {
  text.replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"))
      .replace(QStringLiteral("Umschalt"), QStringLiteral("Shift"));
  const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
  if (seq.isEmpty()) return 0;
  const QKeyCombination k = seq[0];
  const int vk = VirtualKeyOf(k.key());
  if (!vk) return 0;
  TShortCut sc = static_cast<TShortCut>(vk);
  if (k.keyboardModifiers() & Qt::ShiftModifier) sc |= scShift;
  if (k.keyboardModifiers() & Qt::ControlModifier) sc |= scCtrl;
  if (k.keyboardModifiers() & Qt::AltModifier) sc |= scAlt;
  return sc;
}

// Runs a menu entry's action once the click that chose it is over (the command may merge the menus
// anew and free the entries).
void TriggerLater(const QPointer<QAction>& a) {
  if (!a) return;
  QTimer::singleShot(0, a.data(), [a]() {
    if (a && a->isEnabled()) a->trigger();
  });
}

}  // namespace

QImage SystemCommandGlyph(int command) {
  if (command != scClose && command != scRestore && command != scMaximize && command != scMinimize) return QImage();
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setPen(Qt::black);
  switch (command) {
    case scClose:
      for (int i = 0; i < 2; ++i) {
        p.drawLine(4 + i, 4, 11 + i, 11);
        p.drawLine(11 + i, 4, 4 + i, 11);
      }
      break;
    case scMinimize:
      p.fillRect(4, 10, 7, 2, Qt::black);
      break;
    case scMaximize:
      p.drawRect(3, 3, 9, 9);
      p.fillRect(3, 3, 10, 2, Qt::black);
      break;
    case scRestore:
      p.drawRect(5, 2, 7, 6);
      p.fillRect(5, 2, 8, 2, Qt::black);
      p.fillRect(2, 6, 8, 7, QColor(255, 0, 255));
      p.drawRect(2, 6, 7, 6);
      p.fillRect(2, 6, 8, 2, Qt::black);
      break;
    default:
      break;
  }
  return image;
}

// ---------------------------------------------------------------- the system-menu entry

TSystemMenuSubItem::TSystemMenuSubItem(TzbBarManager& manager, QMdiSubWindow* child)
    : TCustomzbBarSubItem(manager), fChild(child) {
  SetCaption(child ? FromQString(child->windowTitle()) : std::string());
  OnPopup = [this](TzbBarItem&) { ReadSystemMenu(); };
}

TSystemMenuSubItem::~TSystemMenuSubItem() {
  if (!BarManager().IsDestroying()) FreeEntries();
}

bool TSystemMenuSubItem::InheritsFrom(const char* className) const {
  return std::strcmp(className, kClassName) == 0 || TCustomzbBarSubItem::InheritsFrom(className);
}

void TSystemMenuSubItem::FreeEntries() {
  ItemLinks().Clear();
  TzbBarManager& m = BarManager();
  for (auto it = fEntries.rbegin(); it != fEntries.rend(); ++it)
    if (m.IndexOfItem(*it) >= 0) m.FreeItem(*it);
  fEntries.clear();
}

void TSystemMenuSubItem::ReadSystemMenu() {
  FreeEntries();
  if (!fChild || !fChild->systemMenu()) return;
  TzbBarManager& m = BarManager();
  std::function<void(QMenu&, TzbBarItemLinks&)> read = [&](QMenu& menu, TzbBarItemLinks& links) {
    bool group = false;
    for (QAction* a : menu.actions()) {
      if (a->isSeparator()) {
        group = true;
        continue;
      }
      if (!a->isVisible()) continue;
      const QStringList parts = a->text().split(QLatin1Char('\t'));
      TzbBarItem* item = nullptr;
      if (a->menu()) {
        auto* sub = m.CreateItem<TzbBarSubItem>();
        fEntries.push_back(sub);
        read(*a->menu(), sub->ItemLinks());
        item = sub;
      } else {
        auto* b = m.CreateItem<TzbBarButton>();
        fEntries.push_back(b);
        if (a->isCheckable()) {
          b->SetButtonStyle(bsChecked);
          b->SetDown(a->isChecked());
        }
        b->Tag = a->data().toInt();
        QImage glyph = SystemCommandGlyph(b->Tag);
        if (glyph.isNull() && !a->icon().isNull()) glyph = a->icon().pixmap(16, 16).toImage();
        if (!glyph.isNull()) b->SetGlyph(glyph);
        b->OnClick = [action = QPointer<QAction>(a)](TzbBarItem&) { TriggerLater(action); };
        item = b;
      }
      item->SetCaption(FromQString(parts.value(0)));
      item->SetEnabled(a->isEnabled());
      if (parts.size() > 1) item->SetShortCut(ParseShortCutText(parts.value(1)));
      TzbBarItemLink* link = links.Add();
      link->SetItem(item);
      if (group && links.Count() > 1) link->SetBeginGroup(true);
      group = false;
    }
  };
  read(*fChild->systemMenu(), ItemLinks());
}

int TSystemMenuSubItemControl::GetWidth() const { return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize); }

int TSystemMenuSubItemControl::GetHeight() const { return GetWidth(); }

void TSystemMenuSubItemControl::Paint(const TRect& r, int view) {
  if (IsRectEmpty(r)) return;
  TCanvas& dc = Parent().Canvas();
  Parent().PaintBackground(dc, r, false);
  const auto* item = static_cast<const TSystemMenuSubItem*>(&Item());
  const QIcon icon = MdiChildIcon(item->Child());
  if (icon.isNull()) return;
  // The small icon, else the large one, made 16 x 16 and stretched into the control's own square
  // (the line may be thicker than the control).
  const int side = std::min(r.Width(), r.Height());
  const TRect square = Bounds(r.Left + (r.Width() - side) / 2, r.Top + (r.Height() - side) / 2, side, side);
  dc.StretchDraw(square, icon.pixmap(16, 16).toImage().scaled(16, 16));
}

void TSystemMenuSubItemControl::DblClick() {
  QPointer<QMdiSubWindow> child = static_cast<TSystemMenuSubItem&>(Item()).Child();
  if (auto* w = dynamic_cast<TCustomzbBarControl*>(&Parent())) w->HideAll();
  if (!child) return;
  QTimer::singleShot(0, child, [child]() {
    if (child) SendSystemCommand(child, DefaultSystemCommand(child));
  });
}

// ---------------------------------------------------------------- merging

TzbBarMdiClient::TzbBarMdiClient(TzbBarManager& manager, QMdiArea& area)
    : fManager(&manager), fArea(&area), fContext(std::make_unique<QObject>()) {
  Clients().push_back(this);
  PrepareMdiClient(area);
  QObject::connect(&area, &QMdiArea::subWindowActivated, fContext.get(),
                   [this](QMdiSubWindow*) { ActiveChildChanged(); });
  ActiveChildChanged();
}

TzbBarMdiClient::~TzbBarMdiClient() {
  auto& list = Clients();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  fContext.reset();
  if (!TzbBarManagerList::Contains(fManager) || fManager->IsDestroying()) return;
  fLockBefore = fManager->LockUpdate();
  if (fActive) MergeChild(fActive, false, false);
}

TzbBarMdiClient* TzbBarMdiClient::Of(const TzbBarManager& manager) {
  for (TzbBarMdiClient* c : Clients())
    if (c->fManager == &manager) return c;
  return nullptr;
}

void TzbBarMdiClient::Watch(QMdiSubWindow* child) {
  const char* key = "zbMdiWatched";
  if (child->property(key).value<QObject*>() == fContext.get()) return;
  child->setProperty(key, QVariant::fromValue<QObject*>(fContext.get()));
  // Maximizing, minimizing and restoring; the active flag alone changes while the activation moves
  // to another child, which the area reports once it is over (between the two, no child is active).
  QObject::connect(child, &QMdiSubWindow::windowStateChanged, fContext.get(),
                   [this, child](Qt::WindowStates before, Qt::WindowStates now) {
                     if ((before ^ now) & Qt::WindowMinimized) ChildMinimizedChanged(child);
                     if ((before ^ now) & ~Qt::WindowActive) ActiveChildChanged();
                   });
  // A child that goes: its form and manager go with it; the menu bar follows afterwards.
  QObject::connect(child, &QObject::destroyed, fContext.get(), [this](QObject* gone) {
    if (gone == fActiveRaw) fActiveGone = true;
    QTimer::singleShot(0, fContext.get(), [this]() { ActiveChildChanged(); });
  });
}

void TzbBarMdiClient::ActiveChildChanged() {
  if (fBusy || !fArea || !TzbBarManagerList::Contains(fManager) || fManager->IsDestroying()) return;
  fBusy = true;
  for (QMdiSubWindow* c : fArea->subWindowList()) Watch(c);
  QMdiSubWindow* active = fArea->currentSubWindow();
  const bool wasZoomed = fZoomed;
  const bool zoomed = active && active->isMaximized();
  const bool lock = fManager->LockUpdate();
  fLockBefore = lock;
  // The previous child may be gone (its pointer is then empty, its links went with its manager).
  const bool changed = active != fActiveRaw || fActiveGone;
  if (!TzbBarManagerList::Contains(fActiveManager)) fActiveManager = nullptr;
  fZoomed = zoomed;
  if (!changed) {
    if (active && zoomed != wasZoomed) MergeChild(active, zoomed, fManager->AlwaysMerge);
  } else {
    // The child that leaves keeps the menu bar locked until the new one has come: the bar is laid
    // out once, with the new child's menus.
    MergeChild(fActive, false, false, true);
    if (active) MergeChild(active, true, false);
  }
  // The form of the child that leaves goes inactive among its siblings, the new child's form active.
  TzbBarManager* before = changed && fActive ? TzbBarManagerList::FindBarManager(fActive->widget()) : nullptr;
  TzbBarManager* after = changed && active ? TzbBarManagerList::FindBarManager(active->widget()) : nullptr;
  fActive = active;
  fActiveRaw = active;
  fActiveGone = false;
  if (before && before != fManager && before != after) MdiChildFormActivated(*before, false);
  if (after && after != fManager && TzbBarManagerList::Contains(after)) MdiChildFormActivated(*after, true);
  fManager->SetLockUpdate(lock);
  if (changed || zoomed != wasZoomed)
    if (TzbBar* bar = fManager->MainMenuBar())
      if (TzbBarWindow* w = bar->GetBarControl()) w->RebuildLayout();
  fBusy = false;
}

void TzbBarMdiClient::ChildMinimizedChanged(QMdiSubWindow* child) {
  TzbBarManager* m = TzbBarManagerList::FindBarManager(child->widget());
  TzbBarScreen* screen = m && m != fManager ? TzbBarScreen::Of(*m) : nullptr;
  if (!screen) return;
  if (child->isMinimized())
    screen->ShowFloatingBars(false);
  else if (!m->HideFloatingBarsWhenInactive || (fArea && fArea->currentSubWindow() == child))
    screen->ShowFloatingBars(true);
}

void TzbBarMdiClient::RemoveSystemMenuLink() {
  TzbBar* bar = fManager->MainMenuBar();
  if (!bar || bar->ItemLinks().Count() == 0) return;
  TzbBarItemLink* first = bar->ItemLinks().Items(0);
  if (!first->Item() || !first->Item()->InheritsFrom(TSystemMenuSubItem::kClassName)) return;
  TzbBarLockScope scope(*fManager);
  fManager->FreeItem(first->Item());  // takes its link along
}

void TzbBarMdiClient::MergeChild(QMdiSubWindow* child, bool merge, bool keep, bool leaving) {
  TzbBar* menuBar = fManager->MainMenuBar();
  if (!menuBar) return;
  if (merge && child && child->isMaximized()) {
    RemoveSystemMenuLink();
    if (child->systemMenu()) {
      TzbBarLockScope scope(*fManager);
      auto* item = fManager->CreateItem<TSystemMenuSubItem>(child);
      menuBar->ItemLinks().Insert(0)->SetItem(item);
    }
  } else if (!merge) {
    RemoveSystemMenuLink();
  }
  if (keep) return;
  TzbBarManager* childManager = nullptr;
  if (child)
    childManager = TzbBarManagerList::FindBarManager(child->widget());
  else if (TzbBarManagerList::Contains(fActiveManager))
    childManager = fActiveManager;
  if (!childManager || childManager == fManager) return;
  TzbBar* childBar = childManager->MainMenuBar();
  if (!childBar) return;
  if (merge) {
    if (!fManager->AlwaysMerge && !child->isMaximized()) return;
    if (fActiveManager == childManager) return;  // merged already
    fChildBarVisible = childBar->Visible();
    fActiveManager = childManager;
    if (fManager->OnMenuMerge) {
      fManager->OnMenuMerge(*fManager, *childManager, true);
    } else {
      // Locked until the activation change is over (ActiveChildChanged takes the lock back).
      fManager->SetLockUpdate(true);
      TzbBarItemLinks& source = childBar->ItemLinks();
      for (int i = 0; i < source.Count(); ++i) menuBar->ItemLinks().Add()->Assign(*source.Items(i));
    }
    childBar->SetVisible(false);
    return;
  }
  if (fActiveManager != childManager) return;  // not merged
  fManager->SetLockUpdate(true);
  TzbBarItemLinks& links = menuBar->ItemLinks();
  for (int i = links.Count() - 1; i >= 0; --i) {
    TzbBarItemLink* link = links.Items(i);
    if (link->Item() && &link->Item()->BarManager() == childManager) links.Delete(link);
  }
  // A child that leaves for another one keeps the lock (the merge of the next child follows).
  if (!leaving) fManager->SetLockUpdate(fLockBefore);
  fActiveManager = nullptr;
  if (fManager->OnMenuMerge) fManager->OnMenuMerge(*fManager, *childManager, false);
  if (!fManager->AlwaysMerge && !childBar->Visible() && fChildBarVisible) childBar->SetVisible(true);
}

void MdiChildFormActivated(TzbBarManager& manager, bool active) {
  if (!active) {
    // The menus the child's bars opened close with its activation.
    TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
    if (head && &head->Manager() == &manager) head->HideAll();
    if (!TzbBarManagerList::Contains(&manager)) return;
    TzbBarControl::CancelWindowButtons(manager);
  }
  const QWidget* form = manager.Form();
  const bool shown = form && form->isVisible() && !form->isMinimized();
  for (int i = 0; i < manager.Bars().Count(); ++i) {
    auto* w = dynamic_cast<TzbBarControl*>(manager.Bars().Items(i)->GetBarControl());
    if (w && w->IsFloating()) w->Invalidate();  // its caption in the new active state
  }
  if (!manager.HideFloatingBarsWhenInactive || (active && !shown)) return;
  if (TzbBarScreen* screen = TzbBarScreen::Of(manager)) screen->ShowFloatingBars(active);
}

bool MdiFormActive(const QWidget* form) {
  if (!form) return false;
  // A window the form owns (a floating bar) that took the activation leaves the form active.
  const QWidget* top = form->window();
  bool active = top->isActiveWindow();
  for (const QWidget* w = QApplication::activeWindow(); w && !active;
       w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
    active = w == top;
  if (!active) return false;
  const QMdiSubWindow* child = MdiChildOf(form);
  return !child || !child->mdiArea() || child->mdiArea()->currentSubWindow() == child;
}

TzbBarManager* ActiveMdiChildManager(const TzbBarManager& manager) {
  TzbBarMdiClient* c = TzbBarMdiClient::Of(manager);
  QMdiSubWindow* child = c && c->Area() ? c->Area()->currentSubWindow() : nullptr;
  TzbBarManager* m = child ? TzbBarManagerList::FindBarManager(child->widget()) : nullptr;
  return m == &manager ? nullptr : m;
}

QMdiSubWindow* MaximizedMdiChild(const TzbBarManager& manager) {
  TzbBarMdiClient* c = TzbBarMdiClient::Of(manager);
  return c && c->Zoomed() ? c->ActiveChild() : nullptr;
}

}  // namespace zyn
