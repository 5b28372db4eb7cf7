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
  TZCLCurrencyMode SystemDefaults() const { return fMode; }
  void SetSystemDefaults(TZCLCurrencyMode value);
  QString PositiveFormatStr() const { return fPositive; }
  void SetPositiveFormatStr(const QString& value);
  QString NegativeFormatStr() const { return fNegative; }
  void SetNegativeFormatStr(const QString& value);
  QString Symbol() const { return fSymbol; }
  void SetSymbol(const QString& value);
  int Digits() const { return fDigits; }
  void SetDigits(int value) { fDigits = value; }
  int Grouping() const { return fGrouping; }
  void SetGrouping(int value) { fGrouping = value; }
  QChar DecimalSeparator() const { return fDecimal; }
  QChar ThousandSeparator() const { return fThousand; }
  void SetSeparators(QChar decimal, QChar thousand) {
    fDecimal = decimal;
    fThousand = thousand;
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
  TZCLCurrencyMode fMode = cmSystem;
  QString fPositive;
  QString fNegative;
  QString fSymbol;
  int fGrouping = 3;
  int fDigits = 2;
  QChar fDecimal = QLatin1Char('.');
  QChar fThousand = QLatin1Char(',');
};

}  // namespace zyn
