#pragma once
// Power notifications and the end-of-session query as events and answers. The system's sleep and
// battery notices arrive over D-Bus (logind and UPower) where a system bus is present; without one
// nothing fails and only the session's end is watched.

#include <QObject>

#include <cstdint>
#include <functional>

namespace zyn {

// The codes of the power broadcast.
enum : int {
  PBT_APMQUERYSUSPEND = 0,
  PBT_APMQUERYSTANDBY = 1,
  PBT_APMQUERYSUSPENDFAILED = 2,
  PBT_APMQUERYSTANDBYFAILED = 3,
  PBT_APMSUSPEND = 4,
  PBT_APMSTANDBY = 5,
  PBT_APMRESUMECRITICAL = 6,
  PBT_APMRESUMESUSPEND = 7,
  PBT_APMRESUMESTANDBY = 8,
  PBT_APMBATTERYLOW = 9,
  PBT_APMPOWERSTATUSCHANGE = 10,
  PBT_APMOEMEVENT = 11
};
constexpr std::intptr_t BROADCAST_QUERY_DENY = 0x424D5144;

struct TPowerStatus {
  std::uint8_t ACLineStatus = 255;  // 0 off line, 1 on line, 255 unknown
  std::uint8_t BatteryFlag = 255;   // 1 high, 2 low, 4 critical, 8 charging, 128 no battery, 255 unknown
  std::uint8_t BatteryLifePercent = 255;
  std::uint32_t BatteryLifeTime = 0xFFFFFFFF;      // seconds
  std::uint32_t BatteryFullLifeTime = 0xFFFFFFFF;  // seconds
};

class TPwrSave : public QObject {
  Q_OBJECT
 public:
  explicit TPwrSave(QObject* parent = nullptr);
  ~TPwrSave() override;

  bool AllowSuspend = false;
  bool AllowStandby = false;
  bool AllowEndSession = false;

  using TQueryEvent = std::function<void(QObject* sender, bool& allow)>;
  using TPowerEvent = std::function<void(QObject* sender)>;
  TQueryEvent OnQuerySuspend, OnQueryStandby, OnQueryEndSession;
  TPowerEvent OnBatteryLow, OnQuerySuspendFailed, OnQueryStandbyFailed, OnSuspend, OnStandby, OnResumeCritical,
      OnResumeSuspend, OnResumeStandby;
  std::function<void(QObject*, std::uint8_t acLine, std::uint8_t batteryFlag, std::uint8_t lifePercent,
                     std::uint32_t lifeTime, std::uint32_t fullLifeTime)>
      OnPowerStatusChange;
  std::function<void(QObject*, std::intptr_t code)> OnOemEvent;

  // One power broadcast: the answer (1 allowed, BROADCAST_QUERY_DENY refused; 1 for notices).
  // status is the present power status for code 10 (nullptr when it cannot be read).
  std::intptr_t PowerBroadcast(int code, std::intptr_t data, bool mayAskUser, const TPowerStatus* status = nullptr);
  // The end-of-session query: false refuses the end of the session.
  bool QueryEndSession();
  // True while the system bus delivers sleep and battery notices.
  bool WatchesSystemBus() const { return fSystemBus; }

 private slots:
  void PrepareForSleep(bool start);
  void UPowerChanged();

 private:
  bool fSystemBus = false;
  int fLastWarning = 0;
};

}  // namespace zyn
