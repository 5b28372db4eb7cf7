#pragma once
// Date formats of the mask edit: the platform's short or long format or a custom one, written
// plain or padded for editing, and read back field by field.

#include "widgets/controls/ZCLObject.h"

#include <QDate>
#include <QString>

namespace zyn {

enum TZCLDateFormats { dfShortSystem, dfLongSystem, dfCustom };

class TZCLDateFormat : public TZCLObject {
 public:
  TZCLDateFormats Format() const { return format_; }
  void SetFormat(TZCLDateFormats value);
  QString FormatStr() const { return formatStr_; }
  void SetFormatStr(const QString& value);
  int YearDelta() const { return yearDelta_; }
  void SetYearDelta(int value) { yearDelta_ = value; }

  // The pattern in use (letters D, M, Y in either case; "/" is the date separator for dfCustom).
  QString Pattern() const;
  QString FormatDate(const QDate& date, bool padded = false) const;
  // An invalid date when the text cannot be composed into one.
  QDate Parse(const QString& text) const;
  // 30 December 1899 is day 0.
  static double ToValue(const QDate& date);
  static QDate FromValue(double value);

 private:
  TZCLDateFormats format_ = dfShortSystem;
  QString formatStr_;
  int yearDelta_ = -1;
};

}  // namespace zyn
