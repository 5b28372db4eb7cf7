#include "widgets/common/EnhListView.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace zyn {
namespace {

QChar SeparatorOf(const QString& format, QChar fallback) {
  for (const QChar ch : format)
    if (!ch.isLetter() && ch != QLatin1Char(' ')) return ch;
  return fallback;
}

QChar DateSeparator(const QLocale& l) { return SeparatorOf(l.dateFormat(QLocale::ShortFormat), QLatin1Char('.')); }
QChar TimeSeparator(const QLocale& l) { return SeparatorOf(l.timeFormat(QLocale::ShortFormat), QLatin1Char(':')); }

const QDate kEpoch(1899, 12, 30);

bool ReadDate(const QString& text, const QLocale& l, QDate& date) {
  const QChar s = DateSeparator(l);
  const QStringList parts = text.trimmed().split(s);
  if (parts.size() < 2 || parts.size() > 3) return false;
  // the order of day, month and year follows the locale's short format
  const QString f = l.dateFormat(QLocale::ShortFormat).toLower();
  const int dPos = f.indexOf(QLatin1Char('d')), mPos = f.indexOf(QLatin1Char('m')), yPos = f.indexOf(QLatin1Char('y'));
  std::vector<std::pair<int, char>> order = {{dPos, 'd'}, {mPos, 'm'}, {yPos, 'y'}};
  std::sort(order.begin(), order.end());
  int d = 0, m = 0, y = QDate::currentDate().year();
  for (int i = 0; i < parts.size(); ++i) {
    bool ok = false;
    const int v = parts[i].trimmed().toInt(&ok);
    if (!ok) return false;
    const char which = order[size_t(i)].second;
    if (which == 'd') d = v;
    if (which == 'm') m = v;
    if (which == 'y') y = v < 100 ? (v < 50 ? 2000 + v : 1900 + v) : v;
  }
  date = QDate(y, m, d);
  return date.isValid();
}

bool ReadTime(const QString& text, const QLocale& l, QTime& time) {
  const QStringList parts = text.trimmed().split(TimeSeparator(l));
  if (parts.size() < 2 || parts.size() > 3) return false;
  int v[3] = {0, 0, 0};
  for (int i = 0; i < parts.size(); ++i) {
    bool ok = false;
    v[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return false;
  }
  time = QTime(v[0], v[1], v[2]);
  return time.isValid();
}

}  // namespace

bool ReadSortNumber(const QString& text, const QLocale& locale, double& value) {
  QString t = text;
  const int blank = t.indexOf(QLatin1Char(' '));
  if (blank >= 0) t = t.left(blank);
  bool ok = false;
  value = QLocale::c().toDouble(t, &ok);
  if (ok) return true;
  QString second = t;
  second.remove(locale.groupSeparator());
  second.replace(locale.decimalPoint(), QStringLiteral("."));
  value = QLocale::c().toDouble(second, &ok);
  if (!ok) value = 0;
  return ok;
}

bool ReadSortDateTime(const QString& text, const QLocale& locale, double& value) {
  value = 0;
  const QChar ds = DateSeparator(locale), ts = TimeSeparator(locale);
  const int first = text.indexOf(ds);
  const bool hasDate = first >= 0 && (first == text.size() - 1 || text.indexOf(ds, first + 1) >= 0);
  const bool hasTime = text.contains(ts);
  if (!hasDate && !hasTime) return false;
  QDate date;
  QTime time;
  if (hasDate && hasTime) {
    const QString t = text.trimmed();
    const int split = t.indexOf(QLatin1Char(' '));
    if (split < 0 || !ReadDate(t.left(split), locale, date) || !ReadTime(t.mid(split + 1), locale, time)) return false;
  } else if (hasDate) {
    if (!ReadDate(text, locale, date)) return false;
  } else if (!ReadTime(text, locale, time)) {
    return false;
  }
  value = (date.isValid() ? static_cast<double>(kEpoch.daysTo(date)) : 0.0) +
          (time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0);
  return true;
}

int SmartCompareTexts(const QString& a, const QString& b, TAutoSortStyle style, const QLocale& locale) {
  if (style == assSmart) {
    double x = 0, y = 0;
    if (ReadSortDateTime(a, locale, x) && ReadSortDateTime(b, locale, y)) return x < y ? -1 : x > y ? 1 : 0;
    if (ReadSortNumber(a, locale, x) && ReadSortNumber(b, locale, y)) return x < y ? -1 : x > y ? 1 : 0;
  }
  const int c = QString::localeAwareCompare(a, b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

TEnhListHeader::TEnhListHeader(TCustomEnhListView* view) : QHeaderView(Qt::Horizontal, view), fView(view) {}

void TEnhListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  if (!fView->HeaderItemOwnerDrawn(logicalIndex)) {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    return;
  }
  const bool pressed = (QApplication::mouseButtons() & Qt::LeftButton) && underMouse() &&
                       logicalIndexAt(mapFromGlobal(QCursor::pos())) == logicalIndex && sectionsClickable();
  painter->save();
  fView->DrawHeaderItem(painter, rect, logicalIndex, pressed);
  painter->restore();
}

TCustomEnhListView::TCustomEnhListView(QWidget* parent) : QTreeWidget(parent) {
  setHeader(new TEnhListHeader(this));
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSortingEnabled(false);
  setColumnCount(0);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  connect(header(), &QHeaderView::sectionClicked, this, [this](int logical) { ColumnClick(logical); });
  TickCount = [] {
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return timer.elapsed();
  };
}

TCustomEnhListView::~TCustomEnhListView() {
  if (fSaveSettings.AutoSave) StoreSettings();
}

void TCustomEnhListView::AddColumn(const QString& caption, int width, TTextAlignment alignment) {
  const int column = columnCount();
  setColumnCount(column + 1);
  headerItem()->setText(column, caption);
  const Qt::Alignment a = alignment == TTextAlignment::taCenter         ? Qt::AlignHCenter
                          : alignment == TTextAlignment::taRightJustify ? Qt::AlignRight
                                                                        : Qt::AlignLeft;
  headerItem()->setTextAlignment(column, a | Qt::AlignVCenter);
  setColumnWidth(column, width);
  fAlignments.resize(size_t(column + 1), TTextAlignment::taLeftJustify);
  fAlignments[size_t(column)] = alignment;
  if (fNoColumnResize) header()->setSectionResizeMode(column, QHeaderView::Fixed);
}

TTextAlignment TCustomEnhListView::ColumnAlignment(int column) const {
  return column >= 0 && column < int(fAlignments.size()) ? fAlignments[size_t(column)] : TTextAlignment::taLeftJustify;
}

QTreeWidgetItem* TCustomEnhListView::AddItem(const QString& caption, const QStringList& subItems) {
  return InsertItem(ItemCount(), caption, subItems);
}

QTreeWidgetItem* TCustomEnhListView::InsertItem(int index, const QString& caption, const QStringList& subItems) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, caption);
  for (int i = 0; i < subItems.size(); ++i) item->setText(i + 1, subItems[i]);
  item->setData(0, Qt::UserRole + 1, int(subItems.size()));
  for (int c = 0; c < columnCount(); ++c) {
    const TTextAlignment a = ColumnAlignment(c);
    const Qt::Alignment h = a == TTextAlignment::taCenter         ? Qt::AlignHCenter
                            : a == TTextAlignment::taRightJustify ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    item->setTextAlignment(c, h | Qt::AlignVCenter);
  }
  insertTopLevelItem(std::clamp(index, 0, ItemCount()), item);
  ItemInserted(item);
  if (fAutoResort) Resort();
  return item;
}

QString TCustomEnhListView::CellText(const QTreeWidgetItem* item, int column) {
  if (!item) return {};
  if (column <= 0) return item->text(0);
  const int subCount = item->data(0, Qt::UserRole + 1).toInt();
  return column <= subCount ? item->text(column) : QString();
}

void TCustomEnhListView::SetCellText(QTreeWidgetItem* item, int column, const QString& text) {
  item->setText(column, text);
  if (column > item->data(0, Qt::UserRole + 1).toInt()) item->setData(0, Qt::UserRole + 1, column);
  if (column == 0 && fAutoResort) Resort();
}

int TCustomEnhListView::SelectedIndex() const {
  const QList<QTreeWidgetItem*> sel = selectedItems();
  return sel.isEmpty() ? -1 : indexOfTopLevelItem(sel.first());
}

void TCustomEnhListView::SetAutoColumnSort(TAutoColumnSort sort) {
  fAutoColumnSort = sort;
  if (sort != acsNoSort) Resort();
  ApplySortIndicator();
}

void TCustomEnhListView::SetAutoSortStyle(TAutoSortStyle style) {
  fAutoSortStyle = style;
  Resort();
}

void TCustomEnhListView::SetAutoSortAscending(bool ascending) {
  fAutoSortAscending = ascending;
  fSortAscending = ascending;
}

void TCustomEnhListView::SetReverseSortArrows(bool reverse) {
  fReverseSortArrows = reverse;
  if (fShowSortArrows) MakeArrows();
  ApplySortIndicator();
}

int TCustomEnhListView::OwnerDrawRowHeight() {
  int h = fontMetrics().boundingRect(QStringLiteral("Wy")).height() + 1;
  h = std::max(h, fontMetrics().height() + 1);
  if (OnMeasureItem) OnMeasureItem(this, h);
  return std::max(h, 1);
}

void TCustomEnhListView::SetStyle(TLVStyle style) {
  fStyle = style;
  setStyleSheet(style == lvOwnerDrawFixed
                    ? QStringLiteral("QTreeView::item { height: %1px; }").arg(OwnerDrawRowHeight())
                    : QString());
  viewport()->update();
}

void TCustomEnhListView::SetShowSortArrows(bool show) {
  fShowSortArrows = show;
  fArrowUp = QImage();
  fArrowDown = QImage();
  if (show) MakeArrows();
  UpdateHeaderOwnerDraw();
  ApplySortIndicator();
}

void TCustomEnhListView::SetOnDrawHeader(TLVHDrawItemEvent handler) {
  fOnDrawHeader = std::move(handler);
  UpdateHeaderOwnerDraw();
}

void TCustomEnhListView::UpdateHeaderOwnerDraw() { SetHeaderOwnerDraw(bool(fOnDrawHeader) || fShowSortArrows); }

void TCustomEnhListView::SetHeaderOwnerDraw(bool on) {
  fHeaderOwnerDraw = on;
  header()->viewport()->update();
}

void TCustomEnhListView::MakeArrows() {
  const int textHeight = fontMetrics().height();
  fArrowUp = QImage();
  fArrowDown = QImage();
  if (textHeight < 7) return;
  const int s = (textHeight % 2 ? textHeight + 1 : textHeight) - 6;
  if (s <= 0) return;
  for (QImage* picture : {&fArrowUp, &fArrowDown}) {
    *picture = QImage(s, s, QImage::Format_RGB32);
    picture->fill(ToQColor(clBtnFace));
    TCanvas c(picture);
    const bool down = picture == &fArrowDown;
    c.Pen.Color = down ? clBtnShadow : clBtnHighlight;
    if (down) {
      c.MoveTo(s / 2, s - 2);
      c.LineTo(s - 1, 0);
      c.Pen.Color = clBtnHighlight;
      c.MoveTo(s - 2, 0);
      c.LineTo(0, 0);
      c.LineTo(s / 2 - 1, s - 2);
    } else {
      c.MoveTo(0, s - 1);
      c.LineTo(s / 2 - 1, 0);
      c.Pen.Color = clBtnShadow;
      c.MoveTo(s / 2, 0);
      c.LineTo(s - 1, s - 1);
      c.LineTo(-1, s - 1);
    }
  }
}

bool TCustomEnhListView::ArrowShownFor(int column) const {
  return fShowSortArrows && column == fSortColumn && fAutoColumnSort != acsNoSort;
}

void TCustomEnhListView::DrawHeaderItem(QPainter* painter, const QRect& rect, int column, bool pressed) {
  TCanvas canvas(painter);
  canvas.Font.Font = header()->font();
  canvas.Font.Color = clBtnText;
  canvas.Brush.Color = clBtnFace;
  TRect r = FromQRect(rect);
  bool defaultDrawing = !fOnDrawHeader;
  if (fOnDrawHeader) fOnDrawHeader(this, canvas, column, r, pressed, defaultDrawing);
  if (defaultDrawing) DefaultDrawHeader(canvas, column, r, pressed);
}

void TCustomEnhListView::DefaultDrawHeader(TCanvas& canvas, int column, TRect r, bool pressed) {
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(r);
  TRect edge = r;
  canvas.DrawEdge(edge, pressed ? unsigned(BDR_SUNKENOUTER) : unsigned(EDGE_RAISED), BF_RECT);
  InflateRect(r, -2, -2);
  if (pressed) OffsetRect(r, 1, 1);
  DrawHeaderCaption(canvas, column, r, r, ArrowShownFor(column));
}

void TCustomEnhListView::DrawHeaderCaption(TCanvas& canvas, int column, const TRect& area0, const TRect& item,
                                           bool arrowShown) {
  const TTextAlignment alignment = ColumnAlignment(column);
  TRect area = area0;
  if (alignment == TTextAlignment::taLeftJustify) area.Left += 4;
  if (alignment == TTextAlignment::taRightJustify) area.Right -= 4;
  QImage picture;
  bool pictureRight = true;
  const bool hasPicture = HeaderPicture(column, picture, pictureRight);
  if (hasPicture) {
    if (pictureRight)
      area.Right -= picture.width() + 4;
    else
      area.Left += picture.width() + 4;
  }
  const QImage& arrow = (fSortAscending != fReverseSortArrows) ? fArrowUp : fArrowDown;
  arrowShown = arrowShown && !arrow.isNull();
  const bool arrowRight = ArrowAtTextEnd() || alignment != TTextAlignment::taRightJustify;
  if (arrowShown) {
    const int room = arrow.width() + 8;
    if (arrowRight)
      area.Right = std::max(area.Left, area.Right - room);
    else
      area.Left += room;
  }
  const QString caption = headerItem()->text(column);
  const unsigned textFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  TRect measure = area;
  canvas.DrawText(caption, measure, textFlags | DT_CALCRECT);
  const int width = std::min(measure.Width(), std::max(area.Width(), 0));
  TRect text = area;
  if (alignment == TTextAlignment::taRightJustify)
    text.Left = text.Right - width;
  else if (alignment == TTextAlignment::taCenter)
    text.Left = area.Left + (area.Width() - width) / 2;
  text.Right = text.Left + width;
  canvas.Brush.Style = bsClear;
  canvas.DrawText(caption, text, textFlags);
  const auto fits = [&](int x, const QImage& img) { return x >= item.Left && x + img.width() <= item.Right; };
  const auto middle = [&](const QImage& img) { return item.Top + (item.Height() - img.height()) / 2; };
  int after = text.Right;
  if (hasPicture) {
    const int x = pictureRight ? text.Right + 4 : text.Left - 4 - picture.width();
    if (fits(x, picture)) canvas.Draw(x, middle(picture), picture);
    if (pictureRight) after = x + picture.width();
  }
  if (arrowShown) {
    const int x = arrowRight ? after + 8 : text.Left - 8 - arrow.width();
    if (fits(x, arrow)) canvas.Draw(x, middle(arrow), arrow);
  }
  canvas.Brush.Style = bsSolid;
}

TOwnerDrawState TCustomEnhListView::RowState(int index) const {
  TOwnerDrawState state = 0;
  QTreeWidgetItem* item = topLevelItem(index);
  if (!item) return state;
  if (item->isSelected()) state |= odSelected;
  if (item == currentItem() && hasFocus()) state |= odFocused;
  if (!isEnabled()) state |= odDisabled;
  return state;
}

TRect TCustomEnhListView::ColumnSpan(int column, const TRect& row) const {
  const int left = header()->sectionViewportPosition(column);
  return Rect(left, row.Top, left + header()->sectionSize(column), row.Bottom);
}

void TCustomEnhListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  if (fStyle != lvOwnerDrawFixed || index.parent().isValid()) {
    QTreeWidget::drawRow(painter, option, index);
    return;
  }
  auto* self = const_cast<TCustomEnhListView*>(this);
  const int row = index.row();
  painter->save();
  TCanvas canvas(painter);
  canvas.Font.Font = font();
  canvas.Font.Color = clWindowText;
  canvas.Brush.Color = clWindow;
  const int left = -horizontalOffset();
  const TRect rect = Rect(left, option.rect.top(), left + header()->length(), option.rect.top() + option.rect.height());
  const TOwnerDrawState state = RowState(row);
  bool defaultDrawing = !OnDrawItem;
  bool fullRowSelect = InitialFullRowSelect();
  if (OnDrawItem) OnDrawItem(self, canvas, row, rect, state, defaultDrawing, fullRowSelect);
  if (defaultDrawing) {
    self->DefaultDrawItem(canvas, row, rect, state, fullRowSelect);
    if (OnAfterDefaultDrawItem) OnAfterDefaultDrawItem(self, canvas, row, rect, state);
  }
  painter->restore();
}

void TCustomEnhListView::DefaultDrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state,
                                         bool fullRowSelect) {
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = clWindow;
  canvas.FillRect(rect);
  const bool focused = hasFocus();
  const bool selectionShown = (state & odSelected) && (focused || !HideSelection);
  const int first = ColumnAtPosition(0);
  const TRect firstSpan = ColumnSpan(first, rect);
  // the item's small picture sits 2 pixels in, vertically centred; text and selection follow it
  QTreeWidgetItem* item = topLevelItem(index);
  const QIcon icon = item ? item->icon(first) : QIcon();
  const QSize iconSize = icon.isNull() ? QSize() : (this->iconSize().isValid() ? this->iconSize() : QSize(16, 16));
  const int imagesRight = icon.isNull() ? firstSpan.Left : firstSpan.Left + 2 + iconSize.width();
  TRect selection = rect;
  selection.Left = imagesRight;
  if (!fullRowSelect)
    selection.Right = std::min(imagesRight + canvas.TextWidth(CellText(item, first)) + 8, firstSpan.Right);
  if (selectionShown) {
    canvas.Brush.Color = focused ? clHighlight : clBtnFace;
    canvas.FillRect(selection);
  }
  if (!icon.isNull()) {
    const QIcon::Mode mode = focused && (state & (odSelected | odFocused)) ? QIcon::Selected : QIcon::Normal;
    const QPixmap picture = icon.pixmap(iconSize, mode);
    canvas.Painter().drawPixmap(firstSpan.Left + 2, rect.Top + (rect.Height() - picture.height()) / 2, picture);
  }
  for (int p = 0; p < columnCount(); ++p) {
    const int column = ColumnAtPosition(p);
    if (header()->isSectionHidden(column)) continue;
    const bool highlighted = selectionShown && (p == 0 || fullRowSelect);
    canvas.Font.Color = highlighted ? (focused ? clHighlightText : clBtnText) : clWindowText;
    TRect cell = ColumnSpan(column, rect);
    if (p == 0) {
      if (ColumnAlignment(column) == TTextAlignment::taLeftJustify) cell.Left = imagesRight;
      if (!fullRowSelect) cell.Right = std::min(cell.Right, std::max(selection.Right, cell.Left));
    }
    DrawCellText(canvas, index, column, cell, state);
  }
  canvas.Font.Color = clWindowText;
  if ((state & odFocused) && focused) canvas.DrawFocusRect(selection);
}

void TCustomEnhListView::DrawCellText(TCanvas& canvas, int index, int column, TRect rect, TOwnerDrawState state) {
  bool defaultDrawing = true;
  if (OnDrawSubItem) OnDrawSubItem(this, canvas, index, column, rect, state, defaultDrawing);
  if (!defaultDrawing) return;
  const TTextAlignment alignment = ColumnAlignment(column);
  if (column > 0) InflateRect(rect, -4, 0);
  if (alignment == TTextAlignment::taLeftJustify) rect.Left += 4;
  const unsigned align = alignment == TTextAlignment::taRightJustify ? DT_RIGHT
                         : alignment == TTextAlignment::taCenter     ? DT_CENTER
                                                                     : DT_LEFT;
  canvas.Brush.Style = bsClear;
  canvas.DrawText(CellText(topLevelItem(index), column), rect,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
  canvas.Brush.Style = bsSolid;
}

void TCustomEnhListView::SetNoColumnResize(bool block) {
  fNoColumnResize = block;
  for (int c = 0; c < columnCount(); ++c)
    header()->setSectionResizeMode(c, block ? QHeaderView::Fixed : QHeaderView::Interactive);
}

void TCustomEnhListView::ApplySortIndicator() {
  // The header draws the arrows itself while they are shown.
  header()->setSortIndicatorShown(false);
  header()->viewport()->update();
}

void TCustomEnhListView::SetCurrentSortColumn(int column) {
  fSortColumn = column;
  ApplySortIndicator();
}

void TCustomEnhListView::SetCurrentSortAscending(bool ascending) {
  if (ascending == fSortAscending) return;
  fSortAscending = ascending;
  ApplySortIndicator();
}

int TCustomEnhListView::Compare(QTreeWidgetItem* a, QTreeWidgetItem* b, int column) const {
  try {
    if (!a || !b) return 0;
    const QString ta = CellText(a, column), tb = CellText(b, column);
    if (OnSortItems) {
      TSortAs as = saNone;
      int result = 0;
      OnSortItems(const_cast<TCustomEnhListView*>(this), a, b, column - 1, as, result);
      double x = 0, y = 0;
      switch (as) {
        case saNone:
          return result;
        case saString:
          return SmartCompareTexts(ta, tb, assDefault, Locale);
        case saNumeric:
          ReadSortNumber(ta, Locale, x);
          ReadSortNumber(tb, Locale, y);
          return x < y ? -1 : x > y ? 1 : 0;
        case saDateTime:
          ReadSortDateTime(ta, Locale, x);
          ReadSortDateTime(tb, Locale, y);
          return x < y ? -1 : x > y ? 1 : 0;
      }
    }
    return SmartCompareTexts(ta, tb, fAutoSortStyle, Locale);
  } catch (...) {
    return 0;
  }
}

void TCustomEnhListView::SortNow(int column, bool ascending) {
  fSortPending = false;
  SetCurrentSortColumn(column);
  if (OnSortBegin) OnSortBegin(this, column, !ascending);
  const int direction = ascending ? 1 : -1;
  QTreeWidgetItem* current = currentItem();
  std::vector<QTreeWidgetItem*> items;
  for (int i = ItemCount(); i-- > 0;) items.insert(items.begin(), takeTopLevelItem(i));
  std::stable_sort(items.begin(), items.end(),
                   [&](QTreeWidgetItem* a, QTreeWidgetItem* b) { return Compare(a, b, column) * direction < 0; });
  QList<QTreeWidgetItem*> list(items.begin(), items.end());
  std::vector<bool> selected;
  for (QTreeWidgetItem* it : items) selected.push_back(it->isSelected());
  insertTopLevelItems(0, list);
  for (size_t i = 0; i < items.size(); ++i) items[i]->setSelected(selected[i]);
  if (current) setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
  if (OnSortFinished) OnSortFinished(this, column, !ascending);
}

void TCustomEnhListView::SortByColumn(int column, bool ascending) {
  if (fAutoColumnSort == acsSortToggle) fSortAscending = column == fSortColumn ? !ascending : ascending;
  SortNow(column, ascending);
}

void TCustomEnhListView::Resort() {
  fSortPending = true;
  const bool valid = fSortColumn >= 0 && fSortColumn < columnCount();
  if (((fAutoColumnSort != acsNoSort && valid) || OnSortItems) && fSortLock <= 0)
    SortNow(std::max(fSortColumn, 0), fSortAscending);
}

void TCustomEnhListView::BeginUpdate() {
  setUpdatesEnabled(false);
  ++fSortLock;
}

void TCustomEnhListView::EndUpdate() {
  fSortLock = std::max(fSortLock - 1, 0);
  if (fSortLock == 0 && fSortPending) Resort();
  setUpdatesEnabled(true);
}

void TCustomEnhListView::SizeColumns(bool fitContent) {
  BeginUpdate();
  for (int c = 0; c < columnCount(); ++c) {
    if (fitContent)
      resizeColumnToContents(c);
    else
      setColumnWidth(c, header()->sectionSizeHint(c));
  }
  EndUpdate();
}

void TCustomEnhListView::MoveItem(int from, int to) {
  if (from < 0 || to < 0 || from >= ItemCount() || to >= ItemCount() || from == to) return;
  BeginUpdate();
  const bool focused = currentItem() == topLevelItem(from);
  const bool selected = topLevelItem(from)->isSelected();
  QTreeWidgetItem* item = takeTopLevelItem(from);
  insertTopLevelItem(to, item);
  item->setSelected(selected);
  if (focused) setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
  fSortPending = false;
  EndUpdate();
}

namespace {
template <class Match>
QTreeWidgetItem* FindFrom(TCustomEnhListView* view, Match match) {
  const int count = view->ItemCount();
  if (count == 0) return nullptr;
  const int selected = view->SelectedIndex();
  const int start = selected >= 0 ? selected + 1 : 1;
  for (int k = 0; k < count; ++k) {
    QTreeWidgetItem* item = view->Item((start + k) % count);
    if (match(item)) {
      view->clearSelection();
      item->setSelected(true);
      view->setCurrentItem(item);
      view->scrollToItem(item);
      return item;
    }
  }
  return nullptr;
}
}  // namespace

QTreeWidgetItem* TCustomEnhListView::FindByPrefix(const QString& text, int column) {
  return FindFrom(this, [&](QTreeWidgetItem* item) {
    const QString t = CellText(item, column).left(text.size());
    return QString::localeAwareCompare(t.toLower(), text.toLower()) == 0;
  });
}

QTreeWidgetItem* TCustomEnhListView::FindBySubstring(const QString& text, int column) {
  return FindFrom(this,
                  [&](QTreeWidgetItem* item) { return CellText(item, column).contains(text, Qt::CaseSensitive); });
}

void TCustomEnhListView::ColumnClick(int column) {
  if (fAutoColumnSort == acsSortToggle) fSortAscending = column == fSortColumn ? !fSortAscending : fAutoSortAscending;
  if (OnColumnClick) OnColumnClick(this, column);
  if (fAutoColumnSort != acsNoSort && column >= 0 && column < columnCount()) SortNow(column, fSortAscending);
  SetCurrentSortColumn(column);
}

void TCustomEnhListView::keyPressEvent(QKeyEvent* event) {
  if (fColumnSearch && fSortColumn >= 0) {
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const qint64 now = TickCount();
      const QString before = fSearchText;
      if (now - fLastSearch > 1000) fSearchText.clear();
      fSearchText += text;
      fLastSearch = now;
      if (!FindByPrefix(fSearchText, fSortColumn)) {
        QApplication::beep();
        fSearchText = before;
      }
      event->accept();
      return;
    }
  }
  QTreeWidget::keyPressEvent(event);
}

void TCustomEnhListView::changeEvent(QEvent* event) {
  QTreeWidget::changeEvent(event);
  // owner-drawn rows are measured anew in the new font
  if (event->type() == QEvent::FontChange && fStyle == lvOwnerDrawFixed) SetStyle(fStyle);
  if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) && fShowSortArrows) {
    MakeArrows();
    header()->viewport()->update();
  }
}

void TCustomEnhListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTreeWidgetItem* item = currentItem();
  QTreeWidget::closeEditor(editor, hint);
  if (hint == QAbstractItemDelegate::RevertModelCache) {
    if (item && OnEditCanceled) OnEditCanceled(this, item);
  } else if (fAutoResort) {
    Resort();
  }
}

int TCustomEnhListView::ColumnAtPosition(int position) const { return position; }

int TCustomEnhListView::PositionOfColumn(int column) const { return column; }

std::unique_ptr<QSettings> TCustomEnhListView::OpenSettings() const {
  auto settings = SettingsFile.isEmpty()
                      ? std::make_unique<QSettings>(QStringLiteral("ZORV"), QStringLiteral("ZYN Systemsoftware"))
                      : std::make_unique<QSettings>(SettingsFile, QSettings::IniFormat);
  QString key = fSaveSettings.RegistryKey;
  key.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!key.isEmpty()) settings->beginGroup(key);
  return settings;
}

void TCustomEnhListView::StoreSettings() {
  if (columnCount() == 0) return;
  auto s = OpenSettings();
  if (fSaveSettings.SaveColumnSizes) {
    QStringList sizes;
    for (int p = 0; p < columnCount(); ++p) sizes << QString::number(columnWidth(ColumnAtPosition(p)));
    s->setValue(QStringLiteral("Columns/Sizes"), sizes.join(QLatin1Char(',')));
  }
  if (fSaveSettings.SaveCurrentSort) {
    s->setValue(QStringLiteral("Sort/Ascending"), fSortAscending ? "1" : "0");
    s->setValue(QStringLiteral("Sort/SortCol"), QString::number(fSortColumn));
  }
  if (fSaveSettings.SaveViewStyle) s->setValue(QStringLiteral("ViewStyle/ViewStyle"), QString::number(int(fViewStyle)));
}

bool TCustomEnhListView::LoadSettings() {
  auto s = OpenSettings();
  bool found = false;
  if (fSaveSettings.SaveColumnSizes && s->contains(QStringLiteral("Columns/Sizes"))) {
    found = true;
    const QStringList parts = s->value(QStringLiteral("Columns/Sizes")).toString().split(QLatin1Char(','));
    for (int p = 0; p < parts.size() && p < columnCount(); ++p) {
      bool ok = false;
      const int w = parts[p].trimmed().toInt(&ok);
      if (ok) setColumnWidth(ColumnAtPosition(p), w);
    }
  }
  if (fSaveSettings.SaveCurrentSort &&
      (s->contains(QStringLiteral("Sort/Ascending")) || s->contains(QStringLiteral("Sort/SortCol")))) {
    found = true;
    const bool ascending =
        s->value(QStringLiteral("Sort/Ascending"), QStringLiteral("1")).toString() != QLatin1String("0");
    int column = s->value(QStringLiteral("Sort/SortCol"), QStringLiteral("0")).toString().toInt();
    column = std::max(std::min(column, columnCount() - 1), 0);
    BeginUpdate();
    fSortAscending = ascending;
    SetCurrentSortColumn(column);
    Resort();
    EndUpdate();
  }
  if (fSaveSettings.SaveViewStyle && s->contains(QStringLiteral("ViewStyle/ViewStyle"))) {
    found = true;
    const int v = s->value(QStringLiteral("ViewStyle/ViewStyle")).toString().toInt();
    if (v >= 0 && v <= 3) fViewStyle = static_cast<TViewStyle>(v);
  }
  return found;
}

void TCustomEnhListView::Loaded() {
  fSortLock = 0;
  const bool loaded = fSaveSettings.AutoSave && LoadSettings();
  if (!loaded || !fSaveSettings.SaveCurrentSort) {
    if (columnCount() > 0) SetCurrentSortColumn(0);
    Resort();
  }
}

}  // namespace zyn
