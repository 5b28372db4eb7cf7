#include "model/Modul.h"

#include "model/UniqueNames.h"
#include "model/base/Filer.h"

namespace zyn {

void TDimmerDaten::ReadData(TReader& reader) {
  LeftSoftStart = reader.ReadInteger();
  LeftKennlinie = reader.ReadInteger();
  LeftRem = reader.ReadString();
  RightSoftStart = reader.ReadInteger();
  RightKennlinie = reader.ReadInteger();
  RightRem = reader.ReadString();
}

void TDimmerDaten::WriteData(TWriter& writer) const {
  writer.WriteInteger(LeftSoftStart);
  writer.WriteInteger(LeftKennlinie);
  writer.WriteString(LeftRem);
  writer.WriteInteger(RightSoftStart);
  writer.WriteInteger(RightKennlinie);
  writer.WriteString(RightRem);
}

void TAnalogDaten::ReadData(TReader& reader) {
  SystemHystNegativ = reader.ReadInteger();
  SystemZeitNegativ = reader.ReadInteger();
  SystemHystPositiv = reader.ReadInteger();
  SystemZeitPositiv = reader.ReadInteger();
  LokalHystNegativ = reader.ReadInteger();
  LokalZeitNegativ = reader.ReadInteger();
  LokalZeitAb = reader.ReadInteger();
  LokalHystPositiv = reader.ReadInteger();
  LokalZeitPositiv = reader.ReadInteger();
  LokalZeitAuf = reader.ReadInteger();
}

void TAnalogDaten::WriteData(TWriter& writer) const {
  writer.WriteInteger(SystemHystNegativ);
  writer.WriteInteger(SystemZeitNegativ);
  writer.WriteInteger(SystemHystPositiv);
  writer.WriteInteger(SystemZeitPositiv);
  writer.WriteInteger(LokalHystNegativ);
  writer.WriteInteger(LokalZeitNegativ);
  writer.WriteInteger(LokalZeitAb);
  writer.WriteInteger(LokalHystPositiv);
  writer.WriteInteger(LokalZeitPositiv);
  writer.WriteInteger(LokalZeitAuf);
}

TModul::TModul() {
  fEingaenge.Parent = this;
  fAusgaenge.Parent = this;
  fRueckmeldungen.Parent = this;
}

TModul::~TModul() { fObservers.BroadcastDeleted(this); }

void TModul::SetAdresse(int32_t value) {
  if (value == fAdresse) return;
  fObservers.BroadcastValueChanged(this, fAdresse, value);
  fAdresse = value;
}

void TModul::SetSteuermodul(TSteuermodul* steuermodul) {
  fSteuermodul = steuermodul;
  fRueckmeldungen.Steuermodul = steuermodul;
  for (int i = 0; i < fEingaenge.Count(); ++i) fEingaenge.GetItem(i)->Steuermodul = steuermodul;
  for (int i = 0; i < fAusgaenge.Count(); ++i) fAusgaenge.GetItem(i)->Steuermodul = steuermodul;
  for (int i = 0; i < fRueckmeldungen.Count(); ++i) fRueckmeldungen.GetItem(i)->Steuermodul = steuermodul;
}

int TModul::VerbindungsCount() const { return fEingaenge.VerbindungsCount() + fRueckmeldungen.VerbindungsCount(); }

namespace {

template <class TChannel, class TList>
void CreateChannels(TList& list, const TEABeschreibungsListe& descriptions, int32_t count, TUniqueNames& registry,
                    int32_t porStatus) {
  for (int32_t i = 0; i < count; ++i) {
    auto channel = std::make_unique<TChannel>();
    channel->AssignNewName(registry);
    const TEABeschreibung* description = descriptions.Get(i);
    if (description != nullptr) {
      channel->InitFromDescription(*description);
    } else {
      // A catalogue entry with fewer descriptions than channels: number the rest in order.
      TEABeschreibung numbered;
      numbered.KanalNummer = i;
      channel->InitFromDescription(numbered);
    }
    channel->PORStatus = porStatus;
    list.Add(std::move(channel));
  }
}

}  // namespace

void TModul::InitFromClass(const TModulClass& entry, TUniqueNames& registry) {
  ModulKennung = entry.ClassIdent;
  ModulKlasse = entry.InternalName;
  BasisKlasse = entry.BaseClass;
  EinShift = entry.EinShift;
  AusShift = entry.AusShift;
  RMEShift = entry.RMEShift;
  CreateChannels<TEingang>(fEingaenge, entry.Eingaenge, entry.EinCount, registry, porOFF);
  CreateChannels<TAusgang>(fAusgaenge, entry.Ausgaenge, entry.AusCount, registry,
                           BasisKlasse == bcEingangsModule ? porON : porOFF);
  CreateChannels<TRueckmeldung>(fRueckmeldungen, entry.Rueckmeldungen, entry.RMECount, registry, porOFF);
  Dimmerzusatz = entry.Dimmerzusatz();
  Analogzusatz = entry.Analogzusatz();
}

void TModul::CopyFrom(const TModul& source) {
  TZYNBaseObject::CopyFrom(source);
  fAdresse = source.fAdresse;
  ModulKennung = source.ModulKennung;
  BasisKlasse = source.BasisKlasse;
  Bemerkungen = source.Bemerkungen;
  ModulKlasse = source.ModulKlasse;
  EinShift = source.EinShift;
  AusShift = source.AusShift;
  RMEShift = source.RMEShift;
  Extension = source.Extension;
  fSteuermodul = source.fSteuermodul;
  Dimmerzusatz = source.Dimmerzusatz;
  Analogzusatz = source.Analogzusatz;
  DimmerDaten.CopyFrom(source.DimmerDaten);
  AnalogDaten.CopyFrom(source.AnalogDaten);
  fEingaenge.CopyFrom(source.fEingaenge);
  fAusgaenge.CopyFrom(source.fAusgaenge);
  fRueckmeldungen.CopyFrom(source.fRueckmeldungen);
}

void TModul::UpdateFrom(const TModul& source) {
  TZYNBaseObject::UpdateFrom(source);
  SetAdresse(source.fAdresse);
  ModulKennung = source.ModulKennung;
  BasisKlasse = source.BasisKlasse;
  Bemerkungen = source.Bemerkungen;
  ModulKlasse = source.ModulKlasse;
  EinShift = source.EinShift;
  AusShift = source.AusShift;
  RMEShift = source.RMEShift;
  Extension = source.Extension;
  Dimmerzusatz = source.Dimmerzusatz;
  Analogzusatz = source.Analogzusatz;
  DimmerDaten.UpdateFrom(source.DimmerDaten);
  AnalogDaten.UpdateFrom(source.AnalogDaten);
  fEingaenge.MergeFrom(source.fEingaenge, nullptr);
  fAusgaenge.MergeFrom(source.fAusgaenge, nullptr);
  fRueckmeldungen.MergeFrom(source.fRueckmeldungen, nullptr);
}

int TModul::FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const {
  return fEingaenge.FindLinks(report, targetType, stmNummer, modulAdresse, number) +
         fRueckmeldungen.FindLinks(report, targetType, stmNummer, modulAdresse, number);
}

bool TModul::RemoveLinkFromChannels(TVerbindung* link) {
  return fEingaenge.RemoveLink(link) || fRueckmeldungen.RemoveLink(link);
}

int TModul::BuildParameterHeader(uint8_t* buffer, int outputIndex, int value) const {
  if (!Dimmerzusatz && !Analogzusatz) return 0;
  if (BasisKlasse == bcDimmerModule) {
    buffer[0] = 0;
    if (outputIndex == 0 || outputIndex == 1) {
      const int32_t s = outputIndex == 0 ? DimmerDaten.LeftSoftStart : DimmerDaten.RightSoftStart;
      buffer[1] = s == 1 ? 4 : 1;
      buffer[4] = s == 2 ? 1 : 0;
    }
    buffer[2] = buffer[4] == 1 ? 3 : 0;
    buffer[3] = fAusgaenge.Count() == 1 ? 1 : 0;
    buffer[5] = static_cast<uint8_t>(value);
    const TAusgang* output = fAusgaenge.GetItem(outputIndex);
    buffer[6] = output != nullptr ? static_cast<uint8_t>(output->PORStatus & 0xFF) : 0;
    return 16;
  }
  if (BasisKlasse == bcAnalogmodule) {
    const TAnalogDaten& a = AnalogDaten;
    const int32_t values[10] = {a.SystemHystNegativ, a.SystemHystPositiv, a.SystemZeitNegativ, a.SystemZeitPositiv,
                                a.LokalHystNegativ,  a.LokalHystPositiv,  a.LokalZeitNegativ,  a.LokalZeitPositiv,
                                a.LokalZeitAb,       a.LokalZeitAuf};
    for (int i = 0; i < 10; ++i) buffer[i] = static_cast<uint8_t>(values[i] & 0xFF);
    switch (DimmerDaten.LeftSoftStart) {
      case 0:
        buffer[10] = 1, buffer[11] = 0, buffer[12] = 0;
        break;
      case 1:
        buffer[10] = 4, buffer[11] = 0, buffer[12] = 0;
        break;
      case 2:
        buffer[10] = 1, buffer[11] = 0, buffer[12] = 1;
        break;
      default:
        break;
    }
    buffer[13] = 0;
    buffer[14] = 0;
    buffer[15] = 255;
    return 16;
  }
  return 0;
}

std::string TModul::LookupKennungEntry(const std::vector<std::string>& lines) const {
  for (const std::string& line : lines) {
    if (line.substr(0, 3) == ModulKennung) {
      return line.size() > 4 ? line.substr(4) : std::string();
    }
  }
  return std::string();
}

void TModul::ReadData(TReader& reader) {
  // A read error is passed on: a module read half-way must not pass for a whole one.
  TZYNBaseObject::ReadData(reader);
  fAdresse = reader.ReadInteger();
  ModulKennung = reader.ReadString();
  ModulKlasse = reader.ReadString();
  Bemerkungen = reader.ReadString();
  BasisKlasse = reader.ReadInteger();
  EinShift = reader.ReadInteger();
  AusShift = reader.ReadInteger();
  RMEShift = reader.ReadInteger();
  Extension = reader.ReadInteger();
  fEingaenge.Parent = this;
  fEingaenge.ReadData(reader);
  fAusgaenge.Parent = this;
  fAusgaenge.ReadData(reader);
  fRueckmeldungen.Parent = this;
  fRueckmeldungen.ReadData(reader);
  Dimmerzusatz = reader.ReadBoolean();
  Analogzusatz = reader.ReadBoolean();
  DimmerDaten.ReadData(reader);
  AnalogDaten.ReadData(reader);
}

void TModul::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteInteger(fAdresse);
  writer.WriteString(ModulKennung);
  writer.WriteString(ModulKlasse);
  writer.WriteString(Bemerkungen);
  writer.WriteInteger(BasisKlasse);
  writer.WriteInteger(EinShift);
  writer.WriteInteger(AusShift);
  writer.WriteInteger(RMEShift);
  writer.WriteInteger(Extension);
  fEingaenge.WriteData(writer);
  fAusgaenge.WriteData(writer);
  fRueckmeldungen.WriteData(writer);
  writer.WriteBoolean(Dimmerzusatz);
  writer.WriteBoolean(Analogzusatz);
  DimmerDaten.WriteData(writer);
  AnalogDaten.WriteData(writer);
}

}  // namespace zyn
