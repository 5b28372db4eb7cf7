#pragma once
// Registers the transfer, listing and information pages and the erase dialogs with the main
// window.

namespace zyn {

void RegisterTransferPages();

}  // namespace zyn
