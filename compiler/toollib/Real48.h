#pragma once
// The 6-byte real of the tool libraries: byte 0 the exponent biased by 129 (0 means the value 0),
// bytes 1..5 a 39-bit fraction below an implied leading 1, least significant byte first, the sign
// in the top bit of byte 5. The six bytes are kept as read, so a value is written back bit-exact.

#include <array>
#include <cstdint>

namespace zyn {

class TReal48 {
 public:
  std::array<uint8_t, 6> Bytes{};

  TReal48() = default;
  // Rounds to the nearest 6-byte real (ties to even); values too small become 0. Throws
  // EZYNError for values too large, infinities and NaN.
  static TReal48 FromValue(long double value);
  // False (and result unchanged) where FromValue would throw.
  static bool TryFromValue(long double value, TReal48& result);
  static TReal48 FromBytes(const uint8_t bytes[6]);

  long double Value() const;
  bool IsZero() const { return Bytes[0] == 0; }

  bool operator==(const TReal48& other) const { return Bytes == other.Bytes; }
  bool operator!=(const TReal48& other) const { return Bytes != other.Bytes; }
};

}  // namespace zyn
