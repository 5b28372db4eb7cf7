// The designer's rules without drawing: placement, hit test, key bar, lines, text entry, the
// emulator's cursor, the colours of "Display.ini", the glyph table, the screen manager and the
// snapshots that Cancel gives back.

#include "display/ViewRules.h"

#include "DisplayFixtures.h"
#include "display/DispObjekt.h"
#include "display/DisplayProjekt.h"
#include "display/ProjektVerwaltung.h"
#include "display/Zeichensatz.h"
#include "model/base/XMLIniFile.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::AddGraphic;
using test::AddLine;
using test::AddScreen;
using test::AddStateVariable;
using test::AddText;

TEST(ViewRules, TextsStayInTheTextAreaAndOffGraphicCells) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  struct Case {
    int x, y;
    bool allowed;
  };
  for (const Case& c : {Case{234, 0, true}, Case{240, 0, false}, Case{0, 96, true}, Case{0, 104, false},
                        Case{-1, 0, false}, Case{0, -1, false}})
    EXPECT_EQ(CanPlace(TObjektArt::Text, nullptr, c.x, c.y, 6, 8, s->Objekte), c.allowed) << c.x << "," << c.y;

  // A graphic covering one pixel (x 11, y 17) of the cell in column 1, row 2 blocks the whole cell.
  AddGraphic(*s, 11, 17, 1, 1, 0);
  EXPECT_FALSE(CanPlace(TObjektArt::Text, nullptr, 6, 16, 6, 8, s->Objekte));
  EXPECT_FALSE(CanPlace(TObjektArt::Text, nullptr, 9, 20, 6, 8, s->Objekte));
  EXPECT_TRUE(CanPlace(TObjektArt::Text, nullptr, 12, 16, 6, 8, s->Objekte));
  EXPECT_TRUE(CanPlace(TObjektArt::Text, nullptr, 6, 24, 6, 8, s->Objekte));
}

TEST(ViewRules, GraphicEndingOnACellBorderStillBlocksItsLastCell) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  AddGraphic(*s, 0, 0, 12, 16, 0);  // exactly the cells of columns 0 and 1, rows 0 and 1
  EXPECT_FALSE(CanPlace(TObjektArt::Text, nullptr, 9, 9, 6, 8, s->Objekte));
  EXPECT_TRUE(CanPlace(TObjektArt::Text, nullptr, 12, 0, 6, 8, s->Objekte));
  EXPECT_TRUE(CanPlace(TObjektArt::Text, nullptr, 0, 16, 6, 8, s->Objekte));
}

TEST(ViewRules, GraphicsMayTouchButNotOverlapAndMayUseTheKeyBar) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  AddGraphic(*s, 0, 0, 10, 10, 0);
  TGrafik probe;
  probe.Breite = 10;
  probe.Hoehe = 10;
  EXPECT_TRUE(CanPlace(probe, 10, 0, s->Objekte));
  EXPECT_FALSE(CanPlace(probe, 9, 0, s->Objekte));
  EXPECT_TRUE(CanPlace(probe, 100, 118, s->Objekte));
  EXPECT_FALSE(CanPlace(probe, 100, 119, s->Objekte));
  EXPECT_FALSE(CanPlace(TObjektArt::Text, nullptr, 100, 110, 6, 8, s->Objekte));
}

TEST(ViewRules, HitTestCountsTheRightEdgeAndTakesTheLastObject) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  TText* t = AddText(*s, "Hallo", 0, 0);  // x 0..30 inclusive of the right edge
  EXPECT_EQ(ObjectAt(30, 7, s->Objekte).Object, t);
  EXPECT_EQ(ObjectAt(30, 7, s->Objekte).Kind, hkText);
  EXPECT_EQ(ObjectAt(31, 0, s->Objekte).Object, nullptr);
  EXPECT_EQ(ObjectAt(0, 8, s->Objekte).Object, nullptr);
  TLine* l = AddLine(*s, 0, 0, 1, 8);
  EXPECT_EQ(ObjectAt(0, 0, s->Objekte).Object, l);
  EXPECT_EQ(ObjectAt(0, 0, s->Objekte).Index, 1);
  EXPECT_EQ(ObjectAt(256 + 1, 0, s->Objekte).Object, l);  // coordinates are taken as bytes
}

TEST(ViewRules, KeyBarCentresLabelsAndSwitchesToTwoRows) {
  EXPECT_EQ(KeyLabelX(0, 1), 6 + 6 * 3);
  EXPECT_EQ(KeyLabelX(1, 8), 66);
  EXPECT_EQ(KeyLabelX(2, 9), 126);  // (8 - 9) / 2 is 0
  EXPECT_EQ(KeyLabelX(3, 10), 180);

  TButtonListe keys;
  auto f2 = std::make_unique<TFunktButton>("F2");
  f2->Label1->Text = "Ein";
  keys.Add(std::move(f2));
  auto other = std::make_unique<TFunktButton>("X");
  other->Label1->Text = "weiter";
  keys.Add(std::move(other));
  TKeyBarLayout one = LayoutKeyBar(keys);
  EXPECT_EQ(keys.EineZeile, 1);
  EXPECT_EQ(one.Top, 104);
  EXPECT_EQ(one.Height, 24);
  ASSERT_EQ(one.Fields.size(), 2u);
  EXPECT_EQ(one.Fields[1].Column, 1);  // another name keeps the column before it
  EXPECT_EQ(keys[0].Label1->X, 60 + 6 + 6 * 2);
  EXPECT_EQ(keys[0].Label1->Y, 112);

  keys[1].Label2->Text = "Seite";
  TKeyBarLayout two = LayoutKeyBar(keys);
  EXPECT_EQ(keys.EineZeile, 0);
  EXPECT_EQ(two.Top, 96);
  EXPECT_EQ(two.Height, 32);
  EXPECT_EQ(keys[0].Label1->Y, 104);
  EXPECT_EQ(keys[1].Label2->Y, 112);
}

TEST(ViewRules, LinesFromTwoClicks) {
  TLine line;
  LineFromClicks(line, 50, 20, 50, 20);
  EXPECT_EQ(line.Breite, 1);
  EXPECT_EQ(line.Hoehe, 0);
  LineFromClicks(line, 50, 20, 10, 22);
  EXPECT_EQ(line.X, 10);
  EXPECT_EQ(line.Y, 20);
  EXPECT_EQ(line.Breite, 40);
  EXPECT_EQ(line.Hoehe, 1);
  LineFromClicks(line, 50, 60, 52, 20);
  EXPECT_EQ(line.X, 50);
  EXPECT_EQ(line.Y, 20);
  EXPECT_EQ(line.Hoehe, 40);
}

TEST(ViewRules, TypingStopsAtTheEdgeAndInFrontOfObjects) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  // A text at column 35: the fifth character lies at x 234 and ends the entry.
  EXPECT_FALSE(TextEntryEnds(s->Objekte, 228, 0));
  EXPECT_TRUE(TextEntryEnds(s->Objekte, 234, 0));
  AddText(*s, "Rechts", 10, 0);  // x 60
  EXPECT_FALSE(TextEntryEnds(s->Objekte, 48, 0));
  EXPECT_TRUE(TextEntryEnds(s->Objekte, 54, 0));
}

TEST(Emulator, CursorWalksTheTabListAndWraps) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  TText* a = AddText(*s, "A", 0, 2);
  a->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  TViewCursor cursor;
  cursor.ResetCursor(*s);
  EXPECT_FALSE(cursor.HasSelection());  // one stop: nothing selected on entry
  cursor.NextObject(*s);
  EXPECT_EQ(cursor.Selected(*s), a);

  TText* b = AddText(*s, "B", 5, 1);
  b->Buttons.Add(std::make_unique<TFunktButton>("F2"));
  AddText(*s, "ohne Tasten", 0, 5);
  cursor.ResetCursor(*s);
  EXPECT_EQ(cursor.Selected(*s), b);  // row 1 comes before row 2
  EXPECT_EQ(cursor.X, 30);
  EXPECT_EQ(cursor.Y, 8);
  cursor.NextObject(*s);
  EXPECT_EQ(cursor.Selected(*s), a);
  cursor.NextObject(*s);
  EXPECT_EQ(cursor.Selected(*s), b);
  cursor.PreviousObject(*s);
  EXPECT_EQ(cursor.Selected(*s), a);
}

TEST(Emulator, ScreenKeyWinsOverTheObjectsKeyAndJumpsNeedTheirTarget) {
  TDisplayObjekt d;
  TBildschirm* s = AddScreen(d, "S1", "Eins");
  TBildschirm* s2 = AddScreen(d, "S2", "Zwei");
  TText* t = AddText(*s, "A", 0, 0);
  TFunktButton* own = t->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  TFunktButton* f2 = t->Buttons.Add(std::make_unique<TFunktButton>("F2"));
  TFunktButton* screenKey = s->DefaultButtons.Add(std::make_unique<TFunktButton>("F1"));
  EXPECT_EQ(FindEmulatorKey(*s, t, "F1"), screenKey);
  EXPECT_EQ(FindEmulatorKey(*s, t, "F2"), f2);
  EXPECT_EQ(FindEmulatorKey(*s, nullptr, "F2"), nullptr);
  EXPECT_NE(own, nullptr);
  d.RebuildReferences();
  f2->Funktion.Funktion = fkSprung;
  f2->Funktion.ZielBildschirm = "S2";
  EXPECT_EQ(JumpTarget(d, f2), s2);
  f2->Funktion.ZielBildschirm = "weg";
  EXPECT_EQ(JumpTarget(d, f2), nullptr);
  f2->Funktion.Funktion = fkAusgang;
  f2->Funktion.ZielBildschirm = "S2";
  EXPECT_EQ(JumpTarget(d, f2), nullptr);
}

TEST(ViewColours, DisplayIniSchemesAndOptions) {
  test::TempFolder folder("displayini");
  const std::string file = folder.File("Display.ini");
  EXPECT_EQ(ReadDisplayIniColour(file), 0);  // missing: written with the default
  {
    TXMLIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("Options", "Color", -1), 0);
  }
  for (int stored : {1, 2, 7, -3}) {
    {
      TXMLIniFile ini(file);
      ini.WriteInteger("Options", "Color", stored);
    }
    EXPECT_EQ(ReadDisplayIniColour(file), stored >= 0 && stored <= 2 ? stored : 0) << stored;
  }
  EXPECT_EQ(ViewColoursOfScheme(1).DisplayColor, Rgb(230, 225, 225));
  EXPECT_EQ(ViewColoursOfScheme(2).DisplayColorLight, Rgb(165, 215, 205));
  EXPECT_EQ(DisplayColorFromOptions(0, 0), Rgb(205, 205, 220));
  EXPECT_EQ(DisplayColorFromOptions(0, 1), Rgb(238, 238, 255));
  EXPECT_EQ(DisplayColorFromOptions(1, 0), Rgb(130, 180, 170));
  EXPECT_EQ(DisplayColorFromOptions(3, 2), Rgb(165, 215, 205));
}

TEST(Glyphs, CodesMapToTheirGlyphs) {
  struct Case {
    int code, glyph;
  };
  for (const Case& c :
       {Case{'A', 0},  Case{'Z', 25},  Case{'0', 26},  Case{'a', 36},  Case{'z', 61}, Case{'!', 62}, Case{'/', 76},
        Case{':', 77}, Case{'@', 83},  Case{'[', 84},  Case{'`', 89},  Case{'{', 90}, Case{'~', 93}, Case{199, 95},
        Case{252, 96}, Case{165, 124}, Case{130, 125}, Case{131, 126}, Case{' ', -1}, Case{127, -1}, Case{200, -1}})
    EXPECT_EQ(GlyphOf(static_cast<uint8_t>(c.code)), c.glyph) << c.code;
  // Every glyph but 94 has ink, and no ink lies in the sixth column.
  for (int g = 0; g < GlyphCount; ++g) {
    int ink = 0;
    for (int y = 0; y < GlyphHeight; ++y) {
      EXPECT_FALSE(GlyphPixel(g, 5, y)) << g;
      for (int x = 0; x < GlyphWidth; ++x) ink += GlyphPixel(g, x, y);
    }
    EXPECT_EQ(ink == 0, g == 94) << g;
  }
}

TEST(Verwaltung, AddAndDeleteScreens) {
  TDisplayProjekt project;
  TDisplayObjekt* d = project.AddNewDisplay();
  d->InitNew(project);
  TVerwaltung manager;
  int notified = 0;
  manager.OnChangeCurrScreen = [&] { ++notified; };
  EXPECT_FALSE(manager.HasRealDisplay());
  ASSERT_NE(manager.CurrentScreen(), nullptr);  // the placeholder's screen
  manager.SetDisplay(d);
  EXPECT_EQ(manager.CurrentScreen(), d->StartBildschirm);
  TBildschirm* added = manager.NewScreen(d->Bildschirme);
  EXPECT_EQ(added->Name, "NeuerBildschirm2");
  EXPECT_EQ(d->BildschirmReferenzTabelle.FindBildschirm(added->InternalName), added);
  EXPECT_NE(d->NObserver.Find(added->InternalName), nullptr);

  TText* t = AddText(*added, "Menue", 0, 0);
  TBildschirm* sub = manager.AddScreen(t->Unterbildschirme, "Unter");
  manager.ChangeScreen(sub);
  const int before = notified;
  EXPECT_FALSE(manager.DeleteScreen(d->StartBildschirm));
  EXPECT_TRUE(manager.DeleteScreen(added));  // the current screen lies below it
  EXPECT_EQ(manager.CurrentScreen(), d->StartBildschirm);
  EXPECT_GT(notified, before);
  EXPECT_EQ(d->Bildschirme.Count(), 1u);
  EXPECT_EQ(d->BildschirmReferenzTabelle.Count(), 1u);
}

}  // namespace
}  // namespace zyn
