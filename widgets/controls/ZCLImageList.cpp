#include "widgets/controls/ZCLImageList.h"

#include "widgets/controls/ZCLGraph.h"

#include <QBuffer>
#include <QPainter>

namespace zyn {

TZCLImageListItem::TZCLImageListItem(TZCLCustomContainer* container) : TZCLListItem(container) {}

void TZCLImageListItem::SetSize(int index, int value) {
  if (value <= 0) throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  int& field = index == 0 ? fWidth : fHeight;
  if (field == value) return;
  field = value;
  ClearData();
  Changed();
}

void TZCLImageListItem::SetMasked(bool value) {
  if (value == fMasked) return;
  fMasked = value;
  Changed();
}

void TZCLImageListItem::ClearData() {
  fStrip = QImage();
  fUsed = 0;
  fPositions.clear();
}

int TZCLImageListItem::AddBitmap(const QImage& bitmap) {
  if (bitmap.height() != fHeight || bitmap.width() % fWidth != 0 || bitmap.width() == 0)
    throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  const int count = bitmap.width() / fWidth;
  const int first = ImageCount();
  const int needed = (first + count) * fWidth;
  if (needed > fStrip.width()) {
    int capacity = fStrip.isNull() ? 0 : fStrip.width() / fWidth;
    while (capacity * fWidth < needed) capacity += fAllocBy;
    if (capacity * fWidth > 32768) throw EInvalidGraphicOperation("Zu viele Bilder");
    QImage grown(capacity * fWidth, fHeight, QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!fStrip.isNull()) {
      QPainter p(&grown);
      p.drawImage(0, 0, fStrip);
    }
    fStrip = grown;
  }
  {
    QPainter p(&fStrip);
    p.drawImage(first * fWidth, 0, bitmap);
  }
  for (int i = 0; i < count; ++i) fPositions.push_back((first + i) * fWidth);
  fUsed = needed;
  Changed();
  return first;
}

TRect TZCLImageListItem::ImageRect(int index) const {
  if (index < 0 || index >= ImageCount()) return TRect{};
  return Bounds(fPositions[index], 0, fWidth, fHeight);
}

QImage TZCLImageListItem::Image(int index) const {
  if (index < 0 || index >= ImageCount()) return QImage();
  return fStrip.copy(fPositions[index], 0, fWidth, fHeight);
}

TColor TZCLImageListItem::TransparentColor(int index) const {
  if (index < 0 || index >= ImageCount()) return 0xFFFFFF;
  return FromQColor(fStrip.pixelColor(fPositions[index], fHeight - 1));
}

void TZCLImageListItem::Draw(TCanvas& canvas, int x, int y, int index) const {
  QImage image = Image(index);
  if (image.isNull()) return;
  if (!fMasked || ImageType == 1) {
    canvas.Draw(x, y, ImageType == 1 ? MaskStrip().copy(ImageRect(index).Left, 0, fWidth, fHeight) : image);
    return;
  }
  const QRgb key = image.pixel(0, fHeight - 1) & 0xFFFFFF;
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i)
      if ((image.pixel(i, j) & 0xFFFFFF) == key) image.setPixel(i, j, 0);
  const bool background = BkColor != clNone;
  if ((DrawingStyle == 2 && !background) || DrawingStyle == 3) {
    canvas.Draw(x, y, image);
    return;
  }
  QImage composed(fWidth, fHeight, QImage::Format_RGB32);
  composed.fill(ToQColor(ColorToRGB(background ? BkColor : clWhite)));
  {
    QPainter p(&composed);
    p.drawImage(0, 0, image);
  }
  if ((DrawingStyle == 0 || DrawingStyle == 1) && BlendColor != clNone) {
    const QRgb blend = ToQColor(ColorToRGB(BlendColor)).rgb();
    for (int j = 0; j < fHeight; ++j)
      for (int i = 0; i < fWidth; ++i) {
        const bool dither = DrawingStyle == 1 ? ((i % 2) != (j % 2)) : (i % 2 == 0 || j % 2 == 0);
        if (dither) composed.setPixel(i, j, blend);
      }
  }
  canvas.Draw(x, y, composed);
}

void TZCLImageListItem::Assign(const TZCLListItem& other) {
  TZCLListItem::Assign(other);
  if (auto* o = dynamic_cast<const TZCLImageListItem*>(&other)) {
    fWidth = o->fWidth;
    fHeight = o->fHeight;
    fAllocBy = o->fAllocBy;
    fMasked = o->fMasked;
    fStrip = o->fStrip;
    fUsed = o->fUsed;
    fPositions = o->fPositions;
  }
}

void TZCLImageListItem::WriteBody(TZCLByteWriter& w) const {
  w.Le32(static_cast<std::uint32_t>(fHeight));
  w.Le32(static_cast<std::uint32_t>(fWidth));
  w.Le32(static_cast<std::uint32_t>(fAllocBy));
  w.U8(fMasked ? 1 : 0);
  w.Le32(static_cast<std::uint32_t>(ImageCount()));
  if (ImageCount() <= 0) return;
  QImage images(ImageCount() * fWidth, fHeight, QImage::Format_RGB32);
  {
    QPainter p(&images);
    for (int i = 0; i < ImageCount(); ++i) p.drawImage(i * fWidth, 0, Image(i));
  }
  WriteDataBlock(w, BitmapBlock(images, PixelFormat));
  if (fMasked) WriteDataBlock(w, BitmapBlock(MaskStrip(), spfMono));
}

QImage TZCLImageListItem::MaskStrip() const {
  QImage mask(ImageCount() * fWidth, fHeight, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int i = 0; i < ImageCount(); ++i) {
    const QImage image = Image(i);
    const QRgb key = image.pixel(0, fHeight - 1) & 0xFFFFFF;
    for (int y = 0; y < fHeight; ++y)
      for (int x = 0; x < fWidth; ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != key) mask.setPixel(i * fWidth + x, y, qRgb(0, 0, 0));
  }
  return mask;
}

void TZCLImageListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  ClearData();
  PixelFormat = PixelFormatOfFlags(flags);
  const int h = static_cast<int>(r.Le32()), wdt = static_cast<int>(r.Le32());
  fAllocBy = std::max(1, static_cast<int>(r.Le32()));
  fMasked = r.U8() != 0;
  const int count = static_cast<int>(r.Le32());
  if (h <= 0 || wdt <= 0) throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  fHeight = h;
  fWidth = wdt;
  if (count <= 0) return;
  QImage images;
  if (!images.loadFromData(ReadDataBlock(r), "BMP")) throw EListData("Bitmap ist ungültig");
  if (fMasked) {
    // The mask strip follows; the transparent pixels come from the images themselves.
    QImage mask;
    if (!mask.loadFromData(ReadDataBlock(r), "BMP")) throw EListData("Bitmap ist ungültig");
  }
  AddBitmap(images.convertToFormat(QImage::Format_RGB32).copy(0, 0, count * fWidth, fHeight));
}

TZCLImageList::TZCLImageList(QObject* owner)
    : TZCLCustomImageList(owner, lkImageList, [](TZCLCustomContainer* c) {
        auto item = std::make_unique<TZCLImageListItem>(c);
        if (auto* list = dynamic_cast<TZCLCustomImageList*>(c)) item->PixelFormat = list->DefaultPixelFormat();
        return item;
      }) {}

int TZCLImageList::GetImageCount(int list) const {
  const TZCLImageListItem* item = Item(list);
  return item ? item->ImageCount() : -1;
}

bool TZCLImageList::IsValidImage(int list, int image) const {
  const TZCLImageListItem* item = Item(list);
  return item && image >= 0 && image < item->ImageCount();
}

int TZCLImageList::GetDimension(int list, int which) const {
  const TZCLImageListItem* item = Item(list);
  if (!item) return 0;
  return which == 0 ? item->Width() : which == 1 ? item->Height() : 0;
}

TRect TZCLImageList::GetImageRect(int list, int image) const {
  const TZCLImageListItem* item = Item(list);
  return item ? item->ImageRect(image) : TRect{};
}

QImage TZCLImageList::GetBitmap(int list, int image) const {
  const TZCLImageListItem* item = Item(list);
  return item ? item->Image(image) : QImage();
}

bool TZCLImageList::IsMasked(int list) const {
  const TZCLImageListItem* item = Item(list);
  return item && item->Masked();
}

TColor TZCLImageList::GetPixelAt(const TPoint& p, int list, int image) const {
  const QImage bitmap = GetBitmap(list, image);
  if (!bitmap.valid(p.X, p.Y)) return 0xFFFFFF;
  return FromQColor(bitmap.pixelColor(p.X, p.Y));
}

void TZCLImageList::Draw(TCanvas& canvas, int x, int y, int list, int image) const {
  if (const TZCLImageListItem* item = Item(list)) item->Draw(canvas, x, y, image);
}

TRect TZCLImageList::DrawInRect(TCanvas& canvas, const TRect& r, int list, int image, unsigned flags) const {
  const TZCLImageListItem* item = Item(list);
  if (!item || !IsValidImage(list, image)) return r;
  const QImage bitmap = item->Image(image);
  // A masked item leaves its transparent pixels out; an unmasked one passes its transparent colour
  // to the caller's flags.
  if (item->Masked()) return DrawBitmapRect(canvas, r, bitmap, flags | bdfColorMask, item->TransparentColor(image));
  return DrawBitmapRect(canvas, r, bitmap, flags, item->TransparentColor(image));
}

TColor TZCLImageList::GetTransparentColor(int list, int image) const {
  const TZCLImageListItem* item = Item(list);
  return item ? item->TransparentColor(image) : 0xFFFFFF;
}

TZCLContainer::TZCLContainer(QObject* owner)
    : TZCLBaseController(owner),
      fBitmaps(new TZCLBitmapList(this)),
      fImages(new TZCLImageList(this)),
      fStrings(new TZCLStringList(this)),
      fWaves(new TZCLWaveList(this)) {}

TZCLContainer& TZCLContainer::Global() {
  static TZCLContainer* global = new TZCLContainer();  // lives until the program ends
  return *global;
}

QString TZCLContainer::WriteListReference(const TZCLCustomContainer* list) {
  if (list == &Global().BitmapList()) return QString::fromLatin1(ListMagic(lkBitmapList));
  if (list == &Global().ImageList()) return QString::fromLatin1(ListMagic(lkImageList));
  return QString();
}

TZCLCustomContainer* TZCLContainer::ReadListReference(const QString& text) {
  if (text == QLatin1String(ListMagic(lkBitmapList))) return &Global().BitmapList();
  if (text == QLatin1String(ListMagic(lkImageList))) return &Global().ImageList();
  return nullptr;
}

bool TZCLContainer::IsGlobalList(const TZCLCustomContainer* list) {
  TZCLContainer& g = Global();
  return list == &g.BitmapList() || list == &g.ImageList() || list == &g.StringList() || list == &g.WaveList();
}

}  // namespace zyn
