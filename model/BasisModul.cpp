#include "model/BasisModul.h"

#include "model/base/Filer.h"
#include "model/base/Streams.h"

namespace zyn {

void TBasisModul::ReadData(TReader& reader) {
  TZYNBaseObject::ReadData(reader);
  BasisKlasse = reader.ReadInteger();
  Adressen.ReadData(reader);
}

void TBasisModul::WriteData(TWriter& writer) const {
  TZYNBaseObject::WriteData(writer);
  writer.WriteInteger(BasisKlasse);
  Adressen.WriteData(writer);
}

TBasisModul* TBasisModulListe::GetBasisModul(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TBasisModul* TBasisModulListe::Add(std::unique_ptr<TBasisModul> item) {
  fItems.push_back(std::move(item));
  return fItems.back().get();
}

void TBasisModulListe::Remove(TBasisModul* item) {
  for (size_t i = 0; i < fItems.size(); ++i) {
    if (fItems[i].get() == item) {
      fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

void TBasisModulListe::ReadData(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto item = std::make_unique<TBasisModul>();
    item->ReadData(reader);
    Add(std::move(item));
  }
  reader.ReadListEnd();
}

void TBasisModulListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& item : fItems) item->WriteData(writer);
  writer.WriteListEnd();
}

void TBasisModulListe::LoadFromFile(const std::string& fileName) { LoadFilerFile(*this, fileName); }

void TBasisModulListe::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

}  // namespace zyn
