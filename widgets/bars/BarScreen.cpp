#include "widgets/bars/BarScreen.h"

#include "platform/AppEventFilter.h"
#include "platform/MdiWindows.h"
#include "platform/PopupWindows.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarDockControl.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarHelp.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarPopupMenuLinks.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/LookAndFeels.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace zyn {

namespace {

std::vector<TzbBarScreen*>& Screens() {
  static std::vector<TzbBarScreen*> list;
  return list;
}

int DockIndex(TzbBarDockingStyle side) {
  switch (side) {
    case dsLeft:
      return 0;
    case dsTop:
      return 1;
    case dsRight:
      return 2;
    case dsBottom:
      return 3;
    default:
      return -1;
  }
}

// The form lost the activation to another window: the menus of its bars close, and for a form with
// child windows those of the children's bars too (unless an edit item in one is being typed in).
// Nothing closes when the activation went to a window of this manager or to one the form owns,
// nor while the pointer is on one of the manager's open menus.
void FormDeactivated(TzbBarManager& m, QWidget* form) {
  TzbBarControl::CancelWindowButtons(m);
  TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
  if (!head || m.IsCustomizing() || MdiChildOf(form)) return;  // a child's form: its parent's rule
  QWidget* now = QApplication::activeWindow();
  if (now) {
    if (TCustomzbBarControl* w = TCustomzbBarControl::FromWidget(now); w && &w->Manager() == &m) return;
    if (now->parentWidget() && now->parentWidget()->window() == form) return;
  }
  if (&head->Manager() == &m) {
    // The activation went to the open menu under the pointer (a window manager whose focus follows
    // the pointer): the menus stay until the pointer leaves them.
    if (!TCustomzbBarControl::OnOpenMenu(m, FromQPoint(QCursor::pos()))) head->HideAll();
    return;
  }
  QWidget* headForm = head->Manager().Form();
  if (!headForm || !MdiChildOf(headForm) || MdiChildOf(headForm)->window() != form) return;
  const auto* edit = dynamic_cast<const TzbBarEditControl*>(head->SelectedControl());
  if (!edit || !edit->Focused()) head->HideAll();
}

class TFormFilter : public QObject {
 public:
  explicit TFormFilter(TzbBarScreen& screen) : fScreen(&screen) {}
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::Resize:
        fScreen->LayoutForm();
        break;
      case QEvent::Show:
        fScreen->LayoutForm();
        fScreen->ShowFloatingBars(true);
        break;
      case QEvent::Hide:
        TzbBarControl::CancelWindowButtons(fScreen->Manager());
        fScreen->ShowFloatingBars(false);
        break;
      case QEvent::WindowDeactivate:
        FormDeactivated(fScreen->Manager(), fScreen->Manager().Form());
        break;
      case QEvent::WindowStateChange:
        fScreen->ShowFloatingBars(!static_cast<QWidget*>(fScreen->Manager().Form())->isMinimized());
        break;
      case QEvent::ApplicationFontChange:
        fScreen->SystemFontChanged();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  TzbBarScreen* fScreen;
};

// State of the key part of the input filter (one keyboard for the whole program).
struct TKeyState {
  bool AltPending = false;
  bool KeyForwarded = false;
  int ForwardedKey = 0;
};

TKeyState& Keys() {
  static TKeyState k;
  return k;
}

// An item shortcut on the manager's main menu bar or one of its shown bars runs the item.
bool ShortCutOnBars(TzbBarManager& m, TShortCut sc) {
  TzbBar* menuBar = m.MainMenuBar();
  if (menuBar && menuBar->ItemLinks().IsShortCut(sc)) return true;
  for (int i = 0; i < m.Bars().Count(); ++i) {
    TzbBar* bar = m.Bars().Items(i);
    if (bar == menuBar || !bar->Visible() || !bar->GetBarControl()) continue;
    if (bar->ItemLinks().IsShortCut(sc)) return true;
  }
  return false;
}

// The link with the accelerator on the manager's shown main menu bar, else on its shown bars.
TzbBarItemLink* AcceleratorOnBars(TzbBarManager& m, int vk, unsigned plain) {
  TzbBar* menuBar = m.MainMenuBar();
  TzbBarItemLink* link = nullptr;
  if (menuBar && menuBar->GetBarControl()) link = menuBar->ItemLinks().FindAccelerator(vk, plain, nullptr);
  for (int i = 0; !link && i < m.Bars().Count(); ++i) {
    TzbBar* bar = m.Bars().Items(i);
    if (bar == menuBar || !bar->Visible() || !bar->GetBarControl()) continue;
    link = bar->ItemLinks().FindAccelerator(vk, plain, nullptr);
  }
  return link;
}

}  // namespace

TzbBarScreen::TzbBarScreen(TzbBarManager& manager) : fManager(&manager), fForm(manager.Form()) {
  Screens().push_back(this);
  static const TzbBarDockingStyle sides[4] = {dsLeft, dsTop, dsRight, dsBottom};
  for (int i = 0; i < 4; ++i) {
    fDocks[i] = std::make_unique<TzbDockControl>(manager, fForm, sides[i]);
    fDocks[i]->OnSizeChanged = [this]() { LayoutForm(); };
    manager.AddDockControl(fDocks[i].get());
  }
  manager.WindowFactory = [this](TzbBarItemLinks& links) -> std::unique_ptr<TzbBarWindow> {
    if (links.OwnerKind() == TzbBarItemLinks::okBar && links.OwnerBar())
      return std::make_unique<TzbBarControl>(*fManager, *links.OwnerBar());
    return std::make_unique<TzbBarSubMenuControl>(*fManager, links);
  };
  // The system colours (the application's palette) change for every window at once.
  fPaletteNotifier = std::make_unique<TzxSystemPaletteChangedNotifier>(false);
  fPaletteNotifier->OnSystemPaletteChanged = [this]() { SystemColorsChanged(); };
  fFormFilter = std::make_unique<TFormFilter>(*this);
  if (fForm) fForm->installEventFilter(fFormFilter.get());
  // When the application loses the activation (another program comes to the front), the open
  // menus close and the menu bar leaves menu mode: menus stay on top of every window otherwise.
  // With the pointer on an open menu the activation went to that menu under a window manager whose
  // focus follows the pointer: the menus stay until the pointer leaves them
  // (TCustomzbBarControl::PointerLeftWhileInactive).
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, fFormFilter.get(),
                   [this](Qt::ApplicationState state) {
                     if (!ManagerAlive()) return;
                     // Floating bars hide while another program is in front.
                     if (fManager->HideFloatingBarsWhenInactive && fForm && fForm->isVisible() && !fForm->isMinimized())
                       ShowFloatingBars(state == Qt::ApplicationActive);
                     if (state == Qt::ApplicationActive) return;
                     HideBarHint(*fManager);
                     TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
                     if (!head || &head->Manager() != fManager) return;
                     if (TCustomzbBarControl::OnOpenMenu(*fManager, FromQPoint(QCursor::pos()))) return;
                     head->HideAll();
                   });
  // A changed screen (resolution, a panel, a monitor unplugged) brings floating bars back.
  auto watch = [this](QScreen* screen) {
    QObject::connect(screen, &QScreen::availableGeometryChanged, fFormFilter.get(), [this](const QRect&) {
      if (ManagerAlive()) FitFloatingBarsToWorkArea();
    });
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  QObject::connect(qApp, &QGuiApplication::screenAdded, fFormFilter.get(), [this, watch](QScreen* screen) {
    watch(screen);
    if (ManagerAlive()) FitFloatingBarsToWorkArea();
  });
  QObject::connect(qApp, &QGuiApplication::screenRemoved, fFormFilter.get(), [this](QScreen*) {
    // The screen goes after this signal: fit once the platform has moved the windows.
    QTimer::singleShot(0, fFormFilter.get(), [this]() {
      if (ManagerAlive()) FitFloatingBarsToWorkArea();
    });
  });
  fInputHandler = TAppEventFilter::AddHandler([this](QWidget* receiver, QEvent* e) {
    if (!ManagerAlive()) return false;
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) return KeyEvent(receiver, e);
    if (MouseEvent(receiver, e)) return true;
    // The right button on an enabled control of the form that a popup-menu link covers: the menu
    // opens where the desktop opens context menus (the press here; the release then goes nowhere).
    const bool press = e->type() == QEvent::MouseButtonPress;
    if ((!press && e->type() != QEvent::MouseButtonRelease) || !receiver || !fForm ||
        receiver->window() != fForm.data())
      return false;
    auto* m = static_cast<QMouseEvent*>(e);
    if (m->button() != Qt::RightButton || fManager->IsCustomizing() || TCustomzbBarControl::ActiveBarControl())
      return false;
    const QPoint at = m->globalPosition().toPoint();
    QWidget* control = receiver->childAt(receiver->mapFromGlobal(at));
    if (!control) control = receiver;
    if (!control->isEnabled()) return false;
    TzbBarPopupMenuLinks& links = fManager->PopupMenuLinks();
    return press ? links.Popup(control, control, at) : links.Covers(control);
  });
  // Bars made visible before the screen existed get their windows now.
  for (int i = 0; i < manager.Bars().Count(); ++i) {
    TzbBar* bar = manager.Bars().Items(i);
    if (bar->Visible() && !bar->GetBarControl()) bar->ItemLinks().CreateBarControl();
  }
  LayoutForm();
}

bool TzbBarScreen::ManagerAlive() const { return TzbBarManagerList::Contains(fManager); }

TzbBarScreen::~TzbBarScreen() {
  EndDrag();
  fMdiClient.reset();
  if (!ManagerAlive()) {
    // The manager went first and took its windows with it.
    TAppEventFilter::RemoveHandler(fInputHandler);
    if (fSizeHandler) TAppEventFilter::RemoveHandler(fSizeHandler);
    fPopupLinks.release();  // its items and windows went with the manager
    if (fForm) fForm->removeEventFilter(fFormFilter.get());
    auto& list = Screens();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    return;
  }
  if (fSizeHandler) TAppEventFilter::RemoveHandler(fSizeHandler);
  TAppEventFilter::RemoveHandler(fInputHandler);
  if (fPopupLinks) fPopupLinks->DestroyBarControl();
  // The windows need the docks: they go first (the bars stay visible and get windows again from a
  // new screen). The docks do not lay their rows out meanwhile: the windows that stay a moment
  // longer would write the rows left by the others into their bars (a layout stored afterwards
  // would then move the toolbars above the menu bar).
  {
    const TzbBarLockScope lock(*fManager);
    for (int i = 0; i < fManager->Bars().Count(); ++i) fManager->Bars().Items(i)->ItemLinks().DestroyBarControl();
  }
  // The docks the form placed stay: they collapse now that their bar windows are gone.
  for (int i = 0; i < fManager->GetDockControlCount(); ++i)
    if (fManager->GetDockControl(i)->AsUserDock()) fManager->GetDockControl(i)->UpdateDock();
  for (int i = 0; i < fManager->GetItemCount(); ++i)
    if (TzbBarItemLinks* links = SubItemLinksOf(*fManager->GetItem(i))) links->DestroyBarControl();
  fPopupLinks.reset();
  for (auto& dock : fDocks) fManager->RemoveDockControl(dock.get());
  fManager->WindowFactory = nullptr;
  if (fForm) fForm->removeEventFilter(fFormFilter.get());
  auto& list = Screens();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TzbBarScreen* TzbBarScreen::Of(const TzbBarManager& manager) {
  for (TzbBarScreen* s : Screens())
    if (s->fManager == &manager) return s;
  return nullptr;
}

TzbDockControl* TzbBarScreen::Dock(TzbBarDockingStyle side) const {
  const int i = DockIndex(side);
  return i < 0 ? nullptr : fDocks[i].get();
}

void TzbBarScreen::SetClientWidget(QWidget* widget) {
  fClient = widget;
  fMdiClient.reset();
  if (auto* area = qobject_cast<QMdiArea*>(widget)) fMdiClient = std::make_unique<TzbBarMdiClient>(*fManager, *area);
  LayoutForm();
}

void TzbBarScreen::LayoutForm() {
  if (!fForm || fLayingOut) return;
  fLayingOut = true;
  for (int pass = 0; pass < 3; ++pass) {
    const int w = fForm->width(), h = fForm->height();
    const int top = Dock(dsTop)->GetDockSize(), bottom = Dock(dsBottom)->GetDockSize();
    const int left = Dock(dsLeft)->GetDockSize(), right = Dock(dsRight)->GetDockSize();
    const QRect tops[4] = {QRect(0, top, left, std::max(0, h - top - bottom)), QRect(0, 0, w, top),
                           QRect(w - right, top, right, std::max(0, h - top - bottom)),
                           QRect(0, h - bottom, w, bottom)};
    bool changed = false;
    for (int i = 0; i < 4; ++i) {
      QWidget* dw = fDocks[i]->Widget();
      if (!dw) continue;
      const bool lengthChanged =
          fDocks[i]->IsHorizontal() ? dw->width() != tops[i].width() : dw->height() != tops[i].height();
      dw->setGeometry(tops[i]);
      if (lengthChanged) {
        const int before = fDocks[i]->GetRowsSize();
        fDocks[i]->UpdateDock();
        changed = changed || fDocks[i]->GetRowsSize() != before;
      }
    }
    if (fClient) fClient->setGeometry(left, top, std::max(0, w - left - right), std::max(0, h - top - bottom));
    if (!changed) break;
  }
  fLayingOut = false;
}

void TzbBarScreen::SystemColorsChanged() {
  if (!ManagerAlive()) return;
  UpdateColorDepth();
  fManager->RefreshGDIObjects();
  // Open menus repaint too (the docked and floating bars did already).
  std::vector<TzbBarWindow*> roots;
  for (int i = 0; i < fManager->Bars().Count(); ++i) roots.push_back(fManager->Bars().Items(i)->GetBarControl());
  if (fPopupLinks) roots.push_back(fPopupLinks->BarControl());
  for (TzbBarWindow* root : roots) {
    auto* w = dynamic_cast<TCustomzbBarControl*>(root);
    if (w && w->IsMenu()) w->Recalculate();
    for (TCustomzbBarControl* menu = w ? w->ChildMenu : nullptr; menu; menu = menu->ChildMenu) menu->Recalculate();
  }
}

void TzbBarScreen::SystemFontChanged() {
  if (ManagerAlive()) fManager->UpdateFontFromSystem();
}

void TzbBarScreen::ShowFloatingBars(bool show) {
  for (int i = 0; i < fManager->Bars().Count(); ++i) {
    auto* w = dynamic_cast<TzbBarControl*>(fManager->Bars().Items(i)->GetBarControl());
    if (!w || !w->IsFloating() || !w->Widget()) continue;
    if (show) {
      w->Widget()->show();
      w->UpdateShadow();
    } else {
      w->Widget()->hide();
      w->UpdateShadow();
    }
  }
}

// ---------------------------------------------------------------- input filter

bool TzbBarScreen::KeyEvent(QWidget* receiver, QEvent* event) {
  auto* e = static_cast<QKeyEvent*>(event);
  const bool down = e->type() == QEvent::KeyPress;
  const int key = e->key();
  TKeyState& k = Keys();
  if (key == 0 || key == Qt::Key_unknown) return false;
  if (TzbBarControl::WindowButtonHeld()) return true;  // a window button of the menu bar is held down
  // The in-place edit window of an edit or combo item takes its own keys.
  if (receiver && receiver->property("zbInPlaceEdit").toBool()) return false;
  // While another modal window is up the keys are its own: no accelerator of the form's bars, and
  // an Alt that the dialog used for its own accelerator leaves no menu mode behind.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != fForm.data()) {
    k.AltPending = false;
    return false;
  }
  if (k.KeyForwarded && key == k.ForwardedKey && !down) {
    k.KeyForwarded = false;
    return true;
  }
  if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) {
    if (&head->Manager() != fManager) return false;
    if (down) {
      k.KeyForwarded = true;
      k.ForwardedKey = key;
      if (key == Qt::Key_F1 && ShiftOf(e->modifiers()) == 0) {
        ShowActiveBarHelp(*head);  // closes the menus; the key's release is swallowed
        return true;
      }
      head->KeyDown(key, ShiftOf(e->modifiers()));
      if (TCustomzbBarControl::ActiveBarControl()) k.KeyForwarded = false;
    }
    return true;
  }
  if (fMoving || fSizing) return false;
  // The context-menu key and Shift+F10 open the menu of a popup-menu link over the focused control.
  QWidget* focus = QApplication::focusWidget();
  if (focus && fForm && focus->window() == fForm.data()) {
    // The context-menu key opens the menu when it goes up; its press then goes nowhere else.
    const bool contextKey = key == Qt::Key_Menu;
    const bool shiftF10 = down && key == Qt::Key_F10 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if ((contextKey || shiftF10) && !fManager->IsCustomizing()) {
      if (contextKey && down) return fManager->PopupMenuLinks().Covers(focus);
      if (fManager->PopupMenuLinks().Popup(focus, focus, QPoint(-1, -1))) return true;
    }
  }
  // The keys of this screen's form (and of its floating bars).
  QWidget* target = receiver;
  if (!target || !fForm) return false;
  if (target != fForm.data() && target->window() != fForm.data() && target->parentWidget() != fForm.data())
    return false;
  if (fManager->IsCustomizing() || fManager->Designing) return false;
  const unsigned shift = ShiftOf(e->modifiers());
  if (down && key == Qt::Key_F1 && shift == 0 && ShowBarHelpAt(*fManager, BarCursorPos())) return true;
  if (down) {
    if (key == Qt::Key_Alt) {
      k.AltPending = true;
      return false;
    }
    k.AltPending = false;
    if (e->isAutoRepeat() && key == Qt::Key_Alt) return false;
    const int vk = VirtualKeyOf(key);
    if (!vk) return false;
    TShortCut sc = static_cast<TShortCut>(vk);
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    // The popup menu bound to the focused control first, then the bars.
    if (focus && focus->window() == fForm.data() && fManager->PopupMenuLinks().IsShortCut(focus, sc)) return true;
    // The form of the active child window first (its own bars), then this form.
    TzbBarManager* managers[2] = {ActiveMdiChildManager(*fManager), fManager};
    for (TzbBarManager* m : managers)
      if (m && ShortCutOnBars(*m, sc)) return true;
    if (!(shift & ssAlt)) return false;
    const unsigned plain = shift & ~ssAlt;
    TzbBarItemLink* link = nullptr;
    for (TzbBarManager* m : managers)
      if (m && !link) link = AcceleratorOnBars(*m, vk, plain);
    if (!link || !link->Item() || !link->Item()->GetEnabled() || !link->Control()) return link != nullptr;
    const bool unique = link->Collection().FindAccelerator(vk, plain, link) == link;
    auto* window = dynamic_cast<TzbBarControl*>(link->Collection().BarControl());
    TzbBarItemControl* c = link->Control();
    if (!window) return true;
    if (!unique) {
      window->EnterMenuMode(c);
      return true;
    }
    if (c->HasSubMenu()) {
      window->EnterMenuMode(c);
      if (!TCustomzbBarControl::IsAlive(window) || window->SelectedControl() != c) return true;
      window->SetOpenedByClick(true);
      c->Click(false);
    } else {
      c->Click(false);
    }
    return true;
  }
  bool enter = false;
  const bool otherKeyDown = (QApplication::queryKeyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
  if (key == Qt::Key_Alt && k.AltPending && !otherKeyDown) enter = true;
  if (fManager->UseF10ForMenu && key == Qt::Key_F10 && shift == 0) enter = true;
  k.AltPending = false;
  TzbBar* menuBar = fManager->MainMenuBar();
  auto* window = menuBar ? dynamic_cast<TzbBarControl*>(menuBar->GetBarControl()) : nullptr;
  if (!enter || !window) return false;
  window->EnterMenuMode(nullptr);
  return true;
}

bool TzbBarScreen::MouseEvent(QWidget* receiver, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* e = static_cast<QMouseEvent*>(event);
    const TPoint p = FromQPoint(e->globalPosition().toPoint());
    TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
    if (!head || &head->Manager() != fManager) return false;
    // The release of the press that opened a popup is not a click in it, wherever it lands.
    if (head->IgnoreNextButtonUp && !PtInRect(head->WindowRect(), p)) head->IgnoreNextButtonUp = false;
    // A right or middle button released outside the open menus is swallowed.
    if (e->button() != Qt::LeftButton) {
      for (TCustomzbBarControl* w = head; w; w = w->ParentBar)
        if (w->Widget() && w->Widget()->isVisible() && PtInRect(w->WindowRect(), p)) return false;
      return true;
    }
    return false;
  }
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
  if (receiver && receiver->window()->property("zbDropDownWindow").toBool()) return false;  // a combo's list
  auto* e = static_cast<QMouseEvent*>(event);
  const TPoint p = FromQPoint(e->globalPosition().toPoint());
  SetBarCursorPos(p);
  Keys().AltPending = false;
  auto insideChain = [&p]() {
    for (TCustomzbBarControl* w = TCustomzbBarControl::ActiveBarControl(); w; w = w->ParentBar)
      if (w->Widget() && w->Widget()->isVisible() && PtInRect(w->WindowRect(), p)) return true;
    return false;
  };
  for (int guard = 0; guard < 16; ++guard) {
    TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
    if (!head || &head->Manager() != fManager || insideChain()) break;
    head->HideAll();
  }
  return false;
}

// ---------------------------------------------------------------- bar drag

namespace {

// Whether no other window of its form covers the widget at the screen point (true also where the
// point lies outside the widget: the margin of a dock's zone).
bool IsTopmostAt(const QWidget& widget, const QPoint& screen) {
  if (!widget.rect().contains(widget.mapFromGlobal(screen))) return true;
  const QWidget* form = widget.window();
  const QWidget* hit = form->childAt(form->mapFromGlobal(screen));
  return hit == &widget || widget.isAncestorOf(hit);
}

}  // namespace

TzbDockControl* TzbBarScreen::FindDockAt(const TPoint& cursor, const TzbBar& bar, bool ctrl) const {
  if (ctrl) return nullptr;
  if (TzbDockControl* d = FindDockAtPoint(cursor, bar)) return d;
  // A floating bar being moved docks also when its edge reaches a dock: the point where the window's
  // origin lies. A docked bar leaves its dock by the pointer alone.
  if (fMoving && fMoving->IsFloating()) return FindDockAtPoint(Point(cursor.X - fOffset.X, cursor.Y - fOffset.Y), bar);
  return nullptr;
}

TzbDockControl* TzbBarScreen::FindDockAtPoint(const TPoint& cursor, const TzbBar& bar) const {
  for (TzbBarDockingStyle side : {dsLeft, dsRight, dsTop, dsBottom}) {
    TzbDockControl* d = Dock(side);
    if (d && d->CanDocking(bar) && fManager->CanDocking(bar, side) && PtInRect(d->GetDockZone(), cursor)) return d;
    // Then the dock controls the form placed itself, of that side: the one on top at the point
    // (one that another window covers there does not take the bar).
    for (int i = 0; i < fManager->GetDockControlCount(); ++i) {
      TzbDockControl* user = fManager->GetDockControl(i);
      if (!user->AsUserDock() || user->DockingStyle() != side || !user->Widget() || !user->Widget()->isVisible() ||
          !user->Widget()->isEnabled() || !user->CanDocking(bar) || !fManager->CanDocking(bar, side, user))
        continue;
      if (PtInRect(user->GetDockZone(), cursor) && IsTopmostAt(*user->Widget(), ToQPoint(cursor))) return user;
    }
  }
  return nullptr;
}

void TzbBarScreen::DragBar(TzbBarControl& window, const TPoint& cursor) {
  if (fMoving) return;
  if (!window.CanBeMoved()) return;
  fMoving = &window;
  fStartStyle = window.DockingStyle();
  const TRect w = window.WindowRect();
  fOffset = Point(cursor.X - w.Left, cursor.Y - w.Top);
  // The rows take a docked bar by the middle of its row's zone, wherever in the bar it was gripped.
  fRowOffset = TPoint{};
  if (TzbDockControl* dock = window.DockControl(); dock && dock->RowOf(&window) >= 0) {
    const TPoint snap = dock->GetRowSnapPoint(dock->RowOf(&window), false, cursor);
    fRowOffset = Point(snap.X - cursor.X, snap.Y - cursor.Y);
  }
  fDockingTimerFired = false;
  fCapture = CreateMouseCapture(cursor, Qt::SizeAllCursor);  // the input filter sees the moves
  fDragHandler = TAppEventFilter::AddHandler([this](QWidget*, QEvent* e) { return DragEvent(e); });
}

bool TzbBarScreen::DragEvent(QEvent* event) {
  if (!fMoving) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const TPoint p = FromQPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      if (p == BarCursorPos()) return true;
      SetBarCursorPos(p);
      MoveBarTo(*fMoving, p, false);
      return true;
    }
    case QEvent::MouseButtonRelease:
      SetBarCursorPos(FromQPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
      EndDrag();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Escape)
        EndDrag();
      else if (key == Qt::Key_Control)
        MoveBarTo(*fMoving, BarCursorPos(), false);
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

void TzbBarScreen::MoveBarTo(TzbBarControl& window, const TPoint& cursor, bool timerFired) {
  TzbBar& bar = *window.Bar();
  const bool ctrl = (QApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
  TzbDockControl* dock = FindDockAt(cursor, bar, ctrl);
  if (timerFired) fDockingTimerFired = true;
  if (window.IsFloating() && !fDockingTimerFired && dock) {
    if (!fDockingTimer) {
      auto* timer = new QTimer(qApp);
      timer->setSingleShot(true);
      QObject::connect(timer, &QTimer::timeout, [this]() {
        if (fMoving) MoveBarTo(*fMoving, BarCursorPos(), true);
      });
      fDockingTimer = timer;
    }
    static_cast<QTimer*>(fDockingTimer.data())->start(fManager->WaitForDockingTime());
    dock = nullptr;
  }
  const TzbBarDockingStyle style = dock ? dock->DockingStyle() : dsNone;
  const TPoint rowPoint = Point(cursor.X + fRowOffset.X, cursor.Y + fRowOffset.Y);
  if (dock == window.DockControl() && style == window.DockingStyle()) {
    if (dock) {
      dock->MoveBar(window, rowPoint);
    } else {
      const TRect w = window.WindowRect();
      const TPoint g = window.GetGrabOffset(dsNone);
      window.SetBounds(Bounds(cursor.X - g.X, std::max(-15, cursor.Y - g.Y), w.Width(), w.Height()));
    }
    return;
  }
  if (window.IsDocked() && bar.FloatClientWidth <= 0) bar.FloatClientWidth = window.ClientRect().Width();
  window.ChangeDockingStyle(style, dock);
  if (dock) {
    if (fStartStyle == dsNone) dock->DraggedIn = &window;
    window.Widget()->show();
    dock->InsertBar(window, rowPoint, true, false);
    dock->DraggedIn = nullptr;
  } else {
    const TzbSize s = window.GetWindowSize(dsNone);
    TPoint g = window.GetGrabOffset(dsNone);
    if (fStartStyle != dsNone) {
      const int captionMiddle =
          fManager->PainterClass().GetFloatingFrameHeight() + fManager->PainterClass().GetFloatingCaptionHeight() / 2;
      g = Point(std::min(g.X, s.Width - 1), captionMiddle);
    }
    window.SetBounds(Bounds(cursor.X - g.X, std::max(-15, cursor.Y - g.Y), s.Width, s.Height));
    window.CalcItemRects();
    window.Widget()->show();
    window.UpdateShadow();
  }
  window.Invalidate();
}

void TzbBarScreen::EndDrag() {
  if (fDragHandler) TAppEventFilter::RemoveHandler(fDragHandler);
  fDragHandler = 0;
  if (fDockingTimer) static_cast<QTimer*>(fDockingTimer.data())->stop();
  if (fCapture) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) fCapture->releaseMouse();
    fCapture->deleteLater();
    fCapture = nullptr;
  }
  TzbBarControl* w = fMoving;
  fMoving = nullptr;
  if (!w || !TCustomzbBarControl::IsAlive(w)) return;
  if (w->DockControl()) w->DockControl()->UpdateDock();
  w->WritePosition();
  w->Invalidate();
}

// ---------------------------------------------------------------- sizing floating bars

void TzbBarScreen::SizeBar(TzbBarControl& window, int hitCode, const TPoint& cursor) {
  if (fSizing) return;
  fSizing = &window;
  fSizeEdge = hitCode;
  fSizeStart = window.WindowRect();
  fSizeCursor = cursor;
  fSizeHandler = TAppEventFilter::AddHandler([this](QWidget*, QEvent* e) { return SizeEvent(e); });
}

bool TzbBarScreen::SizeEvent(QEvent* event) {
  if (!fSizing || !TCustomzbBarControl::IsAlive(fSizing)) {
    fSizing = nullptr;
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseMove:
      SizeTo(FromQPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
      return true;
    case QEvent::MouseButtonRelease: {
      SizeTo(FromQPoint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
      TzbBarControl* w = fSizing;
      fSizing = nullptr;
      TAppEventFilter::RemoveHandler(fSizeHandler);
      fSizeHandler = 0;
      w->WritePosition();
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

void TzbBarScreen::SizeTo(const TPoint& cursor) {
  TzbBarControl& w = *fSizing;
  SetBarCursorPos(cursor);
  const TRect nc = w.NonClientSizes(dsNone);
  const int ncw = nc.Left + nc.Right, nch = nc.Top + nc.Bottom;
  const int dx = cursor.X - fSizeCursor.X, dy = cursor.Y - fSizeCursor.Y;
  TRect r = fSizeStart;
  if (fSizeEdge == htLeft || fSizeEdge == htRight) {
    const int width = fSizeEdge == htLeft ? fSizeStart.Width() - dx : fSizeStart.Width() + dx;
    const TzbSize s = w.GetSizeForWidth(dsNone, std::max(1, width - ncw));
    if (fSizeEdge == htLeft) r.Left = fSizeStart.Right - (s.Width + ncw);
    r.Right = r.Left + s.Width + ncw;
    r.Bottom = r.Top + s.Height + nch;
  } else if (fSizeEdge == htTop || fSizeEdge == htBottom) {
    const int wanted = (fSizeEdge == htTop ? fSizeStart.Height() - dy : fSizeStart.Height() + dy) - nch;
    // The narrowest width whose wrapped layout is not higher than the wanted height.
    const int maxWidth = w.GetMaxWidth(dsNone);
    TzbSize best = w.GetSizeForWidth(dsNone, maxWidth);
    for (int width = w.GetMinWidth(dsNone); width < maxWidth; ++width) {
      const TzbSize s = w.GetSizeForWidth(dsNone, width);
      if (s.Height <= wanted) {
        best = s;
        break;
      }
    }
    w.GetSizeForWidth(dsNone, best.Width);
    if (fSizeEdge == htTop) r.Top = fSizeStart.Bottom - (best.Height + nch);
    r.Bottom = r.Top + best.Height + nch;
    r.Right = r.Left + best.Width + ncw;
  }
  if (r.Top < -15) OffsetRect(r, 0, -15 - r.Top);
  w.SetBounds(r);
  w.CalcItemRects();
  w.UpdateShadow();
  w.Bar()->FloatClientWidth = r.Width() - ncw;
  w.Bar()->FloatClientHeight = r.Height() - nch;
}

// ---------------------------------------------------------------- toolbars popup

void TzbBarScreen::ShowToolbarsPopup(const TPoint& point) {
  if (fPopupLinks) {
    fPopupLinks->DestroyBarControl();
    fPopupLinks->Clear();
  }
  for (TzbBarItem* item : fPopupItems)
    if (fManager->IndexOfItem(item) >= 0 && item->LinkCount() == 0) fManager->FreeItem(item);
  fPopupItems.clear();
  if (!fPopupLinks)
    fPopupLinks = std::make_unique<TzbBarItemLinks>(*fManager, TzbBarItemLinks::okLibraryPopup, nullptr, nullptr);
  FillToolbarsList(*fManager, *fPopupLinks, fPopupItems);
  if (fManager->OnShowToolbarsPopup) fManager->OnShowToolbarsPopup(*fManager, *fPopupLinks);
  if (!ManagerAlive() || fPopupLinks->Count() == 0) return;
  if (TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl()) head->HideAll();
  fPopupLinks->CreateBarControl();
  if (auto* menu = dynamic_cast<TzbBarSubMenuControl*>(fPopupLinks->BarControl())) {
    menu->IgnoreNextButtonUp = QApplication::mouseButtons() != Qt::NoButton;
    menu->ShowAt(point, 0, 0);
  }
}

void FillToolbarsList(TzbBarManager& manager, TzbBarItemLinks& links, std::vector<TzbBarItem*>& temporaries) {
  for (int i = 0; i < manager.Bars().Count(); ++i) {
    TzbBar* bar = manager.Bars().Items(i);
    if (!bar->CanBeListed() || bar->Hidden) continue;
    auto* button = manager.CreateItem<TzbBarButton>();
    button->SetCaption(bar->Caption());
    button->Tag = i;
    button->SetButtonStyle(bsChecked);
    button->SetDown(bar->Visible());
    TzbBarManager* m = &manager;
    button->OnClick = [m](TzbBarItem& item) {
      if (TzbBar* b = m->Bars().Items(item.Tag)) b->SetVisible(!b->Visible());
    };
    temporaries.push_back(button);
    links.Add()->SetItem(button);
  }
  if (TzbBarItem* customize = AddCustomizeItem(manager, links, true)) temporaries.push_back(customize);
}

TzbBarItem* AddCustomizeItem(TzbBarManager& manager, TzbBarItemLinks& links, bool beginGroup, bool quickEntry) {
  if (!manager.CanCustomize) return nullptr;
  TzbBarButton* button = quickEntry ? manager.CreateItem<TzbBarQuickCustExtButton>() : manager.CreateItem<TzbBarButton>();
  button->SetCaption(BarText("&Customize..."));
  button->Tag = 1000;
  button->SetEnabled(!manager.Customizing());
  TzbBarManager* m = &manager;
  button->OnClick = [m](TzbBarItem&) { m->SetCustomizing(true); };
  TzbBarItemLink* link = links.Add();
  link->SetItem(button);
  link->SetBeginGroup(beginGroup);
  return button;
}

void ShowToolbarsPopup(TzbBarManager& manager, const TPoint& point) {
  if (TzbBarScreen* screen = TzbBarScreen::Of(manager)) screen->ShowToolbarsPopup(point);
}

void TzbBarScreen::FitFloatingBarsToWorkArea() {
  const QPoint centre = fForm ? fForm->mapToGlobal(fForm->rect().center()) : QPoint(0, 0);
  const TRect area = GetMonitorWorkArea(centre);
  if (IsRectEmpty(area)) return;
  for (int i = 0; i < fManager->Bars().Count(); ++i) {
    TzbBar* bar = fManager->Bars().Items(i);
    if (bar->DockingStyle() != dsNone) continue;
    auto* window = dynamic_cast<TzbBarControl*>(bar->GetBarControl());
    TRect r;
    if (window && window->Widget()) {
      r = window->WindowRect();
    } else {
      const TRect nc = FloatingNonClientSizes(fManager->PainterClass());
      r = Bounds(bar->FloatLeft, bar->FloatTop, bar->FloatClientWidth + nc.Left + nc.Right,
                 bar->FloatClientHeight + nc.Top + nc.Bottom);
    }
    int dx = 0, dy = 0;
    if (r.Bottom > area.Bottom) dy = area.Bottom - r.Bottom;
    if (r.Top + dy < area.Top) dy = area.Top - r.Top;
    if (r.Right > area.Right) dx = area.Right - r.Right;
    if (r.Left + dx < area.Left) dx = area.Left - r.Left;
    if (dx == 0 && dy == 0) continue;
    OffsetRect(r, dx, dy);
    if (window && window->Widget()) {
      window->SetBounds(r);
    } else {
      bar->FloatLeft = r.Left;
      bar->FloatTop = r.Top;
    }
  }
}

}  // namespace zyn
