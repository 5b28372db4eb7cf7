#pragma once
// A bar is one toolbar or the main-menu bar of a form: caption, place (docked with a row and a
// position, or floating), look options and the ordered links it shows. The bars of a manager form
// its `Bars` collection.

#include "platform/Colors.h"
#include "widgets/bars/BarItemLinks.h"

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

  TzbBars& Collection() const { return *fOwner; }
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

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);  // a caption used by another bar is refused
  const std::string& Name() const { return fName; }
  void SetName(const std::string& value) { fName = value; }
  bool IsMainMenu() const { return fIsMainMenu; }
  void SetIsMainMenu(bool value);
  bool MultiLine() const { return fMultiLine || fIsMainMenu; }
  void SetMultiLine(bool value) { fMultiLine = value; }
  bool WholeRow() const { return fWholeRow || fIsMainMenu; }
  void SetWholeRow(bool value) { fWholeRow = value; }
  int Row() const { return fRow; }
  void SetRow(int value) { fRow = value < 0 ? 0 : value; }
  int DockedLeft() const { return fDockedLeft; }
  void SetDockedLeft(int value) { fDockedLeft = value < 0 ? 0 : value; }
  int DockedTop() const { return fDockedTop; }
  void SetDockedTop(int value) { fDockedTop = value < 0 ? 0 : value; }
  TzbBarDockingStyle DockingStyle() const { return fDockingStyle; }
  void SetDockingStyle(TzbBarDockingStyle value);
  // The bar window moved itself to another dock or to floating (a bar drag): the style is taken
  // without hiding and showing the bar again.
  void TakeDockingStyleFromWindow(TzbBarDockingStyle value) {
    fDockingStyle = value;
    if (value != dsNone) fDockedDockingStyle = value, fEverDocked = true;
  }
  TzbBarDockingStyle DockedDockingStyle() const { return fDockedDockingStyle; }
  void SetDockedDockingStyle(TzbBarDockingStyle value) {
    fDockedDockingStyle = value;
    fEverDocked = true;
  }
  // Whether the bar was ever docked (or given a place to dock to); a bar that floated from the
  // start docks alone on a new last row of the top dock.
  bool EverDocked() const { return fEverDocked; }
  bool UseRecentItems() const { return fLinks->UseRecentItems; }
  void SetUseRecentItems(bool value) { fLinks->UseRecentItems = value; }

  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  bool LoadedVisible() const { return fLoadedVisible; }
  bool AutoHidden() const { return fAutoHidden; }
  void SetAutoHidden(bool value) { fAutoHidden = value; }
  bool BarLock() const { return fBarLock; }
  void SetBarLock(bool value);

  TzbBarItemLinks& ItemLinks() const { return *fLinks; }
  TzbBarWindow* GetBarControl() const { return fLinks->BarControl(); }
  bool CanBeListed() const { return AllowClose && !fIsMainMenu; }
  bool CanHaveSizeGrip() const { return BorderStyle == bbsNone && fDockingStyle == dsBottom && WholeRow(); }
  // Whether the bar shows any visible link now.
  bool HasVisibleLinks() const { return !fLinks->VisibleLinks().empty(); }

  // Sub-items that show this bar as their detached content; told when the bar goes.
  void AddDetachingSubItem(TzbBarItem* item);
  void RemoveDetachingSubItem(TzbBarItem* item);

  void Assign(const TzbBar& source);
  // Back to the state the form defined (BarLayout.cpp): with the manager's UseFullReset the
  // place and visibility too, else the links only; nested sub-menus follow.
  void Reset();
  void ResetWithConfirmation();
  void ApplyLoaded();  // the manager's Loaded step

  // --- dock controls the form placed (BarUserDockControl.cpp) ---
  // The dock control the bar lives in (nil: an edge dock or floating). Setting it docks the bar
  // there with the dock's style; another manager's dock is refused.
  TzbBarDockControl* DockControl() const { return fDockControl; }
  void SetDockControl(TzbBarDockControl* value);
  // The dock control a floating bar returns to when it docks again (nil: the edge dock of
  // DockedDockingStyle).
  TzbBarDockControl* DockedDockControl() const { return fDockedDockControl; }
  void SetDockedDockControl(TzbBarDockControl* value);
  // Style and dock together (copies and stored layouts): an edge dock counts as nil.
  void SetDocking(TzbBarDockingStyle style, TzbDockControl* dock);
  // The dock the bar's window goes to: its DockControl, or the edge dock of its style; nil floating.
  TzbDockControl* RealDockControl() const;
  // The bar window moved itself (a drag, its bookkeeping): the bar takes its style and dock.
  void TakeDockFromWindow(TzbBarDockingStyle style, TzbDockControl* dock);
  // The dock control changed its side (its Align): the bar takes that style.
  void DockControlStyleChanged();

 private:
  TzbBarDockControl* fDockControl = nullptr;
  TzbBarDockControl* fDockedDockControl = nullptr;
  TzbBarDockControl* fLoadedDockControl = nullptr;
  bool fDockControlLoaded = false;
  bool fDockingChange = false;
  TzbBars* fOwner;
  std::string fCaption, fName;
  bool fIsMainMenu = false;
  bool fMultiLine = false;
  bool fWholeRow = false;
  int fRow = 0, fDockedLeft = 0, fDockedTop = 0;
  TzbBarDockingStyle fDockingStyle = dsNone;
  TzbBarDockingStyle fDockedDockingStyle = dsTop;
  TzbBarDockingStyle fLoadedDockingStyle = dsNone;
  bool fDockingStyleLoaded = false;
  bool fEverDocked = false;
  bool fVisible = false;
  bool fLoadedVisible = false;
  bool fAutoHidden = false;
  bool fBarLock = false;
  std::unique_ptr<TzbBarItemLinks> fLinks;
  std::vector<TzbBarItem*> fDetachingSubItems;
};

class TzbBars {
 public:
  explicit TzbBars(TzbBarManager& manager) : fManager(&manager) {}
  ~TzbBars();
  TzbBarManager& Manager() const { return *fManager; }

  TzbBar* Add();
  void Delete(TzbBar* bar);
  int Count() const { return static_cast<int>(fBars.size()); }
  TzbBar* Items(int index) const;
  int IndexOf(const TzbBar* bar) const;
  bool Loading = false;
  static constexpr int DockZoneSize = 23;

 private:
  TzbBarManager* fManager;
  std::vector<std::unique_ptr<TzbBar>> fBars;
};

}  // namespace zyn
