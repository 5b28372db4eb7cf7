// The date combo and its calendar: month and leap-year arithmetic, the first weekday of the
// locale, the calendar's grid, keys and mouse, the month list, the combo's text, range and start
// value, the drop-down on the demo form and the date dialog. The tests run in the German locale
// (Monday first) unless a case sets another first day.

#include "widgets/bars/BarDateItems.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "platform/QtText.h"
#include "widgets/bars/BarItemLinks.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class GermanLocale {
 public:
  GermanLocale() : fSaved(QLocale()), fFirstDay(BarFirstDayOfWeek()) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetBarFirstDayOfWeek(1);
  }
  ~GermanLocale() {
    QLocale::setDefault(fSaved);
    SetBarFirstDayOfWeek(fFirstDay);
  }

 private:
  QLocale fSaved;
  int fFirstDay;
};

TEST(DateArithmetic, MonthEndsAndLeapYears) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  const struct {
    QDate From;
    int Months;
    QDate To;
  } steps[] = {
      {QDate(2024, 1, 31), 1, QDate(2024, 2, 29)},   {QDate(2023, 1, 31), 1, QDate(2023, 2, 28)},
      {QDate(2024, 12, 15), 1, QDate(2025, 1, 15)},  {QDate(2024, 1, 15), -1, QDate(2023, 12, 15)},
      {QDate(2024, 3, 31), -13, QDate(2023, 2, 28)}, {QDate(2024, 5, 31), 25, QDate(2026, 6, 30)},
      {QDate(2000, 2, 29), 12, QDate(2001, 2, 28)},
  };
  for (const auto& s : steps) EXPECT_EQ(IncMonth(s.From, s.Months), s.To) << s.From.toString().toStdString();
  EXPECT_EQ(DateTimeToDate(DateToDateTime(QDate(2024, 2, 29))), QDate(2024, 2, 29));
  EXPECT_EQ(DateToDateTime(QDate(1899, 12, 30)), 0.0);
  EXPECT_FALSE(DateTimeToDate(NullDate).isValid());
}

TEST(DateArithmetic, WeekColumnFollowsTheFirstDayOfTheWeek) {
  GermanLocale german;
  const QDate monday(2024, 4, 1), sunday(2024, 9, 1);
  EXPECT_EQ(WeekColumn(monday), 0);
  EXPECT_EQ(WeekColumn(sunday), 6);
  SetBarFirstDayOfWeek(0);  // Sunday first
  EXPECT_EQ(WeekColumn(monday), 1);
  EXPECT_EQ(WeekColumn(sunday), 0);
}

TEST(DateArithmetic, TextsInTheGermanLocale) {
  GermanLocale german;
  const TDateTime d = DateToDateTime(QDate(2024, 3, 5));
  const std::string withDay = DateToText(d, true), plain = DateToText(d, false);
  EXPECT_EQ(plain.substr(0, 6), "05.03.");
  EXPECT_NE(withDay, plain);
  EXPECT_EQ(TextToDate(withDay), d);
  EXPECT_EQ(TextToDate(plain), d);
  EXPECT_EQ(TextToDate("5.3.2024"), d);
  EXPECT_EQ(TextToDate("31.02.2024"), NullDate);
  EXPECT_EQ(TextToDate("kein Datum"), NullDate);
  EXPECT_EQ(TextToDate(""), NullDate);
  EXPECT_EQ(DateToText(NullDate, true), "");
}

class DateNavigator : public ::testing::Test {
 protected:
  bool appReady = (test::EnsureApplication(), true);
  GermanLocale german;
  TzbBarDateNavigator nav{nullptr, true};
  int chosen = 0;
  void SetUp() override {
    nav.OnDateChosen = [this] { ++chosen; };
  }
  void Show(const QDate& month) {
    nav.SetFirstDate(month);
    nav.SetSelStart(month);
  }
  QPoint CenterOfDay(int column, int row) const { return nav.DayRect(column, row).center(); }
};

TEST_F(DateNavigator, TheGridStartsBeforeTheFirstOfTheMonth) {
  Show(QDate(2024, 4, 1));  // a Monday: a whole week of March comes first
  EXPECT_EQ(nav.GetFirstVisibleDate(), QDate(2024, 3, 25));
  EXPECT_EQ(nav.GetLastVisibleDate(), QDate(2024, 5, 5));
  EXPECT_EQ(nav.GetLastDate(), QDate(2024, 4, 30));
  EXPECT_EQ(nav.PosToDateTime(CenterOfDay(0, 1)), QDate(2024, 4, 1));
  EXPECT_EQ(nav.PosToDateTime(CenterOfDay(6, 5)), QDate(2024, 5, 5));
  EXPECT_FALSE(nav.PosToDateTime(nav.HeaderRect().center()).isValid());
  Show(QDate(2024, 9, 1));  // a Sunday: the last column of the first row
  EXPECT_EQ(nav.PosToDateTime(CenterOfDay(6, 0)), QDate(2024, 9, 1));
  Show(QDate(2024, 2, 1));
  EXPECT_EQ(nav.GetLastDate(), QDate(2024, 2, 29));
  SetBarFirstDayOfWeek(0);
  Show(QDate(2024, 9, 1));  // Sunday first: a whole week of August first
  EXPECT_EQ(nav.GetFirstVisibleDate(), QDate(2024, 8, 25));
}

TEST_F(DateNavigator, KeysMoveTheSelectionAndTheShownMonth) {
  const struct {
    QDate From;
    int Key;
    Qt::KeyboardModifiers Modifiers;
    QDate To;
  } keys[] = {
      {QDate(2024, 1, 31), Qt::Key_PageDown, Qt::NoModifier, QDate(2024, 2, 29)},
      {QDate(2023, 1, 31), Qt::Key_PageDown, Qt::NoModifier, QDate(2023, 2, 28)},
      {QDate(2024, 3, 31), Qt::Key_PageUp, Qt::NoModifier, QDate(2024, 2, 29)},
      {QDate(2024, 3, 7), Qt::Key_Home, Qt::NoModifier, QDate(2024, 3, 4)},  // Thursday → Monday
      {QDate(2024, 3, 7), Qt::Key_End, Qt::NoModifier, QDate(2024, 3, 10)},
      {QDate(2024, 3, 7), Qt::Key_Home, Qt::ControlModifier, QDate(2024, 3, 1)},
      {QDate(2024, 2, 7), Qt::Key_End, Qt::ControlModifier, QDate(2024, 2, 29)},
      {QDate(2024, 3, 7), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier, QDate(2024, 3, 10)},
      {QDate(2024, 12, 31), Qt::Key_Right, Qt::NoModifier, QDate(2025, 1, 1)},
      {QDate(2024, 3, 1), Qt::Key_Left, Qt::NoModifier, QDate(2024, 2, 29)},
      {QDate(2024, 3, 3), Qt::Key_Up, Qt::NoModifier, QDate(2024, 2, 25)},
      {QDate(2024, 2, 26), Qt::Key_Down, Qt::NoModifier, QDate(2024, 3, 4)},
  };
  for (const auto& k : keys) {
    Show(k.From);
    QTest::keyClick(&nav, static_cast<Qt::Key>(k.Key), k.Modifiers);
    EXPECT_EQ(nav.SelStart(), k.To) << k.From.toString().toStdString() << " key " << k.Key;
    EXPECT_GE(k.To, nav.GetFirstVisibleDate());  // the selection stays in view
    EXPECT_LE(k.To, nav.GetLastVisibleDate());
  }
  EXPECT_EQ(chosen, 0);
  QTest::keyClick(&nav, Qt::Key_Return);
  EXPECT_EQ(chosen, 1);
}

TEST_F(DateNavigator, MouseChoosesDaysButtonsAndMonths) {
  Show(QDate(2024, 4, 10));
  nav.show();
  QTest::mouseClick(&nav, Qt::LeftButton, {}, CenterOfDay(2, 2));
  EXPECT_EQ(nav.SelStart(), QDate(2024, 4, 10));
  EXPECT_EQ(chosen, 1);
  // A drag selects a range; leaving the calendar restores the earlier start.
  QTest::mousePress(&nav, Qt::LeftButton, {}, CenterOfDay(0, 1));
  QMouseEvent move(QEvent::MouseMove, QPointF(CenterOfDay(3, 1)), nav.mapToGlobal(QPointF(CenterOfDay(3, 1))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&nav, &move);
  EXPECT_EQ(nav.GetRealFirstDate(), QDate(2024, 4, 1));
  EXPECT_EQ(nav.GetRealLastDate(), QDate(2024, 4, 4));
  QTest::mouseRelease(&nav, Qt::LeftButton, {}, CenterOfDay(3, 1));
  EXPECT_EQ(chosen, 2);
  // The right arrow shows the next month, the selection stays.
  QTest::mouseClick(&nav, Qt::LeftButton, {}, nav.RightArrowRect().center());
  EXPECT_EQ(nav.FirstDate(), QDate(2024, 5, 1));
  // Clear and Today.
  QTest::mouseClick(&nav, Qt::LeftButton, {}, nav.ClearButtonRect().center());
  EXPECT_FALSE(nav.SelStart().isValid());
  QTest::mouseClick(&nav, Qt::LeftButton, {}, nav.TodayButtonRect().center());
  EXPECT_EQ(nav.SelStart(), QDate::currentDate());
  EXPECT_EQ(chosen, 4);
  // The month list opens on the title with the shown month in its fourth row.
  Show(QDate(2024, 6, 1));
  QTest::mousePress(&nav, Qt::LeftButton, {}, nav.TitleRect().center());
  ASSERT_NE(nav.MonthList(), nullptr);
  TAMonthListBox* list = nav.MonthList();
  EXPECT_EQ(list->TopDate(), QDate(2024, 3, 1));
  const QPoint listTop = list->mapToGlobal(QPoint(list->width() / 2, 0));
  list->MouseAt(listTop + QPoint(0, list->height() + 29));  // 30 pixels below
  EXPECT_EQ(list->ScrollInterval(), 100);
  list->MouseAt(listTop + QPoint(0, list->height() - 2));  // on the last row
  EXPECT_EQ(list->ScrollInterval(), 0);
  EXPECT_EQ(list->HotDate(), QDate(2024, 9, 1));
  nav.ResetTransientState();
  nav.hide();
}

TEST_F(DateNavigator, GoldenImage) {
  nav.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  nav.CalcMetrics();
  nav.SetFirstDate(QDate(2024, 2, 1));
  nav.SetSelStart(QDate(2024, 2, 14));
  nav.SetSelFinish(QDate(2024, 2, 16));
  const QImage image = nav.grab().toImage();
  test::CompareWithGolden(image, QStringLiteral("date_navigator"));
  EXPECT_GE(test::TextContrast(image, nav.HeaderRect().adjusted(nav.ColumnWidth(), 1, -nav.ColumnWidth(), -1)), 4.5);
  EXPECT_GE(test::TextContrast(image, nav.DayRect(3, 2)), 4.5);  // a plain day
  EXPECT_GE(test::TextContrast(image, nav.DayRect(2, 2)), 4.5);  // a selected day
}

class DateCombo : public ::testing::Test {
 protected:
  GermanLocale german;
  test::BarDemoWindow demo;
  TzbBarDateCombo* combo = nullptr;
  TzbBar* bar = nullptr;
  int changes = 0;
  DateCombo() {
    combo = demo.Manager->CreateItem<TzbBarDateCombo>();
    combo->Name = "Datum";
    combo->SetWidth(140);
    combo->OnChange = [this](TzbBarItem&) { ++changes; };
    bar = demo.Manager->Bars().Add();
    bar->SetCaption("Datum");
    bar->ShowMark = false;
    bar->SetRow(2);
    bar->SetDockingStyle(dsTop);
    bar->ItemLinks().Add()->SetItem(combo);
    bar->SetVisible(true);
    QApplication::processEvents();
    demo.Screen->LayoutForm();
  }
  ~DateCombo() override {
    TzbBarDateCombo::RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };
  }
  TzbBarDateComboControl* Control() {
    return dynamic_cast<TzbBarDateComboControl*>(demo.ControlIn(demo.WindowOf(bar), "Datum"));
  }
  static TDateTime D(int y, int m, int d) { return DateToDateTime(QDate(y, m, d)); }
};

TEST_F(DateCombo, TextRangeAndStartValue) {
  EXPECT_EQ(combo->Date(), Today());
  combo->SetMinDate(D(2020, 1, 1));  // above MaxDate 0: stays 0
  EXPECT_EQ(combo->MinDate(), 0);
  combo->SetMaxDate(D(2020, 12, 31));
  combo->SetMinDate(D(2020, 1, 1));
  EXPECT_EQ(combo->Date(), D(2020, 12, 31));  // today was re-clamped
  combo->SetText("15.03.2019");
  EXPECT_EQ(combo->Date(), D(2020, 1, 1));
  combo->SetText("kein Datum");
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->DateOnStart(), bdsCustom);
  combo->SetShowDayText(false);
  combo->SetDate(D(2020, 6, 2));
  EXPECT_EQ(combo->Text().substr(0, 5), "02.06");
  combo->SetShowDayText(true);
  EXPECT_EQ(combo->Date(), D(2020, 6, 2));
  // Read with bdsNullDate: empty after loading; a run-time text makes it custom.
  combo->BeginLoading();
  combo->SetDateOnStart(bdsNullDate);
  combo->Loaded();
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->DateOnStart(), bdsNullDate);
  combo->SetDate(D(2020, 5, 5));
  EXPECT_EQ(combo->DateOnStart(), bdsCustom);
}

TEST_F(DateCombo, DropDownKeysAndPlusMinus) {
  combo->SetDate(D(2024, 1, 31));
  changes = 0;
  TzbBarDateComboControl* c = Control();
  ASSERT_NE(c, nullptr);
  demo.ClickControl(*c);
  ASSERT_TRUE(c->Focused());
  c->SetDroppedDown(true);
  ASSERT_TRUE(combo->Navigator().isVisible());
  EXPECT_EQ(combo->Navigator().SelStart(), QDate(2024, 1, 31));
  QTest::keyClick(c->Editor(), Qt::Key_PageDown);
  EXPECT_EQ(combo->Navigator().SelStart(), QDate(2024, 2, 29));
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_FALSE(combo->Navigator().isVisible());
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(combo->Date(), D(2024, 2, 29));
  EXPECT_EQ(changes, 1);
  // "+" and "-" move the date in the edit by a day.
  c = Control();
  if (!c->Focused()) demo.ClickControl(*c);
  ASSERT_TRUE(c->Focused());
  QTest::keyClicks(c->Editor(), "+");
  EXPECT_EQ(TextToDate(c->GetText()), D(2024, 3, 1));
  QTest::keyClicks(c->Editor(), "--");
  EXPECT_EQ(TextToDate(c->GetText()), D(2024, 2, 28));
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_EQ(combo->Date(), D(2024, 2, 29));
}

TEST_F(DateCombo, TheDialogSetsTheTypedDate) {
  combo->SetDate(D(2024, 7, 1));
  std::string shown;
  TzbBarDateCombo::RunDialog = [&](QDialog& d) {
    auto* edit = d.findChild<QLineEdit*>();
    shown = FromQString(edit->text());
    edit->setText(QStringLiteral("24.12.2024"));
    return true;
  };
  combo->Click();
  EXPECT_EQ(shown, combo->Text().empty() ? shown : DateToText(D(2024, 7, 1), true));
  EXPECT_EQ(combo->Date(), D(2024, 12, 24));
  TzbBarDateCombo::RunDialog = [](QDialog&) { return false; };  // Cancel keeps the date
  combo->Click();
  EXPECT_EQ(combo->Date(), D(2024, 12, 24));
  int opened = 0;
  TzbBarDateCombo::RunDialog = [&](QDialog&) { return ++opened, false; };
  combo->OnClick = [](TzbBarItem&) {};  // an OnClick handler replaces the dialog
  combo->Click();
  EXPECT_EQ(opened, 0);
}

}  // namespace
}  // namespace zyn
