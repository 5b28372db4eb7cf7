#include "model/ModulClass.h"

#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

namespace zyn {

TModulClass::TModulClass() : InternalName("Neue Klasse"), DisplayName("Neue Klasse") {}

void TModulClass::CopyFrom(const TModulClass& source) {
  InternalName = source.InternalName;
  DisplayName = source.DisplayName;
  ClassIdent = source.ClassIdent;
  BaseClass = source.BaseClass;
  LimitCount = source.LimitCount;
  EinCount = source.EinCount;
  AusCount = source.AusCount;
  RMECount = source.RMECount;
  EinShift = source.EinShift;
  AusShift = source.AusShift;
  RMEShift = source.RMEShift;
  Hidden = source.Hidden;
  Eingaenge.CopyFrom(source.Eingaenge);
  Ausgaenge.CopyFrom(source.Ausgaenge);
  Rueckmeldungen.CopyFrom(source.Rueckmeldungen);
  DefaultPOR = source.DefaultPOR;
  Texte = source.Texte;
  ClassData = source.ClassData;
}

void TModulClass::ReadData(TReader& reader) {
  InternalName = ShortText(reader.ReadString());
  DisplayName = ShortText(reader.ReadString());
  ClassIdent = ShortText(reader.ReadString());
  BaseClass = reader.ReadInteger();
  LimitCount = reader.ReadInteger();
  EinCount = reader.ReadInteger();
  AusCount = reader.ReadInteger();
  RMECount = reader.ReadInteger();
  EinShift = reader.ReadInteger();
  AusShift = reader.ReadInteger();
  RMEShift = reader.ReadInteger();
  Hidden = reader.ReadBoolean();
  Eingaenge.ReadData(reader);
  Ausgaenge.ReadData(reader);
  Rueckmeldungen.ReadData(reader);
  DefaultPOR = reader.ReadInteger();
  Texte.clear();
  TEABeschreibungsListe::ReadStrings(reader, Texte);
  reader.Read(ClassData.data(), ClassData.size());
}

void TModulClass::WriteData(TWriter& writer) const {
  writer.WriteString(InternalName);
  writer.WriteString(DisplayName);
  writer.WriteString(ClassIdent);
  writer.WriteInteger(BaseClass);
  writer.WriteInteger(LimitCount);
  writer.WriteInteger(EinCount);
  writer.WriteInteger(AusCount);
  writer.WriteInteger(RMECount);
  writer.WriteInteger(EinShift);
  writer.WriteInteger(AusShift);
  writer.WriteInteger(RMEShift);
  writer.WriteBoolean(Hidden);
  Eingaenge.WriteData(writer);
  Ausgaenge.WriteData(writer);
  Rueckmeldungen.WriteData(writer);
  writer.WriteInteger(DefaultPOR);
  TEABeschreibungsListe::WriteStrings(writer, Texte);
  writer.Write(ClassData.data(), ClassData.size());
}

void TModulClass::LoadFromFile(const std::string& fileName) { LoadFilerFile(*this, fileName); }

void TModulClass::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

}  // namespace zyn
