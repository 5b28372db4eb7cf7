#include "widgets/controls/ZCLImageList.h"

#include "TestSupport.h"

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

}  // namespace
}  // namespace zyn
