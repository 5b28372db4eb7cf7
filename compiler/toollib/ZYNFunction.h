#pragma once
// One tool: its header, variables, parameter dialogs, connection nodes and link script, in the
// raw library form and in the form it takes inside the project stream.

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunctionInfo.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Variable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TStream;
class TRawToolReader;
class IToolLookup;

// Sub-tools embedded in a library file may nest at most this deep.
constexpr int kMaxSubToolDepth = 16;

class TZYNFunction {
 public:
  TZYNFunction();
  virtual ~TZYNFunction();
  TZYNFunction(const TZYNFunction&) = delete;
  TZYNFunction& operator=(const TZYNFunction&) = delete;

  bool HasLgConflict = false;
  std::string InternalName;  // at most 255 characters; not part of the raw form
  int16_t Versatz = 0;       // offset step of the expansion, not persisted

  TFunctionInfo Info;
  TVarList Variables;
  TDlgList Dialogs;
  TFuncNodeList Nodes;
  std::vector<std::string> Script;  // the link script, one line per entry (at most 255 characters)

  std::string GetFunctionName() const { return Info.FunctionName; }
  bool GetUsableAsSubFunction() const { return Info.CanBeSubFunc != 0; }
  void SetName(const std::string& name) { Info.FunctionName = name.substr(0, 50); }
  void SetGroup(const std::string& group) { Info.FunctionGroup = group.substr(0, 50); }
  void SetHelpText(const std::string& help) { Info.FunctionHelp = help.substr(0, 255); }

  // The variable of that exact name; for "LAUFZEITAUF" and "LAUFZEITAB" (in any case) without such
  // a variable, the variable "LAUFZEIT".
  TVariable* FindVariable(std::string_view name) const;
  // Removes a variable and every reference of the dialogs and nodes to it.
  void DeleteVariable(int index);

  // Copies header (without level), variables, dialogs, nodes and script, appending to the lists;
  // the references are bound by name to the copies.
  void CopyFrom(const TZYNFunction& source);

  // Raw form, without count. Loading replaces the tool's content only when the whole tool was read.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  void LoadFromRaw(TRawToolReader& reader);
  // `writing` holds the tools being written around this one, so a tool that holds itself as a
  // sub-tool stops with an error instead of recursing endlessly.
  void SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const;

  // Project-stream form: InternalName, header, and the four lists framed by list markers.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  // Attaches the project objects named in the nodes' variables (after a project was read).
  void CheckAfterLoad(const IToolLookup& lookup);

  // ---- script token operations (a line reads KEYWORD %Variable% : text); every result is cut to
  // 255 characters
  static std::string TokenPercent(std::string_view line);    // between the first two "%"
  static std::string TokenHash(std::string_view line);       // between the first two "#"
  static std::string TokenModuleVar(std::string_view line);  // between the first "%" and the next "\"
  // The number between the second "\" and the following "%"; EZYNError when it is no number.
  static int TokenChannelIndex(std::string_view line);
  // 0 for a line holding "\INPUT", else 1 for "\OUTPUT", else -1.
  static int ChannelKind(std::string_view line);
  // The text after the first ":" (the whole line without one), trimmed, leading digits removed,
  // trimmed again.
  static std::string LineText(std::string_view line);
  // The number before the first "," and the text after it; without "," the whole text is the
  // number and the rest is empty. EZYNError when the number does not parse.
  static int TakeNumber(const std::string& text, std::string& rest);

  // The value of the variable named between the first two "%" of the token, plus an addend
  // written "+n," after it; scaled by the multiplier (a multiplier of 0 becomes 1.0 first),
  // rounded half to even; with advance the variable's Value then grows by the increment. `rest`
  // gets the text after the variable (and after the addend). A variable that does not exist is
  // an error (EZYNError), never a leftover number.
  int VariableValue(const std::string& token, int increment, bool scale, bool advance, std::string& rest);
  // Fills the 10-byte blind-motor value of the target from a parameter text: three numbers for
  // bytes 0 to 2, then up to three words (bytes 3-4, 5-6, 7-8) as numbers or variable references;
  // "#name#" takes the value from the variable of the sub-tool at `index` of `listVar`.
  void ResolveParameter(TVariable& target, const std::string& text, const TVariable* listVar, int index);

 private:
  void Clear();
};

}  // namespace zyn
