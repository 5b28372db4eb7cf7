#include "DisplayFixtures.h"
#include "display/CompilerDisplay.h"
#include "display/DispObserver.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(DisplayObserver, RenumberingAModulePatchesTheTelegramsOfLinkedObjects) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TDisplayObserver observer;
  TBildschirm& haupt = d.Bildschirme[0];
  auto& licht = haupt.Objekte[0];  // input link, key kind 5
  auto& lampe = haupt.Objekte[1];  // output link, keys kind 3
  licht.Link->ModulInternalName = "m";
  lampe.Link->ModulInternalName = "m";
  observer.AddLink(licht.Link.get());
  observer.AddLink(lampe.Link.get());
  EXPECT_EQ(observer.CountEntries("m"), 2);

  observer.ChangeModuleAddress("other", 2, 5);  // no entries: nothing changes
  EXPECT_EQ(lampe.Link->ModulAdresse, 5);
  EXPECT_EQ(lampe.Buttons[0].Funktion.Byte(3), 0x45);

  observer.ChangeModuleAddress("m", 2, 7);
  EXPECT_EQ(lampe.Link->ModulAdresse, 7);
  EXPECT_EQ(licht.Link->ModulAdresse, 7);
  for (size_t k = 0; k < lampe.Buttons.Count(); ++k) EXPECT_EQ(lampe.Buttons[k].Funktion.Byte(3), 2 * 32 + 7);
  EXPECT_EQ(licht.Buttons[0].Funktion.Byte(2), 2 * 32 + 7);
  EXPECT_EQ(licht.Buttons[0].Funktion.Byte(3), 0x52);  // the channel byte stays

  // Filing a link again moves it rather than doubling it.
  lampe.Link->ModulInternalName = "n";
  observer.AddLink(lampe.Link.get());
  EXPECT_EQ(observer.CountEntries("m"), 1);
  EXPECT_EQ(observer.CountEntries("n"), 1);
}

TEST(DisplayObserver, DeletingAModuleDropsItsKeysAndLinks) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TDisplayObserver observer;
  TBildschirm& haupt = d.Bildschirme[0];
  auto& lampe = haupt.Objekte[1];
  auto& menu = haupt.Objekte[4];
  lampe.Link->ModulInternalName = "m";
  menu.Link->ModulInternalName = "m";  // a text with a jump key and a kind-2 key
  menu.Link->KanalTyp = TKanalTyp::otEingang;
  auto* value = menu.Buttons.Add(std::make_unique<TFunktButton>("F4"));
  value->Funktion.Funktion = fkWert;
  observer.AddLink(lampe.Link.get());
  observer.AddLink(menu.Link.get());

  observer.RemoveModule("m");
  EXPECT_EQ(observer.CountEntries("m"), 0);
  EXPECT_TRUE(lampe.Buttons.Empty());
  EXPECT_FALSE(lampe.IsLinked());
  EXPECT_EQ(lampe.Link->ModulAdresse, -1);
  EXPECT_EQ(lampe.Link->ModulInternalName, "");
  ASSERT_EQ(menu.Buttons.Count(), 2u);  // the jump and the value key stay
  EXPECT_EQ(menu.Buttons[0].Funktion.Funktion, fkSprung);

  TDispCompiler compiler;
  compiler.Display = &d;
  EXPECT_TRUE(compiler.CompileDisplay()) << compiler.LastError();
}

TEST(NavigationObserver, DeletingAScreenRemovesEveryJumpIntoItAndItsSubScreens) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TBildschirm& haupt = d.Bildschirme[0];
  TBildschirm* zweiter = &d.Bildschirme[1];
  auto& menu = haupt.Objekte[4];
  const std::string page1 = menu.Unterbildschirme[0].InternalName;
  EXPECT_TRUE(d.NObserver.IsReferenced("zweiter"));
  EXPECT_TRUE(d.NObserver.IsReferenced(page1));

  // Another top-level screen jumps into the menu's second page.
  TBildschirm* third = test::AddScreen(d, "dritter", "Dritter");
  auto* into = AddJumpKey(third->DefaultButtons, "F2", "Menu", menu.Unterbildschirme[1].InternalName);
  d.BildschirmReferenzTabelle.AddReference("dritter", third);
  d.NObserver.AddScreenEntry("dritter");
  d.NObserver.AddJump(menu.Unterbildschirme[1].InternalName, into);

  // Deleting the first menu page: the text loses its entry key, page 2 its way back.
  ASSERT_TRUE(d.DeleteScreen(&menu.Unterbildschirme[0]));
  EXPECT_EQ(menu.Buttons.Find("F3"), nullptr);  // the text's entry key jumped to page 1
  EXPECT_EQ(d.BildschirmReferenzTabelle.FindBildschirm(page1), nullptr);
  EXPECT_EQ(d.NObserver.Find(page1), nullptr);
  // Page 2's F1 went back to page 1 and is gone too.
  EXPECT_EQ(menu.Unterbildschirme[0].DefaultButtons.Find("F1"), nullptr);

  // Deleting the screen holding the menu text takes the remaining pages with it.
  d.StartBildschirm = &haupt;
  ASSERT_TRUE(d.DeleteScreen(&haupt));
  EXPECT_TRUE(third->DefaultButtons.Empty());    // its jump into a page of the deleted screen
  EXPECT_TRUE(zweiter->DefaultButtons.Empty());  // F1 back to the deleted start screen
  EXPECT_EQ(d.StartBildschirm, zweiter);
  EXPECT_EQ(d.BildschirmReferenzTabelle.Count(), 2u);
  for (size_t i = 0; i < d.NObserver.Count(); ++i) EXPECT_TRUE(d.NObserver[i].Keys.empty());

  TDispCompiler compiler;
  compiler.Display = &d;
  EXPECT_TRUE(compiler.CompileDisplay()) << compiler.LastError();
  TBildschirm stranger;
  EXPECT_FALSE(d.DeleteScreen(&stranger));
}

TEST(NavigationObserver, DeleteJumpsToFreesTheRegisteredKeys) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  TBildschirm& zweiter = d.Bildschirme[1];
  EXPECT_TRUE(d.NObserver.IsReferenced("haupt"));
  d.NObserver.DeleteJumpsTo("haupt");
  EXPECT_EQ(zweiter.DefaultButtons.Find("F1"), nullptr);
  EXPECT_FALSE(d.NObserver.IsReferenced("haupt"));

  d.NObserver.RemoveScreenJumps(d.Bildschirme[0]);
  EXPECT_FALSE(d.NObserver.IsReferenced("zweiter"));
  ASSERT_NE(d.Bildschirme[0].DefaultButtons.Find("F4"), nullptr);  // unregistered, not freed
  d.RebuildNavigation();
  EXPECT_TRUE(d.NObserver.IsReferenced("zweiter"));
}

TEST(DisplayProjekt, MergeCreatesUpdatesAndRemovesDisplays) {
  TDisplayProjekt project;
  EXPECT_EQ(project.Adressen.FindFree(), 0);
  TDisplayProjekt copy;
  copy.CopyFrom(project);
  TDisplayObjekt* added = copy.AddNewDisplay();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->DisplayName, "Display 0");
  EXPECT_EQ(added->ShortName(), "DSP.00");
  EXPECT_EQ(copy.AddNewDisplay(), nullptr);
  copy.MergeInto(project);
  ASSERT_EQ(project.Count(), 1u);
  TDisplayObjekt& merged = project[0];
  EXPECT_EQ(merged.InternalName, added->InternalName);
  ASSERT_EQ(merged.Bildschirme.Count(), 1u);
  EXPECT_EQ(merged.Bildschirme[0].Name, "Startbildschirm");
  EXPECT_EQ(merged.StartBildschirm, &merged.Bildschirme[0]);
  EXPECT_EQ(merged.Projekt, &project);
  EXPECT_TRUE(project.Adressen.IsUsed(0));

  TDisplayProjekt second;
  second.CopyFrom(project);
  second[0].DisplayName = "Eingang";
  second[0].Notizen = "neu";
  second.MergeInto(project);
  EXPECT_EQ(&project[0], &merged);
  EXPECT_EQ(merged.DisplayName, "Eingang");
  EXPECT_EQ(merged.Bildschirme.Count(), 1u);

  TDisplayProjekt empty;
  empty.CopyFrom(project);
  empty.Remove(&empty[0]);
  empty.MergeInto(project);
  EXPECT_EQ(project.Count(), 0u);
  EXPECT_FALSE(project.Adressen.IsUsed(0));
}

TEST(DisplayProjekt, NewNamesCountWithinOneSecond) {
  TDispUniqueNames names;
  EXPECT_EQ(names.NewName("01022026_101500_"), "01022026_101500_0");
  EXPECT_EQ(names.NewName("01022026_101500_"), "01022026_101500_1");
  const std::string stamp = TDispUniqueNames::CurrentStamp();
  ASSERT_EQ(stamp.size(), 16u);
  EXPECT_EQ(stamp[8], '_');
  EXPECT_EQ(stamp[15], '_');
  names.CountMethod = TCountMethod::cntRandom;
  const std::string a = names.NewName("x_"), b = names.NewName("x_");
  EXPECT_NE(a, b);
}

TEST(DisplayProjekt, LinkedControlModulesAreCollectedOnce) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  test::BuildRich(d, names);
  std::vector<std::string> all, variables;
  CollectLinkedSTMs(d.Bildschirme, all, false);
  CollectLinkedSTMs(d.Bildschirme, variables, true);
  EXPECT_EQ(all, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(variables, (std::vector<std::string>{"1", "0"}));
}

TEST(DisplayOperations, KeyTelegrams) {
  TText owner;
  TVarVerbindung& link = *owner.Link;
  test::LinkOutput(link, 1, 2, 5, 3, 4);
  TDispFunctions f;
  BuildOutputTelegram(link, 1, nullptr, f);
  EXPECT_EQ(f.TelegrammLaenge, 5);
  EXPECT_EQ(std::vector<uint8_t>(f.Telegramm.begin(), f.Telegramm.begin() + 5),
            (std::vector<uint8_t>{0x01, 0x03, 0x45, 0x01, 0x31}));

  struct Case {
    int kind, length;
    std::vector<uint8_t> tail;  // bytes 2, 4 and 6 on
  };
  TTelegrammParameter p;
  p.PriorityMask = 7;
  p.FlagBit = true;
  p.Value = 0x0102;
  p.Block = {9, 8, 7, 6, 5, 4};
  const Case cases[] = {
      {5, 8, {6, 4, 0x47, 0x02, 0x01}},  {9, 8, {6, 4, 0x47, 0x02, 0x01}},         {6, 6, {4, 2, 0x47}},
      {7, 10, {8, 6, 0x47, 9, 8, 7, 6}}, {8, 12, {10, 8, 0x47, 9, 8, 7, 6, 5, 4}}, {1, 7, {5, 3, 0x02, 0x01}},
  };
  for (const Case& c : cases) {
    p.Kind = c.kind;
    BuildOutputTelegram(link, 1, &p, f);
    EXPECT_EQ(f.TelegrammLaenge, c.length) << c.kind;
    std::vector<uint8_t> tail = {f.Byte(2), f.Byte(4)};
    for (int n = 6; n <= c.length; ++n) tail.push_back(f.Byte(n));
    EXPECT_EQ(tail, c.tail) << c.kind;
  }
  EXPECT_EQ(BefehlsArtOf(2), 2);
  EXPECT_EQ(BefehlsArtOf(3), 3);
  EXPECT_EQ(BefehlsArtOf(6), 1);
  EXPECT_EQ(BefehlsArtOf(1), 0);

  test::LinkInput(link, 0, 0, 3, 5);
  BuildInputTelegram(link, 2, f);
  EXPECT_EQ(f.TelegrammLaenge, 4);
  EXPECT_EQ(std::vector<uint8_t>(f.Telegramm.begin(), f.Telegramm.begin() + 4),
            (std::vector<uint8_t>{0x00, 0x03, 0x52, 0x00}));
}

TEST(DisplayOperations, WidthsUpToTheRightNeighbour) {
  TDisplayObjekt d;
  d.ZustandsListe.Add("ab", "c");
  d.ZustandsListe.Add("abc", "");
  TBildschirm* s = test::AddScreen(d, "S", "S");
  TZustandVar* v = test::AddStateVariable(*s, 0, 2, 0);
  v->X = 222;
  EXPECT_TRUE(ApplyZustandPair(d, *s, *v, 1));
  EXPECT_EQ(v->ZustandIndex, 1);
  EXPECT_EQ(v->Breite, 12);
  EXPECT_FALSE(ApplyZustandPair(d, *s, *v, 2));
  EXPECT_EQ(v->ZustandIndex, 1);
  EXPECT_FALSE(ApplyZustandPair(d, *s, *v, 7));

  TText* t = test::AddText(*s, "x", 5, 4);
  TText* right = test::AddText(*s, "y", 15, 4);
  test::AddText(*s, "z", 8, 6);  // other rows do not count
  EXPECT_EQ(AvailableColumns(*s, *t, 240), 10);
  EXPECT_EQ(AvailableColumns(*s, *right, 240), 25);
}

TEST(DisplayOperations, MenuPagesFormAChain) {
  TDisplayObjekt d;
  TDispUniqueNames names;
  TBildschirm* s = test::AddScreen(d, "S", "S");
  d.RebuildReferences();
  d.RebuildNavigation();
  TText* t = test::AddText(*s, "Licht 1", 0, 0);
  EXPECT_EQ(ProposedMenuScreenName(*t), "Licht11");
  EXPECT_EQ(AddMenuPage(d, names, *s, *t, "P", "", "",
                        "zur\xFC"
                        "ck",
                        "weiter"),
            nullptr);  // no entry key
  EXPECT_EQ(AddMenuPage(d, names, *s, *t, "", "F3", "", "b", "w"), nullptr);
  TBildschirm* p1 = AddMenuPage(d, names, *s, *t, "P1", "F3", "",
                                "zur\xFC"
                                "ck",
                                "weiter");
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(ProposedMenuScreenName(*t), "Licht12");
  TBildschirm* p2 = AddMenuPage(d, names, *s, *t, "P2", "F3", "",
                                "zur\xFC"
                                "ck",
                                "weiter");
  TBildschirm* p3 = AddMenuPage(d, names, *s, *t, "P3", "F3", "",
                                "zur\xFC"
                                "ck",
                                "weiter");
  ASSERT_NE(p3, nullptr);
  auto target = [](const TButtonListe& keys, const char* name) {
    const TFunktButton* key = keys.Find(name);
    return key ? key->Funktion.ZielBildschirm : std::string("-");
  };
  EXPECT_EQ(target(t->Buttons, "F3"), p1->InternalName);
  EXPECT_EQ(t->Buttons.Find("F3")->Label1->Text, "F3");
  EXPECT_EQ(t->Buttons.Find("F3")->Funktion.SprungParameter, 4);
  EXPECT_EQ(target(p1->DefaultButtons, "F1"), "S");
  EXPECT_EQ(target(p1->DefaultButtons, "F4"), p2->InternalName);
  EXPECT_EQ(target(p2->DefaultButtons, "F1"), p1->InternalName);
  EXPECT_EQ(target(p2->DefaultButtons, "F4"), p3->InternalName);
  EXPECT_EQ(target(p3->DefaultButtons, "F1"), p2->InternalName);
  EXPECT_EQ(target(p3->DefaultButtons, "F4"), "-");
  EXPECT_EQ(p1->DefaultButtons.Find("F4")->Label1->Text, "weiter");
  EXPECT_EQ(d.BildschirmReferenzTabelle.Count(), 4u);
  EXPECT_TRUE(d.NObserver.IsReferenced(p3->InternalName));
  EXPECT_TRUE(d.NObserver.IsReferenced("S"));
  EXPECT_EQ(t->Unterbildschirme.Key(2), "P3");
}

TEST(DisplayOperations, NamesFromTextsKeepWhatThePanelShowsAndProposedNamesAreFree) {
  TBildschirm screen;
  // Blanks and characters without a glyph go; umlauts and the panel's other special characters
  // stay, as in the text itself.
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"Licht 1", "Licht11"},
      {"Licht K\xFC"
       "che",
       "LichtK\xFC"
       "che1"},
      {"\xC4u\xDF"
       "ere T\xFCr",
       "\xC4uereT\xFCr1"},  // \xDF has no glyph
      {"~Preis \xA3", "Preis\xA3" "1"},
  };
  for (const auto& [text, name] : texts) {
    TText* t = test::AddText(screen, text, 0, 0);
    EXPECT_EQ(ProposedMenuScreenName(*t), name) << text;
  }

  TDisplayObjekt d;
  test::AddScreen(d, "A", "NeuerBildschirm2");
  TBildschirm* top = test::AddScreen(d, "B", "Oben");
  TText* menu = test::AddText(*top, "Menue", 0, 0);
  auto page = std::make_unique<TBildschirm>();
  page->Name = "NeuerBildschirm3";
  menu->Unterbildschirme.Add("p", std::move(page));
  EXPECT_EQ(FreeScreenName(d, "NeuerBildschirm", 1), "NeuerBildschirm1");
  EXPECT_EQ(FreeScreenName(d, "NeuerBildschirm", 2), "NeuerBildschirm4");  // sub-screens count too
  EXPECT_TRUE(ScreenNameUsed(d, "NeuerBildschirm3"));
  EXPECT_EQ(CountScreensBelow(*menu), 1u);
}

TEST(DisplayOperations, StatePairsAreDeletedOnlyWhenUnused) {
  TDisplayObjekt d;
  d.ZustandsListe.Add("a", "b");
  d.ZustandsListe.Add("c", "d");
  d.ZustandsListe.Add("e", "f");
  d.DefaultZustand = 3;
  TBildschirm* s = test::AddScreen(d, "S", "S");
  TText* menu = test::AddText(*s, "M", 0, 0);
  auto sub = std::make_unique<TBildschirm>();
  TZustandVar* deep = test::AddStateVariable(*sub, 0, 0, 3);
  menu->Unterbildschirme.Add("sub", std::move(sub));
  TZustandVar* flat = test::AddStateVariable(*s, 0, 1, 1);

  EXPECT_FALSE(CanDeleteZustand(d, 0));
  EXPECT_FALSE(CanDeleteZustand(d, 1));  // in use
  EXPECT_FALSE(CanDeleteZustand(d, 4));
  d.Modified = false;
  EXPECT_TRUE(DeleteZustand(d, 2));
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(d.ZustandsListe.Count(), 3u);
  EXPECT_EQ(deep->ZustandIndex, 2);
  EXPECT_EQ(flat->ZustandIndex, 1);
  EXPECT_EQ(d.DefaultZustand, 2);
  EXPECT_EQ(d.ZustandsListe[2].EinText, "e");
}

TEST(DisplayOperations, LineFromDialogPoints) {
  struct Case {
    bool vertical;
    int xs, ys, xe, ye;
    int x, y, w, h;
  };
  const Case cases[] = {
      {true, 10, 5, 10, 20, 9, 4, 1, 16},  {true, 10, 20, 10, 5, 9, 4, 1, 16},  // points in either order cover both
                                                                                // ends
      {false, 1, 7, 240, 7, 0, 6, 240, 1}, {false, 50, 7, 20, 7, 19, 6, 31, 1}, {true, 3, 0, 3, 4, 2, 0, 1, 4},
  };
  for (const Case& c : cases) {
    TLine line;
    SetLineFromPoints(line, c.vertical, c.xs, c.ys, c.xe, c.ye);
    EXPECT_EQ(line.X, c.x);
    EXPECT_EQ(line.Y, c.y);
    EXPECT_EQ(line.Breite, c.w);
    EXPECT_EQ(line.Hoehe, c.h);
  }
}

}  // namespace
}  // namespace zyn
