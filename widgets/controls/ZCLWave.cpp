#include "widgets/controls/ZCLWave.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>

namespace zyn {
namespace {

quint32 Le32(const QByteArray& b, int at) {
  return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8) | (static_cast<quint8>(b[at + 2]) << 16) |
         (static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24);
}

quint16 Le16(const QByteArray& b, int at) {
  return static_cast<quint16>(static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8));
}

std::string CannotOpenWave(const QString& name) {
  return QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(name).toStdString();
}

}  // namespace

bool TZCLWave::HeaderValid(const QByteArray& b, int* channels, quint32* riffSize) {
  if (b.size() < 34) return false;
  if (b.mid(0, 4) != "RIFF" || b.mid(8, 4) != "WAVE" || b.mid(12, 4) != "fmt ") return false;
  if (riffSize) *riffSize = Le32(b, 4);
  const quint16 count = Le16(b, 22);
  if (channels) *channels = (count == 1 || count == 2) ? count : 0;
  return true;
}

int TZCLWave::Channels() const {
  int channels = 0;
  HeaderValid(fData, &channels);
  return channels;
}

void TZCLWave::Take(const QByteArray& bytes) {
  fData = bytes;
  Changed();
}

void TZCLWave::Clear() {
  if (fData.isEmpty()) return;
  Take(QByteArray());
}

void TZCLWave::LoadFromBytes(const QByteArray& bytes, const QString& name) {
  if (bytes.isEmpty()) {
    Clear();
    return;
  }
  if (!HeaderValid(bytes)) throw EInvalidWave("TZCLWave: " + CannotOpenWave(name));
  Take(bytes);
}

void TZCLWave::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw EErrorCheckingWave("GetWaveData: " + CannotOpenWave(fileName));
  LoadFromBytes(file.readAll(), fileName);
}

void TZCLWave::LoadFromStream(QIODevice& stream) { LoadFromBytes(stream.readAll()); }

void TZCLWave::SaveToFile(const QString& fileName) const {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(fData) != fData.size() || !file.commit())
    throw std::runtime_error(QStringLiteral("Datei %1 kann nicht geschrieben werden").arg(fileName).toStdString());
}

void TZCLWave::SaveToStream(QIODevice& stream) const { stream.write(fData); }

void TZCLWave::ReadData(QIODevice& stream) {
  const QByteArray head = stream.read(4);
  if (head.size() != 4) throw EErrorCheckingWave("GetWaveData: " + CannotOpenWave(QString()));
  const quint32 count = Le32(head, 0);
  const QByteArray bytes = stream.read(count);
  if (static_cast<quint32>(bytes.size()) != count) throw EErrorCheckingWave("GetWaveData: " + CannotOpenWave(QString()));
  LoadFromBytes(bytes);
}

void TZCLWave::WriteData(QIODevice& stream) const {
  const quint32 n = static_cast<quint32>(fData.size());
  const char head[4] = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                        static_cast<char>((n >> 16) & 0xFF), static_cast<char>((n >> 24) & 0xFF)};
  stream.write(head, 4);
  stream.write(fData);
}

void TZCLWave::Assign(const TZCLWave* other) {
  if (!other) {
    Clear();
    return;
  }
  Take(other->fData);
}

}  // namespace zyn
