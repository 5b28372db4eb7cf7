#pragma once
// The edit whose text holds a value of one data type: whole numbers in a base from 2 to 36,
// floats in three presentations, or a string shaped by a character mask. It filters typing,
// reads the value out of the text and writes a value into it, with an optional suffix.

#include "widgets/controls/ZCLCurrencySettings.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLDateFormat.h"

#include <stdexcept>

namespace zyn {

enum TZCLMaskDataType {
  mdInteger,
  mdUnsignedInteger,
  mdFloat,
  mdFixed,
  mdNumber,
  mdCurrency,
  mdDate,
  mdTime,
  mdCustomMask,
  mdFreeText
};

// Raised by the value readers when the text holds another data type.
class EZCLWrongDataType : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZCLCustomMaskEdit : public TZCLCustomEdit {
  Q_OBJECT
 public:
  explicit TZCLCustomMaskEdit(QWidget* parent = nullptr);

  TZCLNotifyEvent OnValidationError;
  std::function<void(QObject* Sender, double value, double min, double max)> OnRangeError;

  TZCLMaskDataType DataType() const { return FDataType; }
  void SetDataType(TZCLMaskDataType value);
  int Base() const { return FBase; }
  void SetBase(int value);
  int Decimals() const { return FDecimals; }
  void SetDecimals(int value);
  QString Suffix() const { return FSuffix; }
  void SetSuffix(const QString& value);
  QString Mask() const { return FMask; }
  void SetMask(const QString& value);
  QChar Placeholder() const { return FPlaceholder; }
  QChar DecimalSeparator() const { return FDecimalSeparator; }
  QChar ThousandSeparator() const { return FThousandSeparator; }
  // Enter runs the checks of focus loss.
  bool EnterValidates() const { return FEnterValidates; }
  void SetEnterValidates(bool value) { FEnterValidates = value; }
  bool RangeCheck() const { return FRangeCheck; }
  void SetRangeCheck(bool value) { FRangeCheck = value; }

  // Value readers: an empty text reads 0; a text that is no number fires OnValidationError and
  // reads 0; a text of another data type raises EZCLWrongDataType.
  qint64 AsInteger();
  double AsFloat();
  // The currency amount of the text in ten-thousandths (no type check).
  std::int64_t AsCurrency();
  TZCLCurrencySettings& CurrencySettings() { return FCurrencySettings; }
  // The date of the text (date type only, else "No date entered"); 0 for no date.
  double AsDate();
  TZCLDateFormat& DateFormat() { return FDateFormat; }
  // The time of the text as a fraction of a day (time type only, else "No time entered").
  double AsTime();
  // The value writer: a value in the current data type, with the suffix, as the new text.
  void WriteValue(double value);
  QString TextWithoutSuffix() const;
  QString SuffixOf() const;
  // The text a value has in the current data type, without the suffix.
  QString FormatNumber(double value) const;
  // The empty template of the mask.
  QString MaskTemplate() const;

 protected:
  virtual void ValidationError();
  bool HasSuffix() const { return FDataType <= mdNumber && !FSuffix.isEmpty(); }
  bool CaretInSuffix() const;
  bool IsBaseDigit(QChar c) const;
  qint64 ParseInteger(const QString& text, bool* ok) const;
  double ParseFloat(const QString& text, bool* ok) const;
  bool FitsMask(const QString& text) const;
  void KeyPress(QChar ch) override;
  QString FilterText(const QString& s) override;
  bool KeyCommand(int key, Qt::KeyboardModifiers modifiers) override;
  void focusOutEvent(QFocusEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void Loaded() override;
  // The checks of focus loss: date and time texts, required mask positions, the range.
  void CheckOnExit();
  void AfterChange() override;
  // Fixed, number and currency: the decimal separator survives deletes and overwrites.
  bool MayInsert() override;
  // Fixed and number: the text is brought back to its canonical form after a change.
  void ReformatFloat();
  // Date typing: a digit goes into the field under the caret, a separator jumps to the next field.
  void TypeDateChar(QChar ch);
  void SelectDateField(int index);
  // Up and Down on a date field: +1 / -1 day, month (wrapping within the year) or year.
  void StepDateField(int step);
  // Currency typing: "-" flags the amount negative, the decimal separator moves the existing one.
  void TypeCurrencyChar(QChar ch);

  TZCLMaskDataType FDataType = mdCustomMask;
  int FBase = 10;
  int FDecimals = 1;
  QString FSuffix;
  QString FMask;
  QChar FPlaceholder = QLatin1Char('_');
  QChar FDecimalSeparator;
  QChar FThousandSeparator;
  bool FRangeCheck = false;
  bool FEnterValidates = false;
  double FMinValue = -1.0;
  double FMaxValue = -1.0;
  int FDateFieldIndex = -1;
  QString FDateDigits;  // the digits typed into the current date field
  bool FNegativePending = false;
  bool FReformatting = false;
  bool FInMayInsert = false;
  int FLastKey = 0;
  TZCLCurrencySettings FCurrencySettings;
  TZCLDateFormat FDateFormat;
};

}  // namespace zyn
