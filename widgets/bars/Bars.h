#pragma once
// A bar is one toolbar or the main-menu bar of a form: caption, place (docked with a row and a
// position, or floating), look options and the ordered links it shows. The bars of a manager form
// its `Bars` collection.

#include "widgets/bars/BarItemLinks.h"
#include "platform/Colors.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TzbBar {
 public:
  explicit TzbBar(TzbBars& owner);
  ~TzbBar();
  TzbBar(const TzbBar&) = delete;
  TzbBar& operator=(const TzbBar&) = delete;

  TzbBars& Collection() const { return *owner_; }
  TzbBarManager& Manager() const;
  int Index() const;

  bool AllowClose = true;
  bool AllowCustomizing = true;
  bool AllowQuickCustomizing = true;
  bool AllowReset = true;
  TzbBarBorderStyle BorderStyle = bbsSingle;
  TColor Color = clDefault;
  bool Hidden = false;
  TzbBarDockingStyles NotDocking = 0;
  bool OneOnRow = false;
  bool RotateWhenVertical = true;
  bool ShowMark = true;
  bool SizeGrip = true;
  bool UseRestSpace = false;
  int FloatLeft = 0, FloatTop = 0, FloatClientWidth = 0, FloatClientHeight = 0;
  int AlphaBlendValue = 255;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);  // a caption used by another bar is refused
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  bool IsMainMenu() const { return isMainMenu_; }
  void SetIsMainMenu(bool value);
  bool MultiLine() const { return multiLine_ || isMainMenu_; }
  void SetMultiLine(bool value) { multiLine_ = value; }
  bool WholeRow() const { return wholeRow_ || isMainMenu_; }
  void SetWholeRow(bool value) { wholeRow_ = value; }
  int Row() const { return row_; }
  void SetRow(int value) { row_ = value < 0 ? 0 : value; }
  int DockedLeft() const { return dockedLeft_; }
  void SetDockedLeft(int value) { dockedLeft_ = value < 0 ? 0 : value; }
  int DockedTop() const { return dockedTop_; }
  void SetDockedTop(int value) { dockedTop_ = value < 0 ? 0 : value; }
  TzbBarDockingStyle DockingStyle() const { return dockingStyle_; }
  void SetDockingStyle(TzbBarDockingStyle value);
  // The bar window moved itself to another dock or to floating (a bar drag): the style is taken
  // without hiding and showing the bar again.
  void TakeDockingStyleFromWindow(TzbBarDockingStyle value) {
    dockingStyle_ = value;
    if (value != dsNone) dockedDockingStyle_ = value, everDocked_ = true;
  }
  TzbBarDockingStyle DockedDockingStyle() const { return dockedDockingStyle_; }
  void SetDockedDockingStyle(TzbBarDockingStyle value) {
    dockedDockingStyle_ = value;
    everDocked_ = true;
  }
  // Whether the bar was ever docked (or given a place to dock to); a bar that floated from the
  // start docks alone on a new last row of the top dock.
  bool EverDocked() const { return everDocked_; }
  bool UseRecentItems() const { return links_->UseRecentItems; }
  void SetUseRecentItems(bool value) { links_->UseRecentItems = value; }

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool LoadedVisible() const { return loadedVisible_; }
  bool AutoHidden() const { return autoHidden_; }
  void SetAutoHidden(bool value) { autoHidden_ = value; }
  bool BarLock() const { return barLock_; }
  void SetBarLock(bool value);

  TzbBarItemLinks& ItemLinks() const { return *links_; }
  TzbBarWindow* GetBarControl() const { return links_->BarControl(); }
  bool CanBeListed() const { return AllowClose && !isMainMenu_; }
  bool CanHaveSizeGrip() const { return BorderStyle == bbsNone && dockingStyle_ == dsBottom && WholeRow(); }
  // Whether the bar shows any visible link now.
  bool HasVisibleLinks() const { return !links_->VisibleLinks().empty(); }

  // Sub-items that show this bar as their detached content; told when the bar goes.
  void AddDetachingSubItem(TzbBarItem* item);
  void RemoveDetachingSubItem(TzbBarItem* item);

  void Assign(const TzbBar& source);
  // Back to the state the form defined (BarLayout.cpp): with the manager's UseFullReset the
  // place and visibility too, else the links only; nested sub-menus follow.
  void Reset();
  void ResetWithConfirmation();
  void ApplyLoaded();  // the manager's Loaded step

 private:
  TzbBars* owner_;
  std::string caption_, name_;
  bool isMainMenu_ = false;
  bool multiLine_ = false;
  bool wholeRow_ = false;
  int row_ = 0, dockedLeft_ = 0, dockedTop_ = 0;
  TzbBarDockingStyle dockingStyle_ = dsNone;
  TzbBarDockingStyle dockedDockingStyle_ = dsTop;
  TzbBarDockingStyle loadedDockingStyle_ = dsNone;
  bool dockingStyleLoaded_ = false;
  bool everDocked_ = false;
  bool visible_ = false;
  bool loadedVisible_ = false;
  bool autoHidden_ = false;
  bool barLock_ = false;
  std::unique_ptr<TzbBarItemLinks> links_;
  std::vector<TzbBarItem*> detachingSubItems_;
};

class TzbBars {
 public:
  explicit TzbBars(TzbBarManager& manager) : manager_(&manager) {}
  ~TzbBars();
  TzbBarManager& Manager() const { return *manager_; }

  TzbBar* Add();
  void Delete(TzbBar* bar);
  int Count() const { return static_cast<int>(bars_.size()); }
  TzbBar* Items(int index) const;
  int IndexOf(const TzbBar* bar) const;
  bool Loading = false;
  static constexpr int DockZoneSize = 23;

 private:
  TzbBarManager* manager_;
  std::vector<std::unique_ptr<TzbBar>> bars_;
};

}  // namespace zyn
