// The self test with the backup and restore of the program against the simulator on a
// pseudo-terminal, and the backup file.
#include "bus/SelfTestRun.h"

#include "bus/ClockService.h"
#include "model/base/Cp1252.h"

#include "tests/bus/SimFixture.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace zyn {
namespace {

class SelfTestRunTest : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    comm.SetA_Steuermodul(0);
  }

  // A transferred program of `length` bytes (its length in the first word) and an information
  // block, the rest of the program memory erased.
  void LoadProgram(uint16_t lengthWord, size_t length) {
    auto lock = sim.Lock();
    auto& mem = sim.ControlModule(0).Memory;
    std::fill(mem.begin() + 0x4000, mem.end(), 0xFF);
    std::mt19937 random(7);
    for (size_t i = 0; i < length; ++i) mem[0x4000 + i] = static_cast<uint8_t>(random());
    mem[0x4000] = static_cast<uint8_t>(lengthWord >> 8);
    mem[0x4001] = static_cast<uint8_t>(lengthWord & 0xFF);
    for (size_t i = 0; i < 138; ++i) mem[0xBD00 + i] = static_cast<uint8_t>(i * 3 + 1);
  }
  std::vector<uint8_t> Memory() {
    auto lock = sim.Lock();
    return sim.ControlModule(0).Memory;
  }
  bool SawCommand(uint8_t command) {
    for (const auto& t : Received())
      if (t.size() > 2 && t[2] == command) return true;
    return false;
  }

  TSelfTestSession Session() {
    TSelfTestSession s;
    s.ProgramTag = " ZORV ZYN V\xFF";
    s.RestoreText = " ZORV ZYN V\xFF";
    s.BackupPath = folder.File("stm0.bak");
    return s;
  }

  test::TempFolder folder{"selftest"};
  std::vector<std::string> log;
};

TEST_F(SelfTestRunTest, BackupAndRestoreLeaveTheMemoryByteIdentical) {
  LoadProgram(0x0A31, 0x0A31);
  const std::vector<uint8_t> before = Memory();
  const TSelfTestReport report = RunSelfTestWithBackup(comm, log, {}, Session());
  EXPECT_TRUE(report.Started);
  EXPECT_TRUE(report.Passed);
  EXPECT_TRUE(report.BackupMade);
  EXPECT_TRUE(report.Restored) << report.Message;
  const std::vector<uint8_t> after = Memory();
  // Everything but the production record the test writes at 0xBEA0.
  EXPECT_TRUE(std::equal(before.begin() + 0x4000, before.begin() + 0xBEA0, after.begin() + 0x4000));
  EXPECT_TRUE(std::equal(before.begin() + 0xBEF0, before.end(), after.begin() + 0xBEF0));
  EXPECT_EQ(after[0xBEA0 + 68], 1);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Test Steuermodul Adresse $00 ohne Fehler beendet");
  // The test set the clock to 31.12.1999 23:59; it is the PC's time again, and the log says so.
  EXPECT_TRUE(report.ClockRestored);
  EXPECT_EQ(log.back().rfind(Ansi("Die Uhr des Steuermoduls wurde auf die Zeit des PCs gestellt"), 0), 0u) << log.back();
  {
    const TZYNDateTime pc = LocalDateTime(std::chrono::system_clock::now());
    auto lock = sim.Lock();
    const auto& m = sim.ControlModule(0);
    EXPECT_EQ(m.Year, pc.Year - 2000);
    EXPECT_LE(std::abs((pc.Hour * 60 + pc.Minute) - (m.Hour * 60 + m.Minute)), 1);
  }
  // The backup file holds the same program.
  TSelfTestBackup file;
  EXPECT_EQ(file.LoadFromFile(folder.File("stm0.bak")), "");
  EXPECT_EQ(file.Length, 0x0A31);
  EXPECT_TRUE(std::equal(file.Image.begin(), file.Image.end(), before.begin() + 0x4000));
  EXPECT_TRUE(std::equal(file.Info.begin(), file.Info.end(), before.begin() + 0xBD00));
  auto lock = sim.Lock();
  EXPECT_EQ(sim.ControlModule(0).Text, " ZORV ZYN V\xFF ");  // padded to 16 positions
  EXPECT_TRUE(sim.ControlModule(0).Running);
}

TEST_F(SelfTestRunTest, RestoreSwitchesOnAsTheFirmwareAsks) {
  struct Case {
    char version;
    uint8_t command;
  } cases[] = {{'8', 0xFE}, {'9', 0xFC}};
  for (const auto& c : cases) {
    LoadProgram(0x0040, 0x0040);
    {
      auto lock = sim.Lock();
      sim.ControlModule(0).Version = {'7', static_cast<uint8_t>(c.version)};
    }
    TSelfTestBackup backup;
    ASSERT_EQ(BackupProgram(comm, backup), TBackupResult::Ok);
    ClearReceived();
    EXPECT_TRUE(RestoreProgram(comm, backup, " ZORV ZYN V\xFF"));
    const auto sent = Received();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back()[2], c.command) << "firmware 7" << c.version;
  }
}

TEST_F(SelfTestRunTest, ALengthBeyondTheProgramAreaIsRefusedBeforeTheTest) {
  LoadProgram(0x8001, 0x100);
  const std::vector<uint8_t> before = Memory();
  ClearReceived();
  const TSelfTestReport report = RunSelfTestWithBackup(comm, log, {}, Session());
  EXPECT_FALSE(report.Started);
  EXPECT_NE(report.Message.find("32768"), std::string::npos);
  EXPECT_FALSE(SawCommand(0x0D));
  EXPECT_FALSE(SawCommand(0x0F));
  EXPECT_EQ(Memory(), before);
}

TEST_F(SelfTestRunTest, WithoutProgramTheTestRunsAndNothingIsWrittenBack) {
  {
    auto lock = sim.Lock();
    auto& mem = sim.ControlModule(0).Memory;
    std::fill(mem.begin() + 0x4000, mem.end(), 0xFF);
  }
  const TSelfTestReport report = RunSelfTestWithBackup(comm, log, {}, Session());
  EXPECT_TRUE(report.Started);
  EXPECT_FALSE(report.BackupMade);
  EXPECT_EQ(report.Message, "");
  for (const auto& t : Received())
    EXPECT_FALSE(t.size() > 4 && t[2] == 0x01 && t[4] == 0x40) << "program block written";
}

TEST_F(SelfTestRunTest, ABrokenParallelEepromEndsTheLogButTheBackupIsRestored) {
  LoadProgram(0x0100, 0x0100);
  const std::vector<uint8_t> before = Memory();
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).ParallelEepromBroken = true;
  }
  const TSelfTestReport report = RunSelfTestWithBackup(comm, log, {}, Session());
  EXPECT_TRUE(report.Started);
  EXPECT_FALSE(report.Passed);
  EXPECT_TRUE(report.Restored);
  ASSERT_GE(log.size(), 2u);
  // The test log ends after the failed step; the clock line follows it.
  EXPECT_EQ(log[log.size() - 2], "Teste parallelels EEProm                         FEHLER");
  EXPECT_EQ(log[log.size() - 2].find("FEHLER"), 49u);
  EXPECT_TRUE(report.ClockRestored);
  const std::vector<uint8_t> after = Memory();
  EXPECT_TRUE(std::equal(before.begin() + 0x4000, before.begin() + 0x4100, after.begin() + 0x4000));
  EXPECT_TRUE(std::equal(before.begin() + 0xBD00, before.begin() + 0xBD8A, after.begin() + 0xBD00));
}

TEST_F(SelfTestRunTest, ASilentModuleIsNotTouched) {
  comm.SetP_RecTimeout(kShortTimeout);
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Present = false;
  }
  const TSelfTestReport report = RunSelfTestWithBackup(comm, log, {}, Session());
  EXPECT_FALSE(report.Started);
  EXPECT_EQ(report.Message, "Das Steuermodul konnte nicht angesprochen werden!");
  EXPECT_TRUE(log.empty());
}

TEST(SelfTestBackupFile, FilesThatClaimTooMuchOrAreDamagedAreRefused) {
  test::TempFolder folder{"backupfile"};
  TSelfTestBackup b;
  b.Length = 4;
  b.Image = {1, 2, 3, 4};
  b.HasInfo = true;
  b.Info[0] = 9;
  const std::string path = folder.File("ok.bak");
  ASSERT_EQ(b.SaveToFile(path), "");
  TSelfTestBackup read;
  ASSERT_EQ(read.LoadFromFile(path), "");
  EXPECT_EQ(read.Image, b.Image);
  EXPECT_EQ(read.Info, b.Info);

  std::string bytes = test::ReadWholeFile(path);
  std::string tooLong = bytes;
  tooLong[9] = '\x80', tooLong[10] = '\x01';
  tooLong.insert(11, std::string(0x8001 - 4, '\0'));
  ASSERT_TRUE(test::WriteWholeFile(folder.File("long.bak"), tooLong));
  TSelfTestBackup refused = b;
  const std::string message = refused.LoadFromFile(folder.File("long.bak"));
  EXPECT_NE(message.find("32769"), std::string::npos) << message;
  EXPECT_NE(message.find("long.bak"), std::string::npos);
  EXPECT_EQ(refused.Image, b.Image) << "a refused file changes nothing";

  ASSERT_TRUE(test::WriteWholeFile(folder.File("cut.bak"), bytes.substr(0, bytes.size() - 5)));
  EXPECT_NE(read.LoadFromFile(folder.File("cut.bak")).find("besch"), std::string::npos);
  ASSERT_TRUE(test::WriteWholeFile(folder.File("other.bak"), "PK\x03\x04 something else"));
  EXPECT_NE(read.LoadFromFile(folder.File("other.bak")), "");
  EXPECT_NE(read.LoadFromFile(folder.File("missing.bak")), "");

  // A restore never writes a backup that claims more than the program area.
  TSelfTestBackup big;
  big.Length = 0x8001;
  big.Image.assign(0x8001, 0);
  TZYNComm comm;
  EXPECT_FALSE(RestoreProgram(comm, big, ""));
}

TEST(SelfTestProductionRecord, CarriesTheTextsAndTheResult) {
  TSelfTestOptions o;
  o.Hersteller = "ZORV";
  o.SerienNummer = "12345678901234567";
  const auto r = BuildProductionRecord(o, TZYNDateTime{2026, 12, 11, 0, 5, 9}, true);
  EXPECT_EQ(r[0], 4);
  EXPECT_EQ(std::string(r.begin() + 1, r.begin() + 5), "ZORV");
  EXPECT_EQ(std::string(r.begin() + 21, r.begin() + 21 + r[20]), "11.12.2026 00:05:09");
  EXPECT_EQ(r[40], 13);  // cut to its field
  EXPECT_EQ(r[68], 1);
  EXPECT_EQ(r[79], 0xFF);
  EXPECT_EQ(BuildProductionRecord(o, {}, false)[68], 0);
}

}  // namespace
}  // namespace zyn
