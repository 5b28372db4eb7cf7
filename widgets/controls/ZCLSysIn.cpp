#include "widgets/controls/ZCLSysIn.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QSysInfo>
#include <QVersionNumber>

#include <array>

namespace zyn {

int DisplayColorDepth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}

QString LoggedOnUserName() {
  for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
    const QString value = qEnvironmentVariable(name);
    if (!value.isEmpty()) return value.left(63);
  }
  return QStringLiteral("(Unbekannt)");
}

int OsVersionValue(int selector) {
  const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
  const QVersionNumber product = QVersionNumber::fromString(QSysInfo::productVersion());
  switch (selector) {
    case 0:
      return kernel.majorVersion();
    case 1:
      return kernel.minorVersion();
    case 2:
      return 2;
    case 3:
      return kernel.microVersion();
    case 4:
      return product.majorVersion();
    case 5:
      return product.minorVersion();
    case 6:
      return 0;
    case 7:
      return 1;
    default:
      return 0;
  }
}

namespace {

constexpr std::array<int, 28> kLocaleTypes = {0x1009, 25, 27, 17, 0x100C, 0x100D, 18, 13,    28, 0x1010,
                                              35,     40, 41, 20, 29,     14,     16, 12,    32, 22,
                                              24,     23, 81, 80, 31,     15,     30, 0x1003};

// The separator between the fields of a date or time format ("dd.MM.yyyy" gives ".").
QString FieldSeparator(const QString& format, const QString& fallback) {
  for (QChar c : format)
    if (!c.isLetter() && c != QLatin1Char('\'')) return QString(c);
  return fallback;
}

// The form of a currency amount of 1.1 or -1.1: the number written as "1.1", the symbol as "$".
QString CurrencyForm(const QLocale& locale, double amount) {
  const QString symbol = locale.currencySymbol();
  QString text = locale.toCurrencyString(amount, symbol, 1);
  text.replace(locale.toString(1.1, 'f', 1), QStringLiteral("1.1"));
  if (!symbol.isEmpty()) text.replace(symbol, QStringLiteral("$"));
  text.replace(QChar(0x00A0), QLatin1Char(' '));
  text.replace(QChar(0x202F), QLatin1Char(' '));
  text.replace(locale.negativeSign(), QStringLiteral("-"));
  return text;
}

int IndexIn(const QString& form, std::initializer_list<const char*> forms, int fallback) {
  int i = 0;
  for (const char* f : forms) {
    if (form == QLatin1String(f)) return i;
    ++i;
  }
  return fallback;
}

}  // namespace

int LocaleTypeOfSelector(int selector) {
  return selector >= 0 && selector < int(kLocaleTypes.size()) ? kLocaleTypes[size_t(selector)] : 0;
}

QString LocaleString(int selector, const QLocale& locale) {
  const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
  const QString time = locale.timeFormat(QLocale::LongFormat);
  const QString group = locale.groupSeparator();
  switch (selector) {
    case 0:
      return QStringLiteral("1");  // the Gregorian calendar
    case 1:
    case 3:
      return QStringLiteral("2");
    case 2:
      return QString::number(IndexIn(CurrencyForm(locale, 1.1), {"$1.1", "1.1$", "$ 1.1", "1.1 $"}, 0));
    case 4:
      return QString::number((int(locale.firstDayOfWeek()) + 6) % 7);
    case 5:  // the first week with four days (the ISO rule) where the week starts on Monday
      return QStringLiteral("%1").arg(locale.firstDayOfWeek() == Qt::Monday ? 2 : 0);
    case 6:
      return QStringLiteral("1");
    case 7:
      return locale.measurementSystem() == QLocale::MetricSystem ? QStringLiteral("0") : QStringLiteral("1");
    case 8:
      return QString::number(IndexIn(CurrencyForm(locale, -1.1),
                                     {"($1.1)", "-$1.1", "$-1.1", "$1.1-", "(1.1$)", "-1.1$", "1.1-$", "1.1$-",
                                      "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"},
                                     1));
    case 9:
      return QStringLiteral("1");  // "-1.1"
    case 10:
      return time.contains(QLatin1Char('H')) ? QStringLiteral("1") : QStringLiteral("0");
    case 11:
      return time.contains(QLatin1Char('H')) ? QString() : locale.amText();
    case 12:
      return time.contains(QLatin1Char('H')) ? QString() : locale.pmText();
    case 13:
      return locale.currencySymbol();
    case 14:
      return FieldSeparator(shortDate, QStringLiteral("/"));
    case 15:
    case 19:
      return locale.decimalPoint();
    case 16:
    case 20:
      return QStringLiteral("3;0");
    case 17:
      return locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
    case 18:
      return locale.dateFormat(QLocale::LongFormat);
    case 21:
    case 25:
      return group;
    case 22:
      return locale.negativeSign();
    case 23:
      return QString();  // a positive number shows no sign
    case 24:
      return shortDate;
    case 26:
      return FieldSeparator(time, QStringLiteral(":"));
    case 27:
      return time;
    default:
      return QString();
  }
}

}  // namespace zyn
