#pragma once
// The module catalogue "MODULE.ZBC": one TModulClass per kind of bus module, keyed by its
// InternalName.

#include "model/ModulClass.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TModulClassList {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TModulClass* GetClass(int index) const;
  // By InternalName without regard to case; nullptr when none.
  TModulClass* FindClass(std::string_view name) const;
  TModulClass* Add(std::unique_ptr<TModulClass> item);
  void Remove(TModulClass* item);
  int IndexOf(const TModulClass* item) const;
  // The class at `from` moves to position `to`; false when either is out of range.
  bool Move(int from, int to);
  void Clear() { fItems.clear(); }
  void CopyFrom(const TModulClassList& source);

  // The identifier "ZYNMODULKLASSEN" (compared upper-cased), list begin, the classes, list end.
  // Classes read are added to those present. A wrong identifier raises EReadError
  // "Keine gültige Modulklassendatei" and adds nothing.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::unique_ptr<TModulClass>> fItems;
};

}  // namespace zyn
