// The programme itself, started twice from an empty folder: the first start writes the options
// file with its defaults, the second reads it and writes it again unchanged.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/model/base/TempFolder.h"

namespace zyn {
namespace {

TEST(ProgramStart, FirstStartWritesTheOptionsSecondKeepsThem) {
  const std::filesystem::path built = std::string(ZYN_BINARY_DIR) + "/app/zyn";
  if (!std::filesystem::exists(built)) GTEST_SKIP() << "the programme is not built in this tree";
  test::TempFolder dir;
  const std::string program = dir.File("zyn");
  std::filesystem::copy_file(built, program);

  const std::string run = "'" + program + "' > '" + dir.File("out.txt") + "'";
  ASSERT_EQ(std::system(run.c_str()), 0);
  const std::string options = dir.File("zyn.xml");
  ASSERT_TRUE(std::filesystem::exists(options));
  EXPECT_TRUE(test::XmllintAccepts(options));
  const std::string first = test::ReadWholeFile(options);
  const std::string output = test::ReadWholeFile(dir.File("out.txt"));
  EXPECT_NE(output.find("ZORV ZYN Systemsoftware V2.8"), std::string::npos) << output;
  EXPECT_NE(output.find(options), std::string::npos) << output;
  EXPECT_NE(output.find("Das Hauptfenster ist noch nicht vorhanden."), std::string::npos) << output;
  EXPECT_NE(first.find("<PorWaitTime>250</PorWaitTime>"), std::string::npos);
  EXPECT_NE(first.find("<SystemPath>" + std::string("&#x2F;")), std::string::npos);

  ASSERT_EQ(std::system(run.c_str()), 0);
  EXPECT_EQ(test::ReadWholeFile(options), first);
  EXPECT_EQ(test::ReadWholeFile(dir.File("out.txt")).find("Erster Start"), std::string::npos);
}

}  // namespace
}  // namespace zyn
