#include "widgets/common/DayNames.h"

namespace zyn {

QLocale LocaleOfLanguage(int languageId) {
  switch (languageId & 0x3FF) {  // the primary language
    case 0x07:
      return QLocale(QLocale::German);
    case 0x09:
      return QLocale(QLocale::English);
    case 0x0C:
      return QLocale(QLocale::French);
    case 0x10:
      return QLocale(QLocale::Italian);
    case 0x13:
      return QLocale(QLocale::Dutch);
    case 0x0A:
      return QLocale(QLocale::Spanish);
    case 0x15:
      return QLocale(QLocale::Polish);
    case 0x05:
      return QLocale(QLocale::Czech);
    default:
      return QLocale();
  }
}

QString LongDayName(int languageId, int day) {
  return LocaleOfLanguage(languageId).dayName(day + 1, QLocale::LongFormat);
}

QString ShortDayName(int languageId, int day) {
  return LocaleOfLanguage(languageId).dayName(day + 1, QLocale::ShortFormat);
}

}  // namespace zyn
