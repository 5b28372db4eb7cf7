#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "tests/support/AppFixture.h"
#include "widgets/common/STMDisplay.h"
#include "widgets/common/TimeEdit.h"
#include "widgets/common/WeekdayBox.h"
#include "widgets/common/ZYNDayMask.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class BusControls : public ::testing::Test {
 protected:
  void SetUp() override { test::EnsureApp(); }
};

TEST_F(BusControls, DipswitchAcceptsUpTo31AndRefuses32) {
  TZYNDipswitch dip;
  QStringList messages;
  dip.OnInvalidValue = [&](QObject*, const QString& m) { messages << m; };
  EXPECT_TRUE(dip.SetValue(31));
  EXPECT_EQ(dip.Value(), 31);
  const QImage before = dip.grab().toImage();
  EXPECT_FALSE(dip.SetValue(32));
  EXPECT_EQ(dip.Value(), 31);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("0 bis 31")) << messages[0].toStdString();
  EXPECT_EQ(dip.LastError(), messages[0]);
  EXPECT_EQ(dip.grab().toImage(), before);  // a refused value leaves the picture
  EXPECT_FALSE(dip.SetValue(-1));           // negative addresses are refused as well
  EXPECT_EQ(dip.Value(), 31);
  EXPECT_TRUE(dip.SetValue(0));
}

TEST_F(BusControls, DipswitchRefusalIsTranslatedForTheCaller) {
  GLanguageFile = std::make_unique<TLanguageFile>();
  TLanguageEntry* e = GLanguageFile->Container().Add();
  e->Native = Ansi("Die Eingabe %1 ist nicht zulässig. Erlaubt sind Werte von 0 bis %2.");
  e->Translated = "Input %1 is not allowed. Allowed are values from 0 to %2.";
  TZYNDipswitch dip;
  QString reported;
  dip.OnInvalidValue = [&](QObject* s, const QString& m) {
    EXPECT_EQ(s, &dip);
    reported = m;
  };
  EXPECT_FALSE(dip.SetValue(40));
  GLanguageFile.reset();
  EXPECT_EQ(reported, "Input 40 is not allowed. Allowed are values from 0 to 31.");
  EXPECT_EQ(dip.LastError(), reported);
}

TEST_F(BusControls, DipswitchBitOrderAndNumbers) {
  TZYNDipswitch dip;
  dip.SetValue(1);
  dip.SetStyle(dsozyn);
  EXPECT_EQ(dip.CounterStart(), 1);
  // value 1 raises the leftmost lever with dsozyn
  const QRect up = dip.LeverRect(0);
  EXPECT_LT(up.top(), dip.LeverRect(1).top());
  EXPECT_LT(up.left(), dip.LeverRect(1).left());
  std::vector<int> numbers;
  for (int k = 0; k < 5; ++k) numbers.push_back(dip.NumberUnderSlot(k));
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5}));

  dip.SetStyle(dsonormal);
  EXPECT_EQ(dip.CounterStart(), 0);
  EXPECT_GT(dip.LeverRect(0).left(), dip.LeverRect(4).left());  // rightmost lever
  numbers.clear();
  for (int k = 0; k < 5; ++k) numbers.push_back(dip.NumberUnderSlot(k));
  EXPECT_EQ(numbers, (std::vector<int>{4, 3, 2, 1, 0}));

  // The raised lever is painted in the lever colour.
  dip.SetStyle(dsozyn);
  const QImage img = dip.grab().toImage();
  const QPoint centre = dip.LeverRect(0).center();
  EXPECT_EQ(FromQColor(img.pixelColor(centre)), dip.DipColor());
  const QPoint other = QPoint(dip.LeverRect(1).center().x(), centre.y());
  EXPECT_EQ(FromQColor(img.pixelColor(other)), dip.DipBGColor());

  dip.SetDipCount(8);
  EXPECT_EQ(dip.width(), 8 * 15 + 35);
  EXPECT_TRUE(dip.SetValue(255));
}

TEST_F(BusControls, DayMaskClicksAtComputedRows) {
  TZYNDayMask mask;
  int changes = 0;
  mask.OnChanged = [&](QObject*) { ++changes; };
  mask.show();
  const auto clickRow = [&](int row) {
    QTest::mouseClick(&mask, Qt::LeftButton, {}, QPoint(16, mask.RowTop(row) + 4));
  };
  clickRow(0);
  EXPECT_EQ(mask.Value(), 127);
  clickRow(1);  // Monday off
  EXPECT_EQ(mask.Value(), 126);
  clickRow(0);
  EXPECT_EQ(mask.Value(), 127);
  clickRow(0);
  EXPECT_EQ(mask.Value(), 0);
  clickRow(7);  // Sunday
  EXPECT_EQ(mask.Value(), 64);
  clickRow(3);  // Wednesday
  EXPECT_EQ(mask.Value(), 64 | 4);
  EXPECT_EQ(changes, 6);
  // outside the rows nothing happens
  QTest::mouseClick(&mask, Qt::LeftButton, {}, QPoint(2, mask.RowTop(3) + 4));
  EXPECT_EQ(changes, 6);
  mask.setEnabled(false);
  clickRow(0);
  EXPECT_EQ(mask.Value(), 68);
  // setting by code keeps seven bits and fires nothing
  mask.SetValue(255);
  EXPECT_EQ(mask.Value(), 127);
  EXPECT_EQ(changes, 6);
}

TEST_F(BusControls, WeekdayBoxClicks) {
  TWTSelectBox box;
  int changes = 0;
  box.OnChange = [&](QObject*) { ++changes; };
  box.show();
  const auto clickGlyph = [&](int i) { QTest::mouseClick(&box, Qt::LeftButton, {}, box.GlyphRect(i).center()); };
  clickGlyph(7);
  EXPECT_EQ(box.DayMask(), 127);
  clickGlyph(0);
  EXPECT_EQ(box.DayMask(), 126);
  clickGlyph(7);
  EXPECT_EQ(box.DayMask(), 127);
  clickGlyph(7);
  EXPECT_EQ(box.DayMask(), 0);
  clickGlyph(4);  // Friday
  EXPECT_EQ(box.DayMask(), 16);
  // the label right of the box belongs to the glyph's column
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.GlyphRect(5).right() + 10, 20));
  EXPECT_EQ(box.DayMask(), 16 | 32);
  EXPECT_EQ(changes, 6);
  box.SetDayMask(3);
  EXPECT_EQ(changes, 6);
  box.SetTime("12:30");
  EXPECT_EQ(box.Time(), "12:30");
  box.setEnabled(false);
  EXPECT_FALSE(box.Edit()->isEnabled());
}

TEST_F(BusControls, OneDayHoldsAtMostOneDay) {
  TOneDay day;
  day.show();
  const auto clickGlyph = [&](int i) { QTest::mouseClick(&day, Qt::LeftButton, {}, day.GlyphRect(i).center()); };
  clickGlyph(3);
  EXPECT_EQ(day.DayMask(), 4);
  clickGlyph(7);
  EXPECT_EQ(day.DayMask(), 64);
  clickGlyph(0);
  EXPECT_EQ(day.DayMask(), 0);
  EXPECT_EQ(day.Austext(), "Aus");
}

TEST_F(BusControls, EditCaptionMovesTheEdit) {
  TOneDay day;
  day.SetEditCaption("Zeit:");
  const int left = QFontMetrics(day.EditLabelFont()).horizontalAdvance("Zeit:") + 20;
  EXPECT_EQ(day.Edit()->x(), left);
  EXPECT_EQ(day.Edit()->width(), day.width() - left - 10);
}

TEST_F(BusControls, TimeEditValidation) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {{"00:00", true}, {"23:59", true},  {"25:00", false}, {"12:60", false},
               {" 9:05", true}, {"  :  ", false}, {"12", false}};
  for (const Case& c : cases) EXPECT_EQ(IsValidTimeText(c.text), c.valid) << c.text;

  TTimeEdit edit;
  EXPECT_EQ(edit.Text(), "00:01");
  int errors = 0;
  edit.OnValidateError = [&](QObject*) { ++errors; };
  edit.SetText("25:00");
  edit.setCursorPosition(3);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&edit, &out);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(edit.Text(), "25:00");  // the text stays
  EXPECT_EQ(edit.cursorPosition(), 0);
  edit.SetText("13:15");
  EXPECT_TRUE(edit.ValidateEdit());
  EXPECT_EQ(errors, 1);
}

TEST_F(BusControls, EditMasksInQtNotation) {
  EXPECT_EQ(QtInputMask("!00:00;1; "), "99:99; ");
  EXPECT_EQ(QtInputMask("!90:00;1; "), "09:99; ");
  TTimeEdit edit;
  edit.SetEditMask("!90:00;1; ");
  edit.setText("");
  edit.setCursorPosition(0);
  QTest::keyClicks(&edit, "730");
  EXPECT_EQ(edit.Text().remove(' '), "73:0");
}

TEST_F(BusControls, DisplayPreview) {
  TSTMDisplay d;
  EXPECT_EQ(d.size(), QSize(154, 32));
  d.SetZeile1("12345678901234567890");
  EXPECT_EQ(d.Zeile1(), "1234567890123456");
  d.SetSkalierung(0.5);
  EXPECT_EQ(d.Skalierung(), 1.0);
  EXPECT_EQ(d.height(), 32);
  d.SetSkalierung(1.5);
  EXPECT_EQ(d.height(), 48);
  EXPECT_EQ(d.font().pointSize(), 15);
  EXPECT_EQ(d.LineTop(1), 3);
  EXPECT_EQ(d.LineTop(2), 26);
  const QImage img = d.grab().toImage();
  EXPECT_EQ(FromQColor(img.pixelColor(d.width() - 3, d.height() / 2)), RGB(130, 160, 150));
}

}  // namespace
}  // namespace zyn
