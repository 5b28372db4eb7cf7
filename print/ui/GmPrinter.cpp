#include "print/ui/GmPrinter.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "print/GmFuncs.h"
#include "print/GmObjects.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace zyn {

TGmSheetSlot SheetSlot(TGmPagesPerSheet pagesPerSheet, int position, int w, int h, bool landscapeSheet) {
  const int w2 = w / 2, h2 = h / 2;
  TGmSheetSlot slot;
  switch (pagesPerSheet) {
    case gmTwoPage: {
      const int k = position % 2;
      if (landscapeSheet)
        slot.Rect = k == 1 ? QRect(QPoint(0, 0), QPoint(w2, h)) : QRect(QPoint(w2, 0), QPoint(w, h));
      else
        slot.Rect = k == 1 ? QRect(QPoint(0, 0), QPoint(w, h2)) : QRect(QPoint(0, h2), QPoint(w, h));
      slot.Scale = static_cast<int>(static_cast<double>(std::min(w, h)) / std::max(w, h) * 100);
      break;
    }
    case gmFourPage: {
      const int k = position % 4;
      const QPoint corners[4][2] = {{{w2, h2}, {w, h}}, {{0, 0}, {w2, h2}}, {{w2, 0}, {w, h2}}, {{0, h2}, {w2, h}}};
      slot.Rect = QRect(corners[k][0], corners[k][1]);
      slot.Scale = 49;
      break;
    }
    default:
      slot.Rect = QRect(QPoint(0, 0), QPoint(w, h));
      slot.Scale = 100;
  }
  return slot;
}

bool StartsSheet(TGmPagesPerSheet pagesPerSheet, int position) {
  switch (pagesPerSheet) {
    case gmTwoPage:
      return position % 2 == 1;
    case gmFourPage:
      return position % 4 == 1;
    default:
      return true;
  }
}

std::vector<int> PageRange(int from, int to) {
  std::vector<int> out;
  if (from <= to)
    for (int i = from; i <= to; ++i) out.push_back(i);
  else
    for (int i = from; i >= to; --i) out.push_back(i);
  return out;
}

namespace {
QPageLayout PaperLayout(double widthInches, double heightInches, bool landscape) {
  const double shortSide = std::min(widthInches, heightInches) * 72;
  const double longSide = std::max(widthInches, heightInches) * 72;
  return QPageLayout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// A sheet of the page's own size; two pages lie side by side on a turned sheet.
QPageLayout OwnSheetLayout(const TGmPage& page, TGmPagesPerSheet pps) {
  bool landscape = page.Width() > page.Height();
  if (pps == gmTwoPage) landscape = !landscape;
  return PaperLayout(static_cast<double>(page.Width()), static_cast<double>(page.Height()), landscape);
}
}  // namespace

QPageLayout SheetLayoutFor(const TGmSheetSetup& sheet, const TGmPageList& list, const TGmPage& page) {
  bool landscape = sheet.Orientation == gmLandscape;
  if (page.Orientation() != (list.Orientation() == gmLandscape)) landscape = !landscape;
  if (list.PagesPerSheet() == gmTwoPage) landscape = !landscape;
  const TGmPoint paper = sheet.PaperSize == Custom ? TGmPoint{page.Width(), page.Height()} : PaperSizeInches(sheet.PaperSize);
  return PaperLayout(static_cast<double>(paper.X), static_cast<double>(paper.Y), landscape);
}

bool PrintPages(const TGmPageList& list, const std::vector<int>& numbers, QPagedPaintDevice& device,
                const TGmPrintProgress& progress, const TGmSheetSetup* sheet) {
  if (numbers.empty()) return true;
  const TGmPagesPerSheet pps = list.PagesPerSheet();
  const auto layoutFor = [&](const TGmPage& page) {
    return sheet ? SheetLayoutFor(*sheet, list, page) : OwnSheetLayout(page, pps);
  };
  device.setPageLayout(layoutFor(*list.GetPage(numbers.front())));
  QPainter painter;
  if (!painter.begin(&device)) throw EWriteError(Ansi("Der Druckauftrag konnte nicht begonnen werden."));
  const int total = static_cast<int>(numbers.size());
  const TGmMargins& margins = list.Margins();
  for (int i = 0; i < total; ++i) {
    const TGmPage& page = *list.GetPage(numbers[static_cast<size_t>(i)]);
    const int position = i + 1;
    if (i > 0 && StartsSheet(pps, position)) {
      device.setPageLayout(layoutFor(page));
      device.newPage();
    }
    const double ppiX = device.logicalDpiX(), ppiY = device.logicalDpiY();
    const QRectF full = device.pageLayout().fullRectPixels(device.logicalDpiX());
    const bool landscapeSheet = full.width() > full.height();
    const TGmSheetSlot slot =
        SheetSlot(pps, position, static_cast<int>(full.width()), static_cast<int>(full.height()), landscapeSheet);
    const double pageW = static_cast<double>(page.Width()) * ppiX, pageH = static_cast<double>(page.Height()) * ppiY;
    double scale = slot.Scale / 100.0;
    QPointF origin = slot.Rect.topLeft();
    // A page larger than its place is fitted into it and centred; one pixel of rounding is no reason.
    if (pageW * scale > slot.Rect.width() + 1 || pageH * scale > slot.Rect.height() + 1) {
      scale = std::min(slot.Rect.width() / pageW, slot.Rect.height() / pageH);
      origin += QPointF((slot.Rect.width() - pageW * scale) / 2, (slot.Rect.height() - pageH * scale) / 2);
    }
    painter.save();
    painter.translate(origin);
    painter.scale(scale, scale);
    if (margins.ClipMargins()) {
      const auto in = [](const TGmValue& v) { return static_cast<double>(v.AsInches()); };
      painter.setClipRect(QRectF(std::round(in(margins.Left()) * ppiX), std::round(in(margins.Top()) * ppiY),
                                 std::round((static_cast<double>(page.Width()) - in(margins.Right())) * ppiX) -
                                     std::round(in(margins.Left()) * ppiX),
                                 std::round((static_cast<double>(page.Height()) - in(margins.Bottom())) * ppiY) -
                                     std::round(in(margins.Top()) * ppiY)));
    } else {
      painter.setClipRect(QRectF(0, 0, std::round(pageW), std::round(pageH)));
    }
    page.Draw(painter, ppiX, ppiY, false);
    painter.restore();
    if (progress && !progress(position, total)) {
      painter.end();
      return false;
    }
  }
  if (!painter.end()) throw EWriteError(Ansi("Der Druckauftrag konnte nicht abgeschlossen werden."));
  return true;
}

bool SaveDocumentPdf(const TGmPageList& list, const std::vector<int>& numbers, const std::string& path,
                     const std::string& title, const TGmPrintProgress& progress, const TGmSheetSetup* sheet) {
  const auto failed = [&] {
    return EWriteError(Ansi("Die PDF-Datei „") + Utf8ToAnsi(path) + Ansi("“ konnte nicht geschrieben werden."));
  };
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) throw failed();
  bool complete = false;
  {
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("ZYN Systemsoftware"));
    if (!title.empty()) writer.setTitle(QString::fromStdString(AnsiToUtf8(title)));
    try {
      complete = PrintPages(list, numbers, writer, progress, sheet);
    } catch (const EWriteError&) {
      file.cancelWriting();
      throw failed();
    }
  }
  if (!complete) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) throw failed();
  return true;
}

// ---- printer geometry ----

void TGmPrinterInfo::ReadGeometry(const QPrinter* printer) {
  const bool landscape = Landscape;
  *this = TGmPrinterInfo();
  Landscape = landscape;
  if (!printer || printer->outputFormat() != QPrinter::NativeFormat || !printer->isValid()) return;
  const int res = printer->resolution();
  if (res <= 0) return;
  QPageLayout layout = printer->pageLayout();
  const QSize full = layout.pageSize().sizePixels(res);  // portrait
  QMarginsF min = layout.minimumMargins();
  if (layout.orientation() == QPageLayout::Landscape)  // back to portrait
    min = QMarginsF(min.bottom(), min.left(), min.top(), min.right());
  const double toPixels = [&] {
    switch (layout.units()) {
      case QPageLayout::Millimeter:
        return res / 25.4;
      case QPageLayout::Point:
        return res / 72.0;
      case QPageLayout::Inch:
        return static_cast<double>(res);
      case QPageLayout::Pica:
        return res / 6.0;
      case QPageLayout::Didot:
        return res / 67.54;
      case QPageLayout::Cicero:
        return res / 5.628;
    }
    return res / 72.0;
  }();
  NoInformationContext = false;
  PhysicalWidth = full.width();
  PhysicalHeight = full.height();
  Left = static_cast<int>(std::lround(min.left() * toPixels));
  Top = static_cast<int>(std::lround(min.top() * toPixels));
  Right = Left;
  PrintableWidth = PhysicalWidth - Left - static_cast<int>(std::lround(min.right() * toPixels));
  PrintableHeight = PhysicalHeight - Top - static_cast<int>(std::lround(min.bottom() * toPixels));
  Bottom = PhysicalHeight - PrintableHeight - Top;
  PixelsPerInchX = PixelsPerInchY = res;
  ScreenFactor = 96.0 / res;
  Rotation = 1;
}

TGmPrinterInfo::TSides TGmPrinterInfo::Margins(bool landscape) const {
  TSides s{static_cast<double>(Left), static_cast<double>(Top), static_cast<double>(Right),
           static_cast<double>(Bottom)};
  if (landscape) s = {s.Top, s.Right, s.Bottom, s.Left};
  return s;
}

TGmPrinterInfo::TSides TGmPrinterInfo::MarginsInches(bool landscape) const {
  const TSides px = Margins(landscape);
  return {px.Left / PixelsPerInchX, px.Top / PixelsPerInchY, px.Right / PixelsPerInchX, px.Bottom / PixelsPerInchY};
}

double TGmPrinterInfo::PageWidthInches() const {
  return Landscape ? static_cast<double>(PhysicalHeight) / PixelsPerInchY
                   : static_cast<double>(PhysicalWidth) / PixelsPerInchX;
}

double TGmPrinterInfo::PageHeightInches() const {
  return Landscape ? static_cast<double>(PhysicalWidth) / PixelsPerInchX
                   : static_cast<double>(PhysicalHeight) / PixelsPerInchY;
}

// ---- the printer set-up ----

namespace {
struct TPaperRow {
  TGmPaperSize Size;
  int Code;
  QPageSize::PageSizeId Qt;
};
constexpr TPaperRow kPapers[] = {
    {A3, 8, QPageSize::A3},
    {A4, 9, QPageSize::A4},
    {A5, 11, QPageSize::A5},
    {A6, 70, QPageSize::A6},
    {B5, 13, QPageSize::B5},
    {C5, 28, QPageSize::C5E},
    {Legal, 5, QPageSize::Legal},
    {Letter, 1, QPageSize::Letter},
    {B4, 12, QPageSize::B4},
    {Envelope_09, 19, QPageSize::Envelope9},
    {Envelope_10, 20, QPageSize::Comm10E},
    {Envelope_11, 21, QPageSize::Envelope11},
    {Envelope_12, 22, QPageSize::Envelope12},
    {Envelope_14, 23, QPageSize::Envelope14},
    {Tabloid, 3, QPageSize::Tabloid},
    {Ledger, 4, QPageSize::Ledger},
    {Executive, 7, QPageSize::Executive},
    {Custom, -1, QPageSize::Custom},
};

QString Utf8(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

int TGmPrinter::PaperCode(TGmPaperSize size) {
  for (const TPaperRow& r : kPapers)
    if (r.Size == size) return r.Code;
  return -1;
}

TGmPaperSize TGmPrinter::PaperFromCode(int code) {
  for (const TPaperRow& r : kPapers)
    if (r.Code == code) return r.Size;
  return A4;
}

int TGmPrinter::DuplexCode(TGmDuplexType duplex) {
  return duplex == gmHorzDuplex ? 3 : duplex == gmVertDuplex ? 2 : 1;
}
TGmDuplexType TGmPrinter::DuplexFromCode(int code) {
  return code == 3 ? gmHorzDuplex : code == 2 ? gmVertDuplex : gmSimplex;
}
int TGmPrinter::ColorCode(TGmPrintColor color) { return color == gmMonochrome ? 1 : 2; }
TGmPrintColor TGmPrinter::ColorFromCode(int code) { return code == 1 ? gmMonochrome : gmColor; }
int TGmPrinter::DitherCode(TGmDitherType dither) {
  static constexpr int kCodes[] = {1, 2, 3, 4, 10};
  return kCodes[dither];
}
TGmDitherType TGmPrinter::DitherFromCode(int code) {
  switch (code) {
    case 2:
      return gmCourse;
    case 3:
      return gmFine;
    case 4:
      return gmLineArt;
    case 10:
      return gmGrayScale;
    default:
      return gmNone;
  }
}
int TGmPrinter::QualityCode(TGmPrintQuality quality) { return -1 - static_cast<int>(quality); }
TGmPrintQuality TGmPrinter::QualityFromCode(int code) {
  return code >= -4 && code <= -1 ? static_cast<TGmPrintQuality>(-1 - code) : gmMedium;
}

TGmPrinter::TGmPrinter() = default;
TGmPrinter::~TGmPrinter() = default;

std::string TGmPrinter::NoPrinterText() {
  return TranslateText(Ansi("Drucken nicht möglich: Es ist kein Drucker verfügbar."));
}

void TGmPrinter::Changed() {
  fInfoRead = false;
  if (fDevice) ApplyTo(*fDevice);
  if (OnChangePrinter) OnChangePrinter();
}

void TGmPrinter::SetPaperSize(TGmPaperSize size) {
  if (size == fPaperSize) return;
  fPaperSize = size;
  Changed();
}

void TGmPrinter::SetOrientation(TGmOrientation orientation) {
  if (orientation == fOrientation) return;
  fOrientation = orientation;
  Changed();
}

void TGmPrinter::SetPrinterName(const std::string& name) {
  if (name == fPrinterName) return;
  fPrinterName = name;
  if (fDevice) fDevice->setPrinterName(Utf8(name));
  Changed();
}

QPrinter& TGmPrinter::Device() {
  if (!fDevice) {
    fDevice = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ApplyTo(*fDevice);
  }
  return *fDevice;
}

const TGmPrinterInfo& TGmPrinter::Info() {
  if (!fInfoRead) {
    fInfo.Landscape = fOrientation == gmLandscape;
    fInfo.ReadGeometry(&Device());
    fInfoRead = true;
  }
  return fInfo;
}

void TGmPrinter::ApplyTo(QPrinter& printer) const {
  // A printer writing a file keeps doing so; another queue is chosen only when it exists.
  if (!fPrinterName.empty() && printer.outputFormat() == QPrinter::NativeFormat &&
      printer.printerName() != Utf8(fPrinterName) && QPrinterInfo::availablePrinterNames().contains(Utf8(fPrinterName)))
    printer.setPrinterName(Utf8(fPrinterName));
  printer.setCopyCount(std::max(1, PrintCopies));
  printer.setCollateCopies(Collate);
  printer.setDuplex(Duplex == gmSimplex      ? QPrinter::DuplexNone
                    : Duplex == gmHorzDuplex ? QPrinter::DuplexShortSide
                                             : QPrinter::DuplexLongSide);
  printer.setColorMode(PrintColor == gmColor ? QPrinter::Color : QPrinter::GrayScale);
  // The quality chooses the resolution the pages are replayed at.
  static constexpr int kDpi[] = {150, 300, 600, 1200};
  printer.setResolution(kDpi[PrintQuality]);
  printer.setDocName(Utf8(AnsiToUtf8(Title)));
  printer.setFullPage(true);
  QPageSize paper;
  for (const TPaperRow& r : kPapers)
    if (r.Size == fPaperSize && r.Qt != QPageSize::Custom) paper = QPageSize(r.Qt);
  if (paper.isValid()) printer.setPageSize(paper);
  printer.setPageOrientation(fOrientation == gmLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TGmPrinter::TakeFrom(const QPrinter& printer) {
  PrintCopies = printer.copyCount();
  Collate = printer.collateCopies();
  switch (printer.duplex()) {
    case QPrinter::DuplexShortSide:
      Duplex = gmHorzDuplex;
      break;
    case QPrinter::DuplexLongSide:
      Duplex = gmVertDuplex;
      break;
    default:
      Duplex = gmSimplex;
  }
  PrintColor = printer.colorMode() == QPrinter::GrayScale ? gmMonochrome : gmColor;
  const QPageLayout layout = printer.pageLayout();
  const QPageSize::PageSizeId id = layout.pageSize().id();
  TGmPaperSize paper = Custom;
  for (const TPaperRow& r : kPapers)
    if (r.Qt == id && r.Size != Custom) paper = r.Size;
  const TGmOrientation orientation = layout.orientation() == QPageLayout::Landscape ? gmLandscape : gmPortrait;
  const std::string name =
      printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName().toStdString() : fPrinterName;
  if (paper != fPaperSize || orientation != fOrientation || name != fPrinterName) {
    fPaperSize = paper;
    fOrientation = orientation;
    fPrinterName = name;
    fInfoRead = false;
    if (OnChangePrinter) OnChangePrinter();
  }
}

bool TGmPrinter::PageSetup(QWidget* parent) {
  QPrinter& device = Device();
  ApplyTo(device);
  QPageSetupDialog dialog(&device, parent);
  dialog.setWindowTitle(QString::fromStdString(AnsiToUtf8(TranslateText(Ansi("Drucker einrichten")))));
  if (dialog.exec() != QDialog::Accepted) return false;
  TakeFrom(device);
  SaveToOptions();
  return true;
}

void TGmPrinter::LoadFromOptions() {
  // Reading makes no entry: without one the defaults hold.
  if (!GOptionFile) return;
  const TOptionGroup<TPrinterItem>& group = *GOptionFile->Optionen().Printer;
  const TPrinterItem defaults;
  const TPrinterItem& o = group.Count() > 0 ? *group.Items(0) : defaults;
  fPrinterName = AnsiToUtf8(o.PrinterName);
  fPaperSize = PaperFromCode(o.PaperSize);
  fOrientation = o.Orientation == 2 ? gmLandscape : gmPortrait;
  PrintCopies = std::max(1, static_cast<int>(o.Copies));
  Collate = o.Collate;
  Duplex = DuplexFromCode(o.Duplex);
  PrintColor = ColorFromCode(o.PrintColor);
  DitherType = DitherFromCode(o.DitherType);
  PrintQuality = QualityFromCode(o.PrintQuality);
  fInfoRead = false;
  if (fDevice) ApplyTo(*fDevice);
}

void TGmPrinter::SaveToOptions() const {
  if (!GOptionFile) return;
  TPrinterItem& o = GOptionFile->Optionen().Printer->First();
  o.PrinterName = Utf8ToAnsi(fPrinterName);
  o.PaperSize = PaperCode(fPaperSize);
  o.Orientation = fOrientation == gmLandscape ? 2 : 1;
  o.Copies = PrintCopies;
  o.Collate = Collate;
  o.Duplex = DuplexCode(Duplex);
  o.PrintColor = ColorCode(PrintColor);
  o.DitherType = DitherCode(DitherType);
  o.PrintQuality = QualityCode(PrintQuality);
}

bool TGmPrinter::Print(const TGmPageList& list, const std::vector<int>& numbers, QPrinter& printer,
                       const TGmPrintProgress& progress) {
  if (fPrinting) return false;
  if (!printer.isValid()) {
    if (OnError) OnError(NoPrinterText());
    return false;
  }
  fPrinting = true;
  struct TDone {
    TGmPrinter& p;
    ~TDone() {
      p.fPrinting = false;
      if (p.AfterPrint) p.AfterPrint();
    }
  } done{*this};
  if (BeforePrint) BeforePrint();
  printer.setFullPage(true);
  printer.setDocName(Utf8(AnsiToUtf8(Title)));
  const TGmSheetSetup sheet = Sheet();
  try {
    // A printer writing a PDF file writes it whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
      return SaveDocumentPdf(list, numbers, printer.outputFileName().toStdString(), Title, progress, &sheet);
    if (!PrintPages(list, numbers, printer, progress, &sheet)) {
      printer.abort();
      return false;
    }
  } catch (const EWriteError& e) {
    if (OnError) OnError(e.what());
    return false;
  }
  return true;
}

TGmPrinter& ProgramPrinter() {
  static TGmPrinter* printer = nullptr;
  if (!printer) {
    printer = new TGmPrinter;
    printer->LoadFromOptions();
    // The Qt printer goes with the application, before the print plugins are unloaded.
    qAddPostRoutine([] {
      delete printer;
      printer = nullptr;
    });
  }
  return *printer;
}

}  // namespace zyn
