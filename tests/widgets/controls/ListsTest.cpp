#include "TestSupport.h"
#include "widgets/controls/ZCLCompress.h"
#include "widgets/controls/ZCLImageList.h"
#include "widgets/controls/ZCLLists.h"
#include "widgets/controls/ZCLProcs.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(Compress, RunOfTwentyEqualBytes) {
  const QByteArray input(20, 'x');
  const QByteArray packed = CompressChunk(input);
  EXPECT_EQ(packed, QByteArray("\x40\x80\x00\x00\x00\x04x", 7));
  EXPECT_EQ(DecompressChunk(packed), input);
}

TEST(Compress, IncompressibleChunkIsStored) {
  const QByteArray input("abcde");
  EXPECT_EQ(CompressChunk(input), QByteArray("\x80") + input);
  EXPECT_EQ(DecompressChunk(CompressChunk(input)), input);
}

TEST(Compress, CopiesAndMixedDataRoundTrip) {
  QByteArray text;
  for (int i = 0; i < 200; ++i) text += "Gebaeude Projekt Modul ";
  const QByteArray packed = CompressChunk(text);
  EXPECT_EQ(static_cast<unsigned char>(packed[0]), 64);
  EXPECT_LT(packed.size(), text.size() / 4);
  EXPECT_EQ(DecompressChunk(packed), text);
  QByteArray noise(70000, '\0');
  QRandomGenerator rng(42);
  for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i % 7 == 0 ? rng.bounded(256) : i % 13);
  const QByteArray block = CompressBlock(noise);
  int pos = 0;
  QByteArray back;
  ASSERT_TRUE(DecompressBlock(block, pos, back));
  EXPECT_EQ(pos, block.size());
  EXPECT_EQ(back, noise);
  int cut = 0;
  EXPECT_FALSE(DecompressBlock(block.left(block.size() - 3), cut, back));
}

TEST(Lists, ItemHeaderFlagsAndDescriptionLimit) {
  TZCLStringList list;
  const int plain = list.AddItem();
  const int named = list.AddItem();
  list.Item(named)->SetDescription(QString(300, QLatin1Char('d')));
  list.Item(named)->SetIdent(7);
  list.Item(named)->Items = QStringList{"eins", "zwei"};
  const QByteArray data = list.SaveToStream(false);
  EXPECT_EQ(data.mid(0, 4), QByteArray("\x02\x00\x00\x00", 4));
  EXPECT_EQ(data[4], '\0');  // the plain item is the single flags byte 0
  EXPECT_EQ(static_cast<unsigned char>(data[5]), 2 | 4 | 8);
  EXPECT_EQ(static_cast<unsigned char>(data[6]), 255);
  TZCLStringList copy;
  copy.LoadFromStream(data, false);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Item(plain)->Description(), QString());
  EXPECT_EQ(copy.Item(named)->Description().size(), 255);
  EXPECT_EQ(copy.Item(named)->Ident(), 7);
  EXPECT_EQ(copy.Item(named)->Items, (QStringList{"eins", "zwei"}));
}

TEST(Lists, ListFileOfTwoBitmapsHasItsOffsetTable) {
  zyn::test::EnsureApp();
  TZCLBitmapList list;
  for (int i = 0; i < 2; ++i) {
    auto* item = list.Item(list.AddItem());
    item->Bitmap = QImage(4, 3, QImage::Format_RGB32);
    item->Bitmap.fill(i ? Qt::red : Qt::blue);
    item->SetCompressed(i == 1);
  }
  const QByteArray file = list.SaveToStream(true);
  EXPECT_EQ(file.left(9), QByteArray("\x08ZCLBML30"));
  int count = 0;
  std::vector<std::uint32_t> offsets;
  EXPECT_EQ(ReadListFileHeader(file, &count, &offsets), lkBitmapList);
  EXPECT_EQ(count, 2);
  ASSERT_EQ(offsets.size(), 2u);
  EXPECT_EQ(offsets[0], 21u);
  TZCLBitmapListItem item;
  ReadListFileItem(file, QStringLiteral("bilder.bmp"), lkBitmapList, item, 1);
  EXPECT_TRUE(item.Compressed());
  EXPECT_EQ(item.Bitmap.pixelColor(0, 0), QColor(Qt::red));
  try {
    ReadListFileItem(file, QStringLiteral("bilder.bmp"), lkWaveList, item, 0);
    FAIL();
  } catch (const EListData& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Datei bilder.bmp kann nicht geöffnet werden"));
  }
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("bilder.bml"));
  list.SaveToFile(name);
  TZCLBitmapList loaded;
  loaded.LoadFromFile(name);
  EXPECT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Item(0)->Bitmap.pixelColor(3, 2), QColor(Qt::blue));
}

TEST(Lists, TruncatedDataLeavesTheListAsItWas) {
  TZCLStringList list;
  list.Item(list.AddItem())->Items = QStringList{"a"};
  QByteArray data = list.SaveToStream(false);
  TZCLStringList target;
  target.Item(target.AddItem())->Items = QStringList{"bleibt"};
  EXPECT_THROW(target.LoadFromStream(data.left(data.size() - 2), false), EListData);
  ASSERT_EQ(target.Count(), 1);
  EXPECT_EQ(target.Item(0)->Items, QStringList{"bleibt"});
  EXPECT_EQ(ReadListFileHeader(QByteArray("\x08XXXXXXXX\x00\x00\x00\x00", 13), nullptr, nullptr), lkUnknown);
}

TEST(Lists, ChangeLinksHearTheController) {
  TZCLWaveList list;
  TZCLChangeLink link;
  int heard = 0;
  link.OnChange = [&](QObject* sender) {
    EXPECT_EQ(sender, &list);
    ++heard;
  };
  list.RegisterLink(&link);
  list.AddItem();
  EXPECT_EQ(heard, 1);
  list.BeginUpdate();
  list.AddItem();
  list.AddItem();
  EXPECT_EQ(heard, 1);
  list.EndUpdate(true);
  EXPECT_EQ(heard, 2);
  {
    TZCLChangeLink temporary;
    list.RegisterLink(&temporary);
    EXPECT_EQ(list.LinkCount(), 2);
  }
  EXPECT_EQ(list.LinkCount(), 1);
  TZCLWaveList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.Count(), 3);
}

TEST(Lists, BitmapBlocksOfEachPixelFormat) {
  zyn::test::EnsureApp();
  QImage bitmap(10, 2, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  bitmap.setPixelColor(0, 0, Qt::black);
  auto le32 = [](const QByteArray& b, int at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
  };
  const struct {
    TZCLSavePixelFormat format;
    int bits, palette, stride;
  } cases[] = {{spfMono, 1, 2, 4}, {spf4bit, 4, 16, 8}, {spf8bit, 8, 256, 12}, {spf16bit, 24, 0, 32}};
  for (const auto& k : cases) {
    const QByteArray b = BitmapBlock(bitmap, k.format);
    SCOPED_TRACE(k.bits);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    const std::uint32_t offset = 14 + 40 + 4 * k.palette;
    EXPECT_EQ(le32(b, 10), offset);                                    // bits offset
    EXPECT_EQ(le32(b, 2), offset + 2 * k.stride);                      // total size
    EXPECT_EQ(static_cast<unsigned char>(b[28]), k.bits);              // bits per pixel
    EXPECT_EQ(le32(b, 34), static_cast<std::uint32_t>(2 * k.stride));  // image size
    EXPECT_EQ(b.size(), static_cast<int>(offset + 2 * k.stride));
    QImage back;
    ASSERT_TRUE(back.loadFromData(b, "BMP"));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(back.pixelColor(5, 1), QColor(Qt::white));
  }
  EXPECT_EQ(PixelFormatFlags(spfDefault), 0);
  EXPECT_EQ(PixelFormatFlags(spfMono), 0x10);
  EXPECT_EQ(PixelFormatFlags(spf16bit), 0x80);
  EXPECT_EQ(PixelFormatOfFlags(0x48), spf8bit);
}

TEST(Lists, ImageListKeepsItsPixelFormatAndMaskThroughTheStream) {
  zyn::test::EnsureApp();
  TZCLImageList list;
  list.SetDefaultPixelFormat(spf4bit);
  auto* item = list.Item(list.AddItem());
  EXPECT_EQ(item->PixelFormat, spf4bit);
  item->SetMasked(true);
  QImage strip(32, 16, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  strip.setPixelColor(3, 3, Qt::red);
  item->AddBitmap(strip);
  EXPECT_EQ(item->GetFlags() & 0xF0, 0x20);
  const QImage mask = item->MaskStrip();
  EXPECT_EQ(mask.pixelColor(3, 3), QColor(Qt::black));
  EXPECT_EQ(mask.pixelColor(4, 3), QColor(Qt::white));
  const QByteArray data = list.SaveToStream(false);
  TZCLImageList copy;
  copy.LoadFromStream(data, false);
  ASSERT_EQ(copy.GetImageCount(0), 2);
  EXPECT_EQ(copy.Item(0)->PixelFormat, spf4bit);
  EXPECT_TRUE(copy.Item(0)->Masked());
  EXPECT_EQ(copy.Item(0)->Image(0).pixelColor(3, 3), QColor(Qt::red));  // red is one of the 16 colours
}

TEST(Lists, BitmapItemsLoadFromTheListSource) {
  zyn::test::EnsureApp();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A list file with two bitmaps, idents 5 and 7.
  TZCLBitmapList stored;
  for (int ident : {5, 7}) {
    auto* item = stored.Item(stored.AddItem());
    item->SetIdent(static_cast<std::uint16_t>(ident));
    item->Bitmap = QImage(4, 3, QImage::Format_RGB32);
    item->Bitmap.fill(ident == 5 ? Qt::red : Qt::blue);
  }
  const QString listFile = dir.filePath(QStringLiteral("bilder.bmp"));
  stored.SaveToFile(listFile);
  TZCLBitmapList list;
  list.SetSource(1);
  list.SetPathPrefixKind(ppFixed);
  list.SetFileName(listFile);
  auto* wanted = list.Item(list.AddItem());
  wanted->SetIdent(7);
  EXPECT_EQ(wanted->LoadedBitmap().pixelColor(0, 0), QColor(Qt::blue));
  // A bitmap file per item: the first three letters of the file name and the ident.
  QImage single(2, 2, QImage::Format_RGB32);
  single.fill(Qt::green);
  ASSERT_TRUE(single.save(dir.filePath(QStringLiteral("bil9.bmp")), "BMP"));
  list.SetSource(4);
  auto* nine = list.Item(list.AddItem());
  nine->SetIdent(9);
  EXPECT_EQ(nine->SourceFileName(), dir.filePath(QStringLiteral("bil9.bmp")));
  EXPECT_EQ(nine->LoadedBitmap().size(), QSize(2, 2));
  // Source 0 leaves an empty bitmap empty; a missing list file is reported.
  list.SetSource(0);
  auto* none = list.Item(list.AddItem());
  EXPECT_TRUE(none->LoadedBitmap().isNull());
  list.SetSource(1);
  list.SetFileName(dir.filePath(QStringLiteral("fehlt.bmp")));
  EXPECT_THROW(none->LoadedBitmap(), EListData);
}

}  // namespace
}  // namespace zyn
