#include "visu/DispatcherList.h"

#include "VisuTestUtil.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::Bytes;
using test::Raw;

const char kHeader[] =
    "<?xml version = \"1.0\" standalone = \"yes\"?>\n"
    "<!-- ZYN- Visualisierung - Liste der zu visualisierenden Kanaele -->\n"
    "<!DOCTYPE XMLDispatcherObjectList [\n"
    "<!ELEMENT XMLDispatcherObjectList (XMLDispatcherObject*) >\n"
    "<!ELEMENT XMLDispatcherObject (Steuermodul, Modul, Kanal, KanalArt, KanalName) >\n"
    "<!ELEMENT Steuermodul (#PCDATA) >\n"
    "<!ELEMENT Modul (#PCDATA) >\n"
    "<!ELEMENT Kanal (#PCDATA) >\n"
    "<!ELEMENT KanalArt (#PCDATA) >\n"
    "<!ELEMENT KanalName (#PCDATA) >\n"
    "]>\n\r\n";

void AddEntry(TXMLDispatcherObjectList& list, int s, int m, int k, int art, std::string name, std::string internal) {
  list.Add(
      std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{s, m, k, art, std::move(name), std::move(internal)}));
}

TEST(DispatcherList, BinaryFormOfOneEntry) {
  TXMLDispatcherObjectList list;
  AddEntry(list, 1, 69, 3, 2, "Licht", "01012026_120000_7");
  TMemoryStream ms;
  {
    TWriter w(ms);
    list.WriteData(w);
  }
  Raw r;
  r.u8(1).ival8(1).ival8(69).ival8(3).ival8(2).sval("Licht").sval("01012026_120000_7").u8(0);
  EXPECT_EQ(ms.Bytes(), r.b);

  TXMLDispatcherObjectList back;
  AddEntry(back, 0, 0, 0, 0, "schon da", "a");
  ms.SetPosition(0);
  TReader reader(ms);
  back.ReadData(reader);
  ASSERT_EQ(back.Count(), 2);  // reading appends
  EXPECT_EQ(back.Item(1), list.Item(0));
}

TEST(DispatcherList, IndexOfInternalNameCountsCase) {
  TXMLDispatcherObjectList list;
  AddEntry(list, 0, 1, 1, 1, "a", "Name_1");
  AddEntry(list, 0, 1, 2, 1, "b", "Name_2");
  AddEntry(list, 0, 1, 3, 1, "c", "Name_2");
  EXPECT_EQ(list.IndexOfInternalName("Name_2"), 1);
  EXPECT_EQ(list.IndexOfInternalName("name_2"), -1);
  EXPECT_EQ(list.IndexOfInternalName(""), -1);
}

TEST(DispatcherList, EmptyListFile) {
  TXMLDispatcherObjectList list;
  EXPECT_EQ(list.GetXML(), std::string(kHeader) + "<XMLDispatcherObjectList>\n\n</XMLDispatcherObjectList>\r\n");
  test::TempFolder dir("dol_empty");
  const auto file = dir.Dir() / "ZYNVisu.dol";
  list.WriteXML(file.string());
  EXPECT_TRUE(test::XmllintAccepts(file));
  TXMLDispatcherObjectList back;
  back.ReadXML(file.string());
  EXPECT_EQ(back.Count(), 0);
}

TEST(DispatcherList, FileWritesNamesAsTheyAreAndReadsThemUpperCasedUpToALessThanSign) {
  TXMLDispatcherObjectList list;
  AddEntry(list, 1, 69, 3, 2, "Licht", "x");
  AddEntry(list, 0, -1, 12, 5, Ansi("Küche <EG> & Flur"), "y");
  AddEntry(list, 3, 255, 0, 1, "Zeile\neins\tzwei", "z");
  const std::string entry1 =
      "  <XMLDispatcherObject>\n"
      "    <Steuermodul>1</Steuermodul>\n"
      "    <Modul>69</Modul>\n"
      "    <Kanal>3</Kanal>\n"
      "    <KanalArt>2</KanalArt>\n"
      "    <KanalName>Licht</KanalName>\n"
      "  </XMLDispatcherObject>\n\n";
  EXPECT_EQ(list.Item(0).GetXML(), entry1);
  EXPECT_NE(list.GetXML().find("<Modul>-1</Modul>"), std::string::npos);
  // Windows-1252 bytes and markup characters as they are; a line break would end the line.
  EXPECT_NE(list.GetXML().find("<KanalName>K\xFC" "che <EG> & Flur</KanalName>\n"), std::string::npos);
  EXPECT_NE(list.GetXML().find("<KanalName>Zeile eins zwei</KanalName>\n"), std::string::npos);

  test::TempFolder dir("dol");
  const auto file = dir.Dir() / "ZYNVisu.dol";
  list.WriteXML(file.string());
  EXPECT_EQ(test::ReadWholeFile(file), list.GetXML());

  TXMLDispatcherObjectList back;
  back.ReadXML(file.string());
  ASSERT_EQ(back.Count(), 3);
  const std::string names[3] = {"LICHT", "K\xFC" "CHE ", "ZEILE EINS ZWEI"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(back.Item(i).Steuermodul, list.Item(i).Steuermodul);
    EXPECT_EQ(back.Item(i).Modul, list.Item(i).Modul);
    EXPECT_EQ(back.Item(i).Kanal, list.Item(i).Kanal);
    EXPECT_EQ(back.Item(i).KanalArt, list.Item(i).KanalArt);
    EXPECT_EQ(back.Item(i).KanalName, names[i]) << i;
    EXPECT_EQ(back.Item(i).InternalName, "");  // not in the file
  }
}

TEST(DispatcherList, ReadsFilesOfOtherWritersLeniently) {
  // Other letter case of the tags, CRLF lines, unknown tags and a stray '&'.
  const std::string text =
      "<?xml version=\"1.0\"?>\r\n<!DOCTYPE x [\r\n]>\r\n<xmldispatcherobjectlist>\r\n"
      "  <XMLDISPATCHEROBJECT>\r\n    <STEUERMODUL> 2 </STEUERMODUL>\r\n    <Farbe>rot</Farbe>\r\n"
      "    <kanalname>R&D Licht</kanalname>\r\n    <Modul>+7</Modul>\r\n  </xmldispatcherobject>\r\n"
      "</xmldispatcherobjectlist>\r\n";
  TXMLDispatcherObjectList list;
  list.ParseXML(text);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0).Steuermodul, 2);
  EXPECT_EQ(list.Item(0).Modul, 7);
  EXPECT_EQ(list.Item(0).KanalName, "R&D LICHT");
}

TEST(DispatcherList, ANumberThatIsNoIntegerFailsAndKeepsTheEntriesBefore) {
  TXMLDispatcherObjectList good;
  AddEntry(good, 1, 2, 3, 1, "a", "");
  std::string text = good.GetXML();
  const std::string bad = "  <XMLDispatcherObject>\n    <Kanal>drei</Kanal>\n  </XMLDispatcherObject>\n";
  text.insert(text.find("</XMLDispatcherObjectList>"), bad);
  TXMLDispatcherObjectList list;
  EXPECT_THROW(list.ParseXML(text), EReadError);
  EXPECT_GE(list.Count(), 1);
  EXPECT_EQ(list.Item(0).KanalName, "A");  // names come back upper-cased
  for (const char* v : {"", "-", "1x", "99999999999", "0x10"}) {
    TXMLDispatcherObjectList l;
    EXPECT_THROW(l.ParseXML("]>\n<XMLDispatcherObject>\n<Modul>" + std::string(v) + "</Modul>\n"), EReadError) << v;
  }
}

TEST(DispatcherList, MissingFileIsAReadError) {
  TXMLDispatcherObjectList list;
  EXPECT_THROW(list.ReadXML("/nonexistent/folder/ZYNVisu.dol"), EReadError);
  EXPECT_THROW(list.WriteXML("/nonexistent/folder/ZYNVisu.dol"), EWriteError);
}

}  // namespace
}  // namespace zyn
