#pragma once
// The list view in report style: automatic sorting by the clicked column with a
// smart comparison (dates, then numbers, then text), sort arrows in the header, keyboard search
// in the sort column, blocking of column resizing, item moves, and saving of column widths, sort
// state and view style in the settings.

#include "platform/Canvas.h"
#include "widgets/common/WidgetTypes.h"

#include <QHeaderView>
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

// The state of an owner-drawn row.
enum : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;

struct TzsEnhLVSaveSettings {
  bool AutoSave = false;
  QString RegistryKey;
  bool SaveColumnSizes = true;
  bool SaveCurrentSort = true;
  bool SaveViewStyle = true;
};

class TCustomEnhListView;

// The header of the list view: draws its items through the list view while header owner-draw is on.
class TEnhListHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit TEnhListHeader(TCustomEnhListView* view);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  TCustomEnhListView* fView;
};

class TCustomEnhListView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TCustomEnhListView(QWidget* parent = nullptr);
  ~TCustomEnhListView() override;

  // Columns and items. Column 0 is the caption, column c > 0 sub-item c - 1.
  void AddColumn(const QString& caption, int width, TTextAlignment alignment = TTextAlignment::taLeftJustify);
  int ColumnCount() const { return columnCount(); }
  TTextAlignment ColumnAlignment(int column) const;
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
  // Owner-drawn rows show the selection only while focused unless this is off.
  bool HideSelection = true;

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
  virtual QTreeWidgetItem* FindByPrefix(const QString& text, int column);
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

  // Owner drawing. Rows: only with Style lvOwnerDrawFixed. The header: while OnDrawHeader is
  // assigned or the sort arrows are shown. A handler that clears defaultDrawing draws itself.
  std::function<void(QObject* control, TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state,
                     bool& defaultDrawing, bool& fullRowSelect)>
      OnDrawItem;
  std::function<void(QObject* control, TCanvas& canvas, int index, int subItem, const TRect& rect,
                     TOwnerDrawState state, bool& defaultDrawing)>
      OnDrawSubItem;
  std::function<void(QObject* control, TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)>
      OnAfterDefaultDrawItem;
  using TLVHDrawItemEvent = std::function<void(QObject* control, TCanvas& canvas, int index, TRect& rect, bool selected,
                                               bool& defaultDrawing)>;
  const TLVHDrawItemEvent& OnDrawHeader() const { return fOnDrawHeader; }
  void SetOnDrawHeader(TLVHDrawItemEvent handler);
  // Whether the header's items are drawn by the list view.
  bool HeaderOwnerDraw() const { return fHeaderOwnerDraw; }
  // The row height of owner-drawn rows: "Wy" + 1 in the control's font, then OnMeasureItem.
  int OwnerDrawRowHeight();
  // The up and down arrow pictures of the sort column (empty for a font below 7 pixels).
  const QImage& ArrowUp() const { return fArrowUp; }
  const QImage& ArrowDown() const { return fArrowDown; }

  // Draws header item `column` into rect (called by the header).
  void DrawHeaderItem(QPainter* painter, const QRect& rect, int column, bool pressed);

 protected:
  friend class TEnhListHeader;
  // The column shown at a display position and back.
  virtual int ColumnAtPosition(int position) const;
  virtual int PositionOfColumn(int column) const;
  int Compare(QTreeWidgetItem* a, QTreeWidgetItem* b, int column) const;
  // A new item before it is sorted in.
  virtual void ItemInserted(QTreeWidgetItem* item) {}
  void keyPressEvent(QKeyEvent* event) override;
  // The arrow pictures follow the font and the system colours.
  void changeEvent(QEvent* event) override;
  // The end of a caption edit: a cancelled edit is reported, a finished one sorts again.
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  std::unique_ptr<QSettings> OpenSettings() const;
  void ApplySortIndicator();
  // Header owner-draw for a column: on for every column while it is switched on.
  virtual bool HeaderItemOwnerDrawn(int column) const { return fHeaderOwnerDraw; }
  void SetHeaderOwnerDraw(bool on);
  void UpdateHeaderOwnerDraw();
  virtual void DefaultDrawHeader(TCanvas& canvas, int column, TRect rect, bool pressed);
  // Draws the caption (and, when it is the sort column, the arrow) of a header item into area.
  void DrawHeaderCaption(TCanvas& canvas, int column, const TRect& area, const TRect& item, bool arrowShown);
  virtual bool ArrowShownFor(int column) const;
  virtual bool ArrowAtTextEnd() const { return false; }
  // The picture of a column's header item and its side; false when it has none.
  virtual bool HeaderPicture(int column, QImage& picture, bool& rightOfText) const { return false; }
  void MakeArrows();
  // Owner-drawn rows.
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  virtual bool InitialFullRowSelect() const { return false; }
  virtual void DefaultDrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state,
                               bool fullRowSelect);
  // Draws one cell text (caption or sub-item) through OnDrawSubItem or by default.
  void DrawCellText(TCanvas& canvas, int index, int column, TRect rect, TOwnerDrawState state);
  // The state of row `index` as the row painting sees it.
  TOwnerDrawState RowState(int index) const;
  // The left edge and width of a column in viewport coordinates.
  TRect ColumnSpan(int column, const TRect& row) const;

  TzsEnhLVSaveSettings fSaveSettings;

 private:
  std::vector<TTextAlignment> fAlignments;
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
  TLVHDrawItemEvent fOnDrawHeader;
  bool fHeaderOwnerDraw = false;
  QImage fArrowUp, fArrowDown;
};

}  // namespace zyn
