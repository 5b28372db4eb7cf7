#include "widgets/bars/BarUnit.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarContainerItems.h"
#include "widgets/bars/BarCustomizingEditors.h"
#include "widgets/bars/BarDateItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarExtItems.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarListItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarQuickItems.h"
#include "widgets/bars/BarSpinEdit.h"
#include "widgets/bars/BarTreeItems.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/Components.h"

namespace zyn {

namespace {

bool& Initialized() {
  static bool initialized = false;
  return initialized;
}

struct TKind {
  const char* ItemClass;
  TzbBarItemControlFactory Control;
  TzbBarItemMaker Make;  // how the customizing editors create a new item of the kind
  bool Listed;
};

// An item kind with the control class that shows its links; listed kinds can be made by the user.
template <class TItem, class TControl, bool Listed = true>
TKind Kind() {
  TzbBarItemControlFactory control = [](TzbBarItemLink& link,
                                        TzbBarWindow& window) -> std::unique_ptr<TzbBarItemControl> {
    return std::make_unique<TControl>(link, window);
  };
  TzbBarItemMaker make;
  if constexpr (Listed) make = [](TzbBarManager& m) -> TzbBarItem* { return m.CreateItem<TItem>(); };
  return {TItem::kClassName, std::move(control), std::move(make), Listed};
}

const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = {
      Kind<TzbBarButton, TzbBarButtonControl>(),
      Kind<TzbBarEdit, TzbBarEditControl>(),
      Kind<TCustomzbBarCombo, TCustomzbBarComboControl>(),
      Kind<TzbBarCombo, TzbBarComboControl>(),
      Kind<TzbBarSubItem, TzbBarSubItemControl>(),
      Kind<TzbBarListItem, TzbBarContainerItemControl>(),
      Kind<TzbBarContainerItem, TzbBarContainerItemControl>(),
      Kind<TzbBarMRUListItem, TzbBarContainerItemControl>(),
      Kind<TzbBarStatic, TzbBarStaticControl>(),
      Kind<TzbBarLargeButton, TzbBarLargeButtonControl>(),
      Kind<TzbBarColorCombo, TzbBarColorComboControl>(),
      Kind<TzbBarFontNameCombo, TzbBarComboControl>(),
      Kind<TzbBarDateCombo, TzbBarDateComboControl>(),
      Kind<TzbBarTreeViewCombo, TzbBarTreeViewComboControl>(),
      Kind<TzbBarImageCombo, TzbBarImageComboControl>(),
      Kind<TzbBarSpinEdit, TzbBarSpinEditControl>(),
      Kind<TzbBarProgressItem, TzbBarProgressControl>(),
      Kind<TzbBarToolbarsListItem, TzbBarToolbarsListItemControl>(),
      Kind<TzbBarControlContainerItem, TzbBarControlContainerControl>(),
      Kind<TzbBarInPlaceSubItem, TzbBarInPlaceSubItemControl>(),
      Kind<TSystemMenuSubItem, TSystemMenuSubItemControl, false>(),
      Kind<TzbBarQuickCustExtButton, TzbBarQuickCustExtButtonControl, false>(),
      Kind<TzbBarQuickCustItem, TzbBarQuickCustItemControl, false>(),
      Kind<TzbBarQuickSubItem, TzbBarSubItemControl, false>(),
  };
  return kinds;
}

}  // namespace

void InitializeBarUnit() {
  if (Initialized()) return;
  Initialized() = true;
  InitializeControlsUnit();
  for (const TKind& k : Kinds()) {
    RegisterBarItem(k.ItemClass, k.Control, k.Listed);
    if (k.Make) RegisterBarItemMaker(k.ItemClass, k.Make);
  }
}

void FinalizeBarUnit() {
  if (!Initialized()) return;
  const auto& kinds = Kinds();
  for (auto it = kinds.rbegin(); it != kinds.rend(); ++it) UnregisterBarItem(it->ItemClass);
  FinalizeControlsUnit();
  Initialized() = false;
}

bool BarUnitInitialized() { return Initialized(); }

}  // namespace zyn
