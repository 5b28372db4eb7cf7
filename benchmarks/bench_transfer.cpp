// A whole transfer of a full control-module image (31999 bytes of contents: the image written
// in 16-byte blocks, read back in 256-byte blocks and compared, the information block written
// and read back, text, characters, switch-on) over a simulated line of 19200 baud, beside the
// time its telegrams and answers need on the wire (10 bits per byte). "host_per_wire" is the
// measured time divided by that wire time: near 1, the link loses no time to waits or
// repetitions.

#include "bus/TransferRun.h"
#include "bus/ZYNComm.h"
#include "compiler/ImageBuffers.h"
#include "tools/zynsim/core/SimFrameCodec.h"
#include "tools/zynsim/core/SimPort.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// One control module with a full image of random contents.
class TFullImageSource : public zyn::ITransferSource {
 public:
  TFullImageSource() {
    std::mt19937 random(7);
    fImage.Bytes.resize(zyn::kImageSize, 0xFF);
    fImage.Length = zyn::kImageContentLimit;
    for (uint32_t i = 0; i < fImage.Length; ++i) fImage.Bytes[i] = static_cast<uint8_t>(random());
  }
  std::vector<zyn::TTransferTarget> Targets() const override {
    return {{zyn::TTransferTarget::TKind::Steuermodul, 0, "STM 0"}};
  }
  int ControlModuleCount() const override { return 1; }
  bool Modified() const override { return false; }
  void Save() override {}
  bool Compile(std::string&) override { return true; }
  zyn::TModuleImage ModuleImage(int) const override { return fImage; }
  zyn::TDisplayImage DisplayImage(int) const override { return {}; }
  zyn::TProjektInfo ProjectInfo() const override { return {}; }
  std::vector<zyn::TInputModuleRef> InputModules(int) override { return {}; }

 private:
  zyn::TModuleImage fImage;
};

class TNoView : public zyn::ITransferView {
 public:
  void AddLog(const std::string&, int, bool) override {}
  void ClearLog() override {}
  void SetField(zyn::TTransferField, const std::string&) override {}
  void SetProgress(int, int, const std::string&) override {}
  int AskSave(const std::string&) override { return 7; }
  void Warn(const std::string&) override {}
};

// The wire bytes of the telegrams the simulator received and of the answers a fresh simulator
// gives to them.
size_t WireBytes(const std::vector<std::vector<uint8_t>>& telegrams) {
  zyn::sim::TSTMSimulator mirror;
  size_t bytes = 0;
  for (const auto& t : telegrams) {
    zyn::sim::TSimFrame frame;
    frame.Telegram = t;
    frame.Wire = zyn::sim::EncodeFrame(t);
    frame.FcsOk = true;
    int delay = 0;
    bytes += frame.Wire.size() + mirror.HandleFrame(frame, delay).size();
  }
  return bytes;
}

void BM_TransferFullImageAt19200(benchmark::State& state) {
  double hostMs = 0, wireMs = 0;
  for (auto _ : state) {
    zyn::sim::TSTMSimulator sim;
    zyn::sim::TSimPort port{sim};
    zyn::TZYNComm comm;
    TFullImageSource source;
    TNoView view;
    zyn::TTransferRun run(comm, source, view);
    run.Settings.Serial.DevicePath = port.OpenPty();
    run.Settings.Serial.MaxTimeout = 100;  // the options' defaults
    run.Settings.Serial.MaxRepeat = 3;
    run.Settings.Serial.MinPause = 0;
    run.Settings.PauseMs = 0;
    run.Settings.LongPauseMs = 0;
    run.Settings.TickMs = 0;
    comm.SetCloseDelay(0);
    port.SetLineRate(19200);
    port.Start();
    const auto started = Clock::now();
    if (!run.Run(0)) state.SkipWithError("transfer failed");
    hostMs += std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    std::vector<std::vector<uint8_t>> received;
    {
      auto lock = sim.Lock();
      received = sim.Received();
    }
    wireMs += WireBytes(received) * 10.0 / 19200.0 * 1000.0;
    port.Stop();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["wire_ms"] = wireMs / n;
  state.counters["host_ms"] = hostMs / n;
  state.counters["host_per_wire"] = hostMs / wireMs;
}
BENCHMARK(BM_TransferFullImageAt19200)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
