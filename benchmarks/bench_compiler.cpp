// Compile runs over generated projects of one to four control modules (tests/compiler's
// generator, fixed seeds), the layout of one image, and the growth of a compile with the size of
// the project: the counters compare runs of the same benchmark, so they hold on any machine.

#include "benchmarks/ScaledProject.h"
#include "compiler/CompileDriver.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/compiler/RandomProject.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

void BM_CompileProject(benchmark::State& state) {
  zyn::test::TRandomProject project(static_cast<unsigned>(state.range(0)), 4);
  project.Build();
  zyn::TCompileDriver driver(project.B.Projekt);
  driver.ProgramTitle = "ZYN";
  for (auto _ : state) {
    driver.CompileProject(false);
    benchmark::DoNotOptimize(driver.Image(0));
  }
}
BENCHMARK(BM_CompileProject)->Arg(3)->Arg(17)->Arg(42);

void BM_FinalizeEmptyImage(benchmark::State& state) {
  for (auto _ : state) {
    zyn::TBinData image(0);
    image.Clocks.AppendByte(0);
    image.FinalizeImage("GUID-0001", "ZYN");
    benchmark::DoNotOptimize(image.ImageChecksum());
  }
}
BENCHMARK(BM_FinalizeEmptyImage);

// Compile time of the 4x and 16x projects as multiples of the 1x project's, in the same run.
void BM_CompileGrowth(benchmark::State& state) {
  const int scales[] = {1, 4, 16};
  std::vector<std::unique_ptr<zyn::bench::TScaledProject>> projects;
  for (int scale : scales) projects.push_back(std::make_unique<zyn::bench::TScaledProject>(scale));
  double seconds[3] = {0, 0, 0};
  for (auto _ : state) {
    for (size_t i = 0; i < projects.size(); ++i) {
      zyn::TCompileDriver driver(projects[i]->B.Projekt);
      driver.ProgramTitle = "ZYN";
      const auto t = Clock::now();
      driver.CompileProject(true);
      seconds[i] += Seconds(t);
      benchmark::DoNotOptimize(driver.Image(0));
    }
  }
  state.counters["links_x1"] = projects[0]->Links;
  state.counters["links_x16"] = projects[2]->Links;
  state.counters["x4_per_x1"] = seconds[1] / seconds[0];
  state.counters["x16_per_x1"] = seconds[2] / seconds[0];  // linear: about 16, goal within 20
}
BENCHMARK(BM_CompileGrowth)->Unit(benchmark::kMillisecond)->Iterations(3);

// Expansion of one group link into n member links beside n links already on the channel (the
// duplicate check of every member against the channel's links): 256 members against 64.
void BM_GroupExpansionGrowth(benchmark::State& state) {
  using namespace zyn;
  using namespace zyn::test;
  struct TGroupProject {
    explicit TGroupProject(int members) {
      B.NamePrefix = "10122026_203006_";
      TSteuermodul& stm = B.AddStm(0);
      TModul& from = B.AddModul(stm, 0, 0, "INP", 3, 0, 0, {0}, {});
      std::vector<const TKanal*> outputs;
      for (int m = 0; outputs.size() < static_cast<size_t>(members); ++m) {
        TModul& to = B.AddModul(stm, 2, m, "OUT", 0, 5, 0, {}, {0, 1, 2, 3, 4, 5, 6, 7});
        for (int o = 0; o < 8; ++o) {
          outputs.push_back(to.FindAusgang(o));
          SetModuleEndpoint(LinkFromInput(*from.FindEingang(0), from, 0, 2).Target(), to, 0, o, 5, 1);
        }
      }
      B.AddGruppe(stm, 0, outputs);
      SetObjectEndpoint(LinkFromInput(*from.FindEingang(0), from, 0, 1).Target(), kObjGruppe, 0, "GRP", 0, 1);
    }
    TProjectBuilder B;
  };
  TGroupProject small(64), large(256);
  double seconds[2] = {0, 0};
  for (auto _ : state) {
    TGroupProject* projects[] = {&small, &large};
    for (size_t i = 0; i < 2; ++i) {
      TCompileDriver driver(projects[i]->B.Projekt);
      const auto t = Clock::now();
      driver.CompileProject(true);
      seconds[i] += Seconds(t);
    }
  }
  state.counters["x4_per_x1"] = seconds[1] / seconds[0];  // linear: about 4
}
BENCHMARK(BM_GroupExpansionGrowth)->Unit(benchmark::kMillisecond)->Iterations(20);

// Sorting the conditions of a link whose table is already sorted (every compile sorts every
// logic link) against sorting the same conditions from reverse order.
void BM_SortLogicSorted(benchmark::State& state) {
  using namespace zyn;
  TVerbindung sorted;
  sorted.SetKind(1);
  for (int i = 0; i < 12; ++i) {
    test::SetCondition(sorted, i, 19, 0, i, i % 8, 1, "OUT", "K" + std::to_string(100 + i));
  }
  sorted.SortLogic();
  TVerbindung reversed;
  reversed.SetKind(1);
  for (int i = 0; i < 12; ++i) {
    std::copy_n(sorted.Logic(11 - i).Bytes(), kLogicEntrySize, reversed.Logic(i).Bytes());
  }
  double sortedSeconds = 0, reversedSeconds = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    for (int n = 0; n < 1000; ++n) sorted.SortLogic();
    sortedSeconds += Seconds(t);
    TVerbindung copy;
    t = Clock::now();
    for (int n = 0; n < 1000; ++n) {
      copy.CopyRecordFrom(reversed);
      copy.SortLogic();
    }
    reversedSeconds += Seconds(t);
  }
  state.counters["sorted_per_unsorted"] = sortedSeconds / reversedSeconds;
}
BENCHMARK(BM_SortLogicSorted)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
