#include "ToolFixtures.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

using test::RawBytes;

std::vector<uint8_t> SaveLibrary(const TZYNFunktionsListe& list) {
  TMemoryStream out;
  list.SaveToStream(out);
  return out.Bytes();
}

void LoadLibrary(TZYNFunktionsListe& list, const std::vector<uint8_t>& bytes) {
  TMemoryStream in(bytes);
  list.LoadFromStream(in);
}

std::string ReadError(const std::vector<uint8_t>& bytes) {
  TZYNFunktionsListe list;
  try {
    LoadLibrary(list, bytes);
  } catch (const EReadError& e) {
    EXPECT_EQ(list.Count(), 0);
    return e.what();
  }
  return "no error";
}

TEST(RawFormTest, LibraryReadWriteIsByteIdentical) {
  const RawBytes lib = test::LibraryBytes();
  TZYNFunktionsListe list;
  LoadLibrary(list, lib.b);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Key(0), "Treppenhaus");
  EXPECT_EQ(list.Key(1), "Leer");
  EXPECT_EQ(SaveLibrary(list), lib.b);
}

TEST(RawFormTest, FieldsOfTheFullTool) {
  TZYNFunktionsListe list;
  LoadLibrary(list, test::LibraryBytes().b);
  const TZYNFunction& t = *list.GetFunction(0);
  EXPECT_EQ(t.Info.FunctionGroup, "Beleuchtung");
  EXPECT_EQ(t.Info.FunctionClass, "LICHT");
  EXPECT_EQ(t.Info.HelpContext, 4711);
  EXPECT_TRUE(t.GetUsableAsSubFunction());
  EXPECT_EQ(t.Info.Ebene.Text(), "Erdgeschoss");
  EXPECT_EQ(t.Info.OEMFlag(), oemZORV | oemTervik | oemYXA);
  EXPECT_EQ(t.Info.InfoReserved.Text(), "reserviert");
  ASSERT_EQ(t.Variables.Count(), 18);

  const TVariable* laufzeit = t.FindVariable("LAUFZEIT");
  ASSERT_NE(laufzeit, nullptr);
  EXPECT_EQ(laufzeit->Value, 300);
  EXPECT_EQ(laufzeit->GetEinheit(), "Sek");
  EXPECT_EQ(laufzeit->GetMultiplier(), 1.0L);
  EXPECT_EQ(laufzeit->GetMaxValue(), 65535.0L);
  EXPECT_TRUE(laufzeit->AllowsChannel(2));
  EXPECT_FALSE(laufzeit->AllowsChannel(3));
  EXPECT_EQ(t.FindVariable("BYTE")->GetValueText(), "254");
  EXPECT_EQ(t.FindVariable("KLASSEN")->GetValueText(), "0,3,ACMERKER,ACUHREN");
  EXPECT_EQ(t.FindVariable("ROLLADE")->GetValueText(), "Rolladenparameter");
  EXPECT_EQ(t.FindVariable("ROLLADE")->RolladenValue[9], 0x79);

  // The nested sub-tools are owned copies.
  const TVariable* subs = t.FindVariable("UNTERTOOLS");
  ASSERT_EQ(subs->Count(), 1);
  const TZYNSubFunction* outer = subs->Objects()[0].SubFunction();
  ASSERT_NE(outer, nullptr);
  EXPECT_TRUE(outer->OwnsFunction());
  EXPECT_EQ(outer->Name.Text(), "Aussen");
  const TZYNFunction* aussen = outer->FunctionPtr();
  const TZYNSubFunction* inner = aussen->FindVariable("INNEN")->Objects()[0].SubFunction();
  EXPECT_EQ(inner->FunctionPtr()->GetFunctionName(), "Innen");
  EXPECT_EQ(inner->FunctionPtr()->Script.at(0), "BLOCK");

  // Dialog and node references are bound by name; names that match nothing give none.
  ASSERT_EQ(t.Dialogs.Count(), 2);
  EXPECT_EQ(t.Dialogs.Get(0)->DlgVar, laufzeit);
  EXPECT_EQ(t.Dialogs.Get(0)->DlgDefault, t.FindVariable("SEKUNDEN"));
  EXPECT_EQ(t.Dialogs.Get(0)->GetDataTypeName(), "dtTimeSek");
  EXPECT_EQ(t.Dialogs.Get(1)->DlgVar, t.FindVariable("ROLLADE"));
  EXPECT_EQ(t.Dialogs.Get(1)->DlgDefault, nullptr);
  EXPECT_EQ(t.Dialogs.Get(1)->GetDataTypeName(), "dtRollade4");
  ASSERT_EQ(t.Nodes.Count(), 4);
  EXPECT_EQ(t.Nodes.Find("Laufzeit")->NodeDlg, t.Dialogs.Get(0));
  EXPECT_EQ(t.Nodes.Find("Untertool")->NodeDlg, nullptr);
  EXPECT_EQ(t.Nodes.Find("Untertool")->NodeVar, subs);
  EXPECT_EQ(t.Nodes.Get(4), nullptr);
  EXPECT_EQ(t.Script.size(), 5u);
}

TEST(RawFormTest, EmptyToolHasItsFixedSize) {
  TZYNFunction empty;
  TMemoryStream out;
  empty.SaveToStream(out);
  EXPECT_EQ(out.Size(), 1060);
  EXPECT_EQ(out.Bytes(), test::BlankToolBytes().b);
  EXPECT_EQ(static_cast<size_t>(out.Size()), kEmptyToolRawSize);
}

TEST(RawFormTest, SingleToolFileAndLibraryFile) {
  const test::TempFolder folder("toollib_raw");
  const auto dir = folder.Dir();
  const std::string toolFile = (dir / "einzeln.zyb").string();
  const std::string libFile = (dir / "funcs.zyb").string();

  TZYNFunktionsListe list;
  EXPECT_FALSE(list.LoadFromFile((dir / "userfuncs.zyb").string()));  // missing: false, no error
  LoadLibrary(list, test::LibraryBytes().b);
  list.GetFunction(2)->SaveToFile(toolFile);
  EXPECT_EQ(ReadFileBytes(toolFile), test::SubToolBytes("Einzeln").b);
  TZYNFunction single;
  single.LoadFromFile(toolFile);
  EXPECT_EQ(single.GetFunctionName(), "Einzeln");

  ASSERT_TRUE(list.SaveToFile(libFile));
  EXPECT_EQ(ReadFileBytes(libFile), test::LibraryBytes().b);
  TZYNFunktionsListe again;
  ASSERT_TRUE(again.LoadFromFile(libFile));
  EXPECT_EQ(again.Count(), 3);
}

TEST(RawFormTest, EmptyLibrary) {
  TZYNFunktionsListe list;
  LoadLibrary(list, RawBytes().I16(0).b);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(SaveLibrary(list), RawBytes().I16(0).b);
}

TEST(RawFormTest, LevelNameOf63CharactersIsWrittenWithItsBlockOnly) {
  TZYNFunction t;
  t.Info.Ebene.SetText(std::string(63, 'E'));
  TMemoryStream out;
  t.SaveToStream(out);
  // Block of 63 bytes: the length byte says 62, the characters that fit follow.
  const size_t at = 9 * 3 + 1 + 4 + 256;
  EXPECT_EQ(out.Bytes()[at], 62);
  EXPECT_EQ(out.Bytes()[at + 62], 'E');
  out.SetPosition(0);
  TZYNFunction back;
  back.LoadFromStream(out);
  EXPECT_EQ(back.Info.Ebene.Text(), std::string(62, 'E'));
}

struct DamagedCase {
  const char* what;
  RawBytes bytes;
  const char* message;  // part of the German error
};

TEST(RawFormTest, DamagedLibrariesStopWithAClearError) {
  std::vector<DamagedCase> cases;
  cases.push_back({"negative tool count", RawBytes().I16(-1), "Ungültige Anzahl -1"});
  cases.push_back(
      {"tool count larger than the file", RawBytes().I16(2).Append(test::EmptyToolBytes("A")), "größer als die Daten"});
  {
    RawBytes r = RawBytes().I16(1).Append(test::InfoBytes("A", "", false));
    r.I16(-5);
    cases.push_back({"negative variable count", r, "Ungültige Anzahl -5"});
  }
  {
    RawBytes r = RawBytes().I16(1).Append(test::InfoBytes("A", "", false));
    r.I16(30000);
    cases.push_back({"variable count larger than the file", r, "größer als die Daten"});
  }
  {
    RawBytes r = RawBytes().I16(1).Counted("G").Counted(std::string(51, 'N'));
    r.Fill(2000);
    cases.push_back({"name longer than its field", r, "FunctionName"});
  }
  {
    RawBytes r = RawBytes().I16(1).Counted("G").I16(4).U8(200).Bytes({'a', 'b', 'c'});
    r.Fill(2000);
    cases.push_back({"length byte beyond its record", r, "passt nicht"});
  }
  {
    RawBytes info = test::InfoBytes("A", "", false);
    info.b[test::LevelOffset(info)] = 63;
    RawBytes r = RawBytes().I16(1).Append(info).I16(0).I16(0).I16(0).I16(0);
    cases.push_back({"level length byte 63", r, "62 Zeichen"});
  }
  {
    RawBytes r = RawBytes().I16(1).Append(test::EmptyToolBytes("A"));
    r.b.resize(r.b.size() - 3);
    cases.push_back({"truncated", r, "Stream-Lesefehler"});
  }
  {
    RawBytes r = RawBytes().I16(1).Append(test::InfoBytes("A", "", false)).I16(1);
    r.Append(test::VarHead("V", 30)).I16(0).I16(0).I16(0).I16(0);
    const size_t unit = 2 + test::InfoBytes("A", "", false).b.size() + 2 + 4 + 2 + 2;
    r.b[unit] = 0xFF;  // unit length byte 255 in a block of 31 bytes
    cases.push_back({"unit longer than its block", r, "Einheit"});
  }
  for (const DamagedCase& c : cases) {
    EXPECT_NE(ReadError(c.bytes.b).find(Ansi(c.message)), std::string::npos) << c.what << ": " << ReadError(c.bytes.b);
  }
}

TEST(RawFormTest, DeeplyNestedSubToolsStop) {
  // Each level is a tool with one sub-tool variable holding the next level.
  RawBytes inner = test::EmptyToolBytes("Kern");
  for (int level = 0; level < kMaxSubToolDepth + 2; ++level) {
    RawBytes outer = test::InfoBytes("Stufe", "", false);
    outer.I16(1).Append(test::VarHead("SUB", 23)).I16(1).Counted("x").Image("x", 256).Append(inner);
    outer.I16(0).I16(0).I16(0);
    inner = outer;
  }
  const std::string error = ReadError(RawBytes().I16(1).Append(inner).b);
  EXPECT_NE(error.find("zu tief verschachtelt"), std::string::npos) << error;
}

TEST(RawFormTest, ToolHoldingItselfAsSubToolIsNotWritten) {
  TZYNFunction tool;
  tool.SetName("Schleife");
  auto v = std::make_unique<TVariable>();
  v->SetVarType(vtFunction);
  TVariable* var = tool.Variables.Add(std::move(v));
  TVarEntry entry("Schleife", {});
  auto sub = std::make_unique<TZYNSubFunction>();
  sub->SetFunction(&tool);
  entry.SetSubFunction(std::move(sub));
  var->Objects().push_back(std::move(entry));
  TMemoryStream out;
  try {
    tool.SaveToStream(out);
    FAIL() << "written";
  } catch (const EWriteError& e) {
    EXPECT_NE(std::string(e.what()).find(Ansi("enthält sich selbst")), std::string::npos);
  }
}

TEST(RawFormTest, FailedLoadLeavesTheListAndToolUnchanged) {
  TZYNFunktionsListe list;
  LoadLibrary(list, RawBytes().I16(1).Append(test::EmptyToolBytes("Alt")).b);
  RawBytes broken = RawBytes().I16(2).Append(test::EmptyToolBytes("Neu")).Append(test::EmptyToolBytes("B"));
  broken.b.resize(broken.b.size() - 1);
  EXPECT_THROW(LoadLibrary(list, broken.b), EReadError);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Key(0), "Alt");

  TZYNFunction tool;
  tool.SetName("Bleibt");
  std::vector<uint8_t> cut = test::EmptyToolBytes("Weg").b;
  cut.pop_back();
  TMemoryStream in(cut);
  EXPECT_THROW(tool.LoadFromStream(in), EReadError);
  EXPECT_EQ(tool.GetFunctionName(), "Bleibt");
}

TEST(RawFormTest, ReferencesToMissingVariablesAndDialogsStayEmpty) {
  RawBytes r = test::InfoBytes("Fehlend");
  r.I16(1).Append(test::ListVar("DA", 17, {}));
  r.I16(1)
      .Counted("D")
      .I16(1)
      .Counted("")
      .Counted("")
      .Counted("")
      .Counted("")
      .I16(0)
      .Fill(256)
      .Counted("FEHLT")
      .Counted("DA");
  r.I16(1).I16(1).I16(1).Counted("Knoten").I32(0).I16(0).Fill(256).Counted("FEHLT").Counted("DA").Counted("").Counted(
      "KEINDIALOG");
  r.I16(0);
  TMemoryStream in(r.b);
  TZYNFunction t;
  t.LoadFromStream(in);
  EXPECT_EQ(t.Dialogs.Get(0)->DlgVar, nullptr);
  EXPECT_EQ(t.Dialogs.Get(0)->DlgDefault, t.FindVariable("DA"));
  ASSERT_EQ(t.Nodes.Count(), 1);
  EXPECT_EQ(t.Nodes.Get(0)->NodeVar, nullptr);
  EXPECT_EQ(t.Nodes.Get(0)->NodeAccept, t.FindVariable("DA"));
  EXPECT_EQ(t.Nodes.Get(0)->NodeDlg, nullptr);
}

TEST(RawFormTest, ObjectListEntriesGetTheRawKindPrefix) {
  TZYNFunction tool;
  auto v = std::make_unique<TVariable>();
  v->SetVarType(vtObject);
  TVariable* var = tool.Variables.Add(std::move(v));
  var->Add("2%flag");  // already prefixed: unchanged
  var->Add("frei");    // no object: -1
  TZYNFunction back;
  TMemoryStream out;
  tool.SaveToStream(out);
  out.SetPosition(0);
  back.LoadFromStream(out);
  EXPECT_EQ(back.Variables.Get(0)->Objects()[0].Text, "2%flag");
  EXPECT_EQ(back.Variables.Get(0)->Objects()[1].Text, "-1%frei");
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The fuzz seeds are written by a Python script of their own: every one loads and writes back
// to the same bytes.
TEST(RawFormTest, FuzzSeedsRoundTrip) {
  const std::filesystem::path dir = std::filesystem::path(ZYN_SOURCE_DIR) / "tests/fuzz/corpus/fuzz_toollib";
  int seen = 0;
  for (const auto& file : std::filesystem::directory_iterator(dir)) {
    const std::vector<uint8_t> bytes = ReadFileBytes(file.path().string());
    TZYNFunktionsListe list;
    LoadLibrary(list, bytes);
    EXPECT_EQ(SaveLibrary(list), bytes) << file.path();
    ++seen;
  }
  EXPECT_GE(seen, 4);
}

}  // namespace
}  // namespace zyn
