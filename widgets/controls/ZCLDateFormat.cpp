#include "widgets/controls/ZCLDateFormat.h"

#include <QLocale>

#include <cmath>

namespace zyn {
namespace {

const QDate kBase(1899, 12, 30);

QChar Separator() {
  const QString f = QLocale().dateFormat(QLocale::ShortFormat);
  for (QChar c : f)
    if (!c.isLetter()) return c;
  return QLatin1Char('.');
}

int LongestName(bool month, bool longForm) {
  const QLocale locale;
  int n = 0;
  for (int i = 1; i <= (month ? 12 : 7); ++i) {
    const QString name = month ? locale.monthName(i, longForm ? QLocale::LongFormat : QLocale::ShortFormat)
                               : locale.dayName(i, longForm ? QLocale::LongFormat : QLocale::ShortFormat);
    n = std::max(n, static_cast<int>(name.size()));
  }
  return n;
}

}  // namespace

void TZCLDateFormat::SetFormat(TZCLDateFormats value) {
  if (value == fFormat) return;
  fFormat = value;
  Changed();
}

void TZCLDateFormat::SetFormatStr(const QString& value) {
  if (value == fFormatStr) return;
  fFormatStr = value;
  if (fFormat == dfCustom) Changed();
}

QString TZCLDateFormat::Pattern() const {
  switch (fFormat) {
    case dfShortSystem:
      return QLocale().dateFormat(QLocale::ShortFormat);
    case dfLongSystem:
      return QLocale().dateFormat(QLocale::LongFormat);
    case dfCustom: {
      QString p = fFormatStr;
      p.replace(QLatin1Char('/'), Separator());
      return p;
    }
  }
  return QString();
}

QString TZCLDateFormat::FormatDate(const QDate& date, bool padded) const {
  const QLocale locale;
  const QString pattern = Pattern();
  QString out;
  for (int i = 0; i < pattern.size();) {
    const QChar c = pattern[i].toUpper();
    int run = 1;
    while (i + run < pattern.size() && pattern[i + run].toUpper() == c) ++run;
    if (c != QLatin1Char('D') && c != QLatin1Char('M') && c != QLatin1Char('Y')) {
      out += pattern.mid(i, run);
      i += run;
      continue;
    }
    QString field;
    if (c == QLatin1Char('Y')) {
      field = run == 2 ? QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'))
                       : QString::number(date.year());
    } else {
      const bool day = c == QLatin1Char('D');
      const int value = day ? date.day() : date.month();
      if (run == 1) {
        field = QString::number(value);
        if (padded) field = field.rightJustified(2, QLatin1Char(' '));
      } else if (run == 2) {
        field = QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
      } else {
        const auto form = run == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
        field = day ? locale.dayName(date.dayOfWeek(), form) : locale.monthName(value, form);
        if (padded) field = field.leftJustified(LongestName(!day, run != 3), QLatin1Char(' '));
      }
    }
    out += field;
    i += run;
  }
  return out;
}

QDate TZCLDateFormat::Parse(const QString& text) const {
  const QLocale locale;
  const QString pattern = Pattern();
  int day = 1, month = 1, year = 1900;
  int t = 0;
  auto skipSpaces = [&] {
    while (t < text.size() && text[t] == QLatin1Char(' ')) ++t;
  };
  for (int i = 0; i < pattern.size();) {
    const QChar c = pattern[i].toUpper();
    int run = 1;
    while (i + run < pattern.size() && pattern[i + run].toUpper() == c) ++run;
    if (c != QLatin1Char('D') && c != QLatin1Char('M') && c != QLatin1Char('Y')) {
      for (int k = 0; k < run; ++k) {
        skipSpaces();
        if (t < text.size()) ++t;
      }
      i += run;
      continue;
    }
    skipSpaces();
    if (run >= 3 && c != QLatin1Char('Y')) {
      const bool dayName = c == QLatin1Char('D');
      const auto form = run == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
      bool found = false;
      for (int k = 1; k <= (dayName ? 7 : 12) && !found; ++k) {
        const QString name = dayName ? locale.dayName(k, form) : locale.monthName(k, form);
        if (text.mid(t, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
          t += static_cast<int>(name.size());
          if (!dayName) month = k;
          found = true;
        }
      }
      if (!found) return QDate();
    } else {
      const int maxDigits = run == 4 ? 4 : 2;
      int digits = 0, value = 0;
      while (t < text.size() && digits < maxDigits && text[t].isDigit()) {
        value = value * 10 + text[t].digitValue();
        ++t;
        ++digits;
      }
      if (digits == 0) return QDate();
      if (c == QLatin1Char('D'))
        day = value;
      else if (c == QLatin1Char('M'))
        month = value;
      else if (digits <= 2) {
        const int century = QDate::currentDate().year() / 100;
        const int pivot = fYearDelta >= 0 ? fYearDelta : (QDate::currentDate().year() % 100) + 3;
        year = value > pivot ? value + 100 * (century - 1) : value + 100 * century;
      } else {
        year = value;
      }
    }
    i += run;
  }
  if (month < 1 || month > 12 || day < 1) return QDate();
  if (month == 2 && day > 28) day = std::min(day, QDate::isLeapYear(year) ? 29 : 28);
  return QDate(year, month, day);
}

std::vector<TZCLDateField> TZCLDateFormat::Fields() const {
  std::vector<TZCLDateField> fields;
  const QString pattern = Pattern();
  int pos = 0;
  for (int i = 0; i < pattern.size();) {
    const QChar c = pattern[i].toUpper();
    int run = 1;
    while (i + run < pattern.size() && pattern[i + run].toUpper() == c) ++run;
    int width = run;
    if (c == QLatin1Char('D') || c == QLatin1Char('M')) {
      width = run <= 2 ? 2 : LongestName(c == QLatin1Char('M'), run != 3);
      fields.push_back({(c == QLatin1Char('D') ? 0 : 10) + std::min(run, 4), pos, pos + width});
    } else if (c == QLatin1Char('Y')) {
      width = run == 2 ? 2 : 4;
      fields.push_back({20 + std::min(run, 4), pos, pos + width});
    }
    pos += width;
    i += run;
  }
  return fields;
}

int TZCLDateFormat::FieldAt(int position) const {
  const std::vector<TZCLDateField> fields = Fields();
  if (fields.empty()) return -1;
  for (int i = 0; i < static_cast<int>(fields.size()); ++i)
    if (position < fields[i].End) return i;
  return static_cast<int>(fields.size()) - 1;
}

double TZCLDateFormat::ToValue(const QDate& date) {
  return date.isValid() ? static_cast<double>(kBase.daysTo(date)) : 0;
}

QDate TZCLDateFormat::FromValue(double value) { return kBase.addDays(static_cast<qint64>(std::floor(value))); }

}  // namespace zyn
