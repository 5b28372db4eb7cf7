#pragma once
// The bytes of one WAVE sound, checked by its header when loaded.

#include "widgets/controls/ZCLObject.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

class QIODevice;

namespace zyn {

class EInvalidWave : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EErrorCheckingWave : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZCLWave : public TZCLObject {
 public:
  TZCLWave() = default;
  bool IsEmpty() const { return fData.isEmpty(); }
  QByteArray Data() const { return fData; }
  void Clear();
  // Loading keeps the previous sound when the bytes are no WAVE file (EInvalidWave).
  void LoadFromFile(const QString& fileName);
  void LoadFromStream(QIODevice& stream);
  void LoadFromBytes(const QByteArray& bytes, const QString& name = QString());
  void SaveToFile(const QString& fileName) const;
  void SaveToStream(QIODevice& stream) const;
  // The stored form: a 32-bit little-endian byte count, then the bytes.
  void ReadData(QIODevice& stream);
  void WriteData(QIODevice& stream) const;
  void Assign(const TZCLWave* other);
  // "RIFF", size, "WAVE", "fmt ", chunk size, format tag, channels, rate, byte rate, alignment.
  static bool HeaderValid(const QByteArray& bytes, int* channels = nullptr, quint32* riffSize = nullptr);
  int Channels() const;

 private:
  void Take(const QByteArray& bytes);
  QByteArray fData;
};

}  // namespace zyn
