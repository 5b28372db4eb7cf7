#pragma once
// The channel description of a module catalogue entry: channel number, default text and the name
// of the channel's command list; and the list of them that a catalogue entry keeps per kind.

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;

class TEABeschreibung {
 public:
  int32_t KanalNummer = 0;
  std::string DefaultText;  // short text, at most 255 characters
  std::string Funktionen;   // short text: name of the command list

  void CopyFrom(const TEABeschreibung& source) { *this = source; }
  void UpdateFrom(const TEABeschreibung& source) { *this = source; }
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

// Descriptions keyed by their DefaultText, in the catalogue's order; owns them.
class TEABeschreibungsListe {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TEABeschreibung* Get(int index) const;
  TEABeschreibung* Add(std::unique_ptr<TEABeschreibung> item);
  void Remove(TEABeschreibung* item);
  void Clear() { fItems.clear(); }
  void CopyFrom(const TEABeschreibungsListe& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  // A plain string list: list begin marker, one string value per line, list end marker.
  static void ReadStrings(TReader& reader, std::vector<std::string>& strings);
  static void WriteStrings(TWriter& writer, const std::vector<std::string>& strings);

 private:
  std::vector<std::unique_ptr<TEABeschreibung>> fItems;
};

}  // namespace zyn
