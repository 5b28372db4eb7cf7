#include "model/base/Filer.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace zyn {

namespace {

// Larger untrusted lengths are read in chunks of this size when the stream cannot tell how much
// it still holds, so that a damaged length never allocates more than the data really present.
constexpr uint64_t kChunk = 1 << 20;

[[noreturn]] void ThrowInvalidValue() { throw EReadError(Ansi("Ungültiger Eigenschaftswert")); }
[[noreturn]] void ThrowStreamRead() { throw EReadError(Ansi("Stream-Lesefehler")); }

constexpr uint8_t Tag(TValueType t) { return static_cast<uint8_t>(t); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// ---- 80-bit extended: sign bit, 15-bit exponent biased by 16383, 64-bit significand with an
// explicit integer bit. The conversion works on the value (frexpl/ldexpl), so it does not depend
// on the width of long double; with the 80-bit long double of x86 it is exact both ways.

constexpr int kExtBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;

// A scaled significand as a whole number. With at most 64 significand bits it already is one;
// a wider long double rounds to the nearest.
long double Whole(long double scaled) {
  if constexpr (std::numeric_limits<long double>::digits <= 64) {
    return scaled;
  } else {
    return std::nearbyint(scaled);
  }
}

void EncodeExtended(long double v, uint8_t out[10]) {
  uint16_t sexp = std::signbit(v) ? 0x8000 : 0;
  uint64_t mant = 0;
  if (std::isnan(v)) {
    sexp |= 0x7FFF;
    mant = kIntegerBit | (kIntegerBit >> 1);  // quiet NaN
  } else if (std::isinf(v)) {
    sexp |= 0x7FFF;
    mant = kIntegerBit;
  } else if (v != 0) {
    int e = 0;
    const long double m = std::frexp(std::fabs(v), &e);  // v = m * 2^e, m in [0.5, 1)
    int biased = e - 1 + kExtBias;
    if (biased >= 1) {
      long double r = Whole(std::ldexp(m, 64));
      if (r >= 0x1p64L) {  // rounding carried over (only when long double is wider)
        r = 0x1p63L;
        ++biased;
      }
      mant = static_cast<uint64_t>(r);
    } else {
      // Denormal: the significand is v * 2^16445 with the exponent field 0.
      const long double r = Whole(std::ldexp(m, e + 16445));
      mant = static_cast<uint64_t>(r);
      biased = (mant & kIntegerBit) ? 1 : 0;
    }
    if (biased >= 0x7FFF) {
      biased = 0x7FFF;
      mant = kIntegerBit;  // beyond the range: infinity
    }
    sexp |= static_cast<uint16_t>(biased);
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mant >> (8 * i));
  out[8] = static_cast<uint8_t>(sexp);
  out[9] = static_cast<uint8_t>(sexp >> 8);
}

long double DecodeExtended(const uint8_t in[10]) {
  uint64_t mant = 0;
  for (int i = 0; i < 8; ++i) mant |= static_cast<uint64_t>(in[i]) << (8 * i);
  const unsigned sexp = in[8] | (in[9] << 8);
  const int exp = static_cast<int>(sexp & 0x7FFF);
  long double v;
  if (exp == 0x7FFF) {
    v = (mant << 1) == 0 ? std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::quiet_NaN();
  } else if (exp == 0) {
    v = std::ldexp(static_cast<long double>(mant), -16445);
  } else {
    v = std::ldexp(static_cast<long double>(mant), exp - kExtBias - 63);
  }
  return (sexp & 0x8000) ? -v : v;
}

}  // namespace

// =============================================================================================
// TWriter

TWriter::TWriter(TStream& stream, size_t bufferSize)
    : fStream(stream), fBuffer(std::max<size_t>(bufferSize, 16)), fBufferSize(fBuffer.size()) {}

TWriter::~TWriter() {
  // A destructor cannot report; callers that must know about a failing stream call FlushBuffer
  // themselves before the writer goes.
  try {
    FlushBuffer();
  } catch (...) {
  }
}

void TWriter::FlushBuffer() {
  if (fBufPos == 0) return;
  const size_t n = fBufPos;
  fBufPos = 0;
  fStream.Write(fBuffer.data(), n);
}

void TWriter::Write(const void* data, size_t size) {
  if (size <= fBufferSize - fBufPos) {
    if (size > 0) std::memcpy(fBuffer.data() + fBufPos, data, size);
    fBufPos += size;
    return;
  }
  FlushBuffer();
  if (size >= fBufferSize) {
    fStream.Write(data, size);  // large blocks go to the stream in one block
  } else {
    std::memcpy(fBuffer.data(), data, size);
    fBufPos = size;
  }
}

void TWriter::PutLE(uint64_t v, size_t width) {
  if (fBufferSize - fBufPos < width) FlushBuffer();
  uint8_t* p = fBuffer.data() + fBufPos;
  for (size_t i = 0; i < width; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  fBufPos += width;
}

void TWriter::PutLength(size_t n) {
  if (n > std::numeric_limits<uint32_t>::max()) throw EWriteError(Ansi("Der Wert ist zu groß für den Datenstrom."));
  PutLE(n, 4);
}

void TWriter::WriteValueType(TValueType type) { PutByte(Tag(type)); }

void TWriter::WriteInteger(int32_t value) {
  if (value >= -128 && value <= 127) {
    PutByte(Tag(TValueType::vaInt8));
    PutByte(static_cast<uint8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    PutByte(Tag(TValueType::vaInt16));
    PutLE(static_cast<uint16_t>(value), 2);
  } else {
    PutByte(Tag(TValueType::vaInt32));
    PutLE(static_cast<uint32_t>(value), 4);
  }
}

void TWriter::WriteInt64(int64_t value) {
  if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
    WriteInteger(static_cast<int32_t>(value));
  } else {
    PutByte(Tag(TValueType::vaInt64));
    PutLE(static_cast<uint64_t>(value), 8);
  }
}

void TWriter::PutTextValue(std::string_view text) {
  if (text.size() <= 255) {
    PutByte(Tag(TValueType::vaString));
    PutByte(static_cast<uint8_t>(text.size()));
  } else {
    PutByte(Tag(TValueType::vaLString));
    PutLength(text.size());
  }
  Write(text.data(), text.size());
}

void TWriter::WriteString(std::string_view ansi) {
  if (!HasHighBytes(ansi)) {
    PutTextValue(ansi);
    return;
  }
  const std::string utf8 = AnsiToUtf8(ansi);
  PutByte(Tag(TValueType::vaUTF8String));
  PutLength(utf8.size());
  Write(utf8.data(), utf8.size());
}

void TWriter::WriteChar(char c) { WriteString(std::string_view(&c, 1)); }

void TWriter::WriteBoolean(bool value) { PutByte(Tag(value ? TValueType::vaTrue : TValueType::vaFalse)); }

void TWriter::WriteFloat(long double value) {
  uint8_t b[10];
  EncodeExtended(value, b);
  PutByte(Tag(TValueType::vaExtended));
  Write(b, 10);
}

void TWriter::WriteSingle(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  PutByte(Tag(TValueType::vaSingle));
  PutLE(bits, 4);
}

void TWriter::WriteCurrency(int64_t scaled) {
  PutByte(Tag(TValueType::vaCurrency));
  PutLE(static_cast<uint64_t>(scaled), 8);
}

void TWriter::WriteDate(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  PutByte(Tag(TValueType::vaDate));
  PutLE(bits, 8);
}

void TWriter::WriteWideString(std::u16string_view text) {
  // A text whose UTF-8 form is shorter than its UTF-16 form goes as an 8-bit string value, but
  // only when the 8-bit form holds it without loss; any other text keeps its UTF-16 form.
  if (Utf8Length(text) < 2 * text.size()) {
    const std::string ansi = Utf16ToAnsi(text);
    if (AnsiToUtf16(ansi) == text) {
      WriteString(ansi);
      return;
    }
  }
  PutByte(Tag(TValueType::vaWString));
  PutLength(text.size());
  if (fBufferSize - fBufPos < 2) FlushBuffer();
  for (const char16_t c : text) {
    if (fBufferSize - fBufPos < 2) FlushBuffer();
    fBuffer[fBufPos++] = static_cast<uint8_t>(c);
    fBuffer[fBufPos++] = static_cast<uint8_t>(c >> 8);
  }
}

void TWriter::WriteIdent(std::string_view ident) {
  if (EqualsNoCase(ident, "False")) {
    PutByte(Tag(TValueType::vaFalse));
  } else if (EqualsNoCase(ident, "True")) {
    PutByte(Tag(TValueType::vaTrue));
  } else if (EqualsNoCase(ident, "nil")) {
    PutByte(Tag(TValueType::vaNil));
  } else if (EqualsNoCase(ident, "Null")) {
    PutByte(Tag(TValueType::vaNull));
  } else {
    PutByte(Tag(TValueType::vaIdent));
    WriteStr(ident);
  }
}

void TWriter::WriteListBegin() { PutByte(Tag(TValueType::vaList)); }
void TWriter::WriteListEnd() { PutByte(Tag(TValueType::vaNull)); }

void TWriter::WriteBinary(const void* data, size_t size) {
  PutByte(Tag(TValueType::vaBinary));
  PutLength(size);
  Write(data, size);
}

void TWriter::WriteSet(const std::vector<std::string>& names) {
  PutByte(Tag(TValueType::vaSet));
  // An empty name would end the set early, so it is left out.
  for (const std::string& name : names)
    if (!name.empty()) WriteStr(name);
  PutByte(0);
}

void TWriter::WriteStr(std::string_view s) {
  const size_t n = std::min<size_t>(s.size(), 255);
  PutByte(static_cast<uint8_t>(n));
  Write(s.data(), n);
}

// =============================================================================================
// TReader

TReader::TReader(TStream& stream, size_t bufferSize) : fStream(stream), fBuffer(std::max<size_t>(bufferSize, 16)) {
  fStreamPosAfterBuffer = fStream.Position();
}

TReader::~TReader() {
  const size_t unread = fBufEnd - fBufPos;
  if (unread == 0) return;
  try {
    if (fStream.CanSeek()) fStream.Seek(-static_cast<int64_t>(unread), TSeekOrigin::Current);
  } catch (...) {
    // The stream refused to move back; the reader has nothing more to give it.
  }
}

void TReader::FillBuffer() {
  fBufPos = 0;
  fBufEnd = 0;
  const size_t got = fStream.Read(fBuffer.data(), fBuffer.size());
  if (got == 0) ThrowStreamRead();
  fBufEnd = got;
  fStreamPosAfterBuffer += static_cast<int64_t>(got);
}

int64_t TReader::Position() const { return fStreamPosAfterBuffer - static_cast<int64_t>(fBufEnd - fBufPos); }

void TReader::Read(void* data, size_t size) {
  auto* out = static_cast<uint8_t*>(data);
  const size_t fromBuffer = std::min(size, fBufEnd - fBufPos);
  if (fromBuffer > 0) {
    std::memcpy(out, fBuffer.data() + fBufPos, fromBuffer);
    fBufPos += fromBuffer;
    out += fromBuffer;
    size -= fromBuffer;
  }
  if (size == 0) return;
  if (size >= fBuffer.size()) {
    while (size > 0) {  // a large block goes straight from the stream
      const size_t got = fStream.Read(out, size);
      if (got == 0) ThrowStreamRead();
      fStreamPosAfterBuffer += static_cast<int64_t>(got);
      out += got;
      size -= got;
    }
    return;
  }
  while (size > 0) {
    FillBuffer();
    const size_t n = std::min(size, fBufEnd);
    std::memcpy(out, fBuffer.data(), n);
    fBufPos = n;
    out += n;
    size -= n;
  }
}

uint64_t TReader::ReadLE(size_t width) {
  uint8_t b[8];
  const uint8_t* p;
  if (fBufEnd - fBufPos >= width) {
    p = fBuffer.data() + fBufPos;
    fBufPos += width;
  } else {
    Read(b, width);
    p = b;
  }
  uint64_t v = 0;
  for (size_t i = 0; i < width; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
  return v;
}

int64_t TReader::Remaining() {
  if (!fStream.CanSeek()) return -1;
  const int64_t size = fStream.Size();
  if (size < 0) return -1;
  const int64_t inStream = std::max<int64_t>(0, size - fStream.Position());
  return inStream + static_cast<int64_t>(fBufEnd - fBufPos);
}

void TReader::CheckAvailable(uint64_t n) {
  if (n <= fBufEnd - fBufPos) return;
  const int64_t left = Remaining();
  if (left >= 0 && n > static_cast<uint64_t>(left)) ThrowStreamRead();
}

template <class Container>
void TReader::ReadCounted(uint64_t n, Container& out) {
  if (n <= fBufEnd - fBufPos) {  // the usual case: the whole text is in the buffer
    const uint8_t* p = fBuffer.data() + fBufPos;
    out.assign(p, p + n);
    fBufPos += static_cast<size_t>(n);
    return;
  }
  out.clear();
  CheckAvailable(n);
  if (n > std::numeric_limits<size_t>::max() / 2) ThrowStreamRead();
  if (n <= kChunk || Remaining() >= 0) {
    out.resize(static_cast<size_t>(n));
    Read(out.data(), static_cast<size_t>(n));
    return;
  }
  // The stream cannot tell its size: grow chunk by chunk, so a false length fails at the end of
  // the data, not with a huge allocation.
  size_t done = 0;
  while (done < n) {
    const size_t chunk = static_cast<size_t>(std::min<uint64_t>(kChunk, n - done));
    out.resize(done + chunk);
    Read(out.data() + done, chunk);
    done += chunk;
  }
}

void TReader::SkipBytes(uint64_t n) {
  const size_t fromBuffer = static_cast<size_t>(std::min<uint64_t>(n, fBufEnd - fBufPos));
  fBufPos += fromBuffer;
  n -= fromBuffer;
  if (n == 0) return;
  CheckAvailable(n);
  if (fStream.CanSeek() && fStream.Size() >= 0) {
    fStream.Seek(static_cast<int64_t>(n), TSeekOrigin::Current);
    fStreamPosAfterBuffer += static_cast<int64_t>(n);
    return;
  }
  while (n > 0) {
    FillBuffer();
    const size_t take = static_cast<size_t>(std::min<uint64_t>(n, fBufEnd));
    fBufPos = take;
    n -= take;
  }
}

int64_t TReader::ReadIntegerPayload(uint8_t tag) {
  switch (static_cast<TValueType>(tag)) {
    case TValueType::vaInt8:
      return static_cast<int8_t>(ReadByte());
    case TValueType::vaInt16:
      return static_cast<int16_t>(ReadLE(2));
    case TValueType::vaInt32:
      return static_cast<int32_t>(ReadLE(4));
    case TValueType::vaInt64:
      return static_cast<int64_t>(ReadLE(8));
    default:
      ThrowInvalidValue();
  }
}

TValueType TReader::ReadValueType() { return static_cast<TValueType>(ReadByte()); }
TValueType TReader::NextValue() { return static_cast<TValueType>(PeekByte()); }
bool TReader::EndOfList() { return PeekByte() == Tag(TValueType::vaNull); }

int32_t TReader::ReadInteger() {
  const uint8_t tag = ReadByte();
  if (tag == Tag(TValueType::vaInt64)) ThrowInvalidValue();
  return static_cast<int32_t>(ReadIntegerPayload(tag));
}

int64_t TReader::ReadInt64() { return ReadIntegerPayload(ReadByte()); }

bool TReader::ReadBoolean() { return ReadByte() == Tag(TValueType::vaTrue); }

long double TReader::ReadFloat() {
  if (PeekByte() != Tag(TValueType::vaExtended)) return static_cast<long double>(ReadInt64());
  ++fBufPos;
  uint8_t b[10];
  Read(b, 10);
  return DecodeExtended(b);
}

float TReader::ReadSingle() {
  if (PeekByte() != Tag(TValueType::vaSingle)) return static_cast<float>(ReadInt64());
  ++fBufPos;
  const uint32_t bits = static_cast<uint32_t>(ReadLE(4));
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

double TReader::ReadDate() {
  if (PeekByte() != Tag(TValueType::vaDate)) return static_cast<double>(ReadInt64());
  ++fBufPos;
  const uint64_t bits = ReadLE(8);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

int64_t TReader::ReadCurrency() {
  if (PeekByte() != Tag(TValueType::vaCurrency)) return int64_t{ReadInteger()} * 10000;
  ++fBufPos;
  return static_cast<int64_t>(ReadLE(8));
}

std::string TReader::ReadString() {
  std::string s;
  switch (static_cast<TValueType>(ReadByte())) {
    case TValueType::vaString:
      ReadCounted(ReadByte(), s);
      return s;
    case TValueType::vaLString:
      ReadCounted(ReadLE(4), s);
      return s;
    case TValueType::vaUTF8String:
      ReadCounted(ReadLE(4), s);
      return Utf8ToAnsi(s);
    case TValueType::vaWString: {
      const uint64_t count = ReadLE(4);
      ReadCounted(2 * count, s);
      std::u16string w(count, u'\0');
      for (size_t i = 0; i < count; ++i)
        w[i] = static_cast<char16_t>(static_cast<uint8_t>(s[2 * i]) | (static_cast<uint8_t>(s[2 * i + 1]) << 8));
      return Utf16ToAnsi(w);
    }
    default:
      ThrowInvalidValue();
  }
}

std::u16string TReader::ReadWideString() {
  if (PeekByte() != Tag(TValueType::vaWString)) return AnsiToUtf16(ReadString());
  ++fBufPos;
  const uint64_t count = ReadLE(4);
  std::string bytes;
  ReadCounted(2 * count, bytes);
  std::u16string w(count, u'\0');
  for (size_t i = 0; i < count; ++i)
    w[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
  return w;
}

char TReader::ReadChar() {
  const std::string s = ReadString();
  if (s.size() > 1) ThrowInvalidValue();
  return s.empty() ? '\0' : s[0];
}

std::string TReader::ReadStr() {
  std::string s;
  ReadCounted(ReadByte(), s);
  return s;
}

std::string TReader::ReadIdent() {
  switch (static_cast<TValueType>(ReadByte())) {
    case TValueType::vaIdent:
      return ReadStr();
    case TValueType::vaNull:
      return "Null";
    case TValueType::vaFalse:
      return "False";
    case TValueType::vaTrue:
      return "True";
    case TValueType::vaNil:
      return "nil";
    default:
      ThrowInvalidValue();
  }
}

void TReader::ReadListBegin() {
  if (PeekByte() != Tag(TValueType::vaList)) {
    SkipValue();
    ThrowInvalidValue();
  }
  ++fBufPos;
}

void TReader::ReadListEnd() {
  if (PeekByte() != Tag(TValueType::vaNull)) {
    SkipValue();
    ThrowInvalidValue();
  }
  ++fBufPos;
}

std::vector<uint8_t> TReader::ReadBinary() {
  if (ReadByte() != Tag(TValueType::vaBinary)) ThrowInvalidValue();
  std::vector<uint8_t> bytes;
  ReadCounted(ReadLE(4), bytes);
  return bytes;
}

std::vector<std::string> TReader::ReadSet() {
  if (ReadByte() != Tag(TValueType::vaSet)) ThrowInvalidValue();
  std::vector<std::string> names;
  for (;;) {
    std::string name = ReadStr();
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

void TReader::SkipPayload(uint8_t kind) {
  switch (static_cast<TValueType>(kind)) {
    case TValueType::vaInt8:
      SkipBytes(1);
      break;
    case TValueType::vaInt16:
      SkipBytes(2);
      break;
    case TValueType::vaInt32:
    case TValueType::vaSingle:
      SkipBytes(4);
      break;
    case TValueType::vaExtended:
      SkipBytes(10);
      break;
    case TValueType::vaCurrency:
    case TValueType::vaDate:
    case TValueType::vaInt64:
      SkipBytes(8);
      break;
    case TValueType::vaString:
    case TValueType::vaIdent:
      SkipBytes(ReadByte());
      break;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
      SkipBytes(ReadLE(4));
      break;
    case TValueType::vaWString:
      SkipBytes(2 * ReadLE(4));
      break;
    case TValueType::vaSet:
      for (uint8_t n = ReadByte(); n != 0; n = ReadByte()) SkipBytes(n);
      break;
    default:
      break;  // markers, Booleans, nil and unknown tags: the tag alone
  }
}

void TReader::SkipValue() {
  // Lists and collections nest; the open ones are kept on an explicit stack, so that no input
  // can exhaust the call stack.
  enum : uint8_t { kList, kCollection, kItem };
  std::vector<uint8_t> open;
  bool valueFollows = true;
  for (;;) {
    if (valueFollows) {
      const uint8_t kind = ReadByte() & 0x7F;
      if (kind == Tag(TValueType::vaList))
        open.push_back(kList);
      else if (kind == Tag(TValueType::vaCollection))
        open.push_back(kCollection);
      else
        SkipPayload(kind);
    }
    if (open.empty()) return;
    if (PeekByte() == 0) {  // the end marker of the innermost open list, collection or item
      ++fBufPos;
      open.pop_back();
      valueFollows = false;
      continue;
    }
    switch (open.back()) {
      case kList:
        valueFollows = true;
        break;
      case kCollection: {
        const uint8_t next = PeekByte();
        if (next >= Tag(TValueType::vaInt8) && next <= Tag(TValueType::vaInt32)) {
          ++fBufPos;
          SkipPayload(next);  // the item's index
        }
        ReadByte();  // the item's list begin marker
        open.push_back(kItem);
        valueFollows = false;
        break;
      }
      case kItem:
        SkipBytes(ReadByte());  // a property name, its value follows
        valueFollows = true;
        break;
    }
  }
}

// =============================================================================================
// Counted short text

void WriteStreamString(TStream& stream, std::string_view ansi) {
  // Texts longer than 255 characters are cut, the length byte cannot say more.
  const size_t n = std::min<size_t>(ansi.size(), 255);
  uint8_t buf[258];
  buf[0] = static_cast<uint8_t>(n + 1);
  buf[1] = static_cast<uint8_t>((n + 1) >> 8);
  buf[2] = static_cast<uint8_t>(n);
  if (n > 0) std::memcpy(buf + 3, ansi.data(), n);
  stream.WriteBuffer(buf, n + 3);
}

std::string ReadStreamString(TStream& stream) {
  // The count tells how many bytes the record occupies, and all of them are consumed so the
  // stream stays in step. Of those bytes, the first is the length byte; the text takes at most
  // that many of the following bytes and never more than the record holds (so a count above 256
  // or a length byte larger than the count never reads beyond the record; the surplus of the
  // record is skipped). A count of 0 is an empty record and an empty text.
  const uint16_t count = stream.ReadU16();
  if (count == 0) return {};
  uint8_t record[256];
  const size_t kept = std::min<size_t>(count, sizeof record);
  stream.ReadBuffer(record, kept);
  size_t surplus = count - kept;
  while (surplus > 0) {
    uint8_t sink[256];
    const size_t n = std::min(surplus, sizeof sink);
    stream.ReadBuffer(sink, n);
    surplus -= n;
  }
  const size_t length = std::min<size_t>(record[0], kept - 1);
  return std::string(reinterpret_cast<const char*>(record + 1), length);
}

std::string ReadHeadIdent(TReader& reader) {
  switch (reader.NextValue()) {
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
    case TValueType::vaWString:
      return reader.ReadString();
    default:
      return reader.ReadIdent();
  }
}

}  // namespace zyn
