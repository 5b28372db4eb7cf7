#pragma once
// The number pool of a list: one used/free flag per number between MinAddress and MaxAddress.

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;

class TAdressen {
 public:
  TAdressen();
  TAdressen(int32_t minAddress, int32_t maxAddress);

  int32_t MinAddress() const { return fMin; }
  int32_t MaxAddress() const { return fMax; }
  void SetMinAddress(int32_t value);
  void SetMaxAddress(int32_t value);
  void SetRange(int32_t minAddress, int32_t maxAddress);

  // True when the address was free before; it is used afterwards. An address outside the range
  // is never taken (false).
  bool SetUsed(int32_t address);
  void SetFree(int32_t address);
  // Outside the range an address counts as used: nobody may take it.
  bool IsUsed(int32_t address) const;
  int32_t FirstFree() const;
  // Fills dest with "prefix.nn" of every free address and of `current`; the index of current's
  // entry, -1 when current lies outside the range.
  int FreeAddressList(const std::string& prefix, int width, std::vector<std::string>& dest, int32_t current) const;
  std::string AsHexText() const;
  const std::vector<uint8_t>& Flags() const { return fFlags; }

  void CopyFrom(const TAdressen& source);
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  bool operator==(const TAdressen& other) const = default;

 private:
  void Resize(int32_t oldMin);
  bool InRange(int32_t address) const { return address >= fMin && address <= fMax; }

  int32_t fMin = 0;
  int32_t fMax = 31;
  std::vector<uint8_t> fFlags;
};

}  // namespace zyn
