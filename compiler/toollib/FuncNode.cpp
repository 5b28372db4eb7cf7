#include "compiler/toollib/FuncNode.h"

#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ToolLookup.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/OwnedList.h"
#include "model/base/TextUtils.h"

namespace zyn {

namespace {

bool Holds(const TVariable* v, std::string_view text) { return v && v->IndexOf(text) >= 0; }

std::string DlgNameOf(const TParamDlg* d) { return d ? d->DlgName : std::string(); }

TVariable* BindVar(const TVarList& variables, const std::string& name) {
  return name.empty() ? nullptr : variables.Find(name);
}
TParamDlg* BindDlg(const TDlgList& dialogs, const std::string& name) {
  return name.empty() ? nullptr : dialogs.Find(name);
}

}  // namespace

std::string TFuncNode::GetTypeName() const {
  switch (NodeType) {
    case ntEingang:
      return "ntEingang";
    case ntAusgang:
      return "ntAusgang";
    case ntMerker:
      return "ntMerker";
    case ntUhr:
      return "ntUhr";
    case ntParameter:
      return "ntParameter";
    case ntFunction:
      return "ntFunction";
    default:
      return "ntUnknown";
  }
}

bool TFuncNode::AcceptsChannel(const TModul* modul, const std::string& channelName, const IToolLookup& lookup) const {
  if (!modul || !NodeAccept || NodeAccept->VarType() != vtClassList) return false;
  const int n = lookup.ModulClassIndex(modul->ModulKlasse);
  if (n < 0 || !Holds(NodeAccept, std::to_string(n))) return false;
  if (NodeVar) return !Holds(NodeVar, modul->InternalName() + "." + channelName);
  return true;
}

bool TFuncNode::AcceptsObject(const TToolObject& object, const IToolLookup& lookup) const {
  const TEingang* eingang = ObjectAs<TEingang>(object);
  const TAusgang* ausgang = ObjectAs<TAusgang>(object);
  const TRueckmeldung* rueck = ObjectAs<TRueckmeldung>(object);
  const TMerker* merker = ObjectAs<TMerker>(object);
  const TUhr* uhr = ObjectAs<TUhr>(object);
  const TModul* modul = ObjectAs<TModul>(object);

  const bool anyKind = eingang || ausgang || rueck || merker || uhr || modul;
  if ((NodeType == ntObject && anyKind) || modul) {
    if (merker) return Holds(NodeAccept, "ACMERKER");
    if (uhr) return Holds(NodeAccept, "ACUHREN");
    if (eingang) return AcceptsChannel(eingang->Modul, eingang->InternalName(), lookup);
    if (ausgang) return AcceptsChannel(ausgang->Modul, ausgang->InternalName(), lookup);
    if (modul) return Holds(NodeAccept, "ACMODULE") && UpperCase(modul->ModulKlasse) == "INPUT PIR";
  }
  if (eingang && NodeType == ntEingang) return AcceptsChannel(eingang->Modul, eingang->InternalName(), lookup);
  if (rueck && NodeType == ntEingang) {
    const TModul* m = rueck->Modul;
    if (!m) {
      if (const TRueckmeldung* found = lookup.FindRueckmeldung(rueck->InternalName())) m = found->Modul;
    }
    return AcceptsChannel(m, rueck->InternalName(), lookup);
  }
  if (ausgang && NodeType == ntAusgang) {
    if (!NodeAccept || !NodeAccept->AllowsChannel(ausgang->Adresse())) return false;
    return AcceptsChannel(ausgang->Modul, ausgang->InternalName(), lookup);
  }
  if (merker && NodeType == ntMerker) return true;
  if (uhr && NodeType == ntUhr) return true;
  if (const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(object); sub && NodeType == ntFunction) {
    const TZYNFunction* tool = sub->FunctionPtr();
    if (!tool || !NodeAccept || NodeAccept->VarType() != vtClassList) return false;
    if (!Holds(NodeAccept, tool->Info.FunctionClass)) return false;
    if (NodeVar) return !Holds(NodeVar, tool->Info.FunctionName);
    return true;
  }
  return false;
}

void TFuncNode::CopyFrom(const TFuncNode& source, const TVarList& variables, const TDlgList& dialogs) {
  NodeType = source.NodeType;
  NodeEdit = source.NodeEdit;
  NodeFlags = source.NodeFlags;
  NodeText = source.NodeText;
  NodeParamType = source.NodeParamType;
  NodeReserved = source.NodeReserved;
  NodeVar = BindVar(variables, VarNameOf(source.NodeVar));
  NodeAccept = BindVar(variables, VarNameOf(source.NodeAccept));
  NodeDefault = BindVar(variables, VarNameOf(source.NodeDefault));
  NodeDlg = BindDlg(dialogs, DlgNameOf(source.NodeDlg));
}

void TFuncNode::LoadFromRaw(TRawToolReader& reader, const TVarList& variables, const TDlgList& dialogs) {
  NodeType = reader.ReadI16();
  NodeEdit = reader.ReadI16();
  NodeText = reader.ReadCounted(255, "NodeText");
  NodeFlags = reader.ReadI32();
  NodeParamType = reader.ReadI16();
  reader.ReadBlock(NodeReserved.data(), NodeReserved.size());
  NodeVar = BindVar(variables, reader.ReadCounted(255, "NodeVar"));
  NodeAccept = BindVar(variables, reader.ReadCounted(255, "NodeAccept"));
  NodeDefault = BindVar(variables, reader.ReadCounted(255, "NodeDefault"));
  NodeDlg = BindDlg(dialogs, reader.ReadCounted(50, "NodeDlg"));
}

void TFuncNode::SaveToRaw(TStream& stream) const {
  stream.WriteI16(NodeType);
  stream.WriteI16(NodeEdit);
  WriteCounted(stream, NodeText, 255);
  stream.WriteI32(NodeFlags);
  stream.WriteI16(NodeParamType);
  stream.WriteBuffer(NodeReserved.data(), NodeReserved.size());
  WriteCounted(stream, VarNameOf(NodeVar), 255);
  WriteCounted(stream, VarNameOf(NodeAccept), 255);
  WriteCounted(stream, VarNameOf(NodeDefault), 255);
  WriteCounted(stream, DlgNameOf(NodeDlg), 50);
}

void TFuncNode::ReadData(TReader& reader, const TVarList& variables, const TDlgList& dialogs) {
  NodeType = static_cast<int16_t>(reader.ReadInteger());
  NodeEdit = static_cast<int16_t>(reader.ReadInteger());
  NodeText = reader.ReadString().substr(0, 255);
  NodeFlags = reader.ReadInteger();
  NodeParamType = static_cast<int16_t>(reader.ReadInteger());
  reader.Read(NodeReserved.data(), NodeReserved.size());  // raw block
  NodeVar = BindVar(variables, reader.ReadString());
  NodeAccept = BindVar(variables, reader.ReadString());
  NodeDefault = BindVar(variables, reader.ReadString());
  NodeDlg = BindDlg(dialogs, reader.ReadString());
}

void TFuncNode::WriteData(TWriter& writer) const {
  writer.WriteInteger(NodeType);
  writer.WriteInteger(NodeEdit);
  writer.WriteString(NodeText.substr(0, 255));
  writer.WriteInteger(NodeFlags);
  writer.WriteInteger(NodeParamType);
  writer.Write(NodeReserved.data(), NodeReserved.size());
  writer.WriteString(VarNameOf(NodeVar));
  writer.WriteString(VarNameOf(NodeAccept));
  writer.WriteString(VarNameOf(NodeDefault));
  writer.WriteString(DlgNameOf(NodeDlg));
}

TFuncNode* TFuncNodeList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TFuncNode* TFuncNodeList::Find(std::string_view nodeText) const {
  for (const auto& n : fItems)
    if (n->NodeText == nodeText) return n.get();
  return nullptr;
}

TFuncNode* TFuncNodeList::Add(std::unique_ptr<TFuncNode> node) {
  fItems.push_back(std::move(node));
  return fItems.back().get();
}

std::unique_ptr<TFuncNode> TFuncNodeList::Extract(int index) { return ExtractAt(fItems, index); }

bool TFuncNodeList::Move(int from, int to) { return MoveItem(fItems, from, to); }

int TFuncNodeList::IndexOf(const TFuncNode* node) const { return IndexOfItem(fItems, node); }

void TFuncNodeList::CopyFrom(const TFuncNodeList& source, const TVarList& variables, const TDlgList& dialogs) {
  for (const auto& n : source.fItems) {
    auto copy = std::make_unique<TFuncNode>();
    copy->CopyFrom(*n, variables, dialogs);
    fItems.push_back(std::move(copy));
  }
}

void TFuncNodeList::ForgetVariable(const TVariable* variable) {
  for (auto& n : fItems) {
    if (n->NodeVar == variable) n->NodeVar = nullptr;
    if (n->NodeAccept == variable) n->NodeAccept = nullptr;
    if (n->NodeDefault == variable) n->NodeDefault = nullptr;
  }
}

void TFuncNodeList::ForgetDialog(const TParamDlg* dlg) {
  for (auto& n : fItems)
    if (n->NodeDlg == dlg) n->NodeDlg = nullptr;
}

}  // namespace zyn
