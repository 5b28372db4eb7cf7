#include "shell/Branding.h"

#include "model/base/ZYNOptionen.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zyn {
namespace {

const QColor kDeepBlue(16, 42, 92);
const QColor kBlue(40, 96, 176);
const QColor kCopper(222, 140, 48);

// A bus line with modules hanging on it: the motif of every picture.
void PaintBus(QPainter& p, const QRectF& area, int modules) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  QPen line(kCopper, 3);
  p.setPen(line);
  const qreal y = area.center().y();
  p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
  const qreal step = area.width() / (modules + 1);
  for (int i = 1; i <= modules; ++i) {
    const qreal x = area.left() + i * step;
    const bool up = i % 2;
    const qreal h = area.height() * 0.32;
    p.setPen(QPen(kCopper, 2));
    p.drawLine(QPointF(x, y), QPointF(x, up ? y - h : y + h));
    const QRectF box(x - 9, up ? y - h - 14 : y + h, 18, 14);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(box, 3, 3);
    p.setBrush(kCopper);
    p.drawEllipse(QPointF(x, y), 3.5, 3.5);
  }
  p.restore();
}

void PaintBackground(QPainter& p, const QRect& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, kDeepBlue);
  g.setColorAt(1, kBlue);
  p.fillRect(r, g);
}

void PaintWordMark(QPainter& p, const QRect& r, int pointSize) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  QFont f(QStringLiteral("Sans Serif"), pointSize, QFont::Black);
  f.setItalic(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZYN"));
  const int w = QFontMetrics(f).horizontalAdvance(QStringLiteral("ZYN "));
  QFont s(QStringLiteral("Sans Serif"), std::max(6, pointSize / 3));
  p.setFont(s);
  p.setPen(QColor(230, 236, 248));
  p.drawText(r.adjusted(w, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Systemsoftware"));
  p.restore();
}

}  // namespace

QImage GetSplashBitmap() {
  QImage img(410, 246, QImage::Format_RGB32);
  QPainter p(&img);
  PaintBackground(p, img.rect());
  PaintWordMark(p, QRect(24, 30, 370, 70), 40);
  PaintBus(p, QRectF(20, 110, 370, 80), 7);
  p.fillRect(QRect(0, 215, 410, 31), QColor(10, 28, 64));
  return img;
}

TColor GetSplashColor() { return clWhite; }

QImage GetAboutBitmap() {
  QImage img(473, 306, QImage::Format_RGB32);
  QPainter p(&img);
  PaintBackground(p, img.rect());
  PaintWordMark(p, QRect(20, 110, 300, 60), 30);
  PaintBus(p, QRectF(20, 200, 433, 60), 9);
  return img;
}

TColor GetAboutColor() { return clWhite; }

QImage GetConfigBitmap() {
  QImage img(150, 270, QImage::Format_RGB32);
  QPainter p(&img);
  PaintBackground(p, img.rect());
  p.save();
  p.translate(75, 135);
  p.rotate(-90);
  PaintBus(p, QRectF(-120, -50, 240, 100), 5);
  p.restore();
  PaintWordMark(p, QRect(12, 218, 130, 40), 16);
  return img;
}

QIcon GetMainIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(size * 5 / 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Z"));
    p.setPen(QPen(kCopper, std::max(1, size / 12)));
    p.drawLine(QPointF(size * 0.15, size * 0.85), QPointF(size * 0.85, size * 0.85));
    p.end();
    icon.addPixmap(QPixmap::fromImage(img));
  }
  return icon;
}

std::string GetHomepage() {
  // the options' defaults are the one place of the addresses
  TInternetItem defaults;
  defaults.SetDefaults({});
  return defaults.WWWAddress;
}

std::string GetUpdateFTP() {
  TInternetItem defaults;
  defaults.SetDefaults({});
  return defaults.FTPAddress;
}

std::string GetSupportAddress() { return TInternetItem::DefaultSupportAddress(); }

}  // namespace zyn
