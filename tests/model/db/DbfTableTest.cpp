// The dBase wrapper: tables we write are read back by us and by independent readers (python3
// dbfread; Perl DBD::XBase for the memo file), with umlauts, memos, dates and deleted records.

#include "model/db/DbfTable.h"

#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace zyn {
namespace {

const std::vector<TDbfField> kFields = {
    {"INDEX", TDbfFieldType::Numeric, 11, 0},  {"NUMMER", TDbfFieldType::Character, 25, 0},
    {"NAME", TDbfFieldType::Character, 75, 0}, {"NOTIZEN", TDbfFieldType::Memo, 10, 0},
    {"ANLAGEDATU", TDbfFieldType::Date, 8, 0},
};

// The system's python, where the Debian reader packages live (a user's own python may lack them).
std::string Python() { return std::system("test -x /usr/bin/python3") == 0 ? "/usr/bin/python3" : "python3"; }

bool Have(const std::string& probe) { return std::system((probe + " >/dev/null 2>&1").c_str()) == 0; }

class DbfTableTest : public ::testing::Test {
 protected:
  test::TempFolder dir{"dbf"};
  std::string file = dir.File("Kunden.dbf");
  void MakeSample() {
    TDbfTable::Create(file, kFields);
    TDbfTable t;
    t.Open(file);
    t.Insert({"1", "0", Ansi("Müller & Söhne"), Ansi("erste Zeile\r\nzweite Zeile: Straße"), "20240229"});
    t.Insert({"2", "7", "Zweiter", "", ""});
    t.Insert({"3", "3", Ansi("Dritter Größe"), std::string(1500, 'x'), "19991231"});
    t.Delete(2);
  }
};

TEST_F(DbfTableTest, WritesAndReadsBackColumnsMemosDatesAndDeletions) {
  MakeSample();
  TDbfTable t;
  t.Open(file);
  ASSERT_EQ(t.Fields().size(), kFields.size());
  EXPECT_EQ(t.Fields()[3].Type, TDbfFieldType::Memo);
  EXPECT_EQ(t.Fields()[2].Width, 75);
  EXPECT_EQ(t.RecordCount(), 3);
  const auto live = t.ReadAll();
  ASSERT_EQ(live.size(), 2u);
  EXPECT_EQ(live[0].Values[2], Ansi("Müller & Söhne"));
  EXPECT_EQ(live[0].Values[3], Ansi("erste Zeile\r\nzweite Zeile: Straße"));
  EXPECT_EQ(live[0].Values[4], "20240229");
  EXPECT_EQ(live[0].Values[0], "1");
  EXPECT_EQ(live[1].Values[3], std::string(1500, 'x'));
  EXPECT_TRUE(t.Read(2).Deleted);
  EXPECT_EQ(t.Read(2).Values[4], "");

  t.Update(1, {"1", "0", "Neu", "", "20250101"});
  EXPECT_EQ(t.Read(1).Values[3], "");
  EXPECT_EQ(t.Value(1, "name"), "Neu");
  t.Pack();
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(t.Read(2).Values[3], std::string(1500, 'x'));
  EXPECT_EQ(t.Locate("NAME", Ansi("dritter GRÖSSE"), true), 0);
  EXPECT_EQ(t.Locate("NAME", Ansi("dritter grÖße"), true), 2);
}

TEST_F(DbfTableTest, PythonDbfreadReadsTheTable) {
  if (!Have(Python() + " -c 'import dbfread'")) GTEST_SKIP() << "python3-dbfread missing";
  MakeSample();
  const std::string script = dir.File("read.py");
  std::ofstream(script)
      << "import sys, dbfread\n"
         "t = dbfread.DBF(sys.argv[1], encoding='cp1252', load=True)\n"
         "print(t.dbversion)\n"
         "print(','.join(f.name + ':' + f.type + ':' + str(f.length) for f in t.fields))\n"
         "for r in t.records: print(repr(r['NAME']), r['ANLAGEDATU'], repr(r['NOTIZEN'])[:41], r['INDEX'])\n"
         "for r in t.deleted: print('deleted', repr(r['NAME']))\n";
  const std::string out = test::CommandOutput(Python() + " " + script + " " + file);
  EXPECT_NE(out.find("dBASE IV with memo"), std::string::npos) << out;
  EXPECT_NE(out.find("INDEX:N:11,NUMMER:C:25,NAME:C:75,NOTIZEN:M:10,ANLAGEDATU:D:8"), std::string::npos) << out;
  EXPECT_NE(out.find("'Müller & Söhne' 2024-02-29 'erste Zeile\\r\\nzweite Zeile: Straße"), std::string::npos) << out;
  EXPECT_NE(out.find("'Dritter Größe' 1999-12-31 'xxxx"), std::string::npos) << out;
  EXPECT_NE(out.find("deleted 'Zweiter'"), std::string::npos) << out;
}

TEST_F(DbfTableTest, PerlXBaseReadsTheMemoFile) {
  if (!Have("perl -MXBase -e 1")) GTEST_SKIP() << "DBD::XBase missing";
  MakeSample();
  const std::string script = dir.File("read.pl");
  std::ofstream(script)
      << "use XBase; my $t = XBase->new($ARGV[0]) or die XBase->errstr;\n"
         "for my $i (0 .. $t->last_record) { my @r = $t->get_record($i, 'NAME', 'NOTIZEN');\n"
         "  print join('|', $r[0] ? 'D' : 'L', $r[1], length($r[2] // ''), substr($r[2] // '', 0, 11)), \"\\n\"; }\n";
  const std::string out = test::CommandOutput("perl " + script + " " + file);
  EXPECT_NE(out.find(Ansi("L|Müller & Söhne|33|erste Zeile")), std::string::npos) << out;
  EXPECT_NE(out.find("D|Zweiter|0|"), std::string::npos) << out;
  EXPECT_NE(out.find(Ansi("L|Dritter Größe|1500|xxxxxxxxxxx")), std::string::npos) << out;
}

TEST_F(DbfTableTest, IndexFindsKeysAndFollowsChanges) {
  MakeSample();
  TDbfTable t;
  t.Open(file);
  t.CreateIndex(dir.File("kunden.ndx"), "NUMMER");
  EXPECT_EQ(t.FindKey("3"), 3);
  EXPECT_EQ(t.FindKey("9"), 0);
  const long added = t.Insert({"4", "9", "Vierter", "", ""});
  EXPECT_EQ(t.FindKey("9"), added);
  t.Close();
  TDbfTable again;
  again.Open(file);
  again.OpenIndex(dir.File("kunden.ndx"), "NUMMER");
  EXPECT_EQ(again.FindKey("9"), added);
  EXPECT_EQ(again.Locate("NUMMER", "0", false), 1);
}

TEST_F(DbfTableTest, FailuresNameTheFile) {
  TDbfTable t;
  try {
    t.Open(dir.File("fehlt.dbf"));
    FAIL();
  } catch (const EDbfError& e) {
    EXPECT_NE(std::string(e.what()).find("fehlt.dbf"), std::string::npos);
  }
  test::WriteWholeFile(dir.File("kaputt.dbf"), "kein dBase");
  EXPECT_THROW(t.Open(dir.File("kaputt.dbf")), EDbfError);
  MakeSample();
  EXPECT_THROW(TDbfTable::Create(file, kFields), EDbfError);  // never replaced without asking
  EXPECT_THROW(TDbfTable::Create(dir.File("nicht/da/x.dbf"), kFields), EDbfError);
  t.Open(file);
  EXPECT_THROW(t.Insert({"x1", "1"}), EDbfError);  // a number column takes numbers only
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_THROW(t.Read(9), EDbfError);
}

TEST(DbfDates, DayCountsRoundTrip) {
  double d = 0;
  ASSERT_TRUE(DbfDateToDays("18991230", d));
  EXPECT_EQ(d, 0);
  ASSERT_TRUE(DbfDateToDays("20000101", d));
  EXPECT_EQ(d, 36526);
  EXPECT_EQ(DaysToDbfDate(36526.75), "20000101");
  EXPECT_EQ(DaysToDbfDate(45351), "20240229");
  for (const char* bad : {"", "2024022", "20240230", "20230229", "abcdefgh", "20241301"})
    EXPECT_FALSE(DbfDateToDays(bad, d)) << bad;
}

}  // namespace
}  // namespace zyn
