#include "print/GmCanvas.h"

#include "print/GmFontMapper.h"
#include "print/GmPageList.h"

#include <QRect>

namespace zyn {

TGmCanvas::TGmCanvas(TGmPageList& list) : fList(list) {
  fBrush.Style = bsClear;
  fFont.Name = "Arial";
  fFont.Size = 10;
  fPen.Color = GmBlack;
  fPen.Width = 1;
  fPen.Style = psSolid;
  fPen.Mode = pmCopy;
}

bool TGmCanvas::CompareGraphics() const { return fList.Resources().Graphics().Compare(); }
void TGmCanvas::SetCompareGraphics(bool compare) { fList.Resources().Graphics().SetCompare(compare); }

TGmFont* TGmCanvas::InternFont() {
  TGmFont snapshot;
  snapshot.Assign(fFont);
  snapshot.Angle = fAngle;
  return fList.Resources().Fonts().Add(snapshot);
}
TGmBrush* TGmCanvas::InternBrush() { return fList.Resources().Brushes().Add(fBrush); }
TGmPen* TGmCanvas::InternPen() { return fList.Resources().Pens().Add(fPen); }

TGmBaseObject* TGmCanvas::Record(std::unique_ptr<TGmBaseObject> object) {
  fLast = fList.AddObject(std::move(object), fRelative);
  return fLast;
}

TGmBaseObject* TGmCanvas::TextOut(const std::string& text, TGmExtended x, TGmExtended y) {
  return TextOut(text, x, y, fDefault);
}

TGmBaseObject* TGmCanvas::TextOut(const std::string& text, TGmExtended x, TGmExtended y, TGmMeasurement unit,
                                  TGmExtended angle, const TGmRect* clip) {
  auto o = std::make_unique<TGmTextObject>(&fList.Resources());
  o->SetRect(unit, {x, y, x, y});
  o->SetText(text);
  o->SetClipRect(unit, clip ? *clip : GmNoRect);
  fAngle = angle;
  try {
    o->SetFont(InternFont());
  } catch (...) {
    fAngle = 0;
    throw;
  }
  fAngle = 0;
  o->SetBrush(InternBrush());
  o->SetPen(InternPen());
  return Record(std::move(o));
}

TGmBaseObject* TGmCanvas::Line(TGmMeasurement unit, TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2) {
  auto o = std::make_unique<TGmLineObject>(&fList.Resources());
  o->SetRect(unit, {x1, y1, x2, y2});
  o->SetPen(InternPen());
  return Record(std::move(o));
}

void TGmCanvas::MoveTo(TGmMeasurement unit, TGmExtended x, TGmExtended y) {
  fPenPos = ConvertGmPoint({x, y}, unit, gmInches);
}

TGmBaseObject* TGmCanvas::LineTo(TGmMeasurement unit, TGmExtended x, TGmExtended y) {
  const TGmPoint to = ConvertGmPoint({x, y}, unit, gmInches);
  TGmBaseObject* o = Line(gmInches, fPenPos.X, fPenPos.Y, to.X, to.Y);
  fPenPos = to;
  return o;
}

TGmBaseObject* TGmCanvas::Rectangle(TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2) {
  return Rectangle(fDefault, x1, y1, x2, y2);
}

TGmBaseObject* TGmCanvas::Rectangle(TGmMeasurement unit, TGmExtended x1, TGmExtended y1, TGmExtended x2,
                                    TGmExtended y2) {
  auto o = std::make_unique<TGmRectangleShape>(&fList.Resources());
  o->SetRect(unit, {x1, y1, x2, y2});
  o->SetBrush(InternBrush());
  o->SetPen(InternPen());
  return Record(std::move(o));
}

TGmBaseObject* TGmCanvas::TextBox(const std::string& text, int alignment, int vertAlignment, TGmMeasurement unit,
                                  TGmExtended x1, TGmExtended y1, TGmExtended x2, TGmExtended y2, TGmExtended margin) {
  const TGmExtended left = ConvertValue(unit, gmInches, x1), top = ConvertValue(unit, gmInches, y1),
                    right = ConvertValue(unit, gmInches, x2);
  const TGmExtended m = margin < 0 ? fInnerMargin.AsInches() : ConvertValue(unit, gmInches, margin);
  TGmExtended bottom = 0, h = 0;
  if (y2 == 0 || vertAlignment != 0) {
    h = TextBoxHeight(text, gmInches, m, right - left);
    bottom = y2 != 0 ? ConvertValue(unit, gmInches, y2) : top + h;
  } else {
    bottom = ConvertValue(unit, gmInches, y2);
    h = bottom - top;
  }
  auto o = std::make_unique<TGmTextBoxObject>(&fList.Resources());
  o->SetRect(gmInches, {left, top, right, bottom});
  o->SetInnerMargin(m);
  o->SetTextHeight(h);
  o->SetAlignment(alignment);
  o->SetVertAlignment(vertAlignment);
  o->SetBrush(InternBrush());
  o->SetFont(InternFont());
  o->SetPen(InternPen());
  o->SetText(text);
  o->SetWordWrap(fWordBreak);
  return Record(std::move(o));
}

TGmBaseObject* TGmCanvas::Draw(const QImage& bitmap, TGmMeasurement unit, TGmExtended x, TGmExtended y,
                               TGmExtended scale) {
  const TGmExtended w = ConvertValue(gmPixels, unit, bitmap.width()) * scale;
  const TGmExtended h = ConvertValue(gmPixels, unit, bitmap.height()) * scale;
  TGmPicture pic;
  pic.Kind = TGmPicture::Bitmap;
  pic.Image = bitmap;
  return StretchDraw(pic, unit, x, y, x + w, y + h);
}

TGmBaseObject* TGmCanvas::StretchDraw(const TGmPicture& picture, TGmMeasurement unit, TGmExtended x1, TGmExtended y1,
                                      TGmExtended x2, TGmExtended y2) {
  auto o = std::make_unique<TGmGraphicObject>(&fList.Resources());
  o->SetRect(unit, {x1, y1, x2, y2});
  o->SetCopyMode(fCopyMode);
  o->SetPicture(picture);
  return Record(std::move(o));
}

TGmBaseObject* TGmCanvas::Polygon(const TGmPolyPoints& points, int count, TGmMeasurement unit) {
  const size_t n = count < 0 ? 0 : std::min(points.size(), static_cast<size_t>(count));
  auto o = std::make_unique<TGmPolygonObject>(&fList.Resources());
  o->SetPoints(unit, TGmPolyPoints(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(n)));
  o->SetBrush(InternBrush());
  o->SetPen(InternPen());
  return Record(std::move(o));
}

TGmExtended TGmCanvas::TextWidth(const std::string& text) {
  const TGmPoint e = TextExtentInches(text, fFont);
  fMeasured.Width().SetInches(e.X);
  fMeasured.Height().SetInches(e.Y);
  return e.X;
}

TGmExtended TGmCanvas::TextHeight(const std::string& text) {
  const TGmPoint e = TextExtentInches(text, fFont);
  fMeasured.Width().SetInches(e.X);
  fMeasured.Height().SetInches(e.Y);
  return e.Y;
}

TGmExtended TGmCanvas::BitmapWidth(const QImage& bitmap) { return BitmapSize(bitmap).Width().AsInches(); }
TGmExtended TGmCanvas::BitmapHeight(const QImage& bitmap) { return BitmapSize(bitmap).Height().AsInches(); }

const TGmValueSize& TGmCanvas::BitmapSize(const QImage& bitmap) {
  fMeasured.Width().SetInches(bitmap.width() / 96.0L);
  fMeasured.Height().SetInches(bitmap.height() / 96.0L);
  return fMeasured;
}

TGmExtended TGmCanvas::TextBoxHeight(const std::string& text, TGmMeasurement unit, TGmExtended margin,
                                     TGmExtended width) {
  TGmFontMapper& mapper = TGmFontMapper::Instance();
  const TGmExtended m = ConvertValue(unit, gmInches, margin), w = ConvertValue(unit, gmInches, width);
  const int ref = mapper.ReferenceResolution();
  const QRect rect(0, 0, static_cast<int>(GmRound((w - 2 * m) * ref)), 1);
  const TGmExtended h = mapper.WrappedTextHeight(fFont, rect, text, fWordBreak);
  const TGmExtended inches = static_cast<TGmExtended>(GmRound(h * ref)) / ref + 2 * m;
  return ConvertValue(gmInches, unit, inches);
}

}  // namespace zyn
