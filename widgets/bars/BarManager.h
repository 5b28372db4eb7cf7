#pragma once
// The bar manager of a form: the item registry (every item of the form in creation order), the
// categories, the bars, the groups, the painter choice, the brushes and metrics the bar windows
// and painters read, and the redraw lock. There is at most one manager per form.

#include "widgets/bars/BarCategories.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/Bars.h"
#include "platform/Colors.h"

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

// The background bitmaps of bars and of drop-down menus. A change of `Bar` makes the manager run
// StyleChanged so that every bar window and dock repaints; `SubMenu` is only stored.
class TzbBarBackgrounds {
 public:
  explicit TzbBarBackgrounds(TzbBarManager& manager) : manager_(&manager) {}
  const QImage& Bar() const { return bar_; }
  void SetBar(const QImage& value);
  const QImage& SubMenu() const { return subMenu_; }
  void SetSubMenu(const QImage& value) { subMenu_ = value; }
  void Assign(const TzbBarBackgrounds& source) {
    SetBar(source.bar_);
    SetSubMenu(source.subMenu_);
  }

 private:
  TzbBarManager* manager_;
  QImage bar_, subMenu_;
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
  QWidget* Form() const { return form_; }

  // --- item registry ---
  template <class T, class... Args>
  T* CreateItem(Args&&... args) {
    auto item = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = item.get();
    items_.push_back(std::move(item));
    return raw;
  }
  void FreeItem(TzbBarItem* item);
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  TzbBarItem* GetItem(int index) const;
  TzbBarItem* GetItemByName(const std::string& name) const;
  int IndexOfItem(const TzbBarItem* item) const;
  void GetItemsByCategory(int category, std::vector<TzbBarItem*>& list) const;
  void GetCustomizingItemsByCategory(int category, std::vector<TzbBarItem*>& list) const;
  void MoveItem(int curIndex, int newIndex);
  void ExchangeItems(int index1, int index2);

  // --- categories ---
  TzbBarManagerCategories& Categories() { return categories_; }
  TzbBarItemVisible GetCategoryItemsVisible(int index) const;
  void SetCategoryItemsVisible(int index, TzbBarItemVisible value);
  bool GetCategoryVisible(int index) const;
  void SetCategoryVisible(int index, bool value);
  int GetCategoryRealIndex(int visibleIndex) const;

  // --- bars ---
  TzbBars& Bars() { return *bars_; }
  TzbBarBackgrounds& Backgrounds() { return *backgrounds_; }
  // Popup menus bound to controls of the form (right click, context-menu key, Shift+F10).
  TzbBarPopupMenuLinks& PopupMenuLinks() { return *popupMenuLinks_; }
  int StyleChangeCount = 0;  // how often the look was rebuilt
  TzbBar* MainMenuBar() const { return mainMenuBar_; }
  void SetMainMenuBar(TzbBar* bar) { mainMenuBar_ = bar; }
  TzbBar* BarByCaption(const std::string& caption) const;
  TzbBar* BarByName(const std::string& name) const;
  bool CanDocking(const TzbBar& bar, TzbBarDockingStyle style) const;

  // --- groups ---
  TzbBarGroup* CreateGroup();
  void FreeGroup(TzbBarGroup* group);
  int GetGroupCount() const { return static_cast<int>(groups_.size()); }
  TzbBarGroup* GetGroup(int index) const;

  // --- state ---
  bool IsLoading() const { return loading_; }
  void BeginLoading();
  // Applies what was stored while loading; a form that builds its bars by code calls it once
  // when they are built, so that their links get their recent-use order.
  void Loaded();
  bool IsDestroying() const { return destroying_; }
  bool Designing = false;
  bool Customizing() const { return customizing_; }
  void SetCustomizing(bool value);
  bool IsCustomizing() const { return customizing_ || Designing; }
  bool CanUseRecentItems() const { return GetRealStyle() != bmsStandard; }
  bool RecentItemsFirst() const { return CanUseRecentItems() && MenusShowRecentItemsFirst; }
  int StartUseCount() const { return startUseCount_; }

  // --- look ---
  TzbBarManagerStyle Style() const { return style_; }
  void SetStyle(TzbBarManagerStyle value);
  TzbBarManagerStyle GetRealStyle() const;
  const TzbBarItemControlPainter& GetPainterClass() const;
  const TzbBarItemControlPainter& PainterClass() const { return *painter_; }
  bool ThemesUsable() const { return themesUsable_; }
  void StyleChanged();
  TzxLookAndFeel& LookAndFeel() { return *lookAndFeel_; }
  int GripIndent() const { return gripIndent_; }
  int GripAreaSize() const { return gripAreaSize_; }
  int MenuSeparatorIndent() const { return menuSeparatorIndent_; }
  int ImageSize() const { return imageSize_; }
  int ButtonWidth() const { return buttonWidth_; }
  int ButtonHeight() const { return buttonHeight_; }
  int DropArrowWidth() const { return dropArrowWidth_; }
  void CalcImageSizes();

  int ButtonArrowWidth() const { return buttonArrowWidth_; }
  void SetButtonArrowWidth(int value);
  int LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
  void SetLargeButtonArrowWidth(int value);
  int WaitForDockingTime() const { return waitForDockingTime_; }
  void SetWaitForDockingTime(int value) { if (value >= 0) waitForDockingTime_ = value; }
  int MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
  void SetMostRecentItemsPercents(int value);
  bool LargeIcons() const { return largeIcons_; }
  void SetLargeIcons(bool value);
  bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
  void SetAutoHideEmptyBars(bool value);

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
  bool UseSystemFont = true;
  std::string RegistryPath, IniFileName;
  QFont Font;
  // The font the bar windows draw with: with Scaled the manager font at the height of the system's
  // icon-title font, never below 11 pixels; otherwise the manager font itself.
  QFont BarFont() const;
  int ImageCount = 0;        // number of images in `Images` (the image list lives with the windows)
  int LargeImagesWidth = 0;  // width of `LargeImages`, 0 when none
  // The large, disabled large and hot images of the large buttons (empty: no list).
  std::vector<QImage> LargeImages, DisabledLargeImages, HotImages;

  // Whether a hint is shown for the item now (disabled items only with ShowHintForDisabledItems).
  bool CanShowHint(const TzbBarItem& item) const;

  // --- the five brushes (as colours) and repaint ---
  TColor BrushColor(int n) const { return brushColors_[n - 1]; }  // brushes 1 .. 5
  TColor ThemeBrushColor() const { return themeBrushColor_; }
  void CreateGDIObjects();
  bool LockUpdate() const { return lockUpdate_; }
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
  std::function<void(TzbBarManager&, TzbBarItemLink&)> OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
  std::function<void(TzbBarManager&, TzbBarItem&)> OnClickItem;
  std::function<void(TzbBar&, TzbBarDockingStyle, bool&)> OnDocking;
  // An exception escaping a click handler goes here (the application's message box).
  std::function<void(const std::exception&)> OnException;

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
  const TzbBarLayoutStore* DesignState() const { return designState_.get(); }
  bool CanReset() const { return designState_ != nullptr; }
  void ResetUsageData();  // asks first
  std::function<void(TzbBarManager&, TzbBar&)> OnBarBeforeReset, OnBarAfterReset;

 private:
  void TakeDesignState();
  void RestoreStoredLayout();
  void SaveStoredLayout();
  std::unique_ptr<TzbBarLayoutStore> designState_;
  void CalcStartUseCount();
  void UpdatePainterClass();

  QWidget* form_ = nullptr;
  std::vector<std::unique_ptr<TzbBarItem>> items_;
  TzbBarManagerCategories categories_;
  std::unique_ptr<TzbBars> bars_;
  std::unique_ptr<TzbBarBackgrounds> backgrounds_;
  std::unique_ptr<TzbBarPopupMenuLinks> popupMenuLinks_;
  TzbBar* mainMenuBar_ = nullptr;
  std::vector<std::unique_ptr<TzbBarGroup>> groups_;
  std::unique_ptr<TzxLookAndFeel> lookAndFeel_;
  std::unique_ptr<TzbThemeChangedNotificator> themeNotificator_;
  const TzbBarItemControlPainter* painter_ = nullptr;
  TzbBarManagerStyle style_ = bmsEnhanced;
  bool themesUsable_ = false;
  bool loading_ = false;
  bool destroying_ = false;
  bool ready_ = false;
  bool customizing_ = false;
  bool styleChanging_ = false;
  bool lockUpdate_ = false;
  bool autoHideEmptyBars_ = false;
  bool largeIcons_ = false;
  int startUseCount_ = 0;
  int buttonArrowWidth_ = 11;
  int largeButtonArrowWidth_ = 13;
  int waitForDockingTime_ = 21;
  int mostRecentItemsPercents_ = 95;
  int gripIndent_ = 0, gripAreaSize_ = 0, menuSeparatorIndent_ = 0;
  int imageSize_ = 16, buttonWidth_ = 23, buttonHeight_ = 22, dropArrowWidth_ = 11;
  TColor brushColors_[5] = {};
  TColor themeBrushColor_ = clBtnFace;
};

// Takes the manager's redraw lock for a bulk change and puts its previous state back when it goes,
// so that locks nest. With take false the scope leaves the lock alone.
class TzbBarLockScope {
 public:
  explicit TzbBarLockScope(TzbBarManager& manager, bool take = true)
      : manager_(manager), previous_(manager.LockUpdate()), take_(take) {
    if (take_) manager_.SetLockUpdate(true);
  }
  ~TzbBarLockScope() {
    if (take_) manager_.SetLockUpdate(previous_);
  }
  TzbBarLockScope(const TzbBarLockScope&) = delete;
  TzbBarLockScope& operator=(const TzbBarLockScope&) = delete;

 private:
  TzbBarManager& manager_;
  bool previous_;
  bool take_;
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
