// Host-side cost of the bus link over a pseudo-terminal against the simulator, beside the time
// the same bytes need on a real line at 19200 baud (10 bits per byte: start, 8 data, stop).
// The counter "wire_ms" is that line time, "host_per_wire" the measured time divided by it.

#include "bus/ZYNComm.h"
#include "tools/zynsim/core/SimFrameCodec.h"
#include "tools/zynsim/core/SimPort.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <vector>

namespace {

constexpr double kBitsPerByte = 10.0;
constexpr double kBaud = 19200.0;

double WireMs(size_t bytes) { return bytes * kBitsPerByte / kBaud * 1000.0; }

using Clock = std::chrono::steady_clock;

// Mean wall time per iteration since started, in milliseconds.
double HostMs(const benchmark::State& state, Clock::time_point started) {
  const double total = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  return state.iterations() ? total / static_cast<double>(state.iterations()) : 0.0;
}

struct TBench {
  zyn::sim::TSTMSimulator sim;
  zyn::sim::TSimPort port{sim};
  zyn::TZYNComm comm;

  TBench() {
    const std::string path = port.OpenPty();
    port.Start();
    comm.SetCloseDelay(0);
    comm.SetP_DevicePath(path);
    comm.OpenLink();
  }
};

void BM_StatusRoundTrip(benchmark::State& state) {
  TBench b;
  const auto started = Clock::now();
  for (auto _ : state) {
    if (!b.comm.GetModuleStatus()) state.SkipWithError("no answer");
  }
  const double host = HostMs(state, started);
  const size_t request = zyn::sim::EncodeFrame({0xFE, 0x00, 0x05, 0x00}).size();
  const size_t answer = zyn::sim::EncodeFrame({0, 0xFE, 5, 0, 12, 0, 4, 10, 12, 26, '7', '8'}).size();
  const double wire = WireMs(request + answer);
  state.counters["wire_ms"] = wire;
  state.counters["host_ms"] = host;
  state.counters["host_per_wire"] = host / wire;
}
BENCHMARK(BM_StatusRoundTrip)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Write32K(benchmark::State& state) {
  TBench b;
  std::vector<uint8_t> image(0x8000);
  std::mt19937 random(1);
  for (auto& x : image) x = static_cast<uint8_t>(random());
  b.comm.EnterServiceMode();
  const auto started = Clock::now();
  for (auto _ : state) {
    if (!b.comm.WriteModuleMemory(image.data(), 0x4000, 0x8000, 1)) state.SkipWithError("write failed");
  }
  const double host = HostMs(state, started);
  // The same telegrams and answers on the line.
  size_t bytes = 0;
  for (size_t offset = 0, seq = 1; offset < image.size(); offset += 16, ++seq) {
    std::vector<uint8_t> t(6 + 16);
    t[0] = 0xFE, t[1] = 0x00, t[2] = 0x01, t[3] = static_cast<uint8_t>(seq);
    t[4] = static_cast<uint8_t>((0x4000 + offset) >> 8), t[5] = static_cast<uint8_t>(offset & 0xFF);
    for (size_t i = 0; i < 16; ++i) t[6 + i] = image[offset + i];
    bytes += zyn::sim::EncodeFrame(t).size();
    bytes += zyn::sim::EncodeFrame({0x00, 0xFE, 0x01, static_cast<uint8_t>(seq)}).size();
  }
  const double wire = WireMs(bytes);
  state.counters["wire_ms"] = wire;
  state.counters["host_ms"] = host;
  state.counters["host_per_wire"] = host / wire;
}
BENCHMARK(BM_Write32K)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// A read-back on a simulated line of 19200 baud with the options' short time-out (100 ms, three
// repetitions): every 256-byte answer takes longer on the wire than the time-out, so the link
// waits for the wire time. host_per_wire near 1 means the slow line costs no repetitions.
void BM_ReadBackAtLineRate(benchmark::State& state) {
  TBench b;
  b.port.SetLineRate(19200);
  b.comm.SetP_RecTimeout(100);
  b.comm.SetP_SendRepeat(3);
  constexpr uint32_t kCount = 4096;
  std::vector<uint8_t> back(kCount);
  const auto started = Clock::now();
  for (auto _ : state) {
    if (!b.comm.ReadModuleMemory(back.data(), 0x4000, kCount)) state.SkipWithError("read failed");
  }
  const double host = HostMs(state, started);
  size_t bytes = 0;
  for (uint32_t offset = 0, seq = 0; offset < kCount; offset += 256, ++seq) {
    bytes += zyn::sim::EncodeFrame({0xFE, 0x00, 0x02, static_cast<uint8_t>(seq), 0x40, 0x00, 0x01, 0x00}).size();
    std::vector<uint8_t> answer{0x00, 0xFE, 0x02, static_cast<uint8_t>(seq)};
    answer.insert(answer.end(), 256, 0xFF);  // the erased memory the simulator starts with
    bytes += zyn::sim::EncodeFrame(answer).size();
  }
  const double wire = WireMs(bytes);
  state.counters["wire_ms"] = wire;
  state.counters["host_ms"] = host;
  state.counters["host_per_wire"] = host / wire;
}
BENCHMARK(BM_ReadBackAtLineRate)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
