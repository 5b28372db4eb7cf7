// The command set of the bus link: status, service mode, clock, memory blocks, texts,
// characters, module queries, timers, flags and the module tests.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"

namespace zyn {

namespace {

constexpr uint8_t kRead = 0x02;
constexpr uint8_t kWrite = 0x01;
constexpr size_t kStatusLength = 12;  // status answer up to the second version character
constexpr uint16_t kLongTimeout = 10000;
constexpr uint16_t kEepromTimeout = 30000;
constexpr size_t kFlagCount = 1024;
constexpr size_t kGuidLength = 38;

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

bool TZYNComm::ExchangeBytes(const uint8_t* bytes, size_t count) {
  BeginTelegram();
  for (size_t i = 0; i < count; ++i) AddTelegramByte(bytes[i]);
  SendTelegram();
  return WaitForAnswer() > 0;
}

bool TZYNComm::Exchange(std::initializer_list<uint8_t> bytes) {
  return ExchangeBytes(bytes.begin(), bytes.size());
}

bool TZYNComm::ExchangeWithTimeout(std::initializer_list<uint8_t> bytes, uint16_t timeout) {
  fCurrentTimeout = timeout;
  const bool answered = Exchange(bytes);
  fCurrentTimeout = fRecTimeout;
  return answered;
}

bool TZYNComm::StatusIs(std::initializer_list<uint8_t> values) const {
  if (AnswerLength() < 3) return false;
  for (uint8_t v : values)
    if (fAnswer[2] == v) return true;
  return false;
}

// --- status, version, clock ---

bool TZYNComm::GetModuleStatus() { return Exchange({0x05, 0x00}) && StatusIs({0x05, 0xF0, 0xF1}); }

bool TZYNComm::ProbeModule(uint8_t module) {
  if (OnSTMSearch) OnSTMSearch(module);
  if (module > 7) return false;
  return WithModule(module, [&] { return Exchange({0x05, 0x00}) && StatusIs({0x05, 0x00}); });
}

std::string TZYNComm::ReadModuleDate() {
  static const char* const names[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  if (!Exchange({0x05}) || AnswerLength() < kStatusLength) return {};
  const uint8_t weekday = Rec(6);
  const std::string name = weekday < 7 ? TranslateText(names[weekday]) : std::string();
  return name + Printf(" %2d.%2.2d.%2.2d", Rec(7), Rec(8), Rec(9));
}

std::string TZYNComm::ReadModuleTime() {
  if (!Exchange({0x05}) || AnswerLength() < kStatusLength) return {};
  return Printf("%2d:%2.2d", Rec(4), Rec(5));
}

std::string TZYNComm::ReadFirmwareVersion() {
  if (!Exchange({0x05}) || AnswerLength() < kStatusLength) return {};
  const uint8_t hi = Rec(10), lo = Rec(11);
  if (!IsDigit(hi) || !IsDigit(lo)) return {};
  const int n = (hi - '0') * 10 + (lo - '0');
  return std::string(n > 50 ? "V1." : "V2.") + static_cast<char>(hi) + static_cast<char>(lo);
}

int TZYNComm::GetFirmwareNumber() {
  if (!Exchange({0x05}) || AnswerLength() < kStatusLength) return 0;
  const uint8_t hi = Rec(10), lo = Rec(11);
  if (!IsDigit(hi) || !IsDigit(lo)) return 0;
  const int n = (hi - '0') * 10 + (lo - '0');
  return n > 50 ? n : n + 200;
}

std::string TZYNComm::ReadModuleFirmwareVersion(uint8_t module) {
  if (module > 7) return "uuups...";
  std::string text = WithModule(module, [&] { return ReadFirmwareVersion(); });
  return text.empty() ? "uuups..." : text;
}

bool TZYNComm::EnterServiceMode() { return Exchange({0xFF, 0x00}) && StatusIs({0x00}); }

bool TZYNComm::LeaveServiceMode() { return Exchange({0xFE, 0x00}); }

bool TZYNComm::RestartModule() { return Exchange({0xFC, 0x00}); }

bool TZYNComm::SendPowerOnRelease() {
  BeginTelegram();
  AddTelegramByte(0xFD);
  AddTelegramByte(0x00);
  // The caller does not wait; the result says whether the telegram left the PC.
  return SendTelegram() > 0;
}

bool TZYNComm::SetModuleDateTime(const TZYNDateTime& dt) {
  // The module stores one byte per field; a date it cannot hold is not sent.
  if (dt.Month < 1 || dt.Month > 12 || dt.Day < 1 || dt.Day > 31 || dt.Year < 1900 || dt.Year > 2099 ||
      dt.Hour < 0 || dt.Hour > 23 || dt.Minute < 0 || dt.Minute > 59)
    return false;
  const int yearByte = dt.Year > 1999 ? dt.Year - 2000 : dt.Year - 1900;
  const uint8_t bytes[] = {0x04,
                           static_cast<uint8_t>(dt.Hour),
                           static_cast<uint8_t>(dt.Minute),
                           static_cast<uint8_t>(WeekdayOf(dt.Year, dt.Month, dt.Day)),
                           static_cast<uint8_t>(dt.Day),
                           static_cast<uint8_t>(dt.Month),
                           static_cast<uint8_t>(yearByte)};
  return ExchangeBytes(bytes, sizeof bytes) && StatusIs({0x00});
}

// --- erasing and display programming ---

bool TZYNComm::EraseProgramMemory() {
  if (!EnterServiceMode()) return false;
  return ExchangeWithTimeout({0x0F, 0x00}, kLongTimeout) && StatusIs({0x00});
}

bool TZYNComm::EraseDisplay() { return Exchange({0x02, 0x00}) && StatusIs({0x00, 0x02}); }

bool TZYNComm::EndDisplayProgramming() { return Exchange({0x04, 0x00}) && StatusIs({0x00, 0x04}); }

// --- bus modules ---

bool TZYNComm::IsModulePresent(uint8_t m) {
  return Exchange({0x06, 0x00, m, 0x01, 0x01}) && StatusIs({0x06}) && AnswerLength() > 6 && Rec(6) != 0xF0;
}

bool TZYNComm::QueryModule(uint8_t m, uint8_t& info) {
  if (!IsModulePresent(m)) return false;
  info = Rec(3);
  return true;
}

int TZYNComm::ReadModuleState(bool send, uint8_t m, int def) {
  if (send && !Exchange({0x06, 0x00, m, 0x01, 0x01})) return def;
  if (!StatusIs({0x06}) || AnswerLength() <= 8 || Rec(6) == 0xF0) return def;
  return Rec(7) + 256 * Rec(8);
}

int TZYNComm::ReadModuleInputs(uint8_t m, int def) {
  if (!Exchange({0x06, 0x00, m, 0x01, 0x01})) return def;
  if (!StatusIs({0x06}) || AnswerLength() <= 9 || Rec(6) == 0xF0) return def;
  return Rec(8) + 256 * Rec(9);
}

bool TZYNComm::WriteDimmerCurve(uint8_t m, uint8_t k, const uint8_t* curve272) {
  TZYNCommProgress p;
  p.Max = 17;
  Progress(p);
  for (uint8_t j = 0; j < 17; ++j) {
    uint8_t bytes[6 + 16] = {0x06, j, m, 0x12, static_cast<uint8_t>(k - 5), j};
    std::memcpy(bytes + 6, curve272 + 16 * j, 16);
    if (!ExchangeBytes(bytes, sizeof bytes) || !StatusIs({0x06})) {
      ClearProgress();
      return false;
    }
    p.Position = j + 1;
    Progress(p);
  }
  return true;
}

// --- flags and timers ---

bool TZYNComm::ReadFlags(uint8_t* buffer1024) {
  std::memset(buffer1024, 0, kFlagCount);
  fAnswer.clear();
  if (!Exchange({0x09, 0x00}) || !StatusIs({0x09}) || AnswerLength() < 4 + kFlagCount) return false;
  std::memcpy(buffer1024, fAnswer.data() + 4, kFlagCount);
  return true;
}

int TZYNComm::ReadTimerCount(uint8_t module) {
  if (!ProbeModule(module)) return 0;
  return WithModule(module, [&] {
    return Exchange({0x15, 0x00, 0x00, 0x00}) && StatusIs({0x15}) && AnswerLength() > 5 ? Rec(5) : 0;
  });
}

bool TZYNComm::ReadTimer(TTimerRecord& record, uint8_t index) {
  if (!GetModuleStatus()) return false;
  if (!Exchange({0x15, 0x00, index}) || !StatusIs({0x15}) || AnswerLength() < 13 || Rec(4) == 0xFF) return false;
  std::memcpy(record.data(), fAnswer.data() + 4, record.size());
  return true;
}

bool TZYNComm::WriteTimer(uint8_t module, const TTimerRecord& r) {
  if (module > 7) return false;
  return WithModule(module, [&] {
    fAnswer.assign(fAnswer.size(), 0xFF);
    if (!GetModuleStatus()) return false;
    return Exchange({0x16, 0x00, r[0], r[2], r[3], r[4], r[5], r[6], r[7]}) && StatusIs({0x16}) &&
           AnswerLength() > 4 && Rec(4) != 0xFF;
  });
}

// --- texts and characters ---

bool TZYNComm::WriteModuleText(const std::string& text, bool withStop) {
  // Character 255 takes four display positions.
  std::string padded = text;
  const size_t positions = text.size() + (text.find('\xFF') != std::string::npos ? 3 : 0);
  if (positions < 16) padded.append(16 - positions, ' ');
  if (withStop && !EnterServiceMode()) return false;
  std::vector<uint8_t> bytes{0x17, 0x00};
  bytes.insert(bytes.end(), padded.begin(), padded.end());
  const bool written = ExchangeBytes(bytes.data(), bytes.size()) && StatusIs({0x17});
  if (!withStop) return written;
  const bool restarted = LeaveServiceMode();
  return written && restarted;
}

bool TZYNComm::WriteSpecialCharacter(uint8_t index, const uint8_t* pattern, size_t count) {
  std::vector<uint8_t> bytes{0x19, 0x00, index};
  bytes.insert(bytes.end(), pattern, pattern + count);
  return ExchangeBytes(bytes.data(), bytes.size()) && StatusIs({0x19});
}

bool TZYNComm::SendRawTelegram(const uint8_t* bytes, size_t count) {
  BeginTelegram();
  for (size_t i = 0; i < count; ++i) AddTelegramByte(bytes[i]);
  const int written = SendTelegram();
  WaitForAnswer();
  return written > 0;
}

// --- tests of the module ---

bool TZYNComm::TestClockChip() { return Exchange({0x10, 0x00}) && StatusIs({0x00}); }

bool TZYNComm::TestParallelEeprom() {
  return EnterServiceMode() && ExchangeWithTimeout({0x0D, 0x00}, kEepromTimeout) && StatusIs({0x00});
}

bool TZYNComm::TestParallelEepromErased() {
  return ExchangeWithTimeout({0x0E, 0x00}, kLongTimeout) && StatusIs({0x00});
}

bool TZYNComm::TestSerialEeprom() {
  return EnterServiceMode() && ExchangeWithTimeout({0x0A, 0x00}, kLongTimeout) && StatusIs({0x00});
}

bool TZYNComm::TestSerialEepromErased() {
  return ExchangeWithTimeout({0x0B, 0x00}, kLongTimeout) && StatusIs({0x00});
}

bool TZYNComm::StartResetLineTest() { return EnterServiceMode() && Exchange({0x11, 0x00}) && StatusIs({0x00}); }

bool TZYNComm::WaitForResetTestEnd() {
  const uint16_t repeats = fSendRepeat;
  fSendRepeat = 18;
  const bool answered = ExchangeWithTimeout({0x05, 0x00}, kLongTimeout);
  fSendRepeat = repeats;
  return answered;
}

// --- memory ---

void TZYNComm::Progress(const TZYNCommProgress& p) {
  if (V_UseComponents && OnProgress) OnProgress(p);
}

void TZYNComm::ProgressStart(const char* action, uint32_t count) {
  fProgress = TZYNCommProgress{};
  fProgress.Action = TranslateText(action);
  fProgress.Max = count > 0 ? static_cast<int>(count) - 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%4.1f %%", 0.0);
  fProgress.Percent = text;
  Progress(fProgress);
}

void TZYNComm::ProgressBlock(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "$%04X", address & 0xFFFF);
  fProgress.Address = text;
  Progress(fProgress);
}

void TZYNComm::ProgressStep(uint32_t done, uint32_t count) {
  fProgress.Position = static_cast<int>(std::min(done, count > 0 ? count - 1 : 0));
  char text[32];
  std::snprintf(text, sizeof text, "%4.1f %%", done >= count ? 100.0 : 100.0 / (count + 1) * done);
  fProgress.Percent = text;
  Progress(fProgress);
}

void TZYNComm::ClearProgress() {
  fProgress = TZYNCommProgress{};
  Progress(fProgress);
}

bool TZYNComm::ReadBlock(uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence) {
  ProgressBlock(address);
  const uint8_t bytes[] = {kRead,
                           sequence,
                           static_cast<uint8_t>(address >> 8),
                           static_cast<uint8_t>(address & 0xFF),
                           static_cast<uint8_t>(length >> 8),
                           static_cast<uint8_t>(length & 0xFF)};
  if (!ExchangeBytes(bytes, sizeof bytes) || !StatusIs({kRead, 0x00}) || AnswerLength() < 4u + length)
    return false;
  std::memcpy(buffer, fAnswer.data() + 4, length);
  return true;
}

bool TZYNComm::ReadModuleMemory(uint8_t* buffer, uint32_t address, uint32_t count) {
  if (address < 0x4000 || count > 0x8000 || !FitsAddressSpace(address, count)) return false;
  // A block answer must fit into the receive buffer.
  if (static_cast<uint32_t>(fReadSize) + 6 > fRecBuffSize) return false;
  fCancel = false;
  ProgressStart("Steuermodul auslesen", count);
  const uint32_t blocks = count / fReadSize;
  const uint32_t rest = count % fReadSize;
  uint16_t sequence = 0;
  bool ok = true;
  for (uint32_t k = 0; k < blocks && ok; ++k) {
    const uint32_t offset = k * fReadSize;
    ok = ReadBlock(buffer + offset, address + offset, fReadSize, static_cast<uint8_t>(sequence++));
    if (!ok) break;
    ProgressStep(offset + fReadSize, count);
    if (CheckCancel()) ok = false;
  }
  if (ok && rest > 0) {
    ProgressStep(count, count);
    ok = ReadBlock(buffer + blocks * fReadSize, address + blocks * fReadSize, static_cast<uint16_t>(rest),
                   static_cast<uint8_t>(sequence++));
  }
  ClearProgress();
  return ok;
}

bool TZYNComm::WriteBlock(const uint8_t* buffer, uint32_t address, uint16_t length, uint8_t sequence) {
  ProgressBlock(address);
  std::vector<uint8_t> bytes{kWrite, sequence, static_cast<uint8_t>(address >> 8),
                             static_cast<uint8_t>(address & 0xFF)};
  bytes.insert(bytes.end(), buffer, buffer + length);
  return ExchangeBytes(bytes.data(), bytes.size()) && StatusIs({kWrite, 0x00});
}

bool TZYNComm::WriteModuleMemory(const uint8_t* buffer, uint32_t address, uint32_t count, uint16_t firstSequence) {
  if (!FitsAddressSpace(address, count)) return false;
  fCancel = false;
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
    if (CheckCancel()) ok = false;
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

bool TZYNComm::ReadMemoryWord(uint16_t address, uint16_t& value) {
  uint8_t bytes[16];
  if (!ReadModuleMemory(bytes, address, sizeof bytes)) return false;
  value = static_cast<uint16_t>(bytes[0] * 256 + bytes[1]);
  return true;
}

bool TZYNComm::ReadMemoryWordAt(uint8_t module, uint16_t address, uint16_t& value) {
  if (module > 7) return false;
  return WithModule(module, [&] { return ReadMemoryWord(address, value); });
}

std::string TZYNComm::ReadImageGuid() {
  uint16_t pointer = 0;
  if (!ReadMemoryWord(0x4022, pointer) || pointer == 0xFFFF) return {};
  uint8_t text[kGuidLength];
  if (!ReadModuleMemory(text, pointer, sizeof text)) return {};
  return std::string(reinterpret_cast<const char*>(text), sizeof text);
}

bool TZYNComm::ReadProjectInfo(TProjektInfoBlock& block) {
  if (!GetModuleStatus()) return false;
  return ReadModuleMemory(block.data(), kProjectInfoAddress, static_cast<uint32_t>(block.size()));
}

bool TZYNComm::WriteProjectInfo(const TProjektInfoBlock& block) {
  return WriteModuleMemory(block.data(), kProjectInfoAddress, static_cast<uint32_t>(block.size()), fNextSequence);
}

bool TZYNComm::WriteProductionData(TProductionRecord& record) {
  if (!GetModuleStatus()) return false;
  for (size_t i = 69; i < record.size(); ++i) record[i] = 0xFF;
  return WriteModuleMemory(record.data(), kProductionAddress, static_cast<uint32_t>(record.size()), 1);
}

}  // namespace zyn
