// "Projekt erstellen" from the main window: the program file of a small project, and a project
// that does not compile.

#include "MainWindowFixture.h"
#include "compiler/CompileDriver.h"
#include "model/base/Streams.h"
#include "project/Global.h"
#include "widgets/bars/BarItem.h"

#include <QApplication>

#include <filesystem>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

TEST_F(MainWindowTest, CompileOnlyWritesTheProgramFileOfTheProject) {
  const std::string file = SaveSmallProject("erstellen.zpf");
  const std::string prg = TCompileDriver::ProgramFileName(file);
  fs::remove(prg);
  TMainForm form(file);
  form.show();
  ASSERT_NE(GProjekt, nullptr);
  ASSERT_TRUE(form.CompileOnly());
  EXPECT_TRUE(shown.empty());
  EXPECT_FALSE(form.Locked());
  EXPECT_TRUE(form.Item("Erstellen")->GetEnabled());
  ASSERT_TRUE(fs::exists(prg));
  const std::vector<uint8_t> written = ReadFileBytes(prg);
  EXPECT_EQ(written.size(), 32768u * static_cast<size_t>(GProjekt->Steuermodule.Count()));

  // The same project compiled by the driver alone.
  TZYNProjekt copy;
  copy.LoadProjectFile(file);
  TCompileDriver driver(copy);
  driver.ProgramTitle = GProgramTitle;
  driver.CompileProject(true);
  const std::vector<uint8_t> expected = driver.ProgramBytes();
  ASSERT_EQ(expected.size(), written.size());
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + 64, expected.begin()));
  // The link from the input was compiled and removed again from the open project.
  EXPECT_EQ(GProjekt->Steuermodule.Count(), 1);
  GProjekt->Modified = false;
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowTest, CompileErrorIsShownAndWritesNoProgramFile) {
  const std::string file = SaveSmallProject("fehlerhaft.zpf", {.BadLink = true});
  const std::string prg = TCompileDriver::ProgramFileName(file);
  fs::remove(prg);
  TMainForm form(file);
  form.show();
  ASSERT_NE(GProjekt, nullptr);
  EXPECT_FALSE(form.CompileOnly());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Das Projekt konnte nicht erstellt werden.")))
      << shown[0].toStdString();
  EXPECT_FALSE(fs::exists(prg));
  EXPECT_FALSE(form.Locked());
  EXPECT_TRUE(form.Item("Speichern1")->GetEnabled());
  GProjekt->Modified = false;
  EXPECT_TRUE(form.close());
}

TEST_F(MainWindowTest, CompileOfAProjectWithoutFileNameAsksToSaveFirst) {
  TMainForm form;
  form.show();
  GProjekt = std::make_unique<TZYNProjekt>();
  FillSmallProject(*GProjekt);
  EXPECT_FALSE(form.CompileOnly());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Das Projekt muss zuerst gespeichert werden."));
  EXPECT_FALSE(fs::exists(".prg"));
  GProjekt.reset();
}

}  // namespace
}  // namespace zyn::test
