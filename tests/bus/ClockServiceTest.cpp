// Clock setting, control-module search, the clock test and state telegrams against the
// simulator on a pseudo-terminal.
#include "bus/ClockService.h"

#include "tests/bus/SimFixture.h"
#include "tools/zynsim/core/SimFrameCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace zyn {
namespace {

class ClockServiceTest : public SimFixture {
 protected:
  sim::TSimControlModule Module(int n) {
    auto lock = sim.Lock();
    return sim.ControlModule(n);
  }
};

TEST(ClockDates, ImpossibleDatesAndTimesAreRefused) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {{"31.02.26", false}, {"29.02.24", true},   {"29.02.2100", false}, {"00.01.26", false},
               {"10.13.26", false}, {"10.12.2026", true}, {"1.2.", false},       {"aa.bb.cc", false}};
  for (const auto& c : cases) EXPECT_EQ(ParseClockDate(c.text).has_value(), c.valid) << c.text;
  TZYNDateTime dt;
  EXPECT_TRUE(ParseClockTime("07:05:09", dt));
  EXPECT_EQ(dt.Hour * 10000 + dt.Minute * 100 + dt.Second, 70509);
  EXPECT_FALSE(ParseClockTime("24:00:00", dt));
  EXPECT_FALSE(ParseClockTime("12:60", dt));
  EXPECT_EQ(dt.Hour, 7);
}

TEST(ClockDates, EdgeStartIsOneMinuteBeforeTheEdge) {
  const TZYNDateTime day{2024, 3, 1, 15, 42, 17};
  struct Case {
    const char* edge;
    TZYNDateTime expected;
  } cases[] = {
      {"00:00", {2024, 2, 29, 23, 59, 0}}, {"12:30", {2024, 3, 1, 12, 29, 0}}, {"07:00", {2024, 3, 1, 6, 59, 0}}};
  for (const auto& c : cases) {
    const auto t = ClockEdgeStart(day, c.edge);
    ASSERT_TRUE(t) << c.edge;
    EXPECT_EQ(FormatClockDate(*t) + " " + FormatClockTime(*t),
              FormatClockDate(c.expected) + " " + FormatClockTime(c.expected))
        << c.edge;
  }
  EXPECT_FALSE(ClockEdgeStart(day, "25:00"));
  const auto newYear = ClockEdgeStart(TZYNDateTime{2027, 1, 1, 0, 0, 0}, "00:00");
  EXPECT_EQ(FormatClockDate(*newYear), "31.12.26");
  EXPECT_EQ(MillisecondsToFullMinute(20), 40100);
  EXPECT_EQ(MillisecondsToFullMinute(0), 60100);
}

TEST_F(ClockServiceTest, SettingTheClockGivesTheChosenModulesThePcTime) {
  comm.CloseLink();
  const TZYNDateTime now = LocalDateTime(std::chrono::system_clock::now());
  const auto done = SetModuleClocks(comm, {false, true, false, true}, now);
  EXPECT_EQ(done, (std::array<bool, 4>{false, true, false, true}));
  for (int n : {1, 3}) {
    const auto m = Module(n);
    EXPECT_EQ(m.Hour, now.Hour);
    EXPECT_EQ(m.Minute, now.Minute);
    EXPECT_EQ(m.Day, now.Day);
    EXPECT_EQ(m.Month, now.Month);
    EXPECT_EQ(m.Year, now.Year - 2000);
  }
  // A module that was not chosen keeps its clock.
  EXPECT_EQ(Module(0).Hour, 12);
  EXPECT_EQ(Module(0).Day, 10);
}

TEST_F(ClockServiceTest, AnImpossibleDateIsNeverSent) {
  comm.CloseLink();
  ClearReceived();
  const auto done = SetModuleClocks(comm, {true, true, true, true}, TZYNDateTime{2026, 2, 31, 10, 0, 0});
  EXPECT_EQ(done, (std::array<bool, 4>{}));
  EXPECT_EQ(Sends(), 0u);
  EXPECT_EQ(Module(0).Day, 10);
}

TEST_F(ClockServiceTest, SetFailsForAModuleThatStopsAnswering) {
  comm.CloseLink();
  comm.SetP_RecTimeout(kShortTimeout);
  {
    auto lock = sim.Lock();
    sim.ControlModule(2).Present = false;
  }
  const auto done = SetModuleClocks(comm, {true, false, true, false}, TZYNDateTime{2026, 6, 1, 8, 15, 0});
  EXPECT_EQ(done, (std::array<bool, 4>{true, false, false, false}));
  EXPECT_EQ(Module(0).Hour, 8);
}

TEST_F(ClockServiceTest, SearchFindsTheAnsweringModulesAndRestoresTheSettings) {
  comm.CloseLink();
  {
    auto lock = sim.Lock();
    sim.ControlModule(1).Present = false;
    sim.ControlModule(3).Present = false;
  }
  std::vector<int> probed;
  comm.OnSTMSearch = [&](int a) { probed.push_back(a); };
  EXPECT_EQ(SearchControlModules(comm), (std::array<bool, 4>{true, false, true, false}));
  EXPECT_EQ(probed, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(comm.P_RecTimeout(), kTimeout);
  EXPECT_EQ(comm.P_SendRepeat(), kRepeats);
  EXPECT_FALSE(comm.Active());
}

TEST_F(ClockServiceTest, ClockTestSetsEachEdgeAndStopsOnAbort) {
  const TZYNDateTime today{2026, 12, 10, 9, 0, 0};
  const TClockTestClock clock{"Flur", "06:30", "00:00"};
  struct Case {
    TClockEdges edges;
    int stopAfter;  // waits before the abort (0: none)
    int waits;
    int hour, minute, day;
  } cases[] = {{TClockEdges::Both, 0, 2, 23, 59, 9},
               {TClockEdges::On, 0, 1, 6, 29, 10},
               {TClockEdges::Off, 0, 1, 23, 59, 9},
               {TClockEdges::Both, 1, 1, 6, 29, 10}};
  for (const auto& c : cases) {
    int waits = 0;
    std::vector<std::string> log;
    TClockTestRun run(
        comm, [&] { return ++waits != c.stopAfter; }, [&](const std::string& l) { log.push_back(l); });
    EXPECT_EQ(run.TestClock(clock, c.edges, today), c.stopAfter == 0);
    EXPECT_EQ(waits, c.waits);
    EXPECT_EQ(run.Failures(), 0);
    const auto m = Module(0);
    EXPECT_EQ(m.Hour * 10000 + m.Minute * 100 + m.Day, c.hour * 10000 + c.minute * 100 + c.day);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), c.edges == TClockEdges::Off ? "Flur : Ausschalten" : "Flur : Einschalten");
  }
}

TEST_F(ClockServiceTest, StateTelegramsReachTheListenerWhileThePortIsOpen) {
  std::mutex mutex;
  std::vector<TStateTelegram> seen;
  comm.SetT_GetAll(true);
  comm.OnBlock = [&](const uint8_t* b, int n) {
    if (auto t = DecodeStateTelegram(b, n)) {
      std::lock_guard<std::mutex> g(mutex);
      seen.push_back(*t);
    }
  };
  port.WriteRaw(sim::EncodeFrame({0x01, sim.PCAddress(), 0x20, 0x00, 0x45, 0x80, 0x05, 0x00, 0x03}));
  port.WriteRaw(sim::EncodeFrame({0x01, sim.PCAddress(), 0x12, 0x09}));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    {
      std::lock_guard<std::mutex> g(mutex);
      if (!seen.empty() || std::chrono::steady_clock::now() > deadline) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // An ordinary exchange afterwards still gets its own answer.
  EXPECT_TRUE(comm.GetModuleStatus());
  comm.OnBlock = nullptr;
  std::lock_guard<std::mutex> g(mutex);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Sender, 0x01);
  EXPECT_EQ(seen[0].ModuleKey, 0x45);
  EXPECT_EQ(seen[0].Outputs, 0x8005);
  EXPECT_EQ(seen[0].Inputs, 0x0003);
  const uint8_t shortFrame[] = {0x01, 0xFE, 0x20, 0x00};
  EXPECT_FALSE(DecodeStateTelegram(shortFrame, 4));
}

}  // namespace
}  // namespace zyn
