// The work buffers: alignment, the power-on bits and the capacity limits.

#include "compiler/Bindata.h"
#include "compiler/CompileError.h"
#include "compiler/ImageBuffers.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(ImageBuffers, AlignmentAlwaysAdvances) {
  EXPECT_EQ(AlignLength(0), 16u);
  EXPECT_EQ(AlignLength(1), 16u);
  EXPECT_EQ(AlignLength(15), 16u);
  EXPECT_EQ(AlignLength(16), 32u);
  EXPECT_EQ(AlignLength(17), 32u);
}

TEST(ImageBuffers, PowerOnStatesAndUsedOutputs) {
  struct Case {
    int status, channel;
    size_t first, second;  // byte offsets of the two power-on bits (key 0x45)
    uint8_t firstValue, secondValue;
  };
  // Block 1 starts all 0xFF for key 0x45 (only keys 0..31 are zero), block 4 likewise.
  const Case cases[] = {
      {0, 3, 0x45, 256 + 0x45, 0xFF, 0xFF},         // off: set in both
      {1, 3, 0x45, 256 + 0x45, 0xF7, 0xF7},         // memory: cleared in both
      {2, 3, 0x45, 256 + 0x45, 0xFF, 0xF7},         // on: set in block 0, cleared in block 1
      {255, 3, 0x45, 256 + 0x45, 0xFF, 0xFF},       // reserved: no change
      {1, 8, 768 + 0x45, 1024 + 0x45, 0xFE, 0xFE},  // channel 8: bit 0 in blocks 3 and 4
  };
  for (const Case& c : cases) {
    TPorBuffer por;
    por.SetPORState(2, 5, c.status, c.channel);
    EXPECT_EQ(por.At(c.first), c.firstValue) << c.status << "/" << c.channel;
    EXPECT_EQ(por.At(c.second), c.secondValue) << c.status << "/" << c.channel;
  }
  TPorBuffer por;
  por.SetOutputUsed(2, 5, 8);
  por.SetOutputUsed(2, 5, 2);
  EXPECT_EQ(por.At(1280 + 0x45), 0x01);
  EXPECT_EQ(por.At(512 + 0x45), 0x04);
  EXPECT_THROW(por.SetOutputUsed(2, 5, 16), ECompileError);
  EXPECT_THROW(por.SetPORState(8, 0, 0, 1), ECompileError);
  por.Reset();
  EXPECT_EQ(por.At(512 + 0x45), 0x00);
}

TEST(ImageBuffers, AppendBeyondTheLimitFailsWithTheAreaName) {
  TBinData image(2);
  std::vector<uint8_t> block(kImageContentLimit - 64, 0x11);
  image.Image.AppendBytes(block);
  EXPECT_EQ(image.Image.Length(), 32000u);
  try {
    image.Image.AppendByte(0x22);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find("Programmspeicher"), std::string::npos);
  }
  EXPECT_EQ(image.Image.At(32000), 0xFF);
  image.EventArea.AppendBytes(std::vector<uint8_t>(32768, 0));
  EXPECT_THROW(image.EventArea.AppendByte(0), ECompileError);
  EXPECT_THROW(image.EventArea.Align(), ECompileError);
}

// The transfer writes the image bytes 0..L-1 from module address 0x4000 and then the
// project-information block at 0xBD00: contents of 32000 bytes end exactly where the block
// begins and compile; one section more would run into the block and is refused.
TEST(ImageBuffers, ContentsMayFillEverythingBelowTheProjectInformationBlock) {
  constexpr size_t kFixed = 64 + 16 * 4 + 1536 + 256 + 144 + 16 + 16;
  TBinData full(1);
  full.Texts.AppendBytes(std::vector<uint8_t>(32000 - kFixed - 16, 0x41));
  full.FinalizeImage("G", "T");
  EXPECT_EQ(full.ImageLength(), 32000u);
  const uint8_t* b = full.Bytes();
  EXPECT_EQ(b[0] * 256 + b[1], 32000);   // HdrLength
  EXPECT_EQ(b[6] * 256 + b[7], 0xBD00);  // HdrEnd: the first byte behind the contents
  EXPECT_EQ(kModuleBase + full.ImageLength(), 0xBD00u);
  EXPECT_EQ(b[32000], 0xFF);  // nothing of the contents at the block's place

  TBinData beyond(1);
  beyond.Texts.AppendBytes(std::vector<uint8_t>(32000 - kFixed, 0x41));  // contents would end at 32016
  try {
    beyond.FinalizeImage("G", "T");
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find("32016 Bytes, erlaubt sind 32000 Bytes"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace zyn
