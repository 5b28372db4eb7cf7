#include "widgets/common/Mkgrid.h"

#include "platform/Colors.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zyn {
namespace {

class FixedCellDelegate : public QStyledItemDelegate {
 public:
  explicit FixedCellDelegate(TMKGrid* grid) : QStyledItemDelegate(grid), fGrid(grid) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int row = index.row(), col = index.column();
    const bool fixed = row < fGrid->FixedRows() || col < fGrid->FixedCols();
    if (!fixed) {
      QStyledItemDelegate::paint(p, option, index);
      return;
    }
    p->save();
    p->fillRect(option.rect, ToQColor(clBtnFace));
    p->setPen(ToQColor(clBtnShadow));
    p->drawLine(option.rect.topRight(), option.rect.bottomRight());
    p->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    QString text = fGrid->FixedCellText(col, row);
    QFont font = fGrid->font();
    if (!text.isEmpty()) {
      font = (row == 0 && col < fGrid->ColNames().size()) ? fGrid->HeaderFont() : fGrid->NumberFont();
    } else {
      text = fGrid->Cells(col, row);
    }
    p->setFont(font);
    const QFontMetrics fm(font);
    const int offset = (option.rect.height() - fm.height()) / 2;
    p->setPen(ToQColor(clBtnText));
    p->drawText(option.rect.left() + 2, option.rect.top() + offset + fm.ascent(), text);
    p->restore();
  }

 private:
  TMKGrid* fGrid;
};

}  // namespace

TMKGrid::TMKGrid(QWidget* parent) : QTableWidget(5, 5, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  fHeaderFont = QFont(QStringLiteral("Arial"), 10);
  fNumberFont = QFont(QStringLiteral("Arial"), 10);
  setItemDelegate(new FixedCellDelegate(this));
  verticalHeader()->setDefaultSectionSize(24);
  horizontalHeader()->setDefaultSectionSize(64);
  horizontalHeader()->setMinimumSectionSize(0);
}

QString TMKGrid::Cells(int col, int row) const {
  const QTableWidgetItem* it = item(row, col);
  return it ? it->text() : QString();
}

void TMKGrid::SetCells(int col, int row, const QString& text) {
  if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;  // no such cell
  QTableWidgetItem* it = item(row, col);
  if (!it) {
    it = new QTableWidgetItem;
    if (row < FixedRows() || col < FixedCols()) it->setFlags(Qt::ItemIsEnabled);
    setItem(row, col, it);
  }
  it->setText(text);
}

void TMKGrid::SetColNames(const QStringList& names) {
  fColNames = names;
  if (names.size() > columnCount()) setColumnCount(int(names.size()));
  if (fAutoColWidth) FitColumns();
  viewport()->update();
}

void TMKGrid::SetAutoNumberRows(bool on) {
  fAutoNumberRows = on;
  viewport()->update();
}

void TMKGrid::SetAutoNumberStart(int start) {
  fAutoNumberStart = start;
  viewport()->update();
}

void TMKGrid::SetAutoColWidth(bool on) {
  fAutoColWidth = on;
  if (on) FitColumns();
}

void TMKGrid::FitColumns() {
  const QFontMetrics fm(font());
  for (int c = 0; c < fColNames.size() && c < columnCount(); ++c)
    setColumnWidth(c, fm.horizontalAdvance(fColNames[c]) + 4);
}

void TMKGrid::ClearCells() {
  for (int r = FixedRows(); r < rowCount(); ++r)
    for (int c = FixedCols(); c < columnCount(); ++c)
      if (QTableWidgetItem* it = item(r, c)) it->setText(QString());
}

QString TMKGrid::FixedCellText(int col, int row) const {
  if (col == 0 && row > 0 && fAutoNumberRows) return QString::number(row + fAutoNumberStart - 1);
  if (row == 0 && col < fColNames.size() && !fColNames[col].isEmpty()) return fColNames[col];
  return {};
}

}  // namespace zyn
