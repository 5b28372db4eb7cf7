#pragma once
// Registers the makers of the project pages (new, open, save as, customer and project tables,
// options, company data, compile progress, dimmer curves, browser) with the main window.

namespace zyn {

void RegisterProjectPages();

}  // namespace zyn
