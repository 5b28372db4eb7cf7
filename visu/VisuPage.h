#pragma once
// A visualisation page as the non-visual layer keeps it: the component record of the page with
// the records of its controls. The page designer's visual page derives from this class and
// builds its controls from the record and the record from its controls.

#include "model/base/ComponentRecord.h"
#include "visu/VisuLinks.h"

#include <cstdint>
#include <functional>
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
  // every control at any depth. With the module's code ("OUT") the texts naming a moved binding
  // ("STM.00.OUT.00.03") name the new address too. Returns the number of bindings changed.
  int ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul,
                          const std::string& modulKennung = "");
  // The module is gone: channel bindings and index infos bound to it become unbound (control
  // module -1, their texts emptied), telegrams to it send nothing (type vtNone), summary channels
  // of it are removed. Returns the number of bindings dropped.
  int ModuleDeleted(int32_t steuermodul, int32_t modul);

  // Hands every control of the page that drives index telegrams or shows a channel to the
  // visitors, as the page's record holds it (a visual page's record is made from its controls).
  void VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const;

  // Component resource: byte 0xFF, 16-bit type 10, the upper-cased name (at most 63
  // characters) and a zero byte, 16-bit flags 0x1030, 32-bit length, then the root component.
  static std::vector<uint8_t> ResourceBytes(const TComponentRecord& root, std::string_view name);
  // The root component of a component resource; EReadError when the header is not one.
  static TComponentRecord RecordFromResource(const std::vector<uint8_t>& bytes);

  // The ".vpg" file: a resource named after the page class; written as a whole or not at all.
  void SaveToFile(const std::string& fileName) const;
  void LoadFromFile(const std::string& fileName);

 protected:
  // Runs the edit over the record of every control of the page (any depth) and takes back what
  // it changed; edit returns the number of changes it made. Returns their sum.
  using TRecordEdit = std::function<int(TComponentRecord& control)>;
  virtual int EditControlRecords(const TRecordEdit& edit);

 private:
  TComponentRecord fRecord;
};

// The text naming a binding ("STM.00.OUT.00.03" CR channel name) after the module with that code
// moved from oldAddress to newAddress: the module address behind the code in the first line
// follows; a text without it is returned unchanged.
std::string RenumberBindingName(const std::string& name, const std::string& modulKennung, int32_t oldAddress,
                                int32_t newAddress);

}  // namespace zyn
