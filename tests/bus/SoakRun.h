#pragma once
// Seeded runs of block writes, block reads and status requests against the simulator on a
// pseudo-terminal, with random faults on the line: every operation that reports success must
// have left the simulated memory equal to what was written, or returned exactly the simulated
// memory, and none may take longer than its time bound.

#include "bus/ZYNComm.h"
#include "tools/zynsim/core/SimPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace zyn::soak {

struct TSoakConfig {
  const char* name;
  uint16_t timeout;  // ms, the configured answer time-out
  uint16_t repeats;
  int lineRate;       // 0: as fast as the terminal
  int faultPerMille;  // each kind of random fault
  int latePerMille;   // answers held back ...
  int lateMaxMs;      // ... by up to this
  // A peer that answers every telegram (of one command, or of all with -1) this much later;
  // it answers in order, so a long delay backs its answers up far beyond the time-outs.
  int delayMs = 0;
  int delayCommand = -1;
  int junkPerMille = 0;  // noise on the line before an answer
  int hangupAfter = -1;  // the port goes away after this many operations
  bool expectWorking = true;  // most operations succeed
};

// The configurations: the options' short time-out on a real line rate, a time-out shorter than
// a read block's wire time, late answers beyond the time-out, and a fast line with many faults.
inline const TSoakConfig kSoakConfigs[] = {
    {"short time-out at 19200 baud", 100, 3, 19200, 30, 30, 300},
    {"time-out below the wire time", 30, 2, 19200, 20, 0, 0},
    {"answers later than the time-out", 80, 2, 0, 20, 300, 400},
    {"fast line, many faults", 20, 2, 0, 80, 50, 60},
    {"every answer 600 ms late, 100 ms time-out", 100, 3, 19200, 0, 0, 0, 600, -1, 0, -1, false},
    {"block reads 450 ms late, 100 ms time-out", 100, 3, 19200, 0, 0, 0, 450, 0x02, 0, -1, false},
    {"junk on the line", 100, 3, 19200, 0, 0, 0, 0, -1, 400, -1, true},
    {"junk, silence and late answers", 60, 2, 0, 60, 100, 200, 0, -1, 200, -1, false},
    {"the port goes away", 100, 3, 19200, 20, 0, 0, 0, -1, 0, 6, false},
};

struct TSoakResult {
  int operations = 0;
  int successes = 0;
  int falseSuccesses = 0;
  int overTime = 0;
  std::string firstProblem;
};

class TSoakRun {
 public:
  TSoakRun(const TSoakConfig& config, uint32_t seed) : fConfig(config), fRandom(seed) {
    fSim.Seed(seed);
    fPath = fPort.OpenPty();
    fPort.SetLineRate(config.lineRate);
    fPort.Start();
    fComm.SetP_DevicePath(fPath);
    fComm.SetCloseDelay(0);
    fComm.SetP_RecTimeout(config.timeout);
    fComm.SetP_SendRepeat(config.repeats);
    fComm.OpenLink();
    {
      auto lock = fSim.Lock();
      fSim.ControlModule(0).Running = false;  // in service mode: it takes writes
      auto& c = fSim.Faults().Chances;
      c.Deaf = c.Silent = c.BadFcs = c.WrongStation = c.Truncate = c.Refuse = c.Unsolicited = config.faultPerMille;
      c.Late = config.latePerMille;
      c.LateMaxMs = config.lateMaxMs;
      c.Junk = config.junkPerMille;
      auto& f = fSim.Faults();
      f.DelayMs = config.delayMs;
      f.DelayCommand = config.delayCommand;
    }
    fComm.OnMessage = [this](const std::string& text) { fMessages.push_back(text); };
  }

  ~TSoakRun() {
    fComm.CloseLink();
    fPort.Stop();
  }

  bool Open() const { return fComm.Active(); }

  // Runs n random operations and judges each.
  TSoakResult Run(int n) {
    TSoakResult result;
    for (int i = 0; i < n; ++i) {
      if (i == fConfig.hangupAfter) {
        fPort.Hangup();
        fHungUp = Clock::now();
      }
      Step(result);
    }
    if (fConfig.hangupAfter >= 0 && fConfig.hangupAfter < n) {
      // One message that names the device, whatever came after.
      int lost = 0;
      for (const auto& m : fMessages) lost += m.find("Die Verbindung") == 0;
      if (lost != 1 || fMessages.empty() || fMessages[0].find(fPath) == std::string::npos) {
        ++result.falseSuccesses;
        Problem(result, "the lost port gave " + std::to_string(lost) + " messages");
      }
    }
    return result;
  }
  const std::vector<std::string>& Messages() const { return fMessages; }

 private:
  using Clock = std::chrono::steady_clock;

  // The longest an exchange may take here: the pause before it, its sends and their waits,
  // all judged with the longest answer (a read block), and a margin for a busy machine.
  Clock::duration ExchangeBound() {
    TZYNRequest longest;
    longest.Bytes.assign(6, 0);
    longest.AnswerLength = 4 + fComm.A_ReadSize();
    const uint16_t wait = fComm.Exchange().EffectiveTimeout(longest);
    // Before it at most the late window of an earlier request; a margin for a busy machine.
    return (1 + fConfig.repeats) * std::chrono::milliseconds(wait) + TZYNExchange::LateWindow(wait) +
           std::chrono::milliseconds(150);
  }

  std::vector<uint8_t> Memory(uint32_t address, uint32_t count) {
    auto lock = fSim.Lock();
    const auto& m = fSim.ControlModule(0).Memory;
    return std::vector<uint8_t>(m.begin() + address, m.begin() + address + count);
  }

  void Problem(TSoakResult& r, const std::string& text) {
    if (r.firstProblem.empty()) r.firstProblem = text;
  }

  void Step(TSoakResult& r) {
    const int kind = static_cast<int>(fRandom() % 10);
    std::ostringstream what;
    bool ok = false;
    int exchanges = 1;
    const auto started = Clock::now();
    if (kind < 5) {
      const uint32_t count = 1 + fRandom() % 96;
      const uint32_t address = 0x4000 + fRandom() % (0x8000 - count);
      std::vector<uint8_t> data(count);
      for (auto& b : data) b = static_cast<uint8_t>(fRandom());
      const uint16_t first = static_cast<uint16_t>(fRandom() % 4 == 0 ? 1 : fRandom() % 256);
      exchanges = static_cast<int>((count + fComm.A_WriteSize() - 1) / fComm.A_WriteSize());
      ok = fComm.WriteModuleMemory(data.data(), address, count, first);
      what << "write of " << count << " bytes at " << address << " from sequence " << first;
      if (ok && Memory(address, count) != data) {
        ++r.falseSuccesses;
        Problem(r, "false success: " + what.str());
      }
    } else if (kind < 9) {
      const uint32_t count = 1 + fRandom() % 600;
      const uint32_t address = 0x4000 + fRandom() % (0x8000 - count);
      std::vector<uint8_t> data(count, 0x5A);
      exchanges = static_cast<int>((count + fComm.A_ReadSize() - 1) / fComm.A_ReadSize());
      ok = fComm.ReadModuleMemory(data.data(), address, count);
      what << "read of " << count << " bytes at " << address;
      if (ok && Memory(address, count) != data) {
        ++r.falseSuccesses;
        Problem(r, "false success: " + what.str());
      }
    } else {
      ok = fComm.GetModuleStatus();
      what << "status";
      if (ok && fComm.Rec(2) != 0x05) {
        ++r.falseSuccesses;
        Problem(r, "false success: " + what.str());
      }
    }
    const auto took = Clock::now() - started;
    if (fHungUp != Clock::time_point{}) {
      // After the port went away nothing succeeds, and nothing waits for its time-outs.
      if (ok) {
        ++r.falseSuccesses;
        Problem(r, "success after the port went away: " + what.str());
      }
      if (took > std::chrono::seconds(1)) {
        ++r.overTime;
        Problem(r, what.str() + " after the port went away took " +
                       std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()) + " ms");
      }
    } else if (took > exchanges * ExchangeBound()) {
      ++r.overTime;
      Problem(r, what.str() + " took " +
                     std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()) + " ms");
    }
    ++r.operations;
    r.successes += ok;
  }

  TSoakConfig fConfig;
  std::mt19937 fRandom;
  sim::TSTMSimulator fSim;
  sim::TSimPort fPort{fSim};
  std::string fPath;
  TZYNComm fComm;
  std::vector<std::string> fMessages;
  Clock::time_point fHungUp{};
};

// Runs seeds first .. first + count - 1 of a configuration and checks them.
inline void RunSoak(const TSoakConfig& config, uint32_t first, uint32_t count, int operations) {
  int successes = 0, total = 0;
  // ZYN_SOAK_SEED=n repeats one seed of a failure report.
  if (const char* one = std::getenv("ZYN_SOAK_SEED")) {
    first = static_cast<uint32_t>(std::strtoul(one, nullptr, 10));
    count = 1;
  }
  for (uint32_t seed = first; seed < first + count; ++seed) {
    TSoakRun run(config, seed);
    ASSERT_TRUE(run.Open()) << config.name;
    const TSoakResult r = run.Run(operations);
    EXPECT_EQ(r.falseSuccesses, 0) << config.name << ", seed " << seed << ": " << r.firstProblem;
    EXPECT_EQ(r.overTime, 0) << config.name << ", seed " << seed << ": " << r.firstProblem;
    successes += r.successes;
    total += r.operations;
  }
  // The faults leave most operations working: a run in which nothing succeeds proves nothing.
  if (config.expectWorking) EXPECT_GT(successes, total / 4) << config.name;
}

}  // namespace zyn::soak
