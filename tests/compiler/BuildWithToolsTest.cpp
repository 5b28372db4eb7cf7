// The whole road of "Projekt erstellen" with the real tool generation: every tool of the default
// libraries placed in a small installation, generated, compiled into images that the image walker
// accepts, the program file written, and the project's link lists as they were before the run.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "compiler/CompileDriver.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "tests/compiler/ImageWalker.h"
#include "tests/compiler/interpreter/DefaultToolsFixture.h"

namespace zyn::test {
namespace {

class BuildWithTools : public DefaultTools {
 protected:
  TToolGeneratorFunction Generator() {
    return TToolGeneratorFunction([this](TZYNProjekt& projekt, std::vector<std::string>& conflicts) {
      failed = GenerateTools(projekt, basis, &report, &conflicts);
    });
  }
  int failed = -1;
};

TEST_F(BuildWithTools, DefaultToolsCompileIntoImagesTheWalkerAccepts) {
  PlaceEveryDefaultTool();
  const std::vector<std::string> before = AllLinks();
  const std::filesystem::path prg = std::filesystem::path(ZYN_BINARY_DIR) / "BuildWithTools.prg";
  std::filesystem::remove(prg);

  TCompileDriver driver(p);
  driver.ProgramTitle = "ZYN";
  TToolGeneratorFunction tools = Generator();
  TBuildSteps steps;
  steps.Tools = &tools;
  steps.ProgramFile = prg.string();
  ASSERT_TRUE(driver.BuildProject(steps));
  EXPECT_EQ(failed, 0) << (report.Causes.empty() ? "" : report.Causes[0]);
  ASSERT_TRUE(driver.Compiled());

  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  TImageWalker walker(table);
  for (int a : {0, 1}) {
    ASSERT_NE(driver.Image(a), nullptr);
    EXPECT_EQ(walker.Check(a), std::vector<std::string>{}) << "control module " << a;
  }
  // The tools' links reach the image of control module 0: far more addresses to check there than
  // in the image of the empty-handed control module 1.
  EXPECT_GT(walker.Checked(), 20);

  std::ifstream in(prg, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, driver.ProgramBytes());
  EXPECT_EQ(bytes.size(), 2u * 32768u);

  // The generated links are gone again: the project is as the installer left it.
  EXPECT_EQ(AllLinks(), before);
}

}  // namespace
}  // namespace zyn::test
