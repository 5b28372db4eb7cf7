#pragma once
// Image lists: items holding a strip of equally sized images (with an optional mask strip),
// and the global container with one list of each kind.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLLists.h"

#include <stdexcept>

namespace zyn {

class EInvalidGraphicOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZCLImageListItem : public TZCLListItem {
  Q_OBJECT
 public:
  explicit TZCLImageListItem(TZCLCustomContainer* container = nullptr);
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // 0 width, 1 height; sizes of 0 or less are refused; a change clears the images.
  void SetSize(int index, int value);
  int AllocBy() const { return fAllocBy; }
  void SetAllocBy(int value) { fAllocBy = std::max(1, value); }
  bool Masked() const { return fMasked; }
  void SetMasked(bool value);
  int ImageCount() const { return static_cast<int>(fPositions.size()); }
  // Adds the images of a bitmap Height high and a multiple of Width wide; returns the first index.
  int AddBitmap(const QImage& bitmap);
  TRect ImageRect(int index) const;
  QImage Image(int index) const;
  TColor TransparentColor(int index) const;
  // Draws image index at (x, y). Unmasked items (and image type 1, which draws its mask) copy the
  // image; masked ones by DrawingStyle: 0 and 1 on a background-filled bitmap whose pixels are then
  // dithered with the blend colour (style 1 where x and y parity differ, style 0 where x or y is
  // even), 2 masked straight or on the background colour when one is set, 3 masked straight.
  void Draw(TCanvas& canvas, int x, int y, int index) const;
  TColor BkColor = clNone;
  TColor BlendColor = clNone;
  int DrawingStyle = 2;
  int ImageType = 0;
  void ClearData() override;
  bool IsEmpty() const override { return fPositions.empty(); }
  TZCLSavePixelFormat PixelFormat = spfDefault;  // how the image strip is saved
  std::uint8_t GetFlags() const override { return TZCLListItem::GetFlags() | PixelFormatFlags(PixelFormat); }
  // The mask strip: black where an image shows, white where it is transparent.
  QImage MaskStrip() const;
  void Assign(const TZCLListItem& other) override;

 protected:
  void WriteBody(TZCLByteWriter& w) const override;
  void ReadBody(TZCLByteReader& r, std::uint8_t flags) override;

 private:
  int fWidth = 16;
  int fHeight = 16;
  int fAllocBy = 4;
  bool fMasked = false;
  QImage fStrip;
  int fUsed = 0;
  std::vector<int> fPositions;
};

class TZCLImageList : public TZCLCustomImageList {
  Q_OBJECT
 public:
  explicit TZCLImageList(QObject* owner = nullptr);
  TZCLImageListItem* Item(int index) const { return static_cast<TZCLImageListItem*>(Items(index)); }
  // The image interface: -1 image count and $FFFFFF colours for a list index out of range.
  TRect GetImageRect(int list, int image) const override;
  int GetImageCount(int list) const override;
  bool IsValidImage(int list, int image) const override;
  int GetDimension(int list, int which) const override;
  QImage GetBitmap(int list, int image) const override;
  bool IsMasked(int list) const override;
  TColor GetTransparentColor(int list, int image) const override;
  TColor GetPixelAt(const TPoint& p, int list, int image) const override;
  void Draw(TCanvas& canvas, int x, int y, int list, int image) const override;
  TRect DrawInRect(TCanvas& canvas, const TRect& r, int list, int image, unsigned flags) const override;
};

class TZCLContainer : public TZCLBaseController {
  Q_OBJECT
 public:
  explicit TZCLContainer(QObject* owner = nullptr);
  static TZCLContainer& Global();
  TZCLBitmapList& BitmapList() { return *fBitmaps; }
  TZCLImageList& ImageList() { return *fImages; }
  TZCLStringList& StringList() { return *fStrings; }
  TZCLWaveList& WaveList() { return *fWaves; }
  // The text naming a global list ("ZCLBML30", "ZCLIML30"), empty for another list.
  static QString WriteListReference(const TZCLCustomContainer* list);
  static TZCLCustomContainer* ReadListReference(const QString& text);
  static bool IsGlobalList(const TZCLCustomContainer* list);

 private:
  TZCLBitmapList* fBitmaps;
  TZCLImageList* fImages;
  TZCLStringList* fStrings;
  TZCLWaveList* fWaves;
};

}  // namespace zyn
