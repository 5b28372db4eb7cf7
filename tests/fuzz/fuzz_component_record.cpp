// Component records from any bytes: reading either fails with a read error or gives a tree that
// writes back to exactly the bytes it was read from and reads again to the same tree.
#include "model/base/ComponentRecord.h"
#include "model/base/Errors.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TMemoryStream in(std::vector<uint8_t>(data, data + size));
  zyn::TComponentRecord rec;
  int64_t consumed = 0;
  try {
    zyn::TReader reader(in);
    rec.ReadRoot(reader);
    consumed = reader.Position();
  } catch (const zyn::EReadError&) {
    return 0;
  }
  zyn::TMemoryStream out;
  {
    zyn::TWriter writer(out);
    rec.WriteRoot(writer);
  }
  if (out.Bytes() != std::vector<uint8_t>(data, data + consumed)) std::abort();
  out.SetPosition(0);
  zyn::TReader again(out);
  zyn::TComponentRecord copy;
  copy.ReadRoot(again);
  if (!(copy == rec)) std::abort();
  return 0;
}
