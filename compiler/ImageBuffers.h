#pragma once
// The work buffers of a control-module image. Every buffer has a fixed capacity; an append
// beyond it fails the compile with a German message instead of writing past the end. Module
// addresses (0x4000 + a buffer position) that the layout still has to move are recorded at the
// moment they are written, so the later fix-ups never have to guess where an operand lies.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

constexpr uint16_t kModuleBase = 0x4000;      // module address of image byte 0
constexpr size_t kImageSize = 32768;          // bytes of an image and of each work buffer
constexpr size_t kProjectInfoOffset = 32000;  // the transfer writes the project-information block at 0xBD00
// The transfer writes the contents (bytes 0..L-1) and then the information block: the contents
// may fill everything below the block. (The checksum's extra byte behind the contents is the
// image's own 0xFF filler; the checksum is a stamp of the compiled image, which the transfer
// already changes in its cross references and radio-clock word.)
constexpr size_t kImageContentLimit = kProjectInfoOffset;
constexpr size_t kHeaderSize = 64;
constexpr size_t kPorSize = 1536;
constexpr size_t kClassBlockSize = 128;

// n rounded down to a multiple of 16, plus 16: always advances by 1 to 16 bytes.
constexpr size_t AlignLength(size_t n) { return (n & ~static_cast<size_t>(15)) + 16; }

// What a recorded address is relative to.
enum class TRelocBase : uint8_t {
  Events,       // the image's own event lists
  Logic,        // the image's own logic area
  Texts,        // the image's own display-text records
  OtherEvents,  // the event lists of another control module's image (jump 37)
};

struct TRelocation {
  size_t Offset = 0;  // position of the big-endian word in the buffer
  TRelocBase Base = TRelocBase::Events;
  int Stm = 0;  // control module of OtherEvents
};

class TImageBuffer {
 public:
  // name: German name of the area for messages; limit: how many bytes may be used.
  TImageBuffer(std::string name, size_t capacity, uint8_t fill, size_t limit);
  virtual ~TImageBuffer() = default;

  // Fill bytes, length 0, no recorded addresses.
  virtual void Reset();

  size_t Length() const { return fLength; }
  size_t Limit() const { return fLimit; }
  const uint8_t* Data() const { return fBytes.data(); }
  uint8_t At(size_t position) const { return fBytes.at(position); }
  const std::string& Name() const { return fName; }

  void AppendByte(uint8_t value);
  void AppendBytes(const uint8_t* data, size_t count);
  void AppendBytes(const std::vector<uint8_t>& data) { AppendBytes(data.data(), data.size()); }
  void AppendWordBE(uint16_t value);
  // The characters of the text, then one 0 byte.
  void AppendText(const std::string& text);
  // The characters only.
  void AppendChars(const std::string& text);
  // The module address of `position` in the target area (0x4000 + position), big-endian, and
  // a record that the word moves with the area `base` when the image is laid out.
  void AppendAddress(size_t position, TRelocBase base, int stm = 0);

  void WriteByte(size_t position, uint8_t value);
  void WriteWordBE(size_t position, uint16_t value);
  uint16_t WordBE(size_t position) const;
  // Adds to the big-endian word at the position (modulo 16 bits).
  void AddToWordBE(size_t position, uint16_t value);
  void Record(size_t position, TRelocBase base, int stm = 0) { fRelocations.push_back({position, base, stm}); }
  const std::vector<TRelocation>& Relocations() const { return fRelocations; }

  // AlignLength of the length; the bytes passed over keep the fill.
  void Align();

  // 0x4000 + the current length, the address of the next byte to be appended.
  uint16_t NextAddress() const;

 protected:
  void Reserve(size_t count);  // throws when count more bytes do not fit
  void SetLength(size_t length);
  std::vector<uint8_t>& Bytes() { return fBytes; }

 private:
  std::string fName;
  std::vector<uint8_t> fBytes;
  uint8_t fFill;
  size_t fLimit;
  size_t fLength = 0;
  std::vector<TRelocation> fRelocations;
};

// The image itself: header, link table and the sections appended by the layout.
class TVerbLinkBuffer : public TImageBuffer {
 public:
  TVerbLinkBuffer();
  void Reset() override;

  uint32_t ImageChecksum = 0;
  size_t ChainPos = 4;  // where the next module-chain address goes

  // A channel entry of the link table: event byte and the address of its list in the event area.
  void AppendLinkEntry(uint8_t event, size_t eventListPosition);
  // Copies the bytes at a position inside the used part (the length stays).
  void CopyInto(size_t position, const uint8_t* data, size_t count);
};

// A code area: event lists or logic area.
class TTelegrammBuffer : public TImageBuffer {
 public:
  explicit TTelegrammBuffer(std::string name);
  size_t ImageOffset = 0;  // where the layout last placed the area in the image
  size_t LogicStart = 0;   // logic area: end of the combinations, start of the then/else lists
};

// Display-text records.
class TTextBuffer : public TImageBuffer {
 public:
  TTextBuffer();
  // The characters with the Nordic letters replaced by the display's codes and a 0 byte after
  // every sixteenth character.
  void AppendTextRecord(const std::string& text);
};

// The clock table.
class TUlinkBuffer : public TImageBuffer {
 public:
  TUlinkBuffer();
};

// Power-on states and used outputs: six blocks of 256 bytes, byte k for the module with key k.
class TPorBuffer : public TImageBuffer {
 public:
  TPorBuffer();
  // All 0xFF, then bytes 256..287, 512..767, 1024..1055 and 1280..1535 zero.
  void Reset() override;
  void SetPORState(int basisKlasse, int adresse, int porStatus, int channel);
  void SetOutputUsed(int basisKlasse, int adresse, int channel);

 private:
  static size_t ByteIndex(int basisKlasse, int adresse, int channel, int block);
  void SetBit(size_t index, int channel, bool on);
};

// The module-class block: 128 zero bytes; nothing writes into it.
class TMClassBuffer : public TImageBuffer {
 public:
  TMClassBuffer();
};

}  // namespace zyn
