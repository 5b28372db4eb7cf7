// Generated projects (random but seeded) with links of every kind between up to four control
// modules: every compiled image is walked with the true operation lengths and every address in
// it must land on the start of what it names.

#include "tests/compiler/RandomProject.h"

#include "compiler/CompileDriver.h"
#include "compiler/CompileError.h"
#include "tests/compiler/ImageWalker.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

TEST(RandomProjects, EveryRelocatedAddressLandsOnAnOperationStart) {
  int images = 0;
  int checked = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    TRandomProject project(seed);
    project.Build();
    TCompileDriver driver(project.B.Projekt);
    driver.ProgramTitle = "ZYN";
    ASSERT_NO_THROW(driver.CompileProject(true)) << "seed " << seed;
    TStmImages table{};
    for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
    TImageWalker walker(table);
    for (int a = 0; a < 4; ++a) {
      if (table[static_cast<size_t>(a)] == nullptr) continue;
      const std::vector<std::string> problems = walker.Check(a);
      for (size_t i = 0; i < problems.size() && i < 5; ++i)
        ADD_FAILURE() << "seed " << seed << " image " << a << ": " << problems[i];
      ++images;
    }
    checked += walker.Checked();
  }
  EXPECT_GT(images, 300);
  EXPECT_GT(checked, 3000);  // the projects really carry addresses
}

TEST(RandomProjects, WalkerFindsAnAddressThatLandsInsideAnOperation) {
  TRandomProject project(7);
  project.Build();
  TCompileDriver driver(project.B.Projekt);
  driver.CompileProject(false);
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  for (int a = 0; a < 4; ++a) {
    TBinData* image = table[static_cast<size_t>(a)];
    if (image == nullptr || image->Image.WordBE(kHdrModuleChain) == 0xFFFF) continue;
    ASSERT_TRUE(TImageWalker(table).Check(a).empty());
    // Move the first channel entry's list address one byte on, into its first operation.
    const size_t field = image->Image.WordBE(kHdrModuleChain) - kModuleBase + 4;
    image->Image.AddToWordBE(field, 1);
    EXPECT_FALSE(TImageWalker(table).Check(a).empty());
    return;
  }
  FAIL() << "no image with a link table";
}

}  // namespace
}  // namespace zyn::test
