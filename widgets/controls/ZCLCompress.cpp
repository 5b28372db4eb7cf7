#include "widgets/controls/ZCLCompress.h"

#include <array>
#include <cstdint>

namespace zyn {
namespace {

void PutLe32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe32(const QByteArray& b, int at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

}  // namespace

QByteArray CompressChunk(const QByteArray& source) {
  const int n = static_cast<int>(source.size());
  const auto* in = reinterpret_cast<const std::uint8_t*>(source.constData());
  QByteArray out;
  out.reserve(n + 8);
  out += static_cast<char>(64);
  int controlAt = 1;
  out += '\0';
  out += '\0';
  std::uint16_t control = 0;
  int items = 0;
  std::array<std::uint16_t, 4096> table;
  table.fill(0xFFFF);
  auto writeControl = [&](std::uint16_t value) {
    out[controlAt] = static_cast<char>(value >> 8);
    out[controlAt + 1] = static_cast<char>(value & 0xFF);
  };
  int i = 0;
  while (i < n && out.size() <= n) {
    int run = 1;
    while (i + run < n && in[i + run] == in[i] && run < 4095) ++run;
    bool flagged = false;
    if (run >= 16) {
      out += '\0';
      out += static_cast<char>((run - 16) >> 8);
      out += static_cast<char>((run - 16) & 0xFF);
      out += static_cast<char>(in[i]);
      i += run;
      flagged = true;
    } else if (i + 2 < n) {
      const std::uint32_t key = (((static_cast<std::uint32_t>(in[i]) << 4) ^ in[i + 1]) << 4) ^ in[i + 2];
      const std::uint32_t hash = ((key * 40543u) >> 4) & 0xFFF;
      const std::uint16_t previous = table[hash];
      table[hash] = static_cast<std::uint16_t>(i);
      if (previous != 0xFFFF && i - previous <= 4095 && i > previous) {
        int length = 0;
        while (length < 18 && i + length < n && in[previous + length] == in[i + length]) ++length;
        if (length >= 3) {
          const int distance = i - previous;
          const int word = (distance << 4) + length - 3;
          out += static_cast<char>(word >> 8);
          out += static_cast<char>(word & 0xFF);
          i += length;
          flagged = true;
        }
      }
    }
    if (!flagged) {
      out += static_cast<char>(in[i]);
      ++i;
    }
    control = static_cast<std::uint16_t>((control << 1) | (flagged ? 1 : 0));
    if (++items == 16) {
      writeControl(control);
      controlAt = static_cast<int>(out.size());
      out += '\0';
      out += '\0';
      control = 0;
      items = 0;
    }
  }
  writeControl(static_cast<std::uint16_t>(items == 0 ? 0 : control << (16 - items)));
  if (out.size() > n) {
    QByteArray stored;
    stored += static_cast<char>(128);
    stored += source;
    return stored;
  }
  return out;
}

QByteArray DecompressChunk(const QByteArray& chunk) {
  QByteArray out;
  if (chunk.isEmpty()) return out;
  const auto* in = reinterpret_cast<const std::uint8_t*>(chunk.constData());
  const int n = static_cast<int>(chunk.size());
  if (in[0] == 128) return chunk.mid(1);
  int pos = 1;
  std::uint16_t control = 0;
  int bits = 0;
  while (pos < n) {
    if (bits == 0) {
      if (pos + 1 >= n) break;
      control = static_cast<std::uint16_t>((in[pos] << 8) | in[pos + 1]);
      pos += 2;
      bits = 16;
      if (pos >= n) break;
    }
    const bool flagged = control & 0x8000;
    control = static_cast<std::uint16_t>(control << 1);
    --bits;
    if (!flagged) {
      out += static_cast<char>(in[pos++]);
      continue;
    }
    if (pos + 1 >= n) break;
    const std::uint8_t a = in[pos], b = in[pos + 1];
    if (a != 0 || (b >> 4) != 0) {
      const int distance = (a << 4) | (b >> 4);
      const int length = (b & 15) + 3;
      pos += 2;
      if (distance > out.size()) break;
      for (int k = 0; k < length; ++k) out += out[out.size() - distance];
    } else {
      if (pos + 3 >= n) break;
      const int count = ((b << 8) | in[pos + 2]) + 16;
      out += QByteArray(count, static_cast<char>(in[pos + 3]));
      pos += 4;
    }
  }
  return out;
}

QByteArray CompressBlock(const QByteArray& data) {
  QByteArray body;
  for (int at = 0; at < data.size(); at += kMaxChunk) {
    const QByteArray chunk = CompressChunk(data.mid(at, kMaxChunk));
    PutLe32(body, static_cast<std::uint32_t>(chunk.size()));
    body += chunk;
  }
  QByteArray out;
  PutLe32(out, static_cast<std::uint32_t>(body.size()));
  return out + body;
}

bool DecompressBlock(const QByteArray& data, int& pos, QByteArray& out) {
  out.clear();
  if (pos + 4 > data.size()) return false;
  std::uint32_t total = GetLe32(data, pos);
  pos += 4;
  while (total > 0) {
    if (total < 4 || pos + 4 > data.size()) return false;
    const std::uint32_t length = GetLe32(data, pos);
    pos += 4;
    if (length > total - 4 || pos + static_cast<qint64>(length) > data.size()) return false;
    out += DecompressChunk(data.mid(pos, static_cast<int>(length)));
    pos += static_cast<int>(length);
    total -= 4 + length;
  }
  return true;
}

}  // namespace zyn
