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

namespace zyn {

class TGmThumbnails;

class TGmPreview : public QScrollArea {
  Q_OBJECT
 public:
  explicit TGmPreview(QWidget* parent = nullptr);
  ~TGmPreview() override;

  TGmPageList& Pages() { return fList; }
  TGmCanvas& Canvas() { return fList.Canvas(); }
  TGmPrinter& GmPrinter() { return fPrinter; }
  TGmPaperImage* PaperImage() const { return fPaper; }
  TGmShadow& Shadow() { return fShadow; }
  TGmPageGrid& PageGrid() { return fGrid; }
  TGmMarginsView& MarginsView() { return fMarginsView; }

  int Zoom() const { return fPaper->Zoom(); }
  void SetZoom(int zoom);
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

  std::function<void()> OnPageChanged;
  std::function<void(Qt::MouseButton, QPointF, TGmVisibleObject*)> OnObjectMouseDown;
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseDown;
  std::function<void(Qt::MouseButton, QPointF)> OnPageMouseUp;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void UpdateScrollRange();
  void CurrentPageChanged();
  void PaintSelection(QPainter& painter);
  template <class F>
  void ToStrips(F&& f);

  TGmPageList fList;
  TGmPaperImage* fPaper;
  TGmPrinter fPrinter;
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
