#pragma once
// A bus link on one end of a real pseudo-terminal and the control-module simulator on the
// other, with short time-outs.

#include "bus/ZYNComm.h"
#include "tools/zynsim/core/SimPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zyn {

class SimFixture : public ::testing::Test {
 protected:
  // Generous, so that a busy test machine (parallel test processes on two cores) never makes a
  // healthy answer late; the silent cases cost (1 + kRepeats) time-outs each.
  static constexpr uint16_t kTimeout = 400;
  static constexpr uint16_t kRepeats = 2;
  // For the cases where nobody answers: no seconds of real waiting.
  static constexpr uint16_t kShortTimeout = 60;

  void SetUp() override {
    path = port.OpenPty();
    port.Start();
    comm.SetP_DevicePath(path);
    comm.SetCloseDelay(0);
    comm.SetP_RecTimeout(kTimeout);
    comm.SetP_SendRepeat(kRepeats);
    comm.OpenLink();
    ASSERT_TRUE(comm.Active()) << comm.OpenError();
  }

  void TearDown() override { comm.CloseLink(); }

  // Telegrams the simulator received (without FCS), in order, every repetition included.
  std::vector<std::vector<uint8_t>> RawReceived() {
    auto lock = sim.Lock();
    return sim.Received();
  }
  size_t RawSends() { return RawReceived().size(); }
  // The same with repetitions of a telegram counted once, so that a repetition caused by a
  // slow test machine does not change what a test sees.
  std::vector<std::vector<uint8_t>> Received() {
    std::vector<std::vector<uint8_t>> result;
    for (auto& t : RawReceived())
      if (result.empty() || result.back() != t) result.push_back(std::move(t));
    return result;
  }
  size_t Sends() { return Received().size(); }
  void ClearReceived() {
    auto lock = sim.Lock();
    sim.ClearReceived();
  }
  // Changes the simulator's faults under its lock.
  template <typename F>
  void SetFault(F&& f) {
    auto lock = sim.Lock();
    f(sim.Faults());
  }

  sim::TSTMSimulator sim;
  sim::TSimPort port{sim};
  std::string path;
  TZYNComm comm;
};

}  // namespace zyn
