// The serial port and the link over a real pseudo-terminal against the simulator: opening,
// closing, exclusivity, time-outs and repetitions, and every injected fault.

#include "SimFixture.h"
#include "bus/BusWait.h"
#include "bus/VaComm.h"
#include "tools/zynsim/core/SimFrameCodec.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <stdlib.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

// The master side of a new pseudo-terminal, -1 when none can be had.
int OpenPtyMaster() {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master >= 0 && (grantpt(master) != 0 || unlockpt(master) != 0)) {
    close(master);
    return -1;
  }
  return master;
}

TEST(VaComm, ComPortNumbersMapToLinuxDevices) {
  EXPECT_EQ(TVaComm::DevicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(TVaComm::DevicePath("COM2"), "/dev/ttyS1");
  EXPECT_EQ(TVaComm::DevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(TVaComm::DevicePath("COMX"), "COMX");
}

TEST(VaComm, OpeningAMissingDeviceNamesIt) {
  TVaComm port;
  port.SetDeviceName("/dev/zyn-no-such-port");
  try {
    port.Open();
    FAIL() << "opened";
  } catch (const EVaCommError& e) {
    EXPECT_STREQ(e.what(), "Specified device not found (/dev/zyn-no-such-port).");
  }
  EXPECT_FALSE(port.IsOpen());
}

TEST(VaComm, OpeningSomethingThatIsNoTerminalFails) {
  TVaComm port;
  port.SetDeviceName("/dev/null");
  EXPECT_THROW(port.Open(), EVaCommError);
  EXPECT_FALSE(port.IsOpen());
}

TEST(VaComm, WriteGivesUpAfterItsTimeLimitWhenNobodyReads) {
  // A pseudo-terminal whose other side never reads: its buffer fills up.
  const int master = OpenPtyMaster();
  ASSERT_GE(master, 0);
  TVaComm port;
  port.SetDeviceName(ptsname(master));
  port.SetBaudrate(19200);
  port.SetWriteTimeout(20);
  port.SetCloseDelay(0);
  port.Open();
  EXPECT_FALSE(port.SetRtsLine(true));  // no modem lines, no exception
  const std::vector<uint8_t> big(1 << 20, 0x55);
  EXPECT_EQ(port.WriteBuf(big.data(), big.size()), 0u);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.WriteBuf(big.data(), 10), 0u);  // closed
  close(master);
}

TEST(VaComm, LineThatGoesAwayIsReportedAndTheProgrammeGoesOn) {
  const int master = OpenPtyMaster();
  ASSERT_GE(master, 0);
  TVaComm port;
  port.SetDeviceName(ptsname(master));
  port.SetCloseDelay(0);
  std::promise<std::string> reported;
  std::atomic<bool> once{false};
  std::atomic<int> calls{0};
  port.OnLineLost = [&](const std::string& message) {
    ++calls;
    if (!once.exchange(true)) reported.set_value(message);
  };
  port.Open();
  close(master);  // hangs up the terminal as a pulled-out adapter does
  std::future<std::string> error = reported.get_future();
  // Reported within a second, once.
  ASSERT_EQ(error.wait_for(std::chrono::seconds(1)), std::future_status::ready);
  EXPECT_FALSE(error.get().empty());
  EXPECT_EQ(calls, 1);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SimFixture, ReceiveEventsRunOnThePortThread) {
  std::atomic<bool> otherThread{false};
  std::atomic<int> starts{0}, ends{0};
  const auto caller = std::this_thread::get_id();
  comm.OnTeleStart = [&] {
    ++starts;
    otherThread = std::this_thread::get_id() != caller;
  };
  comm.OnTeleEnd = [&] { ++ends; };
  EXPECT_TRUE(comm.GetModuleStatus());
  EXPECT_TRUE(comm.GetModuleStatus());
  comm.CloseLink();
  EXPECT_GE(starts, 2);  // a slow machine may cause a repetition and a second answer
  EXPECT_EQ(ends.load(), starts.load());
  EXPECT_TRUE(otherThread);
}

TEST_F(SimFixture, PortIsExclusiveAndRefusesANewNameWhileOpen) {
  TVaComm second;
  second.SetDeviceName(path);
  EXPECT_THROW(second.Open(), EVaCommError);
  EXPECT_THROW(comm.SetP_DevicePath("/dev/ttyS0"), EVaCommError);
  EXPECT_TRUE(comm.Active());
  EXPECT_EQ(comm.P_DevicePath(), path);
}

TEST_F(SimFixture, ReadWithNothingReceivedReturnsAtOnce) {
  uint8_t buffer[16];
  EXPECT_EQ(comm.Port()->ReadBuf(buffer, sizeof buffer), 0u);
}

TEST_F(SimFixture, CloseLinkClosesThePortAndItCanBeOpenedAgain) {
  int opens = 0, closes = 0;
  comm.OnOpen = [&] { ++opens; };
  comm.OnClose = [&] { ++closes; };
  comm.CloseLink();
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(closes, 1);
  // Another process or component may take the port now.
  {
    TVaComm other;
    other.SetDeviceName(path);
    EXPECT_NO_THROW(other.Open());
    other.SetCloseDelay(0);
    other.Close();
  }
  comm.OpenLink();
  EXPECT_TRUE(comm.Active());
  EXPECT_EQ(opens, 1);
  EXPECT_EQ(comm.ConverterKind(), 1);
  EXPECT_TRUE(comm.GetModuleStatus());
  // Closing an already closed link still reports the close.
  comm.CloseLink();
  comm.CloseLink();
  EXPECT_EQ(closes, 3);
}

TEST_F(SimFixture, TheTrafficDisplayCountsWhatGoesOverTheLineAndTheLineGoingAway) {
  auto traffic = std::make_shared<TVaTraffic>();
  comm.SetDisplay(traffic);
  EXPECT_EQ(comm.Port()->Display(), traffic);
  comm.SetA_Steuermodul(3);
  ASSERT_TRUE(comm.GetModuleStatus());
  if (RawSends() == 1) {
    EXPECT_EQ(traffic->SentBytes(), sim::EncodeFrame({0xFE, 0x03, 0x05, 0x00}).size());
  }
  EXPECT_GE(traffic->ReceivedBytes(), 16u);  // the 14 bytes of the answer between its flags
  EXPECT_EQ(traffic->Errors(), 0u);          // a pseudo-terminal counts no line errors
  EXPECT_FALSE(traffic->Lost());
  port.Hangup();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!traffic->Lost() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  EXPECT_TRUE(traffic->Lost());
  comm.SetDisplay(nullptr);
  EXPECT_EQ(comm.Display(), nullptr);
}

TEST_F(SimFixture, StatusTelegramGoesOutExactlyAndIsAnswered) {
  comm.SetA_Steuermodul(3);
  EXPECT_TRUE(comm.GetModuleStatus());
  ASSERT_EQ(Sends(), 1u);
  EXPECT_EQ(Received()[0], (Bytes{0xFE, 0x03, 0x05, 0x00}));
  EXPECT_EQ(comm.RecCount(), 14);
  EXPECT_EQ(comm.Rec(0), 0x03);
  EXPECT_EQ(comm.Rec(1), 0xFE);
}

TEST_F(SimFixture, SilentStationGetsTheTelegramOncePlusRepetitions) {
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  std::vector<TZYNCommError> errors;
  const auto caller = std::this_thread::get_id();
  std::thread::id errorThread;
  comm.OnError = [&](TZYNCommError e, int) {
    errors.push_back(e);
    errorThread = std::this_thread::get_id();
  };
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(comm.GetModuleStatus());
  // One time-out per send, and not much more.
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_GE(took, std::chrono::milliseconds((1 + kRepeats) * kShortTimeout));
  EXPECT_LT(took, std::chrono::milliseconds((1 + kRepeats) * kShortTimeout + 250));
  EXPECT_EQ(RawSends(), 1u + kRepeats);
  EXPECT_EQ(comm.RecCount(), 0);
  EXPECT_EQ(errors, std::vector<TZYNCommError>{errTimeout});
  EXPECT_EQ(errorThread, caller);
  EXPECT_EQ(comm.E_TransError(), errTimeout);
  EXPECT_EQ(comm.E_TransError(), errNone);
}

TEST_F(SimFixture, ModuleThatIsAbsentDoesNotAnswer) {
  {
    auto lock = sim.Lock();
    sim.ControlModule(2).Present = false;
  }
  comm.SetP_RecTimeout(kShortTimeout);
  std::vector<int> searched;
  comm.OnSTMSearch = [&](int a) { searched.push_back(a); };
  EXPECT_FALSE(comm.ProbeModule(2));
  EXPECT_TRUE(comm.ProbeModule(1));
  EXPECT_EQ(searched, (std::vector<int>{2, 1}));
  EXPECT_EQ(comm.A_Steuermodul(), 0);  // restored
  EXPECT_EQ(comm.ReadModuleFirmwareVersion(2), "uuups...");
  EXPECT_EQ(comm.ReadModuleFirmwareVersion(1), "V1.78");
}

TEST_F(SimFixture, OneLostAnswerIsRecoveredByTheRepetition) {
  SetFault([](sim::TSimFaults& f) { f.Silent = 1; });
  EXPECT_TRUE(comm.GetModuleStatus());
  const auto sent = RawReceived();
  ASSERT_GE(sent.size(), 2u);
  // The repetition is the same telegram.
  EXPECT_EQ(sent[0], sent[1]);
}

// Every fault that lasts ends in a failure with the expected error, never in success. Each case
// starts on a freshly opened link, so that the answers one case never received do not cost the
// next one its repetitions.
TEST_F(SimFixture, LastingFaultsEndInFailure) {
  constexpr uint16_t kShort = 100;
  struct Case {
    const char* name;
    void (*apply)(sim::TSimFaults&);
    TZYNCommError error;
  };
  const Case cases[] = {
      {"silence", [](sim::TSimFaults& f) { f.Silent = -1; }, errTimeout},
      {"lost telegram", [](sim::TSimFaults& f) { f.Deaf = -1; }, errTimeout},
      {"bad FCS", [](sim::TSimFaults& f) { f.BadFcs = -1; }, errTimeout},
      {"wrong station", [](sim::TSimFaults& f) { f.WrongStation = -1; }, errTimeout},
      {"truncated frame", [](sim::TSimFaults& f) { f.Truncate = -1; }, errTimeout},
      {"refusing status", [](sim::TSimFaults& f) { f.Status = -1, f.StatusByte = 0xFF; }, errNone},
      // Last: its late answers arrive after the case (the simulator answers one by one).
      {"delay beyond the time-out", [](sim::TSimFaults& f) { f.DelayMs = 3 * kShort + 60; }, errTimeout},
  };
  // Handlers are set while the link is idle: the event thread calls them.
  std::atomic<int> crcErrors{0};
  comm.OnError = [&](TZYNCommError e, int) { crcErrors += e == errCRC; };
  for (const Case& c : cases) {
    comm.CloseLink();
    comm.OpenLink();
    comm.SetP_RecTimeout(kShort);
    {
      auto lock = sim.Lock();
      sim.Faults() = {};
      c.apply(sim.Faults());
      sim.ClearReceived();
    }
    crcErrors = 0;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(comm.GetModuleStatus()) << c.name;
    // Never longer than its sends and a little more for the machine.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds((1 + kRepeats) * kShort + 250))
        << c.name;
    EXPECT_EQ(comm.E_TransError(), c.error) << c.name;
    const std::string name = c.name;
    if (c.error == errTimeout && name != "delay beyond the time-out" && name != "lost telegram") {
      EXPECT_EQ(RawSends(), 1u + kRepeats) << c.name;
    }
    if (name == "bad FCS") {
      EXPECT_EQ(crcErrors, 1 + kRepeats);
    }
    auto lock = sim.Lock();
    sim.Faults() = {};
  }
  // The late answers are recognised as such when they come; then the module is heard again.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (comm.Exchange().Outstanding() > 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(comm.GetModuleStatus());
  EXPECT_EQ(comm.Rec(2), 0x05);
  comm.CloseLink();  // no handler call after this test's locals are gone
}

TEST_F(SimFixture, EchoOfTheOwnTelegramIsNoAnswer) {
  SetFault([](sim::TSimFaults& f) { f.Echo = true; });
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  EXPECT_FALSE(comm.GetModuleStatus());
  EXPECT_EQ(RawSends(), 1u + kRepeats);
  {
    auto lock = sim.Lock();
    sim.Faults().Silent = 0;
  }
  EXPECT_TRUE(comm.GetModuleStatus());
  EXPECT_EQ(comm.Rec(0), 0x00);
}

TEST_F(SimFixture, SpontaneousFrameDuringAWaitIsNotTakenForTheAnswer) {
  SetFault([](sim::TSimFaults& f) { f.Unsolicited = -1; });
  EXPECT_TRUE(comm.GetModuleStatus());
  EXPECT_EQ(comm.Rec(2), 0x05);
  EXPECT_EQ(Sends(), 1u);
}

TEST_F(SimFixture, SpontaneousFrameIsAcknowledgedWhenAsked) {
  comm.SetA_SendQuittung(true);
  comm.SetA_Steuermodul(2);
  std::vector<Bytes> blocks;
  std::mutex m;
  comm.OnBlock = [&](const uint8_t* b, int n) {
    std::lock_guard<std::mutex> g(m);
    blocks.emplace_back(b, b + n);
  };
  SetFault([](sim::TSimFaults& f) { f.Unsolicited = 1; });
  EXPECT_TRUE(comm.GetModuleStatus());
  // The acknowledgement 00 0A goes to module 2 while the request waits for its own answer.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (Sends() < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto received = Received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], (Bytes{0xFE, 0x02, 0x05, 0x00}));
  EXPECT_EQ(received[1], (Bytes{0xFE, 0x02, 0x00, 0x0A}));
  comm.CloseLink();
  std::lock_guard<std::mutex> g(m);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(Bytes(blocks[0].begin(), blocks[0].begin() + 4), (Bytes{0x02, 0xFE, 0x12, 0x09}));
}

TEST_F(SimFixture, SpontaneousFrameFromAStationAbove3IsPassedOnButNotAcknowledged) {
  comm.SetA_SendQuittung(true);
  std::atomic<int> blocks{0};
  comm.OnBlock = [&](const uint8_t*, int) { ++blocks; };
  EXPECT_TRUE(comm.GetModuleStatus());  // an exchange before, so that the link is settled
  port.WriteRaw(sim::EncodeFrame({0x05, 0xFE, 0x12, 0x09}));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (blocks == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(blocks, 1);
  EXPECT_TRUE(comm.GetModuleStatus());
  comm.CloseLink();
  for (const auto& t : Received()) EXPECT_NE(t[2], 0x00) << "acknowledged";
}

TEST_F(SimFixture, StaleInputIsDiscardedBeforeANewRequest) {
  // An answer that was on the line before the request (00, as the stop's answer would be) never
  // confirms it.
  std::atomic<int> discarded{0};
  comm.OnDebug = [&](const std::string&) { ++discarded; };
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  port.WriteRaw(sim::EncodeFrame({0x00, 0xFE, 0x00, 0x00}));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (discarded == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(comm.EnterServiceMode());
  EXPECT_EQ(comm.E_TransError(), errTimeout);
  comm.CloseLink();
}

TEST_F(SimFixture, WaitProcessesEventsThroughTheHook) {
  std::atomic<int> calls{0};
  TBusWait::SetProcessEventsHook([&] { ++calls; });
  SetFault([](sim::TSimFaults& f) { f.DelayMs = 30; });
  const bool ok = comm.GetModuleStatus();
  TBusWait::SetProcessEventsHook(nullptr);
  EXPECT_TRUE(ok);
  EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(SimFixture, CancelDuringAWaitEndsItAtTheNextRepetitionWithoutSending) {
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(kShortTimeout);
  comm.SetP_SendRepeat(50);
  TBusWait::SetProcessEventsHook([this] { comm.SetCancel(true); });
  const bool answered = comm.GetModuleStatus();
  TBusWait::SetProcessEventsHook(nullptr);
  EXPECT_FALSE(answered);
  EXPECT_EQ(RawSends(), 1u);
  EXPECT_EQ(comm.E_TransError(), errCancel);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// Every line setting reaches the device and is read back from it; the settings objects tell
// the port about their changes.
TEST(VaComm, LineSettingsAreAppliedAndReadBack) {
  const int master = OpenPtyMaster();
  ASSERT_GE(master, 0);
  TVaComm port;
  port.SetDeviceName(ptsname(master));
  port.SetCloseDelay(0);
  port.SetBaudrate(19200);
  port.SetOptions(coParityCheck);
  port.Open();
  TVaLineState s = port.ReadBack();
  EXPECT_EQ(s.Baudrate, 19200);
  EXPECT_EQ(s.Databits, TVaDatabits::db8);
  EXPECT_EQ(s.Parity, TVaParity::paNone);
  EXPECT_EQ(s.Stopbits, TVaStopbits::sb1);
  EXPECT_FALSE(s.ParityCheck);  // nothing to check without a parity bit
  // Two stop bits reach the terminal and are read back.
  port.SetStopbits(TVaStopbits::sb2);
  EXPECT_EQ(port.ReadBack().Stopbits, TVaStopbits::sb2);
  port.SetStopbits(TVaStopbits::sb1);
  // A pseudo-terminal keeps 8 data bits without parity whatever it is told: the read-back finds
  // it out, the setting is refused and the one before stays, on the port and in the component.
  EXPECT_THROW(port.SetDatabits(TVaDatabits::db7), EVaCommError);
  EXPECT_EQ(port.Databits(), TVaDatabits::db8);
  EXPECT_THROW(port.SetParity(TVaParity::paEven), EVaCommError);
  EXPECT_EQ(port.Parity(), TVaParity::paNone);
  s = port.ReadBack();
  EXPECT_EQ(s.Databits, TVaDatabits::db8);
  EXPECT_EQ(s.Parity, TVaParity::paNone);
  // Beyond any POSIX line: refused before the device is asked.
  EXPECT_THROW(port.SetDatabits(TVaDatabits::db4), EVaCommError);
  EXPECT_THROW(port.SetStopbits(TVaStopbits::sb15), EVaCommError);
  EXPECT_EQ(port.ReadBack().Stopbits, TVaStopbits::sb1);
  // Flow control and its characters are applied on the open port at once; an update applies once.
  port.FlowControl().BeginUpdate();
  port.FlowControl().SetXonXoffIn(true);
  port.FlowControl().SetXonXoffOut(true);
  port.EventChars().SetXonChar(0x11);
  port.FlowControl().EndUpdate();
  s = port.ReadBack();
  EXPECT_TRUE(s.XonXoffIn);
  EXPECT_TRUE(s.XonXoffOut);
  port.FlowControl().SetControlRts(TVaControlRts::rtsHandshake);
  EXPECT_TRUE(port.ReadBack().HardwareFlow);
  EXPECT_THROW(port.SetRtsLine(true), EVaCommError);
  port.FlowControl().SetControlRts(TVaControlRts::rtsDisabled);
  EXPECT_FALSE(port.ReadBack().HardwareFlow);
  // Buffers and the write side are refused while open.
  EXPECT_THROW(port.Buffers().SetReadSize(100), EVaCommError);
  EXPECT_THROW(port.SetDirectWrite(false), EVaCommError);
  port.Close();
  close(master);
}

TEST(VaComm, WriteThreadWritesInOrder) {
  const int master = OpenPtyMaster();
  ASSERT_GE(master, 0);
  TVaComm port;
  port.SetDeviceName(ptsname(master));
  port.SetCloseDelay(0);
  port.SetBaudrate(19200);
  port.SetDirectWrite(false);
  port.Open();
  std::vector<uint8_t> sent;
  for (int i = 0; i < 40; ++i) {
    const std::vector<uint8_t> chunk(50, static_cast<uint8_t>(i));
    EXPECT_EQ(port.WriteBuf(chunk.data(), chunk.size()), chunk.size());
    sent.insert(sent.end(), chunk.begin(), chunk.end());
  }
  EXPECT_TRUE(port.Flush());
  std::vector<uint8_t> got;
  uint8_t buffer[512];
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (got.size() < sent.size() && std::chrono::steady_clock::now() < deadline) {
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) got.insert(got.end(), buffer, buffer + n);
  }
  EXPECT_EQ(got, sent);
  port.Close();
  close(master);
}

}  // namespace
}  // namespace zyn
