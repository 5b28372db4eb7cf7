// The whole road of "Projekt erstellen" with the real tool generation: every tool of the default
// libraries placed in a small installation, generated, compiled into images that the image walker
// accepts, the program file written, and the project's link lists as they were before the run.

#include "compiler/CompileDriver.h"
#include "compiler/CompileError.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "project/StmImport.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/compiler/ImageWalker.h"
#include "tests/compiler/interpreter/DefaultToolsFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace zyn::test {
namespace {

class BuildWithTools : public DefaultTools {
 protected:
  TToolGeneratorFunction Generator() {
    return TToolGeneratorFunction([this](TZYNProjekt& projekt, std::vector<std::string>& conflicts) {
      failed = GenerateTools(projekt, basis, &report, &conflicts);
    });
  }
  int failed = -1;

  // The generator a build uses: a tool that fails is reported and the others still generate.
  std::vector<std::string> buildFailures;
  std::vector<std::string> generated;  // every link of the project right after the generation
  TToolGeneratorFunction BuildGenerator() {
    return TToolGeneratorFunction([this](TZYNProjekt& projekt, std::vector<std::string>& conflicts) {
      buildFailures = GenerateToolsForBuild(projekt, basis, &report, &conflicts);
      generated = AllLinks();
    });
  }

  // A program file with known bytes, written before a build that must not touch it.
  std::filesystem::path OldProgramFile(const char* name) {
    const std::filesystem::path prg = std::filesystem::path(ZYN_BINARY_DIR) / name;
    std::ofstream(prg, std::ios::binary) << "alte Programmdatei";
    return prg;
  }
  static std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Builds with the tools into the program file; the one line of the failed tools. The build
  // goes on, the program file is written, and the generated links are gone again afterwards.
  std::string BuildGoingOn(const std::filesystem::path& prg) {
    const std::vector<std::string> before = AllLinks();
    TCompileDriver driver(p);
    TToolGeneratorFunction tools = BuildGenerator();
    TBuildSteps steps;
    steps.Tools = &tools;
    steps.ProgramFile = prg.string();
    EXPECT_TRUE(driver.BuildProject(steps));
    EXPECT_TRUE(driver.Compiled());
    EXPECT_EQ(AllLinks(), before);
    EXPECT_EQ(buildFailures.size(), 1u);
    EXPECT_EQ(report.Causes.size(), 1u);
    TStmImages table{};
    for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
    EXPECT_EQ(TImageWalker(table).Check(0), std::vector<std::string>{});
    std::ifstream in(prg, std::ios::binary);
    const std::vector<uint8_t> written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written, driver.ProgramBytes());
    return buildFailures.empty() ? std::string() : buildFailures.front();
  }
};

// A message holds every one of the parts.
void ExpectMentions(const std::string& message, std::initializer_list<std::string> parts) {
  EXPECT_FALSE(message.empty());
  for (const std::string& part : parts) EXPECT_NE(message.find(part), std::string::npos) << part << " in: " << message;
}

TEST_F(BuildWithTools, DefaultToolsCompileIntoImagesTheWalkerAccepts) {
  PlaceEveryDefaultTool();
  const std::vector<std::string> before = AllLinks();
  const std::filesystem::path prg = std::filesystem::path(ZYN_BINARY_DIR) / "BuildWithTools.prg";
  std::filesystem::remove(prg);

  TCompileDriver driver(p);
  driver.ProgramTitle = "ZYN";
  TToolGeneratorFunction tools = Generator();
  TBuildSteps steps;
  steps.Tools = &tools;
  steps.ProgramFile = prg.string();
  ASSERT_TRUE(driver.BuildProject(steps));
  EXPECT_EQ(failed, 0) << (report.Causes.empty() ? "" : report.Causes[0]);
  ASSERT_TRUE(driver.Compiled());

  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  TImageWalker walker(table);
  for (int a : {0, 1}) {
    ASSERT_NE(driver.Image(a), nullptr);
    EXPECT_EQ(walker.Check(a), std::vector<std::string>{}) << "control module " << a;
  }
  // The tools' links reach the image of control module 0: far more addresses to check there than
  // in the image of the empty-handed control module 1.
  EXPECT_GT(walker.Checked(), 20);

  std::ifstream in(prg, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, driver.ProgramBytes());
  EXPECT_EQ(bytes.size(), 2u * 32768u);

  // The generated links are gone again: the project is as the installer left it.
  EXPECT_EQ(AllLinks(), before);
}

// A command that the target's command list does not have makes its tool fail: the report names
// the tool, the object and the command, and the build goes on with the next tool, whose links
// reach the image.
TEST_F(BuildWithTools, UnknownCommandOfAFreeAssignmentIsReportedAndTheBuildGoesOn) {
  TZYNFunction& frei = Place(system, "Freie Zuordnung");
  Bind(V(frei, "QUELLEN"), In(inp, 6), ":EIN");
  Bind(V(frei, "ZIELE"), Out(out, 4), ":Heller");  // a dimmer command on a switching output
  TZYNFunction& taster = Place(system, "Taster schaltet Licht");
  Bind(V(taster, "TASTER"), In(inp, 0));
  Bind(V(taster, "LICHT"), Out(out, 0));
  const std::filesystem::path prg = OldProgramFile("GoingOnFree.prg");
  const std::string failure = BuildGoingOn(prg);
  ExpectMentions(failure, {Ansi("Freie Zuordnung"), Ansi("\"Heller\""), Out(out, 4)->DisplayName(),
                           Ansi("Ausgangsfunktionen Schalter")});
  // The push-button tool after it was generated: its link from the button reached the build.
  const std::string button =
      std::to_string(inp->BasisKlasse) + "/0/" + inp->ModulKennung + "/" + std::to_string(inp->Adresse()) + "/0/";
  bool buttonLink = false;
  for (const std::string& d : generated) buttonLink = buttonLink || d.find("| " + button) != std::string::npos;
  EXPECT_TRUE(buttonLink);
  std::filesystem::remove(prg);
}

// A push-button tool bound to an input whose command list has no "EIN" (the weather station's
// analog events) fails with the tool, the input and the missing event named; the build goes on.
TEST_F(BuildWithTools, PushButtonToolOnAWeatherStationIsReportedAndTheBuildGoesOn) {
  TModul* wetter = AddModul(*stm0, "WETTER", 9);
  TZYNFunction& taster = Place(system, "Taster schaltet Licht");
  Bind(V(taster, "TASTER"), In(wetter, 0));
  Bind(V(taster, "LICHT"), Out(out, 0));
  const std::filesystem::path prg = std::filesystem::path(ZYN_BINARY_DIR) / "GoingOnWeather.prg";
  std::filesystem::remove(prg);
  ExpectMentions(BuildGoingOn(prg), {Ansi("Taster schaltet Licht"), Ansi("\"EIN\""), In(wetter, 0)->DisplayName(),
                                     Ansi("Eingangsfunktionen Analog")});
  EXPECT_TRUE(std::filesystem::exists(prg));
  std::filesystem::remove(prg);
}

// The default presence simulation with the output slot for the switched-off clock left empty:
// the empty slot contributes no links, the tool generates and the project builds. Its links are
// exactly those of the full simulation without the ones of the left-out output.
TEST_F(BuildWithTools, PresenceSimulationWithAnEmptyOutputSlotBuildsWithTheExpectedLinks) {
  const auto build = [&](bool both) {
    stm0->Tools.Clear();
    report = TRecordingReport();
    TZYNFunction& sim = Place(system, "Anwesenheitssimulation");
    Bind(V(sim, "UHR"), Clock(0));
    Bind(V(sim, "EINGANG"), In(inp, 7));
    Bind(V(sim, "AUSGANG"), Out(out, 6), "#10-20");
    if (both) Bind(V(sim, "AUSGANGA"), Out(out, 7), "#5-5");
    TCompileDriver driver(p);
    TToolGeneratorFunction tools = BuildGenerator();
    TBuildSteps steps;
    steps.Tools = &tools;
    EXPECT_TRUE(driver.BuildProject(steps));
    EXPECT_TRUE(buildFailures.empty()) << buildFailures.front();
    EXPECT_TRUE(report.Causes.empty());
    TStmImages table{};
    for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
    EXPECT_EQ(TImageWalker(table).Check(0), std::vector<std::string>{});
    return driver.Image(0)->ImageLength();
  };
  const size_t full = build(true);
  const std::vector<std::string> all = generated;
  const size_t partial = build(false);
  // The links that name the left-out output are the only ones missing.
  const std::string leftOut =
      std::to_string(out->BasisKlasse) + "/0/" + out->ModulKennung + "/" + std::to_string(out->Adresse()) + "/7/";
  std::vector<std::string> expected;
  int missing = 0;
  for (const std::string& d : all) {
    if (d.find(leftOut) != std::string::npos)
      ++missing;
    else
      expected.push_back(d);
  }
  EXPECT_EQ(generated, expected);
  // The left-out output's time abort when the release input goes off, its on-delay and its
  // off-delay.
  EXPECT_EQ(missing, 3);
  EXPECT_LT(partial, full);
}

// Control module 0, with links from and to a flag and a tool, written as the control-module page
// exports it and imported into the same project at address 2: the copy takes fresh internal
// names, its tool works on the copy's own objects, its links name control module 2, and it
// compiles into the very image of control module 0.
TEST_F(BuildWithTools, ControlModuleImportedToAnotherAddressCompilesIntoTheSameImage) {
  TVerbindung& fromFlag = LinkFromObject(*Flag(5), kObjMerker, "MRK", 0, 1);
  SetModuleEndpoint(fromFlag.Target(), *out, 0, 3, out->AusShift, 1);
  TVerbindung& toFlag = LinkFromInput(*In(inp, 2), *inp, 0, 1);
  SetObjectEndpoint(toFlag.Target(), kObjMerker, 0, "MRK", 5, 1);
  TZYNFunction& nacht = Place(system, "Nachtlicht");
  Bind(V(nacht, "TASTER"), In(inp, 3));
  Bind(V(nacht, "NACHT"), Flag(0));
  Bind(V(nacht, "NACHTLICHT"), Out(out, 4));
  Bind(V(nacht, "HAUPTLICHT"), Out(mfm, 0));

  TMemoryStream file;
  {
    TWriter writer(file, 1024);
    stm0->WriteData(writer);
    writer.FlushBuffer();
  }
  file.Seek(0, TSeekOrigin::Begin);
  auto read = std::make_unique<TSteuermodul>();
  {
    TReader reader(file, 1024);
    read->ReadData(reader);
  }
  TSteuermodul* imported = ImportSteuermodul(p, std::move(read), 2, names);
  ASSERT_EQ(imported->Adresse(), 2);

  // No internal name twice in the project.
  std::set<std::string> seen;
  int objects = 0;
  for (int i = 0; i < p.Steuermodule.Count(); ++i) {
    TSteuermodul& s = *p.Steuermodule.GetSteuermodul(i);
    const auto add = [&](const TZYNBaseObject& o) {
      ++objects;
      EXPECT_TRUE(seen.insert(o.InternalName()).second) << o.InternalName();
    };
    add(s);
    for (int m = 0; m < s.Module.Count(); ++m) {
      const TModul& mod = *s.Module.GetModul(m);
      add(mod);
      for (int k = 0; k < mod.Eingaenge().Count(); ++k) add(*mod.Eingaenge().GetItem(k));
      for (int k = 0; k < mod.Ausgaenge().Count(); ++k) add(*mod.Ausgaenge().GetItem(k));
    }
    for (int f = 0; f < s.Merker.Count(); ++f) add(*s.Merker.GetItem(f));
    for (int u = 0; u < s.Uhren.Count(); ++u) add(*s.Uhren.GetItem(u));
  }
  EXPECT_GT(objects, 100);
  // The flag's links name the new control module at both ends.
  const TVerbindung& copied = *imported->Merker.FindByAddress(5)->Verbindungen().GetVerbindung(0);
  EXPECT_EQ(copied.Source().StmNummer(), 2);
  EXPECT_EQ(copied.Target().StmNummer(), 2);

  TCompileDriver driver(p);
  driver.ProgramTitle = "ZYN";
  TToolGeneratorFunction tools = BuildGenerator();
  TBuildSteps steps;
  steps.Tools = &tools;
  ASSERT_TRUE(driver.BuildProject(steps));
  EXPECT_TRUE(buildFailures.empty()) << buildFailures.front();
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  TImageWalker walker(table);
  EXPECT_EQ(walker.Check(2), std::vector<std::string>{});
  ASSERT_NE(driver.Image(2), nullptr);
  const std::vector<uint8_t> original(driver.Image(0)->Bytes(), driver.Image(0)->Bytes() + kImageSize);
  const std::vector<uint8_t> copy(driver.Image(2)->Bytes(), driver.Image(2)->Bytes() + kImageSize);
  size_t differing = 0;
  for (size_t i = 0; i < kImageSize; ++i) differing += copy[i] != original[i] ? 1 : 0;
  EXPECT_EQ(differing, 0u);
}

// A stored link whose command names nothing (command 255) is refused by the compiler with the
// link, the target channel and the command, instead of becoming command byte 0xFF.
TEST_F(BuildWithTools, CompilerRefusesALinkWithAnUnknownCommand) {
  for (const bool eventSide : {false, true}) {
    ClearAllLinks();
    auto link = std::make_unique<TVerbindung>();
    SetModuleEndpoint(link->Source(), *inp, 0, 3, inp->EinShift, 1);
    SetModuleEndpoint(link->Target(), *out, 0, 4, out->AusShift, 1);
    TLinkEndpoint bad = eventSide ? link->Source() : link->Target();
    bad.SetFunctionNumber(255);
    bad.SetFunctionText("Heller");
    In(inp, 3)->Verbindungen().Add(std::move(link));
    const std::filesystem::path prg = OldProgramFile("RefusedLink.prg");
    TCompileDriver driver(p);
    TBuildSteps steps;
    steps.ProgramFile = prg.string();
    try {
      driver.BuildProject(steps);
      ADD_FAILURE() << "no error";
    } catch (const ECompileError& e) {
      ExpectMentions(e.what(), {Ansi("Die Verbindung \""), Ansi("\"Heller\""),
                                eventSide ? Ansi("Kanal 3 des Moduls INP 1") : Ansi("Kanal 4 des Moduls OUT 2"),
                                eventSide ? Ansi("Ereignis") : Ansi("Befehl")});
    }
    EXPECT_FALSE(driver.Compiled());
    EXPECT_EQ(FileText(prg), "alte Programmdatei");
    std::filesystem::remove(prg);
  }
}

// Every default tool placed on every object kind one of its nodes accepts, the other nodes bound
// to the first object they accept: the tools generate without failure and the project compiles
// into images the walker accepts. The table of accepted catalogue classes is the tools' promise.
TEST_F(BuildWithTools, EveryDefaultToolCompilesOnEveryClassItsNodesAccept) {
  // One module of every catalogue class, behind the fixture's modules.
  std::vector<TModul*> byClass;
  for (int i = 0; i < basis.Katalog.Count(); ++i) {
    byClass.push_back(AddModul(*stm0, basis.Katalog.GetClass(i)->InternalName.c_str(), 10 + i));
  }
  std::vector<TModul*> defaults = {inp, out, mfm, dim, jrm};
  bool simulation = false;
  const auto channelsOf = [](TModul* m, int16_t type) {
    std::vector<TKanal*> channels;
    if (type == ntEingang) {
      for (int i = 0; i < m->Eingaenge().Count(); ++i) channels.push_back(m->Eingaenge().GetItem(i));
    } else if (type == ntAusgang) {
      for (int i = 0; i < m->Ausgaenge().Count(); ++i) channels.push_back(m->Ausgaenge().GetItem(i));
    }
    return channels;
  };
  const auto toolObject = [](TKanal* k) {
    if (auto* in = dynamic_cast<TEingang*>(k)) return TToolObject(in);
    return TToolObject(static_cast<TAusgang*>(k));
  };
  // Binds a channel to the node's variable, with an event or command where the node asks for one
  // and with the switching times (minutes) of a simulated output.
  const auto bindChannel = [&](TFuncNode& node, TKanal* k) {
    std::string suffix;
    if (node.NodeEdit == edGetFunctionCode) {
      suffix = ":" + FillCommandList(basis, *k, node.NodeType == ntEingang).front();
    }
    if (simulation && node.NodeType == ntAusgang) suffix = "#10-20";
    node.NodeVar->Add(k->InternalName() + suffix, toolObject(k));
  };
  const auto firstAccepted = [&](TFuncNode& node, const std::vector<TModul*>& modules) -> TKanal* {
    for (TModul* m : modules) {
      for (TKanal* k : channelsOf(m, node.NodeType)) {
        if (node.AcceptsObject(toolObject(k), p)) return k;
      }
    }
    return nullptr;
  };

  std::map<std::string, std::set<int>> accepted;
  int builds = 0;
  for (const TZYNFunktionsListe* library : {&system, &user}) {
    for (int t = 0; t < library->Count(); ++t) {
      const std::string name = library->GetFunction(t)->Info.FunctionName;
      const int nodes = library->GetFunction(t)->Nodes.Count();
      for (int n = 0; n < nodes; ++n) {
        for (size_t cls = 0; cls < byClass.size(); ++cls) {
          stm0->Tools.Clear();
          TZYNFunction& tool = Place(*library, AnsiToUtf8(name));
          simulation = tool.Info.FunctionGroup == "SIMULATIONEN";
          TFuncNode& node = *tool.Nodes.Get(n);
          if (node.NodeType != ntEingang && node.NodeType != ntAusgang) continue;
          TKanal* k = firstAccepted(node, {byClass[cls]});
          if (k == nullptr) continue;
          accepted[name + " / " + node.NodeText].insert(static_cast<int>(cls));
          bindChannel(node, k);
          for (int o = 0; o < tool.Nodes.Count(); ++o) {
            TFuncNode& other = *tool.Nodes.Get(o);
            if (o == n || other.NodeVar == nullptr) continue;
            if (other.NodeType == ntMerker) {
              other.NodeVar->Add(Flag(5)->InternalName(), TToolObject(Flag(5)));
            } else if (other.NodeType == ntUhr) {
              other.NodeVar->Add(Clock(0)->InternalName(), TToolObject(Clock(0)));
            } else if (TKanal* d = firstAccepted(other, defaults)) {
              bindChannel(other, d);
            }
          }
          const std::string what = name + " / " + node.NodeText + " on " + byClass[cls]->ModulKlasse;
          TCompileDriver driver(p);
          TToolGeneratorFunction tools = BuildGenerator();
          TBuildSteps steps;
          steps.Tools = &tools;
          try {
            ASSERT_TRUE(driver.BuildProject(steps)) << what;
          } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": " << e.what();
            continue;
          }
          TStmImages table{};
          for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
          TImageWalker walker(table);
          EXPECT_EQ(walker.Check(0), std::vector<std::string>{}) << what;
          EXPECT_GT(walker.Checked(), 0) << what;
          ++builds;
        }
      }
    }
  }
  // Catalogue classes: 0 INPUT 8, 1 INPUT PIR, 2 MFM 4, 3 OUTPUT 8, 4 DIM_AN, 5 FUI, 6 DIM_SAN,
  // 7 JRM, 8 WETTER.
  const std::set<int> buttons = {0, 2, 5}, switching = {2, 3, 5};
  const std::map<std::string, std::set<int>> expected = {
      {"Taster schaltet Licht / Taster", buttons},
      {"Taster schaltet Licht / Leuchten", switching},
      {"Treppenhauslicht / Taster", buttons},
      {"Treppenhauslicht / Leuchten", switching},
      {"Zentral Aus / Zentraltaster", buttons},
      {Ansi("Zentral Aus / Ausgänge"), switching},
      {"Nachtlicht / Taster", buttons},
      {"Nachtlicht / Orientierungslicht", switching},
      {"Nachtlicht / Hauptlicht", switching},
      {"Merker setzen und l\xF6schen / Taster Setzen", buttons},
      {"Merker setzen und l\xF6schen / Taster L\xF6schen", buttons},
      {Ansi("Freie Zuordnung / Eingänge"), {0, 2, 5, 8}},
      {Ansi("Freie Zuordnung / Ausgänge"), switching},
      {"Anwesenheitssimulation / Freigabe", buttons},
      {Ansi("Anwesenheitssimulation / Ausgänge bei eingeschalteter Uhr"), {2, 3}},
      {Ansi("Anwesenheitssimulation / Ausgänge bei ausgeschalteter Uhr"), {2, 3}},
      {"Dimmer Taster / Taster", buttons},
      {"Dimmer Taster / Dimmer", {6}},
  };
  EXPECT_EQ(accepted, expected);
  EXPECT_EQ(builds, 51);
}

// The default blind-motor module: conditions on its outputs give their feedback channels the
// automatic links, whose events do not collide in the link table.
TEST_F(BuildWithTools, BlindMotorConditionsGetTheirAutomaticLinks) {
  for (int channel : {0, 1, 3}) {
    auto link = std::make_unique<TVerbindung>();
    SetModuleEndpoint(link->Source(), *inp, 0, 0, inp->EinShift, 1);
    SetModuleEndpoint(link->Target(), *out, 0, channel, out->AusShift, 1);
    link->SetKind(1);
    SetCondition(*link, 0, 2 * jrm->BasisKlasse + 1, 0, jrm->Adresse(), channel, 1, "JRM",
                 Out(jrm, channel)->InternalName());
    In(inp, 0)->Verbindungen().Add(std::move(link));
  }
  TCompileDriver driver(p);
  driver.CompileProject(false);
  std::set<int> events;
  int automatic = 0;
  for (int channel : {0, 1, 3}) {
    const TVerbindungsListe& links = Rme(jrm, channel)->Verbindungen();
    automatic += links.Count();
    for (int i = 0; i < links.Count(); ++i) {
      const TLinkEndpoint s = links.GetVerbindung(i)->Source();
      events.insert((s.KanalNummer() << s.Shift()) | s.FunctionNumber());
    }
  }
  EXPECT_EQ(automatic, 12);
  EXPECT_EQ(events.size(), 12u);  // one link-table event each
  TStmImages table{};
  for (int a = 0; a < 4; ++a) table[static_cast<size_t>(a)] = const_cast<TBinData*>(driver.Image(a));
  EXPECT_EQ(TImageWalker(table).Check(0), std::vector<std::string>{});
}

}  // namespace
}  // namespace zyn::test
