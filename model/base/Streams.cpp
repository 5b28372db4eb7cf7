#include "model/base/Streams.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

[[noreturn]] void ThrowStreamReadError() { throw EReadError(Ansi("Stream-Lesefehler")); }

// A short German reason for the common failures of the file system.
std::string ErrnoReason(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
      return Ansi("Zugriff verweigert");
    case ENOSPC:
    case EDQUOT:
      return Ansi("Der Datenträger ist voll");
    case ENOENT:
      return Ansi("Datei oder Ordner nicht gefunden");
    case ENOTDIR:
      return Ansi("Ein Teil des Pfades ist kein Ordner");
    case EISDIR:
      return Ansi("Der Pfad ist ein Ordner");
    case ENAMETOOLONG:
      return Ansi("Der Pfad ist zu lang");
    default:
      return Ansi("Fehler ") + std::to_string(err);
  }
}

[[noreturn]] void ThrowFileReadError(const std::string& path, int err) {
  throw EReadError(Ansi("Die Datei \"") + Utf8ToAnsi(path) + Ansi("\" konnte nicht gelesen werden (") +
                   ErrnoReason(err) + ").");
}

[[noreturn]] void ThrowFileWriteError(const std::string& path, int err) {
  throw EWriteError(Ansi("Die Datei \"") + Utf8ToAnsi(path) + Ansi("\" konnte nicht geschrieben werden (") +
                    ErrnoReason(err) + ").");
}

// Closes a descriptor when it goes out of scope.
class TFd {
 public:
  explicit TFd(int fd) : fFd(fd) {}
  ~TFd() { Close(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fFd; }
  int Close() {
    int rc = 0;
    if (fFd >= 0) rc = ::close(fFd);
    fFd = -1;
    return rc;
  }

 private:
  int fFd;
};

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TStream

void TStream::ReadBuffer(void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    const size_t got = Read(out, count);
    if (got == 0) ThrowStreamReadError();
    out += got;
    count -= got;
  }
}

uint8_t TStream::ReadU8() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

uint16_t TStream::ReadU16() {
  uint8_t b[2];
  ReadBuffer(b, 2);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int16_t TStream::ReadI16() { return static_cast<int16_t>(ReadU16()); }

uint32_t TStream::ReadU32() {
  uint8_t b[4];
  ReadBuffer(b, 4);
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

int32_t TStream::ReadI32() { return static_cast<int32_t>(ReadU32()); }

void TStream::WriteU8(uint8_t v) { Write(&v, 1); }

void TStream::WriteU16(uint16_t v) {
  const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  Write(b, 2);
}

void TStream::WriteI16(int16_t v) { WriteU16(static_cast<uint16_t>(v)); }

void TStream::WriteU32(uint32_t v) {
  const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 24)};
  Write(b, 4);
}

void TStream::WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }

// ---------------------------------------------------------------------------------------------
// TMemoryStream

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (fPos >= fData.size() || count == 0) return 0;
  const size_t n = std::min(count, fData.size() - fPos);
  std::memcpy(buffer, fData.data() + fPos, n);
  fPos += n;
  return n;
}

void TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
  if (count > std::numeric_limits<size_t>::max() - fPos) throw EWriteError(Ansi("Stream-Schreibfehler"));
  const size_t end = fPos + count;
  if (end > fData.size()) {
    if (end > fData.capacity()) fData.reserve(std::max(end, fData.capacity() * 2));
    fData.resize(end);
  }
  std::memcpy(fData.data() + fPos, buffer, count);
  fPos = end;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  switch (origin) {
    case TSeekOrigin::Begin:
      base = 0;
      break;
    case TSeekOrigin::Current:
      base = static_cast<int64_t>(fPos);
      break;
    case TSeekOrigin::End:
      base = static_cast<int64_t>(fData.size());
      break;
  }
  if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<int64_t>::max() - offset))
    ThrowStreamReadError();
  fPos = static_cast<size_t>(base + offset);
  return static_cast<int64_t>(fPos);
}

void TMemoryStream::Clear() {
  fData.clear();
  fPos = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  fData = ReadFileBytes(path);
  fPos = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const { WriteFileAtomic(path, fData.data(), fData.size()); }

// ---------------------------------------------------------------------------------------------
// Files

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) ThrowFileReadError(path, errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) ThrowFileReadError(path, errno);
  if (S_ISDIR(st.st_mode)) ThrowFileReadError(path, EISDIR);
  std::vector<uint8_t> bytes;
  if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowFileReadError(path, errno);
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// ---------------------------------------------------------------------------------------------
// TFileReadStream

TFileReadStream::TFileReadStream(const std::string& path) : fPath(path) {
  fFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fFd < 0) ThrowFileReadError(path, errno);
  struct stat st {};
  if (::fstat(fFd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fFd);
    ThrowFileReadError(path, err);
  }
}

TFileReadStream::~TFileReadStream() {
  if (fFd >= 0) ::close(fFd);
}

size_t TFileReadStream::Read(void* buffer, size_t count) {
  auto* p = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fFd, p + done, count - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowFileReadError(fPath, errno);
    }
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

void TFileReadStream::Write(const void*, size_t) { ThrowFileWriteError(fPath, EBADF); }

int64_t TFileReadStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  const off_t at = ::lseek(fFd, static_cast<off_t>(offset), whence);
  if (at < 0) ThrowStreamReadError();
  return at;
}

int64_t TFileReadStream::Size() {
  struct stat st {};
  if (::fstat(fFd, &st) != 0) ThrowFileReadError(fPath, errno);
  return st.st_size;
}

namespace {

// Writes into a file descriptor through a buffer; failures carry the errno for the caller.
class TFdWriteStream : public TStream {
 public:
  explicit TFdWriteStream(int fd) : fFd(fd) { fBuffer.reserve(kBufferSize); }
  size_t Read(void*, size_t) override { ThrowStreamReadError(); }
  void Write(const void* buffer, size_t count) override {
    const auto* p = static_cast<const uint8_t*>(buffer);
    if (fBuffer.size() + count > kBufferSize) Flush();
    if (count >= kBufferSize) {
      Put(p, count);
    } else {
      fBuffer.insert(fBuffer.end(), p, p + count);
    }
    fPosition += static_cast<int64_t>(count);
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    if ((origin == TSeekOrigin::Begin && offset == fPosition) || (origin != TSeekOrigin::Begin && offset == 0)) {
      return fPosition;
    }
    throw EWriteError(Ansi("Die Datei kann beim Schreiben nicht positioniert werden."));
  }
  int64_t Size() override { return fPosition; }
  bool CanSeek() override { return false; }
  void Flush() {
    Put(fBuffer.data(), fBuffer.size());
    fBuffer.clear();
  }
  int Error() const { return fError; }

 private:
  static constexpr size_t kBufferSize = 65536;
  void Put(const uint8_t* p, size_t left) {
    while (left > 0) {
      const ssize_t put = ::write(fFd, p, left);
      if (put < 0) {
        if (errno == EINTR) continue;
        fError = errno;
        throw EWriteError(ErrnoReason(fError));
      }
      p += put;
      left -= static_cast<size_t>(put);
    }
  }
  int fFd;
  int fError = 0;
  int64_t fPosition = 0;
  std::vector<uint8_t> fBuffer;
};

}  // namespace

void WriteFileAtomic(const std::string& target, const void* data, size_t size) {
  WriteFileAtomic(target, [data, size](TStream& out) { out.Write(data, size); });
}

namespace {

// The file that a save of `target` replaces: the target itself, or the file its link names.
std::string ResolvedTarget(const std::string& target) {
  struct stat link {};
  if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* real = ::realpath(target.c_str(), nullptr)) {
      std::string path = real;
      std::free(real);
      return path;
    }
  }
  return target;
}

// The process id of a temporary file name "<base>.~<pid>_<n>.tmp", or 0 when the name is none.
pid_t TempFileOwner(const std::string& name, const std::string& base) {
  const std::string head = base + ".~";
  if (name.size() <= head.size() + 4 || name.compare(0, head.size(), head) != 0) return 0;
  if (name.compare(name.size() - 4, 4, ".tmp") != 0) return 0;
  const std::string middle = name.substr(head.size(), name.size() - head.size() - 4);
  const size_t underscore = middle.find('_');
  if (underscore == std::string::npos || underscore == 0 || underscore + 1 == middle.size()) return 0;
  long pid = 0;
  for (size_t i = 0; i < middle.size(); ++i) {
    if (i == underscore) continue;
    if (middle[i] < '0' || middle[i] > '9') return 0;
    if (i < underscore) {
      pid = pid * 10 + (middle[i] - '0');
      if (pid > std::numeric_limits<pid_t>::max()) return 0;
    }
  }
  return static_cast<pid_t>(pid);
}

}  // namespace

int RemoveStaleTempFiles(const std::string& target) {
  const std::string path = ResolvedTarget(target);
  const std::string dir = DirectoryOf(path);
  const size_t slash = path.find_last_of('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  int removed = 0;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    const pid_t owner = TempFileOwner(name, base);
    if (owner <= 0) continue;
    // A running process (this one included) may be writing it right now; only the file of an
    // owner that no longer runs is stale.
    if (owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) continue;
    if (::unlink((dir + "/" + name).c_str()) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

void WriteFileAtomic(const std::string& target, const std::function<void(TStream&)>& produce,
                     const std::function<void()>& beforeRename) {
  // The temporary file lies in the target's folder, so the final rename never crosses a file
  // system; until that rename the old file stays untouched.
  const std::string path = ResolvedTarget(target);
  const std::string dir = DirectoryOf(path);
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) ThrowFileWriteError(target, EISDIR);
  RemoveStaleTempFiles(path);

  std::string temp;
  int raw = -1;
  for (unsigned attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = path + ".~" + std::to_string(::getpid()) + "_" + std::to_string(attempt) + ".tmp";
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) ThrowFileWriteError(target, errno);
  }
  if (raw < 0) ThrowFileWriteError(target, EEXIST);
  TFd fd(raw);

  // Every message names the file the user saves, never the temporary file.
  auto fail = [&](int err) {
    fd.Close();
    ::unlink(temp.c_str());
    ThrowFileWriteError(target, err);
  };
  if (hadOld) {
    // The owner can only be kept by a privileged process; anyone else keeps the file as theirs.
    if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) fail(errno);
    if (::fchmod(fd.Get(), old.st_mode & 07777) != 0) fail(errno);
  }
  TFdWriteStream out(fd.Get());
  try {
    produce(out);
    out.Flush();
  } catch (...) {
    if (out.Error() != 0) fail(out.Error());
    fd.Close();
    ::unlink(temp.c_str());
    throw;
  }
  if (::fsync(fd.Get()) != 0) fail(errno);
  if (fd.Close() != 0) fail(errno);
  if (beforeRename) {
    try {
      beforeRename();
    } catch (...) {
      ::unlink(temp.c_str());
      throw;
    }
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    ThrowFileWriteError(target, err);
  }
  // Make the rename itself durable; a failure here no longer endangers either version.
  TFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.Get() >= 0) ::fsync(dirFd.Get());
}

}  // namespace zyn
