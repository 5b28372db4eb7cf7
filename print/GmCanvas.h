#pragma once
// The drawing surface documents are written on. It draws nothing itself: every call records one
// page object on the current page of its page list, with all lengths converted to inches and its
// brush, font and pen interned in the shared resource table. The pages are drawn later, at the
// resolution of the preview or of the printer.

#include "print/GmObjects.h"

#include <QImage>

#include <cstdint>
#include <string>

namespace zyn {

class TGmPageList;

class TGmCanvas {
 public:
  explicit TGmCanvas(TGmPageList& list);
  TGmCanvas(const TGmCanvas&) = delete;
  TGmCanvas& operator=(const TGmCanvas&) = delete;

  // The current tools, set directly by the caller.
  TGmBrush& Brush() { return fBrush; }
  TGmFont& Font() { return fFont; }
  TGmPen& Pen() { return fPen; }

  std::uint32_t CopyMode() const { return fCopyMode; }
  void SetCopyMode(std::uint32_t mode) { fCopyMode = mode; }
  TGmMeasurement DefaultMeasurement() const { return fDefault; }
  void SetDefaultMeasurement(TGmMeasurement unit) { fDefault = unit; }
  TGmCoordsRelative CoordsRelativeTo() const { return fRelative; }
  void SetCoordsRelativeTo(TGmCoordsRelative r) { fRelative = r; }
  TGmValue& TextBoxInnerMargin() { return fInnerMargin; }
  bool WordBreak() const { return fWordBreak; }
  void SetWordBreak(bool w) { fWordBreak = w; }
  bool CompareGraphics() const;
  void SetCompareGraphics(bool compare);
  TGmBaseObject* LastObject() const { return fLast; }
  TGmPoint PenPosition() const { return fPenPos; }
  // The last text or bitmap measurement, in inches.
  const TGmValueSize& Measured() const { return fMeasured; }

  // Recording. Each call records one object and returns it (LastObject).
  TGmBaseObject* TextOut(const std::string& text, TGmExtended x, TGmExtended y);
  TGmBaseObject* TextOut(const std::string& text, TGmExtended x, TGmExtended y, TGmMeasurement unit,
                         TGmExtended angle = 0, const TGmRect* clip = nullptr);
  TGmBaseObject* Line(TGmMeasurement unit, TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2);
  void MoveTo(TGmMeasurement unit, TGmExtended x, TGmExtended y);
  TGmBaseObject* LineTo(TGmMeasurement unit, TGmExtended x, TGmExtended y);
  TGmBaseObject* Rectangle(TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2);
  TGmBaseObject* Rectangle(TGmMeasurement unit, TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2);
  // alignment 0 left, 1 right, 2 centre; vertical 0 top, 1 centre, 2 bottom. Y2 = 0 lets the box
  // grow to its text. A negative margin takes TextBoxInnerMargin.
  TGmBaseObject* TextBox(const std::string& text, int alignment, int vertAlignment, TGmMeasurement unit, TGmExtended x1,
                         TGmExtended y1, TGmExtended x2, TGmExtended y2, TGmExtended margin = -1);
  // The bitmap at 96 pixels per inch times the scale.
  TGmBaseObject* Draw(const QImage& bitmap, TGmMeasurement unit, TGmExtended x, TGmExtended y, TGmExtended scale = 1);
  TGmBaseObject* StretchDraw(const TGmPicture& picture, TGmMeasurement unit, TGmExtended x1, TGmExtended y1,
                             TGmExtended x2, TGmExtended y2);
  // The first count points (at most all of them).
  TGmBaseObject* Polygon(const TGmPolyPoints& points, int count, TGmMeasurement unit);

  // Measuring, in inches, at 600 pixels per inch in the current font.
  TGmExtended TextWidth(const std::string& text);
  TGmExtended TextHeight(const std::string& text);
  TGmExtended BitmapWidth(const QImage& bitmap);
  TGmExtended BitmapHeight(const QImage& bitmap);
  const TGmValueSize& BitmapSize(const QImage& bitmap);
  // The height of the wrapped text in a box of the width, with the margin on each side.
  TGmExtended TextBoxHeight(const std::string& text, TGmMeasurement unit, TGmExtended margin, TGmExtended width);

 private:
  TGmBaseObject* Record(std::unique_ptr<TGmBaseObject> object);
  TGmFont* InternFont();
  TGmBrush* InternBrush();
  TGmPen* InternPen();

  TGmPageList& fList;
  TGmBrush fBrush;
  TGmFont fFont;
  TGmPen fPen;
  std::uint32_t fCopyMode = GmSRCCOPY;
  TGmMeasurement fDefault = gmMillimeters;
  TGmCoordsRelative fRelative = gmFromPage;
  TGmPoint fPenPos;
  TGmValue fInnerMargin{gmMillimeters, 1};
  bool fWordBreak = true;
  TGmExtended fAngle = 0;
  TGmBaseObject* fLast = nullptr;
  TGmValueSize fMeasured;
};

}  // namespace zyn
