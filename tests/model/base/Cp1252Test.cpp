#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(Cp1252, EveryByteSurvivesUtf8AndUtf16) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(all)), all);
}

TEST(Cp1252, KnownMappings) {
  struct Case {
    unsigned char byte;
    char32_t cp;
  };
  const Case cases[] = {{'A', U'A'},       {0x80, 0x20AC},    {0x81, 0x0081}, {0x8D, 0x008D},
                        {0x8F, 0x008F},    {0x90, 0x0090},    {0x9D, 0x009D}, {0x9F, 0x0178},
                        {0xFC, U'\u00FC'}, {0xDF, U'\u00DF'}, {0xA0, 0x00A0}, {0x96, 0x2013}};
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiToCodePoint(c.byte), c.cp) << int(c.byte);
    EXPECT_EQ(CodePointToAnsi(c.cp), c.byte) << int(c.byte);
  }
  EXPECT_EQ(CodePointToAnsi(0x4E2D), -1);
  EXPECT_EQ(CodePointToAnsi(0x0080), -1);  // U+0080 has no byte: 0x80 is the euro sign
}

TEST(Cp1252, GermanLiteralsAndUnmappableText) {
  EXPECT_EQ(Ansi("Ungültiger Eigenschaftswert"), std::string("Ung\xFCltiger Eigenschaftswert"));
  EXPECT_EQ(AnsiToUtf8("Gr\xFC\xDF"
                       "e \x80"),
            "Grüße €");
  EXPECT_EQ(Utf8ToAnsi("中文"), "??");
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");              // truncated sequence
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "?");            // an overlong form is rejected as one sequence
  EXPECT_EQ(Utf16ToAnsi(u"x\xD83D\xDE00y"), "x?y");  // pair outside the code page
  EXPECT_EQ(Utf16ToAnsi(std::u16string(1, char16_t(0xDC00))), "?");
  EXPECT_TRUE(HasHighBytes("a\xE4"));
  EXPECT_FALSE(HasHighBytes("plain"));
}

}  // namespace
}  // namespace zyn
