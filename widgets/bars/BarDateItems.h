#pragma once
// The date combo of the bar library and its drop-down one-month calendar (the date navigator):
// month arrows, a pop-up month list on the title, "Today" and "Clear" buttons and full keyboard
// navigation; clicking the combo without an OnClick handler opens a date dialog. Also the
// calendar arithmetic the three share. Dates are day numbers counted from 30 December 1899.

#include "widgets/bars/BarEditItems.h"

#include <QBasicTimer>
#include <QDate>
#include <QWidget>

class QDialog;
#include <functional>
#include <memory>

namespace zyn {

using TDateTime = double;
constexpr TDateTime NullDate = -700000.0;

// --- calendar arithmetic ---
bool IsLeapYear(int year);
int DaysPerMonth(int year, int month);
// The date n months on (n may be negative), its day clamped into the target month.
QDate IncMonth(const QDate& date, int n);
TDateTime DateToDateTime(const QDate& date);
QDate DateTimeToDate(TDateTime value);  // invalid for the null date
TDateTime Today();
// The first day of the week (0 = Sunday .. 6 = Saturday): the locale's, read when the bar unit
// starts; tests may set it.
int BarFirstDayOfWeek();
void SetBarFirstDayOfWeek(int day);
// The column (0 .. 6) of a date in a week that starts with BarFirstDayOfWeek.
int WeekColumn(const QDate& date);
// "Di 05.03.2024" style (the short day name only with showDay); the null date gives "".
std::string DateToText(TDateTime date, bool showDay);
// The day name up to the first blank is ignored, dots count as blanks; a text that is no date
// gives the null date.
TDateTime TextToDate(const std::string& text);

class TzbBarDateCombo;

// A one-month calendar that selects a range of days with the mouse.
class TzbBarCustomCalendar : public QWidget {
 public:
  explicit TzbBarCustomCalendar(QWidget* parent = nullptr);
  virtual int GetStyle() const { return fStyle; }
  void SetStyle(int value);
  virtual QDate GetFirstVisibleDate() const { return fFirstDate; }
  virtual QDate GetLastVisibleDate() const { return GetLastDate(); }
  virtual QDate GetLastDate() const = 0;
  // The earlier end of the selection (the start when the finish is empty); invalid when empty.
  QDate GetRealFirstDate() const;
  QDate GetRealLastDate() const;
  QDate FirstDate() const { return fFirstDate; }
  virtual void SetFirstDate(const QDate& value);
  QDate SelStart() const { return fSelStart; }
  QDate SelFinish() const { return fSelFinish; }
  virtual void SetSelStart(const QDate& value);  // an invalid date empties the selection
  virtual void SetSelFinish(const QDate& value);
  virtual void CheckFirstDate() = 0;
  // The date under a client point; invalid outside the days.
  virtual QDate PosToDateTime(const QPoint& p) const = 0;
  std::function<void()> OnDateChosen;
  void DoDateChanged() {
    if (OnDateChosen) OnDateChosen();
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  QDate fDragDate, fFirstDate, fSelStart, fSelFinish;
  int fStyle = 1;
  bool fDoubleClick = false;
};

class TAMonthListBox;

class TzbBarDateNavigator : public TzbBarCustomCalendar {
 public:
  explicit TzbBarDateNavigator(TzbBarDateCombo* combo, bool popup, QWidget* parent = nullptr);
  ~TzbBarDateNavigator() override;
  int GetStyle() const override;
  QDate GetFirstVisibleDate() const override;
  QDate GetLastVisibleDate() const override;
  QDate GetLastDate() const override;
  void CheckFirstDate() override;
  QDate PosToDateTime(const QPoint& p) const override;
  void SetFirstDate(const QDate& value) override;

  bool ShowTodayButton = true;
  bool ShowClearButton = true;
  bool IsPopup() const { return fPopup; }
  void CalcMetrics();  // after a font or style change; resizes the navigator
  // Geometry in client coordinates.
  QRect HeaderRect() const;
  QRect LeftArrowRect() const;
  QRect RightArrowRect() const;
  QRect TitleRect() const;
  QRect DayRect(int column, int row) const;
  QRect TodayButtonRect() const;
  QRect ClearButtonRect() const;
  bool HasButtons() const { return fPopup && (ShowTodayButton || ShowClearButton); }
  int ColumnWidth() const { return fColWidth; }
  int HeaderHeight() const { return fHeaderHeight; }
  TAMonthListBox* MonthList() const { return fMonthList.get(); }
  void ResetTransientState();  // arrow timer, month list, buttons
  // Handles a navigation key; true when the key was taken.
  bool NavigateKey(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  QDate GridStart() const;
  void StepMonth(int n);
  TzbBarDateCombo* fCombo;
  int fColWidth = 0, fSideWidth = 0, fRowHeight = 0, fHeaderHeight = 0, fDaysOfWeekHeight = 0;
  int fTodayWidth = 0, fClearWidth = 0, fButtonsOffset = 0, fButtonsHeight = 0, fButtonsRegionHeight = 0;
  std::unique_ptr<TAMonthListBox> fMonthList;
  QBasicTimer fArrowTimer;
  int fArrowStep = 0;
  bool fTodayActive = false, fTodayPressed = false, fClearActive = false, fClearPressed = false;
  bool fPopup;
};

// The list of seven months shown while the mouse is held on the navigator's title.
class TAMonthListBox : public QWidget {
 public:
  TAMonthListBox(TzbBarDateNavigator& navigator, const QDate& topDate);
  QDate TopDate() const { return fTopDate; }
  int HotRow() const { return fHotRow; }
  // The month of the hot row; invalid when no row is hot.
  QDate HotDate() const;
  // The mouse at a screen point while the button is held.
  void MouseAt(const QPoint& screen);
  int ScrollInterval() const;  // 0 when not scrolling

 protected:
  void paintEvent(QPaintEvent*) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  int fItemHeight;
  int fHotRow = -1;
  QDate fTopDate;
  QBasicTimer fTimer;
  int fStep = 0;
};

enum TzbBarDateOnStart { bdsToday, bdsNullDate, bdsCustom };

class TzbBarDateCombo : public TzbBarCustomCombo {
 public:
  static constexpr const char* kClassName = "TzbBarDateCombo";
  explicit TzbBarDateCombo(TzbBarManager& manager);
  ~TzbBarDateCombo() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TDateTime Date() const { return TextToDate(Text()); }
  void SetDate(TDateTime value);
  TzbBarDateOnStart DateOnStart() const { return fDateOnStart; }
  void SetDateOnStart(TzbBarDateOnStart value);
  TDateTime MinDate() const { return fMinDate; }
  TDateTime MaxDate() const { return fMaxDate; }
  void SetMinDate(TDateTime value);
  void SetMaxDate(TDateTime value);
  bool ShowTodayButton = true;
  bool ShowClearButton = true;
  bool ShowDayText() const { return fShowDayText; }
  void SetShowDayText(bool value);
  void SetText(const std::string& value) override;
  TDateTime ClampDate(TDateTime d) const;
  void Loaded();

  // Enter also goes to the open calendar.
  bool CheckKeyForDropDownWindow(int key, unsigned shift) override;
  QWidget* GetDropDownWindow() override;
  void PrepareDropDown() override;
  void CloseUp() override;
  TzbBarDateNavigator& Navigator() const { return *fNavigator; }
  void ApplyNavigatorDate();
  // Opens the date dialog after the click when no OnClick handler is set; tests may replace how
  // the dialog is run (it gets the dialog and answers whether it was confirmed).
  static std::function<bool(QDialog&)> RunDialog;

 protected:
  void DoClick() override;

 private:
  void SetDateQuietly(TDateTime value);
  void ShowDateDialog();
  TzbBarDateOnStart fDateOnStart = bdsToday;
  TDateTime fMinDate = 0, fMaxDate = 0;
  bool fShowDayText = true;
  bool fSettingDate = false;
  std::unique_ptr<TzbBarDateNavigator> fNavigator;
};

class TzbBarDateComboControl : public TzbBarComboControl {
 public:
  using TzbBarComboControl::TzbBarComboControl;
  // "+" and "-" move the date in the edit by one day.
  bool EditKeyDown(QKeyEvent& e) override;
};

}  // namespace zyn
