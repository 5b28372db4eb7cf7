#pragma once
// Generated projects, random but seeded: up to four control modules with modules of input,
// multi-function, output and blind-motor classes, flags, clocks, texts and a group, and links of
// every kind between them (plain, logic with and without else part, OR, single entry, group,
// telegram, channel flag, clock data, presence-simulation clock links, conditions on flags,
// outputs, clocks and inputs).

#include "model/Gruppe.h"
#include "tests/compiler/CompilerFixture.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace zyn::test {

struct TModuleKind {
  int Basis;
  const char* Kennung;
  int EinShift, AusShift, RmeShift;
  std::vector<int> In, Out, Fb;
  const char* Klasse;
};

inline const TModuleKind kKinds[] = {
    {0, "INP", 3, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7}, {}, {}, "INPUT 8"},
    {1, "MFM", 3, 5, 3, {0, 1, 2, 3}, {0, 1, 2, 3}, {1, 2}, "MFM 4"},
    {2, "OUT", 0, 5, 3, {}, {0, 1, 2, 3, 4, 5, 6, 7}, {1, 2}, "OUTPUT 8"},
    {6, "JRM", 0, 4, 3, {0, 1}, {0, 1, 2, 3}, {1, 2, 3, 4}, "JRM"},
};

class TRandomProject {
 public:
  // pick(low, high) gives a number from low to high.
  using TPicker = std::function<int(int, int)>;

  explicit TRandomProject(unsigned seed, int maxStms = 4) : fMaxStms(maxStms) {
    auto random = std::make_shared<std::mt19937>(seed);
    fPick = [random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(*random); };
  }
  TRandomProject(TPicker pick, int maxStms) : fPick(std::move(pick)), fMaxStms(maxStms) {}

  TProjectBuilder B;

  void Build() {
    std::vector<int> addresses = {0, 1, 2, 3};
    for (int i = 3; i > 0; --i)
      std::swap(addresses[static_cast<size_t>(i)], addresses[static_cast<size_t>(Pick(0, i))]);
    const int count = Pick(1, fMaxStms);
    for (int i = 0; i < count; ++i) fStms.push_back(&B.AddStm(addresses[static_cast<size_t>(i)], Pick(0, 1) == 1));
    for (TSteuermodul* stm : fStms) Populate(*stm);
    for (TSteuermodul* stm : fStms) AddLinks(*stm);
  }

 private:
  int Pick(int low, int high) { return fPick(low, high); }
  template <class T>
  T* PickOf(const std::vector<T*>& items) {
    return items.empty() ? nullptr : items[static_cast<size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
  }
  TSteuermodul& AnyStm() { return *PickOf(fStms); }

  void Populate(TSteuermodul& stm) {
    const int modules = Pick(1, 4);
    for (int i = 0; i < modules; ++i) {
      const TModuleKind& k = kKinds[Pick(0, 3)];
      const int address = stm.Module.AllocAddress(k.Basis);
      if (address < 0) continue;
      TModul& m =
          B.AddModul(stm, k.Basis, address, k.Kennung, k.EinShift, k.AusShift, k.RmeShift, k.In, k.Out, k.Fb, k.Klasse);
      for (int o = 0; o < m.Ausgaenge().Count(); ++o) m.Ausgaenge().GetAusgang(o)->PORStatus = Pick(0, 2);
    }
    const int flags = Pick(0, 3);
    for (int i = 0; i < flags; ++i) B.AddMerker(stm, i * 3 + Pick(0, 2));
    const int clocks = Pick(0, 2);
    for (int i = 0; i < clocks; ++i)
      B.AddUhr(stm, i, Pick(1, 127), Pick(0, 23), Pick(0, 59), Pick(1, 127), Pick(0, 23), Pick(0, 59));
    const int texts = Pick(0, 2);
    for (int i = 0; i < texts; ++i) B.AddText(stm, i, "Text " + std::to_string(i), Pick(0, 2), "Zeile", Pick(0, 2));
    if (Pick(0, 1) == 1) {
      auto group = std::make_unique<TGruppe>();
      group->SetInternalName(B.NewName());
      group->SetAdresse(0);
      for (TAusgang* out : Outputs(stm)) {
        if (Pick(0, 2) != 0) continue;
        auto member = std::make_unique<TGruppenObjekt>();
        member->SetInternalName(B.NewName());
        member->Kanal = out->InternalName();
        group->Members().Add(std::move(member));
      }
      stm.Gruppen.Add(std::move(group));
    }
  }

  static std::vector<TAusgang*> Outputs(TSteuermodul& stm) {
    std::vector<TAusgang*> result;
    for (int m = 0; m < stm.Module.Count(); ++m) {
      TModul& modul = *stm.Module.GetModul(m);
      for (int o = 0; o < modul.Ausgaenge().Count(); ++o) result.push_back(modul.Ausgaenge().GetAusgang(o));
    }
    return result;
  }

  // A target endpoint in a random control module.
  void RandomTarget(TVerbindung& link, TLinkEndpoint e, bool plain, bool elsePart) {
    // The else target lies in the control module of the target.
    TSteuermodul* targetStm = B.Projekt.Steuermodule.FindByAddress(link.Target().StmNummer());
    TSteuermodul& stm = elsePart && targetStm != nullptr ? *targetStm : Pick(0, 2) == 0 ? AnyStm() : *fSourceStm;
    const int choice = Pick(0, plain ? 6 : 3);
    std::vector<TAusgang*> outputs = Outputs(stm);
    if (choice <= 1 && !outputs.empty()) {
      TAusgang* out = PickOf(outputs);
      SetModuleEndpoint(e, *out->Modul, stm.Adresse(), out->Adresse(), out->Modul->AusShift, Pick(0, 7));
      const int modes[] = {0, 1, 2, 5, 6, 7, 8, 9, 11, 13};
      const int mode = modes[Pick(0, 9)];
      const uint16_t param = static_cast<uint16_t>(Pick(0, 1) == 0 ? 0 : Pick(1, 65535));
      if (elsePart) {
        link.SetElseParamMode(mode);
        link.SetElseParamWord(param);
      } else {
        link.SetTargetParamMode(mode);
        link.SetTargetParamWord(param);
      }
      for (int i = 330; i < 350; ++i) link.Header()[static_cast<size_t>(i)] = static_cast<uint8_t>(Pick(0, 255));
    } else if (choice == 2 && stm.Merker.Count() > 0) {
      SetObjectEndpoint(e, kObjMerker, stm.Adresse(), "MRK",
                        stm.Merker.GetMerker(Pick(0, stm.Merker.Count() - 1))->Adresse(), Pick(0, 1));
    } else if (choice == 3 && stm.Texte.Count() > 0) {
      SetObjectEndpoint(e, kObjAnzeigetext, stm.Adresse(), "TXT", Pick(0, stm.Texte.Count() - 1), Pick(0, 1));
    } else if (choice == 4 && stm.Module.Count() > 0) {
      const TModul& m = *stm.Module.GetModul(Pick(0, stm.Module.Count() - 1));
      SetModuleEndpoint(e, m, stm.Adresse(), Pick(0, 7), 0, Pick(0, 1));
      e.SetObjType(m.BasisKlasse + 8);
    } else if (choice == 5) {
      SetObjectEndpoint(e, 0, 254, "", 0, 0);
      link.SetTargetParamWord(static_cast<uint16_t>(Pick(1, 65530)));
    } else if (choice == 6 && fSourceStm->Gruppen.Count() > 0) {
      SetObjectEndpoint(e, kObjGruppe, fSourceStm->Adresse(), "GRP", 0, Pick(1, 3));
    } else {
      SetObjectEndpoint(e, kObjMerker, stm.Adresse(), "MRK", 200, 1);  // a flag that does not exist
    }
  }

  void AddConditions(TVerbindung& link, TSteuermodul& stm) {
    const int n = Pick(1, 3);
    for (int i = 0; i < n; ++i) {
      const int kind = Pick(0, 3);
      std::vector<TAusgang*> outputs = Outputs(stm);
      if (kind == 0 && stm.Merker.Count() > 0) {
        SetCondition(link, i, kObjMerker, stm.Adresse(), 0, stm.Merker.GetMerker(0)->Adresse(), Pick(0, 1), "MRK", "");
      } else if (kind == 1 && !outputs.empty()) {
        TAusgang* out = PickOf(outputs);
        SetCondition(link, i, 17 + out->Modul->BasisKlasse, stm.Adresse(), out->Modul->Adresse(), out->Adresse(),
                     Pick(0, 1), out->Modul->ModulKennung, out->InternalName());
      } else if (kind == 2 && stm.Uhren.Count() > 0) {
        const TUhr& clock = *stm.Uhren.GetUhr(Pick(0, stm.Uhren.Count() - 1));
        SetCondition(link, i, kObjUhr, stm.Adresse(), 0, clock.Adresse(), Pick(0, 1), "UHR", clock.InternalName());
      } else {
        // An input or feedback channel of any module of the control module: automatic links.
        for (int m = 0; m < stm.Module.Count(); ++m) {
          TModul& modul = *stm.Module.GetModul(m);
          if (modul.Eingaenge().Count() > 0) {
            TEingang& in = *modul.Eingaenge().GetEingang(Pick(0, modul.Eingaenge().Count() - 1));
            SetCondition(link, i, 2 * modul.BasisKlasse + 1, stm.Adresse(), modul.Adresse(), in.Adresse(), Pick(0, 1),
                         modul.ModulKennung, in.InternalName());
            break;
          }
        }
      }
    }
  }

  void AddLink(TKanal& source, TLinkEndpoint (*)(TVerbindung&), int objType, const TModul* modul, int event) {
    auto link = std::make_unique<TVerbindung>();
    if (modul != nullptr) {
      SetModuleEndpoint(link->Source(), *modul, fSourceStm->Adresse(), source.Adresse(), modul->EinShift, event);
    } else {
      SetObjectEndpoint(link->Source(), objType, fSourceStm->Adresse(), objType == kObjUhr ? "UHR" : "MRK",
                        source.Adresse(), event);
    }
    const int kind = Pick(0, 4) < 2 ? 0 : Pick(1, 2);
    link->SetKind(kind);
    link->SetSingleEntry(Pick(0, 5) == 0);
    if (kind == 0) {
      if (objType == kObjUhr && Pick(0, 3) == 0) {
        SetObjectEndpoint(link->Target(), kObjUhr, fSourceStm->Adresse(), "UHR", source.Adresse(), 134);
        link->Header()[312] = 4;
        for (int i = 0; i < 4; ++i)
          link->Header()[static_cast<size_t>(314 + 2 * i)] = static_cast<uint8_t>(Pick(0, 255));
      } else {
        RandomTarget(*link, link->Target(), true, false);
      }
    } else {
      if (objType == kObjUhr && Pick(0, 2) == 0) link->Source().SetObjType(154);
      link->SetLogicOr(Pick(0, 1) == 1);
      RandomTarget(*link, link->Target(), false, false);
      if (kind == 2) RandomTarget(*link, link->ElseTarget(), false, true);
      const int targetStm = link->Target().StmNummer();
      TSteuermodul* conditionStm = B.Projekt.Steuermodule.FindByAddress(targetStm);
      AddConditions(*link, conditionStm != nullptr ? *conditionStm : *fSourceStm);
    }
    source.Verbindungen().Add(std::move(link));
  }

  void AddLinks(TSteuermodul& stm) {
    fSourceStm = &stm;
    for (int m = 0; m < stm.Module.Count(); ++m) {
      TModul& modul = *stm.Module.GetModul(m);
      for (int i = 0; i < modul.Eingaenge().Count(); ++i) {
        const int n = Pick(0, 3);
        for (int k = 0; k < n; ++k) AddLink(*modul.Eingaenge().GetEingang(i), nullptr, 0, &modul, Pick(0, 5));
      }
      for (int i = 0; i < modul.Rueckmeldungen().Count(); ++i) {
        if (Pick(0, 2) == 0) AddLink(*modul.Rueckmeldungen().GetRueckmeldung(i), nullptr, 0, &modul, Pick(0, 7));
      }
    }
    for (int i = 0; i < stm.Merker.Count(); ++i) {
      const int n = Pick(0, 2);
      for (int k = 0; k < n; ++k) AddLink(*stm.Merker.GetMerker(i), nullptr, kObjMerker, nullptr, Pick(0, 1));
    }
    for (int i = 0; i < stm.Uhren.Count(); ++i) {
      const int n = Pick(0, 3);
      for (int k = 0; k < n; ++k) AddLink(*stm.Uhren.GetUhr(i), nullptr, kObjUhr, nullptr, Pick(0, 1));
    }
  }

  TPicker fPick;
  int fMaxStms;
  std::vector<TSteuermodul*> fStms;
  TSteuermodul* fSourceStm = nullptr;
};

}  // namespace zyn::test
