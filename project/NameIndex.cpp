#include "project/NameIndex.h"

#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "project/Projekt.h"

namespace zyn {

TNameIndex::TNameIndex(TZYNProjekt& projekt) : fProjekt(projekt) {
  TSteuermodulListe& list = projekt.Steuermodule;
  for (int s = 0; s < list.Count(); ++s) {
    TSteuermodul* stm = list.GetSteuermodul(s);
    for (int m = 0; m < stm->Module.Count(); ++m) {
      TModul* modul = stm->Module.GetModul(m);
      const auto put = [&](TMap& map, const TZYNListe& channels) {
        for (int i = 0; i < channels.Count(); ++i) {
          Put(map, channels.KeyAt(i), {static_cast<TKanal*>(channels.ItemAt(i)), modul, stm, i});
        }
      };
      put(fEingaenge, modul->Eingaenge());
      put(fAusgaenge, modul->Ausgaenge());
      put(fRueckmeldungen, modul->Rueckmeldungen());
    }
    for (int i = 0; i < stm->Merker.Count(); ++i)
      Put(fMerker, stm->Merker.KeyAt(i), {stm->Merker.GetMerker(i), nullptr, stm, i});
    for (int i = 0; i < stm->Uhren.Count(); ++i)
      Put(fUhren, stm->Uhren.KeyAt(i), {stm->Uhren.GetUhr(i), nullptr, stm, i});
  }
}

void TNameIndex::Put(TMap& map, const std::string& name, const TPlace& place) {
  map.emplace(UpperCase(name), place);  // the first in project order stays
}

const TNameIndex::TPlace* TNameIndex::Get(const TMap& map, const std::string& name) {
  const auto it = map.find(UpperCase(name));
  return it == map.end() ? nullptr : &it->second;
}

template <class T>
T* TNameIndex::Found(const TPlace* place, TSteuermodul** stm, TModul** modul) {
  if (stm) *stm = place ? place->Stm : nullptr;
  if (modul) *modul = place ? place->Modul : nullptr;
  return place ? static_cast<T*>(place->Object) : nullptr;
}

TEingang* TNameIndex::FindEingang(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return Found<TEingang>(Get(fEingaenge, name), stm, modul);
}

TAusgang* TNameIndex::FindAusgang(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return Found<TAusgang>(Get(fAusgaenge, name), stm, modul);
}

TRueckmeldung* TNameIndex::FindRueckmeldung(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return Found<TRueckmeldung>(Get(fRueckmeldungen, name), stm, modul);
}

TUhr* TNameIndex::FindUhr(const std::string& name, TSteuermodul** stm, int* index) const {
  const TPlace* place = Get(fUhren, name);
  if (index) *index = place ? place->Index : -1;
  return Found<TUhr>(place, stm, nullptr);
}

TMerker* TNameIndex::FindMerker(const std::string& name, TSteuermodul** stm) const {
  return Found<TMerker>(Get(fMerker, name), stm, nullptr);
}

int TNameIndex::StmNummerByName(const std::string& stmName) const { return fProjekt.StmNummerByName(stmName); }

TModul* TNameIndex::FindModulInStm(const std::string& stmName, const std::string& modulName) const {
  return fProjekt.FindModulInStm(stmName, modulName);
}

TAusgang* TNameIndex::FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const {
  return fProjekt.FindAusgangInStm(stmName, kanalName);
}

TModul* TNameIndex::FindModul(const std::string& modulName) const { return fProjekt.FindModul(modulName, nullptr); }

TGruppe* TNameIndex::FindGruppeByAddress(int stmNummer, int number) const {
  return fProjekt.FindGruppeByAddress(stmNummer, number);
}

TMerker* TNameIndex::FindMerkerByAddress(int stmNummer, int number) const {
  return fProjekt.FindMerkerByAddress(stmNummer, number);
}

TModul* TNameIndex::FindModulByKennung(int stmNummer, const std::string& kennung, int address) const {
  return fProjekt.FindModulByKennung(stmNummer, kennung, address);
}

bool TNameIndex::FindCommand(const std::string& listName, int command, TCommandTexts& result) const {
  return fProjekt.FindCommand(listName, command, result);
}

}  // namespace zyn
