#include "project/Projekt.h"

#include "compiler/toollib/ZYNFunction.h"
#include "display/DispObserver.h"
#include "display/DisplayProjekt.h"
#include "model/BasisDaten.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"
#include "model/base/ZStream.h"
#include "project/SystemHelpers.h"
#include "visu/VisuProject.h"

#include <ctime>
#include <sys/time.h>

namespace zyn {

namespace {

constexpr int32_t kMagicZYN3 = ('Z' << 24) | ('Y' << 16) | ('N' << 8) | '3';
constexpr int32_t kMagicZYN2 = ('Z' << 24) | ('Y' << 16) | ('N' << 8) | '2';
constexpr size_t kFilerBuffer = 1024;
constexpr size_t kZipBuffer = 65536;  // the value stream of a packed file, in few zlib calls

std::string InvalidProjectText() { return Ansi("Die gewählte Datei enthält kein gültiges ZYN- Projekt"); }

}  // namespace

double NowDateTime() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  const std::time_t secs = tv.tv_sec;
  std::tm local{};
  localtime_r(&secs, &local);
  const double localSeconds = static_cast<double>(secs) + static_cast<double>(local.tm_gmtoff);
  return 25569.0 + localSeconds / 86400.0;
}

TProjektDaten::TProjektDaten() : AuftragsDatum(NowDateTime()), ZielDatum(AuftragsDatum) {}

TKundenDaten::TKundenDaten() : Angelegt(NowDateTime()) {}

TZYNProjekt::TZYNProjekt() : fDisplay(std::make_unique<TDisplayProjekt>()), fVisu(std::make_unique<TVisuProject>()) {
  Navigation[0].first = "FrSTMBearb";
}

TZYNProjekt::~TZYNProjekt() = default;

// ---------------------------------------------------------------------------------------------
// The project stream

void TZYNProjekt::SaveToWriter(TWriter& writer) const {
  writer.WriteInteger(kMagicZYN3);
  writer.WriteString(ProjektGUID);
  CurrentFrame.WriteData(writer);
  for (const auto& [text, number] : Navigation) {
    writer.WriteString(text);
    writer.WriteInteger(number);
  }
  const TProjektDaten& p = ProjektDaten;
  writer.WriteString(p.ProjektNummer);
  writer.WriteString(p.ProjektName);
  writer.WriteDate(p.AuftragsDatum);
  writer.WriteDate(p.ZielDatum);
  for (const std::string* s : {&p.Planung, &p.Ausfuehrung, &p.SoftCreated, &p.SoftLast, &p.Remarks})
    writer.WriteString(*s);
  const TKundenDaten& k = KundenDaten;
  writer.WriteString(k.KundenNr);
  writer.WriteDate(k.Angelegt);
  for (const std::string* s : {&k.FirmenName, &k.Zusatz, &k.Ansprechpartner, &k.Strasse, &k.PLZ, &k.Ort, &k.Telefon,
                               &k.Fax, &k.Email, &k.Homepage, &k.Bemerkungen})
    writer.WriteString(*s);
  Steuermodule.WriteData(writer);
  Tools.WriteData(writer);
  fDisplay->WriteData(writer);
  fVisu->WriteData(writer);
}

void TZYNProjekt::LoadFromReader(TReader& reader) {
  fDamaged = true;  // until the whole stream is read
  const int32_t magic = reader.ReadInteger();
  if (magic != kMagicZYN3 && magic != kMagicZYN2) throw EReadError(InvalidProjectText());
  if (reader.NextValue() == TValueType::vaString) ProjektGUID = reader.ReadString();
  CurrentFrame.ReadData(reader);
  for (auto& [text, number] : Navigation) {
    text = reader.ReadString();
    number = reader.ReadInteger();
  }
  TProjektDaten& p = ProjektDaten;
  p.ProjektNummer = reader.ReadString();
  p.ProjektName = reader.ReadString();
  p.AuftragsDatum = reader.ReadDate();
  p.ZielDatum = reader.ReadDate();
  for (std::string* s : {&p.Planung, &p.Ausfuehrung, &p.SoftCreated, &p.SoftLast, &p.Remarks}) *s = reader.ReadString();
  TKundenDaten& k = KundenDaten;
  k.KundenNr = reader.ReadString();
  k.Angelegt = reader.ReadDate();
  for (std::string* s : {&k.FirmenName, &k.Zusatz, &k.Ansprechpartner, &k.Strasse, &k.PLZ, &k.Ort, &k.Telefon, &k.Fax,
                         &k.Email, &k.Homepage, &k.Bemerkungen})
    *s = reader.ReadString();
  // From here on a failure leaves a project worth rescuing: the part it happened in is named.
  auto part = [](const std::string& what, const std::function<void()>& read) {
    try {
      read();
    } catch (const EReadError& e) {
      throw EProjectPartlyRead(what + ": " + e.what());
    }
  };
  part(Ansi("Steuermodule"), [&] { Steuermodule.ReadData(reader); });
  part(Ansi("Übergreifende Tools"),
       [&] { ReadToolList(reader, Tools, Ansi("Die übergreifenden Tools des Projekts sind beschädigt:")); });
  part(Ansi("Displays"), [&] { fDisplay->ReadData(reader); });
  if (magic == kMagicZYN3)
    part(Ansi("Visualisierung"), [&] {
      try {
        fVisu->ReadData(reader);
      } catch (const EReadError& e) {
        throw EReadError(Ansi("Die Visualisierung des Projekts konnte nicht gelesen werden: ") + e.what());
      }
    });
  CheckAfterLoad();
  fDamaged = false;
}

void TZYNProjekt::KeepReadParts() {
  try {
    CheckAfterLoad();
  } catch (const std::exception&) {
    // The tools keep the objects they could attach.
  }
  fDamaged = false;
  FileName.clear();
  Modified = true;
}

void TZYNProjekt::CheckAfterLoad() {
  for (int i = 0; i < Steuermodule.Count(); ++i) Steuermodule.GetSteuermodul(i)->CheckTools(*this);
  Tools.CheckAfterLoad(*this);
}

void TZYNProjekt::WriteStream(TStream& stream, size_t buffer) const {
  if (fDamaged)
    throw EWriteError(Ansi("Das Projekt wurde nicht vollständig gelesen und wird deshalb nicht gespeichert."));
  TWriter writer(stream, buffer);
  SaveToWriter(writer);
}

std::vector<uint8_t> TZYNProjekt::StreamBytes() const {
  TMemoryStream stream;
  WriteStream(stream, kFilerBuffer);
  return std::move(stream.Bytes());
}

std::vector<uint8_t> TZYNProjekt::ZippedBytes() const {
  const std::vector<uint8_t> plain = StreamBytes();
  return ZCompress(plain.data(), plain.size(), kZMaxCompression);
}

void TZYNProjekt::LoadProjectFile(const std::string& name) {
  RemoveLeftSaveCopies(name);  // what a save killed midway left beside the project
  TMemoryStream stream;
  stream.LoadFromFile(name);
  TReader reader(stream, kFilerBuffer);
  LoadFromReader(reader);
  FileName = name;
  Zipped = false;
  Modified = false;
}

void TZYNProjekt::LoadZippedProjectFile(const std::string& name) {
  RemoveLeftSaveCopies(name);
  // Unpacked while it is read: neither the file nor the whole stream is held in memory.
  ZInflateFile(name, [this](TStream& inflated) {
    TReader reader(inflated, kZipBuffer);
    LoadFromReader(reader);
  });
  FileName = name;
  Zipped = true;
  Modified = false;
}

void TZYNProjekt::SaveBytes(const std::string& name, const std::function<void(TStream&)>& produce, bool trashOld) {
  // The temporary file lies beside the target and is flushed before it replaces it, so the
  // target always holds either the complete old or the complete new project. Copies that earlier
  // builds left beside the project (".~zyn") go first.
  RemoveLeftSaveCopies(name);
  const bool existed = FileExists(name);
  WriteFileAtomic(name, produce, [&] {
    if (OnSaveStep) OnSaveStep(1);
    if (trashOld && existed) CopyToRecycleBin(name);
    if (OnSaveStep) OnSaveStep(2);
  });
  if (OnSaveStep) OnSaveStep(3);
}

bool TZYNProjekt::SaveProjectFile(const std::string& name, bool ask) {
  const std::vector<uint8_t> bytes = StreamBytes();
  if (ask && FileExists(name) && OnQuestion) {
    char text[2048];
    std::snprintf(
        text, sizeof text,
        TranslateText(Ansi("Die Datei \"%s\" existiert schon.%sSoll die Datei überschrieben werden?")).c_str(),
        Utf8ToAnsi(name).c_str(), "\r");
    if (OnQuestion(text) != 6) return false;
  }
  SaveBytes(
      name, [&bytes](TStream& out) { out.Write(bytes.data(), bytes.size()); }, true);
  return true;
}

void TZYNProjekt::SaveZippedProjectFile(const std::string& name) {
  // Packed while it is written; the bytes equal ZippedBytes().
  SaveBytes(
      name,
      [this](TStream& file) {
        TZCompressionStream packed(file, kZMaxCompression);
        WriteStream(packed, kZipBuffer);
        packed.Finish();
      },
      false);
}

bool TZYNProjekt::IsProjectFile(const std::string& name, bool compressed) {
  TMemoryStream file(ReadFileBytes(name));  // the open error reaches the caller
  try {
    int32_t magic = 0;
    if (compressed) {
      TZDecompressionStream inflated(file);
      TReader reader(inflated, 64);
      magic = reader.ReadInteger();
    } else {
      TReader reader(file, 64);
      magic = reader.ReadInteger();
    }
    return magic == kMagicZYN3 || magic == kMagicZYN2;
  } catch (const std::exception&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Look-ups

TAnzeigetext* TZYNProjekt::FindText(int stm, int address) const {
  const TSteuermodul* s = Steuermodule.FindByAddress(stm);
  return s ? s->FindText(address) : nullptr;
}

namespace {

template <class Result, class Find>
Result* FindChannel(const TSteuermodulListe& list, TSteuermodul** stm, TModul** modul, Find find) {
  for (int i = 0; i < list.Count(); ++i) {
    TSteuermodul* s = list.GetSteuermodul(i);
    for (int m = 0; m < s->Module.Count(); ++m) {
      TModul* mod = s->Module.GetModul(m);
      if (Result* r = find(*mod)) {
        if (stm) *stm = s;
        if (modul) *modul = mod;
        return r;
      }
    }
  }
  if (stm) *stm = nullptr;
  if (modul) *modul = nullptr;
  return nullptr;
}

template <class Result, class Find>
Result* FindInStm(const TSteuermodulListe& list, TSteuermodul** stm, Find find) {
  for (int i = 0; i < list.Count(); ++i) {
    if (Result* r = find(*list.GetSteuermodul(i))) {
      if (stm) *stm = list.GetSteuermodul(i);
      return r;
    }
  }
  if (stm) *stm = nullptr;
  return nullptr;
}

}  // namespace

TAusgang* TZYNProjekt::FindAusgang(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return FindChannel<TAusgang>(Steuermodule, stm, modul,
                               [&](TModul& m) { return m.Ausgaenge().FindByInternalName(name); });
}

TEingang* TZYNProjekt::FindEingang(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return FindChannel<TEingang>(Steuermodule, stm, modul,
                               [&](TModul& m) { return m.Eingaenge().FindByInternalName(name); });
}

TRueckmeldung* TZYNProjekt::FindRueckmeldung(const std::string& name, TSteuermodul** stm, TModul** modul) const {
  return FindChannel<TRueckmeldung>(Steuermodule, stm, modul,
                                    [&](TModul& m) { return m.Rueckmeldungen().FindByInternalName(name); });
}

TGruppe* TZYNProjekt::FindGruppe(const std::string& name, TSteuermodul** stm) const {
  return FindInStm<TGruppe>(Steuermodule, stm, [&](TSteuermodul& s) { return s.FindGruppe(name); });
}

TMerker* TZYNProjekt::FindMerkerByAddress(int stm, int address) const {
  const TSteuermodul* s = Steuermodule.FindByAddress(stm);
  return s ? s->FindMerkerByAddress(address) : nullptr;
}

TMerker* TZYNProjekt::FindMerker(const std::string& name, TSteuermodul** stm) const {
  return FindInStm<TMerker>(Steuermodule, stm, [&](TSteuermodul& s) { return s.FindMerker(name); });
}

TMerker* TZYNProjekt::FindMerkerByDisplayName(const std::string& text, TSteuermodul** stm) const {
  return FindInStm<TMerker>(Steuermodule, stm, [&](TSteuermodul& s) { return s.FindMerkerByDisplayName(text); });
}

TModul* TZYNProjekt::FindModul(const std::string& name, TSteuermodul** stm) const {
  return Steuermodule.FindModul(name, stm);
}

TUhr* TZYNProjekt::FindUhr(const std::string& name, TSteuermodul** stm) const {
  return FindInStm<TUhr>(Steuermodule, stm, [&](TSteuermodul& s) { return s.FindUhr(name); });
}

TUhr* TZYNProjekt::FindUhrByDisplayName(const std::string& text, TSteuermodul** stm) const {
  return FindInStm<TUhr>(Steuermodule, stm, [&](TSteuermodul& s) { return s.FindUhrByDisplayName(text); });
}

int TZYNProjekt::GetAusgangsCount() const {
  int n = 0;
  for (int i = 0; i < Steuermodule.Count(); ++i) n += Steuermodule.GetSteuermodul(i)->AusgangsCount();
  return n;
}

int TZYNProjekt::GetEingangsCount() const {
  int n = 0;
  for (int i = 0; i < Steuermodule.Count(); ++i) n += Steuermodule.GetSteuermodul(i)->EingangsCount();
  return n;
}

bool TZYNProjekt::BuildModuleTables(std::vector<std::string>& messages) {
  bool ok = true;
  for (int i = 0; i < Steuermodule.Count(); ++i) {
    std::string message;
    if (!Steuermodule.GetSteuermodul(i)->BuildModuleTable(message)) {
      messages.push_back(message);
      ok = false;
    }
  }
  return ok;
}

int TZYNProjekt::StmNummerByName(const std::string& stmName) const {
  const TSteuermodul* s = Steuermodule.FindByInternalName(stmName);
  return s ? s->Adresse() : -1;
}

TModul* TZYNProjekt::FindModulInStm(const std::string& stmName, const std::string& modulName) const {
  const TSteuermodul* s = Steuermodule.FindByInternalName(stmName);
  return s ? s->FindModul(modulName) : nullptr;
}

TAusgang* TZYNProjekt::FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const {
  const TSteuermodul* s = Steuermodule.FindByInternalName(stmName);
  return s ? s->Module.FindAusgang(kanalName) : nullptr;
}

TGruppe* TZYNProjekt::FindGruppeByAddress(int stm, int number) const {
  const TSteuermodul* s = Steuermodule.FindByAddress(stm);
  return s ? s->Gruppen.FindByAddress(number) : nullptr;
}

TModul* TZYNProjekt::FindModulByKennung(int stm, const std::string& kennung, int address) const {
  const TSteuermodul* s = Steuermodule.FindByAddress(stm);
  return s ? s->Module.FindModul(kennung, address) : nullptr;
}

TUhr* TZYNProjekt::FindUhrByAddress(int stm, int number) const {
  const TSteuermodul* s = Steuermodule.FindByAddress(stm);
  return s ? s->Uhren.FindByAddress(number) : nullptr;
}

int TZYNProjekt::ModulClassIndex(const std::string& modulKlasse) const {
  if (BasisDaten == nullptr) return -1;
  const TModulClass* found = BasisDaten->Katalog.FindClass(modulKlasse);
  if (found == nullptr) return -1;
  for (int i = 0; i < BasisDaten->Katalog.Count(); ++i)
    if (BasisDaten->Katalog.GetClass(i) == found) return i;
  return -1;
}

// Every tool list of the project: those of the control modules, then the project-wide tools.
template <class F>
void TZYNProjekt::ForEachToolList(F f) {
  for (int i = 0; i < Steuermodule.Count(); ++i) f(Steuermodule.GetSteuermodul(i)->Tools);
  f(Tools);
}

TZYNFunction* TZYNProjekt::FindToolByInternalName(const std::string& internalName) const {
  if (TZYNFunction* t = Tools.FindByInternalName(internalName)) return t;
  for (int i = 0; i < Steuermodule.Count(); ++i)
    if (TZYNFunction* t = Steuermodule.GetSteuermodul(i)->Tools.FindByInternalName(internalName)) return t;
  return nullptr;
}

TZYNFunction* TZYNProjekt::FindToolByName(const std::string& functionName) const {
  if (TZYNFunction* t = Tools.FindByName(functionName)) return t;
  for (int i = 0; i < Steuermodule.Count(); ++i)
    if (TZYNFunction* t = Steuermodule.GetSteuermodul(i)->Tools.FindByName(functionName)) return t;
  return nullptr;
}

bool TZYNProjekt::DeleteTool(const TZYNFunction* tool) {
  TZYNFunktionsListe* owner = nullptr;
  ForEachToolList([&](TZYNFunktionsListe& tools) {
    if (tools.IndexOf(tool) >= 0) owner = &tools;
  });
  if (owner == nullptr) return false;
  ForEachToolList([&](TZYNFunktionsListe& tools) { tools.ForgetFunction(tool); });
  owner->Delete(owner->IndexOf(tool));
  return true;
}

bool TZYNProjekt::FindCommand(const std::string& listName, int command, TCommandTexts& result) const {
  return BasisDaten != nullptr && BasisDaten->FindCommand(listName, command, result);
}

// ---------------------------------------------------------------------------------------------
// Propagation

// The tools hold the objects assigned to them; a deleted object leaves the tools of every control
// module and the project-wide tools, so that no tool keeps a reference to it.
void TZYNProjekt::GruppeDeleted(int stm, const TGruppe& gruppe) {
  for (int i = 0; i < Steuermodule.Count(); ++i)
    ObjectDeletedFromLinks(Steuermodule.GetSteuermodul(i)->Listen(), stm, kObjGruppe, gruppe.Adresse());
  const TToolObject object(const_cast<TGruppe*>(&gruppe));
  ForEachToolList([&](TZYNFunktionsListe& tools) { tools.RemoveObjectReferences(object); });
}

void TZYNProjekt::MerkerDeleted(int stm, const TMerker& merker) {
  for (int i = 0; i < Steuermodule.Count(); ++i)
    ObjectDeletedFromLinks(Steuermodule.GetSteuermodul(i)->Listen(), stm, kObjMerker, merker.Adresse());
  ForEachToolList([&](TZYNFunktionsListe& tools) { tools.RemoveMerkerReferences(const_cast<TMerker*>(&merker)); });
}

void TZYNProjekt::UhrDeleted(int stm, const TUhr& uhr) {
  for (int i = 0; i < Steuermodule.Count(); ++i)
    ObjectDeletedFromLinks(Steuermodule.GetSteuermodul(i)->Listen(), stm, kObjUhr, uhr.Adresse());
  ForEachToolList([&](TZYNFunktionsListe& tools) { tools.RemoveUhrReferences(const_cast<TUhr*>(&uhr)); });
}

void TZYNProjekt::TextDeleted(int stm, const TAnzeigetext& text) {
  for (int i = 0; i < Steuermodule.Count(); ++i)
    ObjectDeletedFromLinks(Steuermodule.GetSteuermodul(i)->Listen(), stm, kObjAnzeigetext, text.Adresse());
}

void TZYNProjekt::ModulDeleted(int stm, const TModul& modul) {
  const int logicType = LogicTypeOfModul(modul.BasisKlasse, modul.Adresse());
  for (int i = 0; i < Steuermodule.Count(); ++i)
    Steuermodule.GetSteuermodul(i)->RemoveModulFromLinks(*this, stm, modul.BasisKlasse, logicType, modul.Adresse());
  ForEachToolList([&](TZYNFunktionsListe& tools) { tools.RemoveModulReferences(const_cast<TModul*>(&modul)); });
  if (DisplayObserver) DisplayObserver->RemoveModule(modul.InternalName());
  fVisu->ModuleDeleted(stm, modul.BusKey());
}

void TZYNProjekt::ObjectAddressChanged(int stm, int kind, const TModul* modul, int oldAddress, int newAddress) {
  const int logicType = kind >= 0 && kind <= 7 ? LogicTypeOfModul(kind, oldAddress) : kind;
  ObjectAddressesChanged(stm, kind, TRenumberMap{TRenumbering{logicType, oldAddress, newAddress, modul}});
}

void TZYNProjekt::ObjectAddressesChanged(int stm, int kind, const TRenumberMap& map) {
  if (map.empty()) return;
  for (int i = 0; i < Steuermodule.Count(); ++i) Steuermodule.GetSteuermodul(i)->RenumberInLinks(*this, stm, kind, map);
  if (kind < 0 || kind > 7) return;
  const auto kennung = [](const TRenumbering& r) {
    const auto* modul = dynamic_cast<const TModul*>(r.Object);
    return modul ? modul->ModulKennung : std::string();
  };
  for (const TRenumbering& r : map) {
    const auto* modul = dynamic_cast<const TModul*>(r.Object);
    if (modul != nullptr && DisplayObserver)
      DisplayObserver->ChangeModuleAddress(modul->InternalName(), kind, r.NewNumber);
  }
  // The visualisation moves one address at a time: each moves first to a number no binding
  // uses (far below zero, apart for every base class and address), then to its new one, so
  // that a swap does not merge two modules.
  constexpr int kParked = -1000;
  for (const TRenumbering& r : map) fVisu->ChangeModuleAddress(stm, kind, r.OldNumber, kParked - r.NewNumber, kennung(r));
  for (const TRenumbering& r : map) fVisu->ChangeModuleAddress(stm, kind, kParked - r.NewNumber, r.NewNumber, kennung(r));
}

// ---------------------------------------------------------------------------------------------
// Observers

template <class F>
void TZYNProjekt::ForEachObject(F f) {
  for (int i = 0; i < Steuermodule.Count(); ++i) f(*Steuermodule.GetSteuermodul(i));
}

void TZYNProjekt::AttachModulObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Module.Count(); ++i) s.Module.GetModul(i)->AttachObserver(o);
  });
}
void TZYNProjekt::AttachUhrenObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Uhren.Count(); ++i) s.Uhren.GetUhr(i)->AttachObserver(o);
  });
}
void TZYNProjekt::AttachMerkerObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Merker.Count(); ++i) s.Merker.GetMerker(i)->AttachObserver(o);
  });
}
void TZYNProjekt::AttachTextObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Texte.Count(); ++i) s.Texte.GetAnzeigetext(i)->AttachObserver(o);
  });
}
void TZYNProjekt::AttachGruppenObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Gruppen.Count(); ++i) s.Gruppen.GetGruppe(i)->AttachObserver(o);
  });
}
void TZYNProjekt::DetachModulObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Module.Count(); ++i) s.Module.GetModul(i)->DetachObserver(o);
  });
}
void TZYNProjekt::DetachUhrenObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Uhren.Count(); ++i) s.Uhren.GetUhr(i)->DetachObserver(o);
  });
}
void TZYNProjekt::DetachMerkerObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Merker.Count(); ++i) s.Merker.GetMerker(i)->DetachObserver(o);
  });
}
void TZYNProjekt::DetachTextObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Texte.Count(); ++i) s.Texte.GetAnzeigetext(i)->DetachObserver(o);
  });
}
void TZYNProjekt::DetachGruppenObserver(TCustomObserver* o) {
  ForEachObject([&](TSteuermodul& s) {
    for (int i = 0; i < s.Gruppen.Count(); ++i) s.Gruppen.GetGruppe(i)->DetachObserver(o);
  });
}

}  // namespace zyn
