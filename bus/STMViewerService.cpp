#include "bus/STMViewerService.h"

#include "model/base/Cp1252.h"

#include <algorithm>
#include <cstdio>

namespace zyn {

namespace {

std::string Numbered(const char* pattern, int n) {
  char text[96];
  std::snprintf(text, sizeof text, pattern, n);
  return text;
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// A whole decimal number, or -1.
int ToInt(const std::string& s) {
  if (s.empty() || s.size() > 3 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(s);
}

// The flag answer: sender, receiver, status, a byte, 1024 flags and the FCS.
constexpr uint16_t kFlagBuffer = 2048;

}  // namespace

std::vector<int> TSTMTimerTable::ReadAll(TZYNComm& comm, uint8_t module, std::vector<std::string>& log) {
  std::vector<int> read;
  const int count = std::min(comm.ReadTimerCount(module), kMaxTimers);
  const uint8_t previous = comm.A_Steuermodul();
  comm.SetA_Steuermodul(module);
  for (int i = 0; i < count; ++i) {
    TTimerRecord r{};
    if (comm.ReadTimer(r, static_cast<uint8_t>(i))) {
      fRecords[static_cast<size_t>(i)] = r;
      read.push_back(i);
      log.push_back(Numbered("Timer %3.3d erforlgreich ausgelesen", i));
    } else {
      log.push_back(Numbered("Fehler beim Auslesen von Timer %3.3d", i));
    }
  }
  comm.SetA_Steuermodul(previous);
  return read;
}

bool TSTMTimerTable::WriteAll(TZYNComm& comm, uint8_t module, const std::vector<int>& numbers,
                              std::vector<std::string>& log) {
  bool all = true;
  for (int n : numbers) {
    const TTimerRecord& r = Record(n);
    if (comm.WriteTimer(module, r)) {
      log.push_back(Numbered(Ansi("Timer %3.3d erforlgreich geändert").c_str(), r[0]));
    } else {
      all = false;
      log.push_back(Numbered(Ansi("Fehler beim Ändern von Timer %3.3d").c_str(), r[0]));
    }
  }
  return all;
}

std::string TSTMTimerTable::SwitchTime(const TTimerRecord& r, bool on) {
  char text[16];
  std::snprintf(text, sizeof text, "%2.2d:%2.2d", r[on ? 3 : 6], r[on ? 4 : 7]);
  return text;
}

void TSTMTimerTable::SetEdge(TTimerRecord& r, bool on, uint8_t dayMask, const std::string& timeText) {
  const size_t base = on ? 2 : 5;
  r[base] = dayMask;
  const size_t colon = timeText.find(':');
  if (colon == std::string::npos) return;
  const int hour = ToInt(Trim(timeText.substr(0, colon)));
  const int minute = ToInt(Trim(timeText.substr(colon + 1, 2)));
  if (hour >= 0 && hour <= 23) r[base + 1] = static_cast<uint8_t>(hour);
  if (minute >= 0 && minute <= 59) r[base + 2] = static_cast<uint8_t>(minute);
}

bool ReadSTMFlags(TZYNComm& comm, std::array<uint8_t, 1024>& flags) {
  if (comm.P_RecBuffSize() < kFlagBuffer) comm.SetP_RecBuffSize(kFlagBuffer);
  return comm.ReadFlags(flags.data());
}

const char* FlagText(uint8_t value) { return value == 0 ? "EIN" : "AUS"; }

std::string FlagHeader(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "$%02X", n & 0xFF);
  return text;
}

}  // namespace zyn
