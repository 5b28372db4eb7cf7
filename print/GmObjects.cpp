#include "print/GmObjects.h"

#include "model/base/Cp1252.h"
#include "print/GmFontMapper.h"
#include "print/GmPageList.h"

#include <QPainter>
#include <QPicture>
#include <QPolygon>
#include <QTransform>

#include <cmath>

namespace zyn {

namespace {

int Px(TGmExtended inches, TGmExtended ppi) { return GmPixels(inches, ppi); }

template <class T>
int IndexIn(const TGmResourceList<T>& list, const T* item) {
  return item ? list.IndexOfItem(item) : -1;
}

template <class T>
T* ItemAt(const TGmResourceList<T>& list, int index, const char* what) {
  if (index == -1) return nullptr;
  T* item = list.Item(index);
  if (!item)
    throw EReadError(Ansi("Verweis auf eine fehlende Ressource im Seitendatenstrom (") + what + " " +
                     std::to_string(index) + ")");
  return item;
}

// Expands tabs to the next multiple of eight characters.
std::string ExpandTabs(const std::string& text) {
  if (text.find('\t') == std::string::npos) return text;
  std::string out;
  size_t col = 0;
  for (char c : text) {
    if (c == '\t') {
      do {
        out += ' ';
        ++col;
      } while (col % 8 != 0);
    } else {
      out += c;
      col = (c == '\r' || c == '\n') ? 0 : col + 1;
    }
  }
  return out;
}

}  // namespace

std::unique_ptr<TGmBaseObject> TGmBaseObject::Create(int type, TGmResourceTable* table) {
  switch (type) {
    case gmTextObject:
      return std::make_unique<TGmTextObject>(table);
    case gmLineObject:
      return std::make_unique<TGmLineObject>(table);
    case gmRectangleShape:
      return std::make_unique<TGmRectangleShape>(table);
    case gmGraphicObject:
      return std::make_unique<TGmGraphicObject>(table);
    case gmTextBoxObject:
      return std::make_unique<TGmTextBoxObject>(table);
    case gmPolygonObject:
    case gmPolylineObject:
    case gmBezierObject:
    case gmPolylineToObject:
    case gmBezierToObject:
      return std::make_unique<TGmPolyBaseObject>(table, type);
    default:
      return nullptr;
  }
}

void TGmBaseObject::Changed() {
  if (fSuspend == 0 && fOnChange) fOnChange();
}

void TGmBaseObject::DrawObject(QPainter& painter, const TGmDrawContext& ctx) {
  if (!fPrintable && IsPrinterCanvas(painter)) return;
  painter.save();
  Draw(painter, ctx);
  painter.restore();
}

void TGmBaseObject::LoadFromValueList(const TGmValueList& list) {
  fUserNumber = list.ReadInteger("UI", -1);
  fPrintable = list.ReadBool("PR", true);
}

void TGmBaseObject::SaveToValueList(TGmValueList& list) const {
  list.WriteInteger("ID", ObjectType());
  list.WriteInteger("UI", fUserNumber);
  if (!fPrintable) list.WriteBool("PR", false);
}

void TGmBaseObject::SaveToStream(TStream& stream) const {
  TGmValueList list;
  SaveToValueList(list);
  TGmWriter w(stream);
  w.WriteInteger(ObjectType());
  w.WriteValueList(list);
}

void TGmBaseObject::LoadFromStream(TStream& stream) {
  TGmValueList list;
  TGmReader(stream).ReadValueList(list);
  LoadFromValueList(list);
}

// ---- visible objects

TGmCorners TGmVisibleObject::GetBounds(TGmExtended ppi) const {
  const QRect r = BoundsRect(ppi);
  return CornersFromRect({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void TGmVisibleObject::Move(int how) {
  if (fPageList) fPageList->MoveObject(this, how);
}

void TGmOutlineShape::SetPen(TGmPen* pen) {
  if (fPen && fPen != pen && fTable) fTable->Pens().Release(*fPen);
  fPen = pen;
  Changed();
}

void TGmOutlineShape::ApplyTools(QPainter& painter, const TGmDrawContext& ctx) const {
  if (fPen)
    ApplyPen(*fPen, painter, ctx.PpiX);
  else
    painter.setPen(Qt::NoPen);
}

void TGmOutlineShape::LoadFromValueList(const TGmValueList& list) {
  TGmVisibleObject::LoadFromValueList(list);
  fPen = fTable ? ItemAt(fTable->Pens(), list.ReadInteger("P", -1), "Stift") : nullptr;
}

void TGmOutlineShape::SaveToValueList(TGmValueList& list) const {
  TGmVisibleObject::SaveToValueList(list);
  list.WriteInteger("P", fTable ? IndexIn(fTable->Pens(), fPen) : -1);
}

void TGmSolidShape::SetBrush(TGmBrush* brush) {
  if (fBrush && fBrush != brush && fTable) fTable->Brushes().Release(*fBrush);
  fBrush = brush;
  Changed();
}

void TGmSolidShape::ApplyTools(QPainter& painter, const TGmDrawContext& ctx) const {
  TGmOutlineShape::ApplyTools(painter, ctx);
  if (fBrush)
    ApplyBrush(*fBrush, painter);
  else
    painter.setBrush(Qt::NoBrush);
}

void TGmSolidShape::LoadFromValueList(const TGmValueList& list) {
  TGmOutlineShape::LoadFromValueList(list);
  fBrush = fTable ? ItemAt(fTable->Brushes(), list.ReadInteger("B", -1), "Pinsel") : nullptr;
}

void TGmSolidShape::SaveToValueList(TGmValueList& list) const {
  TGmOutlineShape::SaveToValueList(list);
  list.WriteInteger("B", fTable ? IndexIn(fTable->Brushes(), fBrush) : -1);
}

void TGmBaseSolidShape::SetRect(TGmMeasurement unit, const TGmRect& r) {
  fRect = ConvertGmRect(r, unit, gmInches);
  Changed();
}

QRect TGmBaseSolidShape::RectAt(TGmExtended ppiX, TGmExtended ppiY) const {
  const int l = Px(fRect.Left, ppiX), t = Px(fRect.Top, ppiY);
  return QRect(QPoint(l, t), QPoint(Px(fRect.Right, ppiX) - 1, Px(fRect.Bottom, ppiY) - 1));
}

void TGmBaseSolidShape::Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) {
  fRect = OffsetGmRect(fRect, ConvertValue(unit, gmInches, dx), ConvertValue(unit, gmInches, dy));
  Changed();
}

void TGmSimpleSolidShape::LoadFromValueList(const TGmValueList& list) {
  TGmBaseSolidShape::LoadFromValueList(list);
  fRect = list.ReadRect("XY", {});
}

void TGmSimpleSolidShape::SaveToValueList(TGmValueList& list) const {
  TGmBaseSolidShape::SaveToValueList(list);
  list.WriteRect("XY", fRect);
}

// ---- text

void TGmBaseTextObject::SetText(const std::string& text) {
  if (text == fText) return;
  fText = text;
  Changed();
}

void TGmBaseTextObject::SetClipRect(TGmMeasurement unit, const TGmRect& r) {
  const TGmRect inches = IsGmNoRect(r) ? GmNoRect : ConvertGmRect(r, unit, gmInches);
  if (inches == fClip) return;
  fClip = inches;
  Changed();
}

void TGmBaseTextObject::SetFont(TGmFont* font) {
  if (fFont && fFont != font && fTable) fTable->Fonts().Release(*fFont);
  fFont = font;
  Changed();
}

void TGmBaseTextObject::LoadFromValueList(const TGmValueList& list) {
  TGmBaseSolidShape::LoadFromValueList(list);
  fText = list.ReadString("T", "");
  fClip = list.ReadRect("CR", GmNoRect);
  const TGmPoint p = list.ReadPoint("XY", {});
  fRect.Left = p.X;
  fRect.Top = p.Y;
  fFont = fTable ? ItemAt(fTable->Fonts(), list.ReadInteger("F", -1), "Schrift") : nullptr;
}

void TGmBaseTextObject::SaveToValueList(TGmValueList& list) const {
  TGmBaseSolidShape::SaveToValueList(list);
  list.WriteString("T", fText);
  list.WriteRect("CR", fClip);
  list.WritePoint("XY", {fRect.Left, fRect.Top});
  list.WriteInteger("F", fTable ? IndexIn(fTable->Fonts(), fFont) : -1);
}

void TGmTextObject::Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) {
  const TGmExtended x = ConvertValue(unit, gmInches, dx), y = ConvertValue(unit, gmInches, dy);
  fRect.Left += x;
  fRect.Top += y;
  Changed();
}

void TGmTextObject::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  ApplyTools(painter, ctx);
  if (!fFont) return;
  TGmFontMapper& mapper = TGmFontMapper::Instance();
  const std::string text = ReplacePageTokens(fText, ctx.PageNumber, ctx.PageCount);
  const int x = Px(fRect.Left, ctx.PpiX), y = Px(fRect.Top, ctx.PpiY);
  QRect clip;
  const bool clipped = !IsGmNoRect(fClip);
  if (clipped)
    clip = QRect(QPoint(Px(fClip.Left, ctx.PpiX), Px(fClip.Top, ctx.PpiY)),
                 QPoint(Px(fClip.Right, ctx.PpiX) - 1, Px(fClip.Bottom, ctx.PpiY) - 1));
  // A filled brush gives the text an opaque background, as on any canvas.
  if (Brush() && Brush()->Style != bsClear && Brush()->Color != GmNoColour && !text.empty()) {
    const TGmPoint ext = mapper.TextExtentInches(*fFont, text);
    QRect bg(x, y, Px(ext.X, ctx.PpiX), Px(ext.Y, ctx.PpiY));
    if (clipped) bg = bg.intersected(clip);
    if (fFont->Angle == 0) painter.fillRect(bg, GmToQColor(Brush()->Color));
  }
  if (fFont->Angle != 0) {
    painter.translate(x, y);
    painter.rotate(-static_cast<double>(fFont->Angle));
    if (clipped) {
      // The clip rectangle stays upright on the page.
      painter.setClipRect(painter.transform().inverted().mapRect(clip), Qt::ReplaceClip);
    }
    mapper.TextOutMapped(painter, *fFont, ctx.PpiX, 0, 0, ctx.ForScreen, text, nullptr);
  } else {
    mapper.TextOutMapped(painter, *fFont, ctx.PpiX, x, y, ctx.ForScreen, text, clipped ? &clip : nullptr);
  }
}

QRect TGmTextObject::BoundsRect(TGmExtended ppi) const {
  TGmPoint ext{};
  if (fFont) {
    TGmFontMapper& mapper = TGmFontMapper::Instance();
    ext = mapper.TextExtentInches(*fFont, fText);
  }
  QRect r(Px(fRect.Left, ppi), Px(fRect.Top, ppi), Px(ext.X, ppi), Px(ext.Y, ppi));
  if (fFont && fFont->Angle != 0) {
    QTransform t;
    t.translate(r.left(), r.top());
    t.rotate(-static_cast<double>(fFont->Angle));
    r = t.mapRect(QRect(0, 0, r.width(), r.height()));
  }
  return r;
}

// ---- lines and rectangles

void TGmLineObject::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  ApplyTools(painter, ctx);
  painter.drawLine(QPoint(Px(fRect.Left, ctx.PpiX), Px(fRect.Top, ctx.PpiY)),
                   QPoint(Px(fRect.Right, ctx.PpiX), Px(fRect.Bottom, ctx.PpiY)));
}

QRect TGmLineObject::BoundsRect(TGmExtended ppi) const {
  const QRect r =
      QRect(QPoint(Px(fRect.Left, ppi), Px(fRect.Top, ppi)), QPoint(Px(fRect.Right, ppi), Px(fRect.Bottom, ppi)))
          .normalized();
  return r.adjusted(-3, -3, 3, 3);
}

void TGmRectangleShape::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  ApplyTools(painter, ctx);
  const QRect r = RectAt(ctx.PpiX, ctx.PpiY);
  DrawRectangle(painter, r);
}

// ---- pictures

void TGmGraphicObject::SetPicture(const TGmPicture& picture) {
  if (!fTable) return;
  std::unique_ptr<TGmGraphic> g;
  switch (picture.Kind) {
    case TGmPicture::Bitmap:
      g = TGmGraphic::FromBitmap(picture.Image);
      break;
    case TGmPicture::Icon:
      g = TGmGraphic::FromBitmap(IconToBitmap(picture.Image));
      break;
    case TGmPicture::Jpeg:
      g = TGmGraphic::FromJpeg(picture.JpegBytes);
      break;
    case TGmPicture::Metafile:
      if (picture.Picture) g = TGmGraphic::FromMetafile(*picture.Picture);
      break;
    case TGmPicture::Other:
      g = TGmGraphic::FromJpeg(BitmapToJpeg(picture.Image));
      break;
  }
  if (fGraphic) fTable->Graphics().Release(*fGraphic);
  fGraphic = g ? fTable->Graphics().AddGraphic(*g) : nullptr;
  if (fGraphic && fGraphic->Kind() == TGmGraphicKind::Bitmap) fPixelFormat = fGraphic->PixelFormat();
  Changed();
}

void TGmGraphicObject::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  if (!fGraphic) return;
  const QRect r = RectAt(ctx.PpiX, ctx.PpiY);
  if (fGraphic->Kind() == TGmGraphicKind::Metafile) {
    const QPicture& pic = fGraphic->Metafile();
    if (fGraphic->Width() <= 0 || fGraphic->Height() <= 0) return;
    painter.translate(r.topLeft());
    painter.scale(static_cast<double>(r.width()) / fGraphic->Width(),
                  static_cast<double>(r.height()) / fGraphic->Height());
    painter.drawPicture(0, 0, pic);
    return;
  }
  QImage img = fGraphic->ToImage();
  if (IsPrinterCanvas(painter) && fPixelFormat <= 3 && !img.isNull() && img.depth() > 8 &&
      fGraphic->Kind() == TGmGraphicKind::Bitmap)
    img = img.convertToFormat(QImage::Format_Indexed8);
  StretchBitmap(painter, r, img, fCopyMode);
}

void TGmGraphicObject::LoadFromValueList(const TGmValueList& list) {
  TGmSimpleSolidShape::LoadFromValueList(list);
  fCopyMode = static_cast<std::uint32_t>(list.ReadInteger("CM", static_cast<int>(GmSRCCOPY)));
  fPixelFormat = list.ReadInteger("PF", 3);
  fGraphic = fTable ? ItemAt(fTable->Graphics(), list.ReadInteger("G", -1), "Bild") : nullptr;
}

void TGmGraphicObject::SaveToValueList(TGmValueList& list) const {
  TGmSimpleSolidShape::SaveToValueList(list);
  list.WriteInteger("CM", static_cast<int>(fCopyMode));
  list.WriteInteger("PF", fPixelFormat);
  list.WriteInteger("G", fTable ? IndexIn(fTable->Graphics(), fGraphic) : -1);
}

// ---- text boxes

void TGmTextBoxObject::SetAlignment(int a) {
  if (a == fAlignment) return;
  fAlignment = a;
  Changed();
}

void TGmTextBoxObject::SetVertAlignment(int a) {
  if (a == fVertAlignment) return;
  fVertAlignment = a;
  Changed();
}

void TGmTextBoxObject::SetInnerMargin(TGmExtended inches) {
  if (inches == fInnerMargin) return;
  fInnerMargin = inches;
  Changed();
}

void TGmTextBoxObject::SetWordWrap(bool w) {
  if (w == fWordWrap) return;
  fWordWrap = w;
  Changed();
}

void TGmTextBoxObject::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  ApplyTools(painter, ctx);
  if (!fFont) return;
  const std::string text = ExpandTabs(ReplacePageTokens(fText, ctx.PageNumber, ctx.PageCount));
  QRect box = RectAt(ctx.PpiX, ctx.PpiY);
  const int h = Px(fTextHeight, ctx.PpiY);
  if (fVertAlignment == 1)
    box.setTop(box.top() + (box.height() - h) / 2);
  else if (fVertAlignment == 2)
    box.setTop(box.top() + box.height() - h);
  const int mx = Px(fInnerMargin, ctx.PpiX), my = Px(fInnerMargin, ctx.PpiY);
  box.adjust(mx, my, -mx, -my);
  TGmFontMapper::Instance().DrawWrappedText(painter, *fFont, ctx.PpiX, box, ctx.ForScreen, fAlignment, text, fWordWrap);
}

void TGmTextBoxObject::LoadFromValueList(const TGmValueList& list) {
  TGmBaseTextObject::LoadFromValueList(list);
  const TGmPoint p = list.ReadPoint("XY2", {});
  fRect.Right = p.X;
  fRect.Bottom = p.Y;
  fInnerMargin = list.ReadFloat("TP", 0);
  fTextHeight = list.ReadFloat("TH", 0);
  fAlignment = list.ReadInteger("TA", 0);
  fVertAlignment = list.ReadInteger("VA", 0);
  fClipText = list.ReadBool("CT", true);
  fWordWrap = list.ReadBool("WB", true);
}

void TGmTextBoxObject::SaveToValueList(TGmValueList& list) const {
  TGmBaseTextObject::SaveToValueList(list);
  list.WritePoint("XY2", {fRect.Right, fRect.Bottom});
  list.WriteFloat("TP", fInnerMargin);
  list.WriteFloat("TH", fTextHeight);
  if (fAlignment != 0) list.WriteInteger("TA", fAlignment);
  if (fVertAlignment != 0) list.WriteInteger("VA", fVertAlignment);
  if (!fClipText) list.WriteBool("CT", false);
  if (!fWordWrap) list.WriteBool("WB", false);
}

// ---- polygons

void TGmPolyBaseObject::SetPoints(TGmMeasurement unit, const TGmPolyPoints& points) {
  fPoints = points;
  ConvertGmPolyPoints(fPoints, unit, gmInches);
  Changed();
}

void TGmPolyBaseObject::Draw(QPainter& painter, const TGmDrawContext& ctx) {
  ApplyTools(painter, ctx);
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(fPoints.size()));
  for (const TGmPoint& p : fPoints) poly << QPoint(Px(p.X, ctx.PpiX), Px(p.Y, ctx.PpiY));
  DrawPoly(fType, painter, poly);
}

QRect TGmPolyBaseObject::BoundsRect(TGmExtended ppi) const {
  QPolygon poly;
  for (const TGmPoint& p : fPoints) poly << QPoint(Px(p.X, ppi), Px(p.Y, ppi));
  return poly.boundingRect();
}

void TGmPolyBaseObject::Offset(TGmMeasurement unit, TGmExtended dx, TGmExtended dy) {
  const TGmExtended x = ConvertValue(unit, gmInches, dx), y = ConvertValue(unit, gmInches, dy);
  for (TGmPoint& p : fPoints) p = OffsetGmPoint(p, x, y);
  Changed();
}

void TGmPolyBaseObject::LoadFromValueList(const TGmValueList& list) {
  TGmSolidShape::LoadFromValueList(list);
  const int n = list.ReadInteger("SZ", 0);
  // Every point has a line of its own, so a count beyond the list's lines is damage.
  if (n < 0 || n > list.Count())
    throw EReadError(Ansi("Ungültige Punktanzahl im Seitendatenstrom: ") + std::to_string(n));
  fPoints.assign(static_cast<size_t>(n), TGmPoint{});
  for (int i = 0; i < n; ++i) fPoints[static_cast<size_t>(i)] = list.ReadPoint("XY" + std::to_string(i), {});
}

void TGmPolyBaseObject::SaveToValueList(TGmValueList& list) const {
  TGmSolidShape::SaveToValueList(list);
  list.WriteInteger("SZ", static_cast<int>(fPoints.size()));
  for (size_t i = 0; i < fPoints.size(); ++i) list.WritePoint("XY" + std::to_string(i), fPoints[i]);
}

// ---- the list

int TGmBaseObjectList::IndexOf(const TGmBaseObject* o) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].get() == o) return static_cast<int>(i);
  return -1;
}

void TGmBaseObjectList::Hook(TGmBaseObject* o) {
  o->SetOnChange([this] {
    if (fOnChange) fOnChange();
  });
}

TGmBaseObject* TGmBaseObjectList::Add(std::unique_ptr<TGmBaseObject> o) { return Insert(Count(), std::move(o)); }

TGmBaseObject* TGmBaseObjectList::Insert(int index, std::unique_ptr<TGmBaseObject> o) {
  index = std::clamp(index, 0, Count());
  TGmBaseObject* raw = o.get();
  Hook(raw);
  fItems.insert(fItems.begin() + index, std::move(o));
  return raw;
}

std::unique_ptr<TGmBaseObject> TGmBaseObjectList::Extract(int index) {
  std::unique_ptr<TGmBaseObject> o = std::move(fItems[static_cast<size_t>(index)]);
  fItems.erase(fItems.begin() + index);
  return o;
}

}  // namespace zyn
