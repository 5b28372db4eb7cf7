#include "FakeLookup.h"
#include "ToolFixtures.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/UniqueNames.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {


TFuncNode* AddNode(TZYNFunction& tool, int16_t type, TVariable* var, TVariable* accept) {
  auto n = std::make_unique<TFuncNode>();
  n->NodeType = type;
  n->NodeText = "Knoten " + std::to_string(tool.Nodes.Count());
  n->NodeVar = var;
  n->NodeAccept = accept;
  return tool.Nodes.Add(std::move(n));
}

TEST(ToolModelTest, NewVariableDefaults) {
  TVariable v;
  EXPECT_EQ(v.Repeats, -1);
  EXPECT_EQ(v.GetMinValue(), 1.0L);
  EXPECT_EQ(v.GetMaxValue(), 65535.0L);
  EXPECT_EQ(v.GetMultiplier(), 0.0L);
  EXPECT_EQ(v.Value, 0);
  EXPECT_EQ(v.GetTypeName(), "TUNKNOWN");
  EXPECT_FALSE(v.HasList());
}

TEST(ToolModelTest, FindVariableFallsBackToLaufzeitOnlyForTheTwoNames) {
  TZYNFunction tool;
  TVariable* laufzeit = &test::AddVar(tool, "LAUFZEIT", vtWord);
  EXPECT_EQ(tool.FindVariable("laufzeitauf"), laufzeit);
  EXPECT_EQ(tool.FindVariable("LaufzeitAb"), laufzeit);
  EXPECT_EQ(tool.FindVariable("laufzeit"), nullptr);  // the name itself compares exactly
  EXPECT_EQ(tool.FindVariable("LAUFZEIT"), laufzeit);
  TVariable* auf = &test::AddVar(tool, "LAUFZEITAUF", vtWord);
  EXPECT_EQ(tool.FindVariable("LAUFZEITAUF"), auf);
}

TEST(ToolModelTest, TypeNames) {
  const std::pair<int16_t, const char*> vars[] = {
      {0, "TUNKNOWN"},  {1, "TClassList"}, {2, "Byte"},     {3, "Word"},           {4, "LongInt"}, {7, "Word"},
      {9, "TRolladen"}, {23, "TFunction"}, {24, "TObject"}, {25, "TRueckmeldung"}, {8, "TUNKNOWN"}};
  for (auto [type, name] : vars) {
    TVariable v;
    v.SetVarType(type);
    EXPECT_EQ(v.GetTypeName(), name) << type;
  }
  TFuncNode node;
  node.NodeType = ntObject;
  EXPECT_EQ(node.GetTypeName(), "ntUnknown");
  node.NodeType = ntFunction;
  EXPECT_EQ(node.GetTypeName(), "ntFunction");
  TParamDlg dlg;
  dlg.DlgType = static_cast<int16_t>(dlgRolladen2);
  EXPECT_EQ(dlg.GetDataTypeName(), "dtRollade2");
  dlg.DlgType = dlgByte;
  EXPECT_EQ(dlg.GetDataTypeName(), "dtUnknown");
}

TEST(ToolModelTest, ValueTexts) {
  TVariable list;
  list.SetVarType(vtClassList);
  list.SetValueText("0,3,ACMERKER");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetValueText(), "0,3,ACMERKER");
  TVariable byte;
  byte.SetVarType(vtByte);
  byte.SetValueText("200");
  EXPECT_EQ(byte.Value, 200);
  EXPECT_THROW(byte.SetValueText("300"), EZYNError);
  EXPECT_THROW(byte.SetValueText("abc"), EZYNError);
  EXPECT_EQ(byte.Value, 200);
  TVariable word;
  word.SetVarType(vtTimeSek10);
  word.SetValueText("65535");
  EXPECT_EQ(word.GetValueText(), "65535");
}

TEST(ToolModelTest, AcceptsObjectRules) {
  test::FakeProject p;
  TZYNFunction tool;
  TVariable* accept = &test::AddVar(tool, "KLASSEN", vtClassList);
  accept->SetValueText("3,ACMERKER,ACUHREN,ACMODULE,LICHT");
  accept->ChannelBlock[3] = 255;
  TVariable* target = &test::AddVar(tool, "ZIEL", vtAusgang);
  TFuncNode* outNode = AddNode(tool, ntAusgang, target, accept);
  TFuncNode* inNode = AddNode(tool, ntEingang, nullptr, accept);
  TFuncNode* anyNode = AddNode(tool, ntObject, nullptr, accept);
  TFuncNode* flagNode = AddNode(tool, ntMerker, nullptr, nullptr);
  TFuncNode* toolNode = AddNode(tool, ntFunction, &test::AddVar(tool, "TOOLS", vtFunction), accept);

  EXPECT_TRUE(outNode->AcceptsObject(p.Out(2), p));
  EXPECT_FALSE(outNode->AcceptsObject(p.Out(3), p));  // channel 3 masked, class listed all the same
  EXPECT_FALSE(outNode->AcceptsObject(p.In(0), p));
  target->Add("mod_1.out_1", p.Out(0));  // the same module-dot-channel text: a second drop is refused
  EXPECT_FALSE(outNode->AcceptsObject(p.Out(0), p));

  EXPECT_TRUE(inNode->AcceptsObject(p.In(1), p));
  EXPECT_TRUE(inNode->AcceptsObject(p.Rm(0), p));
  EXPECT_FALSE(inNode->AcceptsObject(&p.Merker, p));

  EXPECT_TRUE(anyNode->AcceptsObject(&p.Merker, p));
  EXPECT_TRUE(anyNode->AcceptsObject(&p.Uhr, p));
  EXPECT_TRUE(anyNode->AcceptsObject(p.Out(3), p));  // the mask applies to output nodes only
  EXPECT_FALSE(anyNode->AcceptsObject(&p.Gruppe, p));
  EXPECT_FALSE(anyNode->AcceptsObject(&p.Modul, p));  // not "INPUT PIR"
  EXPECT_TRUE(anyNode->AcceptsObject(&p.Pir, p));
  EXPECT_TRUE(inNode->AcceptsObject(&p.Pir, p));  // a module on any node type

  EXPECT_TRUE(flagNode->AcceptsObject(&p.Merker, p));
  EXPECT_FALSE(flagNode->AcceptsObject(&p.Uhr, p));

  TZYNFunction licht;
  licht.SetName("Licht");
  licht.Info.FunctionClass = "LICHT";
  TZYNSubFunction sub;
  sub.SetFunction(&licht);
  EXPECT_TRUE(toolNode->AcceptsObject(&sub, p));
  toolNode->NodeVar->Add("Licht");
  EXPECT_FALSE(toolNode->AcceptsObject(&sub, p));
  licht.Info.FunctionClass = "HEIZUNG";
  toolNode->NodeVar->Delete(0);
  EXPECT_FALSE(toolNode->AcceptsObject(&sub, p));
}

TEST(ToolModelTest, CheckAfterLoadAttachesObjects) {
  test::FakeProject p;
  auto other = std::make_unique<TZYNFunction>();
  other->InternalName = "tool_other";
  other->SetName("Anderes");
  TZYNFunction* otherTool = p.Tools.Add("tool_other", std::move(other));

  TZYNFunction tool;
  TVariable* in = &test::AddVar(tool, "IN", vtEingang);
  in->Add(" in_2 :Ein");
  in->Add("rm_1");
  in->Add("fehlt");
  TVariable* out = &test::AddVar(tool, "OUT", vtAusgang);
  out->Add("out_1#12");
  TVariable* flag = &test::AddVar(tool, "FLAG", vtMerker);
  flag->Add("flag_1 : Aus");
  TVariable* clock = &test::AddVar(tool, "UHR", vtUhr);
  clock->Add("Morgens:Ein");
  TVariable* obj = &test::AddVar(tool, "OBJ", vtObject);
  obj->Add("4%mod_1");
  obj->Add("5%grp_1");
  obj->Add("-1%irgendwas");
  TVariable* subs = &test::AddVar(tool, "SUB", vtFunction);
  auto sub = std::make_unique<TZYNSubFunction>();
  sub->Name.SetText("Anderes");
  TVarEntry entry("x", {});
  entry.SetSubFunction(std::move(sub));
  subs->Objects().push_back(std::move(entry));
  AddNode(tool, ntEingang, in, nullptr);
  AddNode(tool, ntAusgang, out, nullptr);
  AddNode(tool, ntMerker, flag, nullptr);
  AddNode(tool, ntUhr, clock, nullptr);
  AddNode(tool, ntObject, obj, nullptr);
  AddNode(tool, ntFunction, subs, nullptr);

  tool.CheckAfterLoad(p);
  EXPECT_EQ(in->Objects()[0].Object, TToolObject(p.In(1)));
  EXPECT_EQ(in->Objects()[1].Object, TToolObject(p.Rm(0)));
  EXPECT_TRUE(IsNone(in->Objects()[2].Object));
  EXPECT_EQ(in->Objects()[2].Text, "fehlt");
  EXPECT_EQ(out->Objects()[0].Object, TToolObject(p.Out(0)));
  EXPECT_EQ(flag->Objects()[0].Text, "flag_1: Aus");
  EXPECT_EQ(clock->Objects()[0].Text, "clock_1:Ein");  // found by display name, stored by internal name
  EXPECT_EQ(clock->Objects()[0].Object, TToolObject(&p.Uhr));
  EXPECT_EQ(obj->Objects()[0].Object, TToolObject(&p.Modul));
  EXPECT_EQ(obj->Objects()[1].Object, TToolObject(&p.Gruppe));
  EXPECT_TRUE(IsNone(obj->Objects()[2].Object));
  const TZYNSubFunction* bound = subs->Objects()[0].SubFunction();
  EXPECT_EQ(bound->FunctionPtr(), otherTool);
  EXPECT_EQ(bound->FunctionKey, "tool_other");
}

TEST(ToolModelTest, RemoveReferencesDropsEveryEntryOfTheObject) {
  test::FakeProject p;
  TZYNFunktionsListe list;
  TZYNFunction* tool = list.Add("t", std::make_unique<TZYNFunction>());
  TVariable* in = &test::AddVar(*tool, "IN", vtEingang);
  in->Add("in_1", p.In(0));
  TVariable* flags = &test::AddVar(*tool, "FLAG", vtMerker);
  flags->Add("flag_1:Ein", &p.Merker);
  flags->Add("flag_1:Aus", &p.Merker);
  TVariable* obj = &test::AddVar(*tool, "OBJ", vtObject);
  obj->AddObject("flag_1", &p.Merker);
  obj->AddObject("grp_1", &p.Gruppe);
  obj->AddObject("out_2", p.Out(1));
  EXPECT_EQ(obj->Objects()[0].Text, "2%flag_1");
  EXPECT_EQ(obj->Objects()[1].Text, "5%grp_1");

  list.RemoveMerkerReferences(&p.Merker);
  EXPECT_EQ(flags->Count(), 0);
  EXPECT_EQ(obj->Count(), 2);
  list.RemoveObjectReferences(&p.Gruppe);
  EXPECT_EQ(obj->Count(), 1);
  list.RemoveModulReferences(&p.Modul);
  EXPECT_EQ(in->Count(), 0);
  EXPECT_EQ(obj->Count(), 0);
}

TEST(ToolModelTest, CopyFromRebindsAndCopiesEmbeddedSubTools) {
  TZYNFunktionsListe lib;
  TMemoryStream in(test::LibraryBytes().b);
  lib.LoadFromStream(in);
  const TZYNFunction& source = *lib.GetFunction(0);
  TZYNFunction copy;
  copy.CopyFrom(source);
  EXPECT_EQ(copy.Info.Ebene.Text(), "");  // a copy has no level
  EXPECT_EQ(copy.Info.FunctionName, "Treppenhaus");
  EXPECT_EQ(copy.Nodes.Find("Laufzeit")->NodeVar, copy.FindVariable("LAUFZEIT"));
  EXPECT_EQ(copy.Nodes.Find("Laufzeit")->NodeDlg, copy.Dialogs.Find("Zeit"));
  EXPECT_EQ(copy.Dialogs.Find("Zeit")->DlgVar, copy.FindVariable("LAUFZEIT"));
  EXPECT_EQ(copy.FindVariable("LAUFZEIT")->Reserved1, (std::array<uint8_t, 4>{}));  // not copied
  const TZYNSubFunction* a = source.FindVariable("UNTERTOOLS")->Objects()[0].SubFunction();
  const TZYNSubFunction* b = copy.FindVariable("UNTERTOOLS")->Objects()[0].SubFunction();
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_TRUE(b->OwnsFunction());
  EXPECT_NE(a->FunctionPtr(), b->FunctionPtr());
  EXPECT_EQ(b->FunctionPtr()->GetFunctionName(), "Aussen");
}

TEST(ToolModelTest, BindToReplacesTheEmbeddedCopy) {
  TZYNFunktionsListe lib;
  TMemoryStream in(test::LibraryBytes().b);
  lib.LoadFromStream(in);
  TZYNSubFunction sub;
  auto copy = std::make_unique<TZYNFunction>();
  copy->SetName("Einzeln");
  sub.SetOwnedFunction(std::move(copy));
  EXPECT_TRUE(sub.BindTo(lib));
  EXPECT_FALSE(sub.OwnsFunction());
  EXPECT_EQ(sub.FunctionPtr(), lib.GetFunction(2));
  lib.Delete(2);  // nothing in the list refers to it; the binding itself is the caller's
}

TEST(ToolModelTest, DeletingAToolClearsSubToolReferences) {
  TZYNFunktionsListe list;
  TZYNFunction* target = list.Add("a", std::make_unique<TZYNFunction>());
  TZYNFunction* user = list.Add("b", std::make_unique<TZYNFunction>());
  TVariable* v = &test::AddVar(*user, "SUB", vtFunction);
  TVarEntry entry("a", {});
  auto sub = std::make_unique<TZYNSubFunction>();
  sub->SetFunction(target);
  entry.SetSubFunction(std::move(sub));
  v->Objects().push_back(std::move(entry));
  list.Delete(0);
  EXPECT_EQ(v->Objects()[0].SubFunction()->FunctionPtr(), nullptr);
}

TEST(ToolModelTest, RebindAfterImport) {
  test::FakeProject p;
  auto target = std::make_unique<TZYNFunction>();
  target->InternalName = "proj_tool";
  target->SetName("Ziel");
  p.Tools.Add("proj_tool", std::move(target));

  TUniqueNames names([] { return TNameTime{2026, 12, 10, 13, 0, 0}; }, [] { return 1; });
  TZYNFunktionsListe list;
  TZYNFunction* tool = list.Add("x", std::make_unique<TZYNFunction>());
  tool->InternalName = "alt";
  TVariable* in = &test::AddVar(*tool, "IN", vtEingang);
  in->Add("STM.00.E.03.01:Ein");
  in->Add("STM.00.E.03.09");  // no such channel: kept
  TVariable* flag = &test::AddVar(*tool, "F", vtMerker);
  flag->Add("STM.00.MRK.00.012");
  TVariable* obj = &test::AddVar(*tool, "O", vtObject);
  obj->Add("1%STM.00.E.03.02:Aus");
  obj->Add("5%STM.00.E.03.01");
  TVariable* subs = &test::AddVar(*tool, "S", vtFunction);
  TVarEntry entry("Ziel", {});
  entry.SetSubFunction(std::make_unique<TZYNSubFunction>());
  subs->Objects().push_back(std::move(entry));

  list.RebindAfterImport(names, p);
  EXPECT_NE(tool->InternalName, "alt");
  EXPECT_EQ(tool->InternalName.rfind("10122026_130000_", 0), 0u);
  EXPECT_EQ(in->Objects()[0].Text, "in_2:Ein");
  EXPECT_EQ(in->Objects()[0].Object, TToolObject(p.In(1)));
  EXPECT_EQ(in->Objects()[1].Text, "STM.00.E.03.09");
  EXPECT_EQ(flag->Objects()[0].Text, "flag_1");
  EXPECT_EQ(obj->Objects()[0].Text, "1%out_3:Aus");
  EXPECT_EQ(obj->Objects()[1].Text, "5%rm_2");
  EXPECT_EQ(subs->Objects()[0].SubFunction()->FunctionKey, "proj_tool");
}

TEST(ToolModelTest, LevelTakesAndReturnsItsName) {
  TUniqueNames names([] { return TNameTime{2026, 12, 10, 13, 0, 0}; }, [] { return 1; });
  {
    TZYNEbene level(&names);
    level.Name = "Keller";
    EXPECT_FALSE(level.InternalName.empty());
    EXPECT_GE(names.IndexOf(level.InternalName), 0);
  }
  EXPECT_EQ(names.Count(), 0);
}

}  // namespace
}  // namespace zyn
