#include "widgets/controls/ZCLImageList.h"

#include "widgets/controls/ZCLGraph.h"

#include <QBuffer>
#include <QPainter>

namespace zyn {

TZCLImageListItem::TZCLImageListItem(TZCLCustomContainer* container) : TZCLListItem(container) {}

void TZCLImageListItem::SetSize(int index, int value) {
  if (value <= 0) throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  int& field = index == 0 ? width_ : height_;
  if (field == value) return;
  field = value;
  ClearData();
  Changed();
}

void TZCLImageListItem::SetMasked(bool value) {
  if (value == masked_) return;
  masked_ = value;
  Changed();
}

void TZCLImageListItem::ClearData() {
  strip_ = QImage();
  used_ = 0;
  positions_.clear();
}

int TZCLImageListItem::AddBitmap(const QImage& bitmap) {
  if (bitmap.height() != height_ || bitmap.width() % width_ != 0 || bitmap.width() == 0)
    throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  const int count = bitmap.width() / width_;
  const int first = ImageCount();
  const int needed = (first + count) * width_;
  if (needed > strip_.width()) {
    int capacity = strip_.isNull() ? 0 : strip_.width() / width_;
    while (capacity * width_ < needed) capacity += allocBy_;
    if (capacity * width_ > 32768) throw EInvalidGraphicOperation("Zu viele Bilder");
    QImage grown(capacity * width_, height_, QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!strip_.isNull()) {
      QPainter p(&grown);
      p.drawImage(0, 0, strip_);
    }
    strip_ = grown;
  }
  {
    QPainter p(&strip_);
    p.drawImage(first * width_, 0, bitmap);
  }
  for (int i = 0; i < count; ++i) positions_.push_back((first + i) * width_);
  used_ = needed;
  Changed();
  return first;
}

TRect TZCLImageListItem::ImageRect(int index) const {
  if (index < 0 || index >= ImageCount()) return TRect{};
  return Bounds(positions_[index], 0, width_, height_);
}

QImage TZCLImageListItem::Image(int index) const {
  if (index < 0 || index >= ImageCount()) return QImage();
  return strip_.copy(positions_[index], 0, width_, height_);
}

TColor TZCLImageListItem::TransparentColor(int index) const {
  if (index < 0 || index >= ImageCount()) return 0xFFFFFF;
  return FromQColor(strip_.pixelColor(positions_[index], height_ - 1));
}

void TZCLImageListItem::Draw(TCanvas& canvas, int x, int y, int index) const {
  QImage image = Image(index);
  if (image.isNull()) return;
  if (!masked_ || ImageType == 1) {
    canvas.Draw(x, y, ImageType == 1 ? MaskStrip().copy(ImageRect(index).Left, 0, width_, height_) : image);
    return;
  }
  const QRgb key = image.pixel(0, height_ - 1) & 0xFFFFFF;
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i)
      if ((image.pixel(i, j) & 0xFFFFFF) == key) image.setPixel(i, j, 0);
  const bool background = BkColor != clNone;
  if ((DrawingStyle == 2 && !background) || DrawingStyle == 3) {
    canvas.Draw(x, y, image);
    return;
  }
  QImage composed(width_, height_, QImage::Format_RGB32);
  composed.fill(ToQColor(ColorToRGB(background ? BkColor : clWhite)));
  {
    QPainter p(&composed);
    p.drawImage(0, 0, image);
  }
  if ((DrawingStyle == 0 || DrawingStyle == 1) && BlendColor != clNone) {
    const QRgb blend = ToQColor(ColorToRGB(BlendColor)).rgb();
    for (int j = 0; j < height_; ++j)
      for (int i = 0; i < width_; ++i) {
        const bool dither = DrawingStyle == 1 ? ((i % 2) != (j % 2)) : (i % 2 == 0 || j % 2 == 0);
        if (dither) composed.setPixel(i, j, blend);
      }
  }
  canvas.Draw(x, y, composed);
}

void TZCLImageListItem::Assign(const TZCLListItem& other) {
  TZCLListItem::Assign(other);
  if (auto* o = dynamic_cast<const TZCLImageListItem*>(&other)) {
    width_ = o->width_;
    height_ = o->height_;
    allocBy_ = o->allocBy_;
    masked_ = o->masked_;
    strip_ = o->strip_;
    used_ = o->used_;
    positions_ = o->positions_;
  }
}

void TZCLImageListItem::WriteBody(TZCLByteWriter& w) const {
  w.Le32(static_cast<std::uint32_t>(height_));
  w.Le32(static_cast<std::uint32_t>(width_));
  w.Le32(static_cast<std::uint32_t>(allocBy_));
  w.U8(masked_ ? 1 : 0);
  w.Le32(static_cast<std::uint32_t>(ImageCount()));
  if (ImageCount() <= 0) return;
  QImage images(ImageCount() * width_, height_, QImage::Format_RGB32);
  {
    QPainter p(&images);
    for (int i = 0; i < ImageCount(); ++i) p.drawImage(i * width_, 0, Image(i));
  }
  WriteDataBlock(w, BitmapBlock(images, PixelFormat));
  if (masked_) WriteDataBlock(w, BitmapBlock(MaskStrip(), spfMono));
}

QImage TZCLImageListItem::MaskStrip() const {
  QImage mask(ImageCount() * width_, height_, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int i = 0; i < ImageCount(); ++i) {
    const QImage image = Image(i);
    const QRgb key = image.pixel(0, height_ - 1) & 0xFFFFFF;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != key) mask.setPixel(i * width_ + x, y, qRgb(0, 0, 0));
  }
  return mask;
}

void TZCLImageListItem::ReadBody(TZCLByteReader& r, std::uint8_t flags) {
  ClearData();
  PixelFormat = PixelFormatOfFlags(flags);
  const int h = static_cast<int>(r.Le32()), wdt = static_cast<int>(r.Le32());
  allocBy_ = std::max(1, static_cast<int>(r.Le32()));
  masked_ = r.U8() != 0;
  const int count = static_cast<int>(r.Le32());
  if (h <= 0 || wdt <= 0) throw EInvalidGraphicOperation("Ungültige Grafikgröße");
  height_ = h;
  width_ = wdt;
  if (count <= 0) return;
  QImage images;
  if (!images.loadFromData(ReadDataBlock(r), "BMP")) throw EListData("Bitmap ist ungültig");
  if (masked_) {
    // The mask strip follows; the transparent pixels come from the images themselves.
    QImage mask;
    if (!mask.loadFromData(ReadDataBlock(r), "BMP")) throw EListData("Bitmap ist ungültig");
  }
  AddBitmap(images.convertToFormat(QImage::Format_RGB32).copy(0, 0, count * width_, height_));
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
      bitmaps_(new TZCLBitmapList(this)),
      images_(new TZCLImageList(this)),
      strings_(new TZCLStringList(this)),
      waves_(new TZCLWaveList(this)) {}

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
