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
  int Count() const { return static_cast<int>(items_.size()); }
  TzbStoredSideItem* GetItem(int index) const;
  // The stored item of that name, compared without regard to case; nil when none.
  TzbStoredSideItem* FindByName(const std::string& name) const;

  TStoredSideBarItemsStoreStrings& Categories() { return categories_; }
  // Picture lists for side bars without their own; a change of a list, or its end, relayouts
  // every side bar of the store.
  TzbSideBarImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TzbSideBarImageList* value) { Attach(largeImages_, largeLink_, value); }
  TzbSideBarImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TzbSideBarImageList* value) { Attach(smallImages_, smallLink_, value); }
  int DefaultLargeImage() const { return defaultLargeImage_; }
  void SetDefaultLargeImage(int value) { if (value >= -1) defaultLargeImage_ = value; }
  int DefaultSmallImage() const { return defaultSmallImage_; }
  void SetDefaultSmallImage(int value) { if (value >= -1) defaultSmallImage_ = value; }

  bool IsLoading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  void EndLoading() { loading_ = false; }

  // The side bars that use this store (kept by TzbSideBar::SetStore).
  const std::vector<TzbSideBar*>& SideBars() const { return sideBars_; }
  void AddSideBar(TzbSideBar* sideBar);
  void RemoveSideBar(TzbSideBar* sideBar);
  // Relayouts and repaints every side bar of the store.
  void ItemChanged();

 private:
  void RemoveFollowers(TzbStoredSideItem* item);
  void Attach(TzbSideBarImageList*& slot, int& link, TzbSideBarImageList* value);

  std::vector<std::unique_ptr<TzbStoredSideItem>> items_;
  std::vector<TzbSideBar*> sideBars_;
  TStoredSideBarItemsStoreStrings categories_;
  TzbSideBarImageList* largeImages_ = nullptr;
  TzbSideBarImageList* smallImages_ = nullptr;
  int largeLink_ = 0, smallLink_ = 0;
  int defaultLargeImage_ = -1;
  int defaultSmallImage_ = -1;
  bool loading_ = false;
};

}  // namespace zyn
