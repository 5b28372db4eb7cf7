// Pages written to their stream form and read back replay pixel for pixel; a damaged stream is
// refused with a read error and leaves the pages as they were.

#include "PrintTestSupport.h"
#include "print/GmCanvas.h"
#include "print/GmJpeg.h"
#include "print/GmOutput.h"
#include "print/GmPageList.h"

#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace zyn {
namespace {

QImage Gradient(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x + y) % 256));
  return img;
}

// A page with every kind of object the canvas records, and a second page with a footer token.
void RecordDocument(TGmPageList& list) {
  list.AddPage();
  TGmCanvas& c = list.Canvas();
  c.Font().Size = 14;
  c.Font().Style = fsBold | fsUnderline;
  c.TextOut("Projektdokumentation", 20.3L, 25.7L);
  c.Font().Style = 0;
  c.Font().Size = 9;
  c.TextOut("gedreht", 15, 120, gmMillimeters, 90);
  const TGmRect clip{20, 40, 45, 50};
  c.TextOut("abgeschnittener langer Text", 20, 42, gmMillimeters, 0, &clip);
  c.Brush().Style = bsSolid;
  c.Brush().Color = 0xE0F0FF;
  c.Pen().Width = 4;
  c.Pen().Color = 0x800000;
  c.Rectangle(gmMillimeters, 20, 60, 95, 80);
  c.TextBox("Ein Text, der in der Box umbricht, weil sie schmal ist.\r\nNeue Zeile", 2, 1, gmMillimeters, 100, 60, 150,
            90);
  c.Brush().Style = bsClear;
  c.Pen().Style = psDash;
  c.MoveTo(gmMillimeters, 20, 100);
  c.LineTo(gmMillimeters, 90, 110);
  c.LineTo(gmMillimeters, 20, 110);
  c.Pen().Style = psSolid;
  c.Brush().Style = bsSolid;
  c.Brush().Color = 0x00C000;
  c.Polygon({{100, 100}, {140, 100}, {120, 130}}, 3, gmMillimeters);
  c.Draw(Gradient(64, 48), gmMillimeters, 20, 140, 1.5L);
  TGmPicture other;
  other.Kind = TGmPicture::Other;  // stored compressed as a JPEG image
  other.Image = Gradient(40, 40);
  c.StretchDraw(other, gmMillimeters, 60, 140, 80, 160);
  QPicture meta;
  {
    QPainter p(&meta);
    p.setPen(QPen(Qt::red, 3));
    p.drawEllipse(0, 0, 100, 60);
  }
  TGmPicture metafile;
  metafile.Kind = TGmPicture::Metafile;
  metafile.Picture = &meta;
  c.StretchDraw(metafile, gmMillimeters, 90, 140, 140, 170);
  list.AddPage();
  c.TextOut("Seite {PAGE} / {NUMPAGES}", 20, 20);
  list.Header().SetVisible(true);
  list.Header().CaptionLeft().SetCaption("Kopfzeile");
  list.Header().CaptionRight().SetCaption("{PAGE}");
}

std::vector<std::uint8_t> Save(const TGmPageList& list) {
  TMemoryStream s;
  list.SaveToStream(s);
  return s.Bytes();
}

class PageStream : public testing::Test {
 protected:
  void SetUp() override { test::EnsureGuiApp(); }
};

TEST_F(PageStream, PagesReadBackReplayIdentically) {
  TGmPageList original;
  RecordDocument(original);
  const std::vector<std::uint8_t> bytes = Save(original);

  TGmPageList back;
  TMemoryStream in(bytes);
  back.LoadFromStream(in);
  ASSERT_EQ(back.Count(), original.Count());
  EXPECT_EQ(back.Resources().Graphics().Count(), 3);
  EXPECT_EQ(back.Resources().Graphics().Item(1)->Kind(), TGmGraphicKind::Jpeg);
  EXPECT_EQ(back.GetPage(1)->Objects().Count(), original.GetPage(1)->Objects().Count());
  for (int page = 1; page <= original.Count(); ++page) {
    for (bool screen : {true, false}) {
      const QImage a = RenderPage(*original.GetPage(page), 96, screen);
      const QImage b = RenderPage(*back.GetPage(page), 96, screen);
      EXPECT_TRUE(a == b) << "page " << page << (screen ? " on screen" : " on paper");
    }
  }
  // What was read once is stored and read again without any change, at any resolution.
  const std::vector<std::uint8_t> again = Save(back);
  EXPECT_EQ(again, bytes);
  TGmPageList third;
  TMemoryStream in2(again);
  third.LoadFromStream(in2);
  EXPECT_TRUE(RenderPage(*third.GetPage(1), 300) == RenderPage(*back.GetPage(1), 300));
}

TEST_F(PageStream, DamagedStreamsAreRefusedAndChangeNothing) {
  TGmPageList source;
  RecordDocument(source);
  const std::vector<std::uint8_t> bytes = Save(source);

  TGmPageList target;
  target.AddPage();
  target.Canvas().TextOut("bleibt", 10, 10);
  const std::vector<std::uint8_t> before = Save(target);

  // Cut short anywhere: always a read error.
  for (size_t cut : {size_t(0), size_t(3), size_t(9), bytes.size() / 3, bytes.size() / 2, bytes.size() - 1}) {
    std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    TMemoryStream in(part);
    EXPECT_THROW(target.LoadFromStream(in), EReadError) << cut;
  }
  // Counts and lengths far beyond the stream.
  auto patched = [&](size_t at, std::int32_t value) {
    std::vector<std::uint8_t> b = bytes;
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  for (std::int32_t v : {-1, 0x7FFFFFFF, 0x10000000}) {
    TMemoryStream brushCount(patched(8, v));
    EXPECT_THROW(target.LoadFromStream(brushCount), EReadError);
    TMemoryStream firstBlock(patched(12, v));
    EXPECT_THROW(target.LoadFromStream(firstBlock), EReadError);
  }
  EXPECT_EQ(Save(target), before);

  // Random damage never crashes: it reads or it is refused.
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> b = bytes;
    for (int k = 0; k < 3; ++k) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
    TGmPageList l;
    TMemoryStream in(b);
    try {
      l.LoadFromStream(in);
      for (int p = 1; p <= l.Count(); ++p) RenderPage(*l.GetPage(p), 20);
    } catch (const EReadError&) {
    }
  }
}

TEST_F(PageStream, ObjectsReferToTheirResourcesByIndexChecked) {
  TGmResourceTable table;
  TGmValueList v;
  v.WriteInteger("ID", gmTextObject);
  v.WriteInteger("F", 0);  // no font in the table
  TGmTextObject text(&table);
  EXPECT_THROW(text.LoadFromValueList(v), EReadError);

  TGmPolygonObject poly(&table);
  TGmValueList p;
  poly.LoadFromValueList(p);  // without "SZ": no points
  EXPECT_TRUE(poly.Points().empty());
  p.WriteInteger("SZ", 1000000000);
  EXPECT_THROW(poly.LoadFromValueList(p), EReadError);
  TGmValueList two;
  two.WriteInteger("SZ", 2);
  two.WritePoint("XY1", {1, 2});
  two.WritePoint("XY0", {3, 4});
  poly.LoadFromValueList(two);
  EXPECT_EQ(poly.Points(), (TGmPolyPoints{{3, 4}, {1, 2}}));
}

}  // namespace
}  // namespace zyn
