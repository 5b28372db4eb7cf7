#include "compiler/toollib/Real48.h"

#include "model/base/Errors.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zyn {
namespace {

struct Real48Case {
  long double value;
  std::array<uint8_t, 6> bytes;
};

// Byte patterns worked out by hand from the format: exponent + 129 in byte 0, the fraction below
// the leading 1 in bytes 1..5 (least significant first), the sign in the top bit of byte 5.
const Real48Case kCases[] = {
    {0.0L, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},     {1.0L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {65535.0L, {0x90, 0x00, 0x00, 0x00, 0xFF, 0x7F}}, {-1.0L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x80}},
    {0.5L, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}},     {2.0L, {0x82, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {10.0L, {0x84, 0x00, 0x00, 0x00, 0x00, 0x20}},    {-10.0L, {0x84, 0x00, 0x00, 0x00, 0x00, 0xA0}},
    {1.5L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x40}},     {0.1L, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}},
    {255.0L, {0x88, 0x00, 0x00, 0x00, 0x00, 0x7F}},   {1000.0L, {0x8A, 0x00, 0x00, 0x00, 0x00, 0x7A}},
};

TEST(Real48Test, TableConvertsBothWays) {
  for (const Real48Case& c : kCases) {
    const TReal48 r = TReal48::FromValue(c.value);
    EXPECT_EQ(r.Bytes, c.bytes) << static_cast<double>(c.value);
    if (c.value == 0.1L) {
      EXPECT_NEAR(static_cast<double>(TReal48::FromBytes(c.bytes.data()).Value()), 0.1, 1e-12);
    } else {
      EXPECT_EQ(TReal48::FromBytes(c.bytes.data()).Value(), c.value);
    }
  }
}

TEST(Real48Test, ExponentZeroIsZeroWhateverTheFraction) {
  const uint8_t bytes[6] = {0x00, 0x12, 0x34, 0x56, 0x78, 0x9A};
  EXPECT_EQ(TReal48::FromBytes(bytes).Value(), 0.0L);
}

TEST(Real48Test, RoundsHalfToEvenAndCarriesIntoTheExponent) {
  // 1 + 2^-40 lies half-way between 1 and the next 6-byte real: it rounds to the even 1.
  EXPECT_EQ(TReal48::FromValue(1.0L + std::ldexp(1.0L, -40)).Bytes, kCases[1].bytes);
  // 2 - 2^-41 rounds up and carries into the exponent: 2.0.
  EXPECT_EQ(TReal48::FromValue(2.0L - std::ldexp(1.0L, -41)).Bytes, kCases[5].bytes);
}

TEST(Real48Test, RangeLimits) {
  TReal48 r;
  EXPECT_FALSE(TReal48::TryFromValue(std::ldexp(1.0L, 127), r));
  EXPECT_FALSE(TReal48::TryFromValue(NAN, r));
  EXPECT_THROW(TReal48::FromValue(INFINITY), EZYNError);
  EXPECT_TRUE(TReal48::TryFromValue(std::ldexp(1.0L, 126), r));
  EXPECT_EQ(r.Bytes[0], 255);
  EXPECT_TRUE(TReal48::TryFromValue(std::ldexp(1.0L, -130), r));  // below the smallest: 0
  EXPECT_TRUE(r.IsZero());
}

}  // namespace
}  // namespace zyn
