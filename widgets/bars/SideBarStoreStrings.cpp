#include "widgets/bars/SideBarStoreStrings.h"

#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"

#include <utility>

namespace zyn {

TStoredSideBarItemsStoreStrings::TStoredSideBarItemsStoreStrings(TzbSideBarStore& store) : fStore(&store) {
  fNames.push_back(kSideBarDefaultCategory);
}

const std::string& TStoredSideBarItemsStoreStrings::operator[](int index) const {
  CheckIndex(index);
  return fNames[static_cast<std::size_t>(index)];
}

int TStoredSideBarItemsStoreStrings::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < fNames.size(); ++i)
    if (fNames[i] == name) return static_cast<int>(i);
  return -1;
}

int TStoredSideBarItemsStoreStrings::Add(const std::string& name) {
  fNames.push_back(name);
  return Count() - 1;
}

void TStoredSideBarItemsStoreStrings::Insert(int index, const std::string& name) {
  if (index < 0 || index > Count()) SideBarListIndexError(index);
  fNames.insert(fNames.begin() + index, name);
  Renumber([](int c, int at, int) { return c >= at ? c + 1 : c; }, index, 0);
}

void TStoredSideBarItemsStoreStrings::Delete(int index) {
  CheckIndex(index);
  if (InUse(index)) throw EzbSideBarError(kSideBarCantDeleteCategory);
  fNames.erase(fNames.begin() + index);
  Renumber([](int c, int at, int) { return c > at ? c - 1 : c; }, index, 0);
  RefillDefault();
}

void TStoredSideBarItemsStoreStrings::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(fNames[static_cast<std::size_t>(index1)], fNames[static_cast<std::size_t>(index2)]);
  Renumber([](int c, int a, int b) { return c == a ? b : c == b ? a : c; }, index1, index2);
}

void TStoredSideBarItemsStoreStrings::Move(int curIndex, int newIndex) {
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  if (curIndex == newIndex) return;
  std::string name = fNames[static_cast<std::size_t>(curIndex)];
  fNames.erase(fNames.begin() + curIndex);
  fNames.insert(fNames.begin() + newIndex, std::move(name));
  Renumber(
      [](int c, int from, int to) {
        if (c == from) return to;
        if (from < to && c > from && c <= to) return c - 1;
        if (to < from && c >= to && c < from) return c + 1;
        return c;
      },
      curIndex, newIndex);
}

void TStoredSideBarItemsStoreStrings::Clear() {
  if (!fStore->IsLoading() && fStore->Count() > 0) throw EzbSideBarError(kSideBarCantDeleteCategory);
  fNames.clear();
  RefillDefault();
}

void TStoredSideBarItemsStoreStrings::Assign(const std::vector<std::string>& names) {
  if (names.empty()) {
    Clear();
    return;
  }
  for (int i = static_cast<int>(names.size()); i < Count(); ++i)
    if (InUse(i)) throw EzbSideBarError(kSideBarCantDeleteCategory);
  fNames = names;
}

void TStoredSideBarItemsStoreStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) SideBarListIndexError(index);
}

bool TStoredSideBarItemsStoreStrings::InUse(int index) const {
  for (int i = 0; i < fStore->Count(); ++i)
    if (fStore->GetItem(i)->Category() == index) return true;
  return false;
}

void TStoredSideBarItemsStoreStrings::Renumber(int (*map)(int, int, int), int a, int b) {
  for (int i = 0; i < fStore->Count(); ++i) {
    TzbStoredSideItem* item = fStore->GetItem(i);
    item->SetCategoryDirect(map(item->Category(), a, b));
  }
}

void TStoredSideBarItemsStoreStrings::RefillDefault() {
  if (fNames.empty() && !fStore->IsLoading()) fNames.push_back(kSideBarDefaultCategory);
}

}  // namespace zyn
