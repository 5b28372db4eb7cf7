#pragma once
// Registers the makers of the project pages (new, open, save as, customer and project tables,
// options, company data, compile progress, dimmer curves) with the main window. The browser page
// registers itself (frames/browser: RegisterBrowserPage).

namespace zyn {

void RegisterProjectPages();

}  // namespace zyn
