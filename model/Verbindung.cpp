#include "model/Verbindung.h"

#include "model/ModelText.h"
#include "model/base/Filer.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace zyn {

namespace {

uint16_t Cut16(long long value) { return static_cast<uint16_t>(static_cast<unsigned long long>(value) & 0xFFFF); }

std::string ChannelText(const TLinkEndpoint& e, int channelDigits) {
  return ModelTranslate("STM.") + ZeroPad(e.StmNummer(), 2) + "." + e.ModulKennung() + "." +
         ZeroPad(e.ModulAdresse() & 31, 2) + "." + ZeroPad(e.KanalNummer(), channelDigits);
}

std::string ParamText(uint16_t param, double factor, int mode) {
  if (mode == 2) {
    const int high = param >> 8;
    const std::string highText = factor != 0.0 ? std::to_string(RoundEven(high / factor)) : std::to_string(high);
    return std::to_string(param & 0xFF) + ";" + highText;
  }
  if (param != 0 && factor != 0.0) return std::to_string(RoundEven(param / factor));
  return std::to_string(param);
}

uint16_t ParamHigh(uint16_t param, int value, int how, double factor) {
  if (how == 0) return Cut16(static_cast<long long>(value) * 256 + (param & 0xFF));
  if (how == 1) return Cut16(RoundEven(value * factor) * 256 + (param & 0xFF));
  return param;
}

uint16_t ParamLow(uint16_t param, int value, int how, double factor) {
  if (how == 0) return Cut16(static_cast<long long>(param >> 8) * 256 + value);
  if (how == 1) return Cut16(static_cast<long long>(param >> 8) * 256 + RoundEven(value * factor));
  return param;
}

uint16_t ParamValue(int value, int mode, double factor) {
  if (mode == 2) {
    const long long high = RoundEven(factor * static_cast<double>(value / 256));
    return Cut16(high * 256 + value % 256);
  }
  return Cut16(RoundEven(value * factor));
}

std::string CaptionText(const std::string& caption) {
  std::string out = caption;
  const size_t bar = out.find('|');
  if (bar != std::string::npos) out[bar] = ';';
  return out;
}

// The sort key of a condition, "<code> <type> <control module> <module> <channel> <state>" in
// upper case, in a fixed buffer: keys compare byte by byte as CompareText compares the texts.
struct TLogicSortKey {
  std::array<char, 32> Text;  // filled up to Size
  uint8_t Size = 0;

  void Make(const TLogicEntry& e) {
    Size = 0;
    const uint8_t* b = e.Bytes();
    const int codeLength = std::min<int>(b[5], 3);
    for (int i = 0; i < codeLength; ++i) {
      const char c = static_cast<char>(b[6 + i]);
      Text[Size++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (const int v : {e.LogicType(), e.StmNummer(), e.ModulAdresse(), e.KanalNummer(), e.LogicState()}) {
      Text[Size++] = ' ';
      if (v >= 100) Text[Size++] = static_cast<char>('0' + v / 100);
      if (v >= 10) Text[Size++] = static_cast<char>('0' + v / 10 % 10);
      Text[Size++] = static_cast<char>('0' + v % 10);
    }
  }
  int Compare(const TLogicSortKey& other) const {
    const int common = std::memcmp(Text.data(), other.Text.data(), std::min(Size, other.Size));
    if (common != 0) return common;
    return Size == other.Size ? 0 : Size < other.Size ? -1 : 1;
  }
};

bool SameEndpoint(const TLinkEndpoint& a, const TLinkEndpoint& b) {
  return a.ObjType() == b.ObjType() && a.StmNummer() == b.StmNummer() && a.ModulAdresse() == b.ModulAdresse() &&
         a.KanalNummer() == b.KanalNummer() && a.FunctionNumber() == b.FunctionNumber();
}

}  // namespace

std::string GetShortString(const uint8_t* field, int capacity) {
  const int length = std::min<int>(field[0], capacity);
  return std::string(reinterpret_cast<const char*>(field + 1), static_cast<size_t>(length));
}

void SetShortString(uint8_t* field, int capacity, const std::string& value) {
  const size_t length = std::min(value.size(), static_cast<size_t>(capacity));
  field[0] = static_cast<uint8_t>(length);
  std::memcpy(field + 1, value.data(), length);
}

void TLogicEntry::Clear() { std::memset(fBytes, 0, kLogicEntrySize); }

TVerbindung::TVerbindung(bool generated) { SetGenerated(generated); }

uint16_t TVerbindung::U16(int offset) const {
  return static_cast<uint16_t>(fHeader[static_cast<size_t>(offset)] | (fHeader[static_cast<size_t>(offset) + 1] << 8));
}

void TVerbindung::SetU16(int offset, uint16_t v) {
  fHeader[static_cast<size_t>(offset)] = static_cast<uint8_t>(v & 0xFF);
  fHeader[static_cast<size_t>(offset) + 1] = static_cast<uint8_t>(v >> 8);
}

double TVerbindung::F64(int offset) const {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | fHeader[static_cast<size_t>(offset + i)];
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void TVerbindung::SetF64(int offset, double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i) fHeader[static_cast<size_t>(offset + i)] = static_cast<uint8_t>(bits >> (8 * i));
}

std::string TVerbindung::StripLeadingDigits(TLinkEndpoint endpoint) {
  const std::string text = endpoint.FunctionText();
  size_t i = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  const std::string rest = Trim(text.substr(i));
  if (i > 0) endpoint.SetFunctionText(rest);
  return rest;
}

std::string TVerbindung::GetSourceChannelText() const { return ChannelText(Source(), 2); }
std::string TVerbindung::GetTargetChannelText() const { return ChannelText(Target(), 2); }

std::string TVerbindung::GetElseChannelText() const {
  if (Trim(ElseTarget().ModulKennung()).empty()) return std::string();
  return ChannelText(ElseTarget(), 2);
}

std::string TVerbindung::GetSourceText() const { return ChannelText(Source(), 2) + "." + Source().FunctionText(); }

std::string TVerbindung::GetTargetText() {
  const int digits = Target().ObjType() == kObjMerker ? 3 : 2;
  return ChannelText(Target(), digits) + "." + StripLeadingDigits(Target());
}

std::string TVerbindung::GetElseTargetText() {
  if (Trim(ElseTarget().ModulKennung()).empty()) return std::string();
  std::string text = ChannelText(ElseTarget(), 2) + "." + ElseTarget().FunctionText();
  if (ElseParam() != 0 && ElseParamMode() < 5) text += ":" + GetElseParamText();
  return text;
}

std::string TVerbindung::GetDisplayText() {
  std::string text = GetSourceText() + "  --->  " + GetTargetText();
  if (TargetParam() != 0 && TargetParamMode() < 5) text += ":" + GetTargetParamText();
  return text;
}

std::string TVerbindung::GetSourceFunctionText() const { return Trim(Source().FunctionText()); }
std::string TVerbindung::GetTargetFunctionText() { return StripLeadingDigits(Target()); }
std::string TVerbindung::GetElseFunctionText() { return StripLeadingDigits(ElseTarget()); }

std::string TVerbindung::GetTargetParamText() const {
  return ParamText(TargetParam(), TargetFactor(), TargetParamMode());
}

std::string TVerbindung::GetElseParamText() const { return ParamText(ElseParam(), ElseFactor(), ElseParamMode()); }

std::string TVerbindung::GetTargetParamCaption() const { return CaptionText(TargetParamCaption()); }
std::string TVerbindung::GetElseParamCaption() const { return CaptionText(ElseParamCaption()); }
int TVerbindung::GetTargetParamCount() const { return TargetParamCaption().find('|') != std::string::npos ? 2 : 1; }
int TVerbindung::GetElseParamCount() const { return ElseParamCaption().find('|') != std::string::npos ? 2 : 1; }

std::string TVerbindung::GetLogicEntryText(int index) const {
  if (index < 0 || index >= kLogicEntryCount) return std::string();
  const TLogicEntry e = Logic(index);
  if (!e.Used()) return std::string();
  const int digits = (e.LogicType() == kObjMerker || e.LogicType() == kObjUhr) ? 3 : 2;
  return ModelTranslate("STM.") + ZeroPad(e.StmNummer(), 2) + "." + e.LogicCode() + "." + ZeroPad(e.ModulAdresse(), 2) +
         "." + ZeroPad(e.KanalNummer(), digits) + "." + ModelTranslate(e.LogicState() == 1 ? "ein" : "aus");
}

void TVerbindung::SetTargetParamHigh(int value, int how) {
  SetTargetParamWord(ParamHigh(TargetParam(), value, how, TargetFactor()));
}
void TVerbindung::SetTargetParamLow(int value, int how) {
  SetTargetParamWord(ParamLow(TargetParam(), value, how, TargetFactor()));
}
void TVerbindung::SetTargetParam(int value) {
  SetTargetParamWord(ParamValue(value, TargetParamMode(), TargetFactor()));
}
void TVerbindung::SetElseParamHigh(int value, int how) {
  SetElseParamWord(ParamHigh(ElseParam(), value, how, ElseFactor()));
}
void TVerbindung::SetElseParamLow(int value, int how) {
  SetElseParamWord(ParamLow(ElseParam(), value, how, ElseFactor()));
}
void TVerbindung::SetElseParam(int value) { SetElseParamWord(ParamValue(value, ElseParamMode(), ElseFactor())); }

void TVerbindung::ClearElseTarget() {
  TLinkEndpoint e = ElseTarget();
  e.SetObjType(0);
  e.SetStmNummer(0);
  e.SetModulAdresse(0);
  e.SetKanalNummer(0);
  e.SetShift(0);
  e.SetFunctionNumber(0);
  e.Bytes()[2] = 0;   // ModulKennung
  e.Bytes()[6] = 0;   // FunctionText
  e.Bytes()[67] = 0;  // FunctionName
  SetElseParamWord(0);
  SetHasElseParam(false);
}

void TVerbindung::RemoveElseTarget() {
  ClearElseTarget();
  SetKind(1);
}

bool TVerbindung::CheckLogic() {
  bool valid = true;
  if (Kind() == 1 || Kind() == 2) {
    const int targetStm = Target().StmNummer();
    for (int i = 0; i < kLogicEntryCount && valid; ++i) {
      const TLogicEntry e = Logic(i);
      if (!Trim(e.LogicCode()).empty() && e.StmNummer() != targetStm) valid = false;
    }
  }
  HasValidLogic = valid;
  return valid;
}

int TVerbindung::GetLogicCount() const {
  int count = 0;
  for (int i = 0; i < kLogicEntryCount; ++i) {
    if (Logic(i).Used()) ++count;
  }
  return count;
}

void TVerbindung::RemoveLogicEntry(const std::string& text) {
  for (int i = 0; i < kLogicEntryCount; ++i) {
    if (Logic(i).Used() && GetLogicEntryText(i) == text) {
      Logic(i).Clear();
      return;
    }
  }
}

void TVerbindung::SortLogic() {
  // The used entries' positions are sorted, not the entries; the table is rewritten only when
  // the order, a duplicate or a gap changes it.
  std::array<TLogicSortKey, kLogicEntryCount> keys;
  std::array<int, kLogicEntryCount> order;
  int used = 0;
  for (int i = 0; i < kLogicEntryCount; ++i) {
    const TLogicEntry e = Logic(i);
    if (!e.Used()) continue;
    keys[static_cast<size_t>(i)].Make(e);
    order[static_cast<size_t>(used++)] = i;
  }
  const auto compare = [&](int a, int b) { return keys[static_cast<size_t>(a)].Compare(keys[static_cast<size_t>(b)]); };
  // Insertion sort: stable, without allocation, and one pass over a sorted table.
  for (int i = 1; i < used; ++i) {
    const int item = order[static_cast<size_t>(i)];
    int j = i;
    for (; j > 0 && compare(item, order[static_cast<size_t>(j - 1)]) < 0; --j) {
      order[static_cast<size_t>(j)] = order[static_cast<size_t>(j - 1)];
    }
    order[static_cast<size_t>(j)] = item;
  }
  const int kept = static_cast<int>(
      std::unique(order.begin(), order.begin() + used, [&](int a, int b) { return compare(a, b) == 0; }) -
      order.begin());

  // A table that is sorted, without duplicates and packed from entry 0 stays as it is.
  bool inPlace = kept == used;
  for (int i = 0; i < kept && inPlace; ++i) inPlace = order[static_cast<size_t>(i)] == i;
  if (inPlace) {
    const uint8_t* rest = fLogic.data() + static_cast<size_t>(kept) * kLogicEntrySize;
    static const TLogicTable kEmpty{};
    inPlace = std::memcmp(rest, kEmpty.data(), static_cast<size_t>(kLogicEntryCount - kept) * kLogicEntrySize) == 0;
  }
  if (inPlace) return;
  TLogicTable sorted{};
  for (int i = 0; i < kept; ++i) {
    std::memcpy(sorted.data() + static_cast<size_t>(i) * kLogicEntrySize,
                fLogic.data() + static_cast<size_t>(order[static_cast<size_t>(i)]) * kLogicEntrySize, kLogicEntrySize);
  }
  fLogic = sorted;
}

void TVerbindung::CopyRecordFrom(const TVerbindung& source) {
  fHeader = source.fHeader;
  fLogic = source.fLogic;
}

void TVerbindung::ReadData(TReader& reader) {
  reader.Read(fHeader.data(), fHeader.size());
  reader.Read(fLogic.data(), fLogic.size());
  if (!ElseTarget().ModulKennung().empty()) SetKind(2);
  if (Target().ObjType() < 8 && Target().Shift() == 0) Target().SetShift(5);
  if (Kind() == 2 && ElseTarget().Shift() == 0 && ElseTarget().ObjType() < 8) ElseTarget().SetShift(5);
  if (Source().ObjType() < 8 && Source().Shift() == 0) Source().SetShift(5);
}

void TVerbindung::WriteData(TWriter& writer) const {
  writer.Write(fHeader.data(), fHeader.size());
  writer.Write(fLogic.data(), fLogic.size());
}

bool LinkEndpointsEqual(const TVerbindung& a, const TVerbindung& b) {
  return SameEndpoint(a.Source(), b.Source()) && SameEndpoint(a.Target(), b.Target());
}

bool ElseEndpointsEqual(const TVerbindung& a, const TVerbindung& b) {
  return SameEndpoint(a.ElseTarget(), b.ElseTarget());
}

}  // namespace zyn
