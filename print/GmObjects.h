#pragma once
// Page objects: the recorded content of a page. Each object holds its geometry in inches and refers
// to the shared tools of the resource table; it draws itself at any resolution and writes itself
// to and reads itself from a value list.

#include "print/GmResource.h"

#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPicture;

namespace zyn {

class TGmPageList;

// What a drawing target tells the objects.
struct TGmDrawContext {
  int PageNumber = 1;
  TGmExtended PpiX = 600;
  TGmExtended PpiY = 600;
  int PageCount = 1;
  bool ForScreen = false;
};

// Type numbers of the objects.
enum : int {
  gmTextObject = 0,
  gmLineObject = 1,
  gmRectangleShape = 2,
  gmGraphicObject = 13,
  gmTextBoxObject = 14,
  gmPolygonObject = 15,
  gmPolylineObject = 16,
  gmBezierObject = 17,
  gmPolylineToObject = 18,
  gmBezierToObject = 19
};

class TGmBaseObject {
 public:
  explicit TGmBaseObject(TGmResourceTable* table) : fTable(table) {}
  virtual ~TGmBaseObject() = default;
  TGmBaseObject(const TGmBaseObject&) = delete;
  TGmBaseObject& operator=(const TGmBaseObject&) = delete;

  // A new object of the type number, or none for a kind this library does not know.
  static std::unique_ptr<TGmBaseObject> Create(int type, TGmResourceTable* table);

  virtual int ObjectType() const = 0;
  void Changed();
  void BeginChange() { ++fSuspend; }
  void EndChange() {
    if (fSuspend > 0) --fSuspend;
  }

  // Draws unless the target is paper and the object is not printable.
  void DrawObject(QPainter& painter, const TGmDrawContext& ctx);
  virtual void Draw(QPainter& painter, const TGmDrawContext& ctx) = 0;

  virtual void LoadFromValueList(const TGmValueList& list);
  virtual void SaveToValueList(TGmValueList& list) const;
  // The type number, then the value list as one block.
  void SaveToStream(TStream& stream) const;
  // The value list block (the type number has been read by whoever chose the class).
  void LoadFromStream(TStream& stream);
  virtual void Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) {}

  bool Printable() const { return fPrintable; }
  void SetPrintable(bool p) { fPrintable = p; }
  int UserNumber() const { return fUserNumber; }
  void SetUserNumber(int n) { fUserNumber = n; }
  TGmResourceTable* ResourceTable() const { return fTable; }
  void SetOnChange(std::function<void()> onChange) { fOnChange = std::move(onChange); }

 protected:
  TGmResourceTable* fTable;

 private:
  bool fPrintable = true;
  int fUserNumber = -1;
  int fSuspend = 0;
  std::function<void()> fOnChange;
};

class TGmVisibleObject : public TGmBaseObject {
 public:
  using TGmBaseObject::TGmBaseObject;
  // The bounding box at a resolution.
  TGmCorners GetBounds(TGmExtended ppi) const;
  virtual QRect BoundsRect(TGmExtended ppi) const = 0;
  // The page list the object was recorded into, so that it can change its place in the z-order.
  void SetPageList(TGmPageList* list) { fPageList = list; }
  TGmPageList* PageList() const { return fPageList; }
  // 0 to the end (drawn last), 1 one place later, 2 one place earlier, 3 to the start.
  void Move(int how);

 private:
  TGmPageList* fPageList = nullptr;
};

class TGmOutlineShape : public TGmVisibleObject {
 public:
  using TGmVisibleObject::TGmVisibleObject;
  const TGmPen* Pen() const { return fPen; }
  void SetPen(TGmPen* pen);
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 protected:
  void ApplyTools(QPainter& painter, const TGmDrawContext& ctx) const;

 private:
  TGmPen* fPen = nullptr;
};

class TGmSolidShape : public TGmOutlineShape {
 public:
  using TGmOutlineShape::TGmOutlineShape;
  const TGmBrush* Brush() const { return fBrush; }
  void SetBrush(TGmBrush* brush);
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 protected:
  void ApplyTools(QPainter& painter, const TGmDrawContext& ctx) const;

 private:
  TGmBrush* fBrush = nullptr;
};

class TGmBaseSolidShape : public TGmSolidShape {
 public:
  using TGmSolidShape::TGmSolidShape;
  const TGmRect& RectInches() const { return fRect; }
  TGmRect Rect(TGmMeasurement unit) const { return ConvertGmRect(fRect, gmInches, unit); }
  void SetRect(TGmMeasurement unit, const TGmRect& r);
  TGmExtended Left(TGmMeasurement unit) const { return ConvertValue(gmInches, unit, fRect.Left); }
  TGmExtended Top(TGmMeasurement unit) const { return ConvertValue(gmInches, unit, fRect.Top); }
  TGmExtended Right(TGmMeasurement unit) const { return ConvertValue(gmInches, unit, fRect.Right); }
  TGmExtended Bottom(TGmMeasurement unit) const { return ConvertValue(gmInches, unit, fRect.Bottom); }
  void SetLeft(TGmMeasurement unit, TGmExtended v) { SetSide(fRect.Left, unit, v); }
  void SetTop(TGmMeasurement unit, TGmExtended v) { SetSide(fRect.Top, unit, v); }
  void SetRight(TGmMeasurement unit, TGmExtended v) { SetSide(fRect.Right, unit, v); }
  void SetBottom(TGmMeasurement unit, TGmExtended v) { SetSide(fRect.Bottom, unit, v); }
  // Each side times the resolution, to the nearest whole number.
  QRect RectAt(TGmExtended ppiX, TGmExtended ppiY) const;
  void Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) override;
  QRect BoundsRect(TGmExtended ppi) const override { return RectAt(ppi, ppi).normalized(); }

 protected:
  TGmRect fRect;

 private:
  void SetSide(TGmExtended& side, TGmMeasurement unit, TGmExtended v) {
    side = ConvertValue(unit, gmInches, v);
    Changed();
  }
};

class TGmSimpleSolidShape : public TGmBaseSolidShape {
 public:
  using TGmBaseSolidShape::TGmBaseSolidShape;
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;
};

class TGmBaseTextObject : public TGmBaseSolidShape {
 public:
  using TGmBaseSolidShape::TGmBaseSolidShape;
  const std::string& Text() const { return fText; }
  void SetText(const std::string& text);
  const TGmRect& ClipRect() const { return fClip; }
  void SetClipRect(TGmMeasurement unit, const TGmRect& r);
  const TGmFont* Font() const { return fFont; }
  void SetFont(TGmFont* font);
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 protected:
  std::string fText;
  TGmRect fClip = GmNoRect;
  TGmFont* fFont = nullptr;
};

// A single line of text; its origin is the rectangle's left and top.
class TGmTextObject : public TGmBaseTextObject {
 public:
  using TGmBaseTextObject::TGmBaseTextObject;
  int ObjectType() const override { return gmTextObject; }
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
  QRect BoundsRect(TGmExtended ppi) const override;
  void Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) override;
};

class TGmLineObject : public TGmSimpleSolidShape {
 public:
  using TGmSimpleSolidShape::TGmSimpleSolidShape;
  int ObjectType() const override { return gmLineObject; }
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
  QRect BoundsRect(TGmExtended ppi) const override;
};

class TGmRectangleShape : public TGmSimpleSolidShape {
 public:
  using TGmSimpleSolidShape::TGmSimpleSolidShape;
  int ObjectType() const override { return gmRectangleShape; }
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
};

// What a picture to be recorded is: the stored kinds, an icon, or any other picture.
struct TGmPicture {
  enum TKind { Bitmap, Jpeg, Metafile, Icon, Other } Kind = Bitmap;
  QImage Image;                         // Bitmap, Icon, Other
  std::vector<std::uint8_t> JpegBytes;  // Jpeg
  const QPicture* Picture = nullptr;    // Metafile
};

class TGmGraphicObject : public TGmSimpleSolidShape {
 public:
  using TGmSimpleSolidShape::TGmSimpleSolidShape;
  int ObjectType() const override { return gmGraphicObject; }
  // Icons are drawn onto a bitmap first; bitmaps, metafiles and JPEG images are interned as they
  // are; any other picture is stored as a JPEG image.
  void SetPicture(const TGmPicture& picture);
  const TGmGraphic* Picture() const { return fGraphic; }
  std::uint32_t CopyMode() const { return fCopyMode; }
  void SetCopyMode(std::uint32_t mode) { fCopyMode = mode; }
  int PixelFormat() const { return fPixelFormat; }
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 private:
  std::uint32_t fCopyMode = GmSRCCOPY;
  int fPixelFormat = 3;
  TGmGraphic* fGraphic = nullptr;
};

class TGmTextBoxObject : public TGmBaseTextObject {
 public:
  using TGmBaseTextObject::TGmBaseTextObject;
  int ObjectType() const override { return gmTextBoxObject; }
  int Alignment() const { return fAlignment; }
  void SetAlignment(int a);
  int VertAlignment() const { return fVertAlignment; }
  void SetVertAlignment(int a);
  TGmExtended InnerMargin() const { return fInnerMargin; }
  void SetInnerMargin(TGmExtended inches);
  TGmExtended TextHeight() const { return fTextHeight; }
  void SetTextHeight(TGmExtended inches) { fTextHeight = inches; }
  bool WordWrap() const { return fWordWrap; }
  void SetWordWrap(bool w);
  bool ClipText() const { return fClipText; }
  void SetClipText(bool c) { fClipText = c; }
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
  QRect BoundsRect(TGmExtended ppi) const override { return RectAt(ppi, ppi).normalized(); }
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 private:
  int fAlignment = 0;
  bool fClipText = true;
  TGmExtended fInnerMargin = 0;
  TGmExtended fTextHeight = 0;
  int fVertAlignment = 0;
  bool fWordWrap = true;
};

// Polygons, polylines and Bezier curves: the type number chooses how the points are drawn.
class TGmPolyBaseObject : public TGmSolidShape {
 public:
  TGmPolyBaseObject(TGmResourceTable* table, int type) : TGmSolidShape(table), fType(type) {}
  int ObjectType() const override { return fType; }
  const TGmPolyPoints& Points() const { return fPoints; }
  void SetPoints(TGmMeasurement unit, const TGmPolyPoints& points);
  void Draw(QPainter& painter, const TGmDrawContext& ctx) override;
  QRect BoundsRect(TGmExtended ppi) const override;
  void Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) override;
  void LoadFromValueList(const TGmValueList& list) override;
  void SaveToValueList(TGmValueList& list) const override;

 private:
  int fType;
  TGmPolyPoints fPoints;
};

class TGmPolygonObject : public TGmPolyBaseObject {
 public:
  explicit TGmPolygonObject(TGmResourceTable* table) : TGmPolyBaseObject(table, gmPolygonObject) {}
};

// The objects of a page in drawing order; owns them and passes their changes on.
class TGmBaseObjectList {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TGmBaseObject* Item(int i) const { return fItems[static_cast<size_t>(i)].get(); }
  int IndexOf(const TGmBaseObject* o) const;
  TGmBaseObject* Add(std::unique_ptr<TGmBaseObject> o);
  // At an index held within 0 and the count.
  TGmBaseObject* Insert(int index, std::unique_ptr<TGmBaseObject> o);
  std::unique_ptr<TGmBaseObject> Extract(int index);
  void Clear() { fItems.clear(); }
  void SetOnChange(std::function<void()> onChange) { fOnChange = std::move(onChange); }
  const std::vector<std::unique_ptr<TGmBaseObject>>& Items() const { return fItems; }

 private:
  void Hook(TGmBaseObject* o);
  std::vector<std::unique_ptr<TGmBaseObject>> fItems;
  std::function<void()> fOnChange;
};

}  // namespace zyn
