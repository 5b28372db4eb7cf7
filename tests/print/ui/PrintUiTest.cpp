// Printing and previewing the documentation: the sheet mapping and the print loop into PDF files
// (checked with qpdf and pdftotext), cancelling, the preview's zoom and navigation, the thumbnail
// strip, and the documentation page with its golden pictures.

#include "model/base/ZYNOptionen.h"
#include "print/ui/FrPrintVorschau.h"
#include "print/ui/GmPreview.h"
#include "print/ui/GmThumbnails.h"
#include "tests/print/DocFixture.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace zyn {
namespace {

std::string Pdftotext(const std::string& pdf, int page = 0) {
  const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return test::RunCommand("pdftotext -layout" + range + " '" + pdf + "' -");
}
int PdfPages(const std::string& pdf) {
  const std::string info = test::RunCommand("pdfinfo '" + pdf + "'");
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// A document of n pages, each saying "Blatt i" at the top left.
void FillPages(TGmPageList& list, int n) {
  list.Clear();
  for (int i = 1; i <= n; ++i) {
    if (i > 1) list.AddPage();
    list.Canvas().TextOut("Blatt " + std::to_string(i), 20, 20);
  }
}

class PrintUi : public test::AppTest {
 protected:
  void SetUp() override { ASSERT_TRUE(fDir.isValid()); }
  std::string Path(const char* name) const { return QDir(fDir.path()).filePath(name).toStdString(); }
  QTemporaryDir fDir;
};

TEST_F(PrintUi, SheetMappingForOneTwoAndFourPagesPerSheet) {
  struct TCase {
    TGmPagesPerSheet pps;
    int position;
    bool landscape;
    QRect rect;
    int scale;
  };
  const int w = 2481, h = 3507;
  for (const TCase& c : {TCase{gmOnePage, 1, false, QRect(QPoint(0, 0), QPoint(w, h)), 100},
                         TCase{gmTwoPage, 1, false, QRect(QPoint(0, 0), QPoint(w, h / 2)), 70},
                         TCase{gmTwoPage, 2, false, QRect(QPoint(0, h / 2), QPoint(w, h)), 70},
                         TCase{gmTwoPage, 1, true, QRect(QPoint(0, 0), QPoint(w / 2, h)), 70},
                         TCase{gmFourPage, 1, false, QRect(QPoint(0, 0), QPoint(w / 2, h / 2)), 49},
                         TCase{gmFourPage, 2, false, QRect(QPoint(w / 2, 0), QPoint(w, h / 2)), 49},
                         TCase{gmFourPage, 3, false, QRect(QPoint(0, h / 2), QPoint(w / 2, h)), 49},
                         TCase{gmFourPage, 4, false, QRect(QPoint(w / 2, h / 2), QPoint(w, h)), 49}}) {
    const TGmSheetSlot slot = SheetSlot(c.pps, c.position, w, h, c.landscape);
    EXPECT_EQ(slot.Rect, c.rect) << c.pps << "/" << c.position;
    EXPECT_EQ(slot.Scale, c.scale) << c.pps << "/" << c.position;
  }
  EXPECT_TRUE(StartsSheet(gmOnePage, 2));
  EXPECT_FALSE(StartsSheet(gmTwoPage, 2));
  EXPECT_TRUE(StartsSheet(gmFourPage, 5));
  EXPECT_EQ(PageRange(3, 1), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(PageRange(2, 3), (std::vector<int>{2, 3}));
}

TEST_F(PrintUi, RangesCurrentPageAndSheetsPrintTheRightPagesWithProgress) {
  TGmPreview preview;
  FillPages(preview.Pages(), 5);
  preview.Refresh();
  std::vector<std::pair<int, int>> steps;
  auto record = [&](int printed, int total) {
    steps.emplace_back(printed, total);
    return true;
  };
  struct TCase {
    const char* name;
    int range, from, to;
    std::vector<int> pages;
  };
  preview.SetCurrentPage(4);
  for (const TCase& c : {TCase{"all.pdf", 0, 0, 0, {1, 2, 3, 4, 5}}, TCase{"cur.pdf", 1, 0, 0, {4}},
                         TCase{"range.pdf", 2, 2, 3, {2, 3}}, TCase{"back.pdf", 2, 3, 1, {3, 2, 1}}}) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path(c.name)));
    steps.clear();
    const bool ok = c.range == 0   ? preview.PrintAll(printer, record)
                    : c.range == 1 ? preview.PrintCurrentPage(printer, record)
                                   : preview.PrintRange(c.from, c.to, printer, record);
    ASSERT_TRUE(ok) << c.name;
    const std::string pdf = Path(c.name);
    int status = 0;
    test::RunCommand("qpdf --check '" + pdf + "' >/dev/null 2>&1", &status);
    EXPECT_EQ(status, 0) << c.name;
    ASSERT_EQ(PdfPages(pdf), static_cast<int>(c.pages.size())) << c.name;
    for (size_t i = 0; i < c.pages.size(); ++i)
      EXPECT_NE(Pdftotext(pdf, static_cast<int>(i) + 1).find("Blatt " + std::to_string(c.pages[i])), std::string::npos)
          << c.name << " sheet " << i + 1;
    ASSERT_EQ(steps.size(), c.pages.size());
    EXPECT_EQ(steps.back(), std::make_pair(static_cast<int>(c.pages.size()), static_cast<int>(c.pages.size())));
  }
  // Four pages on a sheet: five pages take two sheets.
  preview.Pages().SetPagesPerSheet(gmFourPage);
  ASSERT_TRUE(SaveDocumentPdf(preview.Pages(), PageRange(1, 5), Path("four.pdf")));
  EXPECT_EQ(PdfPages(Path("four.pdf")), 2);
  const std::string sheet1 = Pdftotext(Path("four.pdf"), 1);
  for (int i = 1; i <= 4; ++i) EXPECT_NE(sheet1.find("Blatt " + std::to_string(i)), std::string::npos);
}

TEST_F(PrintUi, CancelStopsThePrintAndLeavesNoFile) {
  TGmPageList list;
  FillPages(list, 6);
  int calls = 0;
  auto cancelAtTwo = [&](int printed, int) {
    ++calls;
    return printed < 2;
  };
  // A new file is not made at all.
  const std::string pdf = Path("neu.pdf");
  EXPECT_FALSE(SaveDocumentPdf(list, PageRange(1, 6), pdf, {}, cancelAtTwo));
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  // An older file of that name stays as it was.
  const std::string old = Path("alt.pdf");
  {
    QFile f(QString::fromStdString(old));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("alt");
  }
  EXPECT_FALSE(SaveDocumentPdf(list, PageRange(1, 6), old, {}, cancelAtTwo));
  QFile f(QString::fromStdString(old));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("alt"));
  // Printing to a file through the printer behaves alike.
  TGmPrinter printer;
  QPrinter qp(QPrinter::HighResolution);
  qp.setOutputFormat(QPrinter::PdfFormat);
  qp.setOutputFileName(QString::fromStdString(Path("drucker.pdf")));
  EXPECT_FALSE(printer.Print(list, PageRange(1, 6), qp, cancelAtTwo));
  EXPECT_FALSE(printer.Printing());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("drucker.pdf"))));
  // An unwritable place is reported in German, naming the file.
  try {
    SaveDocumentPdf(list, PageRange(1, 1), "/proc/nicht/da.pdf");
    ADD_FAILURE() << "no error";
  } catch (const EWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("/proc/nicht/da.pdf"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("konnte nicht geschrieben werden"), std::string::npos);
  }
}

TEST_F(PrintUi, PreviewZoomNavigationAndScrollPosition) {
  TGmPreview preview;
  preview.resize(400, 500);
  preview.show();
  FillPages(preview.Pages(), 3);
  preview.Refresh();
  preview.SetZoom(1000);
  EXPECT_EQ(preview.Zoom(), 400);
  preview.SetZoom(1);
  EXPECT_EQ(preview.Zoom(), 5);
  preview.SetMaxZoom(3);
  EXPECT_EQ(preview.MaxZoom(), 5);
  EXPECT_EQ(preview.Zoom(), 5);
  preview.SetMaxZoom(400);
  // Zoom to the page is limited by the smaller factor; to the width by the width.
  preview.ZoomToPage();
  const int gutter = preview.Gutter();
  const double pw = static_cast<double>(preview.Pages().Current()->Width()) * 96;
  const double ph = static_cast<double>(preview.Pages().Current()->Height()) * 96;
  EXPECT_EQ(preview.Zoom(),
            static_cast<int>(std::min((400 - 2 * gutter - 20) / pw, (500 - 2 * gutter - 20) / ph) * 100));
  preview.ZoomToWidth();
  EXPECT_EQ(preview.Zoom(), static_cast<int>((400 - 2 * gutter - 20) / pw * 100));
  // The relative scroll position survives a zoom change.
  preview.SetZoom(100);
  QApplication::processEvents();
  preview.ScrollToPercent(50, 0);
  preview.SetZoom(200);
  QApplication::processEvents();
  EXPECT_NEAR(preview.ScrollPercent().first, 50, 1);
  // Navigation past either end changes nothing and reports nothing.
  int changes = 0;
  preview.OnPageChanged = [&] { ++changes; };
  ASSERT_EQ(preview.CurrentPage(), 3);  // the last recorded page
  preview.NextPage();
  EXPECT_EQ(changes, 0);
  preview.FirstPage();
  EXPECT_EQ(changes, 1);
  preview.PrevPage();
  EXPECT_EQ(preview.CurrentPage(), 1);
  EXPECT_EQ(changes, 1);
  // The paper image: the page at 96 pixels per inch times the zoom; the top-left corner is (0, 0).
  TGmPaperImage* paper = preview.PaperImage();
  const double w = static_cast<double>(preview.Pages().Current()->Width());
  const double h = static_cast<double>(preview.Pages().Current()->Height());
  preview.SetZoom(100);
  EXPECT_EQ(paper->PagePixels(), QSize(static_cast<int>(std::lround(w * 96)), static_cast<int>(std::lround(h * 96))));
  preview.SetZoom(50);
  EXPECT_EQ(paper->PagePixels(), QSize(static_cast<int>(std::lround(w * 48)), static_cast<int>(std::lround(h * 48))));
  EXPECT_EQ(paper->PixelToPage(paper->PageRect().topLeft()), QPointF(0, 0));
}

TEST_F(PrintUi, ASelectedObjectIsFramedAndDraggedOnItsPage) {
  TGmPreview preview;
  preview.resize(500, 600);
  preview.show();
  FillPages(preview.Pages(), 1);
  preview.Refresh();
  preview.SetZoom(100);
  QApplication::processEvents();
  // The text "Blatt 1" stands at 20 mm, 20 mm.
  const QPointF at(25 / 25.4, 22 / 25.4);
  TGmVisibleObject* object = preview.ObjectAt(at);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(preview.ObjectAt(QPointF(7, 10)), nullptr);
  TGmVisibleObject* reported = nullptr;
  preview.OnObjectMouseDown = [&](Qt::MouseButton, QPointF, TGmVisibleObject* o) { reported = o; };
  preview.SelectObject(object);
  TGmPaperImage* paper = preview.PaperImage();
  const QPoint start =
      paper->PageRect().topLeft() + QPoint(static_cast<int>(at.x() * 96), static_cast<int>(at.y() * 96));
  const auto* text = dynamic_cast<TGmBaseTextObject*>(object);
  ASSERT_NE(text, nullptr);
  const double left = static_cast<double>(text->Left(gmMillimeters));
  QTest::mousePress(paper, Qt::LeftButton, {}, start);
  QTest::mouseMove(paper, start + QPoint(96, 0));
  QTest::mouseRelease(paper, Qt::LeftButton, {}, start + QPoint(96, 0));
  EXPECT_EQ(reported, object);
  EXPECT_NEAR(static_cast<double>(text->Left(gmMillimeters)) - left, 25.4, 0.5);
  // A new current page drops the selection.
  preview.AddPage();
  preview.Refresh();
  EXPECT_EQ(preview.SelectedObject(), nullptr);
}

TEST_F(PrintUi, ThumbnailsFollowThePreview) {
  auto preview = std::make_unique<TGmPreview>();
  FillPages(preview->Pages(), 12);
  preview->Refresh();
  TGmThumbnails strip;
  strip.PageCaptions = "Seite #";
  strip.SetLayout(gmThumbGrid);
  strip.SetPreview(preview.get());
  ASSERT_EQ(strip.Count(), 12);
  EXPECT_EQ(strip.Thumbnail(0)->Zoom(), 6);
  EXPECT_EQ(strip.Thumbnail(11)->Caption(), "Seite 12");
  EXPECT_EQ(strip.Thumbnail(4)->x(), 0);
  EXPECT_GT(strip.Thumbnail(4)->y(), 0);
  EXPECT_EQ(strip.Thumbnail(3)->y(), 0);
  // The current page of the preview is the selected thumbnail.
  EXPECT_EQ(strip.SelectedIndex(), 11);
  QTest::mouseClick(strip.Thumbnail(2), Qt::LeftButton);
  EXPECT_EQ(preview->CurrentPage(), 3);
  EXPECT_EQ(strip.SelectedIndex(), 2);
  EXPECT_TRUE(strip.Thumbnail(2)->Selected());
  EXPECT_FALSE(strip.Thumbnail(11)->Selected());
  preview->SetCurrentPage(5);
  EXPECT_EQ(strip.SelectedIndex(), 4);
  // Without highlighting clicks still change the page.
  strip.Highlight = false;
  QTest::mouseClick(strip.Thumbnail(6), Qt::LeftButton);
  EXPECT_EQ(preview->CurrentPage(), 7);
  EXPECT_FALSE(strip.Thumbnail(6)->Selected());
  // A rebuilt document inside an update rebuilds the strip once at its end.
  preview->BeginUpdate();
  preview->BeginUpdate();
  FillPages(preview->Pages(), 4);
  preview->EndUpdate();
  EXPECT_EQ(strip.Count(), 12);
  preview->EndUpdate();
  EXPECT_EQ(strip.Count(), 4);
  preview.reset();
  EXPECT_EQ(strip.Count(), 0);
  EXPECT_EQ(strip.Preview(), nullptr);
}

// The documentation page on the programme's globals with the rich sample project.
class DocPage : public PrintUi {
 protected:
  static void SetUpTestSuite() {
    test::EnsureApp();
    static bool done = false;
    if (done) return;
    done = true;
    TGlobalSetup setup;
    setup.ProgramPath = test::TestHome() + "zyn";
    setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
    setup.OnMessage = [](const std::string&, TStartMessageButton) {};
    InitGlobals(setup);
  }
  void SetUp() override {
    PrintUi::SetUp();
    fData.Fill(1);
    GProjekt = std::move(fData.Owned);
    fPage.resize(900, 700);
    fPage.FixedPrintTime = QDateTime(QDate(2026, 12, 11), QTime(9, 30));
    fPage.show();
  }
  void TearDown() override { GProjekt.reset(); }

  test::TDocProject fData;
  TFrPrintVorschau fPage;
};

TEST_F(DocPage, ActivationBuildsThePreviewAtPageWidthOnPageOne) {
  fPage.FrameActivate();
  TGmPreview& p = *fPage.Printer;
  EXPECT_GT(p.PageCount(), 10);
  EXPECT_EQ(p.CurrentPage(), 1);
  EXPECT_EQ(fPage.StatusPanel->text(), QString("Seite 1 von %1").arg(p.PageCount()));
  EXPECT_FALSE(fPage.BtnPrev->isEnabled());
  EXPECT_TRUE(fPage.BtnNext->isEnabled());
  EXPECT_FALSE(fPage.GT->isVisible());
  fPage.BtnNext->click();
  EXPECT_EQ(p.CurrentPage(), 2);
  EXPECT_TRUE(fPage.BtnPrev->isEnabled());
  EXPECT_EQ(fPage.StatusPanel->text(), QString("Seite 2 von %1").arg(p.PageCount()));
  // "150%" of the zoom menu.
  for (QAction* a : fPage.PopupMenu1->actions())
    if (a->text() == "150%") a->trigger();
  EXPECT_EQ(p.Zoom(), 150);
  // The thumbnails button shows the strip and stores the choice; again hides it.
  SetBoolOption(boPlainThumbs, true);
  fPage.PB->click();
  EXPECT_TRUE(fPage.GT->isVisible());
  EXPECT_TRUE(fPage.GT->PlainPages());
  EXPECT_EQ(fPage.GT->Count(), p.PageCount());
  EXPECT_TRUE(GetBoolOption(boShowThumbs));
  fPage.PB->click();
  EXPECT_FALSE(fPage.GT->isVisible());
  EXPECT_FALSE(GetBoolOption(boShowThumbs));
  EXPECT_EQ(fPage.AskApplyChanges(), 6);
  // Another activation starts again on page 1 with the strip off.
  fPage.PB->click();
  fPage.FrameActivate();
  EXPECT_EQ(p.CurrentPage(), 1);
  EXPECT_FALSE(fPage.PB->isChecked());
  EXPECT_FALSE(fPage.GT->isVisible());
}

TEST_F(DocPage, PdfOfThePageMatchesThePreviewAndCancelLeavesNothing) {
  fPage.FrameActivate();
  const int pages = fPage.Printer->PageCount();
  ASSERT_TRUE(fPage.SavePdf(Path("doku.pdf")));
  EXPECT_EQ(PdfPages(Path("doku.pdf")), pages);
  // Printing pages 2 to 3 through a printer writing a file.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(Path("teil.pdf")));
  ASSERT_TRUE(fPage.PrintOn(printer, 2, 2, 3));
  EXPECT_EQ(PdfPages(Path("teil.pdf")), 2);
  EXPECT_NE(Pdftotext(Path("teil.pdf"), 1).find("Projektdetails:"), std::string::npos);
  // The progress says cancel at the third page.
  fPage.MakeProgress = [](const QString&, int) -> TGmPrintProgress {
    return [](int printed, int) { return printed < 3; };
  };
  EXPECT_FALSE(fPage.SavePdf(Path("abbruch.pdf")));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("abbruch.pdf"))));
  QPrinter printer2(QPrinter::HighResolution);
  printer2.setOutputFormat(QPrinter::PdfFormat);
  printer2.setOutputFileName(QString::fromStdString(Path("abbruch2.pdf")));
  EXPECT_FALSE(fPage.PrintOn(printer2, 0));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("abbruch2.pdf"))));
}

// Golden pictures of the preview: the cover page and the first module-data page, at 50 %.
// Recipe: the rich sample project of DocFixture.h with one control module, print time fixed,
// the preview 900 x 700 at zoom 50 scrolled to the top; fonts of scripts/install-deps.sh.
// ZYN_UPDATE_GOLDEN=1 writes the pictures anew.
TEST_F(DocPage, GoldenPicturesOfTheCoverAndAModuleDataPage) {
  fPage.FrameActivate();
  TGmPreview& p = *fPage.Printer;
  int moduleData = 0;
  for (int i = 1; i <= p.PageCount() && !moduleData; ++i) {
    const TGmPage& page = *p.Pages().GetPage(i);
    for (const auto& o : page.Objects().Items())
      if (const auto* t = dynamic_cast<const TGmBaseTextObject*>(o.get()); t && t->Text() == "Moduldaten")
        moduleData = i;
  }
  ASSERT_GT(moduleData, 0);
  for (const auto& [page, name] :
       {std::pair<int, const char*>{1, "preview_cover.png"}, {moduleData, "preview_moduldaten.png"}}) {
    p.SetCurrentPage(page);
    p.SetZoom(50);
    p.verticalScrollBar()->setValue(0);
    p.horizontalScrollBar()->setValue(0);
    QApplication::processEvents();
    const QImage shot =
        p.PaperImage()->grab(p.PaperImage()->PageRect()).toImage().convertToFormat(QImage::Format_RGB32);
    const QString golden = QString(ZYN_TEST_DATA_DIR) + "/" + name;
    if (qEnvironmentVariableIsSet("ZYN_UPDATE_GOLDEN")) {
      QDir().mkpath(ZYN_TEST_DATA_DIR);
      shot.save(golden);
    }
    QImage expected(golden);
    ASSERT_FALSE(expected.isNull()) << name;
    expected = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), expected.size()) << name;
    // A few pixels of text antialiasing may differ between font builds; layout changes differ in many.
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (qGray(shot.pixel(x, y)) / 32 != qGray(expected.pixel(x, y)) / 32) ++differing;
    EXPECT_LT(differing, shot.width() * shot.height() / 500) << name;
  }
}

}  // namespace
}  // namespace zyn
