#include "compiler/toollib/ToolSource.h"

#include "ToolFixtures.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

std::vector<uint8_t> Raw(const TZYNFunktionsListe& list) {
  TMemoryStream out;
  list.SaveToStream(out);
  return out.Bytes();
}

TEST(ToolSourceTest, DumpThenBuildGivesTheLibraryBackByteForByte) {
  TZYNFunktionsListe lib;
  TMemoryStream in(test::LibraryBytes().b);
  lib.LoadFromStream(in);
  const std::string source = DumpToolSource(lib);
  TZYNFunktionsListe built;
  ParseToolSource(source, built);
  ASSERT_EQ(built.Count(), 3);
  EXPECT_EQ(Raw(built), test::LibraryBytes().b);
  EXPECT_EQ(DumpToolSource(built), source);
}

TEST(ToolSourceTest, ReadableSource) {
  const std::string source = R"(# Treppenhauslicht
tool "Treppenhaus"
  group "Beleuchtung"
  help "Schaltet das Licht für eine Laufzeit ein"
  class "LICHT"
  subfunc yes
  level "Flur"
  oem 0x0003
  var "KLASSEN" classlist
    entry "3"
  var "TASTER" eingang
  var "LAMPE" ausgang
    deny 3 4
  var "LAUFZEIT" word
    unit "Sekunden"
    min 1
    max 3600
    multiplier 0.5
    value 180
  dialog "Zeit" timesek
    title "Laufzeit"
    target "LAUFZEIT"
  node "Taster" eingang
    edit logicstate
    target "TASTER"
    accept "KLASSEN"
  node "Laufzeit" parameter
    edit dialog
    target "LAUFZEIT"
    opens "Zeit"
  line "BLOCK"
  line "IF %TASTER% : Ein"
  line "THEN %LAMPE% : Ein"
  line "END."
end
)";
  TZYNFunktionsListe list;
  ParseToolSource(source, list);
  ASSERT_EQ(list.Count(), 1);
  const TZYNFunction& t = *list.GetFunction(0);
  EXPECT_EQ(list.Key(0), "Treppenhaus");
  EXPECT_EQ(t.Info.FunctionHelp, Ansi("Schaltet das Licht für eine Laufzeit ein"));
  EXPECT_EQ(t.Info.OEMFlag(), 3);
  EXPECT_EQ(t.Info.Ebene.Text(), "Flur");
  EXPECT_EQ(t.FindVariable("LAUFZEIT")->GetMaxValue(), 3600.0L);
  EXPECT_EQ(t.FindVariable("LAUFZEIT")->GetMultiplier(), 0.5L);
  EXPECT_EQ(t.FindVariable("LAUFZEIT")->Value, 180);
  EXPECT_FALSE(t.FindVariable("LAMPE")->AllowsChannel(4));
  EXPECT_EQ(t.Nodes.Find("Laufzeit")->NodeDlg, t.Dialogs.Find("Zeit"));
  EXPECT_EQ(t.Nodes.Find("Taster")->NodeEdit, edGetLogicState);
  EXPECT_EQ(t.Script.size(), 4u);
}

TEST(ToolSourceTest, FaultsNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"tool \"A\"\n  var \"X\" word\n  node \"N\" eingang\n    target \"Y\"\nend\n", "unbekannte Variable"},
      {"tool \"A\"\n  frobnicate 1\nend\n", "Zeile 2"},
      {"tool \"A\"\n  group \"offen\n", "Zeile 2"},
      {"tool \"A\"\n", "\"end\" fehlt"},
      {"tool \"A\"\n  name \"x\"\nend\n", "unbekanntes"},
      {"tool \"012345678901234567890123456789012345678901234567890\"\nend\n", "länger als 50"},
      {"tool \"A\"\n  var \"W\" word\n    value 70000\nend\n", "Zeile 3"},
      {"tool \"A\"\n  var \"W\" word\n    entry \"x\"\nend\n", "keine Liste"},
  };
  for (auto [source, message] : cases) {
    TZYNFunktionsListe list;
    try {
      ParseToolSource(source, list);
      ADD_FAILURE() << source;
    } catch (const EZYNError& e) {
      EXPECT_NE(std::string(e.what()).find(Ansi(message)), std::string::npos) << AnsiToUtf8(e.what());
    }
    EXPECT_EQ(list.Count(), 0);
  }
}

}  // namespace
}  // namespace zyn

#include <cstdlib>
#include <filesystem>

namespace zyn {
namespace {

std::string SourceText(const std::string& file) {
  const std::vector<uint8_t> bytes = ReadFileBytes(file);
  return std::string(bytes.begin(), bytes.end());
}

// The example library was built at build time by zyn-toolc from its source.
TEST(ToolSourceTest, ExampleLibraryBuiltAtBuildTime) {
  TZYNFunktionsListe lib;
  ASSERT_TRUE(lib.LoadFromFile(ZYN_TOOLLIB_EXAMPLE));
  ASSERT_EQ(lib.Count(), 2);
  const TZYNFunction* light = lib.FindByName("Treppenhauslicht");
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(light->Info.Ebene.Text(), "Flur");
  const TZYNSubFunction* sub = light->FindVariable("ZEITEN")->Objects()[0].SubFunction();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->FunctionPtr()->FindVariable("LAUFZEIT")->Value, 60);
  EXPECT_EQ(light->Script[2], Ansi("THEN #LAUFZEIT# %ZEITEN% : Einschaltverzögerung"));

  TZYNFunktionsListe fromSource;
  ParseToolSource(SourceText(std::string(ZYN_TEST_DATA_DIR) + "/beispiel.zts"), fromSource);
  EXPECT_EQ(Raw(fromSource), ReadFileBytes(ZYN_TOOLLIB_EXAMPLE));
}

// The command-line tool dumps a library and builds the same bytes from the dump.
TEST(ToolSourceTest, CommandLineRoundTrip) {
  const test::TempFolder folder("toolc");
  const auto dir = folder.Dir();
  const std::string source = (dir / "dump.zts").string();
  const std::string rebuilt = (dir / "rebuilt.zyb").string();
  const std::string toolc = ZYN_TOOLC;
  ASSERT_EQ(std::system((toolc + " dump " + ZYN_TOOLLIB_EXAMPLE + " " + source).c_str()), 0);
  ASSERT_EQ(std::system((toolc + " build " + source + " " + rebuilt).c_str()), 0);
  EXPECT_EQ(ReadFileBytes(rebuilt), ReadFileBytes(ZYN_TOOLLIB_EXAMPLE));
  // A faulty source fails with a message and writes nothing.
  WriteFileAtomic(source, std::string("tool \"A\"\n"));
  std::filesystem::remove(rebuilt);
  EXPECT_NE(std::system((toolc + " build " + source + " " + rebuilt + " 2>/dev/null").c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(rebuilt));
}

}  // namespace
}  // namespace zyn
