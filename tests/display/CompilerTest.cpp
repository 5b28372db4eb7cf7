#include "DisplayFixtures.h"
#include "ImageWalker.h"
#include "display/CompilerDisplay.h"
#include "display/DispObjekt.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zyn {
namespace {

using test::AddGraphic;
using test::AddLine;
using test::AddScreen;
using test::AddStateVariable;
using test::AddText;

std::vector<uint8_t> Image(const TDisplayObjekt& d) { return {d.Speicher.begin(), d.Speicher.begin() + d.PrgLaenge}; }

bool Compile(TDisplayObjekt& d, TDispCompiler& compiler) {
  compiler.Display = &d;
  return compiler.CompileDisplay();
}

std::vector<uint8_t> Hex(std::initializer_list<int> bytes) { return {bytes.begin(), bytes.end()}; }

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
  to.insert(to.end(), bytes.begin(), bytes.end());
}

TEST(DisplayCompiler, HalloScreenIsTheKnown127Bytes) {
  TDisplayObjekt d;
  test::BuildHallo(d);
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler)) << compiler.LastError();

  std::vector<uint8_t> expected = Hex({0xFF, 0xFF, 0x80, 0x4C, 0x00, 0x00, 0x00, 0x00, 0x80, 0x5A, 0xFF, 0xFF});
  expected.insert(expected.end(), 64, 0xFF);
  Append(expected, Hex({0x01, 0x03, 0x0C, 0x80, 0x5B, 0x00}));
  Append(expected, Hex({0x45, 0x69, 0x6E, 0x00, 0x41, 0x75, 0x73, 0x00}));
  Append(expected, Hex({0x00}));
  Append(expected, Hex({0x10, 0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x10, 0x02, 0x00, 0x00,
                        0x10, 0x03, 0x00, 0x00, 0x10, 0x04, 0x00, 0x00, 0x10, 0x05, 0x00, 0x00}));
  Append(expected, Hex({0x07, 0x02, 0x01, 0x48, 0x61, 0x6C, 0x6C, 0x6F, 0x00}));
  Append(expected, Hex({0x0A, 0x00}));
  Append(expected, Hex({0x00}));
  ASSERT_EQ(expected.size(), 127u);
  EXPECT_EQ(Image(d), expected);
  EXPECT_EQ(d.PrgLaenge, 127);
  EXPECT_EQ(d.Startadresse, 0x8000);
  EXPECT_EQ(compiler.ImageLength(), 127);
  EXPECT_TRUE(std::all_of(d.Speicher.begin() + 127, d.Speicher.end(), [](uint8_t b) { return b == 0; }));
}

TEST(DisplayCompiler, CharactersAreMappedToPanelCodes) {
  EXPECT_EQ(MapDisplayChar(0xF6), 0x94);
  EXPECT_EQ(MapDisplayChar(0xDF), 0xDF);
  EXPECT_EQ(MapDisplayChar(0xE1), 0x83);
  EXPECT_EQ(MapDisplayChar(0xCF), 0x8B);
  EXPECT_EQ(MapDisplayChar(0xC7), 0x80);
  EXPECT_EQ(MapDisplayChar(0x80), 0x80);
  EXPECT_EQ(MapDisplayChar('A'), 'A');

  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "S");
  AddText(*s,
          "Gr\xF6\xDF"
          "e",
          0, 0);
  d.RebuildReferences();
  d.StartBildschirm = s;
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler));
  const auto image = Image(d);
  const auto expected = Hex({0x07, 0x00, 0x00, 0x47, 0x72, 0x94, 0xDF, 0x65, 0x00});
  EXPECT_NE(std::search(image.begin(), image.end(), expected.begin(), expected.end()), image.end());
}

TEST(DisplayCompiler, LookupTreeSortsControlModulesByNumberNotByText) {
  TDisplayObjekt d;
  test::BuildHallo(d);
  TBildschirm& screen = d.Bildschirme[0];
  int row = 1;
  for (const auto& [stm, modul] : {std::pair{1, 5}, std::pair{10, 0}, std::pair{1, 0}}) {
    TZustandVar* v = test::AddStateVariable(screen, 0, row++, 0);
    test::LinkOutput(*v->Link, stm, 0, modul, 1, 0);
  }
  d.RebuildReferences();
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler)) << compiler.LastError();
  const auto image = Image(d);
  // The control-module entries, followed through their links from the start of section 4.
  std::vector<int> stms;
  for (size_t at = (size_t(image[8]) << 8 | image[9]) - 0x8000; at + 3 < image.size() && stms.size() < 8;) {
    ASSERT_EQ(image[at], 0xA0);
    stms.push_back(image[at + 1]);
    const size_t next = size_t(image[at + 2]) << 8 | image[at + 3];
    if (next == 0) break;
    at = next - 0x8000;
  }
  EXPECT_EQ(stms, (std::vector<int>{1, 10}));
}

TEST(DisplayCompiler, RichDisplayHasEveryPointerOnARecord) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler)) << compiler.LastError();
  const auto image = Image(d);
  const auto walked = test::WalkImage(image, 2, 5);
  for (const auto& e : walked.Errors) ADD_FAILURE() << e;

  EXPECT_EQ(walked.StartupModules, (std::vector<int>{0, 1}));
  ASSERT_EQ(walked.StateRecords.size(), 2u);
  EXPECT_EQ(walked.Screens.size(), 5u);
  EXPECT_EQ(walked.GraphicRecords, 3);
  EXPECT_EQ(walked.GraphicBlocks.size(), 2u);  // the two identical graphics share one block
  EXPECT_EQ(walked.Screens[0], walked.StartScreen);

  // The lookup tree, sorted by control module, module byte and channel (inputs + 16).
  const int r1 = walked.StateRecords[0], r2 = walked.StateRecords[1];  // lampe (STM 1), kontakt (STM 0)
  const int s4 = walked.Section4;
  const int second = s4 + 16;
  std::vector<uint8_t> tree = Hex({0xA0, 0x00, (second >> 8), second & 0xFF, 0xA1, 0x03, 0x00, 0x00, 0xA2, 0x15, 0xA3,
                                   r2 >> 8, r2 & 0xFF, 0x00, 0x00, 0x00});
  Append(tree,
         Hex({0xA0, 0x01, 0x00, 0x00, 0xA1, 0x45, 0x00, 0x00, 0xA2, 0x03, 0xA3, r1 >> 8, r1 & 0xFF, 0x00, 0x00, 0x00}));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + (s4 - 0x8000), image.begin() + (s4 - 0x8000) + 32), tree);
  EXPECT_EQ(walked.TreeLeaves.at(r1), (std::vector<int>{1, 0x45, 3}));
  EXPECT_EQ(walked.TreeLeaves.at(r2), (std::vector<int>{0, 3, 21}));

  // Telegram blocks: STM 1's variable has the two output telegrams.
  const auto blocks =
      std::vector<uint8_t>(image.begin() + (walked.Section5 - 0x8000), image.begin() + (walked.Section6 - 0x8000));
  EXPECT_EQ(blocks, Hex({0x01, 0x03, 0x45, 0x01, 0x31, 0x01, 0x06, 0x45, 0x04, 0x32, 0x03, 0x34, 0x12}));

  // Two-row labels of the start screen's F4: label 1 at row 13, label 2 at row 14.
  const auto labels = Hex({0x0A, 0x80, 0x07, 0x20, 0x0D, 'Z', 'w', 'e', 'i', 't', 'e',
                           0x00, 0x07, 0x20, 0x0E, 'S',  'e', 'i', 't', 'e', 0x00});
  EXPECT_NE(std::search(image.begin(), image.end(), labels.begin(), labels.end()), image.end());
}

TEST(DisplayCompiler, MenuChainJumpsFollowThePages) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler));
  const auto& table = d.BildschirmReferenzTabelle;
  ASSERT_EQ(table.Count(), 5u);
  auto jumpTarget = [&](const TFunktButton& key) {
    const int at = key.Funktion.RecordAddress - 0x8000;
    EXPECT_EQ(d.Speicher[static_cast<size_t>(at)], 0x01);
    return d.Speicher[static_cast<size_t>(at) + 3] * 256 + d.Speicher[static_cast<size_t>(at) + 4];
  };
  TBildschirm& haupt = table[0];
  const TText& menu = static_cast<const TText&>(haupt.Objekte[4]);
  EXPECT_EQ(jumpTarget(*menu.Buttons.Find("F3")), table[2].ScreenAddress);
  EXPECT_EQ(jumpTarget(*table[2].DefaultButtons.Find("F1")), haupt.ScreenAddress);
  EXPECT_EQ(jumpTarget(*table[2].DefaultButtons.Find("F4")), table[3].ScreenAddress);
  EXPECT_EQ(jumpTarget(*table[3].DefaultButtons.Find("F1")), table[2].ScreenAddress);
  EXPECT_EQ(jumpTarget(*table[3].DefaultButtons.Find("F4")), table[4].ScreenAddress);
  EXPECT_EQ(jumpTarget(*table[4].DefaultButtons.Find("F1")), table[3].ScreenAddress);
  EXPECT_EQ(table[4].DefaultButtons.Find("F4"), nullptr);
}

// Grows a display by a filler text until its image has exactly `length` bytes.
void FillTo(TDisplayObjekt& d, TDispCompiler& compiler, int length) {
  ASSERT_TRUE(Compile(d, compiler));
  int missing = length - d.PrgLaenge;
  int screenNo = 0;
  while (missing > 0) {
    TBildschirm* s = AddScreen(d, "fill" + std::to_string(screenNo), "F");
    ++screenNo;
    missing -= 24 + 1 + 2;  // unbinding records, end, key bar
    while (missing > 0) {
      int n = std::min(missing - 4, 200);
      if (n < 1) {  // too little left for a text: shorten the previous one
        auto& last = static_cast<TText&>(s->Objekte[s->Objekte.Count() - 1]);
        last.Text.resize(last.Text.size() - 10);
        last.Laenge = static_cast<uint8_t>(last.Text.size());
        missing += 10;
        n = missing - 4;
      }
      AddText(*s, std::string(static_cast<size_t>(n), 'x'), 0, 0);
      missing -= n + 4;
      if (s->Objekte.Count() >= 60) break;
    }
  }
  d.RebuildReferences();
}

TEST(DisplayCompiler, ImageEndingAtTheLimitCompilesAndOneByteMoreFails) {
  TDisplayObjekt d;
  test::BuildHallo(d);
  TDispCompiler compiler;
  const int maximum = TDispCompiler::Limit - TDispCompiler::BaseAddress;
  FillTo(d, compiler, maximum);
  ASSERT_TRUE(Compile(d, compiler)) << compiler.LastError();
  ASSERT_EQ(d.PrgLaenge, maximum);
  EXPECT_TRUE(compiler.LastError().empty());

  auto& last = static_cast<TText&>(d.BildschirmReferenzTabelle[d.BildschirmReferenzTabelle.Count() - 1].Objekte[0]);
  last.Text += "y";
  last.Laenge = static_cast<uint8_t>(last.Text.size());
  EXPECT_FALSE(Compile(d, compiler));
  EXPECT_EQ(d.PrgLaenge, 0);  // nothing to send
  EXPECT_NE(compiler.LastError().find("zu gro\xDF"), std::string::npos);
  EXPECT_TRUE(std::all_of(d.Speicher.begin(), d.Speicher.end(), [](uint8_t b) { return b == 0; }));
}

TEST(DisplayCompiler, CompileAllReportsEveryFailure) {
  TDisplayProjekt project;
  TDisplayObjekt* ok = project.AddNewDisplay();
  ASSERT_NE(ok, nullptr);
  ok->InitNew(project);
  EXPECT_EQ(project.AddNewDisplay(), nullptr);  // one address only
  std::vector<std::string> messages;
  EXPECT_TRUE(project.CompileAll(&messages));
  EXPECT_TRUE(messages.empty());
  EXPECT_GT(ok->PrgLaenge, 0);

  ok->StartBildschirm = nullptr;
  EXPECT_FALSE(project.CompileAll(&messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Startbildschirm"), std::string::npos);
  EXPECT_EQ(ok->PrgLaenge, 0);
}

TEST(DisplayCompiler, JumpToAMissingScreenFailsTheCompile) {
  TDisplayObjekt d;
  test::BuildHallo(d);
  AddJumpKey(d.Bildschirme[0].DefaultButtons, "F2", "Weg", "gibt-es-nicht");
  TDispCompiler compiler;
  EXPECT_FALSE(Compile(d, compiler));
  EXPECT_NE(compiler.LastError().find("gibt-es-nicht"), std::string::npos);
  EXPECT_EQ(d.PrgLaenge, 0);
}

TEST(DisplayCompiler, LinesAndLabelsArePlacedAsThePanelDrawsThem) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "S");
  AddLine(*s, 3, 4, 1, 1);
  AddLine(*s, 5, 6, 2, 2);
  AddLine(*s, 7, 8, 30, 1);
  auto* f2 = AddJumpKey(s->DefaultButtons, "F2", "abc", "S1");
  auto* f1 = AddJumpKey(s->DefaultButtons, "F1", "0123456789", "S1");
  d.RebuildReferences();
  d.StartBildschirm = s;
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler));
  EXPECT_EQ(f2->Label1->X, 78);
  EXPECT_EQ(f2->Label1->Y, 112);
  EXPECT_EQ(f1->Label1->X, 0);
  const auto image = Image(d);
  const auto lines = Hex({0x12, 3, 4, 1, 0x11, 7, 8, 30, 0x0A, 0x03});
  EXPECT_NE(std::search(image.begin(), image.end(), lines.begin(), lines.end()), image.end());
}

TEST(DisplayCompiler, SingleTabStopIsItsOwnNeighbourAndUnlinkedVariablesVanish) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "S");
  TZustandVar* v = AddStateVariable(*s, 2, 3, 0);
  test::LinkOutput(*v->Link, 0, 1, 2, 0, 0);
  auto* key = v->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  key->Funktion.Funktion = fkAusgang;
  key->Funktion.TelegrammLaenge = 5;
  d.RebuildReferences();
  d.StartBildschirm = s;
  TDispCompiler compiler;
  ASSERT_TRUE(Compile(d, compiler));
  const auto walked = test::WalkImage(Image(d), 1, 1);
  for (const auto& e : walked.Errors) ADD_FAILURE() << e;
  ASSERT_EQ(walked.NavigationBlocks.size(), 2u);
  // Both blocks highlight the one stop: off, then on again.
  for (int block : walked.NavigationBlocks) {
    const size_t at = static_cast<size_t>(block - 0x8000);
    EXPECT_EQ(std::vector<uint8_t>(d.Speicher.begin() + at, d.Speicher.begin() + at + 10),
              Hex({0x0E, 2, 3, 3, 0, 0x0E, 2, 3, 3, 1}));
  }
  EXPECT_EQ(v->PrevAddress, walked.NavigationBlocks[0]);
  EXPECT_EQ(v->NextAddress, walked.NavigationBlocks[1]);

  v->Link->ResetLink();
  ASSERT_TRUE(Compile(d, compiler));
  EXPECT_EQ(v->RecordAddress, -1);
  const auto again = test::WalkImage(Image(d), 1, 1);
  for (const auto& e : again.Errors) ADD_FAILURE() << e;
  EXPECT_EQ(again.StateVariableRecords, 0);
  // The output key has no telegram block any more: no function record, and it is bound to 00 00.
  EXPECT_EQ(key->Funktion.RecordAddress, -1);
  EXPECT_TRUE(again.FunctionRecords.empty());
  ASSERT_FALSE(key->Funktion.Fixups.empty());
  for (int at : key->Funktion.Fixups) {
    EXPECT_EQ(d.Speicher[static_cast<size_t>(at - 0x8000)], 0);
    EXPECT_EQ(d.Speicher[static_cast<size_t>(at - 0x8000) + 1], 0);
  }
  EXPECT_EQ(walked.StateVariableRecords, 1);
}

}  // namespace
}  // namespace zyn
