#pragma once
// Helpers of the visualisation tests: hand-built value-stream bytes and temporary folders.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/ComponentRecord.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "tests/model/base/RawBytes.h"

namespace zyn::test {


// The bytes a writer function puts into a stream.
template <class WriteTo>
Bytes Written(WriteTo&& write) {
  TMemoryStream ms;
  {
    TWriter w(ms);
    write(w);
  }
  return ms.Bytes();
}

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
