#include "widgets/common/ZYNDayMask.h"

#include "platform/Canvas.h"
#include "widgets/common/DayNames.h"
#include "widgets/common/Glyphs.h"
#include "widgets/common/WidgetText.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace zyn {

TZYNDayMask::TZYNDayMask(QWidget* parent) : QWidget(parent) {
  resize(110, 180);
  QFont f = font();
  f.setPointSize(8);
  setFont(f);
  setMouseTracking(true);
  fCaption = TranslatedText(" Schalttage ");
  fCaptionAll = TranslatedText("Täglich");
  setWindowTitle(fCaption);
}

void TZYNDayMask::SetValue(int value) {
  value &= 127;
  if (value == fValue) return;
  fValue = value;
  update();
}

void TZYNDayMask::SetCaption(const QString& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  setWindowTitle(caption);
  update();
}

void TZYNDayMask::SetCaptionAll(const QString& caption) {
  if (caption == fCaptionAll) return;
  fCaptionAll = caption;
  update();
}

void TZYNDayMask::SetSprache(int languageId) {
  if (languageId == fSprache) return;
  fSprache = languageId;
  update();
}

int TZYNDayMask::RowTop(int row) const { return (height() - 40) / 7 * row + 18; }

int TZYNDayMask::RowAt(const QPoint& p) const {
  const int pointSize = font().pointSize();
  if (p.x() <= 3 || p.x() >= width() - 3 || p.y() <= 18 || p.y() >= pointSize + height() - 18) return -1;
  for (int i = 0; i < 8; ++i)
    if (RowTop(i) <= p.y() && p.y() <= RowTop(i) + pointSize + 2) return i;
  return -1;
}

void TZYNDayMask::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  c.Font.Font = font();
  c.Font.Color = isEnabled() ? clWindowText : clGrayText;
  const TColor back = FromQColor(palette().color(QPalette::Window));
  c.Brush.Color = back;
  c.FillRect(Rect(0, 0, width(), height()));
  DrawGroupFrame(c, Rect(0, 0, width(), height()), fCaption, back);
  c.Brush.Style = bsClear;
  const int th = c.TextHeight("Wg");
  for (int i = 0; i < 8; ++i) {
    const int y = RowTop(i);
    const bool checked = i == 0 ? fValue == 127 : ((fValue >> (i - 1)) & 1) != 0;
    DrawGlyph(c.Painter(), this, QRect(8, y, kGlyphSize, kGlyphSize), gkCheckBox, checked, i == fHotRow, isEnabled());
    QFont f = font();
    f.setBold(i == 0);
    c.Font.Font = f;
    if (i == 0)
      c.TextOut(30, 19, fCaptionAll);
    else
      c.TextOut(30, y, LongDayName(fSprache, i - 1));
    if (i == fHotRow && isEnabled()) c.DrawFocusRect(Rect(28, y, width() - 5, y + th + 2));
  }
}

void TZYNDayMask::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint());
  if (row != fHotRow) {
    fHotRow = row;
    update();
  }
}

void TZYNDayMask::leaveEvent(QEvent*) {
  if (fHotRow != -1) {
    fHotRow = -1;
    update();
  }
}

void TZYNDayMask::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const int row = RowAt(event->position().toPoint());
  if (row < 0) return;
  if (row == 0)
    fValue = fValue == 127 ? 0 : 127;
  else
    fValue ^= 1 << (row - 1);
  update();
  if (OnChanged) OnChanged(this);
}

void TZYNDayMask::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace zyn
