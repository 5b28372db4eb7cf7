#pragma once
// One group of a side bar: a caption, its items shown as large or small icons, the index of the
// first item shown (the scroll position) and its visibility.

#include "widgets/bars/SideBarTypes.h"

#include <memory>
#include <string>

namespace zyn {

class TzbSideGroup {
 public:
  explicit TzbSideGroup(TzbSideGroups& collection);
  ~TzbSideGroup();
  TzbSideGroup(const TzbSideGroup&) = delete;
  TzbSideGroup& operator=(const TzbSideGroup&) = delete;

  TzbSideGroups& Collection() const { return *collection_; }
  TzbSideBar& SideBar() const;
  int Index() const;
  void SetIndex(int value);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TzbSideGroupIconType IconType() const { return iconType_; }
  void SetIconType(TzbSideGroupIconType value);
  bool Visible() const { return visible_; }
  // Does not re-open another group when the open one is hidden; set ActiveGroupIndex afterwards.
  void SetVisible(bool value);
  TzbSideBarItems& Items() const { return *items_; }
  void SetItems(const TzbSideBarItems& value);
  int TopVisibleItem() const { return topVisibleItem_; }
  void SetTopVisibleItem(int value);
  void SetTopVisibleItemDirect(int value) { topVisibleItem_ = value; }  // during layout searches
  bool IsDestroying() const { return destroying_; }
  void MarkDestroying() { destroying_ = true; }
  bool IsActive() const;

  void Assign(const TzbSideGroup& source);

 private:
  TzbSideGroups* collection_;
  std::unique_ptr<TzbSideBarItems> items_;
  std::string caption_ = kSideBarNewGroup;
  TzbSideGroupIconType iconType_ = zbsgLargeIcon;
  int topVisibleItem_ = 0;
  bool visible_ = true;
  bool assigning_ = false;
  bool destroying_ = false;
};

}  // namespace zyn
