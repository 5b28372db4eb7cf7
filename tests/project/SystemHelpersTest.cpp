#include "project/SystemHelpers.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(SystemHelpers, WaitRunsTheEventHookAndVersionHasTwoParts) {
  int calls = 0;
  SetProcessEventsHook([&] { ++calls; });
  WaitMilliseconds(2);
  SetProcessEventsHook({});
  EXPECT_GT(calls, 0);
  WaitMilliseconds(0);  // no hook, no wait
  // The programme is version 2.8.x.y.
  EXPECT_EQ(GetProgramVersion(), "2.8");
}

}  // namespace
}  // namespace zyn
