#pragma once
// Projects the journeys open, made by the model and saved into the journey's home.

#include <string>

namespace zyn::test {

// One control module at address 0 with an input module of three inputs, an output module of two
// outputs and a link from the first input to the first output, with a display panel when asked;
// saved as a ".zpf" file.
std::string SaveSmallJourneyProject(const std::string& fileName = "Haus.zpf", bool withDisplay = false);

// Control modules 0 and 1, each with the input module, the output module and the link of the
// small project.
std::string SaveTwoModuleJourneyProject(const std::string& fileName = "Zweihaus.zpf");

// One control module at address 0 and nothing else.
std::string SaveEmptyJourneyProject(const std::string& fileName = "Neubau.zpf");

}  // namespace zyn::test
