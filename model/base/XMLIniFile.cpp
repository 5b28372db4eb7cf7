#include "model/base/XMLIniFile.h"

namespace zyn {

const TXMLItemClass& TDataCollectionItem::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TDataCollectionItem>("TDataCollectionItem")
                                       .Text("Ident", &TDataCollectionItem::Ident)
                                       .Text("Value", &TDataCollectionItem::Value)
                                       .Build();
  return cls;
}

const TXMLItemClass& TSectionCollectionItem::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TSectionCollectionItem>("TSectionCollectionItem")
                                       .Text("SectionName", &TSectionCollectionItem::SectionName)
                                       .Collection("SectionData", &TSectionCollectionItem::SectionData)
                                       .Build();
  return cls;
}

TXMLIniFile::TXMLIniFile(std::string fileName) : fFileName(std::move(fileName)) { fSections.LoadFromFile(fFileName); }

TXMLIniFile::~TXMLIniFile() {
  try {
    UpdateFile();
  } catch (...) {
    // Nothing can be reported from a destructor; see UpdateFile.
  }
}

TSectionCollectionItem* TXMLIniFile::FindSection(const std::string& name) const {
  for (int i = 0; i < fSections.Count(); ++i) {
    if (fSections.Items(i)->SectionName == name) return fSections.Items(i);
  }
  return nullptr;
}

TDataCollectionItem* TXMLIniFile::FindValue(const TSectionCollectionItem* section, const std::string& ident) const {
  if (!section) return nullptr;
  const TDataCollection& data = *section->SectionData;
  for (int i = 0; i < data.Count(); ++i) {
    if (data.Items(i)->Ident == ident) return data.Items(i);
  }
  return nullptr;
}

std::string TXMLIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) const {
  const TDataCollectionItem* value = FindValue(FindSection(section), ident);
  return value ? value->Value : def;
}

void TXMLIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  TSectionCollectionItem* s = FindSection(section);
  if (!s) {
    s = fSections.Add();
    s->SectionName = section;
  }
  TDataCollectionItem* v = FindValue(s, ident);
  if (!v) v = s->SectionData->Add();
  v->Ident = ident;
  v->Value = value;
}

int32_t TXMLIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t def) const {
  const std::string text = ReadString(section, ident, "");
  try {
    return XMLStrToInt(text);
  } catch (const EReadError&) {
    return def;
  }
}

void TXMLIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

bool TXMLIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TXMLIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TXMLIniFile::ReadFloat(const std::string& section, const std::string& ident, double def) const {
  const std::string text = ReadString(section, ident, "");
  try {
    return XMLStrToFloat(text);
  } catch (const EReadError&) {
    return def;
  }
}

void TXMLIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  WriteString(section, ident, XMLFloatToStr(value));
}

bool TXMLIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return FindValue(FindSection(section), ident) != nullptr;
}

void TXMLIniFile::ReadSection(const std::string& section, std::vector<std::string>& idents) const {
  idents.clear();
  const TSectionCollectionItem* s = FindSection(section);
  if (!s) return;
  for (int i = 0; i < s->SectionData->Count(); ++i) idents.push_back(s->SectionData->Items(i)->Ident);
}

void TXMLIniFile::ReadSections(std::vector<std::string>& sections) const {
  sections.clear();
  for (int i = 0; i < fSections.Count(); ++i) sections.push_back(fSections.Items(i)->SectionName);
}

void TXMLIniFile::ReadSectionValues(const std::string& section, std::vector<std::string>& values) const {
  values.clear();
  const TSectionCollectionItem* s = FindSection(section);
  if (!s) return;
  for (int i = 0; i < s->SectionData->Count(); ++i) values.push_back(s->SectionData->Items(i)->Value);
}

void TXMLIniFile::EraseSection(const std::string& section) {
  if (const TSectionCollectionItem* s = FindSection(section)) fSections.Delete(s->Index());
}

void TXMLIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  TSectionCollectionItem* s = FindSection(section);
  if (const TDataCollectionItem* v = FindValue(s, ident)) s->SectionData->Delete(v->Index());
}

void TXMLIniFile::UpdateFile() { fSections.SaveToFile(fFileName); }

}  // namespace zyn
