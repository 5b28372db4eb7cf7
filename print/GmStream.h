#pragma once
// Named values of page objects and resources, and their stream form: one block of a 32-bit
// little-endian byte count followed by the lines "name=value", each ended by CR LF.
//
// Reading is defensive: every count and length taken from a stream is checked against what the
// stream still holds before anything is allocated, and a damaged block raises EReadError.

#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "print/GmTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// A value that is not a valid number.
class EGmConvertError : public EReadError {
 public:
  using EReadError::EReadError;
};

class TGmValueList {
 public:
  // Lines "name=value"; the name is the text before the first "=".
  const std::vector<std::string>& Lines() const { return fLines; }
  void SetLines(std::vector<std::string> lines) { fLines = std::move(lines); }
  int Count() const { return static_cast<int>(fLines.size()); }
  void Clear() { fLines.clear(); }
  bool Has(std::string_view name) const { return Find(name) >= 0; }

  int ReadInteger(std::string_view name, int def) const;
  bool ReadBool(std::string_view name, bool def) const;
  TGmExtended ReadFloat(std::string_view name, TGmExtended def) const;
  std::string ReadString(std::string_view name, const std::string& def) const;
  TGmPoint ReadPoint(std::string_view name, const TGmPoint& def) const;
  TGmRect ReadRect(std::string_view name, const TGmRect& def) const;

  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }
  void WriteFloat(std::string_view name, TGmExtended value);
  // Line breaks and backslashes are escaped, so that a text of several lines stays one value.
  void WriteString(std::string_view name, std::string_view value);
  void WritePoint(std::string_view name, const TGmPoint& value);
  void WriteRect(std::string_view name, const TGmRect& value);

  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);

  // The raw text after "=" of the line with the name; false when there is none.
  bool RawValue(std::string_view name, std::string& out) const;
  void SetRaw(std::string_view name, std::string value);

 private:
  int Find(std::string_view name) const;
  std::vector<std::string> fLines;
};

// Text forms of the value kinds, shared with the resource lists.
std::string GmFloatText(TGmExtended value);              // "0.000" with "."
TGmExtended GmParseFloat(std::string_view text);         // EGmConvertError
int GmParseInt(std::string_view text);                   // EGmConvertError
std::vector<int> GmParseIntList(std::string_view text);  // comma-separated; EGmConvertError

class TGmWriter {
 public:
  explicit TGmWriter(TStream& stream) : fStream(stream) {}
  void WriteInteger(std::int32_t value) { fStream.WriteI32(value); }
  // The count of bytes, then the bytes.
  void WriteBlock(const std::vector<std::uint8_t>& bytes);
  void WriteStream(TMemoryStream& source) { WriteBlock(source.Bytes()); }
  void WriteValueList(const TGmValueList& list);

 private:
  TStream& fStream;
};

class TGmReader {
 public:
  explicit TGmReader(TStream& stream) : fStream(stream) {}
  std::int32_t ReadInteger() { return fStream.ReadI32(); }
  // A count read from the stream, checked: not negative and at most what the remaining bytes can
  // hold when each item takes at least minItemBytes.
  std::int32_t ReadCount(std::int64_t minItemBytes);
  // One block; its length is checked against the bytes left before anything is read.
  std::vector<std::uint8_t> ReadBlock();
  void ReadStream(TMemoryStream& target);
  void ReadValueList(TGmValueList& list);
  // Bytes the stream still holds (a large number for a stream of unknown size).
  std::int64_t Remaining();
  TStream& Stream() { return fStream; }

 private:
  TStream& fStream;
};

}  // namespace zyn
