#include "model/BasisDaten.h"

#include "model/CharSet.h"
#include "model/Kanal.h"
#include "model/base/Cp1252.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zyn {
namespace {

std::unique_ptr<TModulClass> MakeClass(const std::string& name, int baseClass) {
  auto c = std::make_unique<TModulClass>();
  c->InternalName = name;
  c->DisplayName = name;
  c->ClassIdent = name;
  c->BaseClass = baseClass;
  c->EinCount = 1;
  auto d = std::make_unique<TEABeschreibung>();
  d->KanalNummer = 0;
  d->DefaultText = "Eingang 1";
  d->Funktionen = "Eingangsfunktionen Taster";
  c->Eingaenge.Add(std::move(d));
  c->ClassData[0] = 0xA5;
  return c;
}

void FillLists(TEAFunktionsContainer& c) {
  TEAFunctionList* l = c.Add();
  l->ListName = "Ausgangsfunktionen Schalter";
  l->ListNumber = 3;
  l->Remarks = Ansi("Schaltausgänge");
  const struct {
    int cmd;
    int dialog;
    const char* in;
    const char* disp;
    const char* old;
    const char* german;
  } rows[] = {
      {1, 0, "EIN", "Ein", "Allumé", "Einschalten"},
      {2, 0, "AUS", "Aus", "Eteint", "Ausschalten"},
      {5, 1, "EINZEIT", "Ein mit Zeit", "", "Einschalten mit Zeit"},
  };
  for (const auto& r : rows) {
    TEABaseFunction* f = l->AddFunction();
    f->Command = r.cmd;
    f->Dialog = r.dialog;
    f->InternalName = r.in;
    f->DisplayName = r.disp;
    f->OldName = Ansi(r.old);
    f->GermanFunc = r.german;
    f->BusParam = 7;
    f->ParaText = "Zeit;s";
  }
  c.Add()->ListName = "Eingangsfunktionen Taster";
}

TEST(BasisDaten, CatalogueRoundTripAndLookups) {
  test::TempFolder dir("basis");
  TModulClassList list;
  list.Add(MakeClass("JRM", bcRolladen));
  list.Add(MakeClass("DIM_AN", bcAnalogmodule));
  list.SaveToFile(dir.File("MODULE.ZBC"));

  TModulClassList read;
  read.LoadFromFile(dir.File("MODULE.ZBC"));
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.FindClass("dim_an"), read.GetClass(1));
  EXPECT_EQ(read.GetClass(2), nullptr);
  EXPECT_EQ(read.GetClass(-1), nullptr);
  EXPECT_EQ(read.FindClass("XYZ"), nullptr);
  EXPECT_TRUE(read.GetClass(1)->Dimmerzusatz());
  EXPECT_TRUE(read.GetClass(1)->Analogzusatz());
  EXPECT_EQ(read.GetClass(0)->ClassData[0], 0xA5);

  // Loading twice adds every class again.
  read.LoadFromFile(dir.File("MODULE.ZBC"));
  EXPECT_EQ(read.Count(), 4);

  // The bytes written again equal the file.
  TMemoryStream again;
  {
    TWriter w(again);
    list.WriteData(w);
  }
  EXPECT_EQ(again.Bytes(), ReadFileBytes(dir.File("MODULE.ZBC")));
}

TEST(BasisDaten, CatalogueIdentifierCase) {
  test::TempFolder dir("basis");
  // Both heads are identifier values (tag 7, length, the word, then list begin), as another
  // program writes them; a string value in that place, as earlier builds wrote it, still reads.
  for (auto [list, head] : {std::pair<bool, const char*>{true, "ZYNMODULKLASSEN"}, {false, "ZYNEAFUNCS"}}) {
    TMemoryStream out;
    {
      TWriter w(out);
      if (list) {
        TModulClassList classes;
        classes.WriteData(w);
      } else {
        TEAFunktionsContainer lists;
        lists.WriteFiler(w);
      }
    }
    const std::vector<uint8_t>& b = out.Bytes();
    const std::string word = head;
    ASSERT_GE(b.size(), word.size() + 3) << head;
    EXPECT_EQ(b[0], 7) << head;
    EXPECT_EQ(b[1], word.size()) << head;
    EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 2 + word.size()), word);
    EXPECT_EQ(b[2 + word.size()], 1) << head;
  }
  TMemoryStream s;
  {
    TWriter w(s);
    w.WriteIdent("zynmodulklassen");
    w.WriteListBegin();
    MakeClass("FUI", bcSonderModule)->WriteData(w);
    w.WriteListEnd();
  }
  s.SaveToFile(dir.File("lower.zbc"));
  TModulClassList read;
  read.LoadFromFile(dir.File("lower.zbc"));
  EXPECT_EQ(read.Count(), 1);

  TMemoryStream bad;
  {
    TWriter w(bad);
    w.WriteString("ZYNEAFUNCS");
    w.WriteListBegin();
    w.WriteListEnd();
  }
  bad.SaveToFile(dir.File("bad.zbc"));
  try {
    read.LoadFromFile(dir.File("bad.zbc"));
    FAIL() << "wrong identifier accepted";
  } catch (const EReadError& e) {
    EXPECT_EQ(std::string(e.what()), Ansi("Keine gültige Modulklassendatei"));
  }
  EXPECT_EQ(read.Count(), 1);
}

TEST(BasisDaten, CommandListsFilerFormAndIdentifier) {
  test::TempFolder dir("basis");
  TEAFunktionsContainer c;
  FillLists(c);
  c.SaveToFile(dir.File("funcs.bin"), false);

  // Independent check of the first bytes: tag 7, length 10, "ZYNEAFUNCS", list begin.
  std::vector<uint8_t> bytes = ReadFileBytes(dir.File("funcs.bin"));
  ASSERT_GT(bytes.size(), 13u);
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(bytes[1], 10);
  EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 12), "ZYNEAFUNCS");
  EXPECT_EQ(bytes[12], 1);

  TEAFunktionsContainer read;
  read.Add()->ListName = "schon da";
  read.LoadFromFile(dir.File("funcs.bin"), false);
  ASSERT_EQ(read.Count(), 3);  // added to those present
  const TEAFunctionList* l = read.FindList("ausgangsfunktionen schalter");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Count(), 3);
  EXPECT_EQ(l->GetFunction(2)->Dialog, 1);
  EXPECT_EQ(l->GetFunction(2)->BusParam, 7);
  EXPECT_EQ(l->GetFunction(0)->GermanFunc, "");  // not part of the filer form
  EXPECT_EQ(read.IndexOfList("Nichts"), -1);

  // An identifier that differs only in case is refused and nothing is added.
  std::vector<uint8_t> lower = bytes;
  lower[2] = 'z';
  WriteFileAtomic(dir.File("lower.bin"), lower.data(), lower.size());
  EXPECT_THROW(read.LoadFromFile(dir.File("lower.bin"), false), EReadError);
  EXPECT_EQ(read.Count(), 3);
}

TEST(BasisDaten, CommandListsXmlForm) {
  test::TempFolder dir("basis");
  TEAFunktionsContainer c;
  FillLists(c);
  c.SaveToFile(dir.File("EAFUNCS.XML"), true);
  std::ifstream in(dir.File("EAFUNCS.XML"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("<EAFunktionsContainer"), std::string::npos);
  EXPECT_NE(text.find("<EAFunctionList"), std::string::npos);
  EXPECT_NE(text.find("<EABaseFunction"), std::string::npos);
  EXPECT_EQ(text.find("<!--"), std::string::npos);

  TEAFunktionsContainer read;
  read.Add()->ListName = "wird ersetzt";
  read.LoadFromFile(dir.File("EAFUNCS.XML"), true);  // the name is looked up as ".xml" without regard to case
  ASSERT_EQ(read.Count(), 2);
  const TEAFunctionList* l = read.GetList(0);
  ASSERT_EQ(l->Count(), 3);
  EXPECT_EQ(l->GetFunction(0)->GermanFunc, "Einschalten");
  EXPECT_EQ(l->GetFunction(0)->OldName, Ansi("Allumé"));
  EXPECT_EQ(l->Remarks, Ansi("Schaltausgänge"));
}

TEST(BasisDaten, FindersAndChannelLookups) {
  TBasisDaten b;
  FillLists(b.BefehlsListen);
  TKanal k;
  k.BefehlsListe = "AUSGANGSFUNKTIONEN SCHALTER";
  const struct {
    const char* name;
    int command;
  } cases[] = {
      {"ein", 1},           // internal name, any case
      {"Ein mit Zeit", 5},  // display name
      {"ALLUME", 1},        // former accented name written with plain letters
      {"ausschalten", 2},   // German name
      {"gibt es nicht", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCommandNumber(b, k, c.name), c.command) << c.name;
  EXPECT_EQ(GetCommandDisplayName(b, k, "EINZEIT"), "Ein mit Zeit");
  EXPECT_EQ(GetCommandDisplayName(b, k, "unbekannt"), "unbekannt");
  EXPECT_EQ(GetCommandNameByNumber(b, k, 2, "?"), "Aus");
  EXPECT_EQ(GetCommandNameByNumber(b, k, 9, "?"), "?");
  EXPECT_TRUE(CommandHasDialog(b, k, "EINZEIT"));
  EXPECT_FALSE(CommandHasDialog(b, k, "EIN"));
  TCommandTexts t;
  EXPECT_TRUE(b.FindCommand("Ausgangsfunktionen Schalter", 5, t));
  EXPECT_EQ(t.InternalName, "EINZEIT");

  TKanal none;
  none.BefehlsListe = "fehlt";
  EXPECT_EQ(FindCommandNumber(b, none, "EIN"), -1);
  EXPECT_FALSE(CommandHasDialog(b, none, "EINZEIT"));
  EXPECT_EQ(FillCommandList(b, k, false), (std::vector<std::string>{"Ein", "Aus", "Ein mit Zeit"}));
}

TEST(BasisDaten, LoadReportsMissingParts) {
  test::TempFolder dir("basis");
  TBasisDaten b;
  EXPECT_FALSE(b.Load(dir.Path()));
  EXPECT_EQ(b.Problems().size(), 2u);

  TEAFunktionsContainer c;
  FillLists(c);
  c.SaveToFile(dir.File("eafuncs.xml"), true);  // other case on disk
  TBasisDaten b2;
  EXPECT_TRUE(b2.Load(dir.Path()));
  EXPECT_EQ(b2.BefehlsListen.Count(), 2);
  ASSERT_EQ(b2.Problems().size(), 1u);  // the catalogue is missing
  EXPECT_NE(b2.Problems()[0].find("MODULE.ZBC"), std::string::npos);
}

TEST(CharSet, FileFormAndEdgeCases) {
  test::TempFolder dir("basis");
  // Only list begin and list end: no set.
  const uint8_t empty[] = {0x01, 0x00};
  WriteFileAtomic(dir.File("empty.zyb"), empty, 2);
  EXPECT_TRUE(LoadCharSets(dir.File("empty.zyb")).empty());

  // Hand-made file: a 35-character lower-case name as a long string (tag 12), then 63 bytes.
  std::vector<uint8_t> f = {0x01, 0x0C, 35, 0, 0, 0};
  const std::string longName = "german" + std::string(29, 'x');
  f.insert(f.end(), longName.begin(), longName.end());
  for (int i = 0; i < 63; ++i) f.push_back(static_cast<uint8_t>(i));
  f.push_back(0x00);
  WriteFileAtomic(dir.File("chars.zyb"), f.data(), f.size());
  auto sets = LoadCharSets(dir.File("chars.zyb"));
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].Name, longName.substr(0, 30));
  EXPECT_EQ(sets[0].Chars[0][0], 0);
  EXPECT_EQ(sets[0].Chars[6][8], 62);

  // Truncated: the reader's error.
  f.resize(f.size() - 10);
  WriteFileAtomic(dir.File("short.zyb"), f.data(), f.size());
  EXPECT_THROW(LoadCharSets(dir.File("short.zyb")), EReadError);

  TZYNCharSet g;
  g.Name = "german";
  g.Chars[3][0] = 0x83;
  SaveCharSets(dir.File("w.zyb"), {g});
  auto back = LoadCharSets(dir.File("w.zyb"));
  auto found = FindCharSets(back, "GERMAN");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Chars[3][0], 0x83);
  EXPECT_EQ(ReadFileBytes(dir.File("w.zyb")).size(), 1u + 2u + 6u + 63u + 1u);
}

}  // namespace
}  // namespace zyn
