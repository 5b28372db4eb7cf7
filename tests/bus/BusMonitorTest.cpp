// The bus monitor on a real pseudo-terminal: spontaneous state telegrams, damaged frames and
// noise arrive while the link stays open; the lines, the filter and the saved text.

#include "bus/BusMonitor.h"

#include "SimFixture.h"
#include "bus/Fcs16.h"
#include "model/base/Cp1252.h"
#include "tests/support/Files.h"
#include "tools/zynsim/core/SimFrameCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

class BusMonitorTest : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    comm.CloseLink();  // the monitor opens it itself
  }
  // Takes telegrams until `states` state telegrams have arrived or a deadline passed.
  std::vector<TMonitorTelegram> Collect(TBusMonitor& monitor, int states) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    auto seen = [&] {
      int n = 0;
      for (const auto& t : got) n += t.Bytes.size() > 2 && t.Bytes[2] == 0x20;
      return n;
    };
    while (seen() < states && std::chrono::steady_clock::now() < deadline) {
      for (auto& t : monitor.Take()) got.push_back(std::move(t));
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return got;
  }
  std::vector<TMonitorTelegram> got;
};

TEST_F(BusMonitorTest, StateTelegramsDamagedFramesAndNoiseWhileTheLinkStaysOpen) {
  {
    auto lock = sim.Lock();
    auto& m = sim.ControlModule(0).Modules[0x22];
    m.SetOutputs(0x0005);
    m.State[2] = 0x80;
  }
  TBusMonitor monitor(comm);
  std::atomic<int> arrived{0};
  monitor.OnArrived = [&] { ++arrived; };
  std::string message;
  ASSERT_TRUE(monitor.Start(message)) << message;
  EXPECT_TRUE(monitor.Listening());
  Bytes state, bad, other;
  {
    auto lock = sim.Lock();
    state = sim.StateFrame(0, 0x22, 7);
  }
  const Bytes telegram{0x01, 0xFE, 0x12, 0x09, 0x33};
  bad = sim::EncodeFrameWithFcs(telegram, 0x1234);
  other = sim::EncodeFrame({0x00, 0x02, 0x05, 0x00});
  port.WriteRaw(state);
  port.WriteRaw(bad);
  // Noise: bytes without flags, a flag followed by garbage and a cut frame.
  port.WriteRaw({0x13, 0x55, 0xAA, 0x7D, 0xC1, 0x42, 0xC0, 0x01, 0x02, 0x03, 0xC0, 0x7D});
  port.WriteRaw(other);
  port.WriteRaw(state);
  const std::vector<TMonitorTelegram> t = Collect(monitor, 2);
  EXPECT_TRUE(comm.Active());
  ASSERT_GE(t.size(), 4u);
  auto tr = [](const std::string& s) { return s; };
  const TMonitorLine first = DescribeTelegram(t[0], 254, tr);
  EXPECT_EQ(first.Color, TMonitorColor::Black);
  EXPECT_EQ(first.Direction, "an PC");
  EXPECT_EQ(first.Station, "STM 0");
  EXPECT_EQ(first.Command, Ansi("Zustand Modul $22: Ausgänge $0005, Eingänge $8000"));
  EXPECT_EQ(first.Raw.substr(0, 27), "00 FE 20 07 22 00 05 80 00 ");
  const TMonitorLine crc = DescribeTelegram(t[1], 254, tr);
  EXPECT_EQ(crc.Color, TMonitorColor::Red);
  EXPECT_NE(crc.Raw.find(" :CRC=$"), std::string::npos);
  EXPECT_EQ(crc.Raw.substr(0, 15), "01 FE 12 09 33 ");
  // Whatever the noise produced, the telegram between other stations and the last state telegram
  // come through with their own state.
  const TMonitorLine last = DescribeTelegram(t.back(), 254, tr);
  EXPECT_EQ(last.Color, TMonitorColor::Black);
  EXPECT_EQ(last.Raw, first.Raw);
  bool sawOther = false;
  for (const auto& x : t) {
    const TMonitorLine l = DescribeTelegram(x, 254, tr);
    if (l.Direction == "Bus") {
      sawOther = true;
      EXPECT_EQ(l.Color, TMonitorColor::Blue);
      EXPECT_EQ(l.Station, "STM 0 > STM 2");
    }
  }
  EXPECT_TRUE(sawOther);
  EXPECT_GE(arrived.load(), 4);
  monitor.Stop();
  EXPECT_FALSE(comm.Active());
}

TEST_F(BusMonitorTest, FramesOfOneReadKeepTheirOwnState) {
  TBusMonitor monitor(comm);
  std::string message;
  ASSERT_TRUE(monitor.Start(message)) << message;
  // One write, so that the link reads the three frames at once and judges them before the
  // handler runs for the first.
  Bytes line = sim::EncodeFrame({0x00, 0xFE, 0x20, 0x01, 0x22, 0x00, 0x01, 0x00, 0x00});
  const Bytes other = sim::EncodeFrame({0x01, 0x03, 0x05, 0x00});
  const Bytes bad = sim::EncodeFrameWithFcs({0x02, 0xFE, 0x12, 0x01, 0x00}, 0x4321);
  line.insert(line.end(), other.begin(), other.end());
  line.insert(line.end(), bad.begin(), bad.end());
  port.WriteRaw(line);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (got.size() < 3 && std::chrono::steady_clock::now() < deadline) {
    for (auto& t : monitor.Take()) got.push_back(std::move(t));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].Error, errNone);
  EXPECT_EQ(got[1].Error, errToOther);
  EXPECT_EQ(got[1].ErrorCode, 0x03);
  EXPECT_EQ(got[2].Error, errCRC);
}

TEST_F(BusMonitorTest, APortThatCannotBeOpenedIsReported) {
  comm.SetP_DevicePath("/nonexistent/tty");
  TBusMonitor monitor(comm);
  std::string message;
  EXPECT_FALSE(monitor.Start(message));
  EXPECT_FALSE(message.empty());
  EXPECT_FALSE(monitor.Listening());
  EXPECT_FALSE(comm.Active());
}

TEST(BusMonitorLines, DescriptionFilterAndText) {
  TMonitorTelegram t;
  t.Bytes = {0x00, 0xFE, 0x05, 0x00, 0x0C, 0x00, 0x12, 0x34};
  const TMonitorLine good = DescribeTelegram(t, 254, nullptr);
  EXPECT_EQ(good.Raw, "00 FE 05 00 0C 00 12 34 ");
  EXPECT_EQ(good.Color, TMonitorColor::Black);
  EXPECT_EQ(good.Command, "Status ($05)");
  struct Case {
    TZYNCommError error;
    TMonitorColor color;
  } cases[] = {{errFromOther, TMonitorColor::Navy},
               {errToOther, TMonitorColor::Blue},
               {errTimeout, TMonitorColor::Maroon},
               {errCRC, TMonitorColor::Red}};
  for (const Case& c : cases) {
    t.Error = c.error;
    t.ErrorCode = 0xF0B8;
    EXPECT_EQ(DescribeTelegram(t, 254, nullptr).Color, c.color) << int(c.error);
  }
  EXPECT_EQ(DescribeTelegram(t, 254, nullptr).Raw, "00 FE 05 00 0C 00 12 34  :CRC=$F0B8");
  EXPECT_TRUE(MatchesFilter(good, ""));
  EXPECT_TRUE(MatchesFilter(good, "status stm"));
  EXPECT_TRUE(MatchesFilter(good, "fe 05"));
  EXPECT_FALSE(MatchesFilter(good, "status display"));

  test::TempFolder folder("monitor");
  const std::string file = folder.File("Telegramme ä.txt");
  std::string message;
  TMonitorLine umlaut = good;
  umlaut.Command = Ansi("Einschaltzustände freigeben ($FD)");
  ASSERT_TRUE(SaveMonitorText(file, {good, umlaut}, message)) << message;
  const std::string text = test::ReadWholeFile(file);
  EXPECT_EQ(text, "Zeit\tRichtung\tStation\tBefehl\tBytes\n" + good.Time +
                      "\tan PC\tSTM 0\tStatus ($05)\t00 FE 05 00 0C 00 12 34\n" + good.Time +
                      "\tan PC\tSTM 0\tEinschaltzustände freigeben ($FD)\t00 FE 05 00 0C 00 12 34\n");
  EXPECT_FALSE(SaveMonitorText(folder.File("fehlt/x.txt"), {good}, message));
  EXPECT_NE(message.find(Ansi("konnte nicht geschrieben werden")), std::string::npos);
}

}  // namespace
}  // namespace zyn
