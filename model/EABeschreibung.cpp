#include "model/EABeschreibung.h"

#include "model/base/Filer.h"
#include "model/base/TextUtils.h"

namespace zyn {

void TEABeschreibung::ReadData(TReader& reader) {
  KanalNummer = reader.ReadInteger();
  DefaultText = ShortText(reader.ReadString());
  Funktionen = ShortText(reader.ReadString());
}

void TEABeschreibung::WriteData(TWriter& writer) const {
  writer.WriteInteger(KanalNummer);
  writer.WriteString(DefaultText);
  writer.WriteString(Funktionen);
}

TEABeschreibung* TEABeschreibungsListe::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TEABeschreibung* TEABeschreibungsListe::Add(std::unique_ptr<TEABeschreibung> item) {
  fItems.push_back(std::move(item));
  return fItems.back().get();
}

void TEABeschreibungsListe::Remove(TEABeschreibung* item) {
  for (size_t i = 0; i < fItems.size(); ++i) {
    if (fItems[i].get() == item) {
      fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

void TEABeschreibungsListe::CopyFrom(const TEABeschreibungsListe& source) {
  Clear();
  for (const auto& item : source.fItems) Add(std::make_unique<TEABeschreibung>(*item));
}

void TEABeschreibungsListe::ReadData(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto item = std::make_unique<TEABeschreibung>();
    item->ReadData(reader);
    Add(std::move(item));
  }
  reader.ReadListEnd();
}

void TEABeschreibungsListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& item : fItems) item->WriteData(writer);
  writer.WriteListEnd();
}

void TEABeschreibungsListe::ReadStrings(TReader& reader, std::vector<std::string>& strings) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) strings.push_back(reader.ReadString());
  reader.ReadListEnd();
}

void TEABeschreibungsListe::WriteStrings(TWriter& writer, const std::vector<std::string>& strings) {
  writer.WriteListBegin();
  for (const std::string& s : strings) writer.WriteString(s);
  writer.WriteListEnd();
}

}  // namespace zyn
