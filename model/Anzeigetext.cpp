#include "model/Anzeigetext.h"

#include "model/base/Filer.h"

namespace zyn {

void TTextZeile::ReadData(TReader& reader) {
  Text = reader.ReadString();
  Center = reader.ReadInteger();
}

void TTextZeile::WriteData(TWriter& writer) const {
  writer.WriteString(Text);
  writer.WriteInteger(Center);
}

TAnzeigetext::~TAnzeigetext() { fObservers.BroadcastDeleted(this); }

void TAnzeigetext::SetAdresse(int32_t value) {
  if (value == fAdresse) return;
  fObservers.BroadcastValueChanged(this, fAdresse, value);
  fAdresse = value;
}

void TAnzeigetext::CopyFrom(const TAnzeigetext& source) {
  TZYNBaseObject::CopyFrom(source);
  fAdresse = source.fAdresse;
  Bemerkungen = source.Bemerkungen;
  Zeile1 = source.Zeile1;
  Zeile2 = source.Zeile2;
}

void TAnzeigetext::UpdateFrom(const TAnzeigetext& source) {
  TZYNBaseObject::UpdateFrom(source);
  SetAdresse(source.fAdresse);
  Bemerkungen = source.Bemerkungen;
  Zeile1 = source.Zeile1;
  Zeile2 = source.Zeile2;
}

void TAnzeigetext::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  fAdresse = reader.ReadInteger();
  Bemerkungen = reader.ReadString();
  Zeile1.ReadData(reader);
  Zeile2.ReadData(reader);
}

void TAnzeigetext::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteInteger(fAdresse);
  writer.WriteString(Bemerkungen);
  Zeile1.WriteData(writer);
  Zeile2.WriteData(writer);
}

}  // namespace zyn
