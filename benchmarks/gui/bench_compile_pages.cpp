// "Projekt erstellen" as the user sees it: the compile of a large project (256 modules, 3,072
// links at scale 16) reporting every link to the program build page, against the same compile
// without a page, in the same run. The goal: the page costs at most half the compile's own time
// and 100 ms (the counters page_per_core and extra_ms).

#include "benchmarks/ScaledProject.h"
#include "compiler/CompileDriver.h"
#include "frames/FrCompile.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_compile_pages";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
  return app;
}

void BM_BuildWithProgressPage(benchmark::State& state) {
  App();
  zyn::bench::TScaledProject project(static_cast<int>(state.range(0)));
  zyn::TFrCompVerb page;
  page.resize(800, 600);
  page.show();
  double core = 0, shown = 0;
  int links = 0;
  for (auto _ : state) {
    zyn::TCompileDriver driver(project.B.Projekt);
    driver.ProgramTitle = "ZYN";
    auto t = Clock::now();
    driver.CompileProject(true);
    core += Seconds(t);
    page.Reset();
    t = Clock::now();
    driver.CompileProject(true, &page);
    page.Flush();  // what the build left pending is on the screen, too
    QApplication::processEvents();
    shown += Seconds(t);
    links = page.Count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["links"] = links;
  state.counters["core_ms"] = 1000 * core / n;
  state.counters["page_per_core"] = shown / core;                // goal: 1.5 or less ...
  state.counters["extra_ms"] = 1000 * (shown - 1.5 * core) / n;  // ... or at most 100 ms above it
}
BENCHMARK(BM_BuildWithProgressPage)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
