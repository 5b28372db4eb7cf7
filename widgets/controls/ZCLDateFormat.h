#pragma once
// Date formats of the mask edit: the platform's short or long format or a custom one, written
// plain or padded for editing, and read back field by field.

#include "widgets/controls/ZCLObject.h"

#include <QDate>
#include <QString>

#include <vector>

namespace zyn {

enum TZCLDateFormats { dfShortSystem, dfLongSystem, dfCustom };

// A field of the padded date text: kind day 1-4, month 11-14, year 21-24 by the length of its
// pattern run; Start and End are 0-based, End exclusive.
struct TZCLDateField {
  int Kind = 0;
  int Start = 0;
  int End = 0;
  int Width() const { return End - Start; }
  bool IsDay() const { return Kind >= 1 && Kind <= 4; }
  bool IsMonth() const { return Kind >= 11 && Kind <= 14; }
  bool IsYear() const { return Kind >= 21; }
  bool IsName() const { return (Kind % 10) >= 3 && !IsYear(); }
};

class TZCLDateFormat : public TZCLObject {
 public:
  TZCLDateFormats Format() const { return fFormat; }
  void SetFormat(TZCLDateFormats value);
  QString FormatStr() const { return fFormatStr; }
  void SetFormatStr(const QString& value);
  int YearDelta() const { return fYearDelta; }
  void SetYearDelta(int value) { fYearDelta = value; }

  // The pattern in use (letters D, M, Y in either case; "/" is the date separator for dfCustom).
  QString Pattern() const;
  QString FormatDate(const QDate& date, bool padded = false) const;
  // An invalid date when the text cannot be composed into one.
  QDate Parse(const QString& text) const;
  // The fields of the padded text, in order.
  std::vector<TZCLDateField> Fields() const;
  // The index of the field at a 0-based text position (the next field after a literal, the last
  // one at the end); -1 without fields.
  int FieldAt(int position) const;
  // 30 December 1899 is day 0.
  static double ToValue(const QDate& date);
  static QDate FromValue(double value);

 private:
  TZCLDateFormats fFormat = dfShortSystem;
  QString fFormatStr;
  int fYearDelta = -1;
};

}  // namespace zyn
