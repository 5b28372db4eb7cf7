#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLCustomMaskEdit.h"

#include "TestSupport.h"

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
    window_ = std::make_unique<QWidget>();
    edit_ = new MaskEdit(window_.get());
    edit_->setGeometry(0, 0, 150, 21);
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(0, 40, 100, 21);
    edit_->OnValidationError = [this](QObject*) { ++errors_; };
  }
  std::unique_ptr<QWidget> window_;
  MaskEdit* edit_ = nullptr;
  QLineEdit* other_ = nullptr;
  int errors_ = 0;
};

TEST_F(MaskEditTest, IntegerSignToggleAndBaseDigits) {
  edit_->SetDataType(mdInteger);
  EXPECT_EQ(edit_->Text(), QStringLiteral("0"));
  edit_->SetText(QStringLiteral("12"));
  edit_->SetCaretPos(3);
  Type(edit_, QStringLiteral("-"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("-12"));
  EXPECT_EQ(edit_->CaretPos(), 4);
  Type(edit_, QStringLiteral("-"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("12"));
  Type(edit_, QStringLiteral("a"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("12"));
  edit_->SetBase(16);
  Type(edit_, QStringLiteral("a"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("12a"));
  EXPECT_EQ(edit_->AsInteger(), 0x12A);
  edit_->SetBase(10);
  EXPECT_EQ(edit_->AsInteger(), 0);
  EXPECT_EQ(errors_, 1);
}

TEST_F(MaskEditTest, WrongTypeReadsRaise) {
  EXPECT_THROW(edit_->AsInteger(), EZCLWrongDataType);
  edit_->SetDataType(mdInteger);
  EXPECT_THROW(edit_->AsFloat(), EZCLWrongDataType);
  try {
    edit_->SetDataType(mdFixed);
    edit_->AsInteger();
    FAIL();
  } catch (const EZCLWrongDataType& e) {
    EXPECT_STREQ(e.what(), "No integer entered");
  }
}

TEST_F(MaskEditTest, FixedShowsItsDecimalsAndRefusesASecondSeparator) {
  edit_->SetDataType(mdFixed);
  const QChar sep = edit_->DecimalSeparator();
  EXPECT_EQ(edit_->Text(), QStringLiteral("0") + sep + QStringLiteral("0"));
  edit_->WriteValue(3);
  EXPECT_EQ(edit_->Text(), QStringLiteral("3") + sep + QStringLiteral("0"));
  edit_->SetCaretPos(1);
  Type(edit_, QString(sep));  // jumps behind the existing separator
  EXPECT_EQ(edit_->Text(), QStringLiteral("3") + sep + QStringLiteral("0"));
  EXPECT_EQ(edit_->CaretPos(), 3);
  EXPECT_DOUBLE_EQ(edit_->AsFloat(), 3.0);
}

TEST_F(MaskEditTest, NumberGroupsThousandsAndFloatReadsOtherBases) {
  edit_->SetDataType(mdNumber);
  edit_->SetDecimals(2);
  edit_->WriteValue(-1234567.5);
  const QChar t = edit_->ThousandSeparator(), d = edit_->DecimalSeparator();
  EXPECT_EQ(edit_->Text(), QStringLiteral("-1") + t + "234" + t + "567" + d + "50");
  EXPECT_DOUBLE_EQ(edit_->AsFloat(), -1234567.5);
  edit_->SetDataType(mdFloat);
  edit_->SetBase(2);
  edit_->SetText(QStringLiteral("101") + d + QStringLiteral("1"));
  EXPECT_DOUBLE_EQ(edit_->AsFloat(), 5.5);
}

TEST_F(MaskEditTest, SuffixIsKeptAndNotTypedInto) {
  edit_->SetDataType(mdInteger);
  edit_->SetSuffix(QStringLiteral(" ms"));
  edit_->WriteValue(250);
  EXPECT_EQ(edit_->Text(), QStringLiteral("250 ms"));
  EXPECT_EQ(edit_->AsInteger(), 250);
  edit_->SetCaretPos(5);
  Type(edit_, QStringLiteral("1"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("250 ms"));
  edit_->SelectAll();
  Key(edit_, Qt::Key_Delete);
  EXPECT_EQ(edit_->Text(), QStringLiteral(" ms"));
  EXPECT_EQ(edit_->AsInteger(), 0);
}

TEST_F(MaskEditTest, CustomMaskKeepsTheFocusOnAMissingRequiredPosition) {
  ShowActive(*window_);
  edit_->SetDataType(mdCustomMask);
  edit_->SetMask(QStringLiteral("!0!0!0"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("___"));
  Focus(edit_);
  edit_->SetCaretPos(1);
  Type(edit_, QStringLiteral("4x2"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("42_"));
  Focus(other_);
  QApplication::processEvents();
  EXPECT_TRUE(edit_->hasFocus());
  EXPECT_EQ(edit_->SelStart(), 3);
  EXPECT_EQ(edit_->SelLength(), 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, CurrencyTextThroughTheSettings) {
  TZCLCurrencySettings& c = edit_->CurrencySettings();
  c.SetSystemDefaults(cmUser);
  c.SetSeparators(QLatin1Char(','), QLatin1Char('.'));
  c.SetSymbol(QStringLiteral("€"));
  c.SetPositiveFormatStr(TZCLCurrencySettings::PositiveTemplate(3));
  c.SetNegativeFormatStr(TZCLCurrencySettings::NegativeTemplate(0));
  edit_->SetDataType(mdCurrency);
  EXPECT_EQ(edit_->Text(), QStringLiteral("0,00 €"));
  edit_->WriteValue(-1234.5);
  EXPECT_EQ(edit_->Text(), QStringLiteral("(€1.234,50)"));
  EXPECT_EQ(edit_->AsCurrency(), 12345000);  // the parentheses carry no sign
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, DateTypeWritesPaddedAndReadsBack) {
  EXPECT_THROW(edit_->AsDate(), EZCLWrongDataType);
  edit_->DateFormat().SetFormat(dfCustom);
  edit_->DateFormat().SetFormatStr(QStringLiteral("D.M.YYYY"));
  edit_->SetDataType(mdDate);
  EXPECT_EQ(edit_->DateFormat().Parse(edit_->Text()), QDate::currentDate());
  edit_->WriteValue(TZCLDateFormat::ToValue(QDate(2026, 1, 5)));
  EXPECT_EQ(edit_->Text(), QStringLiteral(" 5. 1.2026"));
  EXPECT_EQ(edit_->AsDate(), TZCLDateFormat::ToValue(QDate(2026, 1, 5)));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(MaskEditTest, TimeTypeReadsAndWrites) {
  EXPECT_THROW(edit_->AsTime(), EZCLWrongDataType);
  edit_->SetDataType(mdTime);
  edit_->WriteValue(0.5);
  EXPECT_DOUBLE_EQ(edit_->AsTime(), 0.5);
  edit_->SetText(QStringLiteral("keine Zeit"));
  EXPECT_EQ(edit_->AsTime(), 0);
  EXPECT_EQ(errors_, 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

class DateTyping : public MaskEditTest {
 protected:
  void SetUp() override {
    MaskEditTest::SetUp();
    edit_->DateFormat().SetFormat(dfCustom);
    edit_->DateFormat().SetFormatStr(QStringLiteral("DD.MM.YYYY"));
    edit_->SetDataType(mdDate);
    edit_->WriteValue(TZCLDateFormat::ToValue(QDate(2026, 12, 5)));
    edit_->SetCaretPos(1);
  }
};

TEST_F(DateTyping, FieldsOfThePaddedText) {
  const std::vector<TZCLDateField> f = edit_->DateFormat().Fields();
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].Kind, 2);
  EXPECT_EQ(f[1].Kind, 12);
  EXPECT_EQ(f[2].Kind, 24);
  EXPECT_EQ(f[2].Start, 6);
  EXPECT_EQ(f[2].End, 10);
  EXPECT_EQ(edit_->DateFormat().FieldAt(2), 1);  // the separator belongs to the field after it
}

TEST_F(DateTyping, DayTakes31ButNot32) {
  Type(edit_, QStringLiteral("3"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("03.12.2026"));
  EXPECT_EQ(edit_->SelText(), QStringLiteral("03"));  // the field is selected again
  Type(edit_, QStringLiteral("2"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("03.12.2026"));
  Type(edit_, QStringLiteral("1"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("31.12.2026"));
  // The separator jumps to the month; 1 then 3 is no month, 1 then 1 is.
  Type(edit_, QStringLiteral("."));
  EXPECT_EQ(edit_->SelText(), QStringLiteral("12"));
  Type(edit_, QStringLiteral("13"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("31.01.2026"));
  Type(edit_, QStringLiteral("1"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("31.11.2026"));
  Type(edit_, QStringLiteral("."));
  Type(edit_, QStringLiteral("1999"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("31.11.1999"));
  EXPECT_EQ(edit_->AsDate(), 0);  // there is no 31 November
}

TEST_F(DateTyping, UpOnDecemberGivesJanuaryOfTheSameYearAndArrowsWalkTheFields) {
  Key(edit_, Qt::Key_Right);
  EXPECT_EQ(edit_->SelText(), QStringLiteral("12"));
  Key(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->Text(), QStringLiteral("05.01.2026"));
  EXPECT_EQ(edit_->SelText(), QStringLiteral("01"));
  Key(edit_, Qt::Key_Down);
  EXPECT_EQ(edit_->Text(), QStringLiteral("05.12.2026"));
  Key(edit_, Qt::Key_Right);
  Key(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->Text(), QStringLiteral("05.12.2027"));
  Key(edit_, Qt::Key_Left);
  Key(edit_, Qt::Key_Left);
  Key(edit_, Qt::Key_Down);
  EXPECT_EQ(edit_->Text(), QStringLiteral("04.12.2027"));
  Key(edit_, Qt::Key_Backspace);  // nothing is deleted in a date
  EXPECT_EQ(edit_->Text(), QStringLiteral("04.12.2027"));
}

TEST_F(MaskEditTest, CurrencyTypingFlagsTheSignAndMovesTheSeparator) {
  TZCLCurrencySettings& c = edit_->CurrencySettings();
  c.SetSystemDefaults(cmUser);
  c.SetSeparators(QLatin1Char(','), QLatin1Char('.'));
  c.SetSymbol(QStringLiteral("€"));
  c.SetPositiveFormatStr(TZCLCurrencySettings::PositiveTemplate(3));
  c.SetNegativeFormatStr(TZCLCurrencySettings::NegativeTemplate(8));
  edit_->SetDataType(mdCurrency);
  edit_->SetCaretPos(2);  // after the "0" before the separator
  Type(edit_, QStringLiteral("12"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("12,00 €"));  // the leading zero goes with the reformatting
  EXPECT_EQ(edit_->AsCurrency(), 120000);
  Type(edit_, QStringLiteral("-"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("-12,00 €"));
  Type(edit_, QStringLiteral("-"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("12,00 €"));
  // The separator typed after the first digit makes "1,20".
  edit_->SetCaretPos(2);
  Type(edit_, QStringLiteral(","));
  EXPECT_EQ(edit_->Text(), QStringLiteral("1,20 €"));
  EXPECT_EQ(edit_->AsCurrency(), 12000);
  Type(edit_, QStringLiteral("x"));  // anything else is cleaned away again
  EXPECT_EQ(edit_->AsCurrency(), 12000);
  EXPECT_EQ(errors_, 0);
}

TEST_F(MaskEditTest, FixedSeparatorSurvivesDeletesAndOverwrites) {
  edit_->SetDataType(mdFixed);
  const QString sep = QString(edit_->DecimalSeparator());
  edit_->WriteValue(3.5);
  ASSERT_EQ(edit_->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  edit_->SetCaretPos(2);
  Key(edit_, Qt::Key_Delete);  // the separator stays; the caret steps over it
  EXPECT_EQ(edit_->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  EXPECT_EQ(edit_->CaretPos(), 3);
  Key(edit_, Qt::Key_Backspace);  // likewise to the left
  EXPECT_EQ(edit_->Text(), QStringLiteral("3") + sep + QStringLiteral("5"));
  EXPECT_EQ(edit_->CaretPos(), 2);
  Key(edit_, Qt::Key_Backspace);  // the only digit before the separator becomes 0
  EXPECT_EQ(edit_->Text(), QStringLiteral("0") + sep + QStringLiteral("5"));
  EXPECT_EQ(edit_->CaretPos(), 1);
  ZCLApplication().SetInsertMode(false);
  edit_->SetCaretPos(2);
  Type(edit_, QStringLiteral("7"));  // overwriting at the separator steps over it
  ZCLApplication().SetInsertMode(true);
  EXPECT_EQ(edit_->Text(), QStringLiteral("0") + sep + QStringLiteral("7"));
  // Surplus decimals are cut back to the fixed count.
  edit_->SetCaretPos(4);
  Type(edit_, QStringLiteral("9"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("0") + sep + QStringLiteral("7"));
  EXPECT_DOUBLE_EQ(edit_->AsFloat(), 0.7);
}

TEST_F(DateTyping, WheelStepsTheFieldAndEnterCanValidate) {
  QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit_, &up);
  EXPECT_EQ(edit_->Text(), QStringLiteral("06.12.2026"));
  edit_->SetEnterValidates(true);
  edit_->SetText(QStringLiteral("99.99.9999"));
  Key(edit_, Qt::Key_Return);
  EXPECT_EQ(errors_, 1);
  edit_->SetText(QStringLiteral("1.2.2027"));
  Key(edit_, Qt::Key_Return);
  EXPECT_EQ(edit_->Text(), QStringLiteral("01.02.2027"));  // written back in the padded form
  EXPECT_EQ(errors_, 1);
}

TEST_F(MaskEditTest, TypingIntoAMaskSwitchesTheApplicationToOverwrite) {
  ZCLApplication().SetInsertMode(true);
  edit_->SetMask(QStringLiteral("!0!0!0"));
  edit_->SetDataType(mdCustomMask);
  edit_->SetCaretPos(1);
  Type(edit_, QStringLiteral("1"));
  EXPECT_FALSE(ZCLApplication().InsertMode());
  ZCLApplication().SetInsertMode(true);
}

}  // namespace
}  // namespace zyn
