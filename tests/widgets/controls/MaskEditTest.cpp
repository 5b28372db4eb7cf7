#include "widgets/controls/ZCLCustomMaskEdit.h"

#include "TestSupport.h"

#include <QLineEdit>
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
