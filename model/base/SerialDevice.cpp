#include "model/base/SerialDevice.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zyn {

std::string BusDeviceOfPort(int portNumber) { return "/dev/ttyS" + std::to_string(std::max(portNumber, 1) - 1); }

std::string BusDeviceOverride() {
  const char* device = std::getenv("ZYN_BUS_DEVICE");
  return device ? device : "";
}

std::string ResolveBusDevice(const std::string& optionDevicePath, int source) {
  std::string device = BusDeviceOverride();
  if (device.empty()) device = optionDevicePath;
  if (device.empty()) device = BusDeviceOfPort(source + 1);
  return device;
}

std::vector<std::string> ListSerialDevices(const std::string& folder) {
  static const char* const prefixes[] = {"ttyUSB", "ttyACM", "ttyS"};
  struct TEntry {
    int Kind;
    long Number;
    std::string Path;
  };
  std::vector<TEntry> found;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    for (int kind = 0; kind < 3; ++kind) {
      const std::string prefix = prefixes[kind];
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string digits = name.substr(prefix.size());
      if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
      found.push_back({kind, std::stol(digits), (std::filesystem::path(folder) / name).string()});
      break;
    }
  }
  std::sort(found.begin(), found.end(),
            [](const TEntry& a, const TEntry& b) { return a.Kind != b.Kind ? a.Kind < b.Kind : a.Number < b.Number; });
  std::vector<std::string> paths;
  for (auto& e : found) paths.push_back(std::move(e.Path));
  return paths;
}

}  // namespace zyn
