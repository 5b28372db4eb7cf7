#include "widgets/controls/ZCLLists.h"

#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLProcs.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

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
  // A compressed block always stores a monochrome bitmap in one bit per pixel.
  const bool mono = Bitmap.format() == QImage::Format_Mono || Bitmap.format() == QImage::Format_MonoLSB;
  WriteDataBlock(w, BitmapBlock(Bitmap, Compressed() && mono ? spfMono : PixelFormat));
}

void TZCLBitmapListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  Bitmap = QImage();
  PixelFormat = PixelFormatOfFlags(flags);
  if (!(flags & 8)) return;
  const QByteArray bmp = ReadDataBlock(r);
  if (!Bitmap.loadFromData(bmp, "BMP")) throw EListData("Bitmap ist ungültig");
}

QString TZCLBitmapListItem::SourceFileName() const {
  const TZCLCustomContainer* c = Container();
  if (!c) return QString();
  const auto prefix = static_cast<TZCLPathPrefix>(c->PathPrefixKind());
  if (prefix == ppWindows || prefix == ppSystem) return c->FileName();
  const QFileInfo info(c->FileName());
  QString dir = prefix == ppFixed ? info.path() : PathPrefix(prefix, false);
  if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir + info.fileName().left(3) + QString::number(Ident()) + QStringLiteral(".bmp");
}

const QImage& TZCLBitmapListItem::LoadedBitmap() {
  TZCLCustomContainer* c = Container();
  if (!Bitmap.isNull() || !c || IsLoading() || c->IsLoading()) return Bitmap;
  BeginUpdate();
  switch (c->Source()) {
    case 1: {
      // The item with this ident from the list file.
      const QString path = PathPrefix(static_cast<TZCLPathPrefix>(c->PathPrefixKind()), true) + c->FileName();
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) {
        EndUpdate(false);
        throw EListData(CannotOpenListFile(path));
      }
      const QByteArray data = file.readAll();
      int count = 0;
      ReadListFileHeader(data, &count, nullptr);
      for (int i = 0; i < count && Bitmap.isNull(); ++i) {
        TZCLBitmapListItem candidate;
        ReadListFileItem(data, path, lkBitmapList, candidate, i);
        if (candidate.Ident() == Ident()) Bitmap = candidate.Bitmap;
      }
      break;
    }
    case 4:
      Bitmap.load(SourceFileName());
      break;
    default:
      break;  // 0 unchanged; 2 no resources of that kind here; 3 a library yields no image
  }
  EndUpdate(false);
  return Bitmap;
}

TZCLStringList::TZCLStringList(QObject* owner)
    : TZCLCustomContainer(owner, lkStringList,
                          [](TZCLCustomContainer* c) { return std::make_unique<TZCLStringListItem>(c); }) {}

TZCLWaveList::TZCLWaveList(QObject* owner)
    : TZCLCustomContainer(owner, lkWaveList,
                          [](TZCLCustomContainer* c) { return std::make_unique<TZCLWaveListItem>(c); }) {}

TZCLBitmapList::TZCLBitmapList(QObject* owner)
    : TZCLCustomImageList(owner, lkBitmapList, [](TZCLCustomContainer* c) {
        auto item = std::make_unique<TZCLBitmapListItem>(c);
        if (auto* list = dynamic_cast<TZCLCustomImageList*>(c)) item->PixelFormat = list->DefaultPixelFormat();
        return item;
      }) {}

namespace {
const QImage* BitmapOf(const TZCLBitmapList& list, int index) {
  const TZCLBitmapListItem* item = list.Item(index);
  return item ? &item->Bitmap : nullptr;
}
}  // namespace

TRect TZCLBitmapList::GetImageRect(int list, int) const {
  const QImage* b = BitmapOf(*this, list);
  return b ? Rect(0, 0, b->width(), b->height()) : TRect{};
}

int TZCLBitmapList::GetDimension(int list, int which) const {
  const QImage* b = BitmapOf(*this, list);
  if (!b) return 0;
  return which == 0 ? b->width() : which == 1 ? b->height() : 0;
}

int TZCLBitmapList::GetImageCount(int list) const {
  const QImage* b = BitmapOf(*this, list);
  return b && !b->isNull() ? 1 : 0;
}

bool TZCLBitmapList::IsValidImage(int list, int) const { return GetImageCount(list) == 1; }

QImage TZCLBitmapList::GetBitmap(int list, int) const {
  const QImage* b = BitmapOf(*this, list);
  return b ? *b : QImage();
}

TColor TZCLBitmapList::GetTransparentColor(int list, int) const {
  const QImage* b = BitmapOf(*this, list);
  if (!b || b->isNull()) return 0xFFFFFF;
  return FromQColor(b->pixelColor(0, b->height() - 1));  // the bitmap's bottom-left pixel
}

TColor TZCLBitmapList::GetPixelAt(const TPoint& p, int list, int) const {
  const QImage* b = BitmapOf(*this, list);
  if (!b || !b->valid(p.X, p.Y)) return 0xFFFFFF;
  return FromQColor(b->pixelColor(p.X, p.Y));
}

void TZCLBitmapList::Draw(TCanvas& canvas, int x, int y, int list, int) const {
  const QImage* b = BitmapOf(*this, list);
  if (b && !b->isNull()) DrawBitmapRect(canvas, Bounds(x, y, b->width(), b->height()), *b, 0, 0);
}

TRect TZCLBitmapList::DrawInRect(TCanvas& canvas, const TRect& r, int list, int image, unsigned flags) const {
  const QImage* b = BitmapOf(*this, list);
  if (!b || b->isNull()) return r;
  return DrawBitmapRect(canvas, r, *b, flags, GetTransparentColor(list, image));
}

}  // namespace zyn
