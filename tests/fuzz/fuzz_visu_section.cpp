// The visualisation section of the project stream from any bytes: reading fails with one of the
// programme's errors or gives a project whose written form reads back to the same bytes again.
#include "FuzzRoundTrip.h"
#include "model/base/Errors.h"
#include "visu/VisuProject.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TVisuProject project;
  if (!zyn::fuzz::Read<zyn::EZYNError>(project, data, size)) return 0;
  zyn::fuzz::CheckRoundTrip(project);
  return 0;
}
