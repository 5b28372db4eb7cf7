#include "print/GmFontMapper.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLoggingCategory>
#include <QPainter>
#include <QRawFont>

#include <cctype>
#include <cmath>

Q_LOGGING_CATEGORY(lcGmFonts, "zyn.print.fonts")

namespace zyn {

namespace {

QString ToQ(std::string_view ansi) { return GmToQString(ansi); }

// Metric-compatible stand-ins for the fonts documents name.
const char* MetricFamily(const std::string& lower) {
  if (lower == "arial" || lower == "helvetica" || lower == "ms sans serif" || lower == "microsoft sans serif" ||
      lower == "tahoma" || lower == "verdana" || lower == "segoe ui")
    return "Liberation Sans";
  if (lower == "arial narrow") return "Liberation Sans Narrow";
  if (lower == "times new roman" || lower == "times" || lower == "ms serif") return "Liberation Serif";
  if (lower == "courier new" || lower == "courier" || lower == "lucida console") return "Liberation Mono";
  return nullptr;
}

}  // namespace

TGmFontMapper::TGmFontMapper() : fReference(PlatformResolution()) {}

TGmFontMapper& TGmFontMapper::Instance() {
  static TGmFontMapper mapper;
  return mapper;
}

int TGmFontMapper::PlatformResolution() {
  const std::string name = WindowsVersionName();
  return name == "Windows 95" || name == "Windows 98" ? 3600 : 7200;
}

QString TGmFontMapper::MapFamily(const std::string& name) {
  auto it = fFamilies.find(name);
  if (it != fFamilies.end()) return it->second;
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  QString family;
  if (const char* metric = MetricFamily(lower); metric && QFontDatabase::hasFamily(metric))
    family = metric;
  else if (!name.empty() && QFontDatabase::hasFamily(ToQ(name)))
    family = ToQ(name);
  if (family.isEmpty()) {
    for (const char* f : {"Liberation Sans", "DejaVu Sans"})
      if (QFontDatabase::hasFamily(f)) {
        family = f;
        break;
      }
    if (family.isEmpty()) family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    qCWarning(lcGmFonts).noquote() << "Schrift" << ToQ(name) << "ist nicht installiert, ersetzt durch" << family;
  }
  fFamilies.emplace(name, family);
  return family;
}

QFont TGmFontMapper::MakeFont(const TGmFont& font, TGmExtended ppi) {
  QFont f(MapFamily(font.Name));
  const std::int64_t px = GmRound(std::fabs(static_cast<double>(font.Size)) * ppi / 72.0L);
  f.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(px, 1, 100000)));
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoSubpixelAntialias));
  return f;
}

TGmPoint TGmFontMapper::TextExtentInches(const TGmFont& font, std::string_view text) {
  const QFontMetricsF fm(MakeFont(font, fReference));
  return {fm.horizontalAdvance(ToQ(text)) / fReference, fm.height() / fReference};
}

std::vector<int> TGmFontMapper::CarryAdvances(const std::vector<TGmExtended>& widths) {
  std::vector<int> out;
  out.reserve(widths.size());
  TGmExtended carry = 0;
  for (TGmExtended w : widths) {
    std::int64_t adv = GmTrunc(w);
    carry += w - std::trunc(w);
    if (carry > 1) {
      // The carry loses exactly what the advance gained, so the line keeps its measured length.
      const std::int64_t whole = GmTrunc(carry);
      adv += whole;
      carry -= static_cast<TGmExtended>(whole);
    }
    out.push_back(static_cast<int>(adv));
  }
  return out;
}

std::vector<int> TGmFontMapper::Advances(const TGmFont& font, std::string_view text, TGmExtended targetPpi) {
  const QFontMetricsF fm(MakeFont(font, fReference));
  const QString q = ToQ(text);
  std::vector<TGmExtended> widths;
  widths.reserve(static_cast<size_t>(q.size()));
  for (QChar c : q) widths.push_back(fm.horizontalAdvance(c) / fReference * targetPpi);
  return CarryAdvances(widths);
}

void TGmFontMapper::TextOutMapped(QPainter& painter, const TGmFont& font, TGmExtended targetPpi, int x, int y,
                                  bool forScreen, std::string_view text, const QRect* clip) {
  fReference = forScreen ? 96 : PlatformResolution();
  if (text.empty()) return;
  const QFont target = MakeFont(font, targetPpi);
  painter.save();
  if (clip) painter.setClipRect(*clip, Qt::IntersectClip);
  painter.setPen(GmToQColor(font.Color));
  const QString q = ToQ(text);
  if (WindowsVersionName() == "Windows NT") {
    painter.setFont(target);
    painter.drawText(QPointF(x, y + QFontMetricsF(target).ascent()), q);
    painter.restore();
    return;
  }
  const std::vector<int> adv = Advances(font, text, targetPpi);
  const QRawFont raw = QRawFont::fromFont(target);
  const QList<quint32> glyphs = raw.glyphIndexesForString(q);
  QList<QPointF> pos;
  pos.reserve(glyphs.size());
  qreal px = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    pos.push_back(QPointF(px, 0));
    px += i < static_cast<qsizetype>(adv.size()) ? adv[static_cast<size_t>(i)] : 0;
  }
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(pos);
  run.setUnderline(font.Style & fsUnderline);
  run.setStrikeOut(font.Style & fsStrikeOut);
  painter.drawGlyphRun(QPointF(x, y + raw.ascent()), run);
  painter.restore();
}

std::vector<std::string> TGmFontMapper::WrapLines(const TGmFont& font, std::string_view input, TGmExtended widthInches,
                                                  bool wordWrap) {
  std::string text;
  text.reserve(input.size());
  for (size_t i = 0; i < input.size(); ++i) {
    text += input[i];
    if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') ++i;
  }
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t stop = text.find_first_of(" \r", pos);
    const size_t end = stop == std::string::npos ? text.size() : stop + 1;
    std::string word = text.substr(pos, end - pos);
    pos = end;
    if (pending || (wordWrap && TextWidthInches(font, line + word) > widthInches)) {
      if (!pending && TextWidthInches(font, word) > widthInches) {
        // A word wider than the box gets a line of its own and is clipped at the right edge.
        if (!line.empty()) lines.push_back(line);
        lines.push_back(word);
        line.clear();
        continue;
      }
      if (!line.empty() || pending) lines.push_back(line);
      line.clear();
      pending = false;
    }
    line += word;
    pending = !line.empty() && line.back() == '\r';
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

namespace {
std::string TrimEnd(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  return s;
}
}  // namespace

TGmExtended TGmFontMapper::DrawWrappedText(QPainter& painter, const TGmFont& font, TGmExtended targetPpi,
                                           const QRect& rect, bool forScreen, int alignment, std::string_view text,
                                           bool wordWrap) {
  fReference = forScreen ? 96 : PlatformResolution();
  const TGmExtended available = (rect.right() + 1 - rect.left()) / targetPpi;
  const std::vector<std::string> lines = WrapLines(font, text, available, wordWrap);
  const TGmExtended lineHeight = TextHeightInches(font, text);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string l = TrimEnd(lines[n]);
    const int widthPx = GmPixels(TextWidthInches(font, l), targetPpi);
    int left = rect.left();
    if (alignment == 1)
      left += rect.width() - widthPx;
    else if (alignment == 2)
      left += (rect.width() - widthPx) / 2;
    const int top = rect.top() + GmPixels(lineHeight * static_cast<TGmExtended>(n), targetPpi);
    TextOutMapped(painter, font, targetPpi, left, top, forScreen, l, &rect);
  }
  return lineHeight * static_cast<TGmExtended>(lines.size());
}

TGmExtended TGmFontMapper::WrappedTextHeight(const TGmFont& font, const QRect& rect, std::string_view text,
                                             bool wordWrap) {
  const TGmExtended available = static_cast<TGmExtended>(rect.width()) / fReference;
  const std::vector<std::string> lines = WrapLines(font, text, available, wordWrap);
  return TextHeightInches(font, text) * static_cast<TGmExtended>(lines.size());
}

TGmExtended FontHeightInches(const TGmFont& font) {
  const QFontMetricsF fm(TGmFontMapper::Instance().MakeFont(font, 600));
  return static_cast<TGmExtended>(GmRound(fm.height())) / 600;
}

TGmPoint TextExtentInches(const std::string& text, const TGmFont& font) {
  if (text.empty()) return {0, 0};
  const QFontMetricsF fm(TGmFontMapper::Instance().MakeFont(font, 600));
  return {static_cast<TGmExtended>(GmRound(fm.horizontalAdvance(GmToQString(text)))) / 600,
          static_cast<TGmExtended>(GmRound(fm.height())) / 600};
}

}  // namespace zyn
