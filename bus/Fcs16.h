#pragma once
// 16-bit frame check sequence of the bus telegrams and the control-module images
// (CRC-16/X-25: reflected polynomial 0x8408, start 0xFFFF, final complement).

#include <cstddef>
#include <cstdint>

namespace zyn {

constexpr uint16_t kFcs16Init = 0xFFFF;
// The receiver's complemented result over data plus the two FCS bytes of a correct frame.
constexpr uint16_t kFcs16GoodResidue = 0x0F47;

// One step of the table-driven computation: fcs = (fcs >> 8) ^ table[(fcs ^ b) & 0xFF].
uint16_t Fcs16Step(uint16_t fcs, uint8_t b);
// Runs the steps over the bytes, starting from fcs (no complement).
uint16_t Fcs16Update(uint16_t fcs, const uint8_t* data, size_t count);
// The complemented checksum of the bytes, as sent (low byte first).
uint16_t Fcs16(const uint8_t* data, size_t count);

}  // namespace zyn
