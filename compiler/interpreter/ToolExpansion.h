#pragma once
// The macro interpreter: a tool's link script is cut into blocks ("BLOCK" ... "END."); each block
// is scanned line by line into the block state and then turned into generated function links,
// one for every pair of a target object and a source object, filed in the link list of the
// source object (or, for a trial expansion, in a given list).

#include "project/NameIndex.h"

#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;
class TZYNProjekt;
class TBasisDaten;
class TVerbindungsListe;
class IToolReport;

struct TExpandContext {
  TExpandContext(TZYNProjekt& projekt, const TBasisDaten& basis);

  TZYNProjekt& Projekt;
  const TBasisDaten& Basis;
  // The project's channels, flags and clocks by name; the expansion adds links only.
  const TNameIndex Names;
  IToolReport* Report = nullptr;            // progress, messages, failures; may be absent
  TVerbindungsListe* LinkList = nullptr;    // trial expansion: every link goes into this list
  std::vector<std::string>* Log = nullptr;  // logic-conflict lines; may be absent
  // Limits of the random switching times of the presence simulation, in seconds (options
  // RandomMin and RandomMax when the context is made).
  int RandomMin = 0;
  int RandomMax = 0;
};

class TFuncNode;

// The slots of the tool that take objects and hold none, in slot order.
std::vector<const TFuncNode*> EmptySlots(const TZYNFunction& tool);
// "" when every slot of the tool is filled; else the German message naming the tool and its first
// empty slot.
std::string MissingBindingMessage(const TZYNFunction& tool);

// Expands a whole tool. An empty slot contributes no links (the tool's other slots still give
// theirs). A tool of the group "SIMULATIONEN" is expanded by the presence
// simulation. When a block fails, the failure is reported once through the context's report,
// the later blocks are skipped and the result is false; links made before stay.
bool ExpandTool(TZYNFunction& tool, const TExpandContext& context);

// Scans one block (the lines between its "BLOCK" line and its "END." line) and builds its links.
// `caption` names the block in the conflict log. Raises EZYNError when the block cannot be
// expanded.
void ExpandBlock(TZYNFunction& tool, const std::vector<std::string>& lines, const TExpandContext& context,
                 const std::string& caption);

// The caption of a tool in the log and in messages: "Ebene: <level> - Funktion: <name>", or
// "Funktion: <name>" without a level.
std::string ToolCaption(const TZYNFunction& tool);

}  // namespace zyn
