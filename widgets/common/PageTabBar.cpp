#include "widgets/common/PageTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>

namespace zyn {

TPageTabBar::TPageTabBar(QWidget* parent) : QTabBar(parent) {
  setObjectName(QStringLiteral("TC"));
  setExpanding(false);
  setDrawBase(true);
}

void TPageTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab option;
    initStyleOption(&option, i);
    const QString text = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_TabBarTab, option);
    QFont font = this->font();
    font.setBold(i == currentIndex());
    painter.setFont(font);
    painter.setPen(i == currentIndex() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QFontMetrics fm(font);
    const QRect r = option.rect;
    const int x = r.left() + (r.width() - fm.horizontalAdvance(text)) / 2;
    const int y = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
    painter.drawText(x, y, text);
  }
}

}  // namespace zyn
