// The compile run over a project: passes, automatic and generated links, visualisation links,
// the build sequence with tool generation and the conflict question, the program file, and the
// limits of an image.

#include "compiler/ClockTable.h"
#include "compiler/CompileDriver.h"
#include "compiler/CompileError.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/ProjectCompile.h"
#include "compiler/ZYNCompiler.h"
#include "model/Gruppe.h"
#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "project/NameIndex.h"
#include "visu/VisuLinks.h"
#include "visu/VisuProject.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/compiler/ImageLinks.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zyn::test {
namespace {

int LinkCount(TKanal& k) { return k.Verbindungen().Count(); }

class Driver : public ::testing::Test {
 protected:
  TProjectBuilder b;
  TCompileDriver driver{b.Projekt};
  TSteuermodul* s0 = nullptr;
  TModul* in = nullptr;
  TModul* out = nullptr;
  TModul* jrm = nullptr;

  void SetUp() override {
    driver.ProgramTitle = "ZYN";
    s0 = &b.AddStm(0);
    in = &b.AddModul(*s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
    out = &b.AddModul(*s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2, 9});
    jrm = &b.AddModul(*s0, 6, 2, "JRM", 0, 4, 3, {}, {1, 5}, {1, 5}, "JRM");
  }
  TEingang& Input(int a) { return *in->FindEingang(a); }
  TVerbindung& Logic(TEingang& source, int type, TModul& m, TKanal& channel) {
    TVerbindung& link = LinkFromInput(source, *in, 0, 1, 1);
    SetModuleEndpoint(link.Target(), *out, 0, 1, 5, 2);
    SetCondition(link, 0, type, 0, m.Adresse(), channel.Adresse(), 1, m.ModulKennung, channel.InternalName());
    return link;
  }
};

TEST_F(Driver, InputConditionAddsTheThreeInputFlagLinksOnce) {
  Logic(Input(0), 1, *in, Input(1));
  driver.CompileProject(false);
  driver.CompileProject(false);
  ASSERT_EQ(LinkCount(Input(1)), 3);
  TVerbindung& first = *Input(1).Verbindungen().GetVerbindung(0);
  EXPECT_TRUE(first.IsGenerated());
  EXPECT_EQ(first.Source().FunctionNumber(), 2);
  EXPECT_EQ(first.Source().FunctionText(), "Ein > 0 Sekunden");
  EXPECT_EQ(first.Target().ObjType(), 0 + 8);
  EXPECT_EQ(first.Target().FunctionText(), "Eingangsmerker setzen");
  EXPECT_EQ(first.Source().Shift(), 3);
  // The input now has links: its module carries entries for the events 2, 3 and 5.
  const TBinData& image = *driver.Image(0);
  EXPECT_EQ(image.Image.At(67 + 3), (1 << 3) | 2);
  driver.RemoveGeneratedLinks();
  EXPECT_EQ(LinkCount(Input(1)), 0);
}

TEST_F(Driver, BlindMotorConditionAddsTheFeedbackLinksOfItsHalf) {
  // A condition on the blind output 1 reads feedback channel 1 (links 0..3); output 5 reads
  // feedback channel 5 (links 4..6).
  Logic(Input(0), 13, *jrm, *jrm->FindAusgang(1));
  Logic(Input(0), 13, *jrm, *jrm->FindAusgang(5));
  driver.CompileProject(false);
  TRueckmeldung& low = *jrm->FindRueckmeldung(1);
  TRueckmeldung& high = *jrm->FindRueckmeldung(5);
  ASSERT_EQ(LinkCount(low), 4);
  ASSERT_EQ(LinkCount(high), 3);
  EXPECT_EQ(low.Verbindungen().GetVerbindung(0)->Source().FunctionText(), "Heben eingeschaltet");
  EXPECT_EQ(high.Verbindungen().GetVerbindung(2)->Source().FunctionNumber(), 8);
  EXPECT_EQ(high.Verbindungen().GetVerbindung(2)->Target().FunctionText(), Ansi("Kanalmerker löschen"));
  EXPECT_EQ(high.Verbindungen().GetVerbindung(2)->Target().ObjType(), 6 + 8);
}

TEST_F(Driver, OutputConditionMarksTheOutputUsedAndChannelNineLandsInBlockFive) {
  Logic(Input(0), 19, *out, *out->FindAusgang(9));
  driver.CompileProject(false);
  const TBinData& image = *driver.Image(0);
  EXPECT_EQ(image.PorArea.At(5 * 256 + 0x45), 0x02);
  const std::vector<uint8_t> code(image.LogicArea.Data(), image.LogicArea.Data() + 3);
  EXPECT_EQ(code, (std::vector<uint8_t>{19, (5 << 3) | 1, 0}));
}

TEST_F(Driver, PowerOnAreaDoesNotRememberEarlierRuns) {
  TVerbindung& link = Logic(Input(0), 19, *out, *out->FindAusgang(2));
  driver.CompileProject(false);
  EXPECT_EQ(driver.Image(0)->PorArea.At(2 * 256 + 0x45), 0x04);
  Input(0).Verbindungen().Remove(&link);
  driver.CompileProject(false);
  EXPECT_EQ(driver.Image(0)->PorArea.At(2 * 256 + 0x45), 0x00);
}

TEST_F(Driver, ControlModuleRemovedSinceTheLastRunCannotBeJumpedTo) {
  TSteuermodul& s1 = b.AddStm(1);
  TModul& far = b.AddModul(s1, 2, 7, "OUT", 0, 5, 3, {}, {1});
  TVerbindung& link = LinkFromInput(Input(0), *in, 0, 1);
  SetModuleEndpoint(link.Target(), far, 1, 1, 5, 2);
  driver.CompileProject(false);
  ASSERT_NE(driver.Image(1), nullptr);
  b.Projekt.Steuermodule.Remove(&s1);
  EXPECT_THROW(driver.CompileProject(false), ECompileError);
  EXPECT_EQ(driver.Image(1), nullptr);
}

TEST_F(Driver, CombinationLiesInTheImageOfTheTarget) {
  TSteuermodul& s1 = b.AddStm(1);
  TModul& far = b.AddModul(s1, 2, 7, "OUT", 0, 5, 3, {}, {1, 2});
  TMerker& flag = b.AddMerker(s1, 4);
  TVerbindung& link = LinkFromInput(Input(0), *in, 0, 1, 1);
  SetModuleEndpoint(link.Target(), far, 1, 1, 5, 2);
  SetCondition(link, 0, 19, 1, 7, 2, 0, "OUT", far.FindAusgang(2)->InternalName());
  SetCondition(link, 1, kObjMerker, 1, 0, flag.Adresse(), 1, "MRK", "");
  driver.CompileProject(false);
  const TBinData& image1 = *driver.Image(1);
  EXPECT_EQ(std::vector<uint8_t>(image1.LogicArea.Data(), image1.LogicArea.Data() + 5),
            (std::vector<uint8_t>{25, 4, 19 | 0x80, (7 << 3) | 2, 0}));
  EXPECT_EQ(image1.PorArea.At(2 * 256 + 2 * 32 + 7), 0x04);
  EXPECT_EQ(driver.Image(0)->LogicArea.LogicStart, 0u);
  // The header in image 1's lists points at its own logic area (offset 80 + 16).
  EXPECT_EQ(image1.EventArea.At(0), 129);
  EXPECT_EQ(image1.EventArea.WordBE(1), 0x4060);
}

TEST_F(Driver, RemoveTrueLeavesTheLinkListsAsTheyWere) {
  b.AddGruppe(*s0, 3, {out->FindAusgang(1), out->FindAusgang(2)});
  TVerbindung& g = LinkFromInput(Input(0), *in, 0, 1);
  SetObjectEndpoint(g.Target(), kObjGruppe, 0, "GRP", 3, 1);
  TVerbindung& lg = LinkFromInput(Input(0), *in, 0, 2, 1);  // a logic group link
  SetObjectEndpoint(lg.Target(), kObjGruppe, 0, "GRP", 3, 2);
  SetCondition(lg, 0, 19, 0, 5, 9, 1, "OUT", out->FindAusgang(9)->InternalName());  // sorted behind the flag
  SetCondition(lg, 1, 25, 0, 0, 9, 1, "MRK", "");
  Logic(Input(0), 25, *in, Input(1));  // its combination comes first, so the members' is not at 0
  Logic(Input(2), 1, *in, Input(1));
  const int before = LinkCount(Input(0)) + LinkCount(Input(1)) + LinkCount(Input(2));
  driver.CompileProject(true);
  EXPECT_EQ(LinkCount(Input(0)) + LinkCount(Input(1)) + LinkCount(Input(2)), before);
  // Without removal the member links stay, and a second run does not add them again.
  driver.CompileProject(false);
  EXPECT_EQ(LinkCount(Input(0)), 7);
  driver.CompileProject(false);
  EXPECT_EQ(LinkCount(Input(0)), 7);
}

TEST_F(Driver, GeneratedLinksAreRemovedAlsoAfterAnError) {
  Logic(Input(0), 1, *in, Input(1));
  TVerbindung& bad = LinkFromInput(Input(2), *in, 0, 1);
  SetModuleEndpoint(bad.Target(), *out, 3, 1, 5, 2);
  EXPECT_THROW(driver.CompileProject(true), ECompileError);
  EXPECT_EQ(LinkCount(Input(1)), 0);
}

TEST_F(Driver, ModuleChainLinksTheEntries) {
  for (int a : {0, 1}) {
    TVerbindung& link = LinkFromInput(Input(a), *in, 0, 1);
    SetModuleEndpoint(link.Target(), *out, 0, 1, 5, 2);
  }
  TModul& second = b.AddModul(*s0, 0, 3, "INP", 3, 0, 0, {0}, {});
  TVerbindung& link = LinkFromInput(*second.FindEingang(0), second, 0, 1);
  SetModuleEndpoint(link.Target(), *out, 0, 1, 5, 2);
  driver.CompileProject(false);
  const TBinData& image = *driver.Image(0);
  EXPECT_EQ(image.Image.WordBE(4), 0x4040);
  // Entry 1 at 64: key 1, next at 64 + 3 + 2 x 3 + 1 = 74; entry 2: key 3, next 0.
  EXPECT_EQ(image.Image.WordBE(65), 0x404A);
  EXPECT_EQ(image.Image.At(74), 3);
  EXPECT_EQ(image.Image.WordBE(75), 0x0000);
  // Modules without input links get no entry, but their outputs' power-on bits.
  out->FindAusgang(1)->PORStatus = porMEMORY;
  driver.CompileProject(false);
  EXPECT_EQ(driver.Image(0)->PorArea.At(0x45), 0xFD);
}

// The compile run's name index answers as the project's own look-ups: names without regard to
// case, the first object in project order where two share a name, the clock's list position.
TEST(NameIndex, AnswersAsTheProjectLookups) {
  TProjectBuilder b;
  TSteuermodul& s0 = b.AddStm(0);
  TSteuermodul& s1 = b.AddStm(1);
  TModul& m0 = b.AddModul(s0, 1, 2, "MFM", 3, 5, 3, {0}, {0}, {0});
  TModul& m1 = b.AddModul(s1, 1, 4, "MFM", 3, 5, 3, {}, {0});
  auto twin = b.Channel<TEingang>(0);
  twin->SetInternalName(AnsiUpperCase(m0.FindEingang(0)->InternalName()));  // the same name, other case
  m1.Eingaenge().Add(std::move(twin));
  b.AddUhr(s1, 0, 1, 0, 0, 1, 0, 0);
  TUhr& clock = b.AddUhr(s1, 1, 1, 0, 0, 1, 0, 0);
  TMerker& flag = b.AddMerker(s1, 9);
  TNameIndex index(b.Projekt);
  TSteuermodul* stm = nullptr;
  TModul* modul = nullptr;
  const std::string lower = "n" + m0.FindEingang(0)->InternalName().substr(1);
  EXPECT_EQ(index.FindEingang(lower, &stm, &modul), m0.FindEingang(0));
  EXPECT_EQ(b.Projekt.FindEingang(lower, nullptr, nullptr), m0.FindEingang(0));
  EXPECT_EQ(stm, &s0);
  EXPECT_EQ(modul, &m0);
  EXPECT_EQ(index.FindAusgang(m1.FindAusgang(0)->InternalName(), &stm, &modul), m1.FindAusgang(0));
  EXPECT_EQ(stm, &s1);
  EXPECT_EQ(index.FindRueckmeldung(m0.FindRueckmeldung(0)->InternalName(), nullptr, nullptr), m0.FindRueckmeldung(0));
  EXPECT_EQ(index.FindAusgang(m0.FindEingang(0)->InternalName(), &stm, &modul), nullptr);  // an input is no output
  EXPECT_EQ(stm, nullptr);
  EXPECT_EQ(modul, nullptr);
  int position = -1;
  EXPECT_EQ(index.FindUhr(clock.InternalName(), &stm, &position), &clock);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(index.FindMerker(flag.InternalName()), &flag);
  EXPECT_EQ(index.FindUhr("fehlt"), nullptr);
}

TEST(OffDays, OnAndOffTimesOnTheSameDays) {
  struct Case {
    int onDays, onH, onM, offDays, offH, offM, mask;
  };
  const Case cases[] = {
      {0x40, 22, 30, 0x40, 22, 10, 0x01},                                   // Sunday, off before on: Monday
      {0x40, 22, 10, 0x40, 22, 30, 0x40},                                   // off after on: the same day
      {0x40, 22, 30, 0x40, 21, 50, 0x01}, {0x1F, 22, 0, 0x1F, 6, 0, 0x3E},  // Monday..Friday night: Tuesday..Saturday
      {0x7F, 20, 0, 0x7F, 6, 0, 0x7F},                                      // every day stays every day
      {0x1F, 22, 0, 0x60, 6, 0, 0x60},                                      // other days: the off days as they are
      {0x81, 8, 0, 0x81, 9, 0, 0x01},  // initialisation clock: bit 7 becomes Monday
  };
  for (const Case& c : cases) {
    TUhr clock;
    clock.EinTage = c.onDays;
    clock.EinStunde = c.onH;
    clock.EinMinute = c.onM;
    clock.AusTage = c.offDays;
    clock.AusStunde = c.offH;
    clock.AusMinute = c.offM;
    EXPECT_EQ(OffDayMask(clock), c.mask) << c.onDays << " " << c.onH << ":" << c.onM << " " << c.offH << ":" << c.offM;
  }
}

TEST_F(Driver, ClockTableErrorsAreReported) {
  b.AddUhr(*s0, 0, 1, 25, 0, 1, 2, 0);
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find(Ansi("ungültige Schaltzeit")), std::string::npos);
  }
}

TEST_F(Driver, ImageNeverReachesTheProjectInformationBlock) {
  b.AddText(*s0, 0, "Text", 0, "", 0);
  TMerker& flag = b.AddMerker(*s0, 1);
  const auto addTextLinks = [&](int count) {
    for (int i = 0; i < count; ++i)
      SetObjectEndpoint(LinkFromObject(flag, kObjMerker, "MRK", 0, 1).Target(), 253, 0, "TXT", 0, 0);
  };
  // 880 records of 35 bytes fit into the text buffer but not into the image.
  addTextLinks(880);
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find(Ansi("ist zu groß")), std::string::npos) << e.what();
  }
  // 1000 records do not even fit into the text buffer.
  addTextLinks(120);
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find("Anzeigetexte"), std::string::npos) << e.what();
  }
}

TEST_F(Driver, LargestImageEndsBeforeTheProjectInformationBlock) {
  b.AddText(*s0, 0, "Text", 0, "", 0);
  TMerker& flag = b.AddMerker(*s0, 1);
  int links = 0;
  size_t largest = 0;
  while (links < 1000) {
    for (int i = 0; i < 10; ++i, ++links) {
      SetObjectEndpoint(LinkFromObject(flag, kObjMerker, "MRK", 0, 1).Target(), 253, 0, "TXT", 0, 0);
    }
    try {
      driver.CompileProject(false);
    } catch (const ECompileError&) {
      break;
    }
    largest = driver.Image(0)->ImageLength();
    ASSERT_LE(kModuleBase + largest, 0xBD00u);  // the contents end at the information block at the latest
  }
  EXPECT_GT(largest, 31000u);
  EXPECT_LT(links, 1000);
}

TEST_F(Driver, InvalidOrDoubledControlModuleAddressesFail) {
  b.AddStm(0);
  EXPECT_THROW(driver.CompileProject(false), ECompileError);
}

// --- visualisation ---

// Stand-ins with bindings the pages would refuse: missing objects and control modules.
struct TFakeIndexControl : IIndexTeleHandler {
  struct TEntry {
    int32_t S, Key, Number;
    TKanalArt Kind;
  };
  std::vector<TEntry> Bindings;
  int32_t GetIndexCount() override { return static_cast<int32_t>(Bindings.size()); }
  void GetIndexBinding(int i, int32_t& s, int32_t& m, int32_t& k, int32_t& shift, TKanalArt& kind) override {
    const TEntry& e = Bindings[static_cast<size_t>(i)];
    s = e.S, m = e.Key, k = e.Number, shift = 0, kind = e.Kind;
  }
  int32_t GetCommand(int i) override { return 1 + i; }
  std::string GetCommandName(int i) override { return "Taste " + std::to_string(i); }
  int32_t GetIndex(int i) override { return 0x0100 + i; }
  TIndexInfo* GetIndexInfo(int) override { return nullptr; }
  void HandleIndex(int32_t) override {}
  bool IsKindAllowed(int, TKanalArt) override { return true; }
  void SetCommand(int, int32_t, const std::string&) override {}
  void SetIndex(int, int32_t) override {}
  void SetIndexBinding(int, int32_t, int32_t, int32_t, int32_t, TKanalArt) override {}
};

struct TFakeChannelControl : IDispatchConnector {
  int32_t S = 0, Key = 0, Kanal = 0;
  TKanalArt Kind = TKanalArt::kaAusgang;
  void GetBinding(int32_t& s, int32_t& m, int32_t& k, TKanalArt& kind, std::string& name) override {
    s = S, m = Key, k = Kanal, kind = Kind, name.clear();
  }
  void SetBinding(int32_t, int32_t, int32_t, TKanalArt, const std::string&) override {}
};

struct TFakeVisu : IVisuLinkSource {
  std::vector<IIndexTeleHandler*> Index;
  std::vector<IDispatchConnector*> Channels;
  void VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const override {
    if (index)
      for (IIndexTeleHandler* h : Index) index(*h);
    if (channel)
      for (IDispatchConnector* c : Channels) channel(*c);
  }
};

TEST_F(Driver, VisualisationTelegramsAndShownOutputs) {
  TMerker& flag = b.AddMerker(*s0, 6);
  TFakeIndexControl index;
  index.Bindings = {{0, 1, 2, TKanalArt::kaEingang},   // input 2 of module key 1
                    {0, 1, 9, TKanalArt::kaEingang},   // no such input: no link
                    {0, 0, 6, TKanalArt::kaMerker},    // flag 6
                    {3, 1, 2, TKanalArt::kaEingang}};  // no control module 3
  TFakeChannelControl shown;
  shown.Key = 0x45, shown.Kanal = 2;
  TFakeChannelControl gone;
  gone.Key = 0x4F, gone.Kanal = 2;
  TFakeVisu visu;
  visu.Index = {&index};
  visu.Channels = {&shown, &gone};
  driver.Visu = &visu;
  EXPECT_EQ(driver.ImportVisuLinks(), 2);
  EXPECT_EQ(driver.ImportVisuLinks(), 0);  // kept links are not added twice
  ASSERT_EQ(LinkCount(Input(2)), 1);
  TVerbindung& link = *Input(2).Verbindungen().GetVerbindung(0);
  EXPECT_TRUE(link.IsGenerated());
  EXPECT_EQ(link.Source().FunctionNumber(), 1);
  EXPECT_EQ(link.Source().FunctionText(), "Taste 0");
  EXPECT_EQ(link.Source().Shift(), 3);
  EXPECT_EQ(link.Target().StmNummer(), 254);
  EXPECT_EQ(flag.Verbindungen().GetVerbindung(0)->Source().ModulKennung(), "MRK");
  driver.CompileProject(true);
  const TBinData& image = *driver.Image(0);
  // The input's list: telegram 0x0100 to control module 254.
  EXPECT_EQ(std::vector<uint8_t>(image.EventArea.Data() + 6, image.EventArea.Data() + 12),
            (std::vector<uint8_t>{41, 254, 18, 0x01, 0x00, 0}));
  EXPECT_EQ(image.PorArea.At(2 * 256 + 0x45), 0x04);
  EXPECT_EQ(LinkCount(Input(2)), 0);
}

// The project's own visualisation, handed to the driver by the one place that builds it: pages
// kept as component records (as a project read without the designer holds them), each control's
// binding as the page stores it. The image is read through its link table and power-on blocks.
TComponentRecord IndexControlRecord(const TIndexInfo& ein, const TIndexInfo& aus) {
  TComponentRecord rec;
  rec.ClassName = "TIndexControl";
  ein.WriteProperties("EinIndex.", rec.Properties);
  aus.WriteProperties("AusIndex.", rec.Properties);
  return rec;
}

TComponentRecord ChannelControlRecord(const char* className, int32_t s, int32_t key, int32_t kanal, TKanalArt kind) {
  TComponentRecord rec;
  rec.ClassName = className;
  TVisuData data(nullptr, kind);
  data.Steuermodul = s, data.Modul = key, data.Kanal = kanal;
  data.WriteProperties("VisuData.", rec.Properties);
  return rec;
}

TIndexInfo Index(int32_t s, int32_t key, int32_t number, TKanalArt kind, int32_t command, int32_t index) {
  TIndexInfo info;
  info.Steuermodul = s, info.Modul = key, info.Kanal = number, info.KanalArt = kind;
  info.Command = command, info.CommandName = "Taste", info.Index = index;
  return info;
}

TEST_F(Driver, VisualisationPagesOfTheProjectGiveTheirLinksToTheImage) {
  b.AddMerker(*s0, 6);
  TVisuProject& visu = b.Projekt.VisuProject();
  auto first = std::make_unique<TVisuPage>();
  first->Record().Name = "Page1";
  // Input 2 of INP.01 (key 1, input shift 3): event 1 sends telegram 7; an index without a
  // command sends nothing.
  first->Record().Children.push_back(IndexControlRecord(Index(0, 1, 2, TKanalArt::kaEingang, 1, 7),
                                                        Index(0, 1, 1, TKanalArt::kaEingang, -1, 8)));
  first->Record().Children.push_back(ChannelControlRecord("TVisuRoundLED", 0, 0x45, 2, TKanalArt::kaAusgang));
  auto second = std::make_unique<TVisuPage>();
  second->Record().Name = "Page2";
  second->Record().Children.push_back(
      IndexControlRecord(Index(0, 0, 6, TKanalArt::kaMerker, 0, 300), Index(-1, -1, 0, TKanalArt::kaUnknown, -1, 9)));
  second->Record().Children.push_back(ChannelControlRecord("TVisuLEDTeleButton", 0, 0x45, 9, TKanalArt::kaAusgang));
  second->Record().Children.push_back(ChannelControlRecord("TVisuRectLED", 0, 0x45, 1, TKanalArt::kaEingang));
  visu.AddPage(std::move(first));
  visu.AddPage(std::move(second));

  TProjectCompile compile(b.Projekt);
  TCompileDriver& d = compile.Driver();
  d.ProgramTitle = "ZYN";
  EXPECT_EQ(d.ImportVisuLinks(), 2);
  d.CompileProject(true);
  const TBinData& image = *d.Image(0);
  EXPECT_EQ(EventListBytes(image, 1, (2 << 3) | 1), (std::vector<uint8_t>{41, 254, 18, 0, 7, 0}));
  EXPECT_TRUE(OutputReported(image, 0x45, 2));
  EXPECT_TRUE(OutputReported(image, 0x45, 9));
  EXPECT_FALSE(OutputReported(image, 0x45, 1));  // bound as an input: not an output shown
  // The flag's reset list (event 0) holds telegram 300.
  const std::vector<uint8_t> ops(image.EventArea.Data(), image.EventArea.Data() + image.EventArea.Length());
  const std::vector<uint8_t> flagOp{41, 254, 18, 0x01, 0x2C};
  EXPECT_NE(std::search(ops.begin(), ops.end(), flagOp.begin(), flagOp.end()), ops.end());
  EXPECT_EQ(LinkCount(Input(2)), 0);  // the generated links are gone again
}

// --- build sequence ---

struct TFakeTools : IToolGenerator {
  TEingang* Input = nullptr;
  TModul* Out = nullptr;
  std::vector<std::string> Conflicts;
  int Calls = 0;
  void GenerateTools(TZYNProjekt&, std::vector<std::string>& conflicts) override {
    ++Calls;
    auto link = std::make_unique<TVerbindung>(true);
    link->SetGenerated(true);
    SetModuleEndpoint(link->Source(), *Input->Modul, 0, Input->Adresse(), 3, 1);
    SetModuleEndpoint(link->Target(), *Out, 0, 1, 5, 2);
    Input->Verbindungen().Add(std::move(link));
    conflicts = Conflicts;
  }
};

struct TFakeConflicts : ILogicConflicts {
  int Answer = 1;
  std::vector<std::string> Shown;
  int ShowLogicConflicts(const std::vector<std::string>& lines) override {
    Shown = lines;
    return Answer;
  }
};

struct TFakeProgress : ICompileProgress {
  std::vector<int> Codes;
  void ShowCompileProgress(int code, TVerbindung*) override { Codes.push_back(code); }
};

class Build : public Driver {
 protected:
  TFakeTools tools;
  TFakeConflicts conflicts;
  TFakeProgress progress;
  bool displays = false;
  const TempFolder folder{"build"};
  std::string file = folder.File("Haus.prg");
  TBuildSteps Steps() {
    tools.Input = &Input(0);
    tools.Out = out;
    TBuildSteps steps;
    steps.Tools = &tools;
    steps.Conflicts = &conflicts;
    steps.Progress = &progress;
    steps.CompileDisplays = [this] { displays = true; };
    steps.ProgramFile = file;
    return steps;
  }
};

TEST_F(Build, StopsAtTheConflictsWithoutTouchingTheProject) {
  std::remove(file.c_str());
  tools.Conflicts = {"\\bTool 1", "Konflikt"};
  conflicts.Answer = 2;
  EXPECT_FALSE(driver.BuildProject(Steps()));
  EXPECT_EQ(conflicts.Shown.size(), 2u);
  EXPECT_EQ(LinkCount(Input(0)), 0);
  EXPECT_FALSE(driver.Compiled());
  EXPECT_FALSE(displays);
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST_F(Build, GoesOnAfterIgnoreAndWritesTheProgramFile) {
  b.AddStm(2);
  b.AddStm(1);
  tools.Conflicts = {"Konflikt"};
  conflicts.Answer = 1;
  EXPECT_TRUE(driver.BuildProject(Steps()));
  EXPECT_EQ(tools.Calls, 1);
  EXPECT_TRUE(displays);
  EXPECT_EQ(LinkCount(Input(0)), 0);  // the tool link was compiled and removed again
  EXPECT_EQ(progress.Codes, std::vector<int>{0});
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 3u * 32768u);
  // In the order of the project's list: addresses 0, 2, 1.
  const int order[] = {0, 2, 1};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(std::equal(bytes.begin() + static_cast<long>(i * 32768),
                           bytes.begin() + static_cast<long>((i + 1) * 32768), driver.Image(order[i])->Bytes()));
  }
  // The tool link switched the output: image 0's lists hold its block.
  EXPECT_EQ(driver.Image(0)->EventArea.At(0), 1);
}

TEST_F(Build, NoConflictsNoQuestionAndAFunctionAsGenerator) {
  int calls = 0;
  TToolGeneratorFunction generator([&](TZYNProjekt& p, std::vector<std::string>&) {
    EXPECT_EQ(&p, &b.Projekt);
    ++calls;
  });
  TBuildSteps steps = Steps();
  steps.Tools = &generator;
  EXPECT_TRUE(driver.BuildProject(steps));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(conflicts.Shown.empty());
  EXPECT_TRUE(driver.Compiled());
}

TEST(ProgramFile, NameAndNoFileBeforeACompletedRun) {
  EXPECT_EQ(TCompileDriver::ProgramFileName("/tmp/Haus.zpf"), "/tmp/Haus.prg");
  EXPECT_EQ(TCompileDriver::ProgramFileName("/tmp/a.b/Haus"), "/tmp/a.b/Haus.prg");
  TProjectBuilder b;
  b.AddStm(0);
  TCompileDriver driver(b.Projekt);
  const TempFolder folder("build");
  EXPECT_THROW(driver.ExportPrograms(folder.File("never.prg")), ECompileError);
  EXPECT_FALSE(std::filesystem::exists(folder.File("never.prg")));
}

}  // namespace
}  // namespace zyn::test
