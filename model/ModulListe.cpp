#include "model/ModulListe.h"

#include "model/ModelText.h"
#include "model/base/Filer.h"

namespace zyn {

TModulListe::~TModulListe() {
  while (!fEntries.empty()) {
    std::unique_ptr<TModul> modul = std::move(fEntries.back().modul);
    fEntries.pop_back();
  }
}

int TModulListe::MapIndex(int baseClass, int address) {
  if (baseClass < 0 || baseClass > 7 || address < 0 || address > 31) return -1;
  return baseClass * 32 + address;
}

void TModulListe::Take(const TModul& modul) {
  const int index = MapIndex(modul.BasisKlasse, modul.Adresse());
  if (index >= 0) fMap[static_cast<size_t>(index)] = 1;
  if (modul.BasisKlasse >= 0 && modul.BasisKlasse < 8) ++fCounters[static_cast<size_t>(modul.BasisKlasse)];
}

void TModulListe::Release(const TModul& modul) {
  const int index = MapIndex(modul.BasisKlasse, modul.Adresse());
  if (index >= 0) fMap[static_cast<size_t>(index)] = 0;
  if (modul.BasisKlasse >= 0 && modul.BasisKlasse < 8) --fCounters[static_cast<size_t>(modul.BasisKlasse)];
}

TModul* TModulListe::GetModul(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fEntries[static_cast<size_t>(index)].modul.get();
}

int TModulListe::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(KeyAt(i), name)) return i;
  }
  return -1;
}

TModul* TModulListe::FindByInternalName(const std::string& name) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->InternalName() == name) return entry.modul.get();
  }
  return nullptr;
}

int TModulListe::IndexOfModul(const TModul* modul) const {
  for (size_t i = 0; i < fEntries.size(); ++i) {
    if (fEntries[i].modul.get() == modul) return static_cast<int>(i);
  }
  return -1;
}

int32_t TModulListe::ClassCount(int baseClass) const {
  if (baseClass < 0 || baseClass > 7) return 0;
  return fCounters[static_cast<size_t>(baseClass)];
}

TModul* TModulListe::Add(std::unique_ptr<TModul> modul) {
  modul->SetSteuermodul(Steuermodul);
  Take(*modul);
  std::string key = modul->InternalName();
  fEntries.push_back(Entry{std::move(key), std::move(modul)});
  return fEntries.back().modul.get();
}

void TModulListe::ChangeAddress(TModul* modul, int32_t newAddress) {
  const int oldIndex = MapIndex(modul->BasisKlasse, modul->Adresse());
  if (oldIndex >= 0) fMap[static_cast<size_t>(oldIndex)] = 0;
  const int newIndex = MapIndex(modul->BasisKlasse, newAddress);
  if (newIndex >= 0) fMap[static_cast<size_t>(newIndex)] = 1;
  modul->SetAdresse(newAddress);
}

int32_t TModulListe::AllocAddress(int baseClass) {
  if (baseClass < 0 || baseClass > 7) return -1;
  for (int address = 0; address < 32; ++address) {
    uint8_t& byte = fMap[static_cast<size_t>(baseClass * 32 + address)];
    if (byte == 0) {
      byte = 1;
      return address;
    }
  }
  return -1;
}

void TModulListe::Remove(TModul* modul) {
  const int index = IndexOfModul(modul);
  if (index < 0) return;
  Release(*modul);
  // The module is freed while its entry still names it: the reactions to its deletion (links,
  // group members) look it up by its internal name. Then the entry goes.
  delete modul;
  for (size_t i = 0; i < fEntries.size(); ++i) {
    if (fEntries[i].modul.get() != modul) continue;
    (void)fEntries[i].modul.release();  // already freed above
    fEntries.erase(fEntries.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
}

void TModulListe::Clear() {
  for (int i = Count() - 1; i >= 0; --i) Remove(GetModul(i));
}

void TModulListe::CopyFrom(const TModulListe& source) {
  fMap = source.fMap;
  for (const auto& entry : source.fEntries) {
    auto modul = std::make_unique<TModul>();
    modul->CopyFrom(*entry.modul);
    Add(std::move(modul));
  }
}

void TModulListe::MoveEntry(int from, int to) {
  Entry entry = std::move(fEntries[static_cast<size_t>(from)]);
  fEntries.erase(fEntries.begin() + from);
  fEntries.insert(fEntries.begin() + to, std::move(entry));
}

void TModulListe::MergeFrom(const TModulListe& copy, TCustomObserver* observer) {
  const std::array<uint8_t, 256> copyMap = copy.fMap;
  for (auto& entry : fEntries) entry.modul->SetSteuermodul(Steuermodul);
  for (int i = Count() - 1; i >= 0; --i) {
    if (copy.IndexOfName(KeyAt(i)) < 0) Remove(GetModul(i));
  }
  // The observers learn of all new addresses together, once every module carries its own.
  TObserverBatch batch;
  batch.Hold(observer);
  for (const auto& entry : fEntries) batch.HoldAll(entry.modul->Observers());
  for (const auto& entry : copy.fEntries) {
    const int index = IndexOfName(entry.modul->InternalName());
    if (index < 0) {
      auto modul = std::make_unique<TModul>();
      modul->CopyFrom(*entry.modul);
      if (observer != nullptr) modul->AttachObserver(observer);
      Add(std::move(modul));
    } else {
      TModul* live = GetModul(index);
      const int oldClass = live->BasisKlasse;
      live->UpdateFrom(*entry.modul);
      live->SetSteuermodul(Steuermodul);
      if (oldClass != live->BasisKlasse) {
        if (oldClass >= 0 && oldClass < 8) --fCounters[static_cast<size_t>(oldClass)];
        if (live->BasisKlasse >= 0 && live->BasisKlasse < 8) ++fCounters[static_cast<size_t>(live->BasisKlasse)];
      }
    }
  }
  for (int i = 0; i < copy.Count(); ++i) {
    const int from = IndexOfName(copy.KeyAt(i));
    if (from >= 0 && from != i) MoveEntry(from, i);
  }
  // After the merge the map is the copy's map.
  fMap = copyMap;
}

void TModulListe::MoveByName(const std::string& name, const std::string& otherName) {
  const int from = IndexOfName(name);
  const int to = IndexOfName(otherName);
  if (from >= 0 && to >= 0 && from != to) MoveEntry(from, to);
}

TModul* TModulListe::FindModul(const std::string& kennung, int32_t address) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->ModulKennung == kennung && entry.modul->Adresse() == address) return entry.modul.get();
  }
  return nullptr;
}

TEingang* TModulListe::FindEingang(const std::string& name) const {
  TModul* modul = FindModulOfEingang(name);
  return modul ? modul->Eingaenge().FindByInternalName(name) : nullptr;
}

TAusgang* TModulListe::FindAusgang(const std::string& name) const {
  TModul* modul = FindModulOfAusgang(name);
  return modul ? modul->Ausgaenge().FindByInternalName(name) : nullptr;
}

TRueckmeldung* TModulListe::FindRueckmeldung(const std::string& name) const {
  TModul* modul = FindModulOfRueckmeldung(name);
  return modul ? modul->Rueckmeldungen().FindByInternalName(name) : nullptr;
}

TModul* TModulListe::FindModulOfEingang(const std::string& name) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->Eingaenge().IndexOfName(name) >= 0) return entry.modul.get();
  }
  return nullptr;
}

TModul* TModulListe::FindModulOfAusgang(const std::string& name) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->Ausgaenge().IndexOfName(name) >= 0) return entry.modul.get();
  }
  return nullptr;
}

TModul* TModulListe::FindModulOfRueckmeldung(const std::string& name) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->Rueckmeldungen().IndexOfName(name) >= 0) return entry.modul.get();
  }
  return nullptr;
}

int TModulListe::CountOfClass(const std::string& className) const {
  int count = 0;
  for (const auto& entry : fEntries) {
    if (entry.modul->ModulKlasse == className) ++count;
  }
  return count;
}

int TModulListe::AusgangsCount() const {
  int count = 0;
  for (const auto& entry : fEntries) count += entry.modul->Ausgaenge().UsedCount();
  return count;
}

int TModulListe::EingangsCount() const {
  int count = 0;
  for (const auto& entry : fEntries) count += entry.modul->Eingaenge().UsedCount();
  return count;
}

int TModulListe::RMECount() const {
  int count = 0;
  for (const auto& entry : fEntries) count += entry.modul->Rueckmeldungen().UsedCount();
  return count;
}

int TModulListe::VerbindungsCount() const {
  int count = 0;
  for (const auto& entry : fEntries) count += entry.modul->VerbindungsCount();
  return count;
}

int TModulListe::FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const {
  int count = 0;
  for (const auto& entry : fEntries)
    count += entry.modul->FindLinks(report, targetType, stmNummer, modulAdresse, number);
  return count;
}

template <class F>
int TModulListe::ForEachChannel(F f) const {
  int count = 0;
  for (const auto& entry : fEntries) {
    TModul& modul = *entry.modul;
    for (int i = 0; i < modul.Eingaenge().Count(); ++i) count += f(*modul.Eingaenge().GetItem(i));
    for (int i = 0; i < modul.Rueckmeldungen().Count(); ++i) count += f(*modul.Rueckmeldungen().GetItem(i));
  }
  return count;
}

bool TModulListe::RemoveLink(TVerbindung* link) {
  for (const auto& entry : fEntries) {
    if (entry.modul->RemoveLinkFromChannels(link)) return true;
  }
  return false;
}

bool TModulListe::ContainsLink(const TVerbindung* link) const {
  for (const auto& entry : fEntries) {
    if (entry.modul->Eingaenge().ContainsLink(link) || entry.modul->Rueckmeldungen().ContainsLink(link)) return true;
  }
  return false;
}

int TModulListe::DeleteGeneratedLinks() {
  return ForEachChannel([](TKanal& k) { return k.Verbindungen().DeleteGeneratedLinks(); });
}

int TModulListe::GruppeDeleted(int stm, int group) {
  return ForEachChannel([&](TKanal& k) { return k.Verbindungen().GruppeDeleted(stm, group); });
}

int TModulListe::MerkerDeleted(int stm, int flag) {
  return ForEachChannel([&](TKanal& k) { return k.Verbindungen().MerkerDeleted(stm, flag); });
}

int TModulListe::TextDeleted(int stm, int text) {
  return ForEachChannel([&](TKanal& k) { return k.Verbindungen().TextDeleted(stm, text); });
}

int TModulListe::UhrDeleted(int stm, int clock) {
  return ForEachChannel([&](TKanal& k) { return k.Verbindungen().UhrDeleted(stm, clock); });
}

int TModulListe::ModulDeleted(int stm, int baseClass, int logicType, int address) {
  return ForEachChannel([&](TKanal& k) { return k.Verbindungen().ModulDeleted(stm, baseClass, logicType, address); });
}

void TModulListe::RemapLinks(int stm, int kind, const TRenumberMap& map) {
  ForEachChannel([&](TKanal& k) {
    k.Verbindungen().RemapLinks(stm, kind, map);
    return 0;
  });
}

void TModulListe::RenumberStm(int oldNumber, int newNumber) {
  for (const auto& entry : fEntries) {
    entry.modul->Eingaenge().RenumberStm(oldNumber, newNumber);
    entry.modul->Rueckmeldungen().RenumberStm(oldNumber, newNumber);
  }
}

void TModulListe::RefreshLinkTexts(const IModelLookup& lookup) {
  for (const auto& entry : fEntries) {
    entry.modul->Eingaenge().RefreshLinkTexts(lookup);
    entry.modul->Rueckmeldungen().RefreshLinkTexts(lookup);
  }
}

void TModulListe::ReadData(TReader& reader) {
  reader.Read(fMap.data(), fMap.size());
  uint8_t counters[32];
  reader.Read(counters, sizeof counters);  // counted again from the modules read
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto modul = std::make_unique<TModul>();
    modul->ReadData(reader);
    Add(std::move(modul));
  }
  reader.ReadListEnd();
}

void TModulListe::WriteData(TWriter& writer) const {
  writer.Write(fMap.data(), fMap.size());
  uint8_t counters[32];
  for (size_t i = 0; i < 8; ++i) {
    const auto v = static_cast<uint32_t>(fCounters[i]);
    for (size_t b = 0; b < 4; ++b) counters[i * 4 + b] = static_cast<uint8_t>(v >> (8 * b));
  }
  writer.Write(counters, sizeof counters);
  writer.WriteListBegin();
  for (const auto& entry : fEntries) entry.modul->WriteData(writer);
  writer.WriteListEnd();
}

}  // namespace zyn
