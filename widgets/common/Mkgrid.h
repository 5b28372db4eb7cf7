#pragma once
// A string grid with column titles in its fixed top row and automatic row numbers in its fixed
// first column.

#include <QFont>
#include <QStringList>
#include <QTableWidget>

namespace zyn {

class TMKGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TMKGrid(QWidget* parent = nullptr);

  // Cells by column and row, fixed row and column included.
  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);
  int ColCount() const { return columnCount(); }
  void SetColCount(int count) { setColumnCount(count); }
  int RowCount() const { return rowCount(); }
  void SetRowCount(int count) { setRowCount(std::max(count, 2)); }
  int FixedCols() const { return 1; }
  int FixedRows() const { return 1; }

  const QStringList& ColNames() const { return fColNames; }
  void SetColNames(const QStringList& names);
  bool AutoNumberRows() const { return fAutoNumberRows; }
  void SetAutoNumberRows(bool on);
  int AutoNumberStart() const { return fAutoNumberStart; }
  void SetAutoNumberStart(int start);
  bool AutoColWidth() const { return fAutoColWidth; }
  void SetAutoColWidth(bool on);
  QFont& HeaderFont() { return fHeaderFont; }
  QFont& NumberFont() { return fNumberFont; }
  void ClearCells();
  // The text drawn in a fixed cell (a title or a row number), empty for the others.
  QString FixedCellText(int col, int row) const;

 private:
  void FitColumns();
  QStringList fColNames;
  bool fAutoNumberRows = false;
  int fAutoNumberStart = 1;
  bool fAutoColWidth = false;
  QFont fHeaderFont;
  QFont fNumberFont;
};

}  // namespace zyn
