#include "widgets/bars/SideBarStore.h"

#include "platform/QtText.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarStoredItem.h"

#include <QString>

#include <algorithm>

namespace zyn {

TzbSideBarStore::TzbSideBarStore() : fCategories(*this) {}

TzbSideBarStore::~TzbSideBarStore() {
  Attach(fLargeImages, fLargeLink, nullptr);
  Attach(fSmallImages, fSmallLink, nullptr);
  while (!fItems.empty()) FreeItem(fItems.back().get());
  const std::vector<TzbSideBar*> bars = fSideBars;
  for (TzbSideBar* bar : bars) bar->StoreDestroyed();
}

TzbStoredSideItem* TzbSideBarStore::CreateItem() {
  fItems.push_back(std::make_unique<TzbStoredSideItem>(*this));
  TzbStoredSideItem* item = fItems.back().get();
  if (!fLoading) item->SetCategoryDirect(0);
  return item;
}

void TzbSideBarStore::FreeItem(TzbStoredSideItem* item) {
  auto it = std::find_if(fItems.begin(), fItems.end(), [item](const auto& p) { return p.get() == item; });
  if (it == fItems.end()) return;
  RemoveFollowers(item);
  it = std::find_if(fItems.begin(), fItems.end(), [item](const auto& p) { return p.get() == item; });
  std::unique_ptr<TzbStoredSideItem> owned = std::move(*it);
  fItems.erase(it);
}

void TzbSideBarStore::MoveItemTo(TzbStoredSideItem* item, TzbSideBarStore& target) {
  if (&target == this) return;
  auto it = std::find_if(fItems.begin(), fItems.end(), [item](const auto& p) { return p.get() == item; });
  if (it == fItems.end()) return;
  RemoveFollowers(item);
  it = std::find_if(fItems.begin(), fItems.end(), [item](const auto& p) { return p.get() == item; });
  std::unique_ptr<TzbStoredSideItem> owned = std::move(*it);
  fItems.erase(it);
  owned->JoinStore(target);
  if (!target.fLoading) owned->SetCategoryDirect(0);
  target.fItems.push_back(std::move(owned));
  target.ItemChanged();
}

TzbStoredSideItem* TzbSideBarStore::GetItem(int index) const {
  if (index < 0 || index >= Count()) SideBarListIndexError(index);
  return fItems[static_cast<std::size_t>(index)].get();
}

TzbStoredSideItem* TzbSideBarStore::FindByName(const std::string& name) const {
  const QString wanted = ToQString(name);
  for (const auto& item : fItems)
    if (ToQString(item->Name).compare(wanted, Qt::CaseInsensitive) == 0) return item.get();
  return nullptr;
}

void TzbSideBarStore::Attach(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value) {
  if (slot == value) return;
  if (slot) slot->RemoveChangeLink(link);
  slot = value;
  link = 0;
  if (value) {
    link = value->AddChangeLink([this] { ItemChanged(); },
                                [this, &slot] {
                                  slot = nullptr;
                                  ItemChanged();
                                });
  }
  ItemChanged();
}

void TzbSideBarStore::AddSideBar(TzbSideBar* sideBar) {
  if (std::find(fSideBars.begin(), fSideBars.end(), sideBar) == fSideBars.end()) fSideBars.push_back(sideBar);
}

void TzbSideBarStore::RemoveSideBar(TzbSideBar* sideBar) {
  fSideBars.erase(std::remove(fSideBars.begin(), fSideBars.end(), sideBar), fSideBars.end());
}

void TzbSideBarStore::ItemChanged() {
  for (TzbSideBar* bar : fSideBars) bar->LayoutChanged();
}

void TzbSideBarStore::RemoveFollowers(TzbStoredSideItem* item) {
  const std::vector<TzbSideBar*> bars = fSideBars;
  for (TzbSideBar* bar : bars) {
    TzbSideGroups& groups = bar->Groups();
    for (int g = 0; g < groups.Count(); ++g) {
      TzbSideBarItems& items = groups[g]->Items();
      for (int i = items.Count() - 1; i >= 0; --i)
        if (items[i]->StoredItem() == item) items.Delete(i);
    }
  }
}

}  // namespace zyn
