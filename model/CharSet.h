#pragma once
// Named sets of the seven user-defined characters of a control module's display, kept in
// "chars.zyb" of the system data folder.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;

constexpr int kCharSetNameLength = 30;
constexpr int kCharSetChars = 7;
constexpr int kCharRecordSize = 9;  // the code, then eight pattern bytes

class TZYNCharSet {
 public:
  std::string Name;  // at most 30 characters
  std::array<std::array<uint8_t, kCharRecordSize>, kCharSetChars> Chars{};
};

// One entry at the reader's position: the name (any string value, cut to 30 characters), then
// exactly 63 raw bytes. The reader's read error ends a truncated entry.
void ReadCharSetEntry(TZYNCharSet& entry, TReader& reader);
void WriteCharSetEntry(const TZYNCharSet& entry, TWriter& writer);

// The whole file: list begin tag, the entries, list end tag. EReadError when it cannot be read.
std::vector<TZYNCharSet> LoadCharSets(const std::string& fileName);
void SaveCharSets(const std::string& fileName, const std::vector<TZYNCharSet>& sets);
// Every set whose name equals the given one without regard to case, in file order.
std::vector<TZYNCharSet> FindCharSets(const std::vector<TZYNCharSet>& sets, const std::string& name);

}  // namespace zyn
