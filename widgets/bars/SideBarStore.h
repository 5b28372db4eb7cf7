#pragma once
// The store of stored items that side-bar items can follow, with its categories and picture
// lists. A change of a stored item relayouts and repaints every side bar that uses the store;
// freeing a stored item frees every side-bar item that follows it.

#include "widgets/bars/SideBarStoreStrings.h"
#include "widgets/bars/SideBarTypes.h"

#include <memory>
#include <vector>

namespace zyn {

class TzbSideBarStore {
 public:
  TzbSideBarStore();
  ~TzbSideBarStore();
  TzbSideBarStore(const TzbSideBarStore&) = delete;
  TzbSideBarStore& operator=(const TzbSideBarStore&) = delete;

  TzbStoredSideItem* CreateItem();
  void FreeItem(TzbStoredSideItem* item);
  // Hands a stored item to another store: the side-bar items that follow it here are freed, it
  // joins the target (category 0 unless the target loads).
  void MoveItemTo(TzbStoredSideItem* item, TzbSideBarStore& target);
  int Count() const { return static_cast<int>(fItems.size()); }
  TzbStoredSideItem* GetItem(int index) const;
  // The stored item of that name, compared without regard to case; nil when none.
  TzbStoredSideItem* FindByName(const std::string& name) const;

  TStoredSideBarItemsStoreStrings& Categories() { return fCategories; }
  // Picture lists for side bars without their own; a change of a list, or its end, relayouts
  // every side bar of the store.
  TzbSideBarImageList* LargeImages() const { return fLargeImages; }
  void SetLargeImages(TzbSideBarImageList* value) { Attach(fLargeImages, fLargeLink, value); }
  TzbSideBarImageList* SmallImages() const { return fSmallImages; }
  void SetSmallImages(TzbSideBarImageList* value) { Attach(fSmallImages, fSmallLink, value); }
  int DefaultLargeImage() const { return fDefaultLargeImage; }
  void SetDefaultLargeImage(int value) {
    if (value >= -1) fDefaultLargeImage = value;
  }
  int DefaultSmallImage() const { return fDefaultSmallImage; }
  void SetDefaultSmallImage(int value) {
    if (value >= -1) fDefaultSmallImage = value;
  }

  bool IsLoading() const { return fLoading; }
  void BeginLoading() { fLoading = true; }
  void EndLoading() { fLoading = false; }

  // The side bars that use this store (kept by TzbSideBar::SetStore).
  const std::vector<TzbSideBar*>& SideBars() const { return fSideBars; }
  void AddSideBar(TzbSideBar* sideBar);
  void RemoveSideBar(TzbSideBar* sideBar);
  // Relayouts and repaints every side bar of the store.
  void ItemChanged();

 private:
  void RemoveFollowers(TzbStoredSideItem* item);
  void Attach(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value);

  std::vector<std::unique_ptr<TzbStoredSideItem>> fItems;
  std::vector<TzbSideBar*> fSideBars;
  TStoredSideBarItemsStoreStrings fCategories;
  TzbSideBarImageList* fLargeImages = nullptr;
  TzbSideBarImageList* fSmallImages = nullptr;
  int fLargeLink = 0, fSmallLink = 0;
  int fDefaultLargeImage = -1;
  int fDefaultSmallImage = -1;
  bool fLoading = false;
};

}  // namespace zyn
