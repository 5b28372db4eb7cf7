// Compiles projects made from arbitrary bytes; the compile run either fails with the
// programme's own error (German message) or yields images that end before the
// project-information block, one per control module. It never crashes or writes out of bounds.
// The first byte selects the input: even, the rest is a project stream that is read and then
// compiled; odd, the rest drives the generator of tests/compiler/RandomProject.h (every choice
// takes the next byte), which reaches deep into the compiler with few bytes, since every link of
// a project stream takes some 3.5 KB.
// Seeds in corpus/fuzz_compiler/ ("project<n>": selector 0 and the stream of a small generated
// project) are written by the disabled test FuzzSeeds.DISABLED_Write of tests/compiler (run it
// with --gtest_also_run_disabled_tests --gtest_filter=FuzzSeeds.*).

#include "compiler/CompileDriver.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "project/Projekt.h"
#include "tests/compiler/RandomProject.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void CompileAndCheck(zyn::TZYNProjekt& projekt) {
  zyn::TCompileDriver driver(projekt);
  driver.ProgramTitle = "ZYN";
  try {
    driver.CompileProject(true);
  } catch (const zyn::EZYNError&) {
    return;
  }
  for (int i = 0; i < projekt.Steuermodule.Count(); ++i) {
    const zyn::TBinData* image = driver.Image(projekt.Steuermodule.GetSteuermodul(i)->Adresse());
    if (image == nullptr || image->ImageLength() > zyn::kImageContentLimit) __builtin_trap();
  }
  if (driver.ProgramBytes().size() != static_cast<size_t>(projekt.Steuermodule.Count()) * zyn::kImageSize) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool generated = (data[0] & 1) != 0;
  ++data;
  --size;
  if (generated) {
    size_t next = 0;
    zyn::test::TRandomProject project(
        [&](int low, int high) {
          const int byte = next < size ? data[next++] : 0;
          return low + byte % (high - low + 1);
        },
        4);
    project.Build();
    CompileAndCheck(project.B.Projekt);
    return 0;
  }
  zyn::TZYNProjekt projekt;
  try {
    zyn::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    zyn::TReader reader(stream);
    projekt.LoadFromReader(reader);
  } catch (const zyn::EZYNError&) {
    return 0;
  }
  CompileAndCheck(projekt);
  return 0;
}
