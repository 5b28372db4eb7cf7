#pragma once
// The programme's globals for the GUI tests (options, base data from the built default system
// data, tool libraries, unique names), made once in the isolated home after the application.

namespace zyn::test {

void EnsureProgrammeGlobals();

}  // namespace zyn::test
