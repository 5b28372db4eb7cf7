#pragma once
// Recorded pages. Every drawing call on the recording canvas becomes a page object on the current
// page; the page list holds the pages of one document with what they share: the canvas, header
// and footer, margins, paper size and orientation, and the resource table. A page draws itself at
// any resolution on any painter: the preview on screen, a printer, a PDF file.
//
// The pages also have a stream form (the shared resources, the list's settings, then every page
// with its objects), read defensively: a damaged stream raises EReadError and leaves the list as
// it was.

#include "print/GmObjects.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace zyn {

class TGmCanvas;
class TGmPageList;

class TGmHeaderFooterCaption {
 public:
  TGmHeaderFooterCaption();
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& caption);
  const TGmFont& Font() const { return fFont; }
  // Assigning the font, or changing it through EditFont, reports a change.
  void SetFont(const TGmFont& font);
  template <class F>
  void EditFont(F&& edit) {
    edit(fFont);
    Changed();
  }
  void SetOnChange(std::function<void()> onChange) { fOnChange = std::move(onChange); }

 private:
  void Changed() {
    if (fOnChange) fOnChange();
  }
  std::string fCaption;
  TGmFont fFont;
  std::function<void()> fOnChange;
};

class TGmHeaderFooter {
 public:
  TGmHeaderFooter();
  virtual ~TGmHeaderFooter() = default;
  TGmHeaderFooter(const TGmHeaderFooter&) = delete;
  TGmHeaderFooter& operator=(const TGmHeaderFooter&) = delete;

  // 0 left, 1 centre, 2 right.
  TGmHeaderFooterCaption& Caption(int index) { return fCaptions[index]; }
  const TGmHeaderFooterCaption& Caption(int index) const { return fCaptions[index]; }
  TGmHeaderFooterCaption& CaptionLeft() { return fCaptions[0]; }
  TGmHeaderFooterCaption& CaptionCenter() { return fCaptions[1]; }
  TGmHeaderFooterCaption& CaptionRight() { return fCaptions[2]; }
  TGmPen& Pen() { return fPen; }
  const TGmPen& Pen() const { return fPen; }
  void SetPen(const TGmPen& pen) { fPen.Assign(pen); }  // reports no change
  bool ShowLine() const { return fShowLine; }
  void SetShowLine(bool v);
  bool Visible() const { return fVisible; }
  void SetVisible(bool v);
  // The cell height of the largest caption font (by point size; left before centre before right)
  // at 600 pixels per inch.
  TGmExtended Height(TGmMeasurement unit = gmInches) const;
  void SetOnChange(std::function<void()> onChange) { fOnChange = std::move(onChange); }

  // Nothing when not visible.
  void Draw(QPainter& painter, const TGmPageList& list, TGmExtended pageWidth, TGmExtended pageHeight,
            const TGmDrawContext& ctx) const;

  void SaveToValueList(TGmValueList& list) const;
  void LoadFromValueList(const TGmValueList& list);

 protected:
  virtual bool IsHeader() const = 0;

 private:
  void Changed() {
    if (fOnChange) fOnChange();
  }
  TGmHeaderFooterCaption fCaptions[3];
  TGmPen fPen;
  bool fShowLine = true;
  bool fVisible = false;
  std::function<void()> fOnChange;
};

class TGmHeader : public TGmHeaderFooter {
 protected:
  bool IsHeader() const override { return true; }
};

class TGmFooter : public TGmHeaderFooter {
 protected:
  bool IsHeader() const override { return false; }
};

// The user margins of a document.
class TGmMargins {
 public:
  TGmMargins();
  TGmValue& Left() { return fLeft; }
  TGmValue& Top() { return fTop; }
  TGmValue& Right() { return fRight; }
  TGmValue& Bottom() { return fBottom; }
  const TGmValue& Left() const { return fLeft; }
  const TGmValue& Top() const { return fTop; }
  const TGmValue& Right() const { return fRight; }
  const TGmValue& Bottom() const { return fBottom; }
  void SetMargins(TGmExtended left, TGmExtended top, TGmExtended right, TGmExtended bottom);
  // Nothing of a page is drawn outside the margins, on screen and on paper.
  bool ClipMargins() const { return fClipMargins; }
  void SetClipMargins(bool clip);
  // Side 0 left, 1 top, 2 right, 3 bottom.
  TGmValue& Side(int index);
  void SetOnChange(std::function<void()> onChange) { fOnChange = std::move(onChange); }

 private:
  TGmValue fLeft, fTop, fRight, fBottom;
  bool fClipMargins = false;
  std::function<void()> fOnChange;
};

// The four margins read and written in one unit.
class TGmMarginValues {
 public:
  explicit TGmMarginValues(TGmMargins& margins) : fMargins(margins) {}
  TGmMeasurement ValueMeasurement = gmInches;
  float Get(int side) const;
  void Set(int side, float value);
  float Left() const { return Get(0); }
  float Top() const { return Get(1); }
  float Right() const { return Get(2); }
  float Bottom() const { return Get(3); }
  void SetLeft(float v) { Set(0, v); }
  void SetTop(float v) { Set(1, v); }
  void SetRight(float v) { Set(2, v); }
  void SetBottom(float v) { Set(3, v); }

 private:
  TGmMargins& fMargins;
};

// Rich text to be formatted onto a page: characters first to last of a shared rich edit, in a
// rectangle of the page (inches).
struct TGmPageRtfInfo {
  TGmRichEdit* RichEdit = nullptr;
  int First = 0;
  int Last = -1;  // -1: to the end
  TGmRect Rect;
};

class TGmPage {
 public:
  explicit TGmPage(TGmPageList* list);
  TGmPage(const TGmPage&) = delete;
  TGmPage& operator=(const TGmPage&) = delete;

  TGmBaseObjectList& Objects() { return fObjects; }
  const TGmBaseObjectList& Objects() const { return fObjects; }
  bool Orientation() const { return fLandscape; }  // false portrait, true landscape
  // Portrait makes the width the smaller dimension, landscape the larger.
  void SetOrientation(bool landscape);
  TGmExtended Width() const { return fWidth; }
  TGmExtended Height() const { return fHeight; }
  void SetSize(TGmExtended width, TGmExtended height);
  TGmPoint GetSize(TGmMeasurement unit) const {
    return {ConvertValue(gmInches, unit, fWidth), ConvertValue(gmInches, unit, fHeight)};
  }
  int PageNumber() const;
  TGmPageList* PageList() const { return fList; }
  bool ShowHeader() const { return fShowHeader; }
  void SetShowHeader(bool v) { fShowHeader = v; }
  bool ShowFooter() const { return fShowFooter; }
  void SetShowFooter(bool v) { fShowFooter = v; }

  const TGmPageRtfInfo& RtfInfo() const { return fRtf; }
  // The source's text is taken into the document's shared rich edits (once per rich edit).
  void SetRichText(TGmRichEdit& source, int first, int last, TGmMeasurement unit, const TGmRect& rect);

  TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object);
  // The topmost visible object under the point, or none.
  TGmVisibleObject* ObjectAt(TGmMeasurement unit, TGmExtended x, TGmExtended y) const;
  // The rich text, every object in list order, then header and footer, at the resolution.
  void Draw(QPainter& painter, TGmExtended ppiX, TGmExtended ppiY, bool forScreen) const;

  void SetOnChange(std::function<void()> h) { fOnChange = std::move(h); }
  void SetOnOrientation(std::function<void()> h) { fOnOrientation = std::move(h); }
  void Changed() {
    if (fOnChange) fOnChange();
  }

  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream, TGmResourceTable& table);

 private:
  TGmBaseObjectList fObjects;
  bool fLandscape = false;
  TGmPageList* fList;
  TGmExtended fWidth = 8.26L;
  TGmExtended fHeight = 11.69L;
  TGmPageRtfInfo fRtf;
  bool fShowFooter = true;
  bool fShowHeader = true;
  std::function<void()> fOnChange;
  std::function<void()> fOnOrientation;
};

// Where the list's notifications go; a held-back one waits while an update is in progress.
struct TGmPageListEvents {
  std::function<void()> OnHeaderFooterChanged;  // held back
  std::function<void()> OnNewPage;
  std::function<void()> OnOrientationChanged;
  std::function<void()> OnPageChanged;       // held back
  std::function<void()> OnMarginsChanged;    // held back
  std::function<void()> OnPageCountChanged;  // held back
  std::function<void()> OnCurrentPageChanged;
  std::function<void()> OnPaperSizeChanged;
  std::function<void()> OnCleared;
  std::function<void(int printed, int total)> OnPrintProgress;
  // The resource table needs a rich edit; the handler may supply one.
  std::function<std::unique_ptr<TGmRichEdit>()> OnNeedRichEdit;
};

class TGmPageList {
 public:
  TGmPageList();
  ~TGmPageList();
  TGmPageList(const TGmPageList&) = delete;
  TGmPageList& operator=(const TGmPageList&) = delete;

  TGmPageListEvents& Events() { return fEvents; }

  int Count() const { return static_cast<int>(fPages.size()); }
  TGmPage* AddPage() { return InsertPage(-1); }
  // -1 appends; the last page becomes the current page.
  TGmPage* InsertPage(int index);
  void Clear(bool noFirstPage = false, bool clearResources = true);
  // 1-based; std::out_of_range outside 1 to the page count.
  TGmPage* GetPage(int number) const;
  int CurrentPage() const { return fCurrentPage; }
  TGmPage* Current() const { return fPages.empty() ? nullptr : GetPage(fCurrentPage); }
  void SetCurrentPage(int number);

  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();
  bool IsUpdating() const { return fUpdateCount > 0; }

  // Places a freshly recorded object on the current page, shifted to its origin.
  TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object, TGmCoordsRelative relativeTo);
  // 0 to the end, 1 one place later, 2 one place earlier, 3 to the start; on the current page.
  void MoveObject(TGmBaseObject* object, int how);

  TGmOrientation Orientation() const { return fOrientation; }
  void SetOrientation(TGmOrientation orientation);
  TGmPaperSize PaperSize() const { return fPaperSize; }
  void SetPaperSize(TGmPaperSize size);
  TGmExtended PaperWidth() const { return fPaperWidth; }
  TGmExtended PaperHeight() const { return fPaperHeight; }
  TGmPagesPerSheet PagesPerSheet() const { return fPagesPerSheet; }
  void SetPagesPerSheet(TGmPagesPerSheet p) { fPagesPerSheet = p; }

  TGmRect HeaderRect() const;
  TGmRect FooterRect() const;

  TGmCanvas& Canvas() { return *fCanvas; }
  TGmHeader& Header() { return fHeader; }
  TGmFooter& Footer() { return fFooter; }
  const TGmHeader& Header() const { return fHeader; }
  const TGmFooter& Footer() const { return fFooter; }
  TGmMargins& Margins() { return fMargins; }
  const TGmMargins& Margins() const { return fMargins; }
  TGmResourceTable& Resources() { return *fResources; }
  const TGmResourceTable& Resources() const { return *fResources; }

  // The printer's unprintable left and top margins for an orientation, in inches; the printer
  // installs it, without one they are 0.
  std::function<TGmPoint(TGmOrientation)> PrinterMargins;

  // The whole document as a stream, and back. Reading replaces the pages and resources only when
  // the whole stream was read without fault.
  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);

 private:
  friend class TGmPage;
  void PageChanged();
  void HeldBack(const std::function<void()>& handler) {
    if (fUpdateCount == 0 && handler) handler();
  }
  static void Send(const std::function<void()>& handler) {
    if (handler) handler();
  }
  void RecomputePaperSize();
  void ConnectPage(TGmPage* page);
  void ConnectResources(TGmResourceTable& table);

  std::vector<std::unique_ptr<TGmPage>> fPages;
  std::unique_ptr<TGmResourceTable> fResources;
  std::unique_ptr<TGmCanvas> fCanvas;
  int fCurrentPage = 0;
  TGmFooter fFooter;
  TGmHeader fHeader;
  TGmMargins fMargins;
  TGmOrientation fOrientation = gmPortrait;
  TGmPagesPerSheet fPagesPerSheet = gmOnePage;
  TGmPaperSize fPaperSize = A4;
  TGmExtended fPaperWidth;
  TGmExtended fPaperHeight;
  int fUpdateCount = 0;
  TGmPageListEvents fEvents;
};

}  // namespace zyn
