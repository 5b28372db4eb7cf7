#include "model/base/Translator.h"

#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class Translation : public ::testing::Test {
 protected:
  void SetUp() override { GLanguageFile.reset(); }
  void TearDown() override { GLanguageFile.reset(); }

  // Writes a language file of (native, translated) rows and loads it.
  void LoadTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    TLanguageContainer table;
    for (const auto& [native, translated] : rows) {
      TLanguageEntry* e = table.Add();
      e->Native = native;
      e->Translated = translated;
      e->SourceType = stForm;
      e->IsTranslated = !translated.empty();
    }
    table.SaveToFile(file);
    LoadLanguageFile(file);
  }

  test::TempFolder dir;
  std::string file = dir.File("LANGUAGE.TXML");
};

TEST_F(Translation, WithoutLanguageFileEveryTextStays) {
  LoadLanguageFile(dir.File("fehlt.TXML"));
  EXPECT_EQ(GLanguageFile, nullptr);
  EXPECT_EQ(TranslateText(" &Einstellungen "), " &Einstellungen ");
  EXPECT_EQ(TranslateText(""), "");
}

TEST_F(Translation, LooksUpTheFirstExactEntry) {
  LoadTable({{"Ein", "   "},
             {"Aus", "Off"},
             {"Aus", "Second"},
             {Ansi("Löschen"), Ansi("Löschen (fr)")},
             {"Zeile", " line "},
             {"Leer", ""}});
  ASSERT_NE(GLanguageFile, nullptr);
  EXPECT_EQ(GLanguageFile->Count(), 6);
  EXPECT_FALSE(GLanguageFile->Modified());
  EXPECT_TRUE(test::XmllintAccepts(file));

  EXPECT_EQ(TranslateText("Ein"), "Ein");    // blank translation keeps the German text
  EXPECT_EQ(TranslateText("Aus"), "Off");    // the first match wins
  EXPECT_EQ(TranslateText("aus"), "aus");    // case counts
  EXPECT_EQ(TranslateText(" Aus"), " Aus");  // blanks count, the text is not trimmed
  EXPECT_EQ(TranslateText(Ansi("Löschen")), Ansi("Löschen (fr)"));
  EXPECT_EQ(TranslateText("Zeile"), "line");  // values lose surrounding blanks in the file
  EXPECT_EQ(TranslateText("Leer"), "Leer");
  EXPECT_EQ(TranslateText("Unbekannt"), "Unbekannt");

  std::vector<std::string> lines = {"Aus", "Ein", " Aus"};
  TranslateStrings(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"Off", "Ein", " Aus"}));

  EXPECT_EQ(GLanguageFile->IndexOfNative("Aus"), 1);
  EXPECT_EQ(GLanguageFile->IndexOfNative("nichts"), -1);
  EXPECT_EQ(GLanguageFile->GetEntry(6), nullptr);
  EXPECT_EQ(GLanguageFile->GetEntry(0)->SourceType, stForm);
}

TEST_F(Translation, FileLayoutCarriesAllSevenFields) {
  LoadTable({{"Ja", "Yes"}});
  const std::string text = test::ReadWholeFile(file);
  EXPECT_NE(text.find("<!-- ZYN Sprachwerkzeug - Translation file V1.0 -->\r\n"), std::string::npos);
  EXPECT_NE(text.find("    <!ELEMENT LanguageEntry (DontTranslate,Identifier,IsTranslated,Native,Section,"
                      "SourceType,Translated) >\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("  <SourceType>stForm</SourceType>\r\n"), std::string::npos);
  EXPECT_NE(text.find("<LanguageContainer>\r\n  <LanguageEntry>\r\n"), std::string::npos);
}

TEST_F(Translation, MalformedFileLeavesTheProgrammeUntranslated) {
  test::WriteWholeFile(file,
                       "<LanguageEntry><Native>Ja</Native><Translated>Yes</Translated>"
                       "<SourceType>x</SourceType><IsTranslated>True</IsTranslated></LanguageEntry>");
  LoadLanguageFile(file);
  ASSERT_NE(GLanguageFile, nullptr);  // an unknown value name is no error
  EXPECT_EQ(TranslateText("Ja"), "Yes");

  LoadLanguageFile(dir.File("fehlt.TXML"));  // the earlier table is freed
  EXPECT_EQ(GLanguageFile, nullptr);
  EXPECT_EQ(TranslateText("Ja"), "Ja");
}

}  // namespace
}  // namespace zyn
