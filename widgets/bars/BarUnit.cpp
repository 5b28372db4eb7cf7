#include "widgets/bars/BarUnit.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarContainerItems.h"
#include "widgets/bars/BarDateItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarExtItems.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarListItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarUtils.h"

namespace zyn {

namespace {

bool& Initialized() {
  static bool initialized = false;
  return initialized;
}

template <class TControl>
TzbBarItemControlFactory ControlClass() {
  return [](TzbBarItemLink& link, TzbBarWindow& window) -> std::unique_ptr<TzbBarItemControl> {
    return std::make_unique<TControl>(link, window);
  };
}

struct TKind {
  const char* ItemClass;
  TzbBarItemControlFactory Control;
  bool Listed;
};

const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = {
      {TzbBarButton::kClassName, ControlClass<TzbBarButtonControl>(), true},
      {TzbBarEdit::kClassName, ControlClass<TzbBarEditControl>(), true},
      {TzbBarCombo::kClassName, ControlClass<TzbBarComboControl>(), true},
      {TzbBarSubItem::kClassName, ControlClass<TzbBarSubItemControl>(), true},
      {TzbBarListItem::kClassName, ControlClass<TzbBarContainerItemControl>(), true},
      {TzbBarContainerItem::kClassName, ControlClass<TzbBarContainerItemControl>(), true},
      {TzbBarMRUListItem::kClassName, ControlClass<TzbBarContainerItemControl>(), true},
      {TzbBarStatic::kClassName, ControlClass<TzbBarStaticControl>(), true},
      {TzbBarLargeButton::kClassName, ControlClass<TzbBarLargeButtonControl>(), true},
      {TzbBarDateCombo::kClassName, ControlClass<TzbBarDateComboControl>(), true},
      {TzbBarProgressItem::kClassName, ControlClass<TzbBarProgressControl>(), true},
      {TzbBarToolbarsListItem::kClassName, ControlClass<TzbBarToolbarsListItemControl>(), true},
      {TzbBarControlContainerItem::kClassName, ControlClass<TzbBarControlContainerControl>(), true},
      {TzbBarInPlaceSubItem::kClassName, ControlClass<TzbBarInPlaceSubItemControl>(), true},
  };
  return kinds;
}

}  // namespace

void InitializeBarUnit() {
  if (Initialized()) return;
  Initialized() = true;
  for (const TKind& k : Kinds()) RegisterBarItem(k.ItemClass, k.Control, k.Listed);
}

void FinalizeBarUnit() {
  if (!Initialized()) return;
  const auto& kinds = Kinds();
  for (auto it = kinds.rbegin(); it != kinds.rend(); ++it) UnregisterBarItem(it->ItemClass);
  Initialized() = false;
}

bool BarUnitInitialized() { return Initialized(); }

}  // namespace zyn
