#pragma once
// A visualisation page as the non-visual layer keeps it: the component record of the page with
// the records of its controls. The page designer's visual page derives from this class and
// builds its controls from the record and the record from its controls.

#include "model/base/ComponentRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TVisuPage {
 public:
  static constexpr const char* kClassName = "TVisuDesignFrame";

  TVisuPage();
  explicit TVisuPage(TComponentRecord record);
  virtual ~TVisuPage();

  // The component name: the page's key, the name of its ".vpg" file.
  const std::string& Name() const { return fRecord.Name; }
  // The page's name for the user (its "DisplayName" property, "" when not stored).
  virtual std::string DisplayName() const;

  const TComponentRecord& Record() const { return fRecord; }
  TComponentRecord& Record() { return fRecord; }

  // The record to store. A visual page builds it from its controls and may fail; the failure
  // reaches whoever stores the page.
  virtual TComponentRecord MakeRecord() const;
  // Takes a record read from a stream (also one that is only partly read).
  virtual void SetRecord(TComponentRecord record);

  // Moves every binding of the page from (control module, old module byte) to the new module
  // byte: channel bindings, telegrams, index infos and the channels of summary controls, in
  // every control at any depth. Returns the number of bindings changed.
  virtual int ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul);

  // Component resource: byte 0xFF, 16-bit type 10, the upper-cased name (at most 63
  // characters) and a zero byte, 16-bit flags 0x1030, 32-bit length, then the root component.
  static std::vector<uint8_t> ResourceBytes(const TComponentRecord& root, std::string_view name);
  // The root component of a component resource; EReadError when the header is not one.
  static TComponentRecord RecordFromResource(const std::vector<uint8_t>& bytes);

  // The ".vpg" file: a resource named after the page class; written as a whole or not at all.
  void SaveToFile(const std::string& fileName) const;
  void LoadFromFile(const std::string& fileName);

 private:
  TComponentRecord fRecord;
};

}  // namespace zyn
