// The XML collection reader takes any text: loading never crashes, and whatever it read is written
// and read back to the same text (a loaded collection is a fixed point of write and read). The
// options file (nested groups) and the ini-file collection (nested sections) are the subjects.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/base/XMLCollection.h"
#include "model/base/XMLIniFile.h"
#include "model/base/ZYNOptionen.h"

namespace {

template <class C>
void CheckFixedPoint(const std::string& text) {
  C first;
  try {
    first.LoadFromXML(text);
  } catch (const zyn::EReadError&) {
    // A malformed number ends the load; the items read until then stay.
  }
  const std::string written = first.GetXML();
  C second;
  second.LoadFromXML(written);
  if (second.GetXML() != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckFixedPoint<zyn::TZYNOptionFile>(text);
  CheckFixedPoint<zyn::TSectionCollection>(text);

  const std::string decoded = zyn::XMLDecode(text);
  if (decoded != zyn::TrimText(decoded)) std::abort();
  if (zyn::XMLDecode(zyn::XMLEncode(decoded)) != decoded) std::abort();
  return 0;
}
