#pragma once
// A small project for the tool tests: one module with two inputs, two outputs and two feedback
// channels, a flag, a clock and a group, answering the tools' look-ups.

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ToolLookup.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"

#include <map>
#include <memory>
#include <string>

namespace zyn::test {

class FakeProject : public IToolLookup {
 public:
  TModul Modul;
  TModul Pir;
  TMerker Merker;
  TUhr Uhr;
  TGruppe Gruppe;
  TZYNFunktionsListe Tools;

  FakeProject() {
    Modul.SetInternalName("mod_1");
    Modul.ModulKlasse = "Taster 4fach";
    Modul.ModulKennung = "E";
    Modul.SetAdresse(3);
    for (int i = 0; i < 2; ++i) {
      auto e = std::make_unique<TEingang>();
      e->SetInternalName("in_" + std::to_string(i + 1));
      e->SetAdresse(i);
      e->Modul = &Modul;
      Modul.Eingaenge().Add(std::move(e));
      auto r = std::make_unique<TRueckmeldung>();
      r->SetInternalName("rm_" + std::to_string(i + 1));
      r->SetAdresse(i);
      r->Modul = &Modul;
      Modul.Rueckmeldungen().Add(std::move(r));
    }
    for (int i = 0; i < 4; ++i) {
      auto a = std::make_unique<TAusgang>();
      a->SetInternalName("out_" + std::to_string(i + 1));
      a->SetAdresse(i);
      a->Modul = &Modul;
      Modul.Ausgaenge().Add(std::move(a));
    }
    Pir.SetInternalName("pir_1");
    Pir.ModulKlasse = "Input PIR";
    Merker.SetInternalName("flag_1");
    Merker.SetAdresse(12);
    Uhr.SetInternalName("clock_1");
    Uhr.SetDisplayName("Morgens");
    Uhr.SetAdresse(4);
    Gruppe.SetInternalName("grp_1");
  }

  TEingang* In(int i) const { return Modul.Eingaenge().GetEingang(i); }
  TAusgang* Out(int i) const { return Modul.Ausgaenge().GetAusgang(i); }
  TRueckmeldung* Rm(int i) const { return Modul.Rueckmeldungen().GetRueckmeldung(i); }

  TEingang* FindEingang(const std::string& n) const override { return Modul.Eingaenge().FindByInternalName(n); }
  TAusgang* FindAusgang(const std::string& n) const override { return Modul.Ausgaenge().FindByInternalName(n); }
  TRueckmeldung* FindRueckmeldung(const std::string& n) const override {
    return Modul.Rueckmeldungen().FindByInternalName(n);
  }
  TMerker* FindMerker(const std::string& n) const override {
    return n == Merker.InternalName() ? const_cast<TMerker*>(&Merker) : nullptr;
  }
  TUhr* FindUhr(const std::string& n) const override {
    return n == Uhr.InternalName() ? const_cast<TUhr*>(&Uhr) : nullptr;
  }
  TUhr* FindUhrByDisplayName(const std::string& n) const override {
    return n == Uhr.DisplayName() ? const_cast<TUhr*>(&Uhr) : nullptr;
  }
  TModul* FindModul(const std::string& n) const override {
    if (n == Modul.InternalName()) return const_cast<TModul*>(&Modul);
    if (n == Pir.InternalName()) return const_cast<TModul*>(&Pir);
    return nullptr;
  }
  TGruppe* FindGruppe(const std::string& n) const override {
    return n == Gruppe.InternalName() ? const_cast<TGruppe*>(&Gruppe) : nullptr;
  }
  TModul* FindModulByKennung(int stm, const std::string& kennung, int address) const override {
    return stm == 0 && kennung == "E" && address == 3 ? const_cast<TModul*>(&Modul) : nullptr;
  }
  TMerker* FindMerkerByAddress(int stm, int number) const override {
    return stm == 0 && number == 12 ? const_cast<TMerker*>(&Merker) : nullptr;
  }
  TUhr* FindUhrByAddress(int stm, int number) const override {
    return stm == 0 && number == 4 ? const_cast<TUhr*>(&Uhr) : nullptr;
  }
  TZYNFunction* FindToolByInternalName(const std::string& n) const override { return Tools.FindByInternalName(n); }
  TZYNFunction* FindToolByName(const std::string& n) const override { return Tools.FindByName(n); }
  int ModulClassIndex(const std::string& klasse) const override {
    if (klasse == "Taster 4fach") return 3;
    if (klasse == "Input PIR") return 7;
    return -1;
  }
};

}  // namespace zyn::test
