#include "print/GmResource.h"

#include "model/base/Cp1252.h"
#include "print/GmJpeg.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

namespace zyn {

void TGmBrush::Assign(const TGmBrush& s) {
  Color = s.Color;
  Style = s.Style;
  if (OnChange) OnChange();
}

void TGmFont::Assign(const TGmFont& s) {
  Size = s.Size;
  Style = s.Style;
  Angle = s.Angle;
  Color = s.Color;
  CharSet = s.CharSet;
  Name = s.Name;
  if (OnChange) OnChange();
}

void TGmPen::Assign(const TGmPen& s) {
  Width = s.Width;
  Color = s.Color;
  Style = s.Style;
  Mode = s.Mode;
  if (OnChange) OnChange();
}

// ---- graphics

namespace {
constexpr int kMaxPictureSide = 20000;

std::vector<std::uint8_t> BmpBytes(const QImage& img) {
  QByteArray ba;
  QBuffer buf(&ba);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "BMP");
  return {ba.begin(), ba.end()};
}
}  // namespace

std::unique_ptr<TGmGraphic> TGmGraphic::FromBitmap(const QImage& bitmap) {
  if (bitmap.isNull()) return nullptr;
  auto g = std::make_unique<TGmGraphic>();
  g->fKind = TGmGraphicKind::Bitmap;
  g->fImage = bitmap;
  g->fWidth = bitmap.width();
  g->fHeight = bitmap.height();
  g->fStored = BmpBytes(bitmap);
  return g;
}

std::unique_ptr<TGmGraphic> TGmGraphic::FromJpeg(std::vector<std::uint8_t> jpeg) {
  int w = 0, h = 0;
  if (!JpegSize(jpeg, w, h) || w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide) return nullptr;
  auto g = std::make_unique<TGmGraphic>();
  g->fKind = TGmGraphicKind::Jpeg;
  g->fWidth = w;
  g->fHeight = h;
  g->fStored = std::move(jpeg);
  return g;
}

std::unique_ptr<TGmGraphic> TGmGraphic::FromMetafile(const QPicture& picture) {
  auto g = std::make_unique<TGmGraphic>();
  g->fKind = TGmGraphicKind::Metafile;
  g->fPicture = picture;
  const QRect r = picture.boundingRect();
  g->fWidth = r.isValid() ? r.right() + 1 : 0;
  g->fHeight = r.isValid() ? r.bottom() + 1 : 0;
  g->fStored.assign(reinterpret_cast<const std::uint8_t*>(picture.data()),
                    reinterpret_cast<const std::uint8_t*>(picture.data()) + picture.size());
  return g;
}

std::unique_ptr<TGmGraphic> TGmGraphic::FromStoredForm(TGmGraphicKind kind, const std::vector<std::uint8_t>& bytes) {
  switch (kind) {
    case TGmGraphicKind::Jpeg:
      return FromJpeg(bytes);
    case TGmGraphicKind::Bitmap: {
      const QImage img = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
      if (img.isNull() || img.width() > kMaxPictureSide || img.height() > kMaxPictureSide) return nullptr;
      auto g = FromBitmap(img);
      g->fStored = bytes;  // the stored form as read, so that equal entries stay equal
      return g;
    }
    case TGmGraphicKind::Metafile: {
      QPicture pic;
      if (bytes.empty()) return nullptr;
      pic.setData(reinterpret_cast<const char*>(bytes.data()), static_cast<uint>(bytes.size()));
      if (pic.isNull()) return nullptr;
      return FromMetafile(pic);
    }
  }
  return nullptr;
}

QImage TGmGraphic::ToImage() const {
  switch (fKind) {
    case TGmGraphicKind::Bitmap:
      return fImage;
    case TGmGraphicKind::Jpeg:
      return DecodeJpeg(fStored);
    default:
      return {};
  }
}

int TGmGraphic::PixelFormat() const {
  if (fKind != TGmGraphicKind::Bitmap) return 3;
  switch (fImage.depth()) {
    case 1:
      return 1;
    case 4:
      return 2;
    case 8:
      return 3;
    case 16:
      return 5;
    case 24:
      return 6;
    default:
      return 7;
  }
}

TGmGraphic* TGmGraphicList::AddGraphic(const TGmGraphic& graphic) {
  if (fCompare) {
    const int i = IndexOf(graphic);
    if (i >= 0) return Retain(i);
  }
  return Append(graphic.Clone());
}

// ---- stream forms

namespace {

template <class F>
void ReadEach(TStream& stream, std::int64_t minBytes, F&& each) {
  TGmReader r(stream);
  const std::int32_t n = r.ReadCount(minBytes);
  for (std::int32_t i = 0; i < n; ++i) {
    TGmValueList v;
    r.ReadValueList(v);
    each(v);
  }
}

}  // namespace

void TGmBrushList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(Count());
  for (int i = 0; i < Count(); ++i) {
    TGmValueList v;
    v.WriteInteger("CL", static_cast<int>(Item(i)->Color));
    v.WriteInteger("ST", Item(i)->Style);
    w.WriteValueList(v);
  }
}

void TGmBrushList::LoadFromStream(TStream& stream) {
  Clear();
  ReadEach(stream, 4, [this](const TGmValueList& v) {
    TGmBrush b;
    b.Color = static_cast<TGmColor>(v.ReadInteger("CL", static_cast<int>(GmWhite)));
    const int st = v.ReadInteger("ST", 0);
    if (st < 0 || st > bsDiagCross) throw EReadError(Ansi("Ungültiger Pinselstil: ") + std::to_string(st));
    b.Style = static_cast<TGmBrushStyle>(st);
    AppendCopy(b);
  });
}

void FontToValueList(const TGmFont& f, TGmValueList& v) {
  v.WriteInteger("CL", static_cast<int>(f.Color));
  v.WriteString("ST", FontStyleText(f.Style));
  v.WriteFloat("FA", f.Angle);
  v.WriteInteger("SZ", f.Size);
  v.WriteInteger("CS", f.CharSet);
  v.WriteString("FN", f.Name);
}

TGmFont FontFromValueList(const TGmValueList& v) {
  TGmFont f;
  f.Color = static_cast<TGmColor>(v.ReadInteger("CL", static_cast<int>(GmWhite)));
  f.Style = FontStyleFromText(v.ReadString("ST", ""));
  f.Angle = v.ReadFloat("FA", 0);
  f.Size = v.ReadInteger("SZ", 10);
  f.CharSet = v.ReadInteger("CS", 1);
  f.Name = v.ReadString("FN", "Arial");
  if (f.Size < -1638 || f.Size > 1638) throw EReadError(Ansi("Ungültige Schriftgröße: ") + std::to_string(f.Size));
  return f;
}

void TGmFontList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(Count());
  for (int i = 0; i < Count(); ++i) {
    TGmValueList v;
    FontToValueList(*Item(i), v);
    w.WriteValueList(v);
  }
}

void TGmFontList::LoadFromStream(TStream& stream) {
  Clear();
  ReadEach(stream, 4, [this](const TGmValueList& v) { AppendCopy(FontFromValueList(v)); });
}

void TGmPenList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(Count());
  for (int i = 0; i < Count(); ++i) {
    const TGmPen& p = *Item(i);
    TGmValueList v;
    v.WriteInteger("CL", static_cast<int>(p.Color));
    v.WriteInteger("SZ", p.Width);
    v.WriteInteger("ST", p.Style);
    v.WriteInteger("PM", p.Mode);
    w.WriteValueList(v);
  }
}

void TGmPenList::LoadFromStream(TStream& stream) {
  ReadEach(stream, 4, [this](const TGmValueList& v) {
    TGmPen p;
    p.Color = static_cast<TGmColor>(v.ReadInteger("CL", 0));
    p.Width = v.ReadInteger("SZ", 1);
    const int st = v.ReadInteger("ST", 0);
    const int pm = v.ReadInteger("PM", pmCopy);
    if (st < 0 || st > psInsideFrame || pm < 0 || pm > pmNotXor || p.Width < 0 || p.Width > 28800)
      throw EReadError(Ansi("Ungültiger Stift im Seitendatenstrom"));
    p.Style = static_cast<TGmPenStyle>(st);
    p.Mode = static_cast<TGmPenMode>(pm);
    AppendCopy(p);
  });
}

void TGmGraphicList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(Count());
  for (int i = 0; i < Count(); ++i) {
    const TGmGraphic& g = *Item(i);
    const std::vector<std::uint8_t>& bytes = g.StoredForm();
    stream.WriteU8(static_cast<std::uint8_t>(g.Kind()));
    const std::int64_t end = stream.Position() + 4 + static_cast<std::int64_t>(bytes.size());
    if (end > INT32_MAX) throw EWriteError(Ansi("Die Bilder der Seiten sind zu groß"));
    stream.WriteI32(static_cast<std::int32_t>(end));
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), bytes.size());
  }
}

void TGmGraphicList::LoadFromStream(TStream& stream) {
  TGmReader r(stream);
  const std::int32_t n = r.ReadCount(5);
  for (std::int32_t i = 0; i < n; ++i) {
    const std::uint8_t kind = stream.ReadU8();
    const std::int32_t end = stream.ReadI32();
    const std::int64_t pos = stream.Position();
    if (end < pos || end - pos > r.Remaining())
      throw EReadError(Ansi("Ungültige Bildlänge im Seitendatenstrom: ") + std::to_string(end));
    std::vector<std::uint8_t> bytes(static_cast<size_t>(end - pos));
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), bytes.size());
    stream.SetPosition(end);
    if (kind > static_cast<std::uint8_t>(TGmGraphicKind::Bitmap)) continue;  // a kind this reader skips
    auto g = TGmGraphic::FromStoredForm(static_cast<TGmGraphicKind>(kind), bytes);
    if (!g) throw EReadError(Ansi("Ein Bild im Seitendatenstrom ist nicht lesbar"));
    Append(std::move(g));
  }
}

void TGmResourceTable::Clear() {
  fBrushes.Clear();
  fFonts.Clear();
  fPens.Clear();
  fGraphics.Clear();
  fRichEdits.Clear();
}

void TGmResourceTable::SaveToStream(TStream& stream) const {
  fBrushes.SaveToStream(stream);
  fFonts.SaveToStream(stream);
  fPens.SaveToStream(stream);
  fGraphics.SaveToStream(stream);
  fRichEdits.SaveToStream(stream);
}

void TGmResourceTable::LoadFromStream(TStream& stream) {
  Clear();
  fBrushes.LoadFromStream(stream);
  fFonts.LoadFromStream(stream);
  fPens.LoadFromStream(stream);
  fGraphics.LoadFromStream(stream);
  fRichEdits.LoadFromStream(stream);
}

// ---- tools on a painter

void ApplyBrush(const TGmBrush& brush, QPainter& painter) {
  if (brush.Color == GmNoColour || brush.Style == bsClear) {
    painter.setBrush(Qt::NoBrush);
    return;
  }
  Qt::BrushStyle st = Qt::SolidPattern;
  switch (brush.Style) {
    case bsHorizontal:
      st = Qt::HorPattern;
      break;
    case bsVertical:
      st = Qt::VerPattern;
      break;
    case bsFDiagonal:
      st = Qt::FDiagPattern;
      break;
    case bsBDiagonal:
      st = Qt::BDiagPattern;
      break;
    case bsCross:
      st = Qt::CrossPattern;
      break;
    case bsDiagCross:
      st = Qt::DiagCrossPattern;
      break;
    default:
      break;
  }
  painter.setBrush(QBrush(GmToQColor(brush.Color), st));
}

int GmPenPixels(const TGmPen& pen, TGmExtended ppi) { return GmPixels(pen.Width / 72.0L / 4.0L, ppi); }

void ApplyPen(const TGmPen& pen, QPainter& painter, TGmExtended ppi) {
  if (pen.Color == GmNoColour || pen.Style == psClear || pen.Mode == pmNop) {
    painter.setPen(Qt::NoPen);
    return;
  }
  const int width = GmPenPixels(pen, ppi);
  QColor colour = GmToQColor(pen.Color);
  if (pen.Mode == pmBlack)
    colour = Qt::black;
  else if (pen.Mode == pmWhite)
    colour = Qt::white;
  else if (pen.Mode == pmNotCopy)
    colour = GmToQColor(~pen.Color & 0xFFFFFF);
  Qt::PenStyle st = Qt::SolidLine;
  switch (pen.Style) {
    case psDash:
      st = Qt::DashLine;
      break;
    case psDot:
      st = Qt::DotLine;
      break;
    case psDashDot:
      st = Qt::DashDotLine;
      break;
    case psDashDotDot:
      st = Qt::DashDotDotLine;
      break;
    default:
      break;
  }
  QPen qp(QBrush(colour), width, st, Qt::FlatCap, Qt::MiterJoin);
  if (st == Qt::SolidLine && width <= 1) {
    qp.setWidth(1);
    qp.setCosmetic(true);
  }
  painter.setPen(qp);
  const QPaintEngine* engine = painter.paintEngine();
  if (engine && engine->hasFeature(QPaintEngine::RasterOpModes)) {
    switch (pen.Mode) {
      case pmNot:
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        break;
      case pmXor:
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
      case pmMerge:
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
      case pmMask:
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
      default:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    }
  }
}

std::string PenToText(const TGmPen& pen) {
  return std::to_string(static_cast<int>(pen.Color)) + "," + std::to_string(pen.Width) + "," +
         std::to_string(static_cast<int>(pen.Style)) + "," + std::to_string(static_cast<int>(pen.Mode));
}

void TextToPen(TGmPen& pen, std::string_view text) {
  const std::vector<int> n = GmParseIntList(text);
  if (n.size() < 4) throw EGmConvertError(Ansi("Unvollständige Stiftangabe: ") + std::string(text));
  if (n[2] < 0 || n[2] > psInsideFrame || n[3] < 0 || n[3] > pmNotXor)
    throw EGmConvertError(Ansi("Ungültige Stiftangabe: ") + std::string(text));
  pen.Color = static_cast<TGmColor>(n[0]);
  pen.Width = n[1];
  pen.Style = static_cast<TGmPenStyle>(n[2]);
  pen.Mode = static_cast<TGmPenMode>(n[3]);
}

}  // namespace zyn
