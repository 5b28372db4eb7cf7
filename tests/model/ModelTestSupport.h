#pragma once
// Helpers of the model tests: stream round trips, predictable names and a small project of
// control modules that answers the model's look-ups.

#include "model/LinkMaintenance.h"
#include "model/ModelLookup.h"
#include "model/ModelText.h"
#include "model/ModulListe.h"
#include "model/ObjektListen.h"
#include "model/UniqueNames.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

template <class T>
std::vector<uint8_t> WriteBytes(const T& object) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    object.WriteData(writer);
  }
  return stream.Bytes();
}

template <class T>
void ReadBytes(T& object, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  object.ReadData(reader);
}

// A registry whose clock stands still at 08.12.2026 19:15:03 unless moved.
struct TFixedClock {
  TNameTime Now{2026, 12, 8, 19, 15, 3};
};

inline TUniqueNames MakeNames(TFixedClock& clock) {
  return TUniqueNames([&clock] { return clock.Now; }, [] { return 42; });
}

// One control module of the test project.
struct TTestStm {
  std::string Name;
  int Nummer = 0;
  TModulListe Module;
  TMerkerListe Merker;
  TUhrenListe Uhren;
  TTextListe Texte;
  TGruppenListe Gruppen;
  TStmListen Lists() { return {&Module, &Merker, &Uhren, &Texte, &Gruppen}; }
};

class TTestProject : public IModelLookup {
 public:
  std::vector<std::unique_ptr<TTestStm>> Stms;
  // command list name -> command number -> texts
  std::map<std::string, std::map<int, TCommandTexts>> Commands;

  TTestStm& AddStm(int nummer, const std::string& name) {
    auto stm = std::make_unique<TTestStm>();
    stm->Nummer = nummer;
    stm->Name = name;
    Stms.push_back(std::move(stm));
    return *Stms.back();
  }
  TTestStm* ByName(const std::string& name) const {
    for (const auto& s : Stms) {
      if (s->Name == name) return s.get();
    }
    return nullptr;
  }
  TTestStm* ByNummer(int nummer) const {
    for (const auto& s : Stms) {
      if (s->Nummer == nummer) return s.get();
    }
    return nullptr;
  }

  int StmNummerByName(const std::string& stmName) const override {
    const TTestStm* s = ByName(stmName);
    return s ? s->Nummer : -1;
  }
  TModul* FindModulInStm(const std::string& stmName, const std::string& modulName) const override {
    const TTestStm* s = ByName(stmName);
    return s ? s->Module.FindByInternalName(modulName) : nullptr;
  }
  TAusgang* FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const override {
    const TTestStm* s = ByName(stmName);
    return s ? s->Module.FindAusgang(kanalName) : nullptr;
  }
  TModul* FindModul(const std::string& modulName) const override {
    for (const auto& s : Stms) {
      if (TModul* m = s->Module.FindByInternalName(modulName)) return m;
    }
    return nullptr;
  }
  TEingang* FindEingang(const std::string& name, TModul** modul) const override {
    for (const auto& s : Stms) {
      if (TEingang* k = s->Module.FindEingang(name)) {
        if (modul) *modul = s->Module.FindModulOfEingang(name);
        return k;
      }
    }
    return nullptr;
  }
  TAusgang* FindAusgang(const std::string& name, TModul** modul) const override {
    for (const auto& s : Stms) {
      if (TAusgang* k = s->Module.FindAusgang(name)) {
        if (modul) *modul = s->Module.FindModulOfAusgang(name);
        return k;
      }
    }
    return nullptr;
  }
  TMerker* FindMerker(const std::string& name) const override {
    for (const auto& s : Stms) {
      if (TMerker* m = s->Merker.FindByInternalName(name)) return m;
    }
    return nullptr;
  }
  TUhr* FindUhr(const std::string& name) const override {
    for (const auto& s : Stms) {
      if (TUhr* u = s->Uhren.FindByInternalName(name)) return u;
    }
    return nullptr;
  }
  TGruppe* FindGruppeByAddress(int stmNummer, int number) const override {
    const TTestStm* s = ByNummer(stmNummer);
    return s ? s->Gruppen.FindByAddress(number) : nullptr;
  }
  TMerker* FindMerkerByAddress(int stmNummer, int number) const override {
    const TTestStm* s = ByNummer(stmNummer);
    return s ? s->Merker.FindByAddress(number) : nullptr;
  }
  TModul* FindModulByKennung(int stmNummer, const std::string& kennung, int address) const override {
    const TTestStm* s = ByNummer(stmNummer);
    return s ? s->Module.FindModul(kennung, address) : nullptr;
  }
  bool FindCommand(const std::string& listName, int command, TCommandTexts& result) const override {
    for (const auto& [name, commands] : Commands) {
      if (UpperCase(name) != UpperCase(listName)) continue;
      auto it = commands.find(command);
      if (it == commands.end()) return false;
      result = it->second;
      return true;
    }
    return false;
  }
};

}  // namespace zyn::test
