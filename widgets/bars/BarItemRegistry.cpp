#include "widgets/bars/BarItemRegistry.h"

#include <vector>

namespace zyn {

namespace {

struct TRecord {
  std::string ItemClass;
  TzbBarItemControlFactory ControlClass;
  bool Listed = false;
};

std::vector<TRecord>& Registry() {
  static std::vector<TRecord> registry;
  return registry;
}

}  // namespace

void RegisterBarItem(const std::string& itemClass, TzbBarItemControlFactory controlClass, bool listed) {
  Registry().push_back({itemClass, std::move(controlClass), listed});
}

void UnregisterBarItem(const std::string& itemClass) {
  auto& r = Registry();
  for (auto it = r.begin(); it != r.end(); ++it) {
    if (it->ItemClass == itemClass) {
      r.erase(it);
      return;
    }
  }
}

int GetListedItemClassCount() {
  int n = 0;
  for (const TRecord& rec : Registry()) n += rec.Listed ? 1 : 0;
  return n;
}

std::string GetListedItemClass(int n) {
  if (n < 0) return {};
  for (const TRecord& rec : Registry()) {
    if (!rec.Listed) continue;
    if (n-- == 0) return rec.ItemClass;
  }
  return {};
}

TzbBarItemControlFactory ControlClassOf(const std::string& itemClass) {
  for (const TRecord& rec : Registry())
    if (rec.ItemClass == itemClass) return rec.ControlClass;
  return {};
}

int RegisteredItemClassCount() { return static_cast<int>(Registry().size()); }

}  // namespace zyn
