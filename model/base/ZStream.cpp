#include "model/base/ZStream.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace zyn {

namespace {

constexpr size_t kChunkSize = 16384;

[[noreturn]] void ThrowDamaged() { throw EReadError(Ansi("Die komprimierten Daten sind beschädigt.")); }
[[noreturn]] void ThrowTruncated() { throw EReadError(Ansi("Die komprimierten Daten sind unvollständig.")); }
[[noreturn]] void ThrowTooLarge() { throw EReadError(Ansi("Die entpackten Daten sind zu groß.")); }
[[noreturn]] void ThrowCompressFailed() { throw EWriteError(Ansi("Die Daten konnten nicht komprimiert werden.")); }

uInt ClampToUInt(size_t n) { return static_cast<uInt>(std::min<size_t>(n, UINT_MAX)); }

// Owns an inflating z_stream.
struct TInflater {
  z_stream z{};
  TInflater() {
    if (inflateInit(&z) != Z_OK) ThrowDamaged();
  }
  ~TInflater() { inflateEnd(&z); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;
};

// Owns a deflating z_stream.
struct TDeflater {
  z_stream z{};
  explicit TDeflater(int level) {
    if (level < -1 || level > 9) level = Z_DEFAULT_COMPRESSION;
    if (deflateInit(&z, level) != Z_OK) ThrowCompressFailed();
  }
  ~TDeflater() { deflateEnd(&z); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;
};

}  // namespace

std::vector<uint8_t> ZCompress(const void* data, size_t size, int level) {
  TDeflater d(level);
  std::vector<uint8_t> out(std::max<size_t>(64, deflateBound(&d.z, ClampToUInt(size))));
  const auto* in = static_cast<const uint8_t*>(data);
  size_t inLeft = size;
  size_t produced = 0;
  for (;;) {
    const uInt inNow = ClampToUInt(inLeft);
    d.z.next_in = const_cast<Bytef*>(in);
    d.z.avail_in = inNow;
    const int flush = inNow == inLeft ? Z_FINISH : Z_NO_FLUSH;
    int rc;
    do {
      if (produced == out.size()) out.resize(out.size() * 2);
      d.z.next_out = out.data() + produced;
      d.z.avail_out = ClampToUInt(out.size() - produced);
      const uInt before = d.z.avail_out;
      rc = deflate(&d.z, flush);
      if (rc == Z_STREAM_ERROR) ThrowCompressFailed();
      produced += before - d.z.avail_out;
    } while (d.z.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    const size_t used = inNow - d.z.avail_in;
    in += used;
    inLeft -= used;
    if (rc == Z_STREAM_END) break;
  }
  out.resize(produced);
  return out;
}

std::vector<uint8_t> ZDecompress(const void* data, size_t size, size_t maxOutput) {
  TInflater inf;
  std::vector<uint8_t> out;
  // A first guess from the input size; beyond it the vector grows geometrically, and only by
  // the bytes inflated (no zero-filled spare room).
  out.reserve(std::min(maxOutput, std::max<size_t>(4096, std::min<size_t>(size, size_t{16} << 20) * 4)));
  std::vector<uint8_t> chunk(kChunkSize * 4);
  const auto* in = static_cast<const uint8_t*>(data);
  size_t inLeft = size;
  for (;;) {
    const uInt inNow = ClampToUInt(inLeft);
    inf.z.next_in = const_cast<Bytef*>(in);
    inf.z.avail_in = inNow;
    inf.z.next_out = chunk.data();
    inf.z.avail_out = static_cast<uInt>(chunk.size());
    const int rc = inflate(&inf.z, Z_NO_FLUSH);
    const size_t used = inNow - inf.z.avail_in;
    const size_t made = chunk.size() - inf.z.avail_out;
    in += used;
    inLeft -= used;
    if (made > maxOutput - out.size()) ThrowTooLarge();
    out.insert(out.end(), chunk.data(), chunk.data() + made);
    if (rc == Z_STREAM_END) break;
    if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_STREAM_ERROR || rc == Z_MEM_ERROR) ThrowDamaged();
    if (inLeft == 0 && inf.z.avail_out > 0) ThrowTruncated();
    if (used == 0 && made == 0) ThrowDamaged();
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// TZDecompressionStream

struct TZDecompressionStream::TState {
  TInflater inflater;
  uint8_t input[kChunkSize];
};

TZDecompressionStream::TZDecompressionStream(TStream& source) : fSource(source), fState(std::make_unique<TState>()) {}

TZDecompressionStream::~TZDecompressionStream() {
  // Give back what was read from the source beyond the end of the zlib stream.
  const uInt unread = fState->inflater.z.avail_in;
  if (unread == 0) return;
  try {
    if (fSource.CanSeek()) fSource.Seek(-static_cast<int64_t>(unread), TSeekOrigin::Current);
  } catch (...) {
  }
}

size_t TZDecompressionStream::Read(void* buffer, size_t count) {
  if (fEnded || count == 0) return 0;
  z_stream& z = fState->inflater.z;
  z.next_out = static_cast<Bytef*>(buffer);
  z.avail_out = ClampToUInt(count);
  const uInt wanted = z.avail_out;
  while (z.avail_out > 0) {
    if (z.avail_in == 0) {
      const size_t got = fSource.Read(fState->input, sizeof fState->input);
      if (got == 0) ThrowTruncated();
      z.next_in = fState->input;
      z.avail_in = static_cast<uInt>(got);
    }
    const uInt inBefore = z.avail_in;
    const uInt outBefore = z.avail_out;
    const int rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
      fEnded = true;
      break;
    }
    if (rc != Z_OK && rc != Z_BUF_ERROR) ThrowDamaged();
    if (z.avail_in == inBefore && z.avail_out == outBefore && z.avail_in > 0) ThrowDamaged();
  }
  const size_t made = wanted - z.avail_out;
  fPosition += static_cast<int64_t>(made);
  return made;
}

void TZDecompressionStream::Write(const void*, size_t) {
  throw EWriteError(Ansi("In einen entpackenden Datenstrom kann nicht geschrieben werden."));
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target = -1;
  if (origin == TSeekOrigin::Current) target = fPosition + offset;
  if (origin == TSeekOrigin::Begin) target = offset;
  if (target < fPosition) throw EReadError(Ansi("Stream-Lesefehler"));
  uint8_t sink[4096];
  while (fPosition < target) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(target - fPosition, sizeof sink));
    if (Read(sink, n) == 0) throw EReadError(Ansi("Stream-Lesefehler"));
  }
  return fPosition;
}

// ---------------------------------------------------------------------------------------------
// TZCompressionStream

struct TZCompressionStream::TState {
  explicit TState(int level) : deflater(level) {}
  TDeflater deflater;
  uint8_t output[kChunkSize];
};

TZCompressionStream::TZCompressionStream(TStream& dest, int level)
    : fDest(dest), fState(std::make_unique<TState>(level)) {}

TZCompressionStream::~TZCompressionStream() {
  try {
    Finish();
  } catch (...) {
  }
}

void TZCompressionStream::Pump(int flush) {
  z_stream& z = fState->deflater.z;
  for (;;) {
    z.next_out = fState->output;
    z.avail_out = sizeof fState->output;
    const int rc = deflate(&z, flush);
    if (rc == Z_STREAM_ERROR) ThrowCompressFailed();
    const size_t made = sizeof fState->output - z.avail_out;
    if (made > 0) fDest.Write(fState->output, made);
    if (flush == Z_FINISH ? rc == Z_STREAM_END : (z.avail_in == 0 && z.avail_out > 0)) return;
  }
}

size_t TZCompressionStream::Read(void*, size_t) {
  throw EReadError(Ansi("Aus einem packenden Datenstrom kann nicht gelesen werden."));
}

void TZCompressionStream::Write(const void* buffer, size_t count) {
  if (fFinished) ThrowCompressFailed();
  z_stream& z = fState->deflater.z;
  const auto* in = static_cast<const uint8_t*>(buffer);
  while (count > 0) {
    const uInt now = ClampToUInt(count);
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = now;
    Pump(Z_NO_FLUSH);
    in += now;
    count -= now;
  }
  fPosition += static_cast<int64_t>(in - static_cast<const uint8_t*>(buffer));
}

int64_t TZCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  const bool stays =
      (origin == TSeekOrigin::Begin && offset == fPosition) || (origin != TSeekOrigin::Begin && offset == 0);
  if (stays) return fPosition;
  throw EWriteError(Ansi("Ein packender Datenstrom kann nicht positioniert werden."));
}

void TZCompressionStream::Finish() {
  if (fFinished) return;
  fFinished = true;
  z_stream& z = fState->deflater.z;
  z.next_in = nullptr;
  z.avail_in = 0;
  Pump(Z_FINISH);
}

// ---------------------------------------------------------------------------------------------
// Files

void ZInflateFile(const std::string& path, const std::function<void(TStream&)>& consume) {
  TFileReadStream file(path);
  TZDecompressionStream inflated(file);
  consume(inflated);
  uint8_t sink[4096];
  while (inflated.Read(sink, sizeof sink) > 0) {
  }
}

void ZDeflateFileAtomic(const std::string& path, int level, const std::function<void(TStream&)>& produce) {
  WriteFileAtomic(path, [&](TStream& file) {
    TZCompressionStream packed(file, level);
    produce(packed);
    packed.Finish();
  });
}

}  // namespace zyn
