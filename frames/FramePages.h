#pragma once
// Registers the makers of the object editing pages with the main window's page table.

namespace zyn {

void RegisterObjectPages();

}  // namespace zyn
