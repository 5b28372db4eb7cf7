#include "model/ZYNListe.h"

#include "model/ModelText.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"

namespace zyn {

bool TZYNListe::HasVerbindungen() const {
  for (int i = 0; i < Count(); ++i) {
    const auto* channel = dynamic_cast<const TKanal*>(ItemAt(i));
    if (channel != nullptr && channel->Verbindungen().Count() > 0) return true;
  }
  return false;
}

int TZYNListe::UsedCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) {
    if (!Trim(ItemAt(i)->DisplayName()).empty()) ++count;
  }
  return count;
}

int TZYNListe::FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) {
    auto* channel = dynamic_cast<TKanal*>(ItemAt(i));
    if (channel != nullptr) count += channel->FindLinks(report, targetType, stmNummer, modulAdresse, number);
  }
  return count;
}

int TZYNListe::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(KeyAt(i), name)) return i;
  }
  return -1;
}

void TZYNListe::MoveByName(const std::string& name, const std::string& otherName) {
  const int from = IndexOfName(name);
  const int to = IndexOfName(otherName);
  if (from >= 0 && to >= 0 && from != to) MoveEntry(from, to);
}

void TZYNListe::CopyHeader(const TZYNListe& source) {
  InternalName = source.InternalName;
  ListenNummer = source.ListenNummer;
  Bemerkungen = source.Bemerkungen;
  ListenKennung = source.ListenKennung;
  Adressen.CopyFrom(source.Adressen);
}

void TZYNListe::ReadData(TReader& reader) {
  InternalName = reader.ReadString();
  ListenNummer = reader.ReadInteger();
  Bemerkungen = reader.ReadString();
  ListenKennung = reader.ReadString();
  Adressen.ReadData(reader);
}

void TZYNListe::WriteData(TWriter& writer) const {
  writer.WriteString(InternalName);
  writer.WriteInteger(ListenNummer);
  writer.WriteString(Bemerkungen);
  writer.WriteString(ListenKennung);
  Adressen.WriteData(writer);
}

void TZYNListe::LoadFromFile(const std::string& fileName) { LoadFilerFile(*this, fileName); }

void TZYNListe::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

void ReadListItems(TReader& reader, const std::function<void()>& readItem) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) readItem();
  reader.ReadListEnd();
}

void WriteListBegin(TWriter& writer) { writer.WriteListBegin(); }
void WriteListEnd(TWriter& writer) { writer.WriteListEnd(); }

}  // namespace zyn
