#include "widgets/bars/BarCategories.h"

#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"

#include <algorithm>
#include <stdexcept>

namespace zyn {

namespace {
constexpr int kParked = -1000;

}  // namespace

int TzbBarManagerCategories::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (fNames[i] == name) return i;
  return -1;
}

int TzbBarManagerCategories::Add(const std::string& name) {
  fNames.push_back(name);
  fRecords.push_back(nullptr);
  fManager->DesignerModified();
  return Count() - 1;
}

void TzbBarManagerCategories::RenumberItems(int from, int to) {
  for (int i = 0; i < fManager->GetItemCount(); ++i) {
    TzbBarItem* item = fManager->GetItem(i);
    if (item->Category() == from) item->SetCategoryDirect(to);
  }
}

void TzbBarManagerCategories::Insert(int index, const std::string& name) {
  if (index < 0 || index > Count()) return;
  if (!fMoving)
    for (int c = Count() - 1; c >= index; --c) RenumberItems(c, c + 1);
  fNames.insert(fNames.begin() + index, name);
  fRecords.insert(fRecords.begin() + index, nullptr);
  fManager->DesignerModified();
}

void TzbBarManagerCategories::Delete(int index) {
  if (index >= 0 && index < Count()) {
    if (!fMoving) {
      std::vector<TzbBarItem*> items;
      fManager->GetItemsByCategory(index, items);
      for (TzbBarItem* item : items) fManager->FreeItem(item);
      for (int c = index + 1; c < Count(); ++c) RenumberItems(c, c - 1);
    }
    fNames.erase(fNames.begin() + index);
    fRecords.erase(fRecords.begin() + index);
    fManager->DesignerModified();
  }
  if (!fMoving && fNames.empty()) Add("Default");
}

void TzbBarManagerCategories::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count() || index2 < 0 || index2 >= Count()) return;
  RenumberItems(index1, kParked);
  RenumberItems(index2, index1);
  RenumberItems(kParked, index2);
  std::swap(fNames[index1], fNames[index2]);
  std::swap(fRecords[index1], fRecords[index2]);
  fManager->DesignerModified();
}

void TzbBarManagerCategories::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() || curIndex == newIndex) return;
  RenumberItems(curIndex, kParked);
  if (curIndex < newIndex)
    for (int c = curIndex + 1; c <= newIndex; ++c) RenumberItems(c, c - 1);
  else
    for (int c = curIndex - 1; c >= newIndex; --c) RenumberItems(c, c + 1);
  RenumberItems(kParked, newIndex);
  fMoving = true;
  std::string name = fNames[curIndex];
  std::unique_ptr<TRecord> record = std::move(fRecords[curIndex]);
  fNames.erase(fNames.begin() + curIndex);
  fRecords.erase(fRecords.begin() + curIndex);
  fNames.insert(fNames.begin() + newIndex, name);
  fRecords.insert(fRecords.begin() + newIndex, std::move(record));
  fMoving = false;
  fManager->DesignerModified();
}

void TzbBarManagerCategories::Clear() {
  fRecords.clear();
  fNames.clear();
  fManager->DesignerModified();
}

TzbBarManagerCategories::TRecord* TzbBarManagerCategories::Record(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return fRecords[index].get();
}

const TzbBarManagerCategories::TRecord* TzbBarManagerCategories::Record(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fRecords[index].get();
}

TzbBarManagerCategories::TRecord& TzbBarManagerCategories::EnsureRecord(int index) {
  if (!fRecords.at(index)) fRecords[index] = std::make_unique<TRecord>();
  return *fRecords[index];
}

// ---------------------------------------------------------------- TzbBarGroup

void TzbBarGroup::Add(TzbBarItem* item) {
  if (!item || ContainsMember(item)) return;
  fMembers.push_back({item, nullptr});
}

void TzbBarGroup::Add(TzbBarGroup* group) {
  if (!group || ContainsMember(group)) return;
  if (group == this || group->Contains(this)) throw std::runtime_error("You cannot create recursive groups");
  fMembers.push_back({nullptr, group});
}

void TzbBarGroup::Remove(const void* member) {
  fMembers.erase(std::remove_if(fMembers.begin(), fMembers.end(),
                                [&](const TMember& m) { return m.Item == member || m.Group == member; }),
                 fMembers.end());
}

bool TzbBarGroup::ContainsMember(const void* member) const {
  for (const TMember& m : fMembers)
    if (m.Item == member || m.Group == member) return true;
  return false;
}

bool TzbBarGroup::Contains(const TzbBarGroup* group) const {
  for (const TMember& m : fMembers)
    if (m.Group && (m.Group == group || m.Group->Contains(group))) return true;
  return false;
}

void TzbBarGroup::SetEnabled(bool value) {
  fEnabled = value;
  TzbBarLockScope lock(*fManager);
  for (const TMember& m : fMembers) {
    if (m.Item) m.Item->SetEnabled(value);
    if (m.Group) m.Group->SetEnabled(value);
  }
}

void TzbBarGroup::SetVisible(TzbBarItemVisible value) {
  fVisible = value;
  TzbBarLockScope lock(*fManager);
  for (const TMember& m : fMembers) {
    if (m.Item) m.Item->SetVisible(value);
    if (m.Group) m.Group->SetVisible(value);
  }
}

}  // namespace zyn
