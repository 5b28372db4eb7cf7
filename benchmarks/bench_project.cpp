// Open and save of a large project (four control modules of 63 modules each) beside plain zlib
// inflate and deflate of the same bytes. The counters give the project operations as multiples
// of the bare zlib work.
#include <benchmark/benchmark.h>

#include <chrono>

#include <unistd.h>

#include <string>

// The built default system data folder lies beside the benchmarks folder of the build.
static std::string BenchBinaryDir() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  std::string exe(path, n > 0 ? static_cast<size_t>(n) : 0);
  for (int up = 0; up < 2; ++up) exe = exe.substr(0, exe.rfind('/'));
  return exe;
}
#define ZYN_BINARY_DIR BenchBinaryDir()

#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/ZStream.h"
#include "tests/project/ProjectFixture.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

void BM_ProjectOpenSaveVsZlib(benchmark::State& state) {
  using namespace zyn;
  TBasisDaten basis;
  basis.Load(test::BuiltSystemData());
  TUniqueNames names;
  TZYNProjekt project;
  test::FillProject(project, basis, names, 4, 7);
  const std::vector<uint8_t> plain = project.StreamBytes();
  const std::vector<uint8_t> packed = project.ZippedBytes();

  double open = 0, save = 0, inflate = 0, deflate = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    {
      TMemoryStream stream(ZDecompress(packed.data(), packed.size()));
      TReader reader(stream, 1024);
      TZYNProjekt q;
      q.LoadFromReader(reader);
      benchmark::DoNotOptimize(q.GetObjectCount());
    }
    open += Seconds(t);
    t = Clock::now();
    benchmark::DoNotOptimize(project.ZippedBytes());
    save += Seconds(t);
    t = Clock::now();
    benchmark::DoNotOptimize(ZDecompress(packed.data(), packed.size()));
    inflate += Seconds(t);
    t = Clock::now();
    benchmark::DoNotOptimize(ZCompress(plain.data(), plain.size(), kZMaxCompression));
    deflate += Seconds(t);
  }
  state.counters["stream_bytes"] = static_cast<double>(plain.size());
  state.counters["zcf_bytes"] = static_cast<double>(packed.size());
  state.counters["open_per_inflate"] = inflate > 0 ? open / inflate : 0;
  state.counters["save_per_deflate"] = deflate > 0 ? save / deflate : 0;
}
BENCHMARK(BM_ProjectOpenSaveVsZlib)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
