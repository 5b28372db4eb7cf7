#pragma once
// The layout of the project documentation on an A4 portrait sheet, in millimetres: a vertical
// cursor, the line height of the current font, margins, ten tab stops, the contents list, the
// page frame (header, footer, automatic page break) and the small printing operations the
// sections are built from. Everything is recorded on the last page of a page list.

#include "print/GmCanvas.h"
#include "print/GmPageList.h"

#include <QDateTime>
#include <QImage>

#include <array>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace zyn {

// The installer's company data printed in the headers and footers (Windows-1252).
struct TDocCompany {
  std::string Firma1, Firma2, Strasse, PLZ, Ort, Telefon;
};

// The project data the page headers show (Windows-1252).
struct TDocHeaderData {
  std::string ProjektNummer, Ausfuehrung, KundenNr, FirmenName, Ansprechpartner, ProjektName;
};

// "%s", "%d" items with flags, width and precision ("%2.2d", "%-5s", "%1.1d"), "%%"; the
// arguments in order. An item without an argument is copied as it stands.
using TDocArg = std::variant<std::string, long long>;
std::string DocFormat(const std::string& format, std::initializer_list<TDocArg> args);
// A number of the model as a DocFormat argument.
inline TDocArg DocNumber(long long value) { return value; }
// The red of the documentation's marked texts.
inline constexpr TGmColor kDocRed = 0x0000FF;
// TranslateText of a UTF-8 literal; the result is Windows-1252.
std::string DocText(const char* utf8);
// Dates and times as the programme writes them: "11.12.2026", "09:30" (empty when invalid).
std::string DocDate(const QDate& date);
std::string DocTime(const QTime& time);

class TDocLayout {
 public:
  explicit TDocLayout(TGmPageList& pages);
  TDocLayout(const TDocLayout&) = delete;
  TDocLayout& operator=(const TDocLayout&) = delete;

  // Layout state.
  double Y = 0;
  double LineHeight = 0;
  double LeftMargin = 20, RightMargin = 195, TopMargin = 15, PageBottom = 270;
  static constexpr double SheetWidth = 210;
  std::array<double, 10> TabStops{};
  std::string CompanyLine;
  QImage HeaderLogo;
  std::vector<std::string> ContentsList;
  TDocCompany Company;
  TDocHeaderData HeaderData;
  // The moment shown as "Druckdatum:" and "Druckzeit:".
  QDateTime PrintTime = QDateTime::currentDateTime();

  TGmPageList& Pages() { return fPages; }
  TGmCanvas& Canvas() { return fPages.Canvas(); }
  int PageNumber() const { return fPages.CurrentPage(); }

  // Clears the pages (one empty page remains) and forgets which pages have their footer.
  void StartDocument();
  void SetPrintFont(const char* name, int size, int style);
  void NextLine();
  void CheckPageBreak();
  void NewPage();
  // title nullptr: no title.
  void PrintPageHeader(const std::string* title);
  void PrintPageHeader(const std::string& title) { PrintPageHeader(&title); }
  void PrintPageFooter();
  void StepBackLine();
  void DrawLine(double x1, double y1, double x2, double y2);
  void PrintTextAt(const std::string& text, double x);
  void PrintLeft(const std::string& text) { PrintTextAt(text, LeftMargin); }
  void PrintLabelValue(const std::string& text, double x) { PrintLabelValueAt(text, LeftMargin, x); }
  void PrintLabelValueAt(const std::string& text, double xLabel, double xValue);
  void PrintTitleRight(const std::string& text);
  void PrintSubTitle(const std::string& text);
  void PrintTabbedLine(const std::string& text);
  void PrintCentered(const std::string& text);
  // A word-wrapped box from (x, Y) to the right margin and the page bottom; a text that does not
  // fit below the cursor but fits on a fresh page starts one (header without a title). Y is not
  // changed. PrintBox: the same box to (right, bottom), where it stands.
  void PrintMemo(const std::string& text, double x);
  // The height of the memo box the text needs, in millimetres (0 for no text).
  double MemoHeight(const std::string& text, double x);
  void PrintBox(const std::string& text, double x, double right, double bottom);
  // The heading rule after a heading row: to `right`, then Y grows by one line (the module-data
  // variant rounds the offset and grows by 0.6 lines).
  void HeadingRule(double right, bool moduleVariant = false);
  // Starts a new page (header without a title) when `height` mm do not fit below the cursor.
  void EnsureRoom(double height);
  void SetTabs(std::initializer_list<double> stops);
  void AddSectionEntry(const std::string& title);

  double TextWidthMm(const std::string& text);
  double TextHeightMm(const std::string& text);

 private:
  TGmPageList& fPages;
  // The pages of this document whose footer has been drawn, so that it is drawn once per page.
  std::vector<bool> fFooterDrawn;
};

}  // namespace zyn
