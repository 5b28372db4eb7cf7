// The listing read-back and write-back, the erase operations and the control-module information
// over a pseudo-terminal against the simulator.

#include "bus/MemoryErase.h"
#include "bus/ProgramListing.h"
#include "bus/StmInfo.h"
#include "bus/ZYNComm.h"
#include "compiler/ImageCrc.h"
#include "model/base/Errors.h"
#include "tests/support/Files.h"
#include "tools/zynsim/core/SimPort.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn::test {
namespace {

class ServiceRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.DevicePath = port.OpenPty();
    settings.MaxTimeout = 200;
    settings.MaxRepeat = 1;
    settings.MinPause = 0;
    port.Start();
    comm.SetCloseDelay(0);
  }
  template <typename F>
  void Sim(F&& f) {
    auto lock = sim.Lock();
    f(sim);
  }
  std::vector<std::vector<uint8_t>> Received() {
    auto lock = sim.Lock();
    return sim.Received();
  }
  // An image: its header's length, checksum and end address, contents behind them.
  static std::vector<uint8_t> Image(uint32_t length) {
    std::vector<uint8_t> image(kProgramAreaSize, 0xFF);
    for (uint32_t i = 8; i < length; ++i) image[i] = static_cast<uint8_t>(i * 7);
    image[0] = static_cast<uint8_t>(length >> 8), image[1] = static_cast<uint8_t>(length);
    const uint16_t crc = ImageCrc16(image.data(), length + 1);
    image[2] = static_cast<uint8_t>(crc >> 8), image[3] = static_cast<uint8_t>(crc);
    image[6] = static_cast<uint8_t>((0x4000 + length) >> 8), image[7] = static_cast<uint8_t>(length);
    return image;
  }

  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  TBusSerialSettings settings;
  TZYNComm comm;
  TempFolder folder{"listing"};
};

TEST_F(ServiceRuns, ReadGivesTheWholeProgramAreaAndZerosWhereABlockIsLost) {
  Sim([](sim::TSTMSimulator& s) {
    for (size_t i = 0x4000; i < 0xC000; ++i) s.ControlModule(1).Memory[i] = static_cast<uint8_t>(i % 251 + 1);
  });
  TListingRun listing(comm, settings);
  std::vector<uint8_t> program;
  ASSERT_EQ(listing.Read(1, program), TListingResult::Done);
  Sim([&](sim::TSTMSimulator& s) {
    EXPECT_TRUE(std::equal(program.begin(), program.end(), s.ControlModule(1).Memory.begin() + 0x4000));
    // The third block is never answered.
    s.Faults().After = 3;
    s.Faults().Silent = 2;
  });
  EXPECT_EQ(listing.Read(1, program), TListingResult::Incomplete);
  EXPECT_EQ(program[2 * 256], 0);
  EXPECT_EQ(program[3 * 256 - 1], 0);
  EXPECT_EQ(program[3 * 256], static_cast<uint8_t>((0x4000 + 3 * 256) % 251 + 1));  // the read went on
  EXPECT_FALSE(comm.Active());

  Sim([](sim::TSTMSimulator& s) { s.ControlModule(2).Present = false; });
  EXPECT_EQ(listing.Read(2, program), TListingResult::NoModule);
  EXPECT_NE(ListingResultText(TListingResult::NoModule).find("angesprochen"), std::string::npos);
}

TEST_F(ServiceRuns, WriteBackWritesTheImagesOwnLengthVerifiesAndSwitchesOnByFirmware) {
  const std::vector<uint8_t> image = Image(3000);
  Sim([](sim::TSTMSimulator& s) {
    s.ControlModule(0).Version = {'2', '0'};
    s.ControlModule(0).Memory[0x4000 + 3001] = 0x33;  // beyond the image: left alone
  });
  TListingRun listing(comm, settings);
  ASSERT_EQ(listing.WriteBack(0, image), TListingResult::Done);
  Sim([&](sim::TSTMSimulator& s) {
    const auto& m = s.ControlModule(0);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 3001, m.Memory.begin() + 0x4000));
    EXPECT_EQ(m.Memory[0x4000 + 3001], 0x33);
    EXPECT_EQ(m.Restarts, 1);
    EXPECT_EQ(m.PowerOnReleases, 1);
  });
  std::vector<uint8_t> heads;
  for (const auto& t : Received()) heads.push_back(t[2]);
  EXPECT_EQ(std::count(heads.begin(), heads.end(), 0x01), (3001 + 15) / 16);
  EXPECT_EQ(std::count(heads.begin(), heads.end(), 0xFC), 1);  // second generation: restart
  EXPECT_EQ(std::count(heads.begin(), heads.end(), 0xFE), 0);
}

TEST_F(ServiceRuns, WriteBackRefusesWhatIsNoImageAndKeepsABadlyWrittenModuleStopped) {
  TListingRun listing(comm, settings);
  std::vector<uint8_t> erased(kProgramAreaSize, 0xFF);  // the listing of an empty module
  EXPECT_EQ(listing.WriteBack(0, erased), TListingResult::InvalidImage);
  std::vector<uint8_t> damaged = Image(500);
  damaged[1] ^= 0x10;  // a length that does not end where the header says
  EXPECT_EQ(listing.WriteBack(0, damaged), TListingResult::InvalidImage);
  EXPECT_TRUE(Received().empty());

  const std::vector<uint8_t> image = Image(500);
  Sim([&](sim::TSTMSimulator& s) { s.ControlModule(0).StuckCells[0x4000 + 77] = static_cast<uint8_t>(~image[77]); });
  EXPECT_EQ(listing.WriteBack(0, image), TListingResult::VerifyFailed);
  Sim([](sim::TSTMSimulator& s) {
    EXPECT_EQ(s.ControlModule(0).Restarts, 0);
    EXPECT_FALSE(s.ControlModule(0).Running);
    EXPECT_EQ(s.ControlModule(0).PowerOnReleases, 0);
  });
}

TEST_F(ServiceRuns, ProgramFilesLoadTheirFirstImageAndKeepTheRestOfAShortOne) {
  std::vector<uint8_t> two = Image(200);
  const std::vector<uint8_t> second = Image(300);
  two.insert(two.end(), second.begin(), second.end());
  ASSERT_TRUE(WriteWholeFile(folder.File("zwei.prg"), std::string(two.begin(), two.end())));
  std::vector<uint8_t> program;
  LoadProgramFile(folder.File("zwei.prg"), program);
  EXPECT_EQ(program, Image(200));

  ASSERT_TRUE(WriteWholeFile(folder.File("kurz.prg"), std::string(10, 'A')));
  LoadProgramFile(folder.File("kurz.prg"), program);
  EXPECT_EQ(program[9], 'A');
  EXPECT_EQ(program[10], Image(200)[10]);
  EXPECT_THROW(LoadProgramFile(folder.File("fehlt.prg"), program), EReadError);

  SaveProgramFile(folder.File("neu.prg"), program);
  EXPECT_EQ(FileBytes(folder.File("neu.prg")), program);
}

TEST_F(ServiceRuns, EraseOnlyTheSelectedModulesThatAnswer) {
  Sim([](sim::TSTMSimulator& s) {
    for (int m = 0; m < 4; ++m) s.ControlModule(m).Memory[0x5000] = 0x12;
    s.ControlModule(2).Present = false;
  });
  std::vector<std::string> steps;
  auto onStep = [&](const std::string& text, int) {
    if (!text.empty()) steps.push_back(text);
  };
  TEraseResult none = EraseControlModules(comm, settings, {false, false, false, false}, onStep);
  EXPECT_EQ(none.Erased, (std::array<bool, 4>{}));
  for (const auto& t : Received()) EXPECT_EQ(t[2], 0x05);  // nothing but the probes
  EXPECT_FALSE(comm.Active());

  TEraseResult r = EraseControlModules(comm, settings, {true, false, true, true}, onStep);
  EXPECT_EQ(r.Erased, (std::array<bool, 4>{true, false, false, true}));
  Sim([](sim::TSTMSimulator& s) {
    EXPECT_EQ(s.ControlModule(0).Memory[0x5000], 0xFF);
    EXPECT_EQ(s.ControlModule(1).Memory[0x5000], 0x12);
    EXPECT_EQ(s.ControlModule(3).Memory[0x5000], 0xFF);
    EXPECT_FALSE(s.ControlModule(3).Running);  // left stopped
  });
  EXPECT_EQ(steps.back(), "Speicher von STM.03 l\xF6schen");
}

TEST_F(ServiceRuns, DisplayEraseTwiceUsesTheOpenPort) {
  Sim([](sim::TSTMSimulator& s) { s.Display(0).Memory[0x8000] = 0; });
  EXPECT_TRUE(EraseDisplayMemory(comm, settings));
  EXPECT_TRUE(comm.Active());
  EXPECT_TRUE(EraseDisplayMemory(comm, settings));
  Sim([](sim::TSTMSimulator& s) { EXPECT_EQ(s.Display(0).Memory[0x8000], 0xFF); });
  for (const auto& t : Received()) EXPECT_EQ(t[1], 0x07);
  Sim([](sim::TSTMSimulator& s) { s.Display(0).Present = false; });
  EXPECT_FALSE(EraseDisplayMemory(comm, settings, 30));
  comm.CloseLink();
}

TEST_F(ServiceRuns, InformationShowsTheBlockAndTheProjectId) {
  TProjektInfo info;
  info.ProjektName = "Anlage";
  info.SetStamp(2026, 12, 10, 23, 30, 5);
  info.Ausfuehrung = "Elektro Muster";
  info.Planung = "Planer";
  info.ProgramTitle = "ZYN 2.8";
  info.ImageLength = 0x0BB8;
  info.ImageChecksum = 0xA1B2;
  const std::string guid = "{12345678-1234-1234-1234-123456789ABC}";
  Sim([&](sim::TSTMSimulator& s) {
    auto& m = s.ControlModule(3).Memory;
    const auto block = info.ToBlock();
    std::copy(block.begin(), block.end(), m.begin() + 0xBD00);
    m[0x4022] = 0x50, m[0x4023] = 0x00;
    std::copy(guid.begin(), guid.end(), m.begin() + 0x5000);
  });
  TStmInfoValues v;
  ASSERT_EQ(ReadStmInfo(comm, settings, 3, v), TStmInfoResult::Done);
  EXPECT_EQ(v.Values, (std::array<std::string, 9>{"Anlage", "10.12.2026", "23:30:05", "Elektro Muster", "Planer",
                                                  "ZYN 2.8", "$A1B2", "$0BB8", guid}));
  EXPECT_FALSE(comm.Active());
  Sim([](sim::TSTMSimulator& s) {
    s.ControlModule(3).Memory[0x4022] = 0xFF, s.ControlModule(3).Memory[0x4023] = 0xFF;
  });
  ASSERT_EQ(ReadStmInfo(comm, settings, 3, v), TStmInfoResult::Done);
  EXPECT_EQ(v.Values[0], "Anlage");
  EXPECT_EQ(v.Values[8], "");
  Sim([](sim::TSTMSimulator& s) { s.ControlModule(3).Present = false; });
  settings.MaxTimeout = 30;
  EXPECT_EQ(ReadStmInfo(comm, settings, 3, v), TStmInfoResult::NoModule);
  EXPECT_EQ(v.Values[0], "");
}

}  // namespace
}  // namespace zyn::test
