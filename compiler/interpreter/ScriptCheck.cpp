#include "compiler/interpreter/ScriptCheck.h"

#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/TextUtils.h"

namespace zyn {

namespace {

// The keywords of the block scan, each with its trailing blank.
const char* const kKeywords[] = {"RESET ",  "SETVERSATZ ", "FLAG ",   "IF ",     "VERB ",      "WITH ",
                                 "LOGIC ",  "ALT ",        "CIF ",    "THEN ",   "AND ",       "ELSE ",
                                 "PARAM1 ", "PARAM2 ",     "CPARA1 ", "CPARA2 ", "DPARA1 ",    "DPARA2 ",
                                 "IFM ",    "THENM ",      "ELSEM ",  "ANDM ",   "ANDNOTSELF "};
const char* const kModuleKeywords[] = {"IFM ", "THENM ", "ELSEM ", "ANDM "};

bool HasKeyword(const std::string& line, const char* keyword) { return line.find(keyword) != std::string::npos; }

std::string Q(const std::string& text) { return "\"" + text + "\""; }

class TChecker {
 public:
  TChecker(const TZYNFunction& tool, std::vector<TScriptProblem>& problems) : fTool(tool), fProblems(problems) {}

  void Problem(int line, const std::string& text) { fProblems.push_back({line, text}); }

  // One line inside a block.
  void Line(int number, const std::string& line) {
    if (Trim(line).empty()) return;
    bool known = false;
    for (const char* k : kKeywords) known = known || HasKeyword(line, k);
    if (!known) {
      Problem(number, Ansi("Die Zeile enthält keine bekannte Anweisung: ") + Q(line));
      return;
    }
    if (CountOf(line, '%') % 2 != 0) {
      Problem(number, Ansi("Ein Variablenname ist nicht mit \"%\" abgeschlossen."));
      return;
    }
    bool module = false;
    for (const char* k : kModuleKeywords) module = module || HasKeyword(line, k);
    Variables(number, line, module);
    if (module) ModuleChannel(number, line);
    for (const char* k : {"CPARA1 ", "CPARA2 "})
      if (HasKeyword(line, k)) Parameter(number, line);
    if (HasKeyword(line, "LOGIC ")) fLogic = true;
    if (HasKeyword(line, "AND ") || HasKeyword(line, "ANDM ") || HasKeyword(line, "ANDNOTSELF ")) fAnd = true;
  }

  // A block begins: its own LOGIC/AND record.
  void BeginBlock() { fLogic = fAnd = false; }
  void EndBlock(int blockLine) {
    if (fLogic && fAnd)
      Problem(blockLine, Ansi("LOGIC und AND, ANDM oder ANDNOTSELF können nicht im selben Block stehen."));
  }

 private:
  static int CountOf(const std::string& s, char c) {
    int n = 0;
    for (char x : s) n += x == c;
    return n;
  }

  // Every name between a pair of "%" must be a variable of the tool (the module variable of a
  // channel reference is the part before the first "\").
  void Variables(int number, const std::string& line, bool module) {
    size_t pos = 0;
    while ((pos = line.find('%', pos)) != std::string::npos) {
      const size_t end = line.find('%', pos + 1);
      if (end == std::string::npos) break;
      std::string name = line.substr(pos + 1, end - pos - 1);
      const size_t slash = name.find('\\');
      if (module && slash != std::string::npos) name = name.substr(0, slash);
      if (name.empty())
        Problem(number, Ansi("Zwischen zwei \"%\" steht kein Variablenname."));
      else if (!fTool.FindVariable(name))
        Problem(number, Ansi("Die Variable ") + Q(name) + Ansi(" ist in der Funktion nicht vorhanden."));
      pos = end + 1;
    }
  }

  void ModuleChannel(int number, const std::string& line) {
    if (TZYNFunction::ChannelKind(line) < 0) {
      Problem(number, Ansi("Der Modulkanal muss mit \\INPUT\\ oder \\OUTPUT\\ angegeben werden."));
      return;
    }
    try {
      if (TZYNFunction::TokenChannelIndex(line) < 0) throw EZYNError("");
    } catch (const EZYNError&) {
      Problem(number, Ansi("Die Kanalnummer des Modulkanals ist keine gültige Zahl."));
    }
  }

  // The three leading numbers of a parameter text.
  void Parameter(int number, const std::string& line) {
    std::string rest = line.size() > 6 ? Trim(line.substr(6)) : std::string();
    try {
      for (int i = 0; i < 3; ++i) {
        std::string next;
        TZYNFunction::TakeNumber(rest, next);
        rest = next;
      }
    } catch (const EZYNError&) {
      Problem(number, Ansi("Der Parameter muss mit drei Zahlen beginnen, getrennt durch Kommas."));
    }
  }

  const TZYNFunction& fTool;
  std::vector<TScriptProblem>& fProblems;
  bool fLogic = false;
  bool fAnd = false;
};

}  // namespace

std::vector<TScriptProblem> CheckScript(const TZYNFunction& tool, const std::vector<std::string>& script) {
  std::vector<TScriptProblem> problems;
  TChecker checker(tool, problems);
  int open = 0;  // line of the open "BLOCK", 0 outside a block
  for (size_t i = 0; i < script.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string& line = script[i];
    if (line.find("BLOCK") != std::string::npos) {
      if (open > 0) {
        checker.Problem(number, Ansi("Der Block aus Zeile ") + std::to_string(open) +
                                    Ansi(" ist nicht mit \"END.\" abgeschlossen."));
        checker.EndBlock(open);
      }
      open = number;
      checker.BeginBlock();
    } else if (line == "END.") {
      if (open == 0)
        checker.Problem(number, Ansi("\"END.\" steht ohne vorheriges \"BLOCK\"."));
      else
        checker.EndBlock(open);
      open = 0;
    } else if (open > 0) {
      checker.Line(number, line);
    } else if (!Trim(line).empty()) {
      checker.Problem(number, Ansi("Die Zeile steht außerhalb eines Blocks."));
    }
  }
  if (open > 0) {
    checker.Problem(open, Ansi("Dem Block fehlt die Zeile \"END.\"."));
    checker.EndBlock(open);
  }
  return problems;
}

std::string ScriptProblemText(const TScriptProblem& problem) {
  return Ansi("Zeile ") + std::to_string(problem.Line) + ": " + problem.Text;
}

}  // namespace zyn
