#include "TestSupport.h"
#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLCustomMaskEdit.h"

#include <QLineEdit>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class MaskEdit : public TZCLCustomMaskEdit {
 public:
  using TZCLCustomMaskEdit::TZCLCustomMaskEdit;
};

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ZCLApplication().SetInsertMode(true);  // typing into a mask leaves the application in overwrite mode
    fWindow = std::make_unique<QWidget>();
    fEdit = new MaskEdit(fWindow.get());
    fEdit->setGeometry(0, 0, 150, 21);
    fOther = new QLineEdit(fWindow.get());
    fOther->setGeometry(0, 40, 100, 21);
    fEdit->OnValidationError = [this](QObject*) { ++fErrors; };
  }
  std::unique_ptr<QWidget> fWindow;
  MaskEdit* fEdit = nullptr;
  QLineEdit* fOther = nullptr;
  int fErrors = 0;
};

TEST_F(MaskEditTest, IntegerSignToggleAndBaseDigits) {
  fEdit->SetDataType(mdInteger);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0"));
  fEdit->SetText(QStringLiteral("12"));
  fEdit->SetCaretPos(3);
  Type(fEdit, QStringLiteral("-"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("-12"));
  EXPECT_EQ(fEdit->CaretPos(), 4);
  Type(fEdit, QStringLiteral("-"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("12"));
  Type(fEdit, QStringLiteral("a"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("12"));
  fEdit->SetBase(16);
  Type(fEdit, QStringLiteral("a"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("12a"));
  EXPECT_EQ(fEdit->AsInteger(), 0x12A);
  fEdit->SetBase(10);
  EXPECT_EQ(fEdit->AsInteger(), 0);
  EXPECT_EQ(fErrors, 1);
}

TEST_F(MaskEditTest, WrongTypeReadsRaise) {
  EXPECT_THROW(fEdit->AsInteger(), EZCLWrongDataType);
  fEdit->SetDataType(mdInteger);
  EXPECT_THROW(fEdit->AsFloat(), EZCLWrongDataType);
  try {
    fEdit->SetDataType(mdFixed);
    fEdit->AsInteger();
    FAIL();
  } catch (const EZCLWrongDataType& e) {
    EXPECT_STREQ(e.what(), "No integer entered");
  }
}

TEST_F(MaskEditTest, FixedShowsItsDecimalsAndRefusesASecondSeparator) {
  fEdit->SetDataType(mdFixed);
  const QChar sep = fEdit->DecimalSeparator();
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0") + sep + QStringLiteral("0"));
  fEdit->WriteValue(3);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("3") + sep + QStringLiteral("0"));
  fEdit->SetCaretPos(1);
  Type(fEdit, QString(sep));  // jumps behind the existing separator
  EXPECT_EQ(fEdit->Text(), QStringLiteral("3") + sep + QStringLiteral("0"));
  EXPECT_EQ(fEdit->CaretPos(), 3);
  EXPECT_DOUBLE_EQ(fEdit->AsFloat(), 3.0);
}

TEST_F(MaskEditTest, NumberGroupsThousandsAndFloatReadsOtherBases) {
  fEdit->SetDataType(mdNumber);
  fEdit->SetDecimals(2);
  fEdit->WriteValue(-1234567.5);
  const QChar t = fEdit->ThousandSeparator(), d = fEdit->DecimalSeparator();
  EXPECT_EQ(fEdit->Text(), QStringLiteral("-1") + t + "234" + t + "567" + d + "50");
  EXPECT_DOUBLE_EQ(fEdit->AsFloat(), -1234567.5);
  fEdit->SetDataType(mdFloat);
  fEdit->SetBase(2);
  fEdit->SetText(QStringLiteral("101") + d + QStringLiteral("1"));
  EXPECT_DOUBLE_EQ(fEdit->AsFloat(), 5.5);
}

TEST_F(MaskEditTest, SuffixIsKeptAndNotTypedInto) {
  fEdit->SetDataType(mdInteger);
  fEdit->SetSuffix(QStringLiteral(" ms"));
  fEdit->WriteValue(250);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("250 ms"));
  EXPECT_EQ(fEdit->AsInteger(), 250);
  fEdit->SetCaretPos(5);
  Type(fEdit, QStringLiteral("1"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("250 ms"));
  fEdit->SelectAll();
  Key(fEdit, Qt::Key_Delete);
  EXPECT_EQ(fEdit->Text(), QStringLiteral(" ms"));
  EXPECT_EQ(fEdit->AsInteger(), 0);
}

TEST_F(MaskEditTest, CustomMaskKeepsTheFocusOnAMissingRequiredPosition) {
  ShowActive(*fWindow);
  fEdit->SetDataType(mdCustomMask);
  fEdit->SetMask(QStringLiteral("!0!0!0"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("___"));
  Focus(fEdit);
  fEdit->SetCaretPos(1);
  Type(fEdit, QStringLiteral("4x2"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("42_"));
  Focus(fOther);
  QApplication::processEvents();
  EXPECT_TRUE(fEdit->hasFocus());
  EXPECT_EQ(fEdit->SelStart(), 3);
  EXPECT_EQ(fEdit->SelLength(), 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, CurrencyTextThroughTheSettings) {
  TZCLCurrencySettings& c = fEdit->CurrencySettings();
  c.SetSystemDefaults(cmUser);
  c.SetSeparators(QLatin1Char(','), QLatin1Char('.'));
  c.SetSymbol(QStringLiteral("€"));
  c.SetPositiveFormatStr(TZCLCurrencySettings::PositiveTemplate(3));
  c.SetNegativeFormatStr(TZCLCurrencySettings::NegativeTemplate(0));
  fEdit->SetDataType(mdCurrency);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0,00 €"));
  fEdit->WriteValue(-1234.5);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("(€1.234,50)"));
  EXPECT_EQ(fEdit->AsCurrency(), 12345000);  // the parentheses carry no sign
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, DateTypeWritesPaddedAndReadsBack) {
  EXPECT_THROW(fEdit->AsDate(), EZCLWrongDataType);
  fEdit->DateFormat().SetFormat(dfCustom);
  fEdit->DateFormat().SetFormatStr(QStringLiteral("D.M.YYYY"));
  fEdit->SetDataType(mdDate);
  EXPECT_EQ(fEdit->DateFormat().Parse(fEdit->Text()), QDate::currentDate());
  fEdit->WriteValue(TZCLDateFormat::ToValue(QDate(2026, 1, 5)));
  EXPECT_EQ(fEdit->Text(), QStringLiteral(" 5. 1.2026"));
  EXPECT_EQ(fEdit->AsDate(), TZCLDateFormat::ToValue(QDate(2026, 1, 5)));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, TimeTypeReadsAndWrites) {
  EXPECT_THROW(fEdit->AsTime(), EZCLWrongDataType);
  fEdit->SetDataType(mdTime);
  fEdit->WriteValue(0.5);
  EXPECT_DOUBLE_EQ(fEdit->AsTime(), 0.5);
  fEdit->SetText(QStringLiteral("keine Zeit"));
  EXPECT_EQ(fEdit->AsTime(), 0);
  EXPECT_EQ(fErrors, 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

class DateTyping : public MaskEditTest {
 protected:
  void SetUp() override {
    MaskEditTest::SetUp();
    fEdit->DateFormat().SetFormat(dfCustom);
    fEdit->DateFormat().SetFormatStr(QStringLiteral("DD.MM.YYYY"));
    fEdit->SetDataType(mdDate);
    fEdit->WriteValue(TZCLDateFormat::ToValue(QDate(2026, 12, 5)));
    fEdit->SetCaretPos(1);
  }
};

TEST_F(DateTyping, FieldsOfThePaddedText) {
  const std::vector<TZCLDateField> f = fEdit->DateFormat().Fields();
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].Kind, 2);
  EXPECT_EQ(f[1].Kind, 12);
  EXPECT_EQ(f[2].Kind, 24);
  EXPECT_EQ(f[2].Start, 6);
  EXPECT_EQ(f[2].End, 10);
  EXPECT_EQ(fEdit->DateFormat().FieldAt(2), 1);  // the separator belongs to the field after it
}

TEST_F(DateTyping, DayTakes31ButNot32) {
  Type(fEdit, QStringLiteral("3"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("03.12.2026"));
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("03"));  // the field is selected again
  Type(fEdit, QStringLiteral("2"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("03.12.2026"));
  Type(fEdit, QStringLiteral("1"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("31.12.2026"));
  // The separator jumps to the month; 1 then 3 is no month, 1 then 1 is.
  Type(fEdit, QStringLiteral("."));
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("12"));
  Type(fEdit, QStringLiteral("13"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("31.01.2026"));
  Type(fEdit, QStringLiteral("1"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("31.11.2026"));
  Type(fEdit, QStringLiteral("."));
  Type(fEdit, QStringLiteral("1999"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("31.11.1999"));
  EXPECT_EQ(fEdit->AsDate(), 0);  // there is no 31 November
}

TEST_F(DateTyping, UpOnDecemberGivesJanuaryOfTheSameYearAndArrowsWalkTheFields) {
  Key(fEdit, Qt::Key_Right);
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("12"));
  Key(fEdit, Qt::Key_Up);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("05.01.2026"));
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("01"));
  Key(fEdit, Qt::Key_Down);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("05.12.2026"));
  Key(fEdit, Qt::Key_Right);
  Key(fEdit, Qt::Key_Up);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("05.12.2027"));
  Key(fEdit, Qt::Key_Left);
  Key(fEdit, Qt::Key_Left);
  Key(fEdit, Qt::Key_Down);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("04.12.2027"));
  Key(fEdit, Qt::Key_Backspace);  // nothing is deleted in a date
  EXPECT_EQ(fEdit->Text(), QStringLiteral("04.12.2027"));
}

TEST_F(MaskEditTest, CurrencyTypingFlagsTheSignAndMovesTheSeparator) {
  TZCLCurrencySettings& c = fEdit->CurrencySettings();
  c.SetSystemDefaults(cmUser);
  c.SetSeparators(QLatin1Char(','), QLatin1Char('.'));
  c.SetSymbol(QStringLiteral("€"));
  c.SetPositiveFormatStr(TZCLCurrencySettings::PositiveTemplate(3));
  c.SetNegativeFormatStr(TZCLCurrencySettings::NegativeTemplate(8));
  fEdit->SetDataType(mdCurrency);
  fEdit->SetCaretPos(2);  // after the "0" before the separator
  Type(fEdit, QStringLiteral("12"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("12,00 €"));  // the leading zero goes with the reformatting
  EXPECT_EQ(fEdit->AsCurrency(), 120000);
  Type(fEdit, QStringLiteral("-"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("-12,00 €"));
  Type(fEdit, QStringLiteral("-"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("12,00 €"));
  // The separator typed after the first digit makes "1,20".
  fEdit->SetCaretPos(2);
  Type(fEdit, QStringLiteral(","));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("1,20 €"));
  EXPECT_EQ(fEdit->AsCurrency(), 12000);
  Type(fEdit, QStringLiteral("x"));  // anything else is cleaned away again
  EXPECT_EQ(fEdit->AsCurrency(), 12000);
  EXPECT_EQ(fErrors, 0);
}

TEST_F(MaskEditTest, FixedSeparatorSurvivesDeletesAndOverwrites) {
  fEdit->SetDataType(mdFixed);
  const QString sep = QString(fEdit->DecimalSeparator());
  fEdit->WriteValue(3.5);
  ASSERT_EQ(fEdit->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  fEdit->SetCaretPos(2);
  Key(fEdit, Qt::Key_Delete);  // the separator stays; the caret steps over it
  EXPECT_EQ(fEdit->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  EXPECT_EQ(fEdit->CaretPos(), 3);
  Key(fEdit, Qt::Key_Backspace);  // likewise to the left
  EXPECT_EQ(fEdit->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  EXPECT_EQ(fEdit->CaretPos(), 2);
  Key(fEdit, Qt::Key_Backspace);  // the only digit before the separator becomes 0
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0") + sep + QStringLiteral("5"));
  EXPECT_EQ(fEdit->CaretPos(), 1);
  ZCLApplication().SetInsertMode(false);
  fEdit->SetCaretPos(2);
  Type(fEdit, QStringLiteral("7"));  // overwriting at the separator steps over it
  ZCLApplication().SetInsertMode(true);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0") + sep + QStringLiteral("7"));
  // Surplus decimals are cut back to the fixed count.
  fEdit->SetCaretPos(4);
  Type(fEdit, QStringLiteral("9"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("0") + sep + QStringLiteral("7"));
  EXPECT_DOUBLE_EQ(fEdit->AsFloat(), 0.7);
}

TEST_F(DateTyping, WheelStepsTheFieldAndEnterCanValidate) {
  QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(fEdit, &up);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("06.12.2026"));
  fEdit->SetEnterValidates(true);
  fEdit->SetText(QStringLiteral("99.99.9999"));
  Key(fEdit, Qt::Key_Return);
  EXPECT_EQ(fErrors, 1);
  fEdit->SetText(QStringLiteral("1.2.2027"));
  Key(fEdit, Qt::Key_Return);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("01.02.2027"));  // written back in the padded form
  EXPECT_EQ(fErrors, 1);
}

TEST_F(MaskEditTest, TypingIntoAMaskSwitchesTheApplicationToOverwrite) {
  ZCLApplication().SetInsertMode(true);
  fEdit->SetMask(QStringLiteral("!0!0!0"));
  fEdit->SetDataType(mdCustomMask);
  fEdit->SetCaretPos(1);
  Type(fEdit, QStringLiteral("1"));
  EXPECT_FALSE(ZCLApplication().InsertMode());
  ZCLApplication().SetInsertMode(true);
}

}  // namespace
}  // namespace zyn
