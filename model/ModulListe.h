#pragma once
// The bus modules of a control module with the occupancy of the 8 x 32 module addresses.

#include "model/Modul.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TCustomObserver;
class IModelLookup;

class TModulListe {
 public:
  TModulListe() = default;
  ~TModulListe();
  TModulListe(const TModulListe&) = delete;
  TModulListe& operator=(const TModulListe&) = delete;

  TSteuermodul* Steuermodul = nullptr;  // not owned; copied into every module added

  int Count() const { return static_cast<int>(fEntries.size()); }
  TModul* GetModul(int index) const;
  const std::string& KeyAt(int index) const { return fEntries[static_cast<size_t>(index)].key; }
  int IndexOfName(const std::string& name) const;             // without regard to ASCII case
  TModul* FindByInternalName(const std::string& name) const;  // exact
  int IndexOfModul(const TModul* modul) const;

  // Occupancy map (byte base class x 32 + address) and the modules counted per base class.
  const std::array<uint8_t, 256>& Map() const { return fMap; }
  int32_t ClassCount(int baseClass) const;

  TModul* Add(std::unique_ptr<TModul> modul);
  // The entries take their modules' internal names again (after modules were renamed).
  void RefreshKeys() {
    for (auto& entry : fEntries) entry.key = entry.modul->InternalName();
  }
  void ChangeAddress(TModul* modul, int32_t newAddress);
  // The first free address 0..31 of the base class, taken at once; -1 when all are taken.
  int32_t AllocAddress(int baseClass);
  void Remove(TModul* modul);
  void Clear();
  void CopyFrom(const TModulListe& source);
  void MergeFrom(const TModulListe& copy, TCustomObserver* observer);
  void MoveByName(const std::string& name, const std::string& otherName);

  TModul* FindModul(const std::string& kennung, int32_t address) const;
  TEingang* FindEingang(const std::string& name) const;
  TAusgang* FindAusgang(const std::string& name) const;
  TRueckmeldung* FindRueckmeldung(const std::string& name) const;
  TModul* FindModulOfEingang(const std::string& name) const;
  TModul* FindModulOfAusgang(const std::string& name) const;
  TModul* FindModulOfRueckmeldung(const std::string& name) const;
  int CountOfClass(const std::string& className) const;

  int AusgangsCount() const;
  int EingangsCount() const;
  int RMECount() const;
  int VerbindungsCount() const;

  int FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const;

  // Link maintenance over the inputs and feedback channels of every module.
  bool RemoveLink(TVerbindung* link);
  bool ContainsLink(const TVerbindung* link) const;
  int DeleteGeneratedLinks();
  int GruppeDeleted(int stm, int group);
  int MerkerDeleted(int stm, int flag);
  int TextDeleted(int stm, int text);
  int UhrDeleted(int stm, int clock);
  int ModulDeleted(int stm, int baseClass, int logicType, int address);
  void RemapLinks(int stm, int kind, const TRenumberMap& map);
  void RenumberStm(int oldNumber, int newNumber);
  void RefreshLinkTexts(const IModelLookup& lookup);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<TModul> modul;
  };
  static int MapIndex(int baseClass, int address);
  void Take(const TModul& modul);
  void Release(const TModul& modul);
  void MoveEntry(int from, int to);
  template <class F>
  int ForEachChannel(F f) const;

  std::vector<Entry> fEntries;
  std::array<uint8_t, 256> fMap{};
  std::array<int32_t, 8> fCounters{};
};

}  // namespace zyn
