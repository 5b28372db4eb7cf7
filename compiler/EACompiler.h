#pragma once
// The link-code emitters: they turn the links of a channel, a flag or a clock into the operation
// lists the control module runs. Positions are written as 0x4000 + the position in the buffer
// and recorded, so the layout can move them with their section.
//
// Operations (addresses big-endian):
//   0                         end of a list
//   1 key n cmd...            n bytes of commands to one bus module (key = class x 32 + address)
//   135 4 key n cmd...        the same as then-command of a presence-simulation clock link
//   3/4 flag                  set / clear a flag
//   5..72 operand             set / clear a channel state flag
//   37 stm 18 addr            continue in the event lists of another control module
//   41 stm 18 hi lo           telegram to another control module (visualisation) or kind-3 link
//   129/130 comb then         logic link (all / any condition)
//   131 comb then else        logic link with else part
//   132 addr                  continue with a flag's own list
//   133 addr                  show a display text (0x0000 clears the display)
//   fn values...              clock data of a clock link to a clock

#include "compiler/Bindata.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zyn {

class TCompileContext;
class TKanal;
class TUhr;
class TVerbindung;
class TLinkEndpoint;

// A module command: command byte and parameter bytes.
struct TModuleCommand {
  std::vector<uint8_t> Bytes;
  bool CountsParam = false;  // mode 13 or a plain parameter: counts towards ParamState
  bool HasParams() const { return Bytes.size() > 1; }
};

// The command of the target (elsePart false) or else target of a link.
TModuleCommand MakeModuleCommand(TVerbindung& link, bool elsePart);

class TLinkEmitter {
 public:
  // image: the image of the control module that holds the channel, flag or clock.
  TLinkEmitter(TCompileContext& context, TBinData& image);

  // The links of an input, feedback channel or flag (group links are expected to be expanded).
  void CompileLinks(TKanal& channel, bool isFlag);
  // The links of one event (0 or 1) of a clock; entry is the position of the clock's 10-byte
  // entry in the clock table, whose list address it fills.
  void CompileClockLinks(TUhr& clock, int event, size_t entry);

 private:
  void ResetState();
  void AppendListEnds();
  void EmitLink(TVerbindung& link, bool clockLinks);
  void EmitPlainLink(TVerbindung& link, bool clockLinks);
  void EmitLogicLink(TVerbindung& link, bool clockLinks);
  void EmitPlainModuleCommand(TTelegrammBuffer& area, TVerbindung& link);
  // A then- or else-command of a logic link into the logic area of image.
  void EmitLogicCommand(TBinData& target, TVerbindung& link, bool elsePart, bool simulationClock);
  void EmitFlagTarget(TTelegrammBuffer& area, TVerbindung& link, const TLinkEndpoint& endpoint);
  void EmitTextTarget(TBinData& target, TTelegrammBuffer& area, TVerbindung& link, const TLinkEndpoint& endpoint);
  void EmitChannelFlag(TTelegrammBuffer& area, TVerbindung& link);
  void EmitClockData(TTelegrammBuffer& area, TVerbindung& link);
  void EmitJump(int stm, TBinData& target);
  uint8_t EventByte(const TKanal& channel, TVerbindung& link) const;
  static int ModuleKey(const TLinkEndpoint& endpoint, TVerbindung& link);

  TCompileContext& fContext;
  TBinData& fImage;

  int fCurrentEvent = -1;
  int fOpenStm = -1;
  std::array<bool, 4> fOpenLists{};
  int fLastKey = -1;
  int fParamState = -1;
  int fCount = 0;
  size_t fCountPos = 0;
  const TTelegrammBuffer* fBlockArea = nullptr;  // the area of the open module block
  size_t fBlockEnd = 0;                          // its length after the block's last byte
};

}  // namespace zyn
