// Every operation of the command set over a real pseudo-terminal against the simulator: the
// telegram bytes that go out, the judgement of the answers, block transfers and their
// numbering, and the failures that must never look like success.

#include "SimFixture.h"
#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <numeric>
#include <random>
#include <thread>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

class CommandSetTest : public SimFixture {
 protected:
  // Runs f on the simulator's control module n under its lock.
  template <typename F>
  auto Module(int n, F&& f) {
    auto lock = sim.Lock();
    return f(sim.ControlModule(n));
  }

  static Bytes Image(size_t size, unsigned seed) {
    Bytes image(size);
    std::mt19937 random(seed);
    for (auto& b : image) b = static_cast<uint8_t>(random());
    // Make sure the flag and escape bytes are in it.
    image[0] = 0xC0, image[1] = 0xC1, image[2] = 0x7D;
    return image;
  }

  // Sequence bytes of the memory telegrams (command c) the simulator received.
  std::vector<int> Sequences(uint8_t command) {
    std::vector<int> result;
    for (const auto& t : Received())
      if (t[2] == command) result.push_back(t[3]);
    return result;
  }
};

// The telegrams each operation puts on the line, in order (receiver 0 unless stated).
TEST_F(CommandSetTest, ExactTelegramsOfTheOperations) {
  using Op = std::function<bool(TZYNComm&)>;
  struct Case {
    const char* name;
    Op op;
    std::vector<Bytes> telegrams;
  };
  Module(0, [](auto& m) { m.Modules[0x25] = {}; });
  uint8_t flags[1024];
  TTimerRecord timer{};
  const uint8_t raw[] = {0x20, 0x01};
  const Case cases[] = {
      {"status", [](TZYNComm& c) { return c.GetModuleStatus(); }, {{0xFE, 0, 0x05, 0x00}}},
      {"probe 1", [](TZYNComm& c) { return c.ProbeModule(1); }, {{0xFE, 1, 0x05, 0x00}}},
      {"date", [](TZYNComm& c) { return !c.ReadModuleDate().empty(); }, {{0xFE, 0, 0x05}}},
      {"time", [](TZYNComm& c) { return !c.ReadModuleTime().empty(); }, {{0xFE, 0, 0x05}}},
      {"firmware of 3", [](TZYNComm& c) { return c.ReadModuleFirmwareVersion(3) == "V1.78"; }, {{0xFE, 3, 0x05}}},
      {"stop", [](TZYNComm& c) { return c.EnterServiceMode(); }, {{0xFE, 0, 0xFF, 0x00}}},
      {"leave", [](TZYNComm& c) { return c.LeaveServiceMode(); }, {{0xFE, 0, 0xFE, 0x00}}},
      {"restart", [](TZYNComm& c) { return c.RestartModule(); }, {{0xFE, 0, 0xFC, 0x00}}},
      {"erase", [](TZYNComm& c) { return c.EraseProgramMemory(); }, {{0xFE, 0, 0xFF, 0x00}, {0xFE, 0, 0x0F, 0x00}}},
      {"query", [](TZYNComm& c) { return c.IsModulePresent(0x25); }, {{0xFE, 0, 0x06, 0x00, 0x25, 0x01, 0x01}}},
      {"flags", [&](TZYNComm& c) { return c.SetP_RecBuffSize(2048), c.ReadFlags(flags); }, {{0xFE, 0, 0x09, 0x00}}},
      {"timer count",
       [](TZYNComm& c) { return c.ReadTimerCount(0) == 16; },
       {{0xFE, 0, 0x05, 0x00}, {0xFE, 0, 0x15, 0x00, 0x00, 0x00}}},
      {"timer", [&](TZYNComm& c) { return c.ReadTimer(timer, 2); }, {{0xFE, 0, 0x05, 0x00}, {0xFE, 0, 0x15, 0x00, 2}}},
      {"text",
       [](TZYNComm& c) { return c.WriteModuleText("ABCDEFGHIJKLMNOPQ", false); },
       {{0xFE, 0, 0x17, 0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q'}}},
      {"raw", [&](TZYNComm& c) { return c.SendRawTelegram(raw, sizeof raw); }, {{0xFE, 0, 0x20, 0x01}}},
      {"clock chip", [](TZYNComm& c) { return c.TestClockChip(); }, {{0xFE, 0, 0x10, 0x00}}},
      {"parallel eeprom",
       [](TZYNComm& c) { return c.TestParallelEeprom(); },
       {{0xFE, 0, 0xFF, 0x00}, {0xFE, 0, 0x0D, 0x00}}},
      {"parallel erased", [](TZYNComm& c) { return c.TestParallelEepromErased(); }, {{0xFE, 0, 0x0E, 0x00}}},
      {"serial eeprom",
       [](TZYNComm& c) { return c.TestSerialEeprom(); },
       {{0xFE, 0, 0xFF, 0x00}, {0xFE, 0, 0x0A, 0x00}}},
      {"serial erased", [](TZYNComm& c) { return c.TestSerialEepromErased(); }, {{0xFE, 0, 0x0B, 0x00}}},
      {"reset line",
       [](TZYNComm& c) { return c.StartResetLineTest(); },
       {{0xFE, 0, 0xFF, 0x00}, {0xFE, 0, 0x11, 0x00}}},
      {"reset end", [](TZYNComm& c) { return c.WaitForResetTestEnd(); }, {{0xFE, 0, 0x05, 0x00}}},
      {"read 300",
       [](TZYNComm& c) {
         Bytes b(300);
         return c.ReadModuleMemory(b.data(), 0x8000, 300);
       },
       {{0xFE, 0, 0x02, 0, 0x80, 0x00, 0x01, 0x00}, {0xFE, 0, 0x02, 1, 0x81, 0x00, 0x00, 44}}},
      {"erase display", [](TZYNComm& c) { return c.SetA_Steuermodul(7), c.EraseDisplay(); }, {{0xFE, 7, 0x02, 0x00}}},
      {"end display", [](TZYNComm& c) { return c.EndDisplayProgramming(); }, {{0xFE, 7, 0x04, 0x00}}},
      {"power-on release",
       [](TZYNComm& c) { return c.SetA_Steuermodul(0), c.SendPowerOnRelease(); },
       {{0xFE, 0, 0xFD, 0x00}}},
  };
  for (const Case& c : cases) {
    ClearReceived();
    EXPECT_TRUE(c.op(comm)) << c.name;
    EXPECT_EQ(Received(), c.telegrams) << c.name;
  }
}

TEST_F(CommandSetTest, FirmwareVersionAndNumber) {
  struct Case {
    uint8_t hi, lo;
    const char* text;
    int number;
  };
  const Case cases[] = {{'7', '8', "V1.78", 78},
                        {'2', '0', "V2.20", 220},
                        {'5', '1', "V1.51", 51},
                        {'5', '0', "V2.50", 250},
                        {'x', '1', "", 0}};
  for (const Case& c : cases) {
    Module(0, [&](auto& m) { m.Version = {c.hi, c.lo}; });
    EXPECT_EQ(comm.ReadFirmwareVersion(), c.text);
    EXPECT_EQ(comm.GetFirmwareNumber(), c.number);
  }
  EXPECT_EQ(Received().front(), (Bytes{0xFE, 0x00, 0x05}));
}

TEST_F(CommandSetTest, DateAndTimeOfTheModule) {
  Module(0, [](auto& m) { m.Hour = 7, m.Minute = 5, m.Weekday = 1, m.Day = 3, m.Month = 4, m.Year = 9; });
  EXPECT_EQ(comm.ReadModuleTime(), " 7:05");
  EXPECT_EQ(comm.ReadModuleDate(), "Mo  3.04.09");
  // A weekday index out of range gives no name, never a read beyond the names.
  Module(0, [](auto& m) { m.Weekday = 200; });
  EXPECT_EQ(comm.ReadModuleDate(), "  3.04.09");
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  EXPECT_EQ(comm.ReadModuleDate(), "");
  EXPECT_EQ(comm.ReadModuleTime(), "");
}

TEST_F(CommandSetTest, SetModuleDateTime) {
  EXPECT_TRUE(comm.SetModuleDateTime({1999, 12, 31, 23, 59, 30}));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x04, 0x17, 0x3B, 0x05, 0x1F, 0x0C, 0x63}));
  EXPECT_TRUE(comm.SetModuleDateTime({2026, 12, 10, 8, 0, 0}));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x04, 8, 0, 4, 10, 12, 26}));  // a Thursday
  Module(0, [](auto& m) {
    EXPECT_EQ(m.Year, 26);
    EXPECT_EQ(m.Weekday, 4);
  });
}

TEST_F(CommandSetTest, DateTheModuleCannotHoldIsNotSent) {
  for (const TZYNDateTime& dt : {TZYNDateTime{2026, 0, 1}, TZYNDateTime{2026, 13, 1}, TZYNDateTime{2026, 1, 0},
                                 TZYNDateTime{1899, 1, 1}, TZYNDateTime{2026, 1, 1, 24}}) {
    EXPECT_FALSE(comm.SetModuleDateTime(dt)) << dt.Year << "-" << dt.Month << "-" << dt.Day << " " << dt.Hour;
  }
  EXPECT_EQ(Sends(), 0u);
}

TEST_F(CommandSetTest, ServiceModeRestartAndPowerOnRelease) {
  EXPECT_TRUE(comm.EnterServiceMode());
  EXPECT_FALSE(Module(0, [](auto& m) { return m.Running; }));
  EXPECT_TRUE(comm.LeaveServiceMode());
  EXPECT_TRUE(comm.RestartModule());
  EXPECT_TRUE(comm.SendPowerOnRelease());
  const auto r = Received();
  ASSERT_GE(r.size(), 3u);
  EXPECT_EQ(r[0], (Bytes{0xFE, 0x00, 0xFF, 0x00}));
  EXPECT_EQ(r[1], (Bytes{0xFE, 0x00, 0xFE, 0x00}));
  EXPECT_EQ(r[2], (Bytes{0xFE, 0x00, 0xFC, 0x00}));
  EXPECT_TRUE(comm.Active());
  // A refusing module does not stop.
  SetFault([](sim::TSimFaults& f) { f.Status = 1; });
  EXPECT_FALSE(comm.EnterServiceMode());
}

TEST_F(CommandSetTest, EraseProgramMemory) {
  Module(0, [](auto& m) { m.Memory[0x5000] = 0x12; });
  EXPECT_TRUE(comm.EraseProgramMemory());
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x0F, 0x00}));
  EXPECT_EQ(Module(0, [](auto& m) { return m.Memory[0x5000]; }), 0xFF);
  EXPECT_EQ(comm.CurrentTimeout(), kTimeout);  // set back after the long command
  // No erase without the stop.
  ClearReceived();
  SetFault([](sim::TSimFaults& f) { f.Status = 1; });
  EXPECT_FALSE(comm.EraseProgramMemory());
  EXPECT_EQ(Sends(), 1u);
}

TEST_F(CommandSetTest, DisplayPanelErasedWrittenAndFinished) {
  comm.SetA_Steuermodul(7);  // display 0
  EXPECT_TRUE(comm.EraseDisplay());
  const Bytes screen = Image(600, 3);
  EXPECT_TRUE(comm.WriteModuleMemory(screen.data(), 0x0000, static_cast<uint32_t>(screen.size()), 1));
  EXPECT_TRUE(comm.EndDisplayProgramming());
  auto lock = sim.Lock();
  EXPECT_TRUE(sim.Display(0).Finished);
  EXPECT_TRUE(std::equal(screen.begin(), screen.end(), sim.Display(0).Memory.begin()));
}

TEST_F(CommandSetTest, BusModuleQueriesAndStates) {
  Module(0, [](auto& m) {
    m.Modules[0x21].SetOutputs(0x0305);
    m.Modules[0x21].Info = 0x44;
    m.Modules[0x02].SetInputs(0xA00F);
    m.Modules[0x03].Present = false;
  });
  EXPECT_TRUE(comm.IsModulePresent(0x21));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x06, 0x00, 0x21, 0x01, 0x01}));
  uint8_t info = 0;
  EXPECT_TRUE(comm.QueryModule(0x21, info));
  EXPECT_EQ(info, 0x44);
  EXPECT_EQ(comm.ReadModuleState(true, 0x21, -1), 0x0305);
  EXPECT_EQ(comm.ReadModuleState(false, 0x21, -1), 0x0305);  // judged on the last answer
  EXPECT_EQ(comm.ReadModuleInputs(0x02, -1), 0xA00F);
  EXPECT_FALSE(comm.IsModulePresent(0x03));
  EXPECT_FALSE(comm.IsModulePresent(0x07));
  EXPECT_EQ(comm.ReadModuleState(true, 0x03, -7), -7);
  EXPECT_EQ(comm.ReadModuleInputs(0x03, -7), -7);
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  EXPECT_EQ(comm.ReadModuleState(true, 0x21, -9), -9);
}

TEST_F(CommandSetTest, DimmerCurveIn17Telegrams) {
  Module(0, [](auto& m) { m.Modules[0x40] = {}; });
  Bytes curve(272);
  std::iota(curve.begin(), curve.end(), 0);
  std::vector<int> positions;
  comm.V_UseComponents = true;
  comm.OnProgress = [&](const TZYNCommProgress& p) { positions.push_back(p.Position); };
  EXPECT_TRUE(comm.WriteDimmerCurve(0x40, 7, curve.data()));
  const auto r = Received();
  ASSERT_EQ(r.size(), 17u);
  EXPECT_EQ(Bytes(r[16].begin(), r[16].begin() + 8), (Bytes{0xFE, 0x00, 0x06, 16, 0x40, 0x12, 2, 16}));
  EXPECT_EQ(positions.back(), 17);
  Module(0, [&](auto& m) { EXPECT_EQ(m.Modules[0x40].Curves[7], curve); });
  // A module that is missing stops the load at the first telegram.
  ClearReceived();
  EXPECT_FALSE(comm.WriteDimmerCurve(0x41, 7, curve.data()));
  EXPECT_EQ(Sends(), 1u);
}

TEST_F(CommandSetTest, FlagsNeedALargeReceiveBuffer) {
  Module(0, [](auto& m) {
    for (size_t i = 0; i < m.Flags.size(); ++i) m.Flags[i] = static_cast<uint8_t>(i % 3 == 0 ? 0xC0 : i);
  });
  uint8_t flags[1024];
  std::vector<std::string> messages;
  comm.OnMessage = [&](const std::string& m) { messages.push_back(m); };
  // With the default 1024 bytes the answer does not fit: failure, and the overflow is reported.
  EXPECT_FALSE(comm.ReadFlags(flags));
  EXPECT_EQ(flags[3], 0);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], Ansi("Überlauf!"));
  comm.SetP_RecBuffSize(2048);
  EXPECT_TRUE(comm.ReadFlags(flags));
  Module(0, [&](auto& m) { EXPECT_EQ(std::memcmp(flags, m.Flags.data(), 1024), 0); });
}

TEST_F(CommandSetTest, TimersAreCountedWrittenAndRead) {
  EXPECT_EQ(comm.ReadTimerCount(0), 16);
  const TTimerRecord record{5, 0xAA, 1, 2, 3, 4, 5, 6, 0xBB};
  EXPECT_TRUE(comm.WriteTimer(0, record));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x16, 0x00, 5, 1, 2, 3, 4, 5, 6}));
  TTimerRecord back{};
  EXPECT_TRUE(comm.ReadTimer(back, 5));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x15, 0x00, 5}));
  EXPECT_EQ(back, (TTimerRecord{5, 0, 1, 2, 3, 4, 5, 6, 0}));  // bytes 1 and 8 are not sent
  EXPECT_FALSE(comm.ReadTimer(back, 40));                      // no such timer
  EXPECT_FALSE(comm.WriteTimer(0, TTimerRecord{40}));
  EXPECT_EQ(comm.ReadTimerCount(3 + 4), 0);  // nobody at station 7 answers a probe with 05
}

TEST_F(CommandSetTest, ModuleTextIsPaddedToSixteenPositions) {
  EXPECT_TRUE(comm.WriteModuleText(" ZORV ZYN V\xFF", true));
  const auto r = Received();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0][2], 0xFF);
  EXPECT_EQ(r[2][2], 0xFE);
  // 12 characters with character 255 (four positions): one blank added.
  EXPECT_EQ(Module(0, [](auto& m) { return m.Text; }), std::string(" ZORV ZYN V\xFF "));
  EXPECT_TRUE(comm.WriteModuleText("Halle", false));
  EXPECT_EQ(Module(0, [](auto& m) { return m.Text; }), std::string("Halle") + std::string(11, ' '));
  EXPECT_EQ(Received().size(), 4u);
}

TEST_F(CommandSetTest, SpecialCharacters) {
  const uint8_t pattern[8] = {0x0E, 0x11, 0x7D, 0xC0, 0xC1, 0x11, 0x0E, 0x00};
  EXPECT_TRUE(comm.WriteSpecialCharacter(3, pattern, 8));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x19, 0x00, 3, 0x0E, 0x11, 0x7D, 0xC0, 0xC1, 0x11, 0x0E, 0x00}));
  Module(0, [&](auto& m) { EXPECT_EQ(m.Characters[3], Bytes(pattern, pattern + 8)); });
  EXPECT_FALSE(comm.WriteSpecialCharacter(9, pattern, 8));
}

TEST_F(CommandSetTest, ModuleTests) {
  EXPECT_TRUE(comm.TestClockChip());
  EXPECT_TRUE(comm.TestParallelEeprom());
  EXPECT_TRUE(comm.TestParallelEepromErased());
  EXPECT_TRUE(comm.TestSerialEeprom());
  EXPECT_TRUE(comm.TestSerialEepromErased());
  EXPECT_TRUE(comm.StartResetLineTest());
  EXPECT_TRUE(comm.WaitForResetTestEnd());
  std::vector<int> commands;
  for (const auto& t : Received()) commands.push_back(t[2]);
  EXPECT_EQ(commands, (std::vector<int>{0x10, 0xFF, 0x0D, 0x0E, 0xFF, 0x0A, 0x0B, 0xFF, 0x11, 0x05}));
  EXPECT_EQ(comm.P_SendRepeat(), kRepeats);
  EXPECT_EQ(comm.CurrentTimeout(), kTimeout);
}

// The memory checks report what the memory holds: zeros after the chip test, not after an
// erase, and never after a chip that failed its test.
TEST_F(CommandSetTest, MemoryChecksReportTheContent) {
  struct Case {
    const char* name;
    bool parallelBroken, serialBroken;
    bool eraseBetween;  // the program memory erased between test and check
    bool parallel, parallelZero, serial, serialZero;
  };
  const Case cases[] = {
      {"sound chips", false, false, false, true, true, true, true},
      {"erased after the test", false, false, true, true, false, true, true},
      {"broken parallel EEPROM", true, false, false, false, false, true, true},
      {"broken serial EEPROM", false, true, false, true, true, false, false},
  };
  for (const Case& c : cases) {
    Module(0, [&](auto& m) {
      m.ParallelEepromBroken = c.parallelBroken;
      m.SerialEepromBroken = c.serialBroken;
    });
    EXPECT_EQ(comm.TestParallelEeprom(), c.parallel) << c.name;
    if (c.eraseBetween) EXPECT_TRUE(comm.EraseProgramMemory()) << c.name;
    EXPECT_EQ(comm.TestParallelEepromErased(), c.parallelZero) << c.name;
    EXPECT_EQ(comm.TestSerialEeprom(), c.serial) << c.name;
    EXPECT_EQ(comm.TestSerialEepromErased(), c.serialZero) << c.name;
  }
}

TEST_F(CommandSetTest, RawTelegram) {
  const uint8_t bytes[] = {0x06, 0x00, 0x21, 0x01, 0xFF};
  EXPECT_TRUE(comm.SendRawTelegram(bytes, sizeof bytes));
  EXPECT_EQ(Received().back(), (Bytes{0xFE, 0x00, 0x06, 0x00, 0x21, 0x01, 0xFF}));
}

TEST_F(CommandSetTest, WholeImageWrittenInBlocksAndReadBackIdentical) {
  const Bytes image = Image(0x8000, 1);
  ASSERT_TRUE(comm.EnterServiceMode());
  ClearReceived();
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 0x8000, 1));
  EXPECT_EQ(Sends(), 2048u);
  EXPECT_EQ(comm.NextSequence(), 2049);
  Module(0, [&](auto& m) { EXPECT_TRUE(std::equal(image.begin(), image.end(), m.Memory.begin() + 0x4000)); });
  ClearReceived();
  Bytes back(0x8000, 0);
  EXPECT_TRUE(comm.ReadModuleMemory(back.data(), 0x4000, 0x8000));
  EXPECT_EQ(back, image);
  // 128 telegrams numbered 0 to 127, no remainder telegram.
  std::vector<int> expected(128);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(Sequences(0x02), expected);
  EXPECT_EQ(Received()[1], (Bytes{0xFE, 0x00, 0x02, 0x01, 0x41, 0x00, 0x01, 0x00}));
}

TEST_F(CommandSetTest, BlockNumberingContinuesIntoTheProjectInformation) {
  ASSERT_TRUE(comm.EnterServiceMode());
  ClearReceived();
  const Bytes image = Image(3000, 2);
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 3000, 1));
  auto seq = Sequences(0x01);
  ASSERT_EQ(seq.size(), 188u);
  EXPECT_EQ(seq.front(), 1);
  EXPECT_EQ(seq.back(), 188);
  EXPECT_EQ(Received().back().size(), 4u + 2 + 8);  // the remainder block of 8 bytes
  ClearReceived();
  EXPECT_TRUE(comm.WriteProjectInfo(TProjektInfo{}.ToBlock()));
  EXPECT_EQ(Sequences(0x01), (std::vector<int>{189, 190, 191, 192, 193, 194, 195, 196, 197}));
  EXPECT_EQ(Received().front(),
            (Bytes{0xFE, 0x00, 0x01, 189, 0xBD, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(CommandSetTest, SequenceByteWrapsAfter255) {
  ASSERT_TRUE(comm.EnterServiceMode());
  ClearReceived();
  const Bytes image = Image(31000, 4);
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 31000, 1));
  const auto seq = Sequences(0x01);
  ASSERT_EQ(seq.size(), 1938u);
  EXPECT_EQ(seq[255], 0);
  EXPECT_EQ(seq.back(), 146);
  EXPECT_EQ(comm.NextSequence(), 1939);
}

TEST_F(CommandSetTest, ReadsOutsideTheProgramMemoryAreRefusedWithoutATelegram) {
  uint8_t buffer[16];
  EXPECT_FALSE(comm.ReadModuleMemory(buffer, 0x3FFF, 16));
  Bytes big(0x8001);
  EXPECT_FALSE(comm.ReadModuleMemory(big.data(), 0x4000, 0x8001));
  EXPECT_FALSE(comm.ReadModuleMemory(big.data(), 0xF000, 0x2000));
  EXPECT_FALSE(comm.ReadModuleMemory(buffer, 0xFFFFFFF8u, 16));  // the end would wrap around
  EXPECT_FALSE(comm.WriteModuleMemory(buffer, 0xFFFFFFF8u, 16, 1));
  EXPECT_FALSE(comm.WriteModuleMemory(buffer, 0xFFF8, 16, 1));
  EXPECT_EQ(Sends(), 0u);
}

TEST_F(CommandSetTest, MissingOrRefusedBlockFailsTheWholeTransfer) {
  ASSERT_TRUE(comm.EnterServiceMode());
  const Bytes image = Image(1000, 5);
  struct Case {
    const char* name;
    void (*apply)(sim::TSimFaults&);
  };
  const Case cases[] = {
      {"missing", [](sim::TSimFaults& f) { f.Silent = -1; }},
      {"refused", [](sim::TSimFaults& f) { f.Status = -1; }},
      {"truncated", [](sim::TSimFaults& f) { f.Truncate = -1; }},
  };
  comm.SetP_RecTimeout(kShortTimeout);
  for (const Case& c : cases) {
    {
      auto lock = sim.Lock();
      sim.Faults() = {};
      sim.Faults().After = 10;
      c.apply(sim.Faults());
      sim.ClearReceived();
    }
    EXPECT_FALSE(comm.WriteModuleMemory(image.data(), 0x4000, 1000, 1)) << c.name;
    // No block after the one that failed.
    EXPECT_EQ(Sends(), 11u) << c.name;
    {
      auto lock = sim.Lock();
      sim.Faults() = {};
      sim.Faults().After = 1;
      c.apply(sim.Faults());
    }
    Bytes back(1000, 0x55);
    EXPECT_FALSE(comm.ReadModuleMemory(back.data(), 0x4000, 1000)) << c.name;
  }
}

TEST_F(CommandSetTest, WriteToARunningModuleIsRefused) {
  const Bytes image = Image(64, 6);
  EXPECT_FALSE(comm.WriteModuleMemory(image.data(), 0x4000, 64, 1));
  EXPECT_EQ(Sends(), 1u);
}

TEST_F(CommandSetTest, ConfirmedCancelStopsABlockTransfer) {
  ASSERT_TRUE(comm.EnterServiceMode());
  ClearReceived();
  const Bytes image = Image(1600, 7);
  int blocks = 0, last = 0;
  comm.V_UseComponents = true;
  comm.OnProgress = [&](const TZYNCommProgress& p) {
    if (p.Position > last && ++blocks == 3) comm.SetCancel(true);
    last = p.Position;
  };
  bool asked = false;
  comm.OnCancel = [&](bool& can) { asked = true, can = true; };
  EXPECT_FALSE(comm.WriteModuleMemory(image.data(), 0x4000, 1600, 1));
  EXPECT_TRUE(asked);
  EXPECT_EQ(Sends(), 3u);
  EXPECT_EQ(comm.E_TransError(), errCancel);
  // A refused cancel goes on.
  ClearReceived();
  blocks = 0, last = 0;
  comm.OnCancel = [&](bool& can) { can = false; };
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 1600, 1));
  EXPECT_EQ(Sends(), 100u);
}

TEST_F(CommandSetTest, ProgressOfAWrite) {
  ASSERT_TRUE(comm.EnterServiceMode());
  std::vector<TZYNCommProgress> seen;
  comm.V_UseComponents = true;
  comm.OnProgress = [&](const TZYNCommProgress& p) { seen.push_back(p); };
  const Bytes image = Image(40, 8);
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 40, 1));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().Action, "Steuermodul beschreiben");
  EXPECT_EQ(seen.front().Percent, " 0.0 %");
  EXPECT_EQ(seen.front().Max, 39);
  bool sawAddress = false, sawFull = false;
  for (const auto& p : seen) {
    sawAddress |= p.Address == "$4010";
    sawFull |= p.Percent == "100.0 %";
  }
  EXPECT_TRUE(sawAddress);
  EXPECT_TRUE(sawFull);
  EXPECT_EQ(seen.back().Action, "");  // cleared at the end
}

TEST_F(CommandSetTest, MemoryWordAndImageGuid) {
  const std::string guid = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
  Module(1, [&](auto& m) {
    m.Memory[0x4022] = 0x60, m.Memory[0x4023] = 0x00;
    std::copy(guid.begin(), guid.end(), m.Memory.begin() + 0x6000);
  });
  uint16_t word = 0;
  EXPECT_TRUE(comm.ReadMemoryWordAt(1, 0x4022, word));
  EXPECT_EQ(word, 0x6000);
  EXPECT_EQ(comm.A_Steuermodul(), 0);
  comm.SetA_Steuermodul(1);
  EXPECT_EQ(comm.ReadImageGuid(), guid);
  comm.SetA_Steuermodul(0);
  EXPECT_EQ(comm.ReadImageGuid(), "");  // 0xFFFF: no project
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  word = 0x1234;
  EXPECT_FALSE(comm.ReadMemoryWord(0x4022, word));
  EXPECT_EQ(word, 0x1234);
}

TEST_F(CommandSetTest, ProjectInformationRoundTrip) {
  TProjektInfo info;
  info.ProjektName = Ansi("Wohnhaus Müller");
  info.SetStamp(2026, 12, 10, 14, 5, 9);
  info.Ausfuehrung = "Elektro Schmidt GmbH";
  info.Planung = Ansi("Büro Weiß");
  info.ProgramTitle = "ZORV ZYN Systemsoftware 2.8";
  info.ImageLength = 0x1234;
  info.ImageChecksum = 0xBEEF;
  ASSERT_TRUE(comm.EnterServiceMode());
  EXPECT_TRUE(comm.WriteProjectInfo(info.ToBlock()));
  // The bytes in the module, field by field.
  Bytes mem = Module(0, [](auto& m) { return Bytes(m.Memory.begin() + 0xBD00, m.Memory.begin() + 0xBD00 + 138); });
  EXPECT_EQ(mem[0], 15);
  EXPECT_EQ(std::string(mem.begin() + 1, mem.begin() + 16), info.ProjektName);
  EXPECT_EQ(mem[21], 10);
  EXPECT_EQ(std::string(mem.begin() + 22, mem.begin() + 32), "10.12.2026");
  EXPECT_EQ(mem[32], 8);
  EXPECT_EQ(std::string(mem.begin() + 33, mem.begin() + 41), "14:05:09");
  EXPECT_EQ(mem[41], 20);
  EXPECT_EQ(mem[72], 9);
  EXPECT_EQ(mem[103], 27);
  EXPECT_EQ((Bytes{mem[134], mem[135], mem[136], mem[137]}), (Bytes{0x34, 0x12, 0xEF, 0xBE}));
  TProjektInfoBlock block{};
  EXPECT_TRUE(comm.ReadProjectInfo(block));
  EXPECT_EQ(TProjektInfo::FromBlock(block), info);
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  EXPECT_FALSE(comm.ReadProjectInfo(block));
}

TEST_F(CommandSetTest, ProductionDataAtItsAddress) {
  ASSERT_TRUE(comm.EnterServiceMode());
  TProductionRecord record;
  record.fill(0x31);
  EXPECT_TRUE(comm.WriteProductionData(record));
  EXPECT_EQ(record[68], 0x31);
  EXPECT_EQ(record[69], 0xFF);
  EXPECT_EQ(record[79], 0xFF);
  Module(0, [&](auto& m) { EXPECT_TRUE(std::equal(record.begin(), record.end(), m.Memory.begin() + 0xBEA0)); });
  EXPECT_EQ(Sequences(0x01).front(), 1);
}

// Each operation on a freshly opened link with a short time-out: every one fails, none takes
// longer than its sends.
TEST_F(CommandSetTest, OperationsOnAModuleThatStaysSilentFail) {
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  constexpr uint16_t kShort = 60;
  uint8_t buffer[1024] = {};
  TTimerRecord record{};
  TProductionRecord production{};
  const Bytes image(64, 1);
  const Bytes curve(272);
  uint8_t info = 0;
  struct Case {
    const char* name;
    std::function<bool()> op;
    int exchanges;  // at most, one send each
  };
  const Case cases[] = {
      {"status", [&] { return comm.GetModuleStatus(); }, 1},
      {"stop", [&] { return comm.EnterServiceMode(); }, 1},
      {"leave", [&] { return comm.LeaveServiceMode(); }, 1},
      {"restart", [&] { return comm.RestartModule(); }, 1},
      {"clock",
       [&] {
         return comm.SetModuleDateTime({2026, 1, 1, 0, 0, 0});
       },
       1},
      {"erase", [&] { return comm.EraseProgramMemory(); }, 1},
      {"erase display", [&] { return comm.EraseDisplay(); }, 1},
      {"end display", [&] { return comm.EndDisplayProgramming(); }, 1},
      {"query", [&] { return comm.QueryModule(0x20, info); }, 1},
      {"dimmer curve", [&] { return comm.WriteDimmerCurve(0x20, 6, curve.data()); }, 1},
      {"flags", [&] { return comm.ReadFlags(buffer); }, 1},
      {"timer", [&] { return comm.ReadTimer(record, 0); }, 1},
      {"write timer", [&] { return comm.WriteTimer(0, record); }, 1},
      {"text", [&] { return comm.WriteModuleText("x", false); }, 1},
      {"character", [&] { return comm.WriteSpecialCharacter(0, buffer, 8); }, 1},
      {"clock chip", [&] { return comm.TestClockChip(); }, 1},
      {"write", [&] { return comm.WriteModuleMemory(image.data(), 0x4000, 64, 1); }, 1},
      {"read", [&] { return comm.ReadModuleMemory(buffer, 0x4000, 64); }, 1},
      {"production data", [&] { return comm.WriteProductionData(production); }, 1},
      {"firmware number", [&] { return comm.GetFirmwareNumber() != 0; }, 1},
  };
  for (const Case& c : cases) {
    comm.CloseLink();
    comm.OpenLink();
    comm.SetP_RecTimeout(kShort);
    comm.SetP_SendRepeat(0);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(c.op()) << c.name;
    // The flags answer takes about 1.1 s at 19200 baud: the wait extends to it.
    const auto bound = std::chrono::milliseconds(c.exchanges * (std::string(c.name) == "flags" ? 1200 : kShort) + 250);
    EXPECT_LT(std::chrono::steady_clock::now() - started, bound) << c.name;
    EXPECT_EQ(comm.E_TransError(), errTimeout) << c.name;
  }
}

}  // namespace
}  // namespace zyn
