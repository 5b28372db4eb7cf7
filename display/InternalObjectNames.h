#pragma once
// Internal names of displays and screens: a date-time stamp and a number.

#include "model/UniqueNames.h"  // TCountMethod, shared with the model's name registry

#include <string>
#include <vector>

namespace zyn {

class TDispUniqueNames {
 public:
  TCountMethod CountMethod = TCountMethod::cntIncrement;
  bool Sorted = true;

  // "ddmmyyyy_hhmmss_" of the current local time followed by a number; the name is recorded.
  std::string NewName();
  // The same with a given stamp.
  std::string NewName(const std::string& stamp);
  bool Contains(const std::string& name) const;
  size_t Count() const { return fNames.size(); }

  static std::string CurrentStamp();

 private:
  std::vector<std::string> fNames;  // sorted, no duplicates
};

}  // namespace zyn
