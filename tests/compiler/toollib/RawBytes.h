#pragma once
// Writes raw tool-library bytes field by field, independently of the library's own writer, so
// that tests can check the layout and the read -> write round trip against known bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace zyn::test {

class RawBytes {
 public:
  std::vector<uint8_t> b;

  RawBytes& U8(uint8_t v) {
    b.push_back(v);
    return *this;
  }
  RawBytes& I16(int v) {
    U8(static_cast<uint8_t>(v));
    return U8(static_cast<uint8_t>(v >> 8));
  }
  RawBytes& I32(int32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  // A counted text: count = length + 1, the length byte and the characters.
  RawBytes& Counted(const std::string& s) {
    I16(static_cast<int>(s.size()) + 1);
    U8(static_cast<uint8_t>(s.size()));
    for (char c : s) U8(static_cast<uint8_t>(c));
    return *this;
  }
  // A memory image of `size` bytes: length byte, text, then `fill` for the rest.
  RawBytes& Image(const std::string& s, size_t size, uint8_t fill = 0, int lengthByte = -1) {
    U8(static_cast<uint8_t>(lengthByte < 0 ? s.size() : lengthByte));
    for (char c : s) U8(static_cast<uint8_t>(c));
    for (size_t i = s.size() + 1; i < size; ++i) U8(fill);
    return *this;
  }
  // `size` bytes counting up from `start`.
  RawBytes& Pattern(size_t size, uint8_t start) {
    for (size_t i = 0; i < size; ++i) U8(static_cast<uint8_t>(start + i));
    return *this;
  }
  RawBytes& Fill(size_t size, uint8_t v = 0) {
    for (size_t i = 0; i < size; ++i) U8(v);
    return *this;
  }
  RawBytes& Bytes(std::initializer_list<uint8_t> bytes) {
    for (uint8_t v : bytes) U8(v);
    return *this;
  }
  RawBytes& Append(const RawBytes& other) {
    b.insert(b.end(), other.b.begin(), other.b.end());
    return *this;
  }
};

}  // namespace zyn::test
