#pragma once
// Frames on the simulated bus line: 0xC0, stuffed bytes with their FCS, 0xC1.

#include <cstdint>
#include <optional>
#include <vector>

namespace zyn::sim {

// The wire form of a telegram (sender, receiver, command, data): flags, stuffing and FCS added.
std::vector<uint8_t> EncodeFrame(const std::vector<uint8_t>& telegram);
// The same with a given FCS (to send damaged frames).
std::vector<uint8_t> EncodeFrameWithFcs(const std::vector<uint8_t>& telegram, uint16_t fcs);

struct TSimFrame {
  std::vector<uint8_t> Telegram;  // unstuffed, without the FCS
  std::vector<uint8_t> Wire;      // as received, flags included
  bool FcsOk = false;
};

// Collects frames from a byte stream; bytes outside a frame are ignored.
class TSimFrameDecoder {
 public:
  std::optional<TSimFrame> Feed(uint8_t b);

 private:
  bool fInFrame = false;
  bool fEscape = false;
  std::vector<uint8_t> fBytes;
  std::vector<uint8_t> fWire;
};

}  // namespace zyn::sim
