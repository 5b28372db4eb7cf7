// The rules behind the project pages: curve segments, chart geometry, curve references, the
// customer numbering, the project file name and the copy of a project record.

#include "frames/core/CurveRules.h"
#include "frames/core/ProjectTables.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "project/Projekt.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zyn {
namespace {

TEST(CurveRules, SegmentsThroughTheSetPoints) {
  std::array<uint8_t, 256> curve{};
  TSetPoints p = NoSetPoints();
  p[0] = 0;
  p[255] = 255;
  InterpolateCurve(p, curve);
  for (int j = 0; j < 256; ++j) ASSERT_EQ(curve[static_cast<size_t>(j)], j);

  curve.fill(7);
  p = NoSetPoints();
  p[0] = 0;
  p[100] = 50;
  InterpolateCurve(p, curve);
  const uint8_t expected[] = {0, 0, 1, 2, 2, 2};  // halves to the even neighbour
  for (int j = 0; j < 6; ++j) EXPECT_EQ(curve[static_cast<size_t>(j)], expected[j]) << j;
  EXPECT_EQ(curve[100], 50);
  EXPECT_EQ(curve[101], 7);  // behind the last point the bytes stay

  curve.fill(9);
  p = NoSetPoints();
  p[100] = 200;  // no point at 0: nothing changes
  InterpolateCurve(p, curve);
  EXPECT_EQ(curve[50], 9);
  p[0] = 0;
  InterpolateCurve(p, curve);
  EXPECT_EQ(curve[50], 100);
}

TEST(CurveRules, GeometryAndCursorNeverDivideByZero) {
  const TChartGeometry g = ChartGeometry(305, 315, 40, 10, 25, 35, 255, 25, 255, 25);
  EXPECT_EQ(g.Right, 295);
  EXPECT_EQ(g.Bottom, 280);
  EXPECT_DOUBLE_EQ(g.XScale, 1.0);
  EXPECT_DOUBLE_EQ(g.XGrid, 255.0 / (255.0 / 25.0));
  EXPECT_EQ(CursorPosition(g, 10), 0);
  EXPECT_EQ(CursorPosition(g, 400), 255);
  EXPECT_EQ(CursorPosition(g, 140), 100);
  EXPECT_EQ(CursorValue(g, 255, 0), 255);
  EXPECT_EQ(CursorValue(g, 255, 300), 0);
  EXPECT_EQ(CursorValue(g, 255, 25), 255);
  EXPECT_TRUE(InPlot(g, 40, 280));
  EXPECT_FALSE(InPlot(g, 39, 100));

  for (auto [xMax, xStep] : {std::pair{0.0, 0.0}, std::pair{255.0, 0.0}, std::pair{0.0, 25.0}}) {
    const TChartGeometry z = ChartGeometry(100, 100, 0, 0, 0, 0, xMax, xStep, xMax, xStep);
    EXPECT_TRUE(std::isfinite(z.XGrid) && std::isfinite(z.XScale) && std::isfinite(z.YGrid) && std::isfinite(z.YScale));
    EXPECT_EQ(CursorPosition(z, 50), xMax > 0 ? 128 : 0);
  }
}

TEST(CurveRules, ReferencesOfTheDimmers) {
  TZYNProjekt projekt;
  auto stm = std::make_unique<TSteuermodul>();
  for (int a = 0; a < 2; ++a) {
    auto m = std::make_unique<TModul>();
    m->SetAdresse(a);
    m->Dimmerzusatz = a == 0;  // only a dimmer module refers to curves
    m->DimmerDaten.LeftKennlinie = 3;
    m->DimmerDaten.RightKennlinie = 5;
    stm->Module.Add(std::move(m));
  }
  projekt.Steuermodule.Add(std::move(stm));
  EXPECT_TRUE(CurveInUse(projekt, 3));
  EXPECT_TRUE(CurveInUse(projekt, 5));
  EXPECT_FALSE(CurveInUse(projekt, 4));
  EXPECT_TRUE(CurveRemoved(projekt, 4));
  const TModul& dimmer = *projekt.Steuermodule.GetSteuermodul(0)->Module.GetModul(0);
  EXPECT_EQ(dimmer.DimmerDaten.LeftKennlinie, 3);
  EXPECT_EQ(dimmer.DimmerDaten.RightKennlinie, 4);
  EXPECT_TRUE(projekt.Modified);
  EXPECT_FALSE(CurveRemoved(projekt, 10));
}

TEST(ProjectTables, FileNameOfAProjectNumber) {
  EXPECT_EQ(ProjectFileName("/p/", "4711"), "/p/4711.zpf");
  EXPECT_EQ(ProjectFileName("/p/", "2004.01"), "/p/2004.01.zpf");  // no two numbers share a file
  EXPECT_EQ(ProjectFileName("/p/", "../a/b:c*?\"<>|\x01"), "/p/..abc.zpf");
  EXPECT_EQ(ProjectFileName("/p/", " Haus 3. "), "/p/Haus 3.zpf");
  EXPECT_EQ(ProjectFileName("/p/", "///"), "");
  EXPECT_EQ(ProjectFileName("/p/", Ansi("Müller")), "/p/" + Ansi("Müller") + ".zpf");
  EXPECT_TRUE(RecordBelongsTo("4711", "4711"));
  EXPECT_TRUE(RecordBelongsTo("haus", "HAUS.zpf"));
  EXPECT_FALSE(RecordBelongsTo("4712", "4711"));
  EXPECT_FALSE(RecordBelongsTo("", ""));
}

TEST(ProjectTables, SeedNumberingAndCopy) {
  test::TempFolder dir("tables");
  const std::string kunden = KundenTableFile(dir.Path());
  EnsureKundenTable(kunden, "ohne Kundendaten");
  EnsureKundenTable(kunden, "anders");  // an existing table stays
  EnsureProjekteTable(ProjekteTableFile(dir.Path()));
  TDbfTable k;
  k.Open(kunden);
  ASSERT_EQ(k.RecordCount(), 1);
  EXPECT_EQ(k.Read(1).Values[kdName], "ohne Kundendaten");
  EXPECT_EQ(k.Read(1).Values[kdFirma], "ohne Kundendaten");
  EXPECT_EQ(k.Read(1).Values[kdIndex], "1");
  EXPECT_EQ(HighestCustomerNumber(k) + 1, 1);

  for (const char* n : {"7", "3", "A12", ""}) {
    std::vector<std::string> v(kdColumnCount);
    v[kdNummer] = n;
    v[kdName] = "x";
    InsertRecord(k, v);
  }
  EXPECT_EQ(HighestCustomerNumber(k), 7);  // "A12" and "" are skipped
  EXPECT_EQ(k.Read(5).Values[kdIndex], "5");
  k.Delete(2);
  EXPECT_EQ(HighestCustomerNumber(k), 3);
  EXPECT_EQ(NextRecordIndex(k), 6);  // a deleted record keeps its key

  TZYNProjekt projekt;
  std::vector<std::string> p(pdColumnCount), c(kdColumnCount);
  p[pdProjektnam] = Ansi("Bürohaus");
  p[pdKundennumm] = "3";
  p[pdTermin] = "";
  p[pdNotizen] = "Notiz";
  c[kdName] = "Firma";
  c[kdFirma] = "Herr Meier";
  c[kdAnlagedatum] = "20000101";
  projekt.ProjektDaten.ZielDatum = 123;
  const TDbfRecord customer{1, false, c};
  CopyProjectRecord(TDbfRecord{1, false, p}, &customer, "Titel", projekt);
  EXPECT_EQ(projekt.ProjektDaten.ProjektName, Ansi("Bürohaus"));
  EXPECT_EQ(projekt.ProjektDaten.ZielDatum, 0);  // an empty date is no date, and the copy goes on
  EXPECT_EQ(projekt.ProjektDaten.SoftLast, "Titel");
  EXPECT_EQ(projekt.KundenDaten.KundenNr, "3");
  EXPECT_EQ(projekt.KundenDaten.FirmenName, "Firma");  // NAME is the company, FIRMA the contact
  EXPECT_EQ(projekt.KundenDaten.Ansprechpartner, "Herr Meier");
  EXPECT_EQ(projekt.KundenDaten.Angelegt, 36526);
  EXPECT_TRUE(projekt.Modified);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The two tables as the pages create them, read by the independent readers: the column lists,
// umlauts, memo texts and a deleted record.
TEST(ProjectTables, IndependentReadersSeeTheColumnsAndMemos) {
  test::TempFolder dir("readers");
  const std::string kunden = KundenTableFile(dir.Path());
  EnsureKundenTable(kunden, "ohne Kundendaten");
  TDbfTable k;
  k.Open(kunden);
  std::vector<std::string> v(kdColumnCount);
  v[kdNummer] = "1";
  v[kdName] = Ansi("Bäckerei Groß");
  v[kdKontakt3] = Ansi("Ausführung:\r\nÜbergabe im März");
  v[kdAnlagedatum] = "20240115";
  InsertRecord(k, v);
  k.Delete(1);
  k.Close();
  const std::string py = std::system("test -x /usr/bin/python3") == 0 ? "/usr/bin/python3" : "python3";
  const std::string out =
      test::CommandOutput(py +
                          " -c \"import sys, dbfread; t = dbfread.DBF(sys.argv[1], encoding='cp1252', load=True); "
                          "print(','.join(f.name + f.type for f in t.fields)); print(len(t.records), len(t.deleted)); "
                          "print(t.records[0]['NAME'], t.records[0]['ANLAGEDATU'], t.records[0]['INDEX'])\" " +
                          kunden);
  if (out.find("No module") == std::string::npos) {
    EXPECT_NE(out.find("INDEXN,NUMMERC,FIRMAC,NAMEC,STRASSEC,PLZC,ORTC,TELEFONC,FAXC,EMAILC,NOTIZENM,HOMEPAGEC,"
                       "KONTAKT1M,KONTAKT2M,KONTAKT3M,ANLAGEDATUD"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("1 1\nBäckerei Groß 2024-01-15 2"), std::string::npos) << out;
  }
  if (std::system("perl -MXBase -e 1 2>/dev/null") == 0) {
    const std::string memo = test::CommandOutput(
        "perl -MXBase -e '$t = XBase->new($ARGV[0]) or die; @r = $t->get_record(1, \"KONTAKT3\"); print $r[1]' " +
        kunden);
    EXPECT_EQ(memo, Ansi("Ausführung:\r\nÜbergabe im März"));
  }
  EnsureProjekteTable(ProjekteTableFile(dir.Path()));
  const std::string p = test::CommandOutput(
      py + " -c \"import sys, dbfread; print(','.join(f.name + f.type for f in dbfread.DBF(sys.argv[1]).fields))\" " +
      ProjekteTableFile(dir.Path()));
  if (p.find("No module") == std::string::npos)
    EXPECT_NE(p.find("INDEXN,ERSTELLTD,PROJEKTNUMC,PROJEKTNAMC,KUNDENNUMMC,AUFTRAGSDAD,TERMIND,PROJEKTLEIC,"
                     "AUSFUEHRUNC,NOTIZENM"),
              std::string::npos)
        << p;
}

}  // namespace
}  // namespace zyn
