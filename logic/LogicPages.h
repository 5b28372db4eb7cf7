#pragma once
// Registers the logic programming pages with the main window's page table.

namespace zyn {

void RegisterLogicPages();

}  // namespace zyn
