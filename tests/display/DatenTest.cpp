#include "display/Daten.h"

#include "display/TempDaten.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

void Size(TGrafik& g, int w, int h) { g.Bitmap.SetSize(w, h); }

TEST(GraphicPacking, LeftColumnOfSevenByTwo) {
  TGrafik g;
  Size(g, 7, 2);
  g.Bitmap.SetPixel(0, 0, TMonoBitmap::clBlack);
  g.Bitmap.SetPixel(0, 1, TMonoBitmap::clBlack);
  g.PackBitmap8();
  EXPECT_EQ(g.PackedData, (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(g.PackedCount8, 2);
  g.PackBitmap6();
  EXPECT_EQ(g.PackedData, (std::vector<uint8_t>{32, 0, 32, 0}));
  EXPECT_EQ(g.PackedCount6, 4);
  EXPECT_EQ(g.Breite, 7);
  EXPECT_EQ(g.Hoehe, 2);
}

TEST(GraphicPacking, FullPanelSizesAndBitOrder) {
  TGrafik g;
  Size(g, 240, 104);
  g.PackBitmap8();
  EXPECT_EQ(g.PackedCount8, 3120);
  g.PackBitmap6();
  EXPECT_EQ(g.PackedCount6, 4160);

  TGrafik row;
  Size(row, 13, 1);
  row.Bitmap.SetPixel(7, 0, TMonoBitmap::clBlack);   // last pixel of stored byte 0, bit 1 of panel byte 1
  row.Bitmap.SetPixel(12, 0, TMonoBitmap::clBlack);  // first pixel of panel byte 2
  row.Bitmap.SetPixel(3, 0, 0x010000);               // dark, but not black
  row.PackBitmap8();
  EXPECT_EQ(row.PackedData, (std::vector<uint8_t>{0x80, 0x10}));
  row.PackBitmap6();
  EXPECT_EQ(row.PackedData, (std::vector<uint8_t>{0x00, 0x10, 0x20}));
}

TEST(GraphicPacking, UnpackRestoresBlackAndWhite) {
  TGrafik g;
  Size(g, 11, 3);
  g.Bitmap.SetPixel(10, 2, TMonoBitmap::clBlack);
  g.Bitmap.SetPixel(4, 1, TMonoBitmap::clBlack);
  g.Bitmap.SetPixel(5, 1, 0x00FF00);
  g.PackBitmap8();
  TGrafik back;
  back.Breite = g.Breite;
  back.Hoehe = g.Hoehe;
  back.PackedData = g.PackedData;
  back.UnpackBitmap8();
  g.Bitmap.SetPixel(5, 1, TMonoBitmap::clWhite);
  EXPECT_EQ(back.Bitmap, g.Bitmap);
}

TEST(KeyList, MaskFollowsRowsAndNames) {
  TButtonListe keys;
  keys.Add(std::make_unique<TFunktButton>("F1"));
  keys.Add(std::make_unique<TFunktButton>("F3"));
  keys.Add(std::make_unique<TFunktButton>("X9"));
  EXPECT_EQ(keys.Mask(), 0x05);
  keys.EineZeile = 0;
  EXPECT_EQ(keys.Mask(), 0x50);
  EXPECT_EQ(keys[0].Owner(), &keys);
}

TEST(TabOrder, OnlyKeyedTextsStateVariablesAndValueVariablesSortedByRowThenColumn) {
  TBildschirm screen;
  auto place = [&](std::unique_ptr<TBasis> o, int col, int row, bool withKey) {
    o->X = col * 6 + 2;
    o->Y = row * 8 + 3;
    if (withKey) o->Buttons.Add(std::make_unique<TFunktButton>("F1"));
    screen.Objekte.Add("o", std::move(o));
  };
  place(std::make_unique<TText>(), 10, 2, true);       // 0
  place(std::make_unique<TText>(), 0, 0, false);       // 1: no keys
  place(std::make_unique<TZustandVar>(), 3, 2, true);  // 2
  place(std::make_unique<TGrafik>(), 0, 0, true);      // 3: never
  place(std::make_unique<TWertVar>(), 30, 1, false);   // 4: always
  place(std::make_unique<TLine>(), 1, 1, true);        // 5: never
  TTabListe tabs;
  tabs.BuildTabList(screen);
  ASSERT_EQ(tabs.Count(), 3u);
  EXPECT_EQ(tabs[0].IndexInObjektListe, 4);
  EXPECT_EQ(tabs[1].IndexInObjektListe, 2);
  EXPECT_EQ(tabs[2].IndexInObjektListe, 0);
  EXPECT_EQ(tabs[1].Spalte, 3);
  EXPECT_EQ(tabs[1].Zeile, 2);
  EXPECT_EQ(tabs.FindTab(tabs[2]), 2);
  EXPECT_EQ(tabs.FindTab({0, 3, 2}), -1);
}

TEST(ObjectCopies, AssignCopiesDeepButNotTheLink) {
  TText source;
  source.Text = "Licht";
  source.Laenge = 5;
  source.X = 12;
  source.Link->KanalTyp = TKanalTyp::otAusgang;
  auto* key = source.Buttons.Add(std::make_unique<TFunktButton>("F2"));
  key->Funktion.Funktion = fkSprung;
  key->Funktion.ZielBildschirm = "s1";
  key->Funktion.Fixups = {1, 2};
  auto sub = std::make_unique<TBildschirm>();
  sub->Name = "Menu";
  sub->Objekte.Add("Text 0", std::make_unique<TLine>());
  source.Unterbildschirme.Add("Menu", std::move(sub));

  auto copy = source.Clone();
  auto& text = static_cast<TText&>(*copy);
  EXPECT_EQ(text.Text, "Licht");
  EXPECT_EQ(text.X, 12);
  EXPECT_FALSE(text.IsLinked());
  ASSERT_EQ(text.Buttons.Count(), 1u);
  EXPECT_NE(&text.Buttons[0], key);
  EXPECT_EQ(text.Buttons[0].Funktion.ZielBildschirm, "s1");
  EXPECT_TRUE(text.Buttons[0].Funktion.Fixups.empty());
  ASSERT_EQ(text.Unterbildschirme.Count(), 1u);
  EXPECT_EQ(text.Unterbildschirme[0].Objekte[0].Art(), TObjektArt::Line);
}

}  // namespace
}  // namespace zyn
