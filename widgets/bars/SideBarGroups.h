#pragma once
// The groups of a side bar in collection order, hidden ones included. Changes of the collection
// (add, delete, reorder) end with the update notification, held back between BeginUpdate and
// EndUpdate.

#include "widgets/bars/SideBarTypes.h"

#include <memory>
#include <vector>

namespace zyn {

class TzbSideGroups {
 public:
  explicit TzbSideGroups(TzbSideBar& sideBar);
  ~TzbSideGroups();
  TzbSideGroups(const TzbSideGroups&) = delete;
  TzbSideGroups& operator=(const TzbSideGroups&) = delete;

  TzbSideBar& SideBar() const { return *fSideBar; }
  int Count() const { return static_cast<int>(fGroups.size()); }
  // The group at an absolute index (hidden groups counted); out of range: the list-index error.
  TzbSideGroup* GetItem(int index) const;
  TzbSideGroup* operator[](int index) const { return GetItem(index); }
  int IndexOf(const TzbSideGroup* group) const;

  TzbSideGroup* Add();
  void Delete(int index);
  void Remove(TzbSideGroup* group);
  void Clear();
  void Move(int curIndex, int newIndex);
  void Assign(const TzbSideGroups& source);

  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();
  bool Updating() const { return fUpdateCount > 0; }

  // Frees every group without the side bar's notifications (the side bar is being destroyed).
  void DestroyAll();

 private:
  void Update();

  TzbSideBar* fSideBar;
  std::vector<std::unique_ptr<TzbSideGroup>> fGroups;
  int fUpdateCount = 0;
  bool fPending = false;
};

}  // namespace zyn
