#include "logic/TemplatePages.h"

#include "logic/FunctionListEditor.h"
#include "logic/TemplatePage.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterTemplatePages() {
  RegisterFrameMaker("FrBasis", [] { return new TFrBasis; });
  RegisterFrameMaker("FrFunctionEdit", [] { return new TFrFunctionEdit; });
}

}  // namespace zyn
