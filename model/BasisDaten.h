#pragma once
// The base data: the module catalogue and the command lists, read once from the system data
// folder, with the command look-ups of the channels.

#include "model/BaseObject.h"
#include "model/BasisModul.h"
#include "model/EAFunktionen.h"
#include "model/ModelLookup.h"
#include "model/ModulClassList.h"

#include <string>
#include <vector>

namespace zyn {

class TKanal;

class TBasisDaten : public TZYNBaseObject {
 public:
  TBasisModulListe BasisModule;
  TEAFunktionsContainer BefehlsListen;
  TModulClassList Katalog;

  // Reads folder + "EAFUNCS.XML" (XML form) and folder + "MODULE.ZBC", each when present (names
  // matched without regard to case). True when at least one command list is held afterwards.
  // Whatever went wrong is kept in German in Problems() (a missing or unreadable catalogue
  // included), so the caller can report it beside "Die Basisdaten wurden nicht gefunden".
  bool Load(const std::string& folder);
  const std::vector<std::string>& Problems() const { return fProblems; }

  // The command list of a channel; nullptr when the channel names none that exists.
  TEAFunctionList* ListOf(const TKanal& channel) const;
  // Of the named list, the first command with that number; false when none.
  bool FindCommand(const std::string& listName, int command, TCommandTexts& result) const;

 private:
  std::vector<std::string> fProblems;
};

// The command of the channel's list found by InternalName, DisplayName, OldName, OldName against
// the translated name, then GermanFunc; its Command, or -1.
int FindCommandNumber(const TBasisDaten& basis, const TKanal& channel, const std::string& name);
// The DisplayName of the command found in the same order; the given name when none.
std::string GetCommandDisplayName(const TBasisDaten& basis, const TKanal& channel, const std::string& name);
// The DisplayName of the first command with that number; defaultText when none.
std::string GetCommandNameByNumber(const TBasisDaten& basis, const TKanal& channel, int number,
                                   const std::string& defaultText);
// True when the command (InternalName, DisplayName, name index, OldName, GermanFunc) has a dialog.
bool CommandHasDialog(const TBasisDaten& basis, const TKanal& channel, const std::string& name);

// The name of the command list that an object offers: clocks and flags by side, display texts
// their output list, other channels their own list. Empty for anything else.
std::string CommandListName(const TZYNBaseObject& object, bool inputSide);
// The DisplayNames of the commands the object offers (groups excluded).
std::vector<std::string> FillCommandList(const TBasisDaten& basis, const TZYNBaseObject& object, bool inputSide);
// The same, and for a group the command list all its members share (as the command choice of a
// group link offers it).
std::vector<std::string> FillCommandList(const TBasisDaten& basis, const TZYNBaseObject& object, bool inputSide,
                                         const IModelLookup& lookup);

}  // namespace zyn
