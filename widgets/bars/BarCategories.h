#pragma once
// The manager's item categories with their visibility records, and groups that switch the enabled
// and visible state of a set of items and nested groups together.

#include "widgets/bars/BarTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TzbBarManagerCategories {
 public:
  struct TRecord {
    TzbBarItemVisible ItemsVisible = ivAlways;
    TzbBarItemVisible PendingItemsVisible = ivAlways;
    bool Visible = true;
    bool HasPending = false;
  };

  explicit TzbBarManagerCategories(TzbBarManager& manager) : fManager(&manager) {}

  int Count() const { return static_cast<int>(fNames.size()); }
  const std::string& Strings(int index) const { return fNames.at(index); }
  int IndexOf(const std::string& name) const;
  int Add(const std::string& name);
  void Insert(int index, const std::string& name);
  void Delete(int index);  // frees the category's items and renumbers the later ones
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Clear();

  // The record of a category, nil when it has none.
  TRecord* Record(int index);
  const TRecord* Record(int index) const;
  TRecord& EnsureRecord(int index);

 private:
  void RenumberItems(int from, int to);
  TzbBarManager* fManager;
  std::vector<std::string> fNames;
  std::vector<std::unique_ptr<TRecord>> fRecords;
  bool fMoving = false;
};

class TzbBarGroup {
 public:
  explicit TzbBarGroup(TzbBarManager& manager) : fManager(&manager) {}
  std::string Name;
  TzbBarManager& Manager() const { return *fManager; }

  // A member is an item or a group. Adding a group that is this group or contains it throws.
  void Add(TzbBarItem* item);
  void Add(TzbBarGroup* group);
  void Remove(const void* member);
  int Count() const { return static_cast<int>(fMembers.size()); }
  bool Contains(const TzbBarGroup* group) const;  // at any depth
  bool ContainsMember(const void* member) const;

  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  TzbBarItemVisible Visible() const { return fVisible; }
  void SetVisible(TzbBarItemVisible value);

 private:
  struct TMember {
    TzbBarItem* Item = nullptr;
    TzbBarGroup* Group = nullptr;
  };
  TzbBarManager* fManager;
  std::vector<TMember> fMembers;
  bool fEnabled = true;
  TzbBarItemVisible fVisible = ivAlways;
};

}  // namespace zyn
