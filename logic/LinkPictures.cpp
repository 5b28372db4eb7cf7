#include "logic/LinkPictures.h"

#include "logic/core/LogicText.h"

#include <QPainter>
#include <QPainterPath>

namespace zyn {

QPixmap LinkPicture(const QString& name) {
  const bool cross = name.endsWith(QLatin1String("OVL"));
  const bool logic = name.startsWith(QLatin1String("VERKN"));
  const bool alternative = name == QLatin1String("VERKNUPFALT") || name == QLatin1String("VERKNALTOVL");
  static const QStringList known = {QStringLiteral("VERBINDUNG"),  QStringLiteral("VERKNUPF"),
                                    QStringLiteral("VERKNUPFALT"), QStringLiteral("VERBOVL"),
                                    QStringLiteral("VERKNOVL"),    QStringLiteral("VERKNALTOVL")};
  const bool generated = name == QLatin1String("TEMPVERB");
  const bool invalid = name == QLatin1String("INVALIDLOGIC");
  if (!known.contains(name) && !generated && !invalid) return {};
  QPixmap picture(32, 16);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  if (generated || invalid) {
    // A link made by a tool: a dashed arrow; a logic that cannot work: a red arrow struck out.
    const QColor colour = invalid ? QColor(200, 0, 0) : QColor(0, 110, 160);
    p.setPen(QPen(colour, 1.5, invalid ? Qt::SolidLine : Qt::DashLine));
    p.drawLine(QPointF(2, 8), QPointF(26, 8));
    p.setPen(QPen(colour, 1.5));
    p.drawLine(QPointF(29, 8), QPointF(24, 5));
    p.drawLine(QPointF(29, 8), QPointF(24, 11));
    if (invalid) {
      p.drawLine(QPointF(10, 2), QPointF(20, 14));
      p.drawLine(QPointF(20, 2), QPointF(10, 14));
    }
    return picture;
  }
  const QColor line(0, 0, 128);
  p.setPen(QPen(line, 1.5));
  auto arrow = [&p, &line](double y, double x0) {
    p.drawLine(QPointF(x0, y), QPointF(27, y));
    QPainterPath head;
    head.moveTo(30, y);
    head.lineTo(25, y - 3);
    head.lineTo(25, y + 3);
    head.closeSubpath();
    p.fillPath(head, line);
  };
  if (!logic) {
    p.setBrush(QColor(0, 160, 0));
    p.drawEllipse(QPointF(4, 8), 3, 3);
    arrow(8, 7);
  } else {
    // A gate with two inputs.
    p.drawLine(QPointF(1, 5), QPointF(6, 5));
    p.drawLine(QPointF(1, 11), QPointF(6, 11));
    QPainterPath gate;
    gate.moveTo(6, 2);
    gate.lineTo(11, 2);
    gate.arcTo(QRectF(5, 2, 12, 12), 90, -180);
    gate.lineTo(6, 14);
    gate.closeSubpath();
    p.setBrush(QColor(255, 230, 150));
    p.drawPath(gate);
    if (alternative) {
      arrow(5, 17);
      p.setPen(QPen(QColor(160, 0, 0), 1.5));
      p.drawLine(QPointF(17, 11), QPointF(27, 11));
      p.drawLine(QPointF(27, 11), QPointF(24, 13.5));
      p.drawLine(QPointF(27, 11), QPointF(24, 8.5));
    } else {
      arrow(8, 17);
    }
  }
  if (cross) {
    // The target lies in another control module.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 0, 0));
    p.drawRect(QRectF(26, 0, 6, 5));
  }
  return picture;
}

QPixmap LinkBitmap(const TVerbindung& link) {
  const std::string name = LinkBitmapName(link);
  return name.empty() ? QPixmap() : LinkPicture(QString::fromStdString(name));
}

}  // namespace zyn
