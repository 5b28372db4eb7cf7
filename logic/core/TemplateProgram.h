#pragma once
// The rules of the template programming: tools placed from a library into a control module or the
// project, levels, objects bound to a tool's slots (with the reservation of outputs and flags),
// the check that every slot is filled, the trial expansion of a tool, deleting a tool with every
// reference to it, and the parameter values a slot's parameter dialog edits. No widgets here: the
// template page shows and asks, these routines decide and change the model.

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/toollib/ToolObject.h"
#include "logic/core/LinkParameters.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TBasisDaten;
class TFuncNode;
class TParamDlg;
class TUniqueNames;
class TVariable;
class TVerbindungsListe;
class TZYNEbene;
class TZYNFunction;
class TZYNFunktionsListe;
class TZYNProjekt;
class TSteuermodul;
class IToolReport;

// ---- tools and levels

// The presence simulation may only be placed in a control module, not project-wide.
bool IsPresenceSimulation(const TZYNFunction& tool);

// An independent copy of the template in the list, keyed by its new unique internal name, in the
// level of that name (empty: no level).
TZYNFunction& PlaceTool(const TZYNFunction& templ, TZYNFunktionsListe& list, TUniqueNames& names,
                        const std::string& level = {});

// A new level; its internal name is a unique name of the registry. nullptr for a name that is
// blank after trimming.
std::unique_ptr<TZYNEbene> NewLevel(const std::string& name, TUniqueNames& names);

// Moves the tool into the level (empty: out of every level).
void SetToolLevel(TZYNFunction& tool, const std::string& level);
// Renames a level: every tool of the list in the old level goes into the new one.
void RenameLevel(TZYNFunktionsListe& list, const std::string& oldName, const std::string& newName);

// The tool list that holds the tool (a control module's or the project-wide), nullptr when none.
TZYNFunktionsListe* OwningList(TZYNProjekt& projekt, const TZYNFunction* tool);

// What deleting a tool did besides: the tools that lost their reference to it, and the outputs
// and flags it had reserved, now free again.
struct TToolRemoval {
  std::vector<std::string> UsersChanged;  // Funktionsname of each tool that referred to it
  std::vector<TToolObject> Released;
};
// Releases the reservations of every object bound below the tool, removes every sub-tool
// reference to it from the slots of every tool of the project, and deletes it from its list.
// False (nothing changed) when the tool is in no list of the project.
bool DeleteTool(TZYNProjekt& projekt, TZYNFunction* tool, TToolRemoval* removal = nullptr);

// ---- slots and bindings

// The slot of the tool whose target variable holds the entry of that object, nullptr when none.
bool SlotHasObject(const TFuncNode& slot, const TToolObject& object);
// Whether the object may be dropped on the slot: a single-object slot that already holds one
// refuses, the slot's acceptance rule must agree, and an object already bound is refused unless
// the slot chooses a command for each binding; a tool is taken once per slot.
bool SlotAccepts(const TFuncNode& slot, const TToolObject& object, const TZYNProjekt& projekt);
// The text an entry of the object gets: its internal name and the selection suffix (flags and
// channels), the module's internal name, or a sub-tool's key.
std::string BindingEntryText(const TToolObject& object, const std::string& suffix);
// Records the object in the slot's target variable with the suffix (":Ein", ":command#value",
// "#5-10"); a reserving slot reserves a bound output or flag. A sub-tool reference is taken over
// by the entry (through the object-list form for a slot whose variable is no tool list).
void BindObject(TFuncNode& slot, const TToolObject& object, const std::string& suffix);
void BindSubFunction(TFuncNode& slot, TZYNFunction& referenced, TUniqueNames& names);
// Removes the first entry of the object from the slot and releases its reservation when no other
// slot of the project still holds the object reserved. False when the slot has no such entry.
bool UnbindObject(TZYNProjekt& projekt, TFuncNode& slot, const TToolObject& object);
// The suffix of the object's entry in the slot ("" when none); its place part is the rest.
std::string BindingSuffix(const TFuncNode& slot, const TToolObject& object);
// Replaces the suffix of the object's first entry. False when the slot has no such entry.
bool RebindObject(TFuncNode& slot, const TToolObject& object, const std::string& suffix);
// The channel, flag or clock of an object (nullptr for modules, groups and sub-tools).
class TKanal;
TKanal* ChannelOf(const TToolObject& object);

// The empty slots and their message: EmptySlots and MissingBindingMessage of the interpreter
// (compiler/interpreter/ToolExpansion.h), which refuses to expand such a tool.

// Expands the tool on trial into `links` (the project's own link lists stay as they were), with
// the report's progress and messages and the logic conflicts in `log`. False with the message in
// `error` when a slot is empty or the expansion failed.
bool PreviewToolLinks(TZYNFunction& tool, TZYNProjekt& projekt, const TBasisDaten& basis, IToolReport* report,
                      TVerbindungsListe& links, std::vector<std::string>& log, std::string& error);

// ---- parameter values of a slot's dialog

// Whether a double click on the slot's value opens its parameter dialog.
bool HasParameterDialog(const TFuncNode& slot);
// The parameter form's page and values from the variable's stored bytes.
TParameterForm PrepareToolParameter(const TParamDlg& dlg, const TVariable& variable);
// The form's values into the variable's bytes. True when the value node's text is to change
// (single values and dim values); the new text is then in `nodeText`.
bool StoreToolParameter(const TParamDlg& dlg, TVariable& variable, const TParameterForm& form, std::string& nodeText);
// The value node's text: the 16-bit value, a blank and the translated unit.
std::string ParameterValueText(const TVariable& variable);

}  // namespace zyn
