#include "model/Gruppe.h"

#include "model/Merker.h"
#include "model/ModelLookup.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Filer.h"

namespace zyn {

namespace {
const char* const kGruppenBefehle = "Befehlsliste Gruppen";
}  // namespace

void TGruppenObjekt::CopyFrom(const TGruppenObjekt& source) {
  TZYNBaseObject::CopyFrom(source);
  AdressString = source.AdressString;
  Kanal = source.Kanal;
  Modul = source.Modul;
  Steuermodul = source.Steuermodul;
}

void TGruppenObjekt::UpdateFrom(const TGruppenObjekt& source) {
  TZYNBaseObject::UpdateFrom(source);
  AdressString = source.AdressString;
  Kanal = source.Kanal;
  Modul = source.Modul;
  Steuermodul = source.Steuermodul;
}

void TGruppenObjekt::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  Steuermodul = reader.ReadString();
  Modul = reader.ReadString();
  Kanal = reader.ReadString();
  AdressString = reader.ReadString();
}

void TGruppenObjekt::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteString(Steuermodul);
  writer.WriteString(Modul);
  writer.WriteString(Kanal);
  writer.WriteString(AdressString);
}

TGruppenObjekt* TGruppenObjektListe::GetGruppenObjekt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

int TGruppenObjektListe::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(fItems[static_cast<size_t>(i)]->InternalName(), name)) return i;
  }
  return -1;
}

TGruppenObjekt* TGruppenObjektListe::Add(std::unique_ptr<TGruppenObjekt> member) {
  fItems.push_back(std::move(member));
  return fItems.back().get();
}

void TGruppenObjektListe::Remove(TGruppenObjekt* member) {
  for (size_t i = 0; i < fItems.size(); ++i) {
    if (fItems[i].get() == member) {
      fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

void TGruppenObjektListe::CopyFrom(const TGruppenObjektListe& source) {
  for (const auto& item : source.fItems) {
    auto member = std::make_unique<TGruppenObjekt>();
    member->CopyFrom(*item);
    Add(std::move(member));
  }
}

void TGruppenObjektListe::MergeFrom(const TGruppenObjektListe& copy) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (copy.IndexOfName(fItems[static_cast<size_t>(i)]->InternalName()) < 0) {
      fItems.erase(fItems.begin() + i);
    }
  }
  for (const auto& item : copy.fItems) {
    const int index = IndexOfName(item->InternalName());
    if (index < 0) {
      auto member = std::make_unique<TGruppenObjekt>();
      member->CopyFrom(*item);
      Add(std::move(member));
    } else {
      fItems[static_cast<size_t>(index)]->UpdateFrom(*item);
    }
  }
  for (int i = 0; i < copy.Count(); ++i) {
    const int from = IndexOfName(copy.fItems[static_cast<size_t>(i)]->InternalName());
    if (from >= 0 && from != i) {
      std::unique_ptr<TGruppenObjekt> moved = std::move(fItems[static_cast<size_t>(from)]);
      fItems.erase(fItems.begin() + from);
      fItems.insert(fItems.begin() + i, std::move(moved));
    }
  }
}

void TGruppenObjektListe::ReadData(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto member = std::make_unique<TGruppenObjekt>();
    member->ReadData(reader);
    Add(std::move(member));
  }
  reader.ReadListEnd();
}

void TGruppenObjektListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& item : fItems) item->WriteData(writer);
  writer.WriteListEnd();
}

TGruppe::~TGruppe() {
  fMembers.Clear();
  fObservers.BroadcastDeleted(this);
}

void TGruppe::SetAdresse(int32_t value) {
  if (value == fAdresse) return;
  fObservers.BroadcastValueChanged(this, fAdresse, value);
  fAdresse = value;
}

void TGruppe::CopyFrom(const TGruppe& source) {
  TZYNBaseObject::CopyFrom(source);
  fAdresse = source.fAdresse;
  Notizen = source.Notizen;
  fMembers.CopyFrom(source.fMembers);
}

void TGruppe::UpdateFrom(const TGruppe& source) {
  TZYNBaseObject::UpdateFrom(source);
  SetAdresse(source.fAdresse);
  Notizen = source.Notizen;
  fMembers.MergeFrom(source.fMembers);
}

bool TGruppe::AcceptsKanal(const IModelLookup& lookup, const TKanal& channel) const {
  if (fMembers.Count() == 0) return true;
  const TModul* modul = lookup.FindModul(fMembers.GetGruppenObjekt(0)->Modul);
  if (modul == nullptr) return false;
  const TAusgang* first = modul->Ausgaenge().GetItem(0);
  if (first == nullptr) return false;
  return channel.BefehlsListe == first->BefehlsListe;
}

std::string TGruppe::GetCommonBefehlsListe(const IModelLookup& lookup) const {
  std::string common;
  bool haveCommon = false;
  bool lastFound = false;
  for (int i = 0; i < fMembers.Count(); ++i) {
    const TAusgang* output = lookup.FindAusgang(fMembers.GetGruppenObjekt(i)->Kanal, nullptr);
    lastFound = output != nullptr;
    if (!lastFound) continue;
    if (haveCommon && output->BefehlsListe != common) return kGruppenBefehle;
    common = output->BefehlsListe;
    haveCommon = true;
  }
  return lastFound ? common : std::string(kGruppenBefehle);
}

void TGruppe::RefreshMemberAddresses(const IModelLookup& lookup, int stmNummer, int objType, const TRenumberMap& map) {
  if (objType < 0 || objType >= kObjMerker) return;
  for (int i = 0; i < fMembers.Count(); ++i) {
    TGruppenObjekt* member = fMembers.GetGruppenObjekt(i);
    if (lookup.StmNummerByName(member->Steuermodul) != stmNummer) continue;
    const TModul* modul = lookup.FindModulInStm(member->Steuermodul, member->Modul);
    // Only the module that moves: another base class may use the same address. A renumbering
    // that names its module is matched by the module itself, so that it holds before and after
    // the module stores its new address.
    if (modul == nullptr || modul->BasisKlasse != objType) continue;
    const TRenumbering* moved = nullptr;
    for (const TRenumbering& r : map) {
      if (r.Object != nullptr ? r.Object == modul : r.OldNumber == modul->Adresse()) {
        moved = &r;
        break;
      }
    }
    if (moved == nullptr) continue;
    const TAusgang* output = lookup.FindAusgangInStm(member->Steuermodul, member->Kanal);
    if (output == nullptr) continue;
    member->AdressString =
        modul->ModulKennung + "." + ZeroPad(moved->NewNumber, 2) + "." + ZeroPad(output->Adresse(), 2);
  }
}

void TGruppe::ModulDeletedFromMembers(const IModelLookup& lookup, int stmNummer, int objType, int modulAdresse) {
  if (objType < 0 || objType > 7) return;
  for (int i = fMembers.Count() - 1; i >= 0; --i) {
    TGruppenObjekt* member = fMembers.GetGruppenObjekt(i);
    if (lookup.StmNummerByName(member->Steuermodul) != stmNummer) continue;
    const TModul* modul = lookup.FindModulInStm(member->Steuermodul, member->Modul);
    if (modul == nullptr || modul->Adresse() != modulAdresse || modul->BasisKlasse != objType) continue;
    fMembers.Remove(member);
  }
}

void TGruppe::ExpandLink(const IModelLookup& lookup, TKanal* channel, TVerbindungsListe& dest,
                         const TExpandCallback& callback, TVerbindung* groupLink) const {
  if (channel == nullptr || groupLink == nullptr) return;
  if (groupLink->Target().ObjType() != kObjGruppe || groupLink->Target().KanalNummer() != fAdresse) return;
  for (int i = 0; i < fMembers.Count(); ++i) {
    const TGruppenObjekt& member = *fMembers.GetGruppenObjekt(i);
    auto link = std::make_unique<TVerbindung>(true);
    link->CopyRecordFrom(*groupLink);
    // The copied header carries the user link's flag; member links are the program's own, so
    // that the clean-up after a compile removes them again.
    link->SetGenerated(true);
    TModul* modul = nullptr;
    const TKanal* target = lookup.FindEingang(member.Kanal, &modul);
    if (target == nullptr) target = lookup.FindAusgang(member.Kanal, &modul);
    int flagOrClock = 0;
    if (target == nullptr) {
      modul = nullptr;
      target = lookup.FindMerker(member.Kanal);
      flagOrClock = kObjMerker;
    }
    if (target == nullptr) {
      target = lookup.FindUhr(member.Kanal);
      flagOrClock = kObjUhr;
    }
    if (target == nullptr) continue;  // a member whose channel is gone makes no link
    TLinkEndpoint e = link->Target();
    if (modul != nullptr) {
      e.SetObjType(modul->BasisKlasse);
      e.SetModulAdresse(modul->Adresse());
      e.SetShift(modul->AusShift);
      e.SetModulKennung(modul->ModulKennung);
    } else {
      // A flag or clock has no module: the member link addresses it by its own number.
      e.SetObjType(flagOrClock);
      e.SetModulAdresse(0);
      e.SetShift(0);
      e.SetModulKennung(flagOrClock == kObjMerker ? "MRK" : "UHR");
    }
    e.SetKanalNummer(target->Adresse());
    dest.Add(std::move(link));
    if (callback) callback(2, groupLink);
  }
}

void TGruppe::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  fAdresse = reader.ReadInteger();
  Notizen = reader.ReadString();
  fMembers.ReadData(reader);
}

void TGruppe::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteInteger(fAdresse);
  writer.WriteString(Notizen);
  fMembers.WriteData(writer);
}

}  // namespace zyn
