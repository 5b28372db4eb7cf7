#pragma once
// The registry of internal names handed out in one programme run. New names are a time stamp
// "ddmmyyyy_hhmmss_" followed by a counter (or a random number).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;

enum class TCountMethod { cntIncrement = 0, cntRandom = 1 };

// Local date and time as the name prefix needs it.
struct TNameTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

class TUniqueNames {
 public:
  using TClock = std::function<TNameTime()>;
  using TRandom = std::function<int32_t()>;  // 0 <= n < 2147483647

  TUniqueNames();
  // Clock and random source can be replaced, so that names are predictable in tests.
  TUniqueNames(TClock clock, TRandom random);

  TCountMethod CountMethod = TCountMethod::cntIncrement;

  std::string NewName();
  int RemoveName(const std::string& name);
  void FillStrings(std::vector<std::string>& dest) const;
  void SyncTo(std::vector<std::string>& dest) const;
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  // The sorted string list (compared without regard to ASCII case, duplicates ignored).
  int Count() const { return static_cast<int>(fNames.size()); }
  const std::string& Strings(int index) const { return fNames[static_cast<size_t>(index)]; }
  int IndexOf(const std::string& name) const;
  void Add(const std::string& name);
  void Clear() { fNames.clear(); }

  static std::string FormatPrefix(const TNameTime& t);

 private:
  bool Find(const std::string& name, size_t& index) const;

  std::vector<std::string> fNames;
  TClock fClock;
  TRandom fRandom;
};

// The one registry of internal names of the programme run. The start-up code creates it before
// any model object and frees it at the end; until then it is empty.
extern std::unique_ptr<TUniqueNames> GUniqueNames;

}  // namespace zyn
