#pragma once
// The command object of the menu and toolbar library. One item is one command that can appear any
// number of times (item links) on toolbars, in the main-menu bar and in drop-down menus; every
// change of its state reaches the on-screen controls of all its links. Items are created and owned
// by their bar manager (`TzbBarManager::CreateItem`), which keeps them in creation order.

#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

#include <QImage>

class QAction;

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TzbBarItemActionLink;

class TzbBarItem {
 public:
  static constexpr const char* kClassName = "TzbBarItem";
  explicit TzbBarItem(TzbBarManager& manager);
  virtual ~TzbBarItem();
  TzbBarItem(const TzbBarItem&) = delete;
  TzbBarItem& operator=(const TzbBarItem&) = delete;

  virtual const char* ClassName() const { return kClassName; }
  // Whether this item is of the named class or derives from it.
  virtual bool InheritsFrom(const char* className) const;
  // Whether two class names are the same (the step of each class's InheritsFrom).
  static bool IsClassName(const char* a, const char* b);

  TzbBarManager& BarManager() const { return *fManager; }

  std::string Name;
  // Renames the item and tells it (NameChanged); code that only stores a name may set Name.
  void SetName(const std::string& value);
  int Tag = 0;
  std::function<void(TzbBarItem&)> OnClick;
  std::function<void(TzbBarItem&)> OnDestroy;

  // Caption with "&" marking the accelerator; the short hint follows it (see SetCaption).
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return fHint; }
  void SetHint(const std::string& value) { fHint = value; }
  const std::string& Description() const { return fDescription; }
  void SetDescription(const std::string& value);
  int Category() const { return fCategory; }
  void SetCategory(int value);
  void SetCategoryDirect(int value) { fCategory = value; }  // the category list renumbers without notification
  int HelpContext = 0;

  bool GetEnabled() const;
  void SetEnabled(bool value);
  bool StoredEnabled() const { return fEnabled; }
  TzbBarItemVisible Visible() const { return fVisible; }
  void SetVisible(TzbBarItemVisible value);
  TzbBarItemVisible LoadedVisible() const { return fLoadedVisible; }
  bool ActualVisible() const;

  int ImageIndex() const { return fImageIndex; }
  virtual void SetImageIndex(int value);
  virtual int GetImageIndex() const { return fImageIndex; }
  const QImage& Glyph() const { return fGlyph; }
  void SetGlyph(const QImage& value);
  TShortCut ShortCut() const { return fShortCut; }
  void SetShortCut(TShortCut value);
  TzbBarItemAlign Align() const { return fAlign; }
  void SetAlign(TzbBarItemAlign value);
  bool UnclickAfterDoing = true;

  // Loading: setters only store (the manager's Loaded step applies the visibility).
  void BeginLoading() { fLoading = true; }
  void EndLoading() { fLoading = false; }
  bool IsLoading() const { return fLoading; }

  // Links.
  int LinkCount() const { return static_cast<int>(fLinks.size()); }
  TzbBarItemLink* GetLink(int index) const;
  TzbBarItemLink* CurItemLink() const;
  bool HasControls() const;
  int GetIndex() const;
  std::string GetPlainCaption() const;
  bool IsImageAssigned(int imageCount) const { return fImageIndex >= 0 && fImageIndex < imageCount; }

  // Click chain.
  virtual bool CanClicked() const { return true; }
  void Click();
  virtual void DirectClick();
  TzbBarItemLink* ClickItemLink = nullptr;  // set while a control click runs

  // The action the item follows (BarItemAction.h): its text, check state, enabled state, tool tip
  // and visibility become the item's, and a click without a handler of its own triggers it.
  QAction* Action() const;
  void SetAction(QAction* action);
  // Takes the action's values; with checkDefaults only where the item still has its default.
  virtual void ActionChange(QAction& action, bool checkDefaults);
  // Gives the item's values to the action; its triggering runs the item's OnClick.
  void AssignTo(QAction& destination) const;

  // Notifications (virtual operations of the item).
  virtual void BarManagerChanged() {}
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphUpdated();
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void UpdateControls();
  virtual void LayoutChanged();
  virtual void AlignChanged();
  virtual void NameChanged() {}
  virtual bool CanBeVisible() const { return true; }
  virtual bool HiddenInCustomizingList() const { return false; }
  virtual bool CanUseAccel(const TzbBarItemLink& link) const { return GetEnabled(); }
  virtual bool NeedsImagesNotify() const { return false; }
  virtual bool NeedsHotImagesNotify() const { return false; }
  virtual void ImagesChanged() {}
  virtual void HotImagesChanged() {}
  virtual void BarNotification(TzbBar& bar) {}  // a bar that refers to the item is going
  // Whether this item may be placed into the given link collection (the recursion guard).
  virtual bool CanBePlacedIn(const TzbBarItemLinks& links) const { return true; }
  // Whether this item's own links (recursively) contain the given collection's owner item.
  virtual bool ContainsItem(const TzbBarItem& item) const { return false; }
  // Items that want to know when a toolbar painted while one of their links had no place on it
  // (did not fit): ControlPainted then gets that link's control.
  virtual bool NeedsPaintNotify() const { return false; }
  virtual void ControlPainted(TzbBarItemControl* control) {}

  void ClearLinks();
  // Called by the manager just before the item is destroyed.
  void BeforeDestroy();

 protected:
  friend class TzbBarItemLink;
  friend class TzbBarItemLinks;
  virtual void DoClick();
  void TellControls(TzbControlChange change, bool skipCaptionOverride = false, bool skipGlyphOverride = false);
  void NotifyDesigner();

  TzbBarManager* fManager;
  std::vector<TzbBarItemLink*> fLinks;  // not owned: the link collections own the links
  std::string fCaption, fHint, fDescription;
  int fCategory = -1;
  bool fEnabled = true;
  TzbBarItemVisible fVisible = ivAlways;
  TzbBarItemVisible fLoadedVisible = ivAlways;
  int fImageIndex = -1;
  QImage fGlyph;
  TShortCut fShortCut = 0;
  TzbBarItemAlign fAlign = iaLeft;
  bool fLoading = false;
  bool fDestroying = false;
  std::unique_ptr<TzbBarItemActionLink> fActionLink;
};

// The on-screen control of one link while it is shown in a window. The windows derive their
// controls from it; this base keeps the state the painters read and forwards item changes to the
// window.
class TzbBarItemControl {
 public:
  TzbBarItemControl(TzbBarItemLink& link, TzbBarWindow& parent) : fLink(&link), fParent(&parent) {}
  virtual ~TzbBarItemControl() = default;

  TzbBarItemLink& Link() const { return *fLink; }
  TzbBarItem& Item() const;
  TzbBarWindow& Parent() const { return *fParent; }
  bool Enabled() const;
  virtual bool CanSelect() const { return Enabled(); }
  // Whether the control draws a disabled image of its own for the view (True when enabled).
  virtual bool HasDisabledImage(int view) const { return Enabled(); }
  bool NonRecent = false;
  bool Active = false;  // being edited or its sub-menu is open
  TRect SeparatorRect;  // the menu separator band stored for hit testing
  TRect ButtonRect;     // the combo or quick button rectangle stored for hit testing

  // An item change; the base repaints (and relayouts for visibility and layout changes).
  virtual void Changed(TzbControlChange change);
  int ChangeCount = 0;

  // --- on screen: sizes, painting and clicks (the kinds answer; BarItemControls.cpp) ---
  virtual int GetWidth() const { return 0; }
  virtual int GetHeight() const { return 0; }
  virtual int GetMinWidth() const { return 1; }
  virtual int GetMinHeight() const { return 1; }
  virtual void Paint(const TRect& r, int view) {}
  // Only when enabled: BeforeClick, then DoClick while the window still holds the control.
  void Click(bool byMouse);
  virtual void BeforeClick(bool byMouse) {}
  virtual void DoClick();
  virtual void ControlActivate(bool byMouse) { Active = true; }
  virtual void ControlInactivate(bool force) { Active = false; }
  virtual bool CanClickItem() const { return true; }
  virtual bool CanCloseMenus() const { return true; }
  virtual bool HasSubMenu() const { return false; }
  virtual bool IsIdle() const { return false; }
  virtual bool HasTextWindow() const { return false; }
  virtual bool WantsKey(int key) const { return false; }
  virtual bool KeyDown(int key) { return false; }  // true: the key was taken
  virtual bool WantsDoubleClick() const { return HasSubMenu(); }
  virtual void DblClick() {}
  bool IsSelected() const;
  bool IsDrawnSelected() const { return IsSelected() || Pressed; }
  bool Pressed = false;          // being clicked (drawn pressed)
  bool SelectedByMouse = false;  // the selection came from the mouse
  bool StartsLine = false;       // written by the wrapped toolbar layout
  bool LastInLine = false;       // written by the toolbar layout
  int LineThickness = 0;         // across size of the line the control is on
  // The link this control counts as used: the link a container expansion made it from, else its own.
  TzbBarItemLink& SourceLink() const;

 private:
  TzbBarItemLink* fLink;
  TzbBarWindow* fParent;
};

}  // namespace zyn
