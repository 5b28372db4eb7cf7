#include "widgets/controls/ZCLSysIn.h"

#include <QGuiApplication>
#include <QOperatingSystemVersion>
#include <QScreen>
#include <QStringList>
#include <QSysInfo>
#include <QVersionNumber>

#include <cstdlib>

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
  const QVersionNumber v = QVersionNumber::fromString(QSysInfo::kernelVersion());
  switch (selector) {
    case 0:
      return v.majorVersion();
    case 1:
      return v.minorVersion();
    case 3:
      return v.microVersion();
    default:
      return 0;
  }
}

}  // namespace zyn
