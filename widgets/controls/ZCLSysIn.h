#pragma once
// System information: display colour depth, the logged-on user, the platform's version values and
// the settings of the user's locale.

#include <QLocale>
#include <QString>

namespace zyn {

// Bits per pixel of the primary display (0 without one).
int DisplayColorDepth();
// The logged-on user name, "(Unbekannt)" when it cannot be found.
QString LoggedOnUserName();
// Version values by selector: 0 major, 1 minor, 3 build (patch level) of the kernel; 2 the
// platform (2: a multi-user system with protected processes, as every Linux is); 4 and 5 the
// major and minor version of the distribution (its service level); 6 the suite mask (0, no
// editions); 7 the product type (1, a workstation). 0 for any other selector and for a value that
// cannot be found.
int OsVersionValue(int selector);
// The locale type the selector asks for (see LocaleString); 0 for an unknown selector.
int LocaleTypeOfSelector(int selector);
// One setting of the locale by selector, in the platform's text form: 0 calendar type, 1 currency
// digits, 2 currency position, 3 digits, 4 first day of the week (0 Monday), 5 first week of the
// year, 6 leading zero, 7 measure (0 metric), 8 negative currency form, 9 negative number form,
// 10 24-hour clock, 11 and 12 the AM and PM texts, 13 currency symbol, 14 date separator, 15
// decimal separator, 16 grouping, 17 list separator, 18 long date format, 19 currency decimal
// separator, 20 currency grouping, 21 currency thousands separator, 22 negative sign, 23 positive
// sign, 24 short date format, 25 thousands separator, 26 time separator, 27 time format. Empty for
// any other selector.
QString LocaleString(int selector, const QLocale& locale = QLocale());

}  // namespace zyn
