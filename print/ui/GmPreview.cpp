#include "print/ui/GmPreview.h"

#include "print/ui/GmThumbnails.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>

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
  fMarginsView.PrinterMargins = [this](bool landscape) {
    const TGmPrinterInfo::TSides s = fPrinter->Info().MarginsInches(landscape);
    return QMarginsF(s.Left, s.Top, s.Right, s.Bottom);
  };
  fPaper->OnPageMouseDown = [this](Qt::MouseButton b, QPointF p) {
    setFocus();
    if (b == Qt::LeftButton && (fPaper->Modifiers() & Qt::ControlModifier)) {
      fPaper->StartRubberBand(fPaper->PressPoint());
      return;
    }
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
    if (OnPageMouseMove) OnPageMouseMove(p);
    if (!fDragging) return;
    fDragNow = p;
    fPaper->update();
  };
  fPaper->OnPageMouseUp = [this](Qt::MouseButton b, QPointF p) {
    StopPanning();
    if (fPaper->RubberBand()) {
      ZoomToRect(fPaper->EndRubberBand());
      return;
    }
    if (fDragging) {
      fDragging = false;
      const QPointF d = p - fDragStart;
      if (fSelected && !d.isNull()) {
        fSelected->Offset(gmInches, d.x(), d.y());
        fSelected->Changed();
      }
      fPaper->update();
      ToStrips(gmMsgPageChanged);
      return;
    }
    if (OnPageMouseUp) OnPageMouseUp(b, p);
  };
  fPaper->OnPageDragOver = [this](QPointF p, const QMimeData* data) {
    return OnPageDragOver && OnPageDragOver(p, data);
  };
  fPaper->OnPageDragDrop = [this](QPointF p, const QMimeData* data) {
    if (OnPageDragDrop) OnPageDragDrop(p, data);
  };
  fPaper->OnMouseEnter = [this] {
    if (OnMouseEnter) OnMouseEnter();
  };
  fPaper->OnMouseLeave = [this] {
    StopPanning();
    if (OnMouseLeave) OnMouseLeave();
  };
  fPaper->AfterPaint = [this](QPainter& painter) { PaintSelection(painter); };
  TGmPageListEvents& ev = fList.Events();
  ev.OnCurrentPageChanged = [this] { CurrentPageChanged(); };
  ev.OnPageCountChanged = [this] { ToStrips(gmMsgPageCount); };
  ev.OnPageChanged = [this] {
    fPaper->SetPage(fList.Current());
    UpdateScrollRange();
    ToStrips(gmMsgPageChanged);
  };
  ev.OnHeaderFooterChanged = [this] {
    fPaper->update();
    ToStrips(gmMsgRepaint);
  };
  ev.OnMarginsChanged = [this] {
    fPaper->update();
    ToStrips(gmMsgRepaint);
  };
  ev.OnNewPage = [this] {
    if (OnNewPage) OnNewPage();
    if (OnDrawHeader) OnDrawHeader(fList.HeaderRect(), fList.Canvas());
    if (OnDrawFooter) OnDrawFooter(fList.FooterRect(), fList.Canvas());
  };
  ev.OnOrientationChanged = [this] {
    ToStrips(gmMsgOrientation);
    fPaper->update();
    if (OnOrientationChanged) OnOrientationChanged();
  };
  ev.OnPaperSizeChanged = [this] {
    fPaper->SetPage(fList.Current());
    UpdateScrollRange();
    ToStrips(gmMsgPaperSize);
  };
  ev.OnCleared = [this] {
    fPaper->SetPage(fList.Current());
    if (OnClear) OnClear();
  };
  ev.OnPrintProgress = [this](int printed, int total) {
    if (OnPrintProgress) OnPrintProgress(printed, total);
  };
  fOwnPrinter.OnChangePrinter = [this] { PrinterChanged(); };
  UpdateScrollRange();
}

TGmPreview::~TGmPreview() {
  if (fPrinter != &fOwnPrinter) fPrinter->OnChangePrinter = nullptr;
  for (TGmThumbnails* s : std::vector<TGmThumbnails*>(fStrips)) s->PreviewDestroyed();
}

void TGmPreview::UsePrinter(TGmPrinter& printer) {
  if (fPrinter != &fOwnPrinter) fPrinter->OnChangePrinter = nullptr;
  fPrinter = &printer;
  fPrinter->OnChangePrinter = [this] { PrinterChanged(); };
  PrinterChanged();
}

void TGmPreview::PrinterChanged() {
  ToStrips(gmMsgPrinter);
  fPaper->update();
}

void TGmPreview::ToStrips(TGmStripMessage message) {
  if (fList.IsUpdating()) return;
  for (TGmThumbnails* s : std::vector<TGmThumbnails*>(fStrips)) s->PreviewMessage(message);
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
  fFitWidth = false;
  ApplyZoom(zoom);
}

void TGmPreview::ApplyZoom(int zoom) {
  zoom = std::max(std::min(zoom, fMaxZoom), fMinZoom);
  if (zoom == Zoom()) return;
  const auto [v, h] = ScrollPercent();
  fPaper->SetZoom(zoom);
  UpdateScrollRange();
  ScrollToPercent(v, h);
}

void TGmPreview::SetMinZoom(int z) {
  fMinZoom = std::min(z, fMaxZoom);
  if (Zoom() < fMinZoom) ApplyZoom(fMinZoom);
}

void TGmPreview::SetMaxZoom(int z) {
  fMaxZoom = std::max(z, fMinZoom);
  if (Zoom() > fMaxZoom) ApplyZoom(fMaxZoom);
}

namespace {
double PageW(const TGmPageList& l) { return l.Current() ? static_cast<double>(l.Current()->Width()) : 8.26; }
double PageH(const TGmPageList& l) { return l.Current() ? static_cast<double>(l.Current()->Height()) : 11.69; }
}  // namespace

void TGmPreview::ZoomToWidth() {
  const QMargins g = fPaper->Gutter();
  ApplyZoom(static_cast<int>((width() - g.left() - g.right() - 20) / (PageW(fList) * 96) * 100));
  fFitWidth = true;
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

void TGmPreview::ZoomToRect(const QRect& pixels) {
  if (pixels.width() < 4 || pixels.height() < 4) return;
  // The rectangle's top-left corner (in inches of the page) comes to the view's top-left.
  const QPointF corner = fPaper->PixelToPage(pixels.topLeft());
  const int view = viewport()->width() - 20;
  SetZoom(static_cast<int>(static_cast<double>(Zoom()) * view / pixels.width()));
  const QRect now = fPaper->PageRect();
  const double f = 96.0 * Zoom() / 100;
  horizontalScrollBar()->setValue(static_cast<int>(now.left() + corner.x() * f) - 10);
  verticalScrollBar()->setValue(static_cast<int>(now.top() + corner.y() * f) - 10);
}

void TGmPreview::Clear() {
  fSelected = nullptr;
  fDragging = false;
  fList.Clear();
  fPaper->SetPage(fList.Current());
  UpdateScrollRange();
}

void TGmPreview::SetOrientation(TGmOrientation orientation) {
  fPaper->BeginUpdate();
  try {
    fList.SetOrientation(orientation);
  } catch (...) {
    fPaper->EndUpdate();
    throw;
  }
  fPaper->EndUpdate();
  fPaper->SetPage(fList.Current());
  UpdateScrollRange();
}

void TGmPreview::SetPagesPerSheet(TGmPagesPerSheet pps) {
  fList.SetPagesPerSheet(pps);
  ToStrips(gmMsgPagesPerSheet);
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
  ToStrips(gmMsgCurrentPage);
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
    for (TGmThumbnails* s : std::vector<TGmThumbnails*>(fStrips)) s->PreviewMessage(gmMsgUpdateBegins);
  fList.BeginUpdate();
  fPaper->BeginUpdate();
}

void TGmPreview::EndUpdate() {
  fList.EndUpdate();
  fPaper->EndUpdate();
  if (fUpdate > 0 && --fUpdate == 0)
    for (TGmThumbnails* s : std::vector<TGmThumbnails*>(fStrips)) s->PreviewMessage(gmMsgUpdateEnds);
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
  if (watched == fPaper && e->type() == QEvent::MouseMove && fPanning) {
    const QPoint now = mapFromGlobal(QCursor::pos());
    horizontalScrollBar()->setValue(fPanScroll.x() + (fPanStart.x() - now.x()));
    verticalScrollBar()->setValue(fPanScroll.y() + (fPanStart.y() - now.y()));
  }
  return QScrollArea::eventFilter(watched, e);
}

void TGmPreview::resizeEvent(QResizeEvent* e) {
  QScrollArea::resizeEvent(e);
  if (fFitWidth) ZoomToWidth();
  UpdateScrollRange();
}

QScrollBar* TGmPreview::KeyBar() const {
  return verticalScrollBar()->isVisible()     ? verticalScrollBar()
         : horizontalScrollBar()->isVisible() ? horizontalScrollBar()
                                              : nullptr;
}

void TGmPreview::keyPressEvent(QKeyEvent* e) {
  QScrollBar* bar = KeyBar();
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

void TGmPreview::wheelEvent(QWheelEvent* e) {
  // One notch (120) moves the bar by one increment, or zooms by ZoomIncrement with the control key.
  fWheelRest += e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
  const int notches = fWheelRest / 120;
  fWheelRest -= notches * 120;
  e->accept();
  if (notches == 0) return;
  if ((e->modifiers() & Qt::ControlModifier) && ZoomStyle == gmVariableZoom) {
    SetZoom(Zoom() + notches * ZoomIncrement);
    return;
  }
  if (QScrollBar* bar = KeyBar()) bar->setValue(bar->value() - notches * bar->singleStep());
}

void TGmPreview::LinkThumbnails(TGmThumbnails* strip) {
  if (strip && std::find(fStrips.begin(), fStrips.end(), strip) == fStrips.end()) fStrips.push_back(strip);
}

void TGmPreview::UnlinkThumbnails(TGmThumbnails* strip) {
  fStrips.erase(std::remove(fStrips.begin(), fStrips.end(), strip), fStrips.end());
}

TGmPrintProgress TGmPreview::WithProgress(const TGmPrintProgress& progress) {
  return [this, progress](int printed, int total) {
    if (OnPrintProgress) OnPrintProgress(printed, total);
    return progress ? progress(printed, total) : true;
  };
}

bool TGmPreview::PrintAll(QPrinter& printer, const TGmPrintProgress& progress) {
  return PrintRange(1, PageCount(), printer, progress);
}

namespace {
// The preview's print events around one job of the printer.
struct TPrintEvents {
  TGmPrinter& printer;
  std::function<void()> before, after;
  TPrintEvents(TGmPrinter& p, const std::function<void()>& b, const std::function<void()>& a)
      : printer(p), before(p.BeforePrint), after(p.AfterPrint) {
    printer.BeforePrint = [b, outer = before] {
      if (outer) outer();
      if (b) b();
    };
    printer.AfterPrint = [a, outer = after] {
      if (a) a();
      if (outer) outer();
    };
  }
  ~TPrintEvents() {
    printer.BeforePrint = before;
    printer.AfterPrint = after;
  }
};
}  // namespace

bool TGmPreview::PrintCurrentPage(QPrinter& printer, const TGmPrintProgress& progress) {
  TPrintEvents events(*fPrinter, BeforePrint, AfterPrint);
  return fPrinter->Print(fList, {CurrentPage()}, printer, WithProgress(progress));
}

bool TGmPreview::PrintRange(int from, int to, QPrinter& printer, const TGmPrintProgress& progress) {
  from = std::clamp(from, 1, PageCount());
  to = std::clamp(to, 1, PageCount());
  BeginUpdate();
  struct TEnd {
    TGmPreview& p;
    ~TEnd() { p.EndUpdate(); }
  } end{*this};
  TPrintEvents events(*fPrinter, BeforePrint, AfterPrint);
  return fPrinter->Print(fList, PageRange(from, to), printer, WithProgress(progress));
}

}  // namespace zyn
