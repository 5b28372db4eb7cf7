// Whole tools: block walk, failures, the trial expansion, the generation run and the presence
// simulation.

#include "compiler/interpreter/ToolGeneration.h"
#include "model/base/Errors.h"
#include "tests/compiler/interpreter/InterpreterFixture.h"

namespace zyn {
namespace {

using test::Describe;
using test::DescribeAll;

class Expansion : public test::InterpreterTest {
 protected:
  // A push-button block for input i of the input module to output o of the switching module.
  static std::vector<std::string> Block(const std::string& in, const std::string& outVar) {
    return {"BLOCK", "IF %" + in + "% : EIN", "THEN %" + outVar + "% : UM", "END."};
  }
  TZYNFunction& ThreeBlocks(const std::string& middle) {
    std::vector<std::string> script = Block("T0", "L");
    script.push_back("BLOCK 2");
    script.push_back(middle);
    script.push_back("END.");
    for (const std::string& l : Block("T2", "L")) script.push_back(l);
    TZYNFunction& tool = Tool(script, "Drei");
    Bind(Var(tool, "T0", vtEingang), In(inp, 0));
    Bind(Var(tool, "T2", vtEingang), In(inp, 2));
    Bind(Var(tool, "L", vtAusgang), Out(out, 0));
    return tool;
  }
};

TEST_F(Expansion, FailingBlockKeepsEarlierLinksAndIsReportedOnce) {
  const std::vector<std::string> failing = {
      "RESET %FEHLT%",               // RESET needs its variable
      "CPARA1 1,2,3,%FEHLT%",        // a parameter names no variable
      "IFM %KEIN\\INPUT\\0% : EIN",  // the module variable does not exist
      "CPARA1 1,zwei,3",             // a number that does not parse
  };
  for (const std::string& line : failing) {
    SCOPED_TRACE(line);
    report = {};
    ClearAllLinks();
    TZYNFunction& tool = ThreeBlocks(line);
    if (line.rfind("CPARA1", 0) == 0) {
      // The parameter is used once the block has a link to make.
      tool.Script[5] = "IF %T0% : EIN";
      tool.Script.insert(tool.Script.begin() + 6, "THEN %L% : UM");
      tool.Script.insert(tool.Script.begin() + 7, "PARAM1 %L%");
      tool.Script.insert(tool.Script.begin() + 8, line);
    }
    EXPECT_FALSE(Expand(tool));
    ASSERT_EQ(report.Failures.size(), 1u);
    EXPECT_EQ(report.Failures[0], Ansi("Drei: Sie haben ein nicht vollständiges Tool in Ihrem Projekt.\r"
                                       "Dieses kann zu unvorhersehbaren Problemen im System führen!\r"
                                       "Bitte überprüfen Sie die verwendeten Tools noch einmal!"));
    EXPECT_FALSE(report.Causes[0].empty());
    // Block 1 made its link; block 3 was skipped.
    EXPECT_EQ(In(inp, 0)->Verbindungen().Count(), 1);
    EXPECT_EQ(In(inp, 2)->Verbindungen().Count(), 0);
  }
}

TEST_F(Expansion, BlockWalkAndProgress) {
  TZYNFunction& none = Tool({"IF %T% : EIN", "THEN %L% : UM"});
  Bind(Var(none, "T", vtEingang), In(inp, 0));
  Bind(Var(none, "L", vtAusgang), Out(out, 0));
  EXPECT_TRUE(Expand(none));
  EXPECT_EQ(report.Progress, std::vector<int>{0});
  EXPECT_TRUE(AllLinks().empty());

  report = {};
  TZYNFunction& tool = ThreeBlocks("IF %T0% : AUS");
  EXPECT_TRUE(Expand(tool));
  EXPECT_EQ(report.Progress, (std::vector<int>{0, 25, 50, 75}));
  EXPECT_EQ(AllLinks().size(), 2u);

  // A block without "END." is an error before anything of it is built.
  report = {};
  ClearAllLinks();
  TZYNFunction& open = Tool({"BLOCK", "IF %T% : EIN", "THEN %L% : UM"}, "Offen");
  Bind(Var(open, "T", vtEingang), In(inp, 1));
  Bind(Var(open, "L", vtAusgang), Out(out, 1));
  EXPECT_FALSE(Expand(open));
  EXPECT_EQ(report.Failures.size(), 1u);
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(Expansion, TooManyConditionsAreAnErrorNotAnOverflow) {
  std::vector<std::string> script = {"BLOCK", "IF %T% : EIN", "THEN %L% : EIN"};
  TZYNFunction& tool = Tool({}, "Viele");
  Bind(Var(tool, "T", vtEingang), In(inp, 0));
  Bind(Var(tool, "L", vtAusgang), Out(out, 0));
  for (int f = 0; f < 52; ++f) {
    const std::string name = "M" + std::to_string(f);
    Bind(Var(tool, name, vtMerker), Flag(f));
    script.push_back("AND %" + name + "% : Ein");
  }
  script.push_back("END.");
  tool.Script = script;
  EXPECT_FALSE(Expand(tool));
  ASSERT_EQ(report.Causes.size(), 1u);
  EXPECT_NE(report.Causes[0].find("51"), std::string::npos);
  EXPECT_TRUE(AllLinks().empty());

  // 51 conditions fit.
  report = {};
  tool.Script.erase(tool.Script.end() - 2);
  EXPECT_TRUE(Expand(tool));
  ASSERT_EQ(In(inp, 0)->Verbindungen().Count(), 1);
  EXPECT_EQ(In(inp, 0)->Verbindungen().GetVerbindung(0)->GetLogicCount(), 51);
}

TEST_F(Expansion, LogicOfTheToolIsNeverChangedByAnd) {
  TZYNFunction& tool = Tool({"BLOCK", "IF %T% : EIN", "LOGIC %B%", "AND %M% : Ein", "THEN %L% : EIN", "END."}, "Mix");
  Bind(Var(tool, "T", vtEingang), In(inp, 0));
  Bind(Var(tool, "M", vtMerker), Flag(1));
  Bind(Var(tool, "L", vtAusgang), Out(out, 0));
  TVariable& b = Var(tool, "B", vtObject);
  b.AddObject("Ein", TToolObject(Flag(2)));
  EXPECT_FALSE(Expand(tool));
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(b.VarType(), vtObject);
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(Expansion, TrialExpansionLeavesTheProjectUntouched) {
  TZYNFunction& tool = Tool(
      {"BLOCK", "RESET %VERSATZ%", "IF %T% : EIN", "AND %X% : Ein", "THEN %R% : Fahrzeit", "PARAM1 %P%",
       "CPARA1 7,3,1,%VERSATZ%", "END.", "BLOCK", "IF %T% : EIN", "THEN %FEHLT% : UM", "CPARA1 1,1,1,%FEHLT%", "END."},
      "Probe");
  Bind(Var(tool, "T", vtEingang), In(inp, 0));
  Bind(Var(tool, "X", vtEingang), In(inp1, 0));  // another control module: a conflict
  Bind(Var(tool, "R", vtAusgang), Out(jrm, 0));
  Bind(Var(tool, "FEHLT", vtAusgang), Out(out, 0));
  Var(tool, "P", vtRollade).RolladenValue = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Var(tool, "VERSATZ", vtWord).Value = 40;
  TZYNFunction& sim = Tool({}, "Simulation");
  sim.Info.FunctionGroup = "Simulationen";
  Bind(Var(sim, "EINGANG", vtEingang), In(inp, 3));

  const std::vector<uint8_t> before = p.StreamBytes();
  EXPECT_TRUE(CheckToolLogic(tool, p, basis));
  EXPECT_TRUE(tool.HasLgConflict);
  EXPECT_FALSE(CheckToolLogic(sim, p, basis));
  EXPECT_EQ(p.StreamBytes(), before);
  EXPECT_TRUE(AllLinks().empty());

  // The real run files the link in spite of the conflict, and the simulation its flag links.
  EXPECT_FALSE(Expand(tool));
  EXPECT_TRUE(Expand(sim));
  EXPECT_EQ(In(inp, 0)->Verbindungen().Count(), 1);
  EXPECT_EQ(In(inp, 3)->Verbindungen().Count(), 3);
}

TEST_F(Expansion, GenerateToolsWalksEveryControlModuleAndTheProjectWideTools) {
  TZYNFunction& a = Tool(Block("T", "L"), "Licht Flur");
  Bind(Var(a, "T", vtEingang), In(inp, 0));
  Bind(Var(a, "L", vtAusgang), Out(out, 0));
  TZYNFunction& broken = Tool({"BLOCK", "RESET %X%", "END."}, "Kaputt");
  (void)broken;
  auto b = std::make_unique<TZYNFunction>();
  b->Info.FunctionName = "Licht Keller";
  b->Script = Block("T", "L");
  Bind(Var(*b, "T", vtEingang), In(inp1, 0));
  Bind(Var(*b, "L", vtAusgang), Out(out, 1));
  p.Steuermodule.GetSteuermodul(1)->Tools.Add("k", std::move(b));
  auto c = std::make_unique<TZYNFunction>();
  c->Info.FunctionName = "Zentral";
  c->Script = Block("T", "L");
  Bind(Var(*c, "T", vtEingang), In(inp, 5));
  Bind(Var(*c, "L", vtAusgang), Out(out, 2));
  p.Tools.Add("z", std::move(c));

  std::vector<std::string> log;
  EXPECT_EQ(GenerateTools(p, basis, &report, &log), 1);
  EXPECT_EQ(report.Maximum, 4);
  EXPECT_EQ(report.Steps, 4);
  EXPECT_EQ(report.Messages, (std::vector<std::string>{"Steuermodul 0", "Erzeuge Tool: STM.0 - Licht Flur",
                                                       "Erzeuge Tool: STM.0 - Kaputt", "", "Steuermodul 1",
                                                       "Erzeuge Tool: STM.1 - Licht Keller", "", Ansi("Übergreifend"),
                                                       "Erzeuge Tool: Zentral"}));
  EXPECT_EQ(report.Captions,
            (std::vector<std::string>{"STM.0 - Licht Flur", "STM.0 - Kaputt", "STM.1 - Licht Keller"}));
  ASSERT_EQ(report.Failures.size(), 1u);
  EXPECT_EQ(report.Failures[0].rfind("Kaputt: ", 0), 0u);
  const std::vector<std::string> links = AllLinks();
  EXPECT_EQ(links.size(), 3u);
  // The cross-module link from control module 1 carries that module's number.
  EXPECT_EQ(DescribeAll(In(inp1, 0)->Verbindungen()),
            std::vector<std::string>{"K0 G | 0/1/INP/1/0/3 #1 EIN | 2/0/OUT/2/1/5 #3 UM"});
  // A second run adds nothing.
  GenerateTools(p, basis);
  EXPECT_EQ(AllLinks(), links);

  // A project without tools: the maximum is 0 and the list holds only the control modules.
  TZYNProjekt empty;
  empty.Steuermodule.Add(std::make_unique<TSteuermodul>());
  test::TRecordingReport r;
  EXPECT_EQ(GenerateTools(empty, basis, &r), 0);
  EXPECT_EQ(r.Maximum, 0);
  EXPECT_EQ(r.Messages, std::vector<std::string>{"Steuermodul 0"});
}

TEST_F(Expansion, SubToolsGiveSourcesTargetsAndConditions) {
  // Two sub-tools, each with a push button list, an output and a flag.
  std::vector<TZYNFunction*> subs;
  for (int n = 0; n < 2; ++n) {
    auto sub = std::make_unique<TZYNFunction>();
    sub->Info.FunctionName = "Unter " + std::to_string(n);
    TVariable& taster = Var(*sub, "TASTER", vtEingang);
    Bind(taster, In(inp, 2 * n));
    Bind(taster, In(inp, 2 * n + 1));
    Bind(Var(*sub, "LICHT", vtAusgang), Out(out, n));
    Bind(Var(*sub, "SPERRE", vtMerker), Flag(20 + n));
    subs.push_back(p.Tools.Add("u" + std::to_string(n), std::move(sub)));
  }
  auto addRefs = [&](TVariable& v) {
    for (TZYNFunction* t : subs) {
      auto ref = std::make_unique<TZYNSubFunction>();
      ref->SetFunction(t);
      TVarEntry e(t->Info.FunctionName, {});
      e.SetSubFunction(std::move(ref));
      v.Objects().push_back(std::move(e));
    }
  };
  // IF with "#": the n-th sub-tool gives its n-th push button.
  TZYNFunction& source = Tool({"BLOCK", "IF %S%#TASTER# : EIN", "THEN %L% : UM", "END."}, "Quellen");
  addRefs(Var(source, "S", vtFunction));
  Bind(Var(source, "L", vtAusgang), Out(mfm, 3));
  ASSERT_TRUE(Expand(source));
  EXPECT_EQ(AllLinks(), (std::vector<std::string>{"K0 G | 0/0/INP/1/0/3 #1 EIN | 1/0/MFM/3/3/5 #3 UM",
                                                  "K0 G | 0/0/INP/1/3/3 #1 EIN | 1/0/MFM/3/3/5 #3 UM"}));
  // THEN with "#": every sub-tool's output is a target; AND with "#": the flag of the first
  // sub-tool (AND takes the first object of its variable) is the condition.
  ClearAllLinks();
  TZYNFunction& target =
      Tool({"BLOCK", "IF %T% : EIN", "AND %S%#SPERRE# : Aus", "THEN %S%#LICHT# : EIN", "END."}, "Ziele");
  Bind(Var(target, "T", vtEingang), In(inp, 7));
  addRefs(Var(target, "S", vtFunction));
  ASSERT_TRUE(Expand(target));
  EXPECT_EQ(DescribeAll(In(inp, 7)->Verbindungen()),
            (std::vector<std::string>{"K1 G | 0/0/INP/1/7/3 #1 EIN | 2/0/OUT/2/0/5 #1 EIN [25/0/0/20 0 MRK]",
                                      "K1 G | 0/0/INP/1/7/3 #1 EIN | 2/0/OUT/2/1/5 #1 EIN [25/0/0/20 0 MRK]"}));
  // A CIF line after the IF line leaves the block without source: no link.
  ClearAllLinks();
  TZYNFunction& cif = Tool({"BLOCK", "IF %T% : EIN", "CIF : INP EIN", "THEN %L% : UM", "END."}, "Cif");
  Bind(Var(cif, "T", vtEingang), In(inp, 6));
  Bind(Var(cif, "L", vtAusgang), Out(out, 6));
  ASSERT_TRUE(Expand(cif));
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(Expansion, PresenceSimulation) {
  TZYNFunction& sim = Tool({}, "Urlaub");
  sim.Info.FunctionGroup = "SIMULATIONEN";
  Bind(Var(sim, "UHR", vtUhr), Clock(0));
  Bind(Var(sim, "EINGANG", vtEingang), In(inp, 4));
  Bind(Var(sim, "AUSGANG", vtAusgang), Out(out, 5), "#15-30");
  Bind(Var(sim, "AUSGANGA", vtAusgang), Out(mfm, 1), "#2-3");
  TExpandContext c(p, basis);
  c.RandomMin = 300;
  c.RandomMax = 0x0708;  // 1800 s
  c.Report = &report;
  ASSERT_TRUE(ExpandTool(sim, c)) << report.Causes.back();

  const std::vector<std::string> clock = DescribeAll(Clock(0)->Verbindungen());
  // The clock's list keeps the links of one event together.
  const std::vector<std::string> expectedClock = {
      "K0 G | 26/0/UHR/0/3/0 #1 Eingeschaltet | 26/0//0/0/0 #134 Zufallszeit erzeugen",
      "K1 G | 154/0/UHR/0/3/0 #1 Eingeschaltet | 2/0/OUT/2/5/5 #8 Einschaltverzögerung P900 [1/0/1/4 1 INP]",
      "K0 G | 26/0/UHR/0/3/0 #0 Ausgeschaltet | 26/0//0/0/0 #134 Zufallszeit erzeugen",
      "K1 G | 154/0/UHR/0/3/0 #0 Ausgeschaltet | 1/0/MFM/3/1/5 #8 Einschaltverzögerung P120 [1/0/1/4 1 INP]"};
  std::vector<std::string> expectedAnsi;
  for (const std::string& e : expectedClock) expectedAnsi.push_back(Ansi(e));
  EXPECT_EQ(clock, expectedAnsi);
  // Random times: count 4, then high and low byte of the two limits.
  const auto& h = Clock(0)->Verbindungen().GetVerbindung(0)->Header();
  EXPECT_EQ(std::vector<int>(h.begin() + 312, h.begin() + 322), (std::vector<int>{4, 0, 1, 0, 44, 0, 7, 0, 8, 0}));
  // The input flag links and the time breaks are filed with the input.
  EXPECT_EQ(In(inp, 4)->Verbindungen().Count(), 5);
  EXPECT_EQ(DescribeAll(Rme(out, 5)->Verbindungen()),
            std::vector<std::string>{Ansi("K1 G | 2/0/OUT/2/5/3 #2 EIN | 2/0/OUT/2/5/5 #9 Ausschaltverzögerung P1800 "
                                          "[1/0/1/4 1 INP] [26/0/0/3 1 UHR]")});
  EXPECT_EQ(DescribeAll(Rme(mfm, 1)->Verbindungen()),
            std::vector<std::string>{Ansi("K1 G | 1/0/MFM/3/1/3 #2 EIN | 1/0/MFM/3/1/5 #9 Ausschaltverzögerung P180 "
                                          "[1/0/1/4 1 INP] [26/0/0/3 0 UHR]")});
  const size_t total = AllLinks().size();
  EXPECT_EQ(total, 2u + 2u + 5u + 2u);
  ASSERT_TRUE(ExpandTool(sim, c));
  EXPECT_EQ(AllLinks().size(), total);

  // Without a clock only the input flag links are made.
  ClearAllLinks();
  sim.FindVariable("UHR")->Objects().clear();
  ASSERT_TRUE(ExpandTool(sim, c));
  EXPECT_EQ(AllLinks().size(), 3u);
}

}  // namespace
}  // namespace zyn
