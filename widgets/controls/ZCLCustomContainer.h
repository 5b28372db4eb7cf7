#pragma once
// Containers of owned list items (string lists, sounds, bitmaps), the item header and data
// blocks of their binary form, and list files with a magic, a count and an offset table.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBaseController.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zyn {

enum TZCLListKind : int { lkImageList, lkBitmapList, lkWaveList, lkStringList, lkGlyphList, lkRichText, lkUnknown };

// The magic of a list kind (eight characters) and its file extension.
QByteArray ListMagic(int kind);
QString ListExtension(int kind, bool withDot);

class EListData : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Little-endian writing and bounds-checked reading of the binary form.
class TZCLByteWriter {
 public:
  QByteArray Data;
  void U8(std::uint8_t v) { Data += static_cast<char>(v); }
  void Le32(std::uint32_t v);
  void Bytes(const QByteArray& b) { Data += b; }
  void PatchLe32(int at, std::uint32_t v);
};

class TZCLByteReader {
 public:
  explicit TZCLByteReader(const QByteArray& data, int pos = 0) : fData(data), fPos(pos) {}
  std::uint8_t U8();
  std::uint32_t Le32();
  QByteArray Bytes(int count);
  int Pos() const { return fPos; }
  void Seek(int pos);
  bool AtEnd() const { return fPos >= fData.size(); }
  const QByteArray& Data() const { return fData; }
  int& PosRef() { return fPos; }

 private:
  const QByteArray& fData;
  int fPos;
};

class TZCLCustomContainer;

class TZCLListItem : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLListItem(TZCLCustomContainer* container = nullptr);
  QString Description() const { return fDescription; }
  void SetDescription(const QString& value);
  std::uint16_t Ident() const { return fIdent; }
  void SetIdent(std::uint16_t value);
  bool Compressed() const { return fCompressed; }
  void SetCompressed(bool value) { fCompressed = value; }
  TZCLCustomContainer* Container() const { return fContainer; }

  virtual void ClearData() = 0;
  virtual bool IsEmpty() const = 0;
  // Header, then the body of the item's kind.
  virtual void WriteToStream(TZCLByteWriter& w) const;
  virtual void ReadFromStream(TZCLByteReader& r);
  virtual std::uint8_t GetFlags() const;
  virtual void Assign(const TZCLListItem& other);
  void Changed() override;

 protected:
  // The data block of the item's data: plain (count and bytes) or compressed.
  void WriteDataBlock(TZCLByteWriter& w, const QByteArray& data) const;
  QByteArray ReadDataBlock(TZCLByteReader& r) const;
  virtual void WriteBody(TZCLByteWriter& w) const = 0;
  virtual void ReadBody(TZCLByteReader& r, std::uint8_t flags) = 0;

 private:
  TZCLCustomContainer* fContainer;
  QString fDescription;
  std::uint16_t fIdent = 0;
  bool fCompressed = false;
};

class TZCLCustomContainer : public TZCLBaseController {
  Q_OBJECT
 public:
  using ItemFactory = std::function<std::unique_ptr<TZCLListItem>(TZCLCustomContainer*)>;
  TZCLCustomContainer(QObject* owner, int kind, ItemFactory factory);

  int Kind() const { return fKind; }
  int Count() const { return static_cast<int>(fItems.size()); }
  bool IsEmpty() const { return fItems.empty(); }
  TZCLListItem* Items(int index) const;
  // Where bitmap-list items load their bitmaps from: 0 nowhere, 1 a list file, 2 the program's
  // resources, 3 a library (no image), 4 a bitmap file per item; FileName and PathPrefix name it.
  int Source() const { return fSource; }
  void SetSource(int value) { fSource = value; }
  QString FileName() const { return fFileName; }
  void SetFileName(const QString& value) { fFileName = value; }
  int PathPrefixKind() const { return fPathPrefix; }
  void SetPathPrefixKind(int value) { fPathPrefix = value; }
  bool DefaultCompressed() const { return fDefaultCompressed; }
  void SetDefaultCompressed(bool value) { fDefaultCompressed = value; }
  // Adds an item (a new one of the list's item class for nullptr) and returns its index.
  int AddItem(std::unique_ptr<TZCLListItem> item = nullptr);
  void ClearItems();
  void Assign(const TZCLCustomContainer& other);

  // The count and the items; withOffsets: the list file body (magic, count, offset table, items).
  QByteArray SaveToStream(bool withOffsets) const;
  void LoadFromStream(const QByteArray& data, bool withOffsets);
  void SaveToFile(const QString& fileName) const;
  void LoadFromFile(const QString& fileName);

 private:
  std::vector<std::unique_ptr<TZCLListItem>> fItems;
  int fKind;
  ItemFactory fFactory;
  bool fDefaultCompressed = false;
  int fSource = 0;
  QString fFileName;
  int fPathPrefix = 2;  // ppProgram
};

// The text of a list file that cannot be opened or is of another kind.
std::string CannotOpenListFile(const QString& fileName);

// The kind of a list file (lkUnknown when the magic is none of the six), its count and the offsets.
int ReadListFileHeader(const QByteArray& file, int* count, std::vector<std::uint32_t>* offsets);
// Reads item index of a list file of the expected kind into item.
void ReadListFileItem(const QByteArray& file, const QString& fileName, int expectedKind, TZCLListItem& item, int index);

// Pixel formats of stored bitmaps.
enum TZCLSavePixelFormat : int { spfDefault, spfMono, spf4bit, spf8bit, spf16bit };
// The header flag bits 4 to 7 of a pixel format (none for spfDefault) and back.
std::uint8_t PixelFormatFlags(TZCLSavePixelFormat format);
TZCLSavePixelFormat PixelFormatOfFlags(std::uint8_t flags);
// A bitmap as stored: spfDefault its own BMP image; the other formats a BMP of 1, 4, 8 or 24 bits
// per pixel with a palette of 2^bits entries (none for 24 bits).
QByteArray BitmapBlock(const QImage& bitmap, TZCLSavePixelFormat format);

// The image interface of the two image lists: the list index selects the item, the image index the
// image within it (a bitmap list's item holds one bitmap and ignores the image index).
class TZCLCustomImageList : public TZCLCustomContainer {
  Q_OBJECT
 public:
  using TZCLCustomContainer::TZCLCustomContainer;
  // The pixel format new items save their bitmaps in.
  TZCLSavePixelFormat DefaultPixelFormat() const { return fDefaultPixelFormat; }
  void SetDefaultPixelFormat(TZCLSavePixelFormat value) { fDefaultPixelFormat = value; }
  virtual TRect GetImageRect(int list, int image) const = 0;
  // 0 width, 1 height; 0 for another selector or a list out of range.
  virtual int GetDimension(int list, int which) const = 0;
  virtual int GetImageCount(int list) const = 0;
  virtual bool IsValidImage(int list, int image) const = 0;
  // A copy of the image; null when there is none.
  virtual QImage GetBitmap(int list, int image) const = 0;
  virtual bool IsMasked(int list) const { return false; }
  // $FFFFFF out of range.
  virtual TColor GetTransparentColor(int list, int image) const = 0;
  virtual TColor GetPixelAt(const TPoint& p, int list, int image) const = 0;
  virtual void Draw(TCanvas& canvas, int x, int y, int list, int image) const = 0;
  // Draws into r with the bitmap placement flags; answers where the image landed.
  virtual TRect DrawInRect(TCanvas& canvas, const TRect& r, int list, int image, unsigned flags) const = 0;

 private:
  TZCLSavePixelFormat fDefaultPixelFormat = spfDefault;
};

}  // namespace zyn
