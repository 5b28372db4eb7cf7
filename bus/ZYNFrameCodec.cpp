#include "bus/ZYNFrameCodec.h"

#include "bus/Fcs16.h"

namespace zyn {

namespace {

bool NeedsStuffing(uint8_t b) { return b == kFrameStart || b == kFrameEnd || b == kFrameEscape; }

void PutStuffed(std::vector<uint8_t>& out, uint8_t b) {
  if (NeedsStuffing(b)) {
    out.push_back(kFrameEscape);
    out.push_back(static_cast<uint8_t>(b ^ 0x20));
  } else {
    out.push_back(b);
  }
}

}  // namespace

void TZYNFrameEncoder::Begin(uint8_t sender, uint8_t receiver) {
  fWire.assign(1, kFrameStart);
  fTelegram.clear();
  fFcs = kFcs16Init;
  fClosed = false;
  fTooLong = false;
  Add(sender);
  Add(receiver);
}

void TZYNFrameEncoder::Add(uint8_t b) {
  if (fClosed) return;
  // Room stays for the stuffed FCS (at most 4 bytes) and the end flag.
  const size_t need = NeedsStuffing(b) ? 2 : 1;
  if (fWire.size() + need + 5 > fLimit) {
    fTooLong = true;
    return;
  }
  fFcs = Fcs16Step(fFcs, b);
  fTelegram.push_back(b);
  PutStuffed(fWire, b);
}

void TZYNFrameEncoder::Close() {
  if (fClosed) return;
  const uint16_t fcs = static_cast<uint16_t>(fFcs ^ 0xFFFF);
  PutStuffed(fWire, static_cast<uint8_t>(fcs & 0xFF));
  PutStuffed(fWire, static_cast<uint8_t>(fcs >> 8));
  fWire.push_back(kFrameEnd);
  fClosed = true;
}

std::vector<uint8_t> TZYNFrameEncoder::Encode(const uint8_t* telegram, size_t count) {
  TZYNFrameEncoder encoder(MaxWireBytes(count));
  encoder.fWire.assign(1, kFrameStart);
  for (size_t i = 0; i < count; ++i) encoder.Add(telegram[i]);
  encoder.Close();
  return encoder.fWire;
}

void TZYNFrameDecoder::SetSize(size_t size) {
  fSize = size;
  Reset();
}

void TZYNFrameDecoder::Reset() {
  fInFrame = false;
  fEscape = false;
  fCurrent = TZYNReceivedFrame{};
}

TZYNFrameDecoder::TResult TZYNFrameDecoder::Feed(uint8_t b) {
  if (b == kFrameStart) {
    fInFrame = true;
    fEscape = false;
    fCurrent.Bytes.clear();
    fCurrent.Overflow = false;
    fCurrent.StartTag = fTag;
    return kStart;
  }
  if (!fInFrame) return kNothing;  // noise between frames, or an end flag without a start
  if (b == kFrameEnd) {
    fInFrame = false;
    fEscape = false;
    if (fCurrent.Bytes.empty()) return kEmpty;
    fFrame = std::move(fCurrent);
    fCurrent = TZYNReceivedFrame{};
    fFrame.Residue = static_cast<uint16_t>(Fcs16Update(kFcs16Init, fFrame.Bytes.data(), fFrame.Bytes.size()) ^ 0xFFFF);
    // The shortest telegram is sender, receiver and command with its FCS.
    fFrame.FcsOk = fFrame.Bytes.size() >= 5 && fFrame.Residue == kFcs16GoodResidue && !fFrame.Overflow;
    return kFrame;
  }
  if (b == kFrameEscape) {
    fEscape = true;
    return kNothing;
  }
  const uint8_t v = fEscape ? static_cast<uint8_t>(b ^ 0x20) : b;
  fEscape = false;
  if (fCurrent.Bytes.size() < fSize)
    fCurrent.Bytes.push_back(v);
  else
    fCurrent.Overflow = true;
  return kNothing;
}

}  // namespace zyn
