#include "widgets/bars/BarListItem.h"

#include "widgets/bars/BarManager.h"

#include <algorithm>
#include <cstring>

namespace zyn {

TzbBarListItem::~TzbBarListItem() {
  for (TzbBarButton* b : fEntryButtons) {
    b->OnClick = nullptr;
    b->OnDestroy = nullptr;
  }
}

bool TzbBarListItem::InheritsFrom(const char* c) const {
  return std::strcmp(c, kClassName) == 0 || TCustomzbBarContainerItem::InheritsFrom(c);
}

void TzbBarListItem::SetItems(const std::vector<std::string>& items) {
  Items = items;
  ItemsChanged();
}

void TzbBarListItem::ItemsChanged() {
  if (!fGettingData) VisibleChanged();
}

int TzbBarListItem::GetDataIndex() const {
  if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Items.size())) return -1;
  int n = 0;
  for (int i = 0; i <= ItemIndex; ++i)
    if (Items[i] != "-") ++n;
  return n - 1;
}

void TzbBarListItem::SetDataIndex(int n) {
  ItemIndex = -1;
  if (n < 0) return;
  for (int i = 0; i < static_cast<int>(Items.size()); ++i) {
    if (Items[i] == "-") continue;
    if (n-- == 0) {
      ItemIndex = i;
      return;
    }
  }
}

std::string TzbBarListItem::NumberPrefix(int n) {
  const char c = n < 9 ? static_cast<char>('1' + n) : static_cast<char>('A' + (n - 9));
  return std::string("&") + c + " ";
}

void TzbBarListItem::AddListedItemLinks(TzbBarItemLinks& target, int index, TzbBarItemLink* sourceLink,
                                        bool fireEvent) {
  TCustomzbBarContainerItem::AddListedItemLinks(target, index, sourceLink, fireEvent);
  const bool creating = fEntryButtons.empty();
  bool beginGroup = false;
  int n = 0;
  for (int i = 0; i < static_cast<int>(Items.size()); ++i) {
    const std::string& entry = Items[i];
    if (entry == "-") {
      beginGroup = true;
      continue;
    }
    if (creating) {
      TzbBarButton* b = fManager->CreateItem<TzbBarButton>();
      fEntryButtons.push_back(b);
      if (ShowCheck && i == ItemIndex) {
        b->SetButtonStyle(bsChecked);
        b->SetDown(true);
      }
      b->BeginLoading();  // the caption is written without the hint coupling
      b->SetCaption(ShowNumbers ? NumberPrefix(n) + GetDisplayText(entry) : GetDisplayText(entry));
      b->EndLoading();
      b->Tag = i;
      b->OnClick = [this](TzbBarItem& button) { EntryClick(button); };
      b->OnDestroy = [this](TzbBarItem& button) {
        fEntryButtons.erase(std::remove(fEntryButtons.begin(), fEntryButtons.end(), &button), fEntryButtons.end());
      };
      b->SetEnabled(GetEnabled());
    }
    if (n >= static_cast<int>(fEntryButtons.size())) break;
    TzbBarItemLink* link = target.Insert(index + n);
    link->SourceLink = sourceLink;
    link->SetItem(fEntryButtons[n]);
    if (n == 0 || beginGroup) link->SetStoredBeginGroup(true);
    beginGroup = false;
    ++n;
  }
}

void TzbBarListItem::DeleteListedItemLinks(TzbBarItemLinks& target, int index) {
  for (const std::string& entry : Items) {
    if (entry == "-") continue;
    if (TzbBarItemLink* l = target.Items(index)) target.Delete(l);
  }
}

void TzbBarListItem::ClearItemsData() {
  if (!fEntryButtons.empty() && fEntryButtons.front()->LinkCount() == 0) {
    const std::vector<TzbBarButton*> buttons = fEntryButtons;
    fEntryButtons.clear();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
      (*it)->OnDestroy = nullptr;
      fManager->FreeItem(*it);
    }
  }
  TCustomzbBarContainerItem::ClearItemsData();
}

void TzbBarListItem::EntryClick(TzbBarItem& button) {
  ItemIndex = button.Tag;
  DirectClick();
}

void TzbBarListItem::DirectClick() {
  if (CurItemLink() == nullptr) TzbBarItem::DirectClick();
}

}  // namespace zyn
