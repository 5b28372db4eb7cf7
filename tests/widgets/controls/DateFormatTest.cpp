#include "widgets/controls/ZCLDateFormat.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(DateFormat, CustomPatternsWriteAndRead) {
  TZCLDateFormat f;
  f.SetFormat(dfCustom);
  f.SetFormatStr(QStringLiteral("DD-MM-YYYY"));
  const QDate d(2026, 3, 7);
  EXPECT_EQ(f.FormatDate(d), QStringLiteral("07-03-2026"));
  EXPECT_EQ(f.Parse(QStringLiteral("07-03-2026")), d);
  f.SetFormatStr(QStringLiteral("D-M-YY"));
  EXPECT_EQ(f.FormatDate(d), QStringLiteral("7-3-26"));
  EXPECT_EQ(f.FormatDate(d, true), QStringLiteral(" 7- 3-26"));
  EXPECT_EQ(f.Parse(QStringLiteral(" 7- 3-26")), d);
  f.SetYearDelta(50);
  EXPECT_EQ(f.Parse(QStringLiteral("1-1-75")).year(), 1975);
  EXPECT_EQ(f.Parse(QStringLiteral("1-1-25")).year(), 2025);
  EXPECT_EQ(f.Parse(QStringLiteral("30-2-24")), QDate(2024, 2, 29));  // cut to the end of February
  EXPECT_FALSE(f.Parse(QStringLiteral("1-13-24")).isValid());
  EXPECT_FALSE(f.Parse(QStringLiteral("x")).isValid());
  EXPECT_EQ(TZCLDateFormat::ToValue(QDate(1900, 1, 1)), 2.0);
  EXPECT_EQ(TZCLDateFormat::FromValue(2.0), QDate(1900, 1, 1));
}

}  // namespace
}  // namespace zyn
