#include "model/LinkMaintenance.h"

#include "model/ModulListe.h"
#include "model/ObjektListen.h"

namespace zyn {

int LogicTypeOfModul(int baseClass, int address) { return 2 * baseClass + 1 + (address > 15 ? 1 : 0); }

void RenumberInLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int kind, int logicType,
                     int oldNumber, int newNumber) {
  RenumberInLinks(lists, lookup, stm, kind, TRenumberMap{TRenumbering{logicType, oldNumber, newNumber, nullptr}});
}

void RenumberInLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int kind, const TRenumberMap& map) {
  if (lists.Module) lists.Module->RemapLinks(stm, kind, map);
  if (lists.Uhren) lists.Uhren->RemapLinks(stm, kind, map);
  if (lists.Merker) lists.Merker->RemapLinks(stm, kind, map);
  if (lists.Gruppen && kind >= 0 && kind < 8) lists.Gruppen->RefreshMemberAddresses(lookup, stm, kind, map);
}

int RemoveModulFromLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int baseClass, int logicType,
                         int address) {
  int count = 0;
  if (lists.Module) count += lists.Module->ModulDeleted(stm, baseClass, logicType, address);
  if (lists.Uhren) count += lists.Uhren->ModulDeleted(stm, baseClass, logicType, address);
  if (lists.Merker) count += lists.Merker->ModulDeleted(stm, baseClass, logicType, address);
  if (lists.Gruppen) lists.Gruppen->ModulDeletedFromMembers(lookup, stm, baseClass, address);
  return count;
}

namespace {

template <class F>
int OverLinkOwners(const TStmListen& lists, F f) {
  int count = 0;
  if (lists.Module) count += f(*lists.Module);
  if (lists.Uhren) count += f(*lists.Uhren);
  if (lists.Merker) count += f(*lists.Merker);
  return count;
}

}  // namespace

int ObjectDeletedFromLinks(const TStmListen& lists, int stm, int objType, int number) {
  switch (objType) {
    case kObjMerker:
      return OverLinkOwners(lists, [&](auto& l) { return l.MerkerDeleted(stm, number); });
    case kObjUhr:
      return OverLinkOwners(lists, [&](auto& l) { return l.UhrDeleted(stm, number); });
    case kObjAnzeigetext:
      return OverLinkOwners(lists, [&](auto& l) { return l.TextDeleted(stm, number); });
    case kObjGruppe:
      return OverLinkOwners(lists, [&](auto& l) { return l.GruppeDeleted(stm, number); });
    default:
      return 0;
  }
}

int DeleteGeneratedLinks(const TStmListen& lists) {
  return OverLinkOwners(lists, [](auto& l) { return l.DeleteGeneratedLinks(); });
}

bool RemoveLink(const TStmListen& lists, TVerbindung* link) {
  return OverLinkOwners(lists, [&](auto& l) { return l.RemoveLink(link) ? 1 : 0; }) > 0;
}

bool ContainsLink(const TStmListen& lists, const TVerbindung* link) {
  return OverLinkOwners(lists, [&](auto& l) { return l.ContainsLink(link) ? 1 : 0; }) > 0;
}

// Flags own links as modules and clocks do: they move with their control module too.
void RenumberLinks(const TStmListen& lists, int oldNumber, int newNumber) {
  if (lists.Module) lists.Module->RenumberStm(oldNumber, newNumber);
  if (lists.Uhren) lists.Uhren->RenumberStm(oldNumber, newNumber);
  if (lists.Merker) lists.Merker->RenumberStm(oldNumber, newNumber);
}

void RefreshLinkTexts(const TStmListen& lists, const IModelLookup& lookup) {
  if (lists.Module) lists.Module->RefreshLinkTexts(lookup);
  if (lists.Uhren) lists.Uhren->RefreshLinkTexts(lookup);
  if (lists.Merker) lists.Merker->RefreshLinkTexts(lookup);
}

int FindLinks(const TStmListen& lists, TLinkReport& report, int kind, int stm, int modulAdresse, int number) {
  return OverLinkOwners(lists, [&](auto& l) { return l.FindLinks(report, kind, stm, modulAdresse, number); });
}

}  // namespace zyn
