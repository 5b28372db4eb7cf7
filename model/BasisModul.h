#pragma once
// The base classes of the module catalogue ("BASIS.ZBC"): each with the address range of its
// modules. The module-class editor offers them.

#include "model/Adressen.h"
#include "model/BaseObject.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TBasisModul : public TZYNBaseObject {
 public:
  TAdressen Adressen;
  int32_t BasisKlasse = 0;

  int32_t MinAdresse() const { return Adressen.MinAddress(); }
  int32_t MaxAdresse() const { return Adressen.MaxAddress(); }
  void SetMinAdresse(int32_t value) { Adressen.SetMinAddress(value); }
  void SetMaxAdresse(int32_t value) { Adressen.SetMaxAddress(value); }

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;
};

// Base classes keyed by their internal names; owns them.
class TBasisModulListe {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TBasisModul* GetBasisModul(int index) const;
  TBasisModul* Add(std::unique_ptr<TBasisModul> item);
  void Remove(TBasisModul* item);
  void Clear() { fItems.clear(); }

  // The file: list begin marker, the records up to the list end marker; no list header.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::unique_ptr<TBasisModul>> fItems;
};

}  // namespace zyn
