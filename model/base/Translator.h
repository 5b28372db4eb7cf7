#pragma once
// The translation table: every user-visible text is a German literal that passes through
// TranslateText before it is shown. The table is read once at start from the language file; without
// it the programme stays German.

#include "model/base/XMLCollection.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

enum TSourceType { stUnit, stForm };

// One row of the table. Only Native (the German text, the key) and Translated are used; the
// other fields are carried for the translation tool.
class TLanguageEntry : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  std::string Native;
  std::string Translated;
  std::string Identifier;
  std::string Section;
  TSourceType SourceType = stUnit;
  bool DontTranslate = false;
  bool IsTranslated = false;
};

class TLanguageContainer : public TXMLCollectionOf<TLanguageEntry> {
 public:
  TLanguageContainer();
  std::string Language;
};

// A language file with its table.
class TLanguageFile {
 public:
  explicit TLanguageFile(std::string fileName = {});

  const std::string& FileName() const { return fFileName; }
  void SetFileName(std::string fileName) { fFileName = std::move(fileName); }
  bool Modified() const { return fModified; }
  int Count() const { return fContainer.Count(); }
  TLanguageContainer& Container() { return fContainer; }

  void Clear();
  // Replaces the entries by those of FileName; false when the file is missing or unreadable.
  bool Load();
  TLanguageEntry* GetEntry(int index) const;  // nullptr outside the table
  // The index of the first entry whose Native equals the text exactly, or -1.
  int IndexOfNative(std::string_view text) const;

  TXMLLoadProgressEvent& OnLoad() { return fContainer.OnLoad; }

 private:
  std::string fFileName;
  bool fModified = false;
  TLanguageContainer fContainer;
};

// The one loaded language file, or nullptr when none was found.
extern std::unique_ptr<TLanguageFile> GLanguageFile;

// Loads the language file into GLanguageFile (freeing an earlier one). An empty name means
// "LANGUAGE.TXML" in the default system data folder of the running programme. A missing or
// unreadable file leaves GLanguageFile empty; nothing is reported.
void LoadLanguageFile(const std::string& fileName = {});

// The translation of a German text: the first entry whose Native equals the text exactly (case
// and blanks included) gives its Translated as stored, unless that is blank; otherwise the text
// itself.
std::string TranslateText(std::string_view text);
// Replaces every line by its translation.
void TranslateStrings(std::vector<std::string>& lines);

}  // namespace zyn
