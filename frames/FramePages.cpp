#include "frames/FramePages.h"

#include "frames/FrMerker.h"
#include "frames/FrModulBearb.h"
#include "frames/FrStmBearb.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterObjectPages() {
  RegisterFrameMaker("FrStmBearb", [] { return new TFrStmBearb; });
  RegisterFrameMaker("FrModulBearb", [] { return new TFrModulBearb; });
  RegisterFrameMaker("FrMerker", [] { return new TFrMerker; });
}

}  // namespace zyn
