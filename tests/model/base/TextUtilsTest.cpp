// The shared text helpers: the ASCII case rules, the two trims, integer parsing with its limits,
// rounding half to even with its clamps, zero-filled numbers and the UTF-8 length.
#include "model/base/TextUtils.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zyn {
namespace {

TEST(TextUtils, CaseRulesAreAsciiOnly) {
  EXPECT_TRUE(SameText("Taster.01", "TASTER.01"));
  EXPECT_FALSE(SameText("Taster", "Taster "));
  EXPECT_FALSE(SameText(Ansi("ä"), Ansi("Ä")));  // accented letters compare as they stand
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_EQ(UpperCase(Ansi("grün & blau")), Ansi("GRüN & BLAU"));
  EXPECT_EQ(AnsiUpperCase(Ansi("grün ÿ")), Ansi("GRÜN Ÿ"));
}

TEST(TextUtils, TrimTakesControlsTrimBlanksOnlyBlanksAndTabs) {
  EXPECT_EQ(Trim(" \t\r\n Lampe \x01\n"), "Lampe");
  EXPECT_EQ(Trim("\r\n"), "");
  EXPECT_EQ(TrimBlanks(" \tLampe\r\n \t"), "Lampe\r\n");
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(TextUtils, StrToIntTakesThe32BitRangeAndRefusesTheRest) {
  struct Case {
    const char* text;
    int value;
  } good[] = {{"0", 0}, {" +17 ", 17}, {"-5", -5}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (const Case& c : good) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  for (const char* bad : {"", " ", "-", "1a", "1 2", "2147483648", "-2147483649", "-21474836480", "99999999999"})
    EXPECT_THROW(StrToInt(bad), EZYNError) << bad;
  try {
    StrToInt("x1");
    ADD_FAILURE() << "no error";
  } catch (const EZYNError& e) {
    EXPECT_EQ(std::string(e.what()), Ansi("'x1' ist kein gültiger Integerwert"));
  }
}

TEST(TextUtils, RoundEvenTakesHalvesToTheEvenNeighbourAndHoldsTheEnds) {
  EXPECT_EQ(RoundEven(2.5), 2);
  EXPECT_EQ(RoundEven(3.5), 4);
  EXPECT_EQ(RoundEven(-2.5), -2);
  EXPECT_EQ(RoundEven(2.4999), 2);
  EXPECT_EQ(RoundEven(1e300), 9200000000000000000LL);
  EXPECT_EQ(RoundEven(-std::numeric_limits<double>::infinity()), -9200000000000000000LL);
  EXPECT_EQ(RoundEven(std::nan("")), 0);
}

TEST(TextUtils, ZeroPadFillsToTheWidth) {
  EXPECT_EQ(ZeroPad(7, 3), "007");
  EXPECT_EQ(ZeroPad(-7, 3), "-007");
  EXPECT_EQ(ZeroPad(1234, 2), "1234");
  EXPECT_EQ(ZeroPad(5, -1), "5");
  EXPECT_EQ(ZeroPad(std::numeric_limits<long long>::min(), 1), "-9223372036854775808");
}

TEST(TextUtils, Utf8LengthCountsWithoutConverting) {
  EXPECT_EQ(Utf8Length(u""), 0u);
  EXPECT_EQ(Utf8Length(u"aä€"), 1u + 2u + 3u);
  EXPECT_EQ(Utf8Length(u"\U0001F600"), 4u);
  EXPECT_EQ(Utf8Length(std::u16string(1, char16_t(0xD800))), 3u);  // a lone surrogate
}

}  // namespace
}  // namespace zyn
