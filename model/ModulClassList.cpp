#include "model/ModulClassList.h"

#include "model/EAFunktionen.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/OwnedList.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

namespace zyn {

namespace {
const char* const kIdent = "ZYNMODULKLASSEN";
}

TModulClass* TModulClassList::GetClass(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TModulClass* TModulClassList::FindClass(std::string_view name) const {
  const std::string wanted = UpperCase(name);
  for (const auto& c : fItems)
    if (UpperCase(c->InternalName) == wanted) return c.get();
  return nullptr;
}

TModulClass* TModulClassList::Add(std::unique_ptr<TModulClass> item) {
  fItems.push_back(std::move(item));
  return fItems.back().get();
}

void TModulClassList::Remove(TModulClass* item) {
  for (auto it = fItems.begin(); it != fItems.end(); ++it)
    if (it->get() == item) {
      fItems.erase(it);
      return;
    }
}

int TModulClassList::IndexOf(const TModulClass* item) const { return IndexOfItem(fItems, item); }

bool TModulClassList::Move(int from, int to) { return MoveItem(fItems, from, to); }

void TModulClassList::CopyFrom(const TModulClassList& source) {
  Clear();
  for (const auto& c : source.fItems) {
    auto copy = std::make_unique<TModulClass>();
    copy->CopyFrom(*c);
    Add(std::move(copy));
  }
}

void TModulClassList::ReadData(TReader& reader) {
  if (UpperCase(ReadHeadIdent(reader)) != kIdent) throw EReadError(Ansi("Keine gültige Modulklassendatei"));
  // All classes are read before any is added, so a damaged file adds nothing half-read.
  std::vector<std::unique_ptr<TModulClass>> read;
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto c = std::make_unique<TModulClass>();
    c->ReadData(reader);
    read.push_back(std::move(c));
  }
  reader.ReadListEnd();
  for (auto& c : read) Add(std::move(c));
}

void TModulClassList::WriteData(TWriter& writer) const {
  writer.WriteIdent(kIdent);
  writer.WriteListBegin();
  for (const auto& c : fItems) c->WriteData(writer);
  writer.WriteListEnd();
}

void TModulClassList::LoadFromFile(const std::string& fileName) { LoadFilerFile(*this, fileName); }

void TModulClassList::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

}  // namespace zyn
