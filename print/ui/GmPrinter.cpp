#include "print/ui/GmPrinter.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "print/GmObjects.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

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
QPageLayout SheetLayout(const TGmPage& page, TGmPagesPerSheet pps) {
  bool landscape = page.Width() > page.Height();
  if (pps == gmTwoPage) landscape = !landscape;  // two pages lie side by side on a turned sheet
  const double shortSide = static_cast<double>(std::min(page.Width(), page.Height())) * 72;
  const double longSide = static_cast<double>(std::max(page.Width(), page.Height())) * 72;
  return QPageLayout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}
}  // namespace

bool PrintPages(const TGmPageList& list, const std::vector<int>& numbers, QPagedPaintDevice& device,
                const TGmPrintProgress& progress) {
  if (numbers.empty()) return true;
  const TGmPagesPerSheet pps = list.PagesPerSheet();
  device.setPageLayout(SheetLayout(*list.GetPage(numbers.front()), pps));
  QPainter painter;
  if (!painter.begin(&device)) throw EWriteError(Ansi("Der Druckauftrag konnte nicht begonnen werden."));
  const int total = static_cast<int>(numbers.size());
  for (int i = 0; i < total; ++i) {
    const TGmPage& page = *list.GetPage(numbers[static_cast<size_t>(i)]);
    const int position = i + 1;
    if (i > 0 && StartsSheet(pps, position)) {
      device.setPageLayout(SheetLayout(page, pps));
      device.newPage();
    }
    const double ppiX = device.logicalDpiX(), ppiY = device.logicalDpiY();
    const QRectF full = device.pageLayout().fullRectPixels(device.logicalDpiX());
    const bool landscapeSheet = full.width() > full.height();
    const TGmSheetSlot slot =
        SheetSlot(pps, position, static_cast<int>(full.width()), static_cast<int>(full.height()), landscapeSheet);
    painter.save();
    painter.translate(slot.Rect.left(), slot.Rect.top());
    painter.scale(slot.Scale / 100.0, slot.Scale / 100.0);
    painter.setClipRect(
        QRectF(0, 0, static_cast<double>(page.Width()) * ppiX, static_cast<double>(page.Height()) * ppiY));
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
                     const std::string& title, const TGmPrintProgress& progress) {
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
      complete = PrintPages(list, numbers, writer, progress);
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

std::string TGmPrinter::NoPrinterText() {
  return TranslateText(Ansi("Drucken nicht möglich: Es ist kein Drucker verfügbar."));
}

void TGmPrinter::ApplyTo(QPrinter& printer) const {
  printer.setCopyCount(std::max(1, PrintCopies));
  printer.setCollateCopies(Collate);
  printer.setDuplex(Duplex == gmSimplex      ? QPrinter::DuplexNone
                    : Duplex == gmHorzDuplex ? QPrinter::DuplexShortSide
                                             : QPrinter::DuplexLongSide);
  printer.setColorMode(PrintColor == gmColor ? QPrinter::Color : QPrinter::GrayScale);
  // The quality chooses the resolution the pages are replayed at.
  static constexpr int kDpi[] = {150, 300, 600, 1200};
  printer.setResolution(kDpi[PrintQuality]);
  printer.setDocName(QString::fromStdString(AnsiToUtf8(Title)));
  printer.setFullPage(true);
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
  printer.setDocName(QString::fromStdString(AnsiToUtf8(Title)));
  try {
    // A printer writing a PDF file writes it whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
      return SaveDocumentPdf(list, numbers, printer.outputFileName().toStdString(), Title, progress);
    if (!PrintPages(list, numbers, printer, progress)) {
      printer.abort();
      return false;
    }
  } catch (const EWriteError& e) {
    if (OnError) OnError(e.what());
    return false;
  }
  return true;
}

}  // namespace zyn
