#include "display/InternalObjectNames.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

namespace zyn {

std::string TDispUniqueNames::CurrentStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02d%02d%04d_%02d%02d%02d_", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return buffer;
}

std::string TDispUniqueNames::NewName() { return NewName(CurrentStamp()); }

bool TDispUniqueNames::Contains(const std::string& name) const {
  return std::binary_search(fNames.begin(), fNames.end(), name);
}

std::string TDispUniqueNames::NewName(const std::string& stamp) {
  std::string name;
  if (CountMethod == TCountMethod::cntIncrement) {
    for (long n = 0;; ++n) {
      name = stamp + std::to_string(n);
      if (!Contains(name)) break;
    }
  } else {
    static thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<long> draw(0, 2147483646L);
    do name = stamp + std::to_string(draw(random));
    while (Contains(name));
  }
  fNames.insert(std::lower_bound(fNames.begin(), fNames.end(), name), name);
  return name;
}

}  // namespace zyn
