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

  TzbSideGroups& Collection() const { return *fCollection; }
  TzbSideBar& SideBar() const;
  int Index() const;
  void SetIndex(int value);

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  TzbSideGroupIconType IconType() const { return fIconType; }
  void SetIconType(TzbSideGroupIconType value);
  bool Visible() const { return fVisible; }
  // Does not re-open another group when the open one is hidden; set ActiveGroupIndex afterwards.
  void SetVisible(bool value);
  TzbSideBarItems& Items() const { return *fItems; }
  void SetItems(const TzbSideBarItems& value);
  int TopVisibleItem() const { return fTopVisibleItem; }
  void SetTopVisibleItem(int value);
  void SetTopVisibleItemDirect(int value) { fTopVisibleItem = value; }  // during layout searches
  bool IsDestroying() const { return fDestroying; }
  void MarkDestroying() { fDestroying = true; }
  bool IsActive() const;

  void Assign(const TzbSideGroup& source);

 private:
  TzbSideGroups* fCollection;
  std::unique_ptr<TzbSideBarItems> fItems;
  std::string fCaption = kSideBarNewGroup;
  TzbSideGroupIconType fIconType = zbsgLargeIcon;
  int fTopVisibleItem = 0;
  bool fVisible = true;
  bool fAssigning = false;
  bool fDestroying = false;
};

}  // namespace zyn
