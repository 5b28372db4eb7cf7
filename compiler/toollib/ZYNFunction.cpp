#include "compiler/toollib/ZYNFunction.h"

#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ToolLookup.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/TextUtils.h"

#include <memory>

namespace zyn {

namespace {

constexpr size_t kMinVariableSize = 3 + 2 + 2 + 31 + 18 + 4 + 8 + 4 + 8 + 232 + 2;
constexpr size_t kMinDialogSize = 3 + 2 + 3 + 3 + 3 + 3 + 2 + 256 + 3 + 3;
constexpr size_t kMinNodeSize = 2 + 2 + 3 + 4 + 2 + 256 + 4 * 3;

// An entry text split at its first ":" (else its first "#") into the object's name and the
// selection suffix.
void SplitEntry(const std::string& text, std::string& name, std::string& suffix) {
  size_t sep = text.find(':');
  if (sep == std::string::npos) sep = text.find('#');
  if (sep == std::string::npos) {
    name = TrimBlanks(text);
    suffix.clear();
  } else {
    name = TrimBlanks(text.substr(0, sep));
    suffix = TrimBlanks(text.substr(sep));
  }
}

TToolObject FindByKind(int kind, const std::string& name, const IToolLookup& lookup) {
  TToolObject found;
  switch (kind) {
    case 0:
      if (auto e = lookup.FindEingang(name))
        found = e;
      else if (auto r = lookup.FindRueckmeldung(name))
        found = r;
      break;
    case 1:
      if (auto a = lookup.FindAusgang(name)) found = a;
      break;
    case 2:
      if (auto m = lookup.FindMerker(name)) found = m;
      break;
    case 3:
      if (auto u = lookup.FindUhr(name)) found = u;
      break;
    case 4:
      if (auto m = lookup.FindModul(name)) found = m;
      break;
    case 5:
      if (auto g = lookup.FindGruppe(name)) found = g;
      break;
    default:
      break;
  }
  return found;
}

}  // namespace

TZYNFunction::TZYNFunction() = default;
TZYNFunction::~TZYNFunction() = default;

TVariable* TZYNFunction::FindVariable(std::string_view name) const {
  if (TVariable* v = Variables.Find(name)) return v;
  const std::string upper = UpperCase(std::string(name));
  if (upper == "LAUFZEITAUF" || upper == "LAUFZEITAB") return Variables.Find("LAUFZEIT");
  return nullptr;
}

void TZYNFunction::DeleteVariable(int index) {
  const TVariable* v = Variables.Get(index);
  if (!v) return;
  Dialogs.ForgetVariable(v);
  Nodes.ForgetVariable(v);
  Variables.Extract(index);
}

void TZYNFunction::Clear() {
  Info = TFunctionInfo();
  Nodes.Clear();
  Dialogs.Clear();
  Variables.Clear();
  Script.clear();
}

void TZYNFunction::CopyFrom(const TZYNFunction& source) {
  if (&source == this) return;
  Info.CopyFrom(source.Info);
  TVarList vars;
  vars.CopyFrom(source.Variables);
  // The copies join the list before the dialogs and nodes bind to them by name.
  while (vars.Count() > 0) Variables.Add(vars.Extract(0));
  Dialogs.CopyFrom(source.Dialogs, Variables);
  Nodes.CopyFrom(source.Nodes, Variables, Dialogs);
  Script.insert(Script.end(), source.Script.begin(), source.Script.end());
}

// ---- raw form

void TZYNFunction::LoadFromRaw(TRawToolReader& reader) {
  if (reader.Depth >= kMaxSubToolDepth) {
    throw EReadError(Ansi("Die Untertools sind zu tief verschachtelt (mehr als ") + std::to_string(kMaxSubToolDepth) +
                     Ansi(" Ebenen); die Datei ist beschädigt."));
  }
  ++reader.Depth;
  Clear();
  Info.LoadFromRaw(reader);
  const std::string name = Info.FunctionName;
  int n = reader.ReadCount(kMinVariableSize, Ansi("den Variablen des Tools ") + name);
  for (int i = 0; i < n; ++i) {
    auto v = std::make_unique<TVariable>();
    v->LoadFromRaw(reader);
    Variables.Add(std::move(v));
  }
  n = reader.ReadCount(kMinDialogSize, Ansi("den Parameterdialogen des Tools ") + name);
  for (int i = 0; i < n; ++i) {
    auto d = std::make_unique<TParamDlg>();
    d->LoadFromRaw(reader, Variables);
    Dialogs.Add(std::move(d));
  }
  n = reader.ReadCount(kMinNodeSize, Ansi("den Knoten des Tools ") + name);
  for (int i = 0; i < n; ++i) {
    auto node = std::make_unique<TFuncNode>();
    node->LoadFromRaw(reader, Variables, Dialogs);
    Nodes.Add(std::move(node));
  }
  n = reader.ReadCount(kMinCountedSize, Ansi("den Skriptzeilen des Tools ") + name);
  for (int i = 0; i < n; ++i) Script.push_back(reader.ReadCounted(255, Ansi("Skriptzeile")));
  --reader.Depth;
}

void TZYNFunction::SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const {
  for (const TZYNFunction* t : writing) {
    if (t == this) {
      throw EWriteError(Ansi("Das Tool \"") + Info.FunctionName +
                        Ansi("\" enthält sich selbst als Untertool und kann nicht gespeichert werden."));
    }
  }
  writing.push_back(this);
  Info.SaveToRaw(stream);
  const std::string name = Info.FunctionName;
  WriteCount(stream, static_cast<size_t>(Variables.Count()), Ansi("den Variablen des Tools ") + name);
  for (int i = 0; i < Variables.Count(); ++i) Variables.Get(i)->SaveToRaw(stream, writing);
  WriteCount(stream, static_cast<size_t>(Dialogs.Count()), Ansi("den Parameterdialogen des Tools ") + name);
  for (int i = 0; i < Dialogs.Count(); ++i) Dialogs.Get(i)->SaveToRaw(stream);
  WriteCount(stream, static_cast<size_t>(Nodes.Count()), Ansi("den Knoten des Tools ") + name);
  for (int i = 0; i < Nodes.Count(); ++i) Nodes.Get(i)->SaveToRaw(stream);
  WriteCount(stream, Script.size(), Ansi("den Skriptzeilen des Tools ") + name);
  for (const std::string& line : Script) WriteCounted(stream, line, 255);
  writing.pop_back();
}

void TZYNFunction::LoadFromStream(TStream& stream) {
  TZYNFunction loaded;
  TRawToolReader reader(stream);
  loaded.LoadFromRaw(reader);
  Info = loaded.Info;
  Variables = std::move(loaded.Variables);
  Dialogs = std::move(loaded.Dialogs);
  Nodes = std::move(loaded.Nodes);
  Script = std::move(loaded.Script);
}

void TZYNFunction::SaveToStream(TStream& stream) const {
  std::vector<const TZYNFunction*> writing;
  SaveToRaw(stream, writing);
}

void TZYNFunction::LoadFromFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromStream(stream);
}

void TZYNFunction::SaveToFile(const std::string& fileName) const {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
}

// ---- project stream

void TZYNFunction::ReadData(TReader& reader) {
  Clear();
  InternalName = reader.ReadString().substr(0, 255);
  Info.ReadData(reader);
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto v = std::make_unique<TVariable>();
    v->ReadData(reader);
    Variables.Add(std::move(v));
  }
  reader.ReadListEnd();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto d = std::make_unique<TParamDlg>();
    d->ReadData(reader, Variables);
    Dialogs.Add(std::move(d));
  }
  reader.ReadListEnd();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto node = std::make_unique<TFuncNode>();
    node->ReadData(reader, Variables, Dialogs);
    Nodes.Add(std::move(node));
  }
  reader.ReadListEnd();
  reader.ReadListBegin();
  while (!reader.EndOfList()) Script.push_back(reader.ReadString().substr(0, 255));
  reader.ReadListEnd();
}

void TZYNFunction::WriteData(TWriter& writer) const {
  writer.WriteString(InternalName.substr(0, 255));
  Info.WriteData(writer);
  writer.WriteListBegin();
  for (int i = 0; i < Variables.Count(); ++i) Variables.Get(i)->WriteData(writer);
  writer.WriteListEnd();
  writer.WriteListBegin();
  for (int i = 0; i < Dialogs.Count(); ++i) Dialogs.Get(i)->WriteData(writer);
  writer.WriteListEnd();
  writer.WriteListBegin();
  for (int i = 0; i < Nodes.Count(); ++i) Nodes.Get(i)->WriteData(writer);
  writer.WriteListEnd();
  writer.WriteListBegin();
  for (const std::string& line : Script) writer.WriteString(line.substr(0, 255));
  writer.WriteListEnd();
}

// ---- attaching project objects

void TZYNFunction::CheckAfterLoad(const IToolLookup& lookup) {
  for (int i = 0; i < Nodes.Count(); ++i) {
    const TFuncNode* node = Nodes.Get(i);
    TVariable* var = node->NodeVar;
    if (!var) continue;
    for (TVarEntry& entry : var->Objects()) {
      std::string name, suffix;
      SplitEntry(entry.Text, name, suffix);
      switch (node->NodeType) {
        case ntEingang:
          entry.Object = FindByKind(0, name, lookup);
          break;
        case ntAusgang:
          entry.Object = FindByKind(1, name, lookup);
          break;
        case ntMerker:
          entry.Object = FindByKind(2, name, lookup);
          if (auto m = ObjectAs<TMerker>(entry.Object)) entry.Text = m->InternalName() + suffix;
          break;
        case ntUhr: {
          TUhr* u = lookup.FindUhr(name);
          if (!u) u = lookup.FindUhrByDisplayName(name);
          entry.Object = u ? TToolObject(u) : TToolObject();
          if (u) entry.Text = u->InternalName() + suffix;
          break;
        }
        case ntFunction: {
          TZYNSubFunction* sub = entry.SubFunction();
          if (!sub) sub = ObjectAs<TZYNSubFunction>(entry.Object);
          if (!sub) break;
          TZYNFunction* tool = lookup.FindToolByInternalName(sub->FunctionKey);
          if (!tool) tool = lookup.FindToolByInternalName(sub->InternalName);
          if (!tool) tool = lookup.FindToolByName(sub->Name.Text());
          if (tool) {
            sub->SetFunction(tool);
            sub->FunctionKey = tool->InternalName;
          }
          break;
        }
        case ntObject: {
          const size_t pct = name.find('%');
          int kind = -1;
          std::string objName = name;
          if (pct != std::string::npos) {
            try {
              kind = std::stoi(name.substr(0, pct));
            } catch (const std::exception&) {
              kind = -1;
            }
            objName = name.substr(pct + 1);
          }
          entry.Object = FindByKind(kind, objName, lookup);
          break;
        }
        default:
          break;
      }
    }
  }
}

}  // namespace zyn
