#include "bus/Fcs16.h"

#include <array>

namespace zyn {

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned v = i;
    for (int bit = 0; bit < 8; ++bit) v = (v & 1) ? (v >> 1) ^ 0x8408 : v >> 1;
    table[i] = static_cast<uint16_t>(v);
  }
  return table;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t Fcs16Step(uint16_t fcs, uint8_t b) { return static_cast<uint16_t>((fcs >> 8) ^ kTable[(fcs ^ b) & 0xFF]); }

uint16_t Fcs16Update(uint16_t fcs, const uint8_t* data, size_t count) {
  for (size_t i = 0; i < count; ++i) fcs = Fcs16Step(fcs, data[i]);
  return fcs;
}

uint16_t Fcs16(const uint8_t* data, size_t count) {
  return static_cast<uint16_t>(Fcs16Update(kFcs16Init, data, count) ^ 0xFFFF);
}

}  // namespace zyn
