// Scripts with their bound objects give links whose fields are exactly as expected.

#include "model/GlobalRoutines.h"
#include "tests/compiler/interpreter/InterpreterFixture.h"

#include <functional>

namespace zyn {
namespace {

using test::Describe;
using test::DescribeAll;

struct TCase {
  const char* name;
  std::vector<std::string> script;
  // Binds the tool's variables; returns nothing.
  std::function<void(test::InterpreterTest&, TZYNFunction&)> bind;
  // The link list to look at, and the links it must hold afterwards (in list order).
  std::function<TVerbindungsListe&(test::InterpreterTest&)> list;
  std::vector<std::string> expected;
  size_t total = 0;  // links in the whole project; 0: as many as expected
};

class LinkTable : public test::InterpreterTest {
 public:
  using InterpreterTest::Bind;
  using InterpreterTest::Clock;
  using InterpreterTest::Flag;
  using InterpreterTest::In;
  using InterpreterTest::Out;
  using InterpreterTest::Rme;
  using InterpreterTest::Var;
  TModul* Inp() { return inp; }
  TModul* Outm() { return out; }
  TModul* Mfm() { return mfm; }
  TModul* Jrm() { return jrm; }
  TModul* Inp1() { return inp1; }
};

const std::string kIn0 = "0/0/INP/1/0/3 #1 EIN";
const std::string kIn1 = "0/0/INP/1/1/3 #1 EIN";
const std::string kIn2 = "0/0/INP/1/2/3 #1 EIN";

TEST_F(LinkTable, ScriptsGiveExactLinkFields) {
  using T = test::InterpreterTest;
  const std::vector<TCase> cases = {
      {"push button toggles a light",
       {"BLOCK 1", "IF %T% : EIN", "THEN %L% : UM", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 0));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 3));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 0)->Verbindungen();
       },
       {"K0 G | " + kIn0 + " | 2/0/OUT/2/3/5 #3 UM"}},
      {"staircase light takes its time from PARAM1",
       {"BLOCK 1", "IF %T% : EIN", "THEN %L% : Treppenlicht", "PARAM1 %ZEIT%", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 0));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 1));
         TVariable& z = f.Var(tool, "ZEIT", vtTimeSek);
         z.Value = 90;
         z.Multiplier = TReal48::FromValue(2);
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 0)->Verbindungen();
       },
       {"K0 G | " + kIn0 + " | 2/0/OUT/2/1/5 #10 Treppenlicht P180"}},
      {"flag target SET FLAG sets the flag; FLAG marks single entries",
       {"BLOCK 1", "IF %T% : EIN", "THEN %M% : SET FLAG", "FLAG ", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 2));
         f.Bind(f.Var(tool, "M", vtMerker), f.Flag(7));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 2)->Verbindungen();
       },
       {"K0 G S | " + kIn2 + " | 25/0/MRK/0/7/0 #1 Merker setzen"}},
      {"condition on a flag and an else target",
       {"BLOCK 1", "IF %T% : EIN", "AND %N% : Ein", "THEN %L% : EIN", "ELSE %H% : AUS", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 0));
         f.Bind(f.Var(tool, "N", vtMerker), f.Flag(5));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 0));
         f.Bind(f.Var(tool, "H", vtAusgang), f.Out(f.Mfm(), 2));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 0)->Verbindungen();
       },
       {"K2 G | " + kIn0 + " | 2/0/OUT/2/0/5 #1 EIN | 1/0/MFM/3/2/5 #2 AUS [25/0/0/5 1 MRK]"}},
      {"two outputs and three inputs give six links, each with its input",
       {"BLOCK 1", "IF %T% : EIN", "THEN %L% : AUS", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         TVariable& in = f.Var(tool, "T", vtEingang);
         for (int i = 0; i < 3; ++i) f.Bind(in, f.In(f.Inp(), i));
         TVariable& l = f.Var(tool, "L", vtAusgang);
         f.Bind(l, f.Out(f.Outm(), 4));
         f.Bind(l, f.Out(f.Outm(), 5));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 1)->Verbindungen();
       },
       {"K0 G | " + kIn1 + " | 2/0/OUT/2/4/5 #2 AUS", "K0 G | " + kIn1 + " | 2/0/OUT/2/5/5 #2 AUS"},
       6},
      {"Repeats 0 on the source takes one source per target",
       {"BLOCK 1", "IF %T% : EIN", "THEN %L% : EIN", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         TVariable& in = f.Var(tool, "T", vtEingang);
         for (int i = 0; i < 3; ++i) f.Bind(in, f.In(f.Inp(), i));
         in.Repeats = 0;
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 6));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 0)->Verbindungen();
       },
       {"K0 G | " + kIn0 + " | 2/0/OUT/2/6/5 #1 EIN"}},
      {"free assignment takes commands and parameters from the entries",
       {"BLOCK 1", "VERB %Q%", "WITH %Z%", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "Q", vtEingang), f.In(f.Inp(), 3), ":AUS > 1 SEK");
         TVariable& z = f.Var(tool, "Z", vtAusgang);
         f.Bind(z, f.Out(f.Outm(), 7), ":Treppenlicht#120");
         f.Bind(z, f.Out(f.Mfm(), 0), ":UM");
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 3)->Verbindungen();
       },
       {"K0 G | 0/0/INP/1/3/3 #5 AUS > 1 SEK | 2/0/OUT/2/7/5 #10 Treppenlicht P120",
        "K0 G | 0/0/INP/1/3/3 #5 AUS > 1 SEK | 1/0/MFM/3/0/5 #3 UM"}},
      {"THENM names a channel of a module variable and is no THEN line",
       {"BLOCK 1", "IF %T% : EIN", "THENM %M\\OUTPUT\\2% : EIN", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 4));
         f.Var(tool, "M", vtObject).Add("4%" + f.Mfm()->InternalName(), TToolObject(f.Mfm()));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 4)->Verbindungen();
       },
       {"K0 G | 0/0/INP/1/4/3 #1 EIN | 1/0/MFM/3/2/5 #1 EIN"}},
      {"CIF takes the source command by the module code",
       {"BLOCK 1", "CIF : MFM AUS", "CIF : INP EIN > 1 SEK", "IF %T% : EIN", "THEN %L% : UM", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "T", vtEingang), f.In(f.Inp(), 5));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 0));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 5)->Verbindungen();
       },
       {"K0 G | 0/0/INP/1/5/3 #3 EIN > 1 SEK | 2/0/OUT/2/0/5 #3 UM"}},
      {"ANDNOTSELF leaves the link's own input out of its conditions",
       {"BLOCK 1", "IF %T% : EIN", "ANDNOTSELF %T% : Aus", "THEN %L% : EIN", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         TVariable& in = f.Var(tool, "T", vtEingang);
         f.Bind(in, f.In(f.Inp(), 6));
         f.Bind(in, f.In(f.Inp(), 7));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 2));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).In(static_cast<LinkTable&>(t).Inp(), 7)->Verbindungen();
       },
       {"K1 G | 0/0/INP/1/7/3 #1 EIN | 2/0/OUT/2/2/5 #1 EIN [1/0/1/6 0 INP]"},
       2},
      {"an output as source starts at its feedback channel",
       {"BLOCK 1", "IF %S% : EIN", "THEN %L% : AUS", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "S", vtAusgang), f.Out(f.Outm(), 3));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Mfm(), 1));
       },
       [](T& t) -> TVerbindungsListe& {
         return static_cast<LinkTable&>(t).Rme(static_cast<LinkTable&>(t).Outm(), 3)->Verbindungen();
       },
       {"K0 G | 2/0/OUT/2/3/3 #2 EIN | 1/0/MFM/3/1/5 #2 AUS"}},
      {"a clock as source with a logic list of the tool",
       {"BLOCK 1", "IF %U% : Eingeschaltet", "LOGIC %B%", "THEN %L% : EIN", "END."},
       [](T& t, TZYNFunction& tool) {
         auto& f = static_cast<LinkTable&>(t);
         f.Bind(f.Var(tool, "U", vtUhr), f.Clock(1));
         TVariable& b = f.Var(tool, "B", vtObject);
         b.AddObject("Ein", TToolObject(f.In(f.Mfm(), 1)));
         b.AddObject("Aus", TToolObject(f.Out(f.Outm(), 0)));
         f.Bind(f.Var(tool, "L", vtAusgang), f.Out(f.Outm(), 1));
       },
       [](T& t) -> TVerbindungsListe& { return static_cast<LinkTable&>(t).Clock(1)->Verbindungen(); },
       {"K1 G | 26/0/UHR/0/4/0 #1 Eingeschaltet | 2/0/OUT/2/1/5 #1 EIN [3/0/3/1 1 MFM] [19/0/2/0 0 OUT]"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TZYNFunction& tool = Tool(c.script, c.name);
    c.bind(*this, tool);
    EXPECT_TRUE(Expand(tool)) << (report.Causes.empty() ? "" : report.Causes.back());
    TVerbindungsListe& list = c.list(*this);
    EXPECT_EQ(DescribeAll(list), c.expected);
    const size_t total = c.total ? c.total : c.expected.size();
    EXPECT_EQ(AllLinks().size(), total);
    // A second run adds nothing.
    EXPECT_TRUE(Expand(tool));
    EXPECT_EQ(AllLinks().size(), total);
    ClearAllLinks();
  }
  EXPECT_TRUE(report.Failures.empty());
}

TEST_F(LinkTable, BlindParameterFillsTheExtraBytes) {
  TZYNFunction& tool =
      Tool({"BLOCK 1", "IF %T% : EIN", "THEN %R% : Fahrzeit", "PARAM1 %P%", "CPARA1 7,3,1,%ZEIT%,%ZEIT%+5,", "END."});
  Bind(Var(tool, "T", vtEingang), In(inp, 0));
  Bind(Var(tool, "R", vtAusgang), Out(jrm, 2));
  Var(tool, "P", vtRollade);
  TVariable& zeit = Var(tool, "ZEIT", vtTimeSek);
  zeit.Value = 25;
  zeit.Multiplier = TReal48::FromValue(10);
  ASSERT_TRUE(Expand(tool)) << report.Causes.back();
  const TVerbindungsListe& list = In(inp, 0)->Verbindungen();
  ASSERT_EQ(list.Count(), 1);
  const TVerbindung& link = *list.GetVerbindung(0);
  EXPECT_EQ(link.Target().FunctionNumber(), 10);
  EXPECT_TRUE(link.HasTargetParam());
  EXPECT_EQ(link.TargetParamMode(), 7);
  EXPECT_EQ(link.TargetFactor(), 1.0);
  EXPECT_EQ(link.TargetParamCaption(), "CPARA1 7,3,1,%ZEIT%,%ZEIT%+5,");
  const auto& h = link.Header();
  EXPECT_EQ(h[330], 15);  // level 3 as mask
  EXPECT_EQ(h[332], 1);
  // Word 3-4: 25 x 10 = 250; word 5-6: (25 + 5) x 10 = 300.
  EXPECT_EQ(h[337], 250);
  EXPECT_EQ(h[338], 0);
  EXPECT_EQ(h[339], 300 & 0xFF);
  EXPECT_EQ(h[340], 300 >> 8);
  EXPECT_EQ(link.TargetParam(), 250);
  EXPECT_EQ(tool.FindVariable("P")->RolladenValue[0], 7);
}

TEST_F(LinkTable, ConditionOfAnotherControlModuleIsFiledAndLoggedOncePerBlock) {
  TZYNFunction& tool = Tool({"BLOCK 1", "IF %T% : EIN", "AND %X% : Ein", "THEN %L% : EIN", "END."}, "Fern");
  TVariable& in = Var(tool, "T", vtEingang);
  Bind(in, In(inp, 0));
  Bind(in, In(inp, 1));
  Bind(Var(tool, "X", vtEingang), In(inp1, 0));
  Bind(Var(tool, "L", vtAusgang), Out(out, 0));
  std::vector<std::string> log;
  ASSERT_TRUE(Expand(tool, nullptr, &log));
  EXPECT_TRUE(tool.HasLgConflict);
  EXPECT_EQ(In(inp, 0)->Verbindungen().Count(), 1);
  EXPECT_EQ(In(inp, 1)->Verbindungen().Count(), 1);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "\\bFunktion: Fern");
  EXPECT_EQ(log[1].rfind(Ansi("\tVerknüpfung: "), 0), 0u);
  EXPECT_EQ(Describe(*In(inp, 0)->Verbindungen().GetVerbindung(0)),
            "K1 G | " + kIn0 + " | 2/0/OUT/2/0/5 #1 EIN [1/1/1/0 1 INP]");
}

}  // namespace
}  // namespace zyn
