// Open and save of large projects beside plain zlib work on the same bytes, and the peak memory
// of an open. The counters give the project operations as multiples of the bare zlib work and
// the peak as a multiple of the value stream, measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>

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

// Heap bytes in use and their peak, counted by the allocation functions of this programme (the
// benchmarks run on one thread).
namespace {
size_t gHeapInUse = 0;
size_t gHeapPeak = 0;
void* Allocate(size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  gHeapInUse += malloc_usable_size(p);
  if (gHeapInUse > gHeapPeak) gHeapPeak = gHeapInUse;
  return p;
}
void Release(void* p) noexcept {
  if (p == nullptr) return;
  gHeapInUse -= malloc_usable_size(p);
  std::free(p);
}
}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A project of four control modules with `modulesPerClass` modules of every catalogue class,
// saved packed into a temporary folder that goes with the object.
struct TSavedProject {
  explicit TSavedProject(int modulesPerClass) {
    char pattern[] = "/tmp/zyn_bench_XXXXXX";
    Folder = ::mkdtemp(pattern);
    File = Folder + "/projekt.zcf";
    basis.Load(zyn::test::BuiltSystemData());
    zyn::test::FillProject(project, basis, names, 4, modulesPerClass);
    Plain = project.StreamBytes();
    project.SaveZippedProjectFile(File);
  }
  ~TSavedProject() { std::filesystem::remove_all(Folder); }
  zyn::TBasisDaten basis;
  zyn::TUniqueNames names;
  zyn::TZYNProjekt project;
  std::string Folder, File;
  std::vector<uint8_t> Plain;
};

// Opening and saving a .zcf against reading and inflating the same file into memory (and, bare,
// inflating it without keeping the bytes), and against deflating the same stream at level 9 and
// writing it.
void BM_ProjectOpenSaveVsZlib(benchmark::State& state) {
  using namespace zyn;
  TSavedProject saved(7);
  const std::string copy = saved.Folder + "/kopie.zcf";
  double open = 0, save = 0, inflate = 0, bare = 0, deflate = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    {
      TZYNProjekt q;
      q.LoadZippedProjectFile(saved.File);
      benchmark::DoNotOptimize(q.GetObjectCount());
    }
    open += Seconds(t);
    t = Clock::now();
    saved.project.SaveZippedProjectFile(copy);
    save += Seconds(t);
    t = Clock::now();
    {
      const std::vector<uint8_t> packed = ReadFileBytes(saved.File);
      benchmark::DoNotOptimize(ZDecompress(packed.data(), packed.size()));
    }
    inflate += Seconds(t);
    t = Clock::now();
    ZInflateFile(saved.File, [](TStream& in) {
      // The bare zlib work: every byte read and inflated, nothing kept.
      std::vector<uint8_t> chunk(65536);
      while (in.Read(chunk.data(), chunk.size()) > 0) {
      }
    });
    bare += Seconds(t);
    t = Clock::now();
    {
      const std::vector<uint8_t> packed = ZCompress(saved.Plain.data(), saved.Plain.size(), kZMaxCompression);
      WriteFileAtomic(copy, packed.data(), packed.size());
    }
    deflate += Seconds(t);
  }
  state.counters["stream_bytes"] = static_cast<double>(saved.Plain.size());
  state.counters["open_ms"] = open * 1000 / static_cast<double>(state.iterations());
  state.counters["save_ms"] = save * 1000 / static_cast<double>(state.iterations());
  state.counters["open_per_inflate"] = inflate > 0 ? open / inflate : 0;  // goal within 1.15
  state.counters["open_per_bare_inflate"] = bare > 0 ? open / bare : 0;   // the model's own share
  state.counters["save_per_deflate"] = deflate > 0 ? save / deflate : 0;  // goal within 1.1
}
BENCHMARK(BM_ProjectOpenSaveVsZlib)->Unit(benchmark::kMillisecond)->Iterations(5);

// The highest heap use while a project with a value stream of about 50 MB is opened, as a
// multiple of the stream's size.
void BM_ProjectOpenPeakMemory(benchmark::State& state) {
  using namespace zyn;
  TSavedProject saved(10);
  const size_t stream = saved.Plain.size();
  double peak = 0;
  for (auto _ : state) {
    const size_t before = gHeapInUse;
    gHeapPeak = before;
    {
      TZYNProjekt q;
      q.LoadZippedProjectFile(saved.File);
      benchmark::DoNotOptimize(q.GetObjectCount());
    }
    peak = std::max(peak, static_cast<double>(gHeapPeak - before));
  }
  state.counters["stream_bytes"] = static_cast<double>(stream);
  state.counters["peak_per_stream"] = peak / static_cast<double>(stream);  // goal under 1.5
}
BENCHMARK(BM_ProjectOpenPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
