#include "compiler/toollib/Real48.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <cmath>

namespace zyn {

namespace {

constexpr int kBias = 129;
constexpr int kFractionBits = 39;
constexpr uint64_t kFractionMask = (uint64_t{1} << kFractionBits) - 1;

}  // namespace

bool TReal48::TryFromValue(long double value, TReal48& result) {
  if (std::isnan(value) || std::isinf(value)) return false;
  TReal48 r;
  if (value == 0) {
    result = r;
    return true;
  }
  const bool negative = value < 0;
  int e = 0;
  const long double m = std::frexp(std::fabs(value), &e);  // |value| = m * 2^e, m in [0.5, 1)
  // Significand 1.f with 39 fraction bits as a whole number of 40 bits, rounded to even.
  long double scaled = std::ldexp(m, kFractionBits + 1);
  long double whole = std::nearbyint(scaled);  // default rounding: to nearest, ties to even
  int exponent = e - 1 + kBias;
  if (whole >= std::ldexp(1.0L, kFractionBits + 1)) {
    whole = std::ldexp(1.0L, kFractionBits);
    ++exponent;
  }
  if (exponent > 255) return false;
  if (exponent < 1) {
    result = r;  // below the smallest 6-byte real
    return true;
  }
  const uint64_t fraction = static_cast<uint64_t>(whole) & kFractionMask;
  r.Bytes[0] = static_cast<uint8_t>(exponent);
  for (int i = 0; i < 5; ++i) r.Bytes[1 + i] = static_cast<uint8_t>(fraction >> (8 * i));
  if (negative) r.Bytes[5] |= 0x80;
  result = r;
  return true;
}

TReal48 TReal48::FromValue(long double value) {
  TReal48 r;
  if (!TryFromValue(value, r)) throw EZYNError(Ansi("Der Wert passt nicht in eine 6-Byte-Gleitkommazahl."));
  return r;
}

TReal48 TReal48::FromBytes(const uint8_t bytes[6]) {
  TReal48 r;
  for (int i = 0; i < 6; ++i) r.Bytes[i] = bytes[i];
  return r;
}

long double TReal48::Value() const {
  if (Bytes[0] == 0) return 0;
  uint64_t fraction = 0;
  for (int i = 0; i < 5; ++i) fraction |= static_cast<uint64_t>(Bytes[1 + i]) << (8 * i);
  const bool negative = (fraction >> kFractionBits) & 1;
  fraction &= kFractionMask;
  const long double significand = static_cast<long double>((uint64_t{1} << kFractionBits) | fraction);
  const long double v = std::ldexp(significand, Bytes[0] - kBias - kFractionBits);
  return negative ? -v : v;
}

}  // namespace zyn
