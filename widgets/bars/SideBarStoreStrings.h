#pragma once
// The category names of a side-bar store. A new list holds "Default"; inserting, deleting,
// exchanging or moving a name renumbers the categories of the stored items so that each keeps its
// name; removing a name in use is refused with EzbSideBarError; an emptied list gets "Default" back.

#include "widgets/bars/SideBarTypes.h"

#include <string>
#include <vector>

namespace zyn {

class TStoredSideBarItemsStoreStrings {
 public:
  explicit TStoredSideBarItemsStoreStrings(TzbSideBarStore& store);

  int Count() const { return static_cast<int>(fNames.size()); }
  const std::string& operator[](int index) const;
  const std::vector<std::string>& Names() const { return fNames; }
  int IndexOf(const std::string& name) const;

  int Add(const std::string& name);
  void Insert(int index, const std::string& name);
  void Delete(int index);
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Clear();
  // Fewer names than before are refused while a stored item uses a name that would be cut off;
  // otherwise surplus names go from the end, new ones are appended, and all are overwritten.
  void Assign(const std::vector<std::string>& names);

 private:
  void CheckIndex(int index) const;
  bool InUse(int index) const;
  void Renumber(int (*map)(int category, int a, int b), int a, int b);
  void RefillDefault();

  TzbSideBarStore* fStore;
  std::vector<std::string> fNames;
};

}  // namespace zyn
