#include "model/base/Filer.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/ZStream.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Written(const std::function<void(TWriter&)>& write, size_t bufferSize = 1024) {
  TMemoryStream s;
  {
    TWriter w(s, bufferSize);
    write(w);
  }
  return s.Bytes();
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
Bytes Repeat(size_t n, uint8_t b) { return Bytes(n, b); }
Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const EReadError& e) {
    return e.what();
  }
  return "no error";
}
const std::string kInvalid = Ansi("Ungültiger Eigenschaftswert");
const std::string kEnd = "Stream-Lesefehler";

// ---------------------------------------------------------------------------------------------
// The bytes every writer operation produces.

struct WriteCase {
  const char* name;
  std::function<void(TWriter&)> write;
  Bytes bytes;
};

TEST(FilerWriter, WrittenFormOfEveryOperation) {
  const std::string a255(255, 'a'), a256(256, 'a'), long300 = std::string(299, 'x') + "\xFC";
  const WriteCase cases[] = {
      {"int 127", [](TWriter& w) { w.WriteInteger(127); }, {2, 0x7F}},
      {"int 128", [](TWriter& w) { w.WriteInteger(128); }, {3, 0x80, 0}},
      {"int -128", [](TWriter& w) { w.WriteInteger(-128); }, {2, 0x80}},
      {"int -129", [](TWriter& w) { w.WriteInteger(-129); }, {3, 0x7F, 0xFF}},
      {"int 32767", [](TWriter& w) { w.WriteInteger(32767); }, {3, 0xFF, 0x7F}},
      {"int 32768", [](TWriter& w) { w.WriteInteger(32768); }, {4, 0, 0x80, 0, 0}},
      {"int -32768", [](TWriter& w) { w.WriteInteger(-32768); }, {3, 0, 0x80}},
      {"int -32769", [](TWriter& w) { w.WriteInteger(-32769); }, {4, 0xFF, 0x7F, 0xFF, 0xFF}},
      {"magic ZYN3", [](TWriter& w) { w.WriteInteger(0x5A594E33); }, {4, '3', 'N', 'Y', 'Z'}},
      {"int64 small", [](TWriter& w) { w.WriteInt64(-5); }, {2, 0xFB}},
      {"int64 int32 min", [](TWriter& w) { w.WriteInt64(INT32_MIN); }, {4, 0, 0, 0, 0x80}},
      {"int64 2^31", [](TWriter& w) { w.WriteInt64(int64_t{1} << 31); }, {19, 0, 0, 0, 0x80, 0, 0, 0, 0}},
      {"int64 min", [](TWriter& w) { w.WriteInt64(INT64_MIN); }, {19, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {"empty text", [](TWriter& w) { w.WriteString(""); }, {6, 0}},
      {"255 chars", [&](TWriter& w) { w.WriteString(a255); }, Cat({{6, 255}, Text(a255)})},
      {"256 chars", [&](TWriter& w) { w.WriteString(a256); }, Cat({{12, 0, 1, 0, 0}, Text(a256)})},
      {"umlaut", [](TWriter& w) { w.WriteString(Ansi("Grüße")); }, Cat({{20, 7, 0, 0, 0}, Text("Grüße")})},
      {"long umlaut", [&](TWriter& w) { w.WriteString(long300); },
       Cat({{20, 0x2D, 1, 0, 0}, Text(std::string(299, 'x') + "ü")})},
      {"char", [](TWriter& w) { w.WriteChar('x'); }, {6, 1, 'x'}},
      {"char umlaut", [](TWriter& w) { w.WriteChar('\xFC'); }, {20, 2, 0, 0, 0, 0xC3, 0xBC}},
      {"true", [](TWriter& w) { w.WriteBoolean(true); }, {9}},
      {"false", [](TWriter& w) { w.WriteBoolean(false); }, {8}},
      {"float 1", [](TWriter& w) { w.WriteFloat(1.0L); }, {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {"float -2", [](TWriter& w) { w.WriteFloat(-2.0L); }, {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0xC0}},
      {"float 0", [](TWriter& w) { w.WriteFloat(0.0L); }, Cat({{5}, Repeat(10, 0)})},
      {"single", [](TWriter& w) { w.WriteSingle(1.0f); }, {15, 0, 0, 0x80, 0x3F}},
      {"currency", [](TWriter& w) { w.WriteCurrency(-1); }, Cat({{16}, Repeat(8, 0xFF)})},
      {"date", [](TWriter& w) { w.WriteDate(1.5); }, {17, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
      {"wide ascii", [](TWriter& w) { w.WriteWideString(u"abc"); }, {6, 3, 'a', 'b', 'c'}},
      {"wide euro", [](TWriter& w) { w.WriteWideString(u"\u20AC"); }, {18, 1, 0, 0, 0, 0xAC, 0x20}},
      {"wide short utf8",
       [](TWriter& w) { w.WriteWideString(u"ab\u20AC"); },
       {20, 5, 0, 0, 0, 'a', 'b', 0xE2, 0x82, 0xAC}},
      // Omega has no Windows-1252 byte: kept as UTF-16 rather than turned into '?'.
      {"wide omega", [](TWriter& w) { w.WriteWideString(u"a\u03A9b"); }, {18, 3, 0, 0, 0, 'a', 0, 0xA9, 0x03, 'b', 0}},
      {"ident", [](TWriter& w) { w.WriteIdent("alClient"); }, Cat({{7, 8}, Text("alClient")})},
      {"ident TRUE", [](TWriter& w) { w.WriteIdent("TRUE"); }, {9}},
      {"ident false", [](TWriter& w) { w.WriteIdent("false"); }, {8}},
      {"ident NIL", [](TWriter& w) { w.WriteIdent("NIL"); }, {13}},
      {"ident null", [](TWriter& w) { w.WriteIdent("null"); }, {0}},
      {"ident cut", [](TWriter& w) { w.WriteIdent(std::string(300, 'i')); }, Cat({{7, 255}, Repeat(255, 'i')})},
      {"list",
       [](TWriter& w) {
         w.WriteListBegin();
         w.WriteListEnd();
       },
       {1, 0}},
      {"binary", [](TWriter& w) { w.WriteBinary("\x01\x02", 2); }, {10, 2, 0, 0, 0, 1, 2}},
      {"set",
       [](TWriter& w) {
         w.WriteSet({"A", "", "Bc"});
       },
       {11, 1, 'A', 2, 'B', 'c', 0}},
      {"str", [](TWriter& w) { w.WriteStr("abc"); }, {3, 'a', 'b', 'c'}},
      {"raw", [](TWriter& w) { w.Write("\x00\xFF", 2); }, {0, 0xFF}},
      {"value type", [](TWriter& w) { w.WriteValueType(TValueType::vaCollection); }, {14}},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Written(c.write), c.bytes) << c.name;
    EXPECT_EQ(Written(c.write, 16), c.bytes) << c.name << " (small buffer)";
  }
}

TEST(FilerWriter, AppendsAtTheStreamPositionAndFlushesWhenReleased) {
  TMemoryStream s;
  s.WriteBuffer("XY", 2);
  TWriter w(s);
  w.WriteInteger(1);
  EXPECT_EQ(s.Size(), 2);  // still buffered
  w.FlushBuffer();
  EXPECT_EQ(s.Bytes(), (Bytes{'X', 'Y', 2, 1}));
}

// ---------------------------------------------------------------------------------------------
// What the reader accepts.

struct ReadCase {
  const char* name;
  Bytes input;
  std::function<void(TReader&)> check;
  int64_t endPosition;
};

TEST(FilerReader, AcceptedInputs) {
  const ReadCase cases[] = {
      {"int8 sign extended", {2, 0xFE}, [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -2); }, 2},
      {"int16", {3, 0x00, 0x80}, [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -32768); }, 3},
      {"int32", {4, 1, 2, 3, 0x84}, [](TReader& r) { EXPECT_EQ(r.ReadInteger(), int32_t(0x84030201)); }, 5},
      {"int64 from int16", {3, 0xFF, 0xFF}, [](TReader& r) { EXPECT_EQ(r.ReadInt64(), -1); }, 3},
      {"int64", {19, 0, 0, 0, 0, 1, 0, 0, 0}, [](TReader& r) { EXPECT_EQ(r.ReadInt64(), int64_t{1} << 32); }, 9},
      {"boolean on integer leaves payload",
       {2, 9},
       [](TReader& r) {
         EXPECT_FALSE(r.ReadBoolean());
         EXPECT_EQ(r.ReadValueType(), TValueType::vaTrue);
       },
       2},
      {"boolean true", {9}, [](TReader& r) { EXPECT_TRUE(r.ReadBoolean()); }, 1},
      {"boolean of any byte", {0xC8}, [](TReader& r) { EXPECT_FALSE(r.ReadBoolean()); }, 1},
      {"float from int8", {2, 0xFD}, [](TReader& r) { EXPECT_EQ(r.ReadFloat(), -3.0L); }, 2},
      {"float from int16", {3, 0x10, 0x27}, [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 10000.0L); }, 3},
      {"float from int32", {4, 0, 0, 0, 0x80}, [](TReader& r) { EXPECT_EQ(r.ReadFloat(), -2147483648.0L); }, 5},
      {"float from int64",
       {19, 0, 0, 0, 0, 0, 0, 0, 0x40},
       [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 4611686018427387904.0L); },
       9},
      {"single from int", {2, 7}, [](TReader& r) { EXPECT_EQ(r.ReadSingle(), 7.0f); }, 2},
      {"date from int", {3, 0x10, 0x27}, [](TReader& r) { EXPECT_EQ(r.ReadDate(), 10000.0); }, 3},
      {"currency from int", {2, 3}, [](TReader& r) { EXPECT_EQ(r.ReadCurrency(), 30000); }, 2},
      {"currency", {16, 1, 0, 0, 0, 0, 0, 0, 0}, [](TReader& r) { EXPECT_EQ(r.ReadCurrency(), 1); }, 9},
      {"short string",
       {6, 2, 0xFC, 'a'},
       [](TReader& r) {
         EXPECT_EQ(r.ReadString(),
                   "\xFC"
                   "a");
       },
       4},
      {"long string", {12, 1, 0, 0, 0, 'z'}, [](TReader& r) { EXPECT_EQ(r.ReadString(), "z"); }, 6},
      {"utf8 string",
       {20, 3, 0, 0, 0, 0xC3, 0xBC, 'a'},
       [](TReader& r) {
         EXPECT_EQ(r.ReadString(),
                   "\xFC"
                   "a");
       },
       8},
      {"wide string as text",
       {18, 2, 0, 0, 0, 0xAC, 0x20, 'b', 0},
       [](TReader& r) {
         EXPECT_EQ(r.ReadString(),
                   "\x80"
                   "b");
       },
       9},
      {"wide string", {18, 1, 0, 0, 0, 0xA9, 0x03}, [](TReader& r) { EXPECT_EQ(r.ReadWideString(), u"\u03A9"); }, 7},
      {"wide from utf8", {20, 2, 0, 0, 0, 0xC3, 0xBC}, [](TReader& r) { EXPECT_EQ(r.ReadWideString(), u"\u00FC"); }, 7},
      {"char", {20, 2, 0, 0, 0, 0xC3, 0xBC}, [](TReader& r) { EXPECT_EQ(r.ReadChar(), '\xFC'); }, 7},
      {"empty char", {6, 0}, [](TReader& r) { EXPECT_EQ(r.ReadChar(), '\0'); }, 2},
      {"ident", {7, 2, 'o', 'k'}, [](TReader& r) { EXPECT_EQ(r.ReadIdent(), "ok"); }, 4},
      {"ident words",
       {0, 8, 9, 13},
       [](TReader& r) {
         EXPECT_EQ(r.ReadIdent(), "Null");
         EXPECT_EQ(r.ReadIdent(), "False");
         EXPECT_EQ(r.ReadIdent(), "True");
         EXPECT_EQ(r.ReadIdent(), "nil");
       },
       4},
      {"list",
       {1, 0},
       [](TReader& r) {
         EXPECT_FALSE(r.EndOfList());
         EXPECT_EQ(r.NextValue(), TValueType::vaList);
         r.ReadListBegin();
         EXPECT_TRUE(r.EndOfList());
         r.ReadListEnd();
       },
       2},
      {"binary",
       {10, 3, 0, 0, 0, 1, 2, 3},
       [](TReader& r) {
         EXPECT_EQ(r.ReadBinary(), (Bytes{1, 2, 3}));
       },
       8},
      {"set",
       {11, 1, 'a', 2, 'b', 'c', 0},
       [](TReader& r) {
         EXPECT_EQ(r.ReadSet(), (std::vector<std::string>{"a", "bc"}));
       },
       7},
      {"raw block",
       {1, 2, 3},
       [](TReader& r) {
         uint8_t b[3];
         r.Read(b, 3);
         EXPECT_EQ(b[2], 3);
       },
       3},
  };
  for (const ReadCase& c : cases) {
    for (const size_t bufferSize : {size_t{1024}, size_t{1}}) {
      SCOPED_TRACE(std::string(c.name) + " buffer " + std::to_string(bufferSize));
      TMemoryStream s(c.input);
      TReader r(s, bufferSize);
      c.check(r);
      EXPECT_EQ(r.Position(), c.endPosition);
    }
  }
}

TEST(FilerReader, UnexpectedTagsAreInvalidValues) {
  const std::pair<Bytes, std::function<void(TReader&)>> cases[] = {
      {{6, 0}, [](TReader& r) { r.ReadInteger(); }},
      {{19, 0, 0, 0, 0, 0, 0, 0, 0}, [](TReader& r) { r.ReadInteger(); }},
      {{9}, [](TReader& r) { r.ReadInt64(); }},
      {{5}, [](TReader& r) { r.ReadCurrency(); }},
      {{2, 1}, [](TReader& r) { r.ReadString(); }},
      {{7, 1, 'a'}, [](TReader& r) { r.ReadString(); }},
      {{6, 2, 'a', 'b'}, [](TReader& r) { r.ReadChar(); }},
      {{6, 1, 'a'}, [](TReader& r) { r.ReadIdent(); }},
      {{6, 1, 'a'}, [](TReader& r) { r.ReadFloat(); }},
      {{5}, [](TReader& r) { r.ReadSingle(); }},
      {{12, 0, 0, 0, 0}, [](TReader& r) { r.ReadBinary(); }},
      {{10, 0, 0, 0, 0}, [](TReader& r) { r.ReadSet(); }},
      {{200}, [](TReader& r) { r.ReadString(); }},
  };
  for (const auto& [input, read] : cases) {
    TMemoryStream s(input);
    TReader r(s);
    EXPECT_EQ(Message([&] { read(r); }), kInvalid) << int(input[0]);
  }
}

TEST(FilerReader, FailedListCheckSkipsTheOffendingValue) {
  const Bytes input = Cat({{6, 3, 'a', 'b', 'c'}, {2, 42}, {1, 2, 1, 0}, {2, 43}});
  TMemoryStream s(input);
  TReader r(s, 4);
  EXPECT_EQ(Message([&] { r.ReadListBegin(); }), kInvalid);
  EXPECT_EQ(r.Position(), 5);
  EXPECT_EQ(r.ReadInteger(), 42);
  EXPECT_EQ(Message([&] { r.ReadListEnd(); }), kInvalid);
  EXPECT_EQ(r.ReadInteger(), 43);
}

// ---------------------------------------------------------------------------------------------
// Skipping

TEST(FilerReader, SkipValueConsumesEveryKindWhole) {
  const std::function<void(TWriter&)> values[] = {
      [](TWriter& w) { w.WriteInteger(5); },
      [](TWriter& w) { w.WriteInteger(500); },
      [](TWriter& w) { w.WriteInteger(500000); },
      [](TWriter& w) { w.WriteInt64(INT64_MAX); },
      [](TWriter& w) { w.WriteFloat(2.5L); },
      [](TWriter& w) { w.WriteSingle(2.5f); },
      [](TWriter& w) { w.WriteCurrency(7); },
      [](TWriter& w) { w.WriteDate(7.25); },
      [](TWriter& w) { w.WriteString("short"); },
      [](TWriter& w) { w.WriteString(std::string(3000, 'L')); },
      [](TWriter& w) { w.WriteString(Ansi("Größe")); },
      [](TWriter& w) { w.WriteWideString(u"\u20AC\u20AC"); },
      [](TWriter& w) { w.WriteIdent("Ident"); },
      [](TWriter& w) { w.WriteIdent("nil"); },
      [](TWriter& w) { w.WriteBoolean(true); },
      [](TWriter& w) { w.WriteBinary(std::string(5000, 'b').data(), 5000); },
      [](TWriter& w) {
        w.WriteSet({"x", "yy"});
      },
      [](TWriter& w) { w.WriteSet({}); },
      [](TWriter& w) { w.WriteValueType(TValueType::vaNil); },
      [](TWriter& w) { w.WriteValueType(static_cast<TValueType>(77)); },  // unknown: the tag alone
  };
  for (size_t i = 0; i < std::size(values); ++i) {
    const Bytes input = Written([&](TWriter& w) {
      values[i](w);
      w.WriteInteger(99);
    });
    TMemoryStream s(input);
    TReader r(s, 64);
    r.SkipValue();
    EXPECT_EQ(r.ReadInteger(), 99) << "value " << i;
  }
}

TEST(FilerReader, SkippingAListSkipsNestedListsAndCollections) {
  const Bytes input = Written([](TWriter& w) {
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteListBegin();
    w.WriteString("inner");
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteValueType(TValueType::vaCollection);
    // item with an index and two properties, one of them a nested collection
    w.WriteInteger(300);
    w.WriteListBegin();
    w.WriteStr("Caption");
    w.WriteString("text");
    w.WriteStr("Items");
    w.WriteValueType(TValueType::vaCollection);
    w.WriteListBegin();
    w.WriteStr("Value");
    w.WriteInteger(0);  // an integer 0 payload must not end anything
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    // item without an index and no properties
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteBinary("\0\0\0", 3);
    w.WriteListEnd();
    w.WriteInteger(77);
  });
  TMemoryStream s(input);
  TReader r(s, 8);
  r.SkipValue();
  EXPECT_EQ(r.ReadInteger(), 77);
  EXPECT_EQ(r.Position(), static_cast<int64_t>(input.size()));
}

TEST(FilerReader, DeepNestingNeitherCrashesNorRecurses) {
  Bytes deep(200000, 1);
  deep.insert(deep.end(), 200000, 0);
  deep.push_back(2);
  deep.push_back(5);
  TMemoryStream s(deep);
  TReader r(s);
  r.SkipValue();
  EXPECT_EQ(r.ReadInteger(), 5);

  Bytes open(200000, 1);
  TMemoryStream s2(open);
  TReader r2(s2);
  EXPECT_EQ(Message([&] { r2.SkipValue(); }), kEnd);
}

// ---------------------------------------------------------------------------------------------
// Round trips

void WriteEveryKind(TWriter& w, long double f) {
  w.WriteInteger(-129);
  w.WriteInt64(-(int64_t{1} << 40));
  w.WriteString(Ansi("Übertragen läuft"));
  w.WriteString(std::string(70000, 'q'));
  w.WriteString("");
  w.WriteChar('\x80');
  w.WriteBoolean(false);
  w.WriteFloat(f);
  w.WriteSingle(-0.1f);
  w.WriteCurrency(123456789);
  w.WriteDate(45000.75);
  w.WriteWideString(u"Ω and €");
  w.WriteIdent("clRed");
  w.WriteListBegin();
  w.WriteBinary("\x01\x02\x03", 3);
  w.WriteSet({"akTop", "akLeft"});
  w.WriteListEnd();
  w.WriteStr("raw");
  w.Write("\x00\x01", 2);
}

void ReadEveryKindAndWriteAgain(TReader& r, TWriter& w) {
  w.WriteInteger(r.ReadInteger());
  w.WriteInt64(r.ReadInt64());
  w.WriteString(r.ReadString());
  w.WriteString(r.ReadString());
  w.WriteString(r.ReadString());
  w.WriteChar(r.ReadChar());
  w.WriteBoolean(r.ReadBoolean());
  w.WriteFloat(r.ReadFloat());
  w.WriteSingle(r.ReadSingle());
  w.WriteCurrency(r.ReadCurrency());
  w.WriteDate(r.ReadDate());
  w.WriteWideString(r.ReadWideString());
  w.WriteIdent(r.ReadIdent());
  r.ReadListBegin();
  w.WriteListBegin();
  const Bytes bin = r.ReadBinary();
  w.WriteBinary(bin.data(), bin.size());
  w.WriteSet(r.ReadSet());
  r.ReadListEnd();
  w.WriteListEnd();
  w.WriteStr(r.ReadStr());
  uint8_t raw[2];
  r.Read(raw, 2);
  w.Write(raw, 2);
}

TEST(FilerRoundTrip, WriteReadWriteIsByteIdentical) {
  for (const long double f : {0.0L, -0.0L, 1.0L / 3.0L, -1e300L, 1e-4940L}) {
    const Bytes first = Written([&](TWriter& w) { WriteEveryKind(w, f); });
    for (const size_t bufferSize : {size_t{1024}, size_t{64}, size_t{3}}) {
      TMemoryStream in(first);
      TMemoryStream out;
      {
        TReader r(in, bufferSize);
        TWriter w(out, bufferSize);
        ReadEveryKindAndWriteAgain(r, w);
        EXPECT_EQ(r.Position(), static_cast<int64_t>(first.size()));
      }
      EXPECT_EQ(out.Bytes(), first) << "buffer " << bufferSize;
    }
  }
}

TEST(FilerRoundTrip, ExtendedCodecIsExact) {
  const long double values[] = {1.0L,
                                -1.0L,
                                0.1L,
                                3.141592653589793238L,
                                LDBL_MAX,
                                -LDBL_MAX,
                                LDBL_MIN,
                                std::numeric_limits<long double>::denorm_min(),
                                LDBL_MIN / 3,
                                1e-4940L,
                                123456789.0L,
                                std::numeric_limits<long double>::infinity(),
                                -std::numeric_limits<long double>::infinity()};
  for (const long double v : values) {
    const Bytes bytes = Written([&](TWriter& w) { w.WriteFloat(v); });
    TMemoryStream s(bytes);
    TReader r(s);
    const long double back = r.ReadFloat();
    EXPECT_TRUE(back == v) << static_cast<double>(v);
    EXPECT_EQ(Written([&](TWriter& w) { w.WriteFloat(back); }), bytes);
    if (LDBL_MANT_DIG == 64) {  // the x87 format in memory is an independent reference
      uint8_t native[sizeof(long double)] = {};
      std::memcpy(native, &v, sizeof v);
      EXPECT_EQ(Bytes(bytes.begin() + 1, bytes.end()), Bytes(native, native + 10)) << static_cast<double>(v);
    }
  }
  const Bytes pointOne = Written([](TWriter& w) { w.WriteFloat(0.1L); });
  EXPECT_EQ(pointOne, (Bytes{5, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}));
  const Bytes nan = Written([](TWriter& w) { w.WriteFloat(-std::numeric_limits<long double>::quiet_NaN()); });
  TMemoryStream s(nan);
  TReader r(s);
  const long double back = r.ReadFloat();
  EXPECT_TRUE(std::isnan(back));
  EXPECT_TRUE(std::signbit(back));
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteFloat(back); }), nan);
}

TEST(FilerRoundTrip, RandomExtendedPatternsSurvive) {
  // Every canonical 10-byte pattern (integer bit set for normal numbers, clear for denormals)
  // decodes and encodes to itself.
  std::mt19937_64 rng(7);
  for (int i = 0; i < 20000; ++i) {
    uint64_t mant = rng();
    const unsigned sexp = static_cast<unsigned>(rng()) & 0xFFFF;
    const unsigned exp = sexp & 0x7FFF;
    if (exp == 0x7FFF) continue;
    if (exp == 0)
      mant &= ~(uint64_t{1} << 63);
    else
      mant |= uint64_t{1} << 63;
    Bytes bytes{5};
    for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<uint8_t>(mant >> (8 * b)));
    bytes.push_back(static_cast<uint8_t>(sexp));
    bytes.push_back(static_cast<uint8_t>(sexp >> 8));
    TMemoryStream s(bytes);
    TReader r(s);
    const long double v = r.ReadFloat();
    ASSERT_EQ(Written([&](TWriter& w) { w.WriteFloat(v); }), bytes) << i;
  }
}

// ---------------------------------------------------------------------------------------------
// Damaged input

TEST(FilerReader, EveryTruncationIsAReadError) {
  const Bytes full = Written([](TWriter& w) { WriteEveryKind(w, 2.0L); });
  for (size_t n = 0; n < full.size(); n += (n < 400 ? 1 : 997)) {
    TMemoryStream in(Bytes(full.begin(), full.begin() + static_cast<long>(n)));
    TMemoryStream out;
    TReader r(in, 16);
    TWriter w(out);
    EXPECT_EQ(Message([&] { ReadEveryKindAndWriteAgain(r, w); }), kEnd) << n;
  }
}

TEST(FilerReader, HugeLengthsFailWithoutAllocating) {
  const Bytes heads[] = {{12, 0xFF, 0xFF, 0xFF, 0xFF},
                         {20, 0xFF, 0xFF, 0xFF, 0xFF},
                         {18, 0xFF, 0xFF, 0xFF, 0xFF},
                         {10, 0xFE, 0xFF, 0xFF, 0xFF}};
  for (const Bytes& head : heads) {
    const Bytes input = Cat({head, Repeat(100, 'x')});
    const std::function<void(TReader&)> reads[] = {
        [&](TReader& r) { head[0] == 10 ? (void)r.ReadBinary() : (void)r.ReadString(); },
        [](TReader& r) { r.SkipValue(); },
    };
    for (const auto& read : reads) {
      TMemoryStream plain(input);
      TReader r(plain);
      EXPECT_EQ(Message([&] { read(r); }), kEnd);
      // The same over a stream that cannot tell its size.
      const Bytes packed = ZCompress(input.data(), input.size());
      TMemoryStream packedStream(packed);
      TZDecompressionStream inflating(packedStream);
      TReader r2(inflating);
      EXPECT_EQ(Message([&] { read(r2); }), kEnd);
    }
  }
}

TEST(FilerReader, GarbageNeverEscapesAsAnythingButReadErrors) {
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    Bytes input(rng() % 64);
    for (auto& b : input) b = static_cast<uint8_t>(rng() % 24);  // mostly valid tags
    TMemoryStream s(input);
    TReader r(s, 1 + rng() % 32);
    try {
      for (int op = 0; op < 20; ++op) {
        switch (rng() % 8) {
          case 0:
            r.SkipValue();
            break;
          case 1:
            r.ReadString();
            break;
          case 2:
            r.ReadFloat();
            break;
          case 3:
            r.ReadListBegin();
            break;
          case 4:
            r.ReadIdent();
            break;
          case 5:
            r.ReadSet();
            break;
          case 6:
            r.ReadBoolean();
            break;
          case 7:
            r.ReadWideString();
            break;
        }
      }
    } catch (const EReadError&) {
    }
    EXPECT_LE(r.Position(), static_cast<int64_t>(input.size()));
  }
}

// ---------------------------------------------------------------------------------------------
// The reader gives back what it buffered

TEST(FilerReader, ReleaseMovesTheStreamBackToJustAfterTheLastValue) {
  const Bytes input = Written([](TWriter& w) {
    w.WriteInteger(0x5A594E33);
    w.WriteString(std::string(500, 's'));
  });
  for (const size_t bufferSize : {size_t{64}, size_t{1024}}) {
    TMemoryStream s(input);
    {
      TReader r(s, bufferSize);
      EXPECT_EQ(r.ReadInteger(), 0x5A594E33);
    }
    EXPECT_EQ(s.Position(), 5);
    TReader again(s);
    EXPECT_EQ(again.ReadString().size(), 500u);
  }
}

// ---------------------------------------------------------------------------------------------
// Counted short text

TEST(StreamString, WrittenForm) {
  const std::pair<std::string, Bytes> cases[] = {
      {"", {1, 0, 0}},
      {"abc", {4, 0, 3, 'a', 'b', 'c'}},
      {std::string(255, 'z'), Cat({{0, 1, 255}, Repeat(255, 'z')})},
      {std::string(300, 'z'), Cat({{0, 1, 255}, Repeat(255, 'z')})},  // cut to what fits
  };
  for (const auto& [text, bytes] : cases) {
    TMemoryStream s;
    WriteStreamString(s, text);
    EXPECT_EQ(s.Bytes(), bytes);
    s.SetPosition(0);
    EXPECT_EQ(ReadStreamString(s), text.substr(0, 255));
  }
}

TEST(StreamString, InconsistentCountsStayInsideTheRecord) {
  struct Case {
    Bytes input;
    std::string text;
    int64_t endPosition;
  };
  const Case cases[] = {
      {{0, 0, 'n'}, "", 2},                                                          // count 0: empty record
      {{2, 0, 5, 'a', 'b'}, "a", 4},                                                 // length byte beyond the count
      {{6, 0, 2, 'a', 'b', 'c', 'd', 'e', 'n'}, "ab", 8},                            // surplus skipped
      {Cat({{0x2C, 1, 255}, Repeat(299, 'y'), {'n'}}), std::string(255, 'y'), 302},  // count 300
      {Cat({{0xFF, 0xFF, 3}, Repeat(65534, 'y')}), "yyy", 65537},
  };
  for (const Case& c : cases) {
    TMemoryStream s(c.input);
    EXPECT_EQ(ReadStreamString(s), c.text);
    EXPECT_EQ(s.Position(), c.endPosition);
  }
  TMemoryStream shortRecord(Bytes{9, 0, 3, 'a'});
  EXPECT_EQ(Message([&] { ReadStreamString(shortRecord); }), kEnd);
  TMemoryStream noCount(Bytes{9});
  EXPECT_EQ(Message([&] { ReadStreamString(noCount); }), kEnd);
}

}  // namespace
}  // namespace zyn
