#pragma once
// The small projects the main-window tests and the journeys open, made by the model and saved
// into the test's home.

#include <string>

namespace zyn {
class TZYNProjekt;
}

namespace zyn::test {

struct TSmallProjectOptions {
  // The input link aims at control module 3, which the project does not have.
  bool BadLink = false;
  // The project gets one display panel.
  bool WithDisplay = false;
};

// One control module at address 0 ("Steuermodul 0"), an input module of three inputs at address
// 1, an output module of two outputs at address 5 and a link from the first input to the first
// output.
void FillSmallProject(TZYNProjekt& projekt, TSmallProjectOptions options = {});
// Saves such a project under name in the test's home (compressed for a ".zcf" name) and returns
// the file name.
std::string SaveSmallProject(const std::string& name, TSmallProjectOptions options = {});

// Control modules 0 and 1 ("Zweihaus"), each with the input module, the output module and the link
// of the small project, saved under name in the test's home.
std::string SaveTwoModuleProject(const std::string& name);

// One control module at address 0 and nothing else, saved under name in the test's home.
std::string SaveEmptyProject(const std::string& name);

}  // namespace zyn::test
