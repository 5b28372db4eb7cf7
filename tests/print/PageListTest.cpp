// Pages, the page list with its notifications, the recording canvas and the page objects.

#include "PrintTestSupport.h"
#include "print/GmCanvas.h"
#include "print/GmFontMapper.h"
#include "print/GmOutput.h"
#include "print/GmPageList.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class PageList : public testing::Test {
 protected:
  void SetUp() override {
    test::EnsureGuiApp();
    fList.Events().OnPageChanged = [this] { ++fPageChanged; };
    fList.Events().OnPageCountChanged = [this] { ++fCountChanged; };
    fList.Events().OnNewPage = [this] { ++fNewPage; };
    fList.Events().OnCurrentPageChanged = [this] { ++fCurrentChanged; };
  }
  TGmPageList fList;
  int fPageChanged = 0, fCountChanged = 0, fNewPage = 0, fCurrentChanged = 0;
};

TEST_F(PageList, PaperSizesAndOrientation) {
  fList.AddPage();
  EXPECT_EQ(fList.CurrentPage(), 1);
  EXPECT_EQ(fList.GetPage(1)->Width(), 210 / 25.4L);
  EXPECT_EQ(fList.GetPage(1)->Height(), 297 / 25.4L);
  fList.AddPage();
  fList.Canvas().Line(gmMillimeters, 10, 10, 20, 20);
  fList.SetOrientation(gmLandscape);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_NEAR(double(fList.GetPage(i)->GetSize(gmMillimeters).X), 297, 1e-9);
    EXPECT_NEAR(double(fList.GetPage(i)->GetSize(gmMillimeters).Y), 210, 1e-9);
  }
  const auto* line = static_cast<TGmLineObject*>(fList.GetPage(2)->Objects().Item(0));
  EXPECT_NEAR(double(line->Left(gmMillimeters)), 10, 1e-9);  // objects stay where they are
  fList.SetPaperSize(Letter);
  EXPECT_EQ(fList.GetPage(1)->Width(), 11);
  EXPECT_EQ(fList.GetPage(1)->Height(), 8.5L);
  fList.SetPaperSize(Custom);
  EXPECT_EQ(fList.GetPage(2)->Width(), 11);
  fList.AddPage();  // a new page of a custom paper keeps the current size
  EXPECT_EQ(fList.GetPage(3)->Height(), 8.5L);
}

TEST_F(PageList, InsertingMakesTheLastPageCurrentAndNotifies) {
  for (int i = 0; i < 3; ++i) fList.AddPage();
  TGmPage* first = fList.GetPage(1);
  fPageChanged = fCountChanged = 0;
  TGmPage* inserted = fList.InsertPage(0);
  EXPECT_EQ(inserted->PageNumber(), 1);
  EXPECT_EQ(first->PageNumber(), 2);
  EXPECT_EQ(fList.CurrentPage(), 4);
  EXPECT_EQ(fCountChanged, 1);
  EXPECT_EQ(fNewPage, 4);
  EXPECT_THROW(fList.GetPage(0), std::out_of_range);
  EXPECT_THROW(fList.GetPage(5), std::out_of_range);
  fCurrentChanged = 0;
  fList.SetCurrentPage(9);
  fList.SetCurrentPage(4);
  EXPECT_EQ(fCurrentChanged, 0);
  fList.SetCurrentPage(2);
  EXPECT_EQ(fCurrentChanged, 1);
}

TEST_F(PageList, UpdatesHoldNotificationsBackUntilTheEnd) {
  fList.EndUpdate();  // without a matching BeginUpdate: nothing
  EXPECT_EQ(fPageChanged + fCountChanged, 0);
  EXPECT_FALSE(fList.IsUpdating());
  fList.BeginUpdate();
  for (int i = 0; i < 5; ++i) {
    fList.AddPage();
    fList.Canvas().TextOut("Seite", 10, 10);
  }
  EXPECT_EQ(fPageChanged + fCountChanged, 0);
  EXPECT_EQ(fList.GetPage(5)->Objects().Count(), 1);  // objects are on their page at once
  fList.EndUpdate();
  EXPECT_EQ(fPageChanged, 1);
  EXPECT_EQ(fCountChanged, 1);
  fList.Canvas().TextOut("noch eine", 10, 20);
  EXPECT_EQ(fPageChanged, 2);
  int cleared = 0;
  fList.Events().OnCleared = [&] { ++cleared; };
  fList.Clear();
  EXPECT_EQ(fList.Count(), 1);
  EXPECT_EQ(fList.Resources().Fonts().Count(), 0);
  EXPECT_EQ(cleared, 1);
}

TEST_F(PageList, CanvasRecordsObjectsInInches) {
  fList.AddPage();
  TGmCanvas& c = fList.Canvas();
  auto* text = static_cast<TGmTextObject*>(c.TextOut("Text", 25.4L, 50.8L));
  EXPECT_EQ(text->ClipRect(), GmNoRect);
  EXPECT_NEAR(double(text->RectInches().Left), 1, 1e-15);
  EXPECT_NEAR(double(text->RectInches().Top), 2, 1e-15);
  EXPECT_EQ(text->Font()->Name, "Arial");
  EXPECT_EQ(text->Font()->Size, 10);
  EXPECT_EQ(c.LastObject(), text);

  c.MoveTo(gmMillimeters, 10, 10);
  EXPECT_EQ(fList.Current()->Objects().Count(), 1);  // MoveTo records nothing
  auto* l1 = static_cast<TGmLineObject*>(c.LineTo(gmMillimeters, 20, 10));
  auto* l2 = static_cast<TGmLineObject*>(c.LineTo(gmMillimeters, 20, 30));
  EXPECT_EQ(l1->Rect(gmMillimeters).Right, l2->Rect(gmMillimeters).Left);
  EXPECT_NEAR(double(l2->Rect(gmMillimeters).Bottom), 30, 1e-12);
  EXPECT_EQ(l1->Pen(), l2->Pen());  // equal pens share one entry
  EXPECT_EQ(fList.Resources().Pens().Count(), 1);

  QImage bmp(192, 96, QImage::Format_RGB32);
  bmp.fill(Qt::gray);
  auto* pic = static_cast<TGmGraphicObject*>(c.Draw(bmp, gmMillimeters, 20, 15, 0.5L));
  const TGmRect r = pic->Rect(gmMillimeters);
  EXPECT_NEAR(double(r.Left), 20, 1e-12);
  EXPECT_NEAR(double(r.Top), 15, 1e-12);
  EXPECT_NEAR(double(r.Right), 45.4, 1e-12);
  EXPECT_NEAR(double(r.Bottom), 27.7, 1e-12);
  EXPECT_EQ(pic->Picture()->Kind(), TGmGraphicKind::Bitmap);

  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_GT(c.TextWidth("Äj"), 0);
  EXPECT_GT(c.TextHeight("Äj"), 0.1L);  // 10 pt is about 0.15 inch of cell
  EXPECT_EQ(c.Measured().Height().AsInches(), c.TextHeight("Äj"));
  EXPECT_EQ(c.BitmapWidth(bmp), 2);

  c.TextOut("gedreht", 10, 10, gmMillimeters, 90);
  EXPECT_EQ(static_cast<TGmTextObject*>(c.LastObject())->Font()->Angle, 90);
  c.TextOut("gerade", 10, 10);
  EXPECT_EQ(static_cast<TGmTextObject*>(c.LastObject())->Font()->Angle, 0);
}

TEST_F(PageList, TextBoxesGrowToTheirTextOrKeepTheirHeight) {
  fList.AddPage();
  TGmCanvas& c = fList.Canvas();
  const std::string text = "Eine Zeile, die in einer schmalen Box auf mehrere Zeilen umbricht";
  auto* grown = static_cast<TGmTextBoxObject*>(c.TextBox(text, 0, 0, gmMillimeters, 10, 10, 40, 0));
  const TGmExtended margin = 1 / 25.4L;
  EXPECT_EQ(grown->InnerMargin(), margin);
  const TGmExtended lineHeight = TGmFontMapper::Instance().TextHeightInches(*grown->Font(), text);
  const TGmExtended height = grown->RectInches().Bottom - grown->RectInches().Top;
  EXPECT_EQ(height, grown->TextHeight());
  EXPECT_GT(height, 3 * lineHeight);  // several lines
  EXPECT_NEAR(double(height - 2 * margin), double(lineHeight * GmRound((height - 2 * margin) / lineHeight)), 0.001);
  auto* fixed = static_cast<TGmTextBoxObject*>(c.TextBox(text, 0, 0, gmMillimeters, 10, 10, 40, 15));
  EXPECT_NEAR(double(fixed->Rect(gmMillimeters).Bottom - fixed->Rect(gmMillimeters).Top), 5, 1e-12);
  EXPECT_NEAR(double(fixed->TextHeight()), 5 / 25.4, 1e-12);
}

TEST_F(PageList, ObjectsAreShiftedToTheirOriginAndFoundFromTheTop) {
  fList.AddPage();
  TGmCanvas& c = fList.Canvas();
  c.SetCoordsRelativeTo(gmFromUserMargins);
  auto* a = static_cast<TGmRectangleShape*>(c.Rectangle(gmInches, 0, 0, 1, 1));
  EXPECT_EQ(a->RectInches(), GmRect(0.5L, 0.5L, 1.5L, 1.5L));
  c.SetCoordsRelativeTo(gmFromPrinterMargins);
  fList.PrinterMargins = [](TGmOrientation) { return GmPoint(0.25L, 0.125L); };
  auto* b = static_cast<TGmRectangleShape*>(c.Rectangle(gmInches, 0.5L, 0.5L, 1.5L, 1.5L));
  EXPECT_EQ(b->RectInches(), GmRect(0.75L, 0.625L, 1.75L, 1.625L));
  c.SetCoordsRelativeTo(gmFromHeaderLine);
  auto* h = static_cast<TGmRectangleShape*>(c.Rectangle(gmInches, 3, 3, 4, 4));
  EXPECT_EQ(h->RectInches().Top, 3.5L + fList.Header().Height());

  TGmPage* page = fList.Current();
  EXPECT_EQ(page->ObjectAt(gmInches, 1.2L, 1.2L), b);  // covered by a and b: the later one
  EXPECT_EQ(page->ObjectAt(gmInches, 0.6L, 0.55L), a);
  EXPECT_EQ(page->ObjectAt(gmInches, 5, 9), nullptr);
  b->Move(3);  // to the start: now a is on top
  EXPECT_EQ(page->Objects().Item(0), b);
  EXPECT_EQ(page->ObjectAt(gmInches, 1.2L, 1.2L), a);
}

TEST_F(PageList, HeaderAndFooterDrawOnlyWhenVisible) {
  fList.AddPage();
  fList.Header().CaptionCenter().SetCaption("Kopf");
  fList.Footer().CaptionLeft().SetCaption("Fuß");
  QImage blank(RenderPage(*fList.GetPage(1), 50).size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  blank.setDotsPerMeterX(RenderPage(*fList.GetPage(1), 50).dotsPerMeterX());
  blank.setDotsPerMeterY(blank.dotsPerMeterX());
  EXPECT_TRUE(RenderPage(*fList.GetPage(1), 50) == blank);
  int changes = 0;
  fList.Events().OnHeaderFooterChanged = [&] { ++changes; };
  fList.Footer().SetVisible(true);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(RenderPage(*fList.GetPage(1), 50) == blank);
  fList.GetPage(1)->SetShowFooter(false);
  EXPECT_TRUE(RenderPage(*fList.GetPage(1), 50) == blank);

  // Rectangles in inches: within the margins, as high as the largest caption font.
  fList.Header().CaptionRight().EditFont([](TGmFont& f) { f.Size = 20; });
  const TGmRect hr = fList.HeaderRect();
  EXPECT_EQ(hr.Left, 0.5L);
  EXPECT_EQ(hr.Right, 210 / 25.4L - 0.5L);
  EXPECT_GT(hr.Bottom - hr.Top, fList.Footer().Height());
  EXPECT_EQ(fList.FooterRect().Bottom, 297 / 25.4L - 0.5L);
}

TEST_F(PageList, ObjectsNotToBePrintedAreDrawnOnScreensOnly) {
  fList.AddPage();
  fList.Canvas().Brush().Style = bsSolid;
  fList.Canvas().Brush().Color = 0x000000;
  fList.Canvas().Rectangle(gmInches, 1, 1, 2, 2)->SetPrintable(false);
  const QImage screen = RenderPage(*fList.GetPage(1), 50, true);
  EXPECT_EQ(screen.pixel(75, 75), qRgb(0, 0, 0));
  QImage page(screen.size(), QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    fList.GetPage(1)->Draw(p, 50, 50, false);
  }
  EXPECT_EQ(page.pixel(75, 75), qRgb(0, 0, 0));  // an image is no printer: still drawn
}

}  // namespace
}  // namespace zyn
