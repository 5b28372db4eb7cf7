#include "widgets/bars/BarUserDockControl.h"

#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>

#include <algorithm>

namespace zyn {

namespace {

// Places the dock again when its parent changes its size.
class TParentFilter : public QObject {
 public:
  explicit TParentFilter(std::function<void()> place) : fPlace(std::move(place)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest) fPlace();
    return false;
  }

 private:
  std::function<void()> fPlace;
};

bool LayoutHolds(const QLayout* layout, const QWidget* widget) {
  for (int i = 0; layout && i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget) return true;
    if (item->layout() && LayoutHolds(item->layout(), widget)) return true;
  }
  return false;
}

bool Along(TzbBarDockingStyle style) { return style == dsTop || style == dsBottom; }

// The dock controls in creation order.
std::vector<TzbBarDockControl*>& UserDocks() {
  static std::vector<TzbBarDockControl*> list;
  return list;
}

bool& PlacingAligned() {
  static bool placing = false;
  return placing;
}

}  // namespace

void TzbBarDockControl::PlaceAligned(QWidget* parent) {
  if (!parent || PlacingAligned()) return;
  PlacingAligned() = true;
  // As aligned controls do: the top docks take the top edge one below the other in creation
  // order, then the bottom docks from the bottom up, then the left and the right docks between
  // them; each takes what the ones before it left.
  // A dock whose length changed may lay its rows out anew and change its size across: a second
  // round places the others after it.
  for (int round = 0, moved = 1; moved && round < 3; ++round) {
    moved = 0;
    QRect rest(0, 0, parent->width(), parent->height());
    for (TzbBarDockAlign align : {dalTop, dalBottom, dalLeft, dalRight})
      for (TzbBarDockControl* dock : UserDocks()) {
        QWidget* w = dock->Widget();
        if (dock->fAlign != align || !w || w->parentWidget() != parent || w->isHidden() || dock->InParentLayout())
          continue;
        const int size = dock->GetDockSize();
        QRect r;
        switch (align) {
          case dalBottom:
            r = QRect(rest.left(), rest.bottom() + 1 - size, rest.width(), size);
            rest.setBottom(rest.bottom() - size);
            break;
          case dalLeft:
            r = QRect(rest.left(), rest.top(), size, std::max(0, rest.height()));
            rest.setLeft(rest.left() + size);
            break;
          case dalRight:
            r = QRect(rest.right() + 1 - size, rest.top(), size, std::max(0, rest.height()));
            rest.setRight(rest.right() - size);
            break;
          default:
            r = QRect(rest.left(), rest.top(), rest.width(), size);
            rest.setTop(rest.top() + size);
            break;
        }
        if (w->geometry() != r) {
          w->setGeometry(r);
          ++moved;
        }
      }
  }
  PlacingAligned() = false;
}

TzbBarDockingStyle DockAlignStyle(TzbBarDockAlign align) {
  switch (align) {
    case dalBottom:
      return dsBottom;
    case dalLeft:
      return dsLeft;
    case dalRight:
      return dsRight;
    default:
      return dsTop;
  }
}

void CloseMenusOnDockResize(TzbDockControl& dock) {
  TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
  if (!head) return;
  auto* top = dynamic_cast<TzbBarControl*>(head->ChainTop());
  if (top && top->QuickButtonState() == 2) return;  // the quick-customize window is open
  if (head->Widget() && QWidget::mouseGrabber() == head->Widget()) return;
  if (dock.AsUserDock() && top && top->DockControl()) {
    // A dock inside the form leaves the menus of the manager's docked bars open.
    const TzbBarManager& m = top->Manager();
    for (int i = 0; i < m.GetDockControlCount(); ++i)
      if (m.GetDockControl(i) == top->DockControl()) return;
  }
  head->HideAll();
}

// ---------------------------------------------------------------- the dock control

TzbBarDockControl::TzbBarDockControl(QWidget* parent, const std::string& name, TzbBarManager* manager)
    : TzbDockControl(nullptr, parent, DockAlignStyle(dalTop), true) {
  UserDocks().push_back(this);
  SetName(name);
  if (parent) {
    fParentFilter = std::make_unique<TParentFilter>([this]() { AdjustSize(); });
    parent->installEventFilter(fParentFilter.get());
  }
  SetBarManager(manager);
  if (Widget()) Widget()->show();
  AdjustSize();
}

TzbBarDockControl::~TzbBarDockControl() {
  fDestroying = true;
  auto& docks = UserDocks();
  docks.erase(std::remove(docks.begin(), docks.end(), this), docks.end());
  if (HasManager()) BarManager()->RemoveDockControl(this);
  SetManagerPointer(nullptr);
  // The aligned docks beside it close the gap.
  if (QWidget* w = Widget(); w && w->parentWidget()) {
    QWidget* parent = w->parentWidget();
    w->hide();
    PlaceAligned(parent);
  }
}

std::string TzbBarDockControl::Name() const { return Widget() ? FromQString(Widget()->objectName()) : std::string(); }

void TzbBarDockControl::SetName(const std::string& value) {
  if (Widget()) Widget()->setObjectName(ToQString(value));
}

void TzbBarDockControl::SetBarManager(TzbBarManager* value) {
  if (value == BarManager() && (!value || HasManager())) return;
  if (HasManager()) BarManager()->RemoveDockControl(this);
  SetManagerPointer(value);
  if (value) value->AddDockControl(this);
  BarManagerChanged();
}

void TzbBarDockControl::ManagerGone() { SetManagerPointer(nullptr); }

void TzbBarDockControl::BarManagerChanged() {
  UpdateColor();
  if (!fDestroying) UpdateBars();
}

void TzbBarDockControl::SetAlign(TzbBarDockAlign value) {
  if (value == fAlign) return;
  const bool wasAlong = IsHorizontal();
  // The bars shown here leave and come back in the new side, row by row as they were.
  std::vector<TzbBar*> shown;
  if (HasManager())
    for (int i = 0; i < BarManager()->Bars().Count(); ++i) {
      TzbBar* bar = BarManager()->Bars().Items(i);
      if (bar->DockControl() == this && bar->Visible()) shown.push_back(bar);
    }
  std::stable_sort(shown.begin(), shown.end(), [wasAlong](const TzbBar* a, const TzbBar* b) {
    if (a->Row() != b->Row()) return a->Row() < b->Row();
    return wasAlong ? a->DockedLeft() < b->DockedLeft() : a->DockedTop() < b->DockedTop();
  });
  for (TzbBar* bar : shown) bar->SetVisible(false);
  fAlign = value;
  SetSide(DockAlignStyle(value));
  if (Widget()) {
    // A dock that turned across its rows starts from its other size.
    if (IsHorizontal())
      Widget()->setMinimumWidth(0), Widget()->setMaximumWidth(QWIDGETSIZE_MAX);
    else
      Widget()->setMinimumHeight(0), Widget()->setMaximumHeight(QWIDGETSIZE_MAX);
  }
  if (HasManager())
    for (int i = 0; i < BarManager()->Bars().Count(); ++i) {
      TzbBar* bar = BarManager()->Bars().Items(i);
      if (bar->DockControl() == this || bar->DockedDockControl() == this) bar->DockControlStyleChanged();
      if (bar->DockControl() == this && wasAlong != IsHorizontal()) {
        // The place along the row keeps its value in the other coordinate.
        const int left = bar->DockedLeft(), top = bar->DockedTop();
        bar->SetDockedLeft(top);
        bar->SetDockedTop(left);
      }
    }
  Place();
  AdjustSize();
  for (TzbBar* bar : shown) bar->SetVisible(true);
  if (Widget() && Widget()->parentWidget()) Widget()->parentWidget()->update();
}

void TzbBarDockControl::SetAllowZeroSizeInDesignTime(bool value) {
  if (value == fAllowZeroSizeInDesignTime) return;
  fAllowZeroSizeInDesignTime = value;
  AdjustSize();
}

// ---------------------------------------------------------------- colour and border

void TzbBarDockControl::SetColor(TColor value) {
  fColor = value;
  fParentColor = false;
  if (!HasManager() || !BarManager()->IsLoading()) fUseOwnColor = true;
  UpdateBars();
}

void TzbBarDockControl::SetParentColor(bool value) {
  fParentColor = value;
  if (value) fColor = clBtnFace;  // the form's colour
  if (!HasManager() || !BarManager()->IsLoading()) fUseOwnColor = true;
  UpdateBars();
}

void TzbBarDockControl::SetUseOwnColor(bool value) {
  if (value == fUseOwnColor) return;
  fUseOwnColor = value;
  if (!value) {
    UpdateColor();
    UpdateBars();
  }
}

void TzbBarDockControl::UpdateColor() {
  if (fUseOwnColor) return;
  if (!HasManager() || BarManager()->AutoDockColor) {
    fParentColor = true;
    fColor = clBtnFace;
  } else {
    fParentColor = false;
    fColor = BarManager()->DockColor();
  }
  if (Widget()) Widget()->update();
}

bool TzbBarDockControl::GetSunkenBorder() const {
  return fUseOwnSunkenBorder ? fOwnSunkenBorder : TzbDockControl::GetSunkenBorder();
}

void TzbBarDockControl::SetSunkenBorder(bool value) {
  fOwnSunkenBorder = value;
  fUseOwnSunkenBorder = true;
  UpdateBars();
}

void TzbBarDockControl::SetUseOwnSunkenBorder(bool value) {
  if (value == fUseOwnSunkenBorder) return;
  const bool before = GetSunkenBorder();
  if (value) fOwnSunkenBorder = before;
  fUseOwnSunkenBorder = value;
  if (before != GetSunkenBorder()) UpdateBars();
}

void TzbBarDockControl::SetBackgroundBitmap(const QImage& value) {
  fBackgroundBitmap = value;
  UpdateBars();
}

void TzbBarDockControl::UpdateBars() {
  fLastAlong = -1;
  UpdateDock();
  AdjustSize();
  if (!Widget()) return;
  Widget()->update();
  for (int r = 0; r < RowCount(); ++r)
    for (int i = 0; i < CountInRow(r); ++i)
      if (TzbBarControl* w = WindowAt(r, i)) w->Invalidate();
}

// ---------------------------------------------------------------- docking, size and painting

bool TzbBarDockControl::CanDocking(const TzbBar& bar) const {
  if (!AllowDocking) return false;
  // Never into a dock that lies inside the bar's own window.
  const auto* window = dynamic_cast<const TCustomzbBarControl*>(bar.GetBarControl());
  const QWidget* own = window ? window->Widget() : nullptr;
  return !(own && Widget() && own->isAncestorOf(Widget()));
}

int TzbBarDockControl::DesignMinimum() const {
  return HasManager() && BarManager()->Designing && !fAllowZeroSizeInDesignTime ? 3 : 0;
}

int TzbBarDockControl::GetRowsSize() const {
  if (HasManager() && BarManager()->IsLoading()) return ClientAcross();
  if (RowCount() > 0) return TzbDockControl::GetRowsSize();
  return DesignMinimum();
}

void TzbBarDockControl::PaintBackground(TCanvas& dc, const TBrush&, const TRect& r, const TPoint& origin) const {
  if (!Widget()) return;
  const TRect whole = Bounds(-origin.X, -origin.Y, Widget()->width(), Widget()->height());
  const TBrush own = SolidBrush(fColor);
  if (!fBackgroundBitmap.isNull()) {
    FillBackground(dc, r, whole, fBackgroundBitmap, own);
    return;
  }
  if (!HasManager()) {
    TzbBarItemControlPainter::FillWith(dc, r, own);
    return;
  }
  if (!BarManager()->Backgrounds().Bar().isNull()) {
    FillBackground(dc, r, whole, BarManager()->Backgrounds().Bar(), own);
    return;
  }
  BarManager()->PainterClass().DrawDockBackground(dc, own, whole);
}

bool TzbBarDockControl::InParentLayout() const {
  const QWidget* w = Widget();
  return w && w->parentWidget() && LayoutHolds(w->parentWidget()->layout(), w);
}

void TzbBarDockControl::Place() {
  QWidget* w = Widget();
  if (!w || !w->parentWidget() || InParentLayout()) return;
  PlaceAligned(w->parentWidget());
}

void TzbBarDockControl::AdjustSize() {
  QWidget* w = Widget();
  if (!w) return;
  const int size = GetDockSize();
  const bool along = Along(DockingStyle());
  const int old = along ? w->height() : w->width();
  if (InParentLayout()) {
    // The layout places the dock; it keeps the size across its rows.
    if (along && (w->minimumHeight() != size || w->maximumHeight() != size)) w->setFixedHeight(size);
    if (!along && (w->minimumWidth() != size || w->maximumWidth() != size)) w->setFixedWidth(size);
  } else if (fAlign != dalNone) {
    Place();
  } else if (along) {
    w->resize(w->width(), size);
  } else {
    w->resize(size, w->height());
  }
  if (size == old) return;
  if (OnSizeChanged) OnSizeChanged();
  CloseMenusOnDockResize(*this);
}

void TzbBarDockControl::Resized() {
  const int along = Widget() ? (IsHorizontal() ? Widget()->width() : Widget()->height()) : 0;
  if (along != fLastAlong) {
    fLastAlong = along;
    UpdateDock();
  }
  // An empty dock collapses to its minimum.
  if (RowCount() == 0 && (!HasManager() || !BarManager()->IsLoading())) AdjustSize();
}

void TzbBarDockControl::WidgetGoing() {
  // The bars shown here lose their windows with it: they become invisible, as when the dock goes.
  if (!HasManager() || BarManager()->IsDestroying()) return;
  for (int i = 0; i < BarManager()->Bars().Count(); ++i) {
    TzbBar* bar = BarManager()->Bars().Items(i);
    if (bar->GetBarControl() && bar->GetBarControl()->DockControl() == this) bar->SetVisible(false);
  }
}

// ---------------------------------------------------------------- the bars' side

void TzbBar::SetDockControl(TzbBarDockControl* value) {
  TzbBarManager& m = Manager();
  if (value && value->BarManager() != &m) return;  // another manager's dock
  if (value == fDockControl) return;
  if (m.IsLoading()) {
    fLoadedDockControl = value;
    fDockControlLoaded = true;
    return;
  }
  TzbBarWindow* w = GetBarControl();
  TzbDockControl* current = w ? w->DockControl() : nullptr;
  const bool hide = w && ((value && value != current) || (!value && current && current->AsUserDock()));
  if (hide) SetVisible(false);
  fDockControl = value;
  fLinks->SetRecentLimit(-1);
  if (!fDockingChange && value) {
    fDockingStyle = value->DockingStyle();
    fDockedDockingStyle = fDockingStyle;
    fEverDocked = true;
  }
  if (hide) SetVisible(true);
  if (!fDockingChange && !fOwner->Loading) {
    if (m.OnBarDockingStyleChange) m.OnBarDockingStyleChange(m, *this);
    m.DesignerModified();
  }
}

void TzbBar::SetDockedDockControl(TzbBarDockControl* value) {
  if (value && value->BarManager() != &Manager()) return;
  if (value == fDockedDockControl) return;
  fDockedDockControl = value;
  if (value) {
    fDockedDockingStyle = value->DockingStyle();
    fEverDocked = true;
  }
  Manager().DesignerModified();
}

void TzbBar::SetDocking(TzbBarDockingStyle style, TzbDockControl* dock) {
  TzbBarDockControl* user = dock ? dock->AsUserDock() : nullptr;
  if (style == fDockingStyle || (user && user != fDockControl))
    SetDockControl(user);
  else
    SetDockingStyle(style);
}

TzbDockControl* TzbBar::RealDockControl() const {
  if (fDockingStyle == dsNone) return nullptr;
  if (fDockControl && fDockControl->Widget() && fDockControl->BarManager() == &Manager()) return fDockControl;
  TzbBarScreen* screen = TzbBarScreen::Of(Manager());
  return screen ? screen->Dock(fDockingStyle) : nullptr;
}

void TzbBar::TakeDockFromWindow(TzbBarDockingStyle style, TzbDockControl* dock) {
  TakeDockingStyleFromWindow(style);
  TzbBarDockControl* user = style != dsNone && dock ? dock->AsUserDock() : nullptr;
  fDockControl = user;
  if (style != dsNone) fDockedDockControl = user;
}

void TzbBar::DockControlStyleChanged() {
  if (fDockControl) {
    fDockingStyle = fDockControl->DockingStyle();
    fDockedDockingStyle = fDockingStyle;
  } else if (fDockedDockControl) {
    fDockedDockingStyle = fDockedDockControl->DockingStyle();
  }
}

// ---------------------------------------------------------------- the manager's side

TzbDockControl* TzbBarManager::GetDockControl(int index) const {
  return index >= 0 && index < GetDockControlCount() ? fDockControls[index] : nullptr;
}

void TzbBarManager::AddDockControl(TzbDockControl* dock) {
  if (dock && std::find(fDockControls.begin(), fDockControls.end(), dock) == fDockControls.end())
    fDockControls.push_back(dock);
}

void TzbBarManager::RemoveDockControl(TzbDockControl* dock) {
  const auto it = std::find(fDockControls.begin(), fDockControls.end(), dock);
  if (it == fDockControls.end()) return;
  if (TzbBarDockControl* user = dock->AsUserDock(); user && fBars && !fDestroying)
    for (int i = 0; i < fBars->Count(); ++i) {
      TzbBar* bar = fBars->Items(i);
      if (bar->GetBarControl() && bar->GetBarControl()->DockControl() == dock) bar->SetVisible(false);
      if (bar->DockControl() == user) bar->SetDockControl(nullptr);
      if (bar->DockedDockControl() == user) bar->SetDockedDockControl(nullptr);
    }
  fDockControls.erase(std::find(fDockControls.begin(), fDockControls.end(), dock));
}

void TzbBarManager::DetachDockControls() {
  for (TzbDockControl* dock : fDockControls)
    if (TzbBarDockControl* user = dock->AsUserDock()) user->ManagerGone();
  fDockControls.clear();
}

std::string TzbBarManager::DockControlPath(const TzbBarDockControl& dock) {
  const QWidget* w = dock.Widget();
  const QWidget* form = w ? w->window() : nullptr;
  if (!form || form == w || form->objectName().isEmpty()) return dock.Name();
  return FromQString(form->objectName()) + "." + dock.Name();
}

TzbBarDockControl* TzbBarManager::FindDockControl(const std::string& path) const {
  if (path.empty()) return nullptr;
  const auto dot = path.find('.');
  QObject* current = nullptr;
  std::string nested = path;
  if (dot == std::string::npos) {
    current = fForm;
  } else {
    const QString root = ToQString(path.substr(0, dot));
    nested = path.substr(dot + 1);
    if (fForm && fForm->objectName() == root) current = fForm;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (!current && top->objectName() == root) current = top;
  }
  for (std::size_t from = 0; current;) {
    const auto end = nested.find('.', from);
    const std::string name = nested.substr(from, end == std::string::npos ? std::string::npos : end - from);
    current = name.empty() ? nullptr : current->findChild<QObject*>(ToQString(name));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  TzbDockControl* dock = TzbDockControl::OfWidget(qobject_cast<QWidget*>(current));
  TzbBarDockControl* user = dock ? dock->AsUserDock() : nullptr;
  return user && user->BarManager() == this ? user : nullptr;
}

bool TzbBarManager::CanDocking(const TzbBar& bar, TzbBarDockingStyle style, const TzbDockControl* dock) const {
  if (InDockingSet(bar.NotDocking, style)) return false;
  auto* user = dock ? const_cast<TzbDockControl*>(dock)->AsUserDock() : nullptr;
  bool can = user ? user->CanDocking(bar) : !InDockingSet(NotDocking, style);
  if (OnDocking) OnDocking(const_cast<TzbBar&>(bar), style, can);
  return can;
}

TColor TzbBarManager::DockColor() const { return AutoDockColor ? clBtnFace : fDockColor; }

void TzbBarManager::SetDockColor(TColor value) {
  fDockColor = value;
  AutoDockColor = false;
  for (TzbDockControl* dock : fDockControls)
    if (TzbBarDockControl* user = dock->AsUserDock()) {
      user->UpdateColor();
      user->UpdateBars();
    }
}

}  // namespace zyn
