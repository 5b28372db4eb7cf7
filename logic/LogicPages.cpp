#include "logic/LogicPages.h"

#include "logic/FrFunktion.h"
#include "shell/FormMain.h"

namespace zyn {

void RegisterLogicPages() {
  RegisterFrameMaker("FrFunktion", [] { return new TFrFunktion; });
}

}  // namespace zyn
