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
  const std::string run = "QT_QPA_PLATFORM=offscreen '" + program + "' > '" + dir.File("out.txt") +
                          "' 2>&1 & pid=$!; for i in $(seq 1 100); do [ -f '" + options +
                          "' ] && break; sleep 0.1; done; sleep 0.5; kill -TERM $pid; wait $pid";
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
