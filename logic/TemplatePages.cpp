#include "logic/TemplatePages.h"

#include "logic/FunctionListEditor.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterTemplatePages() {
  RegisterFrameMaker("FrFunctionEdit", [] { return new TFrFunctionEdit; });
}

}  // namespace zyn
