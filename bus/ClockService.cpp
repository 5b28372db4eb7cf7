#include "bus/ClockService.h"

#include "model/base/Cp1252.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace zyn {

namespace {

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// Splits "a<sep>b<sep>c" into numbers of at most maxDigits digits each (blanks around them
// allowed); nothing when a part is empty or not a number.
std::optional<std::vector<int>> SplitNumbers(const std::string& text, char sep, size_t minParts, size_t maxParts) {
  std::vector<int> parts;
  std::string current;
  auto flush = [&]() -> bool {
    size_t b = current.find_first_not_of(' '), e = current.find_last_not_of(' ');
    if (b == std::string::npos) return false;
    const std::string digits = current.substr(b, e - b + 1);
    if (digits.size() > 4) return false;
    for (char c : digits)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    parts.push_back(std::stoi(digits));
    current.clear();
    return true;
  };
  for (char c : text) {
    if (c == sep) {
      if (!flush()) return std::nullopt;
    } else {
      current += c;
    }
  }
  if (!flush() || parts.size() < minParts || parts.size() > maxParts) return std::nullopt;
  return parts;
}

std::string Printf2(const char* pattern, int a, int b, int c) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, a, b, c);
  return text;
}

TZYNDateTime FromTm(const std::tm& tm) {
  TZYNDateTime dt;
  dt.Year = tm.tm_year + 1900, dt.Month = tm.tm_mon + 1, dt.Day = tm.tm_mday;
  dt.Hour = tm.tm_hour, dt.Minute = tm.tm_min, dt.Second = tm.tm_sec;
  return dt;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return year >= 1900 && year <= 2099 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::optional<TZYNDateTime> ParseClockDate(const std::string& text) {
  const auto parts = SplitNumbers(text, '.', 3, 3);
  if (!parts) return std::nullopt;
  TZYNDateTime dt;
  dt.Day = (*parts)[0];
  dt.Month = (*parts)[1];
  dt.Year = (*parts)[2] < 100 ? 2000 + (*parts)[2] : (*parts)[2];
  if (!IsValidDate(dt.Year, dt.Month, dt.Day)) return std::nullopt;
  return dt;
}

bool ParseClockTime(const std::string& text, TZYNDateTime& dt) {
  const auto parts = SplitNumbers(text, ':', 2, 3);
  if (!parts) return false;
  const int h = (*parts)[0], m = (*parts)[1], s = parts->size() > 2 ? (*parts)[2] : 0;
  if (h > 23 || m > 59 || s > 59) return false;
  dt.Hour = h, dt.Minute = m, dt.Second = s;
  return true;
}

std::string FormatClockDate(const TZYNDateTime& dt) {
  return Printf2("%02d.%02d.%02d", dt.Day, dt.Month, dt.Year % 100);
}

std::string FormatClockTime(const TZYNDateTime& dt) { return Printf2("%02d:%02d:%02d", dt.Hour, dt.Minute, dt.Second); }

TZYNDateTime LocalDateTime(std::chrono::system_clock::time_point t) {
  const std::time_t tt = std::chrono::system_clock::to_time_t(t);
  std::tm tm{};
  localtime_r(&tt, &tm);
  return FromTm(tm);
}

TZYNDateTime AddMinutes(const TZYNDateTime& dt, int minutes) {
  // Calendar arithmetic on a UTC day count, independent of the local time zone.
  std::tm tm{};
  tm.tm_year = dt.Year - 1900, tm.tm_mon = dt.Month - 1, tm.tm_mday = dt.Day;
  tm.tm_hour = dt.Hour, tm.tm_min = dt.Minute + minutes, tm.tm_sec = dt.Second;
  const std::time_t t = timegm(&tm);
  std::tm out{};
  gmtime_r(&t, &out);
  return FromTm(out);
}

int MillisecondsToFullMinute(int second) { return 60100 - 1000 * second; }

std::array<bool, 4> SearchControlModules(TZYNComm& comm) {
  std::array<bool, 4> found{};
  const uint16_t timeout = comm.P_RecTimeout(), repeats = comm.P_SendRepeat();
  struct TRestore {
    TZYNComm& c;
    uint16_t timeout, repeats;
    ~TRestore() {
      c.SetP_RecTimeout(timeout);
      c.SetP_SendRepeat(repeats);
      c.CloseLink();
    }
  } restore{comm, timeout, repeats};
  comm.OpenLink();
  comm.SetP_RecTimeout(75);
  comm.SetP_SendRepeat(1);
  for (uint8_t a = 0; a < 4; ++a) found[a] = comm.ProbeModule(a);
  return found;
}

std::array<bool, 4> SetModuleClocks(TZYNComm& comm, const std::array<bool, 4>& chosen, const TZYNDateTime& dt) {
  std::array<bool, 4> done{};
  if (!IsValidDate(dt.Year, dt.Month, dt.Day) || dt.Hour < 0 || dt.Hour > 23 || dt.Minute < 0 || dt.Minute > 59)
    return done;
  for (uint8_t a = 0; a < 4; ++a) {
    if (!chosen[a]) continue;
    comm.SetA_Steuermodul(a);
    comm.OpenLink();
    try {
      done[a] = comm.SetModuleDateTime(dt);
    } catch (...) {
      comm.CloseLink();
      throw;
    }
    comm.CloseLink();
  }
  return done;
}

std::optional<TZYNDateTime> ClockEdgeStart(const TZYNDateTime& today, const std::string& edgeTime) {
  TZYNDateTime t = today;
  if (!ParseClockTime(edgeTime, t)) return std::nullopt;
  t.Second = 0;
  return AddMinutes(t, -1);
}

bool TClockTestRun::TestEdge(const TClockTestClock& clock, const std::string& time, const char* label,
                             const TZYNDateTime& today) {
  fLog(clock.Name + " " + fComm.TranslateText(Ansi(label)));
  const auto start = ClockEdgeStart(today, time);
  // Also an unconfirmed setting may have reached the module.
  if (start) fChanged = true;
  if (!start || !fComm.SetModuleDateTime(*start)) {
    ++fFailures;
    fLog(fComm.TranslateText(Ansi("Die Uhrzeit konnte nicht gesetzt werden")));
  }
  fLog(fComm.TranslateText(Ansi("60 Sekunden warten")));
  if (!fWait()) fAborted = true;
  return !fAborted;
}

bool TClockTestRun::TestClock(const TClockTestClock& clock, TClockEdges edges, const TZYNDateTime& today) {
  if (!fAborted && edges != TClockEdges::Off) TestEdge(clock, clock.OnTime, ": Einschalten", today);
  if (!fAborted && edges != TClockEdges::On) TestEdge(clock, clock.OffTime, ": Ausschalten", today);
  return !fAborted;
}

bool RestoreModuleClock(TZYNComm& comm, const std::function<void(const std::string&)>& log,
                        std::chrono::system_clock::time_point now) {
  const TZYNDateTime pc = LocalDateTime(now);
  const bool ok = comm.SetModuleDateTime(pc);
  std::string text =
      ok ? comm.TranslateText(Ansi("Die Uhr des Steuermoduls wurde auf die Zeit des PCs gestellt: %s"))
         : comm.TranslateText(Ansi("Die Uhr des Steuermoduls konnte nicht auf die Zeit des PCs gestellt werden. "
                                   "Bitte stellen Sie sie mit \"Uhrzeit stellen\"."));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, FormatClockDate(pc) + " " + FormatClockTime(pc).substr(0, 5));
  if (log) log(text);
  return ok;
}

std::optional<TStateTelegram> DecodeStateTelegram(const uint8_t* bytes, int count) {
  if (!bytes || count < 9 || bytes[2] != 0x20) return std::nullopt;
  TStateTelegram t;
  t.Sender = bytes[0];
  t.ModuleKey = bytes[4];
  t.Outputs = static_cast<uint16_t>(bytes[5] << 8 | bytes[6]);
  t.Inputs = static_cast<uint16_t>(bytes[7] << 8 | bytes[8]);
  return t;
}

}  // namespace zyn
