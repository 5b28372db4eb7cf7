#include "compiler/toollib/ParamDlg.h"

#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/Variable.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/OwnedList.h"

namespace zyn {

namespace {

std::string CutTo(std::string s, size_t max) {
  if (s.size() > max) s.resize(max);
  return s;
}

TVariable* Bind(const TVarList& variables, const std::string& name) {
  return name.empty() ? nullptr : variables.Find(name);
}

}  // namespace

std::string VarNameOf(const TVariable* variable) { return variable ? variable->VarName : std::string(); }

std::string TParamDlg::GetDataTypeName() const {
  switch (static_cast<uint16_t>(DlgType)) {
    case dlgTimeMin:
      return "dtTimeMin";
    case dlgTimeSek:
      return "dtTimeSek";
    case dlgTimeSek10:
      return "dtTimeSek10";
    case dlgWinkelTime:
      return "dtWinkelTime";
    case dlgRolladen1:
      return "dtRollade1";
    case dlgRolladen2:
      return "dtRollade2";
    case dlgRolladen3:
      return "dtRollade3";
    case dlgRolladen4:
      return "dtRollade4";
    default:
      return "dtUnknown";
  }
}

void TParamDlg::CopyFrom(const TParamDlg& source, const TVarList& variables) {
  DlgName = source.DlgName;
  DlgType = source.DlgType;
  DlgTitle = source.DlgTitle;
  DlgText = source.DlgText;
  DlgMask = source.DlgMask;
  DlgEinheit = source.DlgEinheit;
  DlgMultiplier = source.DlgMultiplier;
  DlgReserved = source.DlgReserved;
  DlgVar = Bind(variables, VarNameOf(source.DlgVar));
  DlgDefault = Bind(variables, VarNameOf(source.DlgDefault));
}

void TParamDlg::LoadFromRaw(TRawToolReader& reader, const TVarList& variables) {
  DlgName = reader.ReadCounted(50, "DlgName");
  DlgType = reader.ReadI16();
  DlgTitle = reader.ReadCounted(50, "DlgTitle");
  DlgText = reader.ReadCounted(255, "DlgText");
  DlgMask = reader.ReadCounted(50, "DlgMask");
  DlgEinheit = reader.ReadCounted(50, "DlgEinheit");
  DlgMultiplier = reader.ReadI16();
  reader.ReadBlock(DlgReserved.data(), DlgReserved.size());
  DlgVar = Bind(variables, reader.ReadCounted(255, "DlgVar"));
  DlgDefault = Bind(variables, reader.ReadCounted(255, "DlgDefault"));
}

void TParamDlg::SaveToRaw(TStream& stream) const {
  WriteCounted(stream, DlgName, 50);
  stream.WriteI16(DlgType);
  WriteCounted(stream, DlgTitle, 50);
  WriteCounted(stream, DlgText, 255);
  WriteCounted(stream, DlgMask, 50);
  WriteCounted(stream, DlgEinheit, 50);
  stream.WriteI16(DlgMultiplier);
  stream.WriteBuffer(DlgReserved.data(), DlgReserved.size());
  WriteCounted(stream, VarNameOf(DlgVar), 255);
  WriteCounted(stream, VarNameOf(DlgDefault), 255);
}

void TParamDlg::ReadData(TReader& reader, const TVarList& variables) {
  DlgName = CutTo(reader.ReadString(), 50);
  DlgType = static_cast<int16_t>(reader.ReadInteger());
  DlgTitle = CutTo(reader.ReadString(), 50);
  DlgText = CutTo(reader.ReadString(), 255);
  DlgMask = CutTo(reader.ReadString(), 50);
  DlgEinheit = CutTo(reader.ReadString(), 50);
  DlgMultiplier = static_cast<int16_t>(reader.ReadInteger());
  reader.Read(DlgReserved.data(), DlgReserved.size());  // raw block
  DlgVar = Bind(variables, reader.ReadString());
  DlgDefault = Bind(variables, reader.ReadString());
}

void TParamDlg::WriteData(TWriter& writer) const {
  writer.WriteString(CutTo(DlgName, 50));
  writer.WriteInteger(DlgType);
  writer.WriteString(CutTo(DlgTitle, 50));
  writer.WriteString(CutTo(DlgText, 255));
  writer.WriteString(CutTo(DlgMask, 50));
  writer.WriteString(CutTo(DlgEinheit, 50));
  writer.WriteInteger(DlgMultiplier);
  writer.Write(DlgReserved.data(), DlgReserved.size());
  writer.WriteString(VarNameOf(DlgVar));
  writer.WriteString(VarNameOf(DlgDefault));
}

TParamDlg* TDlgList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TParamDlg* TDlgList::Find(std::string_view name) const { return Get(IndexOfName(name)); }

int TDlgList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i]->DlgName == name) return static_cast<int>(i);
  return -1;
}

TParamDlg* TDlgList::Add(std::unique_ptr<TParamDlg> dlg) {
  fItems.push_back(std::move(dlg));
  return fItems.back().get();
}

std::unique_ptr<TParamDlg> TDlgList::Extract(int index) { return ExtractAt(fItems, index); }

bool TDlgList::Move(int from, int to) { return MoveItem(fItems, from, to); }

int TDlgList::IndexOf(const TParamDlg* dlg) const { return IndexOfItem(fItems, dlg); }

void TDlgList::CopyFrom(const TDlgList& source, const TVarList& variables) {
  for (const auto& d : source.fItems) {
    auto copy = std::make_unique<TParamDlg>();
    copy->CopyFrom(*d, variables);
    fItems.push_back(std::move(copy));
  }
}

void TDlgList::ForgetVariable(const TVariable* variable) {
  for (auto& d : fItems) {
    if (d->DlgVar == variable) d->DlgVar = nullptr;
    if (d->DlgDefault == variable) d->DlgDefault = nullptr;
  }
}

}  // namespace zyn
