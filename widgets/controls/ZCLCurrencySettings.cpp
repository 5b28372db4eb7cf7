#include "widgets/controls/ZCLCurrencySettings.h"

#include <QLocale>

#include <cmath>

namespace zyn {

QString TZCLCurrencySettings::NegativeTemplate(int number) {
  static const char* const t[] = {"(¤1,1)", "-¤1,1",  "¤-1,1",  "¤1,1-",  "(1,1¤)", "-1,1¤",  "1,1-¤",   "1,1¤-",
                                  "-1,1 ¤", "-¤ 1,1", "1,1 ¤-", "¤ 1,1-", "¤ -1,1", "1,1- ¤", "(¤ 1,1)", "(1,1 ¤)"};
  return (number >= 0 && number < 16) ? QString::fromUtf8(t[number]) : QString::fromUtf8(t[1]);
}

QString TZCLCurrencySettings::PositiveTemplate(int number) {
  static const char* const t[] = {"¤1,1", "1,1¤", "¤ 1,1", "1,1 ¤"};
  return (number >= 0 && number < 4) ? QString::fromUtf8(t[number]) : QString::fromUtf8(t[0]);
}

void TZCLCurrencySettings::LoadSystemDefaults() {
  const QLocale locale;
  fSymbol = locale.currencySymbol();
  const QString sample = locale.toCurrencyString(1.0);
  const bool symbolFirst = sample.startsWith(fSymbol);
  const bool spaced = sample.contains(QChar(' ')) || sample.contains(QChar(0x00A0));
  fPositive = PositiveTemplate((symbolFirst ? 0 : 1) + (spaced ? 2 : 0));
  fNegative = symbolFirst ? (spaced ? NegativeTemplate(9) : NegativeTemplate(1))
                          : (spaced ? NegativeTemplate(8) : NegativeTemplate(5));
  fDecimal = locale.decimalPoint().at(0);
  fThousand = locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator().at(0);
  fGrouping = 3;
  fDigits = 2;
}

void TZCLCurrencySettings::SetSystemDefaults(TZCLCurrencyMode value) {
  if (value == fMode) return;
  fMode = value;
  if (value == cmSystem) LoadSystemDefaults();
  Changed();
}

void TZCLCurrencySettings::SetPositiveFormatStr(const QString& value) {
  if (value == fPositive) return;
  fPositive = value;
  Changed();
}

void TZCLCurrencySettings::SetNegativeFormatStr(const QString& value) {
  if (value == fNegative) return;
  fNegative = value;
  Changed();
}

void TZCLCurrencySettings::SetSymbol(const QString& value) {
  if (value == fSymbol) return;
  fSymbol = value;
  Changed();
}

QString TZCLCurrencySettings::Format(std::int64_t amount, bool negativeFlag) const {
  const bool negative = amount < 0 || (amount == 0 && negativeFlag);
  const std::int64_t a = amount < 0 ? -amount : amount;
  // Cut, not rounded, to the currency digits.
  std::int64_t units = a / 10000;
  std::int64_t frac = a % 10000;
  QString fraction = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0')).left(std::min(fDigits, 4));
  while (fraction.size() < fDigits) fraction += QLatin1Char('0');
  QString whole = QString::number(units);
  if (fGrouping > 0)
    for (int i = static_cast<int>(whole.size()) - fGrouping; i > 0; i -= fGrouping) whole.insert(i, fThousand);
  const QString number = fDigits > 0 ? whole + fDecimal + fraction : whole;
  QString out = negative ? fNegative : fPositive;
  out.replace(QStringLiteral("1,1"), QStringLiteral("\x01"));
  out.replace(QString::fromUtf8("¤"), fSymbol);
  out.replace(QStringLiteral("\x01"), number);
  return out;
}

std::int64_t TZCLCurrencySettings::Read(const QString& source, bool* ok) const {
  QString text = source;
  if (!fSymbol.isEmpty()) text.remove(fSymbol);
  const int minus = static_cast<int>(text.count(QLatin1Char('-')));
  QString digits;
  for (QChar c : text) {
    if (c.isDigit())
      digits += c;
    else if (c == fDecimal)
      digits += QLatin1Char('.');
  }
  bool good = false;
  const double value = digits.toDouble(&good);
  if (ok) *ok = good;
  if (!good) return 0;
  const std::int64_t amount = std::llround(value * 10000.0);
  return (minus % 2) ? -amount : amount;
}

void TZCLCurrencySettings::Assign(const TZCLCurrencySettings& other) {
  fMode = other.fMode;
  if (fMode == cmUser) {
    fSymbol = other.fSymbol;
    fDigits = other.fDigits;
    fGrouping = other.fGrouping;
    fDecimal = other.fDecimal;
    fThousand = other.fThousand;
    fPositive = other.fPositive;
    fNegative = other.fNegative;
  } else {
    LoadSystemDefaults();
  }
  Changed();
}

}  // namespace zyn
