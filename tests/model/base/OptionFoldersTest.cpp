// The data folders of the options: made when missing, relative ones beside the options file,
// and a folder that cannot be made named in a German message.
#include "model/base/OptionFolders.h"

#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {
namespace {

namespace fs = std::filesystem;

TEST(OptionFolders, MissingFoldersAreMadeWithTheirParentsAndRelativeOnesBesideTheOptions) {
  const test::TempFolder dir("optfolders");
  const std::string options = dir.File("zyn.xml");
  TPathItem paths;
  paths.SetDefaults(dir.Path());
  paths.PluginPath = "eigene/plugins/";       // relative: beside the options file
  paths.DownloadPath.clear();                 // an empty option is left alone
  fs::create_directories(paths.ProjectPath);  // an existing one stays as it is
  test::WriteWholeFile(fs::path(paths.ProjectPath) / "P1.zpf", "x");

  EXPECT_TRUE(EnsureOptionFolders(paths, options).empty());
  for (const std::string& f : {paths.SystemPath, paths.ProjectPath, paths.DatabasePath, paths.GfxPath})
    EXPECT_TRUE(fs::is_directory(f)) << f;
  EXPECT_TRUE(fs::is_directory(dir.Dir() / "eigene" / "plugins"));
  EXPECT_FALSE(fs::exists(dir.Dir() / "data" / "downloads"));
  EXPECT_EQ(test::ReadWholeFile(fs::path(paths.ProjectPath) / "P1.zpf"), "x");
  EXPECT_EQ(OptionFolderPath("eigene/plugins/", options), (dir.Dir() / "eigene" / "plugins").string());
  EXPECT_EQ(OptionFolderPath("/abs/olut/", options), "/abs/olut");
  EXPECT_EQ(OptionFolderPath("", options), "");
  // Asked again, nothing is to do.
  EXPECT_TRUE(EnsureOptionFolders(paths, options).empty());
}

TEST(OptionFolders, AFolderThatCannotBeMadeIsNamedAndTheOthersAreStillMade) {
  const test::TempFolder dir("optfolders_bad");
  const std::string options = dir.File("zyn.xml");
  TPathItem paths;
  paths.SetDefaults(dir.Path());
  // A file where the database folder's parent should be; a folder below a locked folder.
  ASSERT_TRUE(test::WriteWholeFile(dir.Dir() / "blocker", "file"));
  paths.DatabasePath = (dir.Dir() / "blocker" / "database").string();
  fs::create_directories(dir.Dir() / "locked");
  ::chmod((dir.Dir() / "locked").c_str(), 0500);
  paths.GfxPath = (dir.Dir() / "locked" / "Grafiken").string();
  paths.ProjectPath = (dir.Dir() / "Projekte mit Ümlaut").string();

  const std::vector<TFolderProblem> problems = EnsureOptionFolders(paths, options);
  const bool root = ::geteuid() == 0;  // root writes into the locked folder all the same
  ASSERT_EQ(problems.size(), root ? 1u : 2u);
  EXPECT_EQ(problems[0].Folder, paths.DatabasePath);
  EXPECT_EQ(problems[0].Message, Ansi("Der Ordner \"") + paths.DatabasePath +
                                     Ansi("\" konnte nicht angelegt werden (eine Datei gleichen Namens ist im Weg)."));
  if (!root) {
    EXPECT_EQ(problems[1].Folder, paths.GfxPath);
    EXPECT_NE(problems[1].Message.find(Ansi("(keine Berechtigung)")), std::string::npos) << problems[1].Message;
  }
  EXPECT_EQ(FolderProblemsText(problems).find('\r') != std::string::npos, !root);
  // The folder name in the message is model text; the folder itself a native name.
  EXPECT_TRUE(fs::is_directory(paths.ProjectPath));
  EXPECT_TRUE(fs::is_directory(paths.SystemPath));
  EXPECT_TRUE(fs::is_regular_file(dir.Dir() / "blocker"));
}

}  // namespace
}  // namespace zyn
