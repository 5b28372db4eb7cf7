#include "model/base/XMLCollection.h"

#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zyn {
namespace {

using test::CrLf;
using test::TempFolder;

enum TFarbe { fRot, fGruen, fBlau };

class TTestLeaf : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class() {
    static const TXMLItemClass cls = TXMLClassBuilder<TTestLeaf>("TTestLeaf")
                                         .Text("Name", &TTestLeaf::Name)
                                         .Integer("Wert", &TTestLeaf::Wert)
                                         .Build();
    return cls;
  }
  const TXMLItemClass& ItemClass() const override { return Class(); }
  std::string Name;
  int32_t Wert = 0;
};

class TTestItem : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class() {
    using T = TTestItem;
    static const TXMLItemClass cls = TXMLClassBuilder<T>("TTestItem")
                                         .Text("TextLang", &T::TextLang)
                                         .Integer("zahl", &T::zahl)
                                         .Char("Zeichen", &T::Zeichen)
                                         .Text("Text", &T::Text)
                                         .Boolean("Aktiv", &T::Aktiv)
                                         .Integer("Anzahl", &T::Anzahl)
                                         .Int64("Gross", &T::Gross)
                                         .Float("Faktor", &T::Faktor)
                                         .Enumeration("Farbe", {"fRot", "fGruen", "fBlau"}, &T::Farbe)
                                         .Collection("Blaetter", &T::Blaetter)
                                         .Build();
    return cls;
  }
  const TXMLItemClass& ItemClass() const override { return Class(); }

  bool Aktiv = false;
  int32_t Anzahl = 3;
  std::unique_ptr<TXMLCollectionOf<TTestLeaf>> Blaetter =
      std::make_unique<TXMLCollectionOf<TTestLeaf>>("TTestBlaetter");
  double Faktor = 0;
  TFarbe Farbe = fRot;
  int64_t Gross = 0;
  std::string Text;
  std::string TextLang;
  int32_t zahl = 0;
  char Zeichen = 'A';
};

class TTestListe : public TXMLCollectionOf<TTestItem> {
 public:
  TTestListe() : TXMLCollectionOf<TTestItem>("TTestListe") {}
};

// Two items: the first with every kind set and two leaves, the second as made.
void FillSample(TTestListe& list) {
  list.SetComment("Beispiel");
  TTestItem* a = list.Add();
  a->Aktiv = true;
  a->Anzahl = -5;
  a->Faktor = 1.5;
  a->Farbe = fGruen;
  a->Gross = 1234567890123;
  a->Text = "V2.0 (Test)";
  a->TextLang = "a<b>&\"c\"";
  a->zahl = 7;
  a->Zeichen = '\xE4';
  TTestLeaf* l1 = a->Blaetter->Add();
  l1->Name = "Eins";
  l1->Wert = 1;
  TTestLeaf* l2 = a->Blaetter->Add();
  l2->Name = "Zwei";
  l2->Wert = 2;
  list.Add();
}

const char* const kSampleXML = R"(<?xml version = "1.0" standalone = "yes"?>
<!-- Beispiel -->
  <!DOCTYPE TestListe [
    <!ELEMENT TestListe (TestItem*) >
    <!ELEMENT TestItem (Aktiv,Anzahl,Blaetter,Faktor,Farbe,Gross,Text,TextLang,zahl,Zeichen) >
    <!ELEMENT Aktiv (#PCDATA)>
    <!ELEMENT Anzahl (#PCDATA)>
    <!ELEMENT Blaetter (TestLeaf*)>
    <!ELEMENT TestLeaf (Name,Wert) >
    <!ELEMENT Name (#PCDATA)>
    <!ELEMENT Wert (#PCDATA)>
    <!ELEMENT Faktor (#PCDATA)>
    <!ELEMENT Farbe (#PCDATA)>
    <!ELEMENT Gross (#PCDATA)>
    <!ELEMENT Text (#PCDATA)>
    <!ELEMENT TextLang (#PCDATA)>
    <!ELEMENT zahl (#PCDATA)>
    <!ELEMENT Zeichen (#PCDATA)>
  ]>
<TestListe>
  <TestItem>
  <Aktiv>True</Aktiv>
  <Anzahl>-5</Anzahl>
  <Blaetter>

  <TestLeaf>
  <Name>Eins</Name>
  <Wert>1</Wert>
  </TestLeaf>

  <TestLeaf>
  <Name>Zwei</Name>
  <Wert>2</Wert>
  </TestLeaf>

  </Blaetter>
  <Faktor>1.5</Faktor>
  <Farbe>fGruen</Farbe>
  <Gross>1234567890123</Gross>
  <Text>V2&#x2E;0 &#x28;Test&#x29;</Text>
  <TextLang>a&#x3C;b&#x3E;&#x26;&#x22;c&#x22;</TextLang>
  <zahl>7</zahl>
  <Zeichen>&#xE4;</Zeichen>
  </TestItem>

  <TestItem>
  <Aktiv>False</Aktiv>
  <Anzahl>3</Anzahl>
  <Blaetter>

  </Blaetter>
  <Faktor>0</Faktor>
  <Farbe>fRot</Farbe>
  <Gross>0</Gross>
  <Text></Text>
  <TextLang></TextLang>
  <zahl>0</zahl>
  <Zeichen>A</Zeichen>
  </TestItem>

</TestListe>
)";

TEST(XMLCollection, WritesTheFixedLayout) {
  TTestListe list;
  FillSample(list);
  EXPECT_EQ(list.GetXML(), CrLf(kSampleXML));
}

TEST(XMLCollection, EmptyCollectionHasNoDTDLinesForNestedCollections) {
  TTestListe list;
  const std::string xml = list.GetXML();
  EXPECT_EQ(xml.find("Blaetter (TestLeaf*)"), std::string::npos);
  EXPECT_EQ(xml.find("TestLeaf (Name,Wert)"), std::string::npos);
  EXPECT_NE(xml.find("    <!ELEMENT Anzahl (#PCDATA)>\r\n    <!ELEMENT Faktor (#PCDATA)>\r\n"), std::string::npos);
  EXPECT_EQ(xml.find("<!--"), std::string::npos);  // no comment line without a comment
  EXPECT_NE(xml.find("<TestListe>\r\n</TestListe>\r\n"), std::string::npos);
}

TEST(XMLCollection, FileIsAcceptedByXmllintAndReadsBack) {
  TempFolder dir;
  TTestListe list;
  FillSample(list);
  list.Items(0)->Text = std::string("Zeile 1\r\nZeile 2 ") + Ansi("äöüß€") + "\t<&>";
  const std::string file = dir.File("liste.xml");
  list.SaveToFile(file);
  EXPECT_TRUE(test::XmllintAccepts(file));
  EXPECT_EQ(test::ReadWholeFile(file), list.GetXML());

  TTestListe back;
  ASSERT_TRUE(back.LoadFromFile(file));
  ASSERT_EQ(back.Count(), 2);
  const TTestItem& a = *back.Items(0);
  EXPECT_TRUE(a.Aktiv);
  EXPECT_EQ(a.Anzahl, -5);
  EXPECT_EQ(a.Faktor, 1.5);
  EXPECT_EQ(a.Farbe, fGruen);
  EXPECT_EQ(a.Gross, 1234567890123);
  EXPECT_EQ(a.Text, list.Items(0)->Text);
  EXPECT_EQ(a.TextLang, "a<b>&\"c\"");
  EXPECT_EQ(a.zahl, 7);
  EXPECT_EQ(a.Zeichen, '\xE4');
  ASSERT_EQ(a.Blaetter->Count(), 2);
  EXPECT_EQ(a.Blaetter->Items(1)->Name, "Zwei");
  EXPECT_EQ(a.Blaetter->Items(1)->Wert, 2);
  EXPECT_EQ(back.Items(1)->Blaetter->Count(), 0);
  back.SetComment(list.Comment());  // the comment belongs to the class, it is not read
  EXPECT_EQ(back.GetXML(), list.GetXML());
}

TEST(XMLCollection, EncodeEscapesAllButBlankCommaHyphenDigitsAndLetters) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"V2.0 (Test)", "V2&#x2E;0 &#x28;Test&#x29;"}, {"\r\n", "&#x0D;&#x0A;"},     {Ansi("ü"), "&#xFC;"},
      {"<>&\"'", "&#x3C;&#x3E;&#x26;&#x22;&#x27;"},  {" ,-09AZaz", " ,-09AZaz"},   {std::string(1, '\0'), "&#x00;"},
      {"_;:/", "&#x5F;&#x3B;&#x3A;&#x2F;"},          {"\xFF\x80", "&#xFF;&#x80;"},
  };
  for (const auto& c : cases) EXPECT_EQ(XMLEncode(c.in), c.out) << c.in;
}

TEST(XMLCollection, DecodeRules) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"V2&#x2E;0 &#x28;Test&#x29;", "V2.0 (Test)"},
      {"  abc  ", "abc"},          // blanks at the ends are lost
      {"&#x20;abc&#x09;", "abc"},  // also when they were escaped
      {"a&#x2e;b", "a.b"},         // lower-case digits
      {"a&#X2E;b", "a&#X2E;b"},    // only a lower-case x starts an escape
      {"a&#x41", "a&#x41"},        // fewer than six characters from the "&"
      {"&#x41?", "A"},             // the sixth character is not looked at
      {"a&#x#1;b",
       "a\x01"
       "b"},  // a character below "a" counts as 0
      {"a&#xG1;b",
       "a\x01"
       "b"},                    // "g" counts 16: 16 * 16 + 1 wraps to 1
      {"&#x&#x41;;", "&#xA;"},  // decoded from the end: no second round
      {"&&#x23;x41;", "A"},     // ... but a decoded "#" joins an escape to its left
      {"&#xFC;", Ansi("ü")},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(XMLDecode(c.in), c.out) << c.in;

  std::string all = "x";
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  all += "x";
  EXPECT_EQ(XMLDecode(XMLEncode(all)), all);
}

TEST(XMLCollection, FloatsUseOneFormIndependentOfTheLocale) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{1.5, "1.5"},
               {-2.5, "-2.5"},
               {0.1, "0.1"},
               {1e20, "1E20"},
               {1e-7, "1E-7"},
               {1e14, "100000000000000"},
               {1e15, "1E15"},
               {-0.0, "0"},
               {123456789012345678.0, "1.23456789012346E17"},
               {2.0 / 3.0, "0.666666666666667"}};
  for (const auto& c : cases) {
    EXPECT_EQ(XMLFloatToStr(c.value), c.text);
    EXPECT_EQ(XMLFloatToStr(XMLStrToFloat(c.text)), c.text);
  }
  EXPECT_EQ(XMLStrToFloat("1,5"), 1.5);
  EXPECT_EQ(XMLStrToFloat("-2,5E3"), -2500);
  EXPECT_EQ(XMLStrToFloat("+7"), 7);
  EXPECT_TRUE(std::isinf(XMLStrToFloat(XMLFloatToStr(HUGE_VAL))));
  for (const char* bad : {"", "1.5x", "abc", "1..5", " 1"}) EXPECT_THROW(XMLStrToFloat(bad), EReadError) << bad;
}

TEST(XMLCollection, IntegerForms) {
  EXPECT_EQ(XMLStrToInt("42"), 42);
  EXPECT_EQ(XMLStrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(XMLStrToInt("$FF"), 255);
  EXPECT_EQ(XMLStrToInt("0x1f"), 31);
  EXPECT_EQ(XMLStrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(XMLStrToInt64("-9223372036854775808"), INT64_MIN);
  for (const char* bad : {"", "-", "2147483648", "12a", "0x", "1.0", " 1"}) {
    EXPECT_THROW(XMLStrToInt(bad), EReadError) << bad;
  }
}

TEST(XMLCollection, MissingPropertyKeepsTheDefault) {
  TTestListe list;
  list.LoadFromXML("<TestItem>\r\n  <zahl>9</zahl>\r\n  </TestItem>");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0)->zahl, 9);
  EXPECT_EQ(list.Items(0)->Anzahl, 3);
  EXPECT_EQ(list.Items(0)->Zeichen, 'A');
}

TEST(XMLCollection, ItemTagsAreCaseSensitivePropertyNamesAreNot) {
  TTestListe list;
  list.LoadFromXML("<TESTLISTE><testitem><Anzahl>9</Anzahl></testitem></TESTLISTE>");
  EXPECT_EQ(list.Count(), 0);
  list.LoadFromXML("<TestItem><aNZAHL>9</aNZAHL><FARBE>FBLAU</FARBE><aktiv>true</aktiv></TestItem>");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0)->Anzahl, 9);
  EXPECT_EQ(list.Items(0)->Farbe, fBlau);
  EXPECT_TRUE(list.Items(0)->Aktiv);
}

TEST(XMLCollection, ReadingRulesForOddBlocks) {
  TTestListe list;
  // A closing tag before the first opening tag ends the search; everything else is ignored.
  list.LoadFromXML("</TestItem><TestItem><zahl>1</zahl></TestItem>");
  EXPECT_EQ(list.Count(), 0);
  // An opening tag without a closing tag adds nothing.
  list.LoadFromXML("<TestItem><zahl>1</zahl>");
  EXPECT_EQ(list.Count(), 0);
  // Unknown tags, attributes, an element without closing tag and a stray "<" are skipped.
  list.LoadFromXML(
      "<TestItem><Fremd>x</Fremd><Anzahl x=\"1\">5</Anzahl><Text>offen</TestItem>"
      "<TestItem><Text>  zwei  </Text><zahl>8</zahl><</TestItem>");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)->Anzahl, 3);
  EXPECT_EQ(list.Items(0)->Text, "");  // no closing tag inside the block: empty content
  EXPECT_EQ(list.Items(1)->Text, "zwei");
  EXPECT_EQ(list.Items(1)->zahl, 8);
}

TEST(XMLCollection, UnknownEnumerationNameLeavesTheValue) {
  TTestListe list;
  list.LoadFromXML("<TestItem><Farbe>fLila</Farbe><Aktiv>Ja</Aktiv></TestItem>");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0)->Farbe, fRot);
  EXPECT_FALSE(list.Items(0)->Aktiv);
}

TEST(XMLCollection, NestedCollectionsAreReadAndReplaced) {
  TTestListe list;
  list.LoadFromXML(
      "<TestItem><Blaetter>\r\n\r\n  <TestLeaf><Name>A</Name><Wert>1</Wert></TestLeaf>"
      "<TestLeaf><Wert>2</Wert></TestLeaf>  </Blaetter><zahl>5</zahl></TestItem>"
      "<TestItem><Blaetter></Blaetter></TestItem>");
  ASSERT_EQ(list.Count(), 2);
  const TTestItem& a = *list.Items(0);
  ASSERT_EQ(a.Blaetter->Count(), 2);
  EXPECT_EQ(a.Blaetter->Items(0)->Name, "A");
  EXPECT_EQ(a.Blaetter->Items(1)->Wert, 2);
  EXPECT_EQ(a.zahl, 5);
  // The leaves' "Name" and "Wert" are met again at the item's level and are no item properties.
  EXPECT_EQ(list.Items(1)->Blaetter->Count(), 0);

  // Reading again clears the nested collection first.
  TTestItem* item = list.Items(0);
  TXMLCollectionItem* dummy = item->Blaetter->Add();
  (void)dummy;
  list.LoadFromXML("<TestItem><Blaetter></Blaetter></TestItem>");
  EXPECT_EQ(list.Items(0)->Blaetter->Count(), 0);
}

TEST(XMLCollection, MalformedNumberEndsTheLoadKeepingWhatWasRead) {
  TTestListe list;
  const std::string text =
      "<TestItem><zahl>1</zahl></TestItem><TestItem><Anzahl>x1</Anzahl></TestItem><TestItem></TestItem>";
  EXPECT_THROW(list.LoadFromXML(text), EReadError);
  EXPECT_EQ(list.Count(), 2);

  TempFolder dir;
  test::WriteWholeFile(dir.File("bad.xml"), text);
  TTestListe fromFile;
  EXPECT_FALSE(fromFile.LoadFromFile(dir.File("bad.xml")));
  ASSERT_EQ(fromFile.Count(), 2);
  EXPECT_EQ(fromFile.Items(0)->zahl, 1);
}

TEST(XMLCollection, MissingFileLeavesTheCollection) {
  TTestListe list;
  list.Add()->zahl = 4;
  EXPECT_FALSE(list.LoadFromFile("/nonexistent/zyn/liste.xml"));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0)->zahl, 4);
}

TEST(XMLCollection, LoadAndSaveEvents) {
  TTestListe list;
  FillSample(list);
  std::vector<std::pair<int, int>> saved;
  list.OnSaveProgress = [&saved](TXMLCollection&, int count, int index) {
    saved.emplace_back(count, index);
    throw std::runtime_error("ignored");
  };
  const std::string xml = list.GetXML();
  EXPECT_EQ(saved, (std::vector<std::pair<int, int>>{{2, 0}, {2, 1}}));

  TTestListe back;
  std::vector<std::string> loaded;
  back.OnLoad = [&loaded](TXMLCollection&, const std::string& entity) { loaded.push_back(entity); };
  back.LoadFromXML(xml);
  EXPECT_EQ(loaded, (std::vector<std::string>{"TTestListe[0]", "TTestListe[1]"}));

  TempFolder dir;
  test::WriteWholeFile(dir.File("l.xml"), xml);
  back.OnLoad = [](TXMLCollection&, const std::string&) { throw std::runtime_error("stop"); };
  EXPECT_FALSE(back.LoadFromFile(dir.File("l.xml")));
  EXPECT_EQ(back.Count(), 1);
}

TEST(XMLCollection, SaveFailureIsReportedAndLeavesNoTemporaryFile) {
  TTestListe list;
  FillSample(list);
  EXPECT_THROW(list.SaveToFile("/nonexistent/zyn/liste.xml"), EWriteError);

  TempFolder dir;
  const std::string file = dir.File("liste.xml");
  test::WriteWholeFile(file, "alt");
  list.SaveToFile(file);
  EXPECT_EQ(test::ReadWholeFile(file), list.GetXML());
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(XMLCollection, CollectionWithoutItemClassRaises) {
  TXMLCollection plain("TPlain", nullptr);
  EXPECT_THROW(plain.GetXML(), EXMLException);
  EXPECT_THROW(plain.Add(), EXMLException);
}

TEST(XMLCollection, PropertyTableIsSortedWithoutRegardToCase) {
  std::vector<std::string> names;
  for (const auto& p : TTestItem::Class().Properties()) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Aktiv", "Anzahl", "Blaetter", "Faktor", "Farbe", "Gross", "Text",
                                             "TextLang", "zahl", "Zeichen"}));
  EXPECT_EQ(TTestItem::Class().FindProperty("ZAHL")->Name, "zahl");
  EXPECT_EQ(TTestItem::Class().FindProperty("Zahlen"), nullptr);
  EXPECT_EQ(TTestItem::Class().ElementName(), "TestItem");
}

// A property behind a getter and a setter: 4 bytes kept as 8 hexadecimal digits.
class TBytesItem : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class() {
    static const TXMLItemClass cls = TXMLClassBuilder<TBytesItem>("TBytesItem")
                                         .Text("Bytes", &TBytesItem::GetBytes, &TBytesItem::SetBytes)
                                         .Integer("Anzahl", &TBytesItem::GetAnzahl, &TBytesItem::SetAnzahl)
                                         .Boolean("Leer", &TBytesItem::GetLeer, &TBytesItem::SetLeer)
                                         .Float("Mittel", &TBytesItem::GetMittel, &TBytesItem::SetMittel)
                                         .Build();
    return cls;
  }
  const TXMLItemClass& ItemClass() const override { return Class(); }
  std::string GetBytes() const {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const uint8_t b : fBytes) {
      text.push_back(kHex[b >> 4]);
      text.push_back(kHex[b & 15]);
    }
    return text;
  }
  void SetBytes(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size() && i / 2 < fBytes.size(); i += 2) {
      fBytes[i / 2] = static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16));
    }
  }
  // Derived values: setting them changes the bytes.
  int32_t GetAnzahl() const { return fBytes[0]; }
  void SetAnzahl(int32_t v) { fBytes[0] = static_cast<uint8_t>(v); }
  bool GetLeer() const { return fBytes[1] == 0; }
  void SetLeer(bool v) { fBytes[1] = v ? 0 : fBytes[1]; }
  double GetMittel() const { return fBytes[2] / 2.0; }
  void SetMittel(double v) { fBytes[2] = static_cast<uint8_t>(v * 2); }
  std::array<uint8_t, 4> fBytes{};
};

TEST(XMLCollection, GetterAndSetterProperties) {
  TXMLCollectionOf<TBytesItem> list("TBytesList");
  list.Add()->fBytes = {0x01, 0xAB, 0x00, 0xFF};
  const std::string xml = list.GetXML();
  EXPECT_NE(xml.find("  <Anzahl>1</Anzahl>\r\n  <Bytes>01AB00FF</Bytes>\r\n  <Leer>False</Leer>\r\n"
                     "  <Mittel>0</Mittel>\r\n"),
            std::string::npos);
  TXMLCollectionOf<TBytesItem> derived("TBytesList");
  derived.LoadFromXML("<BytesItem><Anzahl>7</Anzahl><Mittel>2.5</Mittel><Leer>True</Leer></BytesItem>");
  ASSERT_EQ(derived.Count(), 1);
  EXPECT_EQ(derived.Items(0)->fBytes, (std::array<uint8_t, 4>{7, 0, 5, 0}));
  TXMLCollectionOf<TBytesItem> back("TBytesList");
  back.LoadFromXML(xml);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.Items(0)->fBytes, (std::array<uint8_t, 4>{0x01, 0xAB, 0x00, 0xFF}));
}

TEST(XMLCollection, ItemIndexAndDelete) {
  TTestListe list;
  TTestItem* a = list.Add();
  TTestItem* b = list.Add();
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(list.IndexOf(a), 0);
  list.Delete(0);
  EXPECT_EQ(b->Index(), 0);
  EXPECT_EQ(list.GetItem(1), nullptr);
  EXPECT_EQ(list.GetItem(-1), nullptr);
}

}  // namespace
}  // namespace zyn
