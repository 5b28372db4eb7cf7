#include "platform/QtText.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(QtText, RoundTripsEveryByteThroughQString) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString q = ToQString(all);
  ASSERT_EQ(q.size(), 256);
  EXPECT_EQ(q.at(0xFC), QChar(0x00FC));
  EXPECT_EQ(q.at(0x80), QChar(0x20AC));
  EXPECT_EQ(q.at(0x81), QChar(0x0081));
  EXPECT_EQ(FromQString(q), all);
  EXPECT_EQ(FromQString(QStringLiteral("Grüße 中")), std::string("Gr\xFC\xDF"
                                                                 "e ?"));
}

}  // namespace
}  // namespace zyn
