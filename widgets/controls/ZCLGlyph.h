#pragma once
// The glyph object: state images (normal, disabled, down ...) made from one bitmap on first
// use and kept in glyph lists that all glyphs of one size share through a cache.

#include "platform/Colors.h"
#include "widgets/controls/ZCLGlyphTextLayout.h"

#include <QImage>

#include <array>
#include <memory>
#include <vector>

namespace zyn {

// Images of one size; positions are reused after they are freed.
class TZCLGlyphList {
 public:
  TZCLGlyphList(int width, int height) : fWidth(width), fHeight(height) {}
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  int AllocImage();
  int AddGlyph(const QImage& image, TColor transparent);
  void FreeImage(int index);
  int Count() const { return fCount; }
  QImage Image(int index) const;

 private:
  int fWidth;
  int fHeight;
  std::vector<QImage> fSlots;
  std::vector<bool> fUsed;
  int fCount = 0;
};

class TZCLGlyphCache {
 public:
  // The list of that size, made when missing.
  TZCLGlyphList* GetList(int width, int height);
  // Frees the list when none of its images is in use.
  void ReturnList(TZCLGlyphList* list);
  bool IsEmpty() const { return fLists.empty(); }
  int ListCount() const { return static_cast<int>(fLists.size()); }

 private:
  std::vector<std::unique_ptr<TZCLGlyphList>> fLists;
};

class TZCLGlyph {
 public:
  TZCLGlyph();
  ~TZCLGlyph();
  TZCLGlyph(const TZCLGlyph&) = delete;
  TZCLGlyph& operator=(const TZCLGlyph&) = delete;

  // The cache shared by all glyphs while at least one glyph exists (null otherwise).
  static TZCLGlyphCache* Cache();

  QImage Bitmap() const { return fBitmap; }
  // Copies the bitmap; a width that is a multiple of the height gives width / height glyphs
  // (1 from 6 on); other widths keep the number of glyphs.
  void SetBitmap(const QImage& bitmap);
  int NumGlyphs() const { return fNumGlyphs; }
  void SetNumGlyphs(int value);
  int Style() const { return fStyle; }
  void SetStyle(int value);  // 0 plain, 1 with a grey normal image
  TColor TransparentColor() const { return fTransparent; }
  // The list index of the image for a button state (0 .. 8), made on first use; -1 for none.
  int StateImage(int state);
  QImage StateBitmap(int state);
  // Draws the state image and the text laid out by layout in r (the text only without an image);
  // the transparent colour is the image's bottom-left pixel.
  TZCLGlyphTextResult Draw(TCanvas& canvas, const QString& text, unsigned format, unsigned flags,
                           const TZCLGlyphTextLayout& layout, int state, const TRect& r,
                           TZCL3DCaption* caption = nullptr);
  TZCLGlyphList* List() const { return fList; }

 private:
  void Invalidate();
  QImage fBitmap;
  std::array<int, 9> fImages;
  TZCLGlyphList* fList = nullptr;
  TColor fTransparent = clNone;
  int fNumGlyphs = 1;
  int fStyle = 0;
};

}  // namespace zyn
