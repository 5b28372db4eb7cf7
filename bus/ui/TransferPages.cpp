#include "bus/ui/TransferPages.h"

#include "bus/ui/FormDeleteMemory.h"
#include "bus/ui/FrSTMInfo.h"
#include "bus/ui/FrSTMListing.h"
#include "bus/ui/FrTransfer.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterTransferPages() {
  RegisterFrameMaker("FrTransfer", [] { return new TFrTransfer; });
  RegisterFrameMaker("FrSTMListing", [] { return new TFrSTMListing; });
  RegisterFrameMaker("FrSTMInfo", [] { return new TFrSTMInfo; });
  RegisterCommand("Loeschen", [](QWidget* mainWindow) {
    TFrmDeleteSTMMemory dialog(mainWindow);
    dialog.exec();
  });
  RegisterCommand("DelDispFlash", [](QWidget* mainWindow) {
    try {
      TFrmDelDisplay dialog(mainWindow);
      dialog.exec();
    } catch (const std::exception&) {
      // As the menu command has always done: the dialog's failure ends it quietly.
    }
  });
}

}  // namespace zyn
