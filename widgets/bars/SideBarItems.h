#pragma once
// The items of one side-bar group, in order. The collection owns its items; removing one tells the
// side bar first (it forgets the item as focused, selected or pressed item and fires OnDeleteItem).

#include "widgets/bars/SideBarTypes.h"

#include <memory>
#include <vector>

namespace zyn {

class TzbSideBarItems {
 public:
  explicit TzbSideBarItems(TzbSideGroup& group);
  ~TzbSideBarItems();
  TzbSideBarItems(const TzbSideBarItems&) = delete;
  TzbSideBarItems& operator=(const TzbSideBarItems&) = delete;

  TzbSideGroup& Group() const { return *fGroup; }
  TzbSideBar& SideBar() const;

  int Count() const { return static_cast<int>(fItems.size()); }
  // The item at index; an index out of range raises the list-index error.
  TzbSideBarItem* GetItem(int index) const;
  TzbSideBarItem* operator[](int index) const { return GetItem(index); }
  int IndexOf(const TzbSideBarItem* item) const;

  TzbSideBarItem* Add();
  TzbSideBarItem* Insert(int index);
  void Delete(int index);
  void Remove(TzbSideBarItem* item);
  void Clear();
  void Move(int curIndex, int newIndex);
  // Replaces the items with copies of the source's items.
  void Assign(const TzbSideBarItems& source);

  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();

 private:
  void Update();
  std::unique_ptr<TzbSideBarItem> Take(int index);

  TzbSideGroup* fGroup;
  std::vector<std::unique_ptr<TzbSideBarItem>> fItems;
  int fUpdateCount = 0;
};

}  // namespace zyn
