// The visualisation section of the project stream from any bytes: reading fails with one of the
// programme's errors or gives a project whose written form reads back to the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/base/Errors.h"
#include "visu/VisuProject.h"

namespace {
std::vector<uint8_t> Write(const zyn::TVisuProject& p) {
  zyn::TMemoryStream ms;
  {
    zyn::TWriter w(ms);
    p.WriteData(w);
  }
  return ms.Bytes();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TVisuProject project;
  try {
    zyn::TMemoryStream in(std::vector<uint8_t>(data, data + size));
    zyn::TReader reader(in);
    project.ReadData(reader);
  } catch (const zyn::EZYNError&) {
    return 0;
  }
  const std::vector<uint8_t> first = Write(project);
  zyn::TVisuProject again;
  {
    zyn::TMemoryStream ms(first);
    zyn::TReader reader(ms);
    again.ReadData(reader);
  }
  if (Write(again) != first) std::abort();
  return 0;
}
