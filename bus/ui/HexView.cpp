#include "bus/ui/HexView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

namespace zyn {

THexView::THexView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("MPHE"));
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  viewport()->setBackgroundRole(QPalette::Base);
  verticalScrollBar()->setSingleStep(1);
}

void THexView::SetData(const std::vector<uint8_t>& bytes, uint32_t baseAddress) {
  fData = bytes;
  fBase = baseAddress;
  verticalScrollBar()->setValue(0);
  UpdateScrollBar();
  viewport()->update();
}

void THexView::Clear() { SetData({}, 0); }

int THexView::RowCount() const { return static_cast<int>((fData.size() + BytesPerRow - 1) / BytesPerRow); }

QString THexView::RowText(int row) const {
  const size_t start = static_cast<size_t>(row) * BytesPerRow;
  if (row < 0 || start >= fData.size()) return {};
  QString text = QStringLiteral("%1 ").arg(fBase + start, 4, 16, QLatin1Char('0')).toUpper();
  QString chars;
  for (size_t i = start; i < start + BytesPerRow; ++i) {
    if (i < fData.size()) {
      text += QStringLiteral(" %1").arg(fData[i], 2, 16, QLatin1Char('0')).toUpper();
      chars += fData[i] >= 0x20 && fData[i] < 0x7F ? QChar(fData[i]) : QChar('.');
    } else {
      text += QStringLiteral("   ");
    }
  }
  return text + QStringLiteral("  ") + chars;
}

int THexView::LineHeight() const { return fontMetrics().height(); }

void THexView::UpdateScrollBar() {
  const int visible = std::max(1, viewport()->height() / LineHeight());
  verticalScrollBar()->setRange(0, std::max(0, RowCount() - visible));
  verticalScrollBar()->setPageStep(visible);
}

void THexView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void THexView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const int line = LineHeight();
  const int first = verticalScrollBar()->value();
  const int rows = viewport()->height() / line + 1;
  for (int r = 0; r < rows && first + r < RowCount(); ++r)
    painter.drawText(4, r * line + fontMetrics().ascent(), RowText(first + r));
}

}  // namespace zyn
