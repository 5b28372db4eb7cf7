#pragma once
// The tagged value stream of the component streaming: every persisted object writes its fields
// as tagged values in a fixed order and reads them back in the same order.

#include "model/base/Streams.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

enum class TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
};

// Writes tagged values to a stream, appending at its current position. Output is buffered and
// reaches the stream at FlushBuffer() or when the writer is destroyed; the destructor cannot
// report a failing stream, so a caller that must know calls FlushBuffer() first.
class TWriter {
 public:
  explicit TWriter(TStream& stream, size_t bufferSize = 1024);
  ~TWriter();
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  void FlushBuffer();

  void WriteInteger(int32_t value);
  void WriteInt64(int64_t value);
  void WriteString(std::string_view ansi);  // Windows-1252 text
  void WriteChar(char c);
  void WriteBoolean(bool value);
  void WriteFloat(long double value);  // tag 5, 80-bit extended
  void WriteSingle(float value);       // tag 15
  void WriteCurrency(int64_t scaled);  // tag 16, amount times 10000
  void WriteDate(double value);        // tag 17
  // As an 8-bit string value when the UTF-8 form is shorter than the UTF-16 form and the text
  // has a Windows-1252 form without loss; otherwise tag 18.
  void WriteWideString(std::u16string_view text);
  void WriteIdent(std::string_view ident);
  void WriteListBegin();
  void WriteListEnd();
  void WriteBinary(const void* data, size_t size);       // tag 10
  void WriteSet(const std::vector<std::string>& names);  // tag 11; empty names are left out
  void WriteValueType(TValueType type);
  void WriteStr(std::string_view s);          // a length byte and at most 255 characters, no tag
  void Write(const void* data, size_t size);  // raw block

 private:
  void PutByte(uint8_t b) {
    if (fBufPos == fBufferSize) FlushBuffer();
    fBuffer[fBufPos++] = b;
  }
  void PutLE(uint64_t v, size_t width);
  void PutLength(size_t n);                  // 32-bit length, EWriteError above 4 GB - 1
  void PutTextValue(std::string_view ansi);  // tag 6 or 12 and the bytes, no conversion

  TStream& fStream;
  std::vector<uint8_t> fBuffer;
  size_t fBufferSize;
  size_t fBufPos = 0;
};

// Reads tagged values from a stream, mirroring TWriter. Throws EReadError with
// "Ungültiger Eigenschaftswert" for an unexpected tag and "Stream-Lesefehler" at the end of the
// source. When destroyed, moves a seekable stream back to just after the last value read.
class TReader {
 public:
  explicit TReader(TStream& stream, size_t bufferSize = 1024);
  ~TReader();
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  int32_t ReadInteger();
  int64_t ReadInt64();
  std::string ReadString();
  char ReadChar();
  bool ReadBoolean();  // consumes one byte; true only for tag 9
  long double ReadFloat();
  float ReadSingle();
  int64_t ReadCurrency();  // amount times 10000
  double ReadDate();
  // Tag 18 as it stands; any other string value through its Windows-1252 form.
  std::u16string ReadWideString();
  std::string ReadIdent();
  void ReadListBegin();
  void ReadListEnd();
  bool EndOfList();  // next tag is 0, not consumed
  TValueType NextValue();
  std::vector<uint8_t> ReadBinary();   // tag 10
  std::vector<std::string> ReadSet();  // tag 11, the element names
  TValueType ReadValueType();
  std::string ReadStr();               // a length byte and its characters, no tag
  void Read(void* data, size_t size);  // raw block of exactly size bytes
  void SkipValue();

  // Logical position in the stream (the stream's position less the bytes still buffered).
  int64_t Position() const;

 private:
  uint8_t ReadByte() {
    if (fBufPos == fBufEnd) FillBuffer();
    return fBuffer[fBufPos++];
  }
  uint8_t PeekByte() {
    if (fBufPos == fBufEnd) FillBuffer();
    return fBuffer[fBufPos];
  }
  void FillBuffer();
  uint64_t ReadLE(size_t width);
  int64_t ReadIntegerPayload(uint8_t tag);  // after tag 2, 3, 4 or 19
  // Bytes still to come from the buffer and the stream, or -1 when the stream cannot tell.
  int64_t Remaining();
  void CheckAvailable(uint64_t n);
  template <class Container>
  void ReadCounted(uint64_t n, Container& out);
  void SkipBytes(uint64_t n);
  void SkipPayload(uint8_t kind);

  TStream& fStream;
  std::vector<uint8_t> fBuffer;
  size_t fBufPos = 0;
  size_t fBufEnd = 0;
  int64_t fStreamPosAfterBuffer = 0;
};

// The identifier that heads a data file (an identifier value, tag 7). A string value in its place,
// as earlier builds of this programme wrote it, is accepted too.
std::string ReadHeadIdent(TReader& reader);

// Counted short text of the raw library files: a 16-bit count (text length + 1), then the
// length byte and the characters. A reader takes at most 256 bytes into a text.
void WriteStreamString(TStream& stream, std::string_view ansi);
std::string ReadStreamString(TStream& stream);

// A whole file in the filer form: the object's ReadData(TReader&) or WriteData(TWriter&) over the
// file's bytes. One error rule for every list and object stored so: a file that cannot be read or
// holds damaged data throws (EReadError and the reader's errors), a failed write throws
// EWriteError and leaves the former file as it was.
template <class T>
void LoadFilerFile(T& object, const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  TReader reader(stream);
  object.ReadData(reader);
}

template <class T>
void SaveFilerFile(const T& object, const std::string& fileName) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    object.WriteData(writer);
  }
  stream.SaveToFile(fileName);
}

}  // namespace zyn
