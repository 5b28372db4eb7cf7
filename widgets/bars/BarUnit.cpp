#include "widgets/bars/BarUnit.h"

#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarDateItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarExtItems.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarListItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarSpinEdit.h"
#include "widgets/bars/BarTreeItems.h"
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
      {TzbBarColorCombo::kClassName, ControlClass<TzbBarColorComboControl>(), true},
      {TzbBarFontNameCombo::kClassName, ControlClass<TzbBarComboControl>(), true},
      {TzbBarDateCombo::kClassName, ControlClass<TzbBarDateComboControl>(), true},
      {TzbBarTreeViewCombo::kClassName, ControlClass<TzbBarTreeViewComboControl>(), true},
      {TzbBarImageCombo::kClassName, ControlClass<TzbBarImageComboControl>(), true},
      {TzbBarSpinEdit::kClassName, ControlClass<TzbBarSpinEditControl>(), true},
      {TzbBarProgressItem::kClassName, ControlClass<TzbBarProgressControl>(), true},
      {TSystemMenuSubItem::kClassName, ControlClass<TSystemMenuSubItemControl>(), false},
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
