#pragma once
// The clocks of the control modules: finding the control modules 0 to 3 on the bus, setting
// their date and time, the switching-edge test of the clocks and the state telegrams (command
// 0x20) that the modules send while it runs. No Qt; the pages drive these pieces.

#include "bus/ZYNComm.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

// --- dates and times ---

bool IsValidDate(int year, int month, int day);
// "dd.mm.yy" or "dd.mm.yyyy" (two-digit years are 2000 + yy); nothing when impossible.
std::optional<TZYNDateTime> ParseClockDate(const std::string& text);
// "hh:mm" or "hh:mm:ss" into the time fields of dt; false (dt unchanged) when impossible.
bool ParseClockTime(const std::string& text, TZYNDateTime& dt);
// "dd.mm.yy" and "hh:mm:ss" texts.
std::string FormatClockDate(const TZYNDateTime& dt);
std::string FormatClockTime(const TZYNDateTime& dt);
// The local date and time of a point in time.
TZYNDateTime LocalDateTime(std::chrono::system_clock::time_point t);
// dt moved by a number of minutes across days, months and years.
TZYNDateTime AddMinutes(const TZYNDateTime& dt, int minutes);
// Milliseconds from the given second of a minute until 100 ms after the next full minute
// (a whole minute at second 0).
int MillisecondsToFullMinute(int second);

// --- control-module search and clock setting ---

// Probes the addresses 0 to 3 with a short time-out (75 ms, one repetition; the link's own
// settings are restored afterwards). The link is opened and closed here.
std::array<bool, 4> SearchControlModules(TZYNComm& comm);

// Sets the date and time of every control module whose flag is set; the link is opened and
// closed for each. The result holds true for each module that confirmed the setting. An
// impossible date or time is refused before anything is sent (all false).
std::array<bool, 4> SetModuleClocks(TZYNComm& comm, const std::array<bool, 4>& chosen, const TZYNDateTime& dt);

// Sets the clock of the link's module back to the PC's local time (after a test that changed
// it) and logs the outcome as a German line (Windows-1252). False when the module did not
// confirm; the line then says so and asks the user to set the clock.
bool RestoreModuleClock(TZYNComm& comm, const std::function<void(const std::string&)>& log,
                        std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// --- clock test ---

enum class TClockEdges { Both, On, Off };

struct TClockTestClock {
  std::string Name;
  std::string OnTime;   // "hh:mm"
  std::string OffTime;  // "hh:mm"
};

// The time the module is set to for an edge at "hh:mm" on the given day: one minute before it
// (23:59 of the day before for an edge at 00:00). Nothing for an impossible time text.
std::optional<TZYNDateTime> ClockEdgeStart(const TZYNDateTime& today, const std::string& edgeTime);

// One test run over clocks on an open link. Wait is called after each edge was sent and
// returns false when the run is to stop; Log receives the German log texts (translated by the
// caller where needed).
class TClockTestRun {
 public:
  TClockTestRun(TZYNComm& comm, std::function<bool()> wait, std::function<void(const std::string&)> log)
      : fComm(comm), fWait(std::move(wait)), fLog(std::move(log)) {}

  // Tests the edges of one clock; false when the run was stopped.
  bool TestClock(const TClockTestClock& clock, TClockEdges edges, const TZYNDateTime& today);
  // Edges that were not confirmed by the module.
  int Failures() const { return fFailures; }
  bool Aborted() const { return fAborted; }
  // A switching time was sent to the module: its clock is to be set back (RestoreModuleClock).
  bool ClockChanged() const { return fChanged; }

 private:
  bool TestEdge(const TClockTestClock& clock, const std::string& time, const char* label, const TZYNDateTime& today);

  TZYNComm& fComm;
  std::function<bool()> fWait;
  std::function<void(const std::string&)> fLog;
  int fFailures = 0;
  bool fAborted = false;
  bool fChanged = false;
};

// --- state telegrams ---

struct TStateTelegram {
  uint8_t Sender = 0;     // byte 0: group x 16 + control module
  uint8_t ModuleKey = 0;  // byte 4: base class x 32 + module address
  uint16_t Outputs = 0;   // bytes 5 (high) and 6
  uint16_t Inputs = 0;    // bytes 7 (high) and 8
};

// A state telegram (command 0x20, at least 9 bytes) as the link delivers it; nothing otherwise.
std::optional<TStateTelegram> DecodeStateTelegram(const uint8_t* bytes, int count);

}  // namespace zyn
