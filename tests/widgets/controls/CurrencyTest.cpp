#include "widgets/controls/ZCLCurrencySettings.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(Currency, TemplatesFormatAndRead) {
  TZCLCurrencySettings c;
  c.SetSystemDefaults(cmUser);
  c.SetSymbol(QStringLiteral("EUR"));
  c.SetSeparators(QLatin1Char(','), QLatin1Char('.'));
  c.SetPositiveFormatStr(TZCLCurrencySettings::PositiveTemplate(3));
  c.SetNegativeFormatStr(TZCLCurrencySettings::NegativeTemplate(0));
  EXPECT_EQ(c.NegativeFormatStr(), QString::fromUtf8("(¤1,1)"));
  EXPECT_EQ(c.Format(12345678900), QStringLiteral("1.234.567,89 EUR"));
  EXPECT_EQ(c.Format(-15999), QStringLiteral("(EUR1,59)"));  // cut, not rounded
  bool ok = false;
  EXPECT_EQ(c.Read(QStringLiteral("(EUR1,59)"), &ok), 15900);  // no "-": positive
  EXPECT_TRUE(ok);
  EXPECT_EQ(c.Read(QStringLiteral("-1.234,5 EUR")), -12345000);
  EXPECT_EQ(c.Read(QStringLiteral("--2")), 20000);
  c.Read(QStringLiteral("EUR"), &ok);
  EXPECT_FALSE(ok);
  TZCLCurrencySettings copy;
  copy.Assign(c);
  EXPECT_EQ(copy.Format(10000), QStringLiteral("1,00 EUR"));
}

}  // namespace
}  // namespace zyn
