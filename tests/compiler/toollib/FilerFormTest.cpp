#include "FakeLookup.h"
#include "ToolFixtures.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Real48.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace zyn {
namespace {

std::vector<uint8_t> WriteList(const TZYNFunktionsListe& list) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    list.WriteData(writer);
  }
  return stream.Bytes();
}

bool ReadList(TZYNFunktionsListe& list, const std::vector<uint8_t>& bytes,
              std::vector<std::string>* messages = nullptr) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  return list.ReadData(reader, messages);
}

void LoadRaw(TZYNFunktionsListe& list) {
  TMemoryStream in(test::LibraryBytes().b);
  list.LoadFromStream(in);
  for (int i = 0; i < list.Count(); ++i) list.GetFunction(i)->InternalName = "tool_" + std::to_string(i);
}

TEST(FilerFormTest, ToolListWriteReadWriteIsByteIdentical) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  const std::vector<uint8_t> first = WriteList(raw);
  TZYNFunktionsListe read;
  ASSERT_TRUE(ReadList(read, first));
  ASSERT_EQ(read.Count(), 3);
  EXPECT_EQ(read.Key(0), "tool_0");  // keyed by InternalName in the project stream
  EXPECT_EQ(WriteList(read), first);

  // Reserved bytes, reals and blocks travel through the project stream unchanged.
  const TVariable* a = raw.GetFunction(0)->FindVariable("LAUFZEIT");
  const TVariable* b = read.GetFunction(0)->FindVariable("LAUFZEIT");
  EXPECT_EQ(b->Reserved1, a->Reserved1);
  EXPECT_EQ(b->Reserved2, a->Reserved2);
  EXPECT_EQ(b->ReservedBlock2, a->ReservedBlock2);
  EXPECT_EQ(b->ChannelBlock, a->ChannelBlock);
  EXPECT_EQ(b->MaxValue, a->MaxValue);
  EXPECT_EQ(b->Multiplier, a->Multiplier);
  EXPECT_EQ(read.GetFunction(0)->Info.OemBlock, raw.GetFunction(0)->Info.OemBlock);
  EXPECT_EQ(read.GetFunction(0)->Info.Ebene.Text(), "Erdgeschoss");
  EXPECT_EQ(read.GetFunction(0)->FindVariable("ROLLADE")->RolladenValue,
            raw.GetFunction(0)->FindVariable("ROLLADE")->RolladenValue);
  EXPECT_EQ(read.GetFunction(0)->Nodes.Find("Laufzeit")->NodeDlg, read.GetFunction(0)->Dialogs.Find("Zeit"));
}

TEST(FilerFormTest, SubToolsTravelAsNames) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  TZYNSubFunction* sub = raw.GetFunction(0)->FindVariable("UNTERTOOLS")->Objects()[0].SubFunction();
  sub->InternalName = "sub_1";
  sub->FunctionKey = "tool_2";
  TZYNFunktionsListe read;
  ASSERT_TRUE(ReadList(read, WriteList(raw)));
  const TVarEntry& e = read.GetFunction(0)->FindVariable("UNTERTOOLS")->Objects()[0];
  EXPECT_EQ(e.Text, "sub_1");
  ASSERT_NE(e.SubFunction(), nullptr);
  EXPECT_EQ(e.SubFunction()->Name.Text(), "Aussen");
  EXPECT_EQ(e.SubFunction()->FunctionKey, "tool_2");
  EXPECT_EQ(e.SubFunction()->FunctionPtr(), nullptr);  // attached by CheckAfterLoad
}

TEST(FilerFormTest, ObjectListKindsInBothForms) {
  test::FakeProject project;
  TZYNFunction tool;
  auto v = std::make_unique<TVariable>();
  v->SetVarType(vtObject);
  TVariable* var = tool.Variables.Add(std::move(v));
  var->Add("3%clock_1");
  var->Add("grp_1", &project.Gruppe);
  var->Add("rm_1", project.Rm(0));
  TZYNFunktionsListe list;
  list.Add("t", std::make_unique<TZYNFunction>())->CopyFrom(tool);

  TZYNFunktionsListe filer;
  ASSERT_TRUE(ReadList(filer, WriteList(list)));
  const auto& f = filer.GetFunction(0)->Variables.Get(0)->Objects();
  EXPECT_EQ(f[0].Text, "3%clock_1");
  EXPECT_EQ(f[1].Text, "5%grp_1");
  EXPECT_EQ(f[2].Text, "rm_1");  // kind -1: no prefix

  TMemoryStream raw;
  list.SaveToStream(raw);
  raw.SetPosition(0);
  TZYNFunktionsListe fromRaw;
  fromRaw.LoadFromStream(raw);
  const auto& r = fromRaw.GetFunction(0)->Variables.Get(0)->Objects();
  EXPECT_EQ(r[0].Text, "3%clock_1");
  EXPECT_EQ(r[1].Text, "-1%grp_1");
  EXPECT_EQ(r[2].Text, "5%rm_1");
}

TEST(FilerFormTest, DefectiveToolIsReportedByNameAndEndsTheList) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  std::vector<uint8_t> bytes = WriteList(raw);
  // Damage the second tool: its first variable's type (an integer value right after the name)
  // gets a set tag, so the tool's reader fails after it has read the tool's name.
  const std::string name = "Treppenhaus";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  const std::string var = "LAUFZEIT";
  auto v = std::search(at, bytes.end(), var.begin(), var.end());
  ASSERT_NE(v, bytes.end());
  ASSERT_EQ(v[static_cast<long>(var.size())], 2);  // 8-bit integer tag of the type
  v[static_cast<long>(var.size())] = 11;
  std::vector<std::string> messages;
  TZYNFunktionsListe read;
  EXPECT_FALSE(ReadList(read, bytes, &messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Ansi("Defektes Tool entdeckt: Treppenhaus"));
  for (int i = 0; i < read.Count(); ++i) EXPECT_NE(read.GetFunction(i)->GetFunctionName(), name);
}

// A wide string (tag 18) is a string value like any other, also inside a tool.
TEST(FilerFormTest, WideStringInsideAToolIsRead) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  std::vector<uint8_t> bytes = WriteList(raw);
  const std::string name = "Treppenhaus";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  ASSERT_EQ(at[-2], 6);  // short string tag and length of the tool's name
  std::vector<uint8_t> wide = {18, static_cast<uint8_t>(name.size()), 0, 0, 0};
  for (char c : name) wide.insert(wide.end(), {static_cast<uint8_t>(c), 0});
  const long pos = (at - bytes.begin()) - 2;
  bytes.erase(bytes.begin() + pos, bytes.begin() + pos + 2 + static_cast<long>(name.size()));
  bytes.insert(bytes.begin() + pos, wide.begin(), wide.end());
  TZYNFunktionsListe read;
  std::vector<std::string> messages;
  ASSERT_TRUE(ReadList(read, bytes, &messages)) << (messages.empty() ? "" : messages[0]);
  EXPECT_EQ(read.Count(), 3);
  EXPECT_EQ(WriteList(read), WriteList(raw));
}

// The filer form of one tool, byte for byte: texts and numbers as tagged values, the fixed
// blocks (brand block, reserved blocks, channel block, value) as raw blocks without tag or length.
TEST(FilerFormTest, ToolBytesFollowTheFilerLayout) {
  TZYNFunction tool;
  tool.InternalName = "t1";
  tool.Info.FunctionGroup = "G";
  tool.Info.FunctionName = "Licht";
  tool.Info.FunctionVer = "1.0";
  tool.Info.CanBeSubFunc = 1;
  tool.Info.HelpContext = 300;
  tool.Info.Ebene.SetText("EG");
  tool.Info.OemBlock[0] = 0x12;
  tool.Info.OemBlock[700] = 0x34;
  auto v = std::make_unique<TVariable>();
  v->VarName = "ZEIT";
  v->SetVarType(vtByte);
  v->Einheit.SetText("s");
  v->Multiplier = TReal48::FromValue(1);
  v->MinValue = TReal48::FromValue(0);
  v->MaxValue = TReal48::FromValue(100);
  v->Reserved1 = {1, 2, 3, 4};
  v->Reserved2 = {5, 6, 1, 7};
  v->ReservedBlock1[0] = 0xA1;
  v->ReservedBlock2[7] = 0xA2;
  v->ChannelBlock[231] = 0xA3;
  v->Value = 0x1234;
  TVariable* zeit = tool.Variables.Add(std::move(v));
  auto d = std::make_unique<TParamDlg>();
  d->DlgName = "Zeit";
  d->DlgType = 1;
  d->DlgMultiplier = 10;
  d->DlgReserved[0] = 0xB1;
  d->DlgVar = zeit;
  TParamDlg* dlg = tool.Dialogs.Add(std::move(d));
  auto n = std::make_unique<TFuncNode>();
  n->NodeType = 3;
  n->NodeEdit = 2;
  n->NodeText = "Laufzeit";
  n->NodeFlags = 70000;
  n->NodeReserved[255] = 0xC1;
  n->NodeVar = zeit;
  n->NodeDlg = dlg;
  tool.Nodes.Add(std::move(n));
  tool.Script.push_back("VERB");

  std::vector<uint8_t> e;
  auto str = [&e](const std::string& t) {
    e.push_back(6);
    e.push_back(static_cast<uint8_t>(t.size()));
    e.insert(e.end(), t.begin(), t.end());
  };
  auto raw = [&e](size_t size, std::initializer_list<std::pair<size_t, uint8_t>> set) {
    const size_t at = e.size();
    e.resize(at + size, 0);
    for (auto [i, b] : set) e[at + i] = b;
  };
  auto bytes = [&e](std::initializer_list<uint8_t> b) { e.insert(e.end(), b); };
  str("t1");
  for (const char* t : {"G", "Licht", "", "1.0", "", "", "", "", ""}) str(t);
  bytes({9, 3, 0x2C, 0x01});  // CanBeSubFunc true, HelpContext 300
  str("");                    // InfoReserved
  str("EG");                  // Ebene
  raw(701, {{0, 0x12}, {700, 0x34}});
  bytes({1});
  str("ZEIT");
  bytes({2, 2, 2, 0xFF});  // VarType 2, Repeats -1
  str("s");
  bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});  // 1.0
  bytes({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});           // 0.0
  bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC8, 0x05, 0x40});  // 100.0
  bytes({2, 1, 2, 2, 2, 3, 2, 4});
  raw(8, {{0, 0xA1}});
  bytes({2, 5, 2, 6, 9, 2, 7});
  raw(8, {{7, 0xA2}});
  raw(232, {{231, 0xA3}});
  bytes({0x34, 0x12, 0});  // the value as a raw block of 2 bytes, end of the variables
  bytes({1});
  str("Zeit");
  bytes({2, 1});
  for (const char* t : {"", "", "", ""}) str(t);
  bytes({2, 10});
  raw(256, {{0, 0xB1}});
  str("ZEIT");
  str("");
  bytes({0, 1, 2, 3, 2, 2});
  str("Laufzeit");
  bytes({4, 0x70, 0x11, 0x01, 0x00, 2, 0});
  raw(256, {{255, 0xC1}});
  for (const char* t : {"ZEIT", "", "", "Zeit"}) str(t);
  bytes({0, 1});
  str("VERB");
  bytes({0});

  TMemoryStream out;
  {
    TWriter writer(out);
    tool.WriteData(writer);
  }
  ASSERT_EQ(out.Bytes().size(), e.size());
  EXPECT_EQ(out.Bytes(), e);

  // Read back from those bytes and written again: the same bytes.
  TMemoryStream in(e);
  TReader reader(in);
  TZYNFunction back;
  back.ReadData(reader);
  TMemoryStream again;
  {
    TWriter writer(again);
    back.WriteData(writer);
  }
  EXPECT_EQ(again.Bytes(), e);
  EXPECT_EQ(back.Nodes.Get(0)->NodeDlg, back.Dialogs.Get(0));
}

TEST(FilerFormTest, BrokenListEndsReadingWithFalse) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  std::vector<uint8_t> bytes = WriteList(raw);
  bytes.resize(bytes.size() - 100);  // inside the last tool
  TZYNFunktionsListe read;
  EXPECT_FALSE(ReadList(read, bytes));
  EXPECT_EQ(read.Count(), 2);  // the tools before the damage stay
}

TEST(FilerFormTest, OverrideFile) {
  const test::TempFolder folder("toollib");
  const auto file = folder.Dir() / "TOOLS.OVR";
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  raw.SaveToOvrFile(file.string());
  TZYNFunktionsListe read;
  EXPECT_TRUE(read.LoadFromOvrFile(file.string()));
  EXPECT_EQ(read.Count(), 3);
  EXPECT_EQ(ReadFileBytes(file.string()), WriteList(raw));
}

}  // namespace
}  // namespace zyn
