#pragma once
// The links that start at one channel, kept together per input event, and the maintenance that
// rewrites or removes them when an object they refer to is renumbered or deleted.

#include "model/Verbindung.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TKanal;
class TBaseObject;

// One object's new number. For a module, LogicType is the logic-entry type of its inputs at the
// old address and Object the module itself; for flags, clocks, texts and groups LogicType is the
// object kind.
struct TRenumbering {
  int LogicType = 0;
  int OldNumber = 0;
  int NewNumber = 0;
  const TBaseObject* Object = nullptr;
};
// The renumberings of one kind in one control module, applied together: every number is looked
// up by its value before the change, so that swaps and chains come out right.
using TRenumberMap = std::vector<TRenumbering>;

class TVerbindungsListe {
 public:
  TVerbindungsListe() = default;
  explicit TVerbindungsListe(TKanal* parent) : Parent(parent) {}
  TVerbindungsListe(const TVerbindungsListe&) = delete;
  TVerbindungsListe& operator=(const TVerbindungsListe&) = delete;

  TKanal* Parent = nullptr;  // the source channel; not owned

  int Count() const { return static_cast<int>(fEntries.size()); }
  TVerbindung* GetVerbindung(int index) const;
  const std::string& Key(int index) const { return fEntries[static_cast<size_t>(index)].key; }
  int IndexOf(const TVerbindung* link) const;

  int Add(std::unique_ptr<TVerbindung> link);
  int InsertLink(int index, std::unique_ptr<TVerbindung> link);
  void ReinsertLink(TVerbindung* link);
  bool Remove(TVerbindung* link);
  void DeleteAt(int index);
  // Takes the link out without freeing it; nullptr when it is not listed.
  std::unique_ptr<TVerbindung> Extract(TVerbindung* link);
  void Clear() { fEntries.clear(); }

  int VisibleIndex(int index) const;
  int IndexOfText(TVerbindung* link) const;
  int FindDuplicate(TVerbindung* link);
  void SetParents();
  // Computes every key text again from the link's display text (after its texts changed).
  void RefreshKeys();

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  // Maintenance, each over the links from the last to the first.
  void RemapLinks(int stm, int kind, int logicType, int oldNumber, int newNumber);
  void RemapLinks(int stm, int kind, const TRenumberMap& map);
  int DeleteGeneratedLinks();
  int GruppeDeleted(int stm, int group);
  int TextDeleted(int stm, int text);
  int MerkerDeleted(int stm, int flag);
  int UhrDeleted(int stm, int clock);
  int ModulDeleted(int stm, int baseClass, int logicType, int address);

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<TVerbindung> link;
  };
  int InsertPosition(int event, int requested) const;
  int Place(std::unique_ptr<TVerbindung> link, std::string key, int requested);
  int ObjectDeleted(int stm, int objType, int number);
  void RefreshKey(int index);

  std::vector<Entry> fEntries;
};

}  // namespace zyn
