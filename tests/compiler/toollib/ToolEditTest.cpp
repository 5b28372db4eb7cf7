// The tool editor's rules: new tools, the script as shown and taken back, checked edits of
// variables, dialogs and nodes, and the macro text.

#include "compiler/toollib/ToolEdit.h"

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/MacroText.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Streams.h"

#include "ToolFixtures.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {


std::string RawOf(const TZYNFunction& tool) {
  TMemoryStream s;
  tool.SaveToStream(s);
  return std::string(s.Bytes().begin(), s.Bytes().end());
}

TEST(ToolEdit, NewToolIsNamedAndDatedToday) {
  auto tool = NewTool("10.12.2026xx");
  EXPECT_EQ(tool->Info.FunctionName, "Neue Funktion");
  EXPECT_EQ(tool->Info.FunctionGroup, "Neue Funktion");
  EXPECT_EQ(tool->Info.CreationDate, "10.12.2026");
  EXPECT_EQ(tool->Info.LastModified, "10.12.2026");
  EXPECT_EQ(TodayText().size(), 10u);
}

TEST(ToolEdit, ScriptIsIndentedForTheMemoAndTakenBackUpperCasedAndTrimmed) {
  const std::vector<std::string> script = {"BLOCK 1", "IF %T% : EIN", "END.", ""};
  EXPECT_EQ(ScriptToMemo(script),
            (std::vector<std::string>{"\t\tBLOCK 1", "\t\t\tIF %T% : EIN", "\t\tEND.", "\t\t\t"}));
  EXPECT_EQ(MemoToScript(ScriptToMemo(script)), script);
  EXPECT_EQ(MemoToScript({"  then\t%l%  : \xE4in ", "", "\t"}),
            (std::vector<std::string>{"THEN %L%  : \xC4IN", "", ""}));
}

TEST(ToolEdit, VariableFieldsFollowTheType) {
  struct Row {
    int16_t type;
    bool repeats, unit, limits, classes;
  } rows[] = {{vtUnknown, false, false, false, false}, {vtByte, false, true, true, true},
              {vtTimeSek10, false, true, true, true},  {vtClassList, false, false, false, true},
              {vtEingang, true, false, false, false},  {vtRollade, true, false, false, false}};
  for (const Row& r : rows) {
    const TVarFields f = VarFieldsFor(r.type);
    EXPECT_EQ(f.Repeats, r.repeats) << r.type;
    EXPECT_EQ(f.Unit, r.unit) << r.type;
    EXPECT_EQ(f.Limits, r.limits) << r.type;
    EXPECT_EQ(f.Factor, r.limits) << r.type;
    EXPECT_EQ(f.Classes, r.classes) << r.type;
  }
  EXPECT_EQ(VarTypeChoices().size(), 14u);
  EXPECT_EQ(ChoiceIndex(VarTypeChoices(), vtRollade), 13);
  EXPECT_EQ(ChoiceIndex(DlgTypeChoices(), dlgRolladen4), 16);
}

TEST(ToolEdit, VariableEditsAreCheckedBeforeTheyAreStored) {
  TZYNFunction tool;
  TVariable& zeit = test::AddVar(tool, "ZEIT", vtTimeSek);
  test::AddVar(tool, "LICHT", vtAusgang);
  const TVarEdit good = VarEditFrom(zeit);
  EXPECT_EQ(CheckVarEdit(tool, &zeit, good), "");
  struct Case {
    const char* what;
    std::function<void(TVarEdit&)> change;
  } cases[] = {
      {"leerer Name", [](TVarEdit& e) { e.Name = "  "; }},
      {"Name einer anderen Variable (klein geschrieben)", [](TVarEdit& e) { e.Name = "licht"; }},
      {"Prozentzeichen im Namen", [](TVarEdit& e) { e.Name = "A%B"; }},
      {"Mindestwert keine Zahl", [](TVarEdit& e) { e.Min = "abc"; }},
      {"Mindestwert über Maximalwert",
       [](TVarEdit& e) {
         e.Min = "10";
         e.Max = "5";
       }},
      {"Multiplikator zu groß", [](TVarEdit& e) { e.Multiplier = "1e60"; }},
      {"Standardwert über Word", [](TVarEdit& e) { e.Classes = "65536"; }},
      {"Standardwert negativ", [](TVarEdit& e) { e.Classes = "-1"; }},
      {"Standardwert eines Bytes über 255",
       [](TVarEdit& e) {
         e.Type = vtByte;
         e.Classes = "256";
       }},
      {"unbekannter Typ", [](TVarEdit& e) { e.Type = 8; }},
      {"Einheit zu lang", [](TVarEdit& e) { e.Unit = std::string(31, 'x'); }},
  };
  for (const Case& c : cases) {
    TVarEdit e = good;
    c.change(e);
    EXPECT_NE(CheckVarEdit(tool, &zeit, e), "") << c.what;
  }
  TVarEdit repeats = VarEditFrom(*tool.Variables.Find("LICHT"));
  repeats.Repeats = "-2";
  EXPECT_NE(CheckVarEdit(tool, tool.Variables.Find("LICHT"), repeats), "");
  repeats.Repeats = "3";
  EXPECT_EQ(CheckVarEdit(tool, tool.Variables.Find("LICHT"), repeats), "");
  // A comma in a decimal number is taken.
  TVarEdit comma = good;
  comma.Multiplier = "0,5";
  EXPECT_EQ(CheckVarEdit(tool, &zeit, comma), "");
}

TEST(ToolEdit, AnUnchangedVariableEditKeepsEveryByteAndAChangeTouchesOnlyItsField) {
  TZYNFunction tool;
  TVariable& zeit = test::AddVar(tool, "ZEIT", vtTimeSek);
  zeit.Einheit.Image.fill(0x33);  // bytes behind the text stay
  zeit.Einheit.SetText("Sek");
  const uint8_t oddMax[6] = {0x90, 0x01, 0x00, 0x00, 0xFF, 0x7F};  // not the nearest real of its text
  zeit.MaxValue = TReal48::FromBytes(oddMax);
  zeit.Reserved1 = {9, 8, 7, 6};
  zeit.Value = 30;
  const std::string before = RawOf(tool);
  ApplyVarEdit(zeit, VarEditFrom(zeit));
  EXPECT_EQ(RawOf(tool), before);

  TVarEdit e = VarEditFrom(zeit);
  e.Min = "2";
  ApplyVarEdit(zeit, e);
  const std::string after = RawOf(tool);
  ASSERT_EQ(after.size(), before.size());
  size_t first = std::string::npos, last = 0;
  for (size_t i = 0; i < after.size(); ++i)
    if (after[i] != before[i]) {
      first = std::min(first, i);
      last = i;
    }
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(last - first, 6u);
  EXPECT_EQ(zeit.GetMinValue(), 2);
  EXPECT_EQ(zeit.MaxValue.Bytes[1], 0x01);
}

TEST(ToolEdit, ApplyingStoresNameUpperCasedTypeValueAndChannels) {
  TZYNFunction tool;
  TVariable& v = test::AddVar(tool, "Neue Variable", vtUnknown);
  TVarEdit e = VarEditFrom(v);
  e.Name = " klassen ";
  e.Type = vtClassList;
  e.Classes = "0,2,ACMERKER";
  e.Channels.fill(true);
  e.Channels[3] = false;
  ASSERT_EQ(CheckVarEdit(tool, &v, e), "");
  ApplyVarEdit(v, e);
  EXPECT_EQ(v.VarName, "KLASSEN");
  EXPECT_EQ(v.VarType(), vtClassList);
  ASSERT_EQ(v.Count(), 3);
  EXPECT_EQ(v.Objects()[2].Text, "ACMERKER");
  EXPECT_EQ(v.ChannelBlock[3], 255);
  EXPECT_EQ(v.ChannelBlock[4], 0);

  TVarEdit w = VarEditFrom(v);
  w.Type = vtWord;
  w.Classes = "1234";
  ApplyVarEdit(v, w);
  EXPECT_EQ(v.Value, 1234);
}

TEST(ToolEdit, DialogAndNodeEditsAreCheckedAndReferencesFollowDeletions) {
  TZYNFunction tool;
  test::AddVar(tool, "ZEIT", vtTimeSek);
  TParamDlg* d = tool.Dialogs.Add(std::make_unique<TParamDlg>());
  d->DlgName = "ZEIT";
  TParamDlg* other = tool.Dialogs.Add(std::make_unique<TParamDlg>());
  other->DlgName = "ANDERER";

  TDlgEdit de = DlgEditFrom(*d);
  de.Type = dlgTimeSek;
  de.Var = "ZEIT";
  de.Name = "laufzeit";
  ASSERT_EQ(CheckDlgEdit(tool, d, de), "");
  ApplyDlgEdit(tool, *d, de);
  EXPECT_EQ(d->DlgName, "LAUFZEIT");
  EXPECT_EQ(d->DlgVar, tool.Variables.Find("ZEIT"));
  de.Name = "anderer";
  EXPECT_NE(CheckDlgEdit(tool, d, de), "");
  de = DlgEditFrom(*d);
  de.Var = "FEHLT";
  EXPECT_NE(CheckDlgEdit(tool, d, de), "");
  de = DlgEditFrom(*d);
  de.Type = 3;  // no data type
  EXPECT_NE(CheckDlgEdit(tool, d, de), "");

  for (const char* text : {"Taster", "Leuchten", "Zeit"}) {
    auto n = std::make_unique<TFuncNode>();
    n->NodeText = text;
    tool.Nodes.Add(std::move(n));
  }
  TFuncNode* zeit = tool.Nodes.Get(2);
  zeit->NodeFlags = 0x100;  // bits beyond the two flags stay
  TNodeEdit ne = NodeEditFrom(*zeit);
  ne.Type = ntParameter;
  ne.Edit = edDialog;
  ne.Dialog = "LAUFZEIT";
  ne.Default = "ZEIT";
  ne.Flags = flSingle | flReserve;
  ASSERT_EQ(CheckNodeEdit(tool, zeit, ne), "");
  ApplyNodeEdit(tool, *zeit, ne);
  EXPECT_EQ(zeit->NodeDlg, d);
  EXPECT_EQ(zeit->NodeFlags, 0x103);
  ne.Text = "Taster";
  EXPECT_NE(CheckNodeEdit(tool, zeit, ne), "");
  ne = NodeEditFrom(*zeit);
  ne.Text = "";
  EXPECT_NE(CheckNodeEdit(tool, zeit, ne), "");

  ASSERT_TRUE(tool.Nodes.Move(2, 0));
  EXPECT_EQ(tool.Nodes.Get(0), zeit);
  EXPECT_EQ(tool.Nodes.Get(1)->NodeText, "Taster");
  EXPECT_FALSE(tool.Nodes.Move(0, 3));

  DeleteDialog(tool, tool.Dialogs.IndexOf(d));
  EXPECT_EQ(zeit->NodeDlg, nullptr);
  tool.DeleteVariable(0);
  EXPECT_EQ(zeit->NodeDefault, nullptr);
  DeleteNode(tool, 0);
  EXPECT_EQ(tool.Nodes.Count(), 2);

  EXPECT_EQ(FreeNodeText(tool, "Neue Node"), "Neue Node");
  EXPECT_EQ(FreeNodeText(tool, "Taster"), "Taster 2");
}

// ---- macro text

// The prefix filled with blanks to n characters.
std::string P(const std::string& prefix, size_t n) { return prefix + std::string(n - prefix.size(), ' '); }

std::string LineWith(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& l : lines)
    if (l.rfind(start, 0) == 0) return l;
  return "<keine Zeile " + start + ">";
}

TEST(MacroText, ChannelLineEndsWithFifteenOrAComma) {
  TZYNFunction tool;
  TVariable& v = test::AddVar(tool, "KLASSEN", vtClassList);
  v.SetValueText("0,2");
  const std::string all = LineWith(MacroTextLines(tool), "\t\tLET\tKanaele");
  EXPECT_EQ(all, P("\t\tLET\tKanaele", 25) + " = 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
  v.ChannelBlock[15] = 255;
  v.ChannelBlock[3] = 255;
  EXPECT_EQ(LineWith(MacroTextLines(tool), "\t\tLET\tKanaele"),
            P("\t\tLET\tKanaele", 25) + " = 0,1,2,4,5,6,7,8,9,10,11,12,13,14,");
  EXPECT_EQ(LineWith(MacroTextLines(tool), "\t\tLET\tKLASSEN"), P("\t\tLET\tKLASSEN", 25) + " = 0,2");
}

TEST(MacroText, DescribesTheWholeTool) {
  TZYNFunction tool;
  tool.Info.FunctionName = "Treppe";
  tool.Info.FunctionHelp = "Ein Tastendruck schaltet das Licht fuer die eingestellte Laufzeit ein";
  tool.Info.HelpContext = 12;
  TVariable& zeit = test::AddVar(tool, "ZEIT", vtTimeSek);
  zeit.Einheit.SetText("Sekunden");
  zeit.Value = 180;
  test::AddVar(tool, "TASTER", vtEingang);
  TParamDlg* d = tool.Dialogs.Add(std::make_unique<TParamDlg>());
  d->DlgName = "ZEIT";
  d->DlgType = dlgTimeSek;
  d->DlgVar = &zeit;
  auto node = std::make_unique<TFuncNode>();
  node->NodeText = "Taster";
  node->NodeType = ntEingang;
  node->NodeEdit = edDragDrop;
  node->NodeVar = tool.Variables.Find("TASTER");
  node->NodeFlags = flSingle;
  tool.Nodes.Add(std::move(node));
  tool.Script = {"BLOCK 1", "IF %TASTER% : EIN", "THEN %L% : EIN", "END.", "BLOCK 2", "IF %TASTER% : EIN", "END."};
  const std::vector<std::string> lines = MacroTextLines(tool);

  EXPECT_EQ(lines[0], ";" + std::string(79, '*'));
  EXPECT_EQ(lines[1], ";* Funktionsmakro....: Treppe");
  EXPECT_EQ(LineWith(lines, "SIGNATURE"), "SIGNATURE = \"ZYN-Funktion\"");
  EXPECT_EQ(LineWith(lines, "\t\tDefVar\tZEIT"), P("\t\tDefVar\tZEIT", 27) + ": Word");
  EXPECT_EQ(LineWith(lines, "\t\tDefVar\tTASTER"), P("\t\tDefVar\tTASTER", 27) + ": TEingang");
  EXPECT_EQ(LineWith(lines, "\t\tLET\tZEIT"), P("\t\tLET\tZEIT", 25) + " = 180");
  EXPECT_EQ(LineWith(lines, "\t\tVEinh"), P("\t\tVEinh\tZEIT", 28) + "= \"Sekunden\"");
  EXPECT_EQ(LineWith(lines, "\t\tVMin"), P("\t\tVMin\tZEIT", 27) + "=     1.0000");
  EXPECT_EQ(LineWith(lines, "\t\tVMax"), P("\t\tVMax\tZEIT", 27) + "= 65535.0000");
  EXPECT_EQ(LineWith(lines, "\t\tDType"), P("\t\tDType", 16) + "= dtTimeSek");
  EXPECT_EQ(LineWith(lines, "\t\tDVar"), P("\t\tDVar", 16) + "= %ZEIT%");
  EXPECT_EQ(LineWith(lines, "\t\tDefault"), "<keine Zeile \t\tDefault>");
  EXPECT_EQ(LineWith(lines, "\t\tSet CanBeSubFunc"), "\t\tSet CanBeSubFunc  = FALSE");
  EXPECT_EQ(LineWith(lines, "\t\tSet HelpContext"), "\t\tSet HelpContext   = 12");
  EXPECT_EQ(LineWith(lines, "\t\tNType"), "\t\tNType\t= ntEingang");
  EXPECT_EQ(LineWith(lines, "\t\tNEdit"), "\t\tNEdit\t= edDragDrop");
  EXPECT_EQ(LineWith(lines, "\t\tNVar"), "\t\tNVar\t= %TASTER%");
  EXPECT_EQ(LineWith(lines, "\t\tNFlags"), "\t\tNFlags\t= flSingle");
  // The help text is wrapped at 36 columns.
  const std::string help = LineWith(lines, "\t\tSet FunctionHelp");
  EXPECT_LE(help.size(), 36u);
  // Script: two blocks with the same input share one comment; every END. is followed by ";".
  int comments = 0;
  for (const std::string& l : lines) comments += l == "\t;- Eingang: \"%TASTER% : EIN\"";
  EXPECT_EQ(comments, 1);
  EXPECT_EQ(LineWith(lines, "\t\t\tTHEN"), "\t\t\tTHEN %L% : EIN");
  EXPECT_EQ(lines[lines.size() - 2], "\tEND.");
  EXPECT_EQ(lines.back(), "FUNCTION END.");
  EXPECT_EQ(MacroText(tool).substr(0, 82), lines[0] + "\r\n");
}

TEST(MacroText, WrapsAtBlanksAndKeepsLongWords) {
  EXPECT_EQ(WrapLine("kurz", 36), (std::vector<std::string>{"kurz"}));
  EXPECT_EQ(WrapLine("aaaa bbbb cccc", 10), (std::vector<std::string>{"aaaa bbbb ", "cccc"}));
  EXPECT_EQ(WrapLine(std::string(40, 'x') + " y", 36), (std::vector<std::string>{std::string(40, 'x') + " ", "y"}));
  EXPECT_EQ(WrapLine(std::string(40, 'x'), 36), (std::vector<std::string>{std::string(40, 'x')}));
}

}  // namespace
}  // namespace zyn
