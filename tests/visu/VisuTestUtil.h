#pragma once
// Helpers of the visualisation tests: hand-built value-stream bytes and temporary folders.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/ComponentRecord.h"
#include "model/base/Streams.h"

namespace zyn::test {

using Bytes = std::vector<uint8_t>;

// Byte builder that knows nothing of the code under test.
struct Raw {
  Bytes b;
  Raw& u8(int v) { b.push_back(static_cast<uint8_t>(v)); return *this; }
  Raw& le(uint64_t v, int n) { for (int i = 0; i < n; ++i) u8(int(v >> (8 * i)) & 0xFF); return *this; }
  Raw& str(std::string_view s) { u8(int(s.size())); b.insert(b.end(), s.begin(), s.end()); return *this; }
  Raw& chars(std::string_view s) { b.insert(b.end(), s.begin(), s.end()); return *this; }
  Raw& zeros(size_t n) { b.insert(b.end(), n, 0); return *this; }
  Raw& bytes(const Bytes& x) { b.insert(b.end(), x.begin(), x.end()); return *this; }
  // Value-stream values.
  Raw& sval(std::string_view s) { return u8(6).str(s); }
  Raw& ival8(int v) { return u8(2).u8(v); }
};

// A fresh empty folder below the system's temporary folder, removed at the end of the test.
class TempDir {
 public:
  explicit TempDir(const std::string& name);
  ~TempDir();
  const std::filesystem::path& Path() const { return fPath; }
  std::string Str() const { return fPath.string(); }

 private:
  std::filesystem::path fPath;
};

Bytes FileBytes(const std::filesystem::path& p);
std::string FileText(const std::filesystem::path& p);
// Runs "xmllint --noout" on the file; true when it accepts it.
bool XmlLintAccepts(const std::filesystem::path& p);

// A control record: class, name and integer properties.
TComponentRecord Control(const std::string& cls, const std::string& name,
                         const std::vector<std::pair<std::string, int>>& ints);

}  // namespace zyn::test
