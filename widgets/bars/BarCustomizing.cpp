#include "widgets/bars/BarCustomizing.h"

#include "platform/AppEventFilter.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarCustomizingEditors.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarEditSizing.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/Bars.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <cstdlib>
#include <memory>

namespace zyn {

// Frees the popup of a link with its entries (when the customizing mode ends).
void FreeCustomizingPopup();

namespace {

TzbBarItemLink* gSelected = nullptr;
TzbBarDragAndDrop* gDrag = nullptr;

// A press on a control while customizing: the drag starts when the mouse leaves the drag
// rectangle around the press.
struct TPendingDrag {
  TCustomzbBarControl* Window = nullptr;
  TzbBarItemLink* Link = nullptr;
  TPoint Down;
};
TPendingDrag gPending;

// Whether the links of the window may be customized.
bool CanCustomizeItems(const TCustomzbBarControl& w) {
  if (w.Manager().Designing) return true;
  const TzbBarItemLinks& links = w.ItemLinks();
  switch (links.OwnerKind()) {
    case TzbBarItemLinks::okBar:
      return links.OwnerBar() && links.OwnerBar()->AllowCustomizing;
    case TzbBarItemLinks::okSubItem: {
      auto* sub = dynamic_cast<TzbBarSubItem*>(links.OwnerItem());
      return sub && sub->AllowCustomizing && sub->CanCustomizeLinks();
    }
    case TzbBarItemLinks::okPopupMenu:
      return true;
    default:
      return false;
  }
}

bool BelongsToManager(const TzbBarItemControl& c, const TCustomzbBarControl& w) {
  return &c.Item().BarManager() == &w.Manager();
}

TCustomzbBarControl* WindowOfLink(const TzbBarItemLink* link) {
  if (!link || !link->Control()) return nullptr;
  return dynamic_cast<TCustomzbBarControl*>(&link->Control()->Parent());
}

void RepaintLink(TzbBarItemLink* link) {
  if (TCustomzbBarControl* w = WindowOfLink(link); w && TCustomzbBarControl::IsAlive(w))
    w->RepaintControl(*link->Control());
}

// The separator rectangle before a grouped control (empty when none): the gap to the previous
// shown control on the same line, or the stored menu separator band.
TRect SeparatorRectOf(const TCustomzbBarControl& w, const TzbBarItemControl& c) {
  if (!c.Link().GetBeginGroup()) return TRect{};
  if (!IsRectEmpty(c.SeparatorRect)) return c.SeparatorRect;
  const auto& shown = w.ItemLinks().ShownLinks();
  const auto it = std::find(shown.begin(), shown.end(), &c.Link());
  if (it == shown.begin() || it == shown.end()) return TRect{};
  const TRect prev = w.GetItemRect((*(it - 1))->Control());
  const TRect own = w.GetItemRect(&c);
  if (IsRectEmpty(prev) || IsRectEmpty(own)) return TRect{};
  if (w.IsMenu() || w.IsVertical()) {
    if (prev.Bottom <= own.Top) return Rect(own.Left, prev.Bottom, own.Right, own.Top);
  } else if (prev.Right <= own.Left && prev.Top < own.Bottom && own.Top < prev.Bottom) {
    return Rect(prev.Right, own.Top, own.Left, own.Bottom);
  } else if (prev.Bottom <= own.Top) {
    return Rect(own.Left, prev.Bottom, w.ClientRect().Right, own.Top);  // a later line of a wrapped bar
  }
  return TRect{};
}

}  // namespace

// ---------------------------------------------------------------- drop place

TzbBarDropPlace FindDropPlace(const TCustomzbBarControl& w, const TPoint& p) {
  TzbBarDropPlace place;
  place.Vertical = w.IsMenu() || w.IsVertical();
  for (TzbBarItemLink* link : w.ItemLinks().ShownLinks()) {
    TzbBarItemControl* c = link->Control();
    if (!c || !BelongsToManager(*c, w)) continue;
    const TRect own = w.GetItemRect(c);
    const TRect sep = SeparatorRectOf(w, *c);
    const bool inOwn = !IsRectEmpty(own) && PtInRect(own, p);
    const bool inSep = !IsRectEmpty(sep) && PtInRect(sep, p);
    if (!inOwn && !inSep) continue;
    place.Control = c;
    place.InSeparator = !inOwn;
    TRect r = own;
    if (place.InSeparator) {
      r = sep;
      if (p.Y < own.Top) place.Vertical = true;
    }
    place.Before = place.Vertical ? (p.Y - r.Top) < (r.Bottom - p.Y) : (p.X - r.Left) < (r.Right - p.X);
    return place;
  }
  // The empty part of a toolbar line: behind the last control of the line that spans the point.
  if (!w.IsMenu() && PtInRect(w.ClientRect(), p)) {
    for (TzbBarItemLink* link : w.ItemLinks().ShownLinks()) {
      TzbBarItemControl* c = link->Control();
      if (!c || !BelongsToManager(*c, w) || !c->LastInLine) continue;
      const TRect r = link->ItemRect;
      const bool spans = w.IsVertical() ? (p.X >= r.Left && p.X < r.Right && p.Y >= r.Bottom)
                                        : (p.Y >= r.Top && p.Y < r.Bottom && p.X >= r.Right);
      if (!spans) continue;
      place.Control = c;
      place.InSeparator = false;
      place.Before = false;
      return place;
    }
  }
  return place;
}

// ---------------------------------------------------------------- selection

TzbBarItemLink* CustomizingSelectedLink() { return gSelected; }

void SetCustomizingSelectedLink(TzbBarItemLink* link) {
  if (link == gSelected) return;
  TzbBarItemLink* previous = gSelected;
  gSelected = link;
  RepaintLink(previous);
  RepaintLink(link);
}

void CustomizingLinkGone(const TzbBarItemLink* link) {
  EditSizingLinkGone(link);
  if (gSelected == link) gSelected = nullptr;
  if (gPending.Link == link) gPending = TPendingDrag{};
  if (gDrag && gDrag->fMarkLink == link) {
    gDrag->fMarkLink = nullptr;
    gDrag->fMarkShown = false;
  }
  if (gDrag && gDrag->Link() == link) gDrag->Cancel();
}

void CustomizingItemGone(const TzbBarItem* item) {
  if (gDrag && gDrag->Item() == item) gDrag->Cancel();
}

void EndCustomizingState(TzbBarManager& manager) {
  if (gDrag && &gDrag->Manager() == &manager) gDrag->Cancel();
  CancelEditSizing();
  FreeCustomizingPopup();
  gPending = TPendingDrag{};
  SetCustomizingSelectedLink(nullptr);
}

void DrawCustomizingFrame(TCanvas& canvas, const TRect& r) {
  if (r.Right - r.Left < 4 || r.Bottom - r.Top < 4) return;
  const TBrush saved = canvas.Brush;
  canvas.Brush = TBrush{};
  canvas.Brush.Color = clBtnText;
  canvas.FrameRect(r);
  canvas.FrameRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  canvas.Brush = saved;
}

void PaintCustomizingFrame(TCustomzbBarControl& window, TzbBarItemControl& control, const TRect& r) {
  if (!window.Manager().Customizing() || !gSelected || &control.Link() != gSelected) return;
  DrawCustomizingFrame(window.Canvas(), r);
}

// ---------------------------------------------------------------- mouse of the bar windows

// The library's own popups (the popup of a link among them) are never customized.
bool Customizes(const TCustomzbBarControl& w) {
  return w.Manager().Customizing() && !w.Manager().Designing &&
         w.ItemLinks().OwnerKind() != TzbBarItemLinks::okLibraryPopup;
}

bool CustomizingMouseDown(TCustomzbBarControl& w, const TPoint& p, bool rightButton) {
  if (!Customizes(w)) return false;
  if (!PtInRect(w.ClientRect(), p)) return false;
  // The edges of the selected edit link size it.
  if (!rightButton && CanCustomizeItems(w) && EditSizingMouseDown(w, p)) return true;
  TzbBarItemControl* c = CanCustomizeItems(w) ? w.ControlAt(p) : nullptr;
  if (c && !BelongsToManager(*c, w)) return true;
  CloseCustomizingPopup();
  if (!c) {
    SetCustomizingSelectedLink(nullptr);
    if (w.SelectedControl() && w.SelectedControl()->HasSubMenu()) w.HotTrackItem(nullptr);
    return true;
  }
  TzbBarItemLink* link = &c->Link();
  SetCustomizingSelectedLink(link);
  if (c->HasSubMenu()) {
    // A sub-item opens its menu (or closes it when it is open), so that its links can be reached.
    if (w.SelectedControl() == c) {
      if (c->Active)
        c->ControlInactivate(true);
      else
        c->ControlActivate(true);
    } else {
      w.HotTrackItem(c);
    }
    if (!TCustomzbBarControl::IsAlive(&w)) return true;
  } else if (w.SelectedControl() && w.SelectedControl() != c) {
    w.HotTrackItem(nullptr);
    if (!TCustomzbBarControl::IsAlive(&w)) return true;
  }
  if (rightButton) {
    gPending = TPendingDrag{};
    ShowCustomizingPopup(*link, w.ClientToScreen(p));
    return true;
  }
  gPending.Window = &w;
  gPending.Link = link;
  gPending.Down = p;
  return true;
}

bool CustomizingMouseMove(TCustomzbBarControl& w, const TPoint& p) {
  if (!Customizes(w)) return false;
  if (EditSizingMouseMove(w, p)) return true;
  if (gPending.Window == &w && gPending.Link && !(QApplication::mouseButtons() & Qt::LeftButton)) {
    gPending = TPendingDrag{};  // the button went up elsewhere
  } else if (gPending.Window == &w && gPending.Link) {
    const int dist = QApplication::startDragDistance();
    if (std::abs(p.X - gPending.Down.X) > dist || std::abs(p.Y - gPending.Down.Y) > dist) {
      TzbBarItemLink* link = gPending.Link;
      const TPoint grab = w.ClientToScreen(gPending.Down);
      gPending = TPendingDrag{};
      if (TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(w.Manager(), link->Item(), link, grab))
        drag->MoveTo(w.ClientToScreen(p));
    }
  }
  return true;
}

bool CustomizingMouseUp(TCustomzbBarControl& w, const TPoint& p) {
  if (!Customizes(w)) return false;
  if (EditSizingMouseUp(w, p)) return true;
  if (gPending.Window == &w) gPending = TPendingDrag{};
  return true;
}

// ---------------------------------------------------------------- the drag

TzbBarDragAndDrop* TzbBarDragAndDrop::Current() { return gDrag; }

TzbBarDragAndDrop* TzbBarDragAndDrop::Begin(TzbBarManager& manager, TzbBarItem* item, TzbBarItemLink* link,
                                            const TPoint& grabPoint) {
  if (gDrag || !item) return nullptr;
  gDrag = new TzbBarDragAndDrop(manager, item, link, grabPoint);
  return gDrag;
}

TzbBarDragAndDrop::TzbBarDragAndDrop(TzbBarManager& manager, TzbBarItem* item, TzbBarItemLink* link,
                                     const TPoint& grabPoint)
    : fManager(&manager), fItem(item), fLink(link), fGrab(grabPoint), fLast(grabPoint) {
  fCopy = (QApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  SetCursor(link && !fCopy ? crzbBarDrag : crzbBarDragCopy);
  fFilterId = TAppEventFilter::AddHandler([this](QWidget*, QEvent* e) { return FilterInput(e); });
}

TzbBarDragAndDrop::~TzbBarDragAndDrop() {
  if (fFilterId) TAppEventFilter::RemoveHandler(fFilterId);
  if (gDrag == this) gDrag = nullptr;
}

void TzbBarDragAndDrop::SetCursor(int cursor) {
  if (cursor == fCursor) return;
  fCursor = cursor;
  Qt::CursorShape shape = Qt::ForbiddenCursor;
  if (cursor == crzbBarDrag) shape = Qt::DragMoveCursor;
  if (cursor == crzbBarDragCopy) shape = Qt::DragCopyCursor;
  QApplication::changeOverrideCursor(QCursor(shape));
}

bool TzbBarDragAndDrop::FilterInput(void* event) {
  auto* e = static_cast<QEvent*>(event);
  if (fFinished) return false;
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Control) {
        SetCopyMode(e->type() == QEvent::KeyPress);
      } else if (k->key() == Qt::Key_Escape && e->type() == QEvent::KeyPress) {
        Cancel();
      }
      return true;
    }
    case QEvent::MouseMove:
      MoveTo(FromQPoint(static_cast<QMouseEvent*>(e)->globalPosition().toPoint()));
      return true;
    case QEvent::MouseButtonRelease: {
      auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() != Qt::LeftButton) return true;
      MoveTo(FromQPoint(m->globalPosition().toPoint()));
      if (gDrag == this) Drop();
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

TzbBarDropPlace TzbBarDragAndDrop::Mark() const {
  TzbBarDropPlace m = fMark;
  m.Control = nullptr;
  if (fMarkLink && fMarkWindow && TCustomzbBarControl::IsAlive(fMarkWindow)) {
    const auto& shown = fMarkWindow->ItemLinks().ShownLinks();
    if (std::find(shown.begin(), shown.end(), fMarkLink) != shown.end()) m.Control = fMarkLink->Control();
  }
  return m;
}

bool TzbBarDragAndDrop::CanDropAtMark() const {
  const TzbBarDropPlace m = Mark();
  if (!m.Control) return false;
  if (!fLink || fCopy) return true;
  TzbBarItemLink* markLink = &m.Control->Link();
  if (markLink == fLink && !(m.InSeparator && m.Before)) return false;
  TzbBarItemLinks& links = fLink->Collection();
  const int index = links.IndexOf(fLink);
  if (index > 0 && links.Items(index - 1) == markLink && !fLink->StoredBeginGroup() && !m.InSeparator && !m.Before)
    return false;
  if (index == links.Count() - 1) return true;
  if (links.Items(index + 1) == markLink &&
      ((m.InSeparator && m.Before) || (!markLink->StoredBeginGroup() && m.Before)))
    return false;
  return true;
}

void TzbBarDragAndDrop::ShowMark(bool show) {
  if (show == fMarkShown) return;
  fMarkShown = show;
  if (fMarkWindow && TCustomzbBarControl::IsAlive(fMarkWindow) && fMarkWindow->Widget())
    fMarkWindow->Widget()->update();
}

TRect TzbBarDragAndDrop::MarkRect() const {
  const TzbBarDropPlace mk = Mark();
  if (!mk.Control) return TRect{};
  const TCustomzbBarControl& w = *fMarkWindow;
  const auto& shown = w.ItemLinks().ShownLinks();
  TzbBarItemLink* markLink = &mk.Control->Link();
  const auto it = std::find(shown.begin(), shown.end(), markLink);
  if (it == shown.end()) return TRect{};
  const TzbBarItemControl* chosen = mk.Control;
  bool atEnd = false;
  if (mk.InSeparator && mk.Before) {
    if (it != shown.begin() && (*(it - 1))->Control()) chosen = (*(it - 1))->Control();
    atEnd = true;
  } else if (!mk.InSeparator && !mk.Before) {
    const bool last = it + 1 == shown.end() || mk.Control->LastInLine;
    if (last || !(*(it + 1))->Control() || (*(it + 1))->GetBeginGroup()) {
      atEnd = true;
    } else {
      chosen = (*(it + 1))->Control();
    }
  }
  const TRect r = w.GetItemRect(chosen);
  if (IsRectEmpty(r)) return TRect{};
  const bool vertical = w.IsMenu() || w.IsVertical();
  if (vertical) {
    const int y0 = atEnd ? r.Bottom - 6 : r.Top;
    return Rect(r.Left, y0, r.Right, y0 + 6);
  }
  const int x0 = atEnd ? r.Right - 6 : r.Left;
  return Rect(x0, r.Top, x0 + 6, r.Bottom);
}

void PaintDropMark(TCustomzbBarControl& window, QPainter& painter) {
  TzbBarDragAndDrop* d = gDrag;
  if (!d || !d->MarkShown() || d->MarkWindow() != &window) return;
  const TRect m = d->MarkRect();
  if (IsRectEmpty(m)) return;
  const TRect in = window.ClientInsets();
  // A two-pixel bar across the line with short serifs at both ends, inverted.
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  painter.translate(in.Left, in.Top);
  auto line = [&painter](int x0, int y0, int x1, int y1) {
    painter.fillRect(QRect(QPoint(std::min(x0, x1), std::min(y0, y1)), QPoint(std::max(x0, x1), std::max(y0, y1))),
                     Qt::black);
  };
  const bool vertical = window.IsMenu() || window.IsVertical();
  if (vertical) {
    const int l = m.Left, r = m.Right, y0 = m.Top;
    line(l, y0, l, y0 + 5);
    line(l + 1, y0 + 1, l + 1, y0 + 4);
    line(l + 2, y0 + 2, r - 3, y0 + 3);
    line(r - 2, y0 + 1, r - 2, y0 + 4);
    line(r - 1, y0, r - 1, y0 + 5);
  } else {
    const int t = m.Top, b = m.Bottom, x0 = m.Left;
    line(x0, t, x0 + 5, t);
    line(x0 + 1, t + 1, x0 + 4, t + 1);
    line(x0 + 2, t + 2, x0 + 3, b - 3);
    line(x0 + 1, b - 2, x0 + 4, b - 2);
    line(x0, b - 1, x0 + 5, b - 1);
  }
  painter.restore();
}

void TzbBarDragAndDrop::UpdateMark(TCustomzbBarControl* target, const TzbBarDropPlace& place) {
  TzbBarItemLink* placeLink = place.Control ? &place.Control->Link() : nullptr;
  const bool changed = target != fMarkWindow || placeLink != fMarkLink || !Mark().Control ||
                       place.InSeparator != fMark.InSeparator || place.Before != fMark.Before ||
                       place.Vertical != fMark.Vertical;
  if (!changed) {
    ShowMark(CanDropAtMark());
    return;
  }
  ShowMark(false);
  if (placeLink != fMarkLink && place.Control && target) {
    // The control under the cursor is selected; a sub-item opens its menu (not a sub-item that
    // would contain the dragged item).
    TzbBarItemControl* c = place.Control;
    if (c->HasSubMenu() || (target->SelectedControl() && target->SelectedControl()->HasSubMenu())) {
      TzbBarItemLinks* sub = c->HasSubMenu() ? SubItemLinksOf(c->Item()) : nullptr;
      if (!sub || fItem->CanBePlacedIn(*sub))
        target->HotTrackItem(c);
      else
        target->HotTrackItem(nullptr);
    }
  }
  fMarkWindow = place.Control ? target : nullptr;
  fMark = place;
  fMarkLink = placeLink;
  if (!fMarkLink || (fMarkWindow && !TCustomzbBarControl::IsAlive(fMarkWindow))) {
    fMarkWindow = nullptr;
    fMarkLink = nullptr;
    fMark = TzbBarDropPlace{};
  }
  ShowMark(CanDropAtMark());
}

void TzbBarDragAndDrop::MoveTo(const TPoint& screen) {
  if (fFinished) return;
  fMoved = true;
  fLast = screen;
  fTarget = nullptr;
  // Over the sub-menu editor its menu opens; the editor itself takes no drop.
  if (TzbBarSubMenuEditor* editor = SubMenuEditor();
      editor && editor->isVisible() && editor->frameGeometry().contains(ToQPoint(screen))) {
    editor->OpenMenu();
    SetCursor(crzbBarDragNoDrop);
    fTarget = nullptr;
    UpdateMark(nullptr, TzbBarDropPlace{});
    return;
  }
  TCustomzbBarControl* target = TCustomzbBarControl::AtScreenPoint(screen);
  if (target && &target->Manager() != fManager) target = nullptr;
  // The customizing form covers what lies behind it (menus stand above it).
  if (target && !target->IsMenu()) {
    if (QWidget* form = CustomizingFormWindow();
        form && form->isVisible() && form->frameGeometry().contains(ToQPoint(screen)))
      target = nullptr;
  }
  if (target && !CanCustomizeItems(*target)) target = nullptr;
  TzbBarDropPlace place;
  if (target) place = FindDropPlace(*target, target->ScreenToClient(screen));
  if (!target || (!place.Control && !target->ItemLinks().ShownLinks().empty()))
    SetCursor(crzbBarDragNoDrop);
  else if (!fCopy && fLink)
    SetCursor(crzbBarDrag);
  else
    SetCursor(crzbBarDragCopy);
  fTarget = target;
  UpdateMark(target, place);
}

void TzbBarDragAndDrop::SetCopyMode(bool ctrlDown) {
  if (fFinished || ctrlDown == fCopy) return;
  fCopy = ctrlDown;
  MoveTo(fLast);
  ShowMark(CanDropAtMark());
}

void TzbBarDragAndDrop::Drop() { Finish(true); }

void TzbBarDragAndDrop::Cancel() { Finish(false); }

void TzbBarDragAndDrop::Finish(bool drop) {
  if (fFinished) return;
  fFinished = true;
  ShowMark(false);
  if (fFilterId) TAppEventFilter::RemoveHandler(fFilterId);
  fFilterId = 0;
  QApplication::restoreOverrideCursor();
  if (drop && fMoved) {
    try {
      DoDrop();
    } catch (const std::exception&) {
      // A drop that would put a sub-item into itself changes nothing.
    }
  }
  if (fLink) RepaintLink(fLink);
  if (gDrag == this) gDrag = nullptr;
  delete this;
}

void TzbBarDragAndDrop::DoDrop() {
  TzbBarManager& m = *fManager;
  TCustomzbBarControl* target = fTarget && TCustomzbBarControl::IsAlive(fTarget) ? fTarget : nullptr;
  const bool ctrl = fCopy;
  if (!target) {
    // Dropped off every bar: a moved link goes.
    if (fLink && !ctrl) {
      TCustomzbBarControl* source = WindowOfLink(fLink);
      TzbBarItemLinks& links = fLink->Collection();
      CustomizingLinkGone(fLink);
      links.Delete(fLink);
      fLink = nullptr;
      m.DesignerModified();
      if (source && TCustomzbBarControl::IsAlive(source)) source->RebuildLayout();
    }
    return;
  }
  const TzbBarDropPlace mark = fMarkWindow == target ? Mark() : TzbBarDropPlace{};
  if (mark.Control && fLink && (&mark.Control->Link() == fLink || !CanDropAtMark()) && !ctrl &&
      !(mark.InSeparator && mark.Before)) {
    // Dropped over its own place: a move of more than three pixels along the line sets or
    // clears the group start.
    TCustomzbBarControl* own = WindowOfLink(fLink);
    if (!own) return;
    const bool vertical = own->IsMenu() || own->IsVertical();
    const int d = vertical ? fLast.Y - fGrab.Y : fLast.X - fGrab.X;
    if (std::abs(d) <= 3) return;
    if (fLink->StoredBeginGroup() != (d > 0)) {
      fLink->SetBeginGroup(d > 0);
      own->RebuildLayout();
    }
    SetCustomizingSelectedLink(fLink);
    return;
  }
  const TPoint client = target->ScreenToClient(fLast);
  if (!mark.Control && !(PtInRect(target->ClientRect(), client) && target->ItemLinks().Count() == 0)) return;
  TzbBarItemLinks& links = target->ItemLinks();
  TzbBarItemLink* source = fLink;
  const bool otherCollection = source && &source->Collection() != &links;
  TzbBarItemLink* link = links.Add();
  try {
    link->SetItem(fItem);
  } catch (...) {
    links.Delete(link);
    throw;
  }
  link->UseLink(true);
  if (source) {
    link->Assign(*source);
    link->SetStoredBeginGroup(false);
  }
  if (mark.Control) {
    TzbBarItemLink* markLink = &mark.Control->Link();
    int index = links.IndexOf(markLink);
    if (!mark.InSeparator && !mark.Before) ++index;
    if (links.IndexOf(link) < index) --index;
    links.Move(links.IndexOf(link), index);
    if ((mark.InSeparator && !mark.Before) || (!mark.InSeparator && mark.Before && markLink->StoredBeginGroup())) {
      link->SetStoredBeginGroup(true);
      markLink->SetStoredBeginGroup(false);
    }
  }
  if (source && !ctrl) {
    TCustomzbBarControl* sourceWindow = WindowOfLink(source);
    CustomizingLinkGone(source);
    source->Collection().Delete(source);
    fLink = nullptr;
    if (otherCollection && sourceWindow && TCustomzbBarControl::IsAlive(sourceWindow)) sourceWindow->RebuildLayout();
  }
  links.RefreshLists();
  if (TCustomzbBarControl::IsAlive(target)) target->RebuildLayout();
  SetCustomizingSelectedLink(link);
  m.DesignerModified();
  // A drop on a toolbar outside the open menus closes them.
  TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
  if (head && TCustomzbBarControl::IsAlive(target) && !target->IsMenu() && !target->IsInChain()) head->HideAll();
}

// ---------------------------------------------------------------- the popup of a link

namespace {

struct TPopupState {
  std::unique_ptr<TzbBarItemLinks> Links;
  std::vector<TzbBarItem*> Items;
  TzbBarItemLink* Link = nullptr;
  TzbBarManager* Manager = nullptr;
};
TPopupState& Popup() {
  static TPopupState state;
  return state;
}

void FreePopupItems() {
  TPopupState& s = Popup();
  if (s.Links) {
    s.Links->DestroyBarControl();
    s.Links->Clear();
  }
  if (s.Manager && TzbBarManagerList::Contains(s.Manager))
    for (TzbBarItem* item : s.Items)
      if (s.Manager->IndexOfItem(item) >= 0) s.Manager->FreeItem(item);
  s.Items.clear();
  s.Link = nullptr;
}

}  // namespace

namespace CustomizingTexts {
QString PopupCaption(int command) {
  switch (command) {
    case ccReset:
      return BarQText("&Reset");
    case ccDelete:
      return BarQText("&Delete");
    case ccName:
      return BarQText("&Name:");
    case ccDefaultStyle:
      return BarQText("Defa&ult style");
    case ccTextOnlyAlways:
      return BarQText("&Text Only (Always)");
    case ccTextOnlyInMenus:
      return BarQText("Text &Only (in Menus)");
    case ccImageAndText:
      return BarQText("Image &and Text");
    case ccBeginGroup:
      return BarQText("Begin a &Group");
    default:
      return {};
  }
}
QString BlankName() { return BarQText("A command name cannot be blank. Please enter a name."); }
}  // namespace CustomizingTexts

TzbBarItemLinks* CustomizingPopupLinks() {
  TPopupState& s = Popup();
  return s.Links && s.Links->BarControl() && s.Links->BarControl()->IsActive() ? s.Links.get() : nullptr;
}

void CloseCustomizingPopup() {
  TPopupState& s = Popup();
  if (s.Links && s.Links->BarControl() && s.Links->BarControl()->IsActive()) s.Links->BarControl()->HideAll();
}

void FreeCustomizingPopup() {
  FreePopupItems();
  Popup().Links.reset();
  Popup().Manager = nullptr;
}

void RunCustomizingCommand(TzbBarItemLink& link, int command, const std::string& text) {
  TzbBarManager& m = link.Collection().Manager();
  TCustomzbBarControl* window = WindowOfLink(&link);
  switch (command) {
    case ccReset:
      link.SetUserDefine(0);
      break;
    case ccDelete: {
      TzbBarItemLinks& links = link.Collection();
      CustomizingLinkGone(&link);
      links.Delete(&link);
      m.DesignerModified();
      if (window && TCustomzbBarControl::IsAlive(window)) window->RebuildLayout();
      return;
    }
    case ccName:
      if (text.empty()) {
        CloseCustomizingPopup();
        MessageDlg(m.Form(), CustomizingTexts::BlankName(), QApplication::applicationName(), MB_OK | MB_ICONERROR);
        return;
      }
      link.SetUserCaption(text);
      break;
    case ccDefaultStyle:
    case ccTextOnlyAlways:
    case ccTextOnlyInMenus:
    case ccImageAndText:
      link.SetUserPaintStyle(static_cast<TzbBarPaintStyle>(command - ccDefaultStyle));
      break;
    case ccBeginGroup:
      link.SetBeginGroup(!link.StoredBeginGroup());
      break;
    default:
      return;
  }
  m.DesignerModified();
  if (window && TCustomzbBarControl::IsAlive(window)) window->RebuildLayout();
}

void ShowCustomizingPopup(TzbBarItemLink& link, const TPoint& screen) {
  CloseCustomizingPopup();
  FreePopupItems();
  TPopupState& s = Popup();
  TzbBarManager& m = link.Collection().Manager();
  if (s.Links && &s.Links->Manager() != &m) s.Links.reset();
  if (!s.Links) s.Links = std::make_unique<TzbBarItemLinks>(m, TzbBarItemLinks::okLibraryPopup, nullptr, nullptr);
  s.Manager = &m;
  s.Link = &link;
  SetCustomizingSelectedLink(&link);
  TzbBarItemLink* target = &link;
  auto run = [target](int command, const std::string& text) {
    // The popup closes first; the link may have gone meanwhile.
    TzbBarItemLink* l = CustomizingSelectedLink() == target ? target : nullptr;
    CloseCustomizingPopup();
    if (l) RunCustomizingCommand(*l, command, text);
  };
  auto addButton = [&](int command, bool beginGroup) -> TzbBarButton* {
    auto* b = m.CreateItem<TzbBarButton>();
    b->SetCaption(FromQString(CustomizingTexts::PopupCaption(command)));
    b->Tag = command;
    b->OnClick = [run](TzbBarItem& item) { run(item.Tag, {}); };
    s.Items.push_back(b);
    TzbBarItemLink* l = s.Links->Add();
    l->SetItem(b);
    if (beginGroup) l->SetBeginGroup(true);
    return b;
  };
  addButton(ccReset, true);
  addButton(ccDelete, false);
  auto* name = m.CreateItem<TzbBarEdit>();
  name->SetCaption(FromQString(CustomizingTexts::PopupCaption(ccName)));
  name->SetShowCaption(true);
  name->SetText(link.RealCaption());
  name->Tag = ccName;
  name->OnChange = [run](TzbBarItem& item) { run(ccName, static_cast<TzbBarEdit&>(item).Text()); };
  s.Items.push_back(name);
  TzbBarItemLink* nameLink = s.Links->Add();
  nameLink->SetItem(name);
  nameLink->SetBeginGroup(true);
  const bool styles = dynamic_cast<TzbBarButton*>(link.Item()) != nullptr;
  const TzbBarPaintStyle real = link.RealPaintStyle();
  for (int c = ccDefaultStyle; c <= ccImageAndText; ++c) {
    TzbBarButton* b = addButton(c, c == ccDefaultStyle);
    b->SetButtonStyle(bsChecked);
    b->SetGroupIndex(-1000);
    b->SetEnabled(styles);
    b->SetDown(styles ? real == static_cast<TzbBarPaintStyle>(c - ccDefaultStyle) : c == ccDefaultStyle);
  }
  TzbBarButton* group = addButton(ccBeginGroup, true);
  group->SetButtonStyle(bsChecked);
  group->SetEnabled(link.Collection().IndexOf(&link) > 0);
  group->SetDown(link.GetBeginGroup());
  if (m.OnShowCustomizingPopup) m.OnShowCustomizingPopup(m, *s.Links);
  if (!TzbBarManagerList::Contains(&m) || !s.Links) return;
  s.Links->CreateBarControl();
  if (auto* menu = dynamic_cast<TzbBarSubMenuControl*>(s.Links->BarControl())) {
    menu->IgnoreNextButtonUp = QApplication::mouseButtons() != Qt::NoButton;
    menu->ShowAt(screen, 0, 0);
  }
}

}  // namespace zyn
