#pragma once
// The display observer: the links of display texts and state variables, filed under the
// InternalName of the bus module they refer to, so that renumbering or deleting a module reaches
// every display object bound to it.

#include <string>
#include <utility>
#include <vector>

namespace zyn {

class TVarVerbindung;

class TDisplayObserver {
 public:
  TDisplayObserver() = default;
  ~TDisplayObserver();  // detaches every link
  TDisplayObserver(const TDisplayObserver&) = delete;
  TDisplayObserver& operator=(const TDisplayObserver&) = delete;

  // Files the link under its ModulInternalName. A link is filed under one module only: an
  // earlier entry of the same link is dropped first.
  void AddLink(TVarVerbindung* link);
  // Number of entries filed under exactly this name.
  int CountEntries(const std::string& name) const;
  size_t Count() const { return fEntries.size(); }
  const std::string& Key(size_t i) const { return fEntries[i].first; }
  TVarVerbindung* Link(size_t i) const { return fEntries[i].second; }

  // The module got a new address: the module byte (base class x 32 + address) in the telegrams
  // of the keys of every linked object and the links' module address follow it.
  void ChangeModuleAddress(const std::string& moduleInternalName, int basisKlasse, int newAddress);
  // The module was deleted: the linked objects lose their bus keys (kinds 3, 4, 5) and their
  // link; the entries are dropped.
  void RemoveModule(const std::string& moduleInternalName);
  // Forgets every entry.
  void Clear();

  // Drops every entry of the link; called when a link is reset or freed.
  void ForgetLink(TVarVerbindung* link);

 private:
  std::vector<TVarVerbindung*> LinksOf(const std::string& name) const;
  std::vector<std::pair<std::string, TVarVerbindung*>> fEntries;
};

// The one display observer of the programme, created with the model observers at start; links
// read from a project file are filed in it when it exists.
extern TDisplayObserver* GDisplayObserver;

}  // namespace zyn
