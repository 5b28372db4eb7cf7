#pragma once
// Object lists: entries keyed by the objects' internal names, in the user's order, with a small
// header and a number pool; deep copies for editing and the merge that takes an edit back.

#include "model/Adressen.h"
#include "model/Kanal.h"
#include "model/Observer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TCustomObserver;

class TZYNListe {
 public:
  TZYNListe() = default;
  virtual ~TZYNListe() = default;
  TZYNListe(const TZYNListe&) = delete;
  TZYNListe& operator=(const TZYNListe&) = delete;

  TAdressen Adressen;
  std::string Bemerkungen;
  std::string InternalName;
  std::string ListenKennung;
  int32_t ListenNummer = 0;
  TZYNBaseObject* Parent = nullptr;  // the module for channel lists; not owned

  virtual int Count() const = 0;
  virtual TZYNBaseObject* ItemAt(int index) const = 0;
  virtual const std::string& KeyAt(int index) const = 0;

  bool HasVerbindungen() const;
  int UsedCount() const;
  int FindLinks(TLinkReport& report, int targetType, int stmNummer, int modulAdresse, int number) const;
  // Index of the entry with that internal name, compared without regard to ASCII case; -1 when none.
  int IndexOfName(const std::string& name) const;
  // Moves the entry of the first name to the index of the second; nothing when one is missing.
  void MoveByName(const std::string& name, const std::string& otherName);
  void CopyHeader(const TZYNListe& source);

  // The header: internal name, number, remarks, code text and the pool.
  virtual void ReadData(TReader& reader);
  virtual void WriteData(TWriter& writer) const;
  // Reads the list from a file without clearing it first; writes it through a temporary file.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  virtual void MoveEntry(int from, int to) = 0;
};

// The common operations of the concrete lists over their item class T.
template <class T>
class TZYNListeOf : public TZYNListe {
 public:
  ~TZYNListeOf() override {
    // Items are freed from the last to the first, each after its entry is gone.
    while (!fEntries.empty()) {
      std::unique_ptr<T> item = std::move(fEntries.back().item);
      fEntries.pop_back();
    }
  }

  int Count() const override { return static_cast<int>(fEntries.size()); }
  TZYNBaseObject* ItemAt(int index) const override { return GetItem(index); }
  const std::string& KeyAt(int index) const override { return fEntries[static_cast<size_t>(index)].key; }

  T* GetItem(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return fEntries[static_cast<size_t>(index)].item.get();
  }
  T* FindByAddress(int32_t number) const {
    for (const auto& entry : fEntries) {
      if (entry.item->Adresse() == number) return entry.item.get();
    }
    return nullptr;
  }
  T* FindByInternalName(const std::string& name) const { return GetItem(IndexOfName(name)); }
  int IndexOfItem(const T* item) const {
    for (size_t i = 0; i < fEntries.size(); ++i) {
      if (fEntries[i].item.get() == item) return static_cast<int>(i);
    }
    return -1;
  }

  // The entries take their items' internal names again (after items were renamed).
  void RefreshKeys() {
    for (auto& entry : fEntries) entry.key = entry.item->InternalName();
  }

  // Appends under the internal name without touching the pool or the item.
  T* AddItem(std::unique_ptr<T> item) {
    std::string key = item->InternalName();
    fEntries.push_back(Entry{std::move(key), std::move(item)});
    return fEntries.back().item.get();
  }
  // Sets the back references, marks the number used and appends.
  virtual T* Add(std::unique_ptr<T> item) {
    SetBackRefs(*item);
    if (Numbered()) Adressen.SetUsed(item->Adresse());
    return AddItem(std::move(item));
  }
  // Frees the number and the item; an item that is not listed is left alone.
  // The item is freed while its entry still names it, so that the reactions to its deletion
  // still find it in the list; then the entry goes. (A list whose items own observed objects
  // takes the entry out first: see FreesListedItems.)
  void Remove(T* item) {
    const int index = IndexOfItem(item);
    if (index < 0) return;
    if (Numbered()) Adressen.SetFree(item->Adresse());
    if (!FreesListedItems()) {
      std::unique_ptr<T> owned = std::move(fEntries[static_cast<size_t>(index)].item);
      fEntries.erase(fEntries.begin() + index);
      return;
    }
    delete item;
    for (size_t i = 0; i < fEntries.size(); ++i) {
      if (fEntries[i].item.get() != item) continue;
      (void)fEntries[i].item.release();  // already freed above
      fEntries.erase(fEntries.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  void Clear() {
    for (int i = Count() - 1; i >= 0; --i) Remove(GetItem(i));
  }
  void ChangeAddress(T* item, int32_t newNumber) {
    if (Numbered()) {
      Adressen.SetFree(item->Adresse());
      Adressen.SetUsed(newNumber);
    }
    item->SetAdresse(newNumber);
  }

  // Deep copy for editing: header and pool, then a copy of every item (sharing its internal name).
  void CopyFrom(const TZYNListeOf& source) {
    CopyListHeader(source);
    for (const auto& entry : source.fEntries) {
      auto item = std::make_unique<T>();
      item->CopyFrom(*entry.item);
      Add(std::move(item));
    }
  }

  // Takes an edited copy back: missing items are removed, new ones created (and observed),
  // existing ones updated through their notifying setters, and the copy's order taken.
  void MergeFrom(const TZYNListeOf& copy, TCustomObserver* observer) {
    MergeListHeader(copy);
    for (int i = Count() - 1; i >= 0; --i) {
      if (copy.IndexOfName(KeyAt(i)) < 0) Remove(GetItem(i));
    }
    // The observers learn of all new numbers together, once every item carries its own.
    TObserverBatch batch;
    batch.Hold(observer);
    for (const auto& entry : fEntries) batch.HoldAll(entry.item->Observers());
    for (const auto& entry : copy.fEntries) {
      T* live = FindByInternalName(entry.item->InternalName());
      if (live == nullptr) {
        auto item = std::make_unique<T>();
        item->CopyFrom(*entry.item);
        T* added = Add(std::move(item));
        if (MergeReorders() && observer != nullptr) added->AttachObserver(observer);
      } else {
        live->UpdateFrom(*entry.item);
      }
    }
    if (MergeReorders()) {
      for (int i = 0; i < copy.Count(); ++i) {
        const int from = IndexOfName(copy.KeyAt(i));
        if (from >= 0 && from != i) MoveEntry(from, i);
      }
    }
    // The pool is the copy's pool, whatever the deletions and additions did to it.
    Adressen.CopyFrom(copy.Adressen);
  }

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 protected:
  virtual void SetBackRefs(T& item) { (void)item; }
  virtual bool Numbered() const { return true; }
  virtual bool MergeReorders() const { return true; }
  // True: an item is freed while still listed. A list whose items hold observed objects of their
  // own (control modules hold modules, flags, ...) answers false, so that the reactions to those
  // objects' deletions never walk an item half taken down.
  virtual bool FreesListedItems() const { return true; }
  virtual void CopyListHeader(const TZYNListeOf& source) { CopyHeader(source); }
  virtual void MergeListHeader(const TZYNListeOf& copy) { CopyHeader(copy); }

  void MoveEntry(int from, int to) override {
    Entry entry = std::move(fEntries[static_cast<size_t>(from)]);
    fEntries.erase(fEntries.begin() + from);
    fEntries.insert(fEntries.begin() + to, std::move(entry));
  }

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<T> item;
  };
  std::vector<Entry> fEntries;
};

// Header, list begin marker, the items, list end marker.
void ReadListItems(TReader& reader, const std::function<void()>& readItem);
void WriteListBegin(TWriter& writer);
void WriteListEnd(TWriter& writer);

template <class T>
void TZYNListeOf<T>::ReadData(TReader& reader) {
  TZYNListe::ReadData(reader);
  ReadListItems(reader, [&] {
    auto item = std::make_unique<T>();
    item->ReadData(reader);
    Add(std::move(item));
  });
}

template <class T>
void TZYNListeOf<T>::WriteData(TWriter& writer) const {
  TZYNListe::WriteData(writer);
  WriteListBegin(writer);
  for (const auto& entry : fEntries) entry.item->WriteData(writer);
  WriteListEnd(writer);
}

}  // namespace zyn
