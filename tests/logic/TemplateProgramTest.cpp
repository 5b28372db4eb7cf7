// The template programming rules: every default tool placed and bound as the page does it makes
// the same links as the interpreter's own expectations and compiles; deleting tools takes their
// links, references and reservations with them; empty slots stop the generation; levels; and the
// parameter bytes of the tool parameter dialogs.

#include "logic/core/TemplateProgram.h"

#include "compiler/CompileDriver.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/ParamDlg.h"
#include "model/Gruppe.h"
#include "tests/compiler/ImageWalker.h"
#include "tests/compiler/interpreter/DefaultToolsFixture.h"
#include "tests/logic/ToolSlots.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

class TemplateProgram : public test::DefaultTools {
 protected:
  // The slot whose target variable has that name.
  TFuncNode& Slot(TZYNFunction& tool, const char* varName) {
    for (int n = 0; n < tool.Nodes.Count(); ++n) {
      TFuncNode* slot = tool.Nodes.Get(n);
      if (slot->NodeVar && slot->NodeVar->VarName == varName) return *slot;
    }
    ADD_FAILURE() << "no slot for " << varName << " in " << tool.GetFunctionName();
    static TFuncNode none;
    return none;
  }
  // Binds as a drop on the page does: the slot must accept the object first.
  template <class T>
  void Drop(TZYNFunction& tool, const char* varName, T* object, const std::string& suffix = "") {
    TFuncNode& slot = Slot(tool, varName);
    ASSERT_TRUE(SlotAccepts(slot, TToolObject(object), p)) << tool.GetFunctionName() << " / " << varName;
    BindObject(slot, TToolObject(object), suffix);
  }
  TZYNFunction& PlaceOnPage(const TZYNFunktionsListe& library, const char* name, TZYNFunktionsListe* list = nullptr) {
    const TZYNFunction* templ = library.FindByName(Ansi(name));
    EXPECT_NE(templ, nullptr) << name;
    return PlaceTool(*templ, list ? *list : stm0->Tools, names);
  }
  std::vector<TZYNFunction*> PlaceEveryDefaultToolOnPage() {
    TZYNFunction& taster = PlaceOnPage(system, "Taster schaltet Licht");
    Drop(taster, "TASTER", In(inp, 0));
    Drop(taster, "LICHT", Out(out, 0));
    Drop(taster, "LICHT", Out(out, 1));
    TZYNFunction& treppe = PlaceOnPage(system, "Treppenhauslicht");
    Drop(treppe, "TASTER", In(inp, 1));
    Drop(treppe, "LICHT", Out(out, 2));
    TZYNFunction& zentral = PlaceOnPage(system, "Zentral Aus");
    Drop(zentral, "TASTER", In(inp, 2));
    for (int o = 0; o < 3; ++o) Drop(zentral, "VERBRAUCHER", Out(out, o));
    TZYNFunction& nacht = PlaceOnPage(system, "Nachtlicht");
    Drop(nacht, "TASTER", In(inp, 3));
    Drop(nacht, "NACHT", Flag(0));
    Drop(nacht, "NACHTLICHT", Out(out, 3));
    Drop(nacht, "HAUPTLICHT", Out(mfm, 0));
    TZYNFunction& merker = PlaceOnPage(system, "Merker setzen und löschen");
    Drop(merker, "SETZEN", In(inp, 4));
    Drop(merker, "LOESCHEN", In(inp, 5));
    Drop(merker, "MERKER", Flag(1));
    TZYNFunction& frei = PlaceOnPage(system, "Freie Zuordnung");
    Drop(frei, "QUELLEN", In(inp, 6), ":AUS > 1 SEK");
    Drop(frei, "ZIELE", Out(out, 4), ":AUS");
    Drop(frei, "ZIELE", Out(out, 5), ":Treppenlicht#60");
    TZYNFunction& sim = PlaceOnPage(system, "Anwesenheitssimulation");
    Drop(sim, "UHR", Clock(0));
    Drop(sim, "EINGANG", In(inp, 7));
    Drop(sim, "AUSGANG", Out(out, 6), "#10-20");
    Drop(sim, "AUSGANGA", Out(out, 7), "#5-5");
    TZYNFunction& dimmer = PlaceOnPage(user, "Dimmer Taster");
    Drop(dimmer, "TASTER", In(mfm, 0));
    Drop(dimmer, "LICHT", Out(dim, 0));
    return {&taster, &treppe, &zentral, &nacht, &merker, &frei, &sim, &dimmer};
  }
};

TEST_F(TemplateProgram, DefaultToolsPlacedOnThePageGenerateTheDescribedLinksCompileAndLeaveWithTheirTools) {
  // The links the interpreter's own expectations were written against.
  PlaceEveryDefaultTool();
  ASSERT_EQ(GenerateTools(p, basis, &report), 0);
  const std::vector<std::string> described = AllLinks();
  ASSERT_EQ(described.size(), 24u);
  ClearAllLinks();
  stm0->Tools.Clear();

  const std::vector<TZYNFunction*> placed = PlaceEveryDefaultToolOnPage();
  for (TZYNFunction* t : placed) {
    EXPECT_EQ(MissingBindingMessage(*t), "") << t->GetFunctionName();
    EXPECT_NE(t->InternalName, "");
    EXPECT_EQ(stm0->Tools.FindByInternalName(t->InternalName), t);
  }
  // The trial expansion of one tool leaves the project's link lists alone.
  TVerbindungsListe scratch;
  std::vector<std::string> log;
  std::string error;
  ASSERT_TRUE(PreviewToolLinks(*placed[0], p, basis, &report, scratch, log, error)) << error;
  EXPECT_EQ(scratch.Count(), 2);
  EXPECT_TRUE(AllLinks().empty());

  // Generated and compiled as "Projekt erstellen" does.
  const std::filesystem::path prg = std::filesystem::path(ZYN_BINARY_DIR) / "TemplateProgram.prg";
  TCompileDriver driver(p);
  TToolGeneratorFunction tools([this, &described](TZYNProjekt& projekt, std::vector<std::string>& conflicts) {
    EXPECT_EQ(GenerateTools(projekt, basis, &report, &conflicts), 0);
    EXPECT_EQ(AllLinks(), described);
  });
  TBuildSteps steps;
  steps.Tools = &tools;
  steps.ProgramFile = prg.string();
  ASSERT_TRUE(driver.BuildProject(steps));
  std::filesystem::remove(prg);
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  test::TImageWalker walker(table);
  EXPECT_EQ(walker.Check(0), std::vector<std::string>{});

  // Every tool deleted: nothing is generated any more.
  ClearAllLinks();
  for (TZYNFunction* t : placed) ASSERT_TRUE(DeleteTool(p, t));
  EXPECT_EQ(stm0->Tools.Count(), 0);
  EXPECT_EQ(GenerateTools(p, basis, &report), 0);
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(TemplateProgram, ToolWithAnEmptySlotShowsNoPreviewAndGeneratesNothing) {
  TZYNFunction& taster = PlaceOnPage(system, "Taster schaltet Licht");
  Drop(taster, "TASTER", In(inp, 0));
  const std::string emptySlot = Slot(taster, "LICHT").NodeText;
  const std::string message = MissingBindingMessage(taster);
  EXPECT_NE(message.find(Ansi("\"Taster schaltet Licht\"")), std::string::npos) << message;
  EXPECT_NE(message.find("\"" + emptySlot + "\""), std::string::npos) << message;
  ASSERT_EQ(EmptySlots(taster).size(), 1u);

  TVerbindungsListe scratch;
  std::vector<std::string> log;
  std::string error;
  EXPECT_FALSE(PreviewToolLinks(taster, p, basis, &report, scratch, log, error));
  EXPECT_EQ(error, message);
  EXPECT_EQ(scratch.Count(), 0);

  // A build's generation expands the tool: the empty slot contributes no links, and every link
  // of this tool needs one of its lights, so nothing is generated and nothing fails.
  EXPECT_EQ(GenerateTools(p, basis, &report), 0);
  EXPECT_TRUE(report.Causes.empty());
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(TemplateProgram, SlotsAcceptByKindCountAndCommandChoice) {
  TZYNFunction& frei = PlaceOnPage(system, "Freie Zuordnung");
  TZYNFunction& treppe = PlaceOnPage(system, "Treppenhauslicht");
  TFuncNode& ziele = Slot(frei, "ZIELE");
  TFuncNode& licht = Slot(treppe, "LICHT");
  ASSERT_EQ(ziele.NodeEdit, edGetFunctionCode);

  // A slot choosing a command per binding takes the same output again; another slot does not.
  BindObject(ziele, Out(out, 0), ":AUS");
  EXPECT_TRUE(SlotAccepts(ziele, Out(out, 0), p));
  BindObject(licht, Out(out, 0), "");
  EXPECT_FALSE(SlotAccepts(licht, Out(out, 0), p));
  EXPECT_TRUE(SlotAccepts(licht, Out(out, 1), p));
  // A single-object slot with an object refuses a second one.
  licht.NodeFlags |= flSingle;
  EXPECT_FALSE(SlotAccepts(licht, Out(out, 1), p));
  // Inputs on output slots, groups anywhere, nothing: refused.
  TGruppe gruppe;
  EXPECT_FALSE(SlotAccepts(licht, In(inp, 0), p));
  EXPECT_FALSE(SlotAccepts(ziele, &gruppe, p));
  EXPECT_FALSE(SlotAccepts(ziele, TToolObject{}, p));

  // The entry carries the selection; a new choice rewrites only the selection.
  EXPECT_EQ(ziele.NodeVar->Objects()[0].Text, Out(out, 0)->InternalName() + ":AUS");
  EXPECT_EQ(BindingSuffix(ziele, Out(out, 0)), ":AUS");
  ASSERT_TRUE(RebindObject(ziele, Out(out, 0), ":Treppenlicht#60"));
  EXPECT_EQ(ziele.NodeVar->Objects()[0].Text, Out(out, 0)->InternalName() + ":Treppenlicht#60");
  EXPECT_FALSE(RebindObject(ziele, Out(out, 3), ":AUS"));
  // A module gets no selection.
  EXPECT_EQ(BindingEntryText(inp, ":Ein"), inp->InternalName());
}

TEST_F(TemplateProgram, ReservedOutputsAndFlagsAreFreedByUnbindingAndByDeletingTheTool) {
  TZYNFunction& a = PlaceOnPage(system, "Treppenhauslicht");
  TZYNFunction& b = PlaceOnPage(system, "Nachtlicht");
  TFuncNode& licht = Slot(a, "LICHT");
  TFuncNode& nacht = Slot(b, "NACHT");
  licht.NodeFlags |= flReserve;
  nacht.NodeFlags |= flReserve;
  BindObject(licht, Out(out, 0), "");
  BindObject(licht, Out(out, 1), "");
  BindObject(nacht, Flag(5), "");
  EXPECT_TRUE(Out(out, 0)->Reserviert());
  EXPECT_TRUE(Flag(5)->Reserviert());

  ASSERT_TRUE(UnbindObject(p, licht, Out(out, 1)));
  EXPECT_FALSE(Out(out, 1)->Reserviert());
  EXPECT_FALSE(UnbindObject(p, licht, Out(out, 1)));
  EXPECT_TRUE(Out(out, 0)->Reserviert());

  TToolRemoval removal;
  ASSERT_TRUE(DeleteTool(p, &a, &removal));
  EXPECT_FALSE(Out(out, 0)->Reserviert());
  EXPECT_EQ(removal.Released, std::vector<TToolObject>{TToolObject(Out(out, 0))});
  ASSERT_TRUE(DeleteTool(p, &b));
  EXPECT_FALSE(Flag(5)->Reserviert());
  TZYNFunction loose;  // in no list of the project
  EXPECT_FALSE(DeleteTool(p, &loose));
}

TEST_F(TemplateProgram, DeletingAToolRemovesEveryReferenceOfOtherToolsInEveryList) {
  TZYNFunction& used = PlaceOnPage(system, "Treppenhauslicht");
  used.Info.CanBeSubFunc = 1;
  used.Info.FunctionClass = "LICHT";
  // A project-wide tool with a tool slot, and one with an object-list slot.
  TZYNFunction& user1 = PlaceOnPage(system, "Zentral Aus", &p.Tools);
  TZYNFunction& user2 = PlaceOnPage(system, "Zentral Aus", &p.Tools);
  TFuncNode& s1 = test::AddToolSlot(user1, vtFunction);
  TFuncNode& s2 = test::AddToolSlot(user2, vtObject);
  BindSubFunction(s1, used, names);
  BindSubFunction(s2, used, names);
  ASSERT_EQ(s1.NodeVar->Count(), 1);
  EXPECT_EQ(s1.NodeVar->Objects()[0].Text, used.InternalName);
  EXPECT_EQ(s2.NodeVar->Objects()[0].Text, "-1%" + used.InternalName);

  TToolRemoval removal;
  ASSERT_TRUE(DeleteTool(p, &used, &removal));
  EXPECT_EQ(s1.NodeVar->Count(), 0);
  EXPECT_EQ(s2.NodeVar->Count(), 0);
  EXPECT_EQ(removal.UsersChanged, (std::vector<std::string>{user1.GetFunctionName(), user2.GetFunctionName()}));
  EXPECT_EQ(stm0->Tools.Count(), 0);
  EXPECT_EQ(p.Tools.Count(), 2);
}

TEST_F(TemplateProgram, LevelsGetUniqueInternalNamesAndToolsFollowARename) {
  std::unique_ptr<TZYNEbene> a = NewLevel("  Flur ", names);
  std::unique_ptr<TZYNEbene> b = NewLevel("Flur", names);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->Name, "Flur");
  EXPECT_NE(a->InternalName, b->InternalName);
  EXPECT_EQ(NewLevel("   ", names), nullptr);

  TZYNFunction& t1 = PlaceTool(*system.FindByName("Zentral Aus"), stm0->Tools, names, "Flur");
  TZYNFunction& t2 = PlaceTool(*system.FindByName("Zentral Aus"), stm0->Tools, names, "Keller");
  EXPECT_NE(t1.InternalName, t2.InternalName);
  RenameLevel(stm0->Tools, "Flur", "Diele");
  EXPECT_EQ(t1.Info.Ebene.Text(), "Diele");
  EXPECT_EQ(t2.Info.Ebene.Text(), "Keller");
  EXPECT_TRUE(IsPresenceSimulation(*system.FindByName("Anwesenheitssimulation")));
  EXPECT_FALSE(IsPresenceSimulation(t1));
}

// The parameter bytes of the dialog types, with the cases an installer meets.
TEST(ToolParameters, DialogTypesReadAndWriteTheirBytes) {
  TVariable v;
  v.Einheit.SetText("Sekunden");
  TParamDlg dlg;
  dlg.DlgVar = &v;
  std::string text;

  dlg.DlgType = 0x1000;  // dim value and time
  v.Value = 0x3C0A;
  TParameterForm form = PrepareToolParameter(dlg, v);
  EXPECT_EQ(form.Page, 1);
  EXPECT_EQ(form.Spin[2].Value, 60);
  EXPECT_EQ(form.Spin[3].Value, 10);
  form.Spin[2].Value = 128;
  form.Spin[3].Value = 5;
  EXPECT_TRUE(StoreToolParameter(dlg, v, form, text));
  EXPECT_EQ(v.Value, 0x8005);
  EXPECT_EQ(text, "5 Sekunden");

  dlg.DlgType = 0x2000;  // priority, lock and run time
  v.RolladenValue = {5, 15, 1, 0, 0};
  form = PrepareToolParameter(dlg, v);
  EXPECT_EQ(form.Page, 2);
  EXPECT_EQ(form.Radio[1], 3);
  EXPECT_TRUE(form.Check[1]);
  form.Spin[4].Value = 12;
  form.Radio[1] = 1;
  text.clear();
  EXPECT_FALSE(StoreToolParameter(dlg, v, form, text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(v.RolladenValue[0], 5);
  EXPECT_EQ(v.RolladenValue[1], 3);
  EXPECT_EQ(v.RolladenValue[3] | (v.RolladenValue[4] << 8), 120);

  dlg.DlgType = 0x2100;  // a byte that is no mask selects no level
  v.RolladenValue = {6, 5, 0};
  EXPECT_EQ(PrepareToolParameter(dlg, v).Radio[2], -1);

  dlg.DlgType = 0x2300;  // offset and run time times ten, tip time as it is
  v.RolladenValue = {};
  form = PrepareToolParameter(dlg, v);
  EXPECT_EQ(form.Page, 5);
  form.Radio[4] = 2;
  form.Check[3] = true;
  form.Spin[7].Value = 3;
  form.Spin[8].Value = 40;
  form.Spin[9].Value = 5;
  StoreToolParameter(dlg, v, form, text);
  EXPECT_EQ(v.RolladenValue, (std::array<uint8_t, 10>{7, 2, 1, 30, 0, 144, 1, 5, 0, 0}));
  EXPECT_EQ(PrepareToolParameter(dlg, v).Spin[8].Value, 40);

  dlg.DlgType = 0;  // a single value within the variable's limits
  v.MinValue = TReal48::FromValue(10);
  v.MaxValue = TReal48::FromValue(300);
  v.Value = 5;
  form = PrepareToolParameter(dlg, v);
  EXPECT_EQ(form.Page, 0);
  EXPECT_EQ(form.Spin[1].Value, 10);
  form.Spin[1].Value = 1000;
  EXPECT_TRUE(StoreToolParameter(dlg, v, form, text));
  EXPECT_EQ(v.Value, 300);
  EXPECT_EQ(text, "300 Sekunden");
}

}  // namespace
}  // namespace zyn
