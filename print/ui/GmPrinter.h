#pragma once
// Printing recorded pages: the job settings of the printer (copies, collation, duplex, colour,
// quality, title), the mapping of one, two or four pages onto a sheet, and the print loop that
// replays the pages onto a printer or into a PDF file, page by page, with progress and cancel.

#include "print/GmPageList.h"

#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

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

// Replays the pages (numbers from 1, in the given order) onto the device. False when the progress
// callback cancelled the job; the device is then left for the caller to abandon.
bool PrintPages(const TGmPageList& list, const std::vector<int>& numbers, QPagedPaintDevice& device,
                const TGmPrintProgress& progress = {});

// The pages into a PDF file (UTF-8 path). The file appears only when the whole document was
// written: a cancelled job (false) or a failure (EWriteError naming the file) leaves none, and an
// older file of that name stays as it was.
bool SaveDocumentPdf(const TGmPageList& list, const std::vector<int>& numbers, const std::string& path,
                     const std::string& title = {}, const TGmPrintProgress& progress = {});

// The job settings, applied to a Qt printer for every job.
class TGmPrinter {
 public:
  bool Collate = false;
  TGmDuplexType Duplex = gmSimplex;
  int PrintCopies = 1;
  TGmPrintColor PrintColor = gmColor;
  TGmDitherType DitherType = gmNone;
  TGmPrintQuality PrintQuality = gmMedium;
  bool ReversePrintOrder = false;
  std::string Title = "<document>";

  std::function<void()> BeforePrint, AfterPrint;

  // The settings into the printer (copies, collation, duplex, colour mode, resolution by quality,
  // job name) and back from it (after the print dialog).
  void ApplyTo(QPrinter& printer) const;
  void TakeFrom(const QPrinter& printer);
  // Prints on the printer. Without a usable printer: the German message of NoPrinterText and
  // false. A cancelled job is aborted at the printer (false).
  bool Print(const TGmPageList& list, const std::vector<int>& numbers, QPrinter& printer,
             const TGmPrintProgress& progress = {});
  bool Printing() const { return fPrinting; }
  static std::string NoPrinterText();
  // How a failure is shown; the page installs the message box, tests a recorder.
  std::function<void(const std::string& text)> OnError;

 private:
  bool fPrinting = false;
};

// The page numbers from..to, counting down when from > to.
std::vector<int> PageRange(int from, int to);

}  // namespace zyn
