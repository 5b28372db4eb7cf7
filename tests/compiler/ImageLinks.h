#pragma once
// Reading a finished image from its bytes alone, as the control module does: the operation list
// that an event of a channel starts (module chain from header word 4, the module's channel
// entries [event byte, address]) and the reporting bits of the outputs (power-on blocks 2 and 5,
// found through their header words).

#include "compiler/Bindata.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyn::test {

inline uint16_t ImageWord(const TBinData& image, size_t at) {
  return static_cast<uint16_t>((image.Bytes()[at] << 8) | image.Bytes()[at + 1]);
}

// The first `count` bytes of the operation list of the event byte of the module (key), empty
// when the link table has no such entry.
inline std::vector<uint8_t> EventListBytes(const TBinData& image, int key, int eventByte, size_t count = 6) {
  const uint8_t* b = image.Bytes();
  uint16_t module = ImageWord(image, kHdrModuleChain);
  if (module == 0xFFFF) return {};
  while (module != 0 && module >= 0x4000 && module - 0x4000u + 3 <= kImageSize) {
    size_t p = module - 0x4000u;
    const int entryKey = b[p];
    module = ImageWord(image, p + 1);
    for (p += 3; p + 3 <= kImageSize && b[p] != 0xFF; p += 3) {
      if (entryKey != key || b[p] != eventByte) continue;
      const size_t list = ImageWord(image, p + 1) - 0x4000u;
      if (list + count > kImageSize) return {};
      return std::vector<uint8_t>(b + list, b + list + count);
    }
  }
  return {};
}

// Whether the image asks the control module to report the output (module key, channel 0..15).
inline bool OutputReported(const TBinData& image, int key, int channel) {
  const size_t block = ImageWord(image, channel < 8 ? kHdrPorBlocks[2] : kHdrPorBlocks[5]) - 0x4000u;
  return (image.Bytes()[block + static_cast<size_t>(key)] >> (channel % 8)) & 1;
}

}  // namespace zyn::test
