#include "model/base/ComponentRecord.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace zyn {

namespace {

// Nesting of lists, collections and child components that a reader accepts; deeper input is
// refused instead of exhausting the stack.
constexpr int kMaxDepth = 200;

[[noreturn]] void InvalidValue() { throw EReadError(Ansi("Ungültiger Eigenschaftswert")); }

[[noreturn]] void InvalidRecord(const std::string& what) {
  throw EWriteError(Ansi("Die Komponente kann nicht geschrieben werden: ") + what);
}

uint8_t ReadByte(TReader& r) {
  uint8_t b = 0;
  r.Read(&b, 1);
  return b;
}

// Appends n bytes; large counts are taken in pieces so that a damaged length cannot demand
// more memory than the source really holds.
void ReadBytes(TReader& r, uint64_t n, std::vector<uint8_t>& out) {
  constexpr uint64_t kChunk = 64 * 1024;
  while (n > 0) {
    const size_t part = static_cast<size_t>(std::min(n, kChunk));
    const size_t at = out.size();
    out.resize(at + part);
    r.Read(out.data() + at, part);
    n -= part;
  }
}

uint32_t ReadU32(TReader& r, std::vector<uint8_t>& raw) {
  const size_t at = raw.size();
  ReadBytes(r, 4, raw);
  return uint32_t(raw[at]) | uint32_t(raw[at + 1]) << 8 | uint32_t(raw[at + 2]) << 16 | uint32_t(raw[at + 3]) << 24;
}

std::string ReadChars(TReader& r, size_t n) {
  std::string s(n, '\0');
  if (n > 0) r.Read(s.data(), n);
  return s;
}

std::string ReadShortString(TReader& r) { return ReadChars(r, ReadByte(r)); }

void PutLE(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t GetLE(const std::vector<uint8_t>& in, size_t at, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t(in.at(at + i)) << (8 * i);
  return v;
}

void PutShort(std::vector<uint8_t>& out, std::string_view s) {
  out.push_back(static_cast<uint8_t>(s.size()));
  out.insert(out.end(), s.begin(), s.end());
}

void PutLong(std::vector<uint8_t>& out, const void* data, size_t size) {
  PutLE(out, size, 4);
  const auto* p = static_cast<const uint8_t*>(data);
  out.insert(out.end(), p, p + size);
}

// 80-bit extended precision: 64-bit significand with its explicit integer bit, then the sign
// and the 15-bit exponent biased by 16383.
void PutExtended(std::vector<uint8_t>& out, long double v) {
  uint64_t mant = 0;
  unsigned exp = 0;
  const bool negative = std::signbit(v);
  if (std::isnan(v)) {
    exp = 0x7FFF;
    mant = 0xC000000000000000ull;
  } else if (std::isinf(v)) {
    exp = 0x7FFF;
    mant = 0x8000000000000000ull;
  } else if (v != 0) {
    int e = 0;
    const long double m = std::frexp(std::fabs(v), &e);  // m in [0.5, 1)
    const int biased = e - 1 + 16383;
    if (biased >= 0x7FFF) {
      exp = 0x7FFF;
      mant = 0x8000000000000000ull;
    } else if (biased <= 0) {
      mant = static_cast<uint64_t>(std::ldexp(std::fabs(v), 16445));  // denormal
    } else {
      exp = static_cast<unsigned>(biased);
      mant = static_cast<uint64_t>(std::ldexp(m, 64));
    }
  }
  PutLE(out, mant, 8);
  PutLE(out, (negative ? 0x8000u : 0u) | exp, 2);
}

long double GetExtended(const std::vector<uint8_t>& in, size_t at) {
  const uint64_t mant = GetLE(in, at, 8);
  const unsigned se = static_cast<unsigned>(GetLE(in, at + 8, 2));
  const int exp = static_cast<int>(se & 0x7FFF);
  const bool negative = (se & 0x8000) != 0;
  long double v;
  if (exp == 0x7FFF) {
    v = (mant << 1) == 0 ? HUGE_VALL : std::nanl("");
  } else {
    v = std::ldexp(static_cast<long double>(mant), (exp == 0 ? 1 : exp) - 16383 - 63);
  }
  return negative ? -v : v;
}

}  // namespace

// Reads and checks the parts of values and records.
class TValueParser {
 public:
  static TFilerValue FromEncoding(TValueType type, std::vector<uint8_t> raw) {
    TFilerValue v;
    v.fType = type;
    v.fRaw = std::move(raw);
    return v;
  }

  static TFilerValue Body(TReader& r, uint8_t tag, int depth) {
    if (depth > kMaxDepth) InvalidValue();
    TFilerValue v;
    v.fType = static_cast<TValueType>(tag);
    auto& raw = v.fRaw;
    raw.clear();
    switch (tag) {
      case 0:
      case 8:
      case 9:
      case 13:
        raw.push_back(tag);
        break;
      case 2:
      case 3:
      case 4:
      case 5:
      case 15:
      case 16:
      case 17:
      case 19: {
        static const uint8_t kSizes[20] = {0, 0, 1, 2, 4, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 8, 8, 0, 8};
        raw.push_back(tag);
        ReadBytes(r, kSizes[tag], raw);
        break;
      }
      case 6:
      case 7: {
        raw.push_back(tag);
        const uint8_t n = ReadByte(r);
        raw.push_back(n);
        ReadBytes(r, n, raw);
        break;
      }
      case 10:
      case 12:
      case 20: {
        raw.push_back(tag);
        ReadBytes(r, ReadU32(r, raw), raw);
        break;
      }
      case 18: {
        raw.push_back(tag);
        ReadBytes(r, uint64_t(ReadU32(r, raw)) * 2, raw);
        break;
      }
      case 1:
        for (uint8_t b = ReadByte(r); b != 0; b = ReadByte(r)) {
          v.fList.push_back(Body(r, b, depth + 1));
        }
        break;
      case 11:
        for (uint8_t n = ReadByte(r); n != 0; n = ReadByte(r)) v.fSet.push_back(ReadChars(r, n));
        break;
      case 14:
        for (uint8_t b = ReadByte(r); b != 0; b = ReadByte(r)) {
          TCollectionItemRecord& item = v.fItems.emplace_back();
          if (b == 2 || b == 3 || b == 4) {
            item.Index = Body(r, b, depth + 1);
            b = ReadByte(r);
          }
          if (b != 1) InvalidValue();
          Properties(r, item.Properties, depth + 1);
        }
        break;
      default:
        InvalidValue();
    }
    return v;
  }

  static void Properties(TReader& r, std::vector<TPropertyRecord>& props, int depth) {
    for (uint8_t n = ReadByte(r); n != 0; n = ReadByte(r)) {
      TPropertyRecord& p = props.emplace_back();
      p.Name = ReadChars(r, n);
      p.Value = Body(r, ReadByte(r), depth + 1);
    }
  }

  // A record whose first byte (prefix or length of the class name) has been read.
  static void Record(TReader& r, TComponentRecord& rec, uint8_t first, int depth) {
    if (depth > kMaxDepth) InvalidValue();
    if (first >= 0xF0) {
      rec.HasPrefix = true;
      rec.FilerFlags = first & 0x0F;
      if (rec.FilerFlags & TComponentRecord::ffChildPos) {
        TFilerValue pos = Body(r, ReadByte(r), depth + 1);
        if (pos.Type() != TValueType::vaInt8 && pos.Type() != TValueType::vaInt16 &&
            pos.Type() != TValueType::vaInt32) {
          InvalidValue();
        }
        rec.ChildPos = std::move(pos);
      }
      first = ReadByte(r);
    }
    rec.ClassName = ReadChars(r, first);
    rec.Name = ReadShortString(r);
    Properties(r, rec.Properties, depth);
    for (uint8_t b = ReadByte(r); b != 0; b = ReadByte(r)) {
      Record(r, rec.Children.emplace_back(), b, depth + 1);
    }
  }
};

namespace {

void CheckShortName(const std::string& name, const char* what) {
  if (name.size() > 255) InvalidRecord(std::string(what) + " \"" + name.substr(0, 40) + "...\"");
}

void CheckProperties(const std::vector<TPropertyRecord>& props);

void CheckValue(const TFilerValue& v) {
  switch (v.Type()) {
    case TValueType::vaSet:
      for (const auto& e : v.SetElements()) {
        if (e.empty()) InvalidRecord(Ansi("leeres Element einer Menge"));
        CheckShortName(e, "Element");
      }
      break;
    case TValueType::vaList:
      for (const auto& item : v.ListValues()) {
        // Inside a list the tag 0 ends the list, so it cannot stand for a value there.
        if (item.Type() == TValueType::vaNull) InvalidRecord(Ansi("Null-Wert in einer Liste"));
        CheckValue(item);
      }
      break;
    case TValueType::vaCollection:
      for (const auto& item : v.Items()) {
        if (item.Index && !(item.Index->Type() == TValueType::vaInt8 || item.Index->Type() == TValueType::vaInt16 ||
                            item.Index->Type() == TValueType::vaInt32)) {
          InvalidRecord(Ansi("Index eines Sammlungselements ist keine Zahl"));
        }
        CheckProperties(item.Properties);
      }
      break;
    default:
      break;
  }
}

void CheckProperties(const std::vector<TPropertyRecord>& props) {
  for (const auto& p : props) {
    if (p.Name.empty()) InvalidRecord(Ansi("leerer Eigenschaftsname"));
    CheckShortName(p.Name, "Eigenschaft");
    CheckValue(p.Value);
  }
}

void CheckRecord(const TComponentRecord& rec, bool child) {
  CheckShortName(rec.ClassName, "Klasse");
  CheckShortName(rec.Name, "Name");
  if (rec.HasPrefix) {
    if (rec.FilerFlags > 0x0F) InvalidRecord("Filer-Flags");
    const bool wantPos = (rec.FilerFlags & TComponentRecord::ffChildPos) != 0;
    if (wantPos != rec.ChildPos.has_value()) InvalidRecord("Position " + rec.Name);
    if (rec.ChildPos && !rec.ChildPos->IsInteger()) InvalidRecord("Position " + rec.Name);
    if (rec.ChildPos && rec.ChildPos->Type() == TValueType::vaInt64) InvalidRecord("Position " + rec.Name);
  } else {
    if (rec.FilerFlags != 0 || rec.ChildPos) InvalidRecord("Filer-Flags " + rec.Name);
    // Without the prefix the first byte is the length of the class name: it must neither look
    // like a prefix nor, for a child, like the end of the child list.
    if (rec.ClassName.size() >= 0xF0) InvalidRecord("Klasse " + rec.ClassName.substr(0, 40));
    if (child && rec.ClassName.empty()) InvalidRecord(Ansi("leerer Klassenname"));
  }
  CheckProperties(rec.Properties);
  for (const auto& c : rec.Children) CheckRecord(c, true);
}

void EmitProperties(std::vector<uint8_t>& out, const std::vector<TPropertyRecord>& props);

void EmitValue(std::vector<uint8_t>& out, const TFilerValue& v) {
  switch (v.Type()) {
    case TValueType::vaList:
      out.push_back(1);
      for (const auto& item : v.ListValues()) EmitValue(out, item);
      out.push_back(0);
      break;
    case TValueType::vaSet:
      out.push_back(11);
      for (const auto& e : v.SetElements()) PutShort(out, e);
      out.push_back(0);
      break;
    case TValueType::vaCollection:
      out.push_back(14);
      for (const auto& item : v.Items()) {
        if (item.Index) EmitValue(out, *item.Index);
        out.push_back(1);
        EmitProperties(out, item.Properties);
      }
      out.push_back(0);
      break;
    default:
      out.insert(out.end(), v.Encoded().begin(), v.Encoded().end());
  }
}

void EmitProperties(std::vector<uint8_t>& out, const std::vector<TPropertyRecord>& props) {
  for (const auto& p : props) {
    PutShort(out, p.Name);
    EmitValue(out, p.Value);
  }
  out.push_back(0);
}

void EmitRecord(std::vector<uint8_t>& out, const TComponentRecord& rec) {
  if (rec.HasPrefix) {
    out.push_back(static_cast<uint8_t>(0xF0 | rec.FilerFlags));
    if (rec.ChildPos) EmitValue(out, *rec.ChildPos);
  }
  PutShort(out, rec.ClassName);
  PutShort(out, rec.Name);
  EmitProperties(out, rec.Properties);
  for (const auto& c : rec.Children) EmitRecord(out, c);
  out.push_back(0);
}

TFilerValue Scalar(TValueType type, std::vector<uint8_t> raw);

}  // namespace

// ---- TFilerValue ----------------------------------------------------------------------------

TFilerValue::TFilerValue() : fRaw{0} {}
TFilerValue::TFilerValue(const TFilerValue&) = default;
TFilerValue::TFilerValue(TFilerValue&&) noexcept = default;
TFilerValue& TFilerValue::operator=(const TFilerValue&) = default;
TFilerValue& TFilerValue::operator=(TFilerValue&&) noexcept = default;
TFilerValue::~TFilerValue() = default;

bool TFilerValue::operator==(const TFilerValue& o) const {
  return fType == o.fType && fRaw == o.fRaw && fSet == o.fSet && fList == o.fList && fItems == o.fItems;
}

namespace {
TFilerValue Scalar(TValueType type, std::vector<uint8_t> raw) {
  raw.insert(raw.begin(), static_cast<uint8_t>(type));
  return TValueParser::FromEncoding(type, std::move(raw));
}
}  // namespace

TFilerValue TFilerValue::Integer(int32_t value) {
  std::vector<uint8_t> raw;
  if (value >= -128 && value <= 127) {
    PutLE(raw, static_cast<uint64_t>(value), 1);
    return Scalar(TValueType::vaInt8, raw);
  }
  if (value >= -32768 && value <= 32767) {
    PutLE(raw, static_cast<uint64_t>(value), 2);
    return Scalar(TValueType::vaInt16, raw);
  }
  PutLE(raw, static_cast<uint64_t>(value), 4);
  return Scalar(TValueType::vaInt32, raw);
}

TFilerValue TFilerValue::Int64(int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) return Integer(static_cast<int32_t>(value));
  std::vector<uint8_t> raw;
  PutLE(raw, static_cast<uint64_t>(value), 8);
  return Scalar(TValueType::vaInt64, raw);
}

TFilerValue TFilerValue::String(std::string_view ansi) {
  std::vector<uint8_t> raw;
  if (HasHighBytes(ansi)) {
    const std::string utf8 = AnsiToUtf8(ansi);
    PutLong(raw, utf8.data(), utf8.size());
    return Scalar(TValueType::vaUTF8String, raw);
  }
  if (ansi.size() <= 255) {
    PutShort(raw, ansi);
    return Scalar(TValueType::vaString, raw);
  }
  PutLong(raw, ansi.data(), ansi.size());
  return Scalar(TValueType::vaLString, raw);
}

TFilerValue TFilerValue::WideString(std::u16string_view text) {
  if (Utf8Length(text) < 2 * text.size()) return String(Utf16ToAnsi(text));
  std::vector<uint8_t> raw;
  PutLE(raw, text.size(), 4);
  for (char16_t c : text) PutLE(raw, c, 2);
  return Scalar(TValueType::vaWString, raw);
}

TFilerValue TFilerValue::Ident(std::string_view word) {
  if (SameText(word, "False")) return Scalar(TValueType::vaFalse, {});
  if (SameText(word, "True")) return Scalar(TValueType::vaTrue, {});
  if (SameText(word, "nil")) return Scalar(TValueType::vaNil, {});
  if (SameText(word, "Null")) return Scalar(TValueType::vaNull, {});
  std::vector<uint8_t> raw;
  PutShort(raw, word.substr(0, 255));
  return Scalar(TValueType::vaIdent, raw);
}

TFilerValue TFilerValue::Boolean(bool value) { return Scalar(value ? TValueType::vaTrue : TValueType::vaFalse, {}); }

TFilerValue TFilerValue::Extended(long double value) {
  std::vector<uint8_t> raw;
  PutExtended(raw, value);
  return Scalar(TValueType::vaExtended, raw);
}

TFilerValue TFilerValue::Single(float value) {
  std::vector<uint8_t> raw;
  PutLE(raw, std::bit_cast<uint32_t>(value), 4);
  return Scalar(TValueType::vaSingle, raw);
}

TFilerValue TFilerValue::Currency(int64_t scaled) {
  std::vector<uint8_t> raw;
  PutLE(raw, static_cast<uint64_t>(scaled), 8);
  return Scalar(TValueType::vaCurrency, raw);
}

TFilerValue TFilerValue::Date(double value) {
  std::vector<uint8_t> raw;
  PutLE(raw, std::bit_cast<uint64_t>(value), 8);
  return Scalar(TValueType::vaDate, raw);
}

TFilerValue TFilerValue::Binary(std::vector<uint8_t> bytes) {
  std::vector<uint8_t> raw;
  PutLong(raw, bytes.data(), bytes.size());
  return Scalar(TValueType::vaBinary, raw);
}

TFilerValue TFilerValue::Nil() { return Scalar(TValueType::vaNil, {}); }

TFilerValue TFilerValue::Set(std::vector<std::string> elements) {
  TFilerValue v;
  v.fType = TValueType::vaSet;
  v.fRaw.clear();
  v.fSet = std::move(elements);
  return v;
}

TFilerValue TFilerValue::List(std::vector<TFilerValue> values) {
  TFilerValue v;
  v.fType = TValueType::vaList;
  v.fRaw.clear();
  v.fList = std::move(values);
  return v;
}

TFilerValue TFilerValue::Collection(std::vector<TCollectionItemRecord> items) {
  TFilerValue v;
  v.fType = TValueType::vaCollection;
  v.fRaw.clear();
  v.fItems = std::move(items);
  return v;
}

bool TFilerValue::IsInteger() const {
  return fType == TValueType::vaInt8 || fType == TValueType::vaInt16 || fType == TValueType::vaInt32 ||
         fType == TValueType::vaInt64;
}

int32_t TFilerValue::AsInteger() const {
  switch (fType) {
    case TValueType::vaInt8:
      return static_cast<int8_t>(fRaw[1]);
    case TValueType::vaInt16:
      return static_cast<int16_t>(GetLE(fRaw, 1, 2));
    case TValueType::vaInt32:
      return static_cast<int32_t>(GetLE(fRaw, 1, 4));
    default:
      InvalidValue();
  }
}

int64_t TFilerValue::AsInt64() const {
  if (fType == TValueType::vaInt64) return static_cast<int64_t>(GetLE(fRaw, 1, 8));
  return AsInteger();
}

std::string TFilerValue::AsString() const {
  switch (fType) {
    case TValueType::vaString:
      return std::string(fRaw.begin() + 2, fRaw.end());
    case TValueType::vaLString:
      return std::string(fRaw.begin() + 5, fRaw.end());
    case TValueType::vaUTF8String:
      return Utf8ToAnsi(std::string_view(reinterpret_cast<const char*>(fRaw.data()) + 5, fRaw.size() - 5));
    case TValueType::vaWString: {
      std::u16string text;
      for (size_t at = 5; at + 1 < fRaw.size(); at += 2) text.push_back(static_cast<char16_t>(GetLE(fRaw, at, 2)));
      return Utf16ToAnsi(text);
    }
    default:
      InvalidValue();
  }
}

std::string TFilerValue::AsIdent() const {
  switch (fType) {
    case TValueType::vaIdent:
      return std::string(fRaw.begin() + 2, fRaw.end());
    case TValueType::vaNull:
      return "Null";
    case TValueType::vaFalse:
      return "False";
    case TValueType::vaTrue:
      return "True";
    case TValueType::vaNil:
      return "nil";
    default:
      InvalidValue();
  }
}

bool TFilerValue::AsBoolean() const {
  if (fType == TValueType::vaTrue) return true;
  if (fType == TValueType::vaFalse) return false;
  InvalidValue();
}

long double TFilerValue::AsFloat() const {
  switch (fType) {
    case TValueType::vaExtended:
      return GetExtended(fRaw, 1);
    case TValueType::vaSingle:
      return std::bit_cast<float>(static_cast<uint32_t>(GetLE(fRaw, 1, 4)));
    case TValueType::vaCurrency:
      return static_cast<long double>(static_cast<int64_t>(GetLE(fRaw, 1, 8))) / 10000;
    case TValueType::vaDate:
      return std::bit_cast<double>(GetLE(fRaw, 1, 8));
    default:
      return static_cast<long double>(AsInt64());
  }
}

std::vector<uint8_t> TFilerValue::AsBinary() const {
  if (fType != TValueType::vaBinary) InvalidValue();
  return std::vector<uint8_t>(fRaw.begin() + 5, fRaw.end());
}

TFilerValue TFilerValue::Read(TReader& reader) { return TValueParser::Body(reader, ReadByte(reader), 0); }

void TFilerValue::Write(TWriter& writer) const {
  CheckValue(*this);
  std::vector<uint8_t> out;
  EmitValue(out, *this);
  writer.Write(out.data(), out.size());
}

// ---- property lists ---------------------------------------------------------------------------

const TPropertyRecord* FindProperty(const std::vector<TPropertyRecord>& props, std::string_view name) {
  for (const auto& p : props) {
    if (p.Name == name) return &p;
  }
  return nullptr;
}

TPropertyRecord* FindProperty(std::vector<TPropertyRecord>& props, std::string_view name) {
  for (auto& p : props) {
    if (p.Name == name) return &p;
  }
  return nullptr;
}

void SetProperty(std::vector<TPropertyRecord>& props, std::string_view name, TFilerValue value) {
  if (TPropertyRecord* p = FindProperty(props, name)) {
    p->Value = std::move(value);
  } else {
    props.push_back(TPropertyRecord{std::string(name), std::move(value)});
  }
}

// ---- TComponentRecord -------------------------------------------------------------------------

const TPropertyRecord* TComponentRecord::FindProperty(std::string_view name) const {
  return zyn::FindProperty(Properties, name);
}

TPropertyRecord* TComponentRecord::FindProperty(std::string_view name) { return zyn::FindProperty(Properties, name); }

void TComponentRecord::SetProperty(std::string_view name, TFilerValue value) {
  zyn::SetProperty(Properties, name, std::move(value));
}

bool TComponentRecord::RemoveProperty(std::string_view name) {
  for (auto it = Properties.begin(); it != Properties.end(); ++it) {
    if (it->Name == name) {
      Properties.erase(it);
      return true;
    }
  }
  return false;
}

void TComponentRecord::Read(TReader& reader) {
  *this = TComponentRecord{};
  TValueParser::Record(reader, *this, ReadByte(reader), 0);
}

void TComponentRecord::Write(TWriter& writer) const {
  CheckRecord(*this, false);
  std::vector<uint8_t> out;
  EmitRecord(out, *this);
  writer.Write(out.data(), out.size());
}

void TComponentRecord::ReadRoot(TReader& reader) {
  char sig[4];
  reader.Read(sig, 4);
  if (std::memcmp(sig, "TPF0", 4) != 0) throw EReadError(Ansi("Ungültiges Stream-Format"));
  Read(reader);
}

void TComponentRecord::WriteRoot(TWriter& writer) const {
  CheckRecord(*this, false);
  std::vector<uint8_t> out{'T', 'P', 'F', '0'};
  EmitRecord(out, *this);
  writer.Write(out.data(), out.size());
}

}  // namespace zyn
