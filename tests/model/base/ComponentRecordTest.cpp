#include "model/base/ComponentRecord.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "tests/model/base/RawBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zyn {
namespace {

using test::Bytes;
using test::Raw;

TComponentRecord ReadRecord(const Bytes& bytes, bool root = true) {
  TMemoryStream ms(bytes);
  TReader reader(ms);
  TComponentRecord rec;
  if (root)
    rec.ReadRoot(reader);
  else
    rec.Read(reader);
  return rec;
}

Bytes WriteRecord(const TComponentRecord& rec, bool root = true) {
  TMemoryStream ms;
  {
    TWriter writer(ms);
    if (root)
      rec.WriteRoot(writer);
    else
      rec.Write(writer);
  }
  return ms.Bytes();
}

// A page with one child of every value kind the stream knows, nested lists, a collection with
// and without item indexes, a set, a binary block, filer flags with a child position, and a
// grandchild.
Bytes SamplePage() {
  Raw r;
  r.chars("TPF0").str("TVisuDesignFrame").str("Seite1");
  r.str("Left").u8(2).u8(0);
  r.str("Width").u8(3).le(1024, 2);
  r.str("Tag").u8(4).le(0x12345678, 4);
  r.str("Tag64").u8(19).le(0x123456789ABCull, 8);
  r.str("IntAsWide").u8(4).le(5, 4);  // a small value stored wider than needed stays so
  r.str("DisplayName").u8(6).str("Hauptseite");
  r.str("LongText").u8(12).le(300, 4).chars(std::string(300, 'x'));
  r.str("Umlaut").u8(20).le(7, 4).chars(
      "Gr\xC3\xBC\xC3\x9F"
      "e");  // "Grüße" in UTF-8
  r.str("Wide").u8(18).le(2, 4).le(0x4E2D, 2).le(0x6587, 2);
  r.str("Color").u8(7).str("clRed");
  r.str("Designing").u8(8);
  r.str("StretchBitmap").u8(9);
  r.str("PopupMenu").u8(13);
  r.str("Font.Style").u8(11).str("fsBold").str("fsItalic").u8(0);
  r.str("Bitmap.Data").u8(10).le(5, 4).u8(1).u8(2).u8(0).u8(0xFF).u8(0xF0);
  r.str("Ratio").u8(5).le(0xC000000000000000ull, 8).le(0x3FFF, 2);  // 1.5
  r.str("Single").u8(15).le(0x3FC00000, 4);                         // 1.5f
  r.str("Money").u8(16).le(15000, 8);                               // 1.5
  r.str("When").u8(17).le(0x3FF8000000000000ull, 8);                // 1.5
  r.str("Nested").u8(1).u8(2).u8(1).u8(1).u8(6).str("a").u8(0).u8(14).u8(0).u8(0);
  r.str("Kanaele")
      .u8(14)
      .u8(1)
      .str("Steuermodul")
      .u8(2)
      .u8(1)
      .str("Modul")
      .u8(2)
      .u8(69)
      .u8(0)
      .u8(2)
      .u8(7)
      .u8(1)
      .str("Kanal")
      .u8(2)
      .u8(3)
      .u8(0)
      .u8(0);
  r.u8(0);
  // first child: plain
  r.str("TVisuRoundLED").str("LED1").str("VisuData.Modul").u8(2).u8(69).u8(0);
  //   grandchild
  r.str("TVNButton").str("").u8(0).u8(0);
  r.u8(0);
  // second child: filer flags 2 (child position 3) and 1
  r.u8(0xF3).u8(2).u8(3).str("TTeleButton").str("Knopf").u8(0).u8(0);
  // third child: a prefix without flags is kept
  r.u8(0xF0).str("TVisuText").str("Text").u8(0).u8(0);
  r.u8(0);
  return r.b;
}

TEST(ComponentRecord, ReadThenWriteGivesTheSameBytes) {
  const Bytes bytes = SamplePage();
  const TComponentRecord rec = ReadRecord(bytes);
  EXPECT_EQ(WriteRecord(rec), bytes);

  EXPECT_EQ(rec.ClassName, "TVisuDesignFrame");
  EXPECT_EQ(rec.Name, "Seite1");
  ASSERT_EQ(rec.Children.size(), 3u);
  EXPECT_EQ(rec.Children[0].Children.size(), 1u);
  EXPECT_EQ(rec.Children[0].Children[0].ClassName, "TVNButton");
  EXPECT_FALSE(rec.Children[0].HasPrefix);
  EXPECT_TRUE(rec.Children[1].HasPrefix);
  EXPECT_EQ(rec.Children[1].FilerFlags, 3);
  ASSERT_TRUE(rec.Children[1].ChildPos.has_value());
  EXPECT_EQ(rec.Children[1].ChildPos->AsInteger(), 3);
  EXPECT_TRUE(rec.Children[2].HasPrefix);
  EXPECT_EQ(rec.Children[2].FilerFlags, 0);

  // Read again from what was written: the same tree.
  EXPECT_EQ(ReadRecord(WriteRecord(rec)), rec);
}

TEST(ComponentRecord, TypedViewsOfTheValues) {
  const TComponentRecord rec = ReadRecord(SamplePage());
  auto v = [&](const char* name) -> const TFilerValue& {
    const TPropertyRecord* p = rec.FindProperty(name);
    EXPECT_NE(p, nullptr) << name;
    return p->Value;
  };
  EXPECT_EQ(v("Left").AsInteger(), 0);
  EXPECT_EQ(v("Width").AsInteger(), 1024);
  EXPECT_EQ(v("Tag").AsInteger(), 0x12345678);
  EXPECT_EQ(v("Tag64").AsInt64(), 0x123456789ABCll);
  EXPECT_EQ(v("IntAsWide").Type(), TValueType::vaInt32);
  EXPECT_EQ(v("IntAsWide").AsInteger(), 5);
  EXPECT_EQ(v("DisplayName").AsString(), "Hauptseite");
  EXPECT_EQ(v("LongText").AsString(), std::string(300, 'x'));
  EXPECT_EQ(v("Umlaut").AsString(), Ansi("Grüße"));
  EXPECT_EQ(v("Wide").AsString(), "??");  // no Windows-1252 form
  EXPECT_EQ(v("Color").AsIdent(), "clRed");
  EXPECT_FALSE(v("Designing").AsBoolean());
  EXPECT_TRUE(v("StretchBitmap").AsBoolean());
  EXPECT_EQ(v("PopupMenu").AsIdent(), "nil");
  EXPECT_EQ(v("Font.Style").SetElements(), (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_EQ(v("Bitmap.Data").AsBinary(), (Bytes{1, 2, 0, 0xFF, 0xF0}));
  EXPECT_EQ(v("Ratio").AsFloat(), 1.5L);
  EXPECT_EQ(v("Single").AsFloat(), 1.5L);
  EXPECT_EQ(v("Money").AsFloat(), 1.5L);
  EXPECT_EQ(v("When").AsFloat(), 1.5L);
  EXPECT_EQ(v("Width").AsFloat(), 1024.0L);

  const TFilerValue& nested = v("Nested");
  ASSERT_EQ(nested.ListValues().size(), 3u);
  EXPECT_EQ(nested.ListValues()[0].AsInteger(), 1);
  EXPECT_EQ(nested.ListValues()[1].ListValues()[0].AsString(), "a");
  EXPECT_TRUE(nested.ListValues()[2].Items().empty());

  const TFilerValue& items = v("Kanaele");
  ASSERT_EQ(items.Items().size(), 2u);
  EXPECT_FALSE(items.Items()[0].Index.has_value());
  EXPECT_EQ(FindProperty(items.Items()[0].Properties, "Modul")->Value.AsInteger(), 69);
  ASSERT_TRUE(items.Items()[1].Index.has_value());
  EXPECT_EQ(items.Items()[1].Index->AsInteger(), 7);

  EXPECT_THROW(v("DisplayName").AsInteger(), EReadError);
  EXPECT_THROW(v("Left").AsString(), EReadError);
  EXPECT_THROW(v("Color").AsBoolean(), EReadError);
  EXPECT_THROW(v("Left").AsBinary(), EReadError);
}

TEST(ComponentRecord, NewValuesAreEncodedLikeTheWriter) {
  struct Case {
    TFilerValue value;
    Bytes encoded;
  };
  const Case cases[] = {
      {TFilerValue::Integer(127), {2, 127}},
      {TFilerValue::Integer(128), {3, 128, 0}},
      {TFilerValue::Integer(-128), {2, 0x80}},
      {TFilerValue::Integer(-129), {3, 0x7F, 0xFF}},
      {TFilerValue::Integer(32768), {4, 0, 0x80, 0, 0}},
      {TFilerValue::Integer(-32769), {4, 0xFF, 0x7F, 0xFF, 0xFF}},
      {TFilerValue::Int64(5), {2, 5}},
      {TFilerValue::Int64(0x100000000ll), {19, 0, 0, 0, 0, 1, 0, 0, 0}},
      {TFilerValue::String(""), {6, 0}},
      {TFilerValue::String("ab"), {6, 2, 'a', 'b'}},
      {TFilerValue::String("\xFC"), {20, 2, 0, 0, 0, 0xC3, 0xBC}},
      {TFilerValue::Ident("clRed"), {7, 5, 'c', 'l', 'R', 'e', 'd'}},
      {TFilerValue::Ident("TRUE"), {9}},
      {TFilerValue::Ident("false"), {8}},
      {TFilerValue::Ident("Nil"), {13}},
      {TFilerValue::Ident("null"), {0}},
      {TFilerValue::Boolean(true), {9}},
      {TFilerValue::Extended(1.5L), {5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
      {TFilerValue::Extended(-2.0L), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {TFilerValue::Extended(0.0L), {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {TFilerValue::Single(1.5f), {15, 0, 0, 0xC0, 0x3F}},
      {TFilerValue::Currency(15000), {16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}},
      {TFilerValue::WideString(u"ab"), {6, 2, 'a', 'b'}},
      {TFilerValue::WideString(u"\x4E2D"), {18, 1, 0, 0, 0, 0x2D, 0x4E}},
      {TFilerValue::Binary({9, 8}), {10, 2, 0, 0, 0, 9, 8}},
      {TFilerValue::Nil(), {13}},
  };
  for (const auto& c : cases) {
    TMemoryStream ms;
    {
      TWriter w(ms);
      c.value.Write(w);
    }
    EXPECT_EQ(ms.Bytes(), c.encoded) << int(c.encoded[0]);
  }
  EXPECT_EQ(TFilerValue::String(std::string(255, 'a')).Type(), TValueType::vaString);
  EXPECT_EQ(TFilerValue::String(std::string(256, 'a')).Type(), TValueType::vaLString);
  EXPECT_EQ(TFilerValue::Ident(std::string(300, 'q')).AsIdent().size(), 255u);
  EXPECT_EQ(TFilerValue::Extended(-1234.5625L).AsFloat(), -1234.5625L);
  EXPECT_EQ(TFilerValue::Extended(1e-4940L).AsFloat(), 1e-4940L);  // denormal survives
  EXPECT_TRUE(std::isinf(TFilerValue::Extended(HUGE_VALL).AsFloat()));
  EXPECT_TRUE(std::isnan(TFilerValue::Extended(std::nanl("")).AsFloat()));
  EXPECT_EQ(TFilerValue::String(Ansi("Grüße")).AsString(), Ansi("Grüße"));
}

TEST(ComponentRecord, BuiltRecordWritesTheExpectedBytes) {
  TComponentRecord page;
  page.ClassName = "TVisuDesignFrame";
  page.Name = "P";
  page.SetProperty("Tag", TFilerValue::Integer(1));
  page.SetProperty("Tag", TFilerValue::Integer(2));  // replaces
  TComponentRecord& led = page.Children.emplace_back();
  led.ClassName = "TVisuRoundLED";
  led.Name = "L";
  TCollectionItemRecord item;
  item.Index = TFilerValue::Integer(0);
  item.Properties.push_back({"Modul", TFilerValue::Integer(69)});
  led.SetProperty("Kanaele", TFilerValue::Collection({item}));
  led.SetProperty("Font.Style", TFilerValue::Set({"fsBold"}));
  led.SetProperty("L", TFilerValue::List({TFilerValue::Boolean(false)}));

  Raw r;
  r.chars("TPF0").str("TVisuDesignFrame").str("P").str("Tag").u8(2).u8(2).u8(0);
  r.str("TVisuRoundLED").str("L");
  r.str("Kanaele").u8(14).u8(2).u8(0).u8(1).str("Modul").u8(2).u8(69).u8(0).u8(0);
  r.str("Font.Style").u8(11).str("fsBold").u8(0);
  r.str("L").u8(1).u8(8).u8(0);
  r.u8(0).u8(0).u8(0);
  EXPECT_EQ(WriteRecord(page), r.b);
  EXPECT_TRUE(page.RemoveProperty("Tag"));
  EXPECT_FALSE(page.RemoveProperty("Tag"));
}

TEST(ComponentRecord, RecordsTheStreamCannotCarryAreRefusedBeforeAnyByteIsWritten) {
  auto base = [] {
    TComponentRecord rec;
    rec.ClassName = "TVisuDesignFrame";
    rec.Name = "P";
    rec.Children.emplace_back().ClassName = "TVisuText";
    return rec;
  };
  std::vector<TComponentRecord> bad;
  bad.push_back(base());
  bad.back().Name = std::string(256, 'n');
  bad.push_back(base());
  bad.back().Properties.push_back({"", TFilerValue::Integer(1)});
  bad.push_back(base());
  bad.back().Properties.push_back({std::string(256, 'p'), TFilerValue::Integer(1)});
  bad.push_back(base());
  bad.back().Children[0].ClassName.clear();
  bad.push_back(base());
  bad.back().Children[0].ClassName = std::string(0xF0, 'T');
  bad.push_back(base());
  bad.back().Children[0].HasPrefix = true;
  bad.back().Children[0].FilerFlags = 2;
  bad.push_back(base());
  bad.back().Children[0].ChildPos = TFilerValue::Integer(1);
  bad.push_back(base());
  bad.back().Children[0].HasPrefix = true;
  bad.back().Children[0].FilerFlags = 0x12;
  bad.push_back(base());
  bad.back().Properties.push_back({"S", TFilerValue::Set({""})});
  bad.push_back(base());
  bad.back().Properties.push_back({"L", TFilerValue::List({TFilerValue::Ident("Null")})});
  {
    TCollectionItemRecord item;
    item.Index = TFilerValue::String("x");
    bad.push_back(base());
    bad.back().Properties.push_back({"C", TFilerValue::Collection({item})});
  }
  for (size_t i = 0; i < bad.size(); ++i) {
    TMemoryStream ms;
    {
      TWriter w(ms);
      EXPECT_THROW(bad[i].WriteRoot(w), EWriteError) << i;
    }
    EXPECT_TRUE(ms.Bytes().empty()) << i;
  }
  // With the prefix a child may have an empty or long class name.
  TComponentRecord ok = base();
  ok.Children[0].HasPrefix = true;
  ok.Children[0].ClassName.clear();
  EXPECT_EQ(ReadRecord(WriteRecord(ok)), ok);
}

TEST(ComponentRecord, DamagedInputIsAReadErrorAndKeepsWhatWasRead) {
  const Bytes good = SamplePage();
  // Wrong signature.
  Bytes sig = good;
  sig[3] = '1';
  EXPECT_THROW(ReadRecord(sig), EReadError);
  // Every cut of the record fails with a read error, never with anything else.
  for (size_t n = 0; n + 1 < good.size(); n += 7) {
    EXPECT_THROW(ReadRecord(Bytes(good.begin(), good.begin() + long(n))), EReadError) << n;
  }
  // A tag outside the value stream.
  Raw r;
  r.chars("TPF0").str("TVisuDesignFrame").str("P").str("Left").u8(2).u8(5).str("Top").u8(21);
  TMemoryStream ms(r.b);
  TReader reader(ms);
  TComponentRecord rec;
  EXPECT_THROW(rec.ReadRoot(reader), EReadError);
  EXPECT_EQ(rec.Name, "P");
  ASSERT_EQ(rec.Properties.size(), 2u);
  EXPECT_EQ(rec.Properties[0].Value.AsInteger(), 5);
  // A collection item that does not start with a list begin marker.
  Raw c;
  c.chars("TPF0").str("T").str("P").str("C").u8(14).u8(2).u8(0).u8(6).u8(0);
  EXPECT_THROW(ReadRecord(c.b), EReadError);
  // A length that runs past the end does not allocate it first.
  Raw big;
  big.chars("TPF0").str("T").str("P").str("B").u8(10).le(0xFFFFFFF0u, 4).u8(1);
  EXPECT_THROW(ReadRecord(big.b), EReadError);
}

TEST(ComponentRecord, DeepNestingIsRefused) {
  Raw r;
  r.chars("TPF0").str("T").str("P").str("N");
  for (int i = 0; i < 5000; ++i) r.u8(1);
  for (int i = 0; i < 5000; ++i) r.u8(0);
  r.u8(0).u8(0);
  EXPECT_THROW(ReadRecord(r.b), EReadError);
  Raw ok;
  ok.chars("TPF0").str("T").str("P").str("N");
  for (int i = 0; i < 50; ++i) ok.u8(1);
  for (int i = 0; i < 50; ++i) ok.u8(0);
  ok.u8(0).u8(0);
  EXPECT_EQ(WriteRecord(ReadRecord(ok.b)), ok.b);
}

TEST(ComponentRecord, ReaderStopsRightAfterTheRecord) {
  Bytes bytes = SamplePage();
  const size_t end = bytes.size();
  bytes.push_back(2);
  bytes.push_back(42);
  TMemoryStream ms(bytes);
  TReader reader(ms);
  TComponentRecord rec;
  rec.ReadRoot(reader);
  EXPECT_EQ(reader.Position(), int64_t(end));
  EXPECT_EQ(reader.ReadInteger(), 42);
}

}  // namespace
}  // namespace zyn
