#include "model/base/Filer.h"

#include <gtest/gtest.h>

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

namespace zyn {
namespace {

TEST(Filer, BasicRoundTrip) {
  TMemoryStream s;
  {
    TWriter w(s);
    w.WriteInteger(300);
    w.WriteString("abc");
    w.WriteBoolean(true);
    w.WriteFloat(1.5L);
  }
  s.SetPosition(0);
  TReader r(s);
  EXPECT_EQ(r.ReadInteger(), 300);
  EXPECT_EQ(r.ReadString(), "abc");
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadFloat(), 1.5L);
  EXPECT_THROW(r.ReadInteger(), EReadError);
}

}  // namespace
}  // namespace zyn
