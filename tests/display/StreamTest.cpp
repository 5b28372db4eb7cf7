#include "DisplayFixtures.h"
#include "display/DispObserver.h"
#include "display/DisplayProjekt.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

std::vector<uint8_t> Write(TDisplayProjekt& project) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    project.WriteData(writer);
  }
  return stream.Bytes();
}

void Read(TDisplayProjekt& project, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  project.ReadData(reader);
}

// A project whose one display is the rich fixture.
void BuildRichProject(TDisplayProjekt& project) {
  TDisplayObjekt* display = project.AddNewDisplay();
  test::BuildRich(*display, project.DispUniqueNames);
  display->ReserveText = "reserve";
  display->Notizen = "Notiz \xE4";
  display->STMInternalName = "stm_1";
  display->KorrSTM = 1;
  display->DefaultZustand = 1;
}

TEST(DisplayStream, EmptySectionIsListPoolAndOneFlag) {
  TDisplayProjekt project;
  EXPECT_EQ(Write(project), (std::vector<uint8_t>{0x01, 0x00, 0x02, 0x00, 0x02, 0x00, 0x08}));
  TDisplayProjekt back;
  Read(back, {0x01, 0x00, 0x02, 0x00, 0x02, 0x00, 0x09});
  EXPECT_EQ(back.Count(), 0u);
  EXPECT_TRUE(back.Adressen.IsUsed(0));
}

TEST(DisplayStream, WriteReadWriteIsByteIdentical) {
  TDisplayProjekt project;
  BuildRichProject(project);
  const auto first = Write(project);
  TDisplayProjekt back;
  Read(back, first);
  EXPECT_EQ(Write(back), first);

  ASSERT_EQ(back.Count(), 1u);
  TDisplayObjekt& d = back[0];
  EXPECT_EQ(d.ReserveText, "reserve");
  EXPECT_EQ(d.Notizen, "Notiz \xE4");
  EXPECT_EQ(d.DisplayName, "Flur");
  EXPECT_EQ(d.STMInternalName, "stm_1");
  EXPECT_EQ(d.KorrSTM, 1);
  EXPECT_EQ(d.DefaultZustand, 1);
  EXPECT_EQ(d.InternalName, "");
  EXPECT_EQ(d.Adresse, 0);
  EXPECT_FALSE(d.Modified);
  EXPECT_TRUE(back.Adressen.IsUsed(0));
  ASSERT_EQ(d.ZustandsListe.Count(), 2u);
  EXPECT_EQ(d.ZustandsListe[1].EinText, "Offen");
  ASSERT_NE(d.StartBildschirm, nullptr);
  EXPECT_EQ(d.StartBildschirm->InternalName, "haupt");
  EXPECT_EQ(d.BildschirmReferenzTabelle.Count(), 5u);
  EXPECT_EQ(d.GetGrafikCount(), 3);
  EXPECT_EQ(d.GetZustandVarCount(), 3);

  TBildschirm& haupt = d.Bildschirme[0];
  EXPECT_EQ(d.Bildschirme.Key(0), "haupt");
  EXPECT_EQ(haupt.DefaultButtons.EineZeile, 0);
  EXPECT_EQ(haupt.DefaultButtons[0].Label2->Text, "Seite");
  EXPECT_EQ(haupt.Objekte.Key(1), "ZustVar 1");
  const auto& lampe = static_cast<const TZustandVar&>(haupt.Objekte[1]);
  EXPECT_EQ(lampe.ZustandIndex, 1);
  EXPECT_EQ(lampe.Link->ModulAdresse, 5);
  EXPECT_EQ(lampe.Buttons.Find("F3")->Funktion.TelegrammLaenge, 8);
  EXPECT_EQ(lampe.Buttons.Find("F3")->Funktion.Byte(7), 0x34);
  const auto& wert = haupt.Objekte[8];
  EXPECT_EQ(wert.Art(), TObjektArt::WertVar);
  EXPECT_EQ(wert.Breite, 0);
  EXPECT_EQ(wert.Hoehe, 0);
  const auto& grafik = static_cast<const TGrafik&>(haupt.Objekte[5]);
  EXPECT_EQ(grafik.Bitmap, static_cast<const TGrafik&>(project[0].Bildschirme[0].Objekte[5]).Bitmap);
  // The menu pages come back below the text, with their jumps registered.
  const auto& menu = haupt.Objekte[4];
  ASSERT_EQ(menu.Unterbildschirme.Count(), 3u);
  EXPECT_TRUE(d.NObserver.IsReferenced(menu.Unterbildschirme[2].InternalName));
  EXPECT_TRUE(d.NObserver.IsReferenced("haupt"));

  // The read display compiles to the same image as the original once its screens are in the
  // same order (reading files menu pages right after their text's screen).
  project[0].RebuildReferences();
  std::vector<std::string> messages;
  ASSERT_TRUE(project.CompileAll(&messages));
  ASSERT_TRUE(back.CompileAll(&messages));
  EXPECT_EQ(back[0].PrgLaenge, project[0].PrgLaenge);
  EXPECT_EQ(back[0].Speicher, project[0].Speicher);
}

TEST(DisplayStream, ReadLinksAreFiledInTheDisplayObserver) {
  TDisplayObserver observer;
  GDisplayObserver = &observer;
  {
    TDisplayProjekt project;
    BuildRichProject(project);
    TDisplayProjekt back;
    Read(back, Write(project));
    EXPECT_EQ(observer.CountEntries("modul_0_3"), 2);  // the text and the input state variable
    EXPECT_EQ(observer.CountEntries("modul_1_69"), 1);
    EXPECT_EQ(observer.CountEntries("nichts"), 0);
  }
  EXPECT_EQ(observer.Count(), 0u);  // freed objects leave the observer
  GDisplayObserver = nullptr;
}

TEST(DisplayStream, StartScreenOutsideTheTopLevelComesBackAsTheFirstScreen) {
  TDisplayProjekt project;
  BuildRichProject(project);
  TDisplayObjekt& d = project[0];
  d.StartBildschirm = &d.Bildschirme[0].Objekte[4].Unterbildschirme[1];
  EXPECT_EQ(d.StartScreenName(), "");
  d.StartBildschirm = &d.Bildschirme[1];
  EXPECT_EQ(d.StartScreenName(), "zweiter");
  TDisplayProjekt back;
  Read(back, Write(project));
  EXPECT_EQ(back[0].StartBildschirm, &back[0].Bildschirme[1]);

  d.StartBildschirm = &d.Bildschirme[0].Objekte[4].Unterbildschirme[1];
  Read(back, Write(project));
  EXPECT_EQ(back[0].StartBildschirm, &back[0].Bildschirme[0]);
}

TEST(DisplayStream, TelegramBytesBeyondTenAreNotStored) {
  TDisplayProjekt project;
  BuildRichProject(project);
  auto& f = project[0].Bildschirme[0].Objekte[1].Buttons[0].Funktion;
  f.TelegrammLaenge = 12;
  f.Byte(10) = 0xAA;
  f.Byte(11) = 0xBB;
  f.Byte(12) = 0xCC;
  TDisplayProjekt back;
  Read(back, Write(project));
  const auto& g = back[0].Bildschirme[0].Objekte[1].Buttons[0].Funktion;
  EXPECT_EQ(g.TelegrammLaenge, 12);
  EXPECT_EQ(g.Byte(10), 0xAA);
  EXPECT_EQ(g.Byte(11), 0);
  EXPECT_EQ(g.Byte(12), 0);
}

TEST(DisplayStream, EveryTruncationAndABadObjectTagFailTheRead) {
  TDisplayProjekt project;
  BuildRichProject(project);
  const auto bytes = Write(project);
  for (size_t n = 0; n < bytes.size(); ++n) {
    TDisplayProjekt back;
    EXPECT_THROW(Read(back, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n))), EReadError)
        << n;
  }

  // An object tag that is no kind of object ends the read.
  TDisplayProjekt one;
  TDisplayObjekt* d = one.AddNewDisplay();
  TBildschirm* s = test::AddScreen(*d, "S", "S");
  test::AddStateVariable(*s, 0, 0, 0);
  TDisplayProjekt back;
  auto badTag = Write(one);
  const std::vector<uint8_t> objects = {0x01, 0x02, 0x01, 0x06};  // list begin, tag 1, name
  auto tag = std::search(badTag.begin(), badTag.end(), objects.begin(), objects.end());
  ASSERT_NE(tag, badTag.end());
  *(tag + 2) = 0x09;
  EXPECT_THROW(Read(back, badTag), EReadError);
}

// A display whose start screen holds a state variable with an output key F1 and a jump key F2,
// and a second screen with a text.
void BuildKeyed(TDisplayProjekt& project) {
  TDisplayObjekt* d = project.AddNewDisplay();
  d->DisplayName = "Flur";
  TBildschirm* s = test::AddScreen(*d, "S1", "Start");
  TBildschirm* s2 = test::AddScreen(*d, "S2", "Zweiter");
  test::AddText(*s2, "Hallo", 1, 1);
  TZustandVar* v = test::AddStateVariable(*s, 0, 0, 0);
  auto* out = v->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  out->Funktion.Funktion = fkAusgang;
  out->Funktion.Text = "Ausgang";
  out->Funktion.TelegrammLaenge = 5;
  for (int n = 1; n <= 5; ++n) out->Funktion.Byte(n) = static_cast<uint8_t>(0x10 + n);
  auto* jump = v->Buttons.Add(std::make_unique<TFunktButton>("F2"));
  jump->Label1->Text = "weiter";
  jump->Funktion.Funktion = fkSprung;
  jump->Funktion.SprungParameter = 4;
  jump->Funktion.ZielBildschirm = "S2";
  d->StartBildschirm = s;
  d->RebuildReferences();
  d->RebuildNavigation();
}

std::vector<uint8_t> Replaced(std::vector<uint8_t> bytes, const std::vector<uint8_t>& from,
                              const std::vector<uint8_t>& to) {
  auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  EXPECT_NE(at, bytes.end());
  if (at == bytes.end()) return bytes;
  const auto offset = at - bytes.begin();
  bytes.erase(at, at + static_cast<long>(from.size()));
  bytes.insert(bytes.begin() + offset, to.begin(), to.end());
  return bytes;
}

TEST(DisplayStream, DamagedKeyValuesAreSkippedAndTheRestIsRead) {
  TDisplayProjekt project;
  BuildKeyed(project);
  const auto bytes = Write(project);
  // The output key's text, then its telegram length 5.
  const std::vector<uint8_t> length = {0x06, 7, 'A', 'u', 's', 'g', 'a', 'n', 'g', 0x02, 0x05};
  struct TCase {
    const char* Name;
    std::vector<uint8_t> From, To;
    size_t Notes;
  };
  const std::vector<TCase> cases = {
      // A text in place of an integer: that value alone is skipped.
      {"length as text", length, {0x06, 7, 'A', 'u', 's', 'g', 'a', 'n', 'g', 0x06, 0x00}, 1},
      // A list in place of the jump target's name.
      {"target as list", {0x06, 2, 'S', '2'}, {0x01, 0x02, 0x07, 0x00}, 1},
      // A link's channel kind that names no kind.
      {"link kind 9", {0x02, 0x02, 0x06, 0x00, 0x06, 0x00}, {0x02, 0x09, 0x06, 0x00, 0x06, 0x00}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDisplayProjekt back;
    ASSERT_NO_THROW(Read(back, Replaced(bytes, c.From, c.To)));
    ASSERT_EQ(back.Count(), 1u);
    const TDisplayObjekt& d = back[0];
    EXPECT_EQ(d.SkippedOnRead.size(), c.Notes);
    ASSERT_EQ(d.Bildschirme.Count(), 2u);
    EXPECT_EQ(static_cast<const TText&>(d.Bildschirme[1].Objekte[0]).Text, "Hallo");
    const TButtonListe& keys = d.Bildschirme[0].Objekte[0].Buttons;
    ASSERT_EQ(keys.Count(), 2u);
    EXPECT_EQ(keys[0].Funktion.Funktion, fkAusgang);  // the kind read so far stays
    EXPECT_EQ(keys[0].Funktion.Text, "Ausgang");
    EXPECT_EQ(keys[0].Funktion.Byte(5), 0x15);  // the bytes after the damaged value are read
    EXPECT_EQ(keys[1].Name, "F2");
    EXPECT_EQ(keys[1].Label1->Text, "weiter");
    EXPECT_EQ(keys[1].Funktion.Funktion, fkSprung);
  }
  // The warning names the display and where the damage lies.
  TDisplayProjekt back;
  Read(back, Replaced(bytes, length, {0x06, 7, 'A', 'u', 's', 'g', 'a', 'n', 'g', 0x06, 0x00}));
  const std::string warning = back.SkippedWarning();
  EXPECT_NE(warning.find("Das Display \"Flur\""), std::string::npos) << warning;
  EXPECT_NE(warning.find("Bildschirm \"Start\", ZustVar 0, Taste F1: Funktion unvollst\xE4ndig gelesen"),
            std::string::npos)
      << warning;
  // Read once more undamaged, nothing is noted and nothing warned of.
  Read(back, bytes);
  EXPECT_TRUE(back[0].SkippedOnRead.empty());
  EXPECT_EQ(back.SkippedWarning(), "");
}

TEST(DisplayStream, AKeyCutShortByTheEndOfItsListKeepsWhatItHas) {
  TDisplayProjekt project;
  BuildKeyed(project);
  // The jump key loses its target: the list end follows its jump parameter at once.
  const auto bytes = Replaced(Write(project), {0x02, 0x04, 0x06, 2, 'S', '2'}, {0x02, 0x04});
  TDisplayProjekt back;
  ASSERT_NO_THROW(Read(back, bytes));
  const TButtonListe& keys = back[0].Bildschirme[0].Objekte[0].Buttons;
  ASSERT_EQ(keys.Count(), 2u);
  EXPECT_EQ(keys[1].Funktion.Funktion, fkSprung);
  EXPECT_EQ(keys[1].Funktion.SprungParameter, 4);
  EXPECT_EQ(keys[1].Funktion.ZielBildschirm, "");
  EXPECT_EQ(back[0].SkippedOnRead.size(), 1u);
  EXPECT_EQ(back[0].Bildschirme[1].Name, "Zweiter");
}

TEST(DisplayStream, GraphicWhoseSizeDoesNotFitItsBytesIsLeftEmpty) {
  TDisplayProjekt one;
  TDisplayObjekt* d = one.AddNewDisplay();
  TBildschirm* s = test::AddScreen(*d, "S", "S");
  test::AddGraphic(*s, 0, 0, 9, 2, 8);
  auto bytes = Write(one);
  // Name, X, Y, Hoehe 2, Breite 9, count 4.
  const std::vector<uint8_t> form = {0x02, 0x02, 0x02, 0x09, 0x02, 0x04};
  auto at = std::search(bytes.begin(), bytes.end(), form.begin(), form.end());
  ASSERT_NE(at, bytes.end());
  TDisplayProjekt back;
  Read(back, bytes);
  EXPECT_EQ(static_cast<const TGrafik&>(back[0].Bildschirme[0].Objekte[0]).Bitmap.Pixel(8, 1), TMonoBitmap::clBlack);
  // A size that does not fit the count of bytes: the bytes are read past, the graphic stays
  // without content and the damage is noted; the screen is read to its end.
  test::AddText(*s, "Nach", 10, 10);
  bytes = Write(one);
  at = std::search(bytes.begin(), bytes.end(), form.begin(), form.end());
  ASSERT_NE(at, bytes.end());
  *(at + 3) = 0x11;
  ASSERT_NO_THROW(Read(back, bytes));
  ASSERT_EQ(back[0].Bildschirme[0].Objekte.Count(), 2u);
  EXPECT_EQ(static_cast<const TGrafik&>(back[0].Bildschirme[0].Objekte[0]).Bitmap.Width, 0);
  EXPECT_EQ(static_cast<const TText&>(back[0].Bildschirme[0].Objekte[1]).Text, "Nach");
  EXPECT_EQ(back[0].SkippedOnRead.size(), 1u);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The seeds of the display stream's fuzz target are written by hand in Python from the tags of
// the value stream; they read, write back unchanged and compile.
std::vector<uint8_t> Seed(const char* name) {
  return ReadFileBytes(std::string(ZYN_SOURCE_DIR) + "/tests/fuzz/corpus/fuzz_display_stream/" + name);
}

TEST(DisplayStream, HandWrittenSectionsReadAndWriteBackUnchanged) {
  for (const char* name : {"empty", "hallo", "rich"}) {
    const auto bytes = Seed(name);
    TDisplayProjekt project;
    Read(project, bytes);
    EXPECT_EQ(Write(project), bytes) << name;
    std::vector<std::string> messages;
    EXPECT_TRUE(project.CompileAll(&messages)) << name;
  }
  TDisplayProjekt hallo;
  Read(hallo, Seed("hallo"));
  ASSERT_TRUE(hallo.CompileAll());
  EXPECT_EQ(hallo[0].PrgLaenge, 127);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST(DisplayStream, MenusNestedBeyondReasonAreRefused) {
  auto nested = [](int depth) {
    TDisplayProjekt project;
    TDisplayObjekt* d = project.AddNewDisplay();
    TBildschirm* s = test::AddScreen(*d, "S", "S");
    for (int level = 0; level < depth; ++level) {
      TText* t = test::AddText(*s, "M", 0, 0);
      auto sub = std::make_unique<TBildschirm>();
      const std::string name = "sub" + std::to_string(level);
      sub->InternalName = name;
      s = t->Unterbildschirme.Add(name, std::move(sub));
    }
    return Write(project);
  };
  TDisplayProjekt back;
  EXPECT_NO_THROW(Read(back, nested(20)));
  EXPECT_THROW(Read(back, nested(150)), EReadError);
  EXPECT_NO_THROW(Read(back, nested(3)));  // the depth count recovers after a failure
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST(DisplayStream, ANamelessScreenIsWrittenWithItsListKey) {
  TDisplayProjekt project;
  TDisplayObjekt* d = project.AddNewDisplay();
  test::AddScreen(*d, "intern", "");
  TDisplayProjekt back;
  Read(back, Write(project));
  EXPECT_EQ(d->Bildschirme[0].Name, "intern");
  EXPECT_EQ(back[0].Bildschirme[0].Name, "intern");
  EXPECT_EQ(back[0].Bildschirme.Key(0), "intern");
}

}  // namespace
}  // namespace zyn
