#pragma once
// The entries of a toolbar's quick-customization window (its mark): the "&Add or Remove Buttons"
// sub-item, filled each time its menu opens, with one check entry per link of the toolbar and the
// "&Reset Toolbar" and "&Customize..." buttons after them, and the controls of those entries.

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItemControls.h"

#include <functional>

namespace zyn {

// The one item of the check entries of "&Add or Remove Buttons": each of its links keeps in its
// Data the owner toolbar's link that the entry stands for and shows that link's caption and glyph.
// A click shows or hides the owner's link. Never clicked by its accelerator.
class TzbBarQuickCustItem : public TzbBarButton {
 public:
  static constexpr const char* kClassName = "TzbBarQuickCustItem";
  TzbBarQuickCustItem(TzbBarManager& manager, TzbBarItemLinks& ownerLinks);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  bool CanUseAccel(const TzbBarItemLink&) const override { return false; }
  // The owner toolbar's link an entry stands for; nil when it is gone.
  TzbBarItemLink* OwnerLink(const TzbBarItemLink& entry) const;

 protected:
  void DoClick() override;

 private:
  TzbBarItemLinks* fOwnerLinks;
};

// "&Reset Toolbar" and "&Customize..." of the quick-customization window.
class TzbBarQuickCustExtButton : public TzbBarButton {
 public:
  static constexpr const char* kClassName = "TzbBarQuickCustExtButton";
  explicit TzbBarQuickCustExtButton(TzbBarManager& manager) : TzbBarButton(manager) {}
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
};

// "&Add or Remove Buttons": OnFill builds its links each time its menu opens.
class TzbBarQuickSubItem : public TzbBarSubItem {
 public:
  static constexpr const char* kClassName = "TzbBarQuickSubItem";
  explicit TzbBarQuickSubItem(TzbBarManager& manager);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  std::function<void(TzbBarQuickSubItem&)> OnFill;
};

// A "&Reset Toolbar" or "&Customize..." entry: a check column (always empty) before the button.
class TzbBarQuickCustExtButtonControl : public TzbBarButtonControl {
 public:
  using TzbBarButtonControl::TzbBarButtonControl;
  int GetWidth() const override;
  void Paint(const TRect& r, int view) override;
  // The check column's width: square to the entry's height.
  int CheckColumnWidth() const;

 protected:
  // Whether the check column shows a check sign.
  virtual bool Checked() const { return false; }
};

// A check entry: the check column, checked while the owner's link is visible, then the button with
// the owner link's caption, glyph and shortcut.
class TzbBarQuickCustItemControl : public TzbBarQuickCustExtButtonControl {
 public:
  using TzbBarQuickCustExtButtonControl::TzbBarQuickCustExtButtonControl;
  TzbBarItemLink* OwnerLink() const;
  TShortCut ShownShortCut() const override;

 protected:
  bool Checked() const override;
};

}  // namespace zyn
