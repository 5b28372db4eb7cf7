#pragma once
// Seeded transfer runs with random faults on the line (lost telegrams and answers, damaged, cut,
// foreign, doubled and late frames, refusals): every run either ends with every memory equal to
// its image or reports its failure, and no module is switched on without its whole image.

#include "tests/bus/TransferFixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace zyn::test {

// Runs "Alles übertragen" under the faults of the seed; counts the runs that succeeded.
inline void RunTransferWithFaults(uint32_t seed, int& successes) {
  std::mt19937 random(seed);
  TTransferSetup t(0, 30, 3);
  t.Sim([&](sim::TSTMSimulator& s) {
    s.Seed(seed);
    auto& c = s.Faults().Chances;
    c.Deaf = static_cast<int>(random() % 12);
    c.Silent = static_cast<int>(random() % 12);
    c.BadFcs = static_cast<int>(random() % 12);
    c.WrongStation = static_cast<int>(random() % 12);
    c.Truncate = static_cast<int>(random() % 12);
    c.Unsolicited = static_cast<int>(random() % 12);
    c.Duplicate = static_cast<int>(random() % 12);
    c.Refuse = static_cast<int>(random() % 3);
    c.Late = static_cast<int>(random() % 12);
    c.LateMaxMs = 60;
  });
  t.Snapshot();
  const auto started = std::chrono::steady_clock::now();
  const bool ok = t.run->Run(-1);
  if (std::getenv("ZYN_SOAK_TRACE"))
    std::fprintf(
        stderr, "seed %u: %s in %lld ms\n", seed, ok ? "done" : "failed",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count()));
  const std::string problem = t.CheckOutcome(ok);
  EXPECT_TRUE(problem.empty()) << "seed " << seed << ": " << problem;
  successes += ok ? 1 : 0;
}

}  // namespace zyn::test
