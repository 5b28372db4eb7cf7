#pragma once
// One item of a side-bar group: a caption below a large icon (or beside a small one), a hint, the
// frame key or other text of the application in `CustomData`, and a `Tag`. An item can follow a
// stored item of the side bar's store; while `IsDefault` is set it shows that stored item's
// caption, hint, pictures and enabled state.

#include "widgets/bars/SideBarTypes.h"

#include <string>

namespace zyn {

class TzbSideBarItem {
 public:
  explicit TzbSideBarItem(TzbSideBarItems& collection);
  ~TzbSideBarItem();
  TzbSideBarItem(const TzbSideBarItem&) = delete;
  TzbSideBarItem& operator=(const TzbSideBarItem&) = delete;

  TzbSideBarItems& Collection() const { return *fCollection; }
  TzbSideGroup& Group() const;
  TzbSideBar& SideBar() const;
  int Index() const;
  void SetIndex(int value);

  std::string Caption() const;
  void SetCaption(const std::string& value);
  std::string Hint() const;
  void SetHint(const std::string& value);
  int LargeImage() const;
  void SetLargeImage(int value);
  int SmallImage() const;
  void SetSmallImage(int value);
  bool GetEnabled() const;
  void SetEnabled(bool value);
  bool IsDefault() const { return fIsDefault; }
  void SetIsDefault(bool value);
  TzbStoredSideItem* StoredItem() const { return fStoredItem; }
  void SetStoredItem(TzbStoredSideItem* value);

  std::string CustomData;
  int Tag = 0;
  void* Data = nullptr;  // for the application's use

  // Laid out in the open group with its lowest edge inside the items area.
  bool IsFullyVisible() const;
  // Scrolls the open group until the item is fully visible; true only when nothing had to scroll.
  bool MakeVisible();

  // Copies the shown values (getters) into this item's own fields, without notification.
  void Assign(const TzbSideBarItem& source);

 private:
  bool FollowsStored() const { return fIsDefault && fStoredItem != nullptr; }
  void RelayoutWhenLaidOut();

  TzbSideBarItems* fCollection;
  std::string fCaption;
  std::string fHint;
  int fLargeImage = -1;
  int fSmallImage = -1;
  bool fIsDefault = true;
  bool fEnabled = true;
  TzbStoredSideItem* fStoredItem = nullptr;
};

}  // namespace zyn
