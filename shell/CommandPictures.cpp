#include "shell/CommandPictures.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

namespace zyn {
namespace {

const QColor kOutline(60, 70, 80);
const QColor kKey(255, 0, 255);
const QColor kFace(240, 240, 240);

// Terminal screws along a housing's edge.
void Terminals(QPainter& p, int left, int right, int y, int count) {
  const double step = (right - left) / static_cast<double>(count);
  for (int i = 0; i < count; ++i) p.drawRect(QRectF(left + i * step + step / 2 - 2, y, 4, 3));
}

void DrawControlModule(QPainter& p) {
  // A rail-mounted housing with terminals above and below, a blue front and a green lamp.
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(QColor(216, 220, 224));
  p.drawRoundedRect(QRectF(4, 3, 24, 26), 2, 2);
  p.setBrush(QColor(90, 96, 104));
  Terminals(p, 5, 27, 5, 4);
  Terminals(p, 5, 27, 24, 4);
  p.setBrush(QColor(42, 94, 168));
  p.drawRect(QRectF(7, 11, 18, 10));
  p.setBrush(QColor(46, 204, 64));
  p.drawEllipse(QRectF(9.5, 13.5, 5, 5));
  p.setPen(QPen(Qt::white, 1.5));
  p.drawLine(QPointF(17, 14.5), QPointF(23, 14.5));
  p.drawLine(QPointF(17, 18), QPointF(21, 18));
}

void DrawBusModule(QPainter& p) {
  // A narrow housing on the bus line, with an orange lamp.
  p.setPen(QPen(QColor(30, 130, 60), 3));
  p.drawLine(QPointF(1, 16), QPointF(31, 16));
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(QColor(244, 234, 204));
  p.drawRoundedRect(QRectF(9, 3, 14, 26), 2, 2);
  p.setBrush(QColor(90, 96, 104));
  Terminals(p, 10, 22, 5, 2);
  Terminals(p, 10, 22, 24, 2);
  p.setBrush(QColor(243, 156, 18));
  p.drawEllipse(QRectF(13.5, 12, 5, 5));
  p.setPen(QPen(kOutline, 1.5));
  p.drawLine(QPointF(12.5, 20), QPointF(19.5, 20));
}

void DrawClockFace(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(r);
  const QPointF c = r.center();
  p.setPen(QPen(QColor(176, 40, 24), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(0, -r.height() * 0.34));
  p.drawLine(c, c + QPointF(r.width() * 0.26, 0));
}

void DrawBlindClock(QPainter& p) {
  // A window with its blind half down and a clock before it.
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(QColor(200, 226, 250));
  p.drawRect(QRectF(3, 3, 24, 24));
  p.setBrush(QColor(120, 148, 190));
  for (int y = 5; y < 17; y += 4) p.drawRect(QRectF(4, y, 22, 3));
  DrawClockFace(p, QRectF(15, 15, 15, 15));
}

void DrawBasicProgram(QPainter& p) {
  // A sheet on which inputs (green) lead to outputs (orange).
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 3, 26, 26));
  for (int row = 0; row < 3; ++row) {
    const double y = 6 + row * 8;
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(46, 170, 80));
    p.drawRect(QRectF(6, y, 6, 5));
    p.setBrush(QColor(240, 140, 30));
    p.drawRect(QRectF(20, y, 6, 5));
    p.setPen(QPen(QColor(42, 94, 168), 1.5));
    p.drawLine(QPointF(12, y + 2.5), QPointF(20, y + 2.5));
  }
}

void DrawFunctionProgram(QPainter& p) {
  // A logic gate with two inputs and one output.
  p.setPen(QPen(kOutline, 2));
  p.drawLine(QPointF(2, 11), QPointF(10, 11));
  p.drawLine(QPointF(2, 21), QPointF(10, 21));
  p.drawLine(QPointF(24, 16), QPointF(30, 16));
  QPainterPath gate;
  gate.moveTo(9, 5);
  gate.lineTo(15, 5);
  gate.arcTo(QRectF(5, 5, 22, 22), 90, -180);
  gate.lineTo(9, 27);
  gate.closeSubpath();
  p.setBrush(QColor(255, 214, 90));
  p.drawPath(gate);
  p.setPen(QPen(QColor(42, 94, 168), 2));
  p.drawLine(QPointF(13, 13), QPointF(19, 13));
  p.drawLine(QPointF(13, 19), QPointF(19, 19));
}

void DrawDisplayProgram(QPainter& p) {
  // A wall display: a grey frame, a green screen with text lines and two keys.
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(QColor(80, 86, 94));
  p.drawRoundedRect(QRectF(2, 4, 28, 24), 2, 2);
  p.setBrush(QColor(160, 220, 150));
  p.drawRect(QRectF(5, 7, 22, 13));
  p.setPen(QPen(QColor(20, 60, 30), 1.5));
  p.drawLine(QPointF(7, 11), QPointF(22, 11));
  p.drawLine(QPointF(7, 15.5), QPointF(17, 15.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 230, 230));
  p.drawEllipse(QRectF(8, 22, 4, 4));
  p.drawEllipse(QRectF(20, 22, 4, 4));
}

void DrawCurve(QPainter& p) {
  // A characteristic curve on a card with its axes.
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 3, 26, 26));
  p.drawLine(QPointF(7, 6), QPointF(7, 25));
  p.drawLine(QPointF(7, 25), QPointF(26, 25));
  QPainterPath curve;
  curve.moveTo(7, 24);
  curve.cubicTo(18, 24, 14, 7, 26, 7);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(208, 64, 42), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(curve);
}

void DrawSheet(QPainter& p) {
  // The stand-in for a missing theme icon: a written sheet.
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6, 3, 20, 26));
  p.setPen(QPen(QColor(42, 94, 168), 1.5));
  for (int y = 9; y < 26; y += 5) p.drawLine(QPointF(10, y), QPointF(22, y));
}

void DrawMark(QPainter& p, TPictureMark mark) {
  QPainterPath path;
  QColor fill;
  switch (mark) {
    case TPictureMark::NoMark:
      return;
    case TPictureMark::Send:  // an arrow to the right
      path.moveTo(15, 21);
      path.lineTo(22, 21);
      path.lineTo(22, 16);
      path.lineTo(31, 24);
      path.lineTo(22, 31);
      path.lineTo(22, 27);
      path.lineTo(15, 27);
      path.closeSubpath();
      fill = QColor(30, 150, 60);
      break;
    case TPictureMark::Check:
      path.moveTo(15, 23);
      path.lineTo(19, 19);
      path.lineTo(22, 23);
      path.lineTo(28, 15);
      path.lineTo(31, 19);
      path.lineTo(22, 31);
      path.closeSubpath();
      fill = QColor(30, 150, 60);
      break;
    case TPictureMark::Play:
      path.moveTo(18, 16);
      path.lineTo(31, 23.5);
      path.lineTo(18, 31);
      path.closeSubpath();
      fill = QColor(42, 94, 168);
      break;
  }
  p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
  p.drawPath(path);
}

// Drawing in a 32 x 32 grid on a transparent picture of the given size.
template <typename F>
QImage Draw(int size, F&& draw) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  draw(p);
  return img;
}

QImage ThemePicture(const char* name, int size) {
  if (!name) return {};
  const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
  if (icon.isNull()) return {};
  const QPixmap pm = icon.pixmap(QSize(size, size), 1.0);
  if (pm.isNull()) return {};
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.drawPixmap((size - pm.width()) / 2, (size - pm.height()) / 2, pm);
  return img;
}

}  // namespace

void UseIconTheme() {
  QStringList paths = QIcon::themeSearchPaths();
  QStringList data = QString::fromLocal8Bit(qgetenv("XDG_DATA_DIRS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
  data << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
  for (const QString& d : data) {
    const QString icons = d + QStringLiteral("/icons");
    if (!paths.contains(icons)) paths << icons;
  }
  QIcon::setThemeSearchPaths(paths);
  const QString adwaita = QStringLiteral("Adwaita");
  const auto unset = [](const QString& theme) { return theme.isEmpty() || theme == QLatin1String("hicolor"); };
  if (unset(QIcon::themeName())) QIcon::setThemeName(adwaita);
  if (unset(QIcon::fallbackThemeName())) QIcon::setFallbackThemeName(adwaita);
}

QImage OwnPicture(TOwnPicture picture, int size) {
  return Draw(size, [picture](QPainter& p) {
    switch (picture) {
      case TOwnPicture::ControlModule:
        return DrawControlModule(p);
      case TOwnPicture::BusModule:
        return DrawBusModule(p);
      case TOwnPicture::BlindClock:
        return DrawBlindClock(p);
      case TOwnPicture::BasicProgram:
        return DrawBasicProgram(p);
      case TOwnPicture::FunctionProgram:
        return DrawFunctionProgram(p);
      case TOwnPicture::DisplayProgram:
        return DrawDisplayProgram(p);
      case TOwnPicture::Curve:
        return DrawCurve(p);
      case TOwnPicture::Sheet:
        return DrawSheet(p);
    }
  });
}

QImage CommandPicture(const TPictureDef& def, int size) {
  QImage picture = ThemePicture(def.ThemeName, size);
  if (picture.isNull()) picture = OwnPicture(def.Own, size);
  if (def.Mark != TPictureMark::NoMark) {
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    DrawMark(p, def.Mark);
  }
  return picture.convertToFormat(QImage::Format_ARGB32);
}

QImage CommandGlyph(const TPictureDef& def, int size) {
  // Onto the colour key: the glyph routine knows no partial transparency.
  const QImage argb = CommandPicture(def, size);
  QImage out(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const QRgb px = argb.pixel(x, y);
      const int a = qAlpha(px);
      if (a < 128) {
        out.setPixel(x, y, kKey.rgb());
        continue;
      }
      const auto blend = [a](int c, int ground) { return (c * a + ground * (255 - a)) / 255; };
      out.setPixel(
          x, y, qRgb(blend(qRed(px), kFace.red()), blend(qGreen(px), kFace.green()), blend(qBlue(px), kFace.blue())));
    }
  out.setPixel(0, size - 1, kKey.rgb());  // the glyph routine takes its key from this corner
  return out;
}

}  // namespace zyn
