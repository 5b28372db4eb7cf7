#pragma once
// The list view of the shell in report style: automatic sorting by the clicked column with a
// smart comparison (dates, then numbers, then text), sort arrows in the header, keyboard search
// in the sort column, blocking of column resizing, item moves, and saving of column widths, sort
// state and view style in the settings.

#include "shell/ShellTypes.h"

#include <QLocale>
#include <QTreeWidget>
#include <functional>
#include <memory>

class QSettings;

namespace zyn {

enum TAutoColumnSort { acsNoSort, acsSort, acsSortToggle };
enum TAutoSortStyle { assSmart, assDefault };
enum TLVStyle { lvStandard, lvOwnerDrawFixed };
enum TSortAs { saNone, saString, saNumeric, saDateTime };
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// Reading a column text as a number: the text up to its first blank, with "." as the decimal
// point, else without the locale's thousands separators and with its decimal separator as ".".
bool ReadSortNumber(const QString& text, const QLocale& locale, double& value);
// Reading a column text as a date, a time or both (days since 30.12.1899 with the time as the
// fraction of a day).
bool ReadSortDateTime(const QString& text, const QLocale& locale, double& value);
// The smart comparison of two column texts (<0, 0, >0).
int SmartCompareTexts(const QString& a, const QString& b, TAutoSortStyle style, const QLocale& locale);

struct TzsEnhLVSaveSettings {
  bool AutoSave = false;
  QString RegistryKey;
  bool SaveColumnSizes = true;
  bool SaveCurrentSort = true;
  bool SaveViewStyle = true;
};

class TCustomEnhListView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TCustomEnhListView(QWidget* parent = nullptr);
  ~TCustomEnhListView() override;

  // Columns and items. Column 0 is the caption, column c > 0 sub-item c - 1.
  void AddColumn(const QString& caption, int width, TShellAlignment alignment = TShellAlignment::taLeftJustify);
  int ColumnCount() const { return columnCount(); }
  TShellAlignment ColumnAlignment(int column) const;
  QTreeWidgetItem* AddItem(const QString& caption, const QStringList& subItems = {});
  QTreeWidgetItem* InsertItem(int index, const QString& caption, const QStringList& subItems = {});
  int ItemCount() const { return topLevelItemCount(); }
  QTreeWidgetItem* Item(int index) const { return topLevelItem(index); }
  // The text of an item in a column (empty for a missing sub-item).
  static QString CellText(const QTreeWidgetItem* item, int column);
  void SetCellText(QTreeWidgetItem* item, int column, const QString& text);
  int SelectedIndex() const;

  TAutoColumnSort AutoColumnSort() const { return fAutoColumnSort; }
  void SetAutoColumnSort(TAutoColumnSort sort);
  TAutoSortStyle AutoSortStyle() const { return fAutoSortStyle; }
  void SetAutoSortStyle(TAutoSortStyle style);
  bool AutoResort() const { return fAutoResort; }
  void SetAutoResort(bool resort) { fAutoResort = resort; }
  bool AutoSortAscending() const { return fAutoSortAscending; }
  void SetAutoSortAscending(bool ascending);
  bool ReverseSortArrows() const { return fReverseSortArrows; }
  void SetReverseSortArrows(bool reverse);
  TLVStyle Style() const { return fStyle; }
  void SetStyle(TLVStyle style);
  bool ShowSortArrows() const { return fShowSortArrows; }
  virtual void SetShowSortArrows(bool show);
  bool ColumnSearch() const { return fColumnSearch; }
  void SetColumnSearch(bool search) { fColumnSearch = search; }
  bool NoColumnResize() const { return fNoColumnResize; }
  void SetNoColumnResize(bool block);
  virtual QString Version() const { return QStringLiteral("TzsEnhListView v3.72"); }
  TViewStyle ViewStyle() const { return fViewStyle; }
  void SetViewStyle(TViewStyle style) { fViewStyle = style; }
  QLocale Locale;  // the locale of the smart comparison

  int CurrentSortColumn() const { return fSortColumn; }
  void SetCurrentSortColumn(int column);
  bool CurrentSortAscending() const { return fSortAscending; }
  void SetCurrentSortAscending(bool ascending);

  virtual void SortNow(int column, bool ascending);
  void SortByColumn(int column, bool ascending);
  void Resort();
  void BeginUpdate();
  void EndUpdate();
  void SizeColumns(bool fitContent);
  void MoveItem(int from, int to);
  // Column search: selects and returns the next item whose text in the column starts with (or
  // contains) the text; nullptr when none.
  QTreeWidgetItem* FindByPrefix(const QString& text, int column);
  QTreeWidgetItem* FindBySubstring(const QString& text, int column);
  // A column click as the header reports it.
  void ColumnClick(int column);

  // Settings.
  TzsEnhLVSaveSettings& SaveSettings() { return fSaveSettings; }
  // The settings file (empty: the programme's user settings).
  QString SettingsFile;
  virtual void StoreSettings();
  // Returns true when settings were found and applied.
  virtual bool LoadSettings();
  // After the form is loaded: settings or the first column as sort column.
  virtual void Loaded();

  // The clock of the column search in ms; the tests set their own.
  std::function<qint64()> TickCount;

  std::function<void(QObject*, QTreeWidgetItem*, QTreeWidgetItem*, int sortColumn, TSortAs& sortAs, int& result)>
      OnSortItems;
  std::function<void(QObject*, int sortColumn, bool ascending)> OnSortBegin, OnSortFinished;
  std::function<void(QObject*, int column)> OnColumnClick;
  std::function<void(QObject*, int& height)> OnMeasureItem;
  std::function<void(QObject*, QTreeWidgetItem*)> OnEditCanceled;

 protected:
  // The column shown at a display position and back.
  virtual int ColumnAtPosition(int position) const;
  virtual int PositionOfColumn(int column) const;
  int Compare(QTreeWidgetItem* a, QTreeWidgetItem* b, int column) const;
  // A new item before it is sorted in.
  virtual void ItemInserted(QTreeWidgetItem* item) {}
  void keyPressEvent(QKeyEvent* event) override;
  // The end of a caption edit: a cancelled edit is reported, a finished one sorts again.
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  std::unique_ptr<QSettings> OpenSettings() const;
  void ApplySortIndicator();

  TzsEnhLVSaveSettings fSaveSettings;

 private:
  std::vector<TShellAlignment> fAlignments;
  TAutoColumnSort fAutoColumnSort = acsNoSort;
  TAutoSortStyle fAutoSortStyle = assSmart;
  bool fAutoResort = true;
  bool fAutoSortAscending = true;
  bool fReverseSortArrows = false;
  TLVStyle fStyle = lvStandard;
  bool fShowSortArrows = false;
  bool fColumnSearch = false;
  bool fNoColumnResize = false;
  TViewStyle fViewStyle = vsReport;
  int fSortColumn = -1;
  bool fSortAscending = true;
  int fSortLock = 0;
  bool fSortPending = false;
  QString fSearchText;
  qint64 fLastSearch = -100000;
};

}  // namespace zyn
