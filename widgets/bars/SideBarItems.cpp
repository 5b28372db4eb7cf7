#include "widgets/bars/SideBarItems.h"

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarItem.h"

namespace zyn {

TzbSideBarItems::TzbSideBarItems(TzbSideGroup& group) : fGroup(&group) {}

TzbSideBarItems::~TzbSideBarItems() {
  // Items of a group that ends: each one still tells the side bar (OnDeleteItem fires).
  fUpdateCount = 1;
  while (!fItems.empty()) Delete(Count() - 1);
}

TzbSideBar& TzbSideBarItems::SideBar() const { return fGroup->SideBar(); }

TzbSideBarItem* TzbSideBarItems::GetItem(int index) const {
  if (index < 0 || index >= Count()) SideBarListIndexError(index);
  return fItems[static_cast<std::size_t>(index)].get();
}

int TzbSideBarItems::IndexOf(const TzbSideBarItem* item) const {
  for (std::size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

TzbSideBarItem* TzbSideBarItems::Add() { return Insert(Count()); }

TzbSideBarItem* TzbSideBarItems::Insert(int index) {
  if (index < 0 || index > Count()) SideBarListIndexError(index);
  auto item = std::make_unique<TzbSideBarItem>(*this);
  TzbSideBarItem* raw = item.get();
  fItems.insert(fItems.begin() + index, std::move(item));
  Update();
  return raw;
}

std::unique_ptr<TzbSideBarItem> TzbSideBarItems::Take(int index) {
  auto it = fItems.begin() + index;
  std::unique_ptr<TzbSideBarItem> item = std::move(*it);
  fItems.erase(it);
  return item;
}

void TzbSideBarItems::Delete(int index) {
  TzbSideBarItem* item = GetItem(index);
  TzbSideBar& bar = SideBar();
  bar.ItemRemoving(*item);
  const bool laidOut = !bar.IsDestroying() && bar.IsItemLaidOut(item);
  std::unique_ptr<TzbSideBarItem> owned = Take(IndexOf(item));
  owned.reset();
  bar.ItemRemoved(item, laidOut);
  Update();
}

void TzbSideBarItems::Remove(TzbSideBarItem* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

void TzbSideBarItems::Clear() {
  BeginUpdate();
  while (!fItems.empty()) Delete(Count() - 1);
  EndUpdate();
}

void TzbSideBarItems::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  GetItem(curIndex);
  GetItem(newIndex);
  std::unique_ptr<TzbSideBarItem> item = Take(curIndex);
  fItems.insert(fItems.begin() + newIndex, std::move(item));
  Update();
}

void TzbSideBarItems::Assign(const TzbSideBarItems& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  for (const auto& s : source.fItems) Add()->Assign(*s);
  EndUpdate();
}

void TzbSideBarItems::EndUpdate() {
  if (fUpdateCount > 0 && --fUpdateCount == 0) Update();
}

void TzbSideBarItems::Update() {
  if (fUpdateCount > 0) return;
  TzbSideBar& bar = SideBar();
  if (bar.IsDestroying() || fGroup->IsDestroying()) return;
  bar.ItemsUpdated(*fGroup);
}

}  // namespace zyn
