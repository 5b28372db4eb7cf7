#include "print/ui/GmPaperImage.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zyn {

TGmPaperImage::TGmPaperImage(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

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
  if (fPage && fDrawObjects) {
    painter.setRenderHint(QPainter::Antialiasing, fZoom >= 50);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    fPage->Draw(painter, ppi, ppi, true);
  }
  if (fMargins && fMargins->Visible && fPage && fPage->PageList()) {
    const TGmMargins& m = fPage->PageList()->Margins();
    const auto in = [](const TGmValue& v) { return static_cast<double>(v.AsInches()); };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(fMargins->Pen);
    painter.drawRect(QRectF(in(m.Left()) * ppi, in(m.Top()) * ppi,
                            (static_cast<double>(fPage->Width()) - in(m.Left()) - in(m.Right())) * ppi,
                            (static_cast<double>(fPage->Height()) - in(m.Top()) - in(m.Bottom())) * ppi));
  }
  if (fGrid && fGrid->GridStyle != gmNoGrid && fPage) {
    painter.setPen(fGrid->GridPen);
    const double step = static_cast<double>(fGrid->SpacingInches);
    const int n = static_cast<int>(std::lround(static_cast<double>(fPage->Width()) / step));
    const int m = static_cast<int>(std::lround(static_cast<double>(fPage->Height()) / step));
    const double w = static_cast<double>(fPage->Width()) * ppi, h = static_cast<double>(fPage->Height()) * ppi;
    for (int k = 1; k <= n; ++k)
      for (int l = 1; l <= m; ++l)
        if (fGrid->GridStyle == gmDots) painter.drawPoint(QPointF(k * step * ppi, l * step * ppi));
    if (fGrid->GridStyle == gmLines) {
      for (int k = 1; k <= n; ++k) painter.drawLine(QPointF(k * step * ppi, 0), QPointF(k * step * ppi, h));
      for (int l = 1; l <= m; ++l) painter.drawLine(QPointF(0, l * step * ppi), QPointF(w, l * step * ppi));
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
  PaintExtras(painter);
  if (AfterPaint) AfterPaint(painter);
}

void TGmPaperImage::mousePressEvent(QMouseEvent* e) {
  if (OnPageMouseDown) OnPageMouseDown(e->button(), PixelToPage(e->position().toPoint()));
  QWidget::mousePressEvent(e);
}

void TGmPaperImage::mouseMoveEvent(QMouseEvent* e) {
  if (fLock == 0 && OnPageMouseMove) OnPageMouseMove(PixelToPage(e->position().toPoint()));
  QWidget::mouseMoveEvent(e);
}

void TGmPaperImage::mouseReleaseEvent(QMouseEvent* e) {
  if (OnPageMouseUp) OnPageMouseUp(e->button(), PixelToPage(e->position().toPoint()));
  QWidget::mouseReleaseEvent(e);
}

}  // namespace zyn
