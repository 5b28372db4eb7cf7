#include "widgets/controls/ZCLBitmapEffect.h"

#include "widgets/controls/ZCLCustomContainer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zyn {
namespace {

QRect Clipped(const QImage& image, const TRect& r) { return ToQRect(r).intersected(image.rect()); }

void Ensure32(QImage& image) {
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TZCLShapeFill::TZCLShapeFill() : fGradient(std::make_unique<TZCLGradient>()) {
  fGradient->OnChange = [this](QObject*) { Changed(); };
}

void TZCLShapeFill::SetStyle(TZCLFillStyle value) {
  if (value == fStyle) return;
  fStyle = value;
  Changed();
}

void TZCLShapeFill::SetTileMode(TZCLTileMode value) {
  if (value == fTileMode) return;
  fTileMode = value;
  Changed();
}

void TZCLFillObject::SetAlignment(TZCLAlignment value) {
  if (value == fAlignment) return;
  fAlignment = value;
  if ((fStyle == sfBitmap || fStyle == sfBitmapList) && fTileMode == tmNone) Changed();
}

void TZCLFillObject::SetOptions(unsigned value) {
  if (value == fOptions) return;
  fOptions = value;
  Changed();
}

QString TZCLShapeFill::Description() const {
  static const char* names[] = {"Disabled", "BitmapBrush", "Brush", "Bitmap", "BitmapList", "Gradient"};
  return QStringLiteral("{%1}").arg(QString::fromLatin1(names[fStyle]));
}

bool TZCLFillObject::FillCanvas(TCanvas& canvas, const TRect& r, TColor background) const {
  const TBrush old = canvas.Brush;
  auto fillBackground = [&] {
    canvas.Brush = TBrush{background, bsSolid, QImage()};
    canvas.FillRect(r);
  };
  bool covered = true;
  switch (fStyle) {
    case sfNone:
      return false;
    case sfBrushBitmap:
      if (!Bitmap.isNull()) canvas.Brush.Bitmap = Bitmap;
      canvas.FillRect(r);
      break;
    case sfBrush:
      if (Brush.Style != bsSolid && Brush.Style != bsClear) fillBackground();
      canvas.Brush = Brush;
      canvas.FillRect(r);
      break;
    case sfBitmap:
    case sfBitmapList: {
      const QImage& image = fStyle == sfBitmap ? Bitmap : ListBitmap;
      if (image.isNull()) {
        if (fOptions & foFillInner) fillBackground();
        covered = false;
        break;
      }
      switch (fTileMode) {
        case tmNone: {
          fillBackground();
          TRect place = AlignRect(fAlignment, Bounds(0, 0, image.width(), image.height()), r);
          OffsetRect(place, OffsetX, OffsetY);
          canvas.Draw(place.Left, place.Top, image);
          break;
        }
        case tmCenter: {
          fillBackground();
          const TRect place = CenterRect(Bounds(0, 0, image.width(), image.height()), r);
          canvas.Draw(place.Left, place.Top, image);
          break;
        }
        case tmStretch:
          canvas.StretchDraw(r, image);
          break;
        case tmTile:
          canvas.Painter().save();
          canvas.SetClipRect(r);
          for (int y = r.Top; y < r.Bottom; y += image.height())
            for (int x = r.Left; x < r.Right; x += image.width()) canvas.Draw(x, y, image);
          canvas.Painter().restore();
          break;
      }
      break;
    }
    case sfGradient:
      GradientFill(canvas, r, Gradient().Style(), Gradient().Table(),
                   ((fOptions & foGrUseBitmap) ? gfOffscreen : 0u) | (Gradient().PaletteRealize() ? gfPalette : 0u));
      break;
  }
  canvas.Brush = old;
  return covered;
}

TZCLAlphaObject::TZCLAlphaObject() : fFill(std::make_unique<TZCLFillObject>()) {
  fFill->OnChange = [this](QObject*) { Changed(); };
  fLink.OnChange = [this](QObject*) { TakeListBitmap(); };
}

TZCLAlphaObject::~TZCLAlphaObject() {
  if (ImageList()) fImageList->UnregisterLink(&fLink);
}

void TZCLAlphaObject::SetImageList(TZCLCustomImageList* list) {
  if (list == ImageList()) return;
  if (ImageList()) fImageList->UnregisterLink(&fLink);
  fImageList = list;
  if (fImageList) fImageList->RegisterLink(&fLink);
  TakeListBitmap();
}

void TZCLAlphaObject::SetImageIndex(int value) {
  if (value == fImageIndex) return;
  fImageIndex = value;
  TakeListBitmap();
}

void TZCLAlphaObject::SetListIndex(int value) {
  if (value == fListIndex) return;
  fListIndex = value;
  TakeListBitmap();
}

void TZCLAlphaObject::TakeListBitmap() {
  TZCLCustomImageList* list = ImageList();
  const bool has = list && list->IsValidImage(fListIndex, fImageIndex);
  fFill->ListBitmap = has ? list->GetBitmap(fListIndex, fImageIndex) : QImage();
  Changed();
}

void TZCLAlphaObject::SetStrength(double value) {
  if (value == fStrength) return;
  fStrength = value;
  Changed();
}

QString TZCLAlphaObject::Description() const {
  if (fFill->Style() == sfNone) return QStringLiteral("{Disabled}");
  const QString kind = fFill->Style() == sfGradient                                     ? QStringLiteral("grad")
                       : (fFill->Style() == sfBrush || fFill->Style() == sfBrushBitmap) ? QStringLiteral("brush")
                                                                                        : QStringLiteral("bmp");
  return QStringLiteral("{Enabled (") + kind + QStringLiteral("), strength: ") + QString::number(fStrength, 'f', 3) +
         QLatin1Char('}');
}

void FlipVertical(QImage& image, const TRect& r) {
  Ensure32(image);
  const QRect q = Clipped(image, r);
  for (int k = 0; k < q.height() / 2; ++k) {
    auto* a = reinterpret_cast<QRgb*>(image.scanLine(q.top() + k)) + q.left();
    auto* b = reinterpret_cast<QRgb*>(image.scanLine(q.bottom() - k)) + q.left();
    std::swap_ranges(a, a + q.width(), b);
  }
}

void FlipHorizontal(QImage& image, const TRect& r) {
  Ensure32(image);
  const QRect q = Clipped(image, r);
  for (int y = q.top(); y <= q.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y)) + q.left();
    std::reverse(line, line + q.width());
  }
}

void GrayScale(QImage& image, const TRect& r) {
  Ensure32(image);
  int red[256], green[256], blue[256];
  for (int v = 0; v < 256; ++v) {
    red[v] = static_cast<int>(std::nearbyint(0.3 * v));
    green[v] = static_cast<int>(std::nearbyint(0.59 * v));
    blue[v] = static_cast<int>(std::nearbyint(0.11 * v));
  }
  const QRect q = Clipped(image, r);
  for (int y = q.top(); y <= q.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = q.left(); x <= q.right(); ++x) {
      const QRgb p = line[x];
      const int g = std::min(255, red[qRed(p)] + green[qGreen(p)] + blue[qBlue(p)]);
      line[x] = qRgba(g, g, g, qAlpha(p));
    }
  }
}

void Invert(QImage& image, const TRect& r) {
  Ensure32(image);
  const QRect q = Clipped(image, r);
  for (int y = q.top(); y <= q.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = q.left(); x <= q.right(); ++x) line[x] = (line[x] & 0xFF000000u) | (~line[x] & 0x00FFFFFFu);
  }
}

void Brightness(QImage& image, const TRect& r, int value) {
  Ensure32(image);
  const QRect q = Clipped(image, r);
  auto c = [value](int v) { return std::clamp(v + value, 0, 255); };
  for (int y = q.top(); y <= q.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = q.left(); x <= q.right(); ++x) {
      const QRgb p = line[x];
      line[x] = qRgba(c(qRed(p)), c(qGreen(p)), c(qBlue(p)), qAlpha(p));
    }
  }
}

void Blend(const QImage& image, const QImage& fill, QImage& target, double strength) {
  auto check = [](const QImage& i, const char* name) {
    if (i.depth() != 32 && i.depth() != 24)
      throw EZCLWrongPixelFormat(std::string("Wrong PixelFormat in ") + name + " bitmap!");
  };
  check(image, "Source 1");
  check(fill, "Source 2");
  check(target, "Target");
  int table[511];
  for (int d = 0; d < 511; ++d) table[d] = static_cast<int>(std::lround(strength * (d - 255)));
  const QImage a = image.convertToFormat(QImage::Format_RGB32);
  const QImage b = fill.convertToFormat(QImage::Format_RGB32);
  target = target.convertToFormat(QImage::Format_RGB32);
  const int w = std::min({a.width(), b.width(), target.width()});
  const int h = std::min({a.height(), b.height(), target.height()});
  auto mix = [&](int i, int f) { return std::clamp(f + table[i - f + 255], 0, 255); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const QRgb p = a.pixel(x, y), f = b.pixel(x, y);
      target.setPixel(x, y, qRgb(mix(qRed(p), qRed(f)), mix(qGreen(p), qGreen(f)), mix(qBlue(p), qBlue(f))));
    }
}

TZCLBitmapEffectObject::TZCLBitmapEffectObject() : fAlpha(std::make_unique<TZCLAlphaObject>()) {
  fAlpha->OnChange = [this](QObject*) { Changed(); };
}

void TZCLBitmapEffectObject::Changed() {
  fBufferValid = false;
  TZCLObject::Changed();
}

void TZCLBitmapEffectObject::SetFlag(int index, bool value) {
  if (index < 0 || index > 4 || fFlags[index] == value) return;
  fFlags[index] = value;
  if (index == 4 && !value) fBuffer = QImage();
  Changed();
}

void TZCLBitmapEffectObject::SetBrightness(int value) {
  value = std::clamp(value, -255, 255);
  if (value == fBrightness) return;
  fBrightness = value;
  Changed();
}

bool TZCLBitmapEffectObject::IsActive() const {
  return fFlags[0] || fFlags[1] || fFlags[2] || fFlags[3] || fAlpha->IsActive() || fBrightness != 0;
}

QString TZCLBitmapEffectObject::Description() const {
  QStringList parts;
  if (fAlpha->IsActive()) parts << QStringLiteral("alpha");
  const char* names[] = {"FV", "FH", "GS", "INV"};
  for (int i = 0; i < 4; ++i)
    if (fFlags[i]) parts << QString::fromLatin1(names[i]);
  if (fBrightness != 0) parts << QStringLiteral("B");
  return QLatin1Char('{') + (parts.isEmpty() ? QStringLiteral("Disabled") : parts.join(QLatin1Char(','))) +
         QLatin1Char('}');
}

void TZCLBitmapEffectObject::ApplyEffects(const QImage& source, const TRect& sourceRect, QImage& target) {
  if (fFlags[4] && fBufferValid) {
    target = fBuffer;
    return;
  }
  target = source.copy(ToQRect(sourceRect)).convertToFormat(QImage::Format_RGB32);
  const TRect all = Rect(0, 0, target.width(), target.height());
  if (fFlags[0]) FlipVertical(target, all);
  if (fFlags[1]) FlipHorizontal(target, all);
  if (fFlags[2]) GrayScale(target, all);
  if (fFlags[3]) Invert(target, all);
  if (fBrightness != 0) zyn::Brightness(target, all, fBrightness);
  if (fAlpha->FillObject().Style() != sfNone) {
    QImage fill(target.width() + 2, target.height() + 2, QImage::Format_RGB32);
    fill.fill(Qt::white);
    {
      TCanvas canvas(&fill);
      fAlpha->FillObject().FillCanvas(canvas, Rect(0, 0, fill.width(), fill.height()), clWhite);
    }
    QImage blended = target;
    Blend(target, fill, blended, fAlpha->Strength());
    target = blended;
  }
  if (fFlags[4]) {
    fBuffer = target;
    fBufferValid = true;
  }
}

}  // namespace zyn
