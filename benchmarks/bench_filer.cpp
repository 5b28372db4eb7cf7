// Value stream speed: writing and reading one million mixed values, each compared with a memcpy
// of the same bytes measured in the same run (counter "x_memcpy" = filer time / memcpy time).
#include "model/base/Cp1252.h"
#include "model/base/Filer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kGroups = 125000;  // 8 values each: one million values

const std::string& Umlaut() {
  static const std::string text = zyn::Ansi("Ausgang Küche");
  return text;
}

void WriteMixed(zyn::TWriter& w) {
  for (int i = 0; i < kGroups; ++i) {
    w.WriteListBegin();
    w.WriteInteger(i % 200 - 100);
    w.WriteInteger(i * 37);
    w.WriteString((i & 15) == 0 ? Umlaut() : std::string_view("Kanal_01234"));
    w.WriteBoolean((i & 1) != 0);
    w.WriteFloat(i * 0.25L);
    w.WriteIdent("alClient");
    w.WriteListEnd();
  }
}

int64_t ReadMixed(zyn::TReader& r) {
  int64_t sum = 0;
  for (int i = 0; i < kGroups; ++i) {
    r.ReadListBegin();
    sum += r.ReadInteger();
    sum += r.ReadInteger();
    sum += static_cast<int64_t>(r.ReadString().size());
    sum += r.ReadBoolean();
    sum += static_cast<int64_t>(r.ReadFloat());
    sum += static_cast<int64_t>(r.ReadIdent().size());
    r.ReadListEnd();
  }
  return sum;
}

const std::vector<uint8_t>& Encoded() {
  static const std::vector<uint8_t> bytes = [] {
    zyn::TMemoryStream s;
    {
      zyn::TWriter w(s);
      WriteMixed(w);
    }
    return s.Bytes();
  }();
  return bytes;
}

// Best of several memcpy runs of the encoded bytes, in nanoseconds.
double MemcpyNs() {
  const std::vector<uint8_t>& src = Encoded();
  std::vector<uint8_t> dst(src.size());
  double best = 1e30;
  for (int rep = 0; rep < 20; ++rep) {
    const auto t0 = std::chrono::steady_clock::now();
    std::memcpy(dst.data(), src.data(), src.size());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count());
  }
  return best;
}

template <class Body>
void Measure(benchmark::State& state, Body body) {
  const double memcpyNs = MemcpyNs();
  const auto t0 = std::chrono::steady_clock::now();
  for (auto _ : state) body();
  const auto t1 = std::chrono::steady_clock::now();
  const double perIteration =
      std::chrono::duration<double, std::nano>(t1 - t0).count() / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Encoded().size()));
  state.counters["values"] = kGroups * 8;
  state.counters["memcpy_us"] = memcpyNs / 1000;
  state.counters["x_memcpy"] = perIteration / memcpyNs;
}

void BM_FilerWrite(benchmark::State& state) {
  zyn::TMemoryStream s;
  s.Bytes().reserve(Encoded().size());
  Measure(state, [&] {
    s.Clear();
    zyn::TWriter w(s);
    WriteMixed(w);
    w.FlushBuffer();
    benchmark::DoNotOptimize(s.Bytes().data());
  });
}
BENCHMARK(BM_FilerWrite)->Unit(benchmark::kMillisecond);

void BM_FilerRead(benchmark::State& state) {
  zyn::TMemoryStream s(Encoded());
  Measure(state, [&] {
    s.SetPosition(0);
    zyn::TReader r(s);
    benchmark::DoNotOptimize(ReadMixed(r));
  });
}
BENCHMARK(BM_FilerRead)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state) {
  const std::vector<uint8_t>& src = Encoded();
  std::vector<uint8_t> dst(src.size());
  Measure(state, [&] {
    std::memcpy(dst.data(), src.data(), src.size());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  });
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace
