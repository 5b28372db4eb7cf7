#include "widgets/controls/ZCLProcs.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyn {

QString ProgramPath() {
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

QString PathPrefix(TZCLPathPrefix prefix, bool trailingSeparator) {
  QString path;
  switch (prefix) {
    case ppWindows:
      path = QDir::rootPath();
      break;
    case ppSystem:
      path = QStringLiteral("/usr/lib");
      break;
    case ppProgram:
      path = ProgramPath();
      break;
    case ppFixed:
      return QString();
  }
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  if (trailingSeparator && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

TRect FitRect(int sourceWidth, int sourceHeight, const TRect& target) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return Rect(target.Left, target.Top, target.Left, target.Top);
  const double factor =
      std::min(static_cast<double>(target.Width()) / sourceWidth, static_cast<double>(target.Height()) / sourceHeight);
  const int w = static_cast<int>(std::lround(sourceWidth * factor));
  const int h = static_cast<int>(std::lround(sourceHeight * factor));
  return Bounds(target.Left, target.Top, w, h);
}

TPoint RectSize(const TRect& r) { return {r.Width(), r.Height()}; }

TRect RotatedBounds(const TRect& r, double angle) {
  if (angle == 0) return r;
  const double a = angle * M_PI / 180.0;
  const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  const TPoint corners[] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
  int minX = std::numeric_limits<int>::max(), minY = minX, maxX = std::numeric_limits<int>::min(), maxY = maxX;
  for (const TPoint& p : corners) {
    const double dx = p.X - cx, dy = p.Y - cy;
    const int x = static_cast<int>(std::lround(cx + dx * std::cos(a) + dy * std::sin(a)));
    const int y = static_cast<int>(std::lround(cy - dx * std::sin(a) + dy * std::cos(a)));
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
  return Rect(0, 0, maxX - minX, maxY - minY);
}

int MaxOf(const std::vector<int>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}
int MinOf(const std::vector<int>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}
double MinOf(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

bool IsBlank(const QString& s) {
  for (QChar c : s)
    if (c != QLatin1Char(' ')) return false;
  return true;
}

QString StringOfChar(QChar c, int count) { return count > 0 ? QString(count, c) : QString(); }

QString AddBackslash(const QString& s) {
  if (IsBlank(s)) return QStringLiteral("\\");
  return s.endsWith(QLatin1Char('\\')) ? s : s + QLatin1Char('\\');
}

QString RemoveBackslash(const QString& s) {
  if (IsBlank(s) || !s.endsWith(QLatin1Char('\\'))) return s;
  return s.left(s.size() - 1);
}

QByteArray Scramble(const QByteArray& data, std::uint16_t key) {
  QByteArray out(data.size(), '\0');
  std::uint16_t k = key;
  for (int i = 0; i < data.size(); ++i) {
    const auto o = static_cast<std::uint8_t>(static_cast<std::uint8_t>(data[i]) ^ (k >> 8));
    out[i] = static_cast<char>(o);
    k = static_cast<std::uint16_t>((k + o) * 52845u + 22719u);
  }
  return out;
}

QByteArray Unscramble(const QByteArray& data, std::uint16_t key) {
  QByteArray out(data.size(), '\0');
  std::uint16_t k = key;
  for (int i = 0; i < data.size(); ++i) {
    const auto in = static_cast<std::uint8_t>(data[i]);
    out[i] = static_cast<char>(in ^ (k >> 8));
    k = static_cast<std::uint16_t>((k + in) * 52845u + 22719u);
  }
  return out;
}

QByteArray TextEncode(const QByteArray& data) {
  QByteArray in = data;
  QByteArray out = QByteArray::number(static_cast<qlonglong>(data.size())) + ':';
  if (in.isEmpty())
    in = QByteArray("  \0", 3);  // an empty input encodes as 0:8200
  else if (in.size() % 3 == 1)
    in += "  ";
  else if (in.size() % 3 == 2)
    in += ' ';
  for (int i = 0; i + 2 < in.size(); i += 3) {
    const auto b0 = static_cast<std::uint8_t>(in[i]), b1 = static_cast<std::uint8_t>(in[i + 1]),
               b2 = static_cast<std::uint8_t>(in[i + 2]);
    out += static_cast<char>((b0 >> 2) + 48);
    out += static_cast<char>((((b0 & 3) << 4) + (b1 >> 4)) + 48);
    out += static_cast<char>((((b1 & 15) << 2) + (b2 >> 6)) + 48);
    out += static_cast<char>((b2 & 63) + 48);
  }
  return out;
}

QByteArray TextDecode(const QByteArray& text) {
  const int colon = static_cast<int>(text.indexOf(':'));
  if (colon < 0) return QByteArray();
  bool ok = false;
  const int length = text.left(colon).toInt(&ok);
  if (!ok || length < 0) return QByteArray();
  const QByteArray body = text.mid(colon + 1);
  QByteArray out;
  for (int i = 0; i + 3 < body.size(); i += 4) {
    int v[4];
    for (int j = 0; j < 4; ++j) v[j] = (static_cast<std::uint8_t>(body[i + j]) - 48) & 63;
    out += static_cast<char>((v[0] << 2) | (v[1] >> 4));
    out += static_cast<char>(((v[1] & 15) << 4) | (v[2] >> 2));
    out += static_cast<char>(((v[2] & 3) << 6) | v[3]);
  }
  return out.left(length);
}

int SizingGripHitTest(const TPoint& p, const TRect& rect, int borderWidth) {
  TRect r = rect;
  InflateRect(r, -borderWidth, -borderWidth);
  if (p.Y >= r.Bottom) return p.X >= r.Right ? HTBOTTOMRIGHT : p.X < r.Left ? HTBOTTOMLEFT : HTBOTTOM;
  if (p.Y < r.Top) return p.X >= r.Right ? HTTOPRIGHT : p.X < r.Left ? HTTOPLEFT : HTTOP;
  if (p.X >= r.Right) return HTRIGHT;
  if (p.X < r.Left) return HTLEFT;
  return HTNOWHERE;
}

}  // namespace zyn
