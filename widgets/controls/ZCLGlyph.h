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
  TZCLGlyphList(int width, int height) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  int AllocImage();
  int AddGlyph(const QImage& image, TColor transparent);
  void FreeImage(int index);
  int Count() const { return count_; }
  QImage Image(int index) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> slots_;
  std::vector<bool> used_;
  int count_ = 0;
};

class TZCLGlyphCache {
 public:
  // The list of that size, made when missing.
  TZCLGlyphList* GetList(int width, int height);
  // Frees the list when none of its images is in use.
  void ReturnList(TZCLGlyphList* list);
  bool IsEmpty() const { return lists_.empty(); }
  int ListCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TZCLGlyphList>> lists_;
};

class TZCLGlyph {
 public:
  TZCLGlyph();
  ~TZCLGlyph();
  TZCLGlyph(const TZCLGlyph&) = delete;
  TZCLGlyph& operator=(const TZCLGlyph&) = delete;

  // The cache shared by all glyphs while at least one glyph exists (null otherwise).
  static TZCLGlyphCache* Cache();

  QImage Bitmap() const { return bitmap_; }
  // Copies the bitmap; a width that is a multiple of the height gives width / height glyphs
  // (1 from 6 on); other widths keep the number of glyphs.
  void SetBitmap(const QImage& bitmap);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  int Style() const { return style_; }
  void SetStyle(int value);  // 0 plain, 1 with a grey normal image
  TColor TransparentColor() const { return transparent_; }
  // The list index of the image for a button state (0 .. 8), made on first use; -1 for none.
  int StateImage(int state);
  QImage StateBitmap(int state);
  // Draws the state image and the text laid out by layout in r (the text only without an image);
  // the transparent colour is the image's bottom-left pixel.
  TZCLGlyphTextResult Draw(TCanvas& canvas, const QString& text, unsigned format, unsigned flags,
                           const TZCLGlyphTextLayout& layout, int state, const TRect& r,
                           TZCL3DCaption* caption = nullptr);
  TZCLGlyphList* List() const { return list_; }

 private:
  void Invalidate();
  QImage bitmap_;
  std::array<int, 9> images_;
  TZCLGlyphList* list_ = nullptr;
  TColor transparent_ = clNone;
  int numGlyphs_ = 1;
  int style_ = 0;
};

}  // namespace zyn
