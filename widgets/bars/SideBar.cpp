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
      fBackground(std::make_unique<TzbSideBarBackGround>()),
      fGroups(std::make_unique<TzbSideGroups>(*this)) {
  fBackground->OnChange = [this] { LayoutChanged(); };
  fGroupFont.Font = font();
  fGroupFont.Color = clWindowText;
  fItemFont.Font = font();
  fItemFont.Color = clWindow;
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  fScrollTimer = new QTimer(this);
  fScrollTimer->setInterval(fScrollDelay);
  QObject::connect(fScrollTimer, &QTimer::timeout, this, [this] { ScrollTimerTick(); });
  fHintTimer = new QTimer(this);
  fHintTimer->setInterval(kHintTimeout);
  QObject::connect(fHintTimer, &QTimer::timeout, this, [this] { HideHint(); });
}

TzbSideBar::~TzbSideBar() {
  fScrollTimer->stop();
  fHintTimer->stop();
  if (StoreInRegistry && !RegistryPath.empty()) SaveToRegistry(RegistryPath);
  fDestroying = true;
  fEditor = nullptr;
  fEditGroup = nullptr;
  fEditItem = nullptr;
  if (fHintFilterInstalled) qApp->removeEventFilter(this);
  AttachImages(fLargeImages, fLargeLink, nullptr);
  AttachImages(fSmallImages, fSmallLink, nullptr);
  if (fStore) fStore->RemoveSideBar(this);
  fActiveGroup = fPrevActiveGroup = fHotGroup = nullptr;
  fGroups.reset();
  fPainter.reset();
}

// --- properties ---

void TzbSideBar::SetBkPicture(const QImage& value) {
  fBkPicture = value;
  Repaint();
}

void TzbSideBar::SetColor(TColor value) {
  if (fColor == value) return;
  fColor = value;
  Repaint();
}

void TzbSideBar::SetCanSelected(bool value) {
  if (fCanSelected == value) return;
  SelectItem(nullptr);
  fCanSelected = value;
}

void TzbSideBar::SetGroupFont(const TFont& value) {
  fGroupFont = value;
  LayoutChanged();
}

void TzbSideBar::SetItemFont(const TFont& value) {
  fItemFont = value;
  LayoutChanged();
}

void TzbSideBar::SetGroupHeightOffSet(int value) {
  if (value < 0 || value > 9 || value == fGroupHeightOffSet) return;
  fGroupHeightOffSet = value;
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

void TzbSideBar::SetLargeImages(TzbSideBarImageList* value) { AttachImages(fLargeImages, fLargeLink, value); }

void TzbSideBar::SetSmallImages(TzbSideBarImageList* value) { AttachImages(fSmallImages, fSmallLink, value); }

TzbSideBarImageList* TzbSideBar::GetLargeImages() const {
  return fLargeImages ? fLargeImages : (fStore ? fStore->LargeImages() : nullptr);
}

TzbSideBarImageList* TzbSideBar::GetSmallImages() const {
  return fSmallImages ? fSmallImages : (fStore ? fStore->SmallImages() : nullptr);
}

void TzbSideBar::SetPaintStyle(TzbsbPaintStyle value) {
  if (fPaintStyle == value) return;
  fPaintStyle = value;
  fPainter.reset();
  if (fBorderStyle != bbsNone)
    SetBorderStyle(bbsNone);
  else
    Repaint();
}

void TzbSideBar::SetScrollDelay(int value) {
  if (value <= 0) return;
  fScrollDelay = value;
  fScrollTimer->setInterval(value);
}

void TzbSideBar::SetSpaceHeight(int value) {
  if (value <= 4 || value == fSpaceHeight) return;
  fSpaceHeight = value;
  LayoutChanged();
}

void TzbSideBar::SetStore(TzbSideBarStore* value) {
  if (fStore == value) return;
  if (!fLoading) fGroups->Clear();
  fActiveGroup = nullptr;
  fHotGroup = nullptr;
  if (fStore) fStore->RemoveSideBar(this);
  fStore = value;
  if (fStore) fStore->AddSideBar(this);
  LayoutChanged();
}

void TzbSideBar::StoreDestroyed() {
  fStore = nullptr;
  LayoutChanged();
}

void TzbSideBar::SetTransparentImages(bool value) {
  if (fTransparentImages == value) return;
  fTransparentImages = value;
  LayoutChanged();
}

void TzbSideBar::SetShowGroups(bool value) {
  if (fShowGroups == value) return;
  fShowGroups = value;
  LayoutChanged();
}

void TzbSideBar::SetBorderStyle(TzbBarBorderStyle value) {
  if (fBorderStyle == value) return;
  fBorderStyle = value;
  LayoutChanged();
}

void TzbSideBar::Assign(const TzbSideBar& source) {
  if (&source == this) return;
  const bool wasLoading = fLoading;
  fLoading = true;  // no relayout while the parts arrive
  SetStore(source.fStore);
  fGroups->Assign(*source.fGroups);
  SetSmallImages(source.fSmallImages);
  SetLargeImages(source.fLargeImages);
  fLoading = wasLoading;
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
  for (int i = 0; i < fGroups->Count(); ++i) {
    TzbSideGroup* g = (*fGroups)[i];
    if (!g->Visible()) continue;
    if (count == n) return g;
    ++count;
  }
  return nullptr;
}

int TzbSideBar::IndexOfVisibleGroup(const TzbSideGroup* group) const {
  int count = 0;
  for (int i = 0; i < fGroups->Count(); ++i) {
    const TzbSideGroup* g = (*fGroups)[i];
    if (!g->Visible()) continue;
    if (g == group) return count;
    ++count;
  }
  return -1;
}

int TzbSideBar::GetVisibleGroupCount() const {
  int count = 0;
  for (int i = 0; i < fGroups->Count(); ++i)
    if ((*fGroups)[i]->Visible()) ++count;
  return count;
}

int TzbSideBar::GroupCount() const { return fGroups->Count(); }

void TzbSideBar::SetActiveGroupIndex(int value) {
  const int visible = GetVisibleGroupCount();
  if (value != fActiveGroupIndex) {
    if ((value < 0 || value >= visible) && visible > 0) value = 0;
    fActiveGroupIndex = value;
  }
  if (visible == 0) return;
  if (fActiveGroupIndex < visible) SetActiveGroup(GetVisibleGroup(fActiveGroupIndex));
}

void TzbSideBar::ClearPointerState() {
  SetFocusedItem(nullptr);
  fDropTarget = nullptr;
  fDropPosition = dpNone;
  fHotItemPressed = false;
  if (fHotGroup && !IsDragging()) unsetCursor();
  fHotGroup = nullptr;
  fHotGroupPressed = false;
}

void TzbSideBar::SetActiveGroup(TzbSideGroup* group) {
  if (group && !group->Visible()) group = nullptr;
  if (group == fActiveGroup) {
    // Nothing to do unless the open group was hidden, or none is open while one could be.
    if (fDestroying) return;
    if (fActiveGroup ? fActiveGroup->Visible() : GetVisibleGroupCount() == 0) return;
  }
  CaptureAnimationStart();
  ++fGroupChangeDepth;
  ClearPointerState();
  fPrevActiveGroup = fActiveGroup;
  fActiveGroup = group ? group : GetVisibleGroup(0);
  if (fActiveGroup) {
    fActiveGroup->SetTopVisibleItemDirect(0);
    SetActiveGroupIndex(IndexOfVisibleGroup(fActiveGroup));
  } else {
    SetActiveGroupIndex(-1);
  }
  QPointer<TzbSideBar> alive(this);
  try {
    if (OnChangeActiveGroup) OnChangeActiveGroup(*this);
  } catch (...) {
    if (alive) {
      --fGroupChangeDepth;
      fAnimationPending = false;
      LayoutChanged();
    }
    throw;
  }
  if (!alive) return;
  LayoutChanged();
  if (--fGroupChangeDepth == 0 && fAnimationPending) RunGroupAnimation();
}

void TzbSideBar::CaptureAnimationStart() {
  if (fAnimationPending || fGroupChangeDepth > 0 || fAnimating) return;
  if (!isVisible() || fLoading || fDestroying || !fShowGroups || !fActiveGroup || fFrame.size() != size()) return;
  if (!fPainter || !fPainter->ViewInfo().Ready()) return;
  const TzbSideBarViewInfo& vi = fPainter->ViewInfo();
  if (vi.Groups().empty()) return;
  fOldCaptions.clear();
  for (const TzbSideGroupViewInfo& g : vi.Groups()) fOldCaptions.emplace_back(g.Group, g.CaptionRect);
  fOldItemsArea = vi.ItemsArea;
  fAnimationFrom = fActiveGroup;
  fAnimationPending = true;
}

void TzbSideBar::RunGroupAnimation() {
  fAnimationPending = false;
  TzbSideGroup* from = fAnimationFrom;
  TzbSideGroup* to = fActiveGroup;
  fAnimationFrom = nullptr;
  if (!from || !to || from == to || !isVisible() || fDestroying) return;
  const TRect* oldTo = nullptr;
  for (const auto& [group, rect] : fOldCaptions)
    if (group == to) oldTo = &rect;
  TzbSideBarViewInfo& vi = ViewInfo();
  if (!oldTo || vi.Groups().empty()) return;
  // Down the list: the band from the old items area to the opened caption moves up; up the list:
  // the band from the opened caption to the closed caption's new place moves down.
  const bool up = to->Index() > from->Index();
  TRect band;
  if (up) {
    band = Rect(0, fOldItemsArea.Top, width(), oldTo->Bottom);
  } else {
    const TzbSideGroupViewInfo* newFrom = vi.FindGroup(from);
    band = Rect(0, oldTo->Bottom, width(), newFrom ? newFrom->CaptionRect.Bottom : vi.ItemsArea.Bottom);
  }
  TzbSideBarAnimation animation(fFrame, band, up, vi.GetGroupHeight());
  QElapsedTimer clock;
  clock.start();
  QPointer<TzbSideBar> alive(this);
  fAnimating = true;
  animation.Run([this](TCanvas& canvas, const TRect& r) { Painter().FillBackground(canvas, r); },
                [this, &alive](const QImage& picture) {
                  if (!alive) return;
                  fAnimationFrame = picture;
                  repaint();
                },
                [&clock] { return clock.elapsed(); });
  if (!alive) return;
  fAnimating = false;
  fAnimationFrame = QImage();
  update();
}

// --- items ---

void TzbSideBar::SelectItem(TzbSideBarItem* item) {
  if (!fCanSelected) return;
  if (fSelectedItem && fSelectedItem != item) Repaint();
  const bool changed = fSelectedItem != item;
  fSelectedItem = item;
  if (changed && OnChangeSelectedItem) OnChangeSelectedItem(*this);
  if (fSelectedItem && fSelectedItem->GetEnabled()) Repaint();
}

void TzbSideBar::SetFocusedItem(TzbSideBarItem* item) {
  if (fFocusedItem == item) return;
  fFocusedItem = item;
  if (OnChangeFocusedItem) OnChangeFocusedItem(*this);
}

void TzbSideBar::SetHotItem(TzbSideBarItem* item, bool pressed) {
  if (item == fFocusedItem && pressed == fHotItemPressed) return;
  if (fFocusedItem && fFocusedItem != item && fFocusedItem != fSelectedItem) Repaint();
  const bool changed = item != fFocusedItem;
  if (ShowHint && changed) ShowItemHint(false);
  SetFocusedItem(item);
  if (ShowHint && !pressed && changed) ShowItemHint(true);
  fHotItemPressed = pressed;
  if (item && item != fSelectedItem && item->GetEnabled()) Repaint();
}

void TzbSideBar::SetHotGroup(TzbSideGroup* group, bool pressed) {
  if (group == fHotGroup && pressed == fHotGroupPressed) return;
  fHotGroup = group;
  fHotGroupPressed = pressed;
  if (group)
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
  if (Painter().HotTrackGroups()) Repaint();
}

void TzbSideBar::DoItemClick(TzbSideBarItem& item) {
  if (!item.GetEnabled()) return;
  bool handled = false;
  if (TzbStoredSideItem* stored = item.StoredItem()) handled = stored->Click(*this, item);
  if (!handled && OnItemClick) OnItemClick(*this, item);
}

void TzbSideBar::ScrollActiveGroup(int delta) {
  if (fActiveGroup) fActiveGroup->SetTopVisibleItem(fActiveGroup->TopVisibleItem() + delta);
}

bool TzbSideBar::ScrollTimerActive() const { return fScrollTimer->isActive(); }

void TzbSideBar::ScrollTimerTick() {
  TzbSideBarViewInfo& vi = ViewInfo();
  if (fScrollUpPressed && !vi.HasScrollUp()) fScrollUpPressed = false;
  if (fScrollDownPressed && !vi.HasScrollDown()) fScrollDownPressed = false;
  if (!fScrollUpPressed && !fScrollDownPressed) {
    fScrollTimer->stop();
    return;
  }
  if (fScrollUpPressed) ScrollActiveGroup(-1);
  if (fScrollDownPressed) ScrollActiveGroup(1);
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
  if (item == fDropTarget && position == fDropPosition) return;
  fDropTarget = item;
  fDropPosition = position;
  Repaint();
}

bool TzbSideBar::DragOver(const TPoint& p) {
  bool accept = DecideDrop(p);
  if (OnDragOver) OnDragOver(*this, p, accept);
  return accept;
}

bool TzbSideBar::DecideDrop(const TPoint& p) {
  if (!IsDragging() || !fActiveGroup) return !fActiveGroup;
  TzbSideBarViewInfo& vi = ViewInfo();
  if (TzbSideGroup* group = vi.GroupAt(p)) {
    SetActiveGroup(group);
    return false;
  }
  fScrollTimer->start(fScrollDelay);
  fScrollUpPressed = fScrollDownPressed = false;
  const int zone = fSpaceHeight + 16;
  if ((vi.HasScrollUp() && p.Y < vi.ItemsArea.Top + zone) ||
      (vi.HasScrollDown() && p.Y >= vi.ItemsArea.Bottom - zone)) {
    (vi.HasScrollUp() && p.Y < vi.ItemsArea.Top + zone ? fScrollUpPressed : fScrollDownPressed) = true;
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
  if (!fActiveGroup) fGroups->Add();
  TzbSideGroup* group = fActiveGroup;
  if (!group) return nullptr;
  TzbSideBarItems& items = group->Items();
  int index = fDropTarget ? fDropTarget->Index() : (items.Count() > 0 ? -1 : 0);
  TzbSideBarItem* dragged = drag.Item;
  const bool own = dragged && &dragged->Group() == group;
  TzbSideBarItem* result = nullptr;
  if (index < 0 || (!copy && own && dragged->Index() == index)) {
    // nothing moves
  } else if (!copy && own) {
    dragged->SetIndex(index);
    result = dragged;
  } else if (dragged || drag.StoredItem) {
    if (fDropPosition == dpAfter) ++index;
    result = items.Add();
    if (dragged)
      result->Assign(*dragged);
    else
      result->SetStoredItem(drag.StoredItem);
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
  if (!fFocusedItem || fDragObject) return;
  HideHint();
  fDragObject = std::make_unique<TzbSideBarDragObject>(this, fFocusedItem, fFocusedItem->StoredItem());
}

void TzbSideBar::DragMove(const QPoint& globalPos, Qt::KeyboardModifiers modifiers) {
  TzbSideBarDragObject& drag = *fDragObject;
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
  TzbSideBarDragObject& drag = *fDragObject;
  Qt::CursorShape shape = Qt::ForbiddenCursor;
  if (drag.Accepted) {
    if (drag.DeleteItem)
      shape = Qt::CrossCursor;
    else if ((modifiers & Qt::ControlModifier) || !drag.Item)
      shape = Qt::DragCopyCursor;
    else
      shape = Qt::DragMoveCursor;
  }
  drag.DeleteItem = false;
  setCursor(shape);
}

void TzbSideBar::EndItemDrag(const QPoint& globalPos, Qt::KeyboardModifiers modifiers) {
  std::unique_ptr<TzbSideBarDragObject> drag = std::move(fDragObject);
  QPointer<TzbSideBar> target = SideBarAt(globalPos);
  const bool accepted = target && target->DragOver(FromQPoint(target->mapFromGlobal(globalPos)));
  if (target && accepted) target->DropItem(*drag, modifiers & Qt::ControlModifier);
  for (TzbSideBar* bar : {static_cast<TzbSideBar*>(this), target.data()}) {
    if (!bar) continue;
    bar->SetDropTarget(nullptr, dpNone);
    bar->fScrollUpPressed = bar->fScrollDownPressed = false;
  }
  if (!target) LayoutChanged();
  unsetCursor();
}

// --- in-place caption edit ---

bool TzbSideBar::OpenEditor(const TRect& r, const std::string& text) {
  bool allow = true;
  if (OnBeforeEdit) OnBeforeEdit(*this, allow);
  if (!allow) return false;
  fEditor = new QLineEdit(this);
  fEditor->setText(ToQString(text));
  fEditor->setGeometry(ToQRect(r));
  fEditor->selectAll();
  fEditor->installEventFilter(this);
  fEditor->show();
  fEditor->setFocus();
  return true;
}

bool TzbSideBar::EditGroupCaption(TzbSideGroup* group) {
  if (fEditor) EndEdit(true);
  const TzbSideGroupViewInfo* info = group ? ViewInfo().FindGroup(group) : nullptr;
  if (!info) return false;
  fEditGroup = group;
  if (OpenEditor(info->CaptionRect, group->Caption())) return true;
  fEditGroup = nullptr;
  return false;
}

bool TzbSideBar::EditItemCaption(TzbSideBarItem* item) {
  if (fEditor) EndEdit(true);
  const TzbSideItemViewInfo* info = item ? ViewInfo().FindItem(item) : nullptr;
  if (!info) return false;
  TRect r = info->CaptionRect;
  const int h = QFontMetrics(fItemFont.Font).height() + 6;
  if (r.Height() < h) r.Bottom = r.Top + h;
  r.Left = std::min(r.Left, ViewInfo().ItemsArea.Left + 2);
  r.Right = std::max(r.Right, ViewInfo().ItemsArea.Right - 2);
  fEditItem = item;
  if (OpenEditor(r, item->Caption())) return true;
  fEditItem = nullptr;
  return false;
}

void TzbSideBar::EndEdit(bool accept) {
  if (!fEditor) return;
  QLineEdit* editor = fEditor;
  fEditor = nullptr;  // a focus change while closing must not end the edit twice
  TzbSideGroup* group = fEditGroup;
  TzbSideBarItem* item = fEditItem;
  fEditGroup = nullptr;
  fEditItem = nullptr;
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
  fHintShown = false;
  if (IsDragging()) {
    HideHint();
    return;
  }
  QString text;
  if (show && fFocusedItem) text = ToQString(fFocusedItem->Hint()).section(QLatin1Char('|'), 0, 0);
  if (fHintWindow && fHintWindow->isVisible()) fHintWindow->hide();
  const TzbSideItemViewInfo* info = fFocusedItem ? ViewInfo().FindItem(fFocusedItem) : nullptr;
  if (text.isEmpty() || !info) {
    HideHint();
    return;
  }
  if (!fHintWindow) {
    fHintWindow = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    fHintWindow->setWordWrap(true);
    fHintWindow->setAutoFillBackground(true);
  }
  QPalette palette = fHintWindow->palette();
  palette.setColor(QPalette::Window, ToQColor(clInfoBk));
  palette.setColor(QPalette::WindowText, ToQColor(clInfoText));
  fHintWindow->setPalette(palette);
  const int anchor = (ViewInfo().IsFullyVisible(*info) ? info->CaptionRect.Bottom : info->ImageRect.Bottom) + 2;
  const int maxWidth = std::max(1, width() - 2 * fSpaceHeight);
  const QRect measured =
      fHintWindow->fontMetrics().boundingRect(QRect(0, 0, maxWidth, 1 << 20), Qt::TextWordWrap, text);
  const bool small = fFocusedItem->Group().IconType() == zbsgSmallIcon;
  const int offset = small ? fSpaceHeight : (width() - measured.width()) / 2;
  QRect r(offset, anchor, measured.width(), measured.height());
  r.adjust(-1, -1, 1, 1);
  fHintWindow->setText(text);
  fHintWindow->setGeometry(QRect(mapToGlobal(r.topLeft()), r.size()));
  fHintWindow->show();
  fHintShown = true;
  fHintTimer->start(kHintTimeout);
  if (!fHintFilterInstalled) {
    qApp->installEventFilter(this);
    fHintFilterInstalled = true;
  }
}

void TzbSideBar::HideHint() {
  fHintTimer->stop();
  if (fHintWindow && fHintWindow->isVisible()) fHintWindow->hide();
  fHintShown = false;
  if (fHintFilterInstalled) {
    qApp->removeEventFilter(this);
    fHintFilterInstalled = false;
  }
}

bool TzbSideBar::eventFilter(QObject* watched, QEvent* event) {
  if (fEditor && watched == fEditor) {
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
  if (fHintShown) {
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
      case QEvent::ApplicationDeactivate:
        HideHint();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- loading, layout, painting ---

void TzbSideBar::Loaded() {
  fLoading = false;
  if (StoreInRegistry && !RegistryPath.empty()) LoadFromRegistry(RegistryPath);
  if (!fActiveGroup) SetActiveGroupIndex(0);
  LayoutChanged();
}

TzbSideBarPainter& TzbSideBar::Painter() {
  if (!fPainter) fPainter = TzbSideBarPainter::Create(*this, fPaintStyle);
  return *fPainter;
}

TzbSideBarViewInfo& TzbSideBar::ViewInfo() {
  TzbSideBarViewInfo& vi = Painter().ViewInfo();
  if (!vi.Ready()) vi.Calculate();
  return vi;
}

void TzbSideBar::LayoutChanged() {
  if (fDestroying) return;
  if (fPainter) fPainter->ViewInfo().Invalidate();
  if (!fLoading) ViewInfo();
  update();
}

void TzbSideBar::Repaint() {
  if (!fDestroying) update();
}

void TzbSideBar::PaintTo(TCanvas& canvas) {
  Painter().Paint(canvas);
  fPrevActiveGroup = nullptr;
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
  if (fAnimating && !fAnimationFrame.isNull()) {
    painter.drawImage(0, 0, fAnimationFrame);
    return;
  }
  // Painted through a picture of the whole side bar, which the group-change animation starts from.
  if (fFrame.size() != size()) fFrame = QImage(size(), QImage::Format_RGB32);
  if (!fFrame.isNull()) {
    TCanvas canvas(&fFrame);
    PaintTo(canvas);
  }
  painter.drawImage(0, 0, fFrame);
}

void TzbSideBar::resizeEvent(QResizeEvent* event) {
  if (fPainter) fPainter->ViewInfo().Invalidate();
  QWidget::resizeEvent(event);
}

// --- notifications ---

bool TzbSideBar::IsItemLaidOut(const TzbSideBarItem* item) const {
  return fPainter && fPainter->ViewInfo().Ready() && fPainter->ViewInfo().FindItem(item);
}

void TzbSideBar::ItemRemoving(TzbSideBarItem& item) {
  if (fPressedItem == &item) fPressedItem = nullptr;
  if (fDropTarget == &item) fDropTarget = nullptr;
  if (fEditItem == &item && !fDestroying) EndEdit(false);
  if (TzbSideBarDragObject* drag = TzbSideBarDragObject::Current(); drag && drag->Item == &item) {
    drag->Item = nullptr;
    drag->Cancel = true;
  }
  if (fDestroying) {
    if (fFocusedItem == &item) fFocusedItem = nullptr;
    if (fSelectedItem == &item) fSelectedItem = nullptr;
  } else if (fFocusedItem == &item) {
    fHotItemPressed = false;
    SetFocusedItem(nullptr);
  }
  if (OnDeleteItem) OnDeleteItem(*this, item);
}

void TzbSideBar::ItemRemoved(const TzbSideBarItem* item, bool wasLaidOut) {
  if (fPainter) fPainter->ViewInfo().Invalidate();
  if (fDestroying) return;
  if (fSelectedItem == item) {
    fSelectedItem = nullptr;
    if (OnChangeSelectedItem) OnChangeSelectedItem(*this);
  }
  if (wasLaidOut) LayoutChanged();
}

void TzbSideBar::ItemsUpdated(const TzbSideGroup& group) {
  if (fPainter && fActiveGroup == &group) fPainter->ViewInfo().Invalidate();
  if (!fLoading && fActiveGroup == &group) LayoutChanged();
}

void TzbSideBar::GroupAdded(TzbSideGroup& group) {
  if (fLoading) return;
  if (!fActiveGroup) SetActiveGroup(&group);
  LayoutChanged();
}

void TzbSideBar::GroupRemoving(TzbSideGroup& group) {
  if (fPainter) fPainter->ViewInfo().Invalidate();
  if (fHotGroup == &group) {
    fHotGroup = nullptr;
    fHotGroupPressed = false;
  }
  if (fPrevActiveGroup == &group) fPrevActiveGroup = nullptr;
  if (fAnimationFrom == &group) fAnimationFrom = nullptr;
  if (fEditGroup == &group || (fEditItem && &fEditItem->Group() == &group)) EndEdit(false);
}

void TzbSideBar::GroupRemoved(const TzbSideGroup* group, bool wasActive) {
  if (fPainter) fPainter->ViewInfo().Invalidate();
  if (fDestroying) return;
  if (wasActive) {
    fActiveGroup = nullptr;
    SetActiveGroup(nullptr);
  }
  fActiveGroupIndex = IndexOfVisibleGroup(fActiveGroup);
  LayoutChanged();
}

void TzbSideBar::GroupsUpdated() {
  if (fLoading || fDestroying || fGroups->Count() == 0) return;
  if (!fActiveGroup || fActiveGroup->IsDestroying())
    SetActiveGroup((*fGroups)[0]);
  else
    LayoutChanged();
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
  if (fEditor) {
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
    (up ? fScrollUpPressed : fScrollDownPressed) = true;
    fScrollTimer->start(fScrollDelay);
    ScrollActiveGroup(up ? -1 : 1);
    Repaint();
    return;
  }
  if (TzbSideBarItem* item = vi.ItemAt(p)) {
    SetHotItem(item, true);
    fPressedItem = fFocusedItem;
    if (fCanSelected) SelectItem(item);
    fMouseDownOnItem = true;
    fMouseDownPoint = p;
  }
}

void TzbSideBar::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || fEditor) return;
  if (fDragObject) {
    EndItemDrag(event->globalPosition().toPoint(), event->modifiers());
    fPressedItem = nullptr;
    return;
  }
  const TPoint p = FromQPoint(event->position().toPoint());
  TzbSideBarViewInfo& vi = ViewInfo();
  if (fHotGroup) {
    TzbSideGroup* group = fHotGroup;
    fHotGroupPressed = false;
    if (vi.GroupAt(p) == group) {
      SetActiveGroup(group);
    } else {
      SetHotGroup(nullptr, false);
    }
    Repaint();
  } else if (fScrollUpPressed || fScrollDownPressed) {
    fScrollUpPressed = fScrollDownPressed = false;
    Repaint();
  } else if (fMouseDownOnItem) {
    fMouseDownOnItem = false;
    TzbSideBarItem* item = vi.ItemAt(p);
    if (item && item == fPressedItem) {
      fPressedItem = nullptr;
      fHotItemPressed = false;
      Repaint();
      QPointer<TzbSideBar> alive(this);
      DoItemClick(*item);
      if (!alive) return;
    }
  }
  fPressedItem = nullptr;
  fMouseDownOnItem = false;
}

void TzbSideBar::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (fDragObject) {
    DragMove(event->globalPosition().toPoint(), event->modifiers());
    return;
  }
  const TPoint p = FromQPoint(event->position().toPoint());
  TzbSideBarViewInfo& vi = ViewInfo();
  TzbSideGroup* group = vi.GroupAt(p);
  if (event->buttons() & Qt::LeftButton) {
    if (fHotGroup) SetHotGroup(fHotGroup, group == fHotGroup);
  } else {
    SetHotGroup(group, false);
  }
  if (!fMouseDownOnItem) SetHotItem(ViewInfo().ItemAt(p), false);
  // An item drag starts when the pointer leaves the items or moves more than 5 pixels.
  if (DragMode != sbdmAutomatic || !fShowGroups || !fMouseDownOnItem || !(event->buttons() & Qt::LeftButton)) return;
  TzbSideBarItem* under = ViewInfo().ItemAt(p);
  const bool far = std::abs(p.X - fMouseDownPoint.X) > 5 || std::abs(p.Y - fMouseDownPoint.Y) > 5;
  if ((!under && fFocusedItem) || (under && far)) {
    if (!fFocusedItem) SetFocusedItem(fPressedItem);
    fMouseDownOnItem = false;
    BeginItemDrag();
    if (fDragObject) DragMove(event->globalPosition().toPoint(), event->modifiers());
  }
}

void TzbSideBar::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TzbSideBar::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (IsDragging())
    SetDropTarget(nullptr, dpNone);
  else
    SetHotItem(nullptr, false);
  if (OnMouseLeave) OnMouseLeave(*this);
  SetHotGroup(nullptr, false);
}

}  // namespace zyn
