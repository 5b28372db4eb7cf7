// The shared tools of a document, the library functions and the font mapper.

#include "PrintTestSupport.h"
#include "print/GmFontMapper.h"
#include "print/GmFuncs.h"
#include "print/GmJpeg.h"
#include "print/GmResource.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <mutex>

namespace zyn {
namespace {

class PrintGui : public testing::Test {
 protected:
  void SetUp() override { test::EnsureGuiApp(); }
};

TEST_F(PrintGui, EqualResourcesAreSharedAndCounted) {
  TGmResourceTable t;
  TGmFont arial;
  arial.Name = "Arial";
  arial.Size = 10;
  TGmFont* a = t.Fonts().Add(arial);
  EXPECT_EQ(t.Fonts().Add(arial), a);
  EXPECT_EQ(t.Fonts().RefCount(0), 2);
  TGmFont lower = arial;
  lower.Name = "arial";
  EXPECT_NE(t.Fonts().Add(lower), a);  // the name is compared with its case
  t.Fonts().Release(arial);
  EXPECT_EQ(t.Fonts().RefCount(0), 1);
  t.Fonts().Release(*a);
  EXPECT_EQ(t.Fonts().Count(), 1);
  EXPECT_EQ(t.Fonts().Item(0)->Name, "arial");
  t.Fonts().Release(arial);  // not in the list: nothing happens
  EXPECT_EQ(t.Fonts().Count(), 1);
  EXPECT_EQ(t.Fonts().Item(-1), nullptr);
  EXPECT_EQ(t.Fonts().Item(7), nullptr);

  TGmPen pen;
  pen.Width = 4;
  EXPECT_EQ(t.Pens().Add(pen), t.Pens().Add(pen));

  const QImage bmp(8, 8, QImage::Format_RGB32);
  const auto g = TGmGraphic::FromBitmap(bmp);
  t.Graphics().SetCompare(false);
  EXPECT_NE(t.Graphics().AddGraphic(*g), t.Graphics().AddGraphic(*g));
  t.Graphics().SetCompare(true);
  EXPECT_EQ(t.Graphics().AddGraphic(*g), t.Graphics().Item(0));
  EXPECT_EQ(t.Graphics().RefCount(0), 2);

  t.Clear();
  EXPECT_EQ(t.Fonts().Count() + t.Pens().Count() + t.Brushes().Count() + t.Graphics().Count(), 0);
  TGmFont* again = t.Fonts().Add(arial);
  EXPECT_EQ(again, t.Fonts().Item(0));
  EXPECT_EQ(t.Fonts().RefCount(0), 1);
}

TEST_F(PrintGui, ToolsOnAPainter) {
  QImage img(10, 10, QImage::Format_RGB32);
  QPainter p(&img);
  TGmBrush brush;
  brush.Style = bsSolid;
  brush.Color = GmNoColour;
  ApplyBrush(brush, p);
  EXPECT_EQ(p.brush().style(), Qt::NoBrush);
  brush.Color = 0x0000FF;
  ApplyBrush(brush, p);
  EXPECT_EQ(p.brush().color(), QColor(255, 0, 0));

  TGmPen pen;
  pen.Width = 4;
  pen.Color = GmBlack;
  pen.Mode = pmCopy;
  EXPECT_EQ(GmPenPixels(pen, 300), 4);
  ApplyPen(pen, p, 300);
  EXPECT_EQ(p.pen().width(), 4);
  EXPECT_FALSE(p.pen().isCosmetic());
  ApplyPen(pen, p, 96);
  EXPECT_EQ(p.pen().width(), 1);
  EXPECT_TRUE(p.pen().isCosmetic());
  pen.Style = psDot;
  ApplyPen(pen, p, 96);
  EXPECT_EQ(p.pen().style(), Qt::DotLine);
  pen.Color = GmNoColour;
  ApplyPen(pen, p, 96);
  EXPECT_EQ(p.pen().style(), Qt::NoPen);

  TGmPen fromText;
  TextToPen(fromText, PenToText(TGmPen{12, 0x123456, psDashDot, pmXor, {}}));
  EXPECT_TRUE(fromText.Equals(TGmPen{12, 0x123456, psDashDot, pmXor, {}}));
  EXPECT_THROW(TextToPen(fromText, "1,2,3"), EGmConvertError);
  EXPECT_THROW(TextToPen(fromText, "1,x,3,4"), EGmConvertError);
}

TEST_F(PrintGui, ResourceListsStreamForms) {
  TGmResourceTable t;
  t.Brushes().Add(TGmBrush{0x102030, bsCross, {}});
  TGmFont f;
  f.Name = "Courier New";
  f.Size = 9;
  f.Style = fsBold | fsItalic;
  f.Angle = 45;
  f.Color = 0x0000FF;
  t.Fonts().Add(f);
  t.Pens().Add(TGmPen{8, 0xFF, psDash, pmCopy, {}});
  QImage small(3, 2, QImage::Format_RGB32);
  small.fill(Qt::blue);
  t.Graphics().AddGraphic(*TGmGraphic::FromBitmap(small));
  t.Graphics().AddGraphic(*TGmGraphic::FromJpeg(EncodeJpeg(small)));

  TMemoryStream s;
  t.SaveToStream(s);
  s.SetPosition(0);
  TGmResourceTable back;
  back.LoadFromStream(s);
  EXPECT_TRUE(back.Brushes().Item(0)->Equals(*t.Brushes().Item(0)));
  EXPECT_TRUE(back.Fonts().Item(0)->Equals(f));
  EXPECT_TRUE(back.Pens().Item(0)->Equals(*t.Pens().Item(0)));
  ASSERT_EQ(back.Graphics().Count(), 2);
  EXPECT_TRUE(back.Graphics().Item(0)->Equals(*t.Graphics().Item(0)));
  EXPECT_EQ(back.Graphics().Item(1)->Kind(), TGmGraphicKind::Jpeg);
  EXPECT_EQ(back.Graphics().Item(1)->ToImage().size(), QSize(3, 2));
  for (int i = 0; i < 1; ++i) EXPECT_EQ(back.Fonts().RefCount(i), 1);

  // A graphic of an unknown kind is skipped through its end position; a wrong end is refused.
  TMemoryStream g;
  g.WriteI32(2);
  g.WriteU8(9);
  g.WriteI32(4 + 1 + 4 + 3);
  g.Write("xyz", 3);
  g.WriteU8(2);
  const std::int64_t endPos = g.Position() + 4 + static_cast<std::int64_t>(t.Graphics().Item(0)->StoredForm().size());
  g.WriteI32(static_cast<std::int32_t>(endPos));
  g.Write(t.Graphics().Item(0)->StoredForm().data(), t.Graphics().Item(0)->StoredForm().size());
  g.SetPosition(0);
  TGmGraphicList list;
  list.LoadFromStream(g);
  EXPECT_EQ(list.Count(), 1);
  g.Bytes()[5] = 0x7F;  // the first entry's end far behind the stream
  g.SetPosition(0);
  EXPECT_THROW(list.LoadFromStream(g), EReadError);
}

TEST(GmFuncs, PageTokensStylesColoursAndPaper) {
  std::tm when{};
  when.tm_mday = 4;
  when.tm_mon = 2;
  when.tm_year = 126;
  when.tm_hour = 9;
  when.tm_min = 7;
  EXPECT_EQ(ReplacePageTokensAt("{PAGE} / {NUMPAGES}", 2, 5, GmDateFormat, GmTimeFormat, when), "2 / 5");
  EXPECT_EQ(ReplacePageTokensAt("{PAGE}{PAGE} {page}", 3, 5, GmDateFormat, GmTimeFormat, when), "33 {page}");
  EXPECT_EQ(ReplacePageTokensAt("{DATE} {TIME}", 1, 1, GmDateFormat, GmTimeFormat, when), "04.03.2026 09.07");
  EXPECT_EQ(ReplaceText("a{X}b", "{X}", "{X}{X}"), "a{X}{X}b");  // ends although the token returns
  EXPECT_EQ(FontStyleText(fsBold | fsUnderline), "b,u");
  EXPECT_EQ(FontStyleText(0), "");
  EXPECT_EQ(FontStyleFromText("b,u"), fsBold | fsUnderline);
  EXPECT_EQ(ContrastColour(0x0000FF), 0xFFFF00u);  // red gives cyan
  EXPECT_EQ(ContrastColour(0xFFFFFF), 0u);
  EXPECT_NEAR(double(PaperSizeInches(A4).X), 8.27, 0.005);
  EXPECT_NEAR(double(PaperSizeInches(A4).Y), 11.69, 0.005);
  EXPECT_EQ(PaperSizeInches(Ledger), GmPoint(17, 11));
  EXPECT_EQ(PaperSizeInches(18), GmPoint(0, 0));
  EXPECT_EQ(PaperSizeInches(0x80 | Letter), GmPoint(8.5L, 11));
}

TEST_F(PrintGui, StretchBitmapWithAnUnknownCopyModeCopies) {
  QImage src(4, 4, QImage::Format_RGB32);
  src.fill(qRgb(10, 200, 30));
  auto draw = [&](std::uint32_t rop) {
    QImage dst(8, 8, QImage::Format_RGB32);
    dst.fill(qRgb(255, 255, 255));
    QPainter p(&dst);
    StretchBitmap(p, QRect(0, 0, 8, 8), src, rop);
    p.end();
    return dst;
  };
  EXPECT_TRUE(draw(0x12345678) == draw(GmSRCCOPY));
  EXPECT_EQ(draw(GmSRCCOPY).pixel(3, 3), qRgb(10, 200, 30));
  EXPECT_EQ(draw(GmSRCAND).pixel(3, 3), qRgb(10, 200, 30));
  EXPECT_EQ(draw(GmNOTSRCCOPY).pixel(3, 3), qRgb(245, 55, 225));
  EXPECT_EQ(draw(GmBLACKNESS).pixel(3, 3), qRgb(0, 0, 0));
}

TEST(GmFontMapperCarry, CharacterAdvancesCarryTheirFractions) {
  EXPECT_EQ(TGmFontMapper::CarryAdvances({10.4L, 10.4L, 10.4L}), (std::vector<int>{10, 10, 11}));
  EXPECT_EQ(TGmFontMapper::CarryAdvances({2.5L, 2.5L, 2.5L, 2.5L}), (std::vector<int>{2, 2, 3, 2}));
  // A carry of 1.6 gives one pixel and keeps 0.6: no pixel is lost on the way (19 owed, 18 given,
  // the last carry of exactly 1 still pending).
  EXPECT_EQ(TGmFontMapper::CarryAdvances({3.8L, 3.8L, 3.8L, 3.8L, 3.8L}), (std::vector<int>{3, 4, 4, 4, 3}));
  EXPECT_TRUE(TGmFontMapper::CarryAdvances({}).empty());
}

TEST_F(PrintGui, LinesBreakAtBlanksAndLineBreaks) {
  TGmFontMapper& m = TGmFontMapper::Instance();
  TGmFont f;
  f.Name = "Arial";
  f.Size = 10;
  const TGmExtended both = m.TextWidthInches(f, "Eingang Ausgang");
  const TGmExtended first = m.TextWidthInches(f, "Eingang ");
  EXPECT_EQ(m.WrapLines(f, "Eingang Ausgang", both + 0.01L), (std::vector<std::string>{"Eingang Ausgang"}));
  EXPECT_EQ(m.WrapLines(f, "Eingang Ausgang", first + 0.01L), (std::vector<std::string>{"Eingang ", "Ausgang"}));
  EXPECT_EQ(m.WrapLines(f, "Steuermodul", 0.1L), (std::vector<std::string>{"Steuermodul"}));
  EXPECT_EQ(m.WrapLines(f, "a\r\nb", 5), (std::vector<std::string>{"a\r", "b"}));
  EXPECT_EQ(m.WrapLines(f, "a\r\n\r\nb", 5), (std::vector<std::string>{"a\r", "\r", "b"}));
  EXPECT_EQ(m.WrapLines(f, "Eingang Ausgang", first + 0.01L, false), (std::vector<std::string>{"Eingang Ausgang"}));
  EXPECT_TRUE(m.WrapLines(f, "", 1).empty());

  QImage img(400, 200, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  EXPECT_EQ(m.DrawWrappedText(p, f, 96, QRect(0, 0, 400, 200), true, 0, ""), 0);
  const TGmExtended h = m.DrawWrappedText(p, f, 96, QRect(0, 0, 400, 200), true, 0, "a\r\n\r\nb");
  EXPECT_NEAR(double(h), double(3 * m.TextHeightInches(f, "a")), 1e-9);
  EXPECT_EQ(m.ReferenceResolution(), 96);  // screen output leaves the screen resolution
  m.TextOutMapped(p, f, 600, 0, 0, false, "x");
  EXPECT_EQ(m.ReferenceResolution(), TGmFontMapper::PlatformResolution());
}

TEST_F(PrintGui, DocumentFontsMapToMetricCompatibleFamiliesAndAMissingOneFallsBackWithANote) {
  TGmFontMapper m;
  EXPECT_EQ(m.MapFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(m.MapFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(m.MapFamily("Courier New"), "Liberation Mono");

  static std::mutex lock;
  static QStringList notes;
  {
    std::lock_guard<std::mutex> g(lock);
    notes.clear();
  }
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& msg) {
        std::lock_guard<std::mutex> g(lock);
        notes << msg;
      });
  const QString family = m.MapFamily("Gibt Es Nicht Sans");
  m.MapFamily("Gibt Es Nicht Sans");  // noted once
  qInstallMessageHandler(previous);
  EXPECT_FALSE(family.isEmpty());
  ASSERT_EQ(notes.size(), 1);
  EXPECT_TRUE(notes[0].contains("Gibt Es Nicht Sans")) << notes[0].toStdString();
  EXPECT_TRUE(notes[0].contains(family));

  // Text in the missing font is measured and drawn in the stand-in.
  TGmFont f;
  f.Name = "Gibt Es Nicht Sans";
  f.Size = 10;
  EXPECT_GT(m.TextWidthInches(f, "Text"), 0);
}

TEST_F(PrintGui, TextHasTheSameLengthOnScreenAndPaper) {
  TGmFontMapper& m = TGmFontMapper::Instance();
  TGmFont f;
  f.Name = "Arial";
  f.Size = 10;
  m.SetReferenceResolution(TGmFontMapper::PlatformResolution());
  const std::string text = "Lichtsteuerung Wohnzimmer Ost";
  const TGmExtended inches = m.TextWidthInches(f, text);
  for (int ppi : {96, 300, 600, 1200}) {
    const std::vector<int> adv = m.Advances(f, text, ppi);
    int sum = 0;
    for (int a : adv) sum += a;
    EXPECT_NEAR(sum, double(inches * ppi), 1.0) << ppi;
  }
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(PrintGui, PicturesAreStoredAsJpegAndDamagedOnesAreRefused) {
  QImage img(32, 16, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) img.setPixel(x, y, qRgb(200, 30, 40));
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(img);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  int w = 0, h = 0;
  ASSERT_TRUE(JpegSize(jpeg, w, h));
  EXPECT_EQ(QSize(w, h), QSize(32, 16));
  const QImage back = DecodeJpeg(jpeg);
  ASSERT_EQ(back.size(), img.size());
  const QColor red = back.pixelColor(4, 8), white = back.pixelColor(28, 8);
  EXPECT_NEAR(red.red(), 200, 12);
  EXPECT_NEAR(red.green(), 30, 12);
  EXPECT_GT(white.red() + white.green() + white.blue(), 3 * 240);  // transparency becomes paper white

  std::vector<std::uint8_t> damaged(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 3));
  EXPECT_TRUE(DecodeJpeg({'n', 'o', 'p', 'e'}).isNull());
  EXPECT_FALSE(JpegSize({0xFF, 0xD8, 0xFF}, w, h));
  DecodeJpeg(damaged);  // cut short: decodes what is there or nothing, never more
  EXPECT_EQ(TGmGraphic::FromJpeg({1, 2, 3}), nullptr);
  EXPECT_EQ(TGmGraphic::FromStoredForm(TGmGraphicKind::Bitmap, {'B', 'M', 0, 0}), nullptr);
}

}  // namespace
}  // namespace zyn
