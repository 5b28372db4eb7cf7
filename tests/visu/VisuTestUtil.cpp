#include "VisuTestUtil.h"

namespace zyn::test {

TComponentRecord Control(const std::string& cls, const std::string& name,
                         const std::vector<std::pair<std::string, int>>& ints) {
  TComponentRecord rec;
  rec.ClassName = cls;
  rec.Name = name;
  for (const auto& [prop, value] : ints) rec.SetProperty(prop, TFilerValue::Integer(value));
  return rec;
}

}  // namespace zyn::test
