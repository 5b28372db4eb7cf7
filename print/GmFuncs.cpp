#include "print/GmFuncs.h"

#include "model/base/Cp1252.h"
#include "print/GmJpeg.h"

#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSysInfo>

#include <cstdio>

namespace zyn {

QColor GmToQColor(TGmColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
QString GmToQString(std::string_view ansi) {
  const std::u16string u = AnsiToUtf16(ansi);
  return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

TGmColor GmFromQColor(const QColor& c) {
  return TGmColor(c.red()) | (TGmColor(c.green()) << 8) | (TGmColor(c.blue()) << 16);
}

std::string ReplaceText(std::string_view text, std::string_view token, std::string_view replacement) {
  std::string out(text);
  if (token.empty()) return out;
  size_t pos = out.find(token);
  while (pos != std::string::npos) {
    out.replace(pos, token.size(), replacement);
    pos = out.find(token, pos + replacement.size());
  }
  return out;
}

namespace {
std::string Two(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%02d", v);
  return b;
}
}  // namespace

std::string FormatGmDateTime(std::string_view f, const std::tm& when) {
  std::string out;
  bool afterHour = false;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < f.size() && (f[i + n] | 0x20) == c) ++n;
    return n;
  };
  while (i < f.size()) {
    const char c = static_cast<char>(f[i] | 0x20);
    size_t n = 0;
    if (c == 'd' && (n = run('d')) > 0) {
      out += n >= 2 ? Two(when.tm_mday) : std::to_string(when.tm_mday);
    } else if (c == 'm' && (n = run('m')) > 0) {
      const int v = afterHour ? when.tm_min : when.tm_mon + 1;
      out += n >= 2 ? Two(v) : std::to_string(v);
      afterHour = false;
    } else if (c == 'n' && (n = run('n')) > 0) {
      out += n >= 2 ? Two(when.tm_min) : std::to_string(when.tm_min);
    } else if (c == 'y' && (n = run('y')) > 0) {
      out += n >= 3 ? std::to_string(when.tm_year + 1900) : Two((when.tm_year + 1900) % 100);
    } else if (c == 'h' && (n = run('h')) > 0) {
      out += n >= 2 ? Two(when.tm_hour) : std::to_string(when.tm_hour);
      afterHour = true;
      i += n;
      continue;
    } else if (c == 's' && (n = run('s')) > 0) {
      out += n >= 2 ? Two(when.tm_sec) : std::to_string(when.tm_sec);
    } else {
      n = 1;
      out += f[i] == '/' ? '.' : f[i];
    }
    i += n;
  }
  return out;
}

std::string ReplacePageTokensAt(std::string_view text, int page, int pageCount, std::string_view dateFormat,
                                std::string_view timeFormat, const std::tm& when) {
  std::string s(text);
  if (s.find('{') == std::string::npos) return s;
  s = ReplaceText(s, "{DATE}", FormatGmDateTime(dateFormat, when));
  s = ReplaceText(s, "{TIME}", FormatGmDateTime(timeFormat, when));
  s = ReplaceText(s, "{PAGE}", std::to_string(page));
  return ReplaceText(s, "{NUMPAGES}", std::to_string(pageCount));
}

std::string ReplacePageTokens(std::string_view text, int page, int pageCount, std::string_view dateFormat,
                              std::string_view timeFormat) {
  const std::time_t now = std::time(nullptr);
  std::tm when{};
  localtime_r(&now, &when);
  return ReplacePageTokensAt(text, page, pageCount, dateFormat, timeFormat, when);
}

TGmPoint PaperSizeInches(std::uint8_t paperSize) {
  auto mm = [](TGmExtended w, TGmExtended h) { return TGmPoint{w / 25.4L, h / 25.4L}; };
  switch (paperSize & 0x7F) {
    case A3:
      return mm(297, 420);
    case A4:
      return mm(210, 297);
    case A5:
      return mm(148.5L, 210);
    case A6:
      return mm(105, 148);
    case B5:
      return {6.92L, 9.84L};
    case C5:
      return {6.38L, 9.02L};
    case Legal:
      return {8.5L, 14};
    case Letter:
      return {8.5L, 11};
    case B4:
      return mm(250, 354);
    case Envelope_09:
      return {3.78L, 8.78L};
    case Envelope_10:
      return {4.18L, 9.12L};
    case Envelope_11:
      return {4.12L, 10.38L};
    case Envelope_12:
      return {12.44L, 11};
    case Envelope_14:
      return {14.5L, 11.12L};
    case Tabloid:
      return {11, 17};
    case Ledger:
      return {17, 11};
    case Executive:
      return {7.14L, 10.12L};
    default:
      return {0, 0};
  }
}

std::string FontStyleText(TGmFontStyles styles) {
  std::string s;
  auto add = [&](const char* t) {
    if (!s.empty()) s += ',';
    s += t;
  };
  if (styles & fsBold) add("b");
  if (styles & fsItalic) add("i");
  if (styles & fsUnderline) add("u");
  return s;
}

TGmFontStyles FontStyleFromText(std::string_view text) {
  TGmFontStyles st = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view item = text.substr(start, comma - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item == "b")
      st |= fsBold;
    else if (item == "i")
      st |= fsItalic;
    else if (item == "u")
      st |= fsUnderline;
    start = comma + 1;
  }
  return st;
}

TGmColor ContrastColour(TGmColor colour) {
  auto flip = [](TGmColor v) -> TGmColor { return v < 129 ? 255 : 0; };
  return flip(colour & 0xFF) | (flip((colour >> 8) & 0xFF) << 8) | (flip((colour >> 16) & 0xFF) << 16);
}

bool IsPrinterCanvas(const QPainter& painter) {
  const QPaintDevice* d = painter.device();
  if (!d) return false;
  if (d->devType() == QInternal::Printer) return true;
  const QPaintEngine* e = painter.paintEngine();
  return e && e->type() == QPaintEngine::Pdf;
}

void DrawRectangle(QPainter& painter, const QRect& r) {
  // Through top-left once more, so the corner joins of wide pens stay closed.
  const QPoint pts[6] = {r.topLeft(),
                         {r.left() + r.width(), r.top()},
                         {r.left() + r.width(), r.top() + r.height()},
                         {r.left(), r.top() + r.height()},
                         r.topLeft(),
                         {r.left() + r.width(), r.top()}};
  const QPen pen = painter.pen();
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(pts, 4);
  painter.setPen(pen);
  painter.drawPolyline(pts, 6);
}

namespace {
void DrawBezier(QPainter& painter, const QPolygon& pts) {
  if (pts.size() < 4) return;
  QPainterPath path(pts[0]);
  for (int i = 1; i + 2 < pts.size(); i += 3) path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  painter.restore();
}
}  // namespace

void DrawPoly(int type, QPainter& painter, const QPolygon& points) {
  switch (type) {
    case 15:
      painter.drawPolygon(points);
      break;
    case 16:
    case 18:
      painter.drawPolyline(points);
      break;
    case 17:
    case 19:
      DrawBezier(painter, points);
      break;
    default:
      break;
  }
}

bool IsStandardRop(std::uint32_t rop) {
  switch (rop) {
    case GmBLACKNESS:
    case GmNOTSRCERASE:
    case GmNOTSRCCOPY:
    case GmSRCERASE:
    case GmDSTINVERT:
    case GmPATINVERT:
    case GmSRCINVERT:
    case GmSRCAND:
    case GmMERGEPAINT:
    case GmMERGECOPY:
    case GmSRCPAINT:
    case GmPATCOPY:
    case GmPATPAINT:
    case GmWHITENESS:
    case GmSRCCOPY:
      return true;
    default:
      return false;
  }
}

namespace {
// The source combined with the pattern colour bit by bit.
QImage CombineWithPattern(const QImage& src, QRgb pattern, bool orNotSource) {
  QImage img = src.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      line[x] = 0xFF000000u | ((orNotSource ? (pattern | ~line[x]) : (pattern & line[x])) & 0xFFFFFF);
  }
  return img;
}
}  // namespace

void StretchBitmap(QPainter& painter, const QRect& r, const QImage& bitmap, std::uint32_t copyMode) {
  if (bitmap.isNull()) return;
  std::uint32_t rop = IsStandardRop(copyMode) ? copyMode : GmSRCCOPY;
  const QPaintEngine* engine = painter.paintEngine();
  const bool rasterOps = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
  if (!rasterOps && rop != GmBLACKNESS && rop != GmWHITENESS && rop != GmPATCOPY) rop = GmSRCCOPY;
  const QRgb pattern = painter.brush().color().rgb();
  painter.save();
  switch (rop) {
    case GmBLACKNESS:
      painter.fillRect(r, Qt::black);
      break;
    case GmWHITENESS:
      painter.fillRect(r, Qt::white);
      break;
    case GmPATCOPY:
      painter.fillRect(r, painter.brush().color());
      break;
    case GmPATINVERT:
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(r, painter.brush().color());
      break;
    case GmDSTINVERT:
      painter.setCompositionMode(QPainter::RasterOp_NotDestination);
      painter.fillRect(r, Qt::black);
      break;
    case GmMERGECOPY:
      painter.drawImage(r, CombineWithPattern(bitmap, pattern, false));
      break;
    case GmPATPAINT:
      painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      painter.drawImage(r, CombineWithPattern(bitmap, pattern, true));
      break;
    default: {
      QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
      switch (rop) {
        case GmSRCPAINT:
          mode = QPainter::RasterOp_SourceOrDestination;
          break;
        case GmSRCAND:
          mode = QPainter::RasterOp_SourceAndDestination;
          break;
        case GmSRCINVERT:
          mode = QPainter::RasterOp_SourceXorDestination;
          break;
        case GmSRCERASE:
          mode = QPainter::RasterOp_SourceAndNotDestination;
          break;
        case GmNOTSRCCOPY:
          mode = QPainter::RasterOp_NotSource;
          break;
        case GmNOTSRCERASE:
          mode = QPainter::RasterOp_NotSourceAndNotDestination;
          break;
        case GmMERGEPAINT:
          mode = QPainter::RasterOp_NotSourceOrDestination;
          break;
        default:
          break;
      }
      painter.setCompositionMode(mode);
      painter.drawImage(r, bitmap.convertToFormat(QImage::Format_RGB32));
    }
  }
  painter.restore();
}

std::vector<std::uint8_t> BitmapToJpeg(const QImage& picture) { return EncodeJpeg(picture); }

QImage IconToBitmap(const QImage& icon) {
  QImage bmp(icon.size(), QImage::Format_RGB32);
  bmp.fill(Qt::white);
  QPainter p(&bmp);
  p.drawImage(0, 0, icon);
  return bmp;
}

std::string WindowsVersionName() {
  // Read once: the name does not change while the programme runs.
  static const std::string name = QSysInfo::prettyProductName().toStdString();
  return name;
}

}  // namespace zyn
