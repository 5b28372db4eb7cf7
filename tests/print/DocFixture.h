#pragma once
// A rich sample project for the documentation tests: two control modules with a module of every
// catalogue class, flags, clocks, texts, groups, links of every kind with conditions, a dimmer
// module with its curves, notes, and a display panel with a screen of every object kind.

#include "display/Daten.h"
#include "display/DispObjekt.h"
#include "display/DispVerbindungen.h"
#include "display/DisplayProjekt.h"
#include "model/Gruppe.h"
#include "model/Kennlinien.h"
#include "model/base/Cp1252.h"
#include "print/doc/DocBuilder.h"
#include "project/Global.h"
#include "tests/project/ProjectFixture.h"

#include <gtest/gtest.h>

namespace zyn::test {

struct TDocProject {
  TBasisDaten Basis;
  TUniqueNames Names;
  TZYNKennlinienListe Curves;
  // Owned here until a test hands it to the programme (GProjekt); the reference stays valid.
  std::unique_ptr<TZYNProjekt> Owned = std::make_unique<TZYNProjekt>();
  TZYNProjekt& Projekt = *Owned;

  TDocProject() {
    InitGlobalTexts();
    EXPECT_TRUE(Basis.Load(BuiltSystemData()));
    Curves.AddDefaultCurves(Names);
  }

  // The rich project.
  void Fill(int stmCount = 2) {
    FillProject(Projekt, Basis, Names, stmCount, 1);
    Projekt.ProjektDaten.ProjektNummer = "P-4711";
    Projekt.ProjektDaten.Ausfuehrung = Ansi("Jörg Planer");
    Projekt.ProjektDaten.Remarks = Ansi("Erdgeschoß und Obergeschoß mit Jalousien.");
    Projekt.KundenDaten.KundenNr = "K-0815";
    Projekt.FileName = "/tmp/Einfamilienhaus.zpf";
    for (int s = 0; s < Projekt.Steuermodule.Count(); ++s) {
      TSteuermodul& stm = *Projekt.Steuermodule.GetSteuermodul(s);
      int linkNo = 0;
      for (int m = 0; m < stm.Module.Count(); ++m) {
        TModul& modul = *stm.Module.GetModul(m);
        modul.Bemerkungen = Ansi("Notiz zu ") + modul.DisplayName();
        for (int i = 0; i < modul.Eingaenge().Count(); ++i) {
          TEingang& in = *modul.Eingaenge().GetItem(i);
          for (int k = 0; k < in.Verbindungen().Count(); ++k) {
            TVerbindung& link = *in.Verbindungen().GetVerbindung(k);
            if (link.Kind() == 0) continue;
            // Two conditions: table entries 1 and 2 (entry 0 empty).
            for (int e = 1; e <= 2; ++e) {
              TLogicEntry entry = link.Logic(e);
              entry.SetStmNummer(s);
              entry.SetLogicCode("EIN");
              entry.SetModulAdresse(modul.Adresse());
              entry.SetKanalNummer(e);
              entry.SetLogicState(e == 1 ? 1 : 0);
            }
            ++linkNo;
          }
        }
      }
      // A flag and a clock with a link each.
      if (stm.Module.Count() > 0) {
        TModul* out = nullptr;
        for (int m = 0; m < stm.Module.Count() && !out; ++m)
          if (stm.Module.GetModul(m)->Ausgaenge().Count() > 0) out = stm.Module.GetModul(m);
        if (out) {
          auto flagLink = MakeLink(0, s, *out, 0, *out, 0);
          stm.Merker.GetMerker(0)->Verbindungen().Add(std::move(flagLink));
          auto clockLink = MakeLink(0, s, *out, 0, *out, 0);
          stm.Uhren.GetUhr(0)->Verbindungen().Add(std::move(clockLink));
          out->Dimmerzusatz = true;
          out->DimmerDaten.LeftKennlinie = 0;
          out->DimmerDaten.RightKennlinie = 1;
          // The group holds the first output of that module.
          auto member = std::make_unique<TGruppenObjekt>();
          member->Modul = out->InternalName();
          member->Kanal = out->Ausgaenge().GetItem(0)->InternalName();
          stm.Gruppen.GetItem(0)->Members().Add(std::move(member));
        }
      }
    }
    AddDisplay();
  }

  void AddDisplay() {
    TDisplayObjekt* d = Projekt.DisplayProjekt().AddNewDisplay();
    ASSERT_NE(d, nullptr);
    d->DisplayName = "Flurdisplay";
    d->Notizen = "Display im Flur";
    d->ZustandsListe.Add("offen", "zu");
    for (const char* name : {"Hauptbild", "Heizung"}) {
      auto screen = std::make_unique<TBildschirm>();
      screen->Name = name;
      screen->InternalName = std::string("scr_") + name;
      auto key = std::make_unique<TFunktButton>("F1");
      key->Label1->Text = "Weiter";
      key->Funktion.Funktion = fkSprung;
      key->Funktion.ZielBildschirm = "scr_Heizung";
      screen->DefaultButtons.Add(std::move(key));
      auto text = std::make_unique<TText>();
      text->Text = "Licht Flur";
      text->X = 12;
      text->Y = 16;
      text->Link->KanalTyp = TKanalTyp::otEingang;
      text->Link->STMAdresse = 0;
      text->Link->ModulKennung = "EIN";
      text->Link->ModulAdresse = 1;
      text->Link->Kanal = 2;
      screen->Objekte.Add("t1", std::move(text));
      auto var = std::make_unique<TZustandVar>();
      var->X = 60;
      var->Y = 40;
      var->ZustandIndex = 1;
      screen->Objekte.Add("v1", std::move(var));
      auto line = std::make_unique<TLine>();
      line->X = 0;
      line->Y = 60;
      line->Breite = 100;
      line->Hoehe = 1;
      screen->Objekte.Add("l1", std::move(line));
      auto graphic = std::make_unique<TGrafik>();
      graphic->X = 180;
      graphic->Y = 8;
      graphic->Bitmap.SetSize(16, 16, TMonoBitmap::clBlack);
      graphic->Breite = 16;
      graphic->Hoehe = 16;
      screen->Objekte.Add("g1", std::move(graphic));
      const std::string screenKey = screen->InternalName;
      d->Bildschirme.Add(screenKey, std::move(screen));
    }
    d->RebuildReferences();
  }

  void Configure(TDocBuilder& b) {
    b.Katalog = &Basis.Katalog;
    b.Kurven = &Curves;
    b.Company = {
        Ansi("Elektro Schäfer GmbH"), "Meisterbetrieb", Ansi("Hauptstraße 1"), "12345", "Musterstadt", "0123 456789"};
    b.PrintTime = QDateTime(QDate(2026, 12, 11), QTime(9, 30));
  }
};

}  // namespace zyn::test
