#include "compiler/toollib/MacroText.h"

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"

#include <cstdio>

namespace zyn {

namespace {

constexpr size_t kWrapWidth = 36;

// The prefix followed by the character until the line is n characters long.
std::string Rule(const std::string& prefix, char c, size_t n) {
  return prefix + std::string(n > prefix.size() ? n - prefix.size() : 0, c);
}

std::string Pad(const std::string& text, size_t n) {
  return text.size() >= n ? text : text + std::string(n - text.size(), ' ');
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Fixed(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%10.4Lf", value);
  return buffer;
}

class TMacroWriter {
 public:
  std::vector<std::string> Lines;

  void Add(const std::string& line) { Lines.push_back(line); }
  void AddWrapped(const std::string& line) {
    for (std::string& piece : WrapLine(line, kWrapWidth)) Lines.push_back(std::move(piece));
  }
  // A section header framed by "+" rules, at the left margin or after a tab.
  void Header(const std::string& text, bool tab) {
    const std::string rule = tab ? Rule("\t;", '+', 73) : Rule(";", '+', 80);
    Add(rule);
    Add((tab ? "\t;+ " : ";+ ") + text);
    Add(rule);
  }
  // A comment framed by "-" rules.
  void Comment(const std::string& text) {
    const std::string rule = Rule("\t;", '-', 73);
    Add(rule);
    Add("\t;- " + text);
    Add(rule);
  }
};

void Banner(TMacroWriter& w, const TZYNFunction& tool) {
  const TFunctionInfo& i = tool.Info;
  const std::string stars = Rule(";", '*', 80);
  w.Add(stars);
  w.Add(";* Funktionsmakro....: " + i.FunctionName);
  w.Add(";* Erstellt am.......: " + i.CreationDate);
  w.Add(";* Erstellt von......: " + i.Creator);
  w.Add(";* Firma.............: " + i.Company);
  w.Add(Ansi(";* Letzte Änderung am: ") + i.LastModified);
  w.Add(stars);
  w.Add(Ansi(";* Dieses Makro wurde mit dem Funktionsgenerator V1.0 für"));
  w.Add(";* die ZYN Systemsoftware erzeugt.");
  w.Add(stars);
  w.Add(";");
  w.Add("SIGNATURE = \"ZYN-Funktion\"");
  w.Add(";");
}

void Variables(TMacroWriter& w, const TZYNFunction& tool) {
  w.Header("Deklaration der verwendeten Variablen ", false);
  w.Add(";");
  w.Add("VARDEF BEGIN");
  for (int n = 0; n < tool.Variables.Count(); ++n) {
    const TVariable& v = *tool.Variables.Get(n);
    w.Add(Pad("\t\tDefVar\t" + v.VarName, 27) + ": " + v.GetTypeName());
  }
  w.Add(";");
  w.Header("Variablen vorbelegen", true);
  for (int n = 0; n < tool.Variables.Count(); ++n) {
    const TVariable& v = *tool.Variables.Get(n);
    const int16_t type = v.VarType();
    if (type == vtClassList && v.HasList()) {
      w.Comment("Variable: " + Quoted(v.VarName));
      std::string entries;
      for (int e = 0; e < v.Count(); ++e) entries += (e > 0 ? "," : "") + v.Objects()[static_cast<size_t>(e)].Text;
      w.Add(Pad("\t\tLET\t" + v.VarName, 25) + " = " + entries);
      std::string channels;
      for (int c = 0; c < 16; ++c)
        if (v.AllowsChannel(c)) channels += std::to_string(c) + (c < 15 ? "," : "");
      w.Add(Pad("\t\tLET\tKanaele", 25) + " = " + channels);
      w.Add(";");
    } else if (type >= vtByte && type <= vtTimeSek10) {
      w.Comment("Variable: " + Quoted(v.VarName));
      w.Add(Pad("\t\tLET\t" + v.VarName, 25) + " = " + std::to_string(v.Value));
      if (!v.Einheit.Empty()) w.Add(Pad("\t\tVEinh\t" + v.VarName, 28) + "= " + Quoted(v.GetEinheit()));
      w.Add(Pad("\t\tVMin\t" + v.VarName, 27) + "= " + Fixed(v.GetMinValue()));
      w.Add(Pad("\t\tVMax\t" + v.VarName, 27) + "= " + Fixed(v.GetMaxValue()));
      w.Add(Pad("\t\tVMUL\t" + v.VarName, 27) + "= " + Fixed(v.GetMultiplier()));
      w.Add(";");
    }
  }
  w.Add("VARDEF END.");
}

void Dialogs(TMacroWriter& w, const TZYNFunction& tool) {
  w.Header("Deklaration der verwendeten Dialoge ", false);
  w.Add("DEFDLG BEGIN");
  auto field = [](const char* name) { return Pad(std::string("\t\t") + name, 16) + "= "; };
  for (int n = 0; n < tool.Dialogs.Count(); ++n) {
    const TParamDlg& d = *tool.Dialogs.Get(n);
    w.Comment("Dialog: " + Quoted(d.DlgName));
    w.Add("\tDIALOG");
    w.Add(field("DName") + Quoted(d.DlgName));
    w.Add(field("DTitle") + Quoted(d.DlgTitle));
    w.Add(field("DType") + d.GetDataTypeName());
    w.AddWrapped(field("DText") + Quoted(d.DlgText));
    w.Add(field("DMask") + Quoted(d.DlgMask));
    w.Add(field("DEinheit") + Quoted(d.DlgEinheit));
    if (d.DlgVar) w.Add(field("DVar") + "%" + d.DlgVar->VarName + "%");
    if (d.DlgDefault) w.Add(field("Default") + "%" + d.DlgDefault->VarName + "%");
    w.Add("\tEND.");
    w.Add(";");
  }
  w.Add("DEFDLG END.");
}

void Description(TMacroWriter& w, const TZYNFunction& tool) {
  const TFunctionInfo& i = tool.Info;
  w.Header("Beschreibung der Funktion", false);
  w.Add("FUNCTION BEGIN");
  w.Add(";");
  w.Comment("Funktionsinformationen");
  w.Add("\tFUNCINFO");
  w.Add("\t\tSet FunctionGroup = " + Quoted(i.FunctionGroup));
  w.Add("\t\tSet FunctionName  = " + Quoted(i.FunctionName));
  w.AddWrapped("\t\tSet FunctionHelp  = " + Quoted(i.FunctionHelp));
  w.Add("\t\tSet FunctionVer   = " + Quoted(i.FunctionVer));
  w.Add("\t\tSet Creator       = " + Quoted(i.Creator));
  w.Add("\t\tSet Company       = " + Quoted(i.Company));
  w.Add("\t\tSet CreationDate  = " + Quoted(i.CreationDate));
  w.Add("\t\tSet LastModified  = " + Quoted(i.LastModified));
  if (!i.FunctionClass.empty()) w.Add("\t\tSet FunctionClass = " + i.FunctionClass);
  w.Add(std::string("\t\tSet CanBeSubFunc  = ") + (i.CanBeSubFunc ? "TRUE" : "FALSE"));
  w.Add("\t\tSet HelpContext   = " + std::to_string(i.HelpContext));
  w.Add("\tEND.");
  w.Add(";");
}

std::string FlagsName(int32_t flags) {
  const bool single = (flags & flSingle) != 0;
  const bool reserve = (flags & flReserve) != 0;
  if (single && reserve) return "flSingle,flReserve";
  if (single) return "flSingle";
  if (reserve) return "flReserve";
  return "flNone";
}

void Nodes(TMacroWriter& w, const TZYNFunction& tool) {
  w.Header("Darstellung auf dem Bildschirm", true);
  for (int n = 0; n < tool.Nodes.Count(); ++n) {
    const TFuncNode& node = *tool.Nodes.Get(n);
    w.Comment("Node: " + Quoted(node.NodeText));
    w.Add("\tNODE");
    w.Add("\t\tNType\t= " + node.GetTypeName());
    if (node.NodeEdit == edDragDrop) w.Add("\t\tNEdit\t= edDragDrop");
    if (node.NodeEdit == edDialog) w.Add("\t\tNEdit\t= edDialog");
    w.Add("\t\tNText\t= " + Quoted(node.NodeText));
    if (node.NodeVar) w.Add("\t\tNVar\t= %" + node.NodeVar->VarName + "%");
    if (node.NodeAccept) w.Add("\t\tNAccept\t= %" + node.NodeAccept->VarName + "%");
    if (node.NodeDlg) w.Add("\t\tNDlg\t= &" + node.NodeDlg->DlgName + "&");
    w.Add("\t\tNFlags\t= " + FlagsName(node.NodeFlags));
    w.Add("\tEND.");
  }
}

void Script(TMacroWriter& w, const TZYNFunction& tool) {
  w.Add(";");
  w.Header("Verbindungsdefinitionen", true);
  w.Add("\tACTION");
  w.Add(";");
  const std::vector<std::string>& script = tool.Script;
  std::string previous;
  bool first = true;
  for (size_t n = 0; n < script.size(); ++n) {
    const std::string& line = script[n];
    const bool block = line.find("BLOCK") != std::string::npos;
    if (block) {
      const std::string next = n + 1 < script.size() && script[n + 1].size() > 3 ? script[n + 1].substr(3) : "";
      if (first || next != previous) w.Comment("Eingang: " + Quoted(next));
      previous = next;
      first = false;
    }
    const bool end = line == "END.";
    w.Add((block || end ? "\t\t" : "\t\t\t") + line);
    if (end) w.Add(";");
  }
  w.Add("\tEND.");
  w.Add("FUNCTION END.");
}

}  // namespace

std::vector<std::string> WrapLine(const std::string& line, size_t width) {
  std::vector<std::string> pieces;
  std::string rest = line;
  while (rest.size() > width) {
    size_t cut = rest.rfind(' ', width - 1);
    if (cut == std::string::npos || cut == 0) cut = rest.find(' ', width);
    if (cut == std::string::npos || cut + 1 >= rest.size()) break;
    pieces.push_back(rest.substr(0, cut + 1));
    rest = rest.substr(cut + 1);
  }
  pieces.push_back(rest);
  return pieces;
}

std::vector<std::string> MacroTextLines(const TZYNFunction& tool) {
  TMacroWriter w;
  Banner(w, tool);
  Variables(w, tool);
  Dialogs(w, tool);
  Description(w, tool);
  Nodes(w, tool);
  Script(w, tool);
  return std::move(w.Lines);
}

std::string MacroText(const TZYNFunction& tool) {
  std::string text;
  for (const std::string& line : MacroTextLines(tool)) text += line + "\r\n";
  return text;
}

}  // namespace zyn
