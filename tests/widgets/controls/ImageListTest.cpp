#include "TestSupport.h"
#include "widgets/controls/ZCLBitmapEffect.h"
#include "widgets/controls/ZCLImageList.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

QImage Strip(int count, int w, int h) {
  QImage img(count * w, h, QImage::Format_RGB32);
  for (int i = 0; i < count; ++i)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.setPixel(i * w + x, y, qRgb(10 * i, x, y));
  return img;
}

TEST(ImageList, StripAndTheImageInterface) {
  EnsureApp();
  TZCLImageList list;
  auto* item = list.Item(list.AddItem());
  EXPECT_EQ(item->AddBitmap(Strip(3, 16, 16)), 0);
  EXPECT_EQ(item->AddBitmap(Strip(2, 16, 16)), 3);
  EXPECT_EQ(list.GetImageCount(0), 5);
  EXPECT_EQ(list.GetImageCount(1), -1);
  EXPECT_TRUE(list.IsValidImage(0, 4));
  EXPECT_FALSE(list.IsValidImage(0, 5));
  EXPECT_EQ(list.GetDimension(0, 1), 16);
  EXPECT_EQ(list.GetDimension(0, 2), 0);
  EXPECT_EQ(item->ImageRect(2), Rect(32, 0, 48, 16));
  EXPECT_EQ(list.GetTransparentColor(0, 1), RGB(10, 0, 15));
  EXPECT_EQ(list.GetTransparentColor(3, 0), 0xFFFFFF);
  EXPECT_THROW(item->AddBitmap(Strip(1, 10, 16)), EInvalidGraphicOperation);
  EXPECT_THROW(item->SetSize(0, 0), EInvalidGraphicOperation);
  const QByteArray data = list.SaveToStream(false);
  TZCLImageList copy;
  copy.LoadFromStream(data, false);
  EXPECT_EQ(copy.GetImageCount(0), 5);
  EXPECT_EQ(copy.Item(0)->Image(4).pixel(3, 2), item->Image(4).pixel(3, 2));
}

TEST(ImageList, TooManyImages) {
  EnsureApp();
  TZCLImageListItem item;
  item.SetSize(0, 1024);
  item.SetAllocBy(40);
  EXPECT_THROW(item.AddBitmap(Strip(1, 1024, 16)), EInvalidGraphicOperation);
}

TEST(Container, GlobalListReferences) {
  EnsureApp();
  TZCLContainer& g = TZCLContainer::Global();
  EXPECT_EQ(TZCLContainer::WriteListReference(&g.BitmapList()), QStringLiteral("ZCLBML30"));
  EXPECT_EQ(TZCLContainer::ReadListReference(QStringLiteral("ZCLIML30")), &g.ImageList());
  TZCLImageList own;
  EXPECT_FALSE(TZCLContainer::IsGlobalList(&own));
  EXPECT_TRUE(TZCLContainer::IsGlobalList(&g.WaveList()));
  EXPECT_EQ(ListExtension(lkWaveList, true), QStringLiteral(".wav"));
}

TEST(ImageList, BothListsAnswerTheImageInterface) {
  EnsureApp();
  TZCLImageList images;
  auto* item = images.Item(images.AddItem());
  item->AddBitmap(Strip(2, 16, 16));
  TZCLBitmapList bitmaps;
  auto* b = bitmaps.Item(bitmaps.AddItem());
  b->Bitmap = QImage(10, 8, QImage::Format_RGB32);
  b->Bitmap.fill(Qt::red);
  b->Bitmap.setPixelColor(0, 7, Qt::green);
  bitmaps.AddItem();  // an empty second item
  const TZCLCustomImageList* lists[] = {&images, &bitmaps};
  EXPECT_EQ(lists[0]->GetImageRect(0, 1), Rect(16, 0, 32, 16));
  EXPECT_EQ(lists[1]->GetImageRect(0, 7), Rect(0, 0, 10, 8));  // the image index is ignored
  EXPECT_EQ(lists[1]->GetDimension(0, 0), 10);
  EXPECT_EQ(lists[1]->GetImageCount(0), 1);
  EXPECT_EQ(lists[1]->GetImageCount(1), 0);
  EXPECT_EQ(lists[1]->GetImageCount(5), 0);
  EXPECT_FALSE(lists[1]->IsValidImage(1, 0));
  EXPECT_EQ(lists[1]->GetTransparentColor(0, 0), clLime);
  EXPECT_EQ(lists[1]->GetTransparentColor(3, 0), 0xFFFFFF);
  EXPECT_EQ(lists[1]->GetPixelAt(TPoint{3, 3}, 0, 0), clRed);
  EXPECT_EQ(lists[1]->GetPixelAt(TPoint{30, 3}, 0, 0), 0xFFFFFF);
  EXPECT_EQ(lists[0]->GetBitmap(0, 1).size(), QSize(16, 16));
  EXPECT_TRUE(lists[0]->GetBitmap(0, 2).isNull());
  EXPECT_FALSE(lists[1]->IsMasked(0));
  QImage target(20, 20, QImage::Format_RGB32);
  target.fill(Qt::white);
  TCanvas canvas(&target);
  EXPECT_EQ(lists[1]->DrawInRect(canvas, Rect(0, 0, 20, 20), 0, 0, 0x8), Rect(5, 6, 15, 14));
  EXPECT_EQ(FromQColor(target.pixelColor(6, 7)), clRed);
}

TEST(ImageList, AlphaObjectFollowsItsImageListThroughTheChangeLink) {
  EnsureApp();
  auto images = std::make_unique<TZCLImageList>();
  auto* item = images->Item(images->AddItem());
  item->AddBitmap(Strip(2, 16, 16));
  TZCLAlphaObject alpha;
  int changes = 0;
  alpha.OnChange = [&](QObject*) { ++changes; };
  alpha.SetImageList(images.get());
  alpha.SetImageIndex(1);
  EXPECT_EQ(alpha.FillObject().ListBitmap.size(), QSize(16, 16));
  EXPECT_EQ(alpha.FillObject().ListBitmap.pixel(3, 2), item->Image(1).pixel(3, 2));
  EXPECT_EQ(images->LinkCount(), 1);
  alpha.SetImageIndex(9);  // no such image: the list bitmap is cleared
  EXPECT_TRUE(alpha.FillObject().ListBitmap.isNull());
  alpha.SetImageIndex(0);
  const int before = changes;
  item->AddBitmap(Strip(1, 16, 16));
  images->Changed();  // the list reports its change through the link
  EXPECT_GT(changes, before);
  images.reset();  // a freed list leaves no dangling reference
  EXPECT_EQ(alpha.ImageList(), nullptr);
  alpha.SetImageIndex(1);
  EXPECT_TRUE(alpha.FillObject().ListBitmap.isNull());
}

TEST(ImageList, DrawingStylesOfAMaskedItem) {
  EnsureApp();
  TZCLImageList list;
  auto* item = list.Item(list.AddItem());
  item->SetMasked(true);
  QImage strip(16, 16, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  strip.setPixelColor(4, 4, Qt::red);
  item->AddBitmap(strip);
  QImage target(16, 16, QImage::Format_RGB32);
  auto drawn = [&](int style, TColor bk, TColor blend) {
    target.fill(Qt::white);
    TCanvas canvas(&target);
    item->DrawingStyle = style;
    item->BkColor = bk;
    item->BlendColor = blend;
    item->Draw(canvas, 0, 0, 0);
  };
  drawn(2, clNone, clNone);  // masked straight onto the target
  EXPECT_EQ(FromQColor(target.pixelColor(4, 4)), clRed);
  EXPECT_EQ(FromQColor(target.pixelColor(5, 5)), clWhite);
  drawn(2, clYellow, clNone);  // on the background colour
  EXPECT_EQ(FromQColor(target.pixelColor(5, 5)), clYellow);
  drawn(1, clYellow, clBlue);  // blend where x and y parity differ
  EXPECT_EQ(FromQColor(target.pixelColor(5, 4)), clBlue);
  EXPECT_EQ(FromQColor(target.pixelColor(5, 5)), clYellow);
  drawn(0, clYellow, clBlue);  // blend where x or y is even
  EXPECT_EQ(FromQColor(target.pixelColor(5, 4)), clBlue);
  EXPECT_EQ(FromQColor(target.pixelColor(5, 5)), clYellow);
  EXPECT_EQ(FromQColor(target.pixelColor(4, 5)), clBlue);
  item->ImageType = 1;  // the mask itself
  drawn(2, clNone, clNone);
  EXPECT_EQ(FromQColor(target.pixelColor(4, 4)), clBlack);
  EXPECT_EQ(FromQColor(target.pixelColor(5, 5)), clWhite);
}

}  // namespace
}  // namespace zyn
