#pragma once
// The timers and flags of a running control module as its viewers read, show and write them.
// No Qt; the timer and flag pages drive these pieces on an open link.

#include "bus/ZYNComm.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

// The timer records of one control module, indexed by timer number (0 to 127).
class TSTMTimerTable {
 public:
  static constexpr int kMaxTimers = 128;

  // Reads the timer count (at most 128) and each timer; returns the numbers read, in order.
  // Log lines: "Timer %3.3d erforlgreich ausgelesen" / "Fehler beim Auslesen von Timer %3.3d".
  std::vector<int> ReadAll(TZYNComm& comm, uint8_t module, std::vector<std::string>& log);
  // Writes the given timers; log lines "Timer %3.3d erforlgreich geändert" / "Fehler beim Ändern
  // von Timer %3.3d". True when every one was confirmed.
  bool WriteAll(TZYNComm& comm, uint8_t module, const std::vector<int>& numbers, std::vector<std::string>& log);

  TTimerRecord& Record(int number) { return fRecords.at(static_cast<size_t>(number)); }
  const TTimerRecord& Record(int number) const { return fRecords.at(static_cast<size_t>(number)); }

  // The switch-on (on = true) or switch-off edge of a timer: its day mask and "hh:mm".
  static uint8_t DayMask(const TTimerRecord& r, bool on) { return r[on ? 2 : 5]; }
  static std::string SwitchTime(const TTimerRecord& r, bool on);
  // Takes a day mask and a "h:m" text into the record: the text before the first ":" and the
  // two characters after it, each trimmed, are hour and minute; a text without ":" leaves both
  // unchanged, a part that is no number (or out of range) leaves its value unchanged.
  static void SetEdge(TTimerRecord& r, bool on, uint8_t dayMask, const std::string& timeText);

 private:
  std::array<TTimerRecord, kMaxTimers> fRecords{};
};

// Reads the 1024 flag bytes; makes the receive buffer large enough for the answer first.
bool ReadSTMFlags(TZYNComm& comm, std::array<uint8_t, 1024>& flags);
// "EIN" for a flag byte 0, "AUS" for every other value.
const char* FlagText(uint8_t value);
// "$" and two upper-case hex digits.
std::string FlagHeader(int n);

}  // namespace zyn
