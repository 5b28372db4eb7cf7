// The display section reader takes any bytes: it reads a display project or throws EReadError,
// never reads out of bounds. A project that reads writes again; that form reads and writes back
// to the same bytes, and every display compiles or reports why not.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/CompilerDisplay.h"
#include "display/DisplayProjekt.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

namespace {

std::vector<uint8_t> Write(zyn::TDisplayProjekt& project) {
  zyn::TMemoryStream stream;
  {
    zyn::TWriter writer(stream);
    project.WriteData(writer);
  }
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TDisplayProjekt project;
  try {
    zyn::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    zyn::TReader reader(stream);
    project.ReadData(reader);
  } catch (const zyn::EReadError&) {
    return 0;
  }
  const std::vector<uint8_t> first = Write(project);
  zyn::TDisplayProjekt again;
  {
    zyn::TMemoryStream stream(first);
    zyn::TReader reader(stream);
    again.ReadData(reader);  // must not throw: our own form
  }
  if (Write(again) != first) std::abort();
  std::vector<std::string> messages;
  const bool compiled = project.CompileAll(&messages);
  if (compiled != messages.empty()) std::abort();
  for (size_t i = 0; i < project.Count(); ++i) {
    const int length = project[i].PrgLaenge;
    if (length < 0 || length > zyn::TDispCompiler::Limit - zyn::TDispCompiler::BaseAddress) std::abort();
  }
  return 0;
}
