#pragma once
// An ini file (sections, keys, typed values) kept as an XML collection. The file is read when the
// object is made and written when it is destroyed. Section and key names are compared exactly,
// case included; sections and keys keep the order in which they were created.

#include "model/base/XMLCollection.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TDataCollectionItem : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  std::string Ident;
  std::string Value;
};

class TDataCollection : public TXMLCollectionOf<TDataCollectionItem> {
 public:
  TDataCollection() : TXMLCollectionOf<TDataCollectionItem>("TDataCollection") {}
};

class TSectionCollectionItem : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  std::string SectionName;
  std::unique_ptr<TDataCollection> SectionData = std::make_unique<TDataCollection>();
};

class TSectionCollection : public TXMLCollectionOf<TSectionCollectionItem> {
 public:
  TSectionCollection() : TXMLCollectionOf<TSectionCollectionItem>("TSectionCollection") {}
};

class TXMLIniFile {
 public:
  // Loads the file when it exists (native file name).
  explicit TXMLIniFile(std::string fileName);
  // Writes the file; a failure cannot be reported from here, so callers that must know call
  // UpdateFile() first.
  ~TXMLIniFile();
  TXMLIniFile(const TXMLIniFile&) = delete;
  TXMLIniFile& operator=(const TXMLIniFile&) = delete;

  const std::string& FileName() const { return fFileName; }
  TSectionCollection& Sections() { return fSections; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Decimal, or hexadecimal after "0x", "0X" or "$"; the default when the text is no number.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  // Written "1" or "0"; true for any non-zero number, the default when the text is no number.
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  // "." as decimal separator when written; "." or "," when read; the default when no number.
  double ReadFloat(const std::string& section, const std::string& ident, double def) const;
  void WriteFloat(const std::string& section, const std::string& ident, double value);

  bool SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }
  bool ValueExists(const std::string& section, const std::string& ident) const;

  void ReadSection(const std::string& section, std::vector<std::string>& idents) const;
  void ReadSections(std::vector<std::string>& sections) const;
  // The values of the section in order (the values alone).
  void ReadSectionValues(const std::string& section, std::vector<std::string>& values) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);

  // Writes the collection to FileName; EWriteError when that fails.
  void UpdateFile();

  TSectionCollectionItem* FindSection(const std::string& name) const;
  TDataCollectionItem* FindValue(const TSectionCollectionItem* section, const std::string& ident) const;

 private:
  std::string fFileName;
  TSectionCollection fSections;
};

}  // namespace zyn
