#include "widgets/bars/SideBarGroups.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"

namespace zyn {

TzbSideGroups::TzbSideGroups(TzbSideBar& sideBar) : fSideBar(&sideBar) {}

TzbSideGroups::~TzbSideGroups() { DestroyAll(); }

TzbSideGroup* TzbSideGroups::GetItem(int index) const {
  if (index < 0 || index >= Count()) SideBarListIndexError(index);
  return fGroups[static_cast<std::size_t>(index)].get();
}

int TzbSideGroups::IndexOf(const TzbSideGroup* group) const {
  for (std::size_t i = 0; i < fGroups.size(); ++i)
    if (fGroups[i].get() == group) return static_cast<int>(i);
  return -1;
}

TzbSideGroup* TzbSideGroups::Add() {
  fGroups.push_back(std::make_unique<TzbSideGroup>(*this));
  TzbSideGroup* group = fGroups.back().get();
  fSideBar->GroupAdded(*group);
  Update();
  return group;
}

void TzbSideGroups::Delete(int index) {
  TzbSideGroup* group = GetItem(index);
  group->MarkDestroying();
  fSideBar->GroupRemoving(*group);
  const bool wasActive = fSideBar->ActiveGroup() == group;
  std::unique_ptr<TzbSideGroup> owned = std::move(fGroups[static_cast<std::size_t>(index)]);
  fGroups.erase(fGroups.begin() + index);
  owned.reset();
  fSideBar->GroupRemoved(group, wasActive);
  Update();
}

void TzbSideGroups::Remove(TzbSideGroup* group) {
  const int index = IndexOf(group);
  if (index >= 0) Delete(index);
}

void TzbSideGroups::Clear() {
  BeginUpdate();
  while (!fGroups.empty()) Delete(Count() - 1);
  EndUpdate();
}

void TzbSideGroups::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  GetItem(curIndex);
  GetItem(newIndex);
  std::unique_ptr<TzbSideGroup> group = std::move(fGroups[static_cast<std::size_t>(curIndex)]);
  fGroups.erase(fGroups.begin() + curIndex);
  fGroups.insert(fGroups.begin() + newIndex, std::move(group));
  Update();
}

void TzbSideGroups::Assign(const TzbSideGroups& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  for (const auto& g : source.fGroups) Add()->Assign(*g);
  EndUpdate();
}

void TzbSideGroups::EndUpdate() {
  if (fUpdateCount > 0 && --fUpdateCount == 0 && fPending) Update();
}

void TzbSideGroups::DestroyAll() {
  while (!fGroups.empty()) {
    std::unique_ptr<TzbSideGroup> group = std::move(fGroups.back());
    fGroups.pop_back();
    group->MarkDestroying();
    group.reset();
  }
}

void TzbSideGroups::Update() {
  if (fUpdateCount > 0) {
    fPending = true;
    return;
  }
  fPending = false;
  fSideBar->GroupsUpdated();
}

}  // namespace zyn
