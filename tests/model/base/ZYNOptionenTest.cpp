#include "model/base/ZYNOptionen.h"

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "tests/support/Files.h"
#include "tests/support/TestHome.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::TempFolder;

// Each test starts without options and without a language file and leaves none behind.
class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    GOptionFile.reset();
    GLanguageFile.reset();
  }
  void TearDown() override {
    GOptionFile.reset();
    GLanguageFile.reset();
  }

  // The start of the programme: load when present, first-run defaults saved at once.
  void Start() {
    GOptionFile = std::make_unique<TZYNOptionFile>(dir.Path());
    GOptionFile->LoadFromFile(file);
    GOptionFile->ApplyFirstRun(file);
  }

  TempFolder dir;
  std::string file = dir.File("zyn.xml");
};

TEST_F(Options, FirstRunWritesEveryDefault) {
  Start();
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(test::XmllintAccepts(file));

  // Read back by a fresh object, as the next start does.
  GOptionFile = std::make_unique<TZYNOptionFile>(dir.Path());
  ASSERT_TRUE(GOptionFile->LoadFromFile(file));
  EXPECT_TRUE(GOptionFile->FirstRun());
  EXPECT_FALSE(GOptionFile->ApplyFirstRun(file));

  const bool boolDefaults[17] = {false, true, true,  true,  true,  true,  true, true, true,
                                 false, true, false, false, false, false, true, true};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(GetBoolOption(i), boolDefaults[i]) << "Boolean option " << i;
  const int32_t intDefaults[9] = {0, 0, 640, 480, 0, 250, 0, 0, 1800};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(GetIntOption(i), intDefaults[i]) << "integer option " << i;

  const std::string folder = Utf8ToAnsi(dir.Path());
  const char* paths[6] = {"data/system",   "data/database",  "data/plugins",
                          "data/projects", "data/downloads", "data/Grafiken"};
  for (int i = 0; i < 6; ++i) {
    std::string text;
    GetPathOption(i, text);
    EXPECT_EQ(text, folder + paths[i]);
  }
  EXPECT_EQ(GetSystemPath(), folder + "data/system/");
  EXPECT_EQ(GetSystemPathByIndex(), folder + "data/system/");
  EXPECT_EQ(GetProjectPath(), folder + "data/projects/");
  EXPECT_EQ(GetDatabasePath(), folder + "data/database/");

  TSerialPortSettings serial;
  GetSerialPortSettings(serial);
  EXPECT_EQ(serial.Source, 1);
  EXPECT_EQ(serial.Target, 0);
  EXPECT_EQ(serial.MaxTimeout, 100);
  EXPECT_EQ(serial.MinPause, 5);
  EXPECT_EQ(serial.MaxRepeat, 3);
  EXPECT_EQ(GetComPortIndex(), 1);
  EXPECT_EQ(GetBusBaudrate(), 19200);

  std::string on, off, forward, back;
  GetDisplayOnOffTexts(on, off);
  GetDisplayNavTexts(forward, back);
  EXPECT_EQ(on, "Ein");
  EXPECT_EQ(off, "Aus");
  EXPECT_EQ(forward, "weiter");
  EXPECT_EQ(back, Ansi("zurück"));
  EXPECT_EQ(GetRecentFilesMax(), 4);

  TZYNOptionen& o = GOptionFile->Optionen();
  EXPECT_EQ(o.ConfigFile, "Konfiguration der ZYN Systemsoftware V2.x");
  const TFileMenuItem& fm = o.FileMenu->First();
  EXPECT_TRUE(fm.DeleteTarget);
  EXPECT_TRUE(fm.ShowAsSubmenu);
  EXPECT_FALSE(fm.ShowFolder);
  const TDisplayItem& d = o.Display->First();
  EXPECT_TRUE(d.RasterOn);
  EXPECT_EQ(d.DispColor, 0);
  EXPECT_EQ(d.DispKontrast, 0);
  const TInternetItem& net = o.Internet->First();
  EXPECT_FALSE(net.WWWAddress.empty());
  EXPECT_FALSE(net.FTPAddress.empty());
  EXPECT_TRUE(net.UseProxy);
  EXPECT_EQ(net.WWWProxy, "");
  EXPECT_EQ(net.FTPProxy, "");
  EXPECT_EQ(net.FTPPort, 21);
  EXPECT_EQ(net.MailServer, "");
  EXPECT_EQ(net.SupportAddress, "support@zyn-systemsoftware.de");
  EXPECT_EQ(o.Update->First().Status, "keine Updates installiert!");
  EXPECT_FALSE(o.VisuDesign->First().HasMonitorPanel);
  EXPECT_FALSE(o.VisuDesign->First().HasOutlookBar);
  EXPECT_EQ(o.STMCompiler->First().EE2Start, 0x4000);
  EXPECT_EQ(o.STMCompiler->First().EE2Ende, 0xB7FF);
  EXPECT_EQ(o.STMCompiler->First().MaxPacketSize, 16);
  EXPECT_EQ(o.BasisDaten->Count(), 1);
  EXPECT_EQ(o.Frames->Count(), 0);

  const std::string text = test::ReadWholeFile(file);
  EXPECT_EQ(text.find("<!-- Erzeugt mit ZYN- Systemsoftware V2.0 -->\r\n"), 44u);
  EXPECT_NE(text.find("\r\n  <PorWaitTime>250</PorWaitTime>\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n  <FirstRun>True</FirstRun>\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n  <Frames>\r\n\r\n  </Frames>\r\n"), std::string::npos);
}

TEST_F(Options, SecondRunRewritesTheFileByteForByte) {
  Start();
  const std::string first = test::ReadWholeFile(file);
  Start();
  GOptionFile->SaveToFile(file);
  EXPECT_EQ(test::ReadWholeFile(file), first);
}

TEST_F(Options, UserValuesAndFramesSurviveARestart) {
  Start();
  SetBoolOption(boConfigAssist, true);
  SetIntOption(ioMainFormWidth, 1024);
  SetFrameOption("FrMerker", 1, true);
  SetFrameTreeWidth("FrMerker", 260);
  GOptionFile->Optionen().BasisDaten->First().Firma1 = Ansi("Müller & Söhne <Elektro>");
  GOptionFile->SaveToFile(file);
  const std::string saved = test::ReadWholeFile(file);
  EXPECT_TRUE(test::XmllintAccepts(file));

  Start();
  EXPECT_TRUE(GetBoolOption(boConfigAssist));
  EXPECT_EQ(GetIntOption(ioMainFormWidth), 1024);
  EXPECT_TRUE(GetFrameOption("FrMerker", 1));
  EXPECT_EQ(GetFrameTreeWidth("FrMerker"), 260);
  EXPECT_EQ(GOptionFile->Optionen().BasisDaten->First().Firma1, Ansi("Müller & Söhne <Elektro>"));
  GOptionFile->SaveToFile(file);
  EXPECT_EQ(test::ReadWholeFile(file), saved);
}

TEST_F(Options, FirstRunFalseAppliesTheDefaultsAgainButKeepsCompanyDataAndFrames) {
  Start();
  SetIntOption(ioPorWaitTime, 99);
  GOptionFile->Optionen().Update->First().Status = "neu";
  GOptionFile->Optionen().BasisDaten->First().Firma1 = "Firma";
  SetFrameTreeWidth("FrTransfer", 300);
  GOptionFile->SetFirstRun(false);
  GOptionFile->SaveToFile(file);

  Start();
  EXPECT_TRUE(GOptionFile->FirstRun());
  EXPECT_EQ(GetIntOption(ioPorWaitTime), 250);
  EXPECT_EQ(GOptionFile->Optionen().Update->First().Status, "keine Updates installiert!");
  EXPECT_EQ(GOptionFile->Optionen().BasisDaten->First().Firma1, "Firma");
  EXPECT_EQ(GetFrameTreeWidth("FrTransfer"), 300);
}

TEST_F(Options, MissingKeysAndGroupsKeepFreshValues) {
  test::WriteWholeFile(file,
                       "<ZYNOptionFile><ZYNOptionen><Optionen><OptionItem><FirstRun>True</FirstRun>"
                       "<MainFormLeft>12</MainFormLeft></OptionItem></Optionen></ZYNOptionen></ZYNOptionFile>");
  Start();
  EXPECT_EQ(GetIntOption(ioMainFormLeft), 12);
  EXPECT_EQ(GetIntOption(ioMainFormWidth), 0);  // a missing key keeps the fresh value
  EXPECT_FALSE(GetBoolOption(boShowHint));
  EXPECT_EQ(GOptionFile->Optionen().SerialPort->Count(), 1);  // a missing group keeps its item
  EXPECT_EQ(GetComPortIndex(), 0);
  EXPECT_EQ(GOptionFile->Optionen().ConfigFile, "Konfiguration der ZYN Systemsoftware V2.x");
  // A file written before the support address existed sends to the maker's address.
  EXPECT_EQ(GOptionFile->Optionen().Internet->First().SupportAddress, TInternetItem::DefaultSupportAddress());
}

TEST_F(Options, AChangedOrClearedSupportAddressSurvivesARestart) {
  for (const std::string address : {"hilfe@elektro-mueller.de", ""}) {
    Start();
    GOptionFile->Optionen().Internet->First().SupportAddress = address;
    GOptionFile->SaveToFile(file);
    Start();
    EXPECT_EQ(GOptionFile->Optionen().Internet->First().SupportAddress, address);
  }
}

TEST_F(Options, FilesWithoutItemsOrWithEmptyGroupsStayUsable) {
  test::WriteWholeFile(file, "kein XML");
  Start();
  EXPECT_EQ(GOptionFile->Count(), 1);
  EXPECT_EQ(GetIntOption(ioPorWaitTime), 250);  // defaults applied and saved
  EXPECT_TRUE(std::filesystem::exists(file));

  test::WriteWholeFile(file, "<ZYNOptionen><Optionen>  </Optionen><Path></Path></ZYNOptionen>");
  GOptionFile = std::make_unique<TZYNOptionFile>(dir.Path());
  ASSERT_TRUE(GOptionFile->LoadFromFile(file));
  EXPECT_EQ(GOptionFile->Optionen().Optionen->Count(), 0);
  EXPECT_TRUE(GOptionFile->FirstRun());  // no item in the group reads as true
  EXPECT_FALSE(GetBoolOption(boShowHint));
  EXPECT_EQ(GetSystemPath(), "");
  SetIntOption(ioLanguage, 2);
  EXPECT_EQ(GetIntOption(ioLanguage), 2);
}

TEST_F(Options, FrameSettings) {
  Start();
  EXPECT_FALSE(GetFrameOption("FrNeu", 0));
  EXPECT_EQ(GOptionFile->Optionen().Frames->Count(), 0);  // reading creates nothing
  EXPECT_EQ(GetFrameTreeWidth("FrNeu"), 150);

  SetFrameTreeWidth("FrA", 120);
  EXPECT_EQ(GetFrameTreeWidth("FrA"), 150);
  SetFrameTreeWidth("FrA", 200);
  EXPECT_EQ(GetFrameTreeWidth("FrA"), 200);
  SetFrameOption("FrB", 2, true);
  EXPECT_TRUE(GetFrameOption("FrB", 2));
  EXPECT_FALSE(GetFrameOption("FrB", 0));
  EXPECT_FALSE(GetFrameOption("FrB", 3));
  EXPECT_FALSE(GetFrameOption("frb", 2));  // names compare exactly
  EXPECT_EQ(GOptionFile->Optionen().Frames->Count(), 2);
}

TEST_F(Options, IndexTablesIgnoreUnknownIndexes) {
  Start();
  EXPECT_FALSE(GetBoolOption(17));
  EXPECT_FALSE(GetBoolOption(-1));
  EXPECT_EQ(GetIntOption(9), 0);
  SetBoolOption(17, true);
  SetIntOption(-1, 5);
  std::string text = "bleibt";
  GetPathOption(6, text);
  EXPECT_EQ(text, "bleibt");

  TOptionItem& item = GOptionFile->Optionen().Optionen->First();
  item.SetBool(boEMDPOR, false);
  EXPECT_FALSE(item.EMDPOR);
  item.SetInt(ioRandomMax, 77);
  EXPECT_EQ(item.RandomMax, 77);
  TPathItem& path = GOptionFile->Optionen().Path->First();
  path.SetPath(poGfxPath, "g");
  EXPECT_EQ(path.GfxPath, "g");
  path.SetPath(6, "x");
  EXPECT_EQ(path.GetPath(6), "");
}

TEST_F(Options, MailSettings) {
  Start();
  GOptionFile->Optionen().BasisDaten->First().email = "info@example.org";
  GOptionFile->Optionen().Internet->First().MailServer = "smtp.example.org";
  std::string text = "x";
  GetMailSetting(0, text);
  EXPECT_EQ(text, "info@example.org");
  GetMailSetting(1, text);
  EXPECT_EQ(text, "smtp.example.org");
  GetMailSetting(2, text);
  EXPECT_EQ(text, "smtp.example.org");
}

TEST_F(Options, AccessorsWithoutOptionsReadNothing) {
  EXPECT_FALSE(GetBoolOption(boShowHint));
  EXPECT_EQ(GetIntOption(ioPorWaitTime), 0);
  EXPECT_EQ(GetSystemPath(), "");
  EXPECT_EQ(GetFrameTreeWidth("FrA"), 150);
  SetFrameOption("FrA", 0, true);
  SetBoolOption(boShowHint, true);
}

TEST_F(Options, DefaultTextsPassThroughTheTranslation) {
  TLanguageContainer table;
  const std::pair<std::string, std::string> rows[] = {
      {"Ein", "On"},
      {Ansi("zurück"), "back"},
      {"keine Updates installiert!", "no updates installed!"},
      {"Erzeugt mit ZYN- Systemsoftware V2.0", "Made with ZYN system software V2.0"}};
  for (const auto& [native, translated] : rows) {
    TLanguageEntry* e = table.Add();
    e->Native = native;
    e->Translated = translated;
  }
  table.SaveToFile(dir.File("LANGUAGE.TXML"));
  LoadLanguageFile(dir.File("LANGUAGE.TXML"));
  ASSERT_NE(GLanguageFile, nullptr);

  Start();
  std::string on, off, forward, back;
  GetDisplayOnOffTexts(on, off);
  GetDisplayNavTexts(forward, back);
  EXPECT_EQ(on, "On");
  EXPECT_EQ(off, "Aus");
  EXPECT_EQ(back, "back");
  EXPECT_EQ(GOptionFile->Optionen().Update->First().Status, "no updates installed!");
  EXPECT_EQ(GOptionFile->Comment(), "Made with ZYN system software V2.0");
}

TEST_F(Options, SaveFailureIsReportedWithTheDefaultsKept) {
  GOptionFile = std::make_unique<TZYNOptionFile>(dir.Path());
  EXPECT_THROW(GOptionFile->ApplyFirstRun("/nonexistent/zyn/zyn.xml"), EWriteError);
  EXPECT_EQ(GetIntOption(ioPorWaitTime), 250);
}

TEST(ProgramPaths, OptionFileAndDataFolderFollowTheProgramme) {
  TempFolder dir;
  EXPECT_EQ(OptionFilePath(dir.File("zyn")), dir.File("zyn.xml"));
  EXPECT_EQ(OptionFilePath(dir.File("zyn.bin")), dir.File("zyn.xml"));
  EXPECT_EQ(SystemDataFolder(dir.File("zyn")), dir.Path() + "data/system/");
  EXPECT_EQ(ChangeFileExt("/a.b/zyn", ".xml"), "/a.b/zyn.xml");
  EXPECT_EQ(ExtractFilePath("/a/b/zyn"), "/a/b/");

  // A folder that cannot be written sends the files to the user's configuration folder.
  const std::string cfg = dir.File("cfg");
  const test::ScopedEnv config("XDG_CONFIG_HOME", cfg);
  EXPECT_EQ(UserConfigFolder(), cfg + "/ZYN Systemsoftware/");
  EXPECT_EQ(OptionFilePath("/nonexistent/bin/zyn"), cfg + "/ZYN Systemsoftware/zyn.xml");
  EXPECT_EQ(SystemDataFolder("/nonexistent/bin/zyn"), cfg + "/ZYN Systemsoftware/data/system/");
  EXPECT_TRUE(ForceDirectories(cfg + "/ZYN Systemsoftware/data/system/"));
  EXPECT_TRUE(std::filesystem::is_directory(cfg + "/ZYN Systemsoftware/data/system"));
}

}  // namespace
}  // namespace zyn
