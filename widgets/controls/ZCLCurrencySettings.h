#pragma once
// Currency formats of the mask edit: templates with "¤" for the symbol and "1,1" for the
// number, from the user's locale or set by the program; amounts in ten-thousandths.

#include "widgets/controls/ZCLObject.h"

#include <QString>
#include <cstdint>

namespace zyn {

enum TZCLCurrencyMode { cmSystem, cmUser };

class TZCLCurrencySettings : public TZCLObject {
 public:
  TZCLCurrencySettings() { LoadSystemDefaults(); }
  TZCLCurrencyMode SystemDefaults() const { return mode_; }
  void SetSystemDefaults(TZCLCurrencyMode value);
  QString PositiveFormatStr() const { return positive_; }
  void SetPositiveFormatStr(const QString& value);
  QString NegativeFormatStr() const { return negative_; }
  void SetNegativeFormatStr(const QString& value);
  QString Symbol() const { return symbol_; }
  void SetSymbol(const QString& value);
  int Digits() const { return digits_; }
  void SetDigits(int value) { digits_ = value; }
  int Grouping() const { return grouping_; }
  void SetGrouping(int value) { grouping_ = value; }
  QChar DecimalSeparator() const { return decimal_; }
  QChar ThousandSeparator() const { return thousand_; }
  void SetSeparators(QChar decimal, QChar thousand) {
    decimal_ = decimal;
    thousand_ = thousand;
  }
  // The negative template for a locale's format number 0 .. 15, the positive for 0 .. 3.
  static QString NegativeTemplate(int number);
  static QString PositiveTemplate(int number);
  void LoadSystemDefaults();

  // The text of an amount in ten-thousandths (negative: the negative template).
  QString Format(std::int64_t amount, bool negativeFlag = false) const;
  // The amount in ten-thousandths of a text; an odd count of "-" makes it negative.
  std::int64_t Read(const QString& text, bool* ok = nullptr) const;
  void Assign(const TZCLCurrencySettings& other);

 private:
  TZCLCurrencyMode mode_ = cmSystem;
  QString positive_;
  QString negative_;
  QString symbol_;
  int grouping_ = 3;
  int digits_ = 2;
  QChar decimal_ = QLatin1Char('.');
  QChar thousand_ = QLatin1Char(',');
};

}  // namespace zyn
