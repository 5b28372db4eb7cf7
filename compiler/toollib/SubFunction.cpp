#include "compiler/toollib/SubFunction.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Filer.h"

namespace zyn {

TZYNSubFunction::TZYNSubFunction() = default;
TZYNSubFunction::~TZYNSubFunction() = default;

void TZYNSubFunction::SetFunction(TZYNFunction* tool) {
  if (fOwned && fOwned.get() == tool) return;
  fOwned.reset();
  fFunction = tool;
}

void TZYNSubFunction::SetOwnedFunction(std::unique_ptr<TZYNFunction> tool) {
  fOwned = std::move(tool);
  fFunction = fOwned.get();
}

bool TZYNSubFunction::BindTo(const TZYNFunktionsListe& list) {
  if (!fFunction) return false;
  TZYNFunction* found = list.FindByName(fFunction->Info.FunctionName);
  if (!found || found == fFunction) return false;
  SetFunction(found);
  return true;
}

void TZYNSubFunction::CopyFrom(const TZYNSubFunction& source) {
  if (&source == this) return;
  FunctionKey = source.FunctionKey;
  InternalName = source.InternalName;
  Name = source.Name;
  if (source.fOwned) {
    auto copy = std::make_unique<TZYNFunction>();
    copy->CopyFrom(*source.fOwned);
    copy->Info.Ebene = source.fOwned->Info.Ebene;
    copy->InternalName = source.fOwned->InternalName;
    SetOwnedFunction(std::move(copy));
  } else {
    SetFunction(source.fFunction);
  }
}

void TZYNSubFunction::LoadFromRaw(TRawToolReader& reader) {
  reader.ReadBlock(Name.Image.data(), Name.Image.size());
  auto tool = std::make_unique<TZYNFunction>();
  tool->LoadFromRaw(reader);
  SetOwnedFunction(std::move(tool));
}

void TZYNSubFunction::SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const {
  stream.WriteBuffer(Name.Image.data(), Name.Image.size());
  if (fFunction) {
    fFunction->SaveToRaw(stream, writing);
  } else {
    TZYNFunction empty;
    empty.SaveToRaw(stream, writing);
  }
}

void TZYNSubFunction::ReadData(TReader& reader) {
  Name.SetText(reader.ReadString());
  FunctionKey = reader.ReadString().substr(0, 255);
  InternalName = reader.ReadString().substr(0, 255);
}

void TZYNSubFunction::WriteData(TWriter& writer) const {
  writer.WriteString(Name.Text());
  writer.WriteString(FunctionKey.substr(0, 255));
  writer.WriteString(InternalName.substr(0, 255));
}

}  // namespace zyn
