#pragma once
// Item links: one appearance of a bar item in a bar, a drop-down menu or a popup menu, and the
// ordered collection of the links of one owner with its derived lists (available, visible, shown)
// and its recent-use list for personalized menus.

#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

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

  TzbBarItemLinks& Collection() const { return *fOwner; }
  TzbBarItem* Item() const { return fItem; }
  // Nil frees the link (the caller must not use it afterwards). Throws when a sub-item would
  // contain itself.
  void SetItem(TzbBarItem* value);
  void ClearItemOnly() { fItem = nullptr; }  // the item is going; the collection frees the link

  bool StoredBeginGroup() const { return fBeginGroup; }
  void SetStoredBeginGroup(bool v) { fBeginGroup = v; }
  bool GetBeginGroup() const;
  void SetBeginGroup(bool value);
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  bool MostRecentlyUsed() const { return fMostRecentlyUsed; }
  void SetMostRecentlyUsed(bool value);

  // User overrides.
  const std::string& UserCaption() const { return fUserCaption; }
  void SetUserCaption(const std::string& value);
  const QImage& UserGlyph() const { return fUserGlyph; }
  void SetUserGlyph(const QImage& value);
  TzbBarPaintStyle UserPaintStyle() const { return fUserPaintStyle; }
  void SetUserPaintStyle(TzbBarPaintStyle value);
  int UserWidth() const { return fUserWidth; }
  void SetUserWidth(int value);
  TzbBarUserDefines UserDefine() const { return fUserDefine; }
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
  TzbBarItemControl* Control() const { return fControl.get(); }
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
  TzbBarItemLinks* fOwner;
  TzbBarItem* fItem = nullptr;
  bool fBeginGroup = false;
  bool fVisible = true;
  bool fMostRecentlyUsed = true;
  std::string fUserCaption;
  QImage fUserGlyph;
  TzbBarPaintStyle fUserPaintStyle = psStandard;
  int fUserWidth = 0;
  TzbBarUserDefines fUserDefine = 0;
  std::unique_ptr<TzbBarItemControl> fControl;
};

class TzbBarItemLinks {
 public:
  enum TOwnerKind { okBar, okSubItem, okPopupMenu, okLibraryPopup };
  TzbBarItemLinks(TzbBarManager& manager, TOwnerKind kind, TzbBar* bar, TzbBarItem* item);
  ~TzbBarItemLinks();
  TzbBarItemLinks(const TzbBarItemLinks&) = delete;
  TzbBarItemLinks& operator=(const TzbBarItemLinks&) = delete;

  TzbBarManager& Manager() const { return *fManager; }
  void SetManager(TzbBarManager& manager) { fManager = &manager; }
  TOwnerKind OwnerKind() const { return fKind; }
  TzbBar* OwnerBar() const { return fBar; }
  TzbBarItem* OwnerItem() const { return fItem; }

  TzbBarItemLink* Add();
  TzbBarItemLink* Insert(int index);
  // Frees one link (its control, its place in the item's list and in the recent list).
  void Delete(TzbBarItemLink* link);
  void Clear();
  int Count() const { return static_cast<int>(fLinks.size()); }
  TzbBarItemLink* Items(int index) const;
  int IndexOf(const TzbBarItemLink* link) const;
  void Move(int curIndex, int newIndex);
  void Assign(const TzbBarItemLinks& source);

  const std::vector<TzbBarItemLink*>& AvailableLinks() const { return fAvailable; }
  const std::vector<TzbBarItemLink*>& VisibleLinks() const { return fVisible; }
  const std::vector<TzbBarItemLink*>& ShownLinks() const { return fShown; }
  const std::vector<TzbBarItemLink*>& RecentList() const { return fRecent; }
  void RefreshLists();

  bool UseRecentItems = true;
  bool RecentItemsActive() const;
  int CalcRecentCount() const;
  void SetRecentLimit(int count);
  void RestoreRecentLimit();
  int RecentLimit() const { return fRecentLimit; }
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
  TzbBarWindow* BarControl() const { return fWindow ? fWindow.get() : fExternalWindow; }
  void CreateBarControl();
  void DestroyBarControl();
  // A window owned elsewhere (a menu window opened for a sub-item) shows these links.
  void SetExternalBarControl(TzbBarWindow* window);
  TzbBarWindow* ExternalBarControl() const { return fExternalWindow; }

  std::function<void()> OnChange;
  bool Assigning() const { return fAssigning; }
  void Update();  // after every structural change

 private:
  friend class TzbBarItemLink;
  TzbBarManager* fManager;
  TOwnerKind fKind;
  TzbBar* fBar;
  TzbBarItem* fItem;
  std::vector<std::unique_ptr<TzbBarItemLink>> fLinks;
  std::vector<TzbBarItemLink*> fAvailable, fVisible, fShown, fRecent;
  int fRecentLimit = -1;
  int fSavedRecentLimit = -1;
  bool fAssigning = false;
  bool fClearing = false;
  std::unique_ptr<TzbBarWindow> fWindow;
  TzbBarWindow* fExternalWindow = nullptr;
};

}  // namespace zyn
