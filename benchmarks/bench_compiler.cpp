// Compile runs over generated projects of one to four control modules (tests/compiler's
// generator, fixed seeds), and the layout of one image.

#include <benchmark/benchmark.h>

#include "compiler/CompileDriver.h"
#include "tests/compiler/RandomProject.h"

namespace {

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

}  // namespace
