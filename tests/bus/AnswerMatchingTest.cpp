// Which frame ends a wait: only the request's own answer, judged by station, status, sequence
// byte and length. Late, extra and foreign answers never confirm another request; a slow line
// makes the link slow, not wrong; a port that goes away is reported as such.

#include "SimFixture.h"
#include "tools/zynsim/core/SimFrameCodec.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// The exchange alone, the port closed: a block write to module 3 with sequence byte 7 is
// pending and the frames of each case arrive.
TEST(AnswerMatching, OnlyTheRequestsOwnAnswerEndsTheWait) {
  struct Case {
    const char* name;
    Bytes before;  // line bytes that arrive before the request goes out
    Bytes after;   // and after
    bool answers;
  };
  auto frame = [](const Bytes& t) { return sim::EncodeFrame(t); };
  Bytes badFcs = frame({0x03, 0xFE, 0x01, 0x07});
  badFcs[badFcs.size() - 2] ^= 0x01;
  const Bytes own = frame({0x03, 0xFE, 0x01, 0x07});
  const Case cases[] = {
      {"its own acknowledgement", {}, own, true},
      {"a refusal is its answer too", {}, frame({0x03, 0xFE, 0xFF, 0x07}), true},
      {"another sequence byte", {}, frame({0x03, 0xFE, 0x01, 0x06}), false},
      {"another station", {}, frame({0x02, 0xFE, 0x01, 0x07}), false},
      {"another group", {}, frame({0x13, 0xFE, 0x01, 0x07}), false},
      {"to another receiver", {}, frame({0x03, 0xFD, 0x01, 0x07}), false},
      {"another command", {}, frame({0x03, 0xFE, 0x05, 0x07}), false},
      {"longer than an acknowledgement", {}, frame({0x03, 0xFE, 0x01, 0x07, 0x00}), false},
      {"a spontaneous telegram", {}, frame({0x03, 0xFE, 0x12, 0x07}), false},
      {"a wrong FCS", {}, badFcs, false},
      {"begun before the request", Bytes(own.begin(), own.begin() + 3), Bytes(own.begin() + 3, own.end()), false},
      {"noise, then its own", {0x13, 0x7D, 0xC1}, own, true},
  };
  for (const Case& c : cases) {
    TZYNComm comm;
    comm.SetP_RecTimeout(5);
    comm.SetP_SendRepeat(0);
    comm.SetA_Steuermodul(3);
    TZYNRequest request;
    request.Station = comm.Receiver();
    request.Answer.Status = {0x01, 0x00, 0xFF, 0xFE};
    request.Answer.Success = {0x01, 0x00};
    request.Answer.Sequence = 7;
    request.Answer.MinLength = request.Answer.MaxLength = 4;
    comm.ProcessReceivedBytes(c.before.data(), c.before.size());
    TZYNExchange& x = comm.Exchange();
    x.Begin(request);
    for (uint8_t b : {0x01, 0x07, 0x40, 0x00, 0x11, 0x22}) x.Add(b);
    x.Send(false);
    comm.ProcessReceivedBytes(c.after.data(), c.after.size());
    const uint16_t count = comm.WaitForAnswer();
    EXPECT_EQ(count > 0, c.answers) << c.name;
    EXPECT_EQ(comm.E_TransError(), c.answers ? errNone : errTimeout) << c.name;
  }
}

class AnswerMatchingPty : public SimFixture {
 protected:
  // The frames the link discarded, as it reports them.
  std::vector<std::string> Discarded() {
    std::lock_guard<std::mutex> guard(fLogMutex);
    return fLog;
  }
  void TraceDiscarded() {
    comm.OnDebug = [this](const std::string& text) {
      std::lock_guard<std::mutex> guard(fLogMutex);
      fLog.push_back(text);
    };
  }
  // Waits until no answer of an earlier request is owed any more.
  bool Drained(std::chrono::milliseconds limit = 3000ms) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (comm.Exchange().Outstanding() > 0) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }

  std::mutex fLogMutex;
  std::vector<std::string> fLog;
};

TEST_F(AnswerMatchingPty, LateAnswerIsRecognisedAndNeverTakenForTheNextRequest) {
  TraceDiscarded();
  comm.SetP_RecTimeout(100);
  comm.SetP_SendRepeat(0);
  SetFault([](sim::TSimFaults& f) { f.DelayMs = 180; });
  EXPECT_EQ(comm.ReadModuleTime(), "");  // its answer comes after the wait
  {
    auto lock = sim.Lock();
    sim.Faults() = {};
    sim.ControlModule(0).Hour = 13;
  }
  // The next request of the same kind: the late answer (12:00) is not its answer.
  EXPECT_EQ(comm.ReadModuleTime(), "13:00");
  EXPECT_TRUE(Drained());
  bool sawLate = false;
  for (const auto& line : Discarded()) sawLate |= line.find("late answer") != std::string::npos;
  EXPECT_TRUE(sawLate);
  comm.CloseLink();
}

TEST_F(AnswerMatchingPty, ExtraAnswersOfRepetitionsServeNoLaterRequest) {
  // The first answer of every operation comes a little after the time-out, so the repetition
  // goes out and its answer is extra.
  comm.SetP_RecTimeout(80);
  comm.SetP_SendRepeat(3);
  auto slowFirstAnswer = [this] { SetFault([](sim::TSimFaults& f) { f.DelayMs = 120, f.Delayed = 1; }); };
  slowFirstAnswer();
  ASSERT_TRUE(comm.EnterServiceMode());
  TTimerRecord record{};
  const Bytes block(48, 0xA5);
  Bytes back(48, 0);
  for (int round = 0; round < 3; ++round) {
    slowFirstAnswer();
    EXPECT_EQ(comm.ReadTimerCount(0), 16) << round;
    slowFirstAnswer();
    EXPECT_FALSE(comm.ReadTimer(record, 40)) << round;  // no such timer
    slowFirstAnswer();
    EXPECT_TRUE(comm.GetModuleStatus()) << round;
    EXPECT_EQ(comm.Rec(2), 0x05) << round;
    slowFirstAnswer();
    EXPECT_TRUE(comm.WriteModuleMemory(block.data(), 0x5000 + 48 * round, 48, 1)) << round;
    slowFirstAnswer();
    EXPECT_TRUE(comm.ReadModuleMemory(back.data(), 0x5000 + 48 * round, 48)) << round;
    EXPECT_EQ(back, block) << round;
  }
  EXPECT_TRUE(Drained());
}

TEST_F(AnswerMatchingPty, SlowLineWithAShortTimeOutIsSlowNotWrong) {
  // 19200 baud on the line and the options' short time-out: the flags answer alone needs more
  // than five times the time-out on the wire.
  port.SetLineRate(19200);
  comm.SetP_RecTimeout(100);
  comm.SetP_SendRepeat(3);
  comm.SetP_RecBuffSize(2048);
  Bytes image(1024);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  {
    auto lock = sim.Lock();
    auto& m = sim.ControlModule(0);
    for (size_t i = 0; i < m.Flags.size(); ++i) m.Flags[i] = static_cast<uint8_t>(255 - i % 256);
    m.Timers[3] = {3, 0, 1, 2, 3, 4, 5, 6, 0};
  }
  uint8_t flags[1024];
  EXPECT_TRUE(comm.ReadFlags(flags));
  EXPECT_EQ(flags[1], 254);
  EXPECT_EQ(comm.ReadTimerCount(0), 16);
  TTimerRecord record{};
  EXPECT_FALSE(comm.ReadTimer(record, 40));
  EXPECT_TRUE(comm.ReadTimer(record, 3));
  EXPECT_EQ(record[7], 6);
  ASSERT_TRUE(comm.EnterServiceMode());
  EXPECT_TRUE(comm.WriteModuleMemory(image.data(), 0x4000, 1024, 1));
  Bytes back(1024, 0);
  EXPECT_TRUE(comm.ReadModuleMemory(back.data(), 0x4000, 1024));
  EXPECT_EQ(back, image);
  {
    auto lock = sim.Lock();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), sim.ControlModule(0).Memory.begin() + 0x4000));
  }
  comm.CloseLink();
}

TEST_F(AnswerMatchingPty, PowerOnReleaseSwallowsItsOwnAnswer) {
  port.SetLineRate(19200);
  comm.SetP_RecTimeout(100);
  // A module that takes its time, within the wait and beyond it.
  for (int delay : {30, 30, 160, 160}) {
    SetFault([delay](sim::TSimFaults& f) { f.DelayMs = delay; });
    EXPECT_TRUE(comm.SendPowerOnRelease());
    SetFault([](sim::TSimFaults& f) { f.DelayMs = 0; });
    EXPECT_TRUE(comm.GetModuleStatus()) << delay;
    EXPECT_EQ(comm.Rec(2), 0x05) << delay;
  }
  auto lock = sim.Lock();
  EXPECT_EQ(sim.ControlModule(0).PowerOnReleases, 4);
}

TEST_F(AnswerMatchingPty, PortThatGoesAwayIsReportedAtOnce) {
  SetFault([](sim::TSimFaults& f) { f.Silent = -1; });
  comm.SetP_RecTimeout(1000);
  comm.SetP_SendRepeat(5);
  std::vector<std::string> messages;
  comm.OnMessage = [&](const std::string& text) { messages.push_back(text); };
  std::thread pull([this] {
    std::this_thread::sleep_for(150ms);
    port.Hangup();
  });
  const auto started = std::chrono::steady_clock::now();
  const bool answered = comm.GetModuleStatus();
  const auto took = std::chrono::steady_clock::now() - started;
  pull.join();
  EXPECT_FALSE(answered);
  EXPECT_LT(took, 1500ms);  // not the six seconds of its repetitions
  EXPECT_EQ(comm.E_TransError(), errNoPort);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(path), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("abgebrochen"), std::string::npos) << messages[0];
  // The next operation fails at once, with the same error and no second message.
  const auto again = std::chrono::steady_clock::now();
  EXPECT_FALSE(comm.EnterServiceMode());
  EXPECT_LT(std::chrono::steady_clock::now() - again, 200ms);
  EXPECT_EQ(comm.E_TransError(), errNoPort);
  EXPECT_EQ(messages.size(), 1u);
  comm.CloseLink();
}

TEST_F(AnswerMatchingPty, AbsentBusModuleFailsTheDimmerCurveAndTheQuery) {
  {
    auto lock = sim.Lock();
    sim.ControlModule(0).Modules[0x30].Present = false;
    sim.ControlModule(0).Modules[0x31] = {};
  }
  const Bytes curve(272, 0x40);
  EXPECT_FALSE(comm.WriteDimmerCurve(0x30, 6, curve.data()));
  EXPECT_FALSE(comm.IsModulePresent(0x30));
  EXPECT_EQ(comm.Rec(2), 0x06);  // answered, with the absence mark
  EXPECT_EQ(comm.Rec(6), 0xF0);
  EXPECT_TRUE(comm.WriteDimmerCurve(0x31, 6, curve.data()));
  EXPECT_TRUE(comm.IsModulePresent(0x31));
}

}  // namespace
}  // namespace zyn
