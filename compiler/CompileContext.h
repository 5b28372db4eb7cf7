#pragma once
// The state of one compile run shared by the passes: the project, the images by control-module
// address, the progress receiver and the list addresses of the flags.

#include "compiler/Bindata.h"
#include "project/NameIndex.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace zyn {

class TZYNProjekt;
class TVerbindung;
class TMerker;
class ICompileProgress;

class TCompileContext {
 public:
  TCompileContext(TZYNProjekt& projekt, const TStmImages& images, ICompileProgress* progress)
      : Projekt(projekt), Images(images), Names(projekt), fProgress(progress) {}

  TZYNProjekt& Projekt;
  TStmImages Images;
  // Channels, flags and clocks by name, for conditions and group members.
  const TNameIndex Names;

  void Report(int code, TVerbindung* link) const;
  // The image of the control module the link refers to; ECompileError naming the link when the
  // project has no such control module.
  TBinData& ImageFor(int stm, TVerbindung& link) const;

  // Where a flag's list for event 0 (reset) or 1 (set) starts: 0x4000 + its position in the
  // event lists of the flag's image; 0 while the flag has no list for that event.
  uint16_t FlagList(const TMerker* flag, int event) const;
  void SetFlagList(const TMerker* flag, int event, uint16_t address);

 private:
  ICompileProgress* fProgress;
  std::map<const TMerker*, std::array<uint16_t, 2>> fFlagLists;
};

// The link's display text for messages.
std::string LinkText(TVerbindung& link);

}  // namespace zyn
