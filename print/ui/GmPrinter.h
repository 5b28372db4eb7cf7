#pragma once
// Printing recorded pages: the printer set-up of the programme (printer, paper, orientation and
// the job settings: copies, collation, duplex, colour, dither, quality, title), the printer's
// geometry, the mapping of one, two or four pages onto a sheet, and the print loop that replays
// the pages onto a printer or into a PDF file, page by page, with progress and cancel.

#include "print/GmPageList.h"

#include <QPageLayout>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zyn {

enum TGmDuplexType { gmSimplex, gmHorzDuplex, gmVertDuplex };
enum TGmPrintColor { gmColor, gmMonochrome };
enum TGmDitherType { gmNone, gmCourse, gmFine, gmLineArt, gmGrayScale };
enum TGmPrintQuality { gmDraft, gmLow, gmMedium, gmHigh };

// Where page `position` (counted from 1) of a job goes on its sheet of W x H device pixels, and
// at which scale in percent.
struct TGmSheetSlot {
  QRect Rect;
  int Scale = 100;
};
TGmSheetSlot SheetSlot(TGmPagesPerSheet pagesPerSheet, int position, int width, int height, bool landscapeSheet);
// Whether page `position` (from 1) starts a new sheet.
bool StartsSheet(TGmPagesPerSheet pagesPerSheet, int position);

// After each page: pages printed so far and the total; false cancels the job.
using TGmPrintProgress = std::function<bool(int printed, int total)>;

// The sheet of a print job: the set-up's paper in the set-up's orientation. A page that lies the
// other way than its document turns its sheet; a page larger than its place on the sheet is
// scaled down to fit and centred there.
struct TGmSheetSetup {
  TGmPaperSize PaperSize = A4;
  TGmOrientation Orientation = gmPortrait;
};
// The sheet's layout for one page (the whole paper, no margins).
QPageLayout SheetLayoutFor(const TGmSheetSetup& sheet, const TGmPageList& list, const TGmPage& page);

// Replays the pages (numbers from 1, in the given order) onto the device. Without a sheet set-up
// every page goes onto a sheet of its own size. With the margins' ClipMargins set nothing of a
// page is drawn outside its user margins. False when the progress callback cancelled the job;
// the device is then left for the caller to abandon.
bool PrintPages(const TGmPageList& list, const std::vector<int>& numbers, QPagedPaintDevice& device,
                const TGmPrintProgress& progress = {}, const TGmSheetSetup* sheet = nullptr);

// The pages into a PDF file (UTF-8 path). The file appears only when the whole document was
// written: a cancelled job (false) or a failure (EWriteError naming the file) leaves none, and an
// older file of that name stays as it was.
bool SaveDocumentPdf(const TGmPageList& list, const std::vector<int>& numbers, const std::string& path,
                     const std::string& title = {}, const TGmPrintProgress& progress = {},
                     const TGmSheetSetup* sheet = nullptr);

// The geometry of a printer, in device pixels of portrait orientation. A printer without a device
// of its own (none installed, or one writing PDF files) has the 300-dpi A4 geometry.
struct TGmPrinterInfo {
  int PhysicalWidth = 2481, PhysicalHeight = 3507;
  int PrintableWidth = 2358, PrintableHeight = 3407;
  int Left = 65, Top = 50, Right = 58, Bottom = 50;
  int PixelsPerInchX = 300, PixelsPerInchY = 300;
  int Rotation = 1;  // landscape turned by 90 degrees
  double ScreenFactor = 96.0 / 300;
  bool NoInformationContext = true;
  // The orientation the printer is set to.
  bool Landscape = false;

  // Reads the geometry of the printer (nullptr: none).
  void ReadGeometry(const QPrinter* printer);
  bool HasDeviceContext() const { return !NoInformationContext; }
  struct TSides {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
  };
  // The unprintable margins for an orientation; landscape turns them (left := top, top := right,
  // right := bottom, bottom := left).
  TSides Margins(bool landscape) const;
  TSides MarginsInches(bool landscape) const;
  // The paper in inches and the resolution, width and height exchanged while set to landscape.
  double PageWidthInches() const;
  double PageHeightInches() const;
  int PixelsPerInchXNow() const { return Landscape ? PixelsPerInchY : PixelsPerInchX; }
  int PixelsPerInchYNow() const { return Landscape ? PixelsPerInchX : PixelsPerInchY; }
};

// The printer set-up: the printer, the sheet and the job settings, applied to the Qt printer of
// every job. The programme has one (ProgramPrinter), which "Drucker einrichten..." edits and the
// documentation prints with; its choices are kept in the options.
class TGmPrinter {
 public:
  TGmPrinter();
  ~TGmPrinter();
  TGmPrinter(const TGmPrinter&) = delete;
  TGmPrinter& operator=(const TGmPrinter&) = delete;

  bool Collate = false;
  TGmDuplexType Duplex = gmSimplex;
  int PrintCopies = 1;
  TGmPrintColor PrintColor = gmColor;
  TGmDitherType DitherType = gmNone;
  TGmPrintQuality PrintQuality = gmMedium;
  bool ReversePrintOrder = false;
  std::string Title = "<document>";

  TGmSheetSetup Sheet() const { return {fPaperSize, fOrientation}; }
  TGmPaperSize PaperSize() const { return fPaperSize; }
  TGmOrientation Orientation() const { return fOrientation; }
  // The chosen printer (UTF-8); empty: the system's default printer.
  const std::string& PrinterName() const { return fPrinterName; }
  void SetPaperSize(TGmPaperSize size);
  void SetOrientation(TGmOrientation orientation);
  // Another printer: the geometry is read anew and OnChangePrinter raised.
  void SetPrinterName(const std::string& name);

  // The printer's geometry, read from the set-up's Qt printer.
  const TGmPrinterInfo& Info();
  // The Qt printer of the set-up, made on first use with these settings.
  QPrinter& Device();

  // The settings into a Qt printer (printer, paper, orientation, copies, collation, duplex, colour
  // mode, resolution by quality, job name) and back from it (after a dialog).
  void ApplyTo(QPrinter& printer) const;
  void TakeFrom(const QPrinter& printer);
  // Prints on the printer onto the set-up's sheet. Without a usable printer: the German message
  // of NoPrinterText and false. A cancelled job is aborted at the printer (false).
  bool Print(const TGmPageList& list, const std::vector<int>& numbers, QPrinter& printer,
             const TGmPrintProgress& progress = {});
  bool Printing() const { return fPrinting; }
  static std::string NoPrinterText();

  // The page set-up dialog on the set-up's printer: paper and orientation. Accepting keeps the
  // choices here and in the options; true when accepted.
  bool PageSetup(QWidget* parent);
  // The choices from and into the options' printer group (the options file is written by the caller).
  void LoadFromOptions();
  void SaveToOptions() const;

  // The codes of the printer's device settings.
  static int PaperCode(TGmPaperSize size);
  static TGmPaperSize PaperFromCode(int code);
  static int DuplexCode(TGmDuplexType duplex);
  static TGmDuplexType DuplexFromCode(int code);
  static int ColorCode(TGmPrintColor color);
  static TGmPrintColor ColorFromCode(int code);
  static int DitherCode(TGmDitherType dither);
  static TGmDitherType DitherFromCode(int code);
  static int QualityCode(TGmPrintQuality quality);
  static TGmPrintQuality QualityFromCode(int code);

  // How a failure is shown; the page installs the message box, tests a recorder.
  std::function<void(const std::string& text)> OnError;
  std::function<void()> BeforePrint, AfterPrint;
  // After the printer, its paper or its orientation changed.
  std::function<void()> OnChangePrinter;

 private:
  void Changed();

  TGmPaperSize fPaperSize = A4;
  TGmOrientation fOrientation = gmPortrait;
  std::string fPrinterName;
  std::unique_ptr<QPrinter> fDevice;
  TGmPrinterInfo fInfo;
  bool fInfoRead = false;
  bool fPrinting = false;
};

// The printer set-up of the programme, read from the options on first use; it lives until the
// application ends.
TGmPrinter& ProgramPrinter();

// The page numbers from..to, counting down when from > to.
std::vector<int> PageRange(int from, int to);

}  // namespace zyn
