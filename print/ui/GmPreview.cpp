#include "print/ui/GmPreview.h"

#include "print/ui/GmThumbnails.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace zyn {

TGmPreview::TGmPreview(QWidget* parent) : QScrollArea(parent), fPaper(new TGmPaperImage) {
  setWidgetResizable(false);
  setWidget(fPaper);
  setBackgroundRole(QPalette::Dark);
  setFocusPolicy(Qt::StrongFocus);
  fPaper->SetShadow(&fShadow);
  fPaper->SetGrid(&fGrid);
  fPaper->SetMargins(&fMarginsView);
  fPaper->installEventFilter(this);
  fPaper->SetPage(fList.Current());
  fPaper->OnPageMouseDown = [this](Qt::MouseButton b, QPointF p) {
    setFocus();
    TGmVisibleObject* object = ObjectAt(p);
    if (object && OnObjectMouseDown) OnObjectMouseDown(b, p, object);
    if (b == Qt::LeftButton && fSelected && object == fSelected) {
      fDragging = true;
      fDragStart = fDragNow = p;
      return;
    }
    if (OnPageMouseDown) OnPageMouseDown(b, p);
  };
  fPaper->OnPageMouseMove = [this](QPointF p) {
    if (!fDragging) return;
    fDragNow = p;
    fPaper->update();
  };
  fPaper->OnPageMouseUp = [this](Qt::MouseButton b, QPointF p) {
    StopPanning();
    if (fDragging) {
      fDragging = false;
      const QPointF d = p - fDragStart;
      if (fSelected && !d.isNull()) {
        fSelected->Offset(gmInches, d.x(), d.y());
        fSelected->Changed();
      }
      fPaper->update();
      ToStrips([](TGmThumbnails& s) { s.Repaint(); });
      return;
    }
    if (OnPageMouseUp) OnPageMouseUp(b, p);
  };
  fPaper->AfterPaint = [this](QPainter& painter) { PaintSelection(painter); };
  TGmPageListEvents& ev = fList.Events();
  ev.OnCurrentPageChanged = [this] { CurrentPageChanged(); };
  ev.OnPageCountChanged = [this] { ToStrips([](TGmThumbnails& s) { s.PageCountChanged(); }); };
  ev.OnPageChanged = [this] {
    fPaper->update();
    ToStrips([](TGmThumbnails& s) { s.Repaint(); });
  };
  ev.OnCleared = [this] { fPaper->SetPage(fList.Current()); };
  UpdateScrollRange();
}

TGmPreview::~TGmPreview() {
  for (TGmThumbnails* s : std::vector<TGmThumbnails*>(fStrips)) s->PreviewDestroyed();
}

template <class F>
void TGmPreview::ToStrips(F&& f) {
  if (fList.IsUpdating()) return;
  for (TGmThumbnails* s : fStrips) f(*s);
}

TGmVisibleObject* TGmPreview::ObjectAt(QPointF inches) const {
  const TGmPage* page = fList.Current();
  return page ? page->ObjectAt(gmInches, inches.x(), inches.y()) : nullptr;
}

void TGmPreview::SelectObject(TGmVisibleObject* object) {
  fSelected = object;
  fDragging = false;
  fPaper->update();
}

void TGmPreview::PaintSelection(QPainter& painter) {
  if (!fSelected) return;
  const double f = Zoom() / 100.0;
  const QRect b = fSelected->BoundsRect(96);
  const QRect page = fPaper->PageRect();
  const int grow = static_cast<int>(std::lround(f * 10));
  QRectF r(page.left() + b.left() * f - 1, page.top() + b.top() * f - 1, b.width() * f + 1, b.height() * f + 1);
  r.adjust(-grow, -grow, grow + 1, grow + 1);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::red, 1));
  painter.drawRect(r);
  if (fDragging) {
    const QPointF d = (fDragNow - fDragStart) * 96 * f;
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(r.translated(d));
  }
}

void TGmPreview::SetZoom(int zoom) {
  zoom = std::max(std::min(zoom, fMaxZoom), fMinZoom);
  if (zoom == Zoom()) return;
  const auto [v, h] = ScrollPercent();
  fPaper->SetZoom(zoom);
  UpdateScrollRange();
  ScrollToPercent(v, h);
}

void TGmPreview::SetMinZoom(int z) {
  fMinZoom = std::min(z, fMaxZoom);
  if (Zoom() < fMinZoom) SetZoom(fMinZoom);
}

void TGmPreview::SetMaxZoom(int z) {
  fMaxZoom = std::max(z, fMinZoom);
  if (Zoom() > fMaxZoom) SetZoom(fMaxZoom);
}

namespace {
double PageW(const TGmPageList& l) { return l.Current() ? static_cast<double>(l.Current()->Width()) : 8.26; }
double PageH(const TGmPageList& l) { return l.Current() ? static_cast<double>(l.Current()->Height()) : 11.69; }
}  // namespace

void TGmPreview::ZoomToWidth() {
  const QMargins g = fPaper->Gutter();
  SetZoom(static_cast<int>((width() - g.left() - g.right() - 20) / (PageW(fList) * 96) * 100));
}

void TGmPreview::ZoomToHeight() {
  const QMargins g = fPaper->Gutter();
  SetZoom(static_cast<int>((height() - g.top() - g.bottom() - 20) / (PageH(fList) * 96) * 100));
}

void TGmPreview::ZoomToPage() {
  const QMargins g = fPaper->Gutter();
  const double fw = (width() - g.left() - g.right() - 20) / (PageW(fList) * 96);
  const double fh = (height() - g.top() - g.bottom() - 20) / (PageH(fList) * 96);
  SetZoom(static_cast<int>(std::min(fw, fh) * 100));
}

void TGmPreview::Clear() {
  fSelected = nullptr;
  fDragging = false;
  fList.Clear();
  fPaper->SetPage(fList.Current());
  UpdateScrollRange();
}

void TGmPreview::SetCurrentPage(int number) {
  if (number < 1 || number > fList.Count() || number == fList.CurrentPage()) return;
  fList.SetCurrentPage(number);
}

void TGmPreview::CurrentPageChanged() {
  fSelected = nullptr;
  fDragging = false;
  fPaper->SetPage(fList.Current());
  fPaper->SetPageCount(fList.Count());
  UpdateScrollRange();
  if (fList.IsUpdating()) return;
  if (OnPageChanged) OnPageChanged();
  ToStrips([](TGmThumbnails& s) { s.CurrentPageChanged(); });
}

void TGmPreview::UpdateScrollRange() {
  const QSize hint = fPaper->sizeHint();
  const QSize view = viewport()->size();
  fPaper->resize(std::max(hint.width(), view.width()), std::max(hint.height(), view.height()));
  fPaper->update();
}

std::pair<double, double> TGmPreview::ScrollPercent() const {
  auto pct = [](const QScrollBar* bar) {
    return bar->maximum() > 0 ? static_cast<double>(bar->value()) / bar->maximum() * 100 : 0.0;
  };
  return {pct(verticalScrollBar()), pct(horizontalScrollBar())};
}

void TGmPreview::ScrollToPercent(double vertical, double horizontal) {
  verticalScrollBar()->setValue(static_cast<int>(std::lround(verticalScrollBar()->maximum() * vertical / 100)));
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(horizontalScrollBar()->maximum() * horizontal / 100)));
}

void TGmPreview::BeginUpdate() {
  if (fUpdate++ == 0)
    for (TGmThumbnails* s : fStrips) s->UpdateBegins();
  fList.BeginUpdate();
  fPaper->BeginUpdate();
}

void TGmPreview::EndUpdate() {
  fList.EndUpdate();
  fPaper->EndUpdate();
  if (fUpdate > 0 && --fUpdate == 0)
    for (TGmThumbnails* s : fStrips) s->UpdateEnds();
}

void TGmPreview::StartPanning() {
  if (fPanning) return;
  fPanning = true;
  fPanStart = mapFromGlobal(QCursor::pos());
  fPanScroll = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
  QApplication::setOverrideCursor(Qt::ClosedHandCursor);
}

void TGmPreview::StopPanning() {
  if (!fPanning) return;
  fPanning = false;
  QApplication::restoreOverrideCursor();
}

bool TGmPreview::eventFilter(QObject* watched, QEvent* e) {
  if (watched == fPaper) {
    if (e->type() == QEvent::MouseMove && fPanning) {
      const QPoint now = mapFromGlobal(QCursor::pos());
      horizontalScrollBar()->setValue(fPanScroll.x() + (fPanStart.x() - now.x()));
      verticalScrollBar()->setValue(fPanScroll.y() + (fPanStart.y() - now.y()));
    } else if (e->type() == QEvent::Leave) {
      StopPanning();
    }
  }
  return QScrollArea::eventFilter(watched, e);
}

void TGmPreview::resizeEvent(QResizeEvent* e) {
  QScrollArea::resizeEvent(e);
  UpdateScrollRange();
}

void TGmPreview::keyPressEvent(QKeyEvent* e) {
  QScrollBar* bar = verticalScrollBar()->isVisible()     ? verticalScrollBar()
                    : horizontalScrollBar()->isVisible() ? horizontalScrollBar()
                                                         : nullptr;
  if (!bar) return QScrollArea::keyPressEvent(e);
  switch (e->key()) {
    case Qt::Key_PageUp:
      bar->setValue(bar->value() - 10 * bar->singleStep());
      break;
    case Qt::Key_PageDown:
      bar->setValue(bar->value() + 10 * bar->singleStep());
      break;
    case Qt::Key_Home:
      verticalScrollBar()->setValue(0);
      horizontalScrollBar()->setValue(0);
      break;
    case Qt::Key_End:
      verticalScrollBar()->setValue(verticalScrollBar()->maximum());
      horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
      break;
    default:
      QScrollArea::keyPressEvent(e);
  }
}

void TGmPreview::LinkThumbnails(TGmThumbnails* strip) {
  if (strip && std::find(fStrips.begin(), fStrips.end(), strip) == fStrips.end()) fStrips.push_back(strip);
}

void TGmPreview::UnlinkThumbnails(TGmThumbnails* strip) {
  fStrips.erase(std::remove(fStrips.begin(), fStrips.end(), strip), fStrips.end());
}

bool TGmPreview::PrintAll(QPrinter& printer, const TGmPrintProgress& progress) {
  return PrintRange(1, PageCount(), printer, progress);
}

bool TGmPreview::PrintCurrentPage(QPrinter& printer, const TGmPrintProgress& progress) {
  return fPrinter.Print(fList, {CurrentPage()}, printer, progress);
}

bool TGmPreview::PrintRange(int from, int to, QPrinter& printer, const TGmPrintProgress& progress) {
  from = std::clamp(from, 1, PageCount());
  to = std::clamp(to, 1, PageCount());
  BeginUpdate();
  struct TEnd {
    TGmPreview& p;
    ~TEnd() { p.EndUpdate(); }
  } end{*this};
  return fPrinter.Print(fList, PageRange(from, to), printer, progress);
}

}  // namespace zyn
