#include "widgets/controls/ZCLCurrencySettings.h"

#include <QLocale>
#include <cmath>

namespace zyn {

QString TZCLCurrencySettings::NegativeTemplate(int number) {
  static const char* const t[] = {"(¤1,1)", "-¤1,1",  "¤-1,1",  "¤1,1-",   "(1,1¤)",  "-1,1¤",   "1,1-¤",    "1,1¤-",
                                  "-1,1 ¤", "-¤ 1,1", "1,1 ¤-", "¤ 1,1-", "¤ -1,1", "1,1- ¤", "(¤ 1,1)", "(1,1 ¤)"};
  return (number >= 0 && number < 16) ? QString::fromUtf8(t[number]) : QString::fromUtf8(t[1]);
}

QString TZCLCurrencySettings::PositiveTemplate(int number) {
  static const char* const t[] = {"¤1,1", "1,1¤", "¤ 1,1", "1,1 ¤"};
  return (number >= 0 && number < 4) ? QString::fromUtf8(t[number]) : QString::fromUtf8(t[0]);
}

void TZCLCurrencySettings::LoadSystemDefaults() {
  const QLocale locale;
  symbol_ = locale.currencySymbol();
  const QString sample = locale.toCurrencyString(1.0);
  const bool symbolFirst = sample.startsWith(symbol_);
  const bool spaced = sample.contains(QChar(' ')) || sample.contains(QChar(0x00A0));
  positive_ = PositiveTemplate((symbolFirst ? 0 : 1) + (spaced ? 2 : 0));
  negative_ = symbolFirst ? (spaced ? NegativeTemplate(9) : NegativeTemplate(1)) : (spaced ? NegativeTemplate(8) : NegativeTemplate(5));
  decimal_ = locale.decimalPoint().at(0);
  thousand_ = locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator().at(0);
  grouping_ = 3;
  digits_ = 2;
}

void TZCLCurrencySettings::SetSystemDefaults(TZCLCurrencyMode value) {
  if (value == mode_) return;
  mode_ = value;
  if (value == cmSystem) LoadSystemDefaults();
  Changed();
}

void TZCLCurrencySettings::SetPositiveFormatStr(const QString& value) {
  if (value == positive_) return;
  positive_ = value;
  Changed();
}

void TZCLCurrencySettings::SetNegativeFormatStr(const QString& value) {
  if (value == negative_) return;
  negative_ = value;
  Changed();
}

void TZCLCurrencySettings::SetSymbol(const QString& value) {
  if (value == symbol_) return;
  symbol_ = value;
  Changed();
}

QString TZCLCurrencySettings::Format(std::int64_t amount, bool negativeFlag) const {
  const bool negative = amount < 0 || (amount == 0 && negativeFlag);
  const std::int64_t a = amount < 0 ? -amount : amount;
  // Cut, not rounded, to the currency digits.
  std::int64_t units = a / 10000;
  std::int64_t frac = a % 10000;
  QString fraction = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0')).left(std::min(digits_, 4));
  while (fraction.size() < digits_) fraction += QLatin1Char('0');
  QString whole = QString::number(units);
  if (grouping_ > 0)
    for (int i = static_cast<int>(whole.size()) - grouping_; i > 0; i -= grouping_) whole.insert(i, thousand_);
  const QString number = digits_ > 0 ? whole + decimal_ + fraction : whole;
  QString out = negative ? negative_ : positive_;
  out.replace(QStringLiteral("1,1"), QStringLiteral("\x01"));
  out.replace(QString::fromUtf8("¤"), symbol_);
  out.replace(QStringLiteral("\x01"), number);
  return out;
}

std::int64_t TZCLCurrencySettings::Read(const QString& source, bool* ok) const {
  QString text = source;
  if (!symbol_.isEmpty()) text.remove(symbol_);
  const int minus = static_cast<int>(text.count(QLatin1Char('-')));
  QString digits;
  for (QChar c : text) {
    if (c.isDigit()) digits += c;
    else if (c == decimal_) digits += QLatin1Char('.');
  }
  bool good = false;
  const double value = digits.toDouble(&good);
  if (ok) *ok = good;
  if (!good) return 0;
  const std::int64_t amount = std::llround(value * 10000.0);
  return (minus % 2) ? -amount : amount;
}

void TZCLCurrencySettings::Assign(const TZCLCurrencySettings& other) {
  mode_ = other.mode_;
  if (mode_ == cmUser) {
    symbol_ = other.symbol_;
    digits_ = other.digits_;
    grouping_ = other.grouping_;
    decimal_ = other.decimal_;
    thousand_ = other.thousand_;
    positive_ = other.positive_;
    negative_ = other.negative_;
  } else {
    LoadSystemDefaults();
  }
  Changed();
}

}  // namespace zyn
