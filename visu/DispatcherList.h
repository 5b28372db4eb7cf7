#pragma once
// The channel dispatcher list: every bus channel that a control of the visualisation shows or
// drives, so that the run time knows which channels to watch. Stored as six values per entry in
// the project stream and as an XML text file in the run-time folder.

#include "model/base/Filer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TXMLDispatcherObject {
 public:
  int32_t Steuermodul = 0;   // control-module address 0 .. 3
  int32_t Modul = 0;         // module byte: module class x 32 + module address
  int32_t Kanal = 0;         // channel address within the module
  int32_t KanalArt = 0;      // ordinal of TKanalArt
  std::string KanalName;     // display name of the channel when the entry was made
  std::string InternalName;  // unique internal name of the channel; the key of the list

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  // The entry's element in the XML file (its lines, each ended by LF, and the blank line).
  std::string GetXML() const;

  bool operator==(const TXMLDispatcherObject&) const = default;
};

class TXMLDispatcherObjectList {
 public:
  int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
  TXMLDispatcherObject& Item(int32_t index) { return *fItems.at(static_cast<size_t>(index)); }
  const TXMLDispatcherObject& Item(int32_t index) const { return *fItems.at(static_cast<size_t>(index)); }
  int32_t Add(std::unique_ptr<TXMLDispatcherObject> entry);
  void Delete(int32_t index);
  void Clear() { fItems.clear(); }
  // Index of the first entry with exactly this internal name (case counts), -1 when none.
  int32_t IndexOfInternalName(const std::string& name) const;

  // Project stream: list begin, six values per entry, list end. Entries are appended.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  // The XML file the run time reads. Writing replaces the file as a whole; names are written as
  // they are (Windows-1252, no character references; a control character becomes a blank).
  // Reading appends the entries, line by line: names come back upper-cased and end at a "<";
  // EReadError for a missing file or a number that is no decimal integer (the entries read
  // before stay).
  void WriteXML(const std::string& fileName) const;
  void ReadXML(const std::string& fileName);
  std::string GetXML() const;  // the whole file text
  void ParseXML(const std::string& text);

 private:
  std::vector<std::unique_ptr<TXMLDispatcherObject>> fItems;
};

}  // namespace zyn
