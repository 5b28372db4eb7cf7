#pragma once
// Start and end of the bar unit: the built-in item kinds with their control classes are registered
// once, before the first manager exists, and unregistered in reverse order at the end.

namespace zyn {

void InitializeBarUnit();  // runs once; later calls do nothing
void FinalizeBarUnit();
bool BarUnitInitialized();

}  // namespace zyn
