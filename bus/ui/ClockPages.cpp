#include "bus/ui/ClockPages.h"

#include "bus/BusWait.h"
#include "bus/ui/FrEditSTMUhren.h"
#include "bus/ui/FrNewService.h"
#include "bus/ui/FrSelbstTest.h"
#include "bus/ui/FrSetClock.h"
#include "bus/ui/FrmSTMTimeCheck.h"
#include "shell/FormMain.h"

#include <QApplication>

namespace zyn {

void RegisterClockPages() {
  // Bus waits keep the window alive.
  if (!TBusWait::HasProcessEventsHook())
    TBusWait::SetProcessEventsHook([] { QApplication::processEvents(QEventLoop::AllEvents, 10); });
  RegisterFrameMaker("FrNewService", [] { return new TFrNewService; });
  RegisterFrameMaker("FrSelbstTest", [] { return new TFrSelbstTest; });
  RegisterFrameMaker("FrEditSTMUhren", [] { return new TFrEditSTMUhren; });
  RegisterFrameMaker("FrmEditSTMMerker", [] { return new TFrmEditSTMMerker; });
  RegisterFrameMaker("FrSetClock", [] { return new TFrSetClock; });
  RegisterCommand("STMTimeTest", [](QWidget* parent) {
    TFrmSTMTimeCheck dialog(parent);
    dialog.exec();
  });
}

}  // namespace zyn
