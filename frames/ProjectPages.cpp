#include "frames/ProjectPages.h"

#include "frames/FrEditKennlinie.h"
#include "frames/FrProjektDateien.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterProjectPages() {
  RegisterFrameMaker("FrNeu", [] { return new TFrNeu; });
  RegisterFrameMaker("FrOpen", [] { return new TFrOpen; });
  RegisterFrameMaker("FrSaveAs", [] { return new TFrSaveAs; });
  RegisterFrameMaker("FrEditKennlinie", [] { return new TFrEditKennlinie; });
}

}  // namespace zyn
