#include "widgets/bars/SideBar.h"

#include "platform/QtText.h"
#include "widgets/bars/SideBarAnimation.h"
#include "widgets/bars/SideBarDragObject.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarPainter.h"
#include "widgets/bars/SideBarSettings.h"
#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace zyn {

namespace {
constexpr int kHintTimeout = 3000;
}

TzbSideBar::TzbSideBar(QWidget* parent)
    : QWidget(parent),
      background_(std::make_unique<TzbSideBarBackGround>()),
      groups_(std::make_unique<TzbSideGroups>(*this)) {
  background_->OnChange = [this] { LayoutChanged(); };
  groupFont_.Font = font();
  groupFont_.Color = clWindowText;
  itemFont_.Font = font();
  itemFont_.Color = clWindow;
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  scrollTimer_ = new QTimer(this);
  scrollTimer_->setInterval(scrollDelay_);
  QObject::connect(scrollTimer_, &QTimer::timeout, this, [this] { ScrollTimerTick(); });
  hintTimer_ = new QTimer(this);
  hintTimer_->setInterval(kHintTimeout);
  QObject::connect(hintTimer_, &QTimer::timeout, this, [this] { HideHint(); });
}

TzbSideBar::~TzbSideBar() {
  scrollTimer_->stop();
  hintTimer_->stop();
  if (StoreInRegistry && !RegistryPath.empty()) SaveToRegistry(RegistryPath);
  destroying_ = true;
  editor_ = nullptr;
  editGroup_ = nullptr;
  editItem_ = nullptr;
  if (hintFilterInstalled_) qApp->removeEventFilter(this);
  AttachImages(largeImages_, largeLink_, nullptr);
  AttachImages(smallImages_, smallLink_, nullptr);
  if (store_) store_->RemoveSideBar(this);
  activeGroup_ = prevActiveGroup_ = hotGroup_ = nullptr;
  groups_.reset();
  painter_.reset();
}

// --- properties ---

void TzbSideBar::SetBkPicture(const QImage& value) {
  bkPicture_ = value;
  Repaint();
}

void TzbSideBar::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Repaint();
}

void TzbSideBar::SetCanSelected(bool value) {
  if (canSelected_ == value) return;
  SelectItem(nullptr);
  canSelected_ = value;
}

void TzbSideBar::SetGroupFont(const TFont& value) {
  groupFont_ = value;
  LayoutChanged();
}

void TzbSideBar::SetItemFont(const TFont& value) {
  itemFont_ = value;
  LayoutChanged();
}

void TzbSideBar::SetGroupHeightOffSet(int value) {
  if (value < 0 || value > 9 || value == groupHeightOffSet_) return;
  groupHeightOffSet_ = value;
  LayoutChanged();
}

void TzbSideBar::AttachImages(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value) {
  if (slot == value) return;
  if (slot) slot->RemoveChangeLink(link);
  slot = value;
  link = 0;
  if (value) {
    link = value->AddChangeLink([this] { LayoutChanged(); },
                                [this, &slot] {
                                  slot = nullptr;
                                  LayoutChanged();
                                });
  }
  LayoutChanged();
}

void TzbSideBar::SetLargeImages(TzbSideBarImageList* value) { AttachImages(largeImages_, largeLink_, value); }

void TzbSideBar::SetSmallImages(TzbSideBarImageList* value) { AttachImages(smallImages_, smallLink_, value); }

TzbSideBarImageList* TzbSideBar::GetLargeImages() const {
  return largeImages_ ? largeImages_ : (store_ ? store_->LargeImages() : nullptr);
}

TzbSideBarImageList* TzbSideBar::GetSmallImages() const {
  return smallImages_ ? smallImages_ : (store_ ? store_->SmallImages() : nullptr);
}

void TzbSideBar::SetPaintStyle(TzbsbPaintStyle value) {
  if (paintStyle_ == value) return;
  paintStyle_ = value;
  painter_.reset();
  if (borderStyle_ != bbsNone) SetBorderStyle(bbsNone);
  else Repaint();
}

void TzbSideBar::SetScrollDelay(int value) {
  if (value <= 0) return;
  scrollDelay_ = value;
  scrollTimer_->setInterval(value);
}

void TzbSideBar::SetSpaceHeight(int value) {
  if (value <= 4 || value == spaceHeight_) return;
  spaceHeight_ = value;
  LayoutChanged();
}

void TzbSideBar::SetStore(TzbSideBarStore* value) {
  if (store_ == value) return;
  if (!loading_) groups_->Clear();
  activeGroup_ = nullptr;
  hotGroup_ = nullptr;
  if (store_) store_->RemoveSideBar(this);
  store_ = value;
  if (store_) store_->AddSideBar(this);
  LayoutChanged();
}

void TzbSideBar::StoreDestroyed() {
  store_ = nullptr;
  LayoutChanged();
}

void TzbSideBar::SetTransparentImages(bool value) {
  if (transparentImages_ == value) return;
  transparentImages_ = value;
  LayoutChanged();
}

void TzbSideBar::SetShowGroups(bool value) {
  if (showGroups_ == value) return;
  showGroups_ = value;
  LayoutChanged();
}

void TzbSideBar::SetBorderStyle(TzbBarBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  LayoutChanged();
}

void TzbSideBar::Assign(const TzbSideBar& source) {
  if (&source == this) return;
  const bool wasLoading = loading_;
  loading_ = true;  // no relayout while the parts arrive
  SetStore(source.store_);
  groups_->Assign(*source.groups_);
  SetSmallImages(source.smallImages_);
  SetLargeImages(source.largeImages_);
  loading_ = wasLoading;
  SetActiveGroupIndex(0);
  LayoutChanged();
}

void TzbSideBar::LoadFromRegistry(const std::string& path) { TzbSideBarSettings(SettingsFile).Load(*this, path); }

bool TzbSideBar::SaveToRegistry(const std::string& path) const {
  return TzbSideBarSettings(SettingsFile).Save(*this, path);
}

// --- groups ---

TzbSideGroup* TzbSideBar::GetVisibleGroup(int n) const {
  if (n < 0) return nullptr;
  int count = 0;
  for (int i = 0; i < groups_->Count(); ++i) {
    TzbSideGroup* g = (*groups_)[i];
    if (!g->Visible()) continue;
    if (count == n) return g;
    ++count;
  }
  return nullptr;
}

int TzbSideBar::IndexOfVisibleGroup(const TzbSideGroup* group) const {
  int count = 0;
  for (int i = 0; i < groups_->Count(); ++i) {
    const TzbSideGroup* g = (*groups_)[i];
    if (!g->Visible()) continue;
    if (g == group) return count;
    ++count;
  }
  return -1;
}

int TzbSideBar::GetVisibleGroupCount() const {
  int count = 0;
  for (int i = 0; i < groups_->Count(); ++i)
    if ((*groups_)[i]->Visible()) ++count;
  return count;
}

int TzbSideBar::GroupCount() const { return groups_->Count(); }

void TzbSideBar::SetActiveGroupIndex(int value) {
  const int visible = GetVisibleGroupCount();
  if (value != activeGroupIndex_) {
    if ((value < 0 || value >= visible) && visible > 0) value = 0;
    activeGroupIndex_ = value;
  }
  if (visible == 0) return;
  if (activeGroupIndex_ < visible) SetActiveGroup(GetVisibleGroup(activeGroupIndex_));
}

void TzbSideBar::ClearPointerState() {
  SetFocusedItem(nullptr);
  dropTarget_ = nullptr;
  dropPosition_ = dpNone;
  hotItemPressed_ = false;
  if (hotGroup_ && !IsDragging()) unsetCursor();
  hotGroup_ = nullptr;
  hotGroupPressed_ = false;
}

void TzbSideBar::SetActiveGroup(TzbSideGroup* group) {
  if (group && !group->Visible()) group = nullptr;
  if (group == activeGroup_) {
    // Nothing to do unless the open group was hidden, or none is open while one could be.
    if (destroying_) return;
    if (activeGroup_ ? activeGroup_->Visible() : GetVisibleGroupCount() == 0) return;
  }
  CaptureAnimationStart();
  ++groupChangeDepth_;
  ClearPointerState();
  prevActiveGroup_ = activeGroup_;
  activeGroup_ = group ? group : GetVisibleGroup(0);
  if (activeGroup_) {
    activeGroup_->SetTopVisibleItemDirect(0);
    SetActiveGroupIndex(IndexOfVisibleGroup(activeGroup_));
  } else {
    SetActiveGroupIndex(-1);
  }
  QPointer<TzbSideBar> alive(this);
  try {
    if (OnChangeActiveGroup) OnChangeActiveGroup(*this);
  } catch (...) {
    if (alive) {
      --groupChangeDepth_;
      animationPending_ = false;
      LayoutChanged();
    }
    throw;
  }
  if (!alive) return;
  LayoutChanged();
  if (--groupChangeDepth_ == 0 && animationPending_) RunGroupAnimation();
}

void TzbSideBar::CaptureAnimationStart() {
  if (animationPending_ || groupChangeDepth_ > 0 || animating_) return;
  if (!isVisible() || loading_ || destroying_ || !showGroups_ || !activeGroup_ || frame_.size() != size()) return;
  if (!painter_ || !painter_->ViewInfo().Ready()) return;
  const TzbSideBarViewInfo& vi = painter_->ViewInfo();
  if (vi.Groups().empty()) return;
  oldCaptions_.clear();
  for (const TzbSideGroupViewInfo& g : vi.Groups()) oldCaptions_.emplace_back(g.Group, g.CaptionRect);
  oldItemsArea_ = vi.ItemsArea;
  animationFrom_ = activeGroup_;
  animationPending_ = true;
}

void TzbSideBar::RunGroupAnimation() {
  animationPending_ = false;
  TzbSideGroup* from = animationFrom_;
  TzbSideGroup* to = activeGroup_;
  animationFrom_ = nullptr;
  if (!from || !to || from == to || !isVisible() || destroying_) return;
  const TRect* oldTo = nullptr;
  for (const auto& [group, rect] : oldCaptions_)
    if (group == to) oldTo = &rect;
  TzbSideBarViewInfo& vi = ViewInfo();
  if (!oldTo || vi.Groups().empty()) return;
  // Down the list: the band from the old items area to the opened caption moves up; up the list:
  // the band from the opened caption to the closed caption's new place moves down.
  const bool up = to->Index() > from->Index();
  TRect band;
  if (up) {
    band = Rect(0, oldItemsArea_.Top, width(), oldTo->Bottom);
  } else {
    const TzbSideGroupViewInfo* newFrom = vi.FindGroup(from);
    band = Rect(0, oldTo->Bottom, width(), newFrom ? newFrom->CaptionRect.Bottom : vi.ItemsArea.Bottom);
  }
  TzbSideBarAnimation animation(frame_, band, up, vi.GetGroupHeight());
  QElapsedTimer clock;
  clock.start();
  QPointer<TzbSideBar> alive(this);
  animating_ = true;
  animation.Run([this](TCanvas& canvas, const TRect& r) { Painter().FillBackground(canvas, r); },
                [this, &alive](const QImage& picture) {
                  if (!alive) return;
                  animationFrame_ = picture;
                  repaint();
                },
                [&clock] { return clock.elapsed(); });
  if (!alive) return;
  animating_ = false;
  animationFrame_ = QImage();
  update();
}

// --- items ---

void TzbSideBar::SelectItem(TzbSideBarItem* item) {
  if (!canSelected_) return;
  if (selectedItem_ && selectedItem_ != item) Repaint();
  const bool changed = selectedItem_ != item;
  selectedItem_ = item;
  if (changed && OnChangeSelectedItem) OnChangeSelectedItem(*this);
  if (selectedItem_ && selectedItem_->GetEnabled()) Repaint();
}

void TzbSideBar::SetFocusedItem(TzbSideBarItem* item) {
  if (focusedItem_ == item) return;
  focusedItem_ = item;
  if (OnChangeFocusedItem) OnChangeFocusedItem(*this);
}

void TzbSideBar::SetHotItem(TzbSideBarItem* item, bool pressed) {
  if (item == focusedItem_ && pressed == hotItemPressed_) return;
  if (focusedItem_ && focusedItem_ != item && focusedItem_ != selectedItem_) Repaint();
  const bool changed = item != focusedItem_;
  if (ShowHint && changed) ShowItemHint(false);
  SetFocusedItem(item);
  if (ShowHint && !pressed && changed) ShowItemHint(true);
  hotItemPressed_ = pressed;
  if (item && item != selectedItem_ && item->GetEnabled()) Repaint();
}

void TzbSideBar::SetHotGroup(TzbSideGroup* group, bool pressed) {
  if (group == hotGroup_ && pressed == hotGroupPressed_) return;
  hotGroup_ = group;
  hotGroupPressed_ = pressed;
  if (group) setCursor(Qt::PointingHandCursor);
  else unsetCursor();
  if (Painter().HotTrackGroups()) Repaint();
}

void TzbSideBar::DoItemClick(TzbSideBarItem& item) {
  if (!item.GetEnabled()) return;
  bool handled = false;
  if (TzbStoredSideItem* stored = item.StoredItem()) handled = stored->Click(*this, item);
  if (!handled && OnItemClick) OnItemClick(*this, item);
}

void TzbSideBar::ScrollActiveGroup(int delta) {
  if (activeGroup_) activeGroup_->SetTopVisibleItem(activeGroup_->TopVisibleItem() + delta);
}

bool TzbSideBar::ScrollTimerActive() const { return scrollTimer_->isActive(); }

void TzbSideBar::ScrollTimerTick() {
  TzbSideBarViewInfo& vi = ViewInfo();
  if (scrollUpPressed_ && !vi.HasScrollUp()) scrollUpPressed_ = false;
  if (scrollDownPressed_ && !vi.HasScrollDown()) scrollDownPressed_ = false;
  if (!scrollUpPressed_ && !scrollDownPressed_) {
    scrollTimer_->stop();
    return;
  }
  if (scrollUpPressed_) ScrollActiveGroup(-1);
  if (scrollDownPressed_) ScrollActiveGroup(1);
}

// --- item drag and drop ---

namespace {

TzbSideBar* SideBarAt(const QPoint& globalPos) {
  for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget())
    if (auto* bar = dynamic_cast<TzbSideBar*>(w)) return bar;
  return nullptr;
}

}  // namespace

bool TzbSideBar::IsDragging() const { return TzbSideBarDragObject::Current() != nullptr; }

void TzbSideBar::SetDropTarget(TzbSideBarItem* item, TzbSideBarDropPosition position) {
  if (item == dropTarget_ && position == dropPosition_) return;
  dropTarget_ = item;
  dropPosition_ = position;
  Repaint();
}

bool TzbSideBar::DragOver(const TPoint& p) {
  bool accept = DecideDrop(p);
  if (OnDragOver) OnDragOver(*this, p, accept);
  return accept;
}

bool TzbSideBar::DecideDrop(const TPoint& p) {
  if (!IsDragging() || !activeGroup_) return !activeGroup_;
  TzbSideBarViewInfo& vi = ViewInfo();
  if (TzbSideGroup* group = vi.GroupAt(p)) {
    SetActiveGroup(group);
    return false;
  }
  scrollTimer_->start(scrollDelay_);
  scrollUpPressed_ = scrollDownPressed_ = false;
  const int zone = spaceHeight_ + 16;
  if ((vi.HasScrollUp() && p.Y < vi.ItemsArea.Top + zone) || (vi.HasScrollDown() && p.Y >= vi.ItemsArea.Bottom - zone)) {
    (vi.HasScrollUp() && p.Y < vi.ItemsArea.Top + zone ? scrollUpPressed_ : scrollDownPressed_) = true;
    SetHotItem(nullptr, false);
    SetDropTarget(nullptr, dpNone);
    return false;
  }
  SetHotItem(vi.ItemAt(p), false);
  TzbSideBarItem* target = nullptr;
  const TzbSideBarDropPosition position = vi.DropPositionAt(p, target);
  SetDropTarget(target, position);
  return position != dpNone || target != nullptr;
}

TzbSideBarItem* TzbSideBar::DropItem(TzbSideBarDragObject& drag, bool copy) {
  if (drag.Cancel) return nullptr;
  if (!activeGroup_) groups_->Add();
  TzbSideGroup* group = activeGroup_;
  if (!group) return nullptr;
  TzbSideBarItems& items = group->Items();
  int index = dropTarget_ ? dropTarget_->Index() : (items.Count() > 0 ? -1 : 0);
  TzbSideBarItem* dragged = drag.Item;
  const bool own = dragged && &dragged->Group() == group;
  TzbSideBarItem* result = nullptr;
  if (index < 0 || (!copy && own && dragged->Index() == index)) {
    // nothing moves
  } else if (!copy && own) {
    dragged->SetIndex(index);
    result = dragged;
  } else if (dragged || drag.StoredItem) {
    if (dropPosition_ == dpAfter) ++index;
    result = items.Add();
    if (dragged) result->Assign(*dragged);
    else result->SetStoredItem(drag.StoredItem);
    result->SetIndex(std::min(index, items.Count() - 1));
  }
  SetDropTarget(nullptr, dpNone);
  if (OnDragDropItem) OnDragDropItem(drag, dragged, result, copy);
  if (result) SelectItem(result);
  if (result && dragged && result != dragged && !copy) {
    dragged->Collection().Remove(dragged);  // a move to another group or side bar
    drag.Item = nullptr;
  }
  SetFocusedItem(nullptr);
  LayoutChanged();
  return result;
}

void TzbSideBar::BeginItemDrag() {
  if (!focusedItem_ || dragObject_) return;
  HideHint();
  dragObject_ = std::make_unique<TzbSideBarDragObject>(this, focusedItem_, focusedItem_->StoredItem());
}

void TzbSideBar::DragMove(const QPoint& globalPos, Qt::KeyboardModifiers modifiers) {
  TzbSideBarDragObject& drag = *dragObject_;
  TzbSideBar* target = SideBarAt(globalPos);
  if (drag.Target && drag.Target != target) {
    drag.Target->SetDropTarget(nullptr, dpNone);
    drag.Target->SetHotItem(nullptr, false);
  }
  drag.Target = target;
  drag.Accepted = target && target->DragOver(FromQPoint(target->mapFromGlobal(globalPos)));
  UpdateDragCursor(modifiers);
}

void TzbSideBar::UpdateDragCursor(Qt::KeyboardModifiers modifiers) {
  TzbSideBarDragObject& drag = *dragObject_;
  Qt::CursorShape shape = Qt::ForbiddenCursor;
  if (drag.Accepted) {
    if (drag.DeleteItem) shape = Qt::CrossCursor;
    else if ((modifiers & Qt::ControlModifier) || !drag.Item) shape = Qt::DragCopyCursor;
    else shape = Qt::DragMoveCursor;
  }
  drag.DeleteItem = false;
  setCursor(shape);
}

void TzbSideBar::EndItemDrag(const QPoint& globalPos, Qt::KeyboardModifiers modifiers) {
  std::unique_ptr<TzbSideBarDragObject> drag = std::move(dragObject_);
  QPointer<TzbSideBar> target = SideBarAt(globalPos);
  const bool accepted = target && target->DragOver(FromQPoint(target->mapFromGlobal(globalPos)));
  if (target && accepted) target->DropItem(*drag, modifiers & Qt::ControlModifier);
  for (TzbSideBar* bar : {static_cast<TzbSideBar*>(this), target.data()}) {
    if (!bar) continue;
    bar->SetDropTarget(nullptr, dpNone);
    bar->scrollUpPressed_ = bar->scrollDownPressed_ = false;
  }
  if (!target) LayoutChanged();
  unsetCursor();
}

// --- in-place caption edit ---

bool TzbSideBar::OpenEditor(const TRect& r, const std::string& text) {
  bool allow = true;
  if (OnBeforeEdit) OnBeforeEdit(*this, allow);
  if (!allow) return false;
  editor_ = new QLineEdit(this);
  editor_->setText(ToQString(text));
  editor_->setGeometry(ToQRect(r));
  editor_->selectAll();
  editor_->installEventFilter(this);
  editor_->show();
  editor_->setFocus();
  return true;
}

bool TzbSideBar::EditGroupCaption(TzbSideGroup* group) {
  if (editor_) EndEdit(true);
  const TzbSideGroupViewInfo* info = group ? ViewInfo().FindGroup(group) : nullptr;
  if (!info) return false;
  editGroup_ = group;
  if (OpenEditor(info->CaptionRect, group->Caption())) return true;
  editGroup_ = nullptr;
  return false;
}

bool TzbSideBar::EditItemCaption(TzbSideBarItem* item) {
  if (editor_) EndEdit(true);
  const TzbSideItemViewInfo* info = item ? ViewInfo().FindItem(item) : nullptr;
  if (!info) return false;
  TRect r = info->CaptionRect;
  const int h = QFontMetrics(itemFont_.Font).height() + 6;
  if (r.Height() < h) r.Bottom = r.Top + h;
  r.Left = std::min(r.Left, ViewInfo().ItemsArea.Left + 2);
  r.Right = std::max(r.Right, ViewInfo().ItemsArea.Right - 2);
  editItem_ = item;
  if (OpenEditor(r, item->Caption())) return true;
  editItem_ = nullptr;
  return false;
}

void TzbSideBar::EndEdit(bool accept) {
  if (!editor_) return;
  QLineEdit* editor = editor_;
  editor_ = nullptr;  // a focus change while closing must not end the edit twice
  TzbSideGroup* group = editGroup_;
  TzbSideBarItem* item = editItem_;
  editGroup_ = nullptr;
  editItem_ = nullptr;
  const std::string text = FromQString(editor->text());
  editor->removeEventFilter(this);
  editor->hide();
  editor->deleteLater();
  if (accept && !text.empty()) {
    if (group) group->SetCaption(text);
    if (item) item->SetCaption(text);
  }
  if (OnAfterEdit) OnAfterEdit(*this);
  LayoutChanged();
}

// --- hints ---

void TzbSideBar::ShowItemHint(bool show) {
  hintShown_ = false;
  if (IsDragging()) {
    HideHint();
    return;
  }
  QString text;
  if (show && focusedItem_) text = ToQString(focusedItem_->Hint()).section(QLatin1Char('|'), 0, 0);
  if (hintWindow_ && hintWindow_->isVisible()) hintWindow_->hide();
  const TzbSideItemViewInfo* info = focusedItem_ ? ViewInfo().FindItem(focusedItem_) : nullptr;
  if (text.isEmpty() || !info) {
    HideHint();
    return;
  }
  if (!hintWindow_) {
    hintWindow_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    hintWindow_->setWordWrap(true);
    hintWindow_->setAutoFillBackground(true);
  }
  QPalette palette = hintWindow_->palette();
  palette.setColor(QPalette::Window, ToQColor(clInfoBk));
  palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
  hintWindow_->setPalette(palette);
  const int anchor = (ViewInfo().IsFullyVisible(*info) ? info->CaptionRect.Bottom : info->ImageRect.Bottom) + 2;
  const int maxWidth = std::max(1, width() - 2 * spaceHeight_);
  const QRect measured = hintWindow_->fontMetrics().boundingRect(QRect(0, 0, maxWidth, 1 << 20), Qt::TextWordWrap, text);
  const bool small = focusedItem_->Group().IconType() == zbsgSmallIcon;
  const int offset = small ? spaceHeight_ : (width() - measured.width()) / 2;
  QRect r(offset, anchor, measured.width(), measured.height());
  r.adjust(-1, -1, 1, 1);
  hintWindow_->setText(text);
  hintWindow_->setGeometry(QRect(mapToGlobal(r.topLeft()), r.size()));
  hintWindow_->show();
  hintShown_ = true;
  hintTimer_->start(kHintTimeout);
  if (!hintFilterInstalled_) {
    qApp->installEventFilter(this);
    hintFilterInstalled_ = true;
  }
}

void TzbSideBar::HideHint() {
  hintTimer_->stop();
  if (hintWindow_ && hintWindow_->isVisible()) hintWindow_->hide();
  hintShown_ = false;
  if (hintFilterInstalled_) {
    qApp->removeEventFilter(this);
    hintFilterInstalled_ = false;
  }
}

bool TzbSideBar::eventFilter(QObject* watched, QEvent* event) {
  if (editor_ && watched == editor_) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        EndEdit(key != Qt::Key_Escape);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      EndEdit(true);
    }
  }
  if (hintShown_) {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::NonClientAreaMouseMove:
      case QEvent::NonClientAreaMouseButtonPress:
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate:
      case QEvent::ApplicationDeactivate: HideHint(); break;
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- loading, layout, painting ---

void TzbSideBar::Loaded() {
  loading_ = false;
  if (StoreInRegistry && !RegistryPath.empty()) LoadFromRegistry(RegistryPath);
  if (!activeGroup_) SetActiveGroupIndex(0);
  LayoutChanged();
}

TzbSideBarPainter& TzbSideBar::Painter() {
  if (!painter_) painter_ = TzbSideBarPainter::Create(*this, paintStyle_);
  return *painter_;
}

TzbSideBarViewInfo& TzbSideBar::ViewInfo() {
  TzbSideBarViewInfo& vi = Painter().ViewInfo();
  if (!vi.Ready()) vi.Calculate();
  return vi;
}

void TzbSideBar::LayoutChanged() {
  if (destroying_) return;
  if (painter_) painter_->ViewInfo().Invalidate();
  if (!loading_) ViewInfo();
  update();
}

void TzbSideBar::Repaint() {
  if (!destroying_) update();
}

void TzbSideBar::PaintTo(TCanvas& canvas) {
  Painter().Paint(canvas);
  prevActiveGroup_ = nullptr;
}

bool TzbSideBar::event(QEvent* event) {
  try {
    return QWidget::event(event);
  } catch (const std::exception& e) {
    if (!OnException) throw;
    OnException(e);
    return true;
  }
}

void TzbSideBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (animating_ && !animationFrame_.isNull()) {
    painter.drawImage(0, 0, animationFrame_);
    return;
  }
  // Painted through a picture of the whole side bar, which the group-change animation starts from.
  if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
  if (!frame_.isNull()) {
    TCanvas canvas(&frame_);
    PaintTo(canvas);
  }
  painter.drawImage(0, 0, frame_);
}

void TzbSideBar::resizeEvent(QResizeEvent* event) {
  if (painter_) painter_->ViewInfo().Invalidate();
  QWidget::resizeEvent(event);
}

// --- notifications ---

bool TzbSideBar::IsItemLaidOut(const TzbSideBarItem* item) const {
  return painter_ && painter_->ViewInfo().Ready() && painter_->ViewInfo().FindItem(item);
}

void TzbSideBar::ItemRemoving(TzbSideBarItem& item) {
  if (pressedItem_ == &item) pressedItem_ = nullptr;
  if (dropTarget_ == &item) dropTarget_ = nullptr;
  if (editItem_ == &item && !destroying_) EndEdit(false);
  if (TzbSideBarDragObject* drag = TzbSideBarDragObject::Current(); drag && drag->Item == &item) {
    drag->Item = nullptr;
    drag->Cancel = true;
  }
  if (destroying_) {
    if (focusedItem_ == &item) focusedItem_ = nullptr;
    if (selectedItem_ == &item) selectedItem_ = nullptr;
  } else if (focusedItem_ == &item) {
    hotItemPressed_ = false;
    SetFocusedItem(nullptr);
  }
  if (OnDeleteItem) OnDeleteItem(*this, item);
}

void TzbSideBar::ItemRemoved(const TzbSideBarItem* item, bool wasLaidOut) {
  if (painter_) painter_->ViewInfo().Invalidate();
  if (destroying_) return;
  if (selectedItem_ == item) {
    selectedItem_ = nullptr;
    if (OnChangeSelectedItem) OnChangeSelectedItem(*this);
  }
  if (wasLaidOut) LayoutChanged();
}

void TzbSideBar::ItemsUpdated(const TzbSideGroup& group) {
  if (painter_ && activeGroup_ == &group) painter_->ViewInfo().Invalidate();
  if (!loading_ && activeGroup_ == &group) LayoutChanged();
}

void TzbSideBar::GroupAdded(TzbSideGroup& group) {
  if (loading_) return;
  if (!activeGroup_) SetActiveGroup(&group);
  LayoutChanged();
}

void TzbSideBar::GroupRemoving(TzbSideGroup& group) {
  if (painter_) painter_->ViewInfo().Invalidate();
  if (hotGroup_ == &group) {
    hotGroup_ = nullptr;
    hotGroupPressed_ = false;
  }
  if (prevActiveGroup_ == &group) prevActiveGroup_ = nullptr;
  if (animationFrom_ == &group) animationFrom_ = nullptr;
  if (editGroup_ == &group || (editItem_ && &editItem_->Group() == &group)) EndEdit(false);
}

void TzbSideBar::GroupRemoved(const TzbSideGroup* group, bool wasActive) {
  if (painter_) painter_->ViewInfo().Invalidate();
  if (destroying_) return;
  if (wasActive) {
    activeGroup_ = nullptr;
    SetActiveGroup(nullptr);
  }
  activeGroupIndex_ = IndexOfVisibleGroup(activeGroup_);
  LayoutChanged();
}

void TzbSideBar::GroupsUpdated() {
  if (loading_ || destroying_ || groups_->Count() == 0) return;
  if (!activeGroup_ || activeGroup_->IsDestroying()) SetActiveGroup((*groups_)[0]);
  else LayoutChanged();
}

void TzbSideBar::GroupCaptionChanged(TzbSideGroup& group) {
  if (OnChangeGroupCaption) OnChangeGroupCaption(group, group);
  Repaint();
}

// --- mouse ---

void TzbSideBar::mousePressEvent(QMouseEvent* event) {
  const TPoint p = FromQPoint(event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    QMenu* menu = nullptr;
    if (TzbSideBarItem* item = ViewInfo().ItemAt(p)) {
      TzbStoredSideItem* stored = item->StoredItem();
      menu = stored && stored->PopupMenu ? stored->PopupMenu.data() : ItemPopupMenu.data();
    }
    if (!menu) menu = GroupPopupMenu.data();
    if (menu) menu->popup(event->globalPosition().toPoint());
  }
  QWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (editor_) {
    EndEdit(true);
    return;
  }
  TzbSideBarViewInfo& vi = ViewInfo();
  if (TzbSideGroup* group = vi.GroupAt(p)) {
    SetHotGroup(group, true);
    return;
  }
  if (PtInRect(vi.ScrollUpRect, p) || PtInRect(vi.ScrollDownRect, p)) {
    const bool up = PtInRect(vi.ScrollUpRect, p);
    (up ? scrollUpPressed_ : scrollDownPressed_) = true;
    scrollTimer_->start(scrollDelay_);
    ScrollActiveGroup(up ? -1 : 1);
    Repaint();
    return;
  }
  if (TzbSideBarItem* item = vi.ItemAt(p)) {
    SetHotItem(item, true);
    pressedItem_ = focusedItem_;
    if (canSelected_) SelectItem(item);
    mouseDownOnItem_ = true;
    mouseDownPoint_ = p;
  }
}

void TzbSideBar::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || editor_) return;
  if (dragObject_) {
    EndItemDrag(event->globalPosition().toPoint(), event->modifiers());
    pressedItem_ = nullptr;
    return;
  }
  const TPoint p = FromQPoint(event->position().toPoint());
  TzbSideBarViewInfo& vi = ViewInfo();
  if (hotGroup_) {
    TzbSideGroup* group = hotGroup_;
    hotGroupPressed_ = false;
    if (vi.GroupAt(p) == group) {
      SetActiveGroup(group);
    } else {
      SetHotGroup(nullptr, false);
    }
    Repaint();
  } else if (scrollUpPressed_ || scrollDownPressed_) {
    scrollUpPressed_ = scrollDownPressed_ = false;
    Repaint();
  } else if (mouseDownOnItem_) {
    mouseDownOnItem_ = false;
    TzbSideBarItem* item = vi.ItemAt(p);
    if (item && item == pressedItem_) {
      pressedItem_ = nullptr;
      hotItemPressed_ = false;
      Repaint();
      QPointer<TzbSideBar> alive(this);
      DoItemClick(*item);
      if (!alive) return;
    }
  }
  pressedItem_ = nullptr;
  mouseDownOnItem_ = false;
}

void TzbSideBar::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (dragObject_) {
    DragMove(event->globalPosition().toPoint(), event->modifiers());
    return;
  }
  const TPoint p = FromQPoint(event->position().toPoint());
  TzbSideBarViewInfo& vi = ViewInfo();
  TzbSideGroup* group = vi.GroupAt(p);
  if (event->buttons() & Qt::LeftButton) {
    if (hotGroup_) SetHotGroup(hotGroup_, group == hotGroup_);
  } else {
    SetHotGroup(group, false);
  }
  if (!mouseDownOnItem_) SetHotItem(ViewInfo().ItemAt(p), false);
  // An item drag starts when the pointer leaves the items or moves more than 5 pixels.
  if (DragMode != sbdmAutomatic || !showGroups_ || !mouseDownOnItem_ || !(event->buttons() & Qt::LeftButton)) return;
  TzbSideBarItem* under = ViewInfo().ItemAt(p);
  const bool far = std::abs(p.X - mouseDownPoint_.X) > 5 || std::abs(p.Y - mouseDownPoint_.Y) > 5;
  if ((!under && focusedItem_) || (under && far)) {
    if (!focusedItem_) SetFocusedItem(pressedItem_);
    mouseDownOnItem_ = false;
    BeginItemDrag();
    if (dragObject_) DragMove(event->globalPosition().toPoint(), event->modifiers());
  }
}

void TzbSideBar::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TzbSideBar::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (IsDragging()) SetDropTarget(nullptr, dpNone);
  else SetHotItem(nullptr, false);
  if (OnMouseLeave) OnMouseLeave(*this);
  SetHotGroup(nullptr, false);
}

}  // namespace zyn
