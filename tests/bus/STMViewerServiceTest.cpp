// The timers and flags of a control module read and written against the simulator on a
// pseudo-terminal.
#include "bus/STMViewerService.h"

#include "tests/bus/SimFixture.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class STMViewerServiceTest : public SimFixture {};

TEST_F(STMViewerServiceTest, AnUnreadableTimerIsNeitherListedNorWritten) {
  {
    auto lock = sim.Lock();
    auto& timers = sim.ControlModule(1).Timers;
    timers.assign(3, {});
    timers[0] = {0, 0, 0x1F, 6, 30, 0x1F, 22, 0, 0};
    timers[1] = {0xFF, 0, 0, 0, 0, 0, 0, 0, 0};  // answers as "no such timer"
    timers[2] = {2, 0, 0x60, 9, 15, 0x60, 18, 45, 0};
  }
  TSTMTimerTable table;
  std::vector<std::string> log;
  const auto numbers = table.ReadAll(comm, 1, log);
  EXPECT_EQ(numbers, (std::vector<int>{0, 2}));
  EXPECT_EQ(log, (std::vector<std::string>{"Timer 000 erforlgreich ausgelesen", "Fehler beim Auslesen von Timer 001",
                                           "Timer 002 erforlgreich ausgelesen"}));
  EXPECT_EQ(TSTMTimerTable::SwitchTime(table.Record(2), true), "09:15");
  EXPECT_EQ(TSTMTimerTable::SwitchTime(table.Record(2), false), "18:45");
  EXPECT_EQ(TSTMTimerTable::DayMask(table.Record(2), false), 0x60);

  TSTMTimerTable::SetEdge(table.Record(2), true, 0x7F, "7:5");
  ClearReceived();
  log.clear();
  EXPECT_TRUE(table.WriteAll(comm, 1, numbers, log));
  EXPECT_EQ(log.size(), 2u);
  size_t writes = 0;
  for (const auto& t : Received())
    if (t[2] == 0x16) ++writes;
  EXPECT_EQ(writes, 2u);
  auto lock = sim.Lock();
  const auto& timers = sim.ControlModule(1).Timers;
  EXPECT_EQ(timers[2], (std::array<uint8_t, 9>{2, 0, 0x7F, 7, 5, 0x60, 18, 45, 0}));
  EXPECT_EQ(timers[1][0], 0xFF);
}

TEST(STMTimerEdit, SwitchTimeTexts) {
  struct Case {
    const char* text;
    int hour, minute;
  } cases[] = {{"7:5", 7, 5}, {"12", 6, 30}, {"ab:45", 6, 45}, {"23:xx", 23, 30}, {" 8:09", 8, 9}, {"30:70", 6, 30}};
  for (const auto& c : cases) {
    TTimerRecord r{0, 0, 0, 6, 30, 0, 0, 0, 0};
    TSTMTimerTable::SetEdge(r, true, 0x15, c.text);
    EXPECT_EQ(r[2], 0x15) << c.text;
    EXPECT_EQ(r[3] * 100 + r[4], c.hour * 100 + c.minute) << c.text;
  }
}

TEST_F(STMViewerServiceTest, FlagsAreReadWithABufferThatHoldsTheAnswer) {
  {
    auto lock = sim.Lock();
    auto& flags = sim.ControlModule(0).Flags;
    flags.fill(1);
    flags[9] = 0;
    flags[1023] = 255;
  }
  comm.SetP_RecBuffSize(1024);
  std::array<uint8_t, 1024> flags{};
  ASSERT_TRUE(ReadSTMFlags(comm, flags));
  EXPECT_GE(comm.P_RecBuffSize(), 1030);
  EXPECT_STREQ(FlagText(flags[9]), "EIN");
  EXPECT_STREQ(FlagText(flags[8]), "AUS");
  EXPECT_STREQ(FlagText(flags[1023]), "AUS");
  EXPECT_EQ(FlagHeader(9 / 8), "$01");
  EXPECT_EQ(FlagHeader(127), "$7F");

  // The viewer follows changes.
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Flags[9] = 1;
  }
  ASSERT_TRUE(ReadSTMFlags(comm, flags));
  EXPECT_STREQ(FlagText(flags[9]), "AUS");
}

}  // namespace
}  // namespace zyn
