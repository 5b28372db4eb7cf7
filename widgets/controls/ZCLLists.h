#pragma once
// The concrete lists: string lists, sound lists and bitmap lists with their items.

#include "widgets/controls/ZCLCustomContainer.h"
#include "widgets/controls/ZCLWave.h"

#include <QImage>
#include <QStringList>

namespace zyn {

class TZCLStringListItem : public TZCLListItem {
  Q_OBJECT
 public:
  using TZCLListItem::TZCLListItem;
  QStringList Items;
  void ClearData() override { Items.clear(); }
  bool IsEmpty() const override { return Items.isEmpty(); }
  std::uint8_t GetFlags() const override { return TZCLListItem::GetFlags() | (Items.isEmpty() ? 0 : 8); }
  void Assign(const TZCLListItem& other) override;

 protected:
  void WriteBody(TZCLByteWriter& w) const override;
  void ReadBody(TZCLByteReader& r, std::uint8_t flags) override;
};

class TZCLWaveListItem : public TZCLListItem {
  Q_OBJECT
 public:
  using TZCLListItem::TZCLListItem;
  TZCLWave Wave;
  void ClearData() override { Wave.Clear(); }
  bool IsEmpty() const override { return Wave.IsEmpty(); }
  std::uint8_t GetFlags() const override { return TZCLListItem::GetFlags() | (Wave.IsEmpty() ? 0 : 8); }
  void Assign(const TZCLListItem& other) override;

 protected:
  void WriteBody(TZCLByteWriter& w) const override;
  void ReadBody(TZCLByteReader& r, std::uint8_t flags) override;
};

class TZCLBitmapListItem : public TZCLListItem {
  Q_OBJECT
 public:
  using TZCLListItem::TZCLListItem;
  QImage Bitmap;
  TZCLSavePixelFormat PixelFormat = spfDefault;  // how the bitmap is saved
  // The bitmap, loaded first from the container's source while it is empty (not while loading).
  const QImage& LoadedBitmap();
  // The bitmap file of source 4 (and the library name of source 3) for this item.
  QString SourceFileName() const;
  void ClearData() override { Bitmap = QImage(); }
  bool IsEmpty() const override { return Bitmap.isNull(); }
  std::uint8_t GetFlags() const override {
    return TZCLListItem::GetFlags() | (Bitmap.isNull() ? 0 : 8) | PixelFormatFlags(PixelFormat);
  }
  void Assign(const TZCLListItem& other) override;

 protected:
  // The bitmap as a bitmap block of its pixel format.
  void WriteBody(TZCLByteWriter& w) const override;
  void ReadBody(TZCLByteReader& r, std::uint8_t flags) override;
};

class TZCLStringList : public TZCLCustomContainer {
  Q_OBJECT
 public:
  explicit TZCLStringList(QObject* owner = nullptr);
  TZCLStringListItem* Item(int index) const { return static_cast<TZCLStringListItem*>(Items(index)); }
};

class TZCLWaveList : public TZCLCustomContainer {
  Q_OBJECT
 public:
  explicit TZCLWaveList(QObject* owner = nullptr);
  TZCLWaveListItem* Item(int index) const { return static_cast<TZCLWaveListItem*>(Items(index)); }
};

class TZCLBitmapList : public TZCLCustomImageList {
  Q_OBJECT
 public:
  explicit TZCLBitmapList(QObject* owner = nullptr);
  TZCLBitmapListItem* Item(int index) const { return static_cast<TZCLBitmapListItem*>(Items(index)); }
  TRect GetImageRect(int list, int image) const override;
  int GetDimension(int list, int which) const override;
  int GetImageCount(int list) const override;
  bool IsValidImage(int list, int image) const override;
  QImage GetBitmap(int list, int image) const override;
  TColor GetTransparentColor(int list, int image) const override;
  TColor GetPixelAt(const TPoint& p, int list, int image) const override;
  void Draw(TCanvas& canvas, int x, int y, int list, int image) const override;
  TRect DrawInRect(TCanvas& canvas, const TRect& r, int list, int image, unsigned flags) const override;
};

}  // namespace zyn
