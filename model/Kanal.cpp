#include "model/Kanal.h"

#include "model/EABeschreibung.h"
#include "model/Gruppe.h"
#include "model/Merker.h"
#include "model/ModelLookup.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/base/Filer.h"

#include <memory>

namespace zyn {

namespace {

void SetCommandTexts(TLinkEndpoint endpoint, const TCommandTexts& texts) {
  endpoint.SetFunctionText(texts.DisplayName);
  endpoint.SetFunctionName(texts.InternalName);
}

bool EndpointCommand(const IModelLookup& lookup, const TLinkEndpoint& e, TCommandTexts& result) {
  return LookupCommand(lookup, e.ObjType(), e.StmNummer(), e.ModulAdresse(), e.ModulKennung(), e.FunctionNumber(),
                       e.KanalNummer(), result);
}

}  // namespace

TKanal::TKanal() : fVerbindungen(this) {}

void TKanal::SetAdresse(int32_t value) {
  if (value == fAdresse) return;
  fObservers.BroadcastValueChanged(this, fAdresse, value);
  fAdresse = value;
}

std::string TKanal::DefaultText() const {
  const size_t percent = StoredDefaultText.find('%');
  if (percent == std::string::npos) return std::string();
  return StoredDefaultText.substr(0, percent);
}

void TKanal::SetReserviert(bool value) {
  if (value == fReserviert) return;
  fReserviert = value;
  PORStatus = value ? porReserved : porOFF;
}

bool TKanal::Used() {
  if (!Trim(DisplayName()).empty()) return true;
  if (fVerbindungen.Count() > 0) {
    AssignDisplayName(ModelTranslate("!! Verbindungen vorhanden !!"));
    return true;
  }
  return false;
}

void TKanal::InitFromDescription(const TEABeschreibung& description) {
  fAdresse = description.KanalNummer;
  StoredDefaultText = description.DefaultText;
  BefehlsListe = description.Funktionen;
}

void TKanal::CopyFrom(const TKanal& source) {
  TZYNBaseObject::CopyFrom(source);
  fAdresse = source.fAdresse;
  BefehlsListe = source.BefehlsListe;
  Bemerkungen = source.Bemerkungen;
  StoredDefaultText = source.StoredDefaultText;
  PORStatus = source.PORStatus;
  fReserviert = source.fReserviert;
}

void TKanal::UpdateFrom(const TKanal& source) {
  TZYNBaseObject::UpdateFrom(source);
  fVerbindungen.Parent = this;
  fVerbindungen.SetParents();
  SetAdresse(source.fAdresse);
  BefehlsListe = source.BefehlsListe;
  Bemerkungen = source.Bemerkungen;
  StoredDefaultText = source.StoredDefaultText;
  PORStatus = source.PORStatus;
  fReserviert = source.fReserviert;
}

int TKanal::FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) {
  int count = 0;
  for (int i = 0; i < fVerbindungen.Count(); ++i) {
    TVerbindung* link = fVerbindungen.GetVerbindung(i);
    const TLinkEndpoint target = link->Target();
    const TLinkEndpoint elseTarget = link->ElseTarget();
    const bool hasElse = !elseTarget.ModulKennung().empty();
    const bool typeMatches = target.ObjType() == targetType || (hasElse && elseTarget.ObjType() == targetType);
    const bool numberMatches = target.KanalNummer() == number || (hasElse && elseTarget.KanalNummer() == number);
    if (typeMatches && target.StmNummer() == stmNummer && target.ModulAdresse() == modulAdresse && numberMatches) {
      ++count;
      report.push_back({link->GetDisplayText(), link});
    }
  }
  return count;
}

void TKanal::RenumberStm(int oldNumber, int newNumber) {
  for (int i = 0; i < fVerbindungen.Count(); ++i) {
    TVerbindung* link = fVerbindungen.GetVerbindung(i);
    TLinkEndpoint endpoints[3] = {link->Source(), link->Target(), link->ElseTarget()};
    for (int k = 0; k < 3; ++k) {
      if (k == 2 && !endpoints[k].Present()) continue;  // no else target: nothing to renumber
      if (endpoints[k].StmNummer() == oldNumber) endpoints[k].SetStmNummer(newNumber);
    }
    for (int n = 0; n < kLogicEntryCount; ++n) {
      TLogicEntry e = link->Logic(n);
      if (!Trim(e.LogicCode()).empty() && e.StmNummer() == oldNumber) e.SetStmNummer(newNumber);
    }
  }
  fVerbindungen.RefreshKeys();
}

void TKanal::RefreshLinkTexts(const IModelLookup& lookup) {
  for (int i = 0; i < fVerbindungen.Count(); ++i) {
    TVerbindung* link = fVerbindungen.GetVerbindung(i);
    TCommandTexts texts;
    if (lookup.FindCommand(BefehlsListe, link->Source().FunctionNumber(), texts)) {
      SetCommandTexts(link->Source(), texts);
    }
    if (EndpointCommand(lookup, link->Target(), texts)) SetCommandTexts(link->Target(), texts);
    if (link->Kind() == 2 && EndpointCommand(lookup, link->ElseTarget(), texts)) {
      SetCommandTexts(link->ElseTarget(), texts);
    }
  }
  fVerbindungen.RefreshKeys();
}

void TKanal::ExpandGroupLinks(const IModelLookup& lookup, const TExpandCallback& callback) {
  TVerbindungsListe expanded(this);
  for (int i = 0; i < fVerbindungen.Count(); ++i) {
    TVerbindung* link = fVerbindungen.GetVerbindung(i);
    if (link->Target().ObjType() != kObjGruppe) continue;
    TGruppe* group = lookup.FindGruppeByAddress(link->Target().StmNummer(), link->Target().KanalNummer());
    if (group != nullptr) group->ExpandLink(lookup, this, expanded, callback, link);
  }
  while (expanded.Count() > 0) {
    fVerbindungen.Add(expanded.Extract(expanded.GetVerbindung(0)));
  }
}

void TKanal::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  fAdresse = reader.ReadInteger();
  BefehlsListe = reader.ReadString();
  StoredDefaultText = reader.ReadString();
  Bemerkungen = reader.ReadString();
  PORStatus = reader.ReadInteger();
  fReserviert = reader.ReadBoolean();
  fVerbindungen.Parent = this;
  fVerbindungen.ReadData(reader);
}

void TKanal::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteInteger(fAdresse);
  writer.WriteString(BefehlsListe);
  writer.WriteString(StoredDefaultText);
  writer.WriteString(Bemerkungen);
  writer.WriteInteger(PORStatus);
  writer.WriteBoolean(fReserviert);
  fVerbindungen.WriteData(writer);
}

bool LookupCommand(const IModelLookup& lookup, int objType, int stmNummer, int modulAdresse,
                   const std::string& modulKennung, int command, int kanalNummer, TCommandTexts& result) {
  std::string listName;
  if (objType == kObjMerker) {
    const TMerker* flag = lookup.FindMerkerByAddress(stmNummer, kanalNummer);
    if (flag == nullptr) return false;
    listName = flag->BefehlsListe;
  } else if (objType == kObjAnzeigetext || objType == kObjGruppe) {
    listName.clear();
  } else if (objType >= 0 && objType < 16) {
    TModul* modul = lookup.FindModulByKennung(stmNummer, modulKennung, modulAdresse);
    if (modul == nullptr) return false;
    const TAusgang* output = modul->FindAusgang(kanalNummer);
    if (output == nullptr) return false;
    listName = output->BefehlsListe;
  } else {
    return false;
  }
  return lookup.FindCommand(listName, command, result);
}

}  // namespace zyn
