#pragma once
// The channel lists of a module: inputs, outputs and feedback channels. Their order is the
// module's channel order; they use no number pool, and a merge never reorders them.

#include "model/ZYNListe.h"

namespace zyn {

class TModul;
class IModelLookup;

template <class T>
class TKanalListeOf : public TZYNListeOf<T> {
 public:
  // Number of links of all channels.
  int VerbindungsCount() const {
    int count = 0;
    for (int i = 0; i < this->Count(); ++i) count += this->GetItem(i)->Verbindungen().Count();
    return count;
  }
  // Removes and frees the link from whichever channel holds it.
  bool RemoveLink(TVerbindung* link) {
    for (int i = 0; i < this->Count(); ++i) {
      if (this->GetItem(i)->RemoveLink(link)) return true;
    }
    return false;
  }
  bool ContainsLink(const TVerbindung* link) const {
    for (int i = 0; i < this->Count(); ++i) {
      if (this->GetItem(i)->Verbindungen().IndexOf(link) >= 0) return true;
    }
    return false;
  }
  void RenumberStm(int oldNumber, int newNumber) {
    for (int i = 0; i < this->Count(); ++i) this->GetItem(i)->RenumberStm(oldNumber, newNumber);
  }
  void RefreshLinkTexts(const IModelLookup& lookup) {
    for (int i = 0; i < this->Count(); ++i) this->GetItem(i)->RefreshLinkTexts(lookup);
  }

 protected:
  bool Numbered() const override { return false; }
  bool MergeReorders() const override { return false; }
  void SetBackRefs(T& item) override { item.Modul = ParentModul(); }
  TModul* ParentModul() const;
};

class TEingangsListe : public TKanalListeOf<TEingang> {
 public:
  TEingang* GetEingang(int index) const { return GetItem(index); }
};

class TAusgangsListe : public TKanalListeOf<TAusgang> {
 public:
  TAusgang* GetAusgang(int index) const { return GetItem(index); }
};

class TRMEListe : public TKanalListeOf<TRueckmeldung> {
 public:
  TSteuermodul* Steuermodul = nullptr;  // not owned
  TRueckmeldung* GetRueckmeldung(int index) const { return GetItem(index); }

 protected:
  void SetBackRefs(TRueckmeldung& item) override {
    TKanalListeOf<TRueckmeldung>::SetBackRefs(item);
    item.Steuermodul = Steuermodul;
  }
};

}  // namespace zyn

namespace zyn {
extern template class TKanalListeOf<TEingang>;
extern template class TKanalListeOf<TAusgang>;
extern template class TKanalListeOf<TRueckmeldung>;
}  // namespace zyn
