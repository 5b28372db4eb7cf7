#pragma once
// zlib-format (RFC 1950) compression of byte blocks and an inflating read stream, as used by the
// compressed project files. No other container format is involved.

#include "model/base/Streams.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

// The maximum level, used by the compressed project files.
constexpr int kZMaxCompression = 9;
// ZDecompress refuses to produce more than this unless told otherwise.
constexpr size_t kZDefaultOutputLimit = size_t{512} << 20;

// Compresses size bytes at data in the zlib format at the given level (0 to 9; -1 is zlib's
// default). Throws EWriteError when zlib fails.
std::vector<uint8_t> ZCompress(const void* data, size_t size, int level = kZMaxCompression);

// Inflates one complete zlib stream. Damaged, truncated or oversized data (more than maxOutput
// bytes) throw EReadError with a German message; bytes after the end of the zlib stream are
// ignored.
std::vector<uint8_t> ZDecompress(const void* data, size_t size, size_t maxOutput = kZDefaultOutputLimit);

// Reads the inflated bytes of a zlib stream that is read from source, chunk by chunk. It only
// moves forwards: Seek answers the position and moves ahead by reading; Size is unknown (-1).
// Damaged or truncated data throw EReadError.
class TZDecompressionStream : public TStream {
 public:
  explicit TZDecompressionStream(TStream& source);
  ~TZDecompressionStream() override;
  TZDecompressionStream(const TZDecompressionStream&) = delete;
  TZDecompressionStream& operator=(const TZDecompressionStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;  // EWriteError: read only
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return -1; }
  bool CanSeek() override { return false; }

 private:
  struct TState;
  TStream& fSource;
  std::unique_ptr<TState> fState;
  int64_t fPosition = 0;
  bool fEnded = false;
};

// Compresses everything written to it in the zlib format into dest. Finish() writes the end of
// the zlib stream; the destructor finishes too but cannot report a failure, so callers that need
// to know call Finish() themselves.
class TZCompressionStream : public TStream {
 public:
  explicit TZCompressionStream(TStream& dest, int level = kZMaxCompression);
  ~TZCompressionStream() override;
  TZCompressionStream(const TZCompressionStream&) = delete;
  TZCompressionStream& operator=(const TZCompressionStream&) = delete;

  size_t Read(void* buffer, size_t count) override;  // EReadError: write only
  void Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;  // the position query only
  int64_t Size() override { return fPosition; }
  bool CanSeek() override { return false; }
  void Finish();

 private:
  struct TState;
  void Pump(int flush);
  TStream& fDest;
  std::unique_ptr<TState> fState;
  int64_t fPosition = 0;
  bool fFinished = false;
};

// Reads a file holding one zlib stream: `consume` reads the inflated bytes as they are unpacked,
// so neither the packed file nor the unpacked stream is ever held whole. Whatever `consume`
// leaves unread is inflated too, so the zlib check value at the end is always verified; damaged or
// truncated data throw EReadError.
void ZInflateFile(const std::string& path, const std::function<void(TStream&)>& consume);

// Replaces the file safely (WriteFileAtomic) by the zlib stream, at the given level, of the bytes
// that `produce` writes. The bytes equal ZCompress of the same data at the same level.
void ZDeflateFileAtomic(const std::string& path, int level, const std::function<void(TStream&)>& produce);

}  // namespace zyn
