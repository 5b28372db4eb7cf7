#pragma once
// The frame codec of the bus link: telegrams to line bytes and line bytes to frames. No threads,
// no I/O, no time: the exchange layer (ZYNExchange.h) feeds it and decides what a frame means.
//
// On the line a telegram is 0xC0, the stuffed bytes sender, receiver, command, data and the FCS
// (low byte first), then 0xC1. Every byte between the flags that equals 0x7D, 0xC0 or 0xC1 goes
// out as 0x7D followed by the byte XOR 0x20.
//
// Call order of the encoder: Begin, Add per byte, Close; Wire() is then the whole telegram and
// stays unchanged for repetitions until the next Begin. The decoder is fed byte by byte in the
// order the line delivered them; Frame() is valid after Feed returned kFrame until the next Feed.
// Both own their buffers; neither is shared between threads.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyn {

constexpr uint8_t kFrameStart = 0xC0;
constexpr uint8_t kFrameEnd = 0xC1;
constexpr uint8_t kFrameEscape = 0x7D;

class TZYNFrameEncoder {
 public:
  // limit: the most line bytes a telegram may take (the send buffer size).
  explicit TZYNFrameEncoder(size_t limit = 1024) : fLimit(limit) {}
  void SetLimit(size_t limit) { fLimit = limit; }

  // Starts a telegram with the start flag, the sender and the receiver byte.
  void Begin(uint8_t sender, uint8_t receiver);
  // Appends a byte; a byte that does not fit (room stays for the FCS and the end flag) is not
  // appended and marks the telegram as too long.
  void Add(uint8_t b);
  // Appends the FCS and the end flag. Nothing when already closed.
  void Close();

  bool Closed() const { return fClosed; }
  bool TooLong() const { return fTooLong; }
  // The line bytes so far, flags included.
  const std::vector<uint8_t>& Wire() const { return fWire; }
  // The unstuffed bytes from the sender on, without the FCS.
  const std::vector<uint8_t>& Telegram() const { return fTelegram; }

  // The whole line form of a telegram (sender, receiver, command, data) in one step.
  static std::vector<uint8_t> Encode(const uint8_t* telegram, size_t count);

 private:
  size_t fLimit;
  std::vector<uint8_t> fWire;
  std::vector<uint8_t> fTelegram;
  uint16_t fFcs = 0xFFFF;
  bool fClosed = false;
  bool fTooLong = false;
};

// The line bytes a telegram of n unstuffed bytes (FCS excluded) takes at most: every byte and
// both FCS bytes stuffed, plus the two flags.
constexpr size_t MaxWireBytes(size_t n) { return 2 * (n + 2) + 2; }

struct TZYNReceivedFrame {
  std::vector<uint8_t> Bytes;  // unstuffed, FCS included: [0] sender, [1] receiver, [2] status ...
  uint16_t Residue = 0;        // the receiver's complemented FCS result
  bool FcsOk = false;
  bool Overflow = false;  // bytes beyond the buffer size were dropped
  uint64_t StartTag = 0;  // the tag that was current when its start flag arrived
};

class TZYNFrameDecoder {
 public:
  enum TResult { kNothing, kStart, kFrame, kEmpty };

  // size: the most bytes of a frame that are kept (the receive buffer size).
  explicit TZYNFrameDecoder(size_t size = 1024) : fSize(size) {}
  // A new size; a frame being received is dropped.
  void SetSize(size_t size);
  // Tag given to frames whose start flag arrives from now on (the exchange's request number).
  void SetTag(uint64_t tag) { fTag = tag; }
  uint64_t Tag() const { return fTag; }
  // Forgets a frame being received.
  void Reset();

  // kStart at a start flag, kFrame when a frame with content ended (see Frame()), kEmpty for
  // C0 C1; bytes outside a frame are line noise (kNothing).
  TResult Feed(uint8_t b);
  const TZYNReceivedFrame& Frame() const { return fFrame; }

 private:
  size_t fSize;
  uint64_t fTag = 0;
  bool fInFrame = false;
  bool fEscape = false;
  TZYNReceivedFrame fCurrent;
  TZYNReceivedFrame fFrame;
};

}  // namespace zyn
