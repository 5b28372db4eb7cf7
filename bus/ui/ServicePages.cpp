#include "bus/ui/ServicePages.h"

#include "bus/ui/FrDimmerKennlinie.h"
#include "bus/ui/FrJRMPrio.h"
#include "bus/ui/FrModulcheck.h"
#include "bus/ui/FrSTMMonitor.h"
#include "bus/ui/FrService.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterServicePages() {
  RegisterFrameMaker("FrService", [] { return new TFrService; });
  RegisterFrameMaker("FrDimmerKennlinie", [] { return new TFrDimmerKennlinie; });
  RegisterFrameMaker("FrModulcheck", [] { return new TFrModulcheck; });
  RegisterFrameMaker("FrJRMPrio", [] { return new TFrJRMPrio; });
  RegisterFrameMaker("FrSTMMonitor", [] { return new TFrSTMMonitor; });
}

}  // namespace zyn
