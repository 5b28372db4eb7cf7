#pragma once
// A function link: a 448-byte header (kind, source, target, else target, parameters) and a
// table of 51 conditions of 60 bytes, both stored raw in the project file.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TReader;
class TWriter;
class TKanal;

constexpr int kLinkHeaderSize = 448;
constexpr int kLogicEntrySize = 60;
constexpr int kLogicEntryCount = 51;
constexpr int kLogicTableSize = kLogicEntrySize * kLogicEntryCount;  // 3060
constexpr int kLinkEndpointSize = 102;

// Object codes of link endpoints and conditions.
constexpr int kObjMerker = 25;
constexpr int kObjUhr = 26;
constexpr int kObjAnzeigetext = 253;
constexpr int kObjGruppe = 254;

// Reads a short string (length byte + characters) of the given capacity from a raw record. A
// length byte above the capacity is clamped, so the read never leaves the field.
std::string GetShortString(const uint8_t* field, int capacity);
// Writes a short string, cut to the capacity; the unused rest of the field is left as it was.
void SetShortString(uint8_t* field, int capacity, const std::string& value);

// The view of one 102-byte endpoint inside a link header.
class TLinkEndpoint {
 public:
  explicit TLinkEndpoint(uint8_t* bytes) : fBytes(bytes) {}

  uint8_t ObjType() const { return fBytes[0]; }
  uint8_t StmNummer() const { return fBytes[1]; }
  std::string ModulKennung() const { return GetShortString(fBytes + 2, 3); }
  std::string FunctionText() const { return GetShortString(fBytes + 6, 60); }
  std::string FunctionName() const { return GetShortString(fBytes + 67, 30); }
  uint8_t ModulAdresse() const { return fBytes[98]; }
  uint8_t KanalNummer() const { return fBytes[99]; }
  uint8_t Shift() const { return fBytes[100]; }
  uint8_t FunctionNumber() const { return fBytes[101]; }

  void SetObjType(int v) { fBytes[0] = static_cast<uint8_t>(v); }
  void SetStmNummer(int v) { fBytes[1] = static_cast<uint8_t>(v); }
  void SetModulKennung(const std::string& v) { SetShortString(fBytes + 2, 3, v); }
  void SetFunctionText(const std::string& v) { SetShortString(fBytes + 6, 60, v); }
  void SetFunctionName(const std::string& v) { SetShortString(fBytes + 67, 30, v); }
  void SetModulAdresse(int v) { fBytes[98] = static_cast<uint8_t>(v); }
  void SetKanalNummer(int v) { fBytes[99] = static_cast<uint8_t>(v); }
  void SetShift(int v) { fBytes[100] = static_cast<uint8_t>(v); }
  void SetFunctionNumber(int v) { fBytes[101] = static_cast<uint8_t>(v); }

  // True when an endpoint of this kind is present (its module code is not empty).
  bool Present() const { return fBytes[2] != 0; }
  uint8_t* Bytes() const { return fBytes; }

 private:
  uint8_t* fBytes;
};

// The view of one 60-byte condition of the logic table.
class TLogicEntry {
 public:
  explicit TLogicEntry(uint8_t* bytes) : fBytes(bytes) {}

  uint8_t LogicType() const { return fBytes[0]; }
  uint8_t StmNummer() const { return fBytes[1]; }
  uint8_t ModulAdresse() const { return fBytes[2]; }
  uint8_t KanalNummer() const { return fBytes[3]; }
  uint8_t LogicState() const { return fBytes[4]; }
  std::string LogicCode() const { return GetShortString(fBytes + 5, 3); }
  std::string LogicChannelName() const { return GetShortString(fBytes + 9, 50); }

  void SetLogicType(int v) { fBytes[0] = static_cast<uint8_t>(v); }
  void SetStmNummer(int v) { fBytes[1] = static_cast<uint8_t>(v); }
  void SetModulAdresse(int v) { fBytes[2] = static_cast<uint8_t>(v); }
  void SetKanalNummer(int v) { fBytes[3] = static_cast<uint8_t>(v); }
  void SetLogicState(int v) { fBytes[4] = static_cast<uint8_t>(v); }
  void SetLogicCode(const std::string& v) { SetShortString(fBytes + 5, 3, v); }
  void SetLogicChannelName(const std::string& v) { SetShortString(fBytes + 9, 50, v); }

  // An entry is used when its code is not empty.
  bool Used() const { return fBytes[5] != 0; }
  void Clear();
  uint8_t* Bytes() const { return fBytes; }

 private:
  uint8_t* fBytes;
};

class TVerbindung {
 public:
  using THeader = std::array<uint8_t, kLinkHeaderSize>;
  using TLogicTable = std::array<uint8_t, kLogicTableSize>;

  explicit TVerbindung(bool generated = false);

  // Object fields.
  bool Duplicate = false;
  bool HasValidLogic = false;
  std::string InternalName;
  TKanal* Parent = nullptr;  // the source channel; not owned
  uint16_t WorkValue1 = 0;   // compiler work values, not persisted
  uint16_t WorkValue2 = 0;

  THeader& Header() { return fHeader; }
  const THeader& Header() const { return fHeader; }
  TLogicTable& LogicTable() { return fLogic; }
  const TLogicTable& LogicTable() const { return fLogic; }

  TLinkEndpoint Source() { return TLinkEndpoint(fHeader.data() + 1); }
  TLinkEndpoint Target() { return TLinkEndpoint(fHeader.data() + 103); }
  TLinkEndpoint ElseTarget() { return TLinkEndpoint(fHeader.data() + 208); }
  const TLinkEndpoint Source() const { return TLinkEndpoint(const_cast<uint8_t*>(fHeader.data()) + 1); }
  const TLinkEndpoint Target() const { return TLinkEndpoint(const_cast<uint8_t*>(fHeader.data()) + 103); }
  const TLinkEndpoint ElseTarget() const { return TLinkEndpoint(const_cast<uint8_t*>(fHeader.data()) + 208); }
  TLogicEntry Logic(int index) { return TLogicEntry(fLogic.data() + index * kLogicEntrySize); }
  const TLogicEntry Logic(int index) const {
    return TLogicEntry(const_cast<uint8_t*>(fLogic.data()) + index * kLogicEntrySize);
  }

  // Header fields.
  uint8_t Kind() const { return fHeader[0]; }
  void SetKind(int v) { fHeader[0] = static_cast<uint8_t>(v); }
  uint16_t TargetParam() const { return U16(206); }
  void SetTargetParamWord(uint16_t v) { SetU16(206, v); }
  uint16_t ElseParam() const { return U16(310); }
  void SetElseParamWord(uint16_t v) { SetU16(310, v); }
  uint8_t CrossSTM() const { return fHeader[322]; }
  void SetCrossSTM(bool v) { fHeader[322] = v ? 1 : 0; }
  uint8_t LogicOr() const { return fHeader[323]; }
  void SetLogicOr(bool v) { fHeader[323] = v ? 1 : 0; }
  uint8_t Generated() const { return fHeader[324]; }
  void SetGenerated(bool v) { fHeader[324] = v ? 1 : 0; }
  uint16_t CombinationAddress() const { return U16(326); }
  void SetCombinationAddress(uint16_t v) { SetU16(326, v); }
  uint8_t SingleEntry() const { return fHeader[350]; }
  void SetSingleEntry(bool v) { fHeader[350] = v ? 1 : 0; }
  uint8_t Hidden() const { return fHeader[352]; }
  void SetHidden(bool v) { fHeader[352] = v ? 1 : 0; }
  std::string TargetParamCaption() const { return GetShortString(fHeader.data() + 353, 30); }
  void SetTargetParamCaption(const std::string& v) { SetShortString(fHeader.data() + 353, 30, v); }
  std::string ElseParamCaption() const { return GetShortString(fHeader.data() + 384, 30); }
  void SetElseParamCaption(const std::string& v) { SetShortString(fHeader.data() + 384, 30, v); }
  bool HasTargetParam() const { return fHeader[415] != 0; }
  void SetHasTargetParam(bool v) { fHeader[415] = v ? 1 : 0; }
  bool HasElseParam() const { return fHeader[416] != 0; }
  void SetHasElseParam(bool v) { fHeader[416] = v ? 1 : 0; }
  double TargetFactor() const { return F64(424); }
  void SetTargetFactor(double v) { SetF64(424, v); }
  double ElseFactor() const { return F64(432); }
  void SetElseFactor(double v) { SetF64(432, v); }
  uint8_t TargetParamMode() const { return fHeader[440]; }
  void SetTargetParamMode(int v) { fHeader[440] = static_cast<uint8_t>(v); }
  uint8_t ElseParamMode() const { return fHeader[441]; }
  void SetElseParamMode(int v) { fHeader[441] = static_cast<uint8_t>(v); }

  // Texts. The target and else texts take the leading digits off the stored command text.
  std::string GetSourceText() const;
  std::string GetTargetText();
  std::string GetElseTargetText();
  std::string GetDisplayText();
  std::string DisplayName() { return GetDisplayText(); }
  std::string GetSourceChannelText() const;
  std::string GetTargetChannelText() const;
  std::string GetElseChannelText() const;
  std::string GetSourceFunctionText() const;
  std::string GetTargetFunctionText();
  std::string GetElseFunctionText();
  std::string GetTargetParamText() const;
  std::string GetElseParamText() const;
  std::string GetTargetParamCaption() const;
  std::string GetElseParamCaption() const;
  int GetTargetParamCount() const;
  int GetElseParamCount() const;
  std::string GetLogicEntryText(int index) const;

  // Parameters; how 0 stores the value, how 1 the value times the factor, rounded.
  void SetTargetParamHigh(int value, int how);
  void SetTargetParamLow(int value, int how);
  void SetTargetParam(int value);
  void SetElseParamHigh(int value, int how);
  void SetElseParamLow(int value, int how);
  void SetElseParam(int value);

  void ClearElseTarget();
  void RemoveElseTarget();
  bool CheckLogic();
  bool IsCrossSTM() const { return Source().StmNummer() != Target().StmNummer(); }
  bool IsGenerated() const { return Generated() != 0; }
  int GetLogicCount() const;
  void RemoveLogicEntry(const std::string& text);
  void SortLogic();

  // A copy of header and logic table (the object fields are not copied).
  void CopyRecordFrom(const TVerbindung& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  uint16_t U16(int offset) const;
  void SetU16(int offset, uint16_t v);
  double F64(int offset) const;
  void SetF64(int offset, double v);
  static std::string StripLeadingDigits(TLinkEndpoint endpoint);

  THeader fHeader{};
  TLogicTable fLogic{};
};

// The five fields (type, control module, module address, channel, command) of source and target,
// and of the else targets, as the duplicate test compares them.
bool LinkEndpointsEqual(const TVerbindung& a, const TVerbindung& b);
bool ElseEndpointsEqual(const TVerbindung& a, const TVerbindung& b);

}  // namespace zyn
