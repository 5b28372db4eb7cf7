#include "model/base/Streams.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {
namespace {

namespace fs = std::filesystem;

class FileHelpers : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return fFolder.File(name); }
  static std::string Slurp(const std::string& path) { return test::ReadWholeFile(path); }
  const test::TempFolder fFolder{"streams"};
  const fs::path& fDir = fFolder.Dir();
};

TEST(MemoryStream, ReadWriteSeekAndLittleEndianHelpers) {
  TMemoryStream s;
  s.WriteU8(0xAB);
  s.WriteU16(0x1234);
  s.WriteI16(-2);
  s.WriteU32(0xDEADBEEF);
  s.WriteI32(-100000);
  EXPECT_EQ(s.Bytes(),
            (std::vector<uint8_t>{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0x60, 0x79, 0xFE, 0xFF}));
  EXPECT_EQ(s.Position(), 13);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadU8(), 0xAB);
  EXPECT_EQ(s.ReadU16(), 0x1234);
  EXPECT_EQ(s.ReadI16(), -2);
  EXPECT_EQ(s.ReadU32(), 0xDEADBEEFu);
  EXPECT_EQ(s.ReadI32(), -100000);
  uint8_t b;
  EXPECT_EQ(s.Read(&b, 1), 0u);
  EXPECT_THROW(s.ReadU8(), EReadError);
  EXPECT_THROW(s.Seek(-14, TSeekOrigin::End), EReadError);
  EXPECT_EQ(s.Seek(-1, TSeekOrigin::End), 12);

  // Writing past the end fills the gap with zeros.
  s.Seek(15, TSeekOrigin::Begin);
  s.WriteU8(7);
  EXPECT_EQ(s.Size(), 16);
  EXPECT_EQ(s.Bytes()[13], 0);
  EXPECT_EQ(s.Bytes()[15], 7);
}

TEST(MemoryStream, ShortReadBufferNamesTheReadError) {
  TMemoryStream s(std::vector<uint8_t>{1, 2, 3});
  uint8_t buf[4];
  try {
    s.ReadBuffer(buf, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(std::string(e.what()), "Stream-Lesefehler");
  }
}

TEST_F(FileHelpers, AtomicWriteReplacesAndReadsBack) {
  const std::string path = Path("data.bin");
  WriteFileAtomic(path, std::string("first"));
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(Slurp(path), "first");
  TMemoryStream m;
  m.WriteBuffer("second", 6);
  m.SaveToFile(path);
  EXPECT_EQ(Slurp(path), "second");
  TMemoryStream back;
  back.LoadFromFile(path);
  EXPECT_EQ(std::string(back.Bytes().begin(), back.Bytes().end()), "second");
  EXPECT_EQ(back.Position(), 0);
  // Nothing but the target is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(fDir), fs::directory_iterator()), 1);
  EXPECT_FALSE(FileExists(fDir.string()));
  EXPECT_FALSE(FileExists(Path("missing")));
}

TEST_F(FileHelpers, AtomicWriteKeepsPermissionsOfTheOldFile) {
  const std::string path = Path("keep.bin");
  WriteFileAtomic(path, std::string("a"));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  WriteFileAtomic(path, std::string("b"));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FileHelpers, AtomicWriteThroughASymbolicLinkKeepsTheLink) {
  const std::string real = Path("real.bin");
  const std::string link = Path("link.bin");
  WriteFileAtomic(real, std::string("old"));
  fs::create_symlink(real, link);
  WriteFileAtomic(link, std::string("new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(real), "new");
}

TEST_F(FileHelpers, FailedWriteNamesTheFileAndLeavesTheOldOne) {
  // A parent that is a file fails for every user, root included.
  const std::string blocker = Path("plain");
  WriteFileAtomic(blocker, std::string("old content"));
  try {
    WriteFileAtomic(blocker + "/inner.bin", std::string("x"));
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("plain/inner.bin"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(Ansi("konnte nicht geschrieben werden")), std::string::npos);
  }
  EXPECT_EQ(Slurp(blocker), "old content");

  // The target itself being a folder.
  EXPECT_THROW(WriteFileAtomic(fDir.string(), std::string("x")), EWriteError);

  // A folder without write permission (not provokable as root).
  const std::string locked = Path("locked");
  fs::create_directory(locked);
  const std::string target = locked + "/file.bin";
  WriteFileAtomic(target, std::string("old"));
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (geteuid() != 0) {
    EXPECT_THROW(WriteFileAtomic(target, std::string("new")), EWriteError);
    EXPECT_EQ(Slurp(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
  }
  fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(FileHelpers, WriteFailingHalfwayLeavesTheOldFileAndNoTemporary) {
  // A file size limit makes the write itself fail, for root as well.
  const std::string path = Path("big.bin");
  WriteFileAtomic(path, std::string("old content"));
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string big(100000, 'n');
  EXPECT_THROW(WriteFileAtomic(path, big), EWriteError);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(Slurp(path), "old content");
  EXPECT_EQ(std::distance(fs::directory_iterator(fDir), fs::directory_iterator()), 1);
}

TEST_F(FileHelpers, ReadingAMissingFileOrFolderIsAReadError) {
  EXPECT_THROW(ReadFileBytes(Path("none")), EReadError);
  EXPECT_THROW(ReadFileBytes(fDir.string()), EReadError);
  TMemoryStream m;
  EXPECT_THROW(m.LoadFromFile(Path("none")), EReadError);
  EXPECT_TRUE(ReadFileBytes((WriteFileAtomic(Path("empty"), std::string()), Path("empty"))).empty());
}

}  // namespace
}  // namespace zyn
