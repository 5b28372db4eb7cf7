#include "print/ui/GmPaperImage.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zyn {

TGmPaperImage::TGmPaperImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAcceptDrops(true);
}

void TGmPaperImage::SetPage(const TGmPage* page) {
  fPage = page;
  updateGeometry();
  update();
}

void TGmPaperImage::SetZoom(int zoom) {
  if (zoom == fZoom) return;
  fZoom = zoom;
  updateGeometry();
  update();
}

void TGmPaperImage::SetGutter(const QMargins& gutter) {
  if (gutter == fGutter) return;
  fGutter = gutter;
  updateGeometry();
  update();
}

void TGmPaperImage::EndUpdate() {
  if (fLock > 0 && --fLock == 0) update();
}

QSize TGmPaperImage::PagePixels() const {
  const double w = fPage ? static_cast<double>(fPage->Width()) : 8.26;
  const double h = fPage ? static_cast<double>(fPage->Height()) : 11.69;
  return {static_cast<int>(std::lround(w * 96 * fZoom / 100)), static_cast<int>(std::lround(h * 96 * fZoom / 100))};
}

QRect TGmPaperImage::PageRect() const {
  const QSize s = PagePixels();
  const int left = fGutter.left() + (width() - fGutter.left() - fGutter.right() - s.width()) / 2;
  const int top = fGutter.top() + (height() - fGutter.top() - fGutter.bottom() - s.height()) / 2;
  return {left, top, s.width(), s.height()};
}

QSize TGmPaperImage::sizeHint() const {
  const QSize s = PagePixels();
  return {s.width() + fGutter.left() + fGutter.right(), s.height() + fGutter.top() + fGutter.bottom()};
}

QPointF TGmPaperImage::PixelToPage(const QPoint& p) const {
  const QRect r = PageRect();
  const double f = 96.0 * fZoom / 100;
  return {(p.x() - r.left()) / f, (p.y() - r.top()) / f};
}

void TGmPaperImage::paintEvent(QPaintEvent*) {
  if (fLock > 0) return;
  QPainter painter(this);
  const QRect r = PageRect();
  painter.fillRect(r, Qt::white);
  painter.save();
  painter.setClipRect(r);
  painter.translate(r.topLeft());
  const double ppi = 96.0 * fZoom / 100;
  const TGmPageList* list = fPage ? fPage->PageList() : nullptr;
  const auto in = [](const TGmValue& v) { return static_cast<double>(v.AsInches()); };
  if (fPage && list) {
    const TGmMargins& m = list->Margins();
    if (m.ClipMargins())
      painter.setClipRect(QRectF(std::round(in(m.Left()) * ppi), std::round(in(m.Top()) * ppi),
                                 std::round((static_cast<double>(fPage->Width()) - in(m.Right())) * ppi) -
                                     std::round(in(m.Left()) * ppi),
                                 std::round((static_cast<double>(fPage->Height()) - in(m.Bottom())) * ppi) -
                                     std::round(in(m.Top()) * ppi)),
                          Qt::IntersectClip);
  }
  if (fPage && fDrawObjects) {
    painter.setRenderHint(QPainter::Antialiasing, fZoom >= 50);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.save();
    fPage->Draw(painter, ppi, ppi, true);
    painter.restore();
  }
  painter.setClipRect(QRect(QPoint(0, 0), r.size()));
  const double pw = fPage ? static_cast<double>(fPage->Width()) : 0, ph = fPage ? static_cast<double>(fPage->Height()) : 0;
  if (fMargins && fPage && list) {
    painter.setBrush(Qt::NoBrush);
    if (fMargins->Visible) {
      const TGmMargins& m = list->Margins();
      painter.setPen(fMargins->Pen);
      painter.drawRect(QRectF(in(m.Left()) * ppi, in(m.Top()) * ppi, (pw - in(m.Left()) - in(m.Right())) * ppi,
                              (ph - in(m.Top()) - in(m.Bottom())) * ppi));
    }
    if (fMargins->ShowPrinterMargins && fMargins->PrinterMargins) {
      const QMarginsF pm = fMargins->PrinterMargins(fPage->Orientation());
      painter.setPen(fMargins->PrinterMarginPen);
      painter.drawRect(QRectF(pm.left() * ppi, pm.top() * ppi, (pw - pm.left() - pm.right()) * ppi,
                              (ph - pm.top() - pm.bottom()) * ppi));
    }
  }
  if (fGrid && fGrid->GridStyle != gmNoGrid && fPage) {
    painter.setPen(fGrid->GridPen);
    const double step = static_cast<double>(fGrid->SpacingInches);
    const int n = static_cast<int>(std::lround(pw / step));
    const int m = static_cast<int>(std::lround(ph / step));
    if (fGrid->GridStyle == gmDots) {
      for (int k = 1; k <= n; ++k)
        for (int l = 1; l <= m; ++l)
          painter.drawPoint(QPoint(static_cast<int>(std::lround(k * step * ppi)),
                                   static_cast<int>(std::lround(l * step * ppi))));
    } else {
      for (int k = 1; k <= n; ++k) painter.drawLine(QPointF(k * step * ppi, 0), QPointF(k * step * ppi, ph * ppi));
      for (int l = 1; l <= m; ++l) painter.drawLine(QPointF(0, l * step * ppi), QPointF(pw * ppi, l * step * ppi));
    }
  }
  painter.restore();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  if (fShadow && fShadow->Visible && fShadow->Width > 0) {
    const int w = fShadow->Width;
    painter.fillRect(QRect(QPoint(r.right() + 1, r.top() + w), QPoint(r.right() + w, r.bottom() + 1)), fShadow->Color);
    painter.fillRect(QRect(QPoint(r.left() + w, r.bottom() + 1), QPoint(r.right() + w, r.bottom() + w)),
                     fShadow->Color);
  }
  if (fRubberBand) {
    painter.save();
    painter.setClipRect(r.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(RubberBandRect());
    painter.restore();
  }
  PaintExtras(painter);
  if (AfterPaint) AfterPaint(painter);
}

void TGmPaperImage::StartRubberBand(const QPoint& at) {
  fRubberBand = true;
  fBandStart = fBandEnd = at;
  update();
}

QRect TGmPaperImage::EndRubberBand() {
  const QRect band = RubberBandRect();
  fRubberBand = false;
  update();
  return band;
}

void TGmPaperImage::mousePressEvent(QMouseEvent* e) {
  fModifiers = e->modifiers();
  fPressAt = e->position().toPoint();
  if (OnPageMouseDown) OnPageMouseDown(e->button(), PixelToPage(e->position().toPoint()));
  QWidget::mousePressEvent(e);
}

void TGmPaperImage::mouseMoveEvent(QMouseEvent* e) {
  if (fLock == 0) {
    if (fRubberBand) {
      fBandEnd = e->position().toPoint();
      update();
    }
    if (OnPageMouseMove) OnPageMouseMove(PixelToPage(e->position().toPoint()));
  }
  QWidget::mouseMoveEvent(e);
}

void TGmPaperImage::mouseReleaseEvent(QMouseEvent* e) {
  if (fRubberBand) fBandEnd = e->position().toPoint();
  if (OnPageMouseUp) OnPageMouseUp(e->button(), PixelToPage(e->position().toPoint()));
  QWidget::mouseReleaseEvent(e);
}

void TGmPaperImage::enterEvent(QEnterEvent* e) {
  if (OnMouseEnter) OnMouseEnter();
  QWidget::enterEvent(e);
}

void TGmPaperImage::leaveEvent(QEvent* e) {
  if (OnMouseLeave) OnMouseLeave();
  QWidget::leaveEvent(e);
}

void TGmPaperImage::dragEnterEvent(QDragEnterEvent* e) {
  if (OnPageDragOver && OnPageDragOver(PixelToPage(e->position().toPoint()), e->mimeData()))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TGmPaperImage::dragMoveEvent(QDragMoveEvent* e) {
  if (OnPageDragOver && OnPageDragOver(PixelToPage(e->position().toPoint()), e->mimeData()))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TGmPaperImage::dropEvent(QDropEvent* e) {
  if (!OnPageDragDrop) return e->ignore();
  OnPageDragDrop(PixelToPage(e->position().toPoint()), e->mimeData());
  e->acceptProposedAction();
}

}  // namespace zyn
