#pragma once
// The rules of the tool editor, apart from its forms: a new tool, the script as the editor shows
// and takes it back, the choices of its combo boxes, and the checked edits of a variable, a
// parameter dialog and a node. A check answers a German text (Windows-1252) naming what is
// wrong, or nothing; an edit is stored only after its check passed. Fields whose text did not
// change keep their stored bytes, so an edit touches exactly what the user changed.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;
class TVariable;
class TParamDlg;
class TFuncNode;

// Today as the short date text "dd.mm.yyyy".
std::string TodayText();
// A new tool named "Neue Funktion" in group and name, created and modified today.
std::unique_ptr<TZYNFunction> NewTool(const std::string& today);

// The script as the editor shows it: "BLOCK" and "END." lines after two tabs, the others after
// three.
std::vector<std::string> ScriptToMemo(const std::vector<std::string>& script);
// The editor's lines as the script: upper-cased, tabs turned into blanks, trimmed (blank lines
// stay).
std::vector<std::string> MemoToScript(const std::vector<std::string>& memo);

// One entry of a combo box of the editor: the stored code and its name.
struct TCodeName {
  int Code;
  const char* Name;
};
const std::vector<TCodeName>& VarTypeChoices();    // "vtUnknown" .. "vtRollade" in the editor's order
const std::vector<TCodeName>& DlgTypeChoices();    // "dlgByte" .. "dlgRolladen4"
const std::vector<TCodeName>& NodeTypeChoices();   // "ntUnknown" .. "ntObject"
const std::vector<TCodeName>& NodeEditChoices();   // "edNone" .. "edGetLogicState"
const std::vector<TCodeName>& NodeFlagChoices();   // "flNone" .. "flSingle,flReserve"
const std::vector<TCodeName>& NodeParamChoices();  // "ptNone" .. "ptMerker"
// The position of the code in the choices; -1 when it is none of them.
int ChoiceIndex(const std::vector<TCodeName>& choices, int code);

// The fields of the variable dialog a type uses.
struct TVarFields {
  bool Repeats = false, Unit = false, Factor = false, Limits = false, Classes = false;
};
TVarFields VarFieldsFor(int16_t type);
// The class field holds the default value for the numeric types (label "Standardwert").
bool VarClassFieldIsValue(int16_t type);

// A variable as the dialog edits it (texts as typed, Windows-1252).
struct TVarEdit {
  std::string Name;
  int16_t Type = 0;
  std::string Repeats, Unit, Multiplier, Min, Max, Classes;
  std::array<bool, 16> Channels{};
};
TVarEdit VarEditFrom(const TVariable& v);
std::string CheckVarEdit(const TZYNFunction& tool, const TVariable* self, const TVarEdit& edit);
// Stores a checked edit: the name upper-cased, the type, and the fields the type uses.
void ApplyVarEdit(TVariable& v, const TVarEdit& edit);
// A 6-byte real as the editor shows it.
std::string RealText(long double value);

struct TDlgEdit {
  std::string Name;
  int16_t Type = 0;
  std::string Title, Text, Mask, Unit, Multiplier;
  std::string Var, Default;  // variable names, empty for none
};
TDlgEdit DlgEditFrom(const TParamDlg& d);
std::string CheckDlgEdit(const TZYNFunction& tool, const TParamDlg* self, const TDlgEdit& edit);
void ApplyDlgEdit(const TZYNFunction& tool, TParamDlg& d, const TDlgEdit& edit);

struct TNodeEdit {
  int16_t Type = 0;
  int16_t Edit = 0;
  std::string Text;
  std::string Var, Accept, Dialog, Default;  // names, empty for none
  int Flags = 0;                             // 0..3: bits flSingle and flReserve
  int16_t ParamType = 0;
};
TNodeEdit NodeEditFrom(const TFuncNode& n);
std::string CheckNodeEdit(const TZYNFunction& tool, const TFuncNode* self, const TNodeEdit& edit);
void ApplyNodeEdit(const TZYNFunction& tool, TFuncNode& n, const TNodeEdit& edit);

// Removes a dialog or a node of the tool together with every reference to it.
void DeleteDialog(TZYNFunction& tool, int index);
void DeleteNode(TZYNFunction& tool, int index);
// A name not yet used among the tool's variables, dialogs or nodes: the base, else the base with
// " 2", " 3", ...
std::string FreeVariableName(const TZYNFunction& tool, const std::string& base);
std::string FreeDialogName(const TZYNFunction& tool, const std::string& base);
std::string FreeNodeText(const TZYNFunction& tool, const std::string& base);

}  // namespace zyn
