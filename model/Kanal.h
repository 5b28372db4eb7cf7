#pragma once
// Channels: inputs, outputs and feedback channels of a module (clocks and flags derive from the
// channel too). Every channel owns the links that start at it.

#include "model/BaseObject.h"
#include "model/ModelLookup.h"
#include "model/VerbindungsListe.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

class TModul;
class TSteuermodul;
class TEABeschreibung;
class IModelLookup;

// Power-on states of an output.
constexpr int32_t porOFF = 0;
constexpr int32_t porMEMORY = 1;
constexpr int32_t porON = 2;
constexpr int32_t porReserved = 255;

// One link found by FindLinks, under its display text.
struct TLinkReportEntry {
  std::string Text;
  TVerbindung* Link = nullptr;
};
using TLinkReport = std::vector<TLinkReportEntry>;

// Called for every member link made by a group expansion: (phase 2, the group link).
using TExpandCallback = std::function<void(int phase, TVerbindung* groupLink)>;

class TKanal : public TZYNBaseObject {
 public:
  TKanal();
  ~TKanal() override = default;

  int32_t Adresse() const { return fAdresse; }
  // Notifies ClientValueChanged (old, new) before it stores; nothing when equal.
  void SetAdresse(int32_t value);

  std::string BefehlsListe;
  std::string Bemerkungen;
  // The stored default text of the catalogue.
  std::string StoredDefaultText;
  // The stored default text up to the first "%"; empty when it holds no "%".
  std::string DefaultText() const;

  TModul* Modul = nullptr;              // not owned
  TSteuermodul* Steuermodul = nullptr;  // not owned
  int32_t PORStatus = porOFF;
  int32_t RefCount = 0;       // not persisted, not copied
  bool ServiceState = false;  // not persisted, not copied

  bool Reserviert() const { return fReserviert; }
  // Reserving sets PORStatus 255, releasing sets 0.
  void SetReserviert(bool value);

  TVerbindungsListe& Verbindungen() { return fVerbindungen; }
  const TVerbindungsListe& Verbindungen() const { return fVerbindungen; }

  // A channel is used when it has a name; a nameless channel with links gets a placeholder name.
  bool Used();

  void InitFromDescription(const TEABeschreibung& description);
  // Copies the channel fields but no links; UpdateFrom keeps the live links.
  void CopyFrom(const TKanal& source);
  void UpdateFrom(const TKanal& source);

  int FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number);
  bool RemoveLink(TVerbindung* link) { return fVerbindungen.Remove(link); }
  void ReinsertLink(TVerbindung* link) { fVerbindungen.ReinsertLink(link); }
  void RenumberStm(int oldNumber, int newNumber);
  void RefreshLinkTexts(const IModelLookup& lookup);
  // Replaces nothing: adds one generated link per member of every group the channel's links target.
  void ExpandGroupLinks(const IModelLookup& lookup, const TExpandCallback& callback = {});

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 private:
  int32_t fAdresse = 0;
  bool fReserviert = false;
  TVerbindungsListe fVerbindungen;
};

class TEingang : public TKanal {};
class TAusgang : public TKanal {};
class TRueckmeldung : public TKanal {};

// The command of a link endpoint: the command list of the object the endpoint names, and in it
// the command with the endpoint's number. False when the object, the list or the command is missing.
bool LookupCommand(const IModelLookup& lookup, int objType, int stmNummer, int modulAdresse,
                   const std::string& modulKennung, int command, int kanalNummer, TCommandTexts& result);

}  // namespace zyn
