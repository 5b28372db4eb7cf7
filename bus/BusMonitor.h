#pragma once
// The bus monitor: every telegram the link receives while it listens (answers, telegrams between
// other devices, spontaneous state telegrams of the control modules, frames with a bad FCS),
// with the time it arrived and the link's error state for that very telegram, described for a
// list (time, direction, station, decoded command, raw bytes), filtered and saved as text.
//
// Threads: the link's OnBlock runs on the port's event thread; it copies the telegram with its
// error state into a queue and calls OnArrived there (the page posts a queued call to itself);
// Take and everything else run on the user-interface thread. The link stays open from Start to
// Stop, so spontaneous telegrams reach it at any time.

#include "bus/ZYNExchange.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace zyn {

class TZYNComm;

struct TMonitorTelegram {
  std::chrono::system_clock::time_point Time;
  std::vector<uint8_t> Bytes;  // sender, receiver, command, data and the two FCS bytes
  TZYNCommError Error = errNone;
  int ErrorCode = 0;
};

enum class TMonitorColor { Black, Red, Navy, Blue, Maroon };

// One line of the list (Windows-1252 texts).
struct TMonitorLine {
  std::string Time;       // "hh:mm:ss.zzz"
  std::string Direction;  // "an PC", "vom PC", "Bus"
  std::string Station;    // the other side: "STM 0", "Display 1", "PC", "Station 9"
  std::string Command;    // the decoded command
  std::string Raw;        // "00 FE 05 ... " and " :CRC=$xxxx" for a bad FCS
  TMonitorColor Color = TMonitorColor::Black;
};

// Two upper-case hex digits and one blank per byte.
std::string HexBytes(const std::vector<uint8_t>& bytes);
// The colour and raw text by the telegram's error state.
TMonitorLine DescribeTelegram(const TMonitorTelegram& telegram, uint8_t pcAddress,
                              const std::function<std::string(const std::string&)>& translate);
// The filter: every blank-separated word occurs (case ignored) in one of the columns.
bool MatchesFilter(const TMonitorLine& line, const std::string& filter);
// Time, direction, station, command and bytes separated by tabs.
std::string MonitorLineText(const TMonitorLine& line);
// Writes a header line and the lines as UTF-8 text; false with a German message.
bool SaveMonitorText(const std::string& utf8Path, const std::vector<TMonitorLine>& lines, std::string& message);

class TBusMonitor {
 public:
  explicit TBusMonitor(TZYNComm& comm);
  ~TBusMonitor();
  TBusMonitor(const TBusMonitor&) = delete;
  TBusMonitor& operator=(const TBusMonitor&) = delete;

  // Opens the link with every frame passed on; false with the German message when the port cannot
  // be opened (the link stays closed).
  bool Start(std::string& message);
  // Closes the link.
  void Stop();
  bool Listening() const { return fListening; }

  // Called on the event thread after a telegram was queued.
  std::function<void()> OnArrived;
  // The telegrams queued since the last call, in arrival order.
  std::vector<TMonitorTelegram> Take();

 private:
  void Received(const uint8_t* buffer, int count);

  TZYNComm& fComm;
  bool fListening = false;
  std::mutex fMutex;
  std::vector<TMonitorTelegram> fQueue;
};

}  // namespace zyn
