#include "widgets/controls/ZCLLists.h"

#include <QBuffer>

namespace zyn {

void TZCLStringListItem::Assign(const TZCLListItem& other) {
  TZCLListItem::Assign(other);
  if (auto* o = dynamic_cast<const TZCLStringListItem*>(&other)) Items = o->Items;
}

void TZCLStringListItem::WriteBody(TZCLByteWriter& w) const {
  if (Items.isEmpty()) return;
  QByteArray text;
  for (const QString& line : Items) text += line.toLatin1() + "\r\n";
  WriteDataBlock(w, text);
}

void TZCLStringListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  Items.clear();
  if (!(flags & 8)) return;
  const QByteArray text = ReadDataBlock(r);
  QString all = QString::fromLatin1(text);
  if (all.endsWith(QLatin1String("\r\n"))) all.chop(2);
  Items = all.split(QStringLiteral("\r\n"));
}

void TZCLWaveListItem::Assign(const TZCLListItem& other) {
  TZCLListItem::Assign(other);
  if (auto* o = dynamic_cast<const TZCLWaveListItem*>(&other)) Wave.Assign(&o->Wave);
}

void TZCLWaveListItem::WriteBody(TZCLByteWriter& w) const {
  if (!Wave.IsEmpty()) WriteDataBlock(w, Wave.Data());
}

void TZCLWaveListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  if (!(flags & 8)) {
    Wave.Clear();
    return;
  }
  Wave.LoadFromBytes(ReadDataBlock(r));
}

void TZCLBitmapListItem::Assign(const TZCLListItem& other) {
  TZCLListItem::Assign(other);
  if (auto* o = dynamic_cast<const TZCLBitmapListItem*>(&other)) Bitmap = o->Bitmap;
}

void TZCLBitmapListItem::WriteBody(TZCLByteWriter& w) const {
  if (Bitmap.isNull()) return;
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  Bitmap.save(&buffer, "BMP");
  WriteDataBlock(w, bmp);
}

void TZCLBitmapListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  Bitmap = QImage();
  if (!(flags & 8)) return;
  const QByteArray bmp = ReadDataBlock(r);
  if (!Bitmap.loadFromData(bmp, "BMP")) throw EListData("Bitmap ist ungültig");
}

TZCLStringList::TZCLStringList(QObject* owner)
    : TZCLCustomContainer(owner, lkStringList, [](TZCLCustomContainer* c) { return std::make_unique<TZCLStringListItem>(c); }) {}

TZCLWaveList::TZCLWaveList(QObject* owner)
    : TZCLCustomContainer(owner, lkWaveList, [](TZCLCustomContainer* c) { return std::make_unique<TZCLWaveListItem>(c); }) {}

TZCLBitmapList::TZCLBitmapList(QObject* owner)
    : TZCLCustomContainer(owner, lkBitmapList, [](TZCLCustomContainer* c) { return std::make_unique<TZCLBitmapListItem>(c); }) {}

}  // namespace zyn
