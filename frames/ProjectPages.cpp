#include "frames/ProjectPages.h"

#include "frames/FrCompile.h"
#include "frames/FrEditKennlinie.h"
#include "frames/FrOptionen.h"
#include "frames/FrProjektDateien.h"
#include "frames/FrTabellen.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterProjectPages() {
  RegisterFrameMaker("FrNeu", [] { return new TFrNeu; });
  RegisterFrameMaker("FrOpen", [] { return new TFrOpen; });
  RegisterFrameMaker("FrSaveAs", [] { return new TFrSaveAs; });
  RegisterFrameMaker("FrKunden", [] { return new TFrKunden; });
  RegisterFrameMaker("FrProjekte", [] { return new TFrProjekte; });
  RegisterFrameMaker("FrOptionen", [] { return new TFrOptionen; });
  RegisterFrameMaker("FrBasisDaten", [] { return new TFrBasisDaten; });
  RegisterFrameMaker("FrCompile", [] { return new TFrCompile; });
  RegisterFrameMaker("FrCompVerb", [] { return new TFrCompVerb; });
  RegisterFrameMaker("FrEditKennlinie", [] { return new TFrEditKennlinie; });
}

}  // namespace zyn
