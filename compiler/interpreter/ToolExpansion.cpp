#include "compiler/interpreter/ToolExpansion.h"

#include "compiler/interpreter/BlockState.h"
#include "compiler/interpreter/Simulation.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/ZYNOptionen.h"

#include <cmath>

namespace zyn {

namespace {

std::string IncompleteToolText() {
  return ModelTranslate("Sie haben ein nicht vollständiges Tool in Ihrem Projekt.") + "\r" +
         ModelTranslate("Dieses kann zu unvorhersehbaren Problemen im System führen!") + "\r" +
         ModelTranslate("Bitte überprüfen Sie die verwendeten Tools noch einmal!");
}

}  // namespace

TExpandContext::TExpandContext(TZYNProjekt& projekt, const TBasisDaten& basis)
    : Projekt(projekt),
      Basis(basis),
      Names(projekt),
      RandomMin(GetIntOption(ioRandomMin)),
      RandomMax(GetIntOption(ioRandomMax)) {}

std::string ToolCaption(const TZYNFunction& tool) {
  const std::string function = ModelTranslate("Funktion:") + " " + tool.Info.FunctionName;
  if (tool.Info.Ebene.Empty()) return function;
  return ModelTranslate("Ebene:") + " " + tool.Info.Ebene.Text() + " - " + function;
}

void ExpandBlock(TZYNFunction& tool, const std::vector<std::string>& lines, const TExpandContext& context,
                 const std::string& caption) {
  TBlockState state;
  ScanBlock(tool, lines, state);
  ConstructLinks(tool, state, context, caption);
}

std::vector<const TFuncNode*> EmptySlots(const TZYNFunction& tool) {
  std::vector<const TFuncNode*> empty;
  for (int n = 0; n < tool.Nodes.Count(); ++n) {
    const TFuncNode* slot = tool.Nodes.Get(n);
    switch (slot->NodeType) {
      case ntEingang:
      case ntAusgang:
      case ntMerker:
      case ntUhr:
      case ntFunction:
      case ntObject:
      case 8:
        if (slot->NodeVar && slot->NodeVar->HasList() && slot->NodeVar->Count() == 0) empty.push_back(slot);
        break;
      default:
        break;
    }
  }
  return empty;
}

std::string MissingBindingMessage(const TZYNFunction& tool) {
  const std::vector<const TFuncNode*> empty = EmptySlots(tool);
  if (empty.empty()) return {};
  return ModelTranslate("Die Funktion") + " \"" + tool.Info.FunctionName + "\" " +
         ModelTranslate("kann keine Verbindungen erzeugen: der Anschluss") + " \"" + empty.front()->NodeText + "\" " +
         ModelTranslate("ist nicht belegt.");
}

// An empty slot contributes no links: the blocks that use it find no objects there and make
// none, while the tool's other slots still give theirs.
bool ExpandTool(TZYNFunction& tool, const TExpandContext& context) {
  if (AnsiUpperCase(tool.Info.FunctionGroup) == AnsiUpperCase(ModelTranslate("SIMULATIONEN"))) {
    try {
      ExpandSimulation(tool, context);
      return true;
    } catch (const EZYNError& e) {
      if (context.Report) context.Report->ToolFailed(tool, IncompleteToolText(), e.what());
      return false;
    }
  }
  tool.HasLgConflict = false;
  const std::vector<std::string>& script = tool.Script;
  int total = 0;
  for (const std::string& line : script)
    if (line.find("BLOCK") != std::string::npos) ++total;
  if (context.Report) {
    context.Report->SetToolProgress(0);
    context.Report->ProcessMessages();
  }
  const std::string caption = ToolCaption(tool);
  int n = 0;
  for (size_t i = 0; i < script.size(); ++i) {
    if (script[i].find("BLOCK") == std::string::npos) continue;
    ++n;
    if (context.Report) {
      context.Report->SetToolProgress(static_cast<int>(std::lrint(100.0 / (total + 1) * n)));
      context.Report->ProcessMessages();
    }
    std::vector<std::string> block;
    size_t end = i + 1;
    while (end < script.size() && script[end] != "END.") block.push_back(script[end++]);
    try {
      if (end >= script.size())
        throw EZYNError(Ansi("Dem Block ") + std::to_string(n) + Ansi(" fehlt die Zeile \"END.\"."));
      ExpandBlock(tool, block, context, caption);
    } catch (const EZYNError& e) {
      if (context.Report) context.Report->ToolFailed(tool, IncompleteToolText(), e.what());
      return false;
    } catch (const std::exception& e) {
      if (context.Report) context.Report->ToolFailed(tool, IncompleteToolText(), e.what());
      return false;
    }
    i = end;  // the walk goes on with the "END." line, which opens nothing
  }
  return true;
}

}  // namespace zyn
