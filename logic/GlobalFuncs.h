#pragma once
// The routines by which the logic pages ask for a link's parameters, a command, a range, a text
// or the two parameter bytes of a tool slot. Each runs its dialog modally over the main window.

#include "logic/core/LinkParameters.h"

#include <cstdint>
#include <string>

namespace zyn {

class TKanal;
class TVerbindung;
class TEABaseFunction;
class TEAFunctionList;

// The command list of that name in the base data; nullptr when there is none.
TEAFunctionList* FindCommandList(const std::string& name);

// Asks for the parameter of a new link's THEN (lsThen) or ELSE side; the command is the one the
// side names in the target object's command list. Without list or command, or for a command
// without parameter, the side gets no parameter and nothing is shown. False when the installer
// cancelled the dialog: the link is then not to be made (the side's fields may be half set).
bool EditLinkParameters(const TKanal& target, TVerbindung& link, TLinkSide side);
// The same with the command list given by name (groups); kinds 1 to 11 only.
bool EditLinkParametersByList(const std::string& listName, TVerbindung& link, TLinkSide side);
// Changes the stored parameter of the side (kinds 2, 5 to 11, 13); false when it is not changed
// through the form.
bool ChangeLinkParameters(TVerbindung& link);
bool ChangeLinkElseParameters(TVerbindung& link);
// The command list of the object (flags: "Ausgangsfunktionen Merker") in the chooser; the chosen
// command and suffix ":" + its old or shown name; nullptr when cancelled or without a list.
// current: the shown name of the command to preselect ("" for none; then no cancel button).
TEABaseFunction* ChooseOutputFunction(const TKanal& object, const std::string& current, std::string& suffix);
// The two parameter bytes of a command of kind 1 to 4 (true; kinds above 4 true without asking);
// false for a command without parameter or when the dialog was cancelled (bytes unchanged).
bool EditCommandParameter(const TEABaseFunction& command, uint8_t bytes[2]);
// "5-30" from the range page; empty when cancelled.
std::string InputRange();
// The text input; true and the text on OK.
bool InputText(const std::string& caption, const std::string& prompt, std::string& text);

}  // namespace zyn
