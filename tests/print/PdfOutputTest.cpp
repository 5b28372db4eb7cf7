// A recorded document replayed into a PDF file, checked with independent readers: qpdf for the
// structure, pdffonts for the embedded fonts, pdftotext for the texts and where they stand.

#include "PrintTestSupport.h"
#include "print/GmCanvas.h"
#include "print/GmOutput.h"
#include "print/GmPageList.h"

#include <QDir>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace zyn {
namespace {

class PdfOutput : public testing::Test {
 protected:
  void SetUp() override {
    test::EnsureGuiApp();
    ASSERT_TRUE(fDir.isValid());
  }
  std::string Path(const char* name) const { return QDir(fDir.path()).filePath(name).toStdString(); }

  QTemporaryDir fDir;
};

struct TWord {
  double xMin, yMin, xMax, yMax;  // points from the page's top-left
  int page;
};

// Every word of the file with its box, from pdftotext's bounding-box output.
std::multimap<std::string, TWord> Words(const std::string& pdf) {
  const std::string html = test::RunCommand("pdftotext -bbox '" + pdf + "' -");
  std::multimap<std::string, TWord> words;
  const QRegularExpression page("<page ");
  const QRegularExpression word(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
  int pageNo = 0;
  const QString text = QString::fromStdString(html);
  qsizetype pos = 0;
  QRegularExpressionMatch m;
  while (true) {
    const qsizetype nextPage = text.indexOf(page, pos);
    m = word.match(text, pos);
    if (!m.hasMatch()) break;
    if (nextPage >= 0 && nextPage < m.capturedStart()) {
      ++pageNo;
      pos = nextPage + 1;
      continue;
    }
    words.emplace(m.captured(5).toStdString(), TWord{m.captured(1).toDouble(), m.captured(2).toDouble(),
                                                     m.captured(3).toDouble(), m.captured(4).toDouble(), pageNo});
    pos = m.capturedEnd();
  }
  return words;
}

constexpr double kMmToPt = 72.0 / 25.4;

TEST_F(PdfOutput, RecordedPagesReplayWithEmbeddedFontsAndTextsInPlace) {
  TGmPageList list;
  list.AddPage();
  TGmCanvas& c = list.Canvas();
  c.Font().Size = 12;
  c.TextOut("Anlagenbeschreibung", 20, 30);
  c.Font().Name = "Times New Roman";
  c.Font().Style = fsBold;
  c.TextOut("Steuermodul", 120, 30);
  c.Font().Name = "Courier New";
  c.Font().Style = 0;
  c.Font().Size = 10;
  c.TextOut("Ausgang", 20, 200);
  c.Font().Name = "Arial";
  c.Line(gmMillimeters, 20, 40, 190, 40);
  c.TextBox("Rechts", 1, 0, gmMillimeters, 100, 60, 190, 70, 0);
  auto* hidden = c.TextOut("Bildschirmhinweis", 20, 250);
  hidden->SetPrintable(false);
  list.Footer().SetVisible(true);
  list.Footer().CaptionCenter().SetCaption("Seite {PAGE} von {NUMPAGES}");
  for (int i = 0; i < 4; ++i) {
    list.AddPage();
    c.TextOut("Folgeseite", 20, 30);
  }

  const std::string pdf = Path("Dokumentation.pdf");
  SavePagesToPdf(list, pdf);

  int status = -1;
  const std::string check = test::RunCommand("qpdf --check '" + pdf + "' 2>&1", &status);
  EXPECT_EQ(status, 0) << check;
  EXPECT_NE(check.find("No syntax or stream encoding errors"), std::string::npos) << check;

  const std::string fonts = test::RunCommand("pdffonts '" + pdf + "'");
  for (const char* family : {"LiberationSans", "LiberationSerif-Bold", "LiberationMono"})
    EXPECT_NE(fonts.find(family), std::string::npos) << fonts;
  std::istringstream lines(fonts);
  std::string line;
  int listed = 0;
  while (std::getline(lines, line)) {
    if (line.find("Liberation") == std::string::npos) continue;
    ++listed;
    EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
  }
  EXPECT_GE(listed, 3);

  const std::string layout = test::RunCommand("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(layout.find("Anlagenbeschreibung"), std::string::npos) << layout;
  EXPECT_NE(layout.find("Seite 2 von 5"), std::string::npos) << layout;
  EXPECT_EQ(layout.find("Bildschirmhinweis"), std::string::npos) << "a screen-only object reached paper";

  const auto words = Words(pdf);
  auto expectAt = [&](const std::string& w, double xMm, double yMm, double tolPt) {
    auto it = words.find(w);
    ASSERT_NE(it, words.end()) << w;
    EXPECT_NEAR(it->second.xMin, xMm * kMmToPt, tolPt) << w;
    // The recorded point is the top of the character cell; the word box starts at or just below it.
    EXPECT_NEAR(it->second.yMin, yMm * kMmToPt, 3.0) << w;
    EXPECT_EQ(it->second.page, 1) << w;
  };
  expectAt("Anlagenbeschreibung", 20, 30, 1.0);
  expectAt("Steuermodul", 120, 30, 1.0);
  expectAt("Ausgang", 20, 200, 1.0);
  // Right-aligned in a box from 100 to 190 mm: the word ends at the box's right edge.
  auto right = words.find("Rechts");
  ASSERT_NE(right, words.end());
  EXPECT_NEAR(right->second.xMax, 190 * kMmToPt, 1.5);
  EXPECT_GT(right->second.xMin, 150 * kMmToPt);
  // Each following page has its own text and footer.
  EXPECT_EQ(words.count("Folgeseite"), 4u);
  std::vector<std::string> pageTexts;
  std::istringstream split(layout);
  for (std::string p; std::getline(split, p, '\f');) pageTexts.push_back(p);
  ASSERT_GE(pageTexts.size(), 5u);
  for (int i = 1; i <= 5; ++i)
    EXPECT_NE(pageTexts[static_cast<size_t>(i - 1)].find("Seite " + std::to_string(i) + " von 5"), std::string::npos)
        << pageTexts[static_cast<size_t>(i - 1)];
}

TEST_F(PdfOutput, AWriteThatFailsNamesTheFileAndLeavesNothing) {
  TGmPageList list;
  list.AddPage();
  const std::string pdf = Path("fehlt/Dokumentation.pdf");
  try {
    SavePagesToPdf(list, pdf);
    FAIL() << "no error";
  } catch (const EWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("Dokumentation.pdf"), std::string::npos);
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
}

}  // namespace
}  // namespace zyn
