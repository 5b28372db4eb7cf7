#include "compiler/toollib/ToolEdit.h"

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Real48.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zyn {

namespace {

// Field lengths of the records.
constexpr size_t kVarNameMax = 255;
constexpr size_t kUnitMax = 30;
constexpr size_t kDlgNameMax = 50;
constexpr size_t kDlgTextMax = 255;
constexpr size_t kNodeTextMax = 255;

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string TooLong(const char* field, size_t max) {
  return Ansi("Der Text im Feld \"") + Ansi(field) + Ansi("\" ist länger als ") + std::to_string(max) +
         Ansi(" Zeichen.");
}

// A whole integer in [min, max]; false otherwise.
bool ParseInt(const std::string& text, long long min, long long max, long long& result) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  const char* first = t.data();
  if (*first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, t.data() + t.size(), result);
  return ec == std::errc() && ptr == t.data() + t.size() && result >= min && result <= max;
}

// A decimal number with point or comma; false otherwise.
bool ParseReal(const std::string& text, long double& result) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  for (char& c : t)
    if (c == ',') c = '.';
  for (char c : t)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  result = std::strtold(t.c_str(), &end);
  return end == t.c_str() + t.size() && std::isfinite(result);
}

std::string NotANumber(const char* field) {
  return Ansi("Im Feld \"") + Ansi(field) + Ansi("\" steht keine gültige Zahl.");
}

bool HasScriptMark(const std::string& name) { return name.find_first_of("%#&,") != std::string::npos; }

// The stored real is replaced only when the text gives another number than the one shown.
void StoreReal(TReal48& target, const std::string& text) {
  long double value = 0;
  if (!ParseReal(text, value)) return;
  if (RealText(value) == RealText(target.Value())) return;
  target = TReal48::FromValue(value);
}

template <class Exists>
std::string FreeName(const std::string& base, Exists exists) {
  if (!exists(base)) return base;
  for (int n = 2;; ++n) {
    const std::string name = base + " " + std::to_string(n);
    if (!exists(name)) return name;
  }
}

bool ReferenceKnown(const TZYNFunction& tool, const std::string& name) {
  return name.empty() || tool.Variables.Find(name) != nullptr;
}

}  // namespace

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  return std::string(buffer).substr(0, 10);
}

std::unique_ptr<TZYNFunction> NewTool(const std::string& today) {
  auto tool = std::make_unique<TZYNFunction>();
  tool->SetGroup("Neue Funktion");
  tool->SetName("Neue Funktion");
  tool->Info.CreationDate = today.substr(0, 10);
  tool->Info.LastModified = today.substr(0, 10);
  return tool;
}

std::vector<std::string> ScriptToMemo(const std::vector<std::string>& script) {
  std::vector<std::string> memo;
  memo.reserve(script.size());
  for (const std::string& line : script) {
    const bool outer = line.find("BLOCK") != std::string::npos || line == "END.";
    memo.push_back((outer ? "\t\t" : "\t\t\t") + line);
  }
  return memo;
}

std::vector<std::string> MemoToScript(const std::vector<std::string>& memo) {
  std::vector<std::string> script;
  script.reserve(memo.size());
  for (std::string line : memo) {
    for (char& c : line)
      if (c == '\t') c = ' ';
    script.push_back(Trim(AnsiUpperCase(line)).substr(0, 255));
  }
  return script;
}

const std::vector<TCodeName>& VarTypeChoices() {
  static const std::vector<TCodeName> choices = {
      {vtUnknown, "vtUnknown"},   {vtByte, "vtByte"},       {vtWord, "vtWord"},
      {vtTimeMin, "vtTimeMin"},   {vtTimeSek, "vtTimeSek"}, {vtTimeSek10, "vtTimeSek10"},
      {vtEingang, "vtEingang"},   {vtAusgang, "vtAusgang"}, {vtMerker, "vtMerker"},
      {vtUhr, "vtUhr"},           {vtObject, "vtObject"},   {vtClassList, "vtClassList"},
      {vtFunction, "vtFunction"}, {vtRollade, "vtRollade"}};
  return choices;
}

const std::vector<TCodeName>& DlgTypeChoices() {
  static const std::vector<TCodeName> choices = {{dlgByte, "dlgByte"},
                                                 {dlgWord, "dlgWord"},
                                                 {dlgLong, "dlgLong"},
                                                 {dlgString, "dlgString"},
                                                 {dlgTimeMin, "dlgTimeMin"},
                                                 {dlgTimeSek, "dlgTimeSek"},
                                                 {dlgTimeSek10, "dlgTimeSek10"},
                                                 {dlgTimeAngle, "dlgTimeAngle"},
                                                 {dlgByteList, "dlgByteList"},
                                                 {dlgWordList, "dlgWordList"},
                                                 {dlgStringList, "dlgStringList"},
                                                 {dlgTimeList, "dlgTimeList"},
                                                 {dlgWinkelTime, "dlgWinkelTime"},
                                                 {dlgRolladen1, "dlgRolladen1"},
                                                 {dlgRolladen2, "dlgRolladen2"},
                                                 {dlgRolladen3, "dlgRolladen3"},
                                                 {dlgRolladen4, "dlgRolladen4"}};
  return choices;
}

const std::vector<TCodeName>& NodeTypeChoices() {
  static const std::vector<TCodeName> choices = {
      {ntUnknown, "ntUnknown"}, {ntEingang, "ntEingang"},     {ntAusgang, "ntAusgang"},   {ntMerker, "ntMerker"},
      {ntUhr, "ntUhr"},         {ntParameter, "ntParameter"}, {ntFunction, "ntFunction"}, {ntObject, "ntObject"}};
  return choices;
}

const std::vector<TCodeName>& NodeEditChoices() {
  static const std::vector<TCodeName> choices = {{edNone, "edNone"},
                                                 {edDragDrop, "edDragDrop"},
                                                 {edDialog, "edDialog"},
                                                 {edGetFunctionCode, "edGetFunctionCode"},
                                                 {edGetLogicState, "edGetLogicState"}};
  return choices;
}

const std::vector<TCodeName>& NodeFlagChoices() {
  static const std::vector<TCodeName> choices = {
      {0, "flNone"}, {flSingle, "flSingle"}, {flReserve, "flReserve"}, {flSingle | flReserve, "flSingle,flReserve"}};
  return choices;
}

const std::vector<TCodeName>& NodeParamChoices() {
  static const std::vector<TCodeName> choices = {
      {0, "ptNone"},      {1, "ptByte"},     {2, "ptWord"},     {3, "ptTimeMin"},    {4, "ptTimeSek"},
      {5, "ptTimeSek10"}, {6, "ptListByte"}, {7, "ptListWord"}, {8, "ptListString"}, {9, "ptListTime"},
      {10, "ptObject"},   {11, "ptEingang"}, {12, "ptAusgang"}, {13, "ptMerker"}};
  return choices;
}

int ChoiceIndex(const std::vector<TCodeName>& choices, int code) {
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].Code == code) return static_cast<int>(i);
  return -1;
}

TVarFields VarFieldsFor(int16_t type) {
  TVarFields f;
  if (type == vtUnknown) return f;
  if (type >= vtByte && type <= vtTimeSek10) {
    f.Unit = f.Factor = f.Limits = f.Classes = true;  // the class field is the default value here
    return f;
  }
  if (type == vtClassList) {
    f.Classes = true;
    return f;
  }
  f.Repeats = true;
  return f;
}

bool VarClassFieldIsValue(int16_t type) { return type >= vtByte && type <= vtTimeSek10; }

std::string RealText(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10Lg", value);
  return buffer;
}

TVarEdit VarEditFrom(const TVariable& v) {
  TVarEdit e;
  e.Name = v.VarName;
  e.Type = v.VarType();
  e.Repeats = std::to_string(v.Repeats);
  e.Unit = v.GetEinheit();
  e.Multiplier = RealText(v.GetMultiplier());
  e.Min = RealText(v.GetMinValue());
  e.Max = RealText(v.GetMaxValue());
  e.Classes = v.GetValueText();
  for (int c = 0; c < 16; ++c) e.Channels[static_cast<size_t>(c)] = v.AllowsChannel(c);
  return e;
}

std::string CheckVarEdit(const TZYNFunction& tool, const TVariable* self, const TVarEdit& edit) {
  const std::string name = AnsiUpperCase(Trim(edit.Name));
  if (name.empty()) return Ansi("Die Variable braucht einen Namen.");
  if (name.size() > kVarNameMax) return TooLong("Name der Variable", kVarNameMax);
  if (HasScriptMark(name)) return Ansi("Der Name der Variable darf die Zeichen % # & und das Komma nicht enthalten.");
  const TVariable* other = tool.Variables.Find(name);
  if (other && other != self) return Ansi("Eine Variable ") + Quote(name) + Ansi(" gibt es in dieser Funktion schon.");
  if (ChoiceIndex(VarTypeChoices(), edit.Type) < 0) return Ansi("Der Variablentyp ist unbekannt.");
  const TVarFields f = VarFieldsFor(edit.Type);
  long long number = 0;
  if (f.Repeats && !ParseInt(edit.Repeats, -1, 32767, number))
    return Ansi("Die Anzahl der Wiederholungen muss eine ganze Zahl von -1 bis 32767 sein.");
  if (f.Unit && edit.Unit.size() > kUnitMax) return TooLong("Parametereinheit", kUnitMax);
  if (f.Factor || f.Limits) {
    long double mul = 0, min = 0, max = 0;
    if (!ParseReal(edit.Multiplier, mul)) return NotANumber("Multiplikator Parameter");
    if (!ParseReal(edit.Min, min)) return NotANumber("Mindestwert");
    if (!ParseReal(edit.Max, max)) return NotANumber("Maximalwert");
    TReal48 probe;
    for (long double v : {mul, min, max})
      if (!TReal48::TryFromValue(v, probe)) return Ansi("Eine der Zahlen ist zu groß.");
    if (min > max) return Ansi("Der Mindestwert ist größer als der Maximalwert.");
  }
  if (f.Classes && VarClassFieldIsValue(edit.Type)) {
    const long long max = edit.Type == vtByte ? 255 : 65535;
    if (!ParseInt(edit.Classes, 0, max, number))
      return Ansi("Der Standardwert muss eine ganze Zahl von 0 bis ") + std::to_string(max) + Ansi(" sein.");
  }
  if (f.Classes && edit.Type == vtClassList) {
    for (char c : edit.Classes)
      if (c == '%' || c == '#') return Ansi("Die zulässigen Klassen dürfen die Zeichen % und # nicht enthalten.");
  }
  return {};
}

void ApplyVarEdit(TVariable& v, const TVarEdit& edit) {
  v.VarName = AnsiUpperCase(Trim(edit.Name)).substr(0, kVarNameMax);
  if (edit.Type != v.VarType()) v.SetVarType(edit.Type);
  const TVarFields f = VarFieldsFor(edit.Type);
  long long number = 0;
  if (f.Repeats && ParseInt(edit.Repeats, -1, 32767, number)) v.Repeats = static_cast<int16_t>(number);
  if (f.Unit && edit.Unit != v.GetEinheit()) v.Einheit.SetText(edit.Unit);
  if (f.Factor) StoreReal(v.Multiplier, edit.Multiplier);
  if (f.Limits) {
    StoreReal(v.MinValue, edit.Min);
    StoreReal(v.MaxValue, edit.Max);
  }
  if (f.Classes && (edit.Classes != v.GetValueText() || (edit.Type == vtClassList && !v.HasList())))
    v.SetValueText(Trim(edit.Classes));
  if (f.Classes && edit.Type == vtClassList)
    for (int c = 0; c < 16; ++c)
      if (edit.Channels[static_cast<size_t>(c)] != v.AllowsChannel(c))
        v.ChannelBlock[static_cast<size_t>(c)] = edit.Channels[static_cast<size_t>(c)] ? 0 : 255;
}

TDlgEdit DlgEditFrom(const TParamDlg& d) {
  TDlgEdit e;
  e.Name = d.DlgName;
  e.Type = d.DlgType;
  e.Title = d.DlgTitle;
  e.Text = d.DlgText;
  e.Mask = d.DlgMask;
  e.Unit = d.DlgEinheit;
  e.Multiplier = std::to_string(d.DlgMultiplier);
  e.Var = VarNameOf(d.DlgVar);
  e.Default = VarNameOf(d.DlgDefault);
  return e;
}

std::string CheckDlgEdit(const TZYNFunction& tool, const TParamDlg* self, const TDlgEdit& edit) {
  const std::string name = AnsiUpperCase(Trim(edit.Name));
  if (name.empty()) return Ansi("Der Dialog braucht einen Namen.");
  if (name.size() > kDlgNameMax) return TooLong("Dialogname", kDlgNameMax);
  if (HasScriptMark(name)) return Ansi("Der Dialogname darf die Zeichen % # & und das Komma nicht enthalten.");
  const TParamDlg* other = tool.Dialogs.Find(name);
  if (other && other != self) return Ansi("Einen Dialog ") + Quote(name) + Ansi(" gibt es in dieser Funktion schon.");
  if (ChoiceIndex(DlgTypeChoices(), static_cast<uint16_t>(edit.Type)) < 0) return Ansi("Der Dialogtyp ist unbekannt.");
  if (edit.Title.size() > kDlgNameMax) return TooLong("Dialogtitel", kDlgNameMax);
  if (edit.Text.size() > kDlgTextMax) return TooLong("Infotext", kDlgTextMax);
  if (edit.Mask.size() > kDlgNameMax) return TooLong("Eingabemaske", kDlgNameMax);
  if (edit.Unit.size() > kDlgNameMax) return TooLong("Parametereinheit", kDlgNameMax);
  long long number = 0;
  if (!ParseInt(edit.Multiplier, -32768, 32767, number))
    return Ansi("Der Multiplikator muss eine ganze Zahl von -32768 bis 32767 sein.");
  if (!ReferenceKnown(tool, edit.Var) || !ReferenceKnown(tool, edit.Default))
    return Ansi("Die gewählte Variable gibt es in dieser Funktion nicht.");
  return {};
}

void ApplyDlgEdit(const TZYNFunction& tool, TParamDlg& d, const TDlgEdit& edit) {
  d.DlgName = AnsiUpperCase(Trim(edit.Name)).substr(0, kDlgNameMax);
  d.DlgType = edit.Type;
  d.DlgTitle = edit.Title.substr(0, kDlgNameMax);
  d.DlgText = edit.Text.substr(0, kDlgTextMax);
  d.DlgMask = edit.Mask.substr(0, kDlgNameMax);
  d.DlgEinheit = edit.Unit.substr(0, kDlgNameMax);
  long long number = 0;
  if (ParseInt(edit.Multiplier, -32768, 32767, number)) d.DlgMultiplier = static_cast<int16_t>(number);
  d.DlgVar = edit.Var.empty() ? nullptr : tool.Variables.Find(edit.Var);
  d.DlgDefault = edit.Default.empty() ? nullptr : tool.Variables.Find(edit.Default);
}

TNodeEdit NodeEditFrom(const TFuncNode& n) {
  TNodeEdit e;
  e.Type = n.NodeType;
  e.Edit = n.NodeEdit;
  e.Text = n.NodeText;
  e.Var = VarNameOf(n.NodeVar);
  e.Accept = VarNameOf(n.NodeAccept);
  e.Default = VarNameOf(n.NodeDefault);
  e.Dialog = n.NodeDlg ? n.NodeDlg->DlgName : std::string();
  e.Flags = n.NodeFlags & (flSingle | flReserve);
  e.ParamType = n.NodeParamType;
  return e;
}

std::string CheckNodeEdit(const TZYNFunction& tool, const TFuncNode* self, const TNodeEdit& edit) {
  if (Trim(edit.Text).empty()) return Ansi("Die Node braucht einen Text.");
  if (edit.Text.size() > kNodeTextMax) return TooLong("Nodetext", kNodeTextMax);
  const TFuncNode* other = tool.Nodes.Find(edit.Text);
  if (other && other != self) return Ansi("Eine Node ") + Quote(edit.Text) + Ansi(" gibt es in dieser Funktion schon.");
  if (ChoiceIndex(NodeTypeChoices(), edit.Type) < 0 || ChoiceIndex(NodeEditChoices(), edit.Edit) < 0 ||
      ChoiceIndex(NodeFlagChoices(), edit.Flags) < 0 || ChoiceIndex(NodeParamChoices(), edit.ParamType) < 0)
    return Ansi("Eine der Auswahlen der Node ist unbekannt.");
  if (!ReferenceKnown(tool, edit.Var) || !ReferenceKnown(tool, edit.Accept) || !ReferenceKnown(tool, edit.Default))
    return Ansi("Die gewählte Variable gibt es in dieser Funktion nicht.");
  if (!edit.Dialog.empty() && !tool.Dialogs.Find(edit.Dialog))
    return Ansi("Den gewählten Parameterdialog gibt es in dieser Funktion nicht.");
  return {};
}

void ApplyNodeEdit(const TZYNFunction& tool, TFuncNode& n, const TNodeEdit& edit) {
  n.NodeType = edit.Type;
  n.NodeEdit = edit.Edit;
  n.NodeText = edit.Text.substr(0, kNodeTextMax);
  n.NodeVar = edit.Var.empty() ? nullptr : tool.Variables.Find(edit.Var);
  n.NodeAccept = edit.Accept.empty() ? nullptr : tool.Variables.Find(edit.Accept);
  n.NodeDefault = edit.Default.empty() ? nullptr : tool.Variables.Find(edit.Default);
  n.NodeDlg = edit.Dialog.empty() ? nullptr : tool.Dialogs.Find(edit.Dialog);
  n.NodeFlags = (n.NodeFlags & ~(flSingle | flReserve)) | edit.Flags;
  n.NodeParamType = edit.ParamType;
}

void DeleteDialog(TZYNFunction& tool, int index) {
  const TParamDlg* d = tool.Dialogs.Get(index);
  if (!d) return;
  tool.Nodes.ForgetDialog(d);
  tool.Dialogs.Extract(index);
}

void DeleteNode(TZYNFunction& tool, int index) { tool.Nodes.Extract(index); }

std::string FreeVariableName(const TZYNFunction& tool, const std::string& base) {
  return FreeName(base, [&](const std::string& n) { return tool.Variables.Find(n) != nullptr; });
}

std::string FreeDialogName(const TZYNFunction& tool, const std::string& base) {
  return FreeName(base, [&](const std::string& n) { return tool.Dialogs.Find(n) != nullptr; });
}

std::string FreeNodeText(const TZYNFunction& tool, const std::string& base) {
  return FreeName(base, [&](const std::string& n) { return tool.Nodes.Find(n) != nullptr; });
}

}  // namespace zyn
