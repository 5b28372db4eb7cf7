#pragma once
// A template that side-bar items can follow: caption, hint, pictures, enabled state, a category
// of its store and a click handler of its own. It always belongs to a store.

#include "widgets/bars/SideBarTypes.h"

#include <QPointer>

#include <functional>
#include <string>

class QMenu;

namespace zyn {

class TzbStoredSideItem {
 public:
  explicit TzbStoredSideItem(TzbSideBarStore& store);
  ~TzbStoredSideItem();
  TzbStoredSideItem(const TzbStoredSideItem&) = delete;
  TzbStoredSideItem& operator=(const TzbStoredSideItem&) = delete;

  TzbSideBarStore& Store() const { return *fStore; }
  void JoinStore(TzbSideBarStore& store) { fStore = &store; }  // by TzbSideBarStore::MoveItemTo
  std::string Name;  // matched without regard to case when a side bar's layout is read back

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  const std::string& Hint() const { return fHint; }
  void SetHint(const std::string& value);
  int LargeImage() const { return fLargeImage; }
  void SetLargeImage(int value);
  int SmallImage() const { return fSmallImage; }
  void SetSmallImage(int value);
  int Category() const { return fCategory; }
  // Accepts 0 <= value < number of store categories (any value while the store loads).
  void SetCategory(int value);
  void SetCategoryDirect(int value) { fCategory = value; }  // renumbering by the category list
  int Tag = 0;
  QPointer<QMenu> PopupMenu;
  bool AvailableInCustomizeForm = true;

  std::function<void(TzbSideBar&, TzbSideBarItem&)> OnClick;
  // Runs the click for a side-bar item; true when an OnClick handler took it.
  bool Click(TzbSideBar& sideBar, TzbSideBarItem& item);

 private:
  void Changed();
  TzbSideBarStore* fStore;
  std::string fCaption = kSideBarNewItem;
  std::string fHint;
  bool fEnabled = true;
  int fLargeImage = -1;
  int fSmallImage = -1;
  int fCategory = 0;
};

}  // namespace zyn
