#pragma once
// The numbered lists of a control module: flags, clocks, display texts and groups.

#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Merker.h"
#include "model/Uhr.h"
#include "model/ZYNListe.h"

namespace zyn {

class IModelLookup;

// A numbered list whose items own links (flags, clocks): the link maintenance passes through to
// every item's link list.
template <class T>
class TLinkOwnerListeOf : public TZYNListeOf<T> {
 public:
  TSteuermodul* Steuermodul = nullptr;  // not owned; copied into every item added

  int VerbindungsCount() const {
    return Sum([](T& k) { return k.Verbindungen().Count(); });
  }
  bool RemoveLink(TVerbindung* link) {
    for (int i = 0; i < this->Count(); ++i) {
      if (this->GetItem(i)->RemoveLink(link)) return true;
    }
    return false;
  }
  bool ContainsLink(const TVerbindung* link) const {
    return Sum([&](T& k) { return k.Verbindungen().IndexOf(link) >= 0 ? 1 : 0; }) > 0;
  }
  int DeleteGeneratedLinks() {
    return Sum([](T& k) { return k.Verbindungen().DeleteGeneratedLinks(); });
  }
  int GruppeDeleted(int stm, int group) {
    return Sum([&](T& k) { return k.Verbindungen().GruppeDeleted(stm, group); });
  }
  int MerkerDeleted(int stm, int flag) {
    return Sum([&](T& k) { return k.Verbindungen().MerkerDeleted(stm, flag); });
  }
  int TextDeleted(int stm, int text) {
    return Sum([&](T& k) { return k.Verbindungen().TextDeleted(stm, text); });
  }
  int UhrDeleted(int stm, int clock) {
    return Sum([&](T& k) { return k.Verbindungen().UhrDeleted(stm, clock); });
  }
  int ModulDeleted(int stm, int baseClass, int logicType, int address) {
    return Sum([&](T& k) { return k.Verbindungen().ModulDeleted(stm, baseClass, logicType, address); });
  }
  void RemapLinks(int stm, int kind, const TRenumberMap& map) {
    Sum([&](T& k) {
      k.Verbindungen().RemapLinks(stm, kind, map);
      return 0;
    });
  }
  void RenumberStm(int oldNumber, int newNumber) {
    Sum([&](T& k) {
      k.RenumberStm(oldNumber, newNumber);
      return 0;
    });
  }
  void RefreshLinkTexts(const IModelLookup& lookup) {
    Sum([&](T& k) {
      k.RefreshLinkTexts(lookup);
      return 0;
    });
  }

 protected:
  void SetBackRefs(T& item) override { item.Steuermodul = Steuermodul; }

  template <class F>
  int Sum(F f) const {
    int total = 0;
    for (int i = 0; i < this->Count(); ++i) total += f(*this->GetItem(i));
    return total;
  }
};

class TMerkerListe : public TLinkOwnerListeOf<TMerker> {
 public:
  TMerkerListe() { Adressen.SetRange(0, 255); }
  TMerker* GetMerker(int index) const { return GetItem(index); }
  int CountNotReserved() const;
  void ResetAll();
};

class TUhrenListe : public TLinkOwnerListeOf<TUhr> {
 public:
  TUhrenListe() { Adressen.SetRange(0, 125); }
  TUhr* GetUhr(int index) const { return GetItem(index); }
  // 1 when a clock of the list is an initialisation clock (bit 7 of EinTage), else 0.
  int HasInitClock() const;
  int CountClocksOfType(TUhrenTyp type) const;

 protected:
  void SetBackRefs(TUhr& item) override;
  // An edit copy takes only the pool; the list keeps its own header fields.
  void CopyListHeader(const TZYNListeOf<TUhr>& source) override { Adressen.CopyFrom(source.Adressen); }
};

class TTextListe : public TZYNListeOf<TAnzeigetext> {
 public:
  TTextListe() { Adressen.SetRange(0, 127); }
  TSteuermodul* Steuermodul = nullptr;  // not owned
  TAnzeigetext* GetAnzeigetext(int index) const { return GetItem(index); }

 protected:
  void SetBackRefs(TAnzeigetext& item) override { item.Steuermodul = Steuermodul; }
};

class TGruppenListe : public TZYNListeOf<TGruppe> {
 public:
  TGruppenListe() { Adressen.SetRange(0, 127); }
  TSteuermodul* Steuermodul = nullptr;  // not owned
  TGruppe* GetGruppe(int index) const { return GetItem(index); }
  int MemberCount() const;
  void RefreshMemberAddresses(const IModelLookup& lookup, int stmNummer, int objType, const TRenumberMap& map);
  void ModulDeletedFromMembers(const IModelLookup& lookup, int stmNummer, int objType, int modulAdresse);

 protected:
  void SetBackRefs(TGruppe& item) override { item.Steuermodul = Steuermodul; }
};

}  // namespace zyn
