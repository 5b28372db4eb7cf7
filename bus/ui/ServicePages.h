#pragma once
// Registers the bus service pages with the main window: service functions with the input and
// output tests, dimmer curves, module scan, priority release of blind motors and the bus monitor.

namespace zyn {

void RegisterServicePages();

}  // namespace zyn
