#pragma once
// A rich project for the project-file tests and the benchmark: control modules with modules of
// several base classes built from the default catalogue, flags, clocks, texts, groups, links of
// kinds 0, 1 and 2 (the display and the visualisation page come from ProjectFixtureParts.h).

#include "model/BasisDaten.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "project/Projekt.h"

#include <memory>
#include <string>

namespace zyn::test {

inline std::string BuiltSystemData() { return std::string(ZYN_BINARY_DIR) + "/data/system/"; }

inline std::unique_ptr<TVerbindung> MakeLink(int kind, int stm, TModul& from, int channel, TModul& to, int out) {
  auto link = std::make_unique<TVerbindung>();
  link->SetKind(kind);
  TLinkEndpoint s = link->Source();
  s.SetObjType(from.BasisKlasse);
  s.SetStmNummer(stm);
  s.SetModulKennung(from.ModulKennung);
  s.SetModulAdresse(from.Adresse());
  s.SetKanalNummer(channel);
  s.SetShift(from.EinShift);
  s.SetFunctionNumber(1);
  s.SetFunctionText("EIN");
  TLinkEndpoint t = link->Target();
  t.SetObjType(to.BasisKlasse);
  t.SetStmNummer(stm);
  t.SetModulKennung(to.ModulKennung);
  t.SetModulAdresse(to.Adresse());
  t.SetKanalNummer(out);
  t.SetShift(to.AusShift);
  t.SetFunctionNumber(3);
  t.SetFunctionText("UM");
  if (kind != 0) {
    TLogicEntry e = link->Logic(0);
    (void)e;
    link->SetLogicOr(kind == 2);
  }
  if (kind == 2) {
    TLinkEndpoint e = link->ElseTarget();
    e.SetObjType(to.BasisKlasse);
    e.SetStmNummer(stm);
    e.SetModulKennung(to.ModulKennung);
    e.SetModulAdresse(to.Adresse());
    e.SetShift(to.AusShift);
    e.SetFunctionNumber(2);
  }
  return link;
}

// modulesPerClass modules of each catalogue class in every one of stmCount control modules.
inline void FillProject(TZYNProjekt& p, TBasisDaten& basis, TUniqueNames& names, int stmCount, int modulesPerClass) {
  p.ProjektGUID = "{12345678-9ABC-DEF0-1234-56789ABCDEF0}";
  p.ProjektDaten.ProjektName = Ansi("Einfamilienhaus Müller");
  p.ProjektDaten.AuftragsDatum = 46000.5;
  p.ProjektDaten.ZielDatum = 46030.25;
  p.KundenDaten.FirmenName = Ansi("Elektro Schäfer");
  p.KundenDaten.Angelegt = 45999.0;
  p.CurrentFrame.FrameName = "FrStmBearb";
  for (int s = 0; s < stmCount; ++s) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->AssignNewName(names);
    stm->SetDisplayName("STM " + std::to_string(s));
    stm->SetAdresse(s);
    stm->DCF77 = s == 0;
    stm->Bemerkungen = Ansi("Verteilung Erdgeschoß");
    TSteuermodul& st = *p.Steuermodule.Add(std::move(stm));
    for (int c = 0; c < basis.Katalog.Count(); ++c) {
      const TModulClass& cls = *basis.Katalog.GetClass(c);
      for (int n = 0; n < modulesPerClass; ++n) {
        const int address = st.Module.AllocAddress(cls.BaseClass);
        if (address < 0) break;
        auto m = std::make_unique<TModul>();
        m->AssignNewName(names);
        m->InitFromClass(cls, names);
        m->SetDisplayName(cls.DisplayName);
        m->SetAdresse(address);
        st.Module.Add(std::move(m));
      }
    }
    for (int f = 0; f < 8; ++f) {
      auto merker = std::make_unique<TMerker>();
      merker->AssignNewName(names);
      merker->SetAdresse(st.Merker.Adressen.FirstFree());
      merker->SetDisplayName("Merker " + std::to_string(f));
      st.Merker.Add(std::move(merker));
    }
    for (int u = 0; u < 3; ++u) {
      auto uhr = std::make_unique<TUhr>();
      uhr->AssignNewName(names);
      uhr->UhrenTyp = static_cast<TUhrenTyp>(u);
      uhr->SetAdresse(st.Uhren.Adressen.FirstFree());
      uhr->SetDisplayName("Uhr " + std::to_string(u));
      st.Uhren.Add(std::move(uhr));
    }
    auto text = std::make_unique<TAnzeigetext>();
    text->AssignNewName(names);
    text->SetAdresse(st.Texte.Adressen.FirstFree());
    text->Zeile1.Text = Ansi("Alarm Küche");
    text->Zeile2.Text = "Fenster offen";
    st.Texte.Add(std::move(text));
    auto gruppe = std::make_unique<TGruppe>();
    gruppe->AssignNewName(names);
    gruppe->SetAdresse(st.Gruppen.Adressen.FirstFree());
    gruppe->SetDisplayName("Alle Lichter");
    st.Gruppen.Add(std::move(gruppe));

    // Links of kinds 0, 1 and 2 from every input module to the output modules.
    for (int i = 0; i < st.Module.Count(); ++i) {
      TModul& from = *st.Module.GetModul(i);
      if (from.Eingaenge().Count() == 0) continue;
      for (int j = 0; j < st.Module.Count(); ++j) {
        TModul& to = *st.Module.GetModul(j);
        if (to.Ausgaenge().Count() == 0) continue;
        const int kind = (i + j) % 3;
        TEingang& in = *from.Eingaenge().GetItem(j % from.Eingaenge().Count());
        in.Verbindungen().Add(MakeLink(kind, s, from, in.Adresse(), to, 0));
      }
    }
  }
}

}  // namespace zyn::test
