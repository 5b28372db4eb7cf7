#include "widgets/bars/BarDockControl.h"

#include "widgets/bars/BarHint.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUserDockControl.h"
#include "widgets/bars/BarUtils.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace zyn {

namespace {

constexpr int kZone = TzbBars::DockZoneSize;  // 23
constexpr int kStrip = 5;  // the new-row strip of a drop zone

}  // namespace

class TzbDockWidget : public QWidget {
 public:
  TzbDockWidget(TzbDockControl& dock, QWidget* parent) : QWidget(parent), fDock(&dock) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  ~TzbDockWidget() override {
    // Destroyed with its parent while the dock lives on: the bar windows inside go first.
    if (fDock) fDock->WidgetGoing();
  }
  void Detach() { fDock = nullptr; }
  TzbDockControl* Dock() const { return fDock; }

 protected:
  // A dock's window may outlive the manager (the screen that owns the docks goes later).
  bool Live() const { return fDock && fDock->HasManager(); }
  void paintEvent(QPaintEvent*) override {
    if (Live()) fDock->Paint(*this);
  }
  void mousePressEvent(QMouseEvent* e) override {
    // A right click on the empty part of a dock lists the toolbars.
    if (Live() && e->button() == Qt::RightButton && !fDock->Manager().IsCustomizing())
      ShowToolbarsPopup(fDock->Manager(), FromQPoint(e->globalPosition().toPoint()));
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    // Where the manager allows it, a double click on a dock starts customizing.
    if (Live() && e->button() == Qt::LeftButton && fDock->Manager().CanCustomize) fDock->Manager().SetCustomizing(true);
  }
  void resizeEvent(QResizeEvent*) override {
    if (fDock) fDock->Resized();
  }

 private:
  TzbDockControl* fDock;
};

TzbDockControl::TzbDockControl(TzbBarManager& manager, QWidget* form, TzbBarDockingStyle side)
    : TzbDockControl(&manager, form, side, false) {}

TzbDockControl::TzbDockControl(TzbBarManager* manager, QWidget* parent, TzbBarDockingStyle side, bool userPlaced)
    : fManager(manager), fSide(side) {
  fWidget = new TzbDockWidget(*this, parent);
  fWidget->resize(0, 0);
  if (!userPlaced) fWidget->show();
}

TzbDockControl* TzbDockControl::OfWidget(const QWidget* widget) {
  auto* w = dynamic_cast<const TzbDockWidget*>(widget);
  return w ? w->Dock() : nullptr;
}

bool TzbDockControl::HasManager() const { return TzbBarManagerList::Contains(fManager); }

bool TzbDockControl::GetSunkenBorder() const { return HasManager() && fManager->SunkenBorder; }

int TzbDockControl::GetDockSize() const {
  const int size = GetRowsSize();
  return size > 0 && GetSunkenBorder() ? size + 2 : size;
}

TzbDockControl::~TzbDockControl() {
  if (fWidget) {
    static_cast<TzbDockWidget*>(fWidget.data())->Detach();
    fWidget->hide();
    fWidget->deleteLater();
  }
}

int TzbDockControl::ClientAlong() const {
  if (!fWidget) return 0;
  const int border = GetSunkenBorder() ? 2 : 0;
  return std::max(0, (IsHorizontal() ? fWidget->width() : fWidget->height()) - border);
}

int TzbDockControl::ClientAcross() const {
  if (!fWidget) return 0;
  const int border = GetSunkenBorder() ? 2 : 0;
  return std::max(0, (IsHorizontal() ? fWidget->height() : fWidget->width()) - border);
}

TPoint TzbDockControl::ScreenToClient(const TPoint& p) const {
  if (!fWidget) return p;
  const int border = GetSunkenBorder() ? 1 : 0;
  const TPoint c = FromQPoint(fWidget->mapFromGlobal(ToQPoint(p)));
  return Point(c.X - border, c.Y - border);
}

int TzbDockControl::RowOf(const TzbBarControl* window) const {
  for (int r = 0; r < RowCount(); ++r)
    for (const TCol& c : fRows[r].Cols)
      if (c.Window == window) return r;
  return -1;
}

int TzbDockControl::CountInRow(int row) const {
  return row >= 0 && row < RowCount() ? static_cast<int>(fRows[row].Cols.size()) : 0;
}

TzbBarControl* TzbDockControl::WindowAt(int row, int index) const {
  if (row < 0 || row >= RowCount() || index < 0 || index >= CountInRow(row)) return nullptr;
  return fRows[row].Cols[index].Window;
}

int TzbDockControl::GetRowsSize() const {
  int sum = 0;
  for (const TRow& r : fRows) sum += r.Size;
  return sum;
}

TRect TzbDockControl::GetRowRect(int row) const {
  if (row < 0 || row >= RowCount()) return TRect{};
  int start = 0;
  for (int r = 0; r < row; ++r) start += fRows[r].Size;
  if (!IsNearEdge() && DraggedIn) start += ClientAcross() - GetRowsSize();
  const int size = fRows[row].Size;
  return IsHorizontal() ? Rect(0, start, ClientAlong(), start + size) : Rect(start, 0, start + size, ClientAlong());
}

TRect TzbDockControl::GetDockZone() const {
  if (!fWidget) return TRect{};
  const QPoint o = fWidget->mapToGlobal(QPoint(0, 0));
  TRect r = Bounds(o.x(), o.y(), fWidget->width(), fWidget->height());
  if (IsHorizontal())
    InflateRect(r, kZone, kZone);
  else
    InflateRect(r, kZone, 0);
  return r;
}

bool TzbDockControl::GetRowZone(int row, int part, int& from, int& to) const {
  const int n = RowCount();
  if (row < -1 || row > n || part < 0 || part > 2) return false;
  const int total = GetRowsSize(), across = ClientAcross();
  int q = 0, p = 0;
  if (row == -1) {
    q = IsNearEdge() ? -kZone : across - total - kZone;
    p = q + kZone;
  } else if (row == n) {
    q = IsNearEdge() ? total : across;
    p = q + kZone;
  } else {
    const TRect r = GetRowRect(row);
    q = IsHorizontal() ? r.Top : r.Left;
    p = IsHorizontal() ? r.Bottom : r.Right;
  }
  // The new-row strip lies (kZone - kStrip) / 2 pixels from the edge the dock grows away from.
  const int middle = IsNearEdge() ? q + (kZone - kStrip) / 2 : p - (kZone - kStrip) / 2 - kStrip;
  from = part == 0 ? q : part == 1 ? middle : middle + kStrip;
  to = part == 0 ? middle : part == 1 ? middle + kStrip : p;
  return true;
}

TPoint TzbDockControl::GetRowSnapPoint(int row, bool newRow, const TPoint& screenPoint) const {
  int from = 0, to = 0;
  if (!GetRowZone(newRow ? row - 1 : row, newRow ? 1 : 0, from, to)) return screenPoint;
  const TPoint c = ScreenToClient(screenPoint);
  const int middle = (from + to) / 2;
  if (IsHorizontal()) return Point(screenPoint.X, screenPoint.Y + middle - c.Y);
  return Point(screenPoint.X + middle - c.X, screenPoint.Y);
}

int TzbDockControl::RowAtPoint(const TPoint& screenPoint, bool& newRow) const {
  newRow = true;
  const int n = RowCount();
  if (n == 0) return 0;
  const TPoint c = ScreenToClient(screenPoint);
  const int v = IsHorizontal() ? c.Y : c.X;
  // Before a row's middle strip the point stays with that row, on the strip it makes a new row,
  // after it it goes to the next row.
  for (int r = -1; r < n; ++r)
    for (int part = 0; part < 3; ++part) {
      int from = 0, to = 0;
      if (!GetRowZone(r, part, from, to) || v < from || v >= to) continue;
      const int row = r + (part > 0 ? 1 : 0);
      newRow = part == 1 || row >= n;
      return row;
    }
  return v < GetRowsSize() ? 0 : n;
}

int TzbDockControl::PosInRow(int row, const TPoint& screenPoint) const {
  if (row < 0 || row >= RowCount()) return 0;
  TPoint c = ScreenToClient(screenPoint);
  if (DraggedIn) {
    const TPoint g = DraggedIn->GetGrabOffset(fSide);
    c.X -= g.X;
    c.Y -= g.Y;
  } else if (TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
             screen && screen->MovingWindow() && screen->MovingWindow()->DockControl() == this) {
    // A bar slid along this dock: its own start decides its place among the others.
    const TPoint g = screen->MovingWindow()->GetGrabOffset(fSide);
    if (IsHorizontal())
      c.X -= g.X;
    else
      c.Y -= g.Y;
  }
  const int v = IsHorizontal() ? c.X : c.Y;
  const auto& cols = fRows[row].Cols;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const TzbBar* bar = cols[i].Window->Bar();
    const int at = IsHorizontal() ? bar->DockedLeft() : bar->DockedTop();
    if (at >= v) return static_cast<int>(i);
  }
  return static_cast<int>(cols.size());
}

void TzbDockControl::InsertBar(TzbBarControl& window, const TPoint& screenPoint, bool apply, bool byRow) {
  TzbBar& bar = *window.Bar();
  bool newRow = true;
  int row = 0;
  if (byRow) {
    row = bar.Row();
    newRow = bar.OneOnRow || row >= RowCount();
  } else {
    row = RowAtPoint(screenPoint, newRow);
  }
  if (bar.WholeRow()) newRow = true;
  // Rows come from the bars (and from stored layouts): an index past the existing rows becomes a
  // new last row instead of creating empty rows up to it.
  row = std::clamp(row, 0, newRow ? RowCount() : std::max(0, RowCount() - 1));
  if (row >= RowCount()) newRow = true;
  if (!newRow)
    for (const TCol& c : fRows[row].Cols)
      if (c.Window->Bar()->WholeRow()) newRow = true;
  TPoint desired;
  if (byRow) {
    desired = IsHorizontal() ? Point(bar.DockedLeft(), 0) : Point(0, bar.DockedTop());
  } else {
    desired = ScreenToClient(screenPoint);
    const TPoint g = window.GetGrabOffset(fSide);
    desired.X -= g.X;
    desired.Y -= g.Y;
    if (IsHorizontal())
      desired.X = std::max(0, desired.X);
    else
      desired.Y = std::max(0, desired.Y);
  }
  if (newRow) {
    TRow r;
    r.Cols.push_back({&window, desired});
    fRows.insert(fRows.begin() + row, r);
  } else {
    int pos = 0;
    if (byRow) {
      const int at = IsHorizontal() ? bar.DockedLeft() : bar.DockedTop();
      const auto& cols = fRows[row].Cols;
      pos = static_cast<int>(cols.size());
      for (std::size_t i = 0; i < cols.size(); ++i) {
        const TzbBar* other = cols[i].Window->Bar();
        if ((IsHorizontal() ? other->DockedLeft() : other->DockedTop()) >= at) {
          pos = static_cast<int>(i);
          break;
        }
      }
    } else {
      pos = PosInRow(row, screenPoint);
    }
    fRows[row].Cols.insert(fRows[row].Cols.begin() + pos, {&window, desired});
  }
  if (!apply) return;
  UpdateDock();
  // The place the layout gave the window is where the bar wants to be from now on.
  if (fManager->IsLoading()) return;
  for (TRow& r : fRows)
    for (TCol& c : r.Cols)
      if (c.Window == &window) c.Desired = Point(window.LayoutLeft, window.LayoutTop);
}

void TzbDockControl::RemoveBar(TzbBarControl& window, bool apply) {
  for (std::size_t r = 0; r < fRows.size(); ++r) {
    auto& cols = fRows[r].Cols;
    for (std::size_t i = 0; i < cols.size(); ++i)
      if (cols[i].Window == &window) {
        cols.erase(cols.begin() + static_cast<long>(i));
        if (cols.empty()) fRows.erase(fRows.begin() + static_cast<long>(r));
        if (apply) UpdateDock();
        return;
      }
  }
}

void TzbDockControl::MoveBar(TzbBarControl& window, const TPoint& screenPoint) {
  RemoveBar(window, false);
  InsertBar(window, screenPoint, true, false);
}

void TzbDockControl::UpdateDock() {
  if (!HasManager() || fManager->IsDestroying() || fManager->LockUpdate() || fLaying) return;
  fLaying = true;
  LayoutRows();
  AdjustSize();
  fLaying = false;
}

void TzbDockControl::LayoutRows() {
  if (!fWidget) return;
  const bool horizontal = IsHorizontal();
  const int L = ClientAlong();
  const int border = GetSunkenBorder() ? 1 : 0;
  const TzbBarItemControlPainter& painter = fManager->PainterClass();
  auto ncAlong = [&](TzbBarControl* w) {
    const TRect n = w->NonClientSizes(fSide);
    return horizontal ? n.Left + n.Right : n.Top + n.Bottom;
  };
  auto ncAcross = [&](TzbBarControl* w) {
    const TRect n = w->NonClientSizes(fSide);
    return horizontal ? n.Top + n.Bottom : n.Left + n.Right;
  };
  // The across size of a window for a length along the row (item visibility follows the length).
  auto sizeFor = [&](TzbBarControl* w, int length) {
    int inner = length - ncAlong(w);
    if (w->Truncated() && !painter.AllowsQuickCustomizing()) inner -= kMarkZone;
    const TzbSize s = horizontal ? w->GetSizeForWidth(fSide, inner) : w->GetSizeForHeight(fSide, inner);
    return (horizontal ? s.Height : s.Width) + ncAcross(w);
  };
  int rowStart = 0;
  for (TRow& row : fRows) {
    const int n = static_cast<int>(row.Cols.size());
    std::vector<int> mins(n), maxs(n), starts(n), lengths(n), acrosses(n);
    int sumMax = 0;
    for (int i = 0; i < n; ++i) {
      TzbBarControl* w = row.Cols[i].Window;
      w->SetTruncated(false);
      w->ItemLinks().SetRecentLimit(-1);
      mins[i] = (horizontal ? w->GetMinWidth(fSide) : w->GetMinHeight(fSide)) + ncAlong(w);
      maxs[i] = (horizontal ? w->GetMaxWidth(fSide) : w->GetMaxHeight(fSide)) + ncAlong(w);
      if (!w->MarkExists() && mins[i] != maxs[i]) mins[i] += kMarkZone;
      sumMax += maxs[i];
    }
    auto before = [&](const std::vector<int>& v, int i) {
      int s = 0;
      for (int k = 0; k < i; ++k) s += v[k];
      return s;
    };
    if (n > 0 && row.Cols[0].Window->Bar()->WholeRow()) {
      TzbBarControl* w = row.Cols[0].Window;
      starts[0] = 0;
      lengths[0] = std::max(L, mins[0]);
      if (!w->Wraps() && lengths[0] < maxs[0]) w->SetTruncated(true);
      acrosses[0] = sizeFor(w, lengths[0]);
      for (int i = 1; i < n; ++i) starts[i] = lengths[0], lengths[i] = 0, acrosses[i] = 0;
    } else if (L < sumMax) {
      // Overfull: from the last window to the first, each keeps its full length where the user
      // put it as long as the windows before it still get their minimum; a window whose wished
      // start leaves it less than its full length is cut there. The first one takes what is left.
      TzbBarScreen* screen = TzbBarScreen::Of(*fManager);
      const TzbBarControl* dragged = screen ? screen->MovingWindow() : nullptr;
      auto along = [&](TPoint& p) -> int& { return horizontal ? p.X : p.Y; };
      int e = L;
      for (int i = n - 1; i >= 0; --i) {
        TzbBarControl* w = row.Cols[i].Window;
        const int minsBefore = before(mins, i);
        const int maxsBefore = std::max(minsBefore, before(maxs, i));
        int& desired = along(row.Cols[i].Desired);
        int wished = std::clamp(desired, minsBefore, maxsBefore);
        if (i > 0 && row.Cols[i - 1].Window == dragged) {
          // The window after the dragged one moves up against it.
          const int draggedEnd = std::max(along(row.Cols[i - 1].Desired), before(mins, i - 1)) + maxs[i - 1];
          if (draggedEnd < wished) wished = desired = draggedEnd;
        }
        const int space = e - wished;
        int len = maxs[i];
        if (space < maxs[i]) {
          if (!w->Wraps() && mins[i] != maxs[i]) w->SetTruncated(true);
          len = std::max(space, mins[i]);
        }
        if (i == 0) {
          len = std::max(e, mins[0]);
          if (len < maxs[0] && !w->Wraps() && mins[0] != maxs[0]) w->SetTruncated(true);
        }
        acrosses[i] = sizeFor(w, len);
        lengths[i] = len;
        starts[i] = std::clamp(e - len, minsBefore, maxsBefore);
        e = starts[i];
      }
    } else {
      int v = L;
      for (int i = n - 1; i >= 0; --i) {
        TzbBarControl* w = row.Cols[i].Window;
        const int desired = horizontal ? row.Cols[i].Desired.X : row.Cols[i].Desired.Y;
        lengths[i] = maxs[i];
        acrosses[i] = sizeFor(w, lengths[i]);
        int start = desired + lengths[i] > v ? v - lengths[i] : desired;
        starts[i] = std::max(start, before(maxs, i));
        v = starts[i];
      }
    }
    int thick = 0;
    for (int i = 0; i < n; ++i) thick = std::max(thick, acrosses[i]);
    for (int i = 0; i < n; ++i) {
      TzbBarControl* w = row.Cols[i].Window;
      if (!w->Bar()->UseRestSpace) continue;
      const int from = i == 0 ? 0 : starts[i - 1] + lengths[i - 1];
      const int to = i + 1 < n ? starts[i + 1] : L;
      starts[i] = from;
      lengths[i] = std::max(mins[i], to - from);
    }
    for (int i = 0; i < n; ++i) {
      TzbBarControl* w = row.Cols[i].Window;
      if (w->Truncated() && i == n - 1) lengths[i] = std::max(mins[i], L - starts[i]);
      if (i > 0 && row.Cols[0].Window->Bar()->WholeRow()) continue;
      sizeFor(w, lengths[i]);
      const TRect r =
          horizontal ? Bounds(starts[i], rowStart, lengths[i], thick) : Bounds(rowStart, starts[i], thick, lengths[i]);
      w->LayoutLeft = r.Left;
      w->LayoutTop = r.Top;
      w->LayoutWidth = r.Width();
      w->LayoutHeight = r.Height();
      w->SetBounds(Bounds(r.Left + border, r.Top + border, r.Width(), r.Height()));
      w->CalcItemRects();
      w->Invalidate();
    }
    row.Size = thick;
    rowStart += thick;
  }
  if (fWidget) fWidget->update();
}

void TzbDockControl::AdjustSize() {
  if (!fWidget) return;
  const int size = GetDockSize();
  const int old = IsHorizontal() ? fWidget->height() : fWidget->width();
  if (size == old) return;
  if (IsHorizontal())
    fWidget->resize(fWidget->width(), size);
  else
    fWidget->resize(size, fWidget->height());
  if (OnSizeChanged) OnSizeChanged();
  CloseMenusOnDockResize(*this);
}

void TzbDockControl::PaintBackgroundAt(TCanvas& dc, const TBrush& brush, const TRect& r, const TPoint& origin) const {
  if (!fWidget || IsRectEmpty(r) || !HasManager()) return;
  dc.Painter().save();
  dc.Painter().setClipRect(ToQRect(r), Qt::IntersectClip);
  PaintBackground(dc, brush, r, origin);
  dc.Painter().restore();
}

void TzbDockControl::PaintBackground(TCanvas& dc, const TBrush& brush, const TRect&, const TPoint& origin) const {
  fManager->PainterClass().DrawDockBackgroundOf(*this, dc, brush,
                                                Bounds(-origin.X, -origin.Y, fWidget->width(), fWidget->height()));
}

void TzbDockControl::Paint(QWidget& widget) {
  TCanvas dc(&widget);
  const TRect r = Rect(0, 0, widget.width(), widget.height());
  if (IsRectEmpty(r)) return;
  PaintBackground(dc, SolidBrush(clBtnFace), r, Point(0, 0));
  if (!GetSunkenBorder()) return;
  // A sunken edge: shadow at the top and left, highlight at the bottom and right.
  QPainter& p = dc.Painter();
  p.setPen(ToQColor(clBtnShadow));
  p.drawLine(0, 0, r.Right - 1, 0);
  p.drawLine(0, 0, 0, r.Bottom - 1);
  p.setPen(ToQColor(clBtnHighlight));
  p.drawLine(0, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
  p.drawLine(r.Right - 1, 0, r.Right - 1, r.Bottom - 1);
}

}  // namespace zyn
