#pragma once
// The preview: holds the recorded document (its page list with the recording canvas) and shows
// one page at a time on a paper image at a zoom in percent; scrolls, pans, pages back and forth,
// prints all pages, the current page or a range, and keeps linked thumbnail strips informed.

#include "print/GmCanvas.h"
#include "print/GmPageList.h"
#include "print/ui/GmPaperImage.h"
#include "print/ui/GmPrinter.h"

#include <QScrollArea>

#include <functional>
#include <vector>

class QPrinter;
class QScrollBar;

namespace zyn {

class TGmThumbnails;

// What a preview tells its linked thumbnail strips.
enum TGmStripMessage {
  gmMsgPagesPerSheet = 7034,
  gmMsgRepaint = 7035,
  gmMsgOrientation = 7036,
  gmMsgPageChanged = 7038,
  gmMsgPageCount = 7039,
  gmMsgPrinter = 7042,
  gmMsgUpdateBegins = 7043,
  gmMsgUpdateEnds = 7044,
  gmMsgPaperSize = 7045,
  gmMsgCurrentPage = 7047
};

// gmVariableZoom: the control key with the mouse wheel zooms in steps of ZoomIncrement;
// gmFixedZoom: the wheel only scrolls.
enum TGmZoomStyle { gmVariableZoom, gmFixedZoom };

class TGmPreview : public QScrollArea {
  Q_OBJECT
 public:
  explicit TGmPreview(QWidget* parent = nullptr);
  ~TGmPreview() override;

  TGmPageList& Pages() { return fList; }
  TGmCanvas& Canvas() { return fList.Canvas(); }
  // The printer set-up the preview prints with: its own, until UsePrinter gives it another (the
  // programme's). A change of that printer repaints and tells the strips.
  TGmPrinter& GmPrinter() { return *fPrinter; }
  void UsePrinter(TGmPrinter& printer);
  void PrinterChanged();
  TGmPaperImage* PaperImage() const { return fPaper; }
  TGmShadow& Shadow() { return fShadow; }
  TGmPageGrid& PageGrid() { return fGrid; }
  TGmMarginsView& MarginsView() { return fMarginsView; }

  int Zoom() const { return fPaper->Zoom(); }
  // Sets the zoom (clamped to MinZoom..MaxZoom) and ends the page-width fit.
  void SetZoom(int zoom);
  int ZoomIncrement = 10;
  TGmZoomStyle ZoomStyle = gmVariableZoom;
  // ZoomToWidth fits the page width again whenever the control's size changes, until another
  // zoom is chosen; so the first view of a page that is not laid out yet shows the whole width.
  bool FitsWidth() const { return fFitWidth; }
  int MinZoom() const { return fMinZoom; }
  int MaxZoom() const { return fMaxZoom; }
  void SetMinZoom(int z);
  void SetMaxZoom(int z);
  int Gutter() const { return fPaper->Gutter().left(); }
  void SetGutter(int g) {
    fPaper->SetGutter(QMargins(g, g, g, g));
    UpdateScrollRange();
  }
  void ZoomToWidth();
  void ZoomToHeight();
  void ZoomToPage();

  void AddPage() { fList.AddPage(); }
  void Clear();
  TGmOrientation Orientation() const { return fList.Orientation(); }
  void SetOrientation(TGmOrientation orientation);
  TGmPaperSize PaperSize() const { return fList.PaperSize(); }
  void SetPaperSize(TGmPaperSize size) { fList.SetPaperSize(size); }
  TGmPagesPerSheet PagesPerSheet() const { return fList.PagesPerSheet(); }
  void SetPagesPerSheet(TGmPagesPerSheet pps);
  TGmRect HeaderRect() const { return fList.HeaderRect(); }
  TGmRect FooterRect() const { return fList.FooterRect(); }
  // The page's user margins in one unit.
  TGmMarginValues MarginValues() { return TGmMarginValues(fList.Margins()); }
  int CurrentPage() const { return fList.CurrentPage(); }
  int PageCount() const { return fList.Count(); }
  void SetCurrentPage(int number);
  void FirstPage() { SetCurrentPage(1); }
  void NextPage() { SetCurrentPage(CurrentPage() + 1); }
  void PrevPage() { SetCurrentPage(CurrentPage() - 1); }
  // Shows the current page again after the pages were recorded anew.
  void Refresh() { CurrentPageChanged(); }

  // Vertical and horizontal scroll positions in percent of their range.
  void ScrollToPercent(double vertical, double horizontal);
  std::pair<double, double> ScrollPercent() const;

  void BeginUpdate();
  void EndUpdate();

  void StartPanning();
  void StopPanning();
  bool Panning() const { return fPanning; }

  void LinkThumbnails(TGmThumbnails* strip);
  void UnlinkThumbnails(TGmThumbnails* strip);

  // Printing on a Qt printer (its copies, collation and duplex as chosen in the print dialog).
  bool PrintAll(QPrinter& printer, const TGmPrintProgress& progress = {});
  bool PrintCurrentPage(QPrinter& printer, const TGmPrintProgress& progress = {});
  bool PrintRange(int from, int to, QPrinter& printer, const TGmPrintProgress& progress = {});

  // The topmost object of the current page under a point in inches, or none.
  TGmVisibleObject* ObjectAt(QPointF inches) const;
  // Frames the object with the highlight pen (none: no frame). While an object is selected, a
  // left drag that starts on it moves it on its page by the distance dragged.
  void SelectObject(TGmVisibleObject* object);
  TGmVisibleObject* SelectedObject() const { return fSelected; }

  // Zooms so that a rectangle of the paper image (pixels) fills the view's width; the control key
  // with a left drag on the page draws it as a rubber band.
  void ZoomToRect(const QRect& pixels);

  std::function<void()> OnPageChanged;
  std::function<void(Qt::MouseButton, QPointF, TGmVisibleObject*)> OnObjectMouseDown;
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseDown;
  std::function<void(QPointF)> OnPageMouseMove;
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseUp;
  std::function<bool(QPointF, const QMimeData*)> OnPageDragOver;
  std::function<void(QPointF, const QMimeData*)> OnPageDragDrop;
  std::function<void()> OnMouseEnter, OnMouseLeave;
  // After a page was added (then OnDrawHeader and OnDrawFooter with the page's header and footer
  // rectangles and the recording canvas, so that a handler can record content there).
  std::function<void()> OnNewPage;
  std::function<void(const TGmRect&, TGmCanvas&)> OnDrawHeader, OnDrawFooter;
  std::function<void()> OnClear, OnOrientationChanged, BeforePrint, AfterPrint;
  std::function<void(int printed, int total)> OnPrintProgress;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ApplyZoom(int zoom);
  void UpdateScrollRange();
  void CurrentPageChanged();
  void PaintSelection(QPainter& painter);
  void ToStrips(TGmStripMessage message);
  QScrollBar* KeyBar() const;
  TGmPrintProgress WithProgress(const TGmPrintProgress& progress);

  TGmPageList fList;
  TGmPaperImage* fPaper;
  TGmPrinter fOwnPrinter;
  TGmPrinter* fPrinter = &fOwnPrinter;
  bool fFitWidth = false;
  int fWheelRest = 0;
  TGmShadow fShadow;
  TGmPageGrid fGrid;
  TGmMarginsView fMarginsView;
  int fMinZoom = 5;
  int fMaxZoom = 400;
  std::vector<TGmThumbnails*> fStrips;
  bool fPanning = false;
  QPoint fPanStart;
  QPoint fPanScroll;
  int fUpdate = 0;
  TGmVisibleObject* fSelected = nullptr;
  bool fDragging = false;
  QPointF fDragStart;
  QPointF fDragNow;
};

}  // namespace zyn
