// Every tool of the default libraries expands without error on a small installation and makes the
// links its description promises; the tool tree shows the tools with their bound objects.

#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolTree.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FuncNode.h"
#include "tests/compiler/interpreter/DefaultToolsFixture.h"

#include <functional>
#include <map>

namespace zyn {
namespace {

using test::DefaultTools;
using test::DescribeAll;

std::vector<std::string> AnsiAll(const std::vector<std::string>& texts) {
  std::vector<std::string> out;
  for (const std::string& t : texts) out.push_back(Ansi(t));
  return out;
}

TEST_F(DefaultTools, EveryToolMakesTheLinksItsDescriptionSays) {
  ASSERT_EQ(system.Count(), 7);
  ASSERT_EQ(user.Count(), 1);

  const DefaultTools::TPlaced placed = PlaceEveryDefaultTool();
  std::vector<std::string> log;
  EXPECT_EQ(GenerateTools(p, basis, &report, &log), 0) << (report.Causes.empty() ? "" : report.Causes[0]);
  EXPECT_TRUE(log.empty());
  for (TZYNFunction* t : placed.All()) EXPECT_FALSE(CheckToolLogic(*t, p, basis)) << t->Info.FunctionName;

  const std::string in = " | 0/0/INP/1/";
  // Push button: every press toggles both lights.
  EXPECT_EQ(DescribeAll(In(inp, 0)->Verbindungen()),
            (std::vector<std::string>{"K0 G" + in + "0/3 #1 EIN | 2/0/OUT/2/0/5 #3 UM",
                                      "K0 G" + in + "0/3 #1 EIN | 2/0/OUT/2/1/5 #3 UM"}));
  // Staircase light: the run time of 180 s is the command's parameter.
  EXPECT_EQ(DescribeAll(In(inp, 1)->Verbindungen()),
            (std::vector<std::string>{"K0 G" + in + "1/3 #1 EIN | 2/0/OUT/2/2/5 #10 Treppenlicht P180"}));
  // Central off: one link per output.
  EXPECT_EQ(DescribeAll(In(inp, 2)->Verbindungen()),
            (std::vector<std::string>{"K0 G" + in + "2/3 #1 EIN | 2/0/OUT/2/0/5 #2 AUS",
                                      "K0 G" + in + "2/3 #1 EIN | 2/0/OUT/2/1/5 #2 AUS",
                                      "K0 G" + in + "2/3 #1 EIN | 2/0/OUT/2/2/5 #2 AUS"}));
  // Night light: with the night flag set the orientation light, else the main light.
  EXPECT_EQ(DescribeAll(In(inp, 3)->Verbindungen()),
            (std::vector<std::string>{"K2 G" + in +
                                      "3/3 #1 EIN | 2/0/OUT/2/3/5 #1 EIN | 1/0/MFM/3/0/5 #1 EIN "
                                      "[25/0/0/0 1 MRK]"}));
  // Flag: one button sets it, the other clears it.
  EXPECT_EQ(DescribeAll(In(inp, 4)->Verbindungen()),
            (std::vector<std::string>{"K0 G" + in + "4/3 #1 EIN | 25/0/MRK/0/1/0 #1 Merker setzen"}));
  EXPECT_EQ(DescribeAll(In(inp, 5)->Verbindungen()),
            AnsiAll({"K0 G" + in + "5/3 #1 EIN | 25/0/MRK/0/1/0 #0 Merker löschen"}));
  // Free assignment: the chosen events and commands, with the parameter of the entry.
  EXPECT_EQ(DescribeAll(In(inp, 6)->Verbindungen()),
            (std::vector<std::string>{"K0 G" + in + "6/3 #5 AUS > 1 SEK | 2/0/OUT/2/4/5 #2 AUS",
                                      "K0 G" + in + "6/3 #5 AUS > 1 SEK | 2/0/OUT/2/5/5 #10 Treppenlicht P60"}));
  // Presence simulation: the input flag links and the time breaks at the enabling input, the
  // random times and on-delays at the clock, the off-delays at the feedback channels.
  EXPECT_EQ(In(inp, 7)->Verbindungen().Count(), 5);
  EXPECT_EQ(Clock(0)->Verbindungen().Count(), 4);
  EXPECT_EQ(DescribeAll(Rme(out, 6)->Verbindungen()),
            AnsiAll({"K1 G | 2/0/OUT/2/6/3 #2 EIN | 2/0/OUT/2/6/5 #9 Ausschaltverzögerung P1200 "
                     "[1/0/1/7 1 INP] [26/0/0/3 1 UHR]"}));
  EXPECT_EQ(DescribeAll(Rme(out, 7)->Verbindungen()),
            AnsiAll({"K1 G | 2/0/OUT/2/7/3 #2 EIN | 2/0/OUT/2/7/5 #9 Ausschaltverzögerung P300 "
                     "[1/0/1/7 1 INP] [26/0/0/3 0 UHR]"}));
  // Dimmer: a short press toggles, a long press dims up.
  EXPECT_EQ(DescribeAll(In(mfm, 0)->Verbindungen()),
            (std::vector<std::string>{"K0 G | 1/0/MFM/3/0/3 #4 AUS < 1 SEK | 5/0/DSA/4/0/5 #3 UM",
                                      "K0 G | 1/0/MFM/3/0/3 #3 EIN > 1 SEK | 5/0/DSA/4/0/5 #4 Heller"}));

  // The whole run once more adds nothing.
  const std::vector<std::string> all = AllLinks();
  EXPECT_EQ(all.size(), 2u + 1u + 3u + 1u + 2u + 2u + 11u + 2u);
  GenerateTools(p, basis);
  EXPECT_EQ(AllLinks(), all);
}

// A tree that keeps its nodes as (parent, text) lines.
struct TTextTree : IToolTreeSink {
  struct TNode {
    int Parent;
    std::string Text;
    TToolTreeData Data;
  };
  std::vector<TNode> Nodes;
  std::vector<std::unique_ptr<TZYNEbene>> Levels;
  int Updates = 0;
  void BeginUpdate() override { ++Updates; }
  void EndUpdate() override { --Updates; }
  void Clear() override { Nodes.clear(); }
  int AddLevel(const std::string& text, std::unique_ptr<TZYNEbene> level) override {
    Nodes.push_back({kRoot, text, level.get()});
    Levels.push_back(std::move(level));
    return static_cast<int>(Nodes.size()) - 1;
  }
  int AddNode(int parent, const std::string& text, const TToolTreeData& data) override {
    Nodes.push_back({parent, text, data});
    return static_cast<int>(Nodes.size()) - 1;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (const TNode& n : Nodes) {
      int depth = 0;
      for (int p = n.Parent; p != kRoot; p = Nodes[static_cast<size_t>(p)].Parent) ++depth;
      out.push_back(std::string(static_cast<size_t>(2 * depth), ' ') + n.Text);
    }
    return out;
  }
};

TEST_F(DefaultTools, TreeShowsLevelsToolsNodesAndBoundObjects) {
  TZYNFunction& treppe = Place(system, "Treppenhauslicht");
  treppe.Info.Ebene.SetText("Flur");
  In(inp, 1)->SetDisplayName("Taster Flur");
  Out(out, 2)->SetDisplayName("Licht Flur");
  Bind(V(treppe, "TASTER"), In(inp, 1), ":EIN");
  Bind(V(treppe, "LICHT"), Out(out, 2));
  TZYNFunction& nacht = Place(system, "Nachtlicht");
  nacht.Info.Ebene.SetText("Flur");
  Flag(12)->SetDisplayName("Nacht");
  V(nacht, "NACHT").Add(Flag(12)->InternalName() + " : Ein");
  TZYNFunction& sim = Place(system, "Anwesenheitssimulation");
  Clock(1)->SetDisplayName("Urlaub");
  V(sim, "UHR").Add("Urlaub");  // a clock named by its display name
  V(sim, "EINGANG").Add("gibt es nicht");

  TTextTree tree;
  tree.Nodes.push_back({IToolTreeSink::kRoot, "alt", {}});
  FillTree(stm0->Tools, tree, &p, &names);
  EXPECT_EQ(tree.Updates, 0);
  const std::vector<std::string> expected = {
      "Flur",
      "  Treppenhauslicht",
      "    Taster",
      "      STM.00.INP.01.01-Taster Flur:EIN",
      "    Leuchten",
      "      STM.00.OUT.02.02-Licht Flur",
      "    Laufzeit",
      "      180 Sekunden",
      "  Nachtlicht",
      "    Taster",
      "    Nachtmerker",
      "      STM.00.MRK.00.012-Nacht: Ein",
      "    Orientierungslicht",
      "    Hauptlicht",
      "Anwesenheitssimulation",
      "  Schaltuhr",
      "    STM.00.UHR.00.004-Urlaub",
      "  Freigabe",
      "  Ausgänge bei eingeschalteter Uhr",
      "  Ausgänge bei ausgeschalteter Uhr",
  };
  std::vector<std::string> lines = tree.Lines();
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], Ansi(expected[i])) << i;
  // Flag and clock entries now name their object by internal name.
  EXPECT_EQ(V(nacht, "NACHT").Objects()[0].Text, Flag(12)->InternalName() + ": Ein");
  EXPECT_EQ(V(sim, "UHR").Objects()[0].Text, Clock(1)->InternalName());
  ASSERT_EQ(tree.Levels.size(), 1u);
  EXPECT_EQ(tree.Levels[0]->Name, "Flur");
  EXPECT_FALSE(tree.Levels[0]->InternalName.empty());

  // The library on its own: levels, tools, nodes and parameter values, no objects.
  TTextTree library;
  FillTree(system, library, nullptr);
  std::vector<std::string> libraryLines = library.Lines();
  ASSERT_GE(libraryLines.size(), 8u);
  EXPECT_EQ(libraryLines[0], Ansi("Taster schaltet Licht"));
  EXPECT_EQ(libraryLines[1], Ansi("  Taster"));
  EXPECT_EQ(libraryLines[7], Ansi("    180 Sekunden"));
}

}  // namespace
}  // namespace zyn
