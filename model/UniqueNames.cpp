#include "model/UniqueNames.h"

#include "model/ModelText.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

namespace zyn {

namespace {

TNameTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

int32_t DefaultRandom() {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int32_t> dist(0, 2147483646);
  return dist(generator);
}

}  // namespace

std::unique_ptr<TUniqueNames> GUniqueNames;

TUniqueNames::TUniqueNames() : TUniqueNames(LocalNow, DefaultRandom) {}

TUniqueNames::TUniqueNames(TClock clock, TRandom random) : fClock(std::move(clock)), fRandom(std::move(random)) {}

std::string TUniqueNames::FormatPrefix(const TNameTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d%02d%04d_%02d%02d%02d_", t.Day, t.Month, t.Year, t.Hour, t.Minute, t.Second);
  return buf;
}

bool TUniqueNames::Find(const std::string& name, size_t& index) const {
  auto it = std::lower_bound(fNames.begin(), fNames.end(), name,
                             [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  index = static_cast<size_t>(it - fNames.begin());
  return it != fNames.end() && CompareText(*it, name) == 0;
}

int TUniqueNames::IndexOf(const std::string& name) const {
  size_t index = 0;
  return Find(name, index) ? static_cast<int>(index) : -1;
}

void TUniqueNames::Add(const std::string& name) {
  size_t index = 0;
  if (!Find(name, index)) fNames.insert(fNames.begin() + static_cast<std::ptrdiff_t>(index), name);
}

std::string TUniqueNames::NewName() {
  const std::string prefix = FormatPrefix(fClock());
  std::string name;
  size_t index = 0;
  if (CountMethod == TCountMethod::cntRandom) {
    do {
      name = prefix + std::to_string(fRandom());
    } while (Find(name, index));
  } else {
    for (int64_t n = 0;; ++n) {
      name = prefix + std::to_string(n);
      if (!Find(name, index)) break;
    }
  }
  Add(name);
  return name;
}

int TUniqueNames::RemoveName(const std::string& name) {
  size_t index = 0;
  if (!Find(name, index)) return -1;
  fNames.erase(fNames.begin() + static_cast<std::ptrdiff_t>(index));
  return static_cast<int>(index);
}

void TUniqueNames::FillStrings(std::vector<std::string>& dest) const { dest = fNames; }

void TUniqueNames::SyncTo(std::vector<std::string>& dest) const {
  dest.reserve(fNames.size());
  for (size_t i = dest.size(); i-- > 0;) {
    if (IndexOf(dest[i]) < 0) dest.erase(dest.begin() + static_cast<std::ptrdiff_t>(i));
  }
  for (const std::string& name : fNames) {
    const bool listed = std::any_of(dest.begin(), dest.end(), [&](const std::string& d) { return SameText(d, name); });
    if (!listed) dest.push_back(name);
  }
}

void TUniqueNames::ReadData(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) Add(reader.ReadString());
  reader.ReadListEnd();
}

void TUniqueNames::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const std::string& name : fNames) writer.WriteString(name);
  writer.WriteListEnd();
}

void TUniqueNames::LoadFromFile(const std::string& fileName) {
  Clear();
  LoadFilerFile(*this, fileName);
}

void TUniqueNames::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

}  // namespace zyn
