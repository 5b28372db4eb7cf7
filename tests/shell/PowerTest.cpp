// The power notices of the main window: the broadcast codes become events and answers.
#include "shell/PwrSave.h"
#include "tests/support/AppFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace zyn {
namespace {

TEST(PowerNotices, Broadcasts) {
  test::EnsureApp();
  TPwrSave power;
  EXPECT_FALSE(power.QueryEndSession());  // refused without a handler
  power.AllowSuspend = true;
  int asked = 0;
  power.OnQuerySuspend = [&](QObject*, bool& allow) {
    ++asked;
    EXPECT_FALSE(allow);
  };
  EXPECT_EQ(power.PowerBroadcast(PBT_APMQUERYSUSPEND, 0, true), BROADCAST_QUERY_DENY);
  EXPECT_EQ(power.PowerBroadcast(PBT_APMQUERYSUSPEND, 0, false), 1);  // not allowed to ask: AllowSuspend
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(power.PowerBroadcast(PBT_APMQUERYSTANDBY, 0, true), BROADCAST_QUERY_DENY);
  std::vector<int> events;
  power.OnBatteryLow = [&](QObject*) { events.push_back(9); };
  power.OnResumeSuspend = [&](QObject*) { events.push_back(7); };
  power.OnPowerStatusChange = [&](QObject*, std::uint8_t ac, std::uint8_t, std::uint8_t percent, std::uint32_t,
                                  std::uint32_t) { events.push_back(100 + ac + percent); };
  power.OnOemEvent = [&](QObject*, std::intptr_t code) { events.push_back(int(code)); };
  power.PowerBroadcast(PBT_APMBATTERYLOW, 0, false);
  power.PowerBroadcast(PBT_APMRESUMESUSPEND, 0, false);
  TPowerStatus status;
  status.ACLineStatus = 1;
  status.BatteryLifePercent = 40;
  power.PowerBroadcast(PBT_APMPOWERSTATUSCHANGE, 0, false, &status);
  power.PowerBroadcast(PBT_APMPOWERSTATUSCHANGE, 0, false, nullptr);  // unreadable status: no event
  power.PowerBroadcast(PBT_APMOEMEVENT, 4711, false);
  EXPECT_EQ(events, (std::vector<int>{9, 7, 141, 4711}));
  power.OnQueryEndSession = [](QObject*, bool& allow) { allow = true; };
  EXPECT_TRUE(power.QueryEndSession());
}

}  // namespace
}  // namespace zyn
