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
  void ClearData() override { Bitmap = QImage(); }
  bool IsEmpty() const override { return Bitmap.isNull(); }
  std::uint8_t GetFlags() const override { return TZCLListItem::GetFlags() | (Bitmap.isNull() ? 0 : 8); }
  void Assign(const TZCLListItem& other) override;

 protected:
  // The bitmap's own BMP file image.
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

class TZCLBitmapList : public TZCLCustomContainer {
  Q_OBJECT
 public:
  explicit TZCLBitmapList(QObject* owner = nullptr);
  TZCLBitmapListItem* Item(int index) const { return static_cast<TZCLBitmapListItem*>(Items(index)); }
};

}  // namespace zyn
