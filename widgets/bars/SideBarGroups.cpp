#include "widgets/bars/SideBarGroups.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"

namespace zyn {

TzbSideGroups::TzbSideGroups(TzbSideBar& sideBar) : sideBar_(&sideBar) {}

TzbSideGroups::~TzbSideGroups() { DestroyAll(); }

TzbSideGroup* TzbSideGroups::GetItem(int index) const {
  if (index < 0 || index >= Count()) SideBarListIndexError(index);
  return groups_[static_cast<std::size_t>(index)].get();
}

int TzbSideGroups::IndexOf(const TzbSideGroup* group) const {
  for (std::size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i].get() == group) return static_cast<int>(i);
  return -1;
}

TzbSideGroup* TzbSideGroups::Add() {
  groups_.push_back(std::make_unique<TzbSideGroup>(*this));
  TzbSideGroup* group = groups_.back().get();
  sideBar_->GroupAdded(*group);
  Update();
  return group;
}

void TzbSideGroups::Delete(int index) {
  TzbSideGroup* group = GetItem(index);
  group->MarkDestroying();
  sideBar_->GroupRemoving(*group);
  const bool wasActive = sideBar_->ActiveGroup() == group;
  std::unique_ptr<TzbSideGroup> owned = std::move(groups_[static_cast<std::size_t>(index)]);
  groups_.erase(groups_.begin() + index);
  owned.reset();
  sideBar_->GroupRemoved(group, wasActive);
  Update();
}

void TzbSideGroups::Remove(TzbSideGroup* group) {
  const int index = IndexOf(group);
  if (index >= 0) Delete(index);
}

void TzbSideGroups::Clear() {
  BeginUpdate();
  while (!groups_.empty()) Delete(Count() - 1);
  EndUpdate();
}

void TzbSideGroups::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  GetItem(curIndex);
  GetItem(newIndex);
  std::unique_ptr<TzbSideGroup> group = std::move(groups_[static_cast<std::size_t>(curIndex)]);
  groups_.erase(groups_.begin() + curIndex);
  groups_.insert(groups_.begin() + newIndex, std::move(group));
  Update();
}

void TzbSideGroups::Assign(const TzbSideGroups& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  for (const auto& g : source.groups_) Add()->Assign(*g);
  EndUpdate();
}

void TzbSideGroups::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && pending_) Update();
}

void TzbSideGroups::DestroyAll() {
  while (!groups_.empty()) {
    std::unique_ptr<TzbSideGroup> group = std::move(groups_.back());
    groups_.pop_back();
    group->MarkDestroying();
    group.reset();
  }
}

void TzbSideGroups::Update() {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  pending_ = false;
  sideBar_->GroupsUpdated();
}

}  // namespace zyn
