#include "model/ObjektListen.h"

namespace zyn {

int TMerkerListe::CountNotReserved() const {
  return Sum([](TMerker& m) { return m.Reserviert() ? 0 : 1; });
}

void TMerkerListe::ResetAll() {
  Sum([](TMerker& m) {
    m.Reset();
    return 0;
  });
}

int TUhrenListe::HasInitClock() const {
  return Sum([](TUhr& u) { return u.IsInitClock() ? 1 : 0; }) > 0 ? 1 : 0;
}

int TUhrenListe::CountClocksOfType(TUhrenTyp type) const {
  return Sum([&](TUhr& u) { return u.UhrenTyp == type ? 1 : 0; });
}

void TUhrenListe::SetBackRefs(TUhr& item) {
  TLinkOwnerListeOf<TUhr>::SetBackRefs(item);
  item.BefehlsListe = "Eingangsfunktionen Uhren";
}

int TGruppenListe::MemberCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) count += GetGruppe(i)->Members().Count();
  return count;
}

void TGruppenListe::RefreshMemberAddresses(const IModelLookup& lookup, int stmNummer, int objType,
                                           const TRenumberMap& map) {
  for (int i = 0; i < Count(); ++i) GetGruppe(i)->RefreshMemberAddresses(lookup, stmNummer, objType, map);
}

void TGruppenListe::ModulDeletedFromMembers(const IModelLookup& lookup, int stmNummer, int objType, int modulAdresse) {
  for (int i = 0; i < Count(); ++i) GetGruppe(i)->ModulDeletedFromMembers(lookup, stmNummer, objType, modulAdresse);
}

}  // namespace zyn
