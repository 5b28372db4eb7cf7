#pragma once
// A bus module of a control module: base class and address, the catalogue data it was built
// from, its input, output and feedback channels, and the dimmer and analog settings.

#include "model/BaseObject.h"
#include "model/KanalListen.h"
#include "model/ModulClass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TUniqueNames;
class TSteuermodul;

enum class TModulState { msUndefined, msMissing, msPresent };

class TDimmerDaten {
 public:
  int32_t LeftKennlinie = 0;
  std::string LeftRem;
  int32_t LeftSoftStart = 0;
  int32_t RightKennlinie = 0;
  std::string RightRem;
  int32_t RightSoftStart = 0;

  void CopyFrom(const TDimmerDaten& source) { *this = source; }
  void UpdateFrom(const TDimmerDaten& source) { *this = source; }
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

class TAnalogDaten {
 public:
  int32_t LokalHystNegativ = 19;
  int32_t LokalHystPositiv = 19;
  int32_t LokalZeitAb = 32;
  int32_t LokalZeitAuf = 7;
  int32_t LokalZeitNegativ = 0;
  int32_t LokalZeitPositiv = 0;
  int32_t SystemHystNegativ = 19;
  int32_t SystemHystPositiv = 19;
  int32_t SystemZeitNegativ = 0;
  int32_t SystemZeitPositiv = 0;

  void CopyFrom(const TAnalogDaten& source) { *this = source; }
  void UpdateFrom(const TAnalogDaten& source) { *this = source; }
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

class TModul : public TZYNBaseObject {
 public:
  TModul();
  ~TModul() override;

  int32_t Adresse() const { return fAdresse; }
  // Notifies ClientValueChanged (old, new) before it stores; nothing when equal.
  void SetAdresse(int32_t value);

  TAnalogDaten AnalogDaten;
  bool Analogzusatz = false;
  int32_t AusShift = 0;
  int32_t BasisKlasse = bcEingangsModule;
  std::string Bemerkungen;
  TDimmerDaten DimmerDaten;
  bool Dimmerzusatz = false;
  int32_t EinShift = 0;
  int32_t Extension = 0;
  std::string ModulKennung;
  std::string ModulKlasse;
  TModulState Present = TModulState::msUndefined;
  int32_t RMEShift = 0;

  TEingangsListe& Eingaenge() { return fEingaenge; }
  TAusgangsListe& Ausgaenge() { return fAusgaenge; }
  TRMEListe& Rueckmeldungen() { return fRueckmeldungen; }
  const TEingangsListe& Eingaenge() const { return fEingaenge; }
  const TAusgangsListe& Ausgaenge() const { return fAusgaenge; }
  const TRMEListe& Rueckmeldungen() const { return fRueckmeldungen; }

  TSteuermodul* Steuermodul() const { return fSteuermodul; }
  // Also hands the control module on to the channels.
  void SetSteuermodul(TSteuermodul* steuermodul);

  // The bus address byte: base class x 32 + address.
  int BusKey() const { return BasisKlasse * 32 + fAdresse; }
  int VerbindungsCount() const;

  TAusgang* FindAusgang(int32_t number) const { return fAusgaenge.FindByAddress(number); }
  TEingang* FindEingang(int32_t number) const { return fEingaenge.FindByAddress(number); }
  TRueckmeldung* FindRueckmeldung(int32_t number) const { return fRueckmeldungen.FindByAddress(number); }

  void InitFromClass(const TModulClass& entry, TUniqueNames& registry);
  void CopyFrom(const TModul& source);
  void UpdateFrom(const TModul& source);

  int FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const;
  bool RemoveLinkFromChannels(TVerbindung* link);
  // The 16-byte header of a dimmer or analog parameter block; its length, 0 for other modules.
  int BuildParameterHeader(uint8_t* buffer, int outputIndex, int value) const;
  // The text from the fifth character of the first line whose first three characters are the
  // module code; empty when none.
  std::string LookupKennungEntry(const std::vector<std::string>& lines) const;

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 private:
  int32_t fAdresse = 0;
  TSteuermodul* fSteuermodul = nullptr;  // not owned
  TEingangsListe fEingaenge;
  TAusgangsListe fAusgaenge;
  TRMEListe fRueckmeldungen;
};

}  // namespace zyn
