// The value reader takes any bytes: every operation either returns a value or throws EReadError,
// never reads out of bounds and never allocates far beyond the input. The first bytes choose the
// operations and the buffer size; the rest is the stream. Whatever reads back completely must
// write again to a stream that reads back to the same values.
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/ZStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr size_t kOps = 8;

void ReadOne(zyn::TReader& r, zyn::TWriter& w, uint8_t op) {
  switch (op % 18) {
    case 0:
      r.SkipValue();
      break;
    case 1:
      w.WriteInteger(r.ReadInteger());
      break;
    case 2:
      w.WriteInt64(r.ReadInt64());
      break;
    case 3:
      w.WriteString(r.ReadString());
      break;
    case 4:
      w.WriteChar(r.ReadChar());
      break;
    case 5:
      w.WriteBoolean(r.ReadBoolean());
      break;
    case 6:
      w.WriteFloat(r.ReadFloat());
      break;
    case 7:
      w.WriteSingle(r.ReadSingle());
      break;
    case 8:
      w.WriteCurrency(r.ReadCurrency());
      break;
    case 9:
      w.WriteDate(r.ReadDate());
      break;
    case 10:
      w.WriteWideString(r.ReadWideString());
      break;
    case 11:
      w.WriteIdent(r.ReadIdent());
      break;
    case 12:
      r.ReadListBegin();
      w.WriteListBegin();
      break;
    case 13:
      r.ReadListEnd();
      w.WriteListEnd();
      break;
    case 14: {
      const std::vector<uint8_t> b = r.ReadBinary();
      w.WriteBinary(b.data(), b.size());
      break;
    }
    case 15:
      w.WriteSet(r.ReadSet());
      break;
    case 16:
      w.WriteStr(r.ReadStr());
      break;
    case 17: {
      uint8_t raw[7];
      r.Read(raw, op % 7);
      w.Write(raw, op % 7);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kOps + 1) return 0;
  const uint8_t* ops = data;
  const size_t bufferSize = 1 + data[kOps] % 80;
  const std::vector<uint8_t> body(data + kOps + 1, data + size);

  // Plain memory stream.
  zyn::TMemoryStream in(body);
  zyn::TMemoryStream out;
  int64_t consumed = 0;
  bool complete = true;
  {
    zyn::TReader r(in, bufferSize);
    zyn::TWriter w(out);
    try {
      for (size_t i = 0; i < kOps; ++i) ReadOne(r, w, ops[i]);
    } catch (const zyn::EReadError&) {
      complete = false;
    }
    if (r.Position() > static_cast<int64_t>(body.size())) std::abort();
    consumed = r.Position();
  }
  if (in.Position() != consumed) std::abort();  // the reader gave back its buffered bytes

  // What was rewritten reads back through the same operations and writes identically, as long
  // as no plain skip or raw read took bytes the rewrite does not reproduce.
  bool skipped = false;
  for (size_t i = 0; i < kOps; ++i) skipped |= ops[i] % 18 == 0;
  if (complete && !skipped) {
    zyn::TMemoryStream again(out.Bytes());
    zyn::TMemoryStream twice;
    {
      zyn::TReader r(again, bufferSize);
      zyn::TWriter w(twice);
      for (size_t i = 0; i < kOps; ++i) ReadOne(r, w, ops[i]);
    }
    if (twice.Bytes() != out.Bytes()) std::abort();
  }

  // A stream that cannot tell its size: the same body inflated on the fly.
  const std::vector<uint8_t> packed = zyn::ZCompress(body.data(), body.size(), 1);
  zyn::TMemoryStream packedStream(packed);
  zyn::TZDecompressionStream inflating(packedStream);
  zyn::TMemoryStream sink;
  zyn::TReader r(inflating, bufferSize);
  zyn::TWriter w(sink);
  try {
    for (size_t i = 0; i < kOps; ++i) ReadOne(r, w, ops[i]);
  } catch (const zyn::EReadError&) {
  }
  return 0;
}
