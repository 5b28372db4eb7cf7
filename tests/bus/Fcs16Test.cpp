#include "bus/Fcs16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zyn {
namespace {

TEST(Fcs16, CheckValueOfTheStandardString) {
  const std::string text = "123456789";
  EXPECT_EQ(Fcs16(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0x906E);
}

TEST(Fcs16, EmptyInputGivesZero) { EXPECT_EQ(Fcs16(nullptr, 0), 0x0000); }

TEST(Fcs16, StatusTelegramToModule3) {
  const uint8_t telegram[] = {0xFE, 0x03, 0x05, 0x00};
  EXPECT_EQ(Fcs16(telegram, sizeof telegram), 0xB46B);
  // The receiver runs over the data and the FCS as sent (low byte first).
  const uint8_t received[] = {0xFE, 0x03, 0x05, 0x00, 0x6B, 0xB4};
  EXPECT_EQ(Fcs16Update(kFcs16Init, received, sizeof received) ^ 0xFFFF, kFcs16GoodResidue);
}

TEST(Fcs16, ResidueHoldsForAnyDataAndDetectsAFlippedBit) {
  std::vector<uint8_t> data;
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<uint8_t>(i * 37 + 11));
  const uint16_t fcs = Fcs16(data.data(), data.size());
  data.push_back(static_cast<uint8_t>(fcs & 0xFF));
  data.push_back(static_cast<uint8_t>(fcs >> 8));
  EXPECT_EQ(Fcs16Update(kFcs16Init, data.data(), data.size()) ^ 0xFFFF, kFcs16GoodResidue);
  data[100] ^= 0x04;
  EXPECT_NE(Fcs16Update(kFcs16Init, data.data(), data.size()) ^ 0xFFFF, kFcs16GoodResidue);
}

TEST(Fcs16, StepMatchesTheBitwiseDefinition) {
  for (int b = 0; b < 256; ++b) {
    uint16_t crc = 0x1234 ^ b;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    EXPECT_EQ(Fcs16Step(0x1234, static_cast<uint8_t>(b)), crc) << b;
  }
}

}  // namespace
}  // namespace zyn
