// The converter takes any bytes: Windows-1252 text survives UTF-8 and UTF-16, and any UTF-8 input
// gives text that converts back to UTF-8 and to the same Windows-1252 text again.
#include "model/base/Cp1252.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (zyn::Utf8ToAnsi(zyn::AnsiToUtf8(bytes)) != bytes) std::abort();
  if (zyn::Utf16ToAnsi(zyn::AnsiToUtf16(bytes)) != bytes) std::abort();
  const std::string ansi = zyn::Utf8ToAnsi(bytes);
  if (zyn::Utf8ToAnsi(zyn::AnsiToUtf8(ansi)) != ansi) std::abort();
  return 0;
}
