#pragma once
// The entries of a toolbar's quick-customization window (its mark): the "&Add or Remove Buttons"
// sub-item, filled each time its menu opens, with one check entry per link of the toolbar and the
// "&Reset Toolbar" and "&Customize..." buttons after them.

#include "widgets/bars/BarButtons.h"

#include <functional>

namespace zyn {

// One link of the owner toolbar: caption, glyph and hint are the link's; checked while the link is
// visible; a click shows or hides the link. Never clicked by its accelerator.
class TzbBarQuickCustItem : public TzbBarButton {
 public:
  static constexpr const char* kClassName = "TzbBarQuickCustItem";
  TzbBarQuickCustItem(TzbBarManager& manager, TzbBarItemLinks& ownerLinks, int ownerIndex);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;
  bool CanUseAccel(const TzbBarItemLink&) const override { return false; }
  // The owner toolbar's link the entry stands for; nil when it is gone.
  TzbBarItemLink* OwnerLink() const;

 private:
  TzbBarItemLinks* fOwnerLinks;
  int fOwnerIndex;
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

}  // namespace zyn
