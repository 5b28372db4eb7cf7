#pragma once
// A simulated bus behind the serial interface: control modules 0 to 3 with 64 KB memory,
// clock, flags, timers, module text, special characters and the bus modules behind them, and
// display panels (station 7 - n for display n). It answers the telegrams of the command set and
// injects faults on request. Not thread-safe by itself: hold Lock() while touching its state
// from another thread than the one that feeds it frames.

#include "tools/zynsim/core/SimFrameCodec.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <vector>

namespace zyn::sim {

struct TSimBusModule {
  bool Present = true;
  uint8_t Info = 0;                                // answer byte [3] of a query
  std::array<uint8_t, 3> State{};                  // answer bytes [7], [8], [9]
  std::map<uint8_t, std::vector<uint8_t>> Curves;  // curve number -> 272 bytes
  // Shift of the output numbers in the command byte; the bits below it are the command code.
  int AusShift = 5;
  // Output numbers whose priorities were released, in the order of the telegrams.
  std::vector<int> PriorityReleases;
  int Switched = 0;  // switching telegrams obeyed

  uint16_t Outputs() const { return static_cast<uint16_t>(State[0] | State[1] << 8); }
  uint16_t Inputs() const { return static_cast<uint16_t>(State[1] | State[2] << 8); }

  void SetOutputs(uint16_t word) { State[0] = word & 0xFF, State[1] = word >> 8; }
  void SetInputs(uint16_t word) { State[1] = word & 0xFF, State[2] = word >> 8; }
};

struct TSimControlModule {
  bool Present = true;
  bool Running = true;
  // The parallel EEPROM (program memory from 0x4000 on) in the module's 64 KB address space.
  std::vector<uint8_t> Memory = std::vector<uint8_t>(0x10000, 0xFF);
  std::vector<uint8_t> SerialEeprom = std::vector<uint8_t>(0x2000, 0xFF);
  // A broken chip: its test fails and leaves a pattern behind instead of zeros.
  bool ParallelEepromBroken = false;
  bool SerialEepromBroken = false;
  // Worn cells of the parallel EEPROM: address -> the value the cell keeps whatever is written or
  // erased.
  std::map<uint32_t, uint8_t> StuckCells;
  uint8_t Hour = 12, Minute = 0, Weekday = 4, Day = 10, Month = 12, Year = 26;
  std::array<uint8_t, 2> Version{'7', '8'};
  std::array<uint8_t, 1024> Flags{};
  std::vector<std::array<uint8_t, 9>> Timers = std::vector<std::array<uint8_t, 9>>(16);
  std::string Text;
  std::array<std::vector<uint8_t>, 8> Characters;
  std::map<uint8_t, TSimBusModule> Modules;  // by address byte
  int Restarts = 0;
  int PowerOnReleases = 0;
};

struct TSimDisplay {
  bool Present = true;
  std::vector<uint8_t> Memory = std::vector<uint8_t>(0x10000, 0xFF);
  bool Finished = false;
};

// Faults drawn at random for every telegram, in per mille, from a seeded generator.
struct TSimChances {
  int Deaf = 0;    // the telegram is lost on the way: the module never sees it
  int Silent = 0;  // the answer is lost on the way
  int BadFcs = 0;
  int WrongStation = 0;
  int Truncate = 0;
  int Refuse = 0;       // the module answers with status 0xFF
  int Unsolicited = 0;  // a spontaneous frame before the answer
  int Duplicate = 0;    // the answer goes out twice
  int Late = 0;         // the answer is held back by a pause of up to LateMaxMs
  int LateMaxMs = 0;
  int Junk = 0;         // up to JunkMaxBytes random bytes (flags among them) before the answer
  int JunkMaxBytes = 40;
};

// Faults for the next answers. A count of -1 applies to every answer until reset.
struct TSimFaults {
  int After = 0;         // answers that pass untouched before the faults below apply
  int Deaf = 0;          // ignore the telegram altogether (lost on the way to the module)
  int Silent = 0;        // give no answer
  int DelayMs = 0;       // pause before an answer ...
  int Delayed = -1;      // ... for this many answers (-1: every one)
  int DelayCommand = -1;  // ... only of telegrams with this command byte (-1: any)
  int BadFcs = 0;        // damage the FCS
  int WrongStation = 0;  // answer with another sender byte
  int Truncate = 0;      // send half the frame without the end flag
  int Status = 0;        // replace the status byte by StatusByte
  uint8_t StatusByte = 0xFF;
  int Unsolicited = 0;  // send a spontaneous frame (command 0x12) before the answer
  bool Echo = false;    // echo every telegram like a two-wire adapter
  TSimChances Chances;
};

class TSTMSimulator {
 public:
  TSTMSimulator();

  std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(fMutex); }

  TSimControlModule& ControlModule(int n) { return fModules.at(static_cast<size_t>(n)); }
  TSimDisplay& Display(int n) { return fDisplays.at(static_cast<size_t>(n)); }
  TSimFaults& Faults() { return fFaults; }
  // Seeds the generator of the random faults.
  void Seed(uint32_t seed) { fRandom.seed(seed); }
  // Group address of the simulated installation (high nibble of the station byte).
  void SetGroup(uint8_t group) { fGroup = group; }
  uint8_t PCAddress() const { return fPCAddress; }

  // Handles one received frame and returns what goes on the line (nothing for no answer),
  // with the pause before it.
  std::vector<uint8_t> HandleFrame(const TSimFrame& frame, int& delayMs);

  // Every frame received, as telegram bytes without FCS, in order.
  const std::vector<std::vector<uint8_t>>& Received() const { return fReceived; }
  void ClearReceived() { fReceived.clear(); }

  // Log lines "hh:mm:ss.mmm <direction> <bytes>" of every frame in and out.
  std::function<void(const std::string& line)> OnLog;

  // A spontaneous telegram of control module n to the PC.
  std::vector<uint8_t> SpontaneousFrame(int n, uint8_t command, uint8_t sequence) const;
  // The state telegram (command 0x20) of control module n for its bus module at the address
  // byte: sequence, module byte, output word and input word (high byte first).
  std::vector<uint8_t> StateFrame(int n, uint8_t moduleByte, uint8_t sequence);

 private:
  std::vector<uint8_t> Answer(const std::vector<uint8_t>& request);
  std::vector<uint8_t> AnswerControlModule(TSimControlModule& m, const std::vector<uint8_t>& t);
  std::vector<uint8_t> AnswerDisplay(TSimDisplay& d, const std::vector<uint8_t>& t);
  // A switching or priority telegram to a present bus module.
  void Obey(TSimBusModule& module, const std::vector<uint8_t>& t);
  std::vector<uint8_t> ApplyFaults(std::vector<uint8_t> answer);
  void Log(const char* direction, const std::vector<uint8_t>& wire);

  std::mutex fMutex;
  std::array<TSimControlModule, 4> fModules;
  std::array<TSimDisplay, 4> fDisplays;
  TSimFaults fFaults;
  uint8_t fGroup = 0;
  uint8_t fPCAddress = 254;
  std::vector<std::vector<uint8_t>> fReceived;
  std::mt19937 fRandom{1};
  bool Chance(int perMille);
};

}  // namespace zyn::sim
