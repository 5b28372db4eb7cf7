// zyn-stm-sim: a simulated ZYN bus with control modules, display panels and bus modules behind
// a pseudo-terminal, for working with the bus pages without hardware.
//
//   zyn-stm-sim [--device PATH] [--modules 0,1,2,3] [--version 78] [--delay MS] [--silent]
//               [--bad-fcs N] [--echo] [--quiet]
//
// It prints the path of the terminal to use as the bus port and runs until interrupted.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

#include "tools/zynsim/core/SimPort.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

void Usage() {
  std::fprintf(stderr,
               "usage: zyn-stm-sim [--device PATH] [--modules LIST] [--version NN] [--delay MS]\n"
               "                   [--silent] [--bad-fcs N] [--echo] [--quiet]\n");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zyn::sim;
  TSTMSimulator sim;
  std::string device;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        Usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--device") {
      device = value();
    } else if (arg == "--modules") {
      const std::string list = value();
      for (int n = 0; n < 4; ++n) sim.ControlModule(n).Present = list.find(char('0' + n)) != std::string::npos;
    } else if (arg == "--version") {
      const std::string v = value();
      if (v.size() != 2) {
        Usage();
        return 2;
      }
      for (int n = 0; n < 4; ++n) sim.ControlModule(n).Version = {uint8_t(v[0]), uint8_t(v[1])};
    } else if (arg == "--delay") {
      sim.Faults().DelayMs = std::atoi(value().c_str());
    } else if (arg == "--silent") {
      sim.Faults().Silent = -1;
    } else if (arg == "--bad-fcs") {
      sim.Faults().BadFcs = std::atoi(value().c_str());
    } else if (arg == "--echo") {
      sim.Faults().Echo = true;
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      Usage();
      return 2;
    }
  }
  // Bus modules behind control module 0: one output module, one input module.
  sim.ControlModule(0).Modules[0x20].SetOutputs(0x0005);
  sim.ControlModule(0).Modules[0x00].SetInputs(0x0003);
  if (!quiet) sim.OnLog = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };

  TSimPort port(sim);
  try {
    if (device.empty())
      std::printf("zyn-stm-sim: %s\n", port.OpenPty().c_str());
    else
      port.OpenDevice(device), std::printf("zyn-stm-sim: %s\n", device.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zyn-stm-sim: %s\n", e.what());
    return 1;
  }
  std::fflush(stdout);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  port.Start();
  while (!gStop) ::pause();
  port.Stop();
  return 0;
}
