#include <gtest/gtest.h>

#include <filesystem>

#include "FakeLookup.h"
#include "ToolFixtures.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "tests/support/Files.h"

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

bool ReadList(TZYNFunktionsListe& list, const std::vector<uint8_t>& bytes, std::vector<std::string>* messages = nullptr) {
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

TEST(FilerFormTest, DefectiveToolIsDroppedAndReported) {
  TZYNFunktionsListe raw;
  LoadRaw(raw);
  std::vector<uint8_t> bytes = WriteList(raw);
  // Damage the first tool: its brand block says 700 bytes instead of 701 and lacks one byte, so
  // the stream stays well-formed but the tool cannot be used.
  const std::string name = "Treppenhaus";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  const uint8_t oemHead[] = {10, 0xBD, 0x02, 0x00, 0x00, 0x00, 0x13};
  auto oem = std::search(at, bytes.end(), std::begin(oemHead), std::end(oemHead));
  ASSERT_NE(oem, bytes.end());
  oem[1] = 0xBC;
  bytes.erase(oem + 5);
  std::vector<std::string> messages;
  TZYNFunktionsListe read;
  EXPECT_TRUE(ReadList(read, bytes, &messages));
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.GetFunction(0)->GetFunctionName(), "Leer");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Ansi("Defektes Tool entdeckt: Treppenhaus"));
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
