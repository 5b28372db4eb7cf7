#pragma once
// The shared tools of a recorded document. A document repeats the same few fonts, pens, brushes
// and pictures thousands of times; the resource table keeps each distinct one once, with a
// reference count, and the page objects refer to the shared entry.

#include "print/GmFuncs.h"
#include "print/GmRichText.h"
#include "print/GmStream.h"

#include <QImage>
#include <QPicture>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace zyn {

enum TGmBrushStyle : std::uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};
enum TGmPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TGmPenMode : std::uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

struct TGmBrush {
  TGmColor Color = GmWhite;
  TGmBrushStyle Style = bsClear;
  std::function<void()> OnChange;

  void Assign(const TGmBrush& source);
  bool Equals(const TGmBrush& o) const { return Color == o.Color && Style == o.Style; }
};

struct TGmFont {
  int Size = 12;  // points
  TGmFontStyles Style = 0;
  TGmExtended Angle = 0;  // degrees, counter-clockwise
  TGmColor Color = GmBlack;
  int CharSet = 1;
  std::string Name;  // Windows-1252
  std::function<void()> OnChange;

  void Assign(const TGmFont& source);
  // The name compared exactly, with case.
  bool Equals(const TGmFont& o) const {
    return Name == o.Name && Size == o.Size && CharSet == o.CharSet && Angle == o.Angle && Color == o.Color &&
           Style == o.Style;
  }
};

struct TGmPen {
  int Width = 0;  // 1/288 inch (a quarter point)
  TGmColor Color = 0;
  TGmPenStyle Style = psSolid;
  TGmPenMode Mode = pmBlack;
  std::function<void()> OnChange;

  void Assign(const TGmPen& source);
  bool Equals(const TGmPen& o) const {
    return Color == o.Color && Mode == o.Mode && Style == o.Style && Width == o.Width;
  }
};

// A picture of a page: a JPEG image (kept compressed, decoded when drawn), a metafile or a bitmap.
enum class TGmGraphicKind : std::uint8_t { Jpeg = 0, Metafile = 1, Bitmap = 2 };

class TGmGraphic {
 public:
  static std::unique_ptr<TGmGraphic> FromBitmap(const QImage& bitmap);
  static std::unique_ptr<TGmGraphic> FromJpeg(std::vector<std::uint8_t> jpeg);
  static std::unique_ptr<TGmGraphic> FromMetafile(const QPicture& picture);
  // From a stored form; none when the bytes are not a readable picture of that kind.
  static std::unique_ptr<TGmGraphic> FromStoredForm(TGmGraphicKind kind, const std::vector<std::uint8_t>& bytes);

  TGmGraphicKind Kind() const { return fKind; }
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // The bytes of the picture's own file form: JPEG, the Qt picture format, or BMP.
  const std::vector<std::uint8_t>& StoredForm() const { return fStored; }
  // Bitmaps and JPEG images as pixels (a JPEG image decoded now); null for a metafile.
  QImage ToImage() const;
  const QPicture& Metafile() const { return fPicture; }
  // The bitmap's pixel format in the library's numbering (3 for 8 bits and less, 6 for 24 bits...).
  int PixelFormat() const;
  bool Equals(const TGmGraphic& o) const {
    return fKind == o.fKind && fWidth == o.fWidth && fHeight == o.fHeight && fStored == o.fStored;
  }
  std::unique_ptr<TGmGraphic> Clone() const { return std::make_unique<TGmGraphic>(*this); }

 private:
  TGmGraphicKind fKind = TGmGraphicKind::Bitmap;
  int fWidth = 0;
  int fHeight = 0;
  std::vector<std::uint8_t> fStored;
  QImage fImage;
  QPicture fPicture;
};

// Items with a reference count each; equal resources are stored once.
template <class T>
class TGmResourceList {
 public:
  virtual ~TGmResourceList() = default;

  int Count() const { return static_cast<int>(fItems.size()); }
  // The item, or none for -1 and for any index outside the list.
  T* Item(int index) const {
    return index >= 0 && index < Count() ? fItems[static_cast<size_t>(index)].get() : nullptr;
  }
  int RefCount(int index) const { return index >= 0 && index < Count() ? fCounts[static_cast<size_t>(index)] : 0; }
  int IndexOfItem(const T* item) const {
    for (int i = 0; i < Count(); ++i)
      if (fItems[static_cast<size_t>(i)].get() == item) return i;
    return -1;
  }
  int IndexOf(const T& resource) const {
    for (int i = 0; i < Count(); ++i)
      if (fItems[static_cast<size_t>(i)]->Equals(resource)) return i;
    return -1;
  }
  // The shared entry equal to the resource, its count raised; a new entry with count 1 otherwise.
  T* Add(const T& resource) {
    const int i = IndexOf(resource);
    if (i >= 0) return Retain(i);
    auto item = std::make_unique<T>();
    item->Assign(resource);
    return Append(std::move(item));
  }
  // Lowers the count of the entry (equal to the resource, or the entry itself); frees it at 0.
  void Release(const T& resource) {
    int i = IndexOfItem(&resource);
    if (i < 0) i = IndexOf(resource);
    if (i < 0) return;
    if (fCounts[static_cast<size_t>(i)] <= 1) {
      fItems.erase(fItems.begin() + i);
      fCounts.erase(fCounts.begin() + i);
    } else {
      --fCounts[static_cast<size_t>(i)];
    }
  }
  void Clear() {
    fItems.clear();
    fCounts.clear();
  }

  virtual void SaveToStream(TStream& stream) const = 0;
  virtual void LoadFromStream(TStream& stream) = 0;

 protected:
  T* Retain(int index) {
    ++fCounts[static_cast<size_t>(index)];
    return Item(index);
  }
  // Read entries keep their places, so that the indexes stored in page objects stay right.
  T* AppendCopy(const T& resource) {
    auto item = std::make_unique<T>();
    item->Assign(resource);
    return Append(std::move(item));
  }
  T* Append(std::unique_ptr<T> item) {
    fItems.push_back(std::move(item));
    fCounts.push_back(1);
    return fItems.back().get();
  }

 private:
  std::vector<std::unique_ptr<T>> fItems;
  std::vector<int> fCounts;
};

class TGmBrushList : public TGmResourceList<TGmBrush> {
 public:
  void SaveToStream(TStream& stream) const override;
  void LoadFromStream(TStream& stream) override;
};

class TGmFontList : public TGmResourceList<TGmFont> {
 public:
  void SaveToStream(TStream& stream) const override;
  void LoadFromStream(TStream& stream) override;
};

class TGmPenList : public TGmResourceList<TGmPen> {
 public:
  void SaveToStream(TStream& stream) const override;
  void LoadFromStream(TStream& stream) override;
};

class TGmGraphicList : public TGmResourceList<TGmGraphic> {
 public:
  bool Compare() const { return fCompare; }
  void SetCompare(bool compare) { fCompare = compare; }
  // With the compare flag, the equal stored picture is shared; otherwise a copy is appended.
  TGmGraphic* AddGraphic(const TGmGraphic& graphic);
  void SaveToStream(TStream& stream) const override;
  void LoadFromStream(TStream& stream) override;

 private:
  bool fCompare = true;
};

// The rich edits of a document with a reference count each. Interning a rich edit that is already
// in the list counts it once more; any other is copied (its RTF) into a new one.
class TGmRichEditList : public TGmResourceList<TGmRichEdit> {
 public:
  // Supplies a rich edit when the list needs one; without it, a new rich edit is made.
  std::function<std::unique_ptr<TGmRichEdit>()> OnNeedRichEdit;

  TGmRichEdit* Add(TGmRichEdit& source);
  std::unique_ptr<TGmRichEdit> GetRichEdit();

  // The count, then per rich edit whether it is of the rich kind and its RTF text as a block.
  void SaveToStream(TStream& stream) const override;
  // Appends what it reads.
  void LoadFromStream(TStream& stream) override;
};

class TGmResourceTable {
 public:
  TGmBrushList& Brushes() { return fBrushes; }
  TGmFontList& Fonts() { return fFonts; }
  TGmPenList& Pens() { return fPens; }
  TGmGraphicList& Graphics() { return fGraphics; }
  TGmRichEditList& RichEdits() { return fRichEdits; }
  const TGmRichEditList& RichEdits() const { return fRichEdits; }
  const TGmBrushList& Brushes() const { return fBrushes; }
  const TGmFontList& Fonts() const { return fFonts; }
  const TGmPenList& Pens() const { return fPens; }
  const TGmGraphicList& Graphics() const { return fGraphics; }
  void Clear();

  // The lists one after the other (brushes, fonts, pens, graphics, rich edits).
  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);

 private:
  TGmBrushList fBrushes;
  TGmFontList fFonts;
  TGmPenList fPens;
  TGmGraphicList fGraphics;
  TGmRichEditList fRichEdits;
};

// A font in the value-list form of the font list ("CL", "ST", "FA", "SZ", "CS", "FN").
void FontToValueList(const TGmFont& font, TGmValueList& list);
TGmFont FontFromValueList(const TGmValueList& list);

// The tools on a painter at a resolution.
void ApplyBrush(const TGmBrush& brush, QPainter& painter);
void ApplyPen(const TGmPen& pen, QPainter& painter, TGmExtended pixelsPerInch);
// The painter's pen width for a pen at a resolution: quarter points to whole pixels.
int GmPenPixels(const TGmPen& pen, TGmExtended pixelsPerInch);

// "colour,width,style,mode".
std::string PenToText(const TGmPen& pen);
// EGmConvertError for a missing or non-numeric item.
void TextToPen(TGmPen& pen, std::string_view text);

}  // namespace zyn
