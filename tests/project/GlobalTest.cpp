#include "project/Global.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/BasisDaten.h"
#include "model/CharSet.h"
#include "model/Kennlinien.h"
#include "model/base/Cp1252.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace zyn {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::vector<uint8_t>> Snapshot(const fs::path& dir) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[e.path().string()] = ReadFileBytes(e.path().string());
  return files;
}

TEST(Global, FirstStartSeedsAndSecondStartChangesNothing) {
  const test::TempFolder folder("global");
  const fs::path dir = folder.Dir();
  TGlobalSetup setup;
  setup.ProgramPath = (dir / "zyn").string();
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  std::vector<std::string> messages;
  setup.OnMessage = [&](const std::string& text, TStartMessageButton) { messages.push_back(text); };

  InitGlobals(setup);
  EXPECT_EQ(OptionFileName(), (dir / "zyn.xml").string());
  EXPECT_TRUE(fs::exists(dir / "zyn.xml"));
  EXPECT_TRUE(GOptionFile->FirstRun());
  const std::string system = GetSystemPath();
  EXPECT_EQ(system, (dir / "data" / "system").string() + "/");
  for (const char* name : {"MODULE.ZBC", "BASIS.ZBC", "EAFUNCS.XML", "chars.zyb", "Kennlinien.xml"})
    EXPECT_TRUE(fs::exists(system + name)) << name;
  EXPECT_EQ(GKennlinien->Count(), 3);
  EXPECT_GT(GBasisDaten->Katalog.Count(), 0);
  // Every folder the options name exists, so a new project and its tables can be written.
  for (const char* name : {"projects", "database", "plugins", "downloads", "Grafiken"})
    EXPECT_TRUE(fs::is_directory(dir / "data" / name)) << name;
  // The default system data brings the three standard curves: a fresh start shows no message.
  EXPECT_TRUE(messages.empty()) << messages.front();
  // The default tool libraries were seeded and loaded.
  for (const char* name : {"funcs.zyb", "userfuncs.zyb"}) EXPECT_TRUE(fs::exists(system + name)) << name;
  EXPECT_EQ(GSystemTools->Count(), 7);
  EXPECT_EQ(GUserTools->Count(), 1);
  EXPECT_EQ(GProgramTitle.rfind("ZORV ZYN Systemsoftware V", 0), 0u);
  EXPECT_EQ(GAlignmentNames[0], Ansi("linksbündig"));
  EXPECT_EQ(GProgramTag.back(), static_cast<char>(255));
  // A second call does nothing.
  InitGlobals(setup);
  EXPECT_TRUE(messages.empty());
  FreeGlobals();
  EXPECT_EQ(GBasisDaten, nullptr);

  const auto first = Snapshot(dir);
  messages.clear();
  InitGlobals(setup);
  EXPECT_TRUE(messages.empty());
  FreeGlobals();
  EXPECT_EQ(Snapshot(dir), first);
}

// A home folder with umlauts: the option folders are UTF-8 file names like every other, so the
// first start finds the seeded tool library and base data there. An options file of an older
// version holds the folders in Windows-1252; it is read as the same folders and written back as
// UTF-8.
TEST(Global, FoldersWithUmlautsAreFoundOnFirstStartAndFromAnOlderOptionsFile) {
  const test::TempFolder folder("global_umlaut");
  const fs::path home = folder.Dir() / "jörg";
  fs::create_directories(home);
  TGlobalSetup setup;
  setup.ProgramPath = (home / "zyn").string();
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  std::vector<std::string> messages;
  setup.OnMessage = [&](const std::string& text, TStartMessageButton) { messages.push_back(text); };
  const std::string system = (home / "data" / "system").string() + "/";

  InitGlobals(setup);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(GetSystemPath(), system);
  EXPECT_EQ(GSystemTools->Count(), 7);
  EXPECT_GT(GBasisDaten->Katalog.Count(), 0);
  FreeGlobals();
  const fs::path options = home / "zyn.xml";
  std::string xml = test::ReadWholeFile(options);
  const std::string utf8 = "j&#xC3;&#xB6;rg", ansi = "j&#xF6;rg";
  ASSERT_NE(xml.find(utf8), std::string::npos);

  // The same file as an older version wrote it.
  for (size_t at; (at = xml.find(utf8)) != std::string::npos;) xml.replace(at, utf8.size(), ansi);
  WriteFileAtomic(options.string(), xml.data(), xml.size());
  InitGlobals(setup);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(GetSystemPath(), system);
  EXPECT_EQ(GSystemTools->Count(), 7);
  FreeGlobals();
  xml = test::ReadWholeFile(options);
  EXPECT_EQ(xml.find(ansi), std::string::npos);
  EXPECT_NE(xml.find(utf8), std::string::npos);
}

TEST(Global, ToolLibrariesLoadFromTheSystemFolderAndDamageIsReported) {
  const test::TempFolder folder("global_tools");
  const fs::path dir = folder.Dir();
  const fs::path defaults = dir / "defaults";
  fs::create_directories(defaults);
  {
    TZYNFunktionsListe lib;
    for (const char* name : {"Taster", "Treppenhaus"}) {
      auto tool = std::make_unique<TZYNFunction>();
      tool->SetName(name);
      lib.Add(name, std::move(tool));
    }
    lib.SaveToFile((defaults / "FUNCS.ZYB").string());  // found without regard to case
    const std::vector<uint8_t> damaged = {5, 0, 1};     // five tools announced, none there
    WriteFileAtomic((defaults / "userfuncs.zyb").string(), damaged.data(), damaged.size());
  }
  TGlobalSetup setup;
  setup.ProgramPath = (dir / "zyn").string();
  setup.DefaultSystemData = defaults.string();
  std::vector<std::string> messages;
  setup.OnMessage = [&](const std::string& text, TStartMessageButton) { messages.push_back(text); };
  InitGlobals(setup);
  ASSERT_NE(GSystemTools, nullptr);
  ASSERT_NE(GUserTools, nullptr);
  ASSERT_EQ(GSystemTools->Count(), 2);
  EXPECT_EQ(GSystemTools->FindByName("Treppenhaus"), GSystemTools->GetFunction(1));
  EXPECT_EQ(GUserTools->Count(), 0);
  ASSERT_GE(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(Ansi("Die Funktionsbibliothek \"userfuncs.zyb\" ist beschädigt"), 0), 0u) << messages[0];
  for (const std::string& m : messages) EXPECT_NE(m, "Die Funktionsmakros wurden nicht gefunden");
  FreeGlobals();
  EXPECT_EQ(GSystemTools, nullptr);
  EXPECT_EQ(GUserTools, nullptr);
}

TEST(Global, AFolderThatCannotBeMadeAtStartIsReportedByName) {
  const test::TempFolder folder("global_folders");
  const fs::path dir = folder.Dir();
  TGlobalSetup setup;
  setup.ProgramPath = (dir / "zyn").string();
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  {  // the options of an earlier run name a project folder below a file
    TZYNOptionFile options(dir.string() + "/");
    options.ApplyFirstRun((dir / "zyn.xml").string());
    ASSERT_TRUE(test::WriteWholeFile(dir / "kein-ordner", "x"));
    options.Optionen().Path->First().ProjectPath = (dir / "kein-ordner" / "projekte").string();
    options.SaveToFile((dir / "zyn.xml").string());
  }
  std::vector<std::string> messages;
  setup.OnMessage = [&](const std::string& text, TStartMessageButton) { messages.push_back(text); };
  InitGlobals(setup);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Der Ordner \"" + (dir / "kein-ordner" / "projekte").string() + "\"", 0), 0u)
      << messages[0];
  EXPECT_TRUE(fs::is_directory(dir / "data" / "database"));
  FreeGlobals();
}

TEST(Global, MissingSystemToolLibraryIsReported) {
  const test::TempFolder folder("global_nofuncs");
  const fs::path dir = folder.Dir();
  TGlobalSetup setup;
  setup.ProgramPath = (dir / "zyn").string();
  std::vector<std::string> messages;
  setup.OnMessage = [&](const std::string& text, TStartMessageButton) { messages.push_back(text); };
  InitGlobals(setup);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Die Funktionsmakros wurden nicht gefunden");
  EXPECT_EQ(GSystemTools->Count(), 0);
  EXPECT_EQ(GUserTools->Count(), 0);
  FreeGlobals();
}

TEST(Global, DefaultSystemDataHoldTheNamedClassesListsAndCharacters) {
  TBasisDaten b;
  ASSERT_TRUE(b.Load(std::string(ZYN_BINARY_DIR) + "/data/system/"));
  for (const char* name : {"JRM", "DIM_AN", "DIM_SAN", "FUI", "INPUT PIR"})
    EXPECT_NE(b.Katalog.FindClass(name), nullptr) << name;
  std::vector<bool> baseClasses(8, false);
  for (int i = 0; i < b.Katalog.Count(); ++i) baseClasses[static_cast<size_t>(b.Katalog.GetClass(i)->BaseClass)] = true;
  EXPECT_EQ(baseClasses, std::vector<bool>(8, true));
  // Every channel names a command list that exists.
  for (int i = 0; i < b.Katalog.Count(); ++i) {
    const TModulClass& c = *b.Katalog.GetClass(i);
    for (const TEABeschreibungsListe* l : {&c.Eingaenge, &c.Ausgaenge, &c.Rueckmeldungen})
      for (int k = 0; k < l->Count(); ++k)
        EXPECT_NE(b.BefehlsListen.FindList(l->Get(k)->Funktionen), nullptr) << c.InternalName;
  }
  const struct {
    const char* list;
    int command;
  } named[] = {
      {"Eingangsfunktionen Uhren", 0},
      {"Eingangsfunktionen Uhren", 1},
      {"Ausgangsfunktionen Uhren", 134},
      {"Eingangsfunktionen Merker", 1},
      {"Ausgangsfunktionen Merker", 0},
      {"Ausgangsfunktionen Merker", 1},
      {"Ausgangsfunktionen Anzeigetexte", 0},
      {"Ausgangsfunktionen Anzeigetexte", 1},
      {"Eingangsfunktionen Taster", 5},
      {"Ausgangsfunktionen Schalter", 18},
      {"Ausgangsfunktionen Schalter", 8},
      {"Ausgangsfunktionen Schalter", 9},
      {"Rückmeldefunktionen", 2},
  };
  for (const auto& n : named) {
    const TEAFunctionList* l = b.BefehlsListen.FindList(Ansi(n.list));
    ASSERT_NE(l, nullptr) << n.list;
    EXPECT_NE(l->FindByCommand(n.command), nullptr) << n.list << " " << n.command;
  }
  const auto sets = FindCharSets(LoadCharSets(std::string(ZYN_BINARY_DIR) + "/data/system/chars.zyb"), "GERMAN");
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].Chars[6][0], 7);
}

}  // namespace
}  // namespace zyn
