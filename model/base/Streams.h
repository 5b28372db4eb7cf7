#pragma once
// Byte streams under the value stream and the raw file forms. All numbers are little-endian.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

enum class TSeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes all bytes or throws EWriteError.
  virtual void Write(const void* buffer, size_t count) = 0;
  // Moves the position; returns the new position. Throws EReadError for a position before 0.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size() = 0;
  // False for a stream that only moves forwards (an inflating stream); its Seek accepts only a
  // query of the position and forward moves, and its Size is -1 (unknown).
  virtual bool CanSeek() { return true; }

  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Begin); }

  // Exactly count bytes, or EReadError "Stream-Lesefehler".
  void ReadBuffer(void* buffer, size_t count);
  void WriteBuffer(const void* buffer, size_t count) { Write(buffer, count); }

  uint8_t ReadU8();
  uint16_t ReadU16();
  int16_t ReadI16();
  uint32_t ReadU32();
  int32_t ReadI32();
  void WriteU8(uint8_t v);
  void WriteU16(uint16_t v);
  void WriteI16(int16_t v);
  void WriteU32(uint32_t v);
  void WriteI32(int32_t v);
};

// A stream over a growable byte vector.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : fData(std::move(bytes)) {}

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(fData.size()); }

  const std::vector<uint8_t>& Bytes() const { return fData; }
  std::vector<uint8_t>& Bytes() { return fData; }
  void Clear();

  // Replaces the content by the file's bytes and moves to the start; EReadError when the file
  // cannot be read.
  void LoadFromFile(const std::string& path);
  // Writes the whole content to a temporary file beside path and renames it over path, so a
  // failed write never leaves a damaged file; EWriteError on failure.
  void SaveToFile(const std::string& path) const;

 private:
  std::vector<uint8_t> fData;
  size_t fPos = 0;
};

// Reads a file from its start, chunk by chunk, without holding it in memory. Opening and read
// failures throw EReadError naming the file; writing throws EWriteError.
class TFileReadStream : public TStream {
 public:
  explicit TFileReadStream(const std::string& path);
  ~TFileReadStream() override;
  TFileReadStream(const TFileReadStream&) = delete;
  TFileReadStream& operator=(const TFileReadStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  void Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override;

 private:
  std::string fPath;
  int fFd = -1;
};

// Whole-file helpers used by every file format of the programme.
std::vector<uint8_t> ReadFileBytes(const std::string& path);                   // EReadError
void WriteFileAtomic(const std::string& path, const void* data, size_t size);  // EWriteError
// The same safe replacement, with the contents written by `produce` into a stream on the
// temporary file (buffered), so they never have to be held in memory whole. An exception of
// `produce` leaves the old file untouched and goes on to the caller.
//
// The temporary file "<name>.~<pid>_<n>.tmp" lies beside the target; it takes over the old file's
// mode and, where allowed, its owner; a symbolic link is followed, so the link stays and the file
// it names is replaced. The folder is synced after the rename. Temporary files of this target left
// by a process that no longer runs (a save killed midway) are removed first.
// `beforeRename`, when given, runs after the new contents are on disk and before they replace the
// old file (a failure there throws and leaves the old file as it was).
void WriteFileAtomic(const std::string& path, const std::function<void(TStream&)>& produce,
                     const std::function<void()>& beforeRename = {});
// Removes the temporary files of WriteFileAtomic that a process which no longer runs left beside
// `path`; answers how many were removed.
int RemoveStaleTempFiles(const std::string& path);
inline void WriteFileAtomic(const std::string& path, const std::string& text) {
  WriteFileAtomic(path, text.data(), text.size());
}
bool FileExists(const std::string& path);

}  // namespace zyn
