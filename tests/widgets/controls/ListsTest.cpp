#include "widgets/controls/ZCLCompress.h"
#include "widgets/controls/ZCLLists.h"

#include "TestSupport.h"

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

}  // namespace
}  // namespace zyn
