// The tools of a project: placed in control modules and project-wide, saved in both file forms,
// attached to the project's objects after reading, dropped from when objects are deleted, and a
// defective tool part refused as a whole.

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/Gruppe.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "tests/project/ProjectFixture.h"
#include "tests/project/ProjectFixtureParts.h"
#include "tests/support/Files.h"
#include "tests/support/TestHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace zyn {
namespace {

namespace fs = std::filesystem;

TVariable* AddVar(TZYNFunction& tool, const std::string& name, int16_t type) {
  auto v = std::make_unique<TVariable>();
  v->VarName = name;
  v->SetVarType(type);
  return tool.Variables.Add(std::move(v));
}

void AddNode(TZYNFunction& tool, const std::string& text, int16_t type, TVariable* var) {
  auto node = std::make_unique<TFuncNode>();
  node->NodeText = text;
  node->NodeType = type;
  node->NodeVar = var;
  tool.Nodes.Add(std::move(node));
}

TEingang* FirstInput(TSteuermodul& stm) {
  for (int i = 0; i < stm.Module.Count(); ++i)
    if (stm.Module.GetModul(i)->Eingaenge().Count() > 0) return stm.Module.GetModul(i)->Eingaenge().GetItem(0);
  return nullptr;
}

TAusgang* FirstOutput(TSteuermodul& stm) {
  for (int i = 0; i < stm.Module.Count(); ++i)
    if (stm.Module.GetModul(i)->Ausgaenge().Count() > 0) return stm.Module.GetModul(i)->Ausgaenge().GetItem(0);
  return nullptr;
}

// A push-button tool bound to the first input and output of the control module, a flag and a
// group (object list), and a reference to the project-wide tool.
std::unique_ptr<TZYNFunction> MakeBoundTool(TSteuermodul& stm, TUniqueNames& names, const std::string& name,
                                            const std::string& subToolKey) {
  auto tool = std::make_unique<TZYNFunction>();
  tool->InternalName = names.NewName();
  tool->Info.FunctionName = name;
  tool->Info.FunctionGroup = "Beleuchtung";
  tool->Info.Ebene.SetText("Erdgeschoss");
  TVariable* taster = AddVar(*tool, "TASTER", vtEingang);
  taster->Add(FirstInput(stm)->InternalName() + ":Ein");
  TVariable* lampe = AddVar(*tool, "LAMPE", vtAusgang);
  lampe->Add(FirstOutput(stm)->InternalName() + ":Ein#12");
  TVariable* merker = AddVar(*tool, "MERKER", vtMerker);
  merker->Add(stm.Merker.GetMerker(0)->InternalName());
  TVariable* objekte = AddVar(*tool, "OBJEKTE", vtObject);
  objekte->AddObject(stm.Gruppen.GetGruppe(0)->InternalName(), TToolObject(stm.Gruppen.GetGruppe(0)));
  objekte->AddObject(stm.Merker.GetMerker(0)->InternalName(), TToolObject(stm.Merker.GetMerker(0)));
  TVariable* zeit = AddVar(*tool, "LAUFZEIT", vtTimeSek);
  zeit->Value = 120;
  TVariable* sub = AddVar(*tool, "UNTER", vtFunction);
  auto ref = std::make_unique<TZYNSubFunction>();
  ref->FunctionKey = subToolKey;
  ref->InternalName = names.NewName();
  ref->Name.SetText("Zentral");
  TVarEntry entry(subToolKey, {});
  entry.SetSubFunction(std::move(ref));
  sub->Objects().push_back(std::move(entry));
  AddNode(*tool, "Taster", ntEingang, taster);
  AddNode(*tool, "Lampe", ntAusgang, lampe);
  AddNode(*tool, "Merker", ntMerker, merker);
  AddNode(*tool, "Objekte", ntObject, objekte);
  AddNode(*tool, "Untertool", ntFunction, sub);
  tool->Script = {"BLOCK 1", "IF %TASTER% : Ein", "THEN %LAMPE% : Ein", "END."};
  return tool;
}

class ProjectToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(basis.Load(test::BuiltSystemData()));
    test::FillProject(p, basis, names, 2, 1);
    test::AddDisplayAndPage(p);
    p.BasisDaten = &basis;
    auto zentral = std::make_unique<TZYNFunction>();
    zentral->InternalName = names.NewName();
    zentral->Info.FunctionName = "Zentral";
    zentral->Script = {"BLOCK", "END."};
    zentralKey = zentral->InternalName;
    p.Tools.Add(zentralKey, std::move(zentral));
    for (int s = 0; s < p.Steuermodule.Count(); ++s) {
      TSteuermodul& stm = *p.Steuermodule.GetSteuermodul(s);
      auto tool = MakeBoundTool(stm, names, "Taster " + std::to_string(s), zentralKey);
      const std::string key = tool->InternalName;
      stm.Tools.Add(key, std::move(tool));
    }
  }
  std::string File(const std::string& name) const { return folder.File(name); }

  const test::TempFolder folder{"ptools"};
  const fs::path dir = folder.Dir();
  // Keeps the trash inside the test folder.
  const test::ScopedEnv trash{"XDG_DATA_HOME", (dir / "xdg").string()};
  TBasisDaten basis;
  TUniqueNames names;
  TZYNProjekt p;
  std::string zentralKey;
};

TEST_F(ProjectToolsTest, ToolsRoundTripByteIdenticalAndAreAttachedAfterLoading) {
  ASSERT_TRUE(p.SaveProjectFile(File("t.zpf"), false));
  p.SaveZippedProjectFile(File("t.zcf"));

  for (const bool zipped : {false, true}) {
    SCOPED_TRACE(zipped ? "zcf" : "zpf");
    TZYNProjekt q;
    q.BasisDaten = &basis;
    if (zipped)
      q.LoadZippedProjectFile(File("t.zcf"));
    else
      q.LoadProjectFile(File("t.zpf"));
    ASSERT_FALSE(q.Damaged());
    ASSERT_EQ(q.Tools.Count(), 1);
    ASSERT_EQ(q.Steuermodule.Count(), 2);
    EXPECT_EQ(q.StreamBytes(), p.StreamBytes());

    // Every control module's tool is found in the project and bound to that module's objects.
    for (int s = 0; s < 2; ++s) {
      TSteuermodul& stm = *q.Steuermodule.GetSteuermodul(s);
      ASSERT_EQ(stm.Tools.Count(), 1);
      TZYNFunction* tool = stm.Tools.GetFunction(0);
      EXPECT_EQ(q.FindToolByInternalName(tool->InternalName), tool);
      EXPECT_EQ(q.FindToolByName("Taster " + std::to_string(s)), tool);
      EXPECT_EQ(ObjectAs<TEingang>(tool->FindVariable("TASTER")->Objects()[0].Object), FirstInput(stm));
      EXPECT_EQ(ObjectAs<TAusgang>(tool->FindVariable("LAMPE")->Objects()[0].Object), FirstOutput(stm));
      EXPECT_EQ(ObjectAs<TMerker>(tool->FindVariable("MERKER")->Objects()[0].Object), stm.Merker.GetMerker(0));
      const TVariable* objekte = tool->FindVariable("OBJEKTE");
      EXPECT_EQ(ObjectAs<TGruppe>(objekte->Objects()[0].Object), stm.Gruppen.GetGruppe(0));
      EXPECT_EQ(ObjectAs<TMerker>(objekte->Objects()[1].Object), stm.Merker.GetMerker(0));
      // The sub-tool is the project-wide tool, found first among the project's tools.
      const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(tool->FindVariable("UNTER")->Objects()[0].Object);
      ASSERT_NE(sub, nullptr);
      EXPECT_EQ(sub->FunctionPtr(), q.Tools.GetFunction(0));
    }
    EXPECT_EQ(q.FindToolByName("Zentral"), q.Tools.GetFunction(0));
    EXPECT_EQ(q.FindToolByName("fehlt"), nullptr);
  }
}

TEST_F(ProjectToolsTest, DefectiveToolPartIsReportedAndTheProjectIsNeverSavedBack) {
  const std::vector<uint8_t> good = p.StreamBytes();
  // Turn the type of the first tool's first variable (an integer value 17) into a string value:
  // the tool can no longer be read.
  std::vector<uint8_t> bad = good;
  const std::string name = "TASTER";
  auto at = std::search(bad.begin(), bad.end(), name.begin(), name.end());
  ASSERT_NE(at, bad.end());
  const size_t type = static_cast<size_t>(at - bad.begin()) + name.size();
  ASSERT_EQ(bad[type], static_cast<uint8_t>(TValueType::vaInt8));
  ASSERT_EQ(bad[type + 1], 17);
  bad[type] = static_cast<uint8_t>(TValueType::vaString);
  bad[type + 1] = 0;
  WriteFileAtomic(File("bad.zpf"), bad.data(), bad.size());

  TZYNProjekt q;
  try {
    q.LoadProjectFile(File("bad.zpf"));
    FAIL() << "a defective tool must be reported";
  } catch (const EReadError& e) {
    const std::string text = e.what();
    EXPECT_NE(text.find("STM.00"), std::string::npos) << text;
    EXPECT_NE(text.find("Defektes Tool entdeckt: Taster 0"), std::string::npos) << text;
  }
  EXPECT_TRUE(q.Damaged());
  EXPECT_THROW(q.SaveProjectFile(File("bad.zpf"), false), EWriteError);
  EXPECT_EQ(ReadFileBytes(File("bad.zpf")), bad);

  // A tool list cut short inside the project-wide tools.
  const std::string zentral = "Zentral";
  auto z = std::search(good.begin(), good.end(), zentral.begin(), zentral.end());
  ASSERT_NE(z, good.end());
  std::vector<uint8_t> cut(good.begin(), z + 3);
  TMemoryStream s(cut);
  TReader reader(s);
  TZYNProjekt r;
  EXPECT_THROW(r.LoadFromReader(reader), EReadError);
  EXPECT_TRUE(r.Damaged());
}

TEST_F(ProjectToolsTest, DeletedObjectsLeaveTheToolsOfEveryControlModule) {
  TSteuermodul& stm = *p.Steuermodule.GetSteuermodul(0);
  TZYNFunction& tool = *stm.Tools.GetFunction(0);
  p.CheckAfterLoad();
  ASSERT_EQ(tool.FindVariable("OBJEKTE")->Count(), 2);

  // A project-wide tool that also holds the flag and the group of control module 0.
  TZYNFunction& zentral = *p.Tools.GetFunction(0);
  TVariable* liste = AddVar(zentral, "LISTE", vtObject);
  liste->AddObject(stm.Merker.GetMerker(0)->InternalName(), TToolObject(stm.Merker.GetMerker(0)));
  liste->AddObject(stm.Gruppen.GetGruppe(0)->InternalName(), TToolObject(stm.Gruppen.GetGruppe(0)));

  p.MerkerDeleted(0, *stm.Merker.GetMerker(0));
  EXPECT_EQ(tool.FindVariable("MERKER")->Count(), 0);
  EXPECT_EQ(tool.FindVariable("OBJEKTE")->Count(), 1);
  EXPECT_EQ(liste->Count(), 1);

  p.GruppeDeleted(0, *stm.Gruppen.GetGruppe(0));
  EXPECT_EQ(tool.FindVariable("OBJEKTE")->Count(), 0);
  EXPECT_EQ(liste->Count(), 0);

  TModul* modul = FirstInput(stm)->Modul;
  p.ModulDeleted(0, *modul);
  EXPECT_EQ(tool.FindVariable("TASTER")->Count(), 0);
  // The tool of the other control module keeps its own objects.
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(1)->Tools.GetFunction(0)->FindVariable("TASTER")->Count(), 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(ProjectToolsTest, CommandListOfAGroupIsTheListItsMembersShare) {
  TSteuermodul& stm = *p.Steuermodule.GetSteuermodul(0);
  TGruppe& gruppe = *stm.Gruppen.GetGruppe(0);
  TAusgang& out = *FirstOutput(stm);
  // Without members a group offers the general group commands.
  const std::vector<std::string> general = FillCommandList(basis, gruppe, false, p);
  auto member = std::make_unique<TGruppenObjekt>();
  member->Kanal = out.InternalName();
  gruppe.Members().Add(std::move(member));
  const std::vector<std::string> shared = FillCommandList(basis, gruppe, false, p);
  EXPECT_EQ(shared, FillCommandList(basis, out, false));
  EXPECT_FALSE(shared.empty());
  EXPECT_NE(shared, general);
  // The plain form still leaves groups out.
  EXPECT_TRUE(FillCommandList(basis, gruppe, false).empty());
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(ProjectToolsTest, DeletedToolLeavesNoSubToolReferenceBehind) {
  p.CheckAfterLoad();
  TZYNFunction* zentral = p.Tools.GetFunction(0);
  std::vector<TZYNSubFunction*> refs;
  for (int s = 0; s < p.Steuermodule.Count(); ++s) {
    TZYNFunction* tool = p.Steuermodule.GetSteuermodul(s)->Tools.GetFunction(0);
    refs.push_back(ObjectAs<TZYNSubFunction>(tool->FindVariable("UNTER")->Objects()[0].Object));
    ASSERT_NE(refs.back(), nullptr);
    ASSERT_EQ(refs.back()->FunctionPtr(), zentral);
  }
  EXPECT_TRUE(p.DeleteTool(zentral));
  EXPECT_EQ(p.Tools.Count(), 0);
  for (TZYNSubFunction* ref : refs) EXPECT_EQ(ref->FunctionPtr(), nullptr);
  EXPECT_FALSE(p.DeleteTool(zentral));
  EXPECT_TRUE(p.DeleteTool(p.Steuermodule.GetSteuermodul(1)->Tools.GetFunction(0)));
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(1)->Tools.Count(), 0);
}

}  // namespace
}  // namespace zyn
