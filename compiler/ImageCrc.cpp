#include "compiler/ImageCrc.h"

#include <array>

namespace zyn {

namespace {

std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    uint16_t v = static_cast<uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit)
      v = (v & 1) ? static_cast<uint16_t>((v >> 1) ^ 0x8408) : static_cast<uint16_t>(v >> 1);
    table[i] = v;
  }
  return table;
}

}  // namespace

uint16_t ImageCrc16(const uint8_t* data, size_t count) {
  static const std::array<uint16_t, 256> kTable = MakeTable();
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < count; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ data[i]) & 0xFF]);
  return static_cast<uint16_t>(~crc);
}

}  // namespace zyn
