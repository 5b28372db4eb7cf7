#include "model/base/Translator.h"

#include "model/base/ProgramPaths.h"
#include "model/base/TextUtils.h"

namespace zyn {

std::unique_ptr<TLanguageFile> GLanguageFile;

const TXMLItemClass& TLanguageEntry::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TLanguageEntry>("TLanguageEntry")
                                       .Text("Native", &TLanguageEntry::Native)
                                       .Text("Translated", &TLanguageEntry::Translated)
                                       .Text("Identifier", &TLanguageEntry::Identifier)
                                       .Text("Section", &TLanguageEntry::Section)
                                       .Enumeration("SourceType", {"stUnit", "stForm"}, &TLanguageEntry::SourceType)
                                       .Boolean("DontTranslate", &TLanguageEntry::DontTranslate)
                                       .Boolean("IsTranslated", &TLanguageEntry::IsTranslated)
                                       .Build();
  return cls;
}

TLanguageContainer::TLanguageContainer() : TXMLCollectionOf<TLanguageEntry>("TLanguageContainer") {
  SetComment("ZYN Sprachwerkzeug - Translation file V1.0");
}

TLanguageFile::TLanguageFile(std::string fileName) : fFileName(std::move(fileName)) {}

void TLanguageFile::Clear() { fContainer.Clear(); }

bool TLanguageFile::Load() {
  Clear();
  const bool ok = fContainer.LoadFromFile(fFileName);
  fModified = false;
  return ok;
}

TLanguageEntry* TLanguageFile::GetEntry(int index) const { return fContainer.Items(index); }

int TLanguageFile::IndexOfNative(std::string_view text) const {
  for (int i = 0; i < fContainer.Count(); ++i) {
    if (fContainer.Items(i)->Native == text) return i;
  }
  return -1;
}

void LoadLanguageFile(const std::string& fileName) {
  GLanguageFile.reset();
  try {
    const std::string name = fileName.empty() ? SystemDataFolder(ProgramFilePath()) + "LANGUAGE.TXML" : fileName;
    auto file = std::make_unique<TLanguageFile>(name);
    if (file->Load()) GLanguageFile = std::move(file);
  } catch (...) {
    GLanguageFile.reset();
  }
}

std::string TranslateText(std::string_view text) {
  if (!GLanguageFile) return std::string(text);
  const int index = GLanguageFile->IndexOfNative(text);
  if (index < 0) return std::string(text);
  const TLanguageEntry* entry = GLanguageFile->GetEntry(index);
  if (Trim(entry->Translated).empty()) return std::string(text);
  return entry->Translated;
}

void TranslateStrings(std::vector<std::string>& lines) {
  for (auto& line : lines) line = TranslateText(line);
}

}  // namespace zyn
