#pragma once
// The channels, flags and clocks of a project by internal name, built once for a compile run so
// that conditions and group members are found in constant time instead of by a search through
// every module of every control module. Names compare without regard to ASCII case, and where
// two objects share a name the first in project order wins, as in the project's own look-ups.
// The index holds pointers into the project: it is valid while no object is added, removed or
// renamed, which a compile run never does to channels, flags or clocks.

#include "model/ModelLookup.h"

#include <string>
#include <unordered_map>

namespace zyn {

class TZYNProjekt;
class TSteuermodul;
class TKanal;
class TRueckmeldung;

class TNameIndex : public IModelLookup {
 public:
  explicit TNameIndex(TZYNProjekt& projekt);

  // A channel with its module and control module, or a flag or clock with its control module
  // (module nullptr) and its position in the control module's list.
  struct TPlace {
    TKanal* Object = nullptr;
    TModul* Modul = nullptr;
    TSteuermodul* Stm = nullptr;
    int Index = -1;
  };

  TEingang* FindEingang(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  TAusgang* FindAusgang(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  TRueckmeldung* FindRueckmeldung(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  // The clock and its position in its control module's clock list (the clock-table entry).
  TUhr* FindUhr(const std::string& name, TSteuermodul** stm, int* index) const;

  // IModelLookup: the named look-ups from the index, the others from the project.
  int StmNummerByName(const std::string& stmName) const override;
  TModul* FindModulInStm(const std::string& stmName, const std::string& modulName) const override;
  TAusgang* FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const override;
  TModul* FindModul(const std::string& modulName) const override;
  TEingang* FindEingang(const std::string& name, TModul** modul) const override {
    return FindEingang(name, nullptr, modul);
  }
  TAusgang* FindAusgang(const std::string& name, TModul** modul) const override {
    return FindAusgang(name, nullptr, modul);
  }
  TMerker* FindMerker(const std::string& name) const override { return FindMerker(name, nullptr); }
  TMerker* FindMerker(const std::string& name, TSteuermodul** stm) const;
  TUhr* FindUhr(const std::string& name) const override { return FindUhr(name, nullptr, nullptr); }
  TGruppe* FindGruppeByAddress(int stmNummer, int number) const override;
  TMerker* FindMerkerByAddress(int stmNummer, int number) const override;
  TModul* FindModulByKennung(int stmNummer, const std::string& kennung, int address) const override;
  bool FindCommand(const std::string& listName, int command, TCommandTexts& result) const override;

 private:
  using TMap = std::unordered_map<std::string, TPlace>;
  static void Put(TMap& map, const std::string& name, const TPlace& place);
  static const TPlace* Get(const TMap& map, const std::string& name);
  template <class T>
  static T* Found(const TPlace* place, TSteuermodul** stm, TModul** modul);

  TZYNProjekt& fProjekt;
  TMap fEingaenge, fAusgaenge, fRueckmeldungen, fMerker, fUhren;
};

}  // namespace zyn
