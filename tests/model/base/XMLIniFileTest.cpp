#include "model/base/XMLIniFile.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class IniFile : public ::testing::Test {
 protected:
  test::TempFolder dir;
  std::string file = dir.File("visu.xml");
};

TEST_F(IniFile, WritesTheCollectionLayoutAndReadsItBack) {
  {
    TXMLIniFile ini(file);
    ini.WriteString("Allgemein", "Titel", "Haus 1");
    ini.WriteInteger("Allgemein", "Count", 3);
    ini.WriteBool("Fenster", "Maximiert", true);
    ini.WriteFloat("Fenster", "Zoom", 1.25);
  }
  const std::string text = test::ReadWholeFile(file);
  EXPECT_TRUE(test::XmllintAccepts(file));
  EXPECT_NE(text.find("  <!DOCTYPE SectionCollection [\r\n"
                      "    <!ELEMENT SectionCollection (SectionCollectionItem*) >\r\n"
                      "    <!ELEMENT SectionCollectionItem (SectionData,SectionName) >\r\n"
                      "    <!ELEMENT SectionData (DataCollectionItem*)>\r\n"
                      "    <!ELEMENT DataCollectionItem (Ident,Value) >\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("  <Ident>Zoom</Ident>\r\n  <Value>1&#x2E;25</Value>\r\n"), std::string::npos);

  TXMLIniFile ini(file);
  EXPECT_EQ(ini.ReadString("Allgemein", "Titel", ""), "Haus 1");
  EXPECT_EQ(ini.ReadInteger("Allgemein", "Count", 0), 3);
  EXPECT_TRUE(ini.ReadBool("Fenster", "Maximiert", false));
  EXPECT_EQ(ini.ReadFloat("Fenster", "Zoom", 0), 1.25);
  std::vector<std::string> list;
  ini.ReadSections(list);
  EXPECT_EQ(list, (std::vector<std::string>{"Allgemein", "Fenster"}));
  ini.ReadSection("Allgemein", list);
  EXPECT_EQ(list, (std::vector<std::string>{"Titel", "Count"}));
  ini.ReadSectionValues("Allgemein", list);
  EXPECT_EQ(list, (std::vector<std::string>{"Haus 1", "3"}));
}

TEST_F(IniFile, ReadingAMissingKeyChangesNothing) {
  { TXMLIniFile(file).WriteString("A", "x", "1"); }
  const std::string before = test::ReadWholeFile(file);
  {
    TXMLIniFile ini(file);
    EXPECT_EQ(ini.ReadString("A", "y", "vorgabe"), "vorgabe");
    EXPECT_EQ(ini.ReadString("B", "x", "vorgabe"), "vorgabe");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_FALSE(ini.ValueExists("A", "y"));
  }
  EXPECT_EQ(test::ReadWholeFile(file), before);
}

TEST_F(IniFile, NamesCompareExactlyAndKeysStayUnique) {
  TXMLIniFile ini(file);
  ini.WriteString("Options", "Count", "1");
  ini.WriteString("Options", "Count", "2");
  ini.WriteString("options", "Count", "3");
  ini.WriteString("Options", "count", "4");
  std::vector<std::string> list;
  ini.ReadSections(list);
  EXPECT_EQ(list, (std::vector<std::string>{"Options", "options"}));
  ini.ReadSection("Options", list);
  EXPECT_EQ(list, (std::vector<std::string>{"Count", "count"}));
  EXPECT_EQ(ini.ReadString("Options", "Count", ""), "2");
  EXPECT_EQ(ini.ReadString("options", "Count", ""), "3");
}

TEST_F(IniFile, LineBreaksSurviveSurroundingBlanksDoNot) {
  {
    TXMLIniFile ini(file);
    ini.WriteString("Log", "Text", "Zeile 1\r\nZeile 2");
    ini.WriteString("Log", "Rand", "  innen  ");
    ini.WriteString("Log", "Sonder", "<a & b>");
  }
  TXMLIniFile ini(file);
  EXPECT_EQ(ini.ReadString("Log", "Text", ""), "Zeile 1\r\nZeile 2");
  EXPECT_EQ(ini.ReadString("Log", "Rand", ""), "innen");
  EXPECT_EQ(ini.ReadString("Log", "Sonder", ""), "<a & b>");
}

TEST_F(IniFile, TypedReadsFollowTheTextForms) {
  TXMLIniFile ini(file);
  const struct {
    const char* text;
    int32_t number;
    bool flag;
  } cases[] = {{"12", 12, true},   {"0", 0, false},   {"-3", -3, true}, {"0x1F", 31, true},
               {"0X10", 16, true}, {"abc", -7, true}, {"", -7, true},   {"2.5", -7, true}};
  for (const auto& c : cases) {
    ini.WriteString("T", "v", c.text);
    EXPECT_EQ(ini.ReadInteger("T", "v", -7), c.number) << c.text;
    EXPECT_EQ(ini.ReadBool("T", "v", true), c.flag) << c.text;
  }
  ini.WriteString("T", "v", "nein");
  EXPECT_FALSE(ini.ReadBool("T", "v", false));
  ini.WriteBool("T", "b", false);
  EXPECT_EQ(ini.ReadString("T", "b", ""), "0");
  ini.WriteString("T", "f", "2,5");
  EXPECT_EQ(ini.ReadFloat("T", "f", 0), 2.5);
  EXPECT_EQ(ini.ReadFloat("T", "x", 9.5), 9.5);
}

TEST_F(IniFile, EraseSectionAndDeleteKey) {
  TXMLIniFile ini(file);
  ini.WriteString("A", "1", "a");
  ini.WriteString("A", "2", "b");
  ini.WriteString("B", "1", "c");
  ini.DeleteKey("A", "1");
  ini.DeleteKey("A", "fehlt");
  ini.DeleteKey("C", "1");
  ini.EraseSection("B");
  ini.EraseSection("C");
  std::vector<std::string> list;
  ini.ReadSections(list);
  EXPECT_EQ(list, (std::vector<std::string>{"A"}));
  ini.ReadSection("A", list);
  EXPECT_EQ(list, (std::vector<std::string>{"2"}));
  ini.ReadSection("B", list);
  EXPECT_TRUE(list.empty());
  ini.ReadSectionValues("B", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(IniFile, UpdateFileReportsAFailure) {
  TXMLIniFile ini("/nonexistent/zyn/visu.xml");
  ini.WriteString("A", "x", "1");
  EXPECT_THROW(ini.UpdateFile(), EWriteError);
}

}  // namespace
}  // namespace zyn
