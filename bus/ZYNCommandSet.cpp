#include "bus/ZYNCommandSet.h"

#include "model/base/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zyn {

namespace {

constexpr uint8_t kRead = 0x02;
constexpr uint8_t kWrite = 0x01;
constexpr uint8_t kAbsent = 0xF0;
constexpr size_t kStatusLength = 12;  // status answer up to the second version character
constexpr size_t kQueryLength = 10;   // module query answer up to the inputs' high byte
constexpr uint16_t kLongTimeout = 10000;
constexpr uint16_t kEepromTimeout = 30000;
constexpr size_t kFlagCount = 1024;
constexpr size_t kTimerLength = 13;  // timer answer up to the record's last byte
constexpr size_t kGuidLength = 38;
// An answer whose length nobody knows in advance (a telegram typed by the user).
constexpr size_t kRawAnswerLength = 64;
// Status bytes with which a module refuses a command: its own answer, but no success.
constexpr uint8_t kRefusals[] = {0xFF, 0xFE};

std::string Printf(const char* pattern, int a, int b, int c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b, c);
  return text;
}

// The range address .. address + count - 1 lies in the module's 64 KiB (no wrap-around).
bool FitsAddressSpace(uint32_t address, uint32_t count) { return address <= 0x10000 && count <= 0x10000 - address; }

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// 0 = Sunday ... 6 = Saturday.
int WeekdayOf(int year, int month, int day) {
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[(month - 1) % 12] + day) % 7;
}

}  // namespace

// --- helpers ---

TZYNRequest TZYNCommandSet::Request(const uint8_t* bytes, size_t count, std::initializer_list<uint8_t> success,
                                    size_t answerLength) const {
  TZYNRequest r;
  r.Station = fLink.Station();
  r.Bytes.assign(bytes, bytes + count);
  r.Answer.Success.assign(success.begin(), success.end());
  // A command answered with its own code echoes it, or refuses; the others answer with a
  // status byte, whatever its value.
  const bool echoed = count > 0 && std::find(success.begin(), success.end(), bytes[0]) != success.end();
  if (echoed) {
    r.Answer.Status.assign(success.begin(), success.end());
    r.Answer.Status.insert(r.Answer.Status.end(), std::begin(kRefusals), std::end(kRefusals));
  }
  r.AnswerLength = answerLength;
  return r;
}

TZYNRequest TZYNCommandSet::Request(std::initializer_list<uint8_t> bytes, std::initializer_list<uint8_t> success,
                                    size_t answerLength) const {
  return Request(bytes.begin(), bytes.size(), success, answerLength);
}

bool TZYNCommandSet::Ask(const TZYNRequest& request) {
  auto answer = fLink.Transact(request);
  if (!answer) {
    fAnswer.clear();
    return false;
  }
  fAnswer = std::move(*answer);
  return true;
}

bool TZYNCommandSet::StatusIs(std::initializer_list<uint8_t> values) const {
  if (fAnswer.size() < 3) return false;
  return std::find(values.begin(), values.end(), fAnswer[2]) != values.end();
}

// --- status, version, clock ---

// The status request and the probe of a control module take the same answers as a sign of
// life: the command echoed, 0, or the status bytes 0xF0 and 0xF1.
bool TZYNCommandSet::AskStatus() {
  return Ask(Request({0x05, 0x00}, {0x05, 0x00, 0xF0, 0xF1}, kStatusLength)) && StatusIs({0x05, 0x00, 0xF0, 0xF1});
}

bool TZYNCommandSet::GetModuleStatus() { return AskStatus(); }

bool TZYNCommandSet::ProbeModule(uint8_t module) {
  if (OnSTMSearch) OnSTMSearch(module);
  if (module > 7) return false;
  return WithModule(module, [&] { return AskStatus(); });
}

std::string TZYNCommandSet::ReadModuleDate() {
  static const char* const names[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  if (!Ask(Request({0x05}, {0x05, 0xF0, 0xF1}, kStatusLength)) || fAnswer.size() < kStatusLength) return {};
  const uint8_t weekday = At(6);
  const std::string name = weekday < 7 ? fLink.TranslateText(names[weekday]) : std::string();
  return name + Printf(" %2d.%2.2d.%2.2d", At(7), At(8), At(9));
}

std::string TZYNCommandSet::ReadModuleTime() {
  if (!Ask(Request({0x05}, {0x05, 0xF0, 0xF1}, kStatusLength)) || fAnswer.size() < kStatusLength) return {};
  return Printf("%2d:%2.2d", At(4), At(5));
}

std::string TZYNCommandSet::ReadFirmwareVersion() {
  if (!Ask(Request({0x05}, {0x05, 0xF0, 0xF1}, kStatusLength)) || fAnswer.size() < kStatusLength) return {};
  const uint8_t hi = At(10), lo = At(11);
  if (!IsDigit(hi) || !IsDigit(lo)) return {};
  const int n = (hi - '0') * 10 + (lo - '0');
  return std::string(n > 50 ? "V1." : "V2.") + static_cast<char>(hi) + static_cast<char>(lo);
}

int TZYNCommandSet::GetFirmwareNumber() {
  if (!Ask(Request({0x05}, {0x05, 0xF0, 0xF1}, kStatusLength)) || fAnswer.size() < kStatusLength) return 0;
  const uint8_t hi = At(10), lo = At(11);
  if (!IsDigit(hi) || !IsDigit(lo)) return 0;
  const int n = (hi - '0') * 10 + (lo - '0');
  return n > 50 ? n : n + 200;
}

std::string TZYNCommandSet::ReadModuleFirmwareVersion(uint8_t module) {
  if (module > 7) return "uuups...";
  std::string text = WithModule(module, [&] { return ReadFirmwareVersion(); });
  return text.empty() ? "uuups..." : text;
}

bool TZYNCommandSet::EnterServiceMode() { return Ask(Request({0xFF, 0x00}, {0x00}, 4)) && StatusIs({0x00}); }

bool TZYNCommandSet::LeaveServiceMode() { return Ask(Request({0xFE, 0x00}, {}, 4)); }

bool TZYNCommandSet::RestartModule() { return Ask(Request({0xFC, 0x00}, {}, 4)); }

bool TZYNCommandSet::SendPowerOnRelease() {
  // Its answer is awaited once and swallowed, so that it cannot be taken for the answer of the
  // next request; an answer that comes later still is recognised as a late one.
  TZYNRequest r = Request({0xFD, 0x00}, {}, 4);
  r.Repeats = 0;
  fLink.Transact(r);
  fAnswer.clear();
  return true;
}

bool TZYNCommandSet::SetModuleDateTime(const TZYNDateTime& dt) {
  // The module stores one byte per field; a date it cannot hold is not sent.
  if (dt.Month < 1 || dt.Month > 12 || dt.Day < 1 || dt.Day > 31 || dt.Year < 1900 || dt.Year > 2099 || dt.Hour < 0 ||
      dt.Hour > 23 || dt.Minute < 0 || dt.Minute > 59)
    return false;
  const int yearByte = dt.Year > 1999 ? dt.Year - 2000 : dt.Year - 1900;
  const uint8_t bytes[] = {0x04,
                           static_cast<uint8_t>(dt.Hour),
                           static_cast<uint8_t>(dt.Minute),
                           static_cast<uint8_t>(WeekdayOf(dt.Year, dt.Month, dt.Day)),
                           static_cast<uint8_t>(dt.Day),
                           static_cast<uint8_t>(dt.Month),
                           static_cast<uint8_t>(yearByte)};
  return Ask(Request(bytes, sizeof bytes, {0x00}, 4)) && StatusIs({0x00});
}

// --- erasing and display programming ---

bool TZYNCommandSet::EraseProgramMemory() { return EnterServiceMode() && TestStep(0x0F, kLongTimeout); }

bool TZYNCommandSet::EraseDisplay() { return Ask(Request({0x02, 0x00}, {0x00, 0x02}, 4)) && StatusIs({0x00, 0x02}); }

bool TZYNCommandSet::EndDisplayProgramming() {
  return Ask(Request({0x04, 0x00}, {0x00, 0x04}, 4)) && StatusIs({0x00, 0x04});
}

// --- bus modules ---

bool TZYNCommandSet::IsModulePresent(uint8_t m) {
  // Byte 6 of the answer says whether the module is there (0xF0: absent).
  return Ask(Request({0x06, 0x00, m, 0x01, 0x01}, {0x06}, kQueryLength)) && StatusIs({0x06}) && fAnswer.size() > 6 &&
         At(6) != kAbsent;
}

bool TZYNCommandSet::QueryModule(uint8_t m, uint8_t& info) {
  if (!IsModulePresent(m)) return false;
  info = At(3);
  return true;
}

int TZYNCommandSet::ReadModuleState(bool send, uint8_t m, int def) {
  if (send && !Ask(Request({0x06, 0x00, m, 0x01, 0x01}, {0x06}, kQueryLength))) return def;
  if (!StatusIs({0x06}) || fAnswer.size() <= 8 || At(6) == kAbsent) return def;
  return At(7) + 256 * At(8);
}

int TZYNCommandSet::ReadModuleInputs(uint8_t m, int def) {
  if (!Ask(Request({0x06, 0x00, m, 0x01, 0x01}, {0x06}, kQueryLength))) return def;
  if (!StatusIs({0x06}) || fAnswer.size() <= 9 || At(6) == kAbsent) return def;
  return At(8) + 256 * At(9);
}

bool TZYNCommandSet::WriteDimmerCurve(uint8_t m, uint8_t k, const uint8_t* curve272) {
  TZYNCommProgress p;
  p.Max = 17;
  Progress(p);
  for (uint8_t j = 0; j < 17; ++j) {
    uint8_t bytes[6 + 16] = {0x06, j, m, 0x12, static_cast<uint8_t>(k - 5), j};
    std::memcpy(bytes + 6, curve272 + 16 * j, 16);
    // Answered with 06, and byte 6 of the answer is not the absence mark.
    if (!Ask(Request(bytes, sizeof bytes, {0x06}, kQueryLength)) || !StatusIs({0x06}) || fAnswer.size() <= 6 ||
        At(6) == kAbsent) {
      ClearProgress();
      return false;
    }
    p.Position = j + 1;
    Progress(p);
  }
  return true;
}

// --- flags and timers ---

bool TZYNCommandSet::ReadFlags(uint8_t* buffer1024) {
  std::memset(buffer1024, 0, kFlagCount);
  fAnswer.clear();
  if (!Ask(Request({0x09, 0x00}, {0x09}, 4 + kFlagCount)) || !StatusIs({0x09}) || fAnswer.size() < 4 + kFlagCount)
    return false;
  std::memcpy(buffer1024, fAnswer.data() + 4, kFlagCount);
  return true;
}

int TZYNCommandSet::ReadTimerCount(uint8_t module) {
  if (!ProbeModule(module)) return 0;
  return WithModule(module, [&] {
    return Ask(Request({0x15, 0x00, 0x00, 0x00}, {0x15}, kTimerLength)) && StatusIs({0x15}) && fAnswer.size() > 5
               ? At(5)
               : 0;
  });
}

bool TZYNCommandSet::ReadTimer(TTimerRecord& record, uint8_t index) {
  if (!GetModuleStatus()) return false;
  if (!Ask(Request({0x15, 0x00, index}, {0x15}, kTimerLength)) || !StatusIs({0x15}) || fAnswer.size() < kTimerLength ||
      At(4) == 0xFF)
    return false;
  std::memcpy(record.data(), fAnswer.data() + 4, record.size());
  return true;
}

bool TZYNCommandSet::WriteTimer(uint8_t module, const TTimerRecord& r) {
  if (module > 7) return false;
  return WithModule(module, [&] {
    fAnswer.assign(fAnswer.size(), 0xFF);
    if (!GetModuleStatus()) return false;
    return Ask(Request({0x16, 0x00, r[0], r[2], r[3], r[4], r[5], r[6], r[7]}, {0x16}, kTimerLength)) &&
           StatusIs({0x16}) && fAnswer.size() > 4 && At(4) != 0xFF;
  });
}

// --- texts and characters ---

bool TZYNCommandSet::WriteModuleText(const std::string& text, bool withStop) {
  // Character 255 takes four display positions.
  std::string padded = text;
  const size_t positions = text.size() + (text.find('\xFF') != std::string::npos ? 3 : 0);
  if (positions < 16) padded.append(16 - positions, ' ');
  if (withStop && !EnterServiceMode()) return false;
  std::vector<uint8_t> bytes{0x17, 0x00};
  bytes.insert(bytes.end(), padded.begin(), padded.end());
  const bool written = Ask(Request(bytes.data(), bytes.size(), {0x17}, 4)) && StatusIs({0x17});
  if (!withStop) return written;
  const bool restarted = LeaveServiceMode();
  return written && restarted;
}

bool TZYNCommandSet::WriteSpecialCharacter(uint8_t index, const uint8_t* pattern, size_t count) {
  std::vector<uint8_t> bytes{0x19, 0x00, index};
  bytes.insert(bytes.end(), pattern, pattern + count);
  return Ask(Request(bytes.data(), bytes.size(), {0x19}, 4)) && StatusIs({0x19});
}

bool TZYNCommandSet::SendRawTelegram(const uint8_t* bytes, size_t count) {
  Ask(Request(bytes, count, {}, kRawAnswerLength));
  return count > 0;
}

// --- tests of the module ---

bool TZYNCommandSet::TestStep(uint8_t command, uint16_t timeout) {
  TZYNRequest r = Request({command, 0x00}, {0x00}, 4);
  r.Timeout = timeout;
  return Ask(r) && StatusIs({0x00});
}

bool TZYNCommandSet::TestClockChip() { return TestStep(0x10, 0); }

bool TZYNCommandSet::TestParallelEeprom() { return EnterServiceMode() && TestStep(0x0D, kEepromTimeout); }

bool TZYNCommandSet::TestParallelEepromErased() { return TestStep(0x0E, kLongTimeout); }

bool TZYNCommandSet::TestSerialEeprom() { return EnterServiceMode() && TestStep(0x0A, kLongTimeout); }

bool TZYNCommandSet::TestSerialEepromErased() { return TestStep(0x0B, kLongTimeout); }

bool TZYNCommandSet::StartResetLineTest() { return EnterServiceMode() && TestStep(0x11, 0); }

bool TZYNCommandSet::WaitForResetTestEnd() {
  TZYNRequest r = Request({0x05, 0x00}, {}, kStatusLength);
  r.Timeout = kLongTimeout;
  r.Repeats = 18;
  return Ask(r);
}

// --- memory ---

void TZYNCommandSet::Progress(const TZYNCommProgress& p) {
  if (V_UseComponents && OnProgress) OnProgress(p);
}

void TZYNCommandSet::ProgressStart(const char* action, uint32_t count) {
  fProgress = TZYNCommProgress{};
  fProgress.Action = fLink.TranslateText(action);
  fProgress.Max = count > 0 ? static_cast<int>(count) - 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%4.1f %%", 0.0);
  fProgress.Percent = text;
  Progress(fProgress);
}

void TZYNCommandSet::ProgressBlock(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "$%04X", address & 0xFFFF);
  fProgress.Address = text;
  Progress(fProgress);
}

void TZYNCommandSet::ProgressStep(uint32_t done, uint32_t count) {
  fProgress.Position = static_cast<int>(std::min(done, count > 0 ? count - 1 : 0));
  char text[32];
  std::snprintf(text, sizeof text, "%4.1f %%", done >= count ? 100.0 : 100.0 / (count + 1) * done);
  fProgress.Percent = text;
  Progress(fProgress);
}

void TZYNCommandSet::ClearProgress() {
  fProgress = TZYNCommProgress{};
  Progress(fProgress);
}

bool TZYNCommandSet::ReadBlock(uint8_t* buffer, uint32_t address, uint16_t length) {
  ProgressBlock(address);
  // A malformed answer (cut short or too long) is asked again like a block without answer,
  // within the same count of telegrams: 1 + the link's repetitions for the whole block.
  int budget = 1 + fLink.Repeats();
  while (budget > 0) {
    const uint8_t sequence = static_cast<uint8_t>(fReadSequence++);
    const uint8_t bytes[] = {kRead,
                             sequence,
                             static_cast<uint8_t>(address >> 8),
                             static_cast<uint8_t>(address & 0xFF),
                             static_cast<uint8_t>(length >> 8),
                             static_cast<uint8_t>(length & 0xFF)};
    // Its own answer echoes the sequence byte; the data are taken only at exactly their length.
    TZYNRequest r = Request(bytes, sizeof bytes, {kRead, 0x00}, 4u + length);
    r.Answer.Sequence = sequence;
    r.Repeats = budget - 1;
    if (!Ask(r)) return false;  // no answer after the repetitions, cancelled, or the port is gone
    if (!StatusIs({kRead, 0x00})) return false;  // refused
    if (fAnswer.size() == 4u + length) {
      std::memcpy(buffer, fAnswer.data() + 4, length);
      return true;
    }
    budget -= std::max(fLink.LastSends(), 1);
    if (fLink.CheckCancel()) return false;
  }
  return false;
}

bool TZYNCommandSet::ReadModuleMemory(uint8_t* buffer, uint32_t address, uint32_t count) {
  if (address < 0x4000 || count > 0x8000 || !FitsAddressSpace(address, count)) return false;
  // A block answer must fit into the receive buffer.
  if (static_cast<uint32_t>(fReadSize) + 6 > fLink.ReceiveCapacity()) return false;
  fLink.ClearCancel();
  ProgressStart("Steuermodul auslesen", count);
  const uint32_t blocks = count / fReadSize;
  const uint32_t rest = count % fReadSize;
  bool ok = true;
  for (uint32_t k = 0; k < blocks && ok; ++k) {
    const uint32_t offset = k * fReadSize;
    ok = ReadBlock(buffer + offset, address + offset, fReadSize);
    if (!ok) break;
    ProgressStep(offset + fReadSize, count);
    if (fLink.CheckCancel()) ok = false;
  }
  if (ok && rest > 0) {
    ProgressStep(count, count);
    ok = ReadBlock(buffer + blocks * fReadSize, address + blocks * fReadSize, static_cast<uint16_t>(rest));
  }
  ClearProgress();
  return ok;
}

bool TZYNCommandSet::WriteBlock(const uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence) {
  ProgressBlock(address);
  std::vector<uint8_t> bytes{kWrite, sequence, static_cast<uint8_t>(address >> 8),
                             static_cast<uint8_t>(address & 0xFF)};
  bytes.insert(bytes.end(), buffer, buffer + length);
  // Done only with its own acknowledgement: the answer echoes the sequence byte.
  TZYNRequest r = Request(bytes.data(), bytes.size(), {kWrite, 0x00}, 4);
  r.Answer.Sequence = sequence;
  return Ask(r) && StatusIs({kWrite, 0x00});
}

bool TZYNCommandSet::WriteModuleMemory(const uint8_t* buffer, uint32_t address, uint32_t count,
                                       uint16_t firstSequence) {
  if (!FitsAddressSpace(address, count)) return false;
  fLink.ClearCancel();
  ProgressStart("Steuermodul beschreiben", count);
  const uint32_t blocks = count / fWriteSize;
  const uint32_t rest = count % fWriteSize;
  uint16_t sequence = firstSequence;
  bool ok = true;
  for (uint32_t k = 0; k < blocks && ok; ++k) {
    const uint32_t offset = k * fWriteSize;
    ok = WriteBlock(buffer + offset, address + offset, fWriteSize, static_cast<uint8_t>(sequence));
    fNextSequence = ++sequence;
    if (!ok) break;
    ProgressStep(offset + fWriteSize, count);
    if (fLink.CheckCancel()) ok = false;
  }
  if (ok && rest > 0) {
    ProgressStep(count, count);
    ok = WriteBlock(buffer + blocks * fWriteSize, address + blocks * fWriteSize, static_cast<uint16_t>(rest),
                    static_cast<uint8_t>(sequence));
    fNextSequence = ++sequence;
  }
  ClearProgress();
  return ok;
}

bool TZYNCommandSet::ReadMemoryWord(uint16_t address, uint16_t& value) {
  uint8_t bytes[16];
  if (!ReadModuleMemory(bytes, address, sizeof bytes)) return false;
  value = static_cast<uint16_t>(bytes[0] * 256 + bytes[1]);
  return true;
}

bool TZYNCommandSet::ReadMemoryWordAt(uint8_t module, uint16_t address, uint16_t& value) {
  if (module > 7) return false;
  return WithModule(module, [&] { return ReadMemoryWord(address, value); });
}

std::string TZYNCommandSet::ReadImageGuid() {
  uint16_t pointer = 0;
  if (!ReadMemoryWord(0x4022, pointer) || pointer == 0xFFFF) return {};
  uint8_t text[kGuidLength];
  if (!ReadModuleMemory(text, pointer, sizeof text)) return {};
  return std::string(reinterpret_cast<const char*>(text), sizeof text);
}

bool TZYNCommandSet::ReadProjectInfo(TProjektInfoBlock& block) {
  if (!GetModuleStatus()) return false;
  return ReadModuleMemory(block.data(), kProjectInfoAddress, static_cast<uint32_t>(block.size()));
}

bool TZYNCommandSet::WriteProjectInfo(const TProjektInfoBlock& block) {
  return WriteModuleMemory(block.data(), kProjectInfoAddress, static_cast<uint32_t>(block.size()), fNextSequence);
}

bool TZYNCommandSet::WriteProductionData(TProductionRecord& record) {
  if (!GetModuleStatus()) return false;
  for (size_t i = 69; i < record.size(); ++i) record[i] = 0xFF;
  return WriteModuleMemory(record.data(), kProductionAddress, static_cast<uint32_t>(record.size()), 1);
}

}  // namespace zyn
