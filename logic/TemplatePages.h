#pragma once
// Registers the template programming page "FrBasis" and the command-list editor
// "FrFunctionEdit" with the main window's page table.

namespace zyn {

void RegisterTemplatePages();

}  // namespace zyn
