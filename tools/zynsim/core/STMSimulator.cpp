#include "tools/zynsim/core/STMSimulator.h"

#include "bus/Fcs16.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <initializer_list>

namespace zyn::sim {

namespace {

constexpr uint8_t kRefused = 0xFF;
constexpr uint8_t kUnknown = 0xFE;
constexpr uint8_t kAbsent = 0xF0;
// The parallel EEPROM behind the program memory.
constexpr size_t kEepromBegin = 0x4000;
// A test answers 0 when it passed and this when the chip failed it.
constexpr uint8_t kTestFailed = 0x01;

// Takes one from a fault counter; -1 never runs out.
bool Consume(int& counter) {
  if (counter < 0) return true;
  if (counter == 0) return false;
  --counter;
  return true;
}

std::string TimeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm tm{};
  localtime_r(&t, &tm);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms));
  return text;
}

uint16_t Word(const std::vector<uint8_t>& t, size_t i) { return static_cast<uint16_t>(t[i] << 8 | t[i + 1]); }

// The answer to telegram t: receiver and sender swapped, then the bytes.
std::vector<uint8_t> Reply(const std::vector<uint8_t>& t, std::initializer_list<uint8_t> bytes) {
  std::vector<uint8_t> a{t[1], t[0]};
  a.insert(a.end(), bytes);
  return a;
}

}  // namespace

TSTMSimulator::TSTMSimulator() {
  for (auto& d : fDisplays) d.Present = false;
  fDisplays[0].Present = true;
}

void TSTMSimulator::Log(const char* direction, const std::vector<uint8_t>& wire) {
  if (!OnLog) return;
  std::string line = TimeStamp() + " " + direction;
  char hex[4];
  for (uint8_t b : wire) {
    std::snprintf(hex, sizeof hex, " %02X", b);
    line += hex;
  }
  OnLog(line);
}

std::vector<uint8_t> TSTMSimulator::SpontaneousFrame(int n, uint8_t command, uint8_t sequence) const {
  return EncodeFrame({static_cast<uint8_t>(fGroup * 16 + n), fPCAddress, command, sequence});
}

bool TSTMSimulator::Chance(int perMille) {
  if (perMille <= 0) return false;
  return static_cast<int>(fRandom() % 1000) < perMille;
}

std::vector<uint8_t> TSTMSimulator::HandleFrame(const TSimFrame& frame, int& delayMs) {
  delayMs = 0;
  Log(frame.FcsOk ? "PC  " : "PC (FCS error)", frame.Wire);
  if (!frame.FcsOk || frame.Telegram.size() < 3) return {};
  std::vector<uint8_t> out;
  if (fFaults.Echo) out = frame.Wire;
  const TSimChances& chances = fFaults.Chances;
  if ((fFaults.After == 0 && Consume(fFaults.Deaf)) || Chance(chances.Deaf)) {
    if (OnLog) OnLog(TimeStamp() + " (telegram lost on the line)");
    return out;
  }
  fReceived.push_back(frame.Telegram);
  std::vector<uint8_t> answer = Answer(frame.Telegram);
  if (answer.empty()) return out;
  if (fFaults.After > 0) {
    --fFaults.After;
    const std::vector<uint8_t> wire = EncodeFrame(answer);
    Log("BUS ", wire);
    out.insert(out.end(), wire.begin(), wire.end());
    return out;
  }
  if (Consume(fFaults.Silent) || Chance(chances.Silent)) {
    if (OnLog) OnLog(TimeStamp() + " (answer withheld)");
    return out;
  }
  if (fFaults.DelayMs > 0 && (fFaults.DelayCommand < 0 || frame.Telegram[2] == fFaults.DelayCommand) &&
      Consume(fFaults.Delayed))
    delayMs = fFaults.DelayMs;
  if (Chance(chances.Late) && chances.LateMaxMs > 0)
    delayMs += static_cast<int>(fRandom() % static_cast<uint32_t>(chances.LateMaxMs + 1));
  const bool twice = Chance(chances.Duplicate);
  const std::vector<uint8_t> wire = ApplyFaults(answer);
  Log("BUS ", wire);
  out.insert(out.end(), wire.begin(), wire.end());
  if (twice) {
    const std::vector<uint8_t> again = EncodeFrame(answer);
    Log("BUS ", again);
    out.insert(out.end(), again.begin(), again.end());
  }
  return out;
}

std::vector<uint8_t> TSTMSimulator::ApplyFaults(std::vector<uint8_t> answer) {
  const TSimChances& chances = fFaults.Chances;
  std::vector<uint8_t> out;
  if (Chance(chances.Junk) && chances.JunkMaxBytes > 0) {
    // Noise on the line: random bytes, flags and escapes among them.
    const uint32_t n = 1 + fRandom() % static_cast<uint32_t>(chances.JunkMaxBytes);
    static const uint8_t specials[] = {0xC0, 0xC1, 0x7D, 0xFE};
    for (uint32_t i = 0; i < n; ++i)
      out.push_back(fRandom() % 8 == 0 ? specials[fRandom() % 4] : static_cast<uint8_t>(fRandom()));
  }
  if (Consume(fFaults.Unsolicited) || Chance(chances.Unsolicited)) {
    const auto spontaneous = EncodeFrame({answer[0], fPCAddress, 0x12, 0x09});
    out.insert(out.end(), spontaneous.begin(), spontaneous.end());
  }
  if (Consume(fFaults.Status)) answer[2] = fFaults.StatusByte;
  if (Chance(chances.Refuse)) answer[2] = kRefused;
  if (Consume(fFaults.WrongStation) || Chance(chances.WrongStation)) answer[0] = static_cast<uint8_t>(answer[0] ^ 0x01);
  std::vector<uint8_t> wire = EncodeFrame(answer);
  if (Consume(fFaults.BadFcs) || Chance(chances.BadFcs))
    wire = EncodeFrameWithFcs(answer, static_cast<uint16_t>(Fcs16(answer.data(), answer.size()) ^ 0x5A5A));
  if (Consume(fFaults.Truncate) || Chance(chances.Truncate)) wire.resize(wire.size() / 2);
  out.insert(out.end(), wire.begin(), wire.end());
  return out;
}

std::vector<uint8_t> TSTMSimulator::Answer(const std::vector<uint8_t>& t) {
  const uint8_t station = t[1];
  if ((station >> 4) != fGroup) return {};
  const int n = station & 0x0F;
  if (n < 4) {
    auto& m = fModules[static_cast<size_t>(n)];
    return m.Present ? AnswerControlModule(m, t) : std::vector<uint8_t>{};
  }
  if (n < 8) {
    auto& d = fDisplays[static_cast<size_t>(7 - n)];
    return d.Present ? AnswerDisplay(d, t) : std::vector<uint8_t>{};
  }
  return {};
}

std::vector<uint8_t> TSTMSimulator::AnswerControlModule(TSimControlModule& m, const std::vector<uint8_t>& t) {
  auto reply = [&t](std::initializer_list<uint8_t> bytes) { return Reply(t, bytes); };
  const size_t size = t.size();
  switch (t[2]) {
    case 0x00:  // acknowledgement of a spontaneous telegram
      return {};
    case 0x05:
      return reply({0x05, 0x00, m.Hour, m.Minute, m.Weekday, m.Day, m.Month, m.Year, m.Version[0], m.Version[1]});
    case 0xFF:
      m.Running = false;
      return reply({0x00, 0x00});
    case 0xFE:
    case 0xFC:
      m.Running = true;
      ++m.Restarts;
      return reply({0x00, 0x00});
    case 0xFD:
      ++m.PowerOnReleases;
      return reply({0x00, 0x00});
    case 0x04:
      if (size < 9) return reply({kRefused});
      m.Hour = t[3], m.Minute = t[4], m.Weekday = t[5], m.Day = t[6], m.Month = t[7], m.Year = t[8];
      return reply({0x00});
    case 0x0F:
      if (m.Running) return reply({kRefused});
      std::fill(m.Memory.begin() + kEepromBegin, m.Memory.end(), 0xFF);
      for (const auto& [address, value] : m.StuckCells) m.Memory.at(address) = value;
      return reply({0x00});
    case 0x02: {
      if (size < 8) return reply({kRefused});
      const uint32_t address = Word(t, 4), length = Word(t, 6);
      if (address + length > m.Memory.size()) return reply({kRefused, t[3]});
      std::vector<uint8_t> a = reply({0x02, t[3]});
      a.insert(a.end(), m.Memory.begin() + address, m.Memory.begin() + address + length);
      return a;
    }
    case 0x01: {
      if (size < 6 || m.Running) return reply({kRefused, size > 3 ? t[3] : uint8_t{0}});
      const uint32_t address = Word(t, 4);
      if (address + (size - 6) > m.Memory.size()) return reply({kRefused, t[3]});
      std::copy(t.begin() + 6, t.end(), m.Memory.begin() + address);
      for (const auto& [cell, value] : m.StuckCells) m.Memory.at(cell) = value;
      return reply({0x01, t[3]});
    }
    case 0x06: {
      if (size < 7) return reply({kRefused});
      const uint8_t address = t[4];
      auto it = m.Modules.find(address);
      const bool present = it != m.Modules.end() && it->second.Present;
      if (t[5] == 0x12 && size >= 24) {
        // Like a query answer: byte 6 says whether the module is there.
        if (!present) return reply({0x06, t[3], address, 0x00, kAbsent});
        auto& curve = it->second.Curves[static_cast<uint8_t>(t[6] + 5)];
        curve.resize(272, 0);
        std::copy(t.begin() + 8, t.begin() + 24, curve.begin() + 16 * (t[7] % 17));
        return reply({0x06, t[3], address, 0x00, 0x00});
      }
      if (!present) return reply({0x06, 0x00, address, 0x00, kAbsent, 0x00, 0x00, 0x00});
      Obey(it->second, t);
      const auto& s = it->second.State;
      return reply({0x06, it->second.Info, address, 0x00, 0x00, s[0], s[1], s[2]});
    }
    case 0x09: {
      std::vector<uint8_t> a = reply({0x09, 0x00});
      a.insert(a.end(), m.Flags.begin(), m.Flags.end());
      return a;
    }
    case 0x15:
      if (size >= 6) return reply({0x15, 0x00, 0x00, static_cast<uint8_t>(m.Timers.size())});
      if (size == 5 && t[4] < m.Timers.size()) {
        std::vector<uint8_t> a = reply({0x15, 0x00});
        a.insert(a.end(), m.Timers[t[4]].begin(), m.Timers[t[4]].end());
        return a;
      }
      return reply({0x15, 0x00, 0xFF});
    case 0x16: {
      if (size < 11 || t[4] >= m.Timers.size()) return reply({0x16, 0x00, 0xFF});
      auto& r = m.Timers[t[4]];
      r[0] = t[4];
      std::copy(t.begin() + 5, t.begin() + 11, r.begin() + 2);
      return reply({0x16, 0x00, t[4]});
    }
    case 0x17:
      m.Text.assign(t.begin() + 4, t.end());
      return reply({0x17});
    case 0x19:
      if (size < 5 || t[4] >= m.Characters.size()) return reply({kRefused});
      m.Characters[t[4]].assign(t.begin() + 5, t.end());
      return reply({0x19});
    case 0x0D:  // test of the parallel EEPROM: patterns written and read, zeros left behind
      if (m.Running) return reply({kRefused});
      std::fill(m.Memory.begin() + kEepromBegin, m.Memory.end(), m.ParallelEepromBroken ? 0x55 : 0x00);
      return reply({m.ParallelEepromBroken ? kTestFailed : uint8_t{0x00}});
    case 0x0A:  // the same for the serial EEPROM
      if (m.Running) return reply({kRefused});
      std::fill(m.SerialEeprom.begin(), m.SerialEeprom.end(), m.SerialEepromBroken ? 0x55 : 0x00);
      return reply({m.SerialEepromBroken ? kTestFailed : uint8_t{0x00}});
    case 0x0E: {  // does the parallel EEPROM hold zeros only?
      const bool zero = std::all_of(m.Memory.begin() + kEepromBegin, m.Memory.end(), [](uint8_t b) { return b == 0; });
      return reply({zero ? uint8_t{0x00} : kTestFailed});
    }
    case 0x0B: {
      const bool zero = std::all_of(m.SerialEeprom.begin(), m.SerialEeprom.end(), [](uint8_t b) { return b == 0; });
      return reply({zero ? uint8_t{0x00} : kTestFailed});
    }
    case 0x10:
    case 0x11:
      return reply({0x00});
    default:
      return reply({kUnknown});
  }
}

void TSTMSimulator::Obey(TSimBusModule& module, const std::vector<uint8_t>& t) {
  // t: receiver, sender, 06, sequence, module byte, kind, command byte(s) ...
  if (t.size() < 7) return;
  const int shift = std::clamp(module.AusShift, 0, 7);
  const uint8_t mask = static_cast<uint8_t>((1u << shift) - 1u);
  const int channel = shift < 8 ? t[6] >> shift : 0;
  const uint8_t code = static_cast<uint8_t>(t[6] & mask);
  uint16_t outputs = module.Outputs();
  const uint16_t bit = channel < 16 ? static_cast<uint16_t>(1u << channel) : 0;
  switch (t[5]) {
    case 0x01:  // one command byte: 1 query, 2 on, 3 off, 5 and 6 toggle
      if (code == 0x01) return;
      if (code == 0x02)
        outputs |= bit;
      else if (code == 0x03)
        outputs &= static_cast<uint16_t>(~bit);
      else if (code == 0x05 || code == 0x06)
        outputs ^= bit;
      else
        return;
      break;
    case 0x04:  // a blind motor: 3 up/off, 4 down/off, then the running time
      if (code != 0x03 && code != 0x04) return;
      outputs ^= bit;
      break;
    case 0x02:  // priorities of an output pair back to standard
      if (code == 0x0A && t.size() >= 10 && (t[8] & mask) == 0x0E) module.PriorityReleases.push_back(channel);
      return;
    default:
      return;
  }
  module.SetOutputs(outputs);
  ++module.Switched;
}

std::vector<uint8_t> TSTMSimulator::StateFrame(int n, uint8_t moduleByte, uint8_t sequence) {
  auto& modules = fModules.at(static_cast<size_t>(n)).Modules;
  const auto it = modules.find(moduleByte);
  const uint16_t outputs = it != modules.end() ? it->second.Outputs() : 0;
  const uint16_t inputs = it != modules.end() ? it->second.Inputs() : 0;
  return EncodeFrame({static_cast<uint8_t>(fGroup * 16 + n), fPCAddress, 0x20, sequence, moduleByte,
                      static_cast<uint8_t>(outputs >> 8), static_cast<uint8_t>(outputs & 0xFF),
                      static_cast<uint8_t>(inputs >> 8), static_cast<uint8_t>(inputs & 0xFF)});
}

std::vector<uint8_t> TSTMSimulator::AnswerDisplay(TSimDisplay& d, const std::vector<uint8_t>& t) {
  auto reply = [&t](std::initializer_list<uint8_t> bytes) { return Reply(t, bytes); };
  const size_t size = t.size();
  switch (t[2]) {
    case 0x05:
      return reply({0x05, 0x00, 0, 0, 0, 1, 1, 0, '2', '0'});
    case 0x02:
      if (size <= 4) {
        std::fill(d.Memory.begin(), d.Memory.end(), 0xFF);
        d.Finished = false;
        return reply({0x00});
      }
      if (size >= 8 && Word(t, 4) + Word(t, 6) <= d.Memory.size()) {
        std::vector<uint8_t> a = reply({0x02, t[3]});
        a.insert(a.end(), d.Memory.begin() + Word(t, 4), d.Memory.begin() + Word(t, 4) + Word(t, 6));
        return a;
      }
      return reply({kRefused});
    case 0x01:
      if (size < 6 || Word(t, 4) + (size - 6) > d.Memory.size()) return reply({kRefused});
      std::copy(t.begin() + 6, t.end(), d.Memory.begin() + Word(t, 4));
      return reply({0x01, t[3]});
    case 0x04:
      d.Finished = true;
      return reply({0x04});
    case 0x00:
      return {};
    default:
      return reply({kUnknown});
  }
}

}  // namespace zyn::sim
