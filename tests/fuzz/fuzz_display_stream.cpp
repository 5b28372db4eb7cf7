// The display section reader takes any bytes: it reads a display project or throws EReadError,
// never reads out of bounds. A project that reads writes again; that form reads and writes back
// to the same bytes, and every display compiles or reports why not.
#include "FuzzRoundTrip.h"
#include "display/CompilerDisplay.h"
#include "display/DisplayProjekt.h"
#include "model/base/Errors.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TDisplayProjekt project;
  if (!zyn::fuzz::Read<zyn::EReadError>(project, data, size)) return 0;
  zyn::fuzz::CheckRoundTrip(project);
  std::vector<std::string> messages;
  const bool compiled = project.CompileAll(&messages);
  if (compiled != messages.empty()) std::abort();
  for (size_t i = 0; i < project.Count(); ++i) {
    const int length = project[i].PrgLaenge;
    if (length < 0 || length > zyn::TDispCompiler::Limit - zyn::TDispCompiler::BaseAddress) std::abort();
  }
  return 0;
}
