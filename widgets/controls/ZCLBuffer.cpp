#include "widgets/controls/ZCLBuffer.h"

#include <cstring>

namespace zyn {
namespace {

const char kSignature[] = "@ZCLBufferStream-V0.1@";  // 22 characters and the zero: 23 bytes

void PutUInt32(TZCLBufferBytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

bool GetUInt32(const TZCLBufferBytes& in, std::size_t& pos, std::uint32_t& v) {
  if (in.size() < pos + 4) return false;
  v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in[pos + i]) << (8 * i);
  pos += 4;
  return true;
}

}  // namespace

TZCLBufferBytes WriteBufferStream(const std::vector<TZCLBufferBytes>& items) {
  TZCLBufferBytes out;
  PutUInt32(out, sizeof(kSignature));
  out.insert(out.end(), kSignature, kSignature + sizeof(kSignature));
  for (const TZCLBufferBytes& item : items) {
    PutUInt32(out, static_cast<std::uint32_t>(item.size()));
    out.insert(out.end(), item.begin(), item.end());
  }
  return out;
}

std::optional<std::vector<TZCLBufferBytes>> ReadBufferStream(const TZCLBufferBytes& stream) {
  std::size_t pos = 0;
  std::uint32_t length = 0;
  if (!GetUInt32(stream, pos, length) || length != sizeof(kSignature) || stream.size() < pos + length ||
      std::memcmp(stream.data() + pos, kSignature, sizeof(kSignature)) != 0)
    return std::nullopt;
  pos += length;
  std::vector<TZCLBufferBytes> items;
  std::uint32_t size = 0;
  while (GetUInt32(stream, pos, size)) {
    if (stream.size() - pos < size) break;  // the stream ends inside this item
    items.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(pos),
                       stream.begin() + static_cast<std::ptrdiff_t>(pos + size));
    pos += size;
  }
  return items;
}

}  // namespace zyn
