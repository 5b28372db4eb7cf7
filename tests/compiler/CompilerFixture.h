#pragma once
// Small projects for the compiler tests, built by hand: control modules, modules with their
// channels, flags, clocks, texts and groups, and links between them.

#include "model/Gruppe.h"
#include "model/Modul.h"
#include "model/ObjektListen.h"
#include "model/Verbindung.h"
#include "project/Projekt.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

class TProjectBuilder {
 public:
  TZYNProjekt Projekt;

  TProjectBuilder() { Projekt.ProjektGUID = "GUID-0001"; }

  // Internal names: the prefix and a counter. The programme's own names share a long prefix (the
  // date and time of the session), which a benchmark can imitate.
  std::string NamePrefix = "N";
  std::string NewName() { return NamePrefix + std::to_string(++fCounter); }

  TSteuermodul& AddStm(int adresse, bool dcf77 = false) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName(NewName());
    stm->SetDisplayName("STM " + std::to_string(adresse));
    stm->SetAdresse(adresse);
    stm->DCF77 = dcf77;
    return *Projekt.Steuermodule.Add(std::move(stm));
  }

  // A module with the given channels (addresses), added to the control module.
  TModul& AddModul(TSteuermodul& stm, int basisKlasse, int adresse, const std::string& kennung, int einShift,
                   int ausShift, int rmeShift, const std::vector<int>& inputs, const std::vector<int>& outputs,
                   const std::vector<int>& feedback = {}, const std::string& klasse = "") {
    auto m = std::make_unique<TModul>();
    m->SetInternalName(NewName());
    m->SetDisplayName(kennung + std::to_string(adresse));
    m->BasisKlasse = basisKlasse;
    m->SetAdresse(adresse);
    m->ModulKennung = kennung;
    m->ModulKlasse = klasse.empty() ? kennung : klasse;
    m->EinShift = einShift;
    m->AusShift = ausShift;
    m->RMEShift = rmeShift;
    for (int a : inputs) m->Eingaenge().Add(Channel<TEingang>(a));
    for (int a : outputs) m->Ausgaenge().Add(Channel<TAusgang>(a));
    for (int a : feedback) m->Rueckmeldungen().Add(Channel<TRueckmeldung>(a));
    return *stm.Module.Add(std::move(m));
  }

  TMerker& AddMerker(TSteuermodul& stm, int number) {
    auto f = std::make_unique<TMerker>();
    f->SetInternalName(NewName());
    f->SetDisplayName("Merker " + std::to_string(number));
    f->SetAdresse(number);
    return *stm.Merker.Add(std::move(f));
  }

  TUhr& AddUhr(TSteuermodul& stm, int number, int einTage, int einStunde, int einMinute, int ausTage, int ausStunde,
               int ausMinute) {
    auto u = std::make_unique<TUhr>();
    u->SetInternalName(NewName());
    u->SetDisplayName("Uhr " + std::to_string(number));
    u->SetAdresse(number);
    u->EinTage = einTage;
    u->EinStunde = einStunde;
    u->EinMinute = einMinute;
    u->AusTage = ausTage;
    u->AusStunde = ausStunde;
    u->AusMinute = ausMinute;
    return *stm.Uhren.Add(std::move(u));
  }

  TAnzeigetext& AddText(TSteuermodul& stm, int number, const std::string& line1, int align1, const std::string& line2,
                        int align2) {
    auto t = std::make_unique<TAnzeigetext>();
    t->SetInternalName(NewName());
    t->SetAdresse(number);
    t->Zeile1.Text = line1;
    t->Zeile1.Center = align1;
    t->Zeile2.Text = line2;
    t->Zeile2.Center = align2;
    return *stm.Texte.Add(std::move(t));
  }

  // A group of channels (inputs, outputs, flags or clocks), by their internal names.
  TGruppe& AddGruppe(TSteuermodul& stm, int number, const std::vector<const TKanal*>& members) {
    auto group = std::make_unique<TGruppe>();
    group->SetInternalName(NewName());
    group->SetAdresse(number);
    for (const TKanal* channel : members) {
      auto member = std::make_unique<TGruppenObjekt>();
      member->SetInternalName(NewName());
      member->Kanal = channel->InternalName();
      group->Members().Add(std::move(member));
    }
    return *stm.Gruppen.Add(std::move(group));
  }

  template <class T>
  std::unique_ptr<T> Channel(int adresse) {
    auto k = std::make_unique<T>();
    k->SetInternalName(NewName());
    k->SetDisplayName("Kanal " + std::to_string(adresse));
    k->SetAdresse(adresse);
    return k;
  }

 private:
  int fCounter = 0;
};

// Endpoint helpers.
inline void SetModuleEndpoint(TLinkEndpoint e, const TModul& m, int stm, int kanal, int shift, int fn) {
  e.SetObjType(m.BasisKlasse);
  e.SetStmNummer(stm);
  e.SetModulKennung(m.ModulKennung);
  e.SetModulAdresse(m.Adresse());
  e.SetKanalNummer(kanal);
  e.SetShift(shift);
  e.SetFunctionNumber(fn);
  e.SetFunctionText("F" + std::to_string(fn));
}

inline void SetObjectEndpoint(TLinkEndpoint e, int objType, int stm, const std::string& kennung, int number, int fn) {
  e.SetObjType(objType);
  e.SetStmNummer(stm);
  e.SetModulKennung(kennung);
  e.SetModulAdresse(0);
  e.SetKanalNummer(number);
  e.SetFunctionNumber(fn);
  e.SetFunctionText("F" + std::to_string(fn));
}

// A link added to the channel's list; the source is the channel seen from its module, or a flag
// or clock endpoint for those.
inline TVerbindung& AddLink(TKanal& source, int kind, std::unique_ptr<TVerbindung> link) {
  link->SetKind(kind);
  TVerbindung* raw = link.get();
  source.Verbindungen().Add(std::move(link));
  return *raw;
}

inline TVerbindung& LinkFromInput(TKanal& input, const TModul& from, int stm, int event, int kind = 0) {
  auto link = std::make_unique<TVerbindung>();
  SetModuleEndpoint(link->Source(), from, stm, input.Adresse(), from.EinShift, event);
  return AddLink(input, kind, std::move(link));
}

inline TVerbindung& LinkFromObject(TKanal& object, int objType, const std::string& kennung, int stm, int event,
                                   int kind = 0) {
  auto link = std::make_unique<TVerbindung>();
  SetObjectEndpoint(link->Source(), objType, stm, kennung, object.Adresse(), event);
  return AddLink(object, kind, std::move(link));
}

// A condition entry of a logic link.
inline void SetCondition(TVerbindung& link, int index, int type, int stm, int modulAdresse, int kanal, int state,
                         const std::string& code, const std::string& channelName) {
  TLogicEntry e = link.Logic(index);
  e.SetLogicType(type);
  e.SetStmNummer(stm);
  e.SetModulAdresse(modulAdresse);
  e.SetKanalNummer(kanal);
  e.SetLogicState(state);
  e.SetLogicCode(code);
  e.SetLogicChannelName(channelName);
}

}  // namespace zyn::test
