#include "compiler/toollib/FunctionInfo.h"

#include "compiler/toollib/RawToolStream.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

namespace zyn {

namespace {

std::string Cut(std::string s, size_t max) {
  if (s.size() > max) s.resize(max);
  return s;
}

}  // namespace

void TFunctionInfo::CopyFrom(const TFunctionInfo& source) {
  const TShortString<63> ebene = Ebene;
  *this = source;
  Ebene = ebene;
}

void TFunctionInfo::LoadFromRaw(TRawToolReader& reader) {
  FunctionGroup = reader.ReadCounted(50, "FunctionGroup");
  FunctionName = reader.ReadCounted(50, "FunctionName");
  FunctionHelp = reader.ReadCounted(255, "FunctionHelp");
  FunctionVer = reader.ReadCounted(7, "FunctionVer");
  Creator = reader.ReadCounted(50, "Creator");
  Company = reader.ReadCounted(50, "Company");
  CreationDate = reader.ReadCounted(10, "CreationDate");
  LastModified = reader.ReadCounted(10, "LastModified");
  FunctionClass = reader.ReadCounted(30, "FunctionClass");
  CanBeSubFunc = reader.ReadU8();
  HelpContext = reader.ReadI32();
  reader.ReadBlock(InfoReserved.Image.data(), InfoReserved.Image.size());
  reader.ReadBlock(Ebene.Image.data(), kEbeneRawMax + 1);
  if (Ebene.Length() > kEbeneRawMax) {
    throw EReadError(Ansi("Der Ebenenname des Tools \"") + FunctionName +
                     Ansi("\" ist länger als 62 Zeichen; die Datei ist beschädigt."));
  }
  reader.ReadBlock(OemBlock.data(), OemBlock.size());
}

void TFunctionInfo::SaveToRaw(TStream& stream) const {
  WriteCounted(stream, FunctionGroup, 50);
  WriteCounted(stream, FunctionName, 50);
  WriteCounted(stream, FunctionHelp, 255);
  WriteCounted(stream, FunctionVer, 7);
  WriteCounted(stream, Creator, 50);
  WriteCounted(stream, Company, 50);
  WriteCounted(stream, CreationDate, 10);
  WriteCounted(stream, LastModified, 10);
  WriteCounted(stream, FunctionClass, 30);
  stream.WriteU8(CanBeSubFunc);
  stream.WriteI32(HelpContext);
  stream.WriteBuffer(InfoReserved.Image.data(), InfoReserved.Image.size());
  // The block holds a length byte and 62 characters: a longer name is written cut to 62, so
  // that the length byte never claims a character the block does not hold.
  std::array<uint8_t, kEbeneRawMax + 1> ebene;
  std::copy_n(Ebene.Image.begin(), ebene.size(), ebene.begin());
  if (ebene[0] > kEbeneRawMax) ebene[0] = kEbeneRawMax;
  stream.WriteBuffer(ebene.data(), ebene.size());
  stream.WriteBuffer(OemBlock.data(), OemBlock.size());
}

void TFunctionInfo::ReadData(TReader& reader) {
  FunctionGroup = Cut(reader.ReadString(), 50);
  FunctionName = Cut(reader.ReadString(), 50);
  FunctionHelp = Cut(reader.ReadString(), 255);
  FunctionVer = Cut(reader.ReadString(), 7);
  Creator = Cut(reader.ReadString(), 50);
  Company = Cut(reader.ReadString(), 50);
  CreationDate = Cut(reader.ReadString(), 10);
  LastModified = Cut(reader.ReadString(), 10);
  FunctionClass = Cut(reader.ReadString(), 30);
  CanBeSubFunc = reader.ReadBoolean() ? 1 : 0;
  HelpContext = reader.ReadInteger();
  InfoReserved.SetText(reader.ReadString());
  Ebene.SetText(reader.ReadString());
  reader.Read(OemBlock.data(), OemBlock.size());  // raw block
}

void TFunctionInfo::WriteData(TWriter& writer) const {
  writer.WriteString(Cut(FunctionGroup, 50));
  writer.WriteString(Cut(FunctionName, 50));
  writer.WriteString(Cut(FunctionHelp, 255));
  writer.WriteString(Cut(FunctionVer, 7));
  writer.WriteString(Cut(Creator, 50));
  writer.WriteString(Cut(Company, 50));
  writer.WriteString(Cut(CreationDate, 10));
  writer.WriteString(Cut(LastModified, 10));
  writer.WriteString(Cut(FunctionClass, 30));
  writer.WriteBoolean(CanBeSubFunc != 0);
  writer.WriteInteger(HelpContext);
  writer.WriteString(InfoReserved.Text());
  writer.WriteString(Ebene.Text());
  writer.Write(OemBlock.data(), OemBlock.size());  // raw block
}

}  // namespace zyn
