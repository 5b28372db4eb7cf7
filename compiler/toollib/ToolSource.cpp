#include "compiler/toollib/ToolSource.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace zyn {

namespace {

// ---- names of codes

const std::map<std::string, int> kVarTypes = {{"unknown", 0}, {"classlist", 1}, {"byte", 2},     {"word", 3},
                                              {"longint", 4}, {"timemin", 5},   {"timesek", 6},  {"timesek10", 7},
                                              {"rollade", 9}, {"eingang", 17},  {"ausgang", 18}, {"merker", 21},
                                              {"uhr", 22},    {"function", 23}, {"object", 24},  {"rueckmeldung", 25}};
const std::map<std::string, int> kNodeTypes = {{"unknown", 0}, {"eingang", 1},   {"ausgang", 2},  {"merker", 3},
                                               {"uhr", 4},     {"parameter", 5}, {"function", 6}, {"object", 7}};
const std::map<std::string, int> kNodeEdits = {
    {"none", 0}, {"dragdrop", 1}, {"dialog", 2}, {"functioncode", 3}, {"logicstate", 4}};
const std::map<std::string, int> kDlgTypes = {
    {"byte", 1},          {"word", 2},        {"long", 4},          {"string", 8},       {"timemin", 16},
    {"timesek", 32},      {"timesek10", 64},  {"timeangle", 128},   {"bytelist", 256},   {"wordlist", 512},
    {"stringlist", 1024}, {"timelist", 2048}, {"winkeltime", 4096}, {"rolladen1", 8192}, {"rolladen2", 8448},
    {"rolladen3", 8704},  {"rolladen4", 8960}};

std::string NameOf(const std::map<std::string, int>& names, int code) {
  for (const auto& [name, value] : names)
    if (value == code) return name;
  return std::to_string(code);
}

// ---- writing

std::string QuoteEscaped(const std::string& ansi) {
  std::string s = "\"";
  for (char c : ansi) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      s += buf;
    } else if (u >= 0x80) {
      s += AnsiToUtf8(std::string(1, c));
    } else {
      s += c;
    }
  }
  return s + "\"";
}

template <class Bytes>
std::string Hex(const Bytes& bytes, size_t from = 0) {
  size_t end = bytes.size();
  while (end > from && bytes[end - 1] == 0) --end;
  std::string s;
  for (size_t i = from; i < end; ++i) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    s += buf;
  }
  return s;
}

template <class Bytes>
bool AllZero(const Bytes& bytes, size_t from = 0) {
  for (size_t i = from; i < bytes.size(); ++i)
    if (bytes[i] != 0) return false;
  return true;
}

template <size_t N>
bool Canonical(const TShortString<N>& s) {
  TShortString<N> c;
  c.SetText(s.Text());
  return c.Image == s.Image;
}

bool ParseReal(const std::string& text, TReal48& out);

std::string FormatReal(const TReal48& r) {
  for (int digits = 1; digits <= 21; ++digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lg", digits, r.Value());
    TReal48 back;
    if (ParseReal(buf, back) && back == r) return buf;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "raw:%02X%02X%02X%02X%02X%02X", r.Bytes[0], r.Bytes[1], r.Bytes[2], r.Bytes[3],
                r.Bytes[4], r.Bytes[5]);
  return buf;
}

class TDumper {
 public:
  std::string out;

  void Line(int indent, const std::string& text) {
    out.append(static_cast<size_t>(indent), ' ');
    out += text;
    out += '\n';
  }

  void Tool(const TZYNFunction& t, int in) {
    const TFunctionInfo& i = t.Info;
    Line(in, "tool " + QuoteEscaped(i.FunctionName));
    const int d = in + 2;
    Line(d, "group " + QuoteEscaped(i.FunctionGroup));
    Line(d, "help " + QuoteEscaped(i.FunctionHelp));
    Line(d, "version " + QuoteEscaped(i.FunctionVer));
    Line(d, "creator " + QuoteEscaped(i.Creator));
    Line(d, "company " + QuoteEscaped(i.Company));
    Line(d, "created " + QuoteEscaped(i.CreationDate));
    Line(d, "modified " + QuoteEscaped(i.LastModified));
    Line(d, "class " + QuoteEscaped(i.FunctionClass));
    Line(d, "subfunc " + (i.CanBeSubFunc == 0   ? std::string("no")
                          : i.CanBeSubFunc == 1 ? std::string("yes")
                                                : std::to_string(i.CanBeSubFunc)));
    if (i.HelpContext != 0) Line(d, "helpcontext " + std::to_string(i.HelpContext));
    if (!i.Ebene.Empty()) Line(d, "level " + QuoteEscaped(i.Ebene.Text()));
    char oem[16];
    std::snprintf(oem, sizeof oem, "0x%04X", i.OEMFlag());
    Line(d, std::string("oem ") + oem);
    if (!Canonical(i.InfoReserved) || !i.InfoReserved.Empty()) {
      if (!Canonical(i.InfoReserved))
        Line(d, "raw inforeserved " + Hex(i.InfoReserved.Image));
      else
        Line(d, "inforeserved " + QuoteEscaped(i.InfoReserved.Text()));
    }
    if (!Canonical(i.Ebene)) Line(d, "raw level " + Hex(i.Ebene.Image));
    if (!AllZero(i.OemBlock, 2)) Line(d, "raw oemblock " + Hex(i.OemBlock));
    for (int v = 0; v < t.Variables.Count(); ++v) Variable(*t.Variables.Get(v), d);
    for (int k = 0; k < t.Dialogs.Count(); ++k) Dialog(*t.Dialogs.Get(k), d);
    for (int k = 0; k < t.Nodes.Count(); ++k) Node(*t.Nodes.Get(k), d);
    for (const std::string& l : t.Script) Line(d, "line " + QuoteEscaped(l));
    Line(in, "end");
  }

  void Variable(const TVariable& v, int in) {
    Line(in, "var " + QuoteEscaped(v.VarName) + " " + NameOf(kVarTypes, v.VarType()));
    const int d = in + 2;
    if (!v.Einheit.Empty()) Line(d, "unit " + QuoteEscaped(v.Einheit.Text()));
    if (!Canonical(v.Einheit)) Line(d, "raw unit " + Hex(v.Einheit.Image));
    if (v.Repeats != -1) Line(d, "repeats " + std::to_string(v.Repeats));
    if (v.MinValue != TReal48::FromValue(1)) Line(d, "min " + FormatReal(v.MinValue));
    if (v.MaxValue != TReal48::FromValue(65535)) Line(d, "max " + FormatReal(v.MaxValue));
    if (v.Multiplier != TReal48()) Line(d, "multiplier " + FormatReal(v.Multiplier));
    if (!AllZero(v.Reserved1)) Line(d, "raw reserved1 " + Hex(v.Reserved1));
    if (!AllZero(v.ReservedBlock1)) Line(d, "raw block1 " + Hex(v.ReservedBlock1));
    if (!AllZero(v.Reserved2)) Line(d, "raw reserved2 " + Hex(v.Reserved2));
    if (!AllZero(v.ReservedBlock2)) Line(d, "raw block2 " + Hex(v.ReservedBlock2));
    bool plainDeny = AllZero(v.ChannelBlock, 16);
    std::string deny;
    for (size_t c = 0; c < 16 && plainDeny; ++c) {
      if (v.ChannelBlock[c] == 255)
        deny += " " + std::to_string(c);
      else if (v.ChannelBlock[c] != 0)
        plainDeny = false;
    }
    if (!plainDeny)
      Line(d, "raw channels " + Hex(v.ChannelBlock));
    else if (!deny.empty())
      Line(d, "deny" + deny);
    if (v.VarType() == vtRollade) {
      if (!AllZero(v.RolladenValue)) Line(d, "rollade " + Hex(v.RolladenValue));
    } else if (!TVariable::IsListType(v.VarType())) {
      if (v.Value != 0) Line(d, "value " + std::to_string(v.Value));
    }
    for (const TVarEntry& e : v.Objects()) {
      const TZYNSubFunction* sub = e.SubFunction();
      if (v.VarType() != vtFunction || !sub) {
        Line(d, "entry " + QuoteEscaped(e.Text));
        continue;
      }
      Line(d, "subtool " + QuoteEscaped(e.Text) + " " + QuoteEscaped(sub->Name.Text()));
      if (sub->FunctionPtr()) Tool(*sub->FunctionPtr(), d + 2);
      if (!Canonical(sub->Name)) Line(d, "raw subname " + Hex(sub->Name.Image));
    }
  }

  void Dialog(const TParamDlg& g, int in) {
    Line(in, "dialog " + QuoteEscaped(g.DlgName) + " " + NameOf(kDlgTypes, static_cast<uint16_t>(g.DlgType)));
    const int d = in + 2;
    if (!g.DlgTitle.empty()) Line(d, "title " + QuoteEscaped(g.DlgTitle));
    if (!g.DlgText.empty()) Line(d, "text " + QuoteEscaped(g.DlgText));
    if (!g.DlgMask.empty()) Line(d, "mask " + QuoteEscaped(g.DlgMask));
    if (!g.DlgEinheit.empty()) Line(d, "unit " + QuoteEscaped(g.DlgEinheit));
    if (g.DlgMultiplier != 0) Line(d, "multiplier " + std::to_string(g.DlgMultiplier));
    if (g.DlgVar) Line(d, "target " + QuoteEscaped(g.DlgVar->VarName));
    if (g.DlgDefault) Line(d, "default " + QuoteEscaped(g.DlgDefault->VarName));
    if (!AllZero(g.DlgReserved)) Line(d, "raw reserved " + Hex(g.DlgReserved));
  }

  void Node(const TFuncNode& n, int in) {
    Line(in, "node " + QuoteEscaped(n.NodeText) + " " + NameOf(kNodeTypes, n.NodeType));
    const int d = in + 2;
    if (n.NodeEdit != 0) Line(d, "edit " + NameOf(kNodeEdits, n.NodeEdit));
    if (n.NodeFlags != 0) Line(d, "flags " + std::to_string(n.NodeFlags));
    if (n.NodeParamType != 0) Line(d, "paramtype " + std::to_string(n.NodeParamType));
    if (n.NodeVar) Line(d, "target " + QuoteEscaped(n.NodeVar->VarName));
    if (n.NodeAccept) Line(d, "accept " + QuoteEscaped(n.NodeAccept->VarName));
    if (n.NodeDefault) Line(d, "default " + QuoteEscaped(n.NodeDefault->VarName));
    if (n.NodeDlg) Line(d, "opens " + QuoteEscaped(n.NodeDlg->DlgName));
    if (!AllZero(n.NodeReserved)) Line(d, "raw reserved " + Hex(n.NodeReserved));
  }
};

// ---- reading

bool ParseReal(const std::string& text, TReal48& out) {
  if (text.rfind("raw:", 0) == 0) {
    if (text.size() != 16) return false;
    for (size_t i = 0; i < 6; ++i) {
      char* end = nullptr;
      const std::string byte = text.substr(4 + 2 * i, 2);
      const long v = std::strtol(byte.c_str(), &end, 16);
      if (*end != 0) return false;
      out.Bytes[i] = static_cast<uint8_t>(v);
    }
    return true;
  }
  char* end = nullptr;
  const long double v = std::strtold(text.c_str(), &end);
  if (text.empty() || *end != 0) return false;
  return TReal48::TryFromValue(v, out);
}

struct TToken {
  std::string text;
  bool quoted = false;
};

class TParser {
 public:
  explicit TParser(const std::string& source) {
    size_t start = 0;
    while (start <= source.size()) {
      size_t nl = source.find('\n', start);
      if (nl == std::string::npos) nl = source.size();
      std::string line = source.substr(start, nl - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      fLines.push_back(line);
      start = nl + 1;
    }
  }

  void Parse(TZYNFunktionsListe& list) {
    while (Next()) {
      if (fTok[0].text != "tool") Fail("\"tool\" erwartet");
      auto tool = ParseTool();
      std::string key = tool->Info.FunctionName;
      list.Add(key, std::move(tool));
    }
  }

 private:
  std::vector<std::string> fLines;
  size_t fIndex = 0;
  std::vector<TToken> fTok;

  [[noreturn]] void Fail(const std::string& utf8Message) const {
    throw EZYNError(Ansi("Zeile ") + std::to_string(fIndex) + ": " + Ansi(utf8Message));
  }

  // The next line with content, split into tokens; false at the end.
  bool Next() {
    while (fIndex < fLines.size()) {
      const std::string& line = fLines[fIndex++];
      fTok.clear();
      size_t i = 0;
      while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
          ++i;
        } else if (c == '#' && fTok.empty()) {
          break;
        } else if (c == '"') {
          TToken t{"", true};
          ++i;
          for (;;) {
            if (i >= line.size()) Fail("Text ohne schließendes Anführungszeichen");
            const char q = line[i++];
            if (q == '"') break;
            if (q == '\\') {
              if (i >= line.size()) Fail("unvollständige Escape-Folge");
              const char e = line[i++];
              if (e == 'x') {
                if (i + 2 > line.size()) Fail("unvollständige Escape-Folge");
                t.text += static_cast<char>(std::strtol(line.substr(i, 2).c_str(), nullptr, 16));
                i += 2;
              } else {
                t.text += e;
              }
            } else {
              t.text += q;
            }
          }
          t.text = Utf8ToAnsi(t.text);
          fTok.push_back(std::move(t));
        } else {
          const size_t e = line.find_first_of(" \t", i);
          fTok.push_back({line.substr(i, e == std::string::npos ? std::string::npos : e - i), false});
          i = e == std::string::npos ? line.size() : e;
        }
      }
      if (!fTok.empty()) return true;
    }
    return false;
  }

  void Args(size_t n) const {
    if (fTok.size() != n + 1) Fail("\"" + fTok[0].text + "\" erwartet " + std::to_string(n) + " Angabe(n)");
  }
  std::string Text(size_t i, size_t max) const {
    if (!fTok[i].quoted) Fail("Text in Anführungszeichen erwartet");
    if (fTok[i].text.size() > max) Fail("Text länger als " + std::to_string(max) + " Zeichen");
    return fTok[i].text;
  }
  long Number(size_t i, long min, long max) const {
    char* end = nullptr;
    const std::string& s = fTok[i].text;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (s.empty() || *end != 0 || v < min || v > max) {
      Fail("Zahl von " + std::to_string(min) + " bis " + std::to_string(max) + " erwartet: " + s);
    }
    return v;
  }
  int Code(size_t i, const std::map<std::string, int>& names, long min, long max) const {
    const auto it = names.find(fTok[i].text);
    if (it != names.end()) return it->second;
    return static_cast<int>(Number(i, min, max));
  }
  TReal48 Real(size_t i) const {
    TReal48 r;
    if (!ParseReal(fTok[i].text, r)) Fail("Zahl erwartet: " + fTok[i].text);
    return r;
  }
  template <class Bytes>
  void HexInto(size_t i, Bytes& bytes) const {
    const std::string& s = fTok[i].text;
    if (s.size() % 2 != 0 || s.size() / 2 > bytes.size()) Fail("zu viele oder unvollständige Hex-Bytes");
    std::fill(bytes.begin(), bytes.end(), 0);
    for (size_t k = 0; k < s.size() / 2; ++k) {
      char* end = nullptr;
      const std::string byte = s.substr(2 * k, 2);
      const long v = std::strtol(byte.c_str(), &end, 16);
      if (*end != 0) Fail("Hex-Bytes erwartet");
      bytes[k] = static_cast<uint8_t>(v);
    }
  }

  struct TRefs {
    TParamDlg* dlg = nullptr;
    TFuncNode* node = nullptr;
    std::string var, accept, def, opens;
  };

  std::unique_ptr<TZYNFunction> ParseTool() {
    Args(1);
    auto tool = std::make_unique<TZYNFunction>();
    TFunctionInfo& info = tool->Info;
    info.FunctionName = Text(1, 50);
    enum { kNone, kVar, kDlg, kNode } current = kNone;
    TVariable* var = nullptr;
    std::vector<TRefs> refs;
    for (;;) {
      if (!Next()) Fail("\"end\" fehlt zum Tool \"" + AnsiToUtf8(info.FunctionName) + "\"");
      const std::string& k = fTok[0].text;
      if (k == "end") {
        Args(0);
        break;
      }
      if (k == "group") {
        Args(1);
        info.FunctionGroup = Text(1, 50);
      } else if (k == "help") {
        Args(1);
        info.FunctionHelp = Text(1, 255);
      } else if (k == "version") {
        Args(1);
        info.FunctionVer = Text(1, 7);
      } else if (k == "creator") {
        Args(1);
        info.Creator = Text(1, 50);
      } else if (k == "company") {
        Args(1);
        info.Company = Text(1, 50);
      } else if (k == "created") {
        Args(1);
        info.CreationDate = Text(1, 10);
      } else if (k == "modified") {
        Args(1);
        info.LastModified = Text(1, 10);
      } else if (k == "class") {
        Args(1);
        info.FunctionClass = Text(1, 30);
      } else if (k == "subfunc") {
        Args(1);
        if (fTok[1].text == "yes")
          info.CanBeSubFunc = 1;
        else if (fTok[1].text == "no")
          info.CanBeSubFunc = 0;
        else
          info.CanBeSubFunc = static_cast<uint8_t>(Number(1, 0, 255));
      } else if (k == "helpcontext") {
        Args(1);
        info.HelpContext = static_cast<int32_t>(Number(1, INT32_MIN, INT32_MAX));
      } else if (k == "level") {
        Args(1);
        info.Ebene.SetText(Text(1, TFunctionInfo::kEbeneRawMax));
      } else if (k == "oem") {
        Args(1);
        info.SetOEMFlag(static_cast<uint16_t>(Number(1, 0, 65535)));
      } else if (k == "inforeserved") {
        Args(1);
        info.InfoReserved.SetText(Text(1, 255));
      } else if (k == "line") {
        Args(1);
        tool->Script.push_back(Text(1, 255));
      } else if (k == "var") {
        Args(2);
        auto v = std::make_unique<TVariable>();
        v->VarName = Text(1, 255);
        v->SetVarType(static_cast<int16_t>(Code(2, kVarTypes, -32768, 32767)));
        if (tool->Variables.Find(v->VarName)) Fail("Variable doppelt: " + AnsiToUtf8(v->VarName));
        var = tool->Variables.Add(std::move(v));
        current = kVar;
      } else if (k == "dialog") {
        Args(2);
        auto g = std::make_unique<TParamDlg>();
        g->DlgName = Text(1, 50);
        g->DlgType = static_cast<int16_t>(Code(2, kDlgTypes, -32768, 65535));
        refs.push_back({tool->Dialogs.Add(std::move(g)), nullptr, "", "", "", ""});
        current = kDlg;
      } else if (k == "node") {
        Args(2);
        auto n = std::make_unique<TFuncNode>();
        n->NodeText = Text(1, 255);
        n->NodeType = static_cast<int16_t>(Code(2, kNodeTypes, -32768, 32767));
        refs.push_back({nullptr, tool->Nodes.Add(std::move(n)), "", "", "", ""});
        current = kNode;
      } else if (k == "raw" && fTok.size() == 3 && fTok[1].text == "inforeserved") {
        HexInto(2, info.InfoReserved.Image);
      } else if (k == "raw" && fTok.size() == 3 && fTok[1].text == "level") {
        HexInto(2, info.Ebene.Image);
      } else if (k == "raw" && fTok.size() == 3 && fTok[1].text == "oemblock") {
        HexInto(2, info.OemBlock);
      } else if (current == kVar) {
        VarItem(*var);
      } else if (current == kDlg || current == kNode) {
        RecordItem(refs.back());
      } else {
        Fail("unbekanntes Schlüsselwort: " + k);
      }
    }
    for (const TRefs& r : refs) Bind(*tool, r);
    return tool;
  }

  void VarItem(TVariable& v) {
    const std::string& k = fTok[0].text;
    if (k == "unit") {
      Args(1);
      v.Einheit.SetText(Text(1, 30));
    } else if (k == "repeats") {
      Args(1);
      v.Repeats = static_cast<int16_t>(Number(1, -32768, 32767));
    } else if (k == "min") {
      Args(1);
      v.MinValue = Real(1);
    } else if (k == "max") {
      Args(1);
      v.MaxValue = Real(1);
    } else if (k == "multiplier") {
      Args(1);
      v.Multiplier = Real(1);
    } else if (k == "value") {
      Args(1);
      v.Value = static_cast<uint16_t>(Number(1, 0, 65535));
    } else if (k == "rollade") {
      Args(1);
      HexInto(1, v.RolladenValue);
    } else if (k == "deny") {
      if (fTok.size() < 2) Fail("Kanalnummern erwartet");
      for (size_t i = 1; i < fTok.size(); ++i) v.ChannelBlock[static_cast<size_t>(Number(i, 0, 15))] = 255;
    } else if (k == "entry") {
      Args(1);
      if (!TVariable::IsListType(v.VarType())) Fail("die Variable hat keine Liste");
      v.Add(Text(1, 255));
    } else if (k == "subtool") {
      Args(2);
      if (v.VarType() != vtFunction) Fail("Untertools nur in Variablen vom Typ function");
      TVarEntry entry(Text(1, 255), {});
      auto sub = std::make_unique<TZYNSubFunction>();
      sub->Name.SetText(Text(2, 255));
      if (!Next() || fTok[0].text != "tool") Fail("nach \"subtool\" folgt ein \"tool\"");
      sub->SetOwnedFunction(ParseTool());
      entry.SetSubFunction(std::move(sub));
      v.Objects().push_back(std::move(entry));
    } else if (k == "raw" && fTok.size() == 3) {
      const std::string& f = fTok[1].text;
      if (f == "unit")
        HexInto(2, v.Einheit.Image);
      else if (f == "reserved1")
        HexInto(2, v.Reserved1);
      else if (f == "block1")
        HexInto(2, v.ReservedBlock1);
      else if (f == "reserved2")
        HexInto(2, v.Reserved2);
      else if (f == "block2")
        HexInto(2, v.ReservedBlock2);
      else if (f == "channels")
        HexInto(2, v.ChannelBlock);
      else if (f == "subname") {
        if (v.Objects().empty() || !v.Objects().back().SubFunction()) Fail("\"raw subname\" ohne Untertool");
        HexInto(2, v.Objects().back().SubFunction()->Name.Image);
      } else {
        Fail("unbekanntes Feld: " + f);
      }
    } else {
      Fail("unbekanntes Schlüsselwort: " + k);
    }
  }

  void RecordItem(TRefs& r) {
    const std::string& k = fTok[0].text;
    if (r.dlg) {
      TParamDlg& g = *r.dlg;
      if (k == "title") {
        Args(1);
        g.DlgTitle = Text(1, 50);
      } else if (k == "text") {
        Args(1);
        g.DlgText = Text(1, 255);
      } else if (k == "mask") {
        Args(1);
        g.DlgMask = Text(1, 50);
      } else if (k == "unit") {
        Args(1);
        g.DlgEinheit = Text(1, 50);
      } else if (k == "multiplier") {
        Args(1);
        g.DlgMultiplier = static_cast<int16_t>(Number(1, -32768, 32767));
      } else if (k == "target") {
        Args(1);
        r.var = Text(1, 255);
      } else if (k == "default") {
        Args(1);
        r.def = Text(1, 255);
      } else if (k == "raw" && fTok.size() == 3 && fTok[1].text == "reserved")
        HexInto(2, g.DlgReserved);
      else
        Fail("unbekanntes Schlüsselwort: " + k);
      return;
    }
    TFuncNode& n = *r.node;
    if (k == "edit") {
      Args(1);
      n.NodeEdit = static_cast<int16_t>(Code(1, kNodeEdits, -32768, 32767));
    } else if (k == "flags") {
      Args(1);
      n.NodeFlags = static_cast<int32_t>(Number(1, INT32_MIN, INT32_MAX));
    } else if (k == "paramtype") {
      Args(1);
      n.NodeParamType = static_cast<int16_t>(Number(1, -32768, 32767));
    } else if (k == "target") {
      Args(1);
      r.var = Text(1, 255);
    } else if (k == "accept") {
      Args(1);
      r.accept = Text(1, 255);
    } else if (k == "default") {
      Args(1);
      r.def = Text(1, 255);
    } else if (k == "opens") {
      Args(1);
      r.opens = Text(1, 50);
    } else if (k == "raw" && fTok.size() == 3 && fTok[1].text == "reserved")
      HexInto(2, n.NodeReserved);
    else
      Fail("unbekanntes Schlüsselwort: " + k);
  }

  void Bind(const TZYNFunction& tool, const TRefs& r) const {
    auto var = [&](const std::string& name) -> TVariable* {
      if (name.empty()) return nullptr;
      TVariable* v = tool.Variables.Find(name);
      if (!v)
        Fail("Tool \"" + AnsiToUtf8(tool.Info.FunctionName) + "\": unbekannte Variable \"" + AnsiToUtf8(name) + "\"");
      return v;
    };
    if (r.dlg) {
      r.dlg->DlgVar = var(r.var);
      r.dlg->DlgDefault = var(r.def);
      return;
    }
    r.node->NodeVar = var(r.var);
    r.node->NodeAccept = var(r.accept);
    r.node->NodeDefault = var(r.def);
    if (!r.opens.empty()) {
      r.node->NodeDlg = tool.Dialogs.Find(r.opens);
      if (!r.node->NodeDlg)
        Fail("Tool \"" + AnsiToUtf8(tool.Info.FunctionName) + "\": unbekannter Dialog \"" + AnsiToUtf8(r.opens) + "\"");
    }
  }
};

}  // namespace

void ParseToolSource(const std::string& utf8Source, TZYNFunktionsListe& list) {
  TZYNFunktionsListe parsed;
  TParser(utf8Source).Parse(parsed);
  for (int i = 0; i < parsed.Count(); ++i) {
    auto tool = std::make_unique<TZYNFunction>();
    // Move the tool over whole: its lists keep their references.
    TZYNFunction* from = parsed.GetFunction(i);
    tool->Info = from->Info;
    tool->Variables = std::move(from->Variables);
    tool->Dialogs = std::move(from->Dialogs);
    tool->Nodes = std::move(from->Nodes);
    tool->Script = std::move(from->Script);
    const std::string key = tool->Info.FunctionName;
    list.Add(key, std::move(tool));
  }
}

std::string DumpToolSource(const TZYNFunktionsListe& list) {
  TDumper d;
  d.Line(0, "# ZYN tool library source");
  for (int i = 0; i < list.Count(); ++i) {
    d.out += '\n';
    d.Tool(*list.GetFunction(i), 0);
  }
  return d.out;
}

}  // namespace zyn
