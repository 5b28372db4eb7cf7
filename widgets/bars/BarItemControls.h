#pragma once
// The on-screen controls of buttons, sub-items and container items: their sizes in bars and menus,
// their painting through the manager's painter, their clicks, and the opening and closing of
// drop-down menus (at once on a click, after the sub-menu delay when the mouse rests on a sub-item
// in a menu).

#include "widgets/bars/BarItem.h"

#include <QString>

namespace zyn {

class TzbBarSubMenuControl;
class TCustomzbBarControl;

// The bar window an item control lies in.
TCustomzbBarControl* BarWindowOf(const TzbBarItemControl& c);

// The shortcut as the menus show it ("Strg+S" style names of the class library: "Ctrl+S", "F1").
QString ShortCutToText(TShortCut shortCut);

class TzbBarButtonControl : public TzbBarItemControl {
 public:
  using TzbBarItemControl::TzbBarItemControl;
  ~TzbBarButtonControl() override;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  void BeforeClick(bool byMouse) override;
  void DoClick() override;
  void ControlInactivate(bool force) override;
  bool CanCloseMenus() const override;
  bool IsIdle() const override { return !fDroppedDown; }
  bool KeyDown(int key) override;
  int GetDropDownWidth() const;
  // The shortcut shown beside the caption in menus.
  virtual TShortCut ShownShortCut() const;
  TzbBarPaintStyle EffectivePaintStyle() const;
  bool HasImage() const;
  void DropDown(bool byMouse);
  void CloseDropDown();
  bool DroppedDown() const { return fDroppedDown; }

 private:
  int GetHeightInLine() const;
  int GetWidthInLine() const;
  bool MouseOnDropDownPart() const;
  bool fDroppedDown = false;
};

class TzbBarSubItemControl : public TzbBarItemControl {
 public:
  using TzbBarItemControl::TzbBarItemControl;
  ~TzbBarSubItemControl() override;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  void BeforeClick(bool byMouse) override;
  void ControlActivate(bool byMouse) override;
  void ControlInactivate(bool force) override;
  bool CanClickItem() const override { return false; }
  bool CanCloseMenus() const override { return false; }
  bool HasSubMenu() const override { return true; }
  bool KeyDown(int key) override;
  // The open menu of the sub-item when this control opened it, else nil.
  TzbBarSubMenuControl* GetSubMenuWindow() const;
  // The delay before a sub-menu opens or closes under a resting mouse (milliseconds).
  static int SubMenuDelay;
  // Whether a delayed open or close is pending, and for which control.
  static TzbBarItemControl* PendingControl();
  static void CancelPending();

 protected:
  virtual TzbBarItemLinks* MenuLinks() const;
  void OpenMenu();
  // The menu of the sub-item is about to be created (its links may still change).
  virtual void MenuOpening() {}
};

class TzbBarContainerItemControl : public TzbBarSubItemControl {
 public:
  using TzbBarSubItemControl::TzbBarSubItemControl;
  void Paint(const TRect& r, int view) override;
  // In a menu the container's entries stand in its place; its own control is never selected.
  bool CanSelect() const override;
};

// The line-height adjustment of a painter for menu entries (Flat family 2, XP 1, others 0).
int MenuLineAdjust(const TzbBarManager& manager);

}  // namespace zyn
