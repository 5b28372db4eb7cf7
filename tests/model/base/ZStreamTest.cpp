#include "model/base/ZStream.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Sample(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i % 7 == 0 ? rng() : i / 13);
  return b;
}

std::string ReadErrorOf(const Bytes& packed, size_t limit = kZDefaultOutputLimit) {
  try {
    ZDecompress(packed.data(), packed.size(), limit);
  } catch (const EReadError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ZStream, BlocksRoundTripAtEveryLevel) {
  for (const size_t n : {size_t{0}, size_t{1}, size_t{1000}, size_t{300000}}) {
    const Bytes plain = Sample(n, static_cast<unsigned>(n));
    for (const int level : {0, 1, 6, 9}) {
      const Bytes packed = ZCompress(plain.data(), plain.size(), level);
      ASSERT_GE(packed.size(), 6u);
      EXPECT_EQ(packed[0], 0x78);  // zlib header: deflate, 32 KB window
      EXPECT_EQ(((packed[0] << 8) | packed[1]) % 31, 0);
      EXPECT_EQ(ZDecompress(packed.data(), packed.size()), plain) << n << " level " << level;
    }
  }
  const Bytes plain = Sample(100, 1);
  EXPECT_EQ(ZCompress(plain.data(), plain.size())[1], 0xDA);  // maximum compression flag
}

TEST(ZStream, PythonZlibReadsWhatWeWrite) {
  if (std::system("python3 -c 'import zlib' 2>/dev/null") != 0) GTEST_SKIP() << "no python3";
  const Bytes plain = Sample(50000, 3);
  const Bytes packed = ZCompress(plain.data(), plain.size());
  const std::string base = std::string(ZYN_BINARY_DIR) + "/zstream_check";
  std::ofstream(base + ".z", std::ios::binary)
      .write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
  std::ofstream(base + ".raw", std::ios::binary)
      .write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plain.size()));
  const std::string cmd =
      "python3 -c \"import zlib,sys; z=open(sys.argv[1],'rb').read(); "
      "r=open(sys.argv[2],'rb').read(); sys.exit(0 if zlib.decompress(z)==r else 1)\" '" +
      base + ".z' '" + base + ".raw'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  std::remove((base + ".z").c_str());
  std::remove((base + ".raw").c_str());
}

TEST(ZStream, DamagedTruncatedAndOversizedDataAreReadErrors) {
  const Bytes plain = Sample(20000, 5);
  const Bytes packed = ZCompress(plain.data(), plain.size());
  const std::string damaged = Ansi("Die komprimierten Daten sind beschädigt.");
  const std::string truncated = Ansi("Die komprimierten Daten sind unvollständig.");

  Bytes badHeader = packed;
  badHeader[0] = 0x00;
  EXPECT_EQ(ReadErrorOf(badHeader), damaged);
  Bytes badChecksum = packed;
  badChecksum.back() ^= 0xFF;
  EXPECT_EQ(ReadErrorOf(badChecksum), damaged);
  EXPECT_EQ(ReadErrorOf(Bytes(packed.begin(), packed.end() - 1)), truncated);
  EXPECT_EQ(ReadErrorOf(Bytes(packed.begin(), packed.begin() + 10)), truncated);
  EXPECT_EQ(ReadErrorOf(Bytes()), truncated);
  EXPECT_EQ(ReadErrorOf(packed, plain.size() - 1), Ansi("Die entpackten Daten sind zu groß."));
  EXPECT_EQ(ReadErrorOf(packed, plain.size()), "no error");
  const Bytes empty = ZCompress(nullptr, 0);
  EXPECT_EQ(ReadErrorOf(empty, 0), "no error");
  EXPECT_EQ(ReadErrorOf(packed, 0), Ansi("Die entpackten Daten sind zu groß."));

  // A small bomb: 64 MB of zeros refused at a 1 MB limit.
  const Bytes zeros(size_t{64} << 20, 0);
  const Bytes bomb = ZCompress(zeros.data(), zeros.size());
  EXPECT_EQ(ReadErrorOf(bomb, size_t{1} << 20), Ansi("Die entpackten Daten sind zu groß."));

  std::mt19937 rng(9);
  for (int i = 0; i < 500; ++i) {
    Bytes mutated = packed;
    mutated[rng() % mutated.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
    try {
      const Bytes out = ZDecompress(mutated.data(), mutated.size());
      EXPECT_EQ(out, plain);  // only a change zlib cannot notice may pass
    } catch (const EReadError&) {
    }
  }
}

TEST(ZStream, ValueStreamThroughCompressionAndInflatingStreams) {
  TMemoryStream plain;
  TMemoryStream file;
  {
    TZCompressionStream packing(file);
    for (TStream* target : {static_cast<TStream*>(&plain), static_cast<TStream*>(&packing)}) {
      TWriter w(*target);
      w.WriteInteger(0x5A594E33);
      for (int i = 0; i < 5000; ++i) w.WriteString("value " + std::to_string(i));
      w.WriteListEnd();
    }
    packing.Finish();
    EXPECT_EQ(packing.Position(), plain.Size());
  }
  EXPECT_EQ(ZDecompress(file.Bytes().data(), file.Bytes().size()), plain.Bytes());
  EXPECT_EQ(file.Bytes()[1], 0xDA);

  // The probe: a 64-byte reader takes the first value and abandons the stream.
  file.SetPosition(0);
  {
    TZDecompressionStream inflating(file);
    TReader probe(inflating, 64);
    EXPECT_EQ(probe.ReadInteger(), 0x5A594E33);
  }
  // The whole read.
  file.SetPosition(0);
  TZDecompressionStream inflating(file);
  TReader r(inflating);
  EXPECT_EQ(r.ReadInteger(), 0x5A594E33);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(r.ReadString(), "value " + std::to_string(i));
  r.ReadListEnd();
  EXPECT_EQ(r.Position(), plain.Size());
  EXPECT_THROW(r.ReadInteger(), EReadError);
}

TEST(ZStream, InflatingStreamOnlyMovesForwards) {
  const Bytes plain = Sample(10000, 2);
  Bytes packed = ZCompress(plain.data(), plain.size());
  packed.push_back('T');  // a byte after the zlib stream stays for the next reader
  TMemoryStream file(packed);
  {
    TZDecompressionStream z(file);
    EXPECT_FALSE(z.CanSeek());
    EXPECT_EQ(z.Size(), -1);
    EXPECT_EQ(z.Seek(100, TSeekOrigin::Begin), 100);
    EXPECT_EQ(z.ReadU8(), plain[100]);
    EXPECT_THROW(z.Seek(-1, TSeekOrigin::Current), EReadError);
    EXPECT_THROW(z.Write("x", 1), EWriteError);
    Bytes rest(plain.size() - 101);
    z.ReadBuffer(rest.data(), rest.size());
    EXPECT_EQ(rest, Bytes(plain.begin() + 101, plain.end()));
    uint8_t b;
    EXPECT_EQ(z.Read(&b, 1), 0u);
  }
  EXPECT_EQ(file.ReadU8(), 'T');

  TMemoryStream cut(Bytes(packed.begin(), packed.begin() + 50));
  TZDecompressionStream z(cut);
  Bytes all(plain.size());
  EXPECT_THROW(z.ReadBuffer(all.data(), all.size()), EReadError);
}

// Packed files written and read while the data flow: the file's bytes equal ZCompress of the
// same data at the same level however the producer cuts its writes, and the check value at the
// end of the file is verified even when the consumer stops reading early.
TEST(ZStream, FilesArePackedAndUnpackedWhileTheDataFlow) {
  test::TempFolder dir;
  const std::string file = dir.File("p.zcf");
  const Bytes plain = Sample(700000, 5);
  ZDeflateFileAtomic(file, kZMaxCompression, [&](TStream& out) {
    for (size_t at = 0; at < plain.size(); at += 997)
      out.Write(plain.data() + at, std::min<size_t>(997, plain.size() - at));
  });
  const Bytes packed = ReadFileBytes(file);
  EXPECT_EQ(packed, ZCompress(plain.data(), plain.size(), kZMaxCompression));

  Bytes read;
  ZInflateFile(file, [&](TStream& in) {
    uint8_t chunk[4096];
    while (size_t n = in.Read(chunk, sizeof chunk)) read.insert(read.end(), chunk, chunk + n);
  });
  EXPECT_EQ(read, plain);

  // A damaged check value (the last four bytes) and a cut file are read errors, also for a
  // consumer that reads only the first byte.
  const auto readFirstByte = [](TStream& in) { in.ReadU8(); };
  Bytes damaged = packed;
  damaged.back() ^= 0x55;
  WriteFileAtomic(file, damaged.data(), damaged.size());
  EXPECT_THROW(ZInflateFile(file, readFirstByte), EReadError);
  WriteFileAtomic(file, packed.data(), packed.size() / 2);
  EXPECT_THROW(ZInflateFile(file, readFirstByte), EReadError);
  EXPECT_THROW(ZInflateFile(dir.File("fehlt.zcf"), readFirstByte), EReadError);

  // A producer that fails leaves the old file as it was and no temporary file behind.
  WriteFileAtomic(file, packed.data(), packed.size());
  EXPECT_THROW(ZDeflateFileAtomic(file, kZMaxCompression,
                                  [&](TStream& out) {
                                    out.Write(plain.data(), 1000);
                                    throw EWriteError("abgebrochen");
                                  }),
               EWriteError);
  EXPECT_EQ(ReadFileBytes(file), packed);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace zyn
