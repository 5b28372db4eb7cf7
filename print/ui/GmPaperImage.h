#pragma once
// A recorded page on screen: the white sheet at a zoom, centred in its gutter, with the page's
// objects, the margins, a page grid and a drop shadow; mouse positions reported in inches of the
// page. The preview shows its current page on one, each thumbnail on its own.

#include "print/GmPageList.h"

#include <QColor>
#include <QMargins>
#include <QMimeData>
#include <QPen>
#include <QWidget>

#include <functional>

namespace zyn {

struct TGmShadow {
  QColor Color = Qt::black;
  int Width = 3;
  bool Visible = true;
};

enum TGmGridStyle { gmNoGrid, gmDots, gmLines };

struct TGmPageGrid {
  TGmGridStyle GridStyle = gmNoGrid;
  QPen GridPen{QColor(192, 192, 192), 1};
  TGmExtended SpacingInches = 10 / 25.4L;
};

// How the margins are drawn on the sheet. The values and the clipping to them are the
// document's own (TGmMargins of its page list); the printer's unprintable margins come from the
// printer, in inches for an orientation (true: landscape).
struct TGmMarginsView {
  bool Visible = false;
  QPen Pen{QColor(192, 192, 192), 0, Qt::DotLine};
  bool ShowPrinterMargins = false;
  QPen PrinterMarginPen{QColor(192, 192, 192), 0, Qt::DotLine};
  std::function<QMarginsF(bool landscape)> PrinterMargins;
};

class TGmPaperImage : public QWidget {
  Q_OBJECT
 public:
  explicit TGmPaperImage(QWidget* parent = nullptr);

  void SetPage(const TGmPage* page);
  const TGmPage* Page() const { return fPage; }
  int Zoom() const { return fZoom; }
  void SetZoom(int zoom);
  QMargins Gutter() const { return fGutter; }
  void SetGutter(const QMargins& gutter);
  void SetShadow(const TGmShadow* shadow) {
    fShadow = shadow;
    update();
  }
  void SetGrid(const TGmPageGrid* grid) {
    fGrid = grid;
    update();
  }
  void SetMargins(const TGmMarginsView* margins) {
    fMargins = margins;
    update();
  }
  void SetDrawObjects(bool draw) {
    fDrawObjects = draw;
    update();
  }
  void SetPageCount(int count) { fPageCount = count; }
  void BeginUpdate() { ++fLock; }
  void EndUpdate();

  // The page's size in pixels at 96 pixels per inch and the zoom.
  QSize PagePixels() const;
  // The page's rectangle, centred inside the gutter.
  QRect PageRect() const;
  // The smallest widget size that shows the page with its gutter.
  QSize sizeHint() const override;
  // A point of the widget in inches of the page.
  QPointF PixelToPage(const QPoint& p) const;
  // The keys held at the last mouse press.
  Qt::KeyboardModifiers Modifiers() const { return fModifiers; }
  // Where the last mouse press was, in widget pixels.
  QPoint PressPoint() const { return fPressAt; }

  // The rubber band: while it is on, the mouse drags a dotted rectangle from the point where it
  // started; it is drawn inside the page only.
  void StartRubberBand(const QPoint& at);
  // Ends it; the rectangle in widget pixels (normalised).
  QRect EndRubberBand();
  bool RubberBand() const { return fRubberBand; }
  QRect RubberBandRect() const { return QRect(fBandStart, fBandEnd).normalized(); }

  // Page mouse and drag events with the position in inches; the mouse entering and leaving; an
  // after-paint hook in widget pixels. A drag over the page is taken when OnPageDragOver says so.
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseDown;
  std::function<void(QPointF)> OnPageMouseMove;
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseUp;
  std::function<bool(QPointF, const QMimeData*)> OnPageDragOver;
  std::function<void(QPointF, const QMimeData*)> OnPageDragDrop;
  std::function<void()> OnMouseEnter, OnMouseLeave;
  std::function<void(QPainter&)> AfterPaint;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

  virtual void PaintExtras(QPainter&) {}

 private:
  const TGmPage* fPage = nullptr;
  int fZoom = 20;
  QMargins fGutter{30, 30, 30, 30};
  const TGmShadow* fShadow = nullptr;
  const TGmPageGrid* fGrid = nullptr;
  const TGmMarginsView* fMargins = nullptr;
  bool fDrawObjects = true;
  int fPageCount = 0;
  int fLock = 0;
  Qt::KeyboardModifiers fModifiers;
  QPoint fPressAt;
  bool fRubberBand = false;
  QPoint fBandStart, fBandEnd;
};

}  // namespace zyn
