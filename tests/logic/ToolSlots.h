#pragma once
// A slot taking tools of the class "LICHT", added to a tool for the tests of tool references.

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"

#include <memory>

namespace zyn::test {

// The accept list names the class; the target variable of that type receives the references.
inline TFuncNode& AddToolSlot(TZYNFunction& tool, int16_t targetType) {
  auto accept = std::make_unique<TVariable>();
  accept->VarName = "AKZEPT";
  accept->SetVarType(vtClassList);
  accept->Add("LICHT");
  auto target = std::make_unique<TVariable>();
  target->VarName = "WERKZEUGE";
  target->SetVarType(targetType);
  auto slot = std::make_unique<TFuncNode>();
  slot->NodeType = ntFunction;
  slot->NodeText = "Werkzeuge";
  slot->NodeAccept = tool.Variables.Add(std::move(accept));
  slot->NodeVar = tool.Variables.Add(std::move(target));
  return *tool.Nodes.Add(std::move(slot));
}

}  // namespace zyn::test
