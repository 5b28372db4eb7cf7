// Printing and previewing the documentation: the sheet mapping and the print loop into PDF files
// (checked with qpdf and pdftotext), cancelling, the preview's zoom and navigation, the thumbnail
// strip, and the documentation page with its golden pictures.

#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "print/ui/FrPrintVorschau.h"
#include "print/ui/GmPreview.h"
#include "print/ui/GmThumbnails.h"
#include "tests/print/DocFixture.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QPrintDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWheelEvent>
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
  strip.SetPageCaptions("Seite #");
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
  strip.SetHighlight(false);
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

// A strip that records what its preview tells it.
class TRecordingStrip : public TGmThumbnails {
 public:
  std::vector<int> Messages;
  void PreviewMessage(TGmStripMessage message) override {
    Messages.push_back(message);
    TGmThumbnails::PreviewMessage(message);
  }
  int CountOf(int message) const { return static_cast<int>(std::count(Messages.begin(), Messages.end(), message)); }
};

TEST_F(PrintUi, PreviewRaisesItsEventsAndTellsItsStrips) {
  TGmPreview preview;
  FillPages(preview.Pages(), 3);
  preview.Refresh();
  TRecordingStrip strip;
  strip.SetPreview(&preview);
  // A new page: OnNewPage, then the header and the footer rectangles with the recording canvas.
  std::vector<std::string> events;
  preview.OnNewPage = [&] { events.push_back("new"); };
  preview.OnDrawHeader = [&](const TGmRect& r, TGmCanvas& canvas) {
    events.push_back("header");
    EXPECT_EQ(&canvas, &preview.Canvas());
    EXPECT_DOUBLE_EQ(static_cast<double>(r.Top), static_cast<double>(preview.HeaderRect().Top));
  };
  preview.OnDrawFooter = [&](const TGmRect&, TGmCanvas&) { events.push_back("footer"); };
  preview.OnClear = [&] { events.push_back("clear"); };
  preview.OnOrientationChanged = [&] { events.push_back("orientation"); };
  preview.AddPage();
  EXPECT_EQ(events, (std::vector<std::string>{"new", "header", "footer"}));
  EXPECT_EQ(strip.Count(), 4);
  // Orientation, paper size, pages per sheet and printer: each its message; the paper size
  // rebuilds the strip, pages per sheet and the printer leave it.
  events.clear();
  strip.Messages.clear();
  preview.SetOrientation(gmLandscape);
  EXPECT_EQ(strip.CountOf(gmMsgOrientation), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"orientation"}));
  EXPECT_GT(preview.Pages().Current()->Width(), preview.Pages().Current()->Height());
  int rebuilds = strip.Rebuilds();
  preview.SetPagesPerSheet(gmTwoPage);
  EXPECT_EQ(strip.CountOf(gmMsgPagesPerSheet), 1);
  preview.GmPrinter().SetPaperSize(A5);
  EXPECT_EQ(strip.CountOf(gmMsgPrinter), 1);
  EXPECT_EQ(strip.Rebuilds(), rebuilds);
  preview.SetPaperSize(A3);
  EXPECT_EQ(strip.CountOf(gmMsgPaperSize), 1);
  EXPECT_GT(strip.Rebuilds(), rebuilds);
  // Nested updates: one update-begins and one update-ends message, one rebuild at the end.
  strip.Messages.clear();
  rebuilds = strip.Rebuilds();
  preview.BeginUpdate();
  preview.BeginUpdate();
  preview.AddPage();
  preview.EndUpdate();
  preview.EndUpdate();
  EXPECT_EQ(strip.CountOf(gmMsgUpdateBegins), 1);
  EXPECT_EQ(strip.CountOf(gmMsgUpdateEnds), 1);
  EXPECT_EQ(strip.Rebuilds(), rebuilds + 1);
  // Clearing ends with OnClear and one empty page.
  preview.Clear();
  EXPECT_EQ(events.back(), "clear");
  EXPECT_EQ(preview.PageCount(), 1);
  // Printing: before, progress per page, after.
  FillPages(preview.Pages(), 2);
  preview.Refresh();
  events.clear();
  preview.BeforePrint = [&] { events.push_back("before"); };
  preview.AfterPrint = [&] { events.push_back("after"); };
  preview.OnPrintProgress = [&](int printed, int total) {
    events.push_back(std::to_string(printed) + "/" + std::to_string(total));
  };
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(Path("events.pdf")));
  ASSERT_TRUE(preview.PrintAll(printer));
  EXPECT_EQ(events, (std::vector<std::string>{"before", "1/2", "2/2", "after"}));
}

TEST_F(PrintUi, ThumbnailSettingsRebuildOrRepaintAndThePopupKnowsItsThumbnail) {
  TGmPreview preview;
  FillPages(preview.Pages(), 4);
  preview.Refresh();
  TGmThumbnails strip;
  strip.resize(300, 300);
  strip.show();
  strip.SetPreview(&preview);
  // Size settings rebuild: the zoom and gutter of every thumbnail follow.
  int rebuilds = strip.Rebuilds();
  strip.SetThumbSize(8);
  EXPECT_EQ(strip.Rebuilds(), ++rebuilds);
  EXPECT_EQ(strip.Thumbnail(0)->Zoom(), 10);
  strip.SetThumbSpacing(4);
  EXPECT_EQ(strip.Rebuilds(), ++rebuilds);
  EXPECT_EQ(strip.Thumbnail(0)->Gutter().left(), 4);
  const int withCaption = strip.Thumbnail(0)->Gutter().bottom();
  strip.SetShowCaption(false);
  EXPECT_EQ(strip.Rebuilds(), ++rebuilds);
  EXPECT_EQ(strip.Thumbnail(0)->Gutter().bottom(), 4);
  EXPECT_GT(withCaption, 4);
  QFont big = strip.CaptionFont();
  big.setPointSize(20);
  strip.SetShowCaption(true);
  ++rebuilds;
  strip.SetCaptionFont(big);
  EXPECT_EQ(strip.Rebuilds(), ++rebuilds);
  EXPECT_GT(strip.Thumbnail(0)->Gutter().bottom(), withCaption);
  // Look settings repaint without a rebuild; the grid width lays out again.
  strip.SetHighlightStyle(gmBackground);
  strip.SetSelectedColor(Qt::red);
  strip.SetPageCaptions("S. #");
  EXPECT_EQ(strip.Rebuilds(), rebuilds);
  EXPECT_EQ(strip.Thumbnail(2)->Caption(), "S. 3");
  strip.SetLayout(gmThumbGrid);
  strip.SetGridWidth(2);
  EXPECT_EQ(strip.Thumbnail(2)->x(), 0);
  EXPECT_GT(strip.Thumbnail(2)->y(), 0);
  EXPECT_EQ(strip.Rebuilds(), rebuilds);
  // The popup menu opens for the thumbnail clicked with the right button.
  QMenu popup;
  QAction* act = popup.addAction(QStringLiteral("Seite anzeigen"));
  strip.SetThumbPopup(&popup);
  QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(5, 5), strip.Thumbnail(3)->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(strip.Thumbnail(3), &context);
  EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isVisible(); }, 2000));
  EXPECT_EQ(strip.PopupIndex(), 3);
  popup.close();
  EXPECT_NE(act, nullptr);
}

TEST_F(PrintUi, WheelScrollsOneIncrementAndZoomsWithTheControlKey) {
  TGmPreview preview;
  preview.resize(400, 400);
  preview.show();
  FillPages(preview.Pages(), 1);
  preview.Refresh();
  preview.SetZoom(100);
  QApplication::processEvents();
  QScrollBar* bar = preview.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(200);
  const auto wheel = [&](int delta, Qt::KeyboardModifiers keys) {
    QWheelEvent e(QPointF(50, 50), preview.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(preview.viewport(), &e);
  };
  wheel(-120, Qt::NoModifier);
  EXPECT_EQ(bar->value(), 200 + bar->singleStep());
  wheel(120, Qt::NoModifier);
  EXPECT_EQ(bar->value(), 200);
  // Half a notch waits for the other half.
  wheel(-60, Qt::NoModifier);
  EXPECT_EQ(bar->value(), 200);
  wheel(-60, Qt::NoModifier);
  EXPECT_EQ(bar->value(), 200 + bar->singleStep());
  wheel(120, Qt::ControlModifier);
  EXPECT_EQ(preview.Zoom(), 110);
  preview.ZoomIncrement = 25;
  wheel(-240, Qt::ControlModifier);
  EXPECT_EQ(preview.Zoom(), 60);
  preview.ZoomStyle = gmFixedZoom;
  wheel(120, Qt::ControlModifier);
  EXPECT_EQ(preview.Zoom(), 60);
}

TEST_F(PrintUi, PageWidthIsKeptThroughResizesUntilAnotherZoomIsChosen) {
  TGmPreview preview;
  FillPages(preview.Pages(), 1);
  preview.Refresh();
  // Fitted before the control has its size, as a page does before it is shown.
  preview.ZoomToWidth();
  preview.resize(700, 500);
  preview.show();
  QApplication::processEvents();
  const auto widthZoom = [&] {
    const double pw = static_cast<double>(preview.Pages().Current()->Width()) * 96;
    return static_cast<int>((preview.width() - 2 * preview.Gutter() - 20) / pw * 100);
  };
  EXPECT_TRUE(preview.FitsWidth());
  EXPECT_EQ(preview.Zoom(), widthZoom());
  // The whole width of the page is in view.
  const QRect page = preview.PaperImage()->PageRect();
  EXPECT_GE(page.left() - preview.horizontalScrollBar()->value(), 0);
  EXPECT_LE(page.right() - preview.horizontalScrollBar()->value(), preview.viewport()->width());
  preview.resize(900, 500);
  QApplication::processEvents();
  EXPECT_EQ(preview.Zoom(), widthZoom());
  preview.SetZoom(75);
  EXPECT_FALSE(preview.FitsWidth());
  preview.resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(preview.Zoom(), 75);
}

// The colour of the paper image at a point of the page given in millimetres.
QRgb PaperPixel(TGmPaperImage& paper, double xMm, double yMm) {
  const QImage shot = paper.grab().toImage();
  const QRect r = paper.PageRect();
  const double f = 96.0 * paper.Zoom() / 100 / 25.4;
  return shot.pixel(r.left() + static_cast<int>(xMm * f), r.top() + static_cast<int>(yMm * f));
}

TEST_F(PrintUi, MarginsClipOnScreenAndOnPaperAndThePrinterMarginsAreShown) {
  TGmPreview preview;
  preview.resize(900, 1200);
  preview.show();
  TGmPageList& list = preview.Pages();
  list.Clear();
  // A black block across the left margin (the margins are 0.5 inch = 12.7 mm).
  list.Canvas().Brush().Color = GmBlack;
  list.Canvas().Brush().Style = bsSolid;
  list.Canvas().Rectangle(gmMillimeters, 2, 30, 60, 60);
  list.Canvas().TextOut("Rand", 2, 100);
  list.Canvas().TextOut("Innen", 40, 100);
  preview.Refresh();
  preview.SetZoom(100);
  QApplication::processEvents();
  TGmPaperImage& paper = *preview.PaperImage();
  EXPECT_EQ(qGray(PaperPixel(paper, 5, 45)), 0);
  list.Margins().SetClipMargins(true);
  EXPECT_EQ(qGray(PaperPixel(paper, 5, 45)), 255) << "outside the margin";
  EXPECT_EQ(qGray(PaperPixel(paper, 30, 45)), 0) << "inside the margin";
  // On paper alike: rendered at 50 dots per inch, the block is white left of the margin.
  ASSERT_TRUE(SaveDocumentPdf(list, {1}, Path("clip.pdf")));
  test::RunCommand("pdftoppm -r 50 -png -singlefile '" + Path("clip.pdf") + "' '" + Path("clip") + "'");
  const QImage sheet(QString::fromStdString(Path("clip.png")));
  ASSERT_FALSE(sheet.isNull());
  const auto at = [&](double xMm, double yMm) {
    return qGray(sheet.pixel(static_cast<int>(xMm / 25.4 * 50), static_cast<int>(yMm / 25.4 * 50)));
  };
  EXPECT_GT(at(6, 45), 200) << "outside the margin";
  EXPECT_LT(at(30, 45), 50) << "inside the margin";
  list.Margins().SetClipMargins(false);
  // The user margins in millimetres.
  TGmMarginValues values = preview.MarginValues();
  values.ValueMeasurement = gmMillimeters;
  EXPECT_NEAR(values.Left(), 12.7, 0.01);
  values.SetLeft(20);
  EXPECT_NEAR(static_cast<double>(list.Margins().Left().AsInches()), 20 / 25.4, 1e-6);
  // Without a printer device the printer margins are those of the 300-dpi A4 default: the top
  // one 50 pixels, 4.23 mm; drawn dotted when shown.
  const TGmPrinterInfo& info = preview.GmPrinter().Info();
  EXPECT_EQ(info.PhysicalWidth, 2481);
  EXPECT_EQ(info.Top, 50);
  const double topMm = 50.0 / 300 * 25.4;
  const auto darkOnRow = [&](double yMm) {
    const QImage shot = paper.grab().toImage();
    const QRect r = paper.PageRect();
    const double f = 96.0 * paper.Zoom() / 100 / 25.4;
    const int y = r.top() + static_cast<int>(std::lround(yMm * f));
    int dark = 0;
    for (int x = r.left() + r.width() / 3; x < r.left() + 2 * r.width() / 3; ++x)
      for (int dy = -1; dy <= 1; ++dy) dark += qGray(shot.pixel(x, y + dy)) < 240;
    return dark;
  };
  EXPECT_EQ(darkOnRow(topMm), 0);
  preview.MarginsView().ShowPrinterMargins = true;
  paper.update();
  EXPECT_GT(darkOnRow(topMm), 10);
}

TEST_F(PrintUi, TheRubberBandZoomsIntoItsRectangleAndDropsAndTheMouseAreReported) {
  TGmPreview preview;
  preview.resize(600, 600);
  preview.show();
  FillPages(preview.Pages(), 3);
  preview.Refresh();
  preview.SetZoom(50);
  QApplication::processEvents();
  TGmPaperImage* paper = preview.PaperImage();
  const QPoint from = paper->PageRect().topLeft() + QPoint(40, 40);
  QTest::mousePress(paper, Qt::LeftButton, Qt::ControlModifier, from);
  EXPECT_TRUE(paper->RubberBand());
  QMouseEvent move(QEvent::MouseMove, from + QPoint(100, 80), paper->mapToGlobal(from + QPoint(100, 80)),
                   Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  QApplication::sendEvent(paper, &move);
  EXPECT_EQ(paper->RubberBandRect(), QRect(from, from + QPoint(100, 80)).normalized());
  const int view = preview.viewport()->width();
  QTest::mouseRelease(paper, Qt::LeftButton, Qt::ControlModifier, from + QPoint(100, 80));
  EXPECT_FALSE(paper->RubberBand());
  // 100 pixels at 50 % fill the view's width, and the band's corner comes to the view's corner.
  EXPECT_NEAR(preview.Zoom(), 50.0 * (view - 20) / 100, 50.0 * view / 100 * 0.03);
  const QPointF corner = paper->PixelToPage(
      QPoint(preview.horizontalScrollBar()->value() + 10, preview.verticalScrollBar()->value() + 10));
  EXPECT_NEAR(corner.x(), 40 / 48.0, 0.05);
  EXPECT_NEAR(corner.y(), 40 / 48.0, 0.05);
  // A drop with a page number is offered to the page's handler with its position in inches.
  QPointF dropped(-1, -1);
  preview.OnPageDragOver = [](QPointF, const QMimeData* d) { return d->hasFormat(kGmPageMime); };
  preview.OnPageDragDrop = [&](QPointF p, const QMimeData* d) {
    dropped = p;
    preview.SetCurrentPage(d->data(kGmPageMime).toInt());
  };
  QMimeData data;
  data.setData(kGmPageMime, "2");
  const QPoint at = paper->PageRect().topLeft();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(paper, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDragMoveEvent over(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(paper, &over);
  EXPECT_TRUE(over.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(paper, &drop);
  EXPECT_EQ(dropped, QPointF(0, 0));
  EXPECT_EQ(preview.CurrentPage(), 2);
  QMimeData other;
  other.setText("x");
  QDragMoveEvent refused(at, Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(paper, &refused);
  EXPECT_FALSE(refused.isAccepted());
  // Leaving the page ends panning and is reported.
  int left = 0;
  preview.OnMouseLeave = [&] { ++left; };
  preview.StartPanning();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(paper, &leave);
  EXPECT_FALSE(preview.Panning());
  EXPECT_EQ(left, 1);
}

TEST_F(PrintUi, PrinterSetupCodesGeometryAndOptions) {
  // The device codes, both ways.
  for (TGmPaperSize s : {A3, A4, A5, A6, B5, C5, Legal, Letter, B4, Envelope_09, Envelope_10, Envelope_11,
                         Envelope_12, Envelope_14, Tabloid, Ledger, Executive, Custom})
    EXPECT_EQ(TGmPrinter::PaperFromCode(TGmPrinter::PaperCode(s)), s) << s;
  EXPECT_EQ(TGmPrinter::PaperCode(A4), 9);
  EXPECT_EQ(TGmPrinter::PaperCode(A6), 70);
  EXPECT_EQ(TGmPrinter::DuplexCode(gmHorzDuplex), 3);
  EXPECT_EQ(TGmPrinter::DuplexFromCode(7), gmSimplex);
  EXPECT_EQ(TGmPrinter::DitherCode(gmGrayScale), 10);
  EXPECT_EQ(TGmPrinter::DitherFromCode(10), gmGrayScale);
  EXPECT_EQ(TGmPrinter::DitherFromCode(99), gmNone);
  EXPECT_EQ(TGmPrinter::QualityCode(gmDraft), -1);
  EXPECT_EQ(TGmPrinter::QualityCode(gmHigh), -4);
  EXPECT_EQ(TGmPrinter::QualityFromCode(5), gmMedium);
  EXPECT_EQ(TGmPrinter::ColorFromCode(1), gmMonochrome);
  // The A4 default geometry: margins turn for landscape.
  TGmPrinterInfo info;
  info.ReadGeometry(nullptr);
  EXPECT_EQ(info.PrintableWidth, 2481 - 65 - 58);
  const TGmPrinterInfo::TSides land = info.Margins(true);
  EXPECT_EQ(land.Left, 50);
  EXPECT_EQ(land.Top, 58);
  EXPECT_EQ(land.Right, 50);
  EXPECT_EQ(land.Bottom, 65);
  EXPECT_NEAR(info.MarginsInches(false).Left, 65.0 / 300, 1e-9);
  EXPECT_NEAR(info.PageWidthInches(), 2481.0 / 300, 1e-9);
  info.Landscape = true;
  EXPECT_NEAR(info.PageWidthInches(), 3507.0 / 300, 1e-9);
  // Choices go into the options file and come back.
  std::unique_ptr<TZYNOptionFile> kept = std::move(GOptionFile);
  GOptionFile = std::make_unique<TZYNOptionFile>();
  TGmPrinter setup;
  setup.SetPaperSize(A5);
  setup.SetOrientation(gmLandscape);
  setup.PrintCopies = 3;
  setup.Duplex = gmVertDuplex;
  setup.DitherType = gmFine;
  setup.PrintQuality = gmHigh;
  setup.SaveToOptions();
  const std::string file = Path("optionen.xml");
  GOptionFile->SaveToFile(file);
  GOptionFile = std::make_unique<TZYNOptionFile>();
  ASSERT_TRUE(GOptionFile->LoadFromFile(file));
  TGmPrinter back;
  back.LoadFromOptions();
  EXPECT_EQ(back.PaperSize(), A5);
  EXPECT_EQ(back.Orientation(), gmLandscape);
  EXPECT_EQ(back.PrintCopies, 3);
  EXPECT_EQ(back.Duplex, gmVertDuplex);
  EXPECT_EQ(back.DitherType, gmFine);
  EXPECT_EQ(back.PrintQuality, gmHigh);
  // Its Qt printer carries them.
  EXPECT_EQ(back.Device().pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(back.Device().pageLayout().pageSize().id(), QPageSize::A5);
  EXPECT_EQ(back.Device().copyCount(), 3);
  GOptionFile = std::move(kept);
}

// pdfinfo's page size of one page, in points.
QSizeF PdfPageSize(const std::string& pdf, int page) {
  const std::string info =
      test::RunCommand("pdfinfo -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf + "'");
  const size_t at = info.find("size:");
  if (at == std::string::npos) return {};
  double w = 0, h = 0;
  std::sscanf(info.c_str() + at + 5, " %lf x %lf", &w, &h);
  return {w, h};
}

TEST_F(PrintUi, TheSetUpsSheetTakesThePagesFittedAndCentred) {
  TGmPreview preview;
  FillPages(preview.Pages(), 2);
  preview.Refresh();
  TGmPrinter& setup = preview.GmPrinter();
  const auto print = [&](const char* name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path(name)));
    EXPECT_TRUE(preview.PrintAll(printer)) << name;
    return Path(name);
  };
  // A4 portrait pages on the A4 portrait default: as they are.
  const std::string portrait = print("hoch.pdf");
  EXPECT_NEAR(PdfPageSize(portrait, 1).width(), 595, 1.5);
  EXPECT_NEAR(PdfPageSize(portrait, 1).height(), 842, 1.5);
  // On A4 landscape: landscape sheets with the whole page on them.
  setup.SetOrientation(gmLandscape);
  const std::string landscape = print("quer.pdf");
  EXPECT_EQ(PdfPages(landscape), 2);
  for (int page = 1; page <= 2; ++page) {
    EXPECT_NEAR(PdfPageSize(landscape, page).width(), 842, 1.5);
    EXPECT_NEAR(PdfPageSize(landscape, page).height(), 595, 1.5);
    EXPECT_NE(Pdftotext(landscape, page).find("Blatt " + std::to_string(page)), std::string::npos);
  }
  // The page stands in the middle: its text at 20 mm from the page's left edge lies at
  // (297 - 210 x 0.707) / 2 + 20 x 0.707 mm of the sheet.
  const std::string bbox = test::RunCommand("pdftotext -bbox -f 1 -l 1 '" + landscape + "' -");
  const size_t word = bbox.find(">Blatt<");
  ASSERT_NE(word, std::string::npos);
  const size_t xAt = bbox.rfind("xMin=\"", word);
  const double xMin = std::stod(bbox.substr(xAt + 6));
  const double scale = 595.0 / 842;
  EXPECT_NEAR(xMin, (842 - 595 * scale) / 2 + 20 / 25.4 * 72 * scale, 3);
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

// The first view of the page, built before it has its size, shows the whole page width.
TEST_F(DocPage, TheFirstViewShowsTheWholePageWidth) {
  TFrPrintVorschau page;
  page.FixedPrintTime = fPage.FixedPrintTime;
  page.FrameActivate();
  page.resize(1000, 760);
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  TGmPreview& p = *page.Printer;
  const double pw = static_cast<double>(p.Pages().Current()->Width()) * 96;
  EXPECT_EQ(p.Zoom(), static_cast<int>((p.width() - 2 * p.Gutter() - 20) / pw * 100));
  EXPECT_GT(p.Zoom(), 60);
  // Both edges of the sheet are in view: black outline pixels at the page's left and right.
  const QImage shot = p.viewport()->grab().toImage();
  const QRect r = p.PaperImage()->PageRect().translated(-p.horizontalScrollBar()->value(), -p.verticalScrollBar()->value());
  ASSERT_GE(r.left(), 0);
  ASSERT_LT(r.right(), shot.width());
  const int y = std::min(r.top() + 40, shot.height() - 1);
  EXPECT_LT(qGray(shot.pixel(r.left(), y)), 64);
  EXPECT_LT(qGray(shot.pixel(r.right(), y)), 64);
  EXPECT_GT(qGray(shot.pixel(r.right() - 3, y)), 200);
}

// Finds the modal dialog of a type once it is open and runs the action on it.
template <class D, class F>
void OnDialog(F action) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      action(*d);
    }
  });
  timer->start();
}

TEST_F(DocPage, PageSetUpToLandscapeIsKeptAndPrintsLandscapeSheets) {
  fPage.FrameActivate();
  TGmPrinter& setup = ProgramPrinter();
  ASSERT_EQ(&fPage.Printer->GmPrinter(), &setup) << "the page prints with the programme's set-up";
  ASSERT_EQ(setup.Orientation(), gmPortrait);
  OnDialog<QPageSetupDialog>([](QPageSetupDialog& d) {
    auto* landscape = d.findChild<QRadioButton*>(QStringLiteral("landscape"));
    ASSERT_NE(landscape, nullptr);
    landscape->click();
    d.accept();
  });
  ASSERT_TRUE(setup.PageSetup(&fPage));
  EXPECT_EQ(setup.Orientation(), gmLandscape);
  EXPECT_EQ(GOptionFile->Optionen().Printer->First().Orientation, 2);
  // Printing through the print dialog into a PDF file: landscape sheets, every page.
  const QString target = QString::fromStdString(Path("quer.pdf"));
  OnDialog<QPrintDialog>([target](QPrintDialog& d) {
    auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)" comes last
    ASSERT_NE(file, nullptr);
    file->setText(target);
    d.accept();
  });
  fPage.BtnPrint->click();
  ASSERT_TRUE(QFile::exists(target));
  EXPECT_EQ(PdfPages(Path("quer.pdf")), fPage.Printer->PageCount());
  const std::string info = test::RunCommand("pdfinfo '" + Path("quer.pdf") + "'");
  EXPECT_NE(info.find("842 x 595"), std::string::npos) << info;
  // The saved PDF keeps the documentation's own A4 portrait pages.
  ASSERT_TRUE(fPage.SavePdf(Path("hoch.pdf")));
  EXPECT_NE(test::RunCommand("pdfinfo '" + Path("hoch.pdf") + "'").find("595 x 842"), std::string::npos);
  setup.SetOrientation(gmPortrait);
  setup.SaveToOptions();
}

TEST_F(DocPage, SavingAPdfIsConfirmedWithItsName) {
  fPage.FrameActivate();
  std::vector<QString> shownTexts;
  const TMessageDlgHook previous = SetMessageDlgHook([&](const QString& text, const QString&, unsigned) {
    shownTexts.push_back(text);
    return 1;
  });
  const QString target = QString::fromStdString(Path("Anlage"));
  OnDialog<QFileDialog>([target](QFileDialog& d) {
    auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.isVisible(); }));
    name->setText(target);
    static_cast<QDialog&>(d).accept();
  });
  fPage.BtnPdf->click();
  SetMessageDlgHook(previous);
  ASSERT_TRUE(QFile::exists(target + ".pdf"));
  ASSERT_EQ(shownTexts.size(), 1u);
  EXPECT_TRUE(shownTexts[0].contains(target + ".pdf")) << shownTexts[0].toStdString();
  EXPECT_TRUE(shownTexts[0].startsWith("Die Projektdokumentation wurde als PDF-Datei gespeichert"));
}

TEST_F(DocPage, TheViewAndThumbnailMenusReachTheSettings) {
  fPage.FrameActivate();
  TGmPreview& p = *fPage.Printer;
  // The documentation's margins in millimetres; the view menu shows them and clips to them.
  TGmMarginValues margins = p.MarginValues();
  margins.ValueMeasurement = gmMillimeters;
  EXPECT_NEAR(margins.Left(), 20, 0.01);
  EXPECT_NEAR(margins.Bottom(), 27, 0.01);
  fPage.ActMargins->trigger();
  EXPECT_TRUE(p.MarginsView().Visible);
  fPage.ActPrinterMargins->trigger();
  EXPECT_TRUE(p.MarginsView().ShowPrinterMargins);
  fPage.ActClipMargins->trigger();
  EXPECT_TRUE(p.Pages().Margins().ClipMargins());
  fPage.ActClipMargins->trigger();
  fPage.ActGrid[1]->trigger();
  EXPECT_EQ(p.PageGrid().GridStyle, gmDots);
  // The thumbnails' menu: plain pages stored in the options, larger thumbnails, the page shown.
  SetBoolOption(boPlainThumbs, true);
  fPage.PB->click();
  ASSERT_TRUE(fPage.GT->PlainPages());
  EXPECT_EQ(fPage.GT->ThumbPopup(), fPage.ThumbMenu);
  fPage.ActThumbPlain->setChecked(false);
  EXPECT_FALSE(fPage.GT->PlainPages());
  EXPECT_FALSE(GetBoolOption(boPlainThumbs));
  const int size = fPage.GT->ThumbSize();
  fPage.ActThumbLarger->trigger();
  EXPECT_EQ(fPage.GT->ThumbSize(), size + 2);
  EXPECT_EQ(fPage.GT->Count(), p.PageCount());
  fPage.ActThumbCaptions->setChecked(false);
  EXPECT_FALSE(fPage.GT->ShowCaption());
  fPage.GT->ShowPopup(4, QPoint(10, 10));
  fPage.ThumbMenu->close();
  fPage.ActThumbShow->trigger();
  EXPECT_EQ(p.CurrentPage(), 5);
  EXPECT_EQ(fPage.StatusPanel->text(), QString("Seite 5 von %1").arg(p.PageCount()));
  // The mouse over the page names its position; leaving it shows the page state again.
  QTest::mouseMove(p.PaperImage(), p.PaperImage()->PageRect().topLeft() + QPoint(96, 96));
  EXPECT_TRUE(fPage.StatusPanel->text().contains("mm")) << fPage.StatusPanel->text().toStdString();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(p.PaperImage(), &leave);
  EXPECT_EQ(fPage.StatusPanel->text(), QString("Seite 5 von %1").arg(p.PageCount()));
}

}  // namespace
}  // namespace zyn
