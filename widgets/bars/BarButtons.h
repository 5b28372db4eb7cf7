#pragma once
// The item kinds that carry commands and menus: buttons (optionally check buttons in a group or
// buttons with a drop-down part), sub-items that open a menu of item links, and container items
// whose links are inserted in place into the menu that shows them.

#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemLinks.h"

#include <functional>
#include <memory>

namespace zyn {

class TzbBarButton : public TzbBarItem {
 public:
  static constexpr const char* kClassName = "TzbBarButton";
  explicit TzbBarButton(TzbBarManager& manager) : TzbBarItem(manager) {}
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  bool AllowAllUp() const { return fAllowAllUp; }
  void SetAllowAllUp(bool value);
  TzbBarButtonStyle ButtonStyle() const { return fButtonStyle; }
  void SetButtonStyle(TzbBarButtonStyle value);
  bool Down() const { return fDown; }
  void SetDown(bool value);
  int GroupIndex() const { return fGroupIndex; }
  void SetGroupIndex(int value);
  bool DropDownEnabled() const { return fDropDownEnabled; }
  void SetDropDownEnabled(bool value);
  bool Lowered() const { return fLowered; }
  void SetLowered(bool value);
  TzbBarPaintStyle PaintStyle() const { return fPaintStyle; }
  void SetPaintStyle(TzbBarPaintStyle value);
  bool CloseSubMenuOnClick = true;
  // The drop-down menu of a bsDropDown button: the links of a popup menu (owned elsewhere).
  TzbBarItemLinks* DropDownMenu = nullptr;

  void DirectClick() override;
  bool CanUseAccel(const TzbBarItemLink& link) const override;
  bool CanBePlacedIn(const TzbBarItemLinks& links) const override;
  bool ContainsItem(const TzbBarItem& item) const override;

  void SetAllowAllUpDirect(bool value) { fAllowAllUp = value; }

 private:
  bool fAllowAllUp = false;
  TzbBarButtonStyle fButtonStyle = bsDefault;
  bool fDown = false;
  int fGroupIndex = 0;
  bool fDropDownEnabled = true;
  bool fLowered = false;
  TzbBarPaintStyle fPaintStyle = psStandard;
};

class TCustomzbBarSubItem : public TzbBarItem {
 public:
  static constexpr const char* kClassName = "TCustomzbBarSubItem";
  explicit TCustomzbBarSubItem(TzbBarManager& manager);
  ~TCustomzbBarSubItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TzbBarItemLinks& ItemLinks() const { return *fLinks; }
  void SetItemLinks(const TzbBarItemLinks& value) { fLinks->Assign(value); }
  int BarSize() const { return fBarSize; }
  void SetBarSize(int value) { fBarSize = value < 0 ? 0 : value; }
  bool Detachable = false;
  int DetachingBar() const;
  void SetDetachingBar(int index);
  bool ShowCaption() const { return fShowCaption; }
  void SetShowCaption(bool value);
  std::function<void(TzbBarItem&)> OnPopup, OnCloseUp, OnDetaching;

  bool CanClicked() const override { return false; }
  void BarManagerChanged() override;
  void BarNotification(TzbBar& bar) override;
  bool CanBePlacedIn(const TzbBarItemLinks& links) const override;
  bool ContainsItem(const TzbBarItem& item) const override;
  virtual bool CanCustomizeLinks() const { return true; }

 private:
  std::unique_ptr<TzbBarItemLinks> fLinks;
  int fBarSize = 0;
  TzbBar* fDetachingBar = nullptr;
  bool fShowCaption = true;
};

class TzbBarSubItem : public TCustomzbBarSubItem {
 public:
  static constexpr const char* kClassName = "TzbBarSubItem";
  explicit TzbBarSubItem(TzbBarManager& manager) : TCustomzbBarSubItem(manager) {}
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  bool AllowCustomizing = true;
  bool KeepLinksFixed = false;
  bool CanCustomizeLinks() const override { return !KeepLinksFixed; }
};

class TCustomzbBarContainerItem : public TCustomzbBarSubItem {
 public:
  static constexpr const char* kClassName = "TCustomzbBarContainerItem";
  explicit TCustomzbBarContainerItem(TzbBarManager& manager) : TCustomzbBarSubItem(manager) {}
  ~TCustomzbBarContainerItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  std::function<void(TzbBarItem&)> OnGetData;
  bool GettingData() const { return fGettingData; }
  bool NeedsClear = false;  // set by the menu window when it closes

  // Inserts this item's entries into target at index (fireEvent: run OnGetData first).
  virtual void AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink, bool fireEvent);
  virtual void DeleteListedItemLinks(TzbBarItemLinks& target, int index) {}
  virtual void ClearItemsData() { NeedsClear = false; }
  virtual bool HasFixedBeginGroup() const { return true; }
  bool CanBeVisible() const override { return static_cast<bool>(OnGetData); }
  void OwnLinksChanged();

 protected:
  bool fGettingData = false;
};

class TzbBarContainerItem : public TCustomzbBarContainerItem {
 public:
  static constexpr const char* kClassName = "TzbBarContainerItem";
  explicit TzbBarContainerItem(TzbBarManager& manager) : TCustomzbBarContainerItem(manager) {}
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  void AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink, bool fireEvent) override;
  void DeleteListedItemLinks(TzbBarItemLinks& target, int index) override;
  bool CanBeVisible() const override;
  bool HasVisibleLinks() const;
};

// Helpers the link collection uses without knowing the kinds.
TzbBarPaintStyle ItemPaintStyle(const TzbBarItem& item);
int ItemWidth(const TzbBarItem& item);
TzbBarItemLinks* SubItemLinksOf(TzbBarItem& item);
void ContainerLinksChanged(TzbBarItem& item);
// Whether a bar reset is running (container items skip their visibility refresh then).
extern bool GzbBarResetting;

}  // namespace zyn
