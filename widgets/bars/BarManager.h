#pragma once
// The bar manager of a form: the item registry (every item of the form in creation order), the
// categories, the bars, the groups, the painter choice, the brushes and metrics the bar windows
// and painters read, and the redraw lock. There is at most one manager per form.

#include "platform/Colors.h"
#include "widgets/bars/BarCategories.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/Bars.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace zyn {

class TzxLookAndFeel;
class TzbThemeChangedNotificator;
class TzbBarLayoutStore;
class TzbBarPopupMenuLinks;
class TzbDockControl;
class TzbBarDockControl;
struct TzbBarHelpRequest;

// The background bitmaps of bars and of drop-down menus. A change of `Bar` makes the manager run
// StyleChanged so that every bar window and dock repaints; `SubMenu` is only stored.
class TzbBarBackgrounds {
 public:
  explicit TzbBarBackgrounds(TzbBarManager& manager) : fManager(&manager) {}
  const QImage& Bar() const { return fBar; }
  void SetBar(const QImage& value);
  const QImage& SubMenu() const { return fSubMenu; }
  void SetSubMenu(const QImage& value) { fSubMenu = value; }
  void Assign(const TzbBarBackgrounds& source) {
    SetBar(source.fBar);
    SetSubMenu(source.fSubMenu);
  }

 private:
  TzbBarManager* fManager;
  QImage fBar, fSubMenu;
};

class TzbBarManager {
 public:
  // Throws when form is not a window or already has a manager. A nil form takes the
  // application's main form (SetApplicationMainForm).
  explicit TzbBarManager(QWidget* form);
  ~TzbBarManager();
  TzbBarManager(const TzbBarManager&) = delete;
  TzbBarManager& operator=(const TzbBarManager&) = delete;

  static void SetApplicationMainForm(QWidget* form);
  QWidget* Form() const { return fForm; }

  // --- item registry ---
  template <class T, class... Args>
  T* CreateItem(Args&&... args) {
    auto item = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = item.get();
    fItems.push_back(std::move(item));
    return raw;
  }
  void FreeItem(TzbBarItem* item);
  int GetItemCount() const { return static_cast<int>(fItems.size()); }
  TzbBarItem* GetItem(int index) const;
  TzbBarItem* GetItemByName(const std::string& name) const;
  int IndexOfItem(const TzbBarItem* item) const;
  void GetItemsByCategory(int category, std::vector<TzbBarItem*>& list) const;
  void GetCustomizingItemsByCategory(int category, std::vector<TzbBarItem*>& list) const;
  void MoveItem(int curIndex, int newIndex);
  void ExchangeItems(int index1, int index2);

  // --- categories ---
  TzbBarManagerCategories& Categories() { return fCategories; }
  TzbBarItemVisible GetCategoryItemsVisible(int index) const;
  void SetCategoryItemsVisible(int index, TzbBarItemVisible value);
  bool GetCategoryVisible(int index) const;
  void SetCategoryVisible(int index, bool value);
  int GetCategoryRealIndex(int visibleIndex) const;

  // --- bars ---
  TzbBars& Bars() { return *fBars; }
  TzbBarBackgrounds& Backgrounds() { return *fBackgrounds; }
  // Popup menus bound to controls of the form (right click, context-menu key, Shift+F10).
  TzbBarPopupMenuLinks& PopupMenuLinks() { return *fPopupMenuLinks; }
  int StyleChangeCount = 0;  // how often the look was rebuilt
  TzbBar* MainMenuBar() const { return fMainMenuBar; }
  void SetMainMenuBar(TzbBar* bar) { fMainMenuBar = bar; }
  TzbBar* BarByCaption(const std::string& caption) const;
  TzbBar* BarByName(const std::string& name) const;
  bool CanDocking(const TzbBar& bar, TzbBarDockingStyle style) const;

  // --- groups ---
  TzbBarGroup* CreateGroup();
  void FreeGroup(TzbBarGroup* group);
  int GetGroupCount() const { return static_cast<int>(fGroups.size()); }
  TzbBarGroup* GetGroup(int index) const;

  // --- state ---
  bool IsLoading() const { return fLoading; }
  void BeginLoading();
  // Applies what was stored while loading; a form that builds its bars by code calls it once
  // when they are built, so that their links get their recent-use order.
  void Loaded();
  bool IsDestroying() const { return fDestroying; }
  bool Designing = false;
  bool Customizing() const { return fCustomizing; }
  void SetCustomizing(bool value);
  bool IsCustomizing() const { return fCustomizing || Designing; }
  bool CanUseRecentItems() const { return GetRealStyle() != bmsStandard; }
  bool RecentItemsFirst() const { return CanUseRecentItems() && MenusShowRecentItemsFirst; }
  int StartUseCount() const { return fStartUseCount; }

  // --- look ---
  TzbBarManagerStyle Style() const { return fStyle; }
  void SetStyle(TzbBarManagerStyle value);
  TzbBarManagerStyle GetRealStyle() const;
  const TzbBarItemControlPainter& GetPainterClass() const;
  const TzbBarItemControlPainter& PainterClass() const { return *fPainter; }
  bool ThemesUsable() const { return fThemesUsable; }
  void StyleChanged();
  TzxLookAndFeel& LookAndFeel() { return *fLookAndFeel; }
  int GripIndent() const { return fGripIndent; }
  int GripAreaSize() const { return fGripAreaSize; }
  int MenuSeparatorIndent() const { return fMenuSeparatorIndent; }
  int ImageSize() const { return fImageSize; }
  int ButtonWidth() const { return fButtonWidth; }
  int ButtonHeight() const { return fButtonHeight; }
  int DropArrowWidth() const { return fDropArrowWidth; }
  void CalcImageSizes();

  int ButtonArrowWidth() const { return fButtonArrowWidth; }
  void SetButtonArrowWidth(int value);
  int LargeButtonArrowWidth() const { return fLargeButtonArrowWidth; }
  void SetLargeButtonArrowWidth(int value);
  int WaitForDockingTime() const { return fWaitForDockingTime; }
  void SetWaitForDockingTime(int value) {
    if (value >= 0) fWaitForDockingTime = value;
  }
  int MostRecentItemsPercents() const { return fMostRecentItemsPercents; }
  void SetMostRecentItemsPercents(int value);
  bool LargeIcons() const { return fLargeIcons; }
  void SetLargeIcons(bool value);
  bool AutoHideEmptyBars() const { return fAutoHideEmptyBars; }
  void SetAutoHideEmptyBars(bool value);
  // Sets ShowHelpButton; an open customizing form shows or hides its help button at once.
  void SetShowHelpButton(bool value);

  bool AllowCallFromAnotherForm = false;
  bool AllowReset = true;
  bool AlwaysMerge = false;
  bool AlwaysSaveText = false;
  bool AutoDockColor = true;
  bool Scaled = true;
  bool CanCustomize = true;
  bool FlatCloseButton = false;
  bool HideFloatingBarsWhenInactive = true;
  TColor ImageListBkColor = clFuchsia;
  bool MakeDisabledImagesFaded = false;
  TzbBarMenuAnimations MenuAnimations = maNone;
  bool MenusShowRecentItemsFirst = true;
  TzbBarDockingStyles NotDocking = 0;
  bool ShowCloseButton = false;
  bool ShowFullMenusAfterDelay = true;
  bool ShowHelpButton = false;
  bool ShowHint = true;
  bool ShowHintForDisabledItems = true;
  bool ShowShortCutInHint = false;
  bool StoreInIniFile = false;
  bool StoreInRegistry = false;
  bool StretchGlyphs = true;
  bool SunkenBorder = false;
  bool UseF10ForMenu = true;
  bool UseFullReset = false;
  bool UseLargeImagesForLargeIcons = false;
  // Without a change event on the font field: forms that build by code set UseSystemFont and Font
  // directly; SetFont and SetUseSystemFont are the setters with the font rules below. A new manager
  // takes the system menu font through the setter.
  bool UseSystemFont = false;
  int HelpContext = 0;  // the help of the customizing form (its help button shows it)
  std::string RegistryPath, IniFileName;
  QFont Font;
  // The font the bar windows draw with: with Scaled the manager font at the height of the system's
  // icon-title font, never below 11 pixels; otherwise the manager font itself.
  QFont BarFont() const;
  // The manager's font changed: unless the system menu font is being taken, UseSystemFont ends;
  // with Scaled the height follows the system menu font; every bar window and attached popup menu
  // then lays itself out with the new bar font.
  void SetFont(const QFont& value);
  void FontChanged();
  // The system's menu font changed (the application's font change): with UseSystemFont the font
  // becomes the menu font, otherwise with Scaled only its height follows the menu font's.
  void UpdateFontFromSystem();
  void SetUseSystemFont(bool value);
  void SetScaled(bool value);
  int ImageCount = 0;        // number of images in `Images` (the image list lives with the windows)
  int LargeImagesWidth = 0;  // width of `LargeImages`, 0 when none
  // The large, disabled large and hot images of the large buttons (empty: no list).
  std::vector<QImage> LargeImages, DisabledLargeImages, HotImages;

  // Whether a hint is shown for the item now (disabled items only with ShowHintForDisabledItems).
  bool CanShowHint(const TzbBarItem& item) const;

  // --- the five brushes (as colours) and repaint ---
  TColor BrushColor(int n) const { return fBrushColors[n - 1]; }  // brushes 1 .. 5
  TColor ThemeBrushColor() const { return fThemeBrushColor; }
  void CreateGDIObjects();
  // The system colours changed: the brushes and the Office 2003 colours are made anew and every
  // dock and bar window repaints.
  void RefreshGDIObjects();
  void RepaintBars();
  int RepaintCount = 0;  // times RepaintBars ran
  bool LockUpdate() const { return fLockUpdate; }
  void SetLockUpdate(bool value);
  int LockReleaseCount = 0;  // times the redraw lock was released (the bar windows relayout then)
  void DesignerModified();
  int DesignerModifiedCount = 0;

  // --- windows ---
  // Creates the window that shows a link collection; set by the windows layer.
  std::function<std::unique_ptr<TzbBarWindow>(TzbBarItemLinks&)> WindowFactory;
  std::function<TzbBarItemControl*(const TzbBarItemLinks&)> SelectedItem;

  // --- events ---
  std::function<void(TzbBarManager&, TzbBar&)> OnBarAdd, OnBarDelete, OnBarVisibleChange, OnBarDockingStyleChange;
  // A floating bar was closed by the close button of its caption (after it was hidden).
  std::function<void(TzbBarManager&, TzbBar&)> OnBarClose;
  // The toolbars popup (a right click on a dock or bar) and the customizing popup of a link were
  // filled; the handler may change their links before they show.
  std::function<void(TzbBarManager&, TzbBarItemLinks&)> OnShowToolbarsPopup, OnShowCustomizingPopup;
  std::function<void(TzbBarManager&, TzbBarItemLink&)> OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
  std::function<void(TzbBarManager&, TzbBarItem&)> OnClickItem;
  std::function<void(TzbBar&, TzbBarDockingStyle, bool&)> OnDocking;
  // An exception escaping a click handler goes here; without a handler to the application's
  // exception handler (platform/ExceptionHandler.h), which shows its message.
  std::function<void(const std::exception&)> OnException;
  // F1 on an entry or bar item with a help context (BarHelp.h); the form shows the help.
  std::function<void(TzbBarManager&, const TzbBarHelpRequest&)> OnHelp;
  // The menus of the active child window's form are merged into (true) or taken out of (false)
  // the main menu bar; when assigned the handler does the merging instead of the library (BarMdi.h).
  std::function<void(TzbBarManager&, TzbBarManager& childManager, bool merge)> OnMenuMerge;
  // The close button that the main menu bar shows alone with ShowCloseButton was clicked.
  std::function<void(TzbBarManager&)> OnCloseButtonClick;
  // The customizing form is about to be shown, or has gone (BarCustomizingForm.cpp).
  std::function<void(TzbBarManager&)> OnShowCustomizingForm, OnHideCustomizingForm;
  // The help button of the customizing form (shown with ShowHelpButton) was clicked.
  std::function<void(TzbBarManager&)> OnHelpButtonClick;

  void DoClickItem(TzbBarItem& item);

  // --- stored layouts and resets (BarLayout.cpp) ---
  // With StoreInRegistry or StoreInIniFile the layout is read at the end of the Loaded step and
  // written when the manager goes. The ini sections begin with the form's object name, ".", Name, ".".
  std::string Name = "zbBarManager1";
  void SaveToRegistry(const std::string& key);
  void LoadFromRegistry(const std::string& key);
  // With IniStream set the ini text is read from and written to that stream (at its current
  // position) instead of the file; the file name may then be empty.
  std::iostream* IniStream = nullptr;
  bool SaveToIniFile(const std::string& fileName);  // false when the file could not be written
  void LoadFromIniFile(const std::string& fileName);
  // The state the form defined when it was built (taken in the Loaded step); resets go back to it.
  const TzbBarLayoutStore* DesignState() const { return fDesignState.get(); }
  bool CanReset() const { return fDesignState != nullptr; }
  void ResetUsageData();  // asks first
  std::function<void(TzbBarManager&, TzbBar&)> OnBarBeforeReset, OnBarAfterReset;

  // --- dock controls (BarUserDockControl.cpp) ---
  // Every dock control of the manager: the four along the form's edges and those the form placed.
  int GetDockControlCount() const { return static_cast<int>(fDockControls.size()); }
  TzbDockControl* GetDockControl(int index) const;
  void AddDockControl(TzbDockControl* dock);
  // Bars that live in or return to the dock forget it (a bar shown in it is hidden first).
  void RemoveDockControl(TzbDockControl* dock);
  // The dock control a stored layout names: "<form>.<name>" (the first part a top-level window by
  // its object name, the rest nested names inside it), or "<name>" inside the manager's form. Nil
  // for an empty path, a path that names nothing, another kind of object or another manager's dock.
  TzbBarDockControl* FindDockControl(const std::string& path) const;
  // The path a stored layout keeps for a dock control (form name, ".", dock name).
  static std::string DockControlPath(const TzbBarDockControl& dock);
  // Docking permission for a dock control: nil or an edge dock as CanDocking(bar, style); a dock the
  // form placed decides itself whether it takes the bar.
  bool CanDocking(const TzbBar& bar, TzbBarDockingStyle style, const TzbDockControl* dock) const;
  // The colour of dock controls: the form's colour while AutoDockColor; setting it ends AutoDockColor.
  TColor DockColor() const;
  void SetDockColor(TColor value);

 private:
  void DetachDockControls();  // the manager goes: the docks the form placed lose it
  std::vector<TzbDockControl*> fDockControls;
  TColor fDockColor = clBtnFace;
  void TakeDesignState();
  void RestoreStoredLayout();
  void SaveStoredLayout();
  std::unique_ptr<TzbBarLayoutStore> fDesignState;
  void CalcStartUseCount();
  void UpdatePainterClass();

  QWidget* fForm = nullptr;
  std::vector<std::unique_ptr<TzbBarItem>> fItems;
  TzbBarManagerCategories fCategories;
  std::unique_ptr<TzbBars> fBars;
  std::unique_ptr<TzbBarBackgrounds> fBackgrounds;
  std::unique_ptr<TzbBarPopupMenuLinks> fPopupMenuLinks;
  TzbBar* fMainMenuBar = nullptr;
  std::vector<std::unique_ptr<TzbBarGroup>> fGroups;
  std::unique_ptr<TzxLookAndFeel> fLookAndFeel;
  std::unique_ptr<TzbThemeChangedNotificator> fThemeNotificator;
  const TzbBarItemControlPainter* fPainter = nullptr;
  TzbBarManagerStyle fStyle = bmsEnhanced;
  bool fThemesUsable = false;
  bool fLoading = false;
  bool fDestroying = false;
  bool fReady = false;
  bool fCustomizing = false;
  bool fStyleChanging = false;
  bool fLockUpdate = false;
  bool fAutoHideEmptyBars = false;
  bool fLargeIcons = false;
  bool fSystemFont = false;  // the system menu font is being taken (FontChanged keeps UseSystemFont)
  bool fFontEventDetached = false;  // FontChanged takes the system font: no change event meanwhile
  void AssignFont(const QFont& value);
  int fStartUseCount = 0;
  int fButtonArrowWidth = 11;
  int fLargeButtonArrowWidth = 13;
  int fWaitForDockingTime = 21;
  int fMostRecentItemsPercents = 95;
  int fGripIndent = 0, fGripAreaSize = 0, fMenuSeparatorIndent = 0;
  int fImageSize = 16, fButtonWidth = 23, fButtonHeight = 22, fDropArrowWidth = 11;
  TColor fBrushColors[5] = {};
  TColor fThemeBrushColor = clBtnFace;
};

// Takes the manager's redraw lock for a bulk change and puts its previous state back when it goes,
// so that locks nest. With take false the scope leaves the lock alone.
class TzbBarLockScope {
 public:
  explicit TzbBarLockScope(TzbBarManager& manager, bool take = true)
      : fManager(manager), fPrevious(manager.LockUpdate()), fTake(take) {
    if (fTake) fManager.SetLockUpdate(true);
  }
  ~TzbBarLockScope() {
    if (fTake) fManager.SetLockUpdate(fPrevious);
  }
  TzbBarLockScope(const TzbBarLockScope&) = delete;
  TzbBarLockScope& operator=(const TzbBarLockScope&) = delete;

 private:
  TzbBarManager& fManager;
  bool fPrevious;
  bool fTake;
};

// The library-wide list of live managers, in creation order.
class TzbBarManagerList {
 public:
  static int Count();
  static TzbBarManager* Items(int index);
  static TzbBarManager* FindBarManager(const QWidget* form);
  // True while the manager lives (windows that outlive their manager ask before they use it).
  static bool Contains(const TzbBarManager* manager);
};

}  // namespace zyn
