#include "compiler/toollib/RawToolStream.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <algorithm>

namespace zyn {

int64_t TRawToolReader::Remaining() {
  if (!fStream.CanSeek()) return -1;
  const int64_t size = fStream.Size();
  if (size < 0) return -1;
  return std::max<int64_t>(0, size - fStream.Position());
}

void TRawToolReader::ReadBlock(void* buffer, size_t size) { fStream.ReadBuffer(buffer, size); }

std::string TRawToolReader::ReadCounted(size_t maxLength, std::string_view field) {
  const uint16_t count = fStream.ReadU16();
  if (count == 0) return {};
  if (count - 1u > maxLength) {
    throw EReadError(Ansi("Der Text im Feld \"") + std::string(field) + Ansi("\" ist länger als ") +
                     std::to_string(maxLength) + Ansi(" Zeichen."));
  }
  uint8_t record[256];
  fStream.ReadBuffer(record, count);
  if (record[0] > count - 1u) {
    throw EReadError(Ansi("Die Textlänge im Feld \"") + std::string(field) +
                     Ansi("\" passt nicht zu ihrem Datensatz."));
  }
  return std::string(reinterpret_cast<const char*>(record + 1), record[0]);
}

int TRawToolReader::ReadCount(size_t minItemSize, std::string_view what) {
  const int16_t count = fStream.ReadI16();
  if (count < 0) {
    throw EReadError(Ansi("Ungültige Anzahl ") + std::to_string(count) + Ansi(" bei ") + std::string(what) + ".");
  }
  const int64_t left = Remaining();
  if (left >= 0 && static_cast<uint64_t>(count) * minItemSize > static_cast<uint64_t>(left)) {
    throw EReadError(Ansi("Die Anzahl ") + std::to_string(count) + Ansi(" bei ") + std::string(what) +
                     Ansi(" ist größer als die Daten der Datei."));
  }
  return count;
}

void WriteCounted(TStream& stream, std::string_view text, size_t maxLength) {
  const size_t n = std::min({text.size(), maxLength, size_t{255}});
  uint8_t buf[258];
  buf[0] = static_cast<uint8_t>(n + 1);
  buf[1] = static_cast<uint8_t>((n + 1) >> 8);
  buf[2] = static_cast<uint8_t>(n);
  for (size_t i = 0; i < n; ++i) buf[3 + i] = static_cast<uint8_t>(text[i]);
  stream.WriteBuffer(buf, n + 3);
}

void WriteCount(TStream& stream, size_t count, std::string_view what) {
  if (count > 32767) {
    throw EWriteError(Ansi("Zu viele Einträge bei ") + std::string(what) + Ansi(" (höchstens 32767)."));
  }
  stream.WriteI16(static_cast<int16_t>(count));
}

}  // namespace zyn
