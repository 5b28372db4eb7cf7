#pragma once
// Primitives of the raw library form: little-endian numbers, counted texts (a 16-bit count of
// length + 1, the length byte and the characters) and fixed blocks. The reader trusts no count or
// length: every one is checked against its field and against the bytes the stream still holds.

#include "model/base/Streams.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

class TRawToolReader {
 public:
  explicit TRawToolReader(TStream& stream) : fStream(stream) {}

  uint8_t ReadU8() { return fStream.ReadU8(); }
  int16_t ReadI16() { return fStream.ReadI16(); }
  uint16_t ReadU16() { return fStream.ReadU16(); }
  int32_t ReadI32() { return fStream.ReadI32(); }
  void ReadBlock(void* buffer, size_t size);

  // A counted text of at most maxLength characters; EReadError naming the field when the record
  // is longer than the field or its length byte claims more than the record holds.
  std::string ReadCounted(size_t maxLength, std::string_view field);
  // A 16-bit item count; EReadError when it is negative or when the stream cannot hold that many
  // items of at least minItemSize bytes.
  int ReadCount(size_t minItemSize, std::string_view what);

  // Nesting depth of embedded sub-tools being read.
  int Depth = 0;

 private:
  int64_t Remaining();

  TStream& fStream;
};

// Writes a counted text, cut to maxLength characters.
void WriteCounted(TStream& stream, std::string_view text, size_t maxLength);
// Writes a 16-bit count; EWriteError when the list holds more than 32767 items.
void WriteCount(TStream& stream, size_t count, std::string_view what);

// Smallest raw sizes, used to refuse counts the stream cannot hold.
constexpr size_t kMinCountedSize = 2;
constexpr size_t kEmptyToolRawSize = 9 * 3 + 1 + 4 + 256 + 63 + 701 + 4 * 2;

}  // namespace zyn
