#pragma once
// Checksum of a control-module image: CRC-16/X-25 (reflected polynomial 0x8408, start 0xFFFF,
// final complement), table-driven; "123456789" gives 0x906E.

#include <cstddef>
#include <cstdint>

namespace zyn {

uint16_t ImageCrc16(const uint8_t* data, size_t count);

}  // namespace zyn
