// zyn-stm-sim: a simulated ZYN bus with control modules, display panels and bus modules behind
// a pseudo-terminal, for working with the bus pages without hardware.
//
//   zyn-stm-sim [--device PATH] [--baud N] [--modules LIST] [--version NN] [--quiet] [fault options]
//
// It prints the path of the terminal to use as the bus port ("zyn-stm-sim: /dev/pts/N"), logs
// every frame with a time stamp on stderr and runs until interrupted or until "quit" is read.
// Faults can also be changed at run time by lines on stdin (see Help()).

#include "tools/zynsim/core/SimPort.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using zyn::sim::TSimChances;
using zyn::sim::TSimFaults;
using zyn::sim::TSTMSimulator;

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

const char* Help() {
  return "options and stdin commands (a count of -1 lasts until changed):\n"
         "  --device PATH        use a serial device instead of a new pseudo-terminal\n"
         "  --baud N             line rate: telegrams and answers take their wire time (19200)\n"
         "  --modules LIST       control modules present, e.g. 013 (default 0123)\n"
         "  --version NN         firmware version characters (default 78)\n"
         "  --quiet              no frame log\n"
         "  deaf N               lose the next N telegrams before the module sees them\n"
         "  silent N             withhold the next N answers\n"
         "  delay MS [N]         pause before every answer (or the next N)\n"
         "  badfcs N             damage the FCS of the next N answers\n"
         "  wrong N              answer N times with another sender byte\n"
         "  truncate N           send N answers cut in half without the end flag\n"
         "  status BYTE N        replace the status byte of the next N answers (hex)\n"
         "  unsolicited N        send a spontaneous frame before the next N answers\n"
         "  echo on|off          echo every telegram like a two-wire adapter\n"
         "  seed N               seed of the random faults\n"
         "  delaycmd CMD MS      pause before every answer to command CMD (hex)\n"
         "  chance KIND PERMILLE random fault per telegram, KIND one of deaf silent badfcs wrong\n"
         "                       truncate refuse unsolicited duplicate junk\n"
         "  late PERMILLE MS     hold an answer back by a random pause of up to MS\n"
         "  eeprom CM parallel|serial broken|ok   a failing or sound EEPROM of control module CM\n"
         "  absent CM | present CM     remove or restore control module CM\n"
         "  module CM ADDR on|off      a bus module (address byte, hex) behind CM\n"
         "  spont CM CMD SEQ     send a spontaneous frame of CM now (hex)\n"
         "  inputs CM ADDR WORD  set the inputs of a bus module (hex)\n"
         "  state CM ADDR        send the state telegram of a bus module of CM now (hex)\n"
         "  noise N              put N random bytes on the line\n"
         "  clear                no faults\n"
         "  show CM              print the state of control module CM on stdout:\n"
         "                       \"zyn-stm-sim: stm CM present|absent running|stopped DD.MM.YY hh:mm\"\n"
         "  dump CM FILE         write the 64 KB memory of control module CM into FILE, then print\n"
         "                       \"zyn-stm-sim: dump CM FILE\" (or \"... failed\") on stdout\n"
         "  quit\n";
}

// Applies one command; false when it is not understood.
bool Apply(TSTMSimulator& sim, zyn::sim::TSimPort* port, const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  in >> cmd;
  if (cmd.empty()) return true;
  auto lock = sim.Lock();
  TSimFaults& f = sim.Faults();
  int n = 0;
  std::string text;
  if (cmd == "deaf" && in >> n) return f.Deaf = n, true;
  if (cmd == "silent" && in >> n) return f.Silent = n, true;
  if (cmd == "seed" && in >> n) return sim.Seed(static_cast<uint32_t>(n)), true;
  std::string kind;
  if (cmd == "chance" && in >> kind >> n) {
    TSimChances& c = f.Chances;
    int* target = kind == "deaf"          ? &c.Deaf
                  : kind == "silent"      ? &c.Silent
                  : kind == "badfcs"      ? &c.BadFcs
                  : kind == "wrong"       ? &c.WrongStation
                  : kind == "truncate"    ? &c.Truncate
                  : kind == "refuse"      ? &c.Refuse
                  : kind == "unsolicited" ? &c.Unsolicited
                  : kind == "duplicate"   ? &c.Duplicate
                  : kind == "junk"        ? &c.Junk
                                          : nullptr;
    if (!target) return false;
    *target = n;
    return true;
  }
  int ms = 0;
  if (cmd == "late" && in >> n >> ms) return f.Chances.Late = n, f.Chances.LateMaxMs = ms, true;
  std::string chip, state;
  if (cmd == "eeprom" && in >> n >> chip >> state && n >= 0 && n < 4 && (chip == "parallel" || chip == "serial")) {
    auto& m = sim.ControlModule(n);
    (chip == "parallel" ? m.ParallelEepromBroken : m.SerialEepromBroken) = state == "broken";
    return true;
  }
  if (cmd == "delaycmd" && in >> std::hex >> n >> std::dec >> ms) {
    f.DelayCommand = n;
    f.DelayMs = ms;
    f.Delayed = -1;
    return true;
  }
  if (cmd == "delay" && in >> n) {
    f.DelayCommand = -1;
    f.DelayMs = n;
    f.Delayed = (in >> n) ? n : -1;
    return true;
  }
  if (cmd == "badfcs" && in >> n) return f.BadFcs = n, true;
  if (cmd == "wrong" && in >> n) return f.WrongStation = n, true;
  if (cmd == "truncate" && in >> n) return f.Truncate = n, true;
  if (cmd == "unsolicited" && in >> n) return f.Unsolicited = n, true;
  if (cmd == "status" && in >> std::hex >> n) {
    f.StatusByte = static_cast<uint8_t>(n);
    f.Status = (in >> std::dec >> n) ? n : 1;
    return true;
  }
  if (cmd == "echo" && in >> text) return f.Echo = text == "on", true;
  if ((cmd == "absent" || cmd == "present") && in >> n && n >= 0 && n < 4)
    return sim.ControlModule(n).Present = cmd == "present", true;
  int address = 0;
  if (cmd == "module" && in >> n >> std::hex >> address >> text && n >= 0 && n < 4)
    return sim.ControlModule(n).Modules[static_cast<uint8_t>(address)].Present = text == "on", true;
  int command = 0, sequence = 0;
  if (cmd == "spont" && port && in >> n >> std::hex >> command >> sequence && n >= 0 && n < 8) {
    const auto frame = sim.SpontaneousFrame(n, static_cast<uint8_t>(command), static_cast<uint8_t>(sequence));
    lock.unlock();
    port->WriteRaw(frame);
    return true;
  }
  if (cmd == "inputs" && in >> n >> std::hex >> address >> command && n >= 0 && n < 4)
    return sim.ControlModule(n).Modules[static_cast<uint8_t>(address)].SetInputs(static_cast<uint16_t>(command)), true;
  if (cmd == "state" && port && in >> n >> std::hex >> address && n >= 0 && n < 4) {
    const auto frame = sim.StateFrame(n, static_cast<uint8_t>(address), 0);
    lock.unlock();
    port->WriteRaw(frame);
    return true;
  }
  if (cmd == "noise" && port && in >> n && n > 0) {
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    for (auto& b : bytes) b = static_cast<uint8_t>(std::rand());
    lock.unlock();
    port->WriteRaw(bytes);
    return true;
  }
  if (cmd == "show" && in >> n && n >= 0 && n < 4) {
    const auto& m = sim.ControlModule(n);
    std::printf("zyn-stm-sim: stm %d %s %s %02d.%02d.%02d %02d:%02d\n", n, m.Present ? "present" : "absent",
                m.Running ? "running" : "stopped", m.Day, m.Month, m.Year, m.Hour, m.Minute);
    std::fflush(stdout);
    return true;
  }
  if (cmd == "dump" && in >> n >> text && n >= 0 && n < 4) {
    const auto& memory = sim.ControlModule(n).Memory;
    FILE* file = std::fopen(text.c_str(), "wb");
    bool ok = file && std::fwrite(memory.data(), 1, memory.size(), file) == memory.size();
    if (file && std::fclose(file) != 0) ok = false;
    std::printf("zyn-stm-sim: dump %d %s%s\n", n, text.c_str(), ok ? "" : " failed");
    std::fflush(stdout);
    return true;
  }
  if (cmd == "clear") return f = TSimFaults{}, true;
  if (cmd == "quit") return gStop = 1, true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  TSTMSimulator sim;
  std::string device;
  bool quiet = false;
  int baud = 19200;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fputs(Help(), stderr);
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--device") {
      device = value();
    } else if (arg == "--baud") {
      baud = std::atoi(value().c_str());
      if (baud < 0) {
        std::fputs(Help(), stderr);
        return 2;
      }
    } else if (arg == "--modules") {
      const std::string list = value();
      for (int n = 0; n < 4; ++n) sim.ControlModule(n).Present = list.find(char('0' + n)) != std::string::npos;
    } else if (arg == "--version") {
      const std::string v = value();
      if (v.size() != 2) {
        std::fputs(Help(), stderr);
        return 2;
      }
      for (int n = 0; n < 4; ++n) sim.ControlModule(n).Version = {uint8_t(v[0]), uint8_t(v[1])};
    } else if (arg == "--quiet") {
      quiet = true;
    } else if (arg.rfind("--", 0) == 0 &&
               Apply(sim, nullptr, arg.substr(2) + " " + (i + 1 < argc ? argv[i + 1] : ""))) {
      ++i;
    } else {
      std::fputs(Help(), stderr);
      return 2;
    }
  }
  // Bus modules behind control module 0: an output module and an input module.
  sim.ControlModule(0).Modules[0x20].SetOutputs(0x0005);
  sim.ControlModule(0).Modules[0x00].SetInputs(0x0003);
  if (!quiet) sim.OnLog = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };

  zyn::sim::TSimPort port(sim);
  port.SetLineRate(baud);
  try {
    if (device.empty()) {
      std::printf("zyn-stm-sim: %s\n", port.OpenPty().c_str());
    } else {
      port.OpenDevice(device);
      std::printf("zyn-stm-sim: %s\n", device.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zyn-stm-sim: %s\n", e.what());
    return 1;
  }
  std::fflush(stdout);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  port.Start();
  bool input = true;
  std::string pending;
  while (!gStop) {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    if (!input || ::poll(&p, 1, 200) <= 0) {
      if (!input) ::pause();
      continue;
    }
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      input = false;  // stdin closed: run until a signal
      continue;
    }
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!Apply(sim, &port, line)) std::fprintf(stderr, "zyn-stm-sim: not understood: %s\n%s", line.c_str(), Help());
    }
  }
  port.Stop();
  return 0;
}
