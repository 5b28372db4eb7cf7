#pragma once
// A reader of display images for the tests: it parses the header and the eight sections
// independently of the compiler and checks that every pointer lands on the start of a record of
// the section it belongs to.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zyn::test {

struct TWalkedImage {
  std::vector<std::string> Errors;  // empty for a sound image
  int StartScreen = 0;
  std::vector<int> StartupModules;
  std::vector<int> StateTexts;                 // start addresses in section 2
  std::vector<int> StateRecords;               // start addresses in section 3
  std::map<int, std::vector<int>> TreeLeaves;  // record address -> tree path (stm, module, channel)
  std::vector<int> Screens;                    // start addresses in section 6
  std::vector<int> NavigationBlocks;           // start addresses in section 6
  std::vector<int> FunctionRecords;            // start addresses in section 7
  std::map<int, int> GraphicBlocks;            // start address -> bytes, section 8
  int GraphicRecords = 0;
  int StateVariableRecords = 0;    // 08 records in section 6
  std::vector<std::string> Texts;  // texts of 07 records in screen order (panel codes)
  int Section4 = 0, Section5 = 0, Section6 = 0, Section7 = 0, Section8 = 0, End = 0;
};

// image: the bytes from 0x8000 on; pairs: number of state-text pairs; screens: number of screens.
TWalkedImage WalkImage(const std::vector<uint8_t>& image, int pairs, int screens);

}  // namespace zyn::test
