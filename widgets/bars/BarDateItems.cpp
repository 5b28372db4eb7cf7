#include "widgets/bars/BarDateItems.h"

#include "platform/Canvas.h"
#include "platform/PopupWindows.h"
#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarTexts.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zyn {

namespace {

const QDate kEpoch(1899, 12, 30);

QColor Qc(TColor c) { return ToQColor(c); }

int& FirstDay() {
  // The locale's first weekday, Qt's 1 = Monday .. 7 = Sunday, as 0 = Sunday .. 6 = Saturday.
  static int day = static_cast<int>(QLocale::system().firstDayOfWeek()) % 7;
  return day;
}

QString TodayText() { return BarQText("Today"); }
QString ClearText() { return BarQText("Clear"); }

QString MonthTitle(const QDate& d) {
  return QLocale().standaloneMonthName(d.month(), QLocale::LongFormat) + QLatin1Char(' ') + QString::number(d.year());
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysPerMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

QDate IncMonth(const QDate& date, int n) {
  int year = date.year() + n / 12;
  int month = date.month() + n % 12;
  if (month > 12) {
    month -= 12;
    ++year;
  } else if (month < 1) {
    month += 12;
    --year;
  }
  return QDate(year, month, std::clamp(date.day(), 1, DaysPerMonth(year, month)));
}

TDateTime DateToDateTime(const QDate& date) {
  return date.isValid() ? static_cast<TDateTime>(kEpoch.daysTo(date)) : NullDate;
}

QDate DateTimeToDate(TDateTime value) {
  if (value == NullDate || !std::isfinite(value)) return QDate();
  return kEpoch.addDays(static_cast<qint64>(std::floor(value)));
}

TDateTime Today() { return DateToDateTime(QDate::currentDate()); }
int BarFirstDayOfWeek() { return FirstDay(); }
void SetBarFirstDayOfWeek(int day) { FirstDay() = ((day % 7) + 7) % 7; }

int WeekColumn(const QDate& date) {
  const int dayOfWeek = date.dayOfWeek() % 7 + 1;  // 1 = Sunday .. 7 = Saturday
  const int d = dayOfWeek - FirstDay();
  return d > 0 ? d - 1 : d + 6;
}

std::string DateToText(TDateTime value, bool showDay) {
  const QDate d = DateTimeToDate(value);
  if (!d.isValid()) return {};
  const QLocale locale;
  QString text = locale.toString(d, QLocale::ShortFormat);
  if (showDay) text = locale.dayName(d.dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') + text;
  return FromQString(text);
}

TDateTime TextToDate(const std::string& textIn) {
  QString text = ToQString(textIn).trimmed();
  const int blank = text.indexOf(QLatin1Char(' '));
  if (blank >= 0 && !text.left(blank).contains(QRegularExpression(QStringLiteral("\\d")))) text = text.mid(blank + 1);
  text.replace(QLatin1Char('.'), QLatin1Char(' '))
      .replace(QLatin1Char('/'), QLatin1Char(' '))
      .replace(QLatin1Char('-'), QLatin1Char(' '));
  const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != 3) return NullDate;
  int numbers[3];
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    numbers[i] = parts[i].toInt(&ok);
    if (!ok) return NullDate;
  }
  // The order of day, month and year as the locale's short date writes them.
  const QString format = QLocale().dateFormat(QLocale::ShortFormat);
  const int dPos = format.indexOf(QLatin1Char('d')), mPos = format.indexOf(QLatin1Char('M')),
            yPos = format.indexOf(QLatin1Char('y'));
  auto rank = [&](int pos) { return (pos > dPos) + (pos > mPos) + (pos > yPos); };
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) {
    if (rank(dPos) == i) day = numbers[i];
    if (rank(mPos) == i) month = numbers[i];
    if (rank(yPos) == i) year = numbers[i];
  }
  if (year < 100 && parts[rank(yPos)].size() <= 2) year += year < 50 ? 2000 : 1900;
  const QDate d(year, month, day);
  return d.isValid() ? DateToDateTime(d) : NullDate;
}

// ---------------------------------------------------------------- calendar

TzbBarCustomCalendar::TzbBarCustomCalendar(QWidget* parent) : QWidget(parent) {
  fFirstDate = fSelStart = fSelFinish = QDate::currentDate();
}

void TzbBarCustomCalendar::SetStyle(int value) {
  fStyle = value;
  update();
}

QDate TzbBarCustomCalendar::GetRealFirstDate() const {
  if (!fSelFinish.isValid()) return fSelStart;
  if (!fSelStart.isValid()) return fSelFinish;
  return std::min(fSelStart, fSelFinish);
}

QDate TzbBarCustomCalendar::GetRealLastDate() const {
  if (!fSelFinish.isValid()) return fSelStart;
  if (!fSelStart.isValid()) return fSelFinish;
  return std::max(fSelStart, fSelFinish);
}

void TzbBarCustomCalendar::SetFirstDate(const QDate& value) {
  if (value == fFirstDate) return;
  fFirstDate = value;
  update();
}

void TzbBarCustomCalendar::SetSelStart(const QDate& value) {
  fSelStart = value;
  fSelFinish = QDate();
  SetSelFinish(value);
  update();
}

void TzbBarCustomCalendar::SetSelFinish(const QDate& value) {
  if (value == fSelFinish) return;
  CheckFirstDate();
  fSelFinish = value;
  CheckFirstDate();
  update();
}

void TzbBarCustomCalendar::mousePressEvent(QMouseEvent* e) {
  if (fDoubleClick) return;
  const QDate d = PosToDateTime(e->position().toPoint());
  fDragDate = fSelStart;
  if (d.isValid()) SetSelStart(d);
}

// ---------------------------------------------------------------- navigator

TzbBarDateNavigator::TzbBarDateNavigator(TzbBarDateCombo* combo, bool popup, QWidget* parent)
    : TzbBarCustomCalendar(parent), fCombo(combo), fPopup(popup) {
  if (popup) {
    // Shown below the combo like its list: the edit keeps the focus and hands the keys over.
    setProperty("zbDropDownWindow", true);
    MakeNonActivatingPopup(this);
    setFocusPolicy(Qt::NoFocus);
  }
  const QDate today = QDate::currentDate();
  fFirstDate = QDate(today.year(), today.month(), 1);
  hide();
  CalcMetrics();
}

TzbBarDateNavigator::~TzbBarDateNavigator() = default;

int TzbBarDateNavigator::GetStyle() const {
  if (fStyle == 1 && fCombo && fCombo->BarManager().PainterClass().ReportsCalendarButtons()) return 2;
  return fStyle;
}

void TzbBarDateNavigator::CalcMetrics() {
  const QFontMetrics fm(font());
  const int zw = fm.horizontalAdvance(QLatin1Char('0')), zh = fm.height();
  const int style = GetStyle();
  fColWidth = 3 * zw;
  fSideWidth = 2 * zw;
  fRowHeight = zh + 2;
  fHeaderHeight = zh + 4 + (style != 0 ? 1 : 0);
  fDaysOfWeekHeight = fRowHeight + 1;
  fTodayWidth = fm.horizontalAdvance(TodayText()) + fColWidth;
  fClearWidth = fm.horizontalAdvance(ClearText()) + fColWidth;
  const int fontSize = std::max(1, font().pointSize() > 0 ? font().pointSize() : font().pixelSize() * 3 / 4);
  fButtonsOffset = fontSize / 2;
  fButtonsHeight = MulDiv(fontSize, 5, 2);
  fButtonsRegionHeight = fontSize * 3 / 4 + fButtonsHeight + fButtonsOffset;
  const int frame = style == 0 ? 0 : 2;
  const int w = frame + 2 * fSideWidth + 7 * fColWidth;
  int h = frame + fHeaderHeight + fDaysOfWeekHeight + 6 * fRowHeight + 1 + (style == 0 ? 1 : 0);
  if (HasButtons()) h += fButtonsRegionHeight;
  setFixedSize(w, h);
}

void TzbBarDateNavigator::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) CalcMetrics();
  QWidget::changeEvent(e);
}

QDate TzbBarDateNavigator::GridStart() const {
  const QDate first(fFirstDate.year(), fFirstDate.month(), 1);
  const int column = WeekColumn(first);
  return first.addDays(-(column == 0 ? 7 : column));
}

QDate TzbBarDateNavigator::GetFirstVisibleDate() const { return GridStart(); }
QDate TzbBarDateNavigator::GetLastVisibleDate() const { return GridStart().addDays(41); }
QDate TzbBarDateNavigator::GetLastDate() const {
  return QDate(fFirstDate.year(), fFirstDate.month(), DaysPerMonth(fFirstDate.year(), fFirstDate.month()));
}

void TzbBarDateNavigator::SetFirstDate(const QDate& value) {
  TzbBarCustomCalendar::SetFirstDate(value.isValid() ? QDate(value.year(), value.month(), 1) : value);
}

void TzbBarDateNavigator::CheckFirstDate() {
  if (!fSelStart.isValid()) return;
  if (fSelStart < GetFirstVisibleDate()) SetFirstDate(IncMonth(fSelStart, -1));
  if (fSelStart > GetLastVisibleDate()) SetFirstDate(fSelStart);
}

QRect TzbBarDateNavigator::HeaderRect() const { return QRect(0, 0, width(), fHeaderHeight); }

QRect TzbBarDateNavigator::LeftArrowRect() const {
  return QRect(QPoint(1, 1), QPoint(fColWidth - 2, fHeaderHeight - 2));
}

QRect TzbBarDateNavigator::RightArrowRect() const {
  const int b = GetStyle() == 0 ? 1 : 0;
  return QRect(QPoint(width() - fColWidth, 1), QPoint(width() - b - 2, fHeaderHeight - 2));
}

QRect TzbBarDateNavigator::TitleRect() const {
  const int b = GetStyle() == 0 ? 1 : 0;
  return QRect(QPoint(fColWidth, 0), QPoint(width() - b - fColWidth - 1, fHeaderHeight - 1));
}

QRect TzbBarDateNavigator::DayRect(int column, int row) const {
  return QRect(fSideWidth + column * fColWidth, fHeaderHeight + fDaysOfWeekHeight + row * fRowHeight, fColWidth,
               fRowHeight);
}

QRect TzbBarDateNavigator::TodayButtonRect() const {
  if (!HasButtons() || !ShowTodayButton) return {};
  const int top = height() + fButtonsOffset - fButtonsRegionHeight;
  if (!ShowClearButton) return QRect((width() - fTodayWidth) / 2, top, fTodayWidth, fButtonsHeight);
  const int gap = (width() - fTodayWidth - fClearWidth) / 3;
  return QRect(gap, top, fTodayWidth, fButtonsHeight);
}

QRect TzbBarDateNavigator::ClearButtonRect() const {
  if (!HasButtons() || !ShowClearButton) return {};
  const int top = height() + fButtonsOffset - fButtonsRegionHeight;
  if (!ShowTodayButton) return QRect((width() - fClearWidth) / 2, top, fClearWidth, fButtonsHeight);
  const int gap = (width() - fTodayWidth - fClearWidth) / 3;
  return QRect(width() - gap - fClearWidth, top, fClearWidth, fButtonsHeight);
}

QDate TzbBarDateNavigator::PosToDateTime(const QPoint& p) const {
  const QRect grid = DayRect(0, 0).united(DayRect(6, 5));
  if (!grid.contains(p)) return QDate();
  const int column = (p.x() - fSideWidth) / fColWidth, row = (p.y() - grid.top()) / fRowHeight;
  return GridStart().addDays(7 * row + column);
}

void TzbBarDateNavigator::StepMonth(int n) { SetFirstDate(IncMonth(fFirstDate, n)); }

void TzbBarDateNavigator::ResetTransientState() {
  fArrowTimer.stop();
  fArrowStep = 0;
  fMonthList.reset();
  fTodayActive = fTodayPressed = fClearActive = fClearPressed = false;
  update();
}

void TzbBarDateNavigator::paintEvent(QPaintEvent*) {
  QPainter qp(this);
  TCanvas dc(&qp);
  dc.Font.Font = font();
  const int style = GetStyle();
  const QRect client = rect();
  qp.fillRect(client, Qc(clWindow));
  // Header with title and arrows.
  const QRect header = HeaderRect();
  const TColor headerColor = fCombo ? fCombo->BarManager().PainterClass().GetCalendarHeaderColor() : clBtnFace;
  qp.fillRect(header, Qc(headerColor));
  if (style == 2) {
    qp.setPen(Qc(clBtnShadow));
    qp.drawLine(header.left(), header.bottom(), header.right(), header.bottom());
  } else {
    TRect edge = FromQRect(header);
    dc.DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
  }
  qp.setPen(Qc(clBtnText));
  qp.drawText(header, Qt::AlignCenter, MonthTitle(fFirstDate));
  qp.setBrush(Qc(clBtnText));
  int ah = fHeaderHeight / 2;
  if (ah % 2 == 0) --ah;
  const int cy = header.center().y();
  for (int side : {0, 1}) {
    const int apex = side == 0 ? fSideWidth - 1 : width() - fSideWidth;
    const int base = side == 0 ? apex + ah / 2 + 1 : apex - ah / 2 - 1;
    const QPoint tri[3] = {QPoint(apex, cy), QPoint(base, cy - ah / 2), QPoint(base, cy + ah / 2)};
    qp.drawPolygon(tri, 3);
  }
  // Weekday row.
  const QLocale locale;
  qp.setPen(Qc(clWindowText));
  for (int c = 0; c < 7; ++c) {
    const int qtDay = (FirstDay() + c + 6) % 7 + 1;  // Qt: 1 = Monday
    const QRect cell(fSideWidth + c * fColWidth, fHeaderHeight, fColWidth - 3, fDaysOfWeekHeight - 1);
    qp.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, locale.dayName(qtDay, QLocale::ShortFormat).left(1));
  }
  qp.setPen(Qc(clBtnShadow));
  const int line = fHeaderHeight + fDaysOfWeekHeight - 1;
  qp.drawLine(fSideWidth, line, width() - fSideWidth - 1, line);
  // Days.
  const QDate start = GridStart(), today = QDate::currentDate(), selA = GetRealFirstDate(), selB = GetRealLastDate();
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 7; ++c) {
      const QDate d = start.addDays(7 * r + c);
      QRect cell = DayRect(c, r);
      const bool selected = selA.isValid() && d >= selA && d <= selB;
      const TColor back = selected ? (style == 0 ? clHighlight : style == 1 ? clBtnFace : clHighlight) : clWindow;
      if (d == today) {
        qp.setPen(Qc(clMaroon));
        qp.setBrush(Qt::NoBrush);
        qp.drawRect(cell.adjusted(0, 0, -1, -1));
        cell.adjust(1, 1, -1, -1);
      }
      qp.fillRect(cell, Qc(back));
      TColor text = d.month() != fFirstDate.month() ? clGrayText : clWindowText;
      if (selected && style != 1) text = clHighlightText;
      qp.setPen(Qc(text));
      qp.drawText(cell.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(d.day()));
    }
  if (HasButtons()) {
    qp.setPen(Qc(clBtnShadow));
    const int y = height() - fButtonsRegionHeight;
    qp.drawLine(fSideWidth, y, width() - fSideWidth - 1, y);
    const TzbBarItemControlPainter& p =
        fCombo ? fCombo->BarManager().PainterClass() : TzbBarItemControlPainter::Instance();
    if (ShowTodayButton) p.DrawTextButton(dc, fTodayActive && fTodayPressed, TodayText(), FromQRect(TodayButtonRect()));
    if (ShowClearButton) p.DrawTextButton(dc, fClearActive && fClearPressed, ClearText(), FromQRect(ClearButtonRect()));
  }
  if (style == 1) {
    TRect frame = FromQRect(client);
    dc.DrawEdge(frame, EDGE_RAISED, BF_RECT);
  } else if (style == 2) {
    qp.setPen(Qc(clBtnShadow));
    qp.setBrush(Qt::NoBrush);
    qp.drawRect(client.adjusted(0, 0, -1, -1));
  }
}

void TzbBarDateNavigator::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (e->button() != Qt::LeftButton) return;
  if (HasButtons()) {
    if (TodayButtonRect().contains(p)) {
      fTodayActive = fTodayPressed = true;
      update();
      return;
    }
    if (ClearButtonRect().contains(p)) {
      fClearActive = fClearPressed = true;
      update();
      return;
    }
    if (p.y() >= height() - fButtonsRegionHeight) return;
  }
  TzbBarCustomCalendar::mousePressEvent(e);
  fDoubleClick = false;
  if (TitleRect().contains(p) && !LeftArrowRect().contains(p) && !RightArrowRect().contains(p)) {
    fMonthList = std::make_unique<TAMonthListBox>(*this, IncMonth(fFirstDate, -3));
    const QPoint center = mapToGlobal(TitleRect().center());
    fMonthList->move(center.x() - fMonthList->width() / 2, center.y() - fMonthList->height() / 2);
    fMonthList->show();
    return;
  }
  for (int step : {-1, 1}) {
    if ((step < 0 ? LeftArrowRect() : RightArrowRect()).contains(p)) {
      StepMonth(step);
      fArrowStep = step;
      fArrowTimer.start(170, this);
      return;
    }
  }
}

void TzbBarDateNavigator::timerEvent(QTimerEvent* e) {
  if (e->timerId() != fArrowTimer.timerId()) return QWidget::timerEvent(e);
  const QPoint p = mapFromGlobal(QCursor::pos());
  if ((fArrowStep < 0 ? LeftArrowRect() : RightArrowRect()).contains(p)) StepMonth(fArrowStep);
}

void TzbBarDateNavigator::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton)) return;
  const QPoint p = e->position().toPoint();
  if (fMonthList) {
    fMonthList->MouseAt(mapToGlobal(p));
    return;
  }
  if (fArrowTimer.isActive()) return;
  if (fTodayActive || fClearActive) {
    const bool over = (fTodayActive ? TodayButtonRect() : ClearButtonRect()).contains(p);
    bool& pressed = fTodayActive ? fTodayPressed : fClearPressed;
    if (over != pressed) {
      pressed = over;
      update();
    }
    return;
  }
  if (!rect().contains(p)) {
    SetSelStart(fDragDate);
    return;
  }
  const QDate d = PosToDateTime(p);
  if (d.isValid()) SetSelFinish(d);
}

void TzbBarDateNavigator::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const QPoint p = e->position().toPoint();
  if (fArrowTimer.isActive()) {  // an arrow click only changes the shown month
    fArrowTimer.stop();
    return;
  }
  if (fMonthList) {
    const QDate month = fMonthList->HotDate();
    fMonthList.reset();
    if (month.isValid()) SetFirstDate(month);
    return;
  }
  bool onButton = false;
  if (fTodayActive || fClearActive) {
    const bool today = fTodayActive, pressed = fTodayActive ? fTodayPressed : fClearPressed;
    fTodayActive = fTodayPressed = fClearActive = fClearPressed = false;
    update();
    if (pressed) SetSelStart(today ? QDate::currentDate() : QDate());
    onButton = pressed;
  }
  if (fDoubleClick) {
    fDoubleClick = false;
    return;
  }
  if (rect().contains(p) && (onButton || PosToDateTime(p).isValid()))
    DoDateChanged();
  else if (!onButton)
    SetSelStart(fDragDate);
}

void TzbBarDateNavigator::mouseDoubleClickEvent(QMouseEvent* e) {
  fDoubleClick = true;
  if (!fPopup && PosToDateTime(e->position().toPoint()).isValid())
    if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->accept();
}

bool TzbBarDateNavigator::NavigateKey(int key, Qt::KeyboardModifiers modifiers) {
  QDate d = GetRealFirstDate();
  if (!d.isValid()) d = QDate::currentDate();
  const bool ctrl = (modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) == Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!fMonthList) DoDateChanged();
      return true;
    case Qt::Key_PageUp:
      d = IncMonth(d, -1);
      break;
    case Qt::Key_PageDown:
      d = IncMonth(d, 1);
      break;
    case Qt::Key_Home:
      d = ctrl ? QDate(d.year(), d.month(), 1) : d.addDays(-WeekColumn(d));
      break;
    case Qt::Key_End:
      d = ctrl ? QDate(d.year(), d.month(), DaysPerMonth(d.year(), d.month())) : d.addDays(6 - WeekColumn(d));
      break;
    case Qt::Key_Left:
      d = d.addDays(-1);
      break;
    case Qt::Key_Right:
      d = d.addDays(1);
      break;
    case Qt::Key_Up:
      d = d.addDays(-7);
      break;
    case Qt::Key_Down:
      d = d.addDays(7);
      break;
    default:
      return false;
  }
  SetSelStart(d);
  return true;
}

void TzbBarDateNavigator::keyPressEvent(QKeyEvent* e) {
  if (fPopup && e->key() == Qt::Key_Escape && fCombo) {
    fCombo->CloseUp();
    return;
  }
  if (!fPopup || !NavigateKey(e->key(), e->modifiers())) QWidget::keyPressEvent(e);
}

// ---------------------------------------------------------------- month list

TAMonthListBox::TAMonthListBox(TzbBarDateNavigator& navigator, const QDate& topDate)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      fItemHeight(navigator.HeaderHeight() - 2),
      fTopDate(QDate(topDate.year(), topDate.month(), 1)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(navigator.font());
  setFixedSize(6 * navigator.ColumnWidth() + 2, 7 * fItemHeight + 2);
}

QDate TAMonthListBox::HotDate() const { return fHotRow < 0 ? QDate() : IncMonth(fTopDate, fHotRow); }

int TAMonthListBox::ScrollInterval() const {
  static const int intervals[] = {500, 250, 100, 50};
  return fStep == 0 ? 0 : intervals[std::abs(fStep) - 1];
}

void TAMonthListBox::MouseAt(const QPoint& screen) {
  const QPoint p = mapFromGlobal(screen);
  int y = 0;
  if (p.y() < 0)
    y = p.y();
  else if (p.y() >= height())
    y = p.y() - height() + 1;
  if (y == 0) {
    fTimer.stop();
    fStep = 0;
    const int row = p.x() >= 0 && p.x() < width() ? std::clamp((p.y() - 1) / fItemHeight, 0, 6) : -1;
    if (row != fHotRow) {
      fHotRow = row;
      update();
    }
    return;
  }
  if (fHotRow != -1) {
    fHotRow = -1;
    update();
  }
  int step = (y > 0 ? 1 : -1) + y / 12;
  step = std::clamp(step, -4, 4);
  if (step == fStep && fTimer.isActive()) return;
  fStep = step;
  fTimer.start(ScrollInterval(), this);
}

void TAMonthListBox::timerEvent(QTimerEvent* e) {
  if (e->timerId() != fTimer.timerId()) return QWidget::timerEvent(e);
  fTopDate = IncMonth(fTopDate, fStep > 0 ? 1 : -1);
  update();
}

void TAMonthListBox::paintEvent(QPaintEvent*) {
  QPainter qp(this);
  qp.fillRect(rect(), Qc(clWindow));
  qp.setPen(Qc(clWindowText));
  qp.drawRect(rect().adjusted(0, 0, -1, -1));
  for (int row = 0; row < 7; ++row) {
    const QRect r(1, 1 + row * fItemHeight, width() - 2, fItemHeight);
    const bool hot = row == fHotRow;
    if (hot) qp.fillRect(r, Qc(clWindowText));
    qp.setPen(Qc(hot ? clWindow : clWindowText));
    qp.drawText(r, Qt::AlignCenter, MonthTitle(IncMonth(fTopDate, row)));
  }
}

// ---------------------------------------------------------------- date combo

std::function<bool(QDialog&)> TzbBarDateCombo::RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };

TzbBarDateCombo::TzbBarDateCombo(TzbBarManager& manager) : TzbBarCustomCombo(manager) {
  fNavigator = std::make_unique<TzbBarDateNavigator>(this, true);
  fNavigator->OnDateChosen = [this]() { ApplyNavigatorDate(); };
  SetDateQuietly(zyn::Today());
}

TzbBarDateCombo::~TzbBarDateCombo() = default;

bool TzbBarDateCombo::InheritsFrom(const char* c) const {
  return std::strcmp(c, kClassName) == 0 || TzbBarCustomCombo::InheritsFrom(c);
}

TDateTime TzbBarDateCombo::ClampDate(TDateTime d) const {
  if (fMinDate == 0 && fMaxDate == 0) return d;
  if (d == NullDate) return d;  // an empty date stays empty
  if (d < fMinDate) d = fMinDate;
  if (d > fMaxDate) d = fMaxDate;
  return d;
}

void TzbBarDateCombo::SetText(const std::string& value) {
  const std::string text = DateToText(ClampDate(TextToDate(value)), fShowDayText);
  if (!fSettingDate) fDateOnStart = bdsCustom;
  TzbBarCustomCombo::SetText(text);
}

void TzbBarDateCombo::SetDateQuietly(TDateTime value) {
  fSettingDate = true;
  SetText(DateToText(value, fShowDayText));
  fSettingDate = false;
}

void TzbBarDateCombo::SetDate(TDateTime value) { SetText(DateToText(ClampDate(value), fShowDayText)); }

void TzbBarDateCombo::SetMinDate(TDateTime value) {
  if (value > fMaxDate) value = fMaxDate;
  if (value == fMinDate) return;
  fMinDate = value;
  const TDateTime d = Date();
  if (ClampDate(d) != d) SetDate(ClampDate(d));
}

void TzbBarDateCombo::SetMaxDate(TDateTime value) {
  if (value < fMinDate) value = fMinDate;
  if (value == fMaxDate) return;
  fMaxDate = value;
  const TDateTime d = Date();
  if (ClampDate(d) != d) SetDate(ClampDate(d));
}

void TzbBarDateCombo::SetShowDayText(bool value) {
  if (value == fShowDayText) return;
  const TDateTime d = Date();
  fShowDayText = value;
  SetDateQuietly(d);
}

void TzbBarDateCombo::SetDateOnStart(TzbBarDateOnStart value) {
  fDateOnStart = value;
  if (IsLoading()) return;
  switch (value) {
    case bdsToday:
      SetDateQuietly(zyn::Today());
      break;
    case bdsNullDate:
      SetDateQuietly(NullDate);
      break;
    case bdsCustom:
      SetDateQuietly(Date());
      break;
  }
}

void TzbBarDateCombo::Loaded() {
  EndLoading();
  SetDateOnStart(fDateOnStart);
}

bool TzbBarDateCombo::CheckKeyForDropDownWindow(int key, unsigned shift) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  return TCustomzbBarCombo::CheckKeyForDropDownWindow(key, shift);
}

QWidget* TzbBarDateCombo::GetDropDownWindow() {
  if (QWidget* w = TCustomzbBarCombo::GetDropDownWindow()) return w;
  return fNavigator.get();
}

void TzbBarDateCombo::PrepareDropDown() {
  TzbBarDateNavigator& n = *fNavigator;
  QDate d = DateTimeToDate(Date());
  if (!d.isValid()) d = QDate::currentDate();
  n.ShowTodayButton = ShowTodayButton;
  n.ShowClearButton = ShowClearButton;
  n.setFont(BarManager().BarFont());
  n.CalcMetrics();
  n.SetFirstDate(d);
  n.SetSelStart(d);
  n.OnDateChosen = [this]() { ApplyNavigatorDate(); };
}

void TzbBarDateCombo::CloseUp() {
  if (fNavigator->isVisible()) {
    if (QWidget::mouseGrabber() == fNavigator.get()) fNavigator->releaseMouse();
    fNavigator->ResetTransientState();
  }
  // The controls that show the list open close it (which ends in TCustomzbBarCombo::CloseUp).
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(GetLink(i)->Control()); c && c->DroppedDown()) {
      c->SetDroppedDown(false);
      return;
    }
  TCustomzbBarCombo::CloseUp();
}

void TzbBarDateCombo::ApplyNavigatorDate() {
  const QDate d = fNavigator->GetRealFirstDate();
  CloseUp();
  SetDate(DateToDateTime(d));
}

void TzbBarDateCombo::DoClick() {
  TzbBarCustomCombo::DoClick();
  if (!OnClick && !ReadOnly) ShowDateDialog();
}

void TzbBarDateCombo::ShowDateDialog() {
  QDialog dialog;
  dialog.setWindowTitle(BarQText("Select the date"));
  dialog.setFont(BarManager().BarFont());
  auto* edit = new QLineEdit(&dialog);
  auto* nav = new TzbBarDateNavigator(nullptr, false, &dialog);
  nav->SetStyle(0);
  nav->setFont(dialog.font());
  nav->CalcMetrics();
  nav->show();
  auto* ok = new QPushButton(BarQText("OK"), &dialog);
  auto* cancel = new QPushButton(BarQText("Cancel"), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  const QFontMetrics fm(dialog.font());
  const int fontSize = std::max(1, dialog.font().pointSize() > 0 ? dialog.font().pointSize() : 8);
  const int buttonsHeight = MulDiv(fontSize, 5, 2);
  const int bw = MulDiv(fm.horizontalAdvance(TodayText()) + nav->ColumnWidth(), 3, 2);
  const int bh = std::max(MulDiv(buttonsHeight, 7, 6), fm.height() + 6);
  const int m = std::max(2, buttonsHeight / 4);
  const int eh = edit->sizeHint().height();
  dialog.setFixedSize(nav->width() + bw + 3 * m, 3 * m + eh + nav->height());
  edit->setGeometry(m, m, nav->width(), eh);
  nav->move(m, 2 * m + eh);
  ok->setGeometry(edit->geometry().right() + 1 + m, m, bw, bh);
  cancel->setGeometry(ok->x(), m + bh + m, bw, bh);
  auto apply = [edit, nav](const QDate& d) {
    nav->SetSelStart(d);
    const QSignalBlocker block(edit);
    edit->setText(ToQString(DateToText(DateToDateTime(d), false)));
  };
  const int h = dialog.height();
  if (ShowTodayButton) {
    auto* today = new QPushButton(TodayText(), &dialog);
    today->setGeometry(ok->x(), h - 2 * m - 2 * bh, bw, bh);
    QObject::connect(today, &QPushButton::clicked, &dialog, [apply]() { apply(QDate::currentDate()); });
  }
  if (ShowClearButton) {
    auto* clear = new QPushButton(ClearText(), &dialog);
    clear->setGeometry(ok->x(), h - m - bh, bw, bh);
    QObject::connect(clear, &QPushButton::clicked, &dialog, [apply]() { apply(QDate()); });
  }
  edit->setText(ToQString(Text()));
  const QDate start = DateTimeToDate(Date());
  nav->SetFirstDate(start.isValid() ? start : QDate::currentDate());
  nav->SetSelStart(start);
  QObject::connect(edit, &QLineEdit::textEdited, nav, [edit, nav](const QString& text) {
    const TDateTime d = TextToDate(FromQString(text));
    if (d != NullDate || text.trimmed().isEmpty()) nav->SetSelStart(DateTimeToDate(d));
  });
  nav->OnDateChosen = [edit, nav]() {
    edit->setText(ToQString(DateToText(DateToDateTime(nav->GetRealFirstDate()), false)));
  };
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  if (RunDialog(dialog)) SetDate(TextToDate(FromQString(edit->text())));
}

// ---------------------------------------------------------------- date combo control

bool TzbBarDateComboControl::EditKeyDown(QKeyEvent& e) {
  if (e.text() == QLatin1String("+") || e.text() == QLatin1String("-")) {
    const TDateTime d = TextToDate(GetText());
    if (d != NullDate) {
      auto& combo = static_cast<TzbBarDateCombo&>(Item());
      SetText(DateToText(d + (e.text() == QLatin1String("+") ? 1 : -1), combo.ShowDayText()));
      combo.CurChange();
    }
    return true;
  }
  if (DroppedDown() && (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter)) {
    static_cast<TzbBarDateCombo&>(Item()).Navigator().NavigateKey(e.key(), e.modifiers());
    return true;
  }
  return TzbBarComboControl::EditKeyDown(e);
}

}  // namespace zyn
