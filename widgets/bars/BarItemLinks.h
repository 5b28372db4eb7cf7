#pragma once
// Item links: one appearance of a bar item in a bar, a drop-down menu or a popup menu, and the
// ordered collection of the links of one owner with its derived lists (available, visible, shown)
// and its recent-use list for personalized menus.

#include "widgets/bars/BarTypes.h"
#include "platform/Types.h"

#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TzbBarItemLink {
 public:
  explicit TzbBarItemLink(TzbBarItemLinks& owner);
  ~TzbBarItemLink();
  TzbBarItemLink(const TzbBarItemLink&) = delete;
  TzbBarItemLink& operator=(const TzbBarItemLink&) = delete;

  TzbBarItemLinks& Collection() const { return *owner_; }
  TzbBarItem* Item() const { return item_; }
  // Nil frees the link (the caller must not use it afterwards). Throws when a sub-item would
  // contain itself.
  void SetItem(TzbBarItem* value);
  void ClearItemOnly() { item_ = nullptr; }  // the item is going; the collection frees the link

  bool StoredBeginGroup() const { return beginGroup_; }
  void SetStoredBeginGroup(bool v) { beginGroup_ = v; }
  bool GetBeginGroup() const;
  void SetBeginGroup(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
  void SetMostRecentlyUsed(bool value);

  // User overrides.
  const std::string& UserCaption() const { return userCaption_; }
  void SetUserCaption(const std::string& value);
  const QImage& UserGlyph() const { return userGlyph_; }
  void SetUserGlyph(const QImage& value);
  TzbBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
  void SetUserPaintStyle(TzbBarPaintStyle value);
  int UserWidth() const { return userWidth_; }
  void SetUserWidth(int value);
  TzbBarUserDefines UserDefine() const { return userDefine_; }
  void SetUserDefine(TzbBarUserDefines value);

  std::string RealCaption() const;
  QImage RealGlyph() const;
  TzbBarPaintStyle RealPaintStyle() const;
  int RealWidth() const;

  // Recent use.
  int UseCount = 0;
  void UseLink(bool count);
  void ResetUsage();
  void MoveToRecentEnd();
  int RecentIndex() const;
  int LoadedRecentIndex = -1;
  int LoadedUseCount = 0;
  bool LoadedVisible = true;

  int AvailableIndex() const;
  int VisibleIndex() const;
  int ShownIndex() const;

  // The accelerator character of the real caption matches the key.
  bool IsAccelerator(int key, unsigned shift) const;
  bool ContainsItem(const TzbBarItem& item) const;

  // The on-screen control, while the link is shown in an existing window.
  TzbBarItemControl* Control() const { return control_.get(); }
  void CreateControl();
  void DestroyControl();
  TRect ItemRect;
  std::intptr_t Data = 0;
  TzbBarItemLink* SourceLink = nullptr;

  void Changed();
  void Assign(const TzbBarItemLink& source);
  void ApplyLoadedVisible();

 private:
  friend class TzbBarItemLinks;
  TzbBarItemLinks* owner_;
  TzbBarItem* item_ = nullptr;
  bool beginGroup_ = false;
  bool visible_ = true;
  bool mostRecentlyUsed_ = true;
  std::string userCaption_;
  QImage userGlyph_;
  TzbBarPaintStyle userPaintStyle_ = psStandard;
  int userWidth_ = 0;
  TzbBarUserDefines userDefine_ = 0;
  std::unique_ptr<TzbBarItemControl> control_;
};

class TzbBarItemLinks {
 public:
  enum TOwnerKind { okBar, okSubItem, okPopupMenu, okLibraryPopup };
  TzbBarItemLinks(TzbBarManager& manager, TOwnerKind kind, TzbBar* bar, TzbBarItem* item);
  ~TzbBarItemLinks();
  TzbBarItemLinks(const TzbBarItemLinks&) = delete;
  TzbBarItemLinks& operator=(const TzbBarItemLinks&) = delete;

  TzbBarManager& Manager() const { return *manager_; }
  void SetManager(TzbBarManager& manager) { manager_ = &manager; }
  TOwnerKind OwnerKind() const { return kind_; }
  TzbBar* OwnerBar() const { return bar_; }
  TzbBarItem* OwnerItem() const { return item_; }

  TzbBarItemLink* Add();
  TzbBarItemLink* Insert(int index);
  // Frees one link (its control, its place in the item's list and in the recent list).
  void Delete(TzbBarItemLink* link);
  void Clear();
  int Count() const { return static_cast<int>(links_.size()); }
  TzbBarItemLink* Items(int index) const;
  int IndexOf(const TzbBarItemLink* link) const;
  void Move(int curIndex, int newIndex);
  void Assign(const TzbBarItemLinks& source);

  const std::vector<TzbBarItemLink*>& AvailableLinks() const { return available_; }
  const std::vector<TzbBarItemLink*>& VisibleLinks() const { return visible_; }
  const std::vector<TzbBarItemLink*>& ShownLinks() const { return shown_; }
  const std::vector<TzbBarItemLink*>& RecentList() const { return recent_; }
  void RefreshLists();

  bool UseRecentItems = true;
  bool RecentItemsActive() const;
  int CalcRecentCount() const;
  void SetRecentLimit(int count);
  void RestoreRecentLimit();
  int RecentLimit() const { return recentLimit_; }
  void ApplyLoadedState(bool applyVisible);
  void AssignUsage(const TzbBarItemLinks& source);
  void CompactRecentList();
  void MoveInRecentList(TzbBarItemLink* link, int index);

  // Keyboard.
  bool IsShortCut(TShortCut shortCut);
  TzbBarItemLink* FindAccelerator(int key, unsigned shift, TzbBarItemLink* startLink) const;
  int GetFitCount() const;
  TzbBarItemLink* FirstSelectable() const;
  TzbBarItemLink* LastSelectable() const;
  TzbBarItemLink* NextSelectable(TzbBarItemLink* link) const;
  TzbBarItemLink* PrevSelectable(TzbBarItemLink* link) const;
  bool ContainsItem(const TzbBarItem& item) const;
  void ClearItemRects();

  // The window showing the links (nil when none). CreateBarControl asks the manager's window
  // factory; without one (no windows yet) the links stay without window.
  TzbBarWindow* BarControl() const { return window_ ? window_.get() : externalWindow_; }
  void CreateBarControl();
  void DestroyBarControl();
  // A window owned elsewhere (a menu window opened for a sub-item) shows these links.
  void SetExternalBarControl(TzbBarWindow* window);

  std::function<void()> OnChange;
  bool Assigning() const { return assigning_; }
  void Update();  // after every structural change

 private:
  friend class TzbBarItemLink;
  TzbBarManager* manager_;
  TOwnerKind kind_;
  TzbBar* bar_;
  TzbBarItem* item_;
  std::vector<std::unique_ptr<TzbBarItemLink>> links_;
  std::vector<TzbBarItemLink*> available_, visible_, shown_, recent_;
  int recentLimit_ = -1;
  int savedRecentLimit_ = -1;
  bool assigning_ = false;
  bool clearing_ = false;
  std::unique_ptr<TzbBarWindow> window_;
  TzbBarWindow* externalWindow_ = nullptr;
};

}  // namespace zyn
