#include "shell/PwrSave.h"

#include <QGuiApplication>
#include <QSessionManager>

#ifdef ZYN_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#endif

namespace zyn {

TPwrSave::TPwrSave(QObject* parent) : QObject(parent) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
      if (!QueryEndSession()) manager.cancel();
    });
  }
#ifdef ZYN_HAVE_QTDBUS
  QDBusConnection bus = QDBusConnection::systemBus();
  if (bus.isConnected()) {
    const bool sleep = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                   QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                                   this, SLOT(PrepareForSleep(bool)));
    const bool power = bus.connect(QStringLiteral("org.freedesktop.UPower"),
                                   QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice"),
                                   QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"), this, SLOT(UPowerChanged()));
    fSystemBus = sleep || power;
  }
#endif
}

TPwrSave::~TPwrSave() = default;

std::intptr_t TPwrSave::PowerBroadcast(int code, std::intptr_t data, bool mayAskUser, const TPowerStatus* status) {
  const auto ask = [&](const TQueryEvent& handler, bool fallback) {
    bool allow = fallback;
    if (mayAskUser && handler) {
      allow = false;
      handler(this, allow);
    }
    return allow ? std::intptr_t(1) : BROADCAST_QUERY_DENY;
  };
  const auto fire = [this](const TPowerEvent& e) {
    if (e) e(this);
  };
  switch (code) {
    case PBT_APMQUERYSUSPEND:
      return ask(OnQuerySuspend, AllowSuspend);
    case PBT_APMQUERYSTANDBY:
      return ask(OnQueryStandby, AllowStandby);
    case PBT_APMQUERYSUSPENDFAILED:
      fire(OnQuerySuspendFailed);
      break;
    case PBT_APMQUERYSTANDBYFAILED:
      fire(OnQueryStandbyFailed);
      break;
    case PBT_APMSUSPEND:
      fire(OnSuspend);
      break;
    case PBT_APMSTANDBY:
      fire(OnStandby);
      break;
    case PBT_APMRESUMECRITICAL:
      fire(OnResumeCritical);
      break;
    case PBT_APMRESUMESUSPEND:
      fire(OnResumeSuspend);
      break;
    case PBT_APMRESUMESTANDBY:
      fire(OnResumeStandby);
      break;
    case PBT_APMBATTERYLOW:
      fire(OnBatteryLow);
      break;
    case PBT_APMPOWERSTATUSCHANGE:
      if (OnPowerStatusChange && status)
        OnPowerStatusChange(this, status->ACLineStatus, status->BatteryFlag, status->BatteryLifePercent,
                            status->BatteryLifeTime, status->BatteryFullLifeTime);
      break;
    case PBT_APMOEMEVENT:
      if (OnOemEvent) OnOemEvent(this, data);
      break;
    default:
      break;
  }
  return 1;
}

bool TPwrSave::QueryEndSession() {
  bool allow = AllowEndSession;
  if (OnQueryEndSession) {
    allow = false;
    OnQueryEndSession(this, allow);
  }
  return allow;
}

void TPwrSave::PrepareForSleep(bool start) { PowerBroadcast(start ? PBT_APMSUSPEND : PBT_APMRESUMESUSPEND, 0, false); }

void TPwrSave::UPowerChanged() {
#ifdef ZYN_HAVE_QTDBUS
  QDBusInterface device(QStringLiteral("org.freedesktop.UPower"),
                        QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice"),
                        QStringLiteral("org.freedesktop.UPower.Device"), QDBusConnection::systemBus());
  if (!device.isValid()) return;
  TPowerStatus status;
  const double percent = device.property("Percentage").toDouble();
  const uint state = device.property("State").toUInt();  // 1 charging, 2 discharging, 4 fully charged
  const qlonglong toEmpty = device.property("TimeToEmpty").toLongLong();
  const uint warning = device.property("WarningLevel").toUInt();  // 3 low, 4 critical
  const bool present = device.property("IsPresent").toBool();
  status.ACLineStatus = state == 2 ? 0 : (state == 1 || state == 4) ? 1 : 255;
  status.BatteryLifePercent = present ? static_cast<std::uint8_t>(std::clamp(percent, 0.0, 100.0)) : 255;
  status.BatteryFlag = !present ? 128 : warning >= 4 ? 4 : warning == 3 ? 2 : state == 1 ? 8 : 1;
  status.BatteryLifeTime = toEmpty > 0 ? static_cast<std::uint32_t>(toEmpty) : 0xFFFFFFFF;
  PowerBroadcast(PBT_APMPOWERSTATUSCHANGE, 0, false, &status);
  if (warning >= 3 && fLastWarning < 3) PowerBroadcast(PBT_APMBATTERYLOW, 0, false);
  fLastWarning = static_cast<int>(warning);
#endif
}

}  // namespace zyn
