#include "VisuTestUtil.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/XMLIniFile.h"
#include "visu/VisuProject.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace zyn {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

std::unique_ptr<TVisuPage> Page(const std::string& name) {
  TComponentRecord rec;
  rec.ClassName = "TVisuDesignFrame";
  rec.Name = name;
  rec.SetProperty("DisplayName", TFilerValue::String(name));
  rec.Children.push_back(test::Control("TVisuRectLED", "LED", {{"VisuData.Steuermodul", 0}, {"VisuData.Modul", 33}}));
  return std::make_unique<TVisuPage>(rec);
}

std::set<std::string> FilesBelow(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    out.insert(fs::relative(e.path(), dir).generic_string() + (e.is_directory() ? "/" : ""));
  }
  return out;
}

struct ExportFixture : ::testing::Test {
  test::TempFolder dir{"export"};
  test::TempFolder system{"export_sys"};
  TVisuProject project;

  ExportFixture() {
    project.AddPage(Page("Page1"));
    project.AddPage(Page("Page2"));
    project.DispatcherList.Add(
        std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{0, 33, 1, 2, Ansi("Flur & Küche"), "x"}));
    project.UserData.AddDefaultUser();
  }
};

TEST_F(ExportFixture, FolderHoldsOptionsChannelsPagesAndUsers) {
  project.ConnectOnStart = true;
  project.FirstPage = "Page2";
  project.ExportRunTime(dir.Dir().string(), TVisuExportEnv{system.Dir().string(), nullptr});

  EXPECT_EQ(FilesBelow(dir.Dir()), (std::set<std::string>{"Pages/", "Pages/Page1.vpg", "Pages/Page2.vpg",
                                                          "VisuUserData.udf", "ZYNVisu.dol", "ZYNVisu.ini"}));
  EXPECT_TRUE(test::XmllintAccepts(dir.Dir() / "ZYNVisu.ini"));
  // The channel list is the run time's line-based text, names as they are: not XML a parser takes.
  EXPECT_NE(test::ReadWholeFile(dir.Dir() / "ZYNVisu.dol").find(Ansi("<KanalName>Flur & Küche</KanalName>")),
            std::string::npos);

  TXMLIniFile ini((dir.Dir() / "ZYNVisu.ini").string());
  EXPECT_EQ(ini.ReadString("Options", "Port", "?"), "1");
  EXPECT_EQ(ini.ReadString("Options", "FirstPage", "?"), "Page2.vpg");
  EXPECT_EQ(ini.ReadString("System", "ConnectOnStart", "?"), "1");

  TXMLDispatcherObjectList channels;
  channels.ReadXML((dir.Dir() / "ZYNVisu.dol").string());
  ASSERT_EQ(channels.Count(), 1);
  EXPECT_EQ(channels.Item(0).KanalName, Ansi("FLUR & KüCHE"));

  TUserDataList users;
  ASSERT_TRUE(users.LoadUsersFromFile((dir.Dir() / "VisuUserData.udf").string()));
  ASSERT_EQ(users.Count(), 1);
  EXPECT_NE(users.FindByName("Administrator"), nullptr);
  EXPECT_EQ(users.User(0).Ident, project.UserData.User(0).Ident);

  TVisuPage page;
  page.LoadFromFile((dir.Dir() / "Pages" / "Page2.vpg").string());
  EXPECT_EQ(page.Record(), project.GetPage(1)->Record());
  const Bytes vpg = test::FileBytes(dir.Dir() / "Pages" / "Page1.vpg");
  ASSERT_GT(vpg.size(), 30u);
  EXPECT_EQ(vpg[0], 0xFF);
  EXPECT_EQ(std::string(vpg.begin() + 3, vpg.begin() + 19), "TVISUDESIGNFRAME");
}

TEST_F(ExportFixture, SecondExportReplacesPagesAndKeepsOthersAndTheIniEntries) {
  project.ExportRunTime(dir.Dir().string());
  {
    TXMLIniFile ini((dir.Dir() / "ZYNVisu.ini").string());
    EXPECT_EQ(ini.ReadString("Options", "FirstPage", "?"), ".vpg");  // no start page
    EXPECT_EQ(ini.ReadString("System", "ConnectOnStart", "?"), "0");
    ini.WriteString("Options", "Eigener", "bleibt");
  }
  TVisuProject other;
  other.AddPage(Page("Page1"));
  other.GetPage(0)->Record().SetProperty("DisplayName", TFilerValue::String("neu"));
  other.FirstPage = "Page1.alt";
  other.ExportRunTime(dir.Dir().string());

  EXPECT_TRUE(fs::exists(dir.Dir() / "Pages" / "Page2.vpg"));
  TVisuPage page;
  page.LoadFromFile((dir.Dir() / "Pages" / "Page1.vpg").string());
  EXPECT_EQ(page.DisplayName(), "neu");
  TXMLIniFile ini((dir.Dir() / "ZYNVisu.ini").string());
  EXPECT_EQ(ini.ReadString("Options", "Eigener", "?"), "bleibt");
  EXPECT_EQ(ini.ReadString("Options", "FirstPage", "?"), "Page1.vpg");
}

TEST_F(ExportFixture, ProgramFilesAreCopiedWhenPresentUnderTranslatedNames) {
  const Bytes program{'M', 'Z', 0, 1, 2, 0xFF};
  TMemoryStream(program).SaveToFile((system.Dir() / "Visu.lfz").string());
  TMemoryStream(Bytes{'<', 'x', '/', '>'}).SaveToFile((system.Dir() / "VisuAdmin.txml").string());
  TVisuExportEnv env;
  env.SystemDataDir = system.Dir().string();
  env.Translate = [](const std::string& t) { return t == "ZYNVisu.exe" ? std::string("Visualisierung.exe") : t; };
  project.ExportRunTime(dir.Dir().string(), env);
  EXPECT_EQ(test::FileBytes(dir.Dir() / "Visualisierung.exe"), program);
  EXPECT_EQ(test::ReadWholeFile(dir.Dir() / "VisuAdmin.txml"), "<x/>");
  EXPECT_FALSE(fs::exists(dir.Dir() / "VisuAdmin.exe"));
  EXPECT_FALSE(fs::exists(dir.Dir() / "ZYNVisu.exe"));
}

TEST_F(ExportFixture, TheFirstFailureStopsTheExportAndIsReported) {
  // "Pages" is a file: the folder cannot be made; nothing after that step is written.
  TMemoryStream(Bytes{1}).SaveToFile((dir.Dir() / "Pages").string());
  EXPECT_THROW(project.ExportRunTime(dir.Dir().string()), EWriteError);
  EXPECT_TRUE(fs::exists(dir.Dir() / "ZYNVisu.ini"));
  EXPECT_FALSE(fs::exists(dir.Dir() / "ZYNVisu.dol"));
  EXPECT_FALSE(fs::exists(dir.Dir() / "VisuUserData.udf"));
}

TEST_F(ExportFixture, AFolderThatDoesNotExistIsAFailure) {
  EXPECT_THROW(project.ExportRunTime((dir.Dir() / "fehlt" / "auch").string()), EWriteError);
  EXPECT_FALSE(fs::exists(dir.Dir() / "fehlt"));
}

TEST_F(ExportFixture, PageNamesAndTranslatedNamesCannotLeaveTheFolder) {
  for (const char* bad : {"../evil", "a/b", "a\\b"}) {
    TVisuProject p;
    p.AddPage(Page(bad));
    EXPECT_THROW(p.ExportRunTime(dir.Dir().string()), EWriteError) << bad;
  }
  EXPECT_FALSE(fs::exists(dir.Dir().parent_path() / "evil.vpg"));
  TVisuExportEnv env;
  env.Translate = [](const std::string& t) { return t == "ZYNVisu.dol" ? std::string("../x.dol") : t; };
  EXPECT_THROW(project.ExportRunTime(dir.Dir().string(), env), EWriteError);
}

TEST_F(ExportFixture, AnUnwritableUserFileIsReported) {
  fs::create_directory(dir.Dir() / "VisuUserData.udf");  // a folder in the way
  EXPECT_THROW(project.ExportRunTime(dir.Dir().string()), EWriteError);
  EXPECT_TRUE(fs::exists(dir.Dir() / "Pages" / "Page2.vpg"));
}

}  // namespace
}  // namespace zyn
