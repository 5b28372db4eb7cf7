#include "widgets/bars/BarContainerItems.h"

#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUtils.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zyn {

namespace {



int PlainTextWidth(const TzbBarItemControl& c, const std::string& text) {
  return c.Parent().Canvas().TextWidth(ToQString(StripAmpersands(text)));
}

// The hosted control's events reach the item after the control has handled them.
class TControlWatcher : public QObject {
 public:
  explicit TControlWatcher(std::function<void()> resized) : fResized(std::move(resized)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) fResized();
    return false;
  }

 private:
  std::function<void()> fResized;
};

// A floating bar's window takes no keyboard focus; one that hosts a widget which wants to be typed
// into must. The flag is changed once the events are next processed, not while the window paints
// (the change makes the window anew).
void LetWindowTakeFocus(QWidget* window) {
  QTimer::singleShot(0, window, [window]() {
    if (!(window->windowFlags() & Qt::WindowDoesNotAcceptFocus)) return;
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowDoesNotAcceptFocus, false);
    if (shown) window->show();
  });
}

// The place-holder as a widget a bar window only borrows.
class TBorrowedPlaceForm : public TPlaceForm, public TzbBarBorrowedWidget {
 public:
  using TPlaceForm::TPlaceForm;
  void BarWidgetGoing() override { HideAndDetach(); }
};

}  // namespace

// ---------------------------------------------------------------- place-holder

TPlaceForm::TPlaceForm(TzbBarControlContainerItem& item) : QWidget(nullptr, Qt::FramelessWindowHint), fItem(&item) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

TPlaceForm::~TPlaceForm() = default;

void TPlaceForm::HideAndDetach() {
  fServes = nullptr;
  hide();
  if (parentWidget()) setParent(nullptr);
}

void TPlaceForm::ReleaseLater() {
  if (fReleasePending) return;
  fReleasePending = true;
  QTimer::singleShot(0, this, [this]() {
    fReleasePending = false;
    ReleaseIfUnserved();
  });
}

void TPlaceForm::ReleaseIfUnserved() {
  if (fServes || !parentWidget()) return;
  // A link of the item still hosts in the window that holds the form and has a place there: its
  // control takes the form again when the window paints.
  for (int i = 0; i < fItem->LinkCount(); ++i) {
    auto* c = dynamic_cast<TzbBarControlContainerControl*>(fItem->GetLink(i)->Control());
    TCustomzbBarControl* w = c ? BarWindowOf(*c) : nullptr;
    if (w && c->Hosting() && w->Widget() == parentWidget() && !IsRectEmpty(w->GetItemRect(c))) return;
  }
  HideAndDetach();
}

void TPlaceForm::paintEvent(QPaintEvent*) {
  QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  image.fill(ToQColor(Color));
  TCustomzbBarControl* w = fServes ? BarWindowOf(*fServes) : nullptr;
  if (w && TCustomzbBarControl::IsAlive(w)) {
    // The bar's own background under the form, as the bar paints it in client coordinates.
    const TRect in = w->ClientInsets();
    const TRect r = Bounds(x() - in.Left, y() - in.Top, width(), height());
    TCanvas dc(&image);
    dc.Painter().translate(-r.Left, -r.Top);
    w->Manager().PainterClass().FillItemBackground(*fServes, dc, false, w->CurrentBrush(), r);
  }
  QPainter p(this);
  p.drawImage(0, 0, image);
}

// ---------------------------------------------------------------- container item

TzbBarControlContainerItem::TzbBarControlContainerItem(TzbBarManager& manager)
    : TzbBarItem(manager), fPlaceForm(new TBorrowedPlaceForm(*this)) {}

TzbBarControlContainerItem::~TzbBarControlContainerItem() {
  SetControl(nullptr);
  delete fPlaceForm.data();
}

bool TzbBarControlContainerItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarItem::InheritsFrom(c);
}

void TzbBarControlContainerItem::SetControl(QWidget* value) {
  if (value == fControl) return;
  if (value)
    for (int i = 0; i < fManager->GetItemCount(); ++i) {
      TzbBarItem* other = fManager->GetItem(i);
      if (other != this && other->InheritsFrom(kClassName) &&
          static_cast<TzbBarControlContainerItem*>(other)->Control() == value)
        throw std::runtime_error(kSameControlMessage);
    }
  if (QWidget* old = fControl) {
    Disconnect();
    old->removeEventFilter(fWatcher.get());
    if (!fManager->Designing || old->parentWidget() == fPlaceForm) {
      // Back, hidden, to the parent it had before it was hosted.
      old->hide();
      if (old->parentWidget() != fHome) old->setParent(fHome);
    }
  }
  fControl = value;
  fHome = value ? value->parentWidget() : nullptr;
  if (auto* form = dynamic_cast<TPlaceForm*>(fHome.data())) fHome = form->Item().fHome;  // hosted elsewhere
  if (value) {
    fWatcher = std::make_unique<TControlWatcher>([this]() { ControlResized(); });
    value->installEventFilter(fWatcher.get());
    fControlGone = QObject::connect(value, &QObject::destroyed, fWatcher.get(), [this]() { ControlGone(); });
    if (fHome) fHomeGone = QObject::connect(fHome, &QObject::destroyed, fWatcher.get(), [this]() { HomeGone(); });
    fWidth = value->width();
    fHeight = value->height();
  }
  if (!fManager->IsDestroying()) LayoutChanged();
}

void TzbBarControlContainerItem::Disconnect() {
  QObject::disconnect(fControlGone);
  QObject::disconnect(fHomeGone);
}

void TzbBarControlContainerItem::ControlResized() {
  if (!fControl || IsPlacing()) return;
  if (fControl->width() == fWidth && fControl->height() == fHeight) return;
  fWidth = fControl->width();
  fHeight = fControl->height();
  LayoutChanged();
}

void TzbBarControlContainerItem::ControlGone() {
  // The control is being destroyed by its owner: the item shows its place-holder text again.
  Disconnect();
  fControl = nullptr;
  fHome = nullptr;
  if (!fManager->IsDestroying()) LayoutChanged();
}

void TzbBarControlContainerItem::HomeGone() {
  // The control's owner went while the control was hosted elsewhere: it goes too.
  if (fControl && fControl->parentWidget() != fHome) delete fControl.data();
}

bool TzbBarControlContainerItem::CanUseAccel(const TzbBarItemLink& link) const {
  auto* c = dynamic_cast<const TzbBarControlContainerControl*>(link.Control());
  return c && c->InQuickCustomizingList() && GetEnabled();
}

void TzbBarControlContainerItem::NameChanged() {
  if (!fControl && !fManager->IsDestroying()) LayoutChanged();
}

void TzbBarControlContainerItem::ControlPainted(TzbBarItemControl* control) {
  if (control && fPlaceForm && fPlaceForm->Serves() == control) fPlaceForm->HideAndDetach();
}

// ---------------------------------------------------------------- container control

TzbBarControlContainerControl::~TzbBarControlContainerControl() {
  TPlaceForm* form = Container().PlaceForm();
  if (form && form->Serves() == this) {
    form->Serve(nullptr);
    form->ReleaseLater();
  }
}

TzbBarControlContainerItem& TzbBarControlContainerControl::Container() const {
  return static_cast<TzbBarControlContainerItem&>(Item());
}

bool TzbBarControlContainerControl::InQuickCustomizingList() const {
  const TzbBarItemLink* source = Link().SourceLink;
  if (!source) return false;
  auto* bar = dynamic_cast<TzbBarControl*>(source->Collection().BarControl());
  return bar && bar->QuickLinks() == &Link().Collection();
}

QWidget* TzbBarControlContainerControl::WindowWidget() const {
  TCustomzbBarControl* w = BarWindowOf(*this);
  return w ? w->Widget() : nullptr;
}

bool TzbBarControlContainerControl::Hosting() const {
  return !InQuickCustomizingList() && Container().Control() && !Parent().Manager().Designing && WindowWidget() &&
         Container().PlaceForm();
}

bool TzbBarControlContainerControl::CanSelect() const {
  return (InQuickCustomizingList() || Parent().Manager().Designing) && Enabled();
}

int TzbBarControlContainerControl::GetWidth() const {
  const TzbBarWindow& w = Parent();
  if (InQuickCustomizingList()) {
    bool fromList = false;
    const bool glyph = !TzbBarItemControlPainter::GlyphOf(*this, 1, fromList).isNull();
    return PlainTextWidth(*this, Link().RealCaption()) + (glyph ? w.Manager().ButtonWidth() + 4 : w.FontPointSize());
  }
  if (Hosting()) return Container().Control()->width();
  return InVerticalBar() ? PlaceHolderAcross() : PlaceHolderAlong();
}

int TzbBarControlContainerControl::GetHeight() const {
  if (Hosting()) return Container().Control()->height();
  return InVerticalBar() ? PlaceHolderAlong() : PlaceHolderAcross();
}

bool TzbBarControlContainerControl::InVerticalBar() const { return !Parent().IsMenu() && Parent().IsVertical(); }

int TzbBarControlContainerControl::PlaceHolderAlong() const {
  const TzbBarWindow& w = Parent();
  const int name = PlainTextWidth(*this, Item().Name);
  if (w.IsMenu()) return name + 2 * w.ItemHeight() + w.Manager().PainterClass().GetContainerMenuExtra() + 6;
  return name + w.FontPointSize();
}

int TzbBarControlContainerControl::PlaceHolderAcross() const {
  const TzbBarWindow& w = Parent();
  const int h = w.ItemHeight();
  return w.IsMenu() ? h : std::max(h, w.Manager().ButtonHeight());
}

void TzbBarControlContainerControl::Paint(const TRect& r, int view) {
  if (InQuickCustomizingList()) {
    PaintEntry(r, view);
  } else if (Hosting()) {
    Place(r);
  } else {
    // Nothing to host here: the place-holder goes when it served this control or waits unserved
    // in this window.
    TPlaceForm* form = Container().PlaceForm();
    if (form && (form->Serves() == this || (!form->Serves() && form->parentWidget() == WindowWidget())))
      form->HideAndDetach();
    fPlaced = false;
    PaintPlaceHolder(r, view);
  }
}

void TzbBarControlContainerControl::PaintEntry(const TRect& r, int view) {
  if (IsRectEmpty(r)) return;
  TzbBarWindow& w = Parent();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  TCustomzbBarControl* window = BarWindowOf(*this);
  const bool pressed = IsSelected() && w.IsActive() && window && window->IsInChain() && Pressed;
  TzbButtonState s;
  s.View = view;
  s.Selected = IsSelected();
  s.Pressed = pressed;
  p.DrawButton(*this, r, s, false);
  bool fromList = false;
  const bool glyph = !TzbBarItemControlPainter::GlyphOf(*this, view, fromList).isNull();
  TRect text = r;
  text.Left += glyph ? w.Manager().ButtonWidth() : w.FontPointSize() / 2;
  p.OffsetContentForPressed(*this, pressed, text);
  p.DrawCaption(*this, w.Canvas(), ToQString(Link().RealCaption()), text, 0, Enabled(), IsSelected(), false, false,
                !IsSelected());
}

void TzbBarControlContainerControl::PaintPlaceHolder(const TRect& r, int view) {
  if (IsRectEmpty(r)) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TBrush saved = dc.Brush;
  dc.Brush = SolidBrush(clBtnShadow);
  dc.FrameRect(r);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  dc.Brush = w.CurrentBrush();
  dc.FillRect(inner);
  dc.Brush = TBrush{clBtnShadow, bsBDiagonal, QImage()};
  dc.FillRect(inner);
  dc.Brush = saved;
  const QWidget* control = Container().Control();
  const QString text = control ? QStringLiteral("The place for the ") + control->objectName() : ToQString(Item().Name);
  w.Manager().PainterClass().DrawCaption(*this, dc, text, inner, 1, Enabled(), false, view == 2, true, true);
}

void TzbBarControlContainerControl::Place(const TRect& r) {
  if (fPlacing) return;
  TzbBarControlContainerItem& item = Container();
  TPlaceForm& form = *item.PlaceForm();
  QWidget& control = *item.Control();
  QWidget* barWidget = WindowWidget();
  TCustomzbBarControl& window = *BarWindowOf(*this);
  fPlacing = true;
  item.BeginPlacing();
  const bool hasPlace = !IsRectEmpty(r);
  if ((hasPlace || item.LinkCount() == 1) && form.parentWidget() != barWidget) form.setParent(barWidget);
  const TRect in = window.ClientInsets();
  const QRect bounds = ToQRect(r).translated(in.Left, in.Top);
  if (hasPlace || form.parentWidget() == barWidget) form.setGeometry(bounds);
  if (control.parentWidget() != &form) control.setParent(&form);
  if (hasPlace) {
    control.setGeometry(0, 0, bounds.width(), bounds.height());
    if (control.isHidden()) control.show();
  }
  if (!window.IsMenu() && barWidget->isWindow() && barWidget->testAttribute(Qt::WA_WState_Created) &&
      (barWidget->windowFlags() & Qt::WindowDoesNotAcceptFocus) && control.focusPolicy() != Qt::NoFocus)
    LetWindowTakeFocus(barWidget);
  form.Color = window.CurrentBrush().Color;
  form.Serve(this);
  if (form.parentWidget() && form.isHidden()) form.show();
  form.update();
  fPlaced = true;
  item.EndPlacing();
  fPlacing = false;
}

// ---------------------------------------------------------------- in-place sub-item

bool TzbBarInPlaceSubItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarContainerItem::InheritsFrom(c);
}

void TzbBarInPlaceSubItem::SetExpanded(bool value) {
  if (value == fExpanded) return;
  const std::vector<TzbBarItemLink*> links = TzbBarItem::fLinks;  // a copy: the handlers may change the links
  if (!value)
    for (TzbBarItemLink* link : links) {
      if (OnBeforeCollapse) OnBeforeCollapse(*this, *link);
      SetGroupSeparator(*link, false);
    }
  fExpanded = value;
  if (!IsLoading()) {
    fChanging = true;
    std::vector<TzbBarWindow*> rebuilt;
    for (TzbBarItemLink* link : std::vector<TzbBarItemLink*>(TzbBarItem::fLinks)) {
      TzbBarWindow* w = link->Collection().BarControl();
      if (!w || !w->IsMenu() || std::find(rebuilt.begin(), rebuilt.end(), w) != rebuilt.end()) continue;
      rebuilt.push_back(w);
      w->RebuildLayout();
    }
    fChanging = false;
  }
  if (value)
    for (TzbBarItemLink* link : std::vector<TzbBarItemLink*>(TzbBarItem::fLinks)) {
      if (OnAfterExpand) OnAfterExpand(*this, *link);
      SetGroupSeparator(*link, true);
    }
}

void TzbBarInPlaceSubItem::AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink,
                                              bool fireEvent) {
  if (fExpanded) TzbBarContainerItem::AddListedItemLinks(target, index, sourceLink, fireEvent);
}

void TzbBarInPlaceSubItem::DeleteListedItemLinks(TzbBarItemLinks& target, int index) {
  // A toggle removes exactly what was listed before it.
  if (fExpanded != fChanging) TzbBarContainerItem::DeleteListedItemLinks(target, index);
}

TzbBarItemLink* TzbBarInPlaceSubItem::LinkAfterBlock(TzbBarItemLink& entry) const {
  TzbBarItemLinks& links = entry.Collection();
  if (links.OwnerKind() == TzbBarItemLinks::okBar) return nullptr;
  int i = links.IndexOf(&entry) + 1;
  while (i < links.Count() && links.Items(i)->SourceLink == &entry) ++i;
  return links.Items(i);
}

void TzbBarInPlaceSubItem::SetGroupSeparator(TzbBarItemLink& entry, bool expanded) {
  if (!KeepBeginGroupWhileExpanded) return;
  TzbBarItemLink* next = LinkAfterBlock(entry);
  if (!next) return;
  // Only a group start this item made is taken back; one the link had of its own stays.
  const auto begun = std::find(fGroupsBegun.begin(), fGroupsBegun.end(), next);
  if (expanded && !next->StoredBeginGroup()) {
    next->SetBeginGroup(true);
    fGroupsBegun.push_back(next);
  } else if (!expanded && begun != fGroupsBegun.end()) {
    fGroupsBegun.erase(begun);
    next->SetBeginGroup(false);
  }
}

// ---------------------------------------------------------------- in-place sub-item control

TzbBarInPlaceSubItem& TzbBarInPlaceSubItemControl::InPlace() const {
  return static_cast<TzbBarInPlaceSubItem&>(Item());
}

int TzbBarInPlaceSubItemControl::GetWidth() const {
  if (!Parent().IsMenu()) return TzbBarContainerItemControl::GetWidth();
  return PlainTextWidth(*this, Link().RealCaption()) + Parent().ItemHeight() + 5;
}

void TzbBarInPlaceSubItemControl::Paint(const TRect& r, int view) {
  if (view != 1) {
    TzbBarContainerItemControl::Paint(r, view);
    return;
  }
  if (IsRectEmpty(r)) return;
  Parent().Manager().PainterClass().DrawInPlaceSubItem(*this, Parent().Canvas(), r, ToQString(Link().RealCaption()),
                                                       InPlace().Expanded(), IsDrawnSelected());
}

bool TzbBarInPlaceSubItemControl::CanSelect() const {
  return Parent().IsMenu() ? Enabled() : TzbBarContainerItemControl::CanSelect();
}

bool TzbBarInPlaceSubItemControl::HasSubMenu() const { return !Parent().IsMenu(); }

bool TzbBarInPlaceSubItemControl::CanClickItem() const { return Parent().IsMenu(); }

void TzbBarInPlaceSubItemControl::BeforeClick(bool byMouse) {
  if (!Parent().IsMenu()) TzbBarContainerItemControl::BeforeClick(byMouse);
}

void TzbBarInPlaceSubItemControl::DoClick() {
  if (!Parent().IsMenu()) {
    TzbBarContainerItemControl::DoClick();
    return;
  }
  TzbBarInPlaceSubItem* item = &InPlace();
  TzbBarManager& m = Parent().Manager();
  item->ClickItemLink = &SourceLink();
  item->DirectClick();
  if (m.IndexOfItem(item) < 0) return;
  item->ClickItemLink = nullptr;
  // The menu is rebuilt (this control with it); the entry stays selected by its place.
  item->SetExpanded(!item->Expanded());
}

void TzbBarInPlaceSubItemControl::ControlActivate(bool byMouse) {
  if (!Parent().IsMenu()) TzbBarContainerItemControl::ControlActivate(byMouse);
}

void TzbBarInPlaceSubItemControl::ControlInactivate(bool force) {
  if (Parent().IsMenu())
    Active = false;
  else
    TzbBarContainerItemControl::ControlInactivate(force);
}

bool TzbBarInPlaceSubItemControl::KeyDown(int key) {
  if (!Parent().IsMenu()) return TzbBarContainerItemControl::KeyDown(key);
  const bool expanded = InPlace().Expanded();
  if ((key == Qt::Key_Right && !expanded) || (key == Qt::Key_Left && expanded)) {
    InPlace().SetExpanded(!expanded);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- toolbars list

TzbBarToolbarsListItem::~TzbBarToolbarsListItem() {
  if (fManager->IsDestroying()) return;  // the manager frees every item itself
  ItemLinks().Clear();
  FreeUnusedButtons();
}

bool TzbBarToolbarsListItem::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TCustomzbBarSubItem::InheritsFrom(c);
}

void TzbBarToolbarsListItem::FreeUnusedButtons() {
  const std::vector<TzbBarItem*> buttons = fButtons;
  fButtons.clear();
  for (TzbBarItem* button : buttons) {
    if (fManager->IndexOfItem(button) < 0) continue;
    if (button->LinkCount() == 0)
      fManager->FreeItem(button);
    else
      fButtons.push_back(button);  // still shown elsewhere; freed with a later list
  }
}

void TzbBarToolbarsListItem::RefreshList() {
  ItemLinks().DestroyBarControl();
  ItemLinks().Clear();
  FreeUnusedButtons();
  FillToolbarsList(*fManager, ItemLinks(), fButtons);
}

void TzbBarToolbarsListItemControl::MenuOpening() {
  if (Parent().Manager().IsCustomizing()) return;
  static_cast<TzbBarToolbarsListItem&>(Item()).RefreshList();
}

}  // namespace zyn
