#pragma once
// A container item whose content is a list of strings: when a menu that contains it is built,
// each string becomes a numbered button ("&1 ", "&2 " ...), "-" strings become group separators,
// and clicking an entry sets `ItemIndex` and fires the item's OnClick.

#include "widgets/bars/BarButtons.h"

#include <string>
#include <vector>

namespace zyn {

class TzbBarListItem : public TCustomzbBarContainerItem {
 public:
  static constexpr const char* kClassName = "TzbBarListItem";
  explicit TzbBarListItem(TzbBarManager& manager) : TCustomzbBarContainerItem(manager) {}
  ~TzbBarListItem() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  // The entries; call ItemsChanged after changing them directly.
  std::vector<std::string> Items;
  void SetItems(const std::vector<std::string>& items);
  void ItemsChanged();
  int ItemIndex = -1;
  bool ShowCheck = false;
  bool ShowNumbers = true;
  int GetDataIndex() const;
  void SetDataIndex(int n);

  virtual std::string GetDisplayText(const std::string& entry) const { return entry; }
  void AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink, bool fireEvent) override;
  void DeleteListedItemLinks(TzbBarItemLinks& target, int index) override;
  void ClearItemsData() override;
  bool CanBeVisible() const override { return static_cast<bool>(OnGetData) || !Items.empty(); }
  void DirectClick() override;

  int EntryButtonCount() const { return static_cast<int>(fEntryButtons.size()); }
  TzbBarButton* EntryButton(int n) const { return fEntryButtons.at(n); }
  // The caption prefix of the n-th real entry: "&1 " .. "&9 ", then "&A ", "&B " ...
  static std::string NumberPrefix(int n);

 private:
  void EntryClick(TzbBarItem& button);
  std::vector<TzbBarButton*> fEntryButtons;  // owned by the manager's registry; freed by this item
};

}  // namespace zyn
