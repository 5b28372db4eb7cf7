#pragma once
// Helpers of the visualisation tests: hand-built value-stream bytes and control records.

#include "model/base/ComponentRecord.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "tests/model/base/RawBytes.h"
#include "tests/support/Files.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// A control record: class, name and integer properties.
TComponentRecord Control(const std::string& cls, const std::string& name,
                         const std::vector<std::pair<std::string, int>>& ints);

}  // namespace zyn::test
