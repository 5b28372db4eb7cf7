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
    if (names_[i] == name) return i;
  return -1;
}

int TzbBarManagerCategories::Add(const std::string& name) {
  names_.push_back(name);
  records_.push_back(nullptr);
  manager_->DesignerModified();
  return Count() - 1;
}

void TzbBarManagerCategories::RenumberItems(int from, int to) {
  for (int i = 0; i < manager_->GetItemCount(); ++i) {
    TzbBarItem* item = manager_->GetItem(i);
    if (item->Category() == from) item->SetCategoryDirect(to);
  }
}

void TzbBarManagerCategories::Insert(int index, const std::string& name) {
  if (index < 0 || index > Count()) return;
  if (!moving_)
    for (int c = Count() - 1; c >= index; --c) RenumberItems(c, c + 1);
  names_.insert(names_.begin() + index, name);
  records_.insert(records_.begin() + index, nullptr);
  manager_->DesignerModified();
}

void TzbBarManagerCategories::Delete(int index) {
  if (index >= 0 && index < Count()) {
    if (!moving_) {
      std::vector<TzbBarItem*> items;
      manager_->GetItemsByCategory(index, items);
      for (TzbBarItem* item : items) manager_->FreeItem(item);
      for (int c = index + 1; c < Count(); ++c) RenumberItems(c, c - 1);
    }
    names_.erase(names_.begin() + index);
    records_.erase(records_.begin() + index);
    manager_->DesignerModified();
  }
  if (!moving_ && names_.empty()) Add("Default");
}

void TzbBarManagerCategories::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count() || index2 < 0 || index2 >= Count()) return;
  RenumberItems(index1, kParked);
  RenumberItems(index2, index1);
  RenumberItems(kParked, index2);
  std::swap(names_[index1], names_[index2]);
  std::swap(records_[index1], records_[index2]);
  manager_->DesignerModified();
}

void TzbBarManagerCategories::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() || curIndex == newIndex) return;
  RenumberItems(curIndex, kParked);
  if (curIndex < newIndex)
    for (int c = curIndex + 1; c <= newIndex; ++c) RenumberItems(c, c - 1);
  else
    for (int c = curIndex - 1; c >= newIndex; --c) RenumberItems(c, c + 1);
  RenumberItems(kParked, newIndex);
  moving_ = true;
  std::string name = names_[curIndex];
  std::unique_ptr<TRecord> record = std::move(records_[curIndex]);
  names_.erase(names_.begin() + curIndex);
  records_.erase(records_.begin() + curIndex);
  names_.insert(names_.begin() + newIndex, name);
  records_.insert(records_.begin() + newIndex, std::move(record));
  moving_ = false;
  manager_->DesignerModified();
}

void TzbBarManagerCategories::Clear() {
  records_.clear();
  names_.clear();
  manager_->DesignerModified();
}

TzbBarManagerCategories::TRecord* TzbBarManagerCategories::Record(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return records_[index].get();
}

const TzbBarManagerCategories::TRecord* TzbBarManagerCategories::Record(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return records_[index].get();
}

TzbBarManagerCategories::TRecord& TzbBarManagerCategories::EnsureRecord(int index) {
  if (!records_.at(index)) records_[index] = std::make_unique<TRecord>();
  return *records_[index];
}

// ---------------------------------------------------------------- TzbBarGroup

void TzbBarGroup::Add(TzbBarItem* item) {
  if (!item || ContainsMember(item)) return;
  members_.push_back({item, nullptr});
}

void TzbBarGroup::Add(TzbBarGroup* group) {
  if (!group || ContainsMember(group)) return;
  if (group == this || group->Contains(this)) throw std::runtime_error("You cannot create recursive groups");
  members_.push_back({nullptr, group});
}

void TzbBarGroup::Remove(const void* member) {
  members_.erase(std::remove_if(members_.begin(), members_.end(),
                                [&](const TMember& m) { return m.Item == member || m.Group == member; }),
                 members_.end());
}

bool TzbBarGroup::ContainsMember(const void* member) const {
  for (const TMember& m : members_)
    if (m.Item == member || m.Group == member) return true;
  return false;
}

bool TzbBarGroup::Contains(const TzbBarGroup* group) const {
  for (const TMember& m : members_)
    if (m.Group && (m.Group == group || m.Group->Contains(group))) return true;
  return false;
}

void TzbBarGroup::SetEnabled(bool value) {
  enabled_ = value;
  TzbBarLockScope lock(*manager_);
  for (const TMember& m : members_) {
    if (m.Item) m.Item->SetEnabled(value);
    if (m.Group) m.Group->SetEnabled(value);
  }
}

void TzbBarGroup::SetVisible(TzbBarItemVisible value) {
  visible_ = value;
  TzbBarLockScope lock(*manager_);
  for (const TMember& m : members_) {
    if (m.Item) m.Item->SetVisible(value);
    if (m.Group) m.Group->SetVisible(value);
  }
}

}  // namespace zyn
