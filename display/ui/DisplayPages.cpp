#include "display/ui/DisplayPages.h"

#include "display/ui/DisplayMain.h"
#include "display/ui/FrameDispBearb.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterDisplayPages() {
  RegisterFrameMaker("Display", [] { return new TDisplay; });
  RegisterFrameMaker("FrDispBearb", [] { return new TFrDispBearb; });
}

}  // namespace zyn
