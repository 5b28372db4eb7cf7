#pragma once
// Fills (brush, pattern bitmap, bitmap, gradient), the alpha blend over a fill and the bitmap
// effects (flips, grey scale, inversion, brightness) with their pixel operations.

#include "widgets/controls/ZCLBaseController.h"
#include "widgets/controls/ZCLGradient.h"

#include <QImage>

#include <memory>
#include <stdexcept>

namespace zyn {

class TZCLCustomImageList;

enum TZCLFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum TZCLTileMode { tmNone, tmCenter, tmStretch, tmTile };
enum TZCLFillOption : unsigned { foFillInner = 1, foQuickDraw = 2, foGrUseBitmap = 4 };

class EZCLWrongPixelFormat : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A shape's fill: brush, pattern bitmap, bitmap (tiled, centred or stretched), image-list bitmap or
// gradient; brush fill by default.
class TZCLShapeFill : public TZCLObject {
 public:
  TZCLShapeFill();
  TZCLFillStyle Style() const { return fStyle; }
  void SetStyle(TZCLFillStyle value);
  TZCLTileMode TileMode() const { return fTileMode; }
  void SetTileMode(TZCLTileMode value);
  QImage Bitmap;
  QImage ListBitmap;  // the image taken from an image list
  TZCLGradient& Gradient() { return *fGradient; }
  const TZCLGradient& Gradient() const { return *fGradient; }
  QString Description() const override;

 protected:
  TZCLFillStyle fStyle = sfBrush;
  TZCLTileMode fTileMode = tmTile;

 private:
  std::unique_ptr<TZCLGradient> fGradient;
};

// The fill of a control's background: a shape fill without style by default, with the brush, the
// alignment and offsets of an untiled bitmap and the fill options.
class TZCLFillObject : public TZCLShapeFill {
 public:
  TZCLFillObject() { fStyle = sfNone; }
  TZCLAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TZCLAlignment value);
  unsigned Options() const { return fOptions; }
  void SetOptions(unsigned value);
  TBrush Brush;
  int OffsetX = 0;
  int OffsetY = 0;
  // Paints r; true when something covered it.
  bool FillCanvas(TCanvas& canvas, const TRect& r, TColor background) const;

 private:
  TZCLAlignment fAlignment = agTopLeft;
  unsigned fOptions = foFillInner | foGrUseBitmap;
};

class TZCLAlphaObject : public TZCLObject {
 public:
  TZCLAlphaObject();
  ~TZCLAlphaObject() override;
  // The image list whose image (ListIndex, ImageIndex) is the fill's list bitmap; the list tells the
  // object of its changes through a change link.
  // Null once the list is gone (its destruction unregisters the link).
  TZCLCustomImageList* ImageList() const { return fLink.Sender() ? fImageList : nullptr; }
  void SetImageList(TZCLCustomImageList* list);
  int ImageIndex() const { return fImageIndex; }
  void SetImageIndex(int value);
  int ListIndex() const { return fListIndex; }
  void SetListIndex(int value);
  double Strength() const { return fStrength; }
  void SetStrength(double value);
  TZCLFillObject& FillObject() { return *fFill; }
  const TZCLFillObject& FillObject() const { return *fFill; }
  bool IsActive() const { return fFill->Style() != sfNone && fStrength != 1.0; }
  QString Description() const override;

 private:
  void TakeListBitmap();
  double fStrength = 0.6;
  std::unique_ptr<TZCLFillObject> fFill;
  TZCLCustomImageList* fImageList = nullptr;
  int fImageIndex = 0;
  int fListIndex = 0;
  TZCLChangeLink fLink;
};

// Pixel operations over the rectangle r of an image (32-bit images; other formats are converted).
void FlipVertical(QImage& image, const TRect& r);
void FlipHorizontal(QImage& image, const TRect& r);
void GrayScale(QImage& image, const TRect& r);
void Invert(QImage& image, const TRect& r);
void Brightness(QImage& image, const TRect& r, int value);
// target = fill + round(strength * (image - fill)) per colour byte; all three must be 32-bit.
void Blend(const QImage& image, const QImage& fill, QImage& target, double strength);

class TZCLBitmapEffectObject : public TZCLObject {
 public:
  TZCLBitmapEffectObject();
  // 0 FlipVertical, 1 FlipHorizontal, 2 GrayScale, 3 Invert, 4 Buffered.
  bool Flag(int index) const { return fFlags[index]; }
  void SetFlag(int index, bool value);
  int Brightness() const { return fBrightness; }
  void SetBrightness(int value);  // -255 .. 255
  TZCLAlphaObject& AlphaBlend() { return *fAlpha; }
  bool IsActive() const;
  QString Description() const override;
  // Copies the source rectangle into target at (0, 0) and applies the effects.
  void ApplyEffects(const QImage& source, const TRect& sourceRect, QImage& target);
  void Changed() override;

 private:
  bool fFlags[5] = {false, false, false, false, false};
  int fBrightness = 0;
  std::unique_ptr<TZCLAlphaObject> fAlpha;
  QImage fBuffer;
  bool fBufferValid = false;
};

}  // namespace zyn
