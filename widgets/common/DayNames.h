#pragma once
// Weekday names of a language identifier (the platform's LANGID): 0 is the neutral default, the
// locale of the running programme. Day 0 is Monday, day 6 Sunday, as in the day masks.

#include <QLocale>
#include <QString>

namespace zyn {

QLocale LocaleOfLanguage(int languageId);
QString LongDayName(int languageId, int day);
QString ShortDayName(int languageId, int day);

}  // namespace zyn
