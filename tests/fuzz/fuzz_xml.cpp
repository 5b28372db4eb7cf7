// The XML collection reader takes any text: loading never crashes, and whatever it read is written
// and read back to the same text (a loaded collection is a fixed point of write and read). The
// options file (nested groups) and the ini-file collection (nested sections) are the subjects.
#include "model/base/TextUtils.h"
#include "model/base/XMLCollection.h"
#include "model/base/XMLIniFile.h"
#include "model/base/ZYNOptionen.h"

#include <cstdint>
#include <cstdlib>
#include <string>

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

// The decoder as a plain in-place scan from the end, to compare with.
std::string DecodeInPlace(std::string s) {
  const auto digit = [](char c) {
    const unsigned char l = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : static_cast<unsigned char>(c);
    if (l >= '0' && l <= '9') return l - '0';
    if (l >= 'a') return l - 87;
    return 0;
  };
  for (size_t i = s.size(); i-- > 0;) {
    if (s.size() - i >= 6 && s[i] == '&' && s[i + 1] == '#' && s[i + 2] == 'x') {
      s.replace(i, 6, 1, static_cast<char>((digit(s[i + 3]) * 16 + digit(s[i + 4])) & 0xFF));
    }
  }
  return zyn::Trim(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckFixedPoint<zyn::TZYNOptionFile>(text);
  CheckFixedPoint<zyn::TSectionCollection>(text);

  const std::string decoded = zyn::XMLDecode(text);
  if (decoded != DecodeInPlace(text)) std::abort();
  if (decoded != zyn::Trim(decoded)) std::abort();
  if (zyn::XMLDecode(zyn::XMLEncode(decoded)) != decoded) std::abort();
  return 0;
}
