#pragma once
// Registers the display pages (the designer and the display list) with the main window.

namespace zyn {

void RegisterDisplayPages();

}  // namespace zyn
