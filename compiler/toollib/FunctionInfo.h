#pragma once
// The header of a tool: group, name, help, version, authoring data, class, level and the brand
// block.

#include "compiler/toollib/ShortString.h"

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TReader;
class TWriter;
class TStream;
class TRawToolReader;

// Brands in OEMFlag.
constexpr uint16_t oemZORV = 1;
constexpr uint16_t oemTervik = 2;
constexpr uint16_t oemQLM = 4;
constexpr uint16_t oemMorva = 8;
constexpr uint16_t oemYXA = 16;

class TFunctionInfo {
 public:
  static constexpr size_t kOemBlockSize = 701;
  // The raw form keeps 62 characters of the level name (its block is 63 bytes with the length).
  static constexpr size_t kEbeneRawMax = 62;

  std::string FunctionGroup;  // 50
  std::string FunctionName;   // 50
  std::string FunctionHelp;   // 255
  std::string FunctionVer;    // 7
  std::string Creator;        // 50
  std::string Company;        // 50
  std::string CreationDate;   // 10
  std::string LastModified;   // 10
  std::string FunctionClass;  // 30
  uint8_t CanBeSubFunc = 0;
  int32_t HelpContext = 0;
  TShortString<255> InfoReserved;
  TShortString<63> Ebene;
  std::array<uint8_t, kOemBlockSize> OemBlock{};

  uint16_t OEMFlag() const { return static_cast<uint16_t>(OemBlock[0] << 8 | OemBlock[1]); }
  void SetOEMFlag(uint16_t value) {
    OemBlock[0] = static_cast<uint8_t>(value >> 8);
    OemBlock[1] = static_cast<uint8_t>(value);
  }

  // Every field but Ebene.
  void CopyFrom(const TFunctionInfo& source);

  void LoadFromRaw(TRawToolReader& reader);
  void SaveToRaw(TStream& stream) const;
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

}  // namespace zyn
