#include "frames/FramePages.h"

#include "frames/FrMerker.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterObjectPages() {
  RegisterFrameMaker("FrMerker", [] { return new TFrMerker; });
}

}  // namespace zyn
