#include "widgets/controls/ZCLCustomContainer.h"

#include "widgets/controls/ZCLCompress.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

namespace zyn {
namespace {

const char* const kMagics[] = {"ZCLIML30", "ZCLBML30", "ZCLWVL30", "ZCLSLL30", "ZCLGLL50", "ZCLRTL50"};
const char* const kExtensions[] = {"iml", "bmp", "wav", "txt", "*", "rtf"};

std::string CannotOpen(const QString& fileName) {
  return QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(fileName).toStdString();
}

}  // namespace

QByteArray ListMagic(int kind) { return (kind >= 0 && kind < 6) ? QByteArray(kMagics[kind]) : QByteArray(); }

QString ListExtension(int kind, bool withDot) {
  if (kind < 0 || kind >= 6) return QString();
  const QString ext = QString::fromLatin1(kExtensions[kind]);
  return withDot ? QLatin1Char('.') + ext : ext;
}

void TZCLByteWriter::Le32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) Data += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void TZCLByteWriter::PatchLe32(int at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) Data[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint8_t TZCLByteReader::U8() {
  if (fPos + 1 > fData.size()) throw EListData("Die Listendaten sind unvollständig.");
  return static_cast<std::uint8_t>(fData[fPos++]);
}

std::uint32_t TZCLByteReader::Le32() {
  if (fPos + 4 > fData.size()) throw EListData("Die Listendaten sind unvollständig.");
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(fData[fPos + i]);
  fPos += 4;
  return v;
}

QByteArray TZCLByteReader::Bytes(int count) {
  if (count < 0 || fPos + static_cast<qint64>(count) > fData.size())
    throw EListData("Die Listendaten sind unvollständig.");
  const QByteArray b = fData.mid(fPos, count);
  fPos += count;
  return b;
}

void TZCLByteReader::Seek(int pos) {
  if (pos < 0 || pos > fData.size()) throw EListData("Die Listendaten sind unvollständig.");
  fPos = pos;
}

TZCLListItem::TZCLListItem(TZCLCustomContainer* container) : TZCLCustomComponent(container), fContainer(container) {}

void TZCLListItem::SetDescription(const QString& value) {
  if (value == fDescription) return;
  fDescription = value;
  Changed();
}

void TZCLListItem::SetIdent(std::uint16_t value) {
  if (value == fIdent) return;
  fIdent = value;
  Changed();
}

void TZCLListItem::Changed() {
  TZCLCustomComponent::Changed();
  if (fContainer && fContainer->OnChange) fContainer->OnChange(this);
}

std::uint8_t TZCLListItem::GetFlags() const {
  std::uint8_t f = 0;
  if (fCompressed) f |= 1;
  if (!fDescription.isEmpty()) f |= 2;
  if (fIdent != 0) f |= 4;
  return f;
}

void TZCLListItem::WriteToStream(TZCLByteWriter& w) const {
  const std::uint8_t flags = GetFlags();
  w.U8(flags);
  if (flags & 2) {
    const QByteArray text = fDescription.left(255).toLatin1();
    w.U8(static_cast<std::uint8_t>(text.size()));
    w.Bytes(text);
  }
  if (flags & 4) w.Le32(fIdent);
  WriteBody(w);
}

void TZCLListItem::ReadFromStream(TZCLByteReader& r) {
  const std::uint8_t flags = r.U8();
  fCompressed = flags & 1;
  fDescription = (flags & 2) ? QString::fromLatin1(r.Bytes(r.U8())) : QString();
  fIdent = (flags & 4) ? static_cast<std::uint16_t>(r.Le32()) : 0;
  ReadBody(r, flags);
}

void TZCLListItem::Assign(const TZCLListItem& other) {
  fDescription = other.fDescription;
  fIdent = other.fIdent;
  fCompressed = other.fCompressed;
}

void TZCLListItem::WriteDataBlock(TZCLByteWriter& w, const QByteArray& data) const {
  if (fCompressed) {
    w.Bytes(CompressBlock(data));
  } else {
    w.Le32(static_cast<std::uint32_t>(data.size()));
    w.Bytes(data);
  }
}

QByteArray TZCLListItem::ReadDataBlock(TZCLByteReader& r) const {
  if (fCompressed) {
    QByteArray out;
    if (!DecompressBlock(r.Data(), r.PosRef(), out)) throw EListData("Die Listendaten sind unvollständig.");
    return out;
  }
  return r.Bytes(static_cast<int>(r.Le32()));
}

TZCLCustomContainer::TZCLCustomContainer(QObject* owner, int kind, ItemFactory factory)
    : TZCLBaseController(owner), fKind(kind), fFactory(std::move(factory)) {}

TZCLListItem* TZCLCustomContainer::Items(int index) const {
  return (index >= 0 && index < Count()) ? fItems[index].get() : nullptr;
}

int TZCLCustomContainer::AddItem(std::unique_ptr<TZCLListItem> item) {
  if (!item) item = fFactory(this);
  fItems.push_back(std::move(item));
  Changed();
  return Count() - 1;
}

void TZCLCustomContainer::ClearItems() {
  fItems.clear();
  Changed();
}

void TZCLCustomContainer::Assign(const TZCLCustomContainer& other) {
  if (other.fKind != fKind) return;
  BeginUpdate();
  fItems.clear();
  fDefaultCompressed = other.fDefaultCompressed;
  for (const auto& source : other.fItems) {
    auto item = fFactory(this);
    item->Assign(*source);
    fItems.push_back(std::move(item));
  }
  EndUpdate(true);
}

QByteArray TZCLCustomContainer::SaveToStream(bool withOffsets) const {
  TZCLByteWriter w;
  if (withOffsets) {
    w.U8(8);
    w.Bytes(ListMagic(fKind));
  }
  w.Le32(static_cast<std::uint32_t>(Count()));
  const int table = static_cast<int>(w.Data.size());
  if (withOffsets)
    for (int i = 0; i < Count(); ++i) w.Le32(0);
  for (int i = 0; i < Count(); ++i) {
    if (withOffsets) w.PatchLe32(table + 4 * i, static_cast<std::uint32_t>(w.Data.size()));
    fItems[i]->WriteToStream(w);
  }
  return w.Data;
}

void TZCLCustomContainer::LoadFromStream(const QByteArray& data, bool withOffsets) {
  std::vector<std::unique_ptr<TZCLListItem>> loaded;
  TZCLByteReader r(data);
  if (withOffsets) {
    if (r.U8() != 8 || r.Bytes(8) != ListMagic(fKind)) throw EListData("Die Datei ist keine Liste dieser Art.");
  }
  const std::uint32_t count = r.Le32();
  if (withOffsets) r.Bytes(static_cast<int>(std::min<std::uint32_t>(count, 1u << 24) * 4));
  for (std::uint32_t i = 0; i < count; ++i) {
    auto item = fFactory(this);
    item->ReadFromStream(r);
    loaded.push_back(std::move(item));
  }
  // Only a completely read list replaces the items.
  BeginUpdate();
  fItems = std::move(loaded);
  EndUpdate(true);
}

void TZCLCustomContainer::SaveToFile(const QString& fileName) const {
  QSaveFile file(fileName);
  const QByteArray data = SaveToStream(true);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
    throw EListData(QStringLiteral("Datei %1 kann nicht geschrieben werden").arg(fileName).toStdString());
}

void TZCLCustomContainer::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw EListData(CannotOpen(fileName));
  LoadFromStream(file.readAll(), true);
}

std::string CannotOpenListFile(const QString& fileName) { return CannotOpen(fileName); }

int ReadListFileHeader(const QByteArray& file, int* count, std::vector<std::uint32_t>* offsets) {
  TZCLByteReader r(file);
  if (file.size() < 13 || r.U8() != 8) return lkUnknown;
  const QByteArray magic = r.Bytes(8);
  int kind = lkUnknown;
  for (int k = 0; k < 6; ++k)
    if (magic == ListMagic(k)) kind = k;
  if (kind == lkUnknown) return kind;
  const std::uint32_t n = r.Le32();
  if (count) *count = static_cast<int>(n);
  if (offsets) {
    offsets->clear();
    for (std::uint32_t i = 0; i < n && !r.AtEnd(); ++i) offsets->push_back(r.Le32());
  }
  return kind;
}

void ReadListFileItem(const QByteArray& file, const QString& fileName, int expectedKind, TZCLListItem& item,
                      int index) {
  int count = 0;
  std::vector<std::uint32_t> offsets;
  if (ReadListFileHeader(file, &count, &offsets) != expectedKind) throw EListData(CannotOpen(fileName));
  if (index < 0 || index >= static_cast<int>(offsets.size())) throw EListData(CannotOpen(fileName));
  TZCLByteReader r(file, 0);
  r.Seek(static_cast<int>(offsets[index]));
  item.ReadFromStream(r);
}

// ---------------------------------------------------------------- bitmap blocks

std::uint8_t PixelFormatFlags(TZCLSavePixelFormat format) {
  return format == spfDefault ? 0 : static_cast<std::uint8_t>(1u << (3 + static_cast<int>(format)));
}

TZCLSavePixelFormat PixelFormatOfFlags(std::uint8_t flags) {
  for (int f = spfMono; f <= spf16bit; ++f)
    if (flags & (1u << (3 + f))) return static_cast<TZCLSavePixelFormat>(f);
  return spfDefault;
}

namespace {

void Le16(QByteArray& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void Le32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The sixteen colours of the classic 4-bit palette.
QList<QRgb> Palette16() {
  static const QRgb colors[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                  0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  QList<QRgb> table;
  for (QRgb c : colors) table.append(0xFF000000u | c);
  return table;
}

}  // namespace

QByteArray BitmapBlock(const QImage& bitmap, TZCLSavePixelFormat format) {
  if (bitmap.isNull()) throw EListData("Bitmap ist ungültig");
  if (format == spfDefault) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "BMP");
    return bmp;
  }
  const int bits = format == spfMono ? 1 : format == spf4bit ? 4 : format == spf8bit ? 8 : 24;
  QImage image;
  if (bits == 1)
    image = bitmap.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
  else if (bits == 4)
    image = bitmap.convertToFormat(QImage::Format_Indexed8, Palette16(), Qt::ThresholdDither);
  else if (bits == 8)
    image = bitmap.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
  else
    image = bitmap.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const int stride = (w * bits + 31) / 32 * 4;
  const int paletteCount = bits == 24 ? 0 : (1 << bits);
  const std::uint32_t offset = 14 + 40 + 4 * paletteCount;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(h * stride);
  QByteArray out;
  out += "BM";
  Le32(out, offset + imageSize);
  Le32(out, 0);
  Le32(out, offset);
  Le32(out, 40);
  Le32(out, static_cast<std::uint32_t>(w));
  Le32(out, static_cast<std::uint32_t>(h));
  Le16(out, 1);
  Le16(out, static_cast<std::uint16_t>(bits));
  Le32(out, 0);  // no compression
  Le32(out, imageSize);
  Le32(out, 0);
  Le32(out, 0);
  Le32(out, static_cast<std::uint32_t>(paletteCount));
  Le32(out, 0);
  const QList<QRgb> table = bits == 4 ? Palette16() : image.colorTable();
  for (int i = 0; i < paletteCount; ++i) {
    const QRgb c = i < table.size() ? table[i] : 0;
    out += static_cast<char>(qBlue(c));
    out += static_cast<char>(qGreen(c));
    out += static_cast<char>(qRed(c));
    out += '\0';
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < w; ++x) {
      switch (bits) {
        case 1:
          if (image.pixelIndex(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
          break;
        case 4:
          row[x / 2] = static_cast<char>(row[x / 2] | (image.pixelIndex(x, y) << (x % 2 ? 0 : 4)));
          break;
        case 8:
          row[x] = static_cast<char>(image.pixelIndex(x, y));
          break;
        default: {
          const QRgb c = image.pixel(x, y);
          row[3 * x] = static_cast<char>(qBlue(c));
          row[3 * x + 1] = static_cast<char>(qGreen(c));
          row[3 * x + 2] = static_cast<char>(qRed(c));
        }
      }
    }
    out += row;
  }
  return out;
}

}  // namespace zyn
