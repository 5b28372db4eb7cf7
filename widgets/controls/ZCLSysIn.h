#pragma once
// System information: display colour depth, the logged-on user, the platform's version values.

#include <QString>

namespace zyn {

// Bits per pixel of the primary display (0 without one).
int DisplayColorDepth();
// The logged-on user name, "(Unbekannt)" when it cannot be found.
QString LoggedOnUserName();
// Version values by selector: 0 major, 1 minor, others 0 here.
int OsVersionValue(int selector);

}  // namespace zyn
