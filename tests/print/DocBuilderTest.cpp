// The project documentation of a rich sample project, saved as PDF and read back with qpdf and
// pdftotext; the layout rules checked on the recorded text objects.

#include "DocFixture.h"
#include "PrintTestSupport.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/ZYNFunction.h"
#include "print/GmOutput.h"

#include <QDir>
#include <QRegularExpression>
#include <QString>

#include <cstring>
#include <map>
#include <optional>
#include <set>

namespace zyn {
namespace {

struct TPlaced {
  std::string Text;
  double X, Y;  // millimetres
  int Size;
  TGmColor Color;
};

// The text objects of a page, in recording order.
std::vector<TPlaced> PageTexts(const TGmPageList& list, int page) {
  std::vector<TPlaced> out;
  const TGmPage& p = *list.GetPage(page);
  for (int i = 0; i < p.Objects().Count(); ++i) {
    if (const auto* t = dynamic_cast<const TGmBaseTextObject*>(p.Objects().Item(i)))
      out.push_back({t->Text(), static_cast<double>(t->Left(gmMillimeters)), static_cast<double>(t->Top(gmMillimeters)),
                     t->Font() ? t->Font()->Size : 0, t->Font() ? t->Font()->Color : 0});
  }
  return out;
}

bool PageHas(const TGmPageList& list, int page, const std::string& text) {
  for (const TPlaced& t : PageTexts(list, page))
    if (t.Text.find(text) != std::string::npos) return true;
  return false;
}

// Every text line of the document, in order.
std::vector<std::string> AllTexts(const TGmPageList& list) {
  std::vector<std::string> out;
  for (int p = 1; p <= list.Count(); ++p)
    for (const TPlaced& t : PageTexts(list, p)) out.push_back(t.Text);
  return out;
}

class DocBuilder : public testing::Test {
 protected:
  void SetUp() override {
    test::EnsureGuiApp();
    ASSERT_TRUE(fDir.isValid());
    fData.Configure(fBuilder);
  }
  std::string Path(const char* name) const { return QDir(fDir.path()).filePath(name).toStdString(); }

  QTemporaryDir fDir;
  test::TDocProject fData;
  TGmPageList fList;
  TDocBuilder fBuilder{fList};
};

// pdftotext of one page, in UTF-8.
std::string PdfPage(const std::string& pdf, int page) {
  return test::RunCommand("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf +
                          "' -");
}

TEST_F(DocBuilder, RichProjectAsPdfNamesEveryObjectOnThePagesTheContentsGive) {
  fData.Fill(2);
  fBuilder.Build(&fData.Projekt);
  const std::string pdf = Path("doku.pdf");
  SavePagesToPdf(fList, pdf);
  int status = 0;
  const std::string check = test::RunCommand("qpdf --check '" + pdf + "' 2>&1", &status);
  EXPECT_EQ(status, 0) << check;
  const std::string info = test::RunCommand("pdfinfo '" + pdf + "'");
  EXPECT_TRUE(
      QString::fromStdString(info).contains(QRegularExpression("Pages:\\s+" + QString::number(fList.Count()) + "\\n")))
      << info;

  std::vector<std::string> pages(static_cast<size_t>(fList.Count()) + 1);
  std::string all;
  for (int p = 1; p <= fList.Count(); ++p) {
    pages[static_cast<size_t>(p)] = PdfPage(pdf, p);
    all += pages[static_cast<size_t>(p)];
  }
  auto on = [&](int page, const std::string& utf8) {
    return pages[static_cast<size_t>(page)].find(utf8) != std::string::npos;
  };

  // Every contents entry with a page number names a page that shows its title.
  const auto& contents = fBuilder.Contents();
  ASSERT_GE(contents.size(), 10u);
  int checked = 0;
  for (size_t i = 0; i + 1 < contents.size(); ++i) {
    const std::string entry = AnsiToUtf8(contents[i]);
    const size_t lastTab = entry.rfind('\t');
    if (lastTab == std::string::npos) continue;
    const int page = std::stoi(entry.substr(lastTab + 1));
    std::string title = entry.substr(0, lastTab);
    title.erase(0, title.find_first_not_of('\t'));
    title = title.substr(0, title.find('\t'));
    // The openings of control modules and displays say "... Adresse: n".
    for (const char* word : {"Steuermodul ", "Display "})
      if (title.rfind(word, 0) == 0) title = word + std::string("Adresse: ") + title.substr(strlen(word));
    ASSERT_GE(page, 1);
    ASSERT_LE(page, fList.Count());
    EXPECT_TRUE(on(page, title)) << title << " not on page " << page;
    ++checked;
  }
  EXPECT_GT(checked, 10);
  // The contents page itself lists them with their page numbers.
  const std::string own = AnsiToUtf8(contents.back());
  const std::string first = pages[static_cast<size_t>(std::stoi(own.substr(own.rfind('\t') + 1)))];
  EXPECT_NE(first.find("Inhaltsverzeichnis"), std::string::npos);
  EXPECT_TRUE(QString::fromStdString(first).contains(QRegularExpression("\\bProjektdaten\\s+2\\n")));

  // Every control module, module, channel, link, text and display of the project is printed.
  for (int s = 0; s < fData.Projekt.Steuermodule.Count(); ++s) {
    TSteuermodul& stm = *fData.Projekt.Steuermodule.GetSteuermodul(s);
    EXPECT_NE(all.find("Dokumentation zum Steuermodul Adresse: " + std::to_string(s)), std::string::npos);
    for (int m = 0; m < stm.Module.Count(); ++m) {
      TModul& modul = *stm.Module.GetModul(m);
      EXPECT_NE(all.find(AnsiToUtf8(modul.DisplayName())), std::string::npos);
      EXPECT_NE(all.find(AnsiToUtf8(modul.Bemerkungen)), std::string::npos);
      for (int i = 0; i < modul.Eingaenge().Count(); ++i) {
        TEingang& in = *modul.Eingaenge().GetItem(i);
        EXPECT_NE(all.find(AnsiToUtf8(in.DisplayName())), std::string::npos);
        for (int k = 0; k < in.Verbindungen().Count(); ++k)
          EXPECT_NE(all.find(AnsiToUtf8(in.Verbindungen().GetVerbindung(k)->GetTargetChannelText())),
                    std::string::npos);
      }
    }
    for (int u = 0; u < stm.Uhren.Count(); ++u)
      EXPECT_NE(all.find(AnsiToUtf8(stm.Uhren.GetUhr(u)->DisplayName())), std::string::npos);
    for (int f = 0; f < stm.Merker.Count(); ++f)
      EXPECT_NE(all.find(AnsiToUtf8(stm.Merker.GetMerker(f)->DisplayName())), std::string::npos);
  }
  EXPECT_NE(all.find("Alarm Küche"), std::string::npos);
  EXPECT_NE(all.find("Alle Lichter"), std::string::npos);
  EXPECT_NE(all.find("Dokumentation zum Display Adresse:"), std::string::npos);
  EXPECT_NE(all.find("Hauptbild"), std::string::npos);
  EXPECT_NE(all.find("ST00.EIN.01.02 (Eingang)"), std::string::npos);
  EXPECT_NE(all.find("\"Heizung\""), std::string::npos);
  EXPECT_EQ(all.find("Fehler: Keine Kennlinie"), std::string::npos) << "the fixture's curves exist";
  EXPECT_NE(all.find("Kennlinie für"), std::string::npos);
}

TEST_F(DocBuilder, EmptyProjectAndNoProject) {
  // No project: one empty page.
  fBuilder.Build(nullptr);
  EXPECT_EQ(fList.Count(), 1);
  EXPECT_EQ(fList.GetPage(1)->Objects().Count(), 0);
  // A project without control modules, tools and displays: cover, project data, contents.
  fBuilder.Build(&fData.Projekt);
  EXPECT_EQ(fList.Count(), 3);
  ASSERT_EQ(fBuilder.Contents().size(), 2u);
  EXPECT_EQ(fBuilder.Contents()[0], "Projektdaten\t\t\t\t2");
  EXPECT_EQ(fBuilder.Contents()[1], "\tInhaltsverzeichnis\t\t\t3");
  EXPECT_TRUE(PageHas(fList, 1, "ZYN Projektdokumentation"));
  EXPECT_TRUE(PageHas(fList, 3, "Projektdaten"));
  EXPECT_EQ(fList.CurrentPage(), 1);
}

// Every build, not only the first of a builder, gives every page one footer whose number ends at
// 190 mm, and the headers carry the date and time as the programme writes them.
TEST_F(DocBuilder, EveryPageOfEveryBuildHasOneFooterWithItsOwnNumber) {
  fData.Fill(1);
  fData.Projekt.ProjektDaten.AuftragsDatum = 46367;  // 11.12.2026
  int firstCount = 0;
  for (int build = 1; build <= 2; ++build) {
    fBuilder.Build(&fData.Projekt);
    ASSERT_GT(fList.Count(), 5);
    if (build == 1) firstCount = fList.Count();
    EXPECT_EQ(fList.Count(), firstCount);
    for (int p = 1; p <= fList.Count(); ++p) {
      int footers = 0;
      for (const TPlaced& t : PageTexts(fList, p)) {
        if (t.Text.rfind("Seite ", 0) == 0) {
          ++footers;
          EXPECT_EQ(t.Text, "Seite " + std::to_string(p));
          EXPECT_NEAR(t.Y, 276, 0.01);
          fList.Canvas().Font().Name = "Arial";
          fList.Canvas().Font().Size = 10;
          fList.Canvas().Font().Style = 0;
          const double width = static_cast<double>(fList.Canvas().TextWidth(t.Text)) * 25.4;
          EXPECT_NEAR(t.X + width, 190, 0.01) << "page " << p;
        }
      }
      EXPECT_EQ(footers, 1) << "build " << build << " page " << p;
    }
    EXPECT_TRUE(PageHas(fList, 2, "11.12.2026")) << "Druckdatum";
    EXPECT_TRUE(PageHas(fList, 2, "09:30")) << "Druckzeit";
    int orderDates = 0;
    for (const TPlaced& t : PageTexts(fList, 2)) orderDates += t.Text == "11.12.2026";
    EXPECT_EQ(orderDates, 2) << "Druckdatum and Auftragsdatum";
  }
  EXPECT_EQ(DocDate(QDate()), "");
  EXPECT_EQ(DocDate(QDate(2027, 1, 5)), "05.01.2027");
  EXPECT_EQ(DocTime(QTime(7, 5)), "07:05");
}

TEST_F(DocBuilder, ALongSectionContinuesWithTheHeaderAndItsFirstLineAt60) {
  fData.Fill(1);
  TSteuermodul& stm = *fData.Projekt.Steuermodule.GetSteuermodul(0);
  for (int f = 0; f < 60; ++f) {
    auto m = std::make_unique<TMerker>();
    m->AssignNewName(fData.Names);
    m->SetAdresse(stm.Merker.Adressen.FirstFree());
    m->SetDisplayName("Zusatzmerker " + std::to_string(f));
    stm.Merker.Add(std::move(m));
  }
  fBuilder.Build(&fData.Projekt);
  int first = 0;
  for (int p = 1; p <= fList.Count() && !first; ++p)
    if (PageHas(fList, p, "Merkerdaten")) first = p;
  ASSERT_GT(first, 0);
  // The next page carries the header (company lines, project block) and the rows from 60 mm.
  const auto texts = PageTexts(fList, first + 1);
  double topRow = 1000;
  bool company = false, projectBlock = false;
  for (const TPlaced& t : texts) {
    if (t.Text.rfind("MRK.", 0) == 0) topRow = std::min(topRow, t.Y);
    company = company || t.Text == Ansi("Elektro Schäfer GmbH");
    projectBlock = projectBlock || t.Text == "Projektnummer:";
  }
  EXPECT_NEAR(topRow, 60, 0.01);
  EXPECT_TRUE(company);
  EXPECT_TRUE(projectBlock);
  // No row stands below the page-break line.
  for (int p = 1; p <= fList.Count(); ++p) {
    for (const TPlaced& t : PageTexts(fList, p)) {
      if (t.Text.rfind("MRK.", 0) == 0) {
        EXPECT_LT(t.Y, 270);
      }
    }
  }
}

TEST_F(DocBuilder, LinkBlocksJoinConditionsByTheirPrintedPosition) {
  TSteuermodul* stm = fData.Projekt.Steuermodule.Add(std::make_unique<TSteuermodul>());
  stm->AssignNewName(fData.Names);
  TUhr* uhr = nullptr;
  {
    auto u = std::make_unique<TUhr>();
    u->AssignNewName(fData.Names);
    u->SetDisplayName("Morgens");
    uhr = stm->Uhren.Add(std::move(u));
  }
  auto addLink = [&](int kind, bool orFlag, std::initializer_list<int> entries) {
    auto link = std::make_unique<TVerbindung>();
    link->SetKind(kind);
    link->SetLogicOr(orFlag);
    for (int e : entries) {
      TLogicEntry entry = link->Logic(e);
      entry.SetLogicCode("AUS");
      entry.SetModulAdresse(3);
      entry.SetKanalNummer(e);
      entry.SetLogicState(e % 2);
    }
    uhr->Verbindungen().Add(std::move(link));
  };
  addLink(0, false, {});      // plain: WENN, DANN
  addLink(1, true, {1, 4});   // OR, entry 0 empty: UND then ODER
  addLink(2, false, {0, 7});  // AND with else: UND, UND, SONST
  addLink(7, false, {});      // an unknown kind prints WENN and DANN
  fBuilder.Build(&fData.Projekt);
  std::vector<std::string> words;
  for (const std::string& t : AllTexts(fList))
    if (t == "WENN" || t == "UND" || t == "ODER" || t == "DANN" || t == "SONST") words.push_back(t);
  const std::vector<std::string> expected = {"WENN", "DANN", "WENN", "UND",   "ODER", "DANN", "WENN",
                                             "UND",  "UND",  "DANN", "SONST", "WENN", "DANN"};
  EXPECT_EQ(words, expected);
  const auto all = AllTexts(fList);
  EXPECT_NE(std::find(all.begin(), all.end(), "ST00.AUS.03.04:AUS"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "ST00.AUS.03.07:EIN"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "Uhr: UHR.00.00-Morgens"), all.end());
}

TEST_F(DocBuilder, BadCurveIndexesPrintTheErrorAndTheModuleDataGoesOn) {
  fData.Fill(1);
  TSteuermodul& stm = *fData.Projekt.Steuermodule.GetSteuermodul(0);
  TModul* dimmer = nullptr;
  for (int m = 0; m < stm.Module.Count(); ++m)
    if (stm.Module.GetModul(m)->Dimmerzusatz) dimmer = stm.Module.GetModul(m);
  ASSERT_NE(dimmer, nullptr);
  struct TCase {
    int left, right, errors;
  };
  for (const TCase c : {TCase{0, 1, 0}, TCase{-1, 1, 1}, TCase{0, 99, 1}, TCase{-5, 3, 2}}) {
    dimmer->DimmerDaten.LeftKennlinie = c.left;
    dimmer->DimmerDaten.RightKennlinie = c.right;
    fBuilder.Build(&fData.Projekt);
    int errors = 0, notes = 0;
    for (int p = 1; p <= fList.Count(); ++p)
      for (const TPlaced& t : PageTexts(fList, p)) {
        if (t.Text == "Fehler: Keine Kennlinie angegeben!") {
          ++errors;
          EXPECT_EQ(t.Color, 0x0000FFu);
        }
        if (t.Text == "Notizen und Hinweise zum Modul") ++notes;
      }
    EXPECT_EQ(errors, dimmer->Ausgaenge().Count() > 1 ? c.errors : std::min(c.errors, 1)) << c.left << "/" << c.right;
    EXPECT_EQ(notes, stm.Module.Count()) << "every module keeps its notes";
  }
}

TEST_F(DocBuilder, LabelValuesAreCutAndTheContentsStopsAreFixed) {
  fData.Fill(1);
  fData.Projekt.ProjektDaten.ProjektName = std::string(300, 'x');
  fBuilder.Build(&fData.Projekt);
  bool cut = false;
  for (const TPlaced& t : PageTexts(fList, 2)) cut = cut || t.Text == std::string(255, 'x');
  EXPECT_TRUE(cut);
  // The contents page puts section entries at 20 mm, headers at 30, sub-titles at 40 and the page
  // numbers at 180 mm.
  int contentsPage = 0;
  for (int p = fList.Count(); p >= 1 && !contentsPage; --p)
    if (PageHas(fList, p, "Inhaltsverzeichnis")) contentsPage = p;
  std::set<long> columns;
  for (int p = contentsPage; p <= fList.Count(); ++p)
    for (const TPlaced& t : PageTexts(fList, p))
      if (t.Y >= 70 && t.Y < 270 && !t.Text.empty()) columns.insert(std::lround(t.X));
  for (long x : columns) EXPECT_TRUE(x == 20 || x == 30 || x == 35 || x == 40 || x == 180) << x;
  EXPECT_TRUE(columns.count(180));
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

std::unique_ptr<TZYNFunction> MakeTool(TUniqueNames& names, const std::string& name, const std::string& level,
                                       const std::string& nodeText) {
  auto tool = std::make_unique<TZYNFunction>();
  tool->InternalName = names.NewName();
  tool->Info.FunctionName = name;
  if (!level.empty()) tool->Info.Ebene.SetText(level);
  auto node = std::make_unique<TFuncNode>();
  node->NodeText = nodeText;
  tool->Nodes.Add(std::move(node));
  return tool;
}

std::optional<TPlaced> FindText(const TGmPageList& list, const std::string& text, int* page = nullptr) {
  for (int p = 1; p <= list.Count(); ++p)
    for (const TPlaced& t : PageTexts(list, p))
      if (t.Text == text) {
        if (page) *page = p;
        return t;
      }
  return std::nullopt;
}

TEST_F(DocBuilder, ToolTreesOfAControlModuleAndAcrossModules) {
  fData.Fill(2);
  auto zentral = MakeTool(fData.Names, "Zentral aus", "Erdgeschoss", "Zentraltaster");
  const std::string key = zentral->InternalName;
  fData.Projekt.Tools.Add(key, std::move(zentral));
  auto licht = MakeTool(fData.Names, "Licht Keller", "Keller", "Bewegungsmelder");
  const std::string key2 = licht->InternalName;
  fData.Projekt.Steuermodule.GetSteuermodul(0)->Tools.Add(key2, std::move(licht));
  fBuilder.Build(&fData.Projekt);

  // Levels at 20 mm in bold, tools at 25 mm in bold, their nodes (two below the level) at 35 mm.
  const auto level = FindText(fList, "Funktionen der Ebene: Erdgeschoss");
  ASSERT_TRUE(level);
  EXPECT_NEAR(level->X, 20, 0.01);
  const auto tool = FindText(fList, "Zentral aus");
  ASSERT_TRUE(tool);
  EXPECT_NEAR(tool->X, 25, 0.01);
  const auto node = FindText(fList, "Zentraltaster");
  ASSERT_TRUE(node);
  EXPECT_NEAR(node->X, 35, 0.01);
  EXPECT_GT(node->Y, tool->Y);
  // Only the control module with tools has a template-programming section.
  int basis = 0;
  for (const std::string& e : fBuilder.Contents()) basis += e.find("Basisprogrammierung") != std::string::npos;
  EXPECT_EQ(basis, 1);
  // "Übergreifend" stands alone in the contents, followed by its header's entry.
  const auto& c = fBuilder.Contents();
  const auto at = std::find(c.begin(), c.end(), Ansi("Übergreifend"));
  ASSERT_NE(at, c.end());
  ASSERT_NE(at + 1, c.end());
  EXPECT_EQ((at + 1)->rfind(Ansi("\tÜbergreifende Funktionen\t\t\t"), 0), 0u);
  // The contents page places level entries on its own stop at 35 mm.
  int contentsPage = 0;
  FindText(fList, "Inhaltsverzeichnis", &contentsPage);
  bool levelEntry = false;
  for (int p = contentsPage; p <= fList.Count(); ++p)
    for (const TPlaced& t : PageTexts(fList, p))
      if (t.Text == "Funktionen der Ebene: Keller" && t.Y > 70) levelEntry = std::abs(t.X - 35) < 0.01;
  EXPECT_TRUE(levelEntry);
}

TEST_F(DocBuilder, DisplayScreensKeysAndAssignments) {
  fData.Fill(1);
  TDisplayObjekt& d = fData.Projekt.DisplayProjekt()[0];
  TBildschirm& screen = d.Bildschirme[0];
  screen.DefaultButtons.EineZeile = 0;  // two rows of labels
  screen.DefaultButtons[0].Label2->Text = "Seite";
  auto dead = std::make_unique<TFunktButton>("F2");
  dead->Label1->Text = "Tot";
  dead->Funktion.Funktion = fkSprung;
  dead->Funktion.ZielBildschirm = "gibt_es_nicht";
  screen.DefaultButtons.Add(std::move(dead));
  // A text linked to an output after a linked text: it says its own assignment.
  auto out = std::make_unique<TText>();
  out->Text = "Pumpe";
  out->Link->KanalTyp = TKanalTyp::otAusgang;
  out->Link->ModulKennung = "AUS";
  out->Link->ModulAdresse = 4;
  out->Link->Kanal = 7;
  screen.Objekte.Add("t2", std::move(out));
  auto unknown = std::make_unique<TText>();
  unknown->Text = "Alt";
  unknown->Link->KanalTyp = TKanalTyp::otUnknown;
  screen.Objekte.Add("t3", std::move(unknown));
  fBuilder.Build(&fData.Projekt);

  int page = 0;
  ASSERT_TRUE(FindText(fList, "Hauptbild", &page));
  const auto texts = PageTexts(fList, page);
  std::vector<std::string> lines;
  for (const TPlaced& t : texts) lines.push_back(t.Text);
  auto has = [&](const std::string& s) { return std::find(lines.begin(), lines.end(), s) != lines.end(); };
  EXPECT_TRUE(has(" ST00.EIN.01.02 (Eingang)"));
  EXPECT_TRUE(has(" ST00.AUS.04.07 (Ausgang)"));
  EXPECT_TRUE(has(" keine Zuordnung"));
  EXPECT_TRUE(has("\"Heizung\""));
  EXPECT_TRUE(has("(kein Sprungziel)"));
  // The objects are numbered by their place in the screen, in the picture and in the model.
  EXPECT_TRUE(has("Objektindex 4:"));
  EXPECT_EQ(screen.Objekte[4].Index, 4);
  // Row mode 0: the two label rows of F1 stand one character row apart ("W" of "Weiter" above
  // the "S" of "Seite").
  const TPlaced *w = nullptr, *s = nullptr;
  for (const TPlaced& t : texts) {
    if (t.Text == "W" && !w) w = &t;
    if (t.Text == "S" && t.X < 30 && !s) s = &t;
  }
  ASSERT_NE(w, nullptr);
  ASSERT_NE(s, nullptr);
  EXPECT_NEAR(s->Y - w->Y, 6.25, 0.01);
  EXPECT_NEAR(s->X, w->X, 0.01);
  // A second display screen starts its own page; the statistics of the display stand at 220 mm.
  int second = 0;
  FindText(fList, "Heizung", &second);
  EXPECT_EQ(second, page + 1);
  // With more than 16 state pairs the notes are left out; the statistics still start at 220 mm,
  // on a page of their own when the pairs reach below it.
  for (int i = 0; i < 30; ++i) d.ZustandsListe.Add("an " + std::to_string(i), "aus " + std::to_string(i));
  fBuilder.Build(&fData.Projekt);
  int dataPage = 0, statsPage = 0;
  ASSERT_TRUE(FindText(fList, "Displaydaten", &dataPage));
  for (int p = dataPage; p <= dataPage + 1; ++p)
    for (const TPlaced& t : PageTexts(fList, p)) {
      EXPECT_NE(t.Text, "Display im Flur");
      if (t.Text == "Statistik") {
        statsPage = p;
        EXPECT_NEAR(t.Y, 220, 0.01);
      }
    }
  EXPECT_EQ(statsPage, dataPage + 1);
  for (const TPlaced& t : PageTexts(fList, dataPage)) {
    if (t.Text.rfind("aus ", 0) == 0) {
      EXPECT_LT(t.Y, 270);
    }
  }
}

TEST_F(DocBuilder, HeaderLogoReplacesTheCompanyLines) {
  QTemporaryDir system;
  QImage logo(192, 96, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  ASSERT_TRUE(logo.save(system.filePath("logo2.bmp"), "BMP"));
  ASSERT_TRUE(logo.save(system.filePath("Logo1.bmp"), "BMP"));
  fBuilder.SystemPath = system.path().toStdString() + "/";
  fData.Fill(1);
  fBuilder.Build(&fData.Projekt);
  // No company lines in the headers, a picture on every header page and on the cover.
  EXPECT_FALSE(FindText(fList, Ansi("Elektro Schäfer GmbH")));
  for (int p = 1; p <= fList.Count(); ++p) {
    int pictures = 0;
    for (const auto& o : fList.GetPage(p)->Objects().Items()) pictures += o->ObjectType() == gmGraphicObject;
    EXPECT_GE(pictures, 1) << "page " << p;
  }
}

}  // namespace
}  // namespace zyn
