#pragma once
// The check of a tool's link script before it is stored: the block structure ("BLOCK" ...
// "END."), the keywords the block scan knows, the variables the lines name, the module-channel
// references and the numbers of the parameter lines. Every problem names its line (1-based).

#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;

struct TScriptProblem {
  int Line = 0;      // 1-based line of the script
  std::string Text;  // German, Windows-1252
};

// The problems of the script lines against the tool's variables; empty when the script is sound.
std::vector<TScriptProblem> CheckScript(const TZYNFunction& tool, const std::vector<std::string>& script);
// "Zeile <n>: <text>".
std::string ScriptProblemText(const TScriptProblem& problem);

}  // namespace zyn
