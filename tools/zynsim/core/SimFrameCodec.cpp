#include "tools/zynsim/core/SimFrameCodec.h"

#include "bus/Fcs16.h"

namespace zyn::sim {

namespace {

void PutStuffed(std::vector<uint8_t>& out, uint8_t b) {
  if (b == 0xC0 || b == 0xC1 || b == 0x7D) {
    out.push_back(0x7D);
    out.push_back(b ^ 0x20);
  } else {
    out.push_back(b);
  }
}

}  // namespace

std::vector<uint8_t> EncodeFrame(const std::vector<uint8_t>& telegram) {
  return EncodeFrameWithFcs(telegram, Fcs16(telegram.data(), telegram.size()));
}

std::vector<uint8_t> EncodeFrameWithFcs(const std::vector<uint8_t>& telegram, uint16_t fcs) {
  std::vector<uint8_t> out{0xC0};
  for (uint8_t b : telegram) PutStuffed(out, b);
  PutStuffed(out, static_cast<uint8_t>(fcs & 0xFF));
  PutStuffed(out, static_cast<uint8_t>(fcs >> 8));
  out.push_back(0xC1);
  return out;
}

std::optional<TSimFrame> TSimFrameDecoder::Feed(uint8_t b) {
  if (b == 0xC0) {
    fInFrame = true;
    fEscape = false;
    fBytes.clear();
    fWire.assign(1, b);
    return std::nullopt;
  }
  if (!fInFrame) return std::nullopt;
  fWire.push_back(b);
  if (b == 0xC1) {
    fInFrame = false;
    fEscape = false;
    TSimFrame frame;
    frame.Wire = fWire;
    frame.FcsOk =
        fBytes.size() >= 3 && (Fcs16Update(kFcs16Init, fBytes.data(), fBytes.size()) ^ 0xFFFF) == kFcs16GoodResidue;
    if (fBytes.size() >= 2) fBytes.resize(fBytes.size() - 2);
    frame.Telegram = fBytes;
    return frame;
  }
  if (b == 0x7D) {
    fEscape = true;
    return std::nullopt;
  }
  fBytes.push_back(fEscape ? static_cast<uint8_t>(b ^ 0x20) : b);
  fEscape = false;
  return std::nullopt;
}

}  // namespace zyn::sim
