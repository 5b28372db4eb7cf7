#include "DisplayFixtures.h"

#include "display/DispOperations.h"

namespace zyn::test {

TBildschirm* AddScreen(TDisplayObjekt& display, const std::string& internalName, const std::string& name) {
  auto screen = std::make_unique<TBildschirm>();
  screen->InternalName = internalName;
  screen->Name = name;
  return display.Bildschirme.Add(internalName, std::move(screen));
}

TText* AddText(TBildschirm& screen, const std::string& text, int col, int row) {
  auto t = std::make_unique<TText>();
  t->Text = text;
  t->Laenge = static_cast<uint8_t>(text.size());
  t->Breite = static_cast<uint8_t>(6 * text.size());
  t->X = col * 6;
  t->Y = row * 8;
  t->Name = "Text " + std::to_string(screen.Objekte.Count());
  const std::string key = t->Name;
  return static_cast<TText*>(screen.Objekte.Add(key, std::move(t)));
}

TZustandVar* AddStateVariable(TBildschirm& screen, int col, int row, int pair) {
  auto v = std::make_unique<TZustandVar>();
  v->X = col * 6;
  v->Y = row * 8;
  v->Hoehe = 8;
  v->ZustandIndex = pair;
  v->Name = "ZustVar " + std::to_string(screen.Objekte.Count());
  const std::string key = v->Name;
  return static_cast<TZustandVar*>(screen.Objekte.Add(key, std::move(v)));
}

TGrafik* AddGraphic(TBildschirm& screen, int x, int y, int w, int h, int blackColumn) {
  auto g = std::make_unique<TGrafik>();
  g->X = x;
  g->Y = y;
  g->Bitmap.SetSize(w, h);
  for (int r = 0; r < h; ++r) g->Bitmap.SetPixel(blackColumn, r, TMonoBitmap::clBlack);
  g->Breite = static_cast<uint8_t>(w);
  g->Hoehe = static_cast<uint8_t>(h);
  g->Name = "Grafik " + std::to_string(screen.Objekte.Count());
  const std::string key = g->Name;
  return static_cast<TGrafik*>(screen.Objekte.Add(key, std::move(g)));
}

TLine* AddLine(TBildschirm& screen, int x, int y, int w, int h) {
  auto l = std::make_unique<TLine>();
  l->X = x;
  l->Y = y;
  l->Breite = static_cast<uint8_t>(w);
  l->Hoehe = static_cast<uint8_t>(h);
  l->Name = "Linie " + std::to_string(screen.Objekte.Count());
  const std::string key = l->Name;
  return static_cast<TLine*>(screen.Objekte.Add(key, std::move(l)));
}

void LinkOutput(TVarVerbindung& link, int stm, int basis, int modul, int kanal, int ausShift) {
  link.STMAdresse = stm;
  link.BasisKlasse = basis;
  link.ModulAdresse = modul;
  link.Kanal = kanal;
  link.AusShift = ausShift;
  link.KanalTyp = TKanalTyp::otAusgang;
  link.ModulInternalName = "modul_" + std::to_string(stm) + "_" + std::to_string(basis * 32 + modul);
  link.KanalName = "Ausgang " + std::to_string(kanal);
}

void LinkInput(TVarVerbindung& link, int stm, int basis, int modul, int kanal) {
  LinkOutput(link, stm, basis, modul, kanal, 0);
  link.KanalTyp = TKanalTyp::otEingang;
  link.KanalName = "Eingang " + std::to_string(kanal);
}

void BuildHallo(TDisplayObjekt& display) {
  TBildschirm* screen = AddScreen(display, "S1", "Start");
  AddText(*screen, "Hallo", 2, 1);
  display.RebuildReferences();
  display.RebuildNavigation();
  display.StartBildschirm = screen;
}

void BuildRich(TDisplayObjekt& display, TDispUniqueNames& names) {
  display.DisplayName = "Flur";
  display.ZustandsListe.Add("Offen", "Zu");
  TBildschirm* haupt = AddScreen(display, "haupt", "Haupt");
  TBildschirm* zweiter = AddScreen(display, "zweiter", "Zweiter");

  TText* licht = AddText(*haupt, "Licht", 1, 1);
  LinkInput(*licht->Link, 0, 0, 3, 5);
  auto* emu = licht->Buttons.Add(std::make_unique<TFunktButton>("F2"));
  emu->Label1->Text = "Ein";
  emu->Funktion.Funktion = fkEingangEmu;
  BuildInputTelegram(*licht->Link, 2, emu->Funktion);

  TZustandVar* lampe = AddStateVariable(*haupt, 10, 1, 1);
  LinkOutput(*lampe->Link, 1, 2, 5, 3, 4);
  auto* an = lampe->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  an->Label1->Text = "An";
  an->Funktion.Funktion = fkAusgang;
  BuildOutputTelegram(*lampe->Link, 1, nullptr, an->Funktion);
  auto* dimm = lampe->Buttons.Add(std::make_unique<TFunktButton>("F3"));
  dimm->Label1->Text = "Dimmen";
  dimm->Funktion.Funktion = fkAusgang;
  TTelegrammParameter p;
  p.Kind = 5;
  p.PriorityMask = 3;
  p.Value = 0x1234;
  BuildOutputTelegram(*lampe->Link, 2, &p, dimm->Funktion);

  TZustandVar* kontakt = AddStateVariable(*haupt, 20, 2, 0);
  LinkInput(*kontakt->Link, 0, 0, 3, 5);
  AddStateVariable(*haupt, 30, 2, 0);  // not linked

  TText* menu = AddText(*haupt, "Men\xFC", 0, 3);
  AddGraphic(*haupt, 60, 40, 7, 2, 0);
  AddLine(*haupt, 0, 100, 240, 1);
  AddLine(*haupt, 230, 0, 1, 90);
  auto wert = std::make_unique<TWertVar>();
  wert->X = 6 * 30;
  wert->Y = 8 * 5;
  haupt->Objekte.Add("WertVar 9", std::move(wert));

  haupt->DefaultButtons.EineZeile = 0;
  TFunktButton* weiter = AddJumpKey(haupt->DefaultButtons, "F4", "Zweite", "zweiter");
  weiter->Label2->Text = "Seite";

  AddJumpKey(zweiter->DefaultButtons, "F1", "Haupt", "haupt");
  AddGraphic(*zweiter, 0, 0, 7, 2, 0);   // same bytes as the first graphic
  AddGraphic(*zweiter, 12, 8, 7, 2, 6);  // same size, other bytes
  AddText(*zweiter,
          "Gr\xF6\xDF"
          "e",
          0, 0);

  display.RebuildReferences();
  display.RebuildNavigation();
  display.StartBildschirm = haupt;
  for (int page = 0; page < 3; ++page) {
    TBildschirm* added = AddMenuPage(display, names, *haupt, *menu, ProposedMenuScreenName(*menu), "F3", "F3 Enter",
                                     "zur\xFC"
                                     "ck",
                                     "weiter");
    AddText(*added, "Seite " + std::to_string(page + 1), 0, 0);
  }
}

}  // namespace zyn::test
