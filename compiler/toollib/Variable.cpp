#include "compiler/toollib/Variable.h"

#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/OwnedList.h"

#include <charconv>

namespace zyn {

namespace {

constexpr size_t kEntryMax = 255;

// The fixed blocks of a variable are raw blocks in the project stream: the bytes as they stand.
template <size_t N>
void ReadFilerBlock(TReader& reader, std::array<uint8_t, N>& block) {
  reader.Read(block.data(), block.size());
}

template <size_t N>
void ReadIntegerBytes(TReader& reader, std::array<uint8_t, N>& bytes, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) bytes[i] = static_cast<uint8_t>(reader.ReadInteger());
}

TReal48 ReadReal(TReader& reader) {
  TReal48 r;
  if (!TReal48::TryFromValue(reader.ReadFloat(), r)) {
    throw EReadError(Ansi("Ein Grenzwert einer Tool-Variablen liegt außerhalb des Zahlenbereichs."));
  }
  return r;
}

uint32_t ParseNumber(const std::string& text, uint32_t max) {
  size_t b = text.find_first_not_of(' ');
  size_t e = text.find_last_not_of(' ');
  uint32_t v = 0;
  if (b != std::string::npos) {
    const char* first = text.data() + b;
    const char* last = text.data() + e + 1;
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec == std::errc() && p == last && v <= max) return v;
  }
  throw EZYNError("'" + text + Ansi("' ist kein gültiger Wert (0 bis ") + std::to_string(max) + ").");
}

}  // namespace

// ---- TVarEntry

TVarEntry::TVarEntry() = default;
TVarEntry::TVarEntry(std::string text, TToolObject object) : Text(std::move(text)), Object(object) {}
TVarEntry::~TVarEntry() = default;
TVarEntry::TVarEntry(TVarEntry&&) noexcept = default;
TVarEntry& TVarEntry::operator=(TVarEntry&&) noexcept = default;

void TVarEntry::SetSubFunction(std::unique_ptr<TZYNSubFunction> sub) {
  fOwned = std::move(sub);
  Object = fOwned.get();
  if (!fOwned) Object = std::monostate{};
}

// ---- TVariable

TVariable::TVariable() = default;
TVariable::~TVariable() = default;

bool TVariable::IsListType(int16_t type) {
  switch (type) {
    case vtClassList:
    case vtEingang:
    case vtAusgang:
    case vtMerker:
    case vtUhr:
    case vtFunction:
    case vtObject:
    case vtRueckmeldung:
      return true;
    default:
      return false;
  }
}

void TVariable::SetVarType(int16_t type) {
  fVarType = type;
  if (type == vtClassList) return;  // a class list gets its list when read or copied
  fObjects.clear();
  fHasList = IsListType(type);
}

int TVariable::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < fObjects.size(); ++i)
    if (fObjects[i].Text == text) return static_cast<int>(i);
  return -1;
}

int TVariable::IndexOfObject(const TToolObject& object) const {
  if (IsNone(object)) return -1;
  for (size_t i = 0; i < fObjects.size(); ++i)
    if (fObjects[i].Object == object) return static_cast<int>(i);
  return -1;
}

void TVariable::Add(std::string text, TToolObject object) {
  fHasList = true;
  fObjects.emplace_back(std::move(text), object);
}

void TVariable::AddObject(const std::string& text, TToolObject object) {
  int kind = -1;
  if (ObjectAs<TGruppe>(object))
    kind = 5;
  else if (ObjectAs<TModul>(object))
    kind = 4;
  else if (ObjectAs<TUhr>(object))
    kind = 3;
  else if (ObjectAs<TMerker>(object))
    kind = 2;
  else if (ObjectAs<TAusgang>(object))
    kind = 1;
  else if (ObjectAs<TEingang>(object))
    kind = 0;
  Add(std::to_string(kind) + "%" + text, object);
}

void TVariable::Delete(int index) {
  if (index >= 0 && index < Count()) fObjects.erase(fObjects.begin() + index);
}

bool TVariable::AllowsChannel(int channel) const {
  if (channel < 0 || channel >= 16) return true;
  return ChannelBlock[static_cast<size_t>(channel)] == 0;
}

std::string TVariable::GetTypeName() const {
  switch (fVarType) {
    case vtClassList:
      return "TClassList";
    case vtByte:
      return "Byte";
    case vtWord:
    case vtTimeMin:
    case vtTimeSek:
    case vtTimeSek10:
      return "Word";
    case vtLongInt:
      return "LongInt";
    case vtRollade:
      return "TRolladen";
    case vtEingang:
      return "TEingang";
    case vtAusgang:
      return "TAusgang";
    case vtMerker:
      return "TMerker";
    case vtUhr:
      return "TUhr";
    case vtFunction:
      return "TFunction";
    case vtObject:
      return "TObject";
    case vtRueckmeldung:
      return "TRueckmeldung";
    default:
      return "TUNKNOWN";
  }
}

std::string TVariable::GetValueText() const {
  switch (fVarType) {
    case vtClassList:
    case vtFunction: {
      std::string s;
      for (size_t i = 0; i < fObjects.size(); ++i) {
        if (i > 0) s += ',';
        s += fObjects[i].Text;
      }
      return s;
    }
    case vtByte:
      return std::to_string(Value & 0xFF);
    case vtWord:
    case vtTimeMin:
    case vtTimeSek:
    case vtTimeSek10:
      return std::to_string(Value);
    case vtRollade:
      return "Rolladenparameter";
    default:
      return {};
  }
}

void TVariable::SetValueText(const std::string& text) {
  switch (fVarType) {
    case vtClassList:
    case vtFunction: {
      fObjects.clear();
      fHasList = true;
      size_t start = 0;
      while (start <= text.size() && !text.empty()) {
        const size_t comma = text.find(',', start);
        const size_t end = comma == std::string::npos ? text.size() : comma;
        Add(text.substr(start, end - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      break;
    }
    case vtByte:
      Value = static_cast<uint16_t>(ParseNumber(text, 255));
      break;
    case vtWord:
    case vtTimeMin:
    case vtTimeSek:
    case vtTimeSek10:
      Value = static_cast<uint16_t>(ParseNumber(text, 65535));
      break;
    default:
      break;
  }
}

void TVariable::CopyFrom(const TVariable& source) {
  VarName = source.VarName;
  fVarType = source.fVarType;
  Repeats = source.Repeats;
  Einheit = source.Einheit;
  MaxValue = source.MaxValue;
  MinValue = source.MinValue;
  Multiplier = source.Multiplier;
  ChannelBlock = source.ChannelBlock;
  Value = source.Value;
  RolladenValue = source.RolladenValue;
  fObjects.clear();
  fHasList = source.fHasList || (IsListType(fVarType) && fVarType != vtClassList);
  for (const TVarEntry& e : source.fObjects) {
    TVarEntry copy(e.Text, e.Object);
    if (e.SubFunction()) {
      auto sub = std::make_unique<TZYNSubFunction>();
      sub->CopyFrom(*e.SubFunction());
      copy.SetSubFunction(std::move(sub));
    }
    fObjects.push_back(std::move(copy));
  }
}

// ---- raw form

void TVariable::LoadFromRaw(TRawToolReader& reader) {
  VarName = reader.ReadCounted(kNameMax, "VarName");
  SetVarType(reader.ReadI16());
  Repeats = reader.ReadI16();
  reader.ReadBlock(Einheit.Image.data(), Einheit.Image.size());
  if (Einheit.Length() > Einheit.kMax) {
    throw EReadError(Ansi("Die Einheit der Variablen \"") + VarName + Ansi("\" ist länger als 30 Zeichen."));
  }
  reader.ReadBlock(Multiplier.Bytes.data(), 6);
  reader.ReadBlock(MinValue.Bytes.data(), 6);
  reader.ReadBlock(MaxValue.Bytes.data(), 6);
  reader.ReadBlock(Reserved1.data(), Reserved1.size());
  reader.ReadBlock(ReservedBlock1.data(), ReservedBlock1.size());
  reader.ReadBlock(Reserved2.data(), Reserved2.size());
  reader.ReadBlock(ReservedBlock2.data(), ReservedBlock2.size());
  reader.ReadBlock(ChannelBlock.data(), ChannelBlock.size());
  switch (fVarType) {
    case vtClassList:
    case vtEingang:
    case vtAusgang:
    case vtMerker:
    case vtUhr:
    case vtRueckmeldung:
    case vtObject: {
      fHasList = true;
      const int n = reader.ReadCount(kMinCountedSize, Ansi("den Einträgen der Variablen ") + VarName);
      for (int i = 0; i < n; ++i) Add(reader.ReadCounted(kEntryMax, Ansi("Eintrag der Variablen ") + VarName));
      break;
    }
    case vtFunction: {
      fHasList = true;
      const int n =
          reader.ReadCount(kMinCountedSize + 256 + kEmptyToolRawSize, Ansi("den Untertools der Variablen ") + VarName);
      for (int i = 0; i < n; ++i) {
        TVarEntry entry(reader.ReadCounted(kEntryMax, Ansi("Eintrag der Variablen ") + VarName), {});
        auto sub = std::make_unique<TZYNSubFunction>();
        sub->LoadFromRaw(reader);
        entry.SetSubFunction(std::move(sub));
        fObjects.push_back(std::move(entry));
      }
      break;
    }
    case vtRollade:
      reader.ReadBlock(RolladenValue.data(), RolladenValue.size());
      break;
    default:
      Value = reader.ReadU16();
      break;
  }
}

void TVariable::SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const {
  WriteCounted(stream, VarName, kNameMax);
  stream.WriteI16(fVarType);
  stream.WriteI16(Repeats);
  stream.WriteBuffer(Einheit.Image.data(), Einheit.Image.size());
  stream.WriteBuffer(Multiplier.Bytes.data(), 6);
  stream.WriteBuffer(MinValue.Bytes.data(), 6);
  stream.WriteBuffer(MaxValue.Bytes.data(), 6);
  stream.WriteBuffer(Reserved1.data(), Reserved1.size());
  stream.WriteBuffer(ReservedBlock1.data(), ReservedBlock1.size());
  stream.WriteBuffer(Reserved2.data(), Reserved2.size());
  stream.WriteBuffer(ReservedBlock2.data(), ReservedBlock2.size());
  stream.WriteBuffer(ChannelBlock.data(), ChannelBlock.size());
  const std::string what = Ansi("den Einträgen der Variablen ") + VarName;
  switch (fVarType) {
    case vtClassList:
    case vtEingang:
    case vtAusgang:
    case vtMerker:
    case vtUhr:
    case vtRueckmeldung:
      WriteCount(stream, fObjects.size(), what);
      for (const TVarEntry& e : fObjects) WriteCounted(stream, e.Text, kEntryMax);
      break;
    case vtObject:
      WriteCount(stream, fObjects.size(), what);
      for (const TVarEntry& e : fObjects) {
        if (e.Text.find('%') != std::string::npos)
          WriteCounted(stream, e.Text, kEntryMax);
        else
          WriteCounted(stream, std::to_string(RawObjectKind(e.Object)) + "%" + e.Text, kEntryMax);
      }
      break;
    case vtFunction:
      WriteCount(stream, fObjects.size(), what);
      for (const TVarEntry& e : fObjects) {
        WriteCounted(stream, e.Text, kEntryMax);
        if (auto sub = ObjectAs<TZYNSubFunction>(e.Object)) {
          sub->SaveToRaw(stream, writing);
        } else {
          TZYNSubFunction placeholder;  // an entry without sub-tool: its text and an empty tool
          placeholder.Name.SetText(e.Text);
          placeholder.SaveToRaw(stream, writing);
        }
      }
      break;
    case vtRollade:
      stream.WriteBuffer(RolladenValue.data(), RolladenValue.size());
      break;
    default:
      stream.WriteU16(Value);
      break;
  }
}

// ---- project stream

void TVariable::ReadData(TReader& reader) {
  VarName = reader.ReadString().substr(0, kNameMax);
  SetVarType(static_cast<int16_t>(reader.ReadInteger()));
  Repeats = static_cast<int16_t>(reader.ReadInteger());
  Einheit.SetText(reader.ReadString());
  Multiplier = ReadReal(reader);
  MinValue = ReadReal(reader);
  MaxValue = ReadReal(reader);
  ReadIntegerBytes(reader, Reserved1, 0, 4);
  ReadFilerBlock(reader, ReservedBlock1);
  ReadIntegerBytes(reader, Reserved2, 0, 2);
  Reserved2[2] = reader.ReadBoolean() ? 1 : 0;
  Reserved2[3] = static_cast<uint8_t>(reader.ReadInteger());
  ReadFilerBlock(reader, ReservedBlock2);
  ReadFilerBlock(reader, ChannelBlock);
  switch (fVarType) {
    case vtClassList:
    case vtEingang:
    case vtAusgang:
    case vtMerker:
    case vtUhr:
    case vtRueckmeldung:
      fHasList = true;
      reader.ReadListBegin();
      while (!reader.EndOfList()) Add(reader.ReadString().substr(0, kEntryMax));
      reader.ReadListEnd();
      break;
    case vtFunction:
      fHasList = true;
      reader.ReadListBegin();
      while (!reader.EndOfList()) {
        auto sub = std::make_unique<TZYNSubFunction>();
        sub->ReadData(reader);
        TVarEntry entry(sub->InternalName, {});
        entry.SetSubFunction(std::move(sub));
        fObjects.push_back(std::move(entry));
      }
      reader.ReadListEnd();
      break;
    case vtObject:
      fHasList = true;
      reader.ReadListBegin();
      while (!reader.EndOfList()) {
        const int32_t kind = reader.ReadInteger();
        std::string text = reader.ReadString();
        if (kind != -1 && text.find('%') == std::string::npos) text = std::to_string(kind) + "%" + text;
        Add(text.substr(0, kEntryMax));
      }
      reader.ReadListEnd();
      break;
    case vtRollade:
      ReadFilerBlock(reader, RolladenValue);
      break;
    default: {
      std::array<uint8_t, 2> v{};
      ReadFilerBlock(reader, v);
      Value = static_cast<uint16_t>(v[0] | v[1] << 8);
      break;
    }
  }
}

void TVariable::WriteData(TWriter& writer) const {
  writer.WriteString(VarName.substr(0, kNameMax));
  writer.WriteInteger(fVarType);
  writer.WriteInteger(Repeats);
  writer.WriteString(Einheit.Text());
  writer.WriteFloat(Multiplier.Value());
  writer.WriteFloat(MinValue.Value());
  writer.WriteFloat(MaxValue.Value());
  for (uint8_t b : Reserved1) writer.WriteInteger(b);
  writer.Write(ReservedBlock1.data(), ReservedBlock1.size());
  writer.WriteInteger(Reserved2[0]);
  writer.WriteInteger(Reserved2[1]);
  writer.WriteBoolean(Reserved2[2] != 0);
  writer.WriteInteger(Reserved2[3]);
  writer.Write(ReservedBlock2.data(), ReservedBlock2.size());
  writer.Write(ChannelBlock.data(), ChannelBlock.size());
  switch (fVarType) {
    case vtClassList:
    case vtEingang:
    case vtAusgang:
    case vtMerker:
    case vtUhr:
    case vtRueckmeldung:
      writer.WriteListBegin();
      for (const TVarEntry& e : fObjects) writer.WriteString(e.Text.substr(0, kEntryMax));
      writer.WriteListEnd();
      break;
    case vtFunction:
      writer.WriteListBegin();
      for (const TVarEntry& e : fObjects) {
        if (auto sub = ObjectAs<TZYNSubFunction>(e.Object)) {
          sub->WriteData(writer);
        } else {
          TZYNSubFunction placeholder;  // an entry without sub-tool keeps its text as the name
          placeholder.Name.SetText(e.Text);
          placeholder.InternalName = e.Text;
          placeholder.WriteData(writer);
        }
      }
      writer.WriteListEnd();
      break;
    case vtObject:
      writer.WriteListBegin();
      for (const TVarEntry& e : fObjects) {
        writer.WriteInteger(FilerObjectKind(e.Object));
        writer.WriteString(e.Text.substr(0, kEntryMax));
      }
      writer.WriteListEnd();
      break;
    case vtRollade:
      writer.Write(RolladenValue.data(), RolladenValue.size());
      break;
    default: {
      const uint8_t v[2] = {static_cast<uint8_t>(Value), static_cast<uint8_t>(Value >> 8)};
      writer.Write(v, 2);
      break;
    }
  }
}

// ---- TVarList

TVariable* TVarList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

TVariable* TVarList::Find(std::string_view name) const { return Get(IndexOfName(name)); }

int TVarList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i]->VarName == name) return static_cast<int>(i);
  return -1;
}

int TVarList::IndexOf(const TVariable* variable) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].get() == variable) return static_cast<int>(i);
  return -1;
}

TVariable* TVarList::Add(std::unique_ptr<TVariable> variable) {
  fItems.push_back(std::move(variable));
  return fItems.back().get();
}

std::unique_ptr<TVariable> TVarList::Extract(int index) { return ExtractAt(fItems, index); }

void TVarList::CopyFrom(const TVarList& source) {
  for (const auto& v : source.fItems) {
    auto copy = std::make_unique<TVariable>();
    copy->CopyFrom(*v);
    fItems.push_back(std::move(copy));
  }
}

}  // namespace zyn
