#include "frames/FramePages.h"

#include "frames/FrGruppen.h"
#include "frames/FrMerker.h"
#include "frames/FrModulBearb.h"
#include "frames/FrPOR.h"
#include "frames/FrStmBearb.h"
#include "frames/FrTexte.h"
#include "frames/FrUhren.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterObjectPages() {
  RegisterFrameMaker("FrStmBearb", [] { return new TFrStmBearb; });
  RegisterFrameMaker("FrModulBearb", [] { return new TFrModulBearb; });
  RegisterFrameMaker("FrTagesUhren", [] { return new TFrTagesUhren; });
  RegisterFrameMaker("FrWochenUhren", [] { return new TFrWochenUhren; });
  RegisterFrameMaker("FrJRMUhren", [] { return new TFrJRMUhren; });
  RegisterFrameMaker("FrMerker", [] { return new TFrMerker; });
  RegisterFrameMaker("FrTexte", [] { return new TFrTexte; });
  RegisterFrameMaker("FrGruppen", [] { return new TFrGruppen; });
  RegisterFrameMaker("FrPOR", [] { return new TFrPOR; });
}

}  // namespace zyn
