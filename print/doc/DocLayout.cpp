#include "print/doc/DocLayout.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"


#include <cmath>
#include <cstdio>

namespace zyn {

namespace {
constexpr double kMmPerInch = 25.4;
constexpr size_t kMaxPart = 255;
// The page number of the footer ends here, 5 mm left of the rule's end.
constexpr double kFooterNumberRight = 190;
}  // namespace

std::string DocDate(const QDate& date) {
  return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")).toStdString() : std::string();
}

std::string DocTime(const QTime& time) {
  return time.isValid() ? time.toString(QStringLiteral("hh:mm")).toStdString() : std::string();
}

std::string DocFormat(const std::string& format, std::initializer_list<TDocArg> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < format.size() && (format[j] == '-' || format[j] == '.' || (format[j] >= '0' && format[j] <= '9'))) ++j;
    if (j >= format.size() || (format[j] != 's' && format[j] != 'd') || next == args.end() ||
        (format[j] == 's') != std::holds_alternative<std::string>(*next)) {
      out += format[i];
      continue;
    }
    const std::string conversion = format.substr(i, j - i);
    char buf[512];
    if (format[j] == 'd') {
      std::snprintf(buf, sizeof buf, (conversion + "lld").c_str(), std::get<long long>(*next));
      out += buf;
    } else {
      const std::string& s = std::get<std::string>(*next);
      // Width and precision of a text item: pad to the width, cut to the precision.
      bool left = false;
      size_t k = 1;
      if (k < conversion.size() && conversion[k] == '-') {
        left = true;
        ++k;
      }
      size_t width = 0, prec = std::string::npos;
      while (k < conversion.size() && conversion[k] != '.')
        width = width * 10 + static_cast<size_t>(conversion[k++] - '0');
      if (k < conversion.size() && conversion[k] == '.') {
        prec = 0;
        for (++k; k < conversion.size(); ++k) prec = prec * 10 + static_cast<size_t>(conversion[k] - '0');
      }
      std::string t = s.substr(0, prec);
      if (t.size() < width) t = left ? t + std::string(width - t.size(), ' ') : std::string(width - t.size(), ' ') + t;
      out += t;
    }
    ++next;
    i = j;
  }
  return out;
}

std::string DocText(const char* utf8) { return TranslateText(Ansi(utf8)); }

TDocLayout::TDocLayout(TGmPageList& pages) : fPages(pages) {}

void TDocLayout::StartDocument() {
  fPages.Clear();
  fFooterDrawn.clear();
}

double TDocLayout::TextWidthMm(const std::string& text) {
  return static_cast<double>(Canvas().TextWidth(text)) * kMmPerInch;
}
double TDocLayout::TextHeightMm(const std::string& text) {
  return static_cast<double>(Canvas().TextHeight(text)) * kMmPerInch;
}

void TDocLayout::SetPrintFont(const char* name, int size, int style) {
  TGmFont& f = Canvas().Font();
  if (name) f.Name = name;
  f.Size = size;
  f.Style = static_cast<TGmFontStyles>(style);
  LineHeight = TextHeightMm(Ansi("Äj"));
}

void TDocLayout::NextLine() {
  Y += LineHeight;
  CheckPageBreak();
}

void TDocLayout::CheckPageBreak() {
  if (Y < PageBottom) return;
  fPages.AddPage();
  PrintPageHeader(nullptr);
}

void TDocLayout::NewPage() {
  fPages.AddPage();
  PrintPageFooter();
  Y = 30;
}

void TDocLayout::EnsureRoom(double height) {
  if (Y + height <= PageBottom) return;
  fPages.AddPage();
  PrintPageHeader(nullptr);
}

void TDocLayout::AddSectionEntry(const std::string& title) {
  ContentsList.push_back(title + "\t\t\t\t" + std::to_string(PageNumber()));
}

void TDocLayout::PrintPageHeader(const std::string* title) {
  if (title) ContentsList.push_back("\t" + *title + "\t\t\t" + std::to_string(PageNumber()));
  SetPrintFont("Arial", 12, fsBold);
  Y = TopMargin;
  if (!HeaderLogo.isNull()) {
    Canvas().Draw(HeaderLogo, gmMillimeters, LeftMargin, TopMargin, 0.5);
  } else {
    PrintLeft(Company.Firma1);
    PrintLeft(Company.Firma2);
    PrintLeft(Company.Strasse);
    PrintLeft(Company.PLZ + " " + Company.Ort);
    PrintLeft(Company.Telefon);
  }
  SetPrintFont(nullptr, 10, 0);
  Y = TopMargin;
  const std::string date = DocDate(PrintTime.date());
  const std::string time = DocTime(PrintTime.time());
  PrintLabelValueAt(DocText("Projektnummer:") + HeaderData.ProjektNummer, 110, 150);
  PrintLabelValueAt(DocText("Ausführung:") + HeaderData.Ausfuehrung, 110, 150);
  PrintLabelValueAt(DocText("Kundennummer:") + HeaderData.KundenNr, 110, 150);
  PrintLabelValueAt(DocText("Kundenname / Firma:") + HeaderData.FirmenName, 110, 150);
  PrintLabelValueAt(DocText("Ansprechpartner:") + HeaderData.Ansprechpartner, 110, 150);
  PrintLabelValueAt(DocText("Druckdatum:") + date, 110, 150);
  PrintLabelValueAt(DocText("Druckzeit:") + time, 110, 150);
  Y = 45;
  PrintTextAt(DocText("Projektbezeichnung:") + HeaderData.ProjektName, LeftMargin);
  DrawLine(LeftMargin, 50, RightMargin, 50);
  PrintPageFooter();
  Y = 60;
  SetPrintFont(nullptr, 16, fsBold);
  PrintTitleRight(title ? *title : std::string());
  SetPrintFont(nullptr, 10, 0);
  const bool hasTitle = title && title->find_first_not_of(" \t") != std::string::npos;
  Y = hasTitle ? 80 : 60;
}

void TDocLayout::PrintPageFooter() {
  const int page = PageNumber();
  // A page that already has its footer (a section's header after NewPage) is not drawn over.
  if (page < 1) return;
  if (static_cast<size_t>(page) <= fFooterDrawn.size() && fFooterDrawn[static_cast<size_t>(page) - 1]) return;
  if (fFooterDrawn.size() < static_cast<size_t>(page)) fFooterDrawn.resize(static_cast<size_t>(page), false);
  fFooterDrawn[static_cast<size_t>(page) - 1] = true;
  const TGmFont saved = [&] {
    TGmFont f;
    f.Name = Canvas().Font().Name;
    f.Size = Canvas().Font().Size;
    f.Style = Canvas().Font().Style;
    return f;
  }();
  SetPrintFont("Arial", 10, 0);
  DrawLine(LeftMargin, 275, RightMargin, 275);
  Canvas().TextOut(CompanyLine, LeftMargin, 276);
  const std::string number = DocFormat(DocText("Seite %d"), {static_cast<long long>(page)});
  Canvas().TextOut(number, kFooterNumberRight - TextWidthMm(number), 276);
  SetPrintFont(saved.Name.c_str(), saved.Size, saved.Style);
}

void TDocLayout::StepBackLine() {
  if (Y >= TopMargin + LineHeight) Y -= LineHeight;
}

void TDocLayout::DrawLine(double x1, double y1, double x2, double y2) {
  Canvas().MoveTo(gmMillimeters, x1, y1);
  Canvas().LineTo(gmMillimeters, x2, y2);
}

void TDocLayout::PrintTextAt(const std::string& text, double x) {
  Canvas().TextOut(text, x, Y);
  NextLine();
}

void TDocLayout::PrintLabelValueAt(const std::string& text, double xLabel, double xValue) {
  const size_t colon = text.find(':');
  const std::string label = colon == std::string::npos ? std::string() : text.substr(0, colon + 1);
  const std::string value = colon == std::string::npos ? text.substr(0, kMaxPart) : text.substr(colon + 1, kMaxPart);
  Canvas().TextOut(label, xLabel, Y);
  Canvas().TextOut(value, xValue, Y);
  NextLine();
}

void TDocLayout::PrintTitleRight(const std::string& text) {
  Canvas().TextOut(text, RightMargin - TextWidthMm(text), Y);
  NextLine();
}

void TDocLayout::PrintSubTitle(const std::string& text) {
  ContentsList.push_back("\t\t\t" + text + "\t" + std::to_string(PageNumber()));
  SetPrintFont(nullptr, 12, fsBold);
  PrintLeft(text);
  SetPrintFont(nullptr, 12, 0);
  Y += LineHeight;
}

void TDocLayout::PrintTabbedLine(const std::string& text) {
  size_t start = 0;
  for (int i = 0; i < 10; ++i) {
    const size_t tab = text.find('\t', start);
    const std::string part = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    Canvas().TextOut(part.substr(0, kMaxPart), TabStops[static_cast<size_t>(i)], Y);
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  NextLine();
}

void TDocLayout::PrintCentered(const std::string& text) {
  Canvas().TextOut(text, (SheetWidth - TextWidthMm(text)) / 2, Y);
  Y += LineHeight;
}

void TDocLayout::PrintBox(const std::string& text, double x, double right, double bottom) {
  Canvas().TextBox(text, 0, 0, gmMillimeters, x, Y, right, bottom);
}

double TDocLayout::MemoHeight(const std::string& text, double x) {
  if (text.empty()) return 0;
  return static_cast<double>(Canvas().TextBoxHeight(text, gmMillimeters, 1, RightMargin - x)) * kMmPerInch;
}

void TDocLayout::PrintMemo(const std::string& text, double x) {
  // A text that does not fit below the cursor but would fit on a fresh page starts one.
  const double needed = MemoHeight(text, x);
  if (Y + needed > PageBottom && Y > 60 && 60 + needed <= PageBottom) {
    fPages.AddPage();
    PrintPageHeader(nullptr);
  }
  PrintBox(text, x, RightMargin, PageBottom);
}

void TDocLayout::HeadingRule(double right, bool moduleVariant) {
  if (moduleVariant) {
    const double y = Y + std::round(0.3 * LineHeight);
    DrawLine(LeftMargin, y, right, y);
    Y += 0.6 * LineHeight;
  } else {
    const double y = Y + 0.3 * LineHeight;
    DrawLine(LeftMargin, y, right, y);
    Y += LineHeight;
  }
  SetPrintFont(nullptr, 10, 0);
}

void TDocLayout::SetTabs(std::initializer_list<double> stops) {
  size_t i = 0;
  for (double s : stops) TabStops[i++] = s;
}

}  // namespace zyn
