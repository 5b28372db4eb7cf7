#pragma once
// Tool generation before a compile, and the trial expansion that tells whether a tool's links
// would have a logic conflict.

#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;
class TZYNProjekt;
class TBasisDaten;
class IToolReport;

// Expands every tool of every control module (in list order) and then the project-wide tools;
// the generated links go into the link lists of their source objects. Conflict lines go into
// `log` when given. A tool that fails is reported and the run goes on with the next tool. The
// result is the number of tools that failed.
int GenerateTools(TZYNProjekt& projekt, const TBasisDaten& basis, IToolReport* report = nullptr,
                  std::vector<std::string>* log = nullptr);

// GenerateTools before a build: every tool is expanded, a tool that cannot be generated is
// reported (through the report's ToolFailed) and the run goes on with the next tool, so that the
// build goes on with the links of every other tool. The result holds one line per failed tool,
// naming it and the cause, for a caller without a report to show.
std::vector<std::string> GenerateToolsForBuild(TZYNProjekt& projekt, const TBasisDaten& basis,
                                               IToolReport* report = nullptr, std::vector<std::string>* log = nullptr);

// Expands the tool into a scratch list and answers its HasLgConflict. The project is left as it
// was: no link list changes, and the values the script changes in the tool's variables (RESET,
// VERSATZ counters, multipliers) are restored.
bool CheckToolLogic(TZYNFunction& tool, TZYNProjekt& projekt, const TBasisDaten& basis);

}  // namespace zyn
