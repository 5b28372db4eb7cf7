#pragma once
// The registry of item kinds: for each item class the class of the control its links show on
// screen, and whether the customizing dialog offers the kind. Links create their control with the
// control class registered for the exact class of their item.

#include "widgets/bars/BarTypes.h"

#include <functional>
#include <memory>
#include <string>

namespace zyn {

using TzbBarItemControlFactory = std::function<std::unique_ptr<TzbBarItemControl>(TzbBarItemLink&, TzbBarWindow&)>;

void RegisterBarItem(const std::string& itemClass, TzbBarItemControlFactory controlClass, bool listed);
void UnregisterBarItem(const std::string& itemClass);
int GetListedItemClassCount();
// The n-th listed class (from 0); empty when there is none.
std::string GetListedItemClass(int n);
// The control class of an item class; empty when the class is not registered.
TzbBarItemControlFactory ControlClassOf(const std::string& itemClass);
int RegisteredItemClassCount();

}  // namespace zyn
