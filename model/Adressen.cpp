#include "model/Adressen.h"

#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

#include <cstdio>

namespace zyn {

namespace {
constexpr int64_t kMaxPoolSize = 65536;
}  // namespace

TAdressen::TAdressen() : fFlags(32, 0) {}

TAdressen::TAdressen(int32_t minAddress, int32_t maxAddress) : TAdressen() { SetRange(minAddress, maxAddress); }

void TAdressen::Resize(int32_t oldMin) {
  // Flags keep their positions in the array (position = address - MinAddress).
  (void)oldMin;
  const int64_t size = static_cast<int64_t>(fMax) - fMin + 1;
  fFlags.resize(size > 0 ? static_cast<size_t>(size) : 0, 0);
}

void TAdressen::SetMinAddress(int32_t value) {
  if (value == fMin) return;
  const int32_t oldMin = fMin;
  fMin = value;
  Resize(oldMin);
}

void TAdressen::SetMaxAddress(int32_t value) {
  if (value == fMax) return;
  fMax = value;
  Resize(fMin);
}

void TAdressen::SetRange(int32_t minAddress, int32_t maxAddress) {
  SetMinAddress(minAddress);
  SetMaxAddress(maxAddress);
}

bool TAdressen::SetUsed(int32_t address) {
  if (!InRange(address)) return false;
  uint8_t& flag = fFlags[static_cast<size_t>(address - fMin)];
  const bool wasFree = flag == 0;
  flag = 1;
  return wasFree;
}

void TAdressen::SetFree(int32_t address) {
  if (InRange(address)) fFlags[static_cast<size_t>(address - fMin)] = 0;
}

bool TAdressen::IsUsed(int32_t address) const {
  if (!InRange(address)) return true;
  return fFlags[static_cast<size_t>(address - fMin)] != 0;
}

int32_t TAdressen::FirstFree() const {
  for (size_t i = 0; i < fFlags.size(); ++i) {
    if (fFlags[i] == 0) return fMin + static_cast<int32_t>(i);
  }
  return -1;
}

int TAdressen::FreeAddressList(const std::string& prefix, int width, std::vector<std::string>& dest,
                               int32_t current) const {
  dest.clear();
  int result = -1;
  for (int64_t a = fMin; a <= fMax; ++a) {
    const auto address = static_cast<int32_t>(a);
    if (!IsUsed(address) || address == current) {
      if (address == current) result = static_cast<int>(dest.size());
      dest.push_back(prefix + "." + ZeroPad(address, width));
    }
  }
  return result;
}

std::string TAdressen::AsHexText() const {
  std::string out;
  for (uint8_t flag : fFlags) out += flag ? "01" : "00";
  return out;
}

void TAdressen::CopyFrom(const TAdressen& source) {
  fMin = source.fMin;
  fMax = source.fMax;
  fFlags = source.fFlags;
}

void TAdressen::ReadData(TReader& reader) {
  const int32_t minAddress = reader.ReadInteger();
  const int32_t maxAddress = reader.ReadInteger();
  // A damaged record must not make the pool allocate gigabytes.
  const int64_t size = static_cast<int64_t>(maxAddress) - minAddress + 1;
  if (size < 0 || size > kMaxPoolSize) throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
  SetMinAddress(minAddress);
  SetMaxAddress(maxAddress);
  for (int64_t a = fMin; a <= fMax; ++a) fFlags[static_cast<size_t>(a - fMin)] = reader.ReadBoolean() ? 1 : 0;
}

void TAdressen::WriteData(TWriter& writer) const {
  writer.WriteInteger(fMin);
  writer.WriteInteger(fMax);
  for (uint8_t flag : fFlags) writer.WriteBoolean(flag != 0);
}

}  // namespace zyn
