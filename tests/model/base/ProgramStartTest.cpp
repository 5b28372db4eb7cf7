// The programme itself, started twice from an empty folder and asked to end (SIGTERM) once its
// options are there: the first start writes the options file with its defaults, the second reads
// it and writes it again unchanged. Both end in order with exit status 0.
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

TEST(ProgramStart, FirstStartWritesTheOptionsSecondKeepsThem) {
  const std::filesystem::path built = std::string(ZYN_BINARY_DIR) + "/app/zyn";
  if (!std::filesystem::exists(built)) GTEST_SKIP() << "the programme is not built in this tree";
  test::TempFolder dir;
  const std::string program = dir.File("zyn");
  std::filesystem::copy_file(built, program);

  const std::string options = dir.File("zyn.xml");
  // The stop request is sent once the options file exists and the programme catches SIGTERM (its
  // first step; the kernel shows it in SigCgt), and the test waits for the programme to end, which
  // it does through its own closing path. Each wait has a deadline of 120 s that ends a hang with
  // a failure.
  const std::string run =
      "QT_QPA_PLATFORM=offscreen '" + program + "' > '" + dir.File("out.txt") +
      "' 2>&1 & pid=$!; for i in $(seq 1 1200); do [ -f '" + options +
      "' ] && m=$(awk '/^SigCgt/{print $2}' /proc/$pid/status 2>/dev/null) && [ -n \"$m\" ] && "
      "[ $(( 0x$m & 0x4000 )) -ne 0 ] && break; sleep 0.1; done; kill -TERM $pid; "
      "for i in $(seq 1 1200); do [ -d /proc/$pid ] && ! grep -q '^State:.*Z' /proc/$pid/status 2>/dev/null || break; "
      "sleep 0.1; done; wait $pid";
  ASSERT_EQ(std::system(run.c_str()), 0);
  ASSERT_TRUE(std::filesystem::exists(options));
  EXPECT_TRUE(test::XmllintAccepts(options));
  const std::string first = test::ReadWholeFile(options);
  EXPECT_NE(first.find("<PorWaitTime>250</PorWaitTime>"), std::string::npos);
  EXPECT_NE(first.find("<SystemPath>" + std::string("&#x2F;")), std::string::npos);

  ASSERT_EQ(std::system(run.c_str()), 0);
  EXPECT_EQ(test::ReadWholeFile(options), first);
}

}  // namespace
}  // namespace zyn
