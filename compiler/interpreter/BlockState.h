#pragma once
// The state one block of a link script collects while its lines are scanned, and the link
// construction that works from it.

#include "compiler/toollib/ToolObject.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;
class TVariable;
struct TExpandContext;

struct TBlockState {
  TVariable* SourceVar = nullptr;
  TVariable* SourceSubVar = nullptr;
  TVariable* TargetVar = nullptr;
  TVariable* ElseVar = nullptr;
  TVariable* LogicVar = nullptr;
  TVariable* Param1Var = nullptr;
  TVariable* Param2Var = nullptr;
  std::string SourceText, TargetText, ElseText, AndMText, Cpara1, Cpara2, Dpara1, Dpara2;
  std::string IfHash, ThenHash, AndHash, Param1Hash;
  std::vector<std::string> CifList;
  bool VerbMode = false;
  bool CifMode = false;
  bool AndNotSelf = false;
  std::string SingleTag;  // "FLSINGLE" or empty
  std::string LastLine;   // the block's last line (caption of blind-motor parameters)

  // Variables the block made itself; they end with the block. Variables of the tool are never
  // owned here.
  std::vector<std::unique_ptr<TVariable>> Owned;
  TVariable* NewVariable();
  bool OwnsVariable(const TVariable* v) const;
};

// Fills the state from the block's lines. Raises EZYNError for a line the block cannot use.
void ScanBlock(TZYNFunction& tool, const std::vector<std::string>& lines, TBlockState& state);

// Builds the links of a scanned block.
void ConstructLinks(TZYNFunction& tool, TBlockState& state, const TExpandContext& context, const std::string& caption);

// The object of the entry at `index` of the variable: the attached object, else the project
// object named by the entry's text (kind by the variable's type). EZYNError when the index lies
// past the end of the list.
TToolObject EntryObject(const TVariable& v, int index, const TExpandContext& context);

}  // namespace zyn
